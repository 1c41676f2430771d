#pragma once
// The program speaks Chinese: Qt's own texts (standard dialog buttons, the
// file and colour dialogs, context menus of edit boxes) come from Qt's
// Chinese translations, and the buttons of our own boxes are named in
// Chinese whether or not those translations are installed.

class QCoreApplication;
class QDialogButtonBox;
class QMessageBox;

namespace platform {

// Loads Qt's Chinese translations into the application; false when they are
// not installed (Qt then shows its English texts, except where the
// functions below set ours).
bool installChineseTranslations(QCoreApplication& app);

// Names the standard buttons "确定", "取消", "是", "否", "关闭", "应用".
void setChineseButtonTexts(QDialogButtonBox& buttons);
void setChineseButtonTexts(QMessageBox& box);

} // namespace platform
