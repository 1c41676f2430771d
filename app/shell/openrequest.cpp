#include "app/shell/openrequest.h"

#include <QDir>

namespace {

constexpr QByteArrayView kMagic = "RODO-OPEN 1\n";

} // namespace

QByteArray encodeOpenRequest(const QStringList& files)
{
    QByteArray message(kMagic.data(), kMagic.size());
    for (const QString& file : files)
        message += file.toUtf8().replace('\n', ' ') + '\n';
    return message + '\n';
}

std::optional<QStringList> decodeOpenRequest(const QByteArray& message)
{
    if (!message.startsWith(kMagic) || !message.endsWith("\n\n") || message.size() > kMaxOpenRequest)
        return std::nullopt;
    const QByteArray body = message.mid(kMagic.size(), message.size() - kMagic.size() - 1);
    QStringList files;
    for (const QByteArray& line : body.split('\n')) {
        if (line.isEmpty())
            continue;
        const QString file = QString::fromUtf8(line);
        if (file.toUtf8() != line || !QDir::isAbsolutePath(file))
            return std::nullopt;
        files << file;
    }
    return files;
}

