// The stored form of a bar-list line, checked against bytes laid out by hand
// for every schema the reader takes.

#include "tables/barlist/setuptableline.h"

#include "platform/archive.h"
#include "tests/core/model/barcore_bytes.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using test::Bytes;

std::unique_ptr<CVes_ModelRecord> straightShape()
{
    return test::ShapeBuilder({150, 20}).var("L", 3000).straight({1300, 150}, "0", "L").build();
}

// A start-style reference, schema 1: key and one variable.
QByteArray startBytes(int mainId, int recordNo, double a)
{
    return Bytes().i32(1).i32(mainId).i32(recordNo).i32(1).raw(test::variableBytes("a", 2, a));
}

// A bar of the bar list: the shape reference, then the bar's own part
// (schema 3).
QByteArray steelBytes(const char* number)
{
    test::ReferenceFields reference;
    reference.variables = test::standardVariables(20, 2500); // d as the bar's diameter
    return Bytes()
        .raw(test::referenceBytes(8, reference))
        .i32(3).str(number).i32(4).f32(20.0f).i32(3).i32(0).str("150").str("").str("")
        .i32(1).f32(2500.0f).i32(0).str("note")
        .raw(startBytes(101, 7, 150))
        .i32(0);
}

// The fields every line starts with, as the schema has them.
QByteArray head(int schema, int kind, int empty, int lock, int rows, int shown, std::uint32_t colour)
{
    Bytes b;
    b.i32(schema).i32(kind).i32(empty).i32(lock).i32(rows);
    if (schema >= 3)
        b.i32(shown);
    if (schema >= 6)
        b.u32(colour);
    return b;
}

struct StreamCase {
    const char* name;
    QByteArray bytes;
    std::function<void(CVes_SetupTableLine&)> check;
};

std::ostream& operator<<(std::ostream& os, const StreamCase& c)
{
    return os << c.name;
}

// Shown flag and colour as an old schema leaves them: the constructor's.
void expectHead(CVes_SetupTableLine& line, unsigned kind, int shown, std::uint32_t colour)
{
    EXPECT_EQ(line.getType(), kind);
    EXPECT_EQ(line.isNull(), 0);
    EXPECT_EQ(line.getLock(), 1);
    EXPECT_EQ(line.getRows(), 2);
    EXPECT_EQ(line.getShow(), shown);
    EXPECT_EQ(line.getTextColor(), colour);
}

void expectBar(CVes_SetupTableLine& line, int mergeMark)
{
    ASSERT_NE(line.getSetupSteel(), nullptr);
    const CVes_Steel& bar = *line.getSetupSteel();
    EXPECT_EQ(bar.number, "2b");
    EXPECT_EQ(bar.count, 4);
    EXPECT_EQ(bar.DN, 20.0f);
    EXPECT_EQ(bar.grade, 3);
    EXPECT_EQ(bar.remark, "note");
    EXPECT_EQ(bar.getRecordId(), CSteelRecordId(150, 20));
    EXPECT_EQ(bar.getVarValue("L"), 2500.0);
    EXPECT_EQ(bar.start.getRecordId(), CSteelRecordId(101, 7));
    EXPECT_EQ(line.getRemarkMerge(), mergeMark);
}

void expectUnit(CVes_SetupTableLine& line)
{
    EXPECT_EQ(line.m_unitMerged, 0);
    EXPECT_EQ(line.m_unitSame, 0);
    EXPECT_EQ(line.m_unitForm, 1);
    EXPECT_EQ(line.getUnitStart(), "1");
    EXPECT_EQ(line.getUnitEnd(), "3");
}

void expectTexts(CVes_SetupTableLine& line)
{
    ASSERT_NE(line.getTextArray(), nullptr);
    EXPECT_EQ(*line.getTextArray(), QStringList({"a", "", "c"}));
}

void expectElement(CVes_SetupTableLine& line, const char* name, int count, const char* remark)
{
    EXPECT_EQ(line.getElement(), name);
    EXPECT_EQ(line.getEleNum(), count);
    EXPECT_EQ(line.getEleRemark(), remark);
}

void expectImage(CVes_SetupTableLine& line, CSteelRecordId id)
{
    ASSERT_NE(line.getImage(), nullptr);
    EXPECT_EQ(line.getImage()->getRecordId(), id);
}

const QByteArray kUnit = Bytes().i32(0).i32(0).i32(1).str("1").str("3");
const QByteArray kTexts = Bytes().i32(3).str("a").str("").str("c");
const QByteArray kElementFull = Bytes().str("KL1").i32(6).str("east");
const QByteArray kElementNoRemark = Bytes().str("KL1").i32(6);
const QByteArray kImage = startBytes(102, 9, 80);

