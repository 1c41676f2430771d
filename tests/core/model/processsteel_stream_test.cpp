#include "core/model/processsteel.h"
#include "envora/rules.h"
#include "platform/archive.h"
#include "tests/core/model/barcore_bytes.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

namespace {

using test::Bytes;
using test::CacheScope;
using test::ShapeBuilder;

std::unique_ptr<CVes_ModelRecord> straightShape()
{
    return ShapeBuilder({150, 20}).var("L", 3000).straight({1300, 150}, "0", "L").build();
}

// GBK texts with their one-byte length: "箍筋" and "料牌".
const char* const kRemarkGbk = "04 B9 BF BD EE";
const char* const kTagTextGbk = "04 C1 CF C5 C6";

struct PartFields {
    int schema = 1;
    int ownBend = 0;
    int tagCount = 4;  // as stored; the stream holds four tags
    float diameter = 20.0f;
};

// The row's own part after the shape reference, byte by byte.
QByteArray processPart(const PartFields& f)
{
    Bytes b;
    b.i32(f.schema)
        .str("A-12")               // number
        .i32(6)                    // count
        .f32(f.diameter)           // DN
        .i32(3)                    // grade
        .i32(1)                    // steelType
        .i32(0)                    // calcLength
        .f32(4350.5f)              // length
        .i32(7)                    // userValue
        .raw(test::hex(kRemarkGbk)) // remark
        .i32(f.ownBend);
    if (f.ownBend)
        b.f32(6.0f).f32(3.0f).f32(4.5f);
    b.i32(2)    // rows
        .i32(17) // pid
        .i32(0)  // nullFlag
        .i32(f.tagCount);
    b.i32(2).i32('A').i32(0).str("");
    b.i32(2).i32('A').i32(1).raw(test::hex(kTagTextGbk));
    b.i32(1).i32('B').i32(2).str("HRB400");
    b.i32(1).i32('C').i32(0).str("x");
    return b;
}

QByteArray referencePart()
{
    return test::referenceBytes(8, test::ReferenceFields{});
}

QByteArray rowBytes(const PartFields& f = {})
{
    return referencePart() + processPart(f);
}

void load(CVes_ProcessSteel& row, const QByteArray& bytes)
{
    platform::Archive ar(bytes);
    row.Serialize(ar);
    EXPECT_TRUE(ar.atEnd()) << ar.remaining() << " bytes left";
}

QByteArray save(CVes_ProcessSteel& row)
{
    platform::Archive ar;
    row.Serialize(ar);
    return ar.data();
}

// Values of the row's own, to see what a failed load leaves.
void hold(CVes_ProcessSteel& row)
{
    row.number = "keep";
    row.count = 2;
    row.remark = "held";
    row.setPID(99);
    row.setNull(0);
    row.AddLp(3, 'Q', 4, QStringLiteral("old"), 9);
    row.addOriginalBH("orig", 2);
    row.rows = 5;
}

void expectHeld(const CVes_ProcessSteel& row)
{
    EXPECT_EQ(row.number, "keep");
    EXPECT_EQ(row.count, 2);
    EXPECT_EQ(row.remark, "held");
    EXPECT_EQ(row.getPID(), 99);
    EXPECT_EQ(row.rows, 5);
    EXPECT_EQ(row.isNull(), 0);
    ASSERT_EQ(row.getLPNum(), 1);
    EXPECT_EQ(row.tags[0].mark, 'Q');
    EXPECT_EQ(row.tags[0].auxB, 9);
    EXPECT_EQ(row.originalNumbers.size(), 1u);
}

class ProcessSteelStream : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { scope.add(straightShape()); }
    CacheScope scope;
};

TEST_P(ProcessSteelStream, LoadsEveryFieldAndWritesTheSameBytes)
{
    const int ownBend = GetParam();
    const QByteArray bytes = rowBytes({1, ownBend, 4});
    CVes_ProcessSteel row;
    hold(row);
    load(row, bytes);

    EXPECT_EQ(row.getRecordId(), CSteelRecordId(150, 20));
    EXPECT_EQ(row.getLConnect()->type, 8) << "a loaded row keeps its ends as stored";
    EXPECT_EQ(row.getLConnect()->farDN, 25.0f);
    EXPECT_EQ(row.getRConnect()->type, 3);
    EXPECT_EQ(row.getVarValue("L"), 2500.0);
    EXPECT_EQ(row.number, "A-12");
    EXPECT_EQ(row.count, 6);
    EXPECT_EQ(row.DN, 20.0f);
    EXPECT_EQ(row.grade, 3);
    EXPECT_EQ(row.steelType, 1);
    EXPECT_EQ(row.calcLength, 0);
    EXPECT_EQ(row.length, 4350.5f);
    EXPECT_EQ(row.userValue, 7);
    EXPECT_EQ(row.remark, QString::fromUtf8("箍筋"));
    EXPECT_EQ(row.ownBendDiameters, ownBend);
    EXPECT_EQ(row.bendMult90, ownBend ? 6.0f : 5.0f);
    EXPECT_EQ(row.bendMult180, ownBend ? 3.0f : 2.5f);
    EXPECT_EQ(row.bendMult135, ownBend ? 4.5f : 4.0f);
    EXPECT_EQ(row.rows, 2);
    EXPECT_EQ(row.getPID(), 17);
    EXPECT_EQ(row.isNull(), 0);

    // The tags read replace those the row had; auxB is not stored.
    ASSERT_EQ(row.getLPNum(), 4);
    const int counts[] = {2, 2, 1, 1};
    const int marks[] = {'A', 'A', 'B', 'C'};
    const char* texts[] = {"", "料牌", "HRB400", "x"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const CVes_LiaoPai& t = row.tags[size_t(i)];
        EXPECT_EQ(t.count, counts[i]);
        EXPECT_EQ(t.mark, marks[i]);
        EXPECT_EQ(t.auxA, i == 3 ? 0 : i);
        EXPECT_EQ(t.auxB, 0);
        EXPECT_EQ(t.text, QString::fromUtf8(texts[i]));
    }
    // The source numbers are not stored: those in memory stay.
    ASSERT_EQ(row.originalNumbers.size(), 1u);
    EXPECT_EQ(row.originalNumbers[0].number, "orig");

    EXPECT_EQ(test::toHex(save(row)).toStdString(), test::toHex(bytes).toStdString());
}

