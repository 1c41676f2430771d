#include "core/model/steel.h"
#include "envora/rules.h"
#include "platform/archive.h"
#include "tests/core/model/barcore_bytes.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using test::Bytes;
using test::CacheScope;
using test::ShapeBuilder;

std::unique_ptr<CVes_ModelRecord> straightSteelShape()
{
    auto r = ShapeBuilder({150, 20}).var("L", 3000).straight({1300, 150}, "0", "L").build();
    r->m_defaultMidConnect.style = 3;
    return r;
}

// The bar's own part after the reference, by schema; schema 1 has no start
// style.
QByteArray steelPart(int schema, int grade, int ownBend, float diameter = 20.0f)
{
    Bytes b;
    b.i32(schema).str("3a").i32(4).f32(diameter).i32(grade).i32(2).str("150").str("").str("")
        .i32(1).f32(3555.0f).i32(9).str("note");
    if (schema >= 2)
        b.i32(1).i32(101).i32(7).i32(1).raw(test::variableBytes("a", 2, 150));
    b.i32(ownBend);
    if (ownBend)
        b.f32(6.0f).f32(3.0f).f32(4.5f);
    return b;
}

QByteArray steelBytes(int schema, int grade, int ownBend, float diameter = 20.0f)
{
    return test::referenceBytes(8, test::ReferenceFields{}) + steelPart(schema, grade, ownBend, diameter);
}

void load(CVes_Steel& steel, const QByteArray& bytes)
{
    platform::Archive ar(bytes);
    steel.Serialize(ar);
    EXPECT_TRUE(ar.atEnd()) << ar.remaining() << " bytes left";
}

struct SteelSchemaCase {
    const char* name;
    int schema;
    int storedGrade;
    int grade;  // after loading
    int ownBend;
};

std::ostream& operator<<(std::ostream& os, const SteelSchemaCase& c)
{
    return os << c.name;
}

class SteelSchema : public ::testing::TestWithParam<SteelSchemaCase> {};

