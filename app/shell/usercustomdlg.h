#pragma once
// The user's working habits ("用户习惯定制"): which shape chooser opens,
// what a new bar row copies from the one before, default grade and element
// count, intermediate connections of long bars, rounding of counts, the
// mouse wheel, the table's edit box, where user shapes are kept and how bar
// groups show their lengths. Every value is read from and written to the
// settings library; OK writes them all, Cancel none.

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

class CUserCustomDlg : public QDialog {
    Q_OBJECT
public:
    // The content bits of a new row, in the order of their check boxes:
    // 编号, 规格, 间距, 安装起点, 钢筋形状, 钢筋尺寸变量, 根数, 备注.
    static constexpr std::array<int, 8> kContentBits{0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};
    // What unticking "不复制任何内容" ticks: all but 间距 and 钢筋尺寸变量.
    static constexpr int kDefaultContent = 0xDB;
    // The digits the "舍" field takes: the rounding digit is one more, and
    // the settings library keeps it within 1..9.
    static constexpr int kMinDropDigit = 1;
    static constexpr int kMaxDropDigit = 8;

    explicit CUserCustomDlg(QWidget* parent = nullptr);

    void accept() override;

    // The content byte the check boxes give.
    int contentByte() const;

    QButtonGroup* m_selectMode;
    std::array<QCheckBox*, 8> m_content{};
    QCheckBox* m_noContent;
    QButtonGroup* m_gradeMode;
    QSpinBox* m_eleNum;
    QCheckBox* m_midConnect;
    QComboBox* m_connectStyle;
    QSpinBox* m_dingChi;
    QLineEdit* m_dropDigit;  // "舍"
    QLineEdit* m_roundDigit; // "入"
    QButtonGroup* m_showStep;
    QComboBox* m_wheel;
    QComboBox* m_shiftWheel;
    QComboBox* m_ctrlWheel;
    QButtonGroup* m_editMode;
    QButtonGroup* m_recordType;
    QButtonGroup* m_groupShow;

private:
    void onNoContentClicked(bool checked);
    void onDropDigitEdited();
    QButtonGroup* radios(QWidget* box, std::initializer_list<const char*> texts, int checked);
    QComboBox* wheelList(int action);
    QWidget* contentBox();
    QWidget* barBox();
    QWidget* tableBox();

    QString m_lastDropDigit;
};
