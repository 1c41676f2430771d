// The edges of every field of the processing sheet, typed: the least and the
// most each cell takes, one past each, and garbage. What is taken is stored
// as typed, and the sheet's summary and bar tags agree with its rows, before
// and after it is saved and opened again; what is refused is said, with what
// the cell takes, and leaves the row as it was. The sheet's other rows stand
// at their largest counts and lengths, so that every product of counts and
// lengths is as large as a sheet can make it.

#include "tests/tables/processing/processing_support.h"

#include "core/model/recordcache.h"
#include "tables/framework/tablehelpers.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processlisttable.h"
#include "tables/processing/processtablelistline.h"
#include "tests/support/recordinghost.h"

#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <ostream>

namespace {

using test::EditLine;
using P = CVes_ProcessTable;

const CSteelRecordId kAngled(150, 23); // a side "L" and an angle "a"

// Rows of the sheet (1-based, as the cells are addressed).
constexpr int kHeadingRow = 1;
constexpr int kShapedRow = 2;  // the straight shape, "L" at its largest
constexpr int kTypedRow = 3;   // a typed cut length at its largest
constexpr int kGradedRow = 4;  // graded, groups and bars at their largest
constexpr int kAngleRow = 5;   // the angled shape

enum class Field { Number, Count, Length, Dimension, Stock, Remark, Heading };

QString storedText(P& sheet, int row, Field field, const char* variable)
{
    auto* line = dynamic_cast<EditLine*>(sheet.lineAt(row - 1));
    if (!line)
        return QStringLiteral("no row");
    const CVes_ProcessSteel& bar = *line->getProcessSteel();
    switch (field) {
    case Field::Number: return bar.number;
    case Field::Count:
        return bar.isMultiVal() ? QStringLiteral("%1|%2").arg(bar.getMultiGroup()).arg(bar.count)
                                : QString::number(bar.count);
    case Field::Length: return QString::number(double(bar.length), 'f', 1);
    case Field::Dimension: {
        const CVes_Variable* v = bar.getVar(QString::fromUtf8(variable));
        return QStringLiteral("%1|%2").arg(v->m_value, 0, 'f', 1).arg(v->m_value2, 0, 'f', 1);
    }
    case Field::Stock: return bar.tags.empty() ? QString() : bar.tags.front().text;
    case Field::Remark: return bar.remark;
    case Field::Heading: return line->getEle();
    }
    return {};
}

// Published unit weights of the sizes the sheet uses, kg/m.
const std::map<float, double> kUnitWeight = {{12.0f, 0.888}, {16.0f, 1.58}, {25.0f, 3.85}};

struct Amount {
    double bars = 0.0;
    double metres = 0.0;
};

// What the sheet's rows hold by size text, worked out here from each bar's
// count, groups and length.
std::map<QString, Amount> rowAmounts(P& sheet, double* kg)
{
    std::map<QString, Amount> sizes;
    for (CVes_TableBaseLine* base : sheet.lines()) {
        auto* line = dynamic_cast<EditLine*>(base);
        if (!line || line->isNull() || line->getType() != EditLine::kSteelRow)
            continue;
        CVes_ProcessSteel& bar = *line->getProcessSteel();
        const double bars = double(bar.count) * (bar.isMultiVal() ? bar.getMultiGroup() : 1);
        double mm = bar.calcLength ? double(bar.getLength(0, 1.0)) : double(bar.length);
        if (bar.isMultiVal())
            mm = (double(bar.getLength(0, 1.0)) + bar.getLength(1, 1.0)) * 0.5;
        Amount& a = sizes[Steel_GradeDNToTableString(bar.grade, bar.DN, bar.steelType)];
        a.bars += bars;
        a.metres += bars * mm * 0.001;
        *kg += bars * mm * 0.001 * kUnitWeight.at(bar.DN);
    }
    return sizes;
}

double numberIn(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    EXPECT_TRUE(ok) << "not a number: " << text.toStdString();
    return value;
}

// The summary and the bar tags tell the bars, metres and weights the rows
// hold; within a millimetre a bar and the printed rounding.
void expectSummaryAndTagsAgree(P& sheet)
{
    double kg = 0.0;
    const std::map<QString, Amount> rows = rowAmounts(sheet, &kg);
    double allBars = 0.0;
    for (const auto& [size, a] : rows)
        allBars += a.bars;

    sheet.m_filter = CVes_ProcessListTable::kStirrups | CVes_ProcessListTable::kBent
        | CVes_ProcessListTable::kStraight;
    const std::unique_ptr<CVes_ProcessListTable> summary(sheet.toListSheet(nullptr));
    std::map<QString, double> metres;
    double summaryKg = 0.0;
    int items = 0;
    for (CVes_TableBaseLine* base : summary->lines()) {
        auto* line = dynamic_cast<CVes_ProcessTableListLine*>(base);
        const QStringList* texts = line ? line->getTextArray() : nullptr;
        if (!texts)
            continue;
        // The weight of every kind together is checked by itself.
        if (texts->value(0) == QStringLiteral("合计总重")) {
            EXPECT_NEAR(numberIn(texts->value(6)), kg, allBars * 0.001 * 3.85 + 0.05)
                << "grand total";
        } else if (texts->value(0).endsWith(QStringLiteral("总重"))) {
            summaryKg += numberIn(texts->value(6));
        } else if (texts->size() >= 7 && texts->value(0).toInt() >= 1) {
            metres[texts->value(1).trimmed()] += numberIn(texts->value(5));
            ++items;
        }
    }
    for (const auto& [size, a] : rows)
        EXPECT_NEAR(metres[size], a.metres, a.bars * 0.001 + 0.01 * items)
            << "summary metres of " << size.toStdString();
    EXPECT_NEAR(summaryKg, kg, allBars * 0.001 * 3.85 + 0.05 * items) << "summary total";

    CVes_LiaoPaiTable tags;
    sheet.toLiaoPaiTable(&tags);
    std::map<QString, double> tagged;
    double tagKg = 0.0;
    for (CVes_LiaoPaiTableLine& tag : tags.m_lpList) {
        const QStringList& t = tag.texts();
        if (t.size() < 11)
            continue;
        // A graded bar's tag: bars a group, then groups, as every sheet words them.
        static const QRegularExpression graded(QStringLiteral("^(\\d+)支/组\\n共(\\d+)组$"));
        const auto m = graded.match(t[7]);
        tagged[Steel_GradeDNToTableString(tag.grade(), tag.diameter(), tag.barType())] +=
            m.hasMatch() ? m.captured(1).toDouble() * m.captured(2).toDouble() : numberIn(t[7]);
        tagKg += numberIn(t[10]);
    }
    for (const auto& [size, a] : rows)
        EXPECT_EQ(tagged[size], a.bars) << "bars on the tags of " << size.toStdString();
    EXPECT_NEAR(tagKg, kg, allBars * 0.001 * 3.85 + 0.005 * double(tags.m_lpList.size()))
        << "tag weights";
}

struct ProcessEdgeCase {
    const char* name;
    int row;
    int column;
    const char* entry;
    Field field;
    const char* stored;   // what the field holds afterwards; null: as before
    const char* message;  // what the user is told; null: nothing
    const char* variable = nullptr;  // the dimension typed into
};

std::ostream& operator<<(std::ostream& os, const ProcessEdgeCase& c)
{
    return os << c.name;
}

class ProcessTypedEdges : public ::testing::TestWithParam<ProcessEdgeCase> {
protected:
    void SetUp() override
    {
        // Kept with the test's shapes, which the cache lets go at the end.
        useModelCache().add(*test::ShapeBuilder(kAngled)
                                 .var("L", 1000)
                                 .var("a", 135, CVes_Variable::kDegrees)
                                 .straight({1300, 150}, "0", "L")
                                 .build());
        const int most = int(barlimits::kRowCount.max);
        sheet.clearnAllLine();
        sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL1")));
        sheet.appendLine(test::barRow(
            test::shapedBar("1", test::kStraight, "L", barlimits::kDimension.max, most)));
        sheet.appendLine(test::barRow(
            test::processBar("2", 3, 25.0f, most, float(barlimits::kCutLength.max))));
        CVes_ProcessSteel graded =
            test::shapedBar("3", test::kStraight, "L", 1000, most, 3, 16.0f);
        graded.setMultiVal(1);
        graded.setMultiGroup(int(barlimits::kGroups.max));
        graded.setVarValueE(QStringLiteral("L"), barlimits::kDimension.max);
        sheet.appendLine(test::barRow(graded));
        sheet.appendLine(test::barRow(test::shapedBar("4", kAngled, "L", 1000, most, 3, 16.0f)));
        sheet.appendLine(test::emptyRow());
        sheet.regenData();
        sheet.firstPage();
    }

