// Raw stock: the user's "KUCUN.xml" through both readers (the settings
// library's and the cutting optimisation's), and the raw-stock block of
// sheet files, chosen by the first byte. A failed read leaves a library as
// it was; what the settings library reads it writes and reads back.

#include "fuzz/fuzzsupport.h"

#include "core/model/steelyuancai.h"
#include "envora/steelyuancaidata.h"
#include "platform/archive.h"

namespace {

CVes_SteelYuanCaiDataLib sample()
{
    CVes_SteelYuanCaiDataLib lib;
    CVes_SteelYuanCaiData record;
    record.DN = 12.0f;
    record.grade = 2;
    record.name = QStringLiteral("盘螺");
    lib.append(record);
    return lib;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0: {
        const QString path = fuzz::writeScratchFile("KUCUN.xml", bytes);
        CVes_SteelYuanCaiDataLib lib = sample();
        if (!lib.readFile(path)) {
            FUZZ_CHECK(lib == sample());
            break;
        }
        const QString again = fuzz::writeScratchFile("KUCUN-again.xml", QByteArray());
        FUZZ_CHECK(lib.writeFile(again));
        CVes_SteelYuanCaiDataLib back;
        FUZZ_CHECK(back.readFile(again));
        FUZZ_CHECK(back.count() == lib.count());
        break;
    }
    case 1: {
        const QString path = fuzz::writeScratchFile("KUCUN.xml", bytes);
        CVes_SteelYuanCaiLib lib;
        lib.readFile(path);
        for (int i = 0; i < lib.count(); ++i)
            lib.getYuanCaiLength(lib.at(i)->DN, unsigned(lib.at(i)->grade),
                                 unsigned(lib.at(i)->steelType));
        break;
    }
    default: {
        CVes_SteelYuanCaiDataLib lib = sample();
        try {
            platform::Archive ar(bytes);
            lib.Serialize(ar);
        } catch (const platform::ArchiveError&) {
            FUZZ_CHECK(lib == sample());
        } catch (const platform::SchemaError&) {
            FUZZ_CHECK(lib == sample());
        }
        break;
    }
    }
    return 0;
}
