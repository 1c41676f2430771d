#include "tables/processing/processtableeditline.h"
#include "platform/archive.h"
#include "tests/core/model/barcore_bytes.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using test::Bytes;
using test::CacheScope;
using test::ShapeBuilder;
using Line = CVes_ProcessTableEditLine;

// The processing bar as it follows the row: the shape reference, then the
// bar's own part with one tag.
QByteArray barBytes(int emptyFlag)
{
    Bytes b;
    b.raw(test::referenceBytes(8, test::ReferenceFields{}));
    b.i32(1)                // schema
        .str("A-3")         // number
        .i32(4)             // count
        .f32(16.0f)         // diameter
        .i32(2)             // grade
        .i32(0)             // type
        .i32(1)             // computed length
        .f32(2500.0f)       // stored length
        .i32(0)             // user value
        .str("")            // remark
        .i32(0)             // own bend diameters
        .i32(1)             // rows
        .i32(9)             // processing number
        .i32(emptyFlag)     // empty flag
        .i32(1)             // tags
        .i32(4).i32(9).i32(0).str("");
    return b;
}

struct LineFields {
    int version = 1;
    int kind = 0;
    int rows = 1;
    int lock = 0;
    const char* textHex = nullptr; // length byte and GBK bytes; none for a bar row
};

QByteArray lineBytes(const LineFields& f, int barEmpty)
{
    Bytes b;
    b.i32(f.version).i32(f.kind).i32(f.rows).i32(f.lock);
    if (f.textHex)
        b.raw(test::hex(f.textHex));
    b.raw(barBytes(barEmpty));
    return b;
}

QByteArray save(Line& line)
{
    platform::Archive ar;
    line.Serialize(ar);
    return ar.data();
}

void load(Line& line, const QByteArray& bytes)
{
    platform::Archive ar(bytes);
    line.Serialize(ar);
    EXPECT_TRUE(ar.atEnd()) << ar.remaining() << " bytes left";
}

class ProcessTableEditLineStreamBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        scope.add(ShapeBuilder({150, 20}).var("L", 3000).straight({1300, 150}, "0", "L").build());
    }
    CacheScope scope;
};

// every kind, read from bytes laid out by hand and written back

