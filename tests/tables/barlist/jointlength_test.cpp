// Joint lengths and intermediate connections of bar lines. The expected
// joint lengths are the tabled values of the design atlases (16G101-1 and
// 03G101-1 lap lengths, JGJ 18 lap welds) times the diameter.

#include "tables/barlist/jointlength.h"
#include "tables/barlist/setuptableline.h"

#include "core/model/modelrecordlib.h"
#include "platform/archive.h"
#include "tests/core/model/barcore_bytes.h"
#include "tests/core/model/barcore_shapes.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Line = CVes_SetupTableLine;

// Joint kinds

TEST(JointKind, OnlyLappedStylesHaveOne)
{
    const struct { int style; bool lapped; int kind; } cases[] = {
        {0, false, 0}, {1, true, 0}, {2, false, 0}, {3, false, 0}, {4, true, 1},
        {5, true, -1}, {6, false, 0}, {7, false, 0}, {8, false, 0}, {-1, false, 0},
    };
    for (const auto& c : cases) {
        int kind = 99;
        EXPECT_EQ(barlist::jointKindOf(c.style, kind), c.lapped) << c.style;
        EXPECT_EQ(kind, c.lapped ? c.kind : 99) << c.style;
    }
}

// Joint length of the selected lines

constexpr int kUntouched = 7;

struct BarSpec {
    int left;
    int right;
    float d = 20.0f;
    int grade = 3; // HRB400
    int type = 0;
    int lock = 0;
    int empty = 0;
};

struct Expect {
    int left;  // the connection lengths afterwards
    int right;
};

struct JointCase {
    const char* name;
    std::vector<BarSpec> bars;
    barlist::JointDesign design;
    int written;
    std::vector<Expect> after;
};

std::ostream& operator<<(std::ostream& os, const JointCase& c)
{
    return os << c.name;
}

// 16G101-1, seismic grades one and two (the sheet's 抗震等级 3), C30, half of
// the joints in one zone.
barlist::JointDesign seismicC30Half()
{
    barlist::JointDesign d;
    d.atlas = 1;
    d.seismic = 3;
    d.concrete = 30;
    d.percentage = 1;
    d.disturbance = 0;
    return d;
}

barlist::JointDesign nonSeismicC30Quarter()
{
    barlist::JointDesign d = seismicC30Half();
    d.seismic = 1;
    d.percentage = 0;
    return d;
}

std::vector<std::unique_ptr<Line>> makeLines(const std::vector<BarSpec>& bars)
{
    std::vector<std::unique_ptr<Line>> lines;
    for (const BarSpec& b : bars) {
        auto line = std::make_unique<Line>();
        CVes_Steel bar;
        bar.setSteel(b.grade, b.d, b.type);
        bar.getLConnect()->type = b.left;
        bar.getLConnect()->param = kUntouched;
        bar.getRConnect()->type = b.right;
        bar.getRConnect()->param = kUntouched;
        line->setSteel(&bar);
        line->setLock(b.lock);
        line->setNull(b.empty);
        lines.push_back(std::move(line));
    }
    return lines;
}

TableLineList listOf(const std::vector<std::unique_ptr<Line>>& lines)
{
    TableLineList list;
    for (const auto& line : lines)
        list.append(line.get());
    return list;
}

class JointLength : public ::testing::TestWithParam<JointCase> {};

TEST_P(JointLength, WritesTheLengthOnTheSidesOfTheStyleInUse)
{
    const JointCase& c = GetParam();
    test::CacheScope scope;
    const auto lines = makeLines(c.bars);
    TableLineList list = listOf(lines);
    Line element(Line::kElementLine); // other kinds are passed over
    list.append(&element);

    EXPECT_EQ(barlist::calSellineSteelJieTouMaogu(list, c.design), c.written);
    ASSERT_EQ(c.after.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const CVes_Steel* bar = lines[i]->getSetupSteel();
        EXPECT_EQ(bar->getLConnect()->param, c.after[i].left) << "line " << i;
        EXPECT_EQ(bar->getRConnect()->param, c.after[i].right) << "line " << i;
    }
}

const int U = kUntouched;

