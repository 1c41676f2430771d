#include "app/projects/filetreeoperation.h"

#include "platform/hostservices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr QChar kSeparator = u'/';
// A copy gives up looking for a free "Copy (n) of" name after this many.
constexpr int kMaxCopyNames = 100000;

QByteArray nativePath(const QString& path)
{
    return QFile::encodeName(path);
}

QString withoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && path.endsWith(kSeparator))
        path.chop(1);
    return path;
}

// Whether `path` is `folder` or lies inside it.
bool isSameOrInside(const QString& path, const QString& folder)
{
    const QString p = QDir::cleanPath(path);
    const QString f = QDir::cleanPath(folder);
    return p == f || p.startsWith(f + kSeparator);
}

void makeFolder(const QString& path)
{
    if (::mkdir(nativePath(path).constData(), 0777) == 0)
        return;
    const int error = errno;
    if (error == EEXIST && QFileInfo(path).isDir())
        return;
    throw CFExeption(error);
}

} // namespace

CFExeption::CFExeption(int systemError)
    : m_strError(QString::fromLocal8Bit(std::strerror(systemError))), m_nError(systemError)
{
}

CFExeption::CFExeption(const QString& text, int code) : m_strError(text), m_nError(code) {}

// helpers

int CFileTreeOperation::PathKind(const QString& path)
{
    struct stat st {};
    if (::stat(nativePath(path).constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? kMissing : kError;
    return S_ISDIR(st.st_mode) ? kFolder : kFile;
}

bool CFileTreeOperation::Exists(const QString& path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

QString CFileTreeOperation::AddBackslash(const QString& path)
{
    return path.endsWith(kSeparator) ? path : path + kSeparator;
}

QString CFileTreeOperation::LastFolderName(const QString& path)
{
    const qsizetype last = path.lastIndexOf(kSeparator);
    if (last <= 0)
        return {};
    const qsizetype before = path.lastIndexOf(kSeparator, last - 1);
    return path.mid(before + 1, last - before - 1);
}

QString CFileTreeOperation::MakeCopyName(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(kSeparator);
    const QString folder = path.left(slash + 1);
    const QString fileName = path.mid(slash + 1);
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString name = dot < 0 ? fileName : fileName.left(dot);
    const QString extension = dot < 0 ? QString() : fileName.mid(dot);

    const QString copyOf = QStringLiteral("Copy of ");
    QString result;
    const qsizetype open = name.indexOf(u'(');
    const qsizetype close = name.indexOf(u')');
    if (!name.contains(QStringLiteral("Copy ")))
        result = copyOf + name;
    else if (open < 0)
        result = QStringLiteral("Copy (1) of ") + name.mid(8);
    else if (close < 0)
        result = copyOf + name;
    else {
        const int n = name.mid(open + 1, close - open - 1).toInt();
        result = QStringLiteral("Copy (%1) of %2").arg(n + 1).arg(name.mid(close + 5));
    }
    return folder + result + extension;
}

void CFileTreeOperation::fail(const CFExeption& e)
{
    m_strError = e.m_strError;
    m_nError = e.m_nError;
}

// copy

bool CFileTreeOperation::Copy(const QString& source, const QString& destination)
{
    bool ok = true;
    try {
        copyItem(source, destination);
    } catch (const CFExeption& e) {
        fail(e);
        ok = false;
    }
    m_nBudget = -1;
    return ok;
}

void CFileTreeOperation::copyItem(const QString& source, const QString& destination)
{
    const int kind = PathKind(source);
    const QString bareSource = withoutTrailingSeparator(source);
    // A folder copied into the folder that holds it is already there.
    if (kind == kFolder
        && bareSource.left(bareSource.lastIndexOf(kSeparator)) == withoutTrailingSeparator(destination))
        return;
    // A folder copied into itself goes no deeper than the destination lies
    // below the source, so that it never copies its own copy.
    if (isSameOrInside(destination, bareSource)) {
        const int budget = int(withoutTrailingSeparator(destination).count(kSeparator)
                               - bareSource.count(kSeparator));
        if (budget >= 0)
            m_nBudget = budget;
    }
    if (kind == kMissing || kind == kError)
        throw CFExeption(source + QStringLiteral(" not found"));
    if (kind == kFolder && PathKind(destination) == kFile)
        throw CFExeption(QStringLiteral("Wrong operation"));
    if (kind == kFolder) {
        copyFolder(source, destination);
        return;
    }
    if (PathKind(destination) == kFolder)
        copyFile(source, AddBackslash(destination) + QFileInfo(source).fileName());
    else
        copyFile(source, destination);
}

void CFileTreeOperation::copyFolder(QString source, QString destination)
{
    source = AddBackslash(source);
    destination = AddBackslash(destination);
    if (!QFileInfo(source).isReadable())
        throw CFExeption(source + QStringLiteral(" not found"));
    if (!LastFolderName(source).isEmpty())
        makeFolder(destination);
    copyContents(source, destination);
}

void CFileTreeOperation::copyContents(const QString& source, const QString& destination)
{
    const QFileInfoList entries = QDir(source).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (!entry.isDir()) {
            copyFile(entry.filePath(), destination + entry.fileName());
            continue;
        }
        // A link to a folder could lead back into the tree; it is not followed.
        if (entry.isSymLink() || m_nBudget == 0)
            continue;
        if (m_nBudget > 0)
            --m_nBudget;
        const QString into = destination + entry.fileName() + kSeparator;
        makeFolder(into);
        copyContents(AddBackslash(entry.filePath()), into);
    }
}

void CFileTreeOperation::copyFile(const QString& source, QString destination)
{
    if (m_bOverwrite) {
        if (Exists(destination) && !QFile::remove(destination))
            throw CFExeption(destination + QStringLiteral(": ") + QFile(destination).errorString());
    } else {
        for (int tries = 0; Exists(destination); ++tries) {
            if (tries == kMaxCopyNames)
                throw CFExeption(EEXIST);
            destination = MakeCopyName(destination);
        }
    }
    QFile file(source);
    if (!file.copy(destination))
        throw CFExeption(file.errorString(), int(file.error()));
}

// move

bool CFileTreeOperation::Move(const QString& source, const QString& destination)
{
    const QByteArray from = nativePath(source);
    const QByteArray to = nativePath(destination);
    int rc = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    // File systems that cannot refuse to replace are asked first.
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
        if (PathKind(destination) != kMissing) {
            errno = EEXIST;
        } else {
            rc = std::rename(from.constData(), to.constData());
        }
    }
    if (rc == 0)
        return true;
    fail(CFExeption(errno));
    return false;
}

// delete

void CFileTreeOperation::DeleteTree(const QString& path)
{
    deleteEntry(withoutTrailingSeparator(path));
}

bool CFileTreeOperation::deleteEntry(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink()) {
        bool kept = false;
        const QStringList entries = QDir(path).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& entry : entries)
            kept = deleteEntry(path + kSeparator + entry) || kept;
        if (::rmdir(nativePath(path).constData()) != 0 && !kept)
            throw CFExeption(errno);
        return kept;
    }
    if (!mayDelete(path))
        return true;
    if (::unlink(nativePath(path).constData()) != 0)
        throw CFExeption(errno);
    return false;
}

bool CFileTreeOperation::mayDelete(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return true;
    QFile file(path);
    const QFileDevice::Permissions permissions = file.permissions();
    if (permissions == QFileDevice::Permissions())
        return false;
    if (permissions & QFileDevice::WriteOwner)
        return true;
    if (m_bAskIfReadOnly) {
        const platform::Answer answer = platform::ask(
            QStringLiteral("%1 is read olny. Do you want delete it?").arg(info.fileName()),
            platform::Buttons::YesNoCancel, QStringLiteral("Warning"));
        if (answer == platform::Answer::Cancel) {
            m_bAborted = true;
            throw CFExeption(QStringLiteral("Operation aborted"));
        }
        if (answer != platform::Answer::Yes)
            return false;
    }
    return file.setPermissions(permissions | QFileDevice::WriteOwner | QFileDevice::WriteUser);
}
