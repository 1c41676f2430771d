#pragma once
// Shared pieces of the processing-sheet tests: rows built field by field, a
// straight and a stirrup shape in the cache of used shapes, the sheet's
// rows as text, and the stored forms of rows written byte by byte.

#include "core/model/processsteel.h"
#include "platform/archive.h"
#include "tables/processing/processtable.h"
#include "tables/processing/processtableeditline.h"
#include "tests/core/model/barcore_bytes.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace test {

using EditLine = CVes_ProcessTableEditLine;

// Shape keys of the cached shapes.
inline const CSteelRecordId kStraight(150, 20); // one side "L", 3000 mm
inline const CSteelRecordId kStirrup(150, 21);  // a stirrup of sides "A" and "B"
inline const CSteelRecordId kBent(150, 22);     // two sides "A" and "B", hooked at the left

// Puts the test shapes into the cache of used shapes for a test's duration.
class ProcessingShapes {
public:
    ProcessingShapes()
    {
        m_scope.add(ShapeBuilder(kStraight).var("L", 3000).straight({1300, 150}, "0", "L").build());
        m_scope.add(ShapeBuilder(kStirrup)
                        .var("A", 300)
                        .var("B", 200)
                        .straight({1300, 150}, "0", "A")
                        .straight({1300, 750}, "90", "B")
                        .stirrup()
                        .build());
        m_scope.add(ShapeBuilder(kBent)
                        .var("A", 1000)
                        .var("B", 500)
                        .straight({1300, 150}, "0", "A")
                        .straight({1300, 750}, "90", "B")
                        .hooks(2, 0)
                        .build());
    }

private:
    CacheScope m_scope;
};

// A processing bar with a typed length and no shape.
inline CVes_ProcessSteel processBar(const char* number, int grade, float d, int count,
                                    float length)
{
    CVes_ProcessSteel bar;
    bar.number = QString::fromUtf8(number);
    bar.grade = grade;
    bar.DN = d;
    bar.count = count;
    bar.calcLength = 0;
    bar.length = length;
    bar.setNull(0);
    return bar;
}

// A processing bar of a cached shape, its length computed from `value` of
// the shape's first dimension.
inline CVes_ProcessSteel shapedBar(const char* number, CSteelRecordId shape, const char* dimension,
                                   double value, int count, int grade = 3, float d = 12.0f)
{
    CVes_ProcessSteel bar = processBar(number, grade, d, count, 0.0f);
    bar.setRecordId(shape);
    bar.calcLength = 1;
    bar.setVarValue(QString::fromUtf8(dimension), value);
    bar.setVarValueE(QString::fromUtf8(dimension), value);
    return bar;
}

// A bar row holding a copy of the bar (its first tag added).
inline EditLine* barRow(const CVes_ProcessSteel& bar)
{
    auto* line = new EditLine();
    line->setSteel(bar);
    return line;
}

// A heading row of a kind with its text, its bar empty.
inline EditLine* headingRow(unsigned int kind, const QString& text)
{
    auto* line = new EditLine(kind);
    switch (kind) {
    case EditLine::kProjectRow: line->setProject(text); break;
    case EditLine::kStoryRow: line->setStory(text); break;
    case EditLine::kEleTypeRow: line->setEleType(text); break;
    default: line->setEle(text); break;
    }
    line->m_null = 0;
    line->setSteelNull(1);
    return line;
}

// An empty row, as the sheet pads a page with.
inline EditLine* emptyRow()
{
    auto* line = new EditLine();
    line->setNull(1);
    return line;
}

// A row as a short text: "P:name" for a project row ("S", "T", "E" for the
// other headings), "number×count" for a bar row, "-" for an empty row.
inline std::string rowText(CVes_TableBaseLine* row)
{
    auto* line = dynamic_cast<EditLine*>(row);
    if (!line)
        return "?";
    if (line->isNull())
        return "-";
    switch (line->getType()) {
    case EditLine::kProjectRow: return "P:" + line->getProject().toStdString();
    case EditLine::kStoryRow: return "S:" + line->getStory().toStdString();
    case EditLine::kEleTypeRow: return "T:" + line->getEleType().toStdString();
    case EditLine::kEleRow: return "E:" + line->getEle().toStdString();
    default: break;
    }
    const CVes_ProcessSteel& bar = *line->getProcessSteel();
    return bar.number.toStdString() + "x" + std::to_string(bar.count);
}

inline std::vector<std::string> lineTexts(const TableLineList& rows)
{
    std::vector<std::string> texts;
    for (CVes_TableBaseLine* row : rows)
        texts.push_back(rowText(row));
    return texts;
}

inline std::vector<std::string> lineTexts(const CVes_TableBase& sheet)
{
    return lineTexts(sheet.lines());
}

// The stored form of a processing bar: the shape reference, then the bar's
// own part with `tags` tags numbered from `pid`.
inline QByteArray processBarBytes(const char* number, int count, int pid, int emptyFlag, int tags)
{
    Bytes b;
    b.raw(referenceBytes(8, ReferenceFields{}));
    b.i32(1).str(number).i32(count).f32(16.0f).i32(2).i32(0).i32(1).f32(2500.0f).i32(0).str("")
        .i32(0) // own bend diameters
        .i32((tags + 2) / 3).i32(pid).i32(emptyFlag).i32(tags);
    for (int i = 0; i < tags; ++i)
        b.i32(count).i32(pid).i32(i > 0 ? i : 0).str("");
    return b;
}

// The stored form of a row: version, kind, rows, lock, the text of a heading
// (its length byte and GBK bytes as hex), then the bar.
inline QByteArray rowBytes(int kind, int rows, int lock, const char* textHex,
                           const QByteArray& bar, int version = 1)
{
    Bytes b;
    b.i32(version).i32(kind).i32(rows).i32(lock);
    if (textHex)
        b.raw(hex(textHex));
    b.raw(bar);
    return b;
}

// The table part of a new processing sheet, as every sheet file begins.
inline QByteArray tablePartBytes()
{
    CVes_ProcessTable sheet;
    platform::Archive ar;
    sheet.CVes_TableBase::Serialize(ar);
    return ar.data();
}

} // namespace test
