#pragma once
// The program's folders. The data folder is where every data file of the
// program is read and written: `$RODO_HOME` when set, else the user's
// application-data folder; on first use it is seeded with the default files
// the program ships. All folder paths end with '/'.

#include <QString>

#include <cstdint>
#include <functional>

namespace platform {

// The per-user data folder, created and seeded on first use.
QString dataFolder();
// Its "userdata/" sub-folder, created on first use.
QString userDataFolder();
// The folder for temporary files (shape pictures for export and the like).
QString tempFolder();
// Where the shipped default files lie: `$RODO_DATA_DIR` when set, else the
// installed data beside the program, else the build tree's copy.
QString installedDataFolder();

// Where the guides the Help menu opens lie: installed beside the program,
// else the build tree's copy.
QString installedDocFolder();

// `name` without the characters file systems refuse (control characters
// and / \ : * ? " < > |), trimmed; "Rodo" when nothing is left.
QString safeFileName(const QString& name);
// The program tells where the project being worked on lies (an empty
// folder without one); a source that is not set answers no project.
void setProjectFolderSource(std::function<QString()> source);
QString projectFolder();
// The folder a document's files are proposed in and its file dialogs start
// in: the folder of `documentPath`, else the project's, else the user's
// home folder; always one that exists.
QString workingFolder(const QString& documentPath);
// Where a file made from a document (a printed PDF, an exported workbook)
// is proposed: beside `documentPath`, named after it and `title`
// ("…/一层柱_钢筋配料单.pdf" for `suffix` ".pdf"); named after `title` in
// the working folder when there is no document.
QString proposedOutputPath(const QString& documentPath, const QString& title, const QString& suffix);

// Copies every file of `from` (recursively) that `to` lacks; existing files
// are never overwritten. Answers the number of files copied.
int seedMissingFiles(const QString& from, const QString& to);

// Forgets that the data folder was prepared, so the next call prepares it
// again, and tells every cache of its files to read them again (for tests
// that change `$RODO_HOME`).
void resetFolderCache();
// Grows each time the data folder changes (`$RODO_HOME` moved, or the cache
// above reset): a cache of the folder's files compares it with the number it
// read them at.
std::uint64_t dataFolderGeneration();

} // namespace platform
