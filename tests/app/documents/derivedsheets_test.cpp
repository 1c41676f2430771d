// The sheets a bar list's tabs derive from it (quantity summary, joint
// summary, purchase summary, bar tags, contents) are kept while nothing they
// read changed, and never show what they showed before a change: every way
// the user changes the list, its settings or its raw stock makes the next
// choice of the tab build the sheet again. A build is seen through the
// sheet's own change count, which every refill moves.

#include "app/documents/documentframe.h"
#include "app/documents/documentids.h"
#include "app/documents/setupmainview.h"
#include "app/views/setupview.h"
#include "app/views/viewids.h"
#include "grid/gridctrl.h"
#include "platform/ui/commandids.h"
#include "tables/framework/tablecontents.h"
#include "tables/framework/tablehelpers.h"
#include "tables/framework/tabletextline.h"
#include "tables/processing/liaopaitable.h"
#include "tables/quantity/ui/rawstockdlg.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tests/app/support/documents_support.h"
#include "tests/support/modal.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

namespace {

using Tab = CRODO_SetUpMainView::TabIndex;

// What a sheet shows, a row a line.
std::string shownRows(const CVes_TableBase& sheet)
{
    QStringList rows;
    for (const CVes_TableBaseLine* line : sheet.lines()) {
        if (const auto* text = dynamic_cast<const CVes_TableTextLine*>(line))
            rows << text->getTexts().join(u'|');
        else if (const auto* tag = dynamic_cast<const CVes_LiaoPaiTableLine*>(line))
            rows << tag->texts().join(u'|');
        else
            rows << QStringLiteral("<row>");
    }
    return rows.join(u'\n').toStdString();
}

class DerivedSheets : public test::DocumentsFixture {
public:
    void SetUp() override
    {
        DocumentsFixture::SetUp();
        doc = open<CRODOSetUpDoc>(saveBarList("一层.pld"));
        ASSERT_TRUE(doc);
        view = dynamic_cast<CRODO_SetUpMainView*>(containerOf(doc));
        ASSERT_TRUE(view);
        list = doc->setupTable();
    }
    void choose(int tab)
    {
        view->selectTab(tab);
        doc->finishBuilds();
        QApplication::processEvents();
    }
    CVes_TableBase* sheetOf(int tab) const
    {
        switch (tab) {
        case Tab::kSummary: return doc->summaryTable();
        case Tab::kJoints: return doc->summaryJTTable();
        case Tab::kPurchase: return doc->jinHuoTable();
        case Tab::kTags: return doc->liaoPaiTable();
        case Tab::kContents: return doc->contentsTable();
        default: return nullptr;
        }
    }
    // The same sheet built now from the list as it is, apart from the
    // document's.
    std::string builtNow(int tab) const
    {
        switch (tab) {
        case Tab::kSummary: {
            CVes_SLSumaryTable sheet;
            CVes_SetupTable::nameBarSummary(sheet);
            return shownRows(*list->SummarySTeel(&sheet, 0));
        }
        case Tab::kJoints: {
            CVes_SLSumaryJTtable sheet;
            return shownRows(*list->SummaryJT(&sheet));
        }
        case Tab::kPurchase: {
            CVes_SteelJinHuoSumaryTable sheet;
            return shownRows(*list->JinHuo(&sheet));
        }
        case Tab::kTags: {
            CVes_LiaoPaiTable sheet;
            return shownRows(*list->toLiaoPaiTable(&sheet));
        }
        case Tab::kContents: {
            CVes_TableContents sheet;
            return shownRows(*list->TableContens(&sheet));
        }
        default: return {};
        }
    }
    CRODOSetUpView* listView() const
    {
        return dynamic_cast<CRODOSetUpView*>(view->sheetView(Tab::kBarList));
    }
    // The first page's row of bar `number` of the office block.
    int rowOfBar(const char* number) const
    {
        list->setPageTo(1, 1);
        for (int row = 1; row < 40; ++row)
            if (const CVes_BarCore* bar = list->getSteel(row))
                if (bar->number == QString::fromUtf8(number))
                    return row;
        return -1;
    }
    void selectRow(int row, int column)
    {
        list->setPageTo(1, 1);
        list->clearSelect();
        list->AddSelect(row, 0);
        list->setCurRow(row);
        list->setCurCol(column);
    }
    // Types `text` into a cell of the first page, as the cell editor
    // commits it.
    void typeCell(int row, int column, const char* text)
    {
        choose(Tab::kBarList);
        selectRow(row, column);
        listView()->EndCellEdit(row, column, QString::fromUtf8(text));
    }
    // A command of the main window's menus and toolbars, on the bar list.
    void run(int id)
    {
        choose(Tab::kBarList);
        ASSERT_TRUE(app->mainFrame()->routeCommand(id, nullptr)) << id;
    }

