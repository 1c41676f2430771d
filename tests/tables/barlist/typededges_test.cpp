// The edges of every field of the bar list, typed: the least and the most
// each cell takes, one past each, and garbage. What is taken is stored as
// typed, and every sheet made from the list agrees with it, before and
// after the list is saved and opened again; what is refused is said, with
// what the cell takes, and leaves the line as it was. The list's other
// fields stand at their largest, so that every product the sheets make of
// counts and lengths is as large as a list can make it.

#include "tables/barlist/barentry.h"

#include "core/geometry/datafolder.h"
#include "tests/support/recordinghost.h"
#include "tests/tables/barlist/barview_support.h"
#include "tests/tables/barlist/sheetsagree.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using test::listBar;
using test::listLine;
using Source = barlist::EditedVariable::Source;

// A bent bar whose dimension "a" is an angle, in the small list's empty line.
constexpr int kAngleRow = test::kEmptyRow;

// What a field holds, as text.
enum class Stored { Number, Spacing, Count, CutLength, Remark, Dimension, Pieces, ElementName, Text };

QString storedText(CVes_SetupTable& t, int row, Stored field, const char* variable)
{
    CVes_SetupTableLine* line = listLine(t, row);
    const CVes_Steel& bar = line->m_steel;
    switch (field) {
    case Stored::Number: return bar.number;
    case Stored::Spacing: return QStringList{bar.spacing1, bar.spacing2, bar.spacing3}.join(u'|');
    case Stored::Count:
        return bar.isMultiVal() ? QStringLiteral("%1|%2").arg(bar.getMultiGroup()).arg(bar.count)
                                : QString::number(bar.count);
    case Stored::CutLength: return QString::number(double(bar.length), 'f', 1);
    case Stored::Remark: return bar.remark;
    case Stored::Dimension: {
        const CVes_Variable* v = bar.getVar(QString::fromUtf8(variable));
        return QStringLiteral("%1|%2").arg(v->m_value, 0, 'f', 1).arg(v->m_value2, 0, 'f', 1);
    }
    case Stored::Pieces: return QString::number(line->getEleNum());
    case Stored::ElementName: return line->getElement();
    case Stored::Text: {
        QStringList texts;
        line->getTextArray(texts);
        return texts.join(u'|');
    }
    }
    return {};
}

// The small list with its counts, pieces and lengths at their largest, and
// bars equal to its first.
void fillLargestList(CVes_SetupTable& t)
{
    test::fillSmallList(t);
    listLine(t, test::kElementRow)->setEleNum(int(barlimits::kPieces.max));
    CVes_Steel& bar = listBar(t, test::kBarRow);
    bar.count = int(barlimits::kCount.max);
    bar.setVarValue(QStringLiteral("L"), barlimits::kDimension.max);
    CVes_Steel& graded = listBar(t, test::kGradedRow);
    graded.setMultiGroup(int(barlimits::kGroups.max));
    graded.count = int(barlimits::kCount.max);
    graded.setVarValueE(QStringLiteral("L"), barlimits::kDimension.max);

    CVes_Steel angled;
    angled.setRecordId(CSteelRecordId(191, 9));
    angled.setDN(16.0f);
    angled.grade = 3;
    angled.number = QStringLiteral("4");
    angled.count = int(barlimits::kCount.max);
    angled.setVarValue(QStringLiteral("L1"), 1000.0);
    angled.setVarValue(QStringLiteral("L2"), 500.0);
    angled.setVarValue(QStringLiteral("a"), 135.0);
    listLine(t, kAngleRow)->setSteel(&angled);
    listLine(t, kAngleRow)->setNull(0);

    // Two more bars equal to the first: the sheets that join equal bars
    // meet three times the most a row holds.
    for (const char* number : {"1a", "1b"}) {
        CVes_Steel same;
        same.set(&bar);
        same.number = QString::fromUtf8(number);
        t.Add(same);
    }
    t.setLiaoPaiGuibing(1); // the processing sheet joins them too
}

struct EdgeCase {
    const char* name;
    int row;
    int column;
    const char* entry;
    Stored field;
    const char* stored;   // what the field holds afterwards; null: as before
    const char* message;  // what the user is told; null: nothing
    const char* variable = nullptr;  // the dimension typed into
    bool typedLength = false;        // the bar's cut length is typed, not computed
};

std::ostream& operator<<(std::ostream& os, const EdgeCase& c)
{
    return os << c.name;
}

class TypedEdges : public ::testing::TestWithParam<EdgeCase> {
protected:
    void SetUp() override { fillLargestList(t); }

    test::HostScope host;
    CVes_SetupTable t;
};

