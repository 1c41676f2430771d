// The bar-tag sheet's model: tag rows, the sheet's defaults, the sort by
// diameter and length, the ways tags are added, the hit test of every layout,
// the tags per page that follow the layout, and its file part.

#include "tests/tables/processing/liaopai_support.h"

#include "platform/archive.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using test::tagRow;

std::vector<std::string> namesOf(const TableLineList& rows)
{
    std::vector<std::string> names;
    for (CVes_TableBaseLine* row : rows) {
        const QStringList& texts = static_cast<CVes_LiaoPaiTableLine*>(row)->texts();
        names.push_back(texts.size() > 3 ? texts[3].toStdString() : "");
    }
    return names;
}

TEST(LiaoPaiTableLine, TakesKeysAndShapeFromItsBarAndKeepsTheShapeWithoutOne)
{
    test::ProcessingShapes shapes;
    CVes_ProcessSteel bar = test::shapedBar("1", test::kStraight, "L", 2500, 4, 3, 20.0f);
    bar.steelType = 1;
    bar.length = 2500.0f;
    CVes_LiaoPaiTableLine row(QStringList{"a", "b"}, &bar);
    EXPECT_EQ(row.diameter(), 20.0f);
    EXPECT_EQ(row.grade(), 3);
    EXPECT_EQ(row.barType(), 1);
    EXPECT_EQ(row.length(), 2500.0f);
    EXPECT_EQ(row.shape()->getRecordId(), test::kStraight);
    EXPECT_EQ(row.shape()->getVarValue("L"), 2500.0);

    row.setData(QStringList{"x"}, nullptr);
    EXPECT_EQ(row.texts(), QStringList{"x"});
    EXPECT_EQ(row.diameter(), 0.0f);
    EXPECT_EQ(row.grade(), 0);
    EXPECT_EQ(row.length(), 0.0f);
    EXPECT_EQ(row.shape()->getRecordId(), test::kStraight) << "the shape stays";
}

TEST(LiaoPaiTableLine, CopiesAreWholeAndOwnTheirShape)
{
    test::ProcessingShapes shapes;
    CVes_ProcessSteel bar = test::shapedBar("1", test::kStraight, "L", 2500, 4);
    CVes_LiaoPaiTableLine eleven(test::tagRow(11).texts(), &bar);
    eleven.setLock(1);
    CVes_LiaoPaiTableLine six = tagRow(6);
    six = eleven;
    EXPECT_EQ(six.texts().size(), 11);
    EXPECT_EQ(six.getLock(), 0) << "row fields are never copied";
    CVes_LiaoPaiTableLine copy(eleven);
    EXPECT_EQ(copy.texts(), eleven.texts());
    EXPECT_EQ(copy.diameter(), eleven.diameter());
    EXPECT_NE(copy.shape(), eleven.shape());
    copy.shape()->setVarValue("L", 900.0);
    EXPECT_EQ(eleven.shape()->getVarValue("L"), 2500.0);
}

TEST(LiaoPaiTable, NewSheetDefaults)
{
    CVes_LiaoPaiTable table;
    EXPECT_EQ(table.getTableType(), 21u);
    EXPECT_EQ(table.m_orientation, CVes_Template::kLandscape);
    EXPECT_EQ(table.m_rowMode, 1);
    EXPECT_EQ(table.getRowNum(), 8);
    EXPECT_EQ(table.m_rowHeight, 10);
    EXPECT_EQ(table.m_tableTextHeight, 4);
    EXPECT_EQ(table.m_reservedHeight, 16);
    EXPECT_EQ(table.m_captions, QStringList{QString()});
    EXPECT_EQ(table.m_widths, QList<int>{100});
    EXPECT_EQ(table.m_texts[0].m_formula, "钢筋料牌");
    EXPECT_EQ(table.getLiaoPaiDerect(), 3u);
    EXPECT_EQ(table.m_sortRules.m_dnOrder, -1);
    EXPECT_EQ(table.m_sortRules.m_lenOrder, -1);
    EXPECT_EQ(table.getSortOrder(), 0u);
}

struct SortCase {
    const char* name;
    int dnOrder;
    int lenOrder;
    std::vector<std::string> expected;
};

class LiaoPaiSort : public ::testing::TestWithParam<SortCase> {};

