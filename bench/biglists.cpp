// Big bar lists of 1,000, 10,000 and 50,000 rows as the program handles
// them: a typed cell committed through the bar-list view (undo step, repaint
// and panes), the memory ten commits take, opening and saving against
// reading and writing the same bytes raw, cutting one size and every size,
// the workbook export, and choosing a derived sheet's tab. Each figure is
// the median of several rounds, the two things of a ratio timed in turn in
// each round, so that other programs on the machine disturb both alike.
//
//   bench_biglists [commit|memory|file|cutting|export|tabs]...   (all without)
//   bench_biglists record-plans FILE [DIGESTS50K]
//
// The cutting part checks every plan against the plans recorded in
// tests/core/model/fixtures; record-plans writes those files.

#include "app/documents/setupdoc.h"
#include "app/documents/setupmainview.h"
#include "app/documents/sldoc.h"
#include "app/documents/slmainview.h"
#include "app/shell/mainframe.h"
#include "app/shell/myrdapp.h"
#include "bench/benchsupport.h"
#include "bench/openprogram.h"
#include "bench/cuttinglists.h"
#include "platform/hostservices.h"
#include "platform/profile.h"
#include "platform/savefile.h"
#include "platform/ui/docmanager.h"
#include "platform/xlsx/workbook.h"
#include "tables/framework/ui/tableview.h"
#include "tables/processing/liaopaitable.h"
#include "tables/quantity/sltable.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <thread>

