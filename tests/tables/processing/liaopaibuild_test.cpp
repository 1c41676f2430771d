// The two builders of the bar-tag sheet: from a processing sheet (tag names
// after the sheet number, element tags with the range of their bars' tags,
// the closing captions, tag types, graded lengths, stock texts, weights) and
// from a bar list (element tags by the tag mode, tag and processing numbers,
// cut-length units, element names over two lines).

#include "tests/tables/processing/liaopai_support.h"

#include "core/geometry/datafolder.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/tablehelpers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using test::EditLine;
using Texts = std::vector<std::string>;

// Text `i` of every tag of the list ("-" for a tag without it).
Texts textOfTags(const CVes_LiaoPaiTable& table, int i)
{
    Texts out;
    for (const CVes_LiaoPaiTableLine& tag : table.m_lpList)
        out.push_back(tag.texts().size() > i ? tag.texts()[i].toStdString() : "-");
    return out;
}

const std::string kElementCaption = "             构件料牌";
const std::string kTotalCaption = "             构件总料牌";

class ProcessTags : public ::testing::Test {
protected:
    void SetUp() override { sheet.m_texts[3].m_formula = QStringLiteral("JG01"); }
    void heading(unsigned int kind, const char* text)
    {
        sheet.appendLine(test::headingRow(kind, QString::fromUtf8(text)));
    }
    // A bar of one tag numbered `mark` (sub-number `sub`, stock text `stock`).
    CVes_ProcessSteel& bar(const char* number, int mark, int sub = 0, const char* stock = "")
    {
        auto* line = test::barRow(test::shapedBar(number, test::kStraight, "L", 3000, 2));
        CVes_LiaoPai& tag = line->getProcessSteel()->tags.front();
        tag.mark = mark;
        tag.auxA = sub;
        tag.text = QString::fromUtf8(stock);
        sheet.appendLine(line);
        return *line->getProcessSteel();
    }
    CVes_LiaoPaiTable& build()
    {
        sheet.toLiaoPaiTable(&tags);
        return tags;
    }

    test::ProcessingShapes shapes;
    CVes_ProcessTable sheet;
    CVes_LiaoPaiTable tags;
};

struct NameCase {
    const char* sheetNumber;
    int mark;
    int sub;
    const char* expected;
};

class ProcessTagNames : public ProcessTags, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ProcessTagNames, FollowTheSheetNumber)
{
    const NameCase& c = GetParam();
    sheet.m_texts[3].m_formula = QString::fromUtf8(c.sheetNumber);
    sheet.setLiaoPaiType(1);
    bar("1", c.mark, c.sub);
    EXPECT_EQ(textOfTags(build(), 3), Texts{c.expected});
}

INSTANTIATE_TEST_SUITE_P(Names, ProcessTagNames,
                         ::testing::Values(NameCase{"JG01", 1, 0, "JG01-料牌1"},
                                           NameCase{"JG01", 1, 2, "JG01-料牌1.2"},
                                           NameCase{"", 1, 0, "料牌1"},
                                           NameCase{"JG01  ", 4, 0, "JG01-料牌4"},
                                           NameCase{"   ", 12, 3, "料牌12.3"}));

