// Reads the archive's primitives in an order the input itself chooses: each
// byte picks the next read. Every read either answers a value or throws
// ArchiveError; none reads past the end or allocates from an unchecked count.
// A text reads as it reads alone, with nothing converted before it.

#include "fuzz/fuzzsupport.h"

#include "platform/archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first bytes choose the reads, the rest is the stream.
    const std::size_t plan = std::min<std::size_t>(data[0], size - 1);
    const QByteArray stream = fuzz::bytesOf(data + 1 + plan, size - 1 - plan);
    platform::Archive ar(stream);
    try {
        for (std::size_t i = 0; i < plan; ++i) {
            const qsizetype before = ar.remaining();
            switch (data[1 + i] % 10) {
            case 0: { std::int32_t v; ar >> v; break; }
            case 1: { std::uint32_t v; ar >> v; break; }
            case 2: { std::uint16_t v; ar >> v; break; }
            case 3: { std::uint8_t v; ar >> v; break; }
            case 4: { float v; ar >> v; break; }
            case 5: { double v; ar >> v; break; }
            case 6: {
                const qsizetype at = ar.position();
                QString v;
                ar >> v;
                platform::Archive alone(stream.mid(at, ar.position() - at));
                QString again;
                alone >> again;
                FUZZ_CHECK(again == v);
                break;
            }
            case 7: FUZZ_CHECK(qsizetype(ar.readCount(data[1 + i] % 7)) <= before); break;
            case 8: FUZZ_CHECK(qsizetype(ar.readIntCount(1 + data[1 + i] % 5)) <= before); break;
            default: ar.readBytes(data[1 + i] % 16); break;
            }
            FUZZ_CHECK(ar.remaining() <= before && ar.remaining() >= 0);
        }
    } catch (const platform::ArchiveError&) {
    }
    return 0;
}
