// The bar list's sorted table and cutting list: the sorted sheet's rows from
// the processing bars, sorting a working copy on another thread, and the
// cutting list with its size asked on the user-interface thread, its
// cutting on a worker, and cancelling either.

#include "tables/barlist/setuptable.h"

#include "tests/support/recordinghost.h"
#include "tests/tables/barlist/summary_support.h"
#include "tests/tables/quantity/derived_shapes.h"
#include "tests/tables/quantity/modal_support.h"

#include "core/geometry/datafolder.h"
#include "platform/archive.h"
#include "platform/ui/qthostservices.h"
#include "tables/barlist/cuttingjob.h"
#include "tables/processing/processtablelistline.h"
#include "tables/quantity/ui/cutoptimizesizedlg.h"
#include "tables/quantity/stockrequests.h"
#include "tables/quantity/sortbarsheet.h"
#include "tables/quantity/youhuaduanliaotable.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using test::elementLine;

// A bar of the straight shape whose length A is `length` mm.
CVes_SetupTableLine* shapedBar(const char* number, int grade, float d, int count, double length,
                               int type = 0)
{
    CVes_SetupTableLine* line = test::barLine(number, grade, d, count, 0.0f, type);
    CVes_Steel& bar = line->m_steel;
    bar.setRecordId(test::kStraightShape);
    bar.calcLength = 1;
    bar.setVarValue(QStringLiteral("A"), length);
    return line;
}

std::vector<std::string> sheetRows(CVes_SortBarSheet& sheet)
{
    std::vector<std::string> rows;
    for (CVes_TableBaseLine* line : sheet.lines()) {
        auto* row = static_cast<CVes_SortBarSheetLine*>(line);
        if (row->m_isString) {
            rows.push_back(row->m_strArray.join(u'|').toStdString());
            continue;
        }
        CVes_BarCore& bar = row->m_steel;
        rows.push_back(QStringLiteral("%1|%2|%3|%4")
                           .arg(bar.number)
                           .arg(bar.DN)
                           .arg(sheet.barTexts(bar).count, bar.remark)
                           .toStdString());
    }
    return rows;
}

class BarListDerived : public testing::Test {
protected:
    void SetUp() override
    {
        t.clearnAllLine();
        t.getYuanCaiLib().removeAll();
        t.m_texts[2].m_formula = QStringLiteral("综合楼");
        CVes_SortRules& r = t.getSortRules();
        r = CVes_SortRules();
        r.m_dnOrder = 1;
        r.m_mergeSame = 1;
    }

    test::DerivedShapes shapes;
    test::StockFileAway stockFile;
    QObject context;
    CVes_SetupTable t;
};

// The sorted table

TEST_F(BarListDerived, SortedSheetOfTheProcessingBars)
{
    t.appendLine(elementLine("KL1", 2));
    t.appendLine(shapedBar("1", 3, 20.0f, 2, 3000));
    t.appendLine(shapedBar("2", 3, 12.0f, 5, 2000));
    t.appendLine(elementLine("KL2", 1));
    t.appendLine(shapedBar("7", 3, 20.0f, 3, 3000));
    CVes_SortBarSheet sheet;
    sheet.Add(QStringList{"old"});
    EXPECT_EQ(t.SortSteel(&sheet, 6), &sheet);
    // The equal bars of KL1 and KL2 are one processing bar of 7 bars.
    const std::vector<std::string> expected = {
        "2|12|10|2(10根)",
        "1|20|7|多项归并",
        "归并信息|1(4根); 7(3根)",
        "|合计",
    };
    const std::vector<std::string> got = sheetRows(sheet);
    ASSERT_GE(got.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(got.begin(), got.begin() + 4), expected);
    EXPECT_EQ(sheet.m_texts[2].m_formula, "综合楼");
    EXPECT_EQ(sheet.m_rules.m_dnOrder, 1);
    EXPECT_EQ(sheet.m_units[CVes_SortBarSheet::kColTotalLength],
              t.m_units[CVes_SetupTable::kColTotalLength]);
}

TEST_F(BarListDerived, SelectionModeBelowSixIsStored)
{
    CVes_SortBarSheet sheet;
    t.getHuizongRules().m_mode = 3;
    t.SortSteel(&sheet, 6);
    EXPECT_EQ(t.getHuizongRules().m_mode, 3);
    t.SortSteel(&sheet, 0);
    EXPECT_EQ(t.getHuizongRules().m_mode, 0);
    EXPECT_TRUE(sheet.lines().isEmpty()) << "an empty list gives an empty sheet";
    std::unique_ptr<CVes_SortBarSheet> made(t.SortSteel(nullptr, 6));
    EXPECT_EQ(made->m_texts[2].m_formula, "综合楼");
}

