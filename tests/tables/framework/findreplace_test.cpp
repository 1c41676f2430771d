// Find and replace without its window: the eight replacement rules, the
// result entries and the histories of typed texts.

#include "tables/framework/findreplace.h"

#include "tables/barlist/setuptable.h"
#include "tables/framework/tablehelpers.h"

#include "tablebase_support.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace findreplace;
using Line = CVes_SetupTableLine;

namespace {

const CSteelRecordId kStraightBar(190, 1);
const QString kVariableL = QStringLiteral("L");

// A bar list of one element and bars of 20 mm, grade 3, each with its own
// twist: 0 element "KL1" remark "角部"; 1 bar "A1" L 3000, count 2, spacing
// 100, remark "梁上"; 2 the same, locked; 3 bar "A3" L 0; 4 bar "A4" L 3000
// to 3500; 5 bar "A5" whose L shows the formula "L1".
class ReplaceFixture : public testing::Test {
protected:
    void SetUp() override
    {
        t.clearnAllLine();
        t.m_rowNum = 30;
        auto* element = new Line(int(Line::kElementLine));
        element->setElement(QStringLiteral("KL1"));
        element->setEleRemark(QStringLiteral("角部"));
        element->setEleNum(3);
        element->setNull(0);
        t.appendLine(element);
        bar("A1", 3000);
        bar("A2", 3000)->setLock(1);
        bar("A3", 0);
        bar("A4", 3000)->m_steel.setVarValueE(kVariableL, 3500.0);
        CVes_Variable* text = bar("A5", 3000)->m_steel.getVar(kVariableL);
        text->m_type = CVes_Variable::kTextKind;
        text->m_formula = QStringLiteral("L1");
        t.firstPage();
        t.setModified(0);
    }
    Line* bar(const char* number, int length)
    {
        CVes_Steel b;
        b.setRecordId(kStraightBar);
        b.setDN(20.0f);
        b.grade = 3;
        b.setVarValue(kVariableL, double(length));
        b.number = QString::fromLatin1(number);
        b.count = 2;
        b.spacing1 = QStringLiteral("100");
        b.remark = QStringLiteral("梁上");
        return t.Add(b);
    }
    Line* row(int index) const { return static_cast<Line*>(t.lines().at(index)); }