TEST_F(ProcessTags, ElementTagsStandBeforeTheirBarsWithTheRangeAndTheClosingCaption)
{
    heading(EditLine::kProjectRow, "综合楼");
    heading(EditLine::kEleRow, "KL1|KL2");
    for (int mark = 3; mark <= 7; ++mark)
        bar("B", mark);
    heading(EditLine::kEleRow, "KL3");
    bar("C", 8);
    heading(EditLine::kProjectRow, "车库");
    heading(EditLine::kEleRow, "KZ1");
    heading(EditLine::kEleRow, "KZ2");
    bar("D", 9);
    build();
    EXPECT_EQ(textOfTags(tags, 3),
              (Texts{"JG01-料牌3～7", "JG01-料牌3", "JG01-料牌4", "JG01-料牌5", "JG01-料牌6",
                     "JG01-料牌7", "JG01-料牌8～8", "JG01-料牌8", "JG01-料牌-1～-1",
                     "JG01-料牌9～9", "JG01-料牌9"}));
    EXPECT_EQ(textOfTags(tags, 4)[0], kElementCaption) << "closed by the next element";
    EXPECT_EQ(textOfTags(tags, 4)[6], kTotalCaption) << "closed by a project row";
    EXPECT_EQ(textOfTags(tags, 4)[8], kElementCaption);
    EXPECT_EQ(textOfTags(tags, 4)[9], kElementCaption) << "closed by the end of the sheet";
    EXPECT_EQ(tags.m_lpList[0].texts().size(), 6);
    EXPECT_EQ(textOfTags(tags, 5)[0], "KL1\nKL2");
    EXPECT_EQ(textOfTags(tags, 5)[1], "KL1\nKL2");
    EXPECT_EQ(textOfTags(tags, 0)[9], "车库");
    EXPECT_EQ(tags.m_lpList[0].diameter(), 0.0f) << "an element tag has no bar";
    EXPECT_EQ(tags.lines().size(), 11);
}

struct TypeCase {
    int type;
    Texts names;
};