TEST_P(SteelSchema, ReadsTheBarAndBringsOldGradesUpToDate)
{
    const SteelSchemaCase& c = GetParam();
    CacheScope scope;
    scope.add(straightSteelShape());
    CVes_Steel steel;
    load(steel, steelBytes(c.schema, c.storedGrade, c.ownBend));
    EXPECT_EQ(steel.getRecordId(), CSteelRecordId(150, 20));
    EXPECT_EQ(steel.number, "3a");
    EXPECT_EQ(steel.count, 4);
    EXPECT_EQ(steel.DN, 20.0f);
    EXPECT_EQ(steel.grade, c.grade);
    EXPECT_EQ(steel.steelType, 2);
    EXPECT_EQ(steel.JianjutoString(), "150");
    EXPECT_EQ(steel.calcLength, 1);
    EXPECT_EQ(steel.length, 3555.0f);
    EXPECT_EQ(steel.userValue, 9);
    EXPECT_EQ(steel.remark, "note");
    EXPECT_EQ(steel.ownBendDiameters, c.ownBend);
    if (c.ownBend) {
        EXPECT_EQ(steel.bendMult90, 6.0f);
        EXPECT_EQ(steel.bendMult180, 3.0f);
        EXPECT_EQ(steel.bendMult135, 4.5f);
    } else {
        EXPECT_EQ(steel.bendMult90, 5.0f);
    }
    if (c.schema >= 2) {
        EXPECT_EQ(steel.start.getRecordId(), CSteelRecordId(101, 7));
        EXPECT_EQ(steel.start.getVarValue("a"), 150.0);
    } else {
        EXPECT_TRUE(steel.start.getRecordId().isNull());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Schemas, SteelSchema,
    ::testing::Values(
        SteelSchemaCase{"schema1_grade4_is_now_32", 1, 4, 32, 0},
        SteelSchemaCase{"schema1_grade5_is_now_4", 1, 5, 4, 1},
        SteelSchemaCase{"schema2_grade4_is_now_32", 2, 4, 32, 0},
        SteelSchemaCase{"schema2_grade5_is_now_4", 2, 5, 4, 0},
        SteelSchemaCase{"schema2_grade3_stays", 2, 3, 3, 1},
        SteelSchemaCase{"schema3_grade4_stays", 3, 4, 4, 0},
        SteelSchemaCase{"schema3_grade5_stays", 3, 5, 5, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SteelStream, Schema3IsWrittenByteForByte)
{
    CacheScope scope;
    scope.add(straightSteelShape());
    for (int ownBend : {0, 1}) {
        const QByteArray bytes = steelBytes(3, 33, ownBend);
        CVes_Steel steel;
        load(steel, bytes);
        platform::Archive out;
        steel.Serialize(out);
        EXPECT_EQ(test::toHex(out.data()), test::toHex(bytes));
    }
}

TEST(SteelStream, UnknownSchemaIsRefused)
{
    CacheScope scope;
    for (int schema : {0, 4}) {
        CVes_Steel steel;
        platform::Archive ar(steelBytes(3, 3, 0).replace(
            test::referenceBytes(8, test::ReferenceFields{}).size(), 1, QByteArray(1, char(schema))));
        try {
            steel.Serialize(ar);
            ADD_FAILURE() << "schema " << schema << " was read";
        } catch (const platform::SchemaError& e) {
            EXPECT_EQ(e.code(), -100);
        }
    }
}

// The diameters a stored bar may hold: from 0 (a size not set yet) up to
// the largest the raw stock keeps; a stream with another is damaged and is
// refused. A diameter that is no number at all reads as a size not set.
struct StoredDiameterCase {
    const char* name;
    float stored;
    bool read;
    float diameter; // after reading
};

void PrintTo(const StoredDiameterCase& c, std::ostream* os) { *os << c.name; }

class SteelStoredDiameter : public ::testing::TestWithParam<StoredDiameterCase> {};

TEST_P(SteelStoredDiameter, IsReadWithinTheStockRangeAndRefusedOutside)
{
    const StoredDiameterCase& c = GetParam();
    CacheScope scope;
    scope.add(straightSteelShape());
    CVes_Steel steel;
    steel.number = QStringLiteral("before");
    platform::Archive ar(steelBytes(3, 3, 0, c.stored));
    if (!c.read) {
        EXPECT_THROW(steel.Serialize(ar), platform::ArchiveError);
        return;
    }
    steel.Serialize(ar);
    EXPECT_EQ(steel.DN, c.diameter);
    EXPECT_EQ(steel.number, "3a");
}

INSTANTIATE_TEST_SUITE_P(
    Diameters, SteelStoredDiameter,
    ::testing::Values(
        StoredDiameterCase{"none_set", 0.0f, true, 0.0f},
        StoredDiameterCase{"usual", 25.0f, true, 25.0f},
        StoredDiameterCase{"largest_stock", float(envora::kMaxStoredDiameter), true,
                           float(envora::kMaxStoredDiameter)},
        StoredDiameterCase{"just_above_the_stock", float(envora::kMaxStoredDiameter) + 0.5f, false, 0},
        StoredDiameterCase{"negative", -1.0f, false, 0},
        StoredDiameterCase{"just_below_zero", -0.001f, false, 0},
        StoredDiameterCase{"no_number", std::numeric_limits<float>::quiet_NaN(), true, 0.0f},
        StoredDiameterCase{"infinite", std::numeric_limits<float>::infinity(), true, 0.0f}),
    [](const auto& info) { return std::string(info.param.name); });

// An old file: a reference of schema 3 and a bar of schema 1, with a GBK
// remark and its own bend multiples.
TEST(SteelStream, OldFileFromFixture)
{
    CacheScope scope;
    scope.add(straightSteelShape());
    CVes_Steel steel;
    load(steel, RODO_FIXTURE("steel_schema1.bin"));
    EXPECT_EQ(steel.number, "KZ1-1");
    EXPECT_EQ(steel.count, 6);
    EXPECT_EQ(steel.DN, 16.0f);
    EXPECT_EQ(steel.grade, 32);
    EXPECT_EQ(steel.spacing1, "100");
    EXPECT_EQ(steel.spacing2, "200");
    EXPECT_EQ(steel.remark, QString::fromUtf8("箍筋"));
    EXPECT_EQ(steel.userValue, 7);
    EXPECT_EQ(steel.bendMult135, 4.5f);
    EXPECT_EQ(steel.getMirror(), 2u);
    ASSERT_EQ(steel.getMidConnectArray().size(), 1u);
    EXPECT_EQ(steel.getMidConnectArray()[0]->style, 3);  // the shape's default
    EXPECT_EQ(steel.getVarValue("L"), 5400.0);
    EXPECT_EQ(steel.getLength(0, 1.0), 5400.0f);
}

// spacing texts

struct SpacingCase {
    const char* typed;
    const char* s1;
    const char* s2;
    const char* s3;
    const char* shown;
};

class SteelSpacing : public ::testing::TestWithParam<SpacingCase> {};

TEST_P(SteelSpacing, SplitsAtTheFirstKindOfSeparator)
{
    const SpacingCase& c = GetParam();
    CVes_Steel steel;
    steel.spacing1 = "old1";
    steel.spacing2 = "old2";
    steel.spacing3 = "old3";
    steel.setJianju(QString::fromUtf8(c.typed));
    EXPECT_EQ(steel.spacing1, QString::fromUtf8(c.s1));
    EXPECT_EQ(steel.spacing2, QString::fromUtf8(c.s2));
    EXPECT_EQ(steel.spacing3, QString::fromUtf8(c.s3));
    EXPECT_EQ(steel.JianjutoString(), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SteelSpacing,
    ::testing::Values(
        SpacingCase{"100/200;300", "100/200", "300", "", "100/200;300"},
        SpacingCase{"100/200", "100", "200", "", "100;200"},
        SpacingCase{"100;200;300", "100", "200", "300", "100;200;300"},
        SpacingCase{"100,200/300", "100,200", "300", "", "100,200;300"},
        SpacingCase{"100.5'200,300", "100.5", "200", "300", "100.5;200;300"},
        SpacingCase{"100;200'300,400", "100", "200'300", "400", "100;200'300;400"},
        SpacingCase{"100'200,300", "100", "200", "300", "100;200;300"},
        SpacingCase{"100\\200.5", "100", "200", "5", "100;200;5"},
        SpacingCase{"@150", "@150", "", "", "@150"},
        SpacingCase{"加密100/200", "加密100", "200", "", "加密100;200"},
        SpacingCase{"", "old1", "old2", "old3", "old1;old2;old3"}));

// order and copies

TEST(Steel, OrderIgnoresTheSortMode)
{
    CVes_Steel a, b;
    a.setSteel(3, 25, 0);
    b.setSteel(3, 12, 0);
    CVes_BarCore::setSort(0);
    EXPECT_TRUE(b < a);
    EXPECT_FALSE(a < b);
    b.setSteel(3, 25, 0);
    b.grade = 1;
    EXPECT_TRUE(b < a);
    a.grade = 1;
    a.setRecordId({150, 2});
    b.setRecordId({150, 1});
    EXPECT_TRUE(b < a);
    CVes_BarCore::setSort(20);
}

TEST(Steel, CopiesCarrySpacingAndStart)
{
    CacheScope scope;
    scope.add(straightSteelShape());
    CVes_Steel steel;
    load(steel, steelBytes(3, 3, 1));
    steel.setJianju("100/200");
    CVes_Steel copy;
    copy = steel;
    EXPECT_EQ(copy.JianjutoString(), "100;200");
    EXPECT_EQ(copy.start.getRecordId(), CSteelRecordId(101, 7));
    EXPECT_EQ(copy.start.getVarValue("a"), 150.0);
    EXPECT_EQ(copy.bendMult90, 6.0f);
    EXPECT_EQ(copy.bendCount, 2);  // recounted: one side and the left hook
    CVes_Steel constructed(steel);
    EXPECT_EQ(constructed.spacing2, "200");
    EXPECT_EQ(constructed.number, "3a");
    CVes_BarCore& base = copy;
    CVes_BarCore plain;
    plain.number = "x";
    base = plain;
    EXPECT_EQ(copy.number, "x");
    EXPECT_EQ(copy.spacing1, "100") << "a plain bar has no spacing to give";
    EXPECT_EQ(copy.isNull(), 0);
    EXPECT_EQ(CVes_Steel().count, 1);
}

} // namespace