INSTANTIATE_TEST_SUITE_P(BendDiameters, ProcessSteelStream, ::testing::Values(0, 1),
                         [](const auto& info) {
                             return info.param ? std::string("own") : std::string("from_rules");
                         });

TEST(ProcessSteelStreamSave, ReloadDropsAuxBAndKeepsTheSources)
{
    CacheScope scope;
    CVes_ProcessSteel row;
    row.number = "K1";
    row.count = 3;
    row.AddLp(3, 'A', 1, QStringLiteral("甲"), 4);
    row.AddLp(0, 'B', 0, QString(), 7);
    row.addOriginalBH("1-1", 3);
    const QByteArray bytes = save(row);

    row.tags.clear();
    load(row, bytes);
    ASSERT_EQ(row.getLPNum(), 2);
    EXPECT_EQ(row.tags[0].count, 3);
    EXPECT_EQ(row.tags[0].auxA, 1);
    EXPECT_EQ(row.tags[0].auxB, 0);
    EXPECT_EQ(row.tags[0].text, QString::fromUtf8("甲"));
    EXPECT_EQ(row.tags[1].auxB, 0);
    ASSERT_EQ(row.originalNumbers.size(), 1u);
    EXPECT_EQ(row.originalNumbers[0].number, "1-1");

    CVes_ProcessSteel fresh;
    load(fresh, bytes);
    EXPECT_TRUE(fresh.originalNumbers.empty());
}

TEST(ProcessSteelStreamDamage, TruncatedStreamFailsAndKeepsTheRow)
{
    CacheScope scope;
    scope.add(straightShape());
    const QByteArray bytes = rowBytes({1, 1, 4});
    const qsizetype referenceSize = referencePart().size();
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        SCOPED_TRACE(n);
        CVes_ProcessSteel row;
        hold(row);
        platform::Archive ar(bytes.left(n));
        EXPECT_THROW(row.Serialize(ar), platform::ArchiveError);
        if (n >= referenceSize)
            expectHeld(row);
    }
}

TEST(ProcessSteelStreamDamage, ImpossibleTagCountsFail)
{
    CacheScope scope;
    scope.add(straightShape());
    for (int stored : {-1, 5, 0x7FFFFFFF, int(0x80000000u)}) {
        SCOPED_TRACE(stored);
        CVes_ProcessSteel row;
        hold(row);
        platform::Archive ar(rowBytes({1, 0, stored}));
        EXPECT_THROW(row.Serialize(ar), platform::ArchiveError);
        expectHeld(row);
    }
}

// A diameter the raw stock cannot hold is damage: the stream is refused
// and the row keeps what it held. The sizes within, the edges included,
// are read.
TEST(ProcessSteelStreamDamage, DiametersOutsideTheStockRangeFailAndKeepTheRow)
{
    CacheScope scope;
    scope.add(straightShape());
    const float largest = float(envora::kMaxStoredDiameter);
    for (const float stored : {-1.0f, -0.001f, largest + 0.5f, 1.0e6f}) {
        SCOPED_TRACE(stored);
        CVes_ProcessSteel row;
        hold(row);
        row.DN = 8.0f;
        platform::Archive ar(rowBytes({1, 0, 4, stored}));
        EXPECT_THROW(row.Serialize(ar), platform::ArchiveError);
        expectHeld(row);
        EXPECT_EQ(row.DN, 8.0f);
    }
    for (const float stored : {0.0f, 6.0f, largest}) {
        SCOPED_TRACE(stored);
        CVes_ProcessSteel row;
        load(row, rowBytes({1, 0, 4, stored}));
        EXPECT_EQ(row.DN, stored);
    }
}

TEST(ProcessSteelStreamDamage, UnknownSchemaIsRefused)
{
    CacheScope scope;
    scope.add(straightShape());
    for (int schema : {0, 2, -1}) {
        SCOPED_TRACE(schema);
        CVes_ProcessSteel row;
        hold(row);
        platform::Archive ar(rowBytes({schema, 0, 4}));
        try {
            row.Serialize(ar);
            ADD_FAILURE() << "schema " << schema << " was read";
        } catch (const platform::SchemaError& e) {
            EXPECT_EQ(e.code(), -100);
            EXPECT_EQ(e.schema(), schema);
        }
        expectHeld(row);
    }
}

TEST(ProcessSteelStreamDamage, TrailingBytesAreLeftUnread)
{
    CacheScope scope;
    scope.add(straightShape());
    CVes_ProcessSteel row;
    platform::Archive ar(rowBytes() + test::hex("DE AD"));
    row.Serialize(ar);
    EXPECT_EQ(ar.remaining(), 2);
    EXPECT_EQ(row.getLPNum(), 4);
}

} // namespace