TEST_P(TypedEdges, AreTakenOrRefusedSayingWhatTheCellTakes)
{
    const EdgeCase& c = GetParam();
    test::EditHabits habits(0xFF, 5);
    if (c.typedLength)
        listBar(t, c.row).calcLength = 0;
    barlist::EditedVariable edited;
    if (c.variable)
        edited = {Source::Shape, QString::fromUtf8(c.variable)};
    const QString before = storedText(t, c.row, c.field, c.variable);

    EXPECT_EQ(barlist::commitEntry(t, c.row, c.column, QString::fromUtf8(c.entry), edited),
              c.stored != nullptr);
    EXPECT_EQ(host->messageTexts().join(u'\n').toStdString(), c.message ? c.message : "");
    const QString expected = c.stored ? QString::fromUtf8(c.stored) : before;
    EXPECT_EQ(storedText(t, c.row, c.field, c.variable).toStdString(), expected.toStdString());
    if (!c.stored)
        return;

    test::sheets::expectSheetsAgree(t);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edges.pld"));
    ASSERT_EQ(t.SaveFile(path), 1);
    CVes_SetupTable again;
    ASSERT_EQ(again.OpenFile(path), 1);
    again.setPageTo(1, 1);
    EXPECT_EQ(storedText(again, c.row, c.field, c.variable).toStdString(), expected.toStdString());
    test::sheets::expectSheetsAgree(again);
}

using test::kBarRow;
using test::kElementRow;
using test::kGradedRow;
using test::kTextRow;
using T = CVes_SetupTable;

