#pragma once
// The settings dialogs as the program calls them: each is modal over the
// active window and stores its settings on OK only; the result is not used.

#include <QString>

#include <functional>

class CVes_SteelYuanCaiDataLib;
class QWidget;

void Info_SteelWeight();
void Info_SetSteelWeishu();
void Info_SetSteelLenCalType();
void Info_SetSteelWanzheR();
void Info_SetSteelWanzheJingYan();
void Info_SetGuSteelWanzheR();
void Info_SetGuSteelWanzheJingYan();

// Edits a raw-stock file, the user's default library when `path` is empty:
// the file is read, shown in the raw-stock editor, and written back only
// when the editor is closed with OK. A file that exists but cannot be read
// is left alone and the user is told.
void Info_SETYuanCai(const QString& path);

namespace envora {

// The raw-stock editor: shows `library` modally over `parent`, editing it in
// place, and answers true when the user closed it with OK. The editor lives
// in a library above this one, so the program registers it at start-up.
using RawStockEditor = std::function<bool(CVes_SteelYuanCaiDataLib& library, QWidget* parent)>;
void setRawStockEditor(RawStockEditor editor);

} // namespace envora
