#include "platform/savefile.h"

#include "platform/datarevision.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace platform {

namespace {

std::atomic<std::uint64_t> g_sharedRevision{0};

} // namespace

std::uint64_t sharedDataRevision()
{
    return g_sharedRevision.load(std::memory_order_acquire);
}

void noteSharedDataChanged()
{
    g_sharedRevision.fetch_add(1, std::memory_order_acq_rel);
}

bool saveFile(const QString& path, const QByteArray& data, QString* error)
{
    return saveFile(
        path, [&data](QIODevice& out) { return out.write(data) == data.size(); }, error);
}

bool saveFile(const QString& path, const std::function<bool(QIODevice&)>& writer, QString* error)
{
    // Counted before the write: a reader that saw the old number reads the
    // file again, whether or not the write succeeds.
    noteSharedDataChanged();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    bool written = false;
    try {
        written = writer(file);
    } catch (...) {
        file.cancelWriting();
        throw;
    }
    if (!written) {
        file.cancelWriting();
        if (error)
            *error = file.error() != QFileDevice::NoError ? file.errorString()
                                                         : QStringLiteral("write failed");
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

StagedFile::~StagedFile()
{
    if (!m_written.isEmpty())
        QFile::remove(m_written);
}

bool StagedFile::write(const QString& path, const QByteArray& data, QString* error)
{
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    m_target = path;
    m_written = file.fileName();
    // The file gets the looks a plain save gives it: the older file's, or
    // readable by all.
    const QFileInfo older(path);
    file.setPermissions(older.exists() ? older.permissions()
                                       : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser
                                             | QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    if (file.write(data) != data.size() || !file.flush()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool StagedFile::commit(QString* error)
{
    noteSharedDataChanged();
    // A rename over the target replaces it in one step.
    if (m_written.isEmpty()
        || std::rename(QFile::encodeName(m_written).constData(), QFile::encodeName(m_target).constData()) != 0) {
        if (error)
            *error = m_written.isEmpty() ? QStringLiteral("nothing was written") : QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    m_written.clear();
    return true;
}

bool readFile(const QString& path, QByteArray* data, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    *data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace platform
