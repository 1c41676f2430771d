// Version files fetched from the update server: any bytes read without a
// crash, and the upgrade address is never longer than the file allows.

#include "app/shell/versionfile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const VersionFile file = readVersionFile(bytes);
    if (file.url.size() > 100)
        std::abort();
    return 0;
}
