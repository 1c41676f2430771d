#pragma once
// Start and end of the tables library. The program calls tablesLibraryInit
// once before it opens any table and tablesLibraryShutdown once when it ends:
// they load and write back the recently entered cell values (editrecord.h).

class QWidget;

// Loads the recently entered cell values from their default file. Answers
// true: a missing or unreadable file only leaves the values empty.
bool tablesLibraryInit();
// Writes the recently entered cell values back to their default file, when
// start-up could read it (or found none).
void tablesLibraryShutdown();

// The library's dialogs call this at the end of their set-up. Qt's style
// already draws their background to match the desktop, so nothing is left
// to do; it stays so the dialogs keep one place for their finishing touch.
void enableDialogTheme(QWidget* dialog);
