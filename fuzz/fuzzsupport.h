#pragma once
// What the fuzz targets share: a private data folder for the run, a check
// that stops the run naming the failed condition, and the drawing of a
// shape or a page onto recording contexts (screen and printer), so that
// what a reader lets through is also drawn and measured.

#include "platform/archive.h"
#include "platform/rect.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

class CVes_BarCore;
class CVes_ModelRecord;
class CVes_ReferenceBase;
class CVes_TableBase;

// Stops the run with the failed condition, so that the finding says which.
#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "check failed: %s (line %d)\n", #condition, __LINE__);   \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

namespace fuzz {

// Points the data folder at a fresh temporary folder (seeded with the
// default shapes on first use). Called from LLVMFuzzerInitialize.
void prepare();
// `prepare`, and an application on the offscreen platform for the targets
// that measure texts with fonts; it lives as long as the process.
void prepareWithFonts(int* argc, char*** argv);

inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Numbers taken from the input in turn, for targets that set values rather
// than read a file; zeros once the input runs out.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    template <typename T>
    T take()
    {
        T value{};
        if (m_size >= sizeof(T)) {
            std::memcpy(&value, m_data, sizeof(T));
            m_data += sizeof(T);
            m_size -= sizeof(T);
        }
        return value;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// Measures a bar as the sheets do: single and grouped lengths of both ends
// of its ranges, bends, joints and the texts of its dimensions.
void measureBar(CVes_BarCore& bar);

// Draws a shape record as a thumbnail and at full size.
void drawShape(CVes_ModelRecord& record);
// Draws a bar (or any shape user) into a cell-sized rectangle.
void drawReference(CVes_ReferenceBase& reference);
// Pages through a table and draws its first, last and cover pages on the
// screen and on a printer.
void drawPages(CVes_TableBase& table);

// Reads a sheet's file into a fresh table of its kind and takes it over, as
// the documents open a file; false when the file is refused (damaged, or of
// a newer program).
bool load(CVes_TableBase& table, const QByteArray& bytes);
// Saves the table as its document does and opens what was saved as the
// document does: it must read whole and save again to the same bytes,
// since whatever the program writes it must read back. A text the archive
// cannot write refuses the save as a whole (the document says so).
void checkSavedReopens(CVes_TableBase& table);

// Reads `written` (what an item of type T wrote) into a fresh T and writes
// that again: it must read to the end and give the same bytes.
template <typename T>
void checkWrittenReadsBack(const QByteArray& written)
{
    T back;
    platform::Archive in(written);
    back.Serialize(in);
    FUZZ_CHECK(in.atEnd());
    platform::Archive again;
    back.Serialize(again);
    FUZZ_CHECK(again.data() == written);
}

// A file of the run's data folder holding `bytes`, for readers that take a
// path; answers its path.
QString writeScratchFile(const char* name, const QByteArray& bytes);

} // namespace fuzz
