#pragma once
// Copying, moving and deleting files and whole folder trees for the project
// tree. The public operations never throw: a failure answers false and
// leaves the first error's text and code in m_strError and m_nError.
// Inside, every failure is raised as a CFExeption and caught at the public
// operation.

#include <QString>

// One failure of a file operation: the system's text for an error code, or
// a text of our own (code 0).
class CFExeption {
public:
    // The system's message for `systemError` (an errno value).
    explicit CFExeption(int systemError);
    explicit CFExeption(const QString& text, int code = 0);

    QString m_strError;
    int m_nError = 0;
};

class CFileTreeOperation {
public:
    // What PathKind answers.
    static constexpr int kMissing = 0;
    static constexpr int kError = -1;
    static constexpr int kFile = 1;
    static constexpr int kFolder = 2;

    // Copies a file or a folder tree to `destination`. A folder lands in
    // `destination` itself (made when missing); a file lands at that path,
    // or inside it when it is a folder. Existing files are not overwritten
    // unless m_bOverwrite: the copy takes the name MakeCopyName gives.
    bool Copy(const QString& source, const QString& destination);
    // Renames or moves a file or folder; never replaces an existing one.
    bool Move(const QString& source, const QString& destination);
    // Deletes a file, or a folder with everything below it. Read-only files
    // are asked about (m_bAskIfReadOnly); a file the user keeps stays, and
    // so does its folder. Raises CFExeption on failure; Cancel raises too
    // and sets m_bAborted.
    void DeleteTree(const QString& path);

    static int PathKind(const QString& path);
    // Whether something of that name is there to be overwritten.
    static bool Exists(const QString& path);
    // The path with one trailing separator.
    static QString AddBackslash(const QString& path);
    // The last folder of a path that ends with a separator ("/a/b/" gives
    // "b"); empty when there is none.
    static QString LastFolderName(const QString& path);
    // The next free-name candidate for a copy: "Copy of x.pld", then
    // "Copy (1) of x.pld", "Copy (2) of x.pld", …
    static QString MakeCopyName(const QString& path);

    QString m_strError = QStringLiteral("No error");
    int m_nError = 0;
    bool m_bAskIfReadOnly = true;
    bool m_bOverwrite = false;
    bool m_bAborted = false;
    // How many more sub-folder descents a tree copy may make; -1 unlimited.
    int m_nBudget = -1;

private:
    void copyItem(const QString& source, const QString& destination);
    void copyFolder(QString source, QString destination);
    void copyContents(const QString& source, const QString& destination);
    void copyFile(const QString& source, QString destination);
    // False when the file is to stay (unreadable, or the user said No).
    bool mayDelete(const QString& path);
    // Deletes what lies at `path`; answers whether something was kept.
    bool deleteEntry(const QString& path);
    void fail(const CFExeption& e);
};
