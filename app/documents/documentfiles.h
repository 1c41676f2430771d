#pragma once
// The files around a document's own file: the backup copy, the recovery
// file of an auto-save, the auto-save files of untitled documents, and the
// table templates with their companion files for the derived sheets; the
// folders they go into.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

class CVes_Template;

// True when a file (or folder) exists at the path.
bool FileExists(const QString& path);
// Makes the folder (one trailing separator dropped) when it does not exist.
// False, after "不能创建目录%s" was shown, when it could not be made.
bool EnsureFolder(const QString& path);
// Makes the folder with every missing parent; a failure shows
// "不能创建目录%s". A file in the way is left alone (and is a failure).
bool CreateFolderTree(const QString& path);

namespace docfiles {

// The path up to and including the last "." of the file name, to which a
// companion's extension is added ("D:/t/a.jtm" → "D:/t/a."); empty when the
// file name has no "." after the path's first character.
QString companionBase(const QString& path);
// The backup copy: the extension replaced by ".bak" (a.pld → a.bak).
QString backupPath(const QString& path);
// The recovery file an auto-save of a titled document writes: path + "$$$".
QString recoveryPath(const QString& path);
// What a recovery file is renamed to once it was offered, so that it is not
// offered again: path + "$$$" + "%Y-%m-%d-%H-%M" of `when` (with "-2", "-3",
// … when that name is taken).
QString usedRecoveryPath(const QString& path, const QDateTime& when);
// The recovery files of `path` renamed so far (path + "$$$" + a time stamp
// as usedRecoveryPath gives it), in the order of their names.
QStringList usedRecoveryFiles(const QString& path);
// The folder of the auto-save files of untitled documents.
QString autoSaveFolder();
// The auto-save interval the user set (profile "settings", "autoSaveTime",
// 5 when unset) in minutes, at least 1 (a smaller stored value would make
// the document windows save without pause).
int autoSaveMinutes();
// A new auto-save file for an untitled document: "%Y年%m月%d日%H时%M分%S秒"
// of `when` + "autoSave.$pld" in the auto-save folder; a name that exists or
// was handed out before in this run gets "_2", "_3", … before "autoSave".
QString untitledAutoSavePath(const QDateTime& when);
// The auto-save files of untitled documents in the auto-save folder, oldest
// name first.
QStringList untitledAutoSaves();

// One sheet of a template set and the extension of its file: the main
// table's file (the chosen path itself, empty extension) or a companion
// (base + extension, e.g. "jtm2").
struct TemplatePart {
    CVes_Template* sheet;
    QString extension;
};

// The file of a part for the set chosen at `path`; empty for a companion
// when the path gives no companion base.
QString templatePartPath(const QString& path, const TemplatePart& part);
// Loads every part's file into its sheet. A file that is missing is left
// out; the answer names each file that exists and could not be read
// (damaged, or written by a newer program; the main file also when the
// sheet it holds after its template part is); its sheet stays as it was.
QStringList loadTemplateSet(const QString& path, const std::vector<TemplatePart>& parts);
// Writes every part's template file; the answer names each file that could
// not be written.
QStringList saveTemplateSet(const QString& path, const std::vector<TemplatePart>& parts);

} // namespace docfiles