namespace {

using bench::kSizes;
using bench::ListSize;
using bench::listFile;
using bench::OpenList;
using bench::Program;

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double timed(const std::function<void()>& work, bench::Clock clock = bench::Clock::Wall)
{
    const double start = bench::nowMs(clock);
    work();
    return bench::nowMs(clock) - start;
}

// The resident memory of the process, in MB, after freed memory went back.
double residentMb()
{
    malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// Parts

void commitPart(const QString& home)
{
    std::printf("\ncommit of one typed cell (processor time: undo step, repaint, panes)\n");
    std::printf("%8s %14s %14s %14s\n", "rows", "first 8 med", "first 8 max", "then, median");
    Program program;
    for (const ListSize& size : kSizes) {
        const QString path = listFile(home, size);
        OpenList list(program.app, path);
        if (!list.isOpen()) {
            std::printf("%8d  the list could not be opened\n", size.rows);
            continue;
        }
        std::vector<double> first;
        std::vector<double> then;
        for (int i = 0; i < 20; ++i) {
            const double ms = timed([&] { list.commitTypedCell(); }, bench::Clock::ThisThread);
            (i < 8 ? first : then).push_back(ms);
        }
        std::printf("%8d %11.2f ms %11.2f ms %11.2f ms\n", size.rows, median(first),
                    *std::max_element(first.begin(), first.end()), median(then));
    }
}

// Run in a process of its own for each size: the memory of the program
// before the list, with it just opened and after ten commits.
int memoryChild(const QString& home, int rows)
{
    const ListSize* size = std::find_if(std::begin(kSizes), std::end(kSizes),
                                        [rows](const ListSize& s) { return s.rows == rows; });
    if (size == std::end(kSizes))
        return 1;
    const QString path = listFile(home, *size);
    Program program;
    const double base = residentMb();
    OpenList list(program.app, path);
    const double opened = residentMb();
    for (int i = 0; i < 10; ++i)
        list.commitTypedCell();
    const double after = residentMb();
    std::printf("%8d %10.0f MB %10.0f MB %10.0f MB %8.2f %12.2f\n", rows, base, opened, after,
                after / opened, (after - base) / std::max(1.0, opened - base));
    return 0;
}

void memoryPart(const QString& program)
{
    std::printf("\nmemory (resident) of the program\n");
    std::printf("%8s %13s %13s %13s %8s %12s\n", "rows", "no list", "just opened",
                "ten commits", "ratio", "list's ratio");
    std::fflush(stdout);
    for (const ListSize& size : kSizes) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(program, {QStringLiteral("memory-child"), QString::number(size.rows)});
        child.waitForFinished(-1);
    }
}

void filePart(const QString& home)
{
    std::printf("\nopen and save against reading and writing the same bytes raw (medians)\n");
    std::printf("%8s %10s %10s %8s %10s %10s %8s\n", "rows", "open", "raw read", "ratio", "save",
                "raw write", "ratio");
    for (const ListSize& size : kSizes) {
        if (size.rows < 10000)
            continue;
        const QString path = listFile(home, size);
        const QString raw = home + QStringLiteral("raw.bin");
        QByteArray bytes;
        platform::readFile(path, &bytes);
        platform::saveFile(raw, bytes);
        CVes_SetupTable saved;
        saved.OpenFile(path);
        const QString copy = home + QStringLiteral("copy.pld");
        std::vector<double> open, read, openRatio, save, write, saveRatio;
        for (int round = 0; round < 7; ++round) {
            auto table = std::make_unique<CVes_SetupTable>();
            const double o = timed([&] { table->OpenFile(path); });
            table.reset();
            const double r = timed([&] {
                QByteArray again;
                platform::readFile(raw, &again);
            });
            const double s = timed([&] { saved.SaveFile(copy); });
            const double w = timed([&] { platform::saveFile(raw, bytes); });
            open.push_back(o), read.push_back(r), openRatio.push_back(o / r);
            save.push_back(s), write.push_back(w), saveRatio.push_back(s / w);
        }
        std::printf("%8d %7.1f ms %7.1f ms %7.1fx %7.1f ms %7.1f ms %7.1fx\n", size.rows,
                    median(open), median(read), median(openRatio), median(save), median(write),
                    median(saveRatio));
    }
}

// Cutting

struct CutJobs {
    std::vector<test::CuttingJobInput> small;  // checked by the tests
    std::vector<test::CuttingJobInput> large;  // every size of a 50,000-row list
};

CuttingJob gatheredJob(CVes_SetupTable& list)
{
    return list.prepareDuanLiao();
}

std::vector<test::CuttingJobInput> sizeJobs(CVes_SetupTable& list, const QString& name,
                                            bool everySize, int grade = 3, float diameter = 20)
{
    CuttingJob job = gatheredJob(list);
    std::vector<test::CuttingJobInput> jobs;
    const auto sizes = everySize ? bench::sizesOf(job)
                                 : std::vector<std::pair<int, float>>{{grade, diameter}};
    for (const auto& [g, d] : sizes) {
        job.choose(g, d, list.getYuanCaiLib());
        for (test::CuttingJobInput& run : bench::runsAsJobs(job, name))
            jobs.push_back(std::move(run));
    }
    return jobs;
}

// Every job the recorded plans hold: those of the optimisation's tests and
// benchmarks, the cutting lists of the benchmarks' 3,000-bar lists, every
// size of a 10,000-row list and 20 mm of grade 3 of a 50,000-row list; with
// `withLarge` every size of the 50,000-row list as well.
CutJobs allCuttingJobs(bool withLarge)
{
    CutJobs jobs;
    std::mt19937 random(20261209);
    for (int i = 0; i < 300; ++i) {
        jobs.small.push_back(test::randomCuttingJob(random));
        jobs.small.back().name = QStringLiteral("random %1").arg(i);
    }
    std::mt19937 repeated(7);
    for (int i = 0; i < 300; ++i) {
        jobs.small.push_back(test::randomJobWithRepeatedKinds(repeated));
        jobs.small.back().name = QStringLiteral("repeated %1").arg(i);
    }
    jobs.small.push_back(test::selfTestCuttingJob());
    std::mt19937 rng(20261209);
    for (test::CuttingJobInput& job : test::shopCuttingJobs(rng))
        jobs.small.push_back(std::move(job));
    for (const auto& [name, sizes] : {std::pair{"3000 bars, 8 sizes", 8}, {"3000 bars, one size", 1}}) {
        CVes_SetupTable list;
        bench::fillStraightBarList(list, rng, sizes);
        for (test::CuttingJobInput& job : sizeJobs(list, QString::fromUtf8(name), false))
            jobs.small.push_back(std::move(job));
    }
    {
        CVes_SetupTable list;
        test::fillGeneratedList(list, 200, 50);
        for (test::CuttingJobInput& job : sizeJobs(list, QStringLiteral("10k rows"), true))
            jobs.small.push_back(std::move(job));
    }
    CVes_SetupTable list;
    test::fillGeneratedList(list, 1000, 50);
    for (test::CuttingJobInput& job : sizeJobs(list, QStringLiteral("50k rows"), false))
        jobs.small.push_back(std::move(job));
    if (withLarge) {
        for (test::CuttingJobInput& job : sizeJobs(list, QStringLiteral("50k rows, every size"), true))
            jobs.large.push_back(std::move(job));
    }
    return jobs;
}

QString fixture(const char* name)
{
    return QStringLiteral(RODO_SOURCE_DIR "/tests/core/model/fixtures/") + QString::fromUtf8(name);
}

// The large jobs are kept as digests: their input lines and result lines,
// each joined by "\n", as SHA-1.
QByteArray digest(const QStringList& lines)
{
    return QCryptographicHash::hash(lines.join(u'\n').toUtf8(), QCryptographicHash::Sha1).toHex();
}

QByteArray digestLine(const test::CuttingJobInput& job, const QStringList& result)
{
    return job.name.toUtf8() + '\t' + digest(test::jobLines(job, {})) + '\t' + digest(result);
}

int recordPlans(const QString& file, const QString& largeFile)
{
    const CutJobs jobs = allCuttingJobs(!largeFile.isEmpty());
    QStringList lines;
    QByteArray digests("# Every size of the 50,000-row list: the job name, then SHA-1 of its input\n"
                       "# lines (job, stock, pieces) and of its result lines, each joined by \"\\n\".\n");
    for (const auto* list : {&jobs.small, &jobs.large}) {
        for (const test::CuttingJobInput& job : *list) {
            QElapsedTimer clock;
            clock.start();
            const QStringList result = test::runCuttingJob(job);
            if (list == &jobs.small)
                lines += test::jobLines(job, result);
            else
                digests += digestLine(job, result) + '\n';
            std::fprintf(stderr, "%s: %lld ms\n", qPrintable(job.name), (long long)clock.elapsed());
        }
    }
    if (!platform::saveFile(file, (lines.join(u'\n') + u'\n').toUtf8()))
        return 1;
    return largeFile.isEmpty() || platform::saveFile(largeFile, digests) ? 0 : 1;
}

// Cuts the job, stopped after `limitMs`; answers the time taken, or a
// negative time when it was stopped, and the result lines.
double cutJob(const test::CuttingJobInput& job, double limitMs, QStringList& result)
{
    std::vector<CVes_OptimizeUnit> pieces = job.pieces;
    std::vector<CVes_SteelYuanCai> stock = job.stock;
    std::vector<CVes_OptimizeCombine> patterns;
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    std::thread watchdog([&] {
        const double end = bench::nowMs(bench::Clock::Wall) + limitMs;
        while (!done && bench::nowMs(bench::Clock::Wall) < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        cancel = true;
    });
    OptimizeReport report;
    const double ms = timed([&] { report = OptimizeSteel(pieces, stock, patterns, &cancel); });
    done = true;
    watchdog.join();
    result = test::resultLines(patterns, report);
    return report.outcome == OptimizeReport::Outcome::Cancelled ? -ms : ms;
}

void cuttingPart(double limitSeconds)
{
    std::printf("\ncutting (each plan checked against the recorded plans)\n");
    std::map<QString, QByteArray> recorded;  // digest lines by job name
    for (const test::RecordedCuttingJob& job : test::readCuttingJobs(fixture("cutting_plans.txt")))
        recorded[job.input.name] = digestLine(job.input, job.result);
    QFile large(fixture("cutting_plans_50k.sha1"));
    if (large.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : large.readAll().split('\n')) {
            if (!line.isEmpty() && !line.startsWith('#'))
                recorded[QString::fromUtf8(line.left(line.indexOf('\t')))] = line;
        }
    }
    const CutJobs jobs = allCuttingJobs(true);
    struct Total {
        double ms = 0;
        int jobs = 0, kinds = 0, differ = 0, unchecked = 0;
        bool stopped = false;
    };
    std::map<QString, Total> totals;
    double left = limitSeconds * 1000;
    const auto run = [&](const QString& group, const test::CuttingJobInput& job) {
        Total& total = totals[group];
        if (total.stopped)
            return;
        QStringList result;
        const double ms = cutJob(job, std::max(1.0, left), result);
        const auto it = recorded.find(job.name);
        const bool same = it != recorded.end() && it->second == digestLine(job, result);
        left -= std::abs(ms);
        total.ms += std::abs(ms);
        ++total.jobs;
        total.kinds += int(job.pieces.size());
        if (ms < 0) {
            total.stopped = true;
        } else if (it == recorded.end()) {
            ++total.unchecked;
        } else if (!same) {
            ++total.differ;
            const bool sameJob = it->second.split('\t').value(1) == digest(test::jobLines(job, {}));
            std::printf("  %s: %s\n", qPrintable(job.name),
                        sameJob ? "the plans differ from those recorded" : "the job is not the one recorded");
        }
    };
    for (const test::CuttingJobInput& job : jobs.small) {
        const QString name = job.name;
        if (name.startsWith(QLatin1String("10k rows grade 3 size 20 ")))
            run(QStringLiteral("10k rows, grade 3, 20 mm"), job);
        if (name.startsWith(QLatin1String("10k rows")))
            run(QStringLiteral("10k rows, every size"), job);
        else if (name.startsWith(QLatin1String("50k rows")))
            run(QStringLiteral("50k rows, grade 3, 20 mm"), job);
        else
            run(QStringLiteral("the tests' and benchmarks' jobs"), job);
    }
    for (const test::CuttingJobInput& job : jobs.large)
        run(QStringLiteral("50k rows, every size"), job);
    std::printf("%-34s %5s %6s %12s %s\n", "jobs", "runs", "kinds", "time", "plans");
    for (const auto& [group, total] : totals) {
        std::printf("%-34s %5d %6d %9.3f s%s %s\n", qPrintable(group), total.jobs, total.kinds,
                    total.ms / 1000, total.stopped ? "+" : " ",
                    total.stopped      ? "stopped at the time limit"
                    : total.differ     ? "DIFFER"
                    : total.unchecked  ? "not all recorded"
                                       : "the same as recorded");
    }
}

// What the export asks of the user, answered as a user who saves the
// workbook into the given folder: the save question names a file there,
// every other question gets its safe answer, and no spreadsheet program
// is started.
class SavingHost final : public platform::HostServices {
public:
    explicit SavingHost(QString folder) : m_folder(std::move(folder)) {}
    platform::Answer message(const QString&, platform::MessageIcon, platform::Buttons buttons,
                             const QString&) override
    {
        return platform::safeAnswer(buttons);
    }
    void beginWait() override {}
    void endWait() override {}
    bool openWithDesktop(const QString&) override { return true; }
    QString askSaveFileName(const QString&, const QString&, const QString&) override
    {
        return m_folder + QStringLiteral("/export.xlsx");
    }

private:
    QString m_folder;
};

// The bar list's export as the command runs it (the list, its sorted sheet
// and both summaries, every bar with its shape picture), saved as a
// workbook into a folder of the data folder; the size of what was saved
// shows that the whole export ran.
void exportPart(const QString& home)
{
    std::printf("\nworkbook export of a bar list (median of 3)\n");
    const ListSize size = kSizes[1];
    CVes_SetupTable list;
    list.OpenFile(listFile(home, size));
    const QString folder = home + QStringLiteral("exports");
    QDir().mkpath(folder);
    SavingHost host(folder);
    platform::setHost(&host);
    std::vector<double> all;
    qint64 bytes = 0;
    for (int round = 0; round < 3; ++round) {
        QFile::remove(folder + QStringLiteral("/export.xlsx"));
        all.push_back(timed([&] { list.exportExcel(); }));
        bytes = QFileInfo(folder + QStringLiteral("/export.xlsx")).size();
    }
    platform::setHost(nullptr);
    std::printf("%8d rows %10.3f s   (%lld bytes saved)\n", size.rows, median(all) / 1000,
                (long long)bytes);
}

// The quantity sheet of the 50,000-row list, made on first use.
QString quantityFile(const QString& home)
{
    const QString path = home + QStringLiteral("quantity50000.ylb");
    if (!QFile::exists(path)) {
        CVes_SetupTable list;
        test::fillGeneratedList(list, kSizes[2].elements, 50);
        CVes_SLTable sheet;
        for (CVes_SLTableLine* row : list.transformSL(0))
            sheet.appendLine(row);
        sheet.SaveFile(path);
    }
    return path;
}

void tabsPart(const QString& home)
{
    std::printf("\nchoosing a derived sheet's tab of a 50,000-row list\n"
                "  wait: the user-interface thread's time for the choice itself; longest: the\n"
                "  longest the user-interface thread was busy at a stretch until the sheet was\n"
                "  shown; ready: from the choice until the sheet is shown\n");
    std::printf("%-12s %10s %10s %10s %10s %10s %10s\n", "tab", "wait first", "unchanged",
                "after edit", "longest", "ready 1st", "ready edit");
    Program program;
    struct Choice {
        double wait = 0;     // the choice's own time on this thread
        double longest = 0;  // the longest stretch of this thread until shown
        double ready = 0;    // until the sheet is shown
    };
    const auto choose = [](SheetContainerView* view, int tab) {
        Choice c;
        const double start = bench::nowMs(bench::Clock::Wall);
        // One pass of the events, as before the user's next input: a build
        // that goes on in later turns of the loop is not part of the wait.
        c.wait = timed([&] {
            view->selectTab(tab);
            QCoreApplication::processEvents();
        });
        c.longest = c.wait;
        // The user goes on while a worker builds; the sheet is shown when
        // its end is taken on this thread.
        while (!view->getActiveSheetView()) {
            c.longest = std::max(c.longest, timed([] {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            }));
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        c.ready = bench::nowMs(bench::Clock::Wall) - start;
        view->selectTab(0);
        OpenList::settle();
        return c;
    };
    // A first choice, an unchanged one and one after `edit`.
    const auto measure = [&](const char* name, SheetContainerView* view, int tab,
                             const std::function<void()>& edit) {
        const Choice first = choose(view, tab);
        const Choice unchanged = choose(view, tab);
        edit();
        const Choice edited = choose(view, tab);
        const double longest = std::max({first.longest, unchanged.longest, edited.longest});
        std::printf("%-12s %7.1f ms %7.1f ms %7.1f ms %7.1f ms %7.0f ms %7.0f ms\n", name,
                    first.wait, unchanged.wait, edited.wait, longest, first.ready, edited.ready);
    };
    {
        OpenList list(program.app, listFile(home, kSizes[2]));
        if (!list.isOpen())
            return;
        for (const auto& [name, tab] : {std::pair{"bar tags", int(CRODO_SetUpMainView::kTags)},
                                        {"sorted", int(CRODO_SetUpMainView::kSort)},
                                        {"summary", int(CRODO_SetUpMainView::kSummary)},
                                        {"joints", int(CRODO_SetUpMainView::kJoints)},
                                        {"purchase", int(CRODO_SetUpMainView::kPurchase)},
                                        {"contents", int(CRODO_SetUpMainView::kContents)}})
            measure(name, list.container(), tab, [&] { list.commitTypedCell(); });
    }
    // The quantity sheet's summaries.
    auto* doc = dynamic_cast<CRODOSLDoc*>(program.app.docManager().OpenDocumentFile(quantityFile(home)));
    auto* view = doc && !doc->views().empty() ? dynamic_cast<CRODO_SLMainView*>(doc->views().front()) : nullptr;
    if (!view)
        return;
    OpenList::settle();
    int commits = 0;
    const auto typeCount = [&] {
        ++commits;
        view->sheetView(CRODO_SLMainView::kDetail)
            ->EndCellEdit(2, CVes_SLTable::kColCount, QString::number(1 + commits % 9));
        OpenList::settle();
    };
    measure("qty summary", view, CRODO_SLMainView::kSummary, typeCount);
    measure("qty joints", view, CRODO_SLMainView::kJoints, typeCount);
    measure("qty sorted", view, CRODO_SLMainView::kSort, typeCount);
    doc->SetModifiedFlag(false);
    program.app.docManager().CloseAllDocuments();
    OpenList::settle();

    // The tag sheet's rows appended one by one, as its rebuild does: each
    // row looked for among those appended before, or appended as a new row
    // the sheet cannot hold yet.
    const auto appendTags = [](bool lookFirst) {
        return timed([lookFirst] {
            CVes_LiaoPaiTable tags;
            for (int i = 0; i < 50000; ++i) {
                if (lookFirst)
                    tags.appendLine(new CVes_LiaoPaiTableLine());
                else
                    tags.appendLine(std::make_unique<CVes_LiaoPaiTableLine>());
            }
        });
    };
    const double lookedFor = appendTags(true);
    const double fresh = appendTags(false);
    std::printf("50,000 tag rows appended: each looked for first %.0f ms, as new rows %.1f ms\n",
                lookedFor, fresh);
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir folder;
    bench::useOwnDataFolder(folder);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    // A memory child works in the data folder of its parent, where the
    // lists are.
    const bool child = args.value(0) == QLatin1String("memory-child");
    if (child)
        qputenv("RODO_HOME", qgetenv("BIGLISTS_HOME"));
    const QString home = qEnvironmentVariable("RODO_HOME");
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Rodo"));
    QApplication::setApplicationName(QStringLiteral("Rodo"));
    if (child)
        return memoryChild(home, args.value(1).toInt());
    if (args.value(0) == QLatin1String("record-plans"))
        return recordPlans(args.value(1), args.value(2));

    qputenv("BIGLISTS_HOME", home.toUtf8());
    const bool all = args.isEmpty();
    const double cutLimit = qEnvironmentVariableIntValue("BIGLISTS_CUT_LIMIT_S") > 0
                                ? qEnvironmentVariableIntValue("BIGLISTS_CUT_LIMIT_S")
                                : 600;
    if (all || args.contains(QLatin1String("commit")))
        commitPart(home);
    if (all || args.contains(QLatin1String("memory")))
        memoryPart(QCoreApplication::applicationFilePath());
    if (all || args.contains(QLatin1String("file")))
        filePart(home);
    if (all || args.contains(QLatin1String("export")))
        exportPart(home);
    if (all || args.contains(QLatin1String("tabs")))
        tabsPart(home);
    if (all || args.contains(QLatin1String("cutting")))
        cuttingPart(cutLimit);
    return 0;
}
