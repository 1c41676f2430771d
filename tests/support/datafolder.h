#pragma once
// A data folder of the test's own: `$RODO_HOME` points at a new temporary
// folder, seeded with the shipped files on first use, for as long as the
// object lives; then the process's data folder is back. What was read
// from the folder before (the settings among them) is read anew.

#include <QByteArray>
#include <QTemporaryDir>

namespace test {

class FreshDataFolder {
public:
    FreshDataFolder();
    ~FreshDataFolder();
    FreshDataFolder(const FreshDataFolder&) = delete;
    FreshDataFolder& operator=(const FreshDataFolder&) = delete;

    // The folder, with a trailing '/'.
    QString path() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
};

} // namespace test