    CVes_SetupTable t;
};

// Replacement rules

enum class Field { Element, EleRemark, Number, GradeSize, Spacing, Shape, Start, End, Formula, Count, Remark };

QString fieldOf(Line& line, Field field)
{
    CVes_Steel& bar = line.m_steel;
    const CVes_Variable* l = bar.getVar(kVariableL);
    switch (field) {
    case Field::Element: return line.getElement();
    case Field::EleRemark: return line.getEleRemark();
    case Field::Number: return bar.number;
    case Field::GradeSize: return QString("%1 %2 d=%3").arg(bar.grade).arg(bar.DN).arg(bar.getVarValue("d"));
    case Field::Spacing: return bar.spacing1 + '|' + bar.spacing2 + '|' + bar.spacing3;
    case Field::Shape: return bar.getRecordId().ToString();
    case Field::Start: return QString::number(l->m_value);
    case Field::End: return QString::number(l->m_value2);
    case Field::Formula: return l->m_formula;
    case Field::Count: return QString::number(bar.count);
    case Field::Remark: return bar.remark;
    }
    return {};
}

struct ReplaceCase {
    const char* name;
    int item;
    int row;
    const char* find;
    const char* replace;
    Field field;
    const char* expected;
    bool changed;
    // A replacement the field refuses, as typing the value into its cell
    // would: the words the user is told begin so (none: nothing is refused).
    const char* refused = "";
};

std::ostream& operator<<(std::ostream& os, const ReplaceCase& c) { return os << c.name; }

class ReplaceRules : public ReplaceFixture, public testing::WithParamInterface<ReplaceCase> {};

TEST_P(ReplaceRules, ChangeWhatTheItemSays)
{
    const ReplaceCase& c = GetParam();
    Line* line = row(c.row);
    QString words;
    EXPECT_EQ(replaceInLine(t, line, QString::fromUtf8(c.find), QString::fromUtf8(c.replace),
                            c.item, &words),
              c.changed);
    EXPECT_EQ(fieldOf(*line, c.field), QString::fromUtf8(c.expected));
    const QString refused = QString::fromUtf8(c.refused);
    EXPECT_EQ(words.isEmpty(), refused.isEmpty()) << words.toStdString();
    EXPECT_EQ(words.left(refused.size()), refused);
    // The dialog records the change; the rule itself marks nothing.
    EXPECT_EQ(t.isModified(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ReplaceRules,
    testing::Values(
        ReplaceCase{"Element", kElement, 0, "KL", "WKL", Field::Element, "WKL1", true},
        ReplaceCase{"ElementNotFound", kElement, 0, "ZZ", "WKL", Field::Element, "KL1", false},
        ReplaceCase{"Number", kNumber, 1, "A", "B", Field::Number, "B1", true},
        ReplaceCase{"NumberOfALockedRow", kNumber, 2, "A", "B", Field::Number, "A2", false},
        ReplaceCase{"EmptyFindText", kNumber, 1, "", "B", Field::Number, "A1", false},
        ReplaceCase{"GradeAndSize", kGrade, 1, "C20", "B25", Field::GradeSize, "2 25 d=25", true},
        ReplaceCase{"GradeOnlyKeepsTheDiameter", kGrade, 1, "C20", "B", Field::GradeSize, "2 20 d=20", true},
        ReplaceCase{"SizeOnlyKeepsTheGrade", kGrade, 1, "20", "22", Field::GradeSize, "3 22 d=22", true},
        ReplaceCase{"GradeNotFound", kGrade, 1, "C25", "B22", Field::GradeSize, "3 20 d=20", false},
        ReplaceCase{"Spacing", kSpacing, 1, "100", "150;200", Field::Spacing, "150|200|", true},
        ReplaceCase{"Shape", kShape, 1, "190-1", "191-2", Field::Shape, "191-002", true},
        ReplaceCase{"ShapeWithANegativeNumber", kShape, 1, "190-1", "-1-5", Field::Shape, "190-001", false},
        ReplaceCase{"ShapeTheLibraryLacks", kShape, 1, "190-1", "190-999", Field::Shape, "190-001", false,
                    "[190-999] 不是钢筋形状的编号。"},
        ReplaceCase{"VariableValueByAFormula", kVariable, 1, "3000", "2000+500", Field::Start, "2500", true},
        ReplaceCase{"VariableEndValueOnly", kVariable, 4, "3500", "4000", Field::End, "4000", true},
        ReplaceCase{"VariableStartKeptWhenTheEndIsReplaced", kVariable, 4, "3500", "4000", Field::Start, "3000", true},
        ReplaceCase{"VariableNotANumberLeavesZeroValues", kVariable, 3, "x", "100", Field::Start, "0", false},
        ReplaceCase{"VariableBadFormulaChangesNothing", kVariable, 1, "3000", "X9+1", Field::Start, "3000", false,
                    "[X9+1] 尺寸必须是-1000000到1000000之间的数\n"},
        ReplaceCase{"VariableFormulaText", kVariable, 5, "L1", "L2", Field::Formula, "L2", true},
        ReplaceCase{"VariableFormulaTextIsNotANumber", kVariable, 5, "3000", "2500", Field::Formula, "L1", false},
        ReplaceCase{"Count", kCount, 1, "2", "5", Field::Count, "5", true},
        ReplaceCase{"CountNotANumber", kCount, 1, "2", "五", Field::Count, "2", false,
                    "[五] 根数必须是0到99999之间的整数"},
        ReplaceCase{"CountAtTheFieldsMaximum", kCount, 1, "2", "99999", Field::Count, "99999", true},
        ReplaceCase{"CountZero", kCount, 1, "2", "0", Field::Count, "0", true},
        ReplaceCase{"SpacingAtTheFieldsEnds", kSpacing, 1, "100", "0;99999", Field::Spacing, "0|99999|", true},
        ReplaceCase{"VariableAtTheDimensionsMaximum", kVariable, 1, "3000", "1000000", Field::Start, "1e+06", true},
        ReplaceCase{"RemarkOfABar", kRemark, 1, "梁", "柱", Field::Remark, "柱上", true},
        ReplaceCase{"RemarkOfAnElement", kRemark, 0, "角", "边", Field::EleRemark, "边部", true},
        ReplaceCase{"CountPastTheMaximum", kCount, 1, "2", "100000", Field::Count, "2", false,
                    "[100000] 根数必须是0到99999之间的整数"},
        ReplaceCase{"CountBeyondInt", kCount, 1, "2", "2147483648", Field::Count, "2", false,
                    "[2147483648] 根数必须是0到99999之间的整数"},
        ReplaceCase{"CountNegative", kCount, 1, "2", "-1", Field::Count, "2", false,
                    "[-1] 根数必须是0到99999之间的整数"},
        ReplaceCase{"SpacingWithUnitText", kSpacing, 1, "100", "150mm", Field::Spacing, "100||", false,
                    "[150mm] 间距必须是0到99999之间的整数"},
        ReplaceCase{"SpacingExponent", kSpacing, 1, "100", "1e6", Field::Spacing, "100||", false,
                    "[1e6] 间距必须是0到99999之间的整数"},
        ReplaceCase{"SpacingLapPartTooBig", kSpacing, 1, "100", "100;200;100000", Field::Spacing, "100||", false,
                    "[100;200;100000] 间距必须是0到99999之间的整数"},
        ReplaceCase{"SizeNamingNone", kGrade, 1, "C20", "abc", Field::GradeSize, "3 20 d=20", false,
                    "[abc] 钢筋规格值输入不正确！"},
        ReplaceCase{"SizeOfAnUnknownDiameter", kGrade, 1, "C20", "B99", Field::GradeSize, "3 20 d=20", false,
                    "[B99] 钢筋规格值输入不正确！"},
        ReplaceCase{"VariablePastTheDimensionsMaximum", kVariable, 1, "3000", "2000000", Field::Start, "3000", false,
                    "[2000000] 尺寸必须是-1000000到1000000之间的数"},
        ReplaceCase{"VariableFormulaBeyondAnyBar", kVariable, 4, "3500", "L*1000", Field::End, "3500", false,
                    "[L*1000] 尺寸必须是-1000000到1000000之间的数"},
        ReplaceCase{"NumberUnstorable", kNumber, 1, "A", "😀", Field::Number, "A1", false,
                    "[😀] 含有不能保存的字符。"},
        ReplaceCase{"RemarkUnstorable", kRemark, 1, "梁", "😀", Field::Remark, "梁上", false,
                    "[😀] 含有不能保存的字符。"},
        ReplaceCase{"ElementUnstorable", kElement, 0, "KL", "😀", Field::Element, "KL1", false,
                    "[😀] 含有不能保存的字符。"},
        ReplaceCase{"FormulaTextUnstorable", kVariable, 5, "L1", "😀", Field::Formula, "L1", false,
                    "[😀] 含有不能保存的字符。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RefusedRows, OneMessageNamesEachReasonOnceWithItsRows)
{
    QList<RefusedRow> rows{{1, 3, QStringLiteral("[x] 根数必须是0到99999之间的整数")},
                           {2, 1, QStringLiteral("[x] 尺寸必须是-1000000到1000000之间的数")},
                           {1, 5, QStringLiteral("[x] 根数必须是0到99999之间的整数")}};
    EXPECT_EQ(refusedRowsText(rows),
              QStringLiteral("以下各行未替换：\n[x] 根数必须是0到99999之间的整数\n    第1页第3行、第1页第5行"
                             "\n[x] 尺寸必须是-1000000到1000000之间的数\n    第2页第1行"));
    // Beyond the rows named, the others are counted.
    QList<RefusedRow> many;
    for (int i = 1; i <= kMaxNamedRows + 2; ++i)
        many.append({1, i, QStringLiteral("w")});
    const QString text = refusedRowsText(many);
    EXPECT_TRUE(text.contains(QStringLiteral("第1页第%1行").arg(kMaxNamedRows)));
    EXPECT_FALSE(text.contains(QStringLiteral("第1页第%1行").arg(kMaxNamedRows + 1)));
    EXPECT_TRUE(text.endsWith(QStringLiteral("等%1行").arg(kMaxNamedRows + 2)));
}

TEST_F(ReplaceFixture, AGradeChangeLeavesNoOtherRowAlone)
{
    // Only the row given is changed, even when others match.
    EXPECT_TRUE(replaceInLine(t, row(1), "A", "Z", kNumber));
    EXPECT_EQ(row(3)->m_steel.number, "A3");
    EXPECT_FALSE(replaceInLine(t, nullptr, "A", "Z", kNumber));
    EXPECT_FALSE(replaceInLine(t, row(1), "Z", "Y", -1));
}

TEST_F(ReplaceFixture, RowsAndVariablesAreCheckedAgainstTheTable)
{
    Line* listed = row(3);
    CVes_Variable* variable = listed->m_steel.getVar(kVariableL);
    EXPECT_TRUE(holdsLine(t, listed));
    EXPECT_TRUE(holdsVariable(t, variable));
    t.clearnAllLine();
    // The pointers are only compared, never followed.
    EXPECT_FALSE(holdsLine(t, listed));
    EXPECT_FALSE(holdsVariable(t, variable));
    EXPECT_FALSE(holdsVariable(t, nullptr));
}

// Result entries

struct EntryCase {
    const char* name;
    int item;
    int row;
    const char* expected; // "%s" stands for the bar's size text
};

std::ostream& operator<<(std::ostream& os, const EntryCase& c) { return os << c.name; }

class FindEntries : public ReplaceFixture, public testing::WithParamInterface<EntryCase> {};

TEST_P(FindEntries, ShowWhatTheItemFinds)
{
    const EntryCase& c = GetParam();
    const QString size = Steel_GradeDNToString(3, 20.0f, 0);
    const QString expected = QString::fromUtf8(c.expected).replace("%s", size);
    EXPECT_EQ(entryText(t, 2, 4, 7, row(c.row), c.item), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Items, FindEntries,
    testing::Values(
        EntryCase{"Element", kElement, 0, "2、第4页，第7行——构件编号：KL1  件数：3件。  角部  "},
        EntryCase{"Number", kNumber, 1, "2、第4页，第7行——钢筋编号：A1。  规格：%s。  大样编号：190-001  "},
        EntryCase{"Grade", kGrade, 1, "2、第4页，第7行——钢筋编号：A1。  规格：%s。  大样编号：190-001  "},
        EntryCase{"Shape", kShape, 1, "2、第4页，第7行——钢筋编号：A1。  规格：%s。  大样编号：190-001  "},
        EntryCase{"Variable", kVariable, 1, "2、第4页，第7行——钢筋编号：A1。  规格：%s。  大样编号：190-001  "},
        EntryCase{"Spacing", kSpacing, 1, "2、第4页，第7行——钢筋编号：A1。规格：%s。 间距：100  "},
        EntryCase{"Count", kCount, 1, "2、第4页，第7行—— 规格：%s。  大样编号：190-001 。每件根数：2 "},
        EntryCase{"Remark", kRemark, 1, "2、第4页，第7行——钢筋编号：A1； 规格：%s ；  备注：梁上 "},
        EntryCase{"RemarkOfAnElementRow", kRemark, 0, "2、第4页，第7行——"},
        EntryCase{"ElementItemOnABar", kElement, 1, "2、第4页，第7行——构件编号：  件数：1件。    "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindEntry, ARowOfAnotherSheetShowsOnlyItsPlace)
{
    test::KeyLine line(1, 0);
    CVes_SetupTable list;
    EXPECT_EQ(entryText(list, 1, 2, 3, &line, kNumber), QStringLiteral("1、第2页，第3行——"));
    EXPECT_EQ(entryText(list, 1, 2, 3, nullptr, kElement), QStringLiteral("1、第2页，第3行——"));
}

TEST(FindItems, EightItemsAndAnEmptyNinth)
{
    const QStringList items = itemTexts();
    ASSERT_EQ(items.size(), 9);
    EXPECT_EQ(items[kElement], "构件编号");
    EXPECT_EQ(items[kVariable], "钢筋形状变量");
    EXPECT_EQ(items[kRemark], "备注");
    EXPECT_TRUE(items[8].isEmpty());
}

// Histories

TEST(FindHistory, TextsAreKeptOnceInTheirOrder)
{
    TextHistory history;
    EXPECT_TRUE(history.add("B"));
    EXPECT_TRUE(history.add("A"));
    EXPECT_FALSE(history.add("B"));
    EXPECT_TRUE(history.add(""));
    EXPECT_FALSE(history.add(""));
    EXPECT_TRUE(history.add("b")); // compared exactly
    EXPECT_EQ(history.texts(), (QStringList{"B", "A", "", "b"}));
}

TEST(FindHistory, ASearchTextLosesItsLeadingBlanksOnly)
{
    EXPECT_EQ(searchHistoryText("  A1 "), "A1 ");
    EXPECT_EQ(searchHistoryText("\u3000梁"), "梁");
    EXPECT_EQ(searchHistoryText("   "), "");
    EXPECT_EQ(searchHistoryText(""), "");
}

} // namespace
