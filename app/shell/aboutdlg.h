#pragma once
// The About box: the program's name and version, its picture, and a notice
// that scrolls upwards through its box.

#include "widgara/resizedialog.h"

#include <QFont>

class CMarqueeStatic;
class CPictureButton;
class CXTButton;
class QLabel;

class CAboutDlg : public CXTResizeDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 100;
    static constexpr int IDC_NAME = 1000;
    static constexpr int IDC_PICTURE = 1003;
    static constexpr int IDC_VERSION = 1004;
    static constexpr int IDC_NOTICE = 1014;

    explicit CAboutDlg(QWidget* parent = nullptr);

    bool OnInitDialog() override;

    QLabel* m_name;
    QLabel* m_version;
    CMarqueeStatic* m_notice;
    CPictureButton* m_picture;
    CXTButton* m_ok;

private:
    QFont m_boldFont;
    QFont m_normalFont;
};

// The notice the About box scrolls.
QString aboutNotice();