// Origins run on one line until their entries pass 90 bytes.
TEST_F(BarListDerived, LongOriginListsBreakIntoLines)
{
    t.getSortRules().m_mergeSame = 1;
    for (int i = 0; i < 12; ++i) {
        const std::string element = "ELEMENT-" + std::to_string(i);
        t.appendLine(elementLine(element.c_str(), 1));
        const std::string number = "N" + std::to_string(100 + i);
        t.appendLine(shapedBar(number.c_str(), 3, 20.0f, 1, 3000));
    }
    CVes_SortBarSheet sheet;
    t.SortSteel(&sheet, 6);
    auto* merge = static_cast<CVes_SortBarSheetLine*>(sheet.lines()[1]);
    ASSERT_EQ(merge->m_strArray.value(0), CVes_SortBarSheet::kMergeInfo);
    const QStringList lines = merge->m_strArray.value(1).split(u'\n');
    ASSERT_GE(lines.size(), 2);
    // Each entry "N100(1根)" is 9 bytes: ten of them (90) stay on a line.
    EXPECT_EQ(lines[0].count(QStringLiteral("根)")), 11);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("; ")));
}

// The sorted table is made from a working copy on another thread while the
// list itself is edited.
TEST_F(BarListDerived, WorkingCopySortsOnAWorkerThread)
{
    t.appendLine(elementLine("KL1", 2));
    for (int i = 0; i < 40; ++i) {
        const std::string number = std::to_string(i + 1);
        t.appendLine(shapedBar(number.c_str(), 3, float(10 + 2 * (i % 8)), 1 + i % 3,
                               2000 + 100 * i));
    }
    CVes_SortBarSheet expected;
    t.SortSteel(&expected, 6);

    std::unique_ptr<CVes_SetupTable> copy = t.workingCopy();
    CVes_SortBarSheet sheet;
    std::thread worker([&] { copy->SortSteel(&sheet, 6); });
    for (int i = 0; i < 50; ++i)
        t.appendLine(shapedBar("X", 3, 32.0f, 1, 5000));
    worker.join();
    EXPECT_EQ(sheetRows(sheet), sheetRows(expected));
}

TEST_F(BarListDerived, WorkingCopyKeepsWhatTheSheetsRead)
{
    CVes_SetupTableLine* kl1 = elementLine("KL1", 3);
    t.appendLine(kl1);
    t.appendLine(shapedBar("1", 3, 20.0f, 2, 3000));
    t.setDefaultEleNum(4);
    t.setLiaoPaiType(3);
    t.getHuizongRules().m_mode = 1;
    t.getHuizongRules().m_elements.append(kl1);
    t.m_units[CVes_SetupTable::kColTotalLength] = CVes_Template::kCentimetre;
    CVes_SteelYuanCaiData record;
    record.DN = 20.0f;
    t.getYuanCaiLib().append(record);

    std::unique_ptr<CVes_SetupTable> copy = t.workingCopy();
    EXPECT_EQ(copy->lines().size(), 2);
    EXPECT_NE(copy->lineAt(0), kl1);
    ASSERT_EQ(copy->getHuizongRules().m_elements.size(), 1);
    EXPECT_EQ(copy->getHuizongRules().m_elements.front(), copy->lineAt(0));
    EXPECT_EQ(copy->getDefaultEleNum(), 4);
    EXPECT_EQ(copy->getLiaopaiType(), 3);
    EXPECT_EQ(copy->getSortRules().m_dnOrder, 1);
    EXPECT_EQ(copy->m_units[CVes_SetupTable::kColTotalLength], CVes_Template::kCentimetre);
    EXPECT_EQ(copy->getYuanCaiLib(), t.getYuanCaiLib());
    EXPECT_EQ(copy->m_texts[2].m_formula, "综合楼");
}

// A working copy taken a part at a time, the list changed between two
// parts: the copy holds the rows as they are after the change, not the
// parts copied before it.
struct BetweenParts {
    const char* name;
    std::function<void(CVes_SetupTable&)> change;
};

