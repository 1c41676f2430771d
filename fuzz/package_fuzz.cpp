// Feeds arbitrary bytes to the workbook's repackaging as the package the
// spreadsheet library wrote, replacing the pictures' folder. A crash, a
// sanitizer report or an abort below is a finding: bytes that are not a
// package must give an error, and a package written must read back.

#include "fuzz/fuzzsupport.h"

#include "platform/xlsx/package.h"

#include <QString>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using platform::xlsx::PackageMember;
    const QByteArray package = fuzz::bytesOf(data, size);
    QString error;
    const QByteArray written =
        platform::xlsx::repackage(package, {}, QByteArrayLiteral("xl/media/"),
                                  {PackageMember::store("xl/media/image1.png", QByteArrayLiteral("png")),
                                   PackageMember::compress("xl/drawings/drawing9.xml", package.left(64))},
                                  &error);
    FUZZ_CHECK(written.isEmpty() != error.isEmpty());
    if (written.isEmpty())
        return 0;
    // What was written is a package of its own: it reads back.
    QString again;
    FUZZ_CHECK(!platform::xlsx::repackage(written, {}, {}, {}, &again).isEmpty());
    FUZZ_CHECK(again.isEmpty());
    return 0;
}
