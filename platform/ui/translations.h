#pragma once
// The program speaks Chinese: Qt's own texts (standard dialog buttons, the
// file and colour dialogs, context menus of edit boxes) come from Qt's
// Chinese translations, and the buttons of our own boxes are named in
// Chinese whether or not those translations are installed.

#include <QByteArray>

class QCoreApplication;
class QDialog;
class QDialogButtonBox;
class QMessageBox;

namespace platform {

// Called before the application object is made: Qt's file dialogs then
// write dates in Chinese form ("2026/12/11 09:31"), as the rest of the
// program speaks, whatever language the desktop's locale has. Nothing else
// of the locale changes.
class ChineseDates {
public:
    ChineseDates();
    // After the application object is made: the environment and the C
    // library's locale as the user had them.
    void restore();

private:
    QByteArray m_time;
};

// Loads Qt's Chinese translations into the application; false when they are
// not installed (Qt then shows its English texts, except where the
// functions below set ours).
bool installChineseTranslations(QCoreApplication& app);

// Names the standard buttons "确定", "取消", "是", "否", "关闭", "应用".
void setChineseButtonTexts(QDialogButtonBox& buttons);
void setChineseButtonTexts(QMessageBox& box);

// The "确定" and "取消" buttons of a dialog, which accept and reject it; the
// caller puts them into its layout.
QDialogButtonBox* okCancelButtons(QDialog& dialog);

} // namespace platform