class WorkingCopyInParts : public BarListDerived, public testing::WithParamInterface<BetweenParts> {
public:
    // Each row as the file stores it.
    static std::vector<QByteArray> storedRows(const CVes_TableBase& sheet)
    {
        std::vector<QByteArray> rows;
        for (CVes_TableBaseLine* row : sheet.lines()) {
            platform::Archive ar;
            row->Serialize(ar);
            rows.push_back(ar.data());
        }
        return rows;
    }
};

TEST_P(WorkingCopyInParts, HoldsTheRowsAsTheyAreWhenTheLastPartIsTaken)
{
    t.appendLine(elementLine("KL1", 2));
    for (int i = 0; i < 300; ++i)
        t.appendLine(shapedBar(std::to_string(i + 1).c_str(), 3, 20.0f, 1 + i % 5, 1000 + i));
    std::unique_ptr<RowCopies> rows = t.rowCopies();
    // No time at all for a part: a few rows at a time.
    ASSERT_FALSE(rows->copySome(std::chrono::milliseconds(0)));
    GetParam().change(t);
    int parts = 1;
    while (!rows->copySome(std::chrono::milliseconds(0)))
        ASSERT_LT(++parts, 1000) << "every part copies a row at least";
    std::unique_ptr<CVes_SetupTable> copy = t.workingCopy(*rows);

    // As a copy taken all at once now, and each bar's count as the list's.
    ASSERT_EQ(copy->lines().size(), t.lines().size());
    const std::vector<QByteArray> atOnce = storedRows(*t.workingCopy());
    const std::vector<QByteArray> inParts = storedRows(*copy);
    for (qsizetype i = 0; i < t.lines().size(); ++i) {
        EXPECT_NE(copy->lines()[i], t.lines()[i]) << "row " << i << " is a copy";
        EXPECT_TRUE(inParts[std::size_t(i)] == atOnce[std::size_t(i)]) << "row " << i;
        const CVes_BarCore* own = t.lines()[i]->getSteel();
        const CVes_BarCore* copied = copy->lines()[i]->getSteel();
        ASSERT_EQ(own == nullptr, copied == nullptr) << "row " << i;
        if (own) {
            EXPECT_EQ(copied->count, own->count) << "row " << i;
        }
    }
}

void editedCount(CVes_SetupTable& t, int row, int count)
{
    CVes_BarCore* bar = t.lines()[row]->getSteel();
    CVes_TableBase::changeRow(t.lines()[row], [&] { bar->count = count; });
    t.setModified(1);
}

const BetweenParts kBetweenParts[] = {
    {"Nothing", [](CVes_SetupTable&) {}},
    {"ACountOfAnEarlyRowTyped", [](CVes_SetupTable& t) { editedCount(t, 2, 77); }},
    {"ARowAppended", [](CVes_SetupTable& t) { t.appendLine(shapedBar("X", 3, 32.0f, 4, 5000)); }},
    {"EveryRowRemoved", [](CVes_SetupTable& t) { t.clearnAllLineOnly(); }},
    {"AnEditUndone",
     [](CVes_SetupTable& t) {
         t.AddUndo();
         editedCount(t, 1, 55);
         t.AddUndo();
         t.Undo();
     }},
};

