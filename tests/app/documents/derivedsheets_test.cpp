// The sheets a bar list's tabs derive from it (quantity summary, joint
// summary, purchase summary, bar tags, contents) are kept while nothing they
// read changed, and never show what they showed before a change: every way
// the user changes the list, its settings or its raw stock makes the next
// choice of the tab build the sheet again. A build is seen through the
// sheet's own change count, which every refill moves. The bar list's sheets
// are built on a worker: until the end is taken the tab shows no sheet and
// the busy window is up. The quantity sheet's summaries are kept alike.

#include "app/documents/busydlg.h"
#include "app/documents/documentframe.h"
#include "app/documents/documentids.h"
#include "app/documents/setupmainview.h"
#include "app/documents/sldoc.h"
#include "app/documents/slmainview.h"
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
#include "tables/quantity/sltable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tests/app/support/documents_support.h"
#include "tests/support/modal.h"
#include "tests/support/recordinghost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <vector>

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

bool busyWindowShown()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<CBusyDlg*>(window) && window->isVisible())
            return true;
    return false;
}

// Lets the event loop run, as the user's program does, until no sheet of
// `doc` is being built; `eachTurn` looks at the program after every turn.
void waitForBuilds(const SheetDocument& doc, const std::vector<const CVes_TableBase*>& sheets,
                   const std::function<void()>& eachTurn = {})
{
    QElapsedTimer waited;
    waited.start();
    const auto building = [&] {
        for (const CVes_TableBase* sheet : sheets)
            if (doc.isBuilding(sheet))
                return true;
        return false;
    };
    while (building() && waited.elapsed() < 60000) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (eachTurn)
            eachTurn();
    }
    QApplication::processEvents();
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


// built on a worker

class BuiltOnAWorker : public DerivedSheets, public ::testing::WithParamInterface<int> {
public:
    void waitForTheSheet(int tab) { waitForBuilds(*doc, {sheetOf(tab)}); }
};

TEST_P(BuiltOnAWorker, TheTabShowsNoSheetUntilTheBuildEndsThenWhatABuildHereShows)
{
    const int tab = GetParam();
    QSignalSpy started(doc, &SheetDocument::sheetBuildStarted);
    view->selectTab(tab);
    ASSERT_TRUE(doc->isBuilding(sheetOf(tab)));
    EXPECT_EQ(started.size(), 1);
    EXPECT_EQ(view->sheetView(tab)->getTable(), nullptr) << "a sheet being built is not shown";
    EXPECT_EQ(view->getActiveSheetView(), nullptr) << "nor reached by the main window's commands";
    EXPECT_TRUE(busyWindowShown());

    waitForTheSheet(tab);
    ASSERT_FALSE(doc->isBuilding(sheetOf(tab)));
    EXPECT_FALSE(busyWindowShown());
    EXPECT_EQ(view->sheetView(tab)->getTable(), sheetOf(tab));
    EXPECT_EQ(view->getActiveSheetView(), view->sheetView(tab));
    ASSERT_FALSE(sheetOf(tab)->lines().isEmpty());
    EXPECT_EQ(shownRows(*sheetOf(tab)), builtNow(tab));
    EXPECT_EQ(started.size(), 1);
}

TEST_P(BuiltOnAWorker, ACommandThatNeedsTheSheetTakesTheBuildFirst)
{
    const int tab = GetParam();
    view->selectTab(tab);
    ASSERT_TRUE(doc->isBuilding(sheetOf(tab)));
    doc->finishBuilds(sheetOf(tab));
    EXPECT_FALSE(doc->isBuilding(sheetOf(tab)));
    EXPECT_EQ(view->getActiveSheetView(), view->sheetView(tab));
    EXPECT_EQ(shownRows(*sheetOf(tab)), builtNow(tab));
}