class ProcessTagTypes : public ProcessTags, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(ProcessTagTypes, ChooseElementTagsBarTagsOrBoth)
{
    sheet.setLiaoPaiType(unsigned(GetParam().type));
    heading(EditLine::kEleRow, "KL1");
    bar("B", 1);
    bar("B", 2);
    heading(EditLine::kEleRow, "KL2");
    bar("C", 3);
    EXPECT_EQ(textOfTags(build(), 3), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Types, ProcessTagTypes,
    ::testing::Values(TypeCase{0, {"JG01-料牌1～2", "JG01-料牌1", "JG01-料牌2", "JG01-料牌3～3",
                                   "JG01-料牌3"}},
                      TypeCase{1, {"JG01-料牌1", "JG01-料牌2", "JG01-料牌3"}},
                      TypeCase{2, {"JG01-料牌1～2", "JG01-料牌3～3"}},
                      TypeCase{5, {"JG01-料牌1～2", "JG01-料牌3～3"}}));

// Each mode the tag menu offers, on elements of main bars and a stirrup:
// the tag names of what it makes ("E" before an element tag's range).
class ProcessTagModes : public ProcessTags, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(ProcessTagModes, MakeTheTagsTheyName)
{
    sheet.setLiaoPaiType(unsigned(GetParam().type));
    heading(EditLine::kEleRow, "KL1");
    bar("1", 1);
    auto* stirrup = test::barRow(test::shapedBar("2", test::kStirrup, "A", 300, 20, 1, 8.0f));
    stirrup->getProcessSteel()->tags.front().mark = 2;
    sheet.appendLine(stirrup);
    heading(EditLine::kEleRow, "KL2");
    bar("3", 3);
    build();
    Texts names;
    for (const CVes_LiaoPaiTableLine& tag : tags.m_lpList)
        names.push_back((tag.texts().size() == 6 ? "E" : "") + tag.texts()[3].toStdString());
    EXPECT_EQ(names, GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Menu, ProcessTagModes,
    ::testing::Values(TypeCase{0, {"EJG01-料牌1～2", "JG01-料牌1", "JG01-料牌2", "EJG01-料牌3～3",
                                   "JG01-料牌3"}},
                      TypeCase{1, {"JG01-料牌1", "JG01-料牌2", "JG01-料牌3"}},
                      TypeCase{2, {"EJG01-料牌1～2", "EJG01-料牌3～3"}},
                      TypeCase{3, {"JG01-料牌1", "JG01-料牌3"}},
                      TypeCase{4, {"JG01-料牌2"}}));

TEST_F(ProcessTags, BuildingAgainGivesTheSameTags)
{
    heading(EditLine::kEleRow, "KL1");
    bar("B", 1);
    bar("C", 2);
    sheet.m_units[CVes_ProcessTable::kColLength] = CVes_Template::kMetre;
    build();
    const Texts once = textOfTags(tags, 3);
    const Texts lengths = textOfTags(tags, 9);
    tags.m_units.append(99);
    build();
    EXPECT_EQ(textOfTags(tags, 3), once);
    EXPECT_EQ(textOfTags(tags, 9), lengths);
    EXPECT_EQ(tags.lines().size(), 3);
    EXPECT_EQ(tags.m_units, sheet.m_units);
    EXPECT_EQ(tags.m_lengthUnit, CVes_Template::kMetre);
    // Given no table, the builder makes one for the caller.
    std::unique_ptr<CVes_LiaoPaiTable> made(sheet.toLiaoPaiTable(nullptr));
    EXPECT_EQ(textOfTags(*made, 3), once);
}

TEST_F(ProcessTags, BarTagTextsInTheirOrder)
{
    heading(EditLine::kProjectRow, "综合楼");
    heading(EditLine::kStoryRow, "三层");
    heading(EditLine::kEleTypeRow, "框架梁");
    heading(EditLine::kEleRow, "KL1");
    CVes_ProcessSteel& b = bar("7", 1, 0, "9m");
    b.remark = QStringLiteral("两端");
    sheet.setLiaoPaiType(1);
    build();
    ASSERT_EQ(tags.m_lpList.size(), 1u);
    const QStringList& t = tags.m_lpList[0].texts();
    const QString grade = Steel_GradeDNToTableString(3, 12.0f, 0);
    const QString weight = QStringLiteral("5.33");  // 2 × 3 m × 0.888 kg/m
    EXPECT_EQ(t, (QStringList{"综合楼", "三层", "框架梁", "JG01-料牌1", "两端", "KL1", "7", "2",
                              grade + " (9m)", "3000", weight}));
    EXPECT_EQ(tags.m_lpList[0].diameter(), 12.0f);
}

TEST_F(ProcessTags, AGradedBarShowsItsRangeAndWeighsItsBarsOnce)
{
    CVes_ProcessSteel graded = test::shapedBar("G", test::kStraight, "L", 1000, 2);
    graded.setMultiVal(1);
    graded.setMultiGroup(3);
    graded.setVarValueE(QStringLiteral("L"), 1400);
    sheet.appendLine(test::barRow(graded));
    sheet.setLiaoPaiType(1);
    build();
    ASSERT_EQ(tags.m_lpList.size(), 1u);
    const QStringList& t = tags.m_lpList[0].texts();
    EXPECT_EQ(t[9], "1000～1400\n等差:200");
    // Three bars a group (1000, 1200 and 1400), two groups: 1.2 m on average.
    EXPECT_EQ(t[7], "3支/组\n共2组");
    EXPECT_EQ(t[10], "6.39");  // 6 bars × 1.2 m × 0.888 kg/m

    // The weight does not depend on the unit the lengths are shown in.
    sheet.m_units[CVes_ProcessTable::kColLength] = CVes_Template::kMetre;
    build();
    EXPECT_EQ(tags.m_lpList[0].texts()[9], "1.00～1.40\n等差:0.20");
    EXPECT_EQ(tags.m_lpList[0].texts()[10], t[10]);
}

struct LayoutCase {
    int sheetLayout;
    unsigned layout;
    int perPage;
};

class ProcessTagLayouts : public ProcessTags, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(ProcessTagLayouts, TheTagsPerPageFollowTheLayout)
{
    const LayoutCase& c = GetParam();
    sheet.setLiaoPaiDirect(unsigned(c.sheetLayout));
    sheet.m_texts[6].m_formula = QStringLiteral("王工");
    tags.m_rowNum = 16;
    build();
    EXPECT_EQ(tags.getLiaoPaiDerect(), c.layout);
    EXPECT_EQ(tags.getRowNum(), c.perPage);
    EXPECT_EQ(tags.m_texts[6].m_text, "加工");
    EXPECT_EQ(tags.m_texts[6].m_formula, "王工");
}

INSTANTIATE_TEST_SUITE_P(Layouts, ProcessTagLayouts,
                         ::testing::Values(LayoutCase{0, 0, 8}, LayoutCase{1, 1, 8},
                                           LayoutCase{2, 2, 16}, LayoutCase{3, 3, 8},
                                           LayoutCase{4, 4, 8}, LayoutCase{5, 5, 10},
                                           LayoutCase{9, 3, 8}, LayoutCase{-1, 3, 8}));

// From a bar list

class BarListTags : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i : {2, 3, 4})
            list.m_texts[std::size_t(i)].m_formula = QString();
        list.clearnAllLineOnly();
        list.setLiaoPaiType(0);
        QFile::remove(GetRODOFilePath() + QStringLiteral("KUCUN.xml"));
    }
    void element(const char* name, int pieces = 1)
    {
        auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
        line->setNull(0);
        line->setElement(QString::fromUtf8(name));
        line->setEleNum(pieces);
        list.appendLine(line);
    }
    CVes_Steel& bar(const char* number, int count, double length,
                    CSteelRecordId shape = test::kStraight)
    {
        auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
        line->setNull(0);
        CVes_Steel& steel = line->m_steel;
        steel.number = QString::fromUtf8(number);
        steel.grade = 3;
        steel.DN = 12.0f;
        steel.count = count;
        steel.setRecordId(shape);
        steel.calcLength = 1;
        steel.setVarValue(shape == test::kStraight ? QStringLiteral("L") : QStringLiteral("A"),
                          length);
        list.appendLine(line);
        return steel;
    }
    CVes_LiaoPaiTable& build()
    {
        list.toLiaoPaiTable(&tags);
        return tags;
    }

    test::ProcessingShapes shapes;
    CVes_SetupTable list;
    CVes_LiaoPaiTable tags;
};