INSTANTIATE_TEST_SUITE_P(Changes, WorkingCopyInParts, testing::ValuesIn(kBetweenParts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BarListDerived, RowCopiesFollowTheEmptyRowsThePagesPadTheListWith)
{
    // The last page shown pads the list with empty rows, and they go again,
    // without a change being counted: copies made meanwhile start over
    // rather than keep rows the list no longer has.
    for (int i = 0; i < 5; ++i)
        t.appendLine(shapedBar("1", 3, 20.0f, 2, 3000));
    t.endPage();
    const qsizetype padded = t.lines().size();
    ASSERT_GT(padded, 5);
    std::unique_ptr<RowCopies> rows = t.rowCopies();
    ASSERT_TRUE(rows->copySome(std::chrono::milliseconds(-1)));
    t.clearNullLineOfEnd();
    ASSERT_EQ(t.lines().size(), 5);
    int parts = 1;
    while (!rows->copySome(std::chrono::milliseconds(0)))
        ASSERT_LT(++parts, 100) << "the copies end";
    EXPECT_EQ(t.workingCopy(*rows)->lines().size(), 5);
}

TEST_F(BarListDerived, RowCopiesNotTakenAreLetGo)
{
    // Run under the address sanitizer: copies of a copy given up are freed.
    for (int i = 0; i < 200; ++i)
        t.appendLine(shapedBar("1", 3, 20.0f, 2, 3000));
    std::unique_ptr<RowCopies> rows = t.rowCopies();
    EXPECT_FALSE(rows->copySome(std::chrono::milliseconds(0)));
    rows.reset();
    EXPECT_EQ(t.lines().size(), 200);
}

// The cutting list

QStringList totalRows(const CVes_YouhuaDuanLiaoTable& cut)
{
    QStringList totals;
    for (CVes_TableBaseLine* line : cut.lines()) {
        auto* row = static_cast<CVes_YouhuaDuanLiaoTableLine*>(line);
        if (row->m_combine.pieces.empty())
            totals << row->m_strArray.join(u'|');
    }
    return totals;
}

TEST_F(BarListDerived, CuttingListOfTheChosenSize)
{
    t.appendLine(elementLine("KL1", 1));
    t.appendLine(shapedBar("1", 2, 20.0f, 3, 4000));
    t.appendLine(shapedBar("2", 2, 20.05f, 2, 5000));
    t.appendLine(shapedBar("3", 2, 20.2f, 2, 5000));
    t.appendLine(shapedBar("4", 3, 20.0f, 2, 5000));
    t.appendLine(shapedBar("5", 2, 20.0f, 2, 5000, 1));
    bool onUserThread = false;
    test::whenOpen<CCutOptimizeSpecDlg>(&context, [&](CCutOptimizeSpecDlg& dlg) {
        onUserThread = QThread::currentThread() == qApp->thread();
        dlg.accept();  // grade 2, 20 mm
    });
    std::unique_ptr<CVes_YouhuaDuanLiaoTable> cut(t.toDuanLiaoTable(nullptr));
    EXPECT_TRUE(onUserThread);
    // Each size of the chosen grade within 0.1 mm is cut by itself from 12 m
    // bars: 3 × 4 m; 2 × 5 m epoxy-coated; 2 × 5 m of 20.05 mm. Neither
    // grade 3 nor 20.2 mm is cut.
    EXPECT_EQ(totalRows(*cut), (QStringList{"合计||%%B20|12|1||12|0||",
                                            "合计||%%B20环|12|1||10|2||",
                                            "合计||%%B20.0|12|1||10|2||"}));
    EXPECT_EQ(cut->m_texts[CVes_YouhuaDuanLiaoTable::kNoteText].m_formula.endsWith(" 优化断料"),
              true);
    // Every size of the list got a raw-stock record of 12 m.
    EXPECT_EQ(t.getYuanCaiLib().count(), 5);
    EXPECT_EQ(t.getYuanCaiLib().getYuanCai(20.2f, 2, 0)->length, 12000);
}

TEST_F(BarListDerived, CancelledChoiceLeavesTheListEmpty)
{
    t.appendLine(shapedBar("1", 2, 20.0f, 3, 4000));
    CVes_YouhuaDuanLiaoTable cut;
    cut.Add(QStringList{"old"});
    test::whenOpen<CCutOptimizeSpecDlg>(&context, [](CCutOptimizeSpecDlg& dlg) { dlg.reject(); });
    EXPECT_EQ(t.toDuanLiaoTable(&cut), &cut);
    EXPECT_TRUE(cut.lines().isEmpty());
    EXPECT_EQ(t.getYuanCaiLib().count(), 1) << "the size still got its raw stock";
}

// The size to cut is asked with the size the list has bars of proposed;
// the bars are arranged behind a progress window without a cancel button,
// the cutting behind one with it. Cutting again keeps the size.
TEST_F(BarListDerived, CuttingAsksTheProposedSizeAndShowsItsProgress)
{
    test::HostScope host;
    t.appendLine(shapedBar("1", 3, 25.0f, 3, 4000));
    CutSizeRequest asked;
    host->answerDialog<CutSizeRequest>([&](CutSizeRequest& r) {
        asked = r;
        return true;
    });
    std::unique_ptr<CVes_YouhuaDuanLiaoTable> cut(t.toDuanLiaoTable(nullptr));
    EXPECT_EQ(asked.grade, 3);
    EXPECT_FLOAT_EQ(asked.diameter, 25.0f);
    const std::vector<test::RecordedProgress> runs = host->progressRuns();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].text, QStringLiteral("正在整理钢筋……"));
    EXPECT_FALSE(runs[0].cancellable);
    EXPECT_EQ(runs[1].text, QStringLiteral("正在优化断料……"));
    EXPECT_TRUE(runs[1].cancellable);
    // 3 × 4 m from one 12 m bar.
    EXPECT_EQ(totalRows(*cut), QStringList{"合计||%%C25|12|1||12|0||"});

    t.cutAgain(cut.get());
    EXPECT_EQ(host->askedDialogs().size(), 1u) << "the size is not asked again";
    EXPECT_EQ(totalRows(*cut), QStringList{"合计||%%C25|12|1||12|0||"});
}