struct KindCase {
    const char* name;
    LineFields fields;
    const char* text; // the one text the row carries
    QString (Line::*accessor)() const;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableEditLineStream : public ProcessTableEditLineStreamBase,
                                   public ::testing::WithParamInterface<KindCase> {};

TEST_P(ProcessTableEditLineStream, ReadsTheRowAndWritesTheSameBytes)
{
    const KindCase& c = GetParam();
    const bool heading = c.fields.kind != 0;
    const QByteArray bytes = lineBytes(c.fields, heading ? 1 : 0);

    Line line;
    line.setProject(QStringLiteral("old project"));
    line.setStory(QStringLiteral("old storey"));
    line.setEleType(QStringLiteral("old type"));
    line.setEle(QStringLiteral("old element"));
    line.m_null = 1;
    load(line, bytes);

    EXPECT_EQ(line.getType(), unsigned(c.fields.kind));
    EXPECT_EQ(line.getRows(), c.fields.rows);
    EXPECT_EQ(line.getLock(), c.fields.lock);
    EXPECT_EQ(line.m_null, 0) << "the empty mark is not stored";
    EXPECT_EQ(line.isNull(), 0) << "a heading by its mark, a bar row by its bar";
    EXPECT_EQ(line.getSteel()->isNull(), heading ? 1 : 0);
    // The row's own text; the other three are not stored.
    const QString own = QString::fromUtf8(c.text);
    int nonEmpty = 0;
    for (const QString& t : {line.getProject(), line.getStory(), line.getEleType(), line.getEle()})
        nonEmpty += t.isEmpty() ? 0 : 1;
    if (c.accessor) {
        EXPECT_EQ((line.*c.accessor)(), own);
        EXPECT_EQ(nonEmpty, 1);
    } else {
        EXPECT_EQ(nonEmpty, 0);
    }

    const CVes_ProcessSteel& bar = *line.getSteel();
    EXPECT_EQ(bar.getRecordId(), CSteelRecordId(150, 20));
    EXPECT_EQ(bar.number, "A-3");
    EXPECT_EQ(bar.count, 4);
    EXPECT_EQ(bar.DN, 16.0f);
    EXPECT_EQ(bar.getPID(), 9);
    ASSERT_EQ(bar.getLPNum(), 1);
    EXPECT_EQ(bar.tags[0].mark, 9);

    EXPECT_EQ(test::toHex(save(line)).toStdString(), test::toHex(bytes).toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ProcessTableEditLineStream,
    ::testing::Values(
        KindCase{"bar_row", {1, 0, 2, 1, nullptr}, "", nullptr},
        KindCase{"element", {1, 1, 1, 0, "03 4B 5A 31"}, "KZ1", &Line::getEle},
        KindCase{"element_type", {1, 2, 1, 1, "06 BF F2 BC DC D6 F9"}, "框架柱",
                 &Line::getEleType},
        KindCase{"storey", {1, 3, 1, 0, "04 D2 BB B2 E3"}, "一层", &Line::getStory},
        KindCase{"project", {1, 4, 1, 0, "04 B9 A4 B3 CC"}, "工程", &Line::getProject},
        KindCase{"heading_with_an_empty_text", {1, 3, 1, 0, "00"}, "", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessTableEditLineStreamBase, WritesOnlyTheHeadingsOwnText)
{
    Line line(Line::kEleTypeRow);
    line.setProject(QStringLiteral("P"));
    line.setStory(QStringLiteral("S"));
    line.setEleType(QStringLiteral("梁"));
    line.setEle(QStringLiteral("E"));
    line.setRows(2);
    line.setLock(1);
    line.setShow(0);
    line.setTextColor(0x0000FF);
    line.m_null = 1;
    line.setFirstLp(3);

    platform::Archive bar;
    line.m_steel.Serialize(bar);
    const QByteArray expected =
        Bytes().i32(1).i32(2).i32(2).i32(1).raw(test::hex("02 C1 BA")).raw(bar.data());
    EXPECT_EQ(test::toHex(save(line)).toStdString(), test::toHex(expected).toStdString());
}

TEST_F(ProcessTableEditLineStreamBase, RoundTripKeepsWhatTheSheetNeeds)
{
    Line source(Line::kSteelRow);
    source.m_steel.setRecordId({150, 20});
    source.m_steel.number = QStringLiteral("5");
    source.m_steel.count = 3;
    source.m_steel.AddLp(3, 1, 0, QStringLiteral("料牌"), 0);
    source.m_steel.AddLp(3, 1, 1, QString(), 0);
    source.setNull(0);
    source.setRows(2);
    source.setLock(1);

    Line back;
    load(back, save(source));
    EXPECT_EQ(back.getType(), Line::kSteelRow);
    EXPECT_EQ(back.getRows(), 2);
    EXPECT_EQ(back.getLock(), 1);
    EXPECT_EQ(back.isNull(), 0);
    EXPECT_EQ(back.getSteel()->number, "5");
    EXPECT_EQ(back.getSteel()->tags, source.m_steel.tags);
    EXPECT_EQ(back.compare(source), 1);

    // A row marked empty over a real bar reads back as a real row; a row
    // whose bar is empty reads back empty.
    source.m_null = 1;
    load(back, save(source));
    EXPECT_EQ(back.isNull(), 0);
    source.setNull(1);
    load(back, save(source));
    EXPECT_EQ(back.isNull(), 1);
}

// damaged and foreign streams

void holdValues(Line& line)
{
    line.setType(Line::kStoryRow);
    line.setStory(QStringLiteral("kept"));
    line.setRows(6);
    line.setLock(1);
}

void expectHeld(const Line& line)
{
    EXPECT_EQ(line.getType(), Line::kStoryRow);
    EXPECT_EQ(line.getStory(), "kept");
    EXPECT_EQ(line.getRows(), 6);
    EXPECT_EQ(line.getLock(), 1);
}

TEST_F(ProcessTableEditLineStreamBase, UnknownVersionIsRefusedWithMinus100)
{
    for (int version : {0, 2, -1, 4}) {
        SCOPED_TRACE(version);
        Line line;
        holdValues(line);
        LineFields f;
        f.version = version;
        platform::Archive ar(lineBytes(f, 0));
        try {
            line.Serialize(ar);
            ADD_FAILURE() << "version " << version << " was read";
        } catch (const platform::SchemaError& e) {
            EXPECT_EQ(e.code(), -100);
            EXPECT_EQ(e.schema(), version);
        }
        expectHeld(line);
    }
}

TEST_F(ProcessTableEditLineStreamBase, EveryTruncationFails)
{
    LineFields f;
    f.kind = 3;
    f.textHex = "04 D2 BB B2 E3";
    const QByteArray bytes = lineBytes(f, 1);
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        SCOPED_TRACE(n);
        Line line;
        holdValues(line);
        platform::Archive ar(bytes.left(n));
        EXPECT_THROW(line.Serialize(ar), platform::ArchiveError);
        expectHeld(line);
    }
}

struct ImpossibleCase {
    const char* name;
    int kind;
    int rows;
};

void PrintTo(const ImpossibleCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableEditLineImpossible : public ProcessTableEditLineStreamBase,
                                       public ::testing::WithParamInterface<ImpossibleCase> {};

TEST_P(ProcessTableEditLineImpossible, IsADamagedStream)
{
    const ImpossibleCase& c = GetParam();
    LineFields f;
    f.kind = c.kind;
    f.rows = c.rows;
    Line line;
    holdValues(line);
    platform::Archive ar(lineBytes(f, 0));
    EXPECT_THROW(line.Serialize(ar), platform::ArchiveError);
    expectHeld(line);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProcessTableEditLineImpossible,
                         ::testing::Values(ImpossibleCase{"kind_5", 5, 1},
                                           ImpossibleCase{"kind_minus_1", -1, 1},
                                           ImpossibleCase{"kind_huge", 0x7FFFFFFF, 1},
                                           ImpossibleCase{"negative_rows", 0, -1},
                                           ImpossibleCase{"more_rows_than_a_page_holds", 0, 501},
                                           ImpossibleCase{"rows_of_a_huge_count", 0, 0x40000000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessTableEditLineStreamBase, ZeroRowsAreRead)
{
    LineFields f;
    f.rows = 0;
    Line line;
    load(line, lineBytes(f, 0));
    EXPECT_EQ(line.getRows(), 0);
}

} // namespace