// Tags a (25, 3000), b (12, 5000), e (element tag), c (25, 6000),
// d (12, 5000), f (12, 2000).
TEST_P(LiaoPaiSort, OrdersTheTagsAndKeepsEqualOnesInTheirOrder)
{
    const SortCase& c = GetParam();
    CVes_LiaoPaiTable table;
    for (auto [name, d, length] : std::vector<std::tuple<const char*, float, float>>{
             {"a", 25, 3000}, {"b", 12, 5000}, {"e", 0, 0}, {"c", 25, 6000}, {"d", 12, 5000},
             {"f", 12, 2000}}) {
        const CVes_LiaoPaiTableLine row = tagRow(11, d, length, name);
        table.AddToLpList(&row);
    }
    table.m_sortRules.m_dnOrder = c.dnOrder;
    table.m_sortRules.m_lenOrder = c.lenOrder;
    table.sortSteel();
    EXPECT_EQ(namesOf(table.lines()), c.expected);
    EXPECT_EQ(table.getCurPage(), 1);
    EXPECT_EQ(namesOf(table.pageLines()).size(), 6u);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, LiaoPaiSort,
    ::testing::Values(
        SortCase{"LargeFirstLongFirst", 0, 0, {"c", "a", "b", "d", "f", "e"}},
        SortCase{"SmallFirstShortFirst", 1, 1, {"e", "f", "b", "d", "a", "c"}},
        SortCase{"LargeFirstOnly", 0, -1, {"a", "c", "b", "d", "f", "e"}},
        SortCase{"SmallFirstOnly", 1, 2, {"e", "b", "d", "f", "a", "c"}},
        SortCase{"ShortFirstOnly", -1, 1, {"e", "f", "a", "b", "d", "c"}},
        SortCase{"LongFirstOnly", 3, 0, {"c", "b", "d", "a", "f", "e"}},
        SortCase{"Unsorted", -1, -1, {"a", "b", "e", "c", "d", "f"}},
        SortCase{"UnsortedByElement", 10, 10, {"a", "b", "e", "c", "d", "f"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LiaoPaiTable, SortCommandsSetTheOrders)
{
    CVes_LiaoPaiTable table;
    table.sortUp();
    table.sortLong();
    EXPECT_EQ(table.m_sortRules.m_dnOrder, 0);
    EXPECT_EQ(table.m_sortRules.m_lenOrder, 0);
    table.sortDown();
    table.sortShot();
    EXPECT_EQ(table.m_sortRules.m_dnOrder, 1);
    EXPECT_EQ(table.m_sortRules.m_lenOrder, 1);
    table.sortLenNone();
    EXPECT_EQ(table.m_sortRules.m_lenOrder, 2);
    table.sortNone();
    EXPECT_EQ(table.m_sortRules.m_dnOrder, 10);
    EXPECT_EQ(table.m_sortRules.m_lenOrder, 10);
}

TEST(LiaoPaiTable, RowsAreRebuiltFromTheTagListOnly)
{
    CVes_LiaoPaiTable table;
    table.Add(QStringList{"p", "s", "t", "kept"}, nullptr);
    table.Add(tagRow(11, 12, 100, "row only"));
    CVes_LiaoPaiTableLine* blank = table.AddBlank();
    blank->setData(QStringList{"p", "s", "t", "filled"}, nullptr);
    EXPECT_EQ(namesOf(table.lines()), (std::vector<std::string>{"row only", "filled"}));

    table.sortSteel();
    // The blank's copy in the tag list was never filled.
    EXPECT_EQ(namesOf(table.lines()), (std::vector<std::string>{"kept", ""}));
    EXPECT_TRUE(static_cast<CVes_LiaoPaiTableLine*>(table.lines()[1])->texts().isEmpty());

    table.m_lpList.clear();
    table.sortSteel();
    EXPECT_TRUE(table.lines().isEmpty());
    EXPECT_EQ(table.getCurPage(), 1);
}

TEST(LiaoPaiTable, EachRebuildMakesARowOfItsOwnPerTag)
{
    // The rebuild appends its rows as new rows, unlooked-for: each is one
    // of its own, never a row it holds twice.
    CVes_LiaoPaiTable table;
    for (const char* name : {"a", "b", "c", "d"})
        table.Add(QStringList{"p", "s", "t", name}, nullptr);
    for (int round = 0; round < 2; ++round) {
        table.sortSteel();
        ASSERT_EQ(table.lines().size(), 4);
        const std::set<const CVes_TableBaseLine*> rows(table.lines().cbegin(), table.lines().cend());
        EXPECT_EQ(rows.size(), 4u);
        EXPECT_EQ(namesOf(table.lines()), (std::vector<std::string>{"a", "b", "c", "d"}));
    }
}

// A page drawn on the screen at scale 1.0 from (0, 0), for the hit test.
void drawAtScaleOne(CVes_LiaoPaiTable& table, int layout)
{
    table.setLiaoPaiDerect(unsigned(layout));
    table.setPageTo(1, 1);
    table.m_drawScale = 1.0;
    table.m_paperptO = QPoint(0, 0);
    platform::RecordingDc dc;
    const platform::Rect rect(0, 0, 3000, 2200);
    switch (layout) {
    case 0: table.DrawV(&dc, rect); break;
    case 1: table.DrawH(&dc, rect); break;
    case 2: table.DrawJ(&dc, rect); break;
    case 3: table.DrawJ2(&dc, rect); break;
    case 4: table.DrawJ2H(&dc, rect); break;
    default: table.DrawModel6(&dc, rect); break;
    }
}

struct HitCase {
    const char* name;
    int layout;
    QPoint point;
    int index; // -1: no tag
    int column;
};

class LiaoPaiHit : public ::testing::TestWithParam<HitCase> {};

TEST_P(LiaoPaiHit, APointPicksTheTagOfItsPosition)
{
    const HitCase& c = GetParam();
    CVes_LiaoPaiTable table;
    drawAtScaleOne(table, c.layout);
    int row = -7;
    int column = -7;
    EXPECT_EQ(table.HitTest(c.point, row, column), c.index >= 0 ? 1 : 0);
    EXPECT_EQ(table.getCurRow(), c.index);
    if (c.index >= 0) {
        EXPECT_EQ(row, c.index);
        EXPECT_EQ(column, c.column);
    }
}

// Position (c, r) of a layout starts at (left + c × width, 70 + r × height).
INSTANTIATE_TEST_SUITE_P(
    Layouts, LiaoPaiHit,
    ::testing::Values(HitCase{"H_Row1Column0", 1, {170 + 600, 70 + 490 + 200}, 2, 0},
                      HitCase{"H_Row2Column1", 1, {170 + 1320 + 5, 70 + 980 + 5}, 5, 1},
                      HitCase{"J_Row3Column3", 2, {170 + 1980 + 600, 70 + 1470 + 400}, 15, 3},
                      HitCase{"Model6_Row1Column0", 5, {150 + 10, 70 + 980 + 10}, 5, 0},
                      HitCase{"J2_Row1Column2", 3, {1490, 1050}, 6, 2},
                      HitCase{"V_Row0Column3", 0, {2809, 1049}, 3, 3},
                      HitCase{"J2H_Row3Column1", 4, {2800, 2000}, 7, 1},
                      HitCase{"LeftOfTheGrid", 3, {169, 500}, -1, 0},
                      HitCase{"BelowTheGrid", 3, {500, 2030}, -1, 0},
                      HitCase{"RightOfModel6", 5, {2900, 500}, -1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LiaoPaiTable, NoHitBeforeAnyPageWasDrawn)
{
    CVes_LiaoPaiTable table;
    int row = 0;
    int column = 0;
    EXPECT_EQ(table.HitTest(QPoint(500, 500), row, column), 0);
    EXPECT_EQ(table.getCurRow(), -1);
}

// A sheet of forty tags in the compact layout, sixteen a page.
CVes_LiaoPaiTable& fortyTags(CVes_LiaoPaiTable& table)
{
    for (int i = 0; i < 40; ++i)
        table.Add(tagRow(11, 12, 1000, std::to_string(i).c_str()).texts(), nullptr);
    table.setLiaoPaiDerect(CVes_LiaoPaiTable::kLayoutJ);
    table.sortSteel();
    return table;
}

// Every tag of the sheet, page by page as the pages are drawn.
std::vector<std::string> tagsOnPages(CVes_LiaoPaiTable& table)
{
    std::vector<std::string> all;
    for (int page = 1; page <= table.resetPages(); ++page) {
        table.setPageTo(page, 1);
        platform::RecordingDc dc;
        table.Draw(&dc, platform::Rect(0, 0, 1200, 900));
        const std::vector<std::string> shown = namesOf(table.pageLines());
        const int positions = CVes_LiaoPaiTable::tagsPerPage(int(table.getLiaoPaiDerect()));
        all.insert(all.end(), shown.begin(), shown.begin() + std::min<int>(shown.size(), positions));
    }
    return all;
}

TEST(LiaoPaiTable, TagsPerPageFollowTheLayoutSoNoTagIsLeftOff)
{
    CVes_LiaoPaiTable table;
    fortyTags(table);
    EXPECT_EQ(table.getRowNum(), 16);
    EXPECT_EQ(tagsOnPages(table).size(), 40u);
    for (int layout : {0, 1, 3, 4, 5}) {
        table.setLiaoPaiDerect(unsigned(layout));
        EXPECT_EQ(table.getRowNum(), CVes_LiaoPaiTable::tagsPerPage(layout));
        // A page count left behind by another layout does not survive drawing.
        table.m_rowNum = 16;
        const std::vector<std::string> shown = tagsOnPages(table);
        ASSERT_EQ(shown.size(), 40u) << layout;
        for (int i = 0; i < 40; ++i)
            EXPECT_EQ(shown[std::size_t(i)], std::to_string(i)) << layout;
    }
}

QByteArray bytesOf(CVes_LiaoPaiTable& table)
{
    platform::Archive ar;
    table.Serialize(ar);
    return ar.data();
}

TEST(LiaoPaiTableFile, TheTagsAreNeverStored)
{
    CVes_LiaoPaiTable empty;
    CVes_LiaoPaiTable full;
    fortyTags(full);
    full.setLiaoPaiDerect(CVes_LiaoPaiTable::kLayoutJ);
    empty.setLiaoPaiDerect(CVes_LiaoPaiTable::kLayoutJ);
    EXPECT_EQ(bytesOf(full), bytesOf(empty));
}

TEST(LiaoPaiTableFile, ATemplateReadInKeepsTheTagsAndTheirPages)
{
    QTemporaryDir dir;
    CVes_LiaoPaiTable source;
    source.m_leftMargin = 7;
    source.m_paper = CVes_Template::kA3;
    source.setTitle(QStringLiteral("料牌"));
    const QString path = dir.filePath("tags.jptm");
    ASSERT_EQ(source.SaveFile(path), 1);

    CVes_LiaoPaiTable table;
    fortyTags(table);
    ASSERT_EQ(table.OpenFile(path), 1);
    EXPECT_EQ(table.m_leftMargin, 7);
    EXPECT_EQ(table.m_paper, CVes_Template::kA3);
    EXPECT_EQ(table.getLiaoPaiDerect(), unsigned(CVes_LiaoPaiTable::kLayoutJ));
    EXPECT_EQ(table.getRowNum(), 16) << "the layout's count, not the file's 8";
    EXPECT_EQ(table.lines().size(), 40);
    EXPECT_EQ(table.getCurPage(), 1);
}

TEST(LiaoPaiTableFile, ADamagedFileChangesNothing)
{
    QTemporaryDir dir;
    CVes_LiaoPaiTable source;
    platform::Archive ar;
    source.Serialize(ar);
    const QByteArray whole = ar.data();
    for (const qsizetype cut : {qsizetype(0), qsizetype(3), whole.size() / 2, whole.size() - 1}) {
        const QString path = dir.filePath(QStringLiteral("cut%1").arg(cut));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(whole.left(cut));
        file.close();
        CVes_LiaoPaiTable table;
        fortyTags(table);
        table.m_leftMargin = 9;
        EXPECT_EQ(table.OpenFile(path), 0) << cut;
        EXPECT_EQ(table.m_leftMargin, 9);
        EXPECT_EQ(table.lines().size(), 40);
    }
}

// A template asking for page totals of billions of rows (found by fuzzing):
// the tag pages carry no totals, so the tags are paged and drawn as ever.
TEST(LiaoPaiTableFile, ATemplateWithHugePageTotalsStillDrawsEveryTag)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.jptm");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(RODO_FIXTURE("tags_template_huge_summary_rows.jptm"));
    file.close();

    CVes_LiaoPaiTable table;
    fortyTags(table);
    // A reader may refuse such a file; read or not, nothing is lost.
    table.OpenFile(path);
    EXPECT_EQ(table.m_pageSummary, 0);
    EXPECT_EQ(tagsOnPages(table).size(), 40u);
}

} // namespace