std::vector<StreamCase> schema7Cases()
{
    const std::uint32_t colour = 0x00FF0000;
    return {
        {"s7_unit", head(7, 0, 0, 1, 2, 0, colour) + kUnit,
         [=](auto& l) { expectHead(l, 0, 0, colour); expectUnit(l); }},
        {"s7_bar", head(7, 1, 0, 1, 2, 0, colour) + steelBytes("2b") + Bytes().i32(2).data(),
         [=](auto& l) { expectHead(l, 1, 0, colour); expectBar(l, 2); }},
        {"s7_text", head(7, 2, 0, 1, 2, 0, colour) + kTexts,
         [=](auto& l) { expectHead(l, 2, 0, colour); expectTexts(l); }},
        {"s7_kind3", head(7, 3, 0, 1, 2, 0, colour),
         [=](auto& l) { expectHead(l, 3, 0, colour); }},
        {"s7_element", head(7, 4, 0, 1, 2, 0, colour) + kElementFull,
         [=](auto& l) { expectHead(l, 4, 0, colour); expectElement(l, "KL1", 6, "east"); }},
        {"s7_image", head(7, 5, 0, 1, 2, 0, colour) + kImage,
         [=](auto& l) { expectHead(l, 5, 0, colour); expectImage(l, {102, 9}); }},
        {"s7_unknown_kind", head(7, 9, 0, 1, 2, 0, colour),
         [=](auto& l) { expectHead(l, 9, 0, colour); }},
    };
}

std::vector<StreamCase> olderCases()
{
    const CSteelRecordId none;
    return {
        // Schema 1: no shown flag, no colour, no merge mark; elements and
        // images carry nothing.
        {"s1_bar", head(1, 1, 0, 1, 2, 0, 0) + steelBytes("2b"),
         [](auto& l) { expectHead(l, 1, 1, 0); expectBar(l, 0); }},
        {"s1_unit", head(1, 0, 0, 1, 2, 0, 0) + kUnit,
         [](auto& l) { expectHead(l, 0, 1, 0); expectUnit(l); }},
        {"s1_text", head(1, 2, 0, 1, 2, 0, 0) + kTexts,
         [](auto& l) { expectHead(l, 2, 1, 0); expectTexts(l); }},
        {"s1_element", head(1, 4, 0, 1, 2, 0, 0),
         [](auto& l) { expectHead(l, 4, 1, 0); expectElement(l, "", 0, ""); }},
        {"s1_image", head(1, 5, 0, 1, 2, 0, 0),
         [=](auto& l) { expectHead(l, 5, 1, 0); expectImage(l, none); }},
        // Schema 2: element name and count.
        {"s2_element", head(2, 4, 0, 1, 2, 0, 0) + kElementNoRemark,
         [](auto& l) { expectHead(l, 4, 1, 0); expectElement(l, "KL1", 6, ""); }},
        {"s2_image", head(2, 5, 0, 1, 2, 0, 0),
         [=](auto& l) { expectHead(l, 5, 1, 0); expectImage(l, none); }},
        // Schema 3: the shown flag.
        {"s3_element", head(3, 4, 0, 1, 2, 0, 0) + kElementNoRemark,
         [](auto& l) { expectHead(l, 4, 0, 0); expectElement(l, "KL1", 6, ""); }},
        {"s3_bar", head(3, 1, 0, 1, 2, 0, 0) + steelBytes("2b"),
         [](auto& l) { expectHead(l, 1, 0, 0); expectBar(l, 0); }},
        // Schema 4: the element remark.
        {"s4_element", head(4, 4, 0, 1, 2, 0, 0) + kElementFull,
         [](auto& l) { expectHead(l, 4, 0, 0); expectElement(l, "KL1", 6, "east"); }},
        {"s4_image", head(4, 5, 0, 1, 2, 0, 0),
         [=](auto& l) { expectHead(l, 5, 0, 0); expectImage(l, none); }},
        // Schema 5: the sketch of an image line.
        {"s5_image", head(5, 5, 0, 1, 2, 0, 0) + kImage,
         [](auto& l) { expectHead(l, 5, 0, 0); expectImage(l, {102, 9}); }},
        // Schema 6: the text colour, still no merge mark.
        {"s6_bar", head(6, 1, 0, 1, 2, 0, 0x0000FF) + steelBytes("2b"),
         [](auto& l) { expectHead(l, 1, 0, 0x0000FF); expectBar(l, 0); }},
        {"s6_text", head(6, 2, 0, 1, 2, 1, 0x00FF00) + kTexts,
         [](auto& l) { expectHead(l, 2, 1, 0x00FF00); expectTexts(l); }},
    };
}

