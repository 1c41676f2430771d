// Sheets rebuilt in the background: a build is waited for when cancelled and
// never delivered afterwards, a request while one runs makes one more, a
// worker that fails says so, workers of one kind never overlap; and on a
// bar list of 10,000 bars, editing while its sorted sheet is rebuilt and
// closing the document while a sheet of the chosen tab is rebuilt. These are the cases to run under
// ThreadSanitizer and AddressSanitizer (scripts/sanitize thread|address).

#include "app/documents/sheetbuild.h"
#include "app/documents/documentids.h"
#include "app/documents/setupmainview.h"
#include "platform/ui/commandids.h"
#include "tables/processing/liaopaitable.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tests/app/support/documents_support.h"
#include "tests/support/generatedbarlist.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Holds a worker until the test lets it go.
class Gate {
public:
    void wait() const
    {
        while (!m_open.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    void open() { m_open.store(true); }

private:
    std::atomic<bool> m_open{false};
};

void processEventsFor(int ms)
{
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

TEST(SheetBuildWork, ACancelledBuildIsWaitedForAndNeverDelivered)
{
    SheetBuild build(SheetBuild::Kind::BarList);
    QSignalSpy finished(&build, &SheetBuild::finished);
    Gate gate;
    std::atomic<bool> ended{false};
    int delivered = 0;
    build.request([&] {
        return SheetBuild::Job{[&] {
                                   gate.wait();
                                   std::this_thread::sleep_for(std::chrono::milliseconds(20));
                                   ended.store(true);
                               },
                               [&](bool) { ++delivered; }};
    });
    EXPECT_TRUE(build.isRunning());
    EXPECT_EQ(SheetBuild::running(SheetBuild::Kind::BarList), 1);
    gate.open();
    build.cancel();
    EXPECT_TRUE(ended.load()) << "cancel returns once the worker ended";
    EXPECT_FALSE(build.isRunning());
    processEventsFor(50);
    EXPECT_EQ(delivered, 0);
    EXPECT_EQ(finished.size(), 0);
    EXPECT_EQ(SheetBuild::running(SheetBuild::Kind::BarList), 0);
}

TEST(SheetBuildWork, TheEndIsDeliveredOnceOnThisThread)
{
    SheetBuild build(SheetBuild::Kind::Quantity);
    QSignalSpy finished(&build, &SheetBuild::finished);
    std::thread::id deliveredOn;
    int delivered = 0;
    build.request([&] {
        return SheetBuild::Job{[] {}, [&](bool ok) {
                                   EXPECT_TRUE(ok);
                                   deliveredOn = std::this_thread::get_id();
                                   ++delivered;
                               }};
    });
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(deliveredOn, std::this_thread::get_id());
    build.finish();
    processEventsFor(20);
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(finished.size(), 1);
}

TEST(SheetBuildWork, ARequestWhileOneRunsMakesOneMoreFromANewStart)
{
    SheetBuild build(SheetBuild::Kind::BarList);
    QSignalSpy finished(&build, &SheetBuild::finished);
    Gate gate;
    std::vector<int> prepared;
    const auto request = [&](int n) {
        build.request([&, n] {
            prepared.push_back(n);
            return SheetBuild::Job{[&gate, n] {
                                       if (n == 1)
                                           gate.wait();
                                   },
                                   {}};
        });
    };
    request(1);
    request(2);
    request(3); // takes the place of 2
    gate.open();
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(prepared, (std::vector<int>{1, 3}));
    EXPECT_EQ(finished.size(), 1) << "one end for the last build asked for";
}

TEST(SheetBuildWork, FinishingTakesTheBuildAskedForWhileOneRanToo)
{
    // A command that reads the sheet must get the newest one.
    SheetBuild build(SheetBuild::Kind::BarList);
    QSignalSpy finished(&build, &SheetBuild::finished);
    Gate gate;
    std::vector<int> delivered;
    const auto request = [&](int n) {
        build.request([&, n] {
            return SheetBuild::Job{[&gate, n] {
                                       if (n == 1)
                                           gate.wait();
                                   },
                                   [&delivered, n](bool) { delivered.push_back(n); }};
        });
    };
    request(1);
    request(2);
    gate.open();
    build.finish();
    EXPECT_FALSE(build.isRunning());
    EXPECT_EQ(delivered, (std::vector<int>{1, 2}));
    EXPECT_EQ(finished.size(), 1);
}

TEST(SheetBuildWork, AWorkThatFailsEndsNotOk)
{
    SheetBuild build(SheetBuild::Kind::BarList);
    bool result = true;
    build.request([&] {
        return SheetBuild::Job{[] { throw std::runtime_error("failed"); },
                               [&](bool ok) { result = ok; }};
    });
    build.finish();
    EXPECT_FALSE(result);
}

TEST(SheetBuildWork, WorkersOfOneKindRunOneAtATime)
{
    std::atomic<int> inside{0};
    std::atomic<int> most{0};
    const auto work = [&] {
        const int now = ++inside;
        most.store(std::max(most.load(), now));
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        --inside;
    };
    SheetBuild first(SheetBuild::Kind::BarList);
    SheetBuild second(SheetBuild::Kind::BarList);
    first.request([&] { return SheetBuild::Job{work, {}}; });
    second.request([&] { return SheetBuild::Job{work, {}}; });
    first.finish();
    second.finish();
    EXPECT_EQ(most.load(), 1);
}

// What the work reads taken a part at a time

// A job whose take needs `parts` calls; it records what happens around it.
struct PartsTaken {
    int parts = 0;
    int taken = 0;
    int turnsSeen = 0;       // events posted by a part that ran before the next part
    int turnsPosted = 0;
    std::vector<long long> budgets;
    bool failAt2 = false;
    std::atomic<bool> worked{false};
    std::vector<bool> delivered;
    QObject context;

    SheetBuild::Job job()
    {
        return {[this] { worked.store(true); },
                [this](bool ok) { delivered.push_back(ok); },
                [this](std::chrono::milliseconds budget) {
                    EXPECT_FALSE(worked.load()) << "the work starts once all is taken";
                    budgets.push_back(budget.count());
                    if (failAt2 && taken == 1)
                        throw std::bad_alloc();
                    if (budget.count() < 0)
                        taken = parts;
                    else
                        ++taken;
                    ++turnsPosted;
                    QTimer::singleShot(0, &context, [this] { ++turnsSeen; });
                    return taken == parts;
                }};
    }
};

TEST(SheetBuildWork, WhatTheWorkReadsIsTakenAPartPerTurnOfTheEventLoop)
{
    SheetBuild build(SheetBuild::Kind::BarList);
    QSignalSpy started(&build, &SheetBuild::started);
    QSignalSpy finished(&build, &SheetBuild::finished);
    PartsTaken job;
    job.parts = 4;
    build.request([&] { return job.job(); });
    // The first part is taken at once, the others on later turns.
    EXPECT_EQ(job.taken, 1);
    EXPECT_EQ(started.size(), 1) << "views let go of the sheet from the start";
    EXPECT_TRUE(build.isRunning());
    EXPECT_EQ(SheetBuild::running(SheetBuild::Kind::BarList), 1);
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(job.taken, 4);
    EXPECT_GE(job.turnsSeen, 3) << "the event loop turned between the parts";
    EXPECT_EQ(job.budgets, std::vector<long long>(4, SheetBuild::takeBudget().count()));
    EXPECT_TRUE(job.worked.load());
    EXPECT_EQ(job.delivered, std::vector<bool>{true});
    EXPECT_EQ(started.size(), 1);
    EXPECT_EQ(SheetBuild::running(SheetBuild::Kind::BarList), 0);
}

// A build still taking what its work reads is finished, cancelled, or fails.
struct EndWhileTaken {
    const char* name;
    bool failAt2;
    bool cancel;  // else finish
    bool works;
    std::vector<bool> delivered;
};

class TakenInParts : public ::testing::TestWithParam<EndWhileTaken> {};

TEST_P(TakenInParts, TheBuildEndsOnceAndNoPartIsTakenAfter)
{
    const EndWhileTaken& c = GetParam();
    SheetBuild build(SheetBuild::Kind::Quantity);
    QSignalSpy finished(&build, &SheetBuild::finished);
    PartsTaken job;
    job.parts = 5;
    job.failAt2 = c.failAt2;
    build.request([&] { return job.job(); });
    ASSERT_TRUE(build.isRunning());
    if (c.failAt2) {
        processEventsFor(50);
    } else if (c.cancel) {
        build.cancel();
    } else {
        build.finish();
        EXPECT_EQ(job.budgets.back(), -1) << "the rest is taken at once";
    }
    EXPECT_FALSE(build.isRunning());
    const int taken = job.taken;
    processEventsFor(50);
    EXPECT_EQ(job.taken, taken);
    EXPECT_EQ(job.worked.load(), c.works);
    EXPECT_EQ(job.delivered, c.delivered);
    EXPECT_EQ(finished.size(), c.delivered.empty() ? 0 : 1);
    EXPECT_EQ(SheetBuild::running(SheetBuild::Kind::Quantity), 0);
}

const EndWhileTaken kEndsWhileTaken[] = {
    {"Finished", false, false, true, {true}},
    {"Cancelled", false, true, false, {}},
    {"APartFails", true, false, false, {false}},
};

INSTANTIATE_TEST_SUITE_P(Ends, TakenInParts, ::testing::ValuesIn(kEndsWhileTaken),
                         [](const auto& info) { return std::string(info.param.name); });

// a bar list of 10,000 bars

TEST(LargeBarList, EditingWhileTheSortedSheetIsRebuiltLeavesTheRebuildAsItStarted)
{
    CRODOSetUpDoc doc;
    CVes_SetupTable& list = *doc.setupTable();
    test::fillGeneratedList(list, 200, 50);
    CVes_SortBarSheet expected;
    list.workingCopy()->SortSteel(&expected, 0);

    // The list copied in one part, however slow the machine: every edit
    // below comes while the worker sorts the copy.
    struct OnePart {
        OnePart() { SheetBuild::setTakeBudget(std::chrono::milliseconds(-1)); }
        ~OnePart() { SheetBuild::setTakeBudget(SheetBuild::kTakeMs); }
    } onePart;
    QSignalSpy built(&doc, &SheetDocument::sheetBuilt);
    doc.StartSortBuild();
    ASSERT_TRUE(doc.isBuilding(doc.sortTable()));
    // The user goes on: grades and sizes, a new page, undo and redo.
    for (int round = 0; round < 5 && doc.isBuilding(doc.sortTable()); ++round) {
        list.setPageTo(1 + round, 1);
        list.clearSelect();
        list.AddSelect(2, 0);
        list.AddSelect(3, 0);
        doc.OnCmdMsg(ID_GRADE_2, nullptr);
        doc.OnCmdMsg(ID_SIZE_FIRST + round, nullptr);
        list.Undo();
        list.Redo();
        list.addPage();
    }
    ASSERT_TRUE(built.wait(120000));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(doc.sortTable()->bars().size(), expected.bars().size());
    for (std::size_t i = 0; i < expected.bars().size(); ++i) {
        EXPECT_EQ(doc.sortTable()->bars()[i]->count, expected.bars()[i]->count) << i;
        EXPECT_EQ(doc.sortTable()->bars()[i]->number, expected.bars()[i]->number) << i;
    }
}

// The tab chosen: its sheet is built on a worker.
class LargeDocument : public test::DocumentsFixture, public ::testing::WithParamInterface<int> {
public:
    static CVes_TableBase* sheetOf(const CRODOSetUpDoc& doc, int tab)
    {
        switch (tab) {
        case CRODO_SetUpMainView::kSort: return doc.sortTable();
        case CRODO_SetUpMainView::kTags: return doc.liaoPaiTable();
        default: return doc.summaryTable();
        }
    }
};

TEST_P(LargeDocument, ClosingDuringARebuildCancelsItAndWaits)
{
    const QString file = saveBarList("大.pld", [](CVes_SetupTable& list) {
        test::fillGeneratedList(list, 200, 50);
    });
    for (int attempt = 0; attempt < 3; ++attempt) {
        auto* doc = open<CRODOSetUpDoc>(file);
        ASSERT_TRUE(doc);
        auto* view = dynamic_cast<CRODO_SetUpMainView*>(containerOf(doc));
        ASSERT_TRUE(view);
        view->selectTab(GetParam());
        EXPECT_TRUE(doc->isBuilding(sheetOf(*doc, GetParam())));
        // Closed from the main window's menu, without a question (unchanged).
        processEventsFor(attempt * 20);
        doc->OnCmdMsg(ID_FILE_CLOSE, nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        processEventsFor(20);
        for (platform::Document* open : app->docManager().documents())
            EXPECT_NE(open->GetPathName(), file);
        EXPECT_EQ(SheetBuild::running(SheetBuild::Kind::BarList), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Tabs, LargeDocument,
                         ::testing::Values(int(CRODO_SetUpMainView::kSort),
                                           int(CRODO_SetUpMainView::kTags),
                                           int(CRODO_SetUpMainView::kSummary)),
                         [](const auto& info) {
                             switch (info.param) {
                             case CRODO_SetUpMainView::kSort: return std::string("Sorted");
                             case CRODO_SetUpMainView::kTags: return std::string("Tags");
                             default: return std::string("Summary");
                             }
                         });

} // namespace
