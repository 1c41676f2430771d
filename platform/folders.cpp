#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <mutex>

namespace platform {

namespace {

std::mutex g_mutex;
QString g_prepared;
std::atomic<std::uint64_t> g_folderGeneration{0};
std::function<QString()> g_projectFolder;

QString withSlash(QString path)
{
    path = QDir::fromNativeSeparators(path);
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

QString homeFolder()
{
    const QString env = qEnvironmentVariable("RODO_HOME");
    if (!env.isEmpty())
        return withSlash(env);
    return withSlash(QDir::homePath() + QStringLiteral("/.local/share/Rodo"));
}

// The installed folder `installedRelative` (relative to the program's
// folder's parent) when it exists, else the build tree's `buildFolder`.
QString shippedFolder(const QString& installedRelative, const QString& buildFolder)
{
    if (QCoreApplication::instance()) {
        const QString installed = QCoreApplication::applicationDirPath() + QStringLiteral("/../") + installedRelative;
        if (QFileInfo(installed).isDir())
            return withSlash(QDir(installed).absolutePath());
    }
    return withSlash(buildFolder);
}

} // namespace

QString installedDataFolder()
{
    const QString env = qEnvironmentVariable("RODO_DATA_DIR");
    if (!env.isEmpty())
        return withSlash(env);
    return shippedFolder(QStringLiteral(RODO_INSTALL_DATA_DIR), QStringLiteral(RODO_BUILD_DATA_DIR));
}

QString installedDocFolder()
{
    return shippedFolder(QStringLiteral(RODO_INSTALL_DOC_DIR), QStringLiteral(RODO_BUILD_DOC_DIR));
}

int seedMissingFiles(const QString& from, const QString& to)
{
    const QDir source(from);
    if (!source.exists())
        return 0;
    int copied = 0;
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = withSlash(to) + source.relativeFilePath(file);
        if (QFileInfo::exists(target))
            continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (QFile::copy(file, target)) {
            // Shipped files may be read-only where they are installed.
            QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
            ++copied;
        }
    }
    return copied;
}

QString dataFolder()
{
    const QString home = homeFolder();
    std::lock_guard lock(g_mutex);
    if (g_prepared != home) {
        if (!g_prepared.isEmpty())
            g_folderGeneration.fetch_add(1, std::memory_order_acq_rel);
        QDir().mkpath(home + QStringLiteral("userdata"));
        seedMissingFiles(installedDataFolder(), home);
        g_prepared = home;
    }
    return home;
}

QString userDataFolder()
{
    return dataFolder() + QStringLiteral("userdata/");
}

QString tempFolder()
{
    return withSlash(QDir::tempPath());
}

void resetFolderCache()
{
    std::lock_guard lock(g_mutex);
    g_prepared.clear();
    g_folderGeneration.fetch_add(1, std::memory_order_acq_rel);
}

std::uint64_t dataFolderGeneration()
{
    return g_folderGeneration.load(std::memory_order_acquire);
}

QString safeFileName(const QString& name)
{
    QString safe;
    for (const QChar c : name)
        safe += (c.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(c)) ? QChar(u'_') : c;
    safe = safe.trimmed();
    return safe.isEmpty() ? QStringLiteral("Rodo") : safe;
}

void setProjectFolderSource(std::function<QString()> source)
{
    std::lock_guard lock(g_mutex);
    g_projectFolder = std::move(source);
}

QString projectFolder()
{
    std::function<QString()> source;
    {
        std::lock_guard lock(g_mutex);
        source = g_projectFolder;
    }
    return source ? source() : QString();
}

QString workingFolder(const QString& documentPath)
{
    const QString document = documentPath.isEmpty() ? QString() : QFileInfo(documentPath).absolutePath();
    for (const QString& folder : {document, projectFolder()})
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return QDir(folder).absolutePath();
    return QDir::homePath();
}

QString proposedOutputPath(const QString& documentPath, const QString& title, const QString& suffix)
{
    const QString stem = documentPath.isEmpty() ? QString() : QFileInfo(documentPath).completeBaseName();
    const QString named = title.trimmed();
    const QString name = stem.isEmpty() || named.isEmpty() ? stem + named : QString(stem + u'_' + named);
    return QDir(workingFolder(documentPath)).filePath(safeFileName(name) + suffix);
}

} // namespace platform