TEST_F(BarListTags, AnElementTagNamesTheRangeAfterTheConstructionPart)
{
    list.m_texts[3].m_formula = QStringLiteral("第一层");
    element("KL1|KL2");
    for (int i = 1; i <= 12; ++i)
        bar(std::to_string(i).c_str(), 2, 1000 + 100 * i);
    build();
    ASSERT_EQ(tags.m_lpList.size(), 13u);
    EXPECT_EQ(textOfTags(tags, 3)[0], "第一层-料牌1～12");
    EXPECT_EQ(textOfTags(tags, 4)[0], kElementCaption);
    EXPECT_EQ(textOfTags(tags, 1)[0], "第一层") << "the construction part's storey heading";
    EXPECT_EQ(textOfTags(tags, 5)[0], "KL1\nKL2");
    EXPECT_EQ(textOfTags(tags, 5)[12], "KL1\nKL2");
    EXPECT_EQ(textOfTags(tags, 3)[12], "料牌12  [12]");
    EXPECT_EQ(textOfTags(tags, 6)[12], "12 [12]");

    list.m_texts[3].m_formula = QStringLiteral("  ");
    build();
    EXPECT_EQ(textOfTags(tags, 3)[0], "料牌1～12");
}

TEST_F(BarListTags, AJoinedBarKeepsItsTagNumberBesideItsProcessingNumber)
{
    element("KL1");
    bar("1", 2, 3000);
    bar("2", 2, 4000);
    bar("3", 2, 3000);
    list.setLiaoPaiType(1);
    build();
    EXPECT_EQ(textOfTags(tags, 3), (Texts{"料牌1  [1]", "料牌2  [2]", "料牌3  [1]"}));
    EXPECT_EQ(textOfTags(tags, 6), (Texts{"1 [1]", "2 [2]", "3 [1]"}));
    EXPECT_EQ(textOfTags(tags, 7), (Texts{"2", "2", "2"}));
}

struct ModeCase {
    int mode;
    Texts numbers; // text 6 of bar tags, "E" for an element tag
};