INSTANTIATE_TEST_SUITE_P(
    Cases, JointLength,
    ::testing::Values(
        // 16G101-1: HRB400, C30, grades one and two, 50 %: 56d.
        JointCase{"right_tied_lap_only", {{2, 1}, {2, 1}}, seismicC30Half(), 1120,
                  {{U, 1120}, {U, 1120}}},
        JointCase{"left_style_wins", {{1, 4}, {1, 4}}, seismicC30Half(), 1120,
                  {{1120, U}, {1120, U}}},
        // Lap welds of ribbed bars: 10d single-sided on both sides.
        JointCase{"both_single_lap_weld", {{4, 4}, {4, 4}}, seismicC30Half(), 200,
                  {{200, 200}, {200, 200}}},
        // Plain bars: 4d double-sided.
        JointCase{"double_lap_weld_plain", {{5, 5, 10.0f, 1}}, seismicC30Half(), 40, {{40, 40}}},
        // The left styles differ: the common right style is used.
        JointCase{"left_styles_differ", {{1, 5}, {4, 5}}, seismicC30Half(), 100,
                  {{U, 100}, {U, 100}}},
        JointCase{"no_lapped_style", {{2, 3}, {2, 3}}, seismicC30Half(), 0, {{U, U}, {U, U}}},
        // Different diameters give Envora no diameter: nothing is written.
        JointCase{"mixed_diameters", {{1, 1, 20.0f}, {1, 1, 25.0f}}, seismicC30Half(), 0,
                  {{U, U}, {U, U}}},
        // Different grades pass grade 0, which Envora takes as a 400 MPa bar.
        JointCase{"mixed_grades", {{1, 0, 20.0f, 3}, {1, 0, 20.0f, 2}}, seismicC30Half(), 1120,
                  {{1120, U}, {1120, U}}},
        // 16G101-1 non-seismic, C30, up to 25 %: 42d.
        JointCase{"non_seismic_quarter", {{1, 0}}, nonSeismicC30Quarter(), 840, {{840, U}}},
        // Bars above 25 mm: 62d.
        JointCase{"thick_bars", {{1, 0, 28.0f}}, seismicC30Half(), 1736, {{1736, U}}},
        // Epoxy-coated: la times 1.25 (50d), lap 70d.
        JointCase{"epoxy_coated", {{1, 0, 20.0f, 3, 1}}, seismicC30Half(), 1400, {{1400, U}}},
        // A sheet without design values: 03G101-1, C20, grades one and two,
        // up to 25 %: 64d.
        JointCase{"no_design_values", {{1, 0}}, barlist::JointDesign{}, 1280, {{1280, U}}},
        // A locked line takes part in the common values but keeps its own.
        JointCase{"locked_line_kept", {{4, 4}, {4, 4, 20.0f, 3, 0, 1}}, seismicC30Half(), 200,
                  {{200, 200}, {U, U}}},
        // An empty line neither counts nor changes.
        JointCase{"empty_line_ignored", {{4, 0}, {1, 1, 25.0f, 3, 0, 0, 1}}, seismicC30Half(),
                  200, {{200, U}, {U, U}}},
        JointCase{"nothing_selected", {}, seismicC30Half(), 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The table forms

class BarTable : public CVes_TableBase {
public:
    explicit BarTable(int rowsPerPage) { m_rowNum = rowsPerPage; }
    void AddUndo() override { ++undoSteps; }
    Line* add(std::unique_ptr<Line> line)
    {
        Line* raw = line.get();
        appendLine(line.release());
        return raw;
    }
    int undoSteps = 0;
};

TEST(JointLengthOfTable, UsesTheSelectionAndTheSheetsDesignValues)
{
    test::CacheScope scope;
    BarTable table(10);
    auto specs = makeLines({{1, 0}, {1, 0}, {1, 0}});
    std::vector<Line*> lines;
    for (auto& line : specs)
        lines.push_back(table.add(std::move(line)));
    table.setExVarVal(CVes_TableBase::kVarAtlas, 1.0);
    table.setExVarVal(CVes_TableBase::kVarSeismic, 1.0);
    table.setExVarVal(CVes_TableBase::kVarConcrete, 30.0);
    table.setExVarVal(CVes_TableBase::kVarJointPercent, 2.0);
    table.setExVarVal(CVes_TableBase::kVarDisturbance, 0.0);
    table.setPageTo(1, 1);
    table.AddSelect(1, 1);
    table.AddSelect(3, 0);
    table.setModified(0);

    // 16G101-1 non-seismic, C30, 100 %: 56d.
    EXPECT_EQ(barlist::calSellineSteelJieTouMaogu(table), 1120);
    EXPECT_EQ(lines[0]->getSetupSteel()->getLConnect()->param, 1120);
    EXPECT_EQ(lines[1]->getSetupSteel()->getLConnect()->param, kUntouched);
    EXPECT_EQ(lines[2]->getSetupSteel()->getLConnect()->param, 1120);
    EXPECT_EQ(table.undoSteps, 1);
    EXPECT_EQ(table.isModified(), 1);

    // Nothing to write: no undo step, no change.
    table.setModified(0);
    lines[0]->getSetupSteel()->getLConnect()->type = 3;
    lines[2]->getSetupSteel()->getLConnect()->type = 3;
    EXPECT_EQ(barlist::calSellineSteelJieTouMaogu(table), 0);
    EXPECT_EQ(table.undoSteps, 1);
    EXPECT_EQ(table.isModified(), 0);
}

// Intermediate connections

// A bar line read from its stored form: a straight bar of shape library
// `mainId` with one intermediate connection of style 2.
std::unique_ptr<Line> midLine(int mainId, float d, int barGroup = 0)
{
    test::ReferenceFields reference;
    reference.mainId = mainId;
    reference.barGroup = barGroup;
    reference.variables = test::standardVariables(d, 2500);
    const QByteArray bytes = test::Bytes()
        .i32(7).i32(1).i32(0).i32(0).i32(1).i32(1).u32(0)
        .raw(test::referenceBytes(8, reference))
        .i32(3).str("1").i32(2).f32(d).i32(3).i32(0).str("").str("").str("")
        .i32(1).f32(2500.0f).i32(0).str("")
        .i32(1).i32(-1).i32(-1).i32(0)
        .i32(0)
        .i32(0);
    auto line = std::make_unique<Line>();
    platform::Archive ar(bytes);
    line->Serialize(ar);
    EXPECT_TRUE(ar.atEnd());
    return line;
}

int midStyle(Line* line)
{
    const auto& mids = line->getSetupSteel()->getMidConnectArray();
    return mids.empty() ? -1 : mids.front()->style;
}

CVes_MidConnect coupler()
{
    CVes_MidConnect mid;
    mid.style = 8;
    mid.fixedLength = 12000;
    return mid;
}

TEST(MidConnect, GivesTheConnectionToTheBarsInTheDiameterRange)
{
    test::CacheScope scope;
    auto d12 = midLine(150, 12.0f);
    auto d16 = midLine(150, 16.0f);
    auto d25 = midLine(150, 25.0f);
    auto group = midLine(109, 16.0f);
    auto fromShape = midLine(150, 16.0f, 1);
    auto empty = midLine(150, 16.0f);
    empty->setNull(1);
    auto without = midLine(150, 16.0f);
    without->getSetupSteel()->clearMidConnectArray();
    Line text(Line::kTextLine);
    ASSERT_EQ(midStyle(d16.get()), 2);

    barlist::MidConnectEdit edit;
    edit.limitDiameter = 1;
    edit.lowest = 12;
    edit.highest = 20;
    edit.connect = coupler();
    const TableLineList list{d12.get(), d16.get(), d25.get(), group.get(), fromShape.get(),
                             empty.get(), without.get(), &text};
    EXPECT_EQ(barlist::applyMidConnect(list, edit), 2);
    EXPECT_EQ(midStyle(without.get()), -1) << "a bar without a connection gets none";
    EXPECT_EQ(midStyle(d12.get()), 8);
    EXPECT_EQ(d12->getSetupSteel()->getMidConnectArray().front()->fixedLength, 12000);
    EXPECT_EQ(midStyle(d16.get()), 8);
    EXPECT_EQ(midStyle(d25.get()), 2);
    EXPECT_EQ(midStyle(group.get()), 2);
    EXPECT_EQ(midStyle(fromShape.get()), 2);
    EXPECT_EQ(midStyle(empty.get()), 2);

    edit.limitDiameter = 0;
    EXPECT_EQ(barlist::applyMidConnect(list, edit), 3);
    EXPECT_EQ(midStyle(d25.get()), 8);
    EXPECT_EQ(midStyle(without.get()), -1);
}

TEST(MidConnect, ABarTakesTheConnectionForEachItHasAndNoMore)
{
    test::CacheScope scope;
    auto one = midLine(150, 16.0f);
    CVes_Steel& bar = *one->getSetupSteel();
    bar.getSecendMidConnect();
    ASSERT_EQ(bar.getMidConnectArray().size(), 2u);
    bar.setMideConnect(coupler());
    ASSERT_EQ(bar.getMidConnectArray().size(), 2u);
    for (const auto& mid : bar.getMidConnectArray()) {
        EXPECT_EQ(mid->style, 8);
        EXPECT_EQ(mid->fixedLength, 12000);
    }
    bar.clearMidConnectArray();
    bar.setMideConnect(coupler());
    EXPECT_TRUE(bar.getMidConnectArray().empty());
}

TEST(MidConnect, ScopesCoverThePageTheTableOrAPageRangeInEitherOrder)
{
    test::CacheScope scope;
    BarTable table(2);
    std::vector<Line*> lines;
    for (int i = 0; i < 12; ++i)
        lines.push_back(table.add(midLine(150, 16.0f)));
    table.setPageTo(2, 1);

    barlist::MidConnectEdit edit;
    edit.scope = barlist::MidConnectEdit::kCurrentPage;
    EXPECT_EQ(barlist::midConnectLines(table, edit), TableLineList({lines[2], lines[3]}));
    edit.scope = barlist::MidConnectEdit::kWholeTable;
    EXPECT_EQ(barlist::midConnectLines(table, edit).size(), 12);
    edit.scope = barlist::MidConnectEdit::kPageRange;
    edit.firstPage = 5;
    edit.lastPage = 3;
    const TableLineList range{lines[4], lines[5], lines[6], lines[7], lines[8], lines[9]};
    EXPECT_EQ(barlist::midConnectLines(table, edit), range);
    edit.firstPage = 3;
    edit.lastPage = 5;
    EXPECT_EQ(barlist::midConnectLines(table, edit), range);

    edit.firstPage = 5;
    edit.lastPage = 3;
    edit.connect = coupler();
    table.setModified(0);
    EXPECT_EQ(barlist::batchEditMidConnect(table, edit), 6);
    EXPECT_EQ(midStyle(lines[3]), 2);
    EXPECT_EQ(midStyle(lines[4]), 8);
    EXPECT_EQ(midStyle(lines[9]), 8);
    EXPECT_EQ(midStyle(lines[10]), 2);
    EXPECT_EQ(table.undoSteps, 1);
    EXPECT_EQ(table.isModified(), 1);

    // A range beyond the table edits nothing but still records the step.
    edit.firstPage = 40;
    edit.lastPage = 50;
    EXPECT_EQ(barlist::batchEditMidConnect(table, edit), 0);
    EXPECT_EQ(table.undoSteps, 2);
}

TEST(MidConnect, RepairTakesTheConnectionsOfShapesThatDefineThem)
{
    test::CacheScope scope;
    // The shape as the bar first met it: no connections of its own.
    auto plain = test::ShapeBuilder({101, 1}).var("L", 3000).straight({1300, 150}, "0", "L").build();
    scope.add(std::move(plain));

    // The library's shape now defines a coupler along the bar.
    auto defining = test::ShapeBuilder({101, 1}).var("L", 3000).straight({1300, 150}, "0", "L").build();
    defining->m_barGroup = 1;
    CVes_MidConnect mid = coupler();
    defining->AddMidConnect(mid);
    CVes_ModelRecordMainLib library;
    CVes_ModelRecordSubLib* sub = library.AddNewSubLib("test", 1);
    ASSERT_EQ(sub->Add_Copy(defining.get()), CSteelRecordId(101, 1));

    const auto make = [](int processed) {
        auto line = std::make_unique<Line>();
        CVes_Steel bar;
        bar.setRecordId({101, 1});
        bar.setProcess(processed);
        line->setSteel(&bar);
        return line;
    };
    auto processed = make(1);
    auto notProcessed = make(0);
    ASSERT_EQ(processed->getSetupSteel()->isSteelGroup(), 0);
    ASSERT_TRUE(processed->getSetupSteel()->getMidConnectArray().empty());

    barlist::repairMidConnect(TableLineList{processed.get(), notProcessed.get()}, library);
    EXPECT_EQ(processed->getSetupSteel()->isSteelGroup(), 1);
    EXPECT_EQ(midStyle(processed.get()), 8);
    EXPECT_EQ(notProcessed->getSetupSteel()->isSteelGroup(), 0);
    EXPECT_EQ(midStyle(notProcessed.get()), -1);
}

} // namespace