    test::HostScope host;
    test::ProcessingShapes shapes;
    P sheet;
};

TEST_P(ProcessTypedEdges, AreTakenOrRefusedSayingWhatTheCellTakes)
{
    const ProcessEdgeCase& c = GetParam();
    const QString variable = c.variable ? QString::fromUtf8(c.variable) : QString();
    const QString before = storedText(sheet, c.row, c.field, c.variable);

    EXPECT_EQ(sheet.commitCell(c.row, c.column, QString::fromUtf8(c.entry), variable),
              c.stored ? 1 : 0);
    EXPECT_EQ(host->messageTexts().join(u'\n').toStdString(), c.message ? c.message : "");
    const QString expected = c.stored ? QString::fromUtf8(c.stored) : before;
    EXPECT_EQ(storedText(sheet, c.row, c.field, c.variable).toStdString(), expected.toStdString());
    if (!c.stored)
        return;

    expectSummaryAndTagsAgree(sheet);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edges.jgd"));
    ASSERT_EQ(sheet.SaveFile(path), 1);
    P again;
    ASSERT_EQ(again.OpenFile(path), 1);
    EXPECT_EQ(storedText(again, c.row, c.field, c.variable).toStdString(), expected.toStdString());
    expectSummaryAndTagsAgree(again);
    EXPECT_EQ(host->messageTexts().join(u'\n').toStdString(), c.message ? c.message : "");
}

INSTANTIATE_TEST_SUITE_P(
    ProcessingSheet, ProcessTypedEdges,
    ::testing::Values(
        ProcessEdgeCase{"count_least", kTypedRow, P::kColCount, "0", Field::Count, "0", nullptr},
        ProcessEdgeCase{"count_most", kTypedRow, P::kColCount, "999999999", Field::Count,
                        "999999999", nullptr},
        ProcessEdgeCase{"count_below", kTypedRow, P::kColCount, "-1", Field::Count, nullptr,
                        "[-1] 根数必须是0到999999999之间的整数"},
        ProcessEdgeCase{"count_above", kTypedRow, P::kColCount, "1000000000", Field::Count, nullptr,
                        "[1000000000] 根数必须是0到999999999之间的整数"},
        ProcessEdgeCase{"count_int_limit", kTypedRow, P::kColCount, "2147483647", Field::Count,
                        nullptr, "[2147483647] 根数必须是0到999999999之间的整数"},
        ProcessEdgeCase{"count_garbage", kTypedRow, P::kColCount, "12根", Field::Count, nullptr,
                        "[12根] 根数必须是0到999999999之间的整数"},
        ProcessEdgeCase{"groups_most", kGradedRow, P::kColCount, "99999/999999999", Field::Count,
                        "99999|999999999", nullptr},
        ProcessEdgeCase{"groups_above", kGradedRow, P::kColCount, "100000/1", Field::Count, nullptr,
                        "[100000] 组数必须是0到99999之间的整数"},
        ProcessEdgeCase{"groups_below", kGradedRow, P::kColCount, "-1/1", Field::Count, nullptr,
                        "[-1] 组数必须是0到99999之间的整数"},
        ProcessEdgeCase{"groups_garbage", kGradedRow, P::kColCount, "x/1", Field::Count, nullptr,
                        "[x] 组数必须是0到99999之间的整数"},
        ProcessEdgeCase{"length_least", kTypedRow, P::kColLength, "0", Field::Length, "0.0", nullptr},
        ProcessEdgeCase{"length_most", kTypedRow, P::kColLength, "1000000", Field::Length,
                        "1000000.0", nullptr},
        ProcessEdgeCase{"length_below", kTypedRow, P::kColLength, "-1", Field::Length, nullptr,
                        "[-1] 断料长度必须是0到1000000之间的数"},
        ProcessEdgeCase{"length_above", kTypedRow, P::kColLength, "1000001", Field::Length, nullptr,
                        "[1000001] 断料长度必须是0到1000000之间的数"},
        ProcessEdgeCase{"length_exponent", kTypedRow, P::kColLength, "1e6", Field::Length, nullptr,
                        "[1e6] 断料长度必须是0到1000000之间的数"},
        ProcessEdgeCase{"dimension_least", kShapedRow, P::kColShape, "-1000000", Field::Dimension,
                        "-1000000.0|-1000000.0", nullptr, "L"},
        ProcessEdgeCase{"dimension_most", kShapedRow, P::kColShape, "1000000", Field::Dimension,
                        "1000000.0|1000000.0", nullptr, "L"},
        ProcessEdgeCase{"dimension_below", kShapedRow, P::kColShape, "-1000001", Field::Dimension,
                        nullptr, "[-1000001] 尺寸必须是-1000000到1000000之间的数", "L"},
        ProcessEdgeCase{"dimension_above", kShapedRow, P::kColShape, "999999+2", Field::Dimension,
                        nullptr, "[999999+2] 尺寸必须是-1000000到1000000之间的数", "L"},
        ProcessEdgeCase{"dimension_letters", kShapedRow, P::kColShape, "12a", Field::Dimension,
                        nullptr, "[12a] 尺寸必须是-1000000到1000000之间的数\n警告：变量a没有定义！",
                        "L"},
        ProcessEdgeCase{"range_end_above", kGradedRow, P::kColShape, "1000~1000001",
                        Field::Dimension, nullptr, "[1000001] 尺寸必须是-1000000到1000000之间的数",
                        "L"},
        ProcessEdgeCase{"angle_least", kAngleRow, P::kColShape, "-360", Field::Dimension,
                        "-360.0|-360.0", nullptr, "a"},
        ProcessEdgeCase{"angle_most", kAngleRow, P::kColShape, "360", Field::Dimension,
                        "360.0|360.0", nullptr, "a"},
        ProcessEdgeCase{"angle_above", kAngleRow, P::kColShape, "2000", Field::Dimension, nullptr,
                        "[2000] 角度必须是-360到360之间的数", "a"},
        ProcessEdgeCase{"angle_below", kAngleRow, P::kColShape, "-361", Field::Dimension, nullptr,
                        "[-361] 角度必须是-360到360之间的数", "a"},
        ProcessEdgeCase{"number_text", kTypedRow, P::kColNumber, "KL1-1", Field::Number, "KL1-1",
                        nullptr},
        ProcessEdgeCase{"number_unsaveable", kTypedRow, P::kColNumber, "😀", Field::Number, nullptr,
                        "[😀] 含有不能保存的字符。"},
        ProcessEdgeCase{"stock_unsaveable", kTypedRow, P::kColStock, "9m㐀", Field::Stock, nullptr,
                        "[9m㐀] 含有不能保存的字符。"},
        ProcessEdgeCase{"remark_unsaveable", kTypedRow, P::kColRemark, "见图😀", Field::Remark,
                        nullptr, "[见图😀] 含有不能保存的字符。"},
        ProcessEdgeCase{"heading_unsaveable", kHeadingRow, P::kColNumber, "KL😀", Field::Heading,
                        nullptr, "[KL😀] 含有不能保存的字符。"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
