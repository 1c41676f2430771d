#pragma once
// The one place that writes files. A save writes a temporary file beside the
// target and renames it over the target only when everything was written, so
// a failure never damages the previous file and never leaves a stale tail.

#include <QByteArray>
#include <QString>
#include <functional>
#include <utility>

class QIODevice;

namespace platform {

// Writes `data` to `path` atomically. On failure answers false and, when
// `error` is given, a readable reason.
bool saveFile(const QString& path, const QByteArray& data, QString* error = nullptr);

// Streams into the file through `writer`; a writer that answers false or
// throws cancels the save and the previous file stays as it was.
bool saveFile(const QString& path, const std::function<bool(QIODevice&)>& writer,
              QString* error = nullptr);

// A save in two steps, for work that must not hold the user-interface
// thread yet may still be cancelled: `write` (on any thread) writes the
// whole file beside its target, `commit` (where the save is decided) puts
// it over the target at once. Dropped before its commit, it leaves no trace
// and the previous file as it was.
class StagedFile {
public:
    StagedFile() = default;
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    bool write(const QString& path, const QByteArray& data, QString* error = nullptr);
    bool commit(QString* error = nullptr);

private:
    QString m_target;
    QString m_written; // the file beside it, until committed
};

// Reads the whole file; answers false when it cannot be opened or read.
bool readFile(const QString& path, QByteArray* data, QString* error = nullptr);

// Loads into a fresh object and moves it over `target` only when `load`
// succeeds, so a failed load leaves what was there before.
template <typename T, typename Load>
bool loadReplacing(T& target, Load&& load)
{
    T fresh{};
    if (!std::forward<Load>(load)(fresh))
        return false;
    target = std::move(fresh);
    return true;
}

} // namespace platform