INSTANTIATE_TEST_SUITE_P(Tabs, BuiltOnAWorker, ::testing::ValuesIn(kDerivedTabs),
                         [](const auto& info) {
                             switch (info.param) {
                             case Tab::kSummary: return std::string("Summary");
                             case Tab::kJoints: return std::string("Joints");
                             case Tab::kPurchase: return std::string("Purchase");
                             case Tab::kTags: return std::string("Tags");
                             default: return std::string("Contents");
                             }
                         });

TEST_F(DerivedSheets, TheDeliveryNoteTextsAPurchaseBuildFillsInAreTheLists)
{
    // Left empty, the texts take their defaults when the purchase summary
    // is built, and the list keeps them (they are saved with it) as when
    // it is built from the list itself.
    test::RecordingHost::current().setNow(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    for (int i = 0; i < CVes_SetupTable::kPurchaseTextCount; ++i)
        list->setJinHuoText(i, QString());
    std::unique_ptr<CVes_SetupTable> expected = list->workingCopy();
    CVes_SteelJinHuoSumaryTable sheet;
    expected->JinHuo(&sheet);
    ASSERT_EQ(expected->getJinHuoTexts()[1], QStringLiteral("20260304-050607"));

    view->selectTab(Tab::kPurchase);
    ASSERT_TRUE(doc->isBuilding(sheetOf(Tab::kPurchase)));
    waitForBuilds(*doc, {sheetOf(Tab::kPurchase)});
    test::RecordingHost::current().setNow(QDateTime());
    EXPECT_EQ(list->getJinHuoTexts(), expected->getJinHuoTexts());
    // And the sheet is kept: the texts it filled in are what it was built from.
    QSignalSpy started(doc, &SheetDocument::sheetBuildStarted);
    choose(Tab::kBarList);
    choose(Tab::kPurchase);
    EXPECT_EQ(started.size(), 0);
}

// The user leaves the tab while its sheet is built, maybe changes the list,
// and comes back before or after the build ended.
struct WhileBuilt {
    const char* name;
    bool edit;
    bool backBeforeTheEnd;
    int builds;  // builds of the sheet in all
};

class ChangedWhileBuilt : public DerivedSheets, public ::testing::WithParamInterface<WhileBuilt> {};

TEST_P(ChangedWhileBuilt, NoEditIsLostAndEachChangeBuildsOnce)
{
    const WhileBuilt& c = GetParam();
    const int tab = Tab::kTags;
    QSignalSpy started(doc, &SheetDocument::sheetBuildStarted);
    const int row = rowOfBar("2");
    ASSERT_GT(row, 0);
    const std::string unedited = builtNow(tab);

    view->selectTab(tab);
    ASSERT_TRUE(doc->isBuilding(sheetOf(tab)));
    view->selectTab(Tab::kBarList);
    if (c.edit) {
        selectRow(row, CVes_SetupTable::kColCount);
        listView()->EndCellEdit(row, CVes_SetupTable::kColCount, QStringLiteral("11"));
        ASSERT_EQ(list->getSteel(row)->count, 11);
    }
    ASSERT_TRUE(doc->isBuilding(sheetOf(tab))) << "the change came while the build ran";
    // However the builds follow one another, no view shows the sheet while
    // a worker writes it.
    const auto shownWhileBuilt = [&] {
        if (doc->isBuilding(sheetOf(tab)))
            EXPECT_EQ(view->sheetView(tab)->getTable(), nullptr);
    };
    if (!c.backBeforeTheEnd)
        waitForBuilds(*doc, {sheetOf(tab)}, shownWhileBuilt);
    view->selectTab(tab);
    waitForBuilds(*doc, {sheetOf(tab)}, shownWhileBuilt);

    EXPECT_EQ(started.size(), c.builds);
    EXPECT_EQ(view->getActiveSheetView(), view->sheetView(tab));
    const std::string shown = shownRows(*sheetOf(tab));
    EXPECT_EQ(shown, builtNow(tab));
    EXPECT_EQ(shown != unedited, c.edit) << "the sheet shows the edit when there was one";

    // From then on it is kept.
    choose(Tab::kBarList);
    choose(tab);
    EXPECT_EQ(started.size(), c.builds);
}

const WhileBuilt kWhileBuilt[] = {
    {"BackBeforeTheEndWithoutAnEdit", false, true, 1},
    {"EditedBackBeforeTheEnd", true, true, 2},
    {"EditedBackAfterTheEnd", true, false, 2},
};

INSTANTIATE_TEST_SUITE_P(Cases, ChangedWhileBuilt, ::testing::ValuesIn(kWhileBuilt),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DerivedSheets, AnEditWhileTheListIsCopiedIsInTheSheetBuilt)
{
    // The list is copied for the worker a part at a time, a turn of the
    // event loop between two parts (here a part has no time: a few rows);
    // a count typed meanwhile is in the sheet of that one build, which is
    // then kept.
    struct FewRowsAPart {
        FewRowsAPart() { SheetBuild::setTakeBudget(std::chrono::milliseconds(0)); }
        ~FewRowsAPart() { SheetBuild::setTakeBudget(SheetBuild::kTakeMs); }
    } fewRows;
    const int row = rowOfBar("2");
    ASSERT_GT(row, 0);
    const auto* bar = dynamic_cast<const CVes_SetupTableLine*>(list->getLine(row));
    ASSERT_TRUE(bar && bar->getSetupSteel());
    for (int i = 0; i < 400; ++i) {
        auto* copy = new CVes_SetupTableLine(CVes_SetupTableLine::kSteelLine);
        copy->copy(bar);
        list->appendLine(copy);
    }
    const std::string unedited = builtNow(Tab::kTags);
    QSignalSpy started(doc, &SheetDocument::sheetBuildStarted);

    view->selectTab(Tab::kTags);
    ASSERT_TRUE(doc->isBuilding(sheetOf(Tab::kTags)));
    view->selectTab(Tab::kBarList);
    selectRow(row, CVes_SetupTable::kColCount);
    listView()->EndCellEdit(row, CVes_SetupTable::kColCount, QStringLiteral("11"));
    ASSERT_EQ(list->getSteel(row)->count, 11);
    waitForBuilds(*doc, {sheetOf(Tab::kTags)}, [&] {
        if (doc->isBuilding(sheetOf(Tab::kTags)))
            EXPECT_EQ(view->sheetView(Tab::kTags)->getTable(), nullptr);
    });

    EXPECT_EQ(started.size(), 1);
    const std::string shown = shownRows(*sheetOf(Tab::kTags));
    EXPECT_EQ(shown, builtNow(Tab::kTags));
    EXPECT_NE(shown, unedited);
    choose(Tab::kTags);
    EXPECT_EQ(started.size(), 1) << "kept: built from the list as it is";
    EXPECT_EQ(view->getActiveSheetView(), view->sheetView(Tab::kTags));
}

TEST_F(DerivedSheets, SheetsAskedForOneAfterTheOtherAreEachBuiltOnce)
{
    // The user runs through every tab without waiting; the builds take
    // their turns.
    QSignalSpy started(doc, &SheetDocument::sheetBuildStarted);
    for (const int tab : kDerivedTabs)
        view->selectTab(tab);
    std::vector<const CVes_TableBase*> sheets;
    for (const int tab : kDerivedTabs)
        sheets.push_back(sheetOf(tab));
    waitForBuilds(*doc, sheets);
    EXPECT_EQ(started.size(), int(std::size(kDerivedTabs)));
    for (const int tab : kDerivedTabs)
        EXPECT_EQ(shownRows(*sheetOf(tab)), builtNow(tab)) << tab;
    EXPECT_EQ(view->getActiveSheetView(), view->sheetView(Tab::kContents));
}

// the quantity sheet's summaries

class QuantitySummaries : public test::DocumentsFixture, public ::testing::WithParamInterface<int> {
public:
    void SetUp() override
    {
        DocumentsFixture::SetUp();
        doc = open<CRODOSLDoc>(saveQuantitySheet("用量.ylb"));
        ASSERT_TRUE(doc);
        view = dynamic_cast<CRODO_SLMainView*>(containerOf(doc));
        ASSERT_TRUE(view);
    }
    CVes_TableBase* sheet() const
    {
        return GetParam() == CRODO_SLMainView::kSummary
                   ? static_cast<CVes_TableBase*>(doc->summaryTable())
                   : static_cast<CVes_TableBase*>(doc->summaryJTTable());
    }
    std::string builtNow() const
    {
        if (GetParam() == CRODO_SLMainView::kSummary) {
            CVes_SLSumaryTable fresh;
            return shownRows(*doc->slTable()->SummarySTeel(&fresh));
        }
        CVes_SLSumaryJTtable fresh;
        return shownRows(*doc->slTable()->SummaryJT(&fresh));
    }
    void choose(int tab)
    {
        view->selectTab(tab);
        doc->finishBuilds();
    }
    // The count of the first bar of page 1, typed as the cell editor
    // commits it.
    void typeFirstCount(const char* count)
    {
        view->selectTab(CRODO_SLMainView::kDetail);
        CVes_SLTable& sheet = *doc->slTable();
        sheet.setPageTo(1, 1);
        for (int row = 1; row < 40; ++row)
            if (sheet.getSteel(row)) {
                sheet.clearSelect();
                sheet.AddSelect(row, 0);
                sheet.setCurRow(row);
                sheet.setCurCol(CVes_SLTable::kColCount);
                view->sheetView(CRODO_SLMainView::kDetail)
                    ->EndCellEdit(row, CVes_SLTable::kColCount, QString::fromUtf8(count));
                return;
            }
        ADD_FAILURE() << "no bar on page 1";
    }

    CRODOSLDoc* doc = nullptr;
    CRODO_SLMainView* view = nullptr;
};

TEST_P(QuantitySummaries, KeptUntilTheSheetChanges)
{
    const int tab = GetParam();
    // Built on a worker: nothing shown until it ends.
    view->selectTab(tab);
    ASSERT_TRUE(doc->isBuilding(sheet()));
    EXPECT_EQ(view->sheetView(tab)->getTable(), nullptr);
    EXPECT_TRUE(busyWindowShown());
    waitForBuilds(*doc, {sheet()});
    EXPECT_EQ(view->sheetView(tab)->getTable(), sheet());
    EXPECT_EQ(view->getActiveSheetView(), view->sheetView(tab));
    ASSERT_FALSE(sheet()->lines().isEmpty());
    const std::uint64_t built = sheet()->changeCount();
    const std::string before = shownRows(*sheet());
    EXPECT_EQ(before, builtNow());

    // Looking about changes nothing.
    view->selectTab(CRODO_SLMainView::kDetail);
    doc->slTable()->setPageTo(2, 1);
    choose(tab);
    choose(CRODO_SLMainView::kSort);
    choose(tab);
    EXPECT_EQ(sheet()->changeCount(), built) << "built again without a change";

    // A typed count is shown on the next choice, and then kept.
    typeFirstCount("37");
    choose(tab);
    EXPECT_NE(sheet()->changeCount(), built);
    EXPECT_EQ(shownRows(*sheet()), builtNow());
    const std::uint64_t rebuilt = sheet()->changeCount();
    view->selectTab(CRODO_SLMainView::kDetail);
    choose(tab);
    EXPECT_EQ(sheet()->changeCount(), rebuilt);

    // A sheet emptied since, or a setting written, builds it again.
    sheet()->clearnAllLineOnly();
    view->selectTab(CRODO_SLMainView::kDetail);
    choose(tab);
    EXPECT_EQ(shownRows(*sheet()), builtNow());
    const std::uint64_t refilled = sheet()->changeCount();
    platform::setProfileValue(QStringLiteral("settings"), QStringLiteral("any"), 2);
    view->selectTab(CRODO_SLMainView::kDetail);
    choose(tab);
    EXPECT_NE(sheet()->changeCount(), refilled);
}

INSTANTIATE_TEST_SUITE_P(Tabs, QuantitySummaries,
                         ::testing::Values(int(CRODO_SLMainView::kSummary), int(CRODO_SLMainView::kJoints)),
                         [](const auto& info) {
                             return std::string(info.param == CRODO_SLMainView::kSummary ? "Summary"
                                                                                         : "Joints");
                         });

class QuantitySorted : public test::DocumentsFixture {};

// What a sorted sheet shows, a row a line.
std::string sortedRows(const CVes_SortBarSheet& sheet)
{
    QStringList rows;
    for (CVes_TableBaseLine* line : sheet.lines()) {
        const auto* row = static_cast<const CVes_SortBarSheetLine*>(line);
        if (row->m_isString) {
            rows << row->m_strArray.join(u'|');
            continue;
        }
        const CVes_BarCore& bar = row->m_steel;
        rows << QStringLiteral("%1|%2|%3|%4|%5")
                    .arg(bar.number)
                    .arg(bar.DN)
                    .arg(bar.count)
                    .arg(bar.length)
                    .arg(bar.remark);
    }
    return rows.join(u'\n').toStdString();
}

TEST_F(QuantitySorted, BuiltFromTheSheetAsItIsWhenTheLastPartIsCopied)
{
    // The sheet copied for the worker a few rows a part; a count typed
    // between two parts is in the sorted sheet.
    struct FewRowsAPart {
        FewRowsAPart() { SheetBuild::setTakeBudget(std::chrono::milliseconds(0)); }
        ~FewRowsAPart() { SheetBuild::setTakeBudget(SheetBuild::kTakeMs); }
    } fewRows;
    auto* doc = open<CRODOSLDoc>(saveQuantitySheet("排序.ylb"));
    ASSERT_TRUE(doc);
    auto* view = dynamic_cast<CRODO_SLMainView*>(containerOf(doc));
    ASSERT_TRUE(view);
    CVes_SLTable& sheet = *doc->slTable();
    sheet.setPageTo(1, 1);
    int row = 1;
    while (row < 40 && !sheet.getSteel(row))
        ++row;
    ASSERT_LT(row, 40);
    const auto* bar = dynamic_cast<const CVes_SLTableLine*>(sheet.getLine(row));
    ASSERT_TRUE(bar);
    for (int i = 0; i < 300; ++i) {
        auto* copy = new CVes_SLTableLine();
        copy->copy(bar);
        sheet.appendLine(copy);
    }
    CVes_SortBarSheet unedited;
    sheet.SortSteel(&unedited);

    view->selectTab(CRODO_SLMainView::kSort);
    ASSERT_TRUE(doc->isBuilding(doc->sortTable()));
    view->selectTab(CRODO_SLMainView::kDetail);
    sheet.clearSelect();
    sheet.AddSelect(row, 0);
    sheet.setCurRow(row);
    sheet.setCurCol(CVes_SLTable::kColCount);
    view->sheetView(CRODO_SLMainView::kDetail)->EndCellEdit(row, CVes_SLTable::kColCount, QStringLiteral("41"));
    ASSERT_EQ(sheet.getSteel(row)->count, 41);
    waitForBuilds(*doc, {doc->sortTable()});

    CVes_SortBarSheet expected;
    sheet.SortSteel(&expected);
    const std::string shown = sortedRows(*doc->sortTable());
    EXPECT_EQ(shown, sortedRows(expected));
    EXPECT_NE(shown, sortedRows(unedited));
}

} // namespace