    CRODOSetUpDoc* doc = nullptr;
    CRODO_SetUpMainView* view = nullptr;
    CVes_SetupTable* list = nullptr;
};

constexpr int kDerivedTabs[] = {Tab::kSummary, Tab::kJoints, Tab::kPurchase, Tab::kTags,
                                Tab::kContents};

TEST_F(DerivedSheets, ASecondChoiceWithoutAChangeBuildsNothing)
{
    // Each sheet built, and shown once more after the bar list was drawn
    // (its first drawing lays out its title block, which the sheets read).
    for (int round = 0; round < 2; ++round) {
        for (const int tab : kDerivedTabs) {
            choose(tab);
            choose(Tab::kBarList);
        }
    }
    std::map<int, std::uint64_t> built;
    for (const int tab : kDerivedTabs) {
        ASSERT_FALSE(sheetOf(tab)->lines().isEmpty()) << tab;
        built[tab] = sheetOf(tab)->changeCount();
    }
    const std::uint64_t listBefore = list->changeCount();

    // Looking about the list and the sheets changes nothing.
    choose(Tab::kBarList);
    list->setPageTo(2, 1);
    list->setPageTo(1, 1);
    for (const int tab : kDerivedTabs) {
        choose(tab);
        sheetOf(tab)->setPageTo(1, 1);
        choose(Tab::kBarList);
    }
    for (const int tab : kDerivedTabs) {
        choose(tab);
        EXPECT_EQ(sheetOf(tab)->changeCount(), built[tab]) << "tab " << tab << " built again";
    }
    EXPECT_EQ(list->changeCount(), listBefore);
    EXPECT_FALSE(doc->IsModified());
    // What is kept is what a build shows now.
    for (const int tab : kDerivedTabs) {
        EXPECT_EQ(shownRows(*sheetOf(tab)), builtNow(tab)) << tab;
    }
}

TEST_F(DerivedSheets, TheTypedCountShowsInTheSummaryAtOnce)
{
    // 一级 24: bar 1 (straight, 3 m, 4 a piece) and bar 9 (a U bar) of
    // element KL1(2), two pieces. Typing 9 for bar 1's 4 adds 5 × 2 × 3 m.
    const QString size = Steel_GradeDNToTableString(1, 24.0f, 0);
    const auto metresOfSize = [&] {
        double metres = -1.0;
        for (const CVes_TableBaseLine* line : sheetOf(Tab::kSummary)->lines())
            if (const auto* text = dynamic_cast<const CVes_TableTextLine*>(line))
                if (text->getText(2) == size)
                    metres = text->getText(3).toDouble(); // the whole list's row is last
        return metres;
    };
    choose(Tab::kSummary);
    const double before = metresOfSize();
    ASSERT_GT(before, 0.0);

    const int row = rowOfBar("1");
    ASSERT_GT(row, 0);
    typeCell(row, CVes_SetupTable::kColCount, "9");
    ASSERT_EQ(list->getSteel(row)->count, 9);
    choose(Tab::kSummary);
    EXPECT_NEAR(metresOfSize() - before, 30.0, 0.005);
}

// A change, made as the user makes it, and the tab whose sheet shows it;
// what comes before it (`before`) is shown on the tab first.
struct ChangeCase {
    const char* name;
    int tab;
    std::function<void(DerivedSheets&)> change;
    std::function<void(DerivedSheets&)> before = {};
};

class SheetAfterChange : public DerivedSheets, public ::testing::WithParamInterface<ChangeCase> {
public:
    void typeCount(const char* number, const char* count)
    {
        typeCell(rowOfBar(number), CVes_SetupTable::kColCount, count);
    }
    void runCommand(int id) { run(id); }
    void runMenu(int id) { ASSERT_TRUE(listView()->runMenuCommand(id)) << id; }
    void selectBar(const char* number)
    {
        choose(Tab::kBarList);
        selectRow(rowOfBar(number), 0);
    }
    void key(int key, Qt::KeyboardModifiers modifiers)
    {
        listView()->setFocus();
        QTest::keyClick(listView()->viewport(), Qt::Key(key), modifiers);
    }
    DocumentFrame* frame() const { return view->frame(); }
    void chooseTab(int tab) { choose(tab); }
};

// 三级 20 bought in 9 m bars.
void buyNineMetreBars(CVes_RawStockDlg* dlg)
{
    const CVes_SteelYuanCaiDataLib& stock = *dlg->m_pYuanCaiLib;
    for (int i = 0; i < stock.count(); ++i)
        if (stock.at(i)->grade == 3 && stock.at(i)->DN == 20.0f)
            dlg->grid()->OnEndEditCell(i + 1, CVes_RawStockDlg::kColLength, QStringLiteral("9"));
    dlg->accept();
}

const ChangeCase kChanges[] = {
    {"TypedCount", Tab::kTags,
     [](DerivedSheets& t) { static_cast<SheetAfterChange&>(t).typeCount("2", "11"); }},
    {"Undo", Tab::kSummary,
     [](DerivedSheets& t) { static_cast<SheetAfterChange&>(t).runCommand(ID_EDIT_UNDO); },
     [](DerivedSheets& t) { static_cast<SheetAfterChange&>(t).typeCount("12", "40"); }},
    {"Redo", Tab::kTags,
     [](DerivedSheets& t) { static_cast<SheetAfterChange&>(t).runCommand(ID_EDIT_REDO); },
     [](DerivedSheets& t) {
         auto& s = static_cast<SheetAfterChange&>(t);
         s.typeCount("3", "25");
         s.runCommand(ID_EDIT_UNDO);
     }},
    {"PasteOverAnotherBar", Tab::kPurchase,
     [](DerivedSheets& t) {
         auto& s = static_cast<SheetAfterChange&>(t);
         s.selectBar("1");
         s.key(Qt::Key_C, Qt::ControlModifier);
         s.selectBar("2");
         s.key(Qt::Key_V, Qt::ControlModifier);
     }},
    {"DeletedElement", Tab::kContents,
     [](DerivedSheets& t) {
         auto& s = static_cast<SheetAfterChange&>(t);
         // The first element's line, above its first bar.
         s.chooseTab(Tab::kBarList);
         s.selectRow(s.rowOfBar("1") - 1, 0);
         s.runMenu(ID_ELEMENT_DELETE);
     }},
    {"GradeOfTwoBars", Tab::kSummary,
     [](DerivedSheets& t) {
         auto& s = static_cast<SheetAfterChange&>(t);
         s.selectBar("2");
         s.list->AddSelect(s.rowOfBar("3"), 0);
         s.runCommand(ID_GRADE_1);
     }},
    {"SummaryOrderOfTheSummaryTab", Tab::kPurchase,
     [](DerivedSheets& t) {
         auto& s = static_cast<SheetAfterChange&>(t);
         // Ordered the other way round on the summary's own tab, the
         // purchase list follows.
         s.chooseTab(Tab::kSummary);
         auto* summary = dynamic_cast<SheetViewBase*>(s.view->sheetView(Tab::kSummary));
         ASSERT_TRUE(summary);
         const bool largeFirst = s.list->getSortOrder() == 0;
         ASSERT_TRUE(summary->runMenuCommand(largeFirst ? ID_SORT_SMALL_FIRST : ID_SORT_LARGE_FIRST));
         ASSERT_EQ(s.list->getSortOrder(), largeFirst ? 1u : 0u);
     }},
    {"RawStockOfTheList", Tab::kPurchase,
     [](DerivedSheets& t) {
         auto& s = static_cast<SheetAfterChange&>(t);
         s.chooseTab(Tab::kBarList);
         test::onNextModal<CVes_RawStockDlg>(&buyNineMetreBars);
         s.frame()->OnCmdMsg(ID_RAW_STOCK, nullptr);
     }},
};

TEST_P(SheetAfterChange, TheNextChoiceShowsTheSheetOfTheChangedList)
{
    const ChangeCase& c = GetParam();
    if (c.before) {
        choose(c.tab);
        c.before(*this);
        if (HasFatalFailure())
            return;
    }
    choose(c.tab);
    const std::string before = shownRows(*sheetOf(c.tab));
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(before, builtNow(c.tab));

    c.change(*this);
    if (HasFatalFailure())
        return;
    const std::string now = builtNow(c.tab);
    ASSERT_NE(now, before) << "the change shows in the sheet";
    choose(Tab::kBarList);
    choose(c.tab);
    EXPECT_EQ(shownRows(*sheetOf(c.tab)), now);
    // And kept from then on.
    const std::uint64_t built = sheetOf(c.tab)->changeCount();
    choose(Tab::kBarList);
    choose(c.tab);
    EXPECT_EQ(sheetOf(c.tab)->changeCount(), built);
}

INSTANTIATE_TEST_SUITE_P(Changes, SheetAfterChange, ::testing::ValuesIn(kChanges),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DerivedSheets, ASheetEmptiedSinceItWasBuiltIsBuiltAgain)
{
    choose(Tab::kTags);
    const std::string tags = shownRows(*sheetOf(Tab::kTags));
    ASSERT_FALSE(tags.empty());
    sheetOf(Tab::kTags)->clearnAllLineOnly();
    choose(Tab::kBarList);
    choose(Tab::kTags);
    EXPECT_EQ(shownRows(*sheetOf(Tab::kTags)), tags);
}

TEST_F(DerivedSheets, AFileWrittenOrASettingChangedBuildsTheSheetsAgain)
{
    // Libraries, settings and raw stock live in files the documents share:
    // any of them written may change what a sheet shows.
    const std::function<void()> outsideChanges[] = {
        [this] { ASSERT_TRUE(platform::saveFile(path("any.xml"), QByteArray("<a/>"))); },
        [] { platform::setProfileValue(QStringLiteral("settings"), QStringLiteral("any"), 1); },
    };
    for (const auto& change : outsideChanges) {
        choose(Tab::kSummary);
        const std::uint64_t built = sheetOf(Tab::kSummary)->changeCount();
        choose(Tab::kBarList);
        change();
        choose(Tab::kSummary);
        EXPECT_NE(sheetOf(Tab::kSummary)->changeCount(), built);
    }
}

} // namespace
