// The sort rules: defaults, the stored record laid out by hand for every
// version the reader takes, the rules file and the loss rule.

#include "tables/shared/sortrules.h"

#include "core/geometry/datafolder.h"
#include "platform/archive.h"
#include "platform/savefile.h"
#include "tests/core/model/barcore_bytes.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <vector>

namespace {

using test::Bytes;

// One stored field: its row number in the record, how it is written with a
// value that marks it, and how to read it back.
struct Field {
    int id;
    std::function<void(Bytes&)> write;
    std::function<bool(const CVes_SortRules&)> fromFile;  // holds the marked value
    std::function<bool(const CVes_SortRules&)> untouched; // still holds the default
};

std::vector<Field> fields()
{
    const CVes_SortRules d;
    auto intField = [&d](int id, int CVes_SortRules::*member, int marked) {
        const int before = d.*member;
        return Field{id, [marked](Bytes& b) { b.i32(marked); },
                     [member, marked](const CVes_SortRules& r) { return r.*member == marked; },
                     [member, before](const CVes_SortRules& r) { return r.*member == before; }};
    };
    auto floatField = [&d](int id, float CVes_SortRules::*member, float marked) {
        const float before = d.*member;
        return Field{id, [marked](Bytes& b) { b.f32(marked); },
                     [member, marked](const CVes_SortRules& r) { return r.*member == marked; },
                     [member, before](const CVes_SortRules& r) { return r.*member == before; }};
    };
    auto doubleField = [&d](int id, double CVes_SortRules::*member, double marked) {
        const double before = d.*member;
        return Field{id, [marked](Bytes& b) { b.f64(marked); },
                     [member, marked](const CVes_SortRules& r) { return r.*member == marked; },
                     [member, before](const CVes_SortRules& r) { return r.*member == before; }};
    };
    return {
        intField(2, &CVes_SortRules::m_dnOrder, 101),
        intField(3, &CVes_SortRules::m_lenOrder, 102),
        intField(4, &CVes_SortRules::m_sortZheshu, 103),
        intField(5, &CVes_SortRules::m_mergeSame, 104),
        intField(6, &CVes_SortRules::m_sumByDnClass, 105),
        floatField(7, &CVes_SortRules::m_wireDN, 16.5f),
        intField(8, &CVes_SortRules::m_showLoss, 107),
        intField(9, &CVes_SortRules::m_calcLossBar, 108),
        intField(10, &CVes_SortRules::m_calcLossWire, 109),
        doubleField(11, &CVes_SortRules::m_lossBar, 3.25),
        doubleField(12, &CVes_SortRules::m_lossWire, 4.75),
        intField(13, &CVes_SortRules::m_lossPlace, 112),
        intField(14, &CVes_SortRules::m_sumByGrade, 113),
        intField(15, &CVes_SortRules::m_autoPrice, 114),
        intField(16, &CVes_SortRules::m_calcStirrupFee, 115),
        floatField(17, &CVes_SortRules::m_stirrupFee, 0.75f),
        intField(18, &CVes_SortRules::m_autoStirrupCount, 117),
        intField(19, &CVes_SortRules::m_stirrupCount, 118),
        intField(20, &CVes_SortRules::m_sumInEleType, 119),
        intField(21, &CVes_SortRules::m_showZeroNum, 120),
        intField(22, &CVes_SortRules::m_autoMidConnect, 121),
        intField(23, &CVes_SortRules::m_reverseSleeve, 122),
        floatField(24, &CVes_SortRules::m_guigeDN, 22.0f),
        Field{25, [](Bytes& b) { b.u32(3); },
              [](const CVes_SortRules& r) { return r.m_dnStateStyle == 3u; },
              [](const CVes_SortRules& r) { return r.m_dnStateStyle == 0u; }},
        intField(26, &CVes_SortRules::m_guibingShow, 125),
    };
}

const Field& field(const std::vector<Field>& all, int id)
{
    for (const Field& f : all)
        if (f.id == id)
            return f;
    throw std::logic_error("no such field");
}

// The fields each version reads, in their order.
std::vector<int> fieldsOfVersion(int version)
{
    std::vector<int> v;
    auto range = [&v](int from, int to) {
        for (int i = from; i <= to; ++i)
            v.push_back(i);
    };
    switch (version) {
    case 1: v = {2, 5, 7}; range(9, 20); return v;
    case 2: v = {2, 5, 6, 7}; range(9, 20); return v;
    case 3: v = {2, 5, 6, 7}; range(8, 20); return v;
    case 9: range(2, 26); return v;
    default: break;
    }
    v = {2, 3};
    range(5, 20);
    if (version >= 5) v.push_back(21);
    if (version >= 6) { v.push_back(22); v.push_back(23); }
    if (version >= 7) { v.push_back(24); v.push_back(25); }
    if (version >= 8) v.push_back(26);
    return v;
}

class SortRulesVersion : public testing::TestWithParam<int> {};

TEST_P(SortRulesVersion, ReadsExactlyTheFieldsOfItsVersion)
{
    const int version = GetParam();
    const std::vector<Field> all = fields();
    const std::vector<int> order = fieldsOfVersion(version);
    Bytes b;
    b.i32(version);
    for (int id : order)
        field(all, id).write(b);

    CVes_SortRules rules;
    rules.setSortGrade(5);
    rules.setState(2);
    platform::Archive ar(b);
    rules.Serialize(ar);
    EXPECT_TRUE(ar.atEnd());

    const std::set<int> read(order.begin(), order.end());
    for (const Field& f : all) {
        if (read.count(f.id))
            EXPECT_TRUE(f.fromFile(rules)) << "field " << f.id << " not read";
        else
            EXPECT_TRUE(f.untouched(rules)) << "field " << f.id << " changed";
    }
    // Never in the file.
    EXPECT_EQ(rules.m_sortGrade, 5u);
    EXPECT_EQ(rules.m_state, 2u);
}

INSTANTIATE_TEST_SUITE_P(Versions, SortRulesVersion, testing::Range(1, 10));

TEST(SortRules, NewRulesHoldTheDefaults)
{
    const CVes_SortRules r;
    EXPECT_EQ(r.m_state, 7u);
    // Every grade shown, grade 5 (0x40) included.
    EXPECT_EQ(r.m_sortGrade, 127u);
    EXPECT_EQ(r.isSortGrade5(), 1);
    EXPECT_EQ(r.m_dnOrder, 0);
    EXPECT_EQ(r.m_lenOrder, 3);
    EXPECT_EQ(r.m_guibingShow, 2);
    EXPECT_FLOAT_EQ(r.m_wireDN, 12.0f);
    EXPECT_DOUBLE_EQ(r.m_lossBar, 2.5);
    EXPECT_DOUBLE_EQ(r.m_lossWire, 2.5);
    EXPECT_FLOAT_EQ(r.m_stirrupFee, 0.1f);
    EXPECT_FLOAT_EQ(r.m_guigeDN, 10.0f);
}

TEST(SortRules, StoresVersion9AsLaidOut)
{
    const QByteArray expected = Bytes()
        .i32(9).i32(0).i32(3).i32(0).i32(0).i32(1).f32(12.0f).i32(1).i32(1).i32(1)
        .f64(2.5).f64(2.5).i32(1).i32(0).i32(1).i32(0).f32(0.1f).i32(1).i32(0).i32(1)
        .i32(1).i32(1).i32(1).f32(10.0f).u32(0).i32(2);
    ASSERT_EQ(expected.size(), CVes_SortRules::kRecordBytes);
    CVes_SortRules rules;
    platform::Archive ar;
    rules.Serialize(ar);
    EXPECT_EQ(test::toHex(ar.data()), test::toHex(expected));
}

TEST(SortRules, UnknownVersionsThrowAndChangeNothing)
{
    for (int version : {0, -1, 10}) {
        CVes_SortRules rules;
        rules.m_dnOrder = 1;
        platform::Archive ar(Bytes().i32(version).i32(0));
        try {
            rules.Serialize(ar);
            ADD_FAILURE() << "version " << version << " was read";
        } catch (const platform::SchemaError& e) {
            EXPECT_EQ(e.code(), -100);
        }
        EXPECT_EQ(rules.m_dnOrder, 1);
    }
}

TEST(SortRules, ShortRecordChangesNothing)
{
    CVes_SortRules rules;
    platform::Archive ar(Bytes().i32(9).i32(1).i32(0).i32(1));
    EXPECT_THROW(rules.Serialize(ar), platform::ArchiveError);
    EXPECT_EQ(rules.m_dnOrder, 0);
    EXPECT_EQ(rules.m_lenOrder, 3);
}

// Rules holding a value that is no number are refused and change nothing:
// the patched number at a version-9 offset.
struct BadRuleCase {
    const char* name;
    qsizetype at;
    QByteArray bytes;
};
void PrintTo(const BadRuleCase& c, std::ostream* os) { *os << c.name; }

class SortRulesOutOfRange : public testing::TestWithParam<BadRuleCase> {};

TEST_P(SortRulesOutOfRange, IsRefusedAndChangesNothing)
{
    const BadRuleCase& c = GetParam();
    CVes_SortRules rules;
    QByteArray bytes = [&] {
        platform::Archive ar;
        CVes_SortRules(rules).Serialize(ar);
        return ar.data();
    }();
    bytes.replace(c.at, c.bytes.size(), c.bytes);
    rules.m_dnOrder = 1;
    platform::Archive ar(bytes);
    EXPECT_THROW(rules.Serialize(ar), platform::ArchiveError);
    EXPECT_EQ(rules.m_dnOrder, 1);
    EXPECT_FLOAT_EQ(rules.m_wireDN, 12.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SortRulesOutOfRange,
    testing::Values(BadRuleCase{"WireDiameterNaN", 24, Bytes().f32(std::nanf(""))},
                    BadRuleCase{"BarLossInfinite", 40, Bytes().f64(HUGE_VAL)},
                    BadRuleCase{"WireLossNegativeInfinite", 48, Bytes().f64(-HUGE_VAL)},
                    BadRuleCase{"StirrupFeeNaN", 72, Bytes().f32(std::nanf(""))},
                    BadRuleCase{"SizeDiameterInfinite", 100, Bytes().f32(HUGE_VALF)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SortRules, StateBits)
{
    CVes_SortRules r;
    r.setStateGu(0);
    EXPECT_EQ(r.m_state, 6u);
    r.setStateGu(0);
    EXPECT_EQ(r.m_state, 6u);
    r.setStateGu(1);
    EXPECT_EQ(r.isStateGu(), 1);
    r.setStateZhi(0);
    EXPECT_EQ(r.isStateZhi(), 0);
    EXPECT_EQ(r.isStateGuai(), 1);
}

TEST(SortRules, LossRuleTakesTheWireRodLimitInclusive)
{
    CVes_SortRules r;
    r.m_lossBar = 3.0;
    r.m_lossWire = 1.5;
    EXPECT_TRUE(r.isWireRod(12.0));
    EXPECT_FALSE(r.isWireRod(12.01));
    EXPECT_DOUBLE_EQ(r.lossPercent(12.0), 1.5);
    EXPECT_DOUBLE_EQ(r.lossPercent(12.01), 3.0);
    r.m_calcLossWire = 0;
    EXPECT_DOUBLE_EQ(r.lossPercent(8.0), 0.0);
    r.m_calcLossBar = 0;
    EXPECT_DOUBLE_EQ(r.lossPercent(25.0), 0.0);
}

class SortRulesFile : public testing::Test {
protected:
    QString path() const { return QDir(qEnvironmentVariable("RODO_HOME")).filePath(QStringLiteral("rodo-sortrules-test.rul")); }
    void TearDown() override { QFile::remove(path()); }
};

TEST_F(SortRulesFile, SaveWritesOneRecordAndReplacesALongerFile)
{
    ASSERT_TRUE(platform::saveFile(path(), QByteArray(500, 'x')));
    CVes_SortRules rules;
    rules.m_guibingShow = 0;
    rules.m_lossBar = 3.5;
    ASSERT_TRUE(rules.saveFile(path()));
    EXPECT_EQ(QFileInfo(path()).size(), CVes_SortRules::kRecordBytes);

    CVes_SortRules back;
    back.setSortGrade(3);
    ASSERT_TRUE(back.readFromFile(path()));
    EXPECT_EQ(back.m_guibingShow, 0);
    EXPECT_DOUBLE_EQ(back.m_lossBar, 3.5);
    EXPECT_EQ(back.m_sortGrade, 3u);
}

TEST_F(SortRulesFile, MissingDamagedOrNewerFilesLeaveTheRules)
{
    CVes_SortRules rules;
    rules.m_dnOrder = 1;
    EXPECT_FALSE(rules.readFromFile(QString()));
    EXPECT_FALSE(rules.readFromFile(path()));
    EXPECT_FALSE(rules.saveFile(QString()));

    // A newer program's file must not break every new table.
    ASSERT_TRUE(platform::saveFile(path(), Bytes().i32(10).i32(0)));
    EXPECT_FALSE(rules.readFromFile(path()));
    ASSERT_TRUE(platform::saveFile(path(), Bytes().i32(9).i32(0).i32(2)));
    EXPECT_FALSE(rules.readFromFile(path()));
    EXPECT_EQ(rules.m_dnOrder, 1);
    EXPECT_EQ(rules.m_lenOrder, 3);
}

TEST(SortRulesUser, UserRulesLieInTheUserDataFolder)
{
    EXPECT_EQ(CVes_SortRules::userRulesPath(), GetRODOFilePath() + "userdata/sortrule.rul");
    QFile::remove(CVes_SortRules::userRulesPath());
    CVes_SortRules rules;
    EXPECT_FALSE(rules.readUserRules());
    EXPECT_TRUE(QFileInfo(GetRODOFilePath() + "userdata").isDir());
}

} // namespace
