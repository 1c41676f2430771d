// What the bar list's stirrup calculators and connection edit ask the user
// (the values each dialog opens with) and what they do with the answer: OK
// writes the chosen count and spacings into the selected bar as one undo
// step; Cancel leaves the list as it was. The user is played by scripted
// answers, so no dialog comes up.

#include "tables/barlist/calculatorrequests.h"

#include "tests/support/recordinghost.h"
#include "tests/tables/barlist/barview_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <typeindex>

namespace {

class CalculatorRequests : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::fillSmallList(t);
        t.AddSelect(test::kBarRow, 1);
    }
    CVes_Steel& bar() { return test::listBar(t, test::kBarRow); }
    QString spacings() { return QStringList{bar().spacing1, bar().spacing2, bar().spacing3}.join(u'|'); }
    template <typename Request>
    void answer(std::function<bool(Request&)> answer)
    {
        host->answerDialog<Request>(std::move(answer));
    }
    bool askedOnly(std::type_index kind)
    {
        return host->askedDialogs() == std::vector<std::type_index>{kind};
    }

    test::HostScope host;
    test::EditHabits habits;
    CVes_SetupTable t;
};

TEST_F(CalculatorRequests, WallColumnOpensWithTheBarAndTheDesignAndWritesTheAnswer)
{
    t.setExVarVal(CVes_TableBase::kVarConcrete, 35.0);
    t.setExVarVal(CVes_TableBase::kVarSeismic, 2.0);
    t.setExVarVal(CVes_TableBase::kVarAtlas, 1.0);
    t.setExVarVal(CVes_TableBase::kVarJointPercent, 2.0);
    bar().spacing3 = QStringLiteral("150");
    WallHoopCountRequest asked;
    answer<WallHoopCountRequest>([&](WallHoopCountRequest& r) {
        asked = r;
        r.total = 31;
        r.normalSpacing = 180;
        r.lapSpacing = 90;
        return true;
    });
    t.calSelectLineSteelWallZhuGujin();
    EXPECT_EQ(asked.normalSpacing, 200);
    EXPECT_EQ(asked.lapSpacing, 150);
    EXPECT_FLOAT_EQ(asked.concrete, 35.0f);
    EXPECT_FLOAT_EQ(asked.seismic, 2.0f);
    EXPECT_EQ(asked.atlas, 1);
    EXPECT_EQ(asked.factorIndex, 2);
    EXPECT_EQ(bar().count, 31);
    EXPECT_EQ(spacings(), QStringLiteral("100|180|90"));
    EXPECT_EQ(t.m_history.added(), 1u);
    EXPECT_EQ(t.isModified(), 1);
}

TEST_F(CalculatorRequests, WallColumnWithoutALapSpacingOffersTheNormalOne)
{
    t.setExVarVal(CVes_TableBase::kVarJointPercent, 5.0);
    WallHoopCountRequest asked;
    answer<WallHoopCountRequest>([&](WallHoopCountRequest& r) {
        asked = r;
        return false;
    });
    t.calSelectLineSteelWallZhuGujin();
    EXPECT_EQ(asked.lapSpacing, 200);
    EXPECT_EQ(asked.factorIndex, -1) << "past 100 % the dialog keeps its own factor";
}

TEST_F(CalculatorRequests, ColumnOpensWithTheBarsDiameterAndLapFactor)
{
    t.setExVarVal(CVes_TableBase::kVarJointPercent, 0.0);
    t.m_units[CVes_SetupTable::kColSpacing] = CVes_Template::kCentimetre;
    ColumnHoopCountRequest asked;
    answer<ColumnHoopCountRequest>([&](ColumnHoopCountRequest& r) {
        asked = r;
        r.total = 24;
        r.denseSpacing = 8;
        r.normalSpacing = 16;
        return true;
    });
    t.calSelectLineSteelZhuGujin();
    EXPECT_EQ(asked.denseSpacing, 100);
    EXPECT_EQ(asked.normalSpacing, 200);
    EXPECT_EQ(asked.unitMode, CVes_Template::kCentimetre);
    EXPECT_EQ(asked.diameter, 20);
    EXPECT_DOUBLE_EQ(asked.lapFactor, 1.2);
    EXPECT_EQ(bar().count, 24);
    EXPECT_EQ(spacings(), QStringLiteral("8|16|"));
    EXPECT_EQ(t.m_history.added(), 1u);
}

// The spacings a stirrup dialog opens with, from the bar's first and second.
struct OfferedSpacings {
    const char* first;
    const char* second;
    int dense;
    int normal;
};

class BeamSpacingsOffered : public CalculatorRequests,
                            public ::testing::WithParamInterface<OfferedSpacings> {};