INSTANTIATE_TEST_SUITE_P(
    BarList, TypedEdges,
    ::testing::Values(
        EdgeCase{"count_least", kBarRow, T::kColCount, "0", Stored::Count, "0", nullptr},
        EdgeCase{"count_most", kBarRow, T::kColCount, "99999", Stored::Count, "99999", nullptr},
        EdgeCase{"count_most_rounded", kBarRow, T::kColCount, "99999.4", Stored::Count, "99999", nullptr},
        EdgeCase{"count_below", kBarRow, T::kColCount, "-1", Stored::Count, nullptr,
                 "[-1] 根数必须是0到99999之间的整数"},
        EdgeCase{"count_above", kBarRow, T::kColCount, "100000", Stored::Count, nullptr,
                 "[100000] 根数必须是0到99999之间的整数"},
        EdgeCase{"count_rounded_above", kBarRow, T::kColCount, "99999.5", Stored::Count, nullptr,
                 "[99999.5] 根数必须是0到99999之间的整数"},
        EdgeCase{"count_int_limit", kBarRow, T::kColCount, "2147483647", Stored::Count, nullptr,
                 "[2147483647] 根数必须是0到99999之间的整数"},
        EdgeCase{"count_exponent", kBarRow, T::kColCount, "1e6", Stored::Count, nullptr,
                 "[1e6] 根数必须是0到99999之间的整数"},
        EdgeCase{"count_letters", kBarRow, T::kColCount, "abc", Stored::Count, nullptr,
                 "[abc] 根数必须是0到99999之间的整数"},
        EdgeCase{"graded_least", kGradedRow, T::kColCount, "0|0", Stored::Count, "0|0", nullptr},
        EdgeCase{"graded_most", kGradedRow, T::kColCount, "99999|99999", Stored::Count,
                 "99999|99999", nullptr},
        EdgeCase{"graded_groups_above", kGradedRow, T::kColCount, "100000|1", Stored::Count, nullptr,
                 "[100000] 组数必须是0到99999之间的整数"},
        // Groups before the bar are rounded up by the user's digit: -1 gives 0.
        EdgeCase{"graded_groups_rounded_to_least", kGradedRow, T::kColCount, "-1|1", Stored::Count,
                 "0|1", nullptr},
        EdgeCase{"graded_groups_below", kGradedRow, T::kColCount, "-2|1", Stored::Count, nullptr,
                 "[-2] 组数必须是0到99999之间的整数"},
        EdgeCase{"graded_count_above", kGradedRow, T::kColCount, "1|100000", Stored::Count, nullptr,
                 "[100000] 根数必须是0到99999之间的整数"},
        EdgeCase{"graded_garbage", kGradedRow, T::kColCount, "x|1", Stored::Count, nullptr,
                 "[x] 组数必须是0到99999之间的整数"},
        EdgeCase{"pieces_least", kElementRow, T::kColCount, "0", Stored::Pieces, "0", nullptr},
        EdgeCase{"pieces_most", kElementRow, T::kColCount, "9999", Stored::Pieces, "9999", nullptr},
        EdgeCase{"pieces_below", kElementRow, T::kColCount, "-1", Stored::Pieces, nullptr,
                 "[-1] 件数必须是0到9999之间的整数"},
        EdgeCase{"pieces_above", kElementRow, T::kColCount, "10000", Stored::Pieces, nullptr,
                 "[10000] 件数必须是0到9999之间的整数"},
        EdgeCase{"pieces_garbage", kElementRow, T::kColCount, "2件", Stored::Pieces, nullptr,
                 "[2件] 件数必须是0到9999之间的整数"},
        EdgeCase{"cut_length_least", kBarRow, T::kColCutLength, "0", Stored::CutLength, "0.0",
                 nullptr, nullptr, true},
        EdgeCase{"cut_length_most", kBarRow, T::kColCutLength, "1000000", Stored::CutLength,
                 "1000000.0", nullptr, nullptr, true},
        EdgeCase{"cut_length_below", kBarRow, T::kColCutLength, "-1", Stored::CutLength, nullptr,
                 "[-1] 断料长度必须是0到1000000之间的数", nullptr, true},
        EdgeCase{"cut_length_above", kBarRow, T::kColCutLength, "1000001", Stored::CutLength,
                 nullptr, "[1000001] 断料长度必须是0到1000000之间的数", nullptr, true},
        EdgeCase{"cut_length_garbage", kBarRow, T::kColCutLength, "12a", Stored::CutLength, nullptr,
                 "[12a] 断料长度必须是0到1000000之间的数", nullptr, true},
        EdgeCase{"dimension_least", kBarRow, T::kColShape, "-1000000", Stored::Dimension,
                 "-1000000.0|-1000000.0", nullptr, "L"},
        EdgeCase{"dimension_most", kBarRow, T::kColShape, "1000000", Stored::Dimension,
                 "1000000.0|1000000.0", nullptr, "L"},
        EdgeCase{"dimension_below", kBarRow, T::kColShape, "-1000001", Stored::Dimension, nullptr,
                 "[-1000001] 尺寸必须是-1000000到1000000之间的数", "L"},
        EdgeCase{"dimension_above", kBarRow, T::kColShape, "=999999+2", Stored::Dimension, nullptr,
                 "[999999+2] 尺寸必须是-1000000到1000000之间的数", "L"},
        EdgeCase{"dimension_letters", kBarRow, T::kColShape, "12a", Stored::Dimension, nullptr,
                 "[12a] 尺寸必须是-1000000到1000000之间的数\n警告：变量a没有定义！", "L"},
        EdgeCase{"dimension_exponent", kBarRow, T::kColShape, "1e6", Stored::Dimension, nullptr,
                 "[1e6] 尺寸必须是-1000000到1000000之间的数\n警告：变量e6没有定义！", "L"},
        EdgeCase{"graded_range_most", kGradedRow, T::kColShape, "-1000000~1000000", Stored::Dimension,
                 "-1000000.0|1000000.0", nullptr, "L"},
        EdgeCase{"graded_range_end_above", kGradedRow, T::kColShape, "1000~1000001", Stored::Dimension,
                 nullptr, "[1000001] 尺寸必须是-1000000到1000000之间的数", "L"},
        EdgeCase{"angle_least", kAngleRow, T::kColShape, "-360", Stored::Dimension, "-360.0|-360.0",
                 nullptr, "a"},
        EdgeCase{"angle_most", kAngleRow, T::kColShape, "360", Stored::Dimension, "360.0|360.0",
                 nullptr, "a"},
        EdgeCase{"angle_above", kAngleRow, T::kColShape, "2000", Stored::Dimension, nullptr,
                 "[2000] 角度必须是-360到360之间的数", "a"},
        EdgeCase{"angle_below", kAngleRow, T::kColShape, "-361", Stored::Dimension, nullptr,
                 "[-361] 角度必须是-360到360之间的数", "a"},
        EdgeCase{"number_text", kBarRow, T::kColNumber, "KL1-1", Stored::Number, "KL1-1", nullptr},
        EdgeCase{"number_unsaveable", kBarRow, T::kColNumber, "😀", Stored::Number, nullptr,
                 "[😀] 含有不能保存的字符。"},
        EdgeCase{"spacing_unsaveable", kBarRow, T::kColSpacing, "100/㐀", Stored::Spacing, nullptr,
                 "[100/㐀] 含有不能保存的字符。"},
        EdgeCase{"remark_unsaveable", kBarRow, T::kColRemark, "见图😀", Stored::Remark, nullptr,
                 "[见图😀] 含有不能保存的字符。"},
        EdgeCase{"element_name_unsaveable", kElementRow, T::kColSpacing, "KL😀", Stored::ElementName,
                 nullptr, "[KL😀] 含有不能保存的字符。"},
        EdgeCase{"text_line_unsaveable", kTextRow, 1, "😀", Stored::Text, nullptr,
                 "[😀] 含有不能保存的字符。"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace {

// A bent bar just chosen, its dimensions not typed yet: its bends would
// deduct from sides of nothing. It measures 0 and adds nothing to the page's
// totals, where it once added -54 mm and -0.32 kg.
TEST(NewBentBar, AddsNothingUntilItsDimensionsAreTyped)
{
    test::HostScope host;
    CVes_SetupTable t;
    t.clearnAllLine();
    CVes_Steel bar;
    bar.setRecordId(CSteelRecordId(191, 1));
    bar.setDN(20.0f);
    bar.grade = 3;
    bar.number = QStringLiteral("1");
    bar.count = 1;
    bar.setVarZero();
    t.Add(bar);
    t.setPageTo(1, 1);
    CVes_Steel& shown = listBar(t, 1);
    EXPECT_EQ(shown.getLength(0, 1.0), 0.0f);
    const QString totals = t.AmountOfCurPage(1 << 20);
    EXPECT_FALSE(totals.contains(u'-')) << totals.toStdString();
    test::sheets::expectSheetsAgree(t);
}

} // namespace