class LineStream : public ::testing::TestWithParam<StreamCase> {
protected:
    test::CacheScope m_scope;
    void SetUp() override { m_scope.add(straightShape()); }
};

TEST_P(LineStream, ReadsTheFieldsTheSchemaCarries)
{
    const StreamCase& c = GetParam();
    CVes_SetupTableLine line;
    platform::Archive ar(c.bytes);
    line.Serialize(ar);
    EXPECT_TRUE(ar.atEnd()) << ar.remaining() << " bytes left";
    c.check(line);
}

// A line read from a file and a line copied from it both write what was
// read, and the written line reads back to the same fields.
TEST_P(LineStream, WritesSchema7AndReadsItBack)
{
    const StreamCase& c = GetParam();
    CVes_SetupTableLine line;
    platform::Archive in(c.bytes);
    line.Serialize(in);

    platform::Archive out;
    line.Serialize(out);
    if (c.bytes.startsWith(Bytes().i32(7).data())) {
        EXPECT_EQ(test::toHex(out.data()), test::toHex(c.bytes));
    }

    CVes_SetupTableLine again;
    platform::Archive back(out.data());
    again.Serialize(back);
    EXPECT_TRUE(back.atEnd());
    c.check(again);

    CVes_SetupTableLine copied;
    copied.setShow(line.getShow());
    copied.setTextColor(line.getTextColor());
    copied.copy(&line);
    platform::Archive copyOut;
    copied.Serialize(copyOut);
    EXPECT_EQ(test::toHex(copyOut.data()).toStdString(), test::toHex(out.data()).toStdString());
}

// A file cut short anywhere is refused with an archive error, never read
// past its end.
TEST_P(LineStream, RefusesEveryTruncation)
{
    const StreamCase& c = GetParam();
    for (qsizetype n = 0; n < c.bytes.size(); ++n) {
        CVes_SetupTableLine line;
        platform::Archive ar(c.bytes.left(n));
        EXPECT_THROW(line.Serialize(ar), platform::ArchiveError) << "cut at " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Schema7, LineStream, ::testing::ValuesIn(schema7Cases()),
                         [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(OlderSchemas, LineStream, ::testing::ValuesIn(olderCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineStreamSchema, UnknownSchemasAreRefusedWithMinus100)
{
    for (int schema : {0, 8, -1, 100}) {
        CVes_SetupTableLine line;
        platform::Archive ar(head(7, 4, 0, 0, 1, 1, 0).replace(0, 4, Bytes().i32(schema).data())
                             + kElementFull);
        try {
            line.Serialize(ar);
            ADD_FAILURE() << "schema " << schema << " was read";
        } catch (const platform::SchemaError& e) {
            EXPECT_EQ(e.code(), -100);
        }
    }
}

TEST(LineStreamSchema, TextCountsThatTheFileCannotHoldAreRefused)
{
    for (std::int32_t n : {-1, 4, 0x7FFFFFFF}) {
        CVes_SetupTableLine line;
        platform::Archive ar(head(7, 2, 0, 0, 1, 1, 0) + Bytes().i32(n).str("a").data());
        EXPECT_THROW(line.Serialize(ar), platform::ArchiveError) << n;
    }
}

TEST(LineStreamSchema, NewLinesWriteTheirDefaults)
{
    // A new unit line: merged 1, same bars 1, names and positions (2).
    CVes_SetupTableLine unit(0);
    platform::Archive out;
    unit.Serialize(out);
    EXPECT_EQ(test::toHex(out.data()),
              test::toHex(Bytes().i32(7).i32(0).i32(1).i32(0).i32(1).i32(1).u32(0)
                              .i32(1).i32(1).i32(2).str("").str("")));
}

TEST(LineStreamSchema, AnImageLineWithoutSketchStoresAnEmptyOne)
{
    test::CacheScope scope;
    CVes_SetupTableLine line; // a bar line turned into an image line
    line.setType(CVes_SetupTableLine::kImageLine);
    platform::Archive out;
    line.Serialize(out);

    CVes_SetupTableLine back;
    platform::Archive in(out.data());
    back.Serialize(in);
    EXPECT_TRUE(in.atEnd());
    ASSERT_NE(back.getImage(), nullptr);
    EXPECT_TRUE(back.getImage()->getRecordId().isNull());
}

} // namespace