// Asked again (the list changed since), the size it was cut for is
// proposed; cancelled, the list is empty and names no size.
TEST_F(BarListDerived, CuttingAgainProposesTheSizeItWasCutFor)
{
    test::HostScope host;
    t.appendLine(shapedBar("1", 2, 20.0f, 3, 4000));
    t.appendLine(shapedBar("2", 3, 25.0f, 3, 4000));
    CutSizeRequest asked;
    const auto answer = [&](bool accept) {
        host->answerDialog<CutSizeRequest>([&asked, accept](CutSizeRequest& r) {
            asked = r;
            r.grade = 3;
            r.diameter = 25.0f;
            return accept;
        });
    };
    answer(true);
    std::unique_ptr<CVes_YouhuaDuanLiaoTable> cut(t.toDuanLiaoTable(nullptr));
    EXPECT_EQ(asked.grade, 2) << "first the first size of the list";
    ASSERT_EQ(totalRows(*cut), QStringList{"合计||%%C25|12|1||12|0||"});

    answer(false);
    EXPECT_EQ(t.toDuanLiaoTable(cut.get()), cut.get());
    EXPECT_EQ(asked.grade, 3);
    EXPECT_FLOAT_EQ(asked.diameter, 25.0f);
    EXPECT_TRUE(cut->lines().isEmpty());
    EXPECT_TRUE(cut->m_texts[CVes_YouhuaDuanLiaoTable::kNoteText].m_formula.isEmpty())
        << "an empty list names no size";
}

TEST_F(BarListDerived, CuttingCancelledLeavesTheListEmpty)
{
    t.appendLine(shapedBar("1", 3, 25.0f, 3, 4000));
    for (const bool atTheSize : {true, false}) {
        test::HostScope host;
        CVes_YouhuaDuanLiaoTable cut;
        cut.Add(QStringList{"old"});
        host->answerDialog<CutSizeRequest>([atTheSize](CutSizeRequest&) { return !atTheSize; });
        if (!atTheSize)
            host->scriptProgressCancel();
        EXPECT_EQ(t.toDuanLiaoTable(&cut), &cut);
        EXPECT_TRUE(cut.lines().isEmpty());
        EXPECT_EQ(host->progressRuns().size(), atTheSize ? 1u : 2u);
    }
}

// A long cutting is cancelled from its progress dialog: the worker stops
// and nothing is written.
TEST(BackgroundWork, CancelStopsTheWorker)
{
    test::DerivedShapes shapes;
    TableLineList lines;
    for (int i = 0; i < 1500; ++i) {
        CVes_ProcessSteel bar;
        bar.setRecordId(test::kStraightShape);
        bar.setSteel(2, 20.0f, 0);
        bar.count = 1 + i % 7;
        bar.calcLength = 1;
        bar.setVarValue(QStringLiteral("A"), 500 + (i * 7919) % 5500);
        bar.setPID(i + 1);
        bar.setNull(0);
        auto* line = new CVes_ProcessTableListLine;
        line->setSteel(bar);
        lines.append(line);
    }
    CuttingJob job;
    CVes_SteelYuanCaiDataLib own;
    job.gather(lines, CVes_Template::kMillimetre, own);
    qDeleteAll(lines);
    job.choose(2, 20.0f, own);
    ASSERT_EQ(job.runs().size(), 1u);

    QObject context;
    bool shown = false;
    test::whenOpen<QProgressDialog>(&context, [&](QProgressDialog& progress) {
        shown = true;
        if (auto* button = progress.findChild<QPushButton*>())
            button->click();
    });
    platform::QtHostServices desktop;
    EXPECT_FALSE(desktop.runWithProgress(QStringLiteral("cutting"), true,
                                         [&](const std::atomic<bool>& cancel,
                                             const platform::WorkProgress& progress) {
                                             return job.cut(&cancel, progress);
                                         }));
    EXPECT_TRUE(shown);
    // Stopped before its run or during it.
    const CuttingJob::Run& run = job.runs()[0];
    EXPECT_TRUE(run.report.outcome == OptimizeReport::Outcome::Cancelled || run.patterns.empty());
}

} // namespace
