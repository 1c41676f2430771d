#pragma once
// Common bars: the category files (steelLib.xml for bar shapes, startLib.xml
// for start styles) that name the categories of the shape choosers and their
// list files, and the list files themselves (one shape key a line, CR LF, in
// the ANSI code page), all in the data folder.

#include "core/model/steelrecordid.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>


// Library kinds of the choosers.
constexpr int kSteelLibKind = 0; // bar shapes, steelLib.xml
constexpr int kStartLibKind = 1; // start styles, startLib.xml

// How many keys a list file keeps.
constexpr int kFirstCategoryListLimit = 17; // the first category of the select-shape dialog
constexpr int kRecentListLimit = 12;        // recentSteel.dat of the common-bars dialog
constexpr int kNoListLimit = -1;

// The fixed tabs of the common-bars dialog; the last opens the library
// manager and has no list file.
struct CommonBarTab {
    const char* caption;
    const char* listFile;
};
inline constexpr CommonBarTab kCommonBarTabs[] = {
    {"最近调用", "recentSteel.dat"}, {"梁", "beamSteel.dat"},   {"柱", "columnsteel.dat"},
    {"墙", "wallsteel.dat"},       {"板", "slabsteel.dat"},   {"楼梯", "stairsteel.dat"},
    {"基础", "basesteel.dat"},     {"钢筋库", nullptr},
};
constexpr int kCommonBarListTabCount = 7;

// A key of a list line: "101-005" → (101, 5). No '-', or '-' as the first
// character, gives the null key; each side is read like atoi (blanks and a
// sign first, stops at the first non-digit, no digits give 0).
CSteelRecordId parseKeyText(const QString& line);

// The path of the category file of a library kind.
QString categoryFilePath(int libKind);

// Whether a list file name stays inside the data folder: not empty, no
// path separators, not "." or "..".
bool isListFileName(const QString& fileName);
// The path of a list file, or an empty text for a name that is refused.
QString listFilePath(const QString& fileName);

// The keys of a list file, one per non-empty line (LF or CR LF), in order;
// lines that are no key give the null key. A missing file is created empty;
// an unreadable file or a refused name gives no keys.
std::vector<CSteelRecordId> readListFile(const QString& fileName);
// Replaces the list file by the key texts of the non-null keys, in order,
// each ended by CR LF, at most `limit` of them (kNoListLimit: all). The file
// is replaced atomically; answers false when it was not written.
bool writeListFile(const QString& fileName, const std::vector<CSteelRecordId>& keys, int limit);

// The keys of an array of record pointers (null pointers left out), for
// writeListFile.
template <typename Records>
std::vector<CSteelRecordId> recordKeys(const Records& records)
{
    std::vector<CSteelRecordId> keys;
    for (const auto* record : records) {
        if (record)
            keys.push_back(record->getID());
    }
    return keys;
}

// The categories of a category file: captions and list file names, in tab
// order. Tabs are built from them only when both are equally many.
class CommonBarCategories {
public:
    const QStringList& names() const { return m_names; }
    const QStringList& files() const { return m_files; }
    // Whether captions and file names pair up.
    bool isPaired() const { return m_names.size() == m_files.size(); }

    void clear();
    void append(const QString& name, const QString& file);
    // Gives the category at `index` a new caption; false for a bad index.
    bool rename(int index, const QString& name);

    // Reads the category file of the library kind (or the file at `path`),
    // replacing what was held. A missing, unreadable or damaged file gives
    // no categories. Answers isPaired() afterwards.
    bool readCategoryFile(int libKind);
    bool readFile(const QString& path);
    // Writes the categories to the category file of the library kind (or to
    // `path`); nothing is written while captions and files do not pair up.
    bool writeCategoryFile(int libKind) const;
    bool writeFile(const QString& path) const;

private:
    QStringList m_names;
    QStringList m_files;
};
