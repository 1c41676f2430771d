#include "platform/savefile.h"

#include "platform/datarevision.h"

#include <QFile>
#include <QSaveFile>

#include <atomic>

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