class BarListTagModes : public BarListTags, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(BarListTagModes, ChooseElementTagsAndBarKinds)
{
    list.setLiaoPaiType(unsigned(GetParam().mode));
    element("KL1");
    bar("1", 2, 3000);
    bar("2", 4, 300, test::kStirrup);
    element("KL2");
    bar("3", 2, 5000);
    build();
    Texts numbers;
    for (const CVes_LiaoPaiTableLine& tag : tags.m_lpList)
        numbers.push_back(tag.texts().size() == 6 ? "E" + tag.texts()[3].toStdString()
                                                  : tag.texts()[6].toStdString());
    EXPECT_EQ(numbers, GetParam().numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, BarListTagModes,
    ::testing::Values(ModeCase{0, {"E料牌1～2", "1 [1]", "2 [2]", "E料牌3～3", "3 [3]"}},
                      ModeCase{1, {"1 [1]", "2 [2]", "3 [3]"}},
                      ModeCase{2, {"E料牌1～2", "E料牌3～3"}},
                      ModeCase{3, {"1 [1]", "3 [2]"}},
                      ModeCase{4, {"2 [1]"}}));

TEST_F(BarListTags, CutLengthsInMetresHaveTwoDecimalsElseWholeMillimetres)
{
    element("KL1");
    bar("1", 2, 2455);
    list.setLiaoPaiType(1);
    build();
    EXPECT_EQ(textOfTags(tags, 9), Texts{"2455"});
    list.m_units[CVes_SetupTable::kColCutLength] = CVes_Template::kCentimetre;
    build();
    EXPECT_EQ(textOfTags(tags, 9), Texts{"246"}) << "half a unit rounds up";
    list.m_units[CVes_SetupTable::kColCutLength] = CVes_Template::kMetre;
    build();
    EXPECT_EQ(textOfTags(tags, 9), Texts{"2.46"});
    EXPECT_EQ(tags.m_lengthUnit, CVes_Template::kMetre);
}

TEST_F(BarListTags, AGradedBarWeighsItsBarsOnce)
{
    element("KL1", 1);
    CVes_Steel& graded = bar("G", 2, 1000);
    graded.setMultiVal(1);
    graded.setMultiGroup(3);
    graded.setVarValueE(QStringLiteral("L"), 1400);
    list.setLiaoPaiType(1);
    list.setLiaoPaiDirect(2);
    build();
    ASSERT_EQ(tags.m_lpList.size(), 1u);
    const QStringList& t = tags.m_lpList[0].texts();
    EXPECT_EQ(t[9], "1000～1400\n等差:200");
    EXPECT_EQ(t[7], "3支/组\n共2组") << "bars a group, then groups";
    EXPECT_EQ(t[10], "6.39");  // 6 bars × 1.2 m × 0.888 kg/m
    EXPECT_EQ(tags.getRowNum(), 16);
}

// Every text of every tag of a table, one line a tag, texts between "|".
Texts allTexts(const CVes_LiaoPaiTable& table)
{
    Texts out;
    for (const CVes_LiaoPaiTableLine& tag : table.m_lpList)
        out.push_back(tag.texts().join(u'|').toStdString());
    return out;
}

TEST_F(BarListTags, AProcessingSheetsTagsReadTheSameAfterItIsSavedAndOpenedAgain)
{
    element("KL1");
    CVes_Steel& graded = bar("1", 8, 1000);
    graded.setMultiVal(1);
    graded.setMultiGroup(5);
    graded.setVarValueE(QStringLiteral("L"), 1800);
    bar("2", 4, 3000);
    CVes_ProcessTable sheet;
    sheet.import(list.transformProcess(1, 1));
    CVes_LiaoPaiTable before;
    sheet.toLiaoPaiTable(&before);
    // Eight groups of five bars: forty bars tied to the bundle, the bars a
    // group first as on every sheet.
    EXPECT_EQ(textOfTags(before, 7), (Texts{"-", "5支/组\n共8组", "4"}));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("加工单.jgd"));
    ASSERT_EQ(sheet.SaveFile(path), 1);
    CVes_ProcessTable reopened;
    ASSERT_EQ(reopened.OpenFile(path), 1);
    CVes_LiaoPaiTable after;
    reopened.toLiaoPaiTable(&after);
    EXPECT_EQ(allTexts(after), allTexts(before));
    EXPECT_EQ(textOfTags(after, 7), (Texts{"-", "5支/组\n共8组", "4"}));
}

} // namespace
