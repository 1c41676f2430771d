// Messages that reach the running copy of the program from anything that
// can connect to its socket: any bytes are read without a crash, only
// absolute paths are taken, and what is taken is sent again the same way.

#include "app/shell/openrequest.h"

#include <QDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray message(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QStringList> files = decodeOpenRequest(message);
    if (!files)
        return 0;
    for (const QString& file : *files)
        if (!QDir::isAbsolutePath(file))
            std::abort();
    if (decodeOpenRequest(encodeOpenRequest(*files)) != files)
        std::abort();
    return 0;
}