TEST_P(BeamSpacingsOffered, FromTheBar)
{
    const OfferedSpacings& c = GetParam();
    bar().spacing1 = QString::fromLatin1(c.first);
    bar().spacing2 = QString::fromLatin1(c.second);
    BeamHoopCountRequest asked;
    answer<BeamHoopCountRequest>([&](BeamHoopCountRequest& r) {
        asked = r;
        return false;
    });
    t.calSellineSteelGenshu(0);
    EXPECT_EQ(asked.denseSpacing, c.dense);
    EXPECT_EQ(asked.normalSpacing, c.normal);
    EXPECT_EQ(asked.unitMode, CVes_Template::kMillimetre);
}

INSTANTIATE_TEST_SUITE_P(Cases, BeamSpacingsOffered,
                         ::testing::Values(OfferedSpacings{"150", "250", 150, 250},
                                           OfferedSpacings{"", "250", 250, 250},
                                           OfferedSpacings{"120", "", 120, 0},
                                           OfferedSpacings{"", "", 0, 0},
                                           OfferedSpacings{"0", "x", 0, 0}));

TEST_F(CalculatorRequests, BeamWritesItsCountAndSpacings)
{
    answer<BeamHoopCountRequest>([](BeamHoopCountRequest& r) {
        r.total = 39;
        r.denseSpacing = 120;
        r.normalSpacing = 240;
        return true;
    });
    t.calSellineSteelGenshu(0);
    EXPECT_EQ(bar().count, 39);
    EXPECT_EQ(spacings(), QStringLiteral("120|240|"));
    EXPECT_EQ(t.m_history.added(), 1u);
}

TEST_F(CalculatorRequests, HoopTableGivesTheChosenPair)
{
    for (const auto& [pair150, count, expected] :
         {std::tuple{false, 37, "100|200|"}, std::tuple{true, 44, "100|150|"}}) {
        answer<HoopTableRequest>([pair150 = pair150, count = count](HoopTableRequest& r) {
            r.total = count;
            r.pair150 = pair150;
            return true;
        });
        t.calSellineSteelGenshu(1);
        EXPECT_EQ(bar().count, count);
        EXPECT_EQ(spacings(), QString::fromLatin1(expected));
    }
    EXPECT_EQ(t.m_history.added(), 2u);
}

TEST_F(CalculatorRequests, MidConnectionGoesToTheScopeAnswered)
{
    bar().getFirstMidConnect();
    answer<MidConnectRequest>([](MidConnectRequest& r) {
        r.edit.scope = barlist::MidConnectEdit::kWholeTable;
        r.edit.connect.countText = QStringLiteral("4");
        r.edit.connect.autoCount = 0;
        return true;
    });
    t.batchEditMidConnect();
    const CVes_MidConnect* mid = bar().getFirstMidConnect();
    ASSERT_NE(mid, nullptr);
    EXPECT_EQ(mid->countText, QStringLiteral("4"));
    EXPECT_EQ(mid->autoCount, 0);
    EXPECT_EQ(t.m_history.added(), 1u);
}

// Every command, cancelled: it asked its own dialog and changed nothing.
struct CancelledCommand {
    const char* name;
    std::function<void(CVes_SetupTable&)> run;
    void (*cancel)(test::RecordingHost&);
    std::type_index kind;
};

template <typename Request>
void cancelNext(test::RecordingHost& host)
{
    host.answerDialog<Request>([](Request&) { return false; });
}

template <typename Request>
CancelledCommand cancelled(const char* name, std::function<void(CVes_SetupTable&)> run)
{
    return {name, std::move(run), &cancelNext<Request>, typeid(Request)};
}

void PrintTo(const CancelledCommand& c, std::ostream* out)
{
    *out << c.name;
}

class CancelledCalculator : public CalculatorRequests,
                            public ::testing::WithParamInterface<CancelledCommand> {};

TEST_P(CancelledCalculator, AsksItsDialogAndChangesNothing)
{
    bar().getFirstMidConnect();
    const QString before = spacings();
    const int count = bar().count;
    t.setModified(0);
    GetParam().cancel(test::RecordingHost::current());
    GetParam().run(t);
    EXPECT_TRUE(askedOnly(GetParam().kind));
    EXPECT_EQ(spacings(), before);
    EXPECT_EQ(bar().count, count);
    EXPECT_EQ(t.m_history.added(), 0u);
    EXPECT_EQ(t.isModified(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CancelledCalculator,
    ::testing::Values(
        cancelled<WallHoopCountRequest>("wall",
                                        [](CVes_SetupTable& t) { t.calSelectLineSteelWallZhuGujin(); }),
        cancelled<ColumnHoopCountRequest>("column",
                                          [](CVes_SetupTable& t) { t.calSelectLineSteelZhuGujin(); }),
        cancelled<BeamHoopCountRequest>("beam", [](CVes_SetupTable& t) { t.calSellineSteelGenshu(0); }),
        cancelled<HoopTableRequest>("table", [](CVes_SetupTable& t) { t.calSellineSteelGenshu(1); }),
        cancelled<MidConnectRequest>("midconnect", [](CVes_SetupTable& t) { t.batchEditMidConnect(); })),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
