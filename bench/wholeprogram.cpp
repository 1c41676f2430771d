// The whole program with a generated bar list open, offscreen, driven as a
// user drives it: opening the list, typing into a cell, choosing each
// derived sheet's tab, find all, the data check, print preview, the
// workbook export, numbering every bar, undoing it and closing the list.
// For lists of 1,000, 10,000 and 50,000 rows each action prints what the
// user-interface thread spent on it: the longest stretch it went without
// handling events (a timer on that thread probes it every 2 ms) and its
// processor time; and how the processor time grows from 10,000 to 50,000
// rows (the power of the row count it follows). Then, "exports", the
// workbook exports of a quantity sheet, a processing sheet and a processing
// summary made of the same list.
//
//   bench_wholeprogram [1000|10000|50000]... [--only ACTION,...]
//
// The numbers numbering gives are checked against the digests kept in
// tests/tables/barlist/fixtures/numbering_big.sha1, when that holds the list.

#include "bench/benchsupport.h"
#include "bench/openprogram.h"

#include "app/documents/documentframe.h"
#include "app/documents/documentids.h"
#include "app/documents/processmainview.h"
#include "app/documents/slmainview.h"
#include "tables/processing/processtable.h"
#include "tables/quantity/sltable.h"
#include "tables/barlist/ui/setupview2.h"
#include "platform/hostservices.h"
#include "platform/savefile.h"
#include "platform/ui/qthostservices.h"
#include "tables/framework/ui/findreplacedlg.h"

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

namespace {

using bench::kSizes;
using bench::ListSize;

double wallMs() { return bench::nowMs(bench::Clock::Wall); }
double cpuMs() { return bench::nowMs(bench::Clock::ThisThread); }

// What the program asks of the user, answered as a user who goes on: a
// question is answered yes (but "save the changes?" no), the workbook is
// saved into the data folder, and no desktop program is started (the
// program then shows the report in its own window). Progress windows and
// report windows are the program's own.
class BenchHost final : public platform::HostServices {
public:
    explicit BenchHost(QString folder) : m_folder(std::move(folder)) {}
    platform::Answer message(const QString&, platform::MessageIcon, platform::Buttons buttons,
                             const QString&) override
    {
        switch (buttons) {
        case platform::Buttons::YesNo: return platform::Answer::Yes;
        case platform::Buttons::YesNoCancel: return platform::Answer::No;
        default: return platform::Answer::Ok;
        }
    }
    void beginWait() override { m_qt.beginWait(); }
    void endWait() override { m_qt.endWait(); }
    bool openWithDesktop(const QString&) override { return false; }
    QString askSaveFileName(const QString&, const QString&, const QString&) override
    {
        return m_folder + QStringLiteral("/export.xlsx");
    }
    bool showHtml(const QString& title, const QString& html) override
    {
        return m_qt.showHtml(title, html);
    }
    bool runWithProgress(const QString& text, bool cancellable,
                         const platform::BackgroundWork& work) override
    {
        return m_qt.runWithProgress(text, cancellable, work);
    }
    bool runWithProgress(const QString& text, bool cancellable,
                         const platform::ProgressJob& job) override
    {
        return m_qt.runWithProgress(text, cancellable, job);
    }

private:
    platform::QtHostServices m_qt;
    QString m_folder;
};

// The longest the user-interface thread went without handling its events:
// the longest gap between two ticks of a 2 ms timer of that thread.
class StretchProbe {
public:
    StretchProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(2);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    }
    void start()
    {
        m_longest = 0;
        m_last = wallMs();
        m_timer.start();
    }
    double stop()
    {
        tick();
        m_timer.stop();
        return m_longest;
    }

private:
    void tick()
    {
        const double now = wallMs();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    QTimer m_timer;
    double m_last = 0;
    double m_longest = 0;
};

struct Figure {
    double longest = 0; // ms
    double cpu = 0;     // ms of the user-interface thread
    bool ran = false;
};

// Runs the program's events until `done` answers true and then until the
// thread has had next to nothing to do for a while (what the action left to
// later turns of the loop, a repaint, is the action's too; a running text
// of the start page is next to nothing).
void runUntil(const std::function<bool()>& done)
{
    constexpr double kWindowMs = 50;
    constexpr double kQuietCpuMs = 2.5;
    constexpr double kLimitMs = 30 * 60 * 1000.0;
    const double start = wallMs();
    while (done && !done() && wallMs() - start < kLimitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    double window = wallMs();
    double cpu = cpuMs();
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (wallMs() - window < kWindowMs)
            continue;
        if (cpuMs() - cpu < kQuietCpuMs)
            break;
        window = wallMs();
        cpu = cpuMs();
    }
}

StretchProbe* g_probe = nullptr;

Figure measure(const std::function<void()>& action, const std::function<bool()>& done = {})
{
    Figure f;
    g_probe->start();
    const double cpu = cpuMs();
    action();
    runUntil(done);
    f.cpu = cpuMs() - cpu;
    f.longest = g_probe->stop();
    f.ran = true;
    return f;
}

// Calls `answer` with each window that comes up modal while an action
// runs, once it has been shown and painted, until it answers true.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<bool(QWidget*)> answer) : m_answer(std::move(answer))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            if (m_seen != modal) {
                // Seen now; answered at a later tick, once painted.
                m_seen = modal;
                return;
            }
            if (m_answer(modal))
                m_timer.stop();
        });
        m_timer.start();
    }

private:
    std::function<bool(QWidget*)> m_answer;
    QWidget* m_seen = nullptr;
    QTimer m_timer;
};

QString numbersOf(CVes_SetupTable& list)
{
    QStringList numbers;
    for (CVes_TableBaseLine* row : list.lines()) {
        auto* line = dynamic_cast<CVes_SetupTableLine*>(row);
        if (const CVes_Steel* bar = line && !line->isNull() ? line->getSetupSteel() : nullptr)
            numbers << (bar->number.isEmpty() ? QStringLiteral("-") : bar->number);
    }
    return QString::fromLatin1(
        QCryptographicHash::hash(numbers.join(u',').toUtf8(), QCryptographicHash::Sha1).toHex());
}

QString numberingFixture()
{
    return QStringLiteral(RODO_SOURCE_DIR "/tests/tables/barlist/fixtures/numbering_big.sha1");
}

// "rows digest" lines of the fixture.
std::map<int, QString> recordedNumbers()
{
    std::map<int, QString> recorded;
    QFile file(numberingFixture());
    if (!file.open(QIODevice::ReadOnly))
        return recorded;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 2 && !line.startsWith('#'))
            recorded[parts[0].toInt()] = QString::fromLatin1(parts[1]);
    }
    return recorded;
}

using Figures = std::vector<std::pair<std::string, Figure>>;

class Session {
public:
    Session(bench::Program& program, const QString& home, const ListSize& size, QStringList only)
        : m_program(program), m_home(home), m_size(size), m_only(std::move(only))
    {
    }

    Figures run()
    {
        const QString path = bench::listFile(m_home, m_size);
        double shownAt = 0;
        const double openStart = wallMs();
        act("open", [&] { m_doc = m_program.app.docManager().OpenDocumentFile(path); },
            [&] {
                if (listShown() && shownAt == 0)
                    shownAt = wallMs();
                return listShown();
            });
        if (wanted("open") && shownAt > 0)
            compareWithRawRead(path, shownAt - openStart);
        if (!listShown()) {
            std::printf("%8d  the list could not be opened\n", m_size.rows);
            return m_figures;
        }
        commits();
        tabs();
        findAll();
        act("data check", [&] { setupView()->checkTable(); });
        closeWindows();
        preview();
        act("export", [&] { static_cast<platform::ChildFrame*>(frame())->OnCmdMsg(ID_EXPORT_EXCEL, nullptr); });
        act("number all", [&] { setupView()->NumSteelAll(); });
        checkNumbers();
        act("undo", [&] { view()->OnUndo(); });
        act("close", [&] {
            document()->SetModifiedFlag(false);
            document()->OnFileClose();
        }, [&] {
            const auto open = m_program.app.docManager().documents();
            return std::find(open.begin(), open.end(), m_doc) == open.end();
        });
        return m_figures;
    }

private:
    bool wanted(const char* action) const
    {
        return m_only.isEmpty() || m_only.contains(QString::fromLatin1(action))
            || QLatin1String(action) == QLatin1String("open")
            || QLatin1String(action) == QLatin1String("close");
    }
    void act(const char* name, const std::function<void()>& action,
             const std::function<bool()>& done = {})
    {
        if (!wanted(name))
            return;
        std::fprintf(stderr, "%d rows: %s\n", m_size.rows, name);
        m_figures.emplace_back(name, measure(action, done));
    }

    platform::Document* document() const { return m_doc; }
    CRODO_SetUpMainView* container() const
    {
        return m_doc && !m_doc->views().empty()
            ? dynamic_cast<CRODO_SetUpMainView*>(m_doc->views().front())
            : nullptr;
    }
    DocumentFrame* frame() const { return container()->frame(); }
    CVes_TableViewBase* view() const { return container()->sheetView(CRODO_SetUpMainView::kBarList); }
    CVes_SetupView2* setupView() const { return dynamic_cast<CVes_SetupView2*>(view()); }
    CVes_SetupTable* list() const { return dynamic_cast<CVes_SetupTable*>(view()->getTable()); }
    bool listShown() const
    {
        return container() && view() && list() && list()->lines().size() >= m_size.rows
            && view()->isVisible();
    }

    // The open, from the command until the list shows, against reading the
    // same bytes raw (the fastest of a few reads; the file is in the
    // system's cache by then, as it is for the open's own read).
    void compareWithRawRead(const QString& path, double openMs) const
    {
        const double raw = bench::bestMs([&] {
            QByteArray bytes;
            platform::readFile(path, &bytes);
        }, 5);
        std::printf("%8d rows opened in %.0f ms, a raw read of its %.1f MB %.1f ms: %.1fx\n",
                    m_size.rows, openMs, QFileInfo(path).size() / 1e6, raw, openMs / raw);
    }

    void commits()
    {
        if (!wanted("commit"))
            return;
        // Without the probe: the commit's processor time is small beside
        // the probe's.
        std::vector<double> cpu;
        for (int i = 0; i < 9; ++i) {
            const double start = cpuMs();
            view()->EndCellEdit(2, CVes_SetupTable::kColCount, QString::number(1 + i % 9));
            bench::OpenList::settle();
            if (i > 0)
                cpu.push_back(cpuMs() - start);
        }
        std::sort(cpu.begin(), cpu.end());
        Figure f;
        f.cpu = cpu[cpu.size() / 2];
        f.longest = cpu.back();
        f.ran = true;
        m_figures.emplace_back("commit (max / median cpu)", f);
    }

    void tabs()
    {
        const std::pair<const char*, int> tabs[] = {
            {"tab: bar tags", CRODO_SetUpMainView::kTags},
            {"tab: sorted", CRODO_SetUpMainView::kSort},
            {"tab: summary", CRODO_SetUpMainView::kSummary},
            {"tab: joints", CRODO_SetUpMainView::kJoints},
            {"tab: purchase", CRODO_SetUpMainView::kPurchase},
            {"tab: contents", CRODO_SetUpMainView::kContents},
        };
        if (!wanted("tabs"))
            return;
        for (const auto& [name, tab] : tabs) {
            Figure worst;
            for (int round = 0; round < 2; ++round) {
                if (round == 1) {
                    view()->EndCellEdit(2, CVes_SetupTable::kColCount, QStringLiteral("3"));
                    bench::OpenList::settle();
                }
                const Figure f = measure([&] { container()->selectTab(tab); },
                                         [&] { return container()->getActiveSheetView() != nullptr; });
                worst.longest = std::max(worst.longest, f.longest);
                worst.cpu = std::max(worst.cpu, f.cpu);
                worst.ran = true;
                container()->selectTab(CRODO_SetUpMainView::kBarList);
                bench::OpenList::settle();
            }
            m_figures.emplace_back(name, worst);
        }
    }

    void findAll()
    {
        if (!wanted("find all"))
            return;
        view()->SearchAndReplace(0);
        bench::OpenList::settle();
        CVes_FindReplaceDlg* dialog = view()->findReplaceDialog();
        if (!dialog)
            return;
        auto* item = dialog->findChildren<QComboBox*>().value(0);
        auto* text = dialog->findChildren<QComboBox*>().value(1);
        QPushButton* button = nullptr;
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("查找全部"))
                button = b;
        if (!item || !text || !button)
            return;
        item->setCurrentIndex(1); // bar numbers
        text->setEditText(QStringLiteral("1"));
        auto* results = dialog->findChild<QListWidget*>();
        act("find all", [&] { button->click(); });
        std::fprintf(stderr, "  %d found\n", results ? results->count() : -1);
        dialog->close();
        bench::OpenList::settle();
    }

    void preview()
    {
        if (!wanted("preview"))
            return;
        act("preview", [&] {
            ModalAnswer close([](QWidget* window) {
                window->close();
                return true;
            });
            view()->OnFilePrintPreview();
        });
    }

    // Report windows the data check opened.
    static void closeWindows()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("HtmlPageWindow"))
                window->close();
        bench::OpenList::settle();
    }

    void checkNumbers()
    {
        if (!wanted("number all"))
            return;
        const QString digest = numbersOf(*list());
        const auto recorded = recordedNumbers();
        const auto found = recorded.find(m_size.rows);
        std::printf("%8d rows numbered: %s %s\n", m_size.rows, qPrintable(digest),
                    found == recorded.end()       ? "(not recorded)"
                    : found->second == digest ? "the same as recorded"
                                              : "DIFFER from those recorded");
    }

    bench::Program& m_program;
    QString m_home;
    ListSize m_size;
    QStringList m_only;
    platform::Document* m_doc = nullptr;
    Figures m_figures;
};

// The workbook exports of the other documents: a quantity sheet and a
// processing sheet made from the generated list of that size, each opened
// and exported from its own sheet's menu; and the processing summary's
// workbook, which the sheet-by-sheet export makes of any sheet.

// A sheet made of the generated list of a size, saved as `name` in the data
// folder on first use.
template <class Sheet, class Rows>
QString sheetFile(const QString& home, const ListSize& size, const QString& name, const Rows& rows)
{
    const QString path = home + name.arg(size.rows);
    if (!QFile::exists(path)) {
        CVes_SetupTable list;
        test::fillGeneratedList(list, size.elements, 50);
        Sheet sheet;
        sheet.import(rows(list));
        sheet.SaveFile(path);
    }
    return path;
}

QString quantityFile(const QString& home, const ListSize& size)
{
    return sheetFile<CVes_SLTable>(home, size, QStringLiteral("quantity%1.ylb"),
                                   [](CVes_SetupTable& list) { return list.transformSL(0); });
}

QString processingFile(const QString& home, const ListSize& size)
{
    return sheetFile<CVes_ProcessTable>(home, size, QStringLiteral("processing%1.jgd"),
                                        [](CVes_SetupTable& list) { return list.transformProcess(); });
}

class SheetExports {
public:
    SheetExports(bench::Program& program, const QString& home, const ListSize& size)
        : m_program(program), m_home(home), m_size(size)
    {
    }

    void run(Figures& figures)
    {
        exportOf<CRODO_SLMainView>(quantityFile(m_home, m_size), CRODO_SLMainView::kDetail,
                                   "export: quantity", figures);
        exportOf<CRODO_ProcessMainView>(processingFile(m_home, m_size),
                                        CRODO_ProcessMainView::kDetail, "export: processing",
                                        figures);
        // The processing summary's own workbook, the export every other
        // sheet makes.
        exportOf<CRODO_ProcessMainView>(processingFile(m_home, m_size),
                                        CRODO_ProcessMainView::kList,
                                        "export: processing summary", figures, true);
    }

private:
    template <class Container>
    void exportOf(const QString& path, int tab, const char* name, Figures& figures,
                  bool sheetItself = false)
    {
        platform::Document* doc = m_program.app.docManager().OpenDocumentFile(path);
        auto* container = doc && !doc->views().empty()
            ? dynamic_cast<Container*>(doc->views().front())
            : nullptr;
        runUntil([&] { return container && container->sheetView(tab); });
        if (container) {
            container->selectTab(tab);
            bench::OpenList::settle();
        }
        CVes_TableViewBase* view = container ? container->sheetView(tab) : nullptr;
        if (!view || !view->getTable()) {
            std::printf("%8d  %s: the sheet could not be opened\n", m_size.rows, path.toUtf8().constData());
        } else {
            std::fprintf(stderr, "%d rows: %s\n", m_size.rows, name);
            figures.emplace_back(name, measure([&] {
                if (sheetItself)
                    view->getTable()->exportExcel();
                else
                    container->OnCmdMsg(ID_EXPORT_EXCEL, nullptr);
            }));
        }
        if (doc) {
            doc->SetModifiedFlag(false);
            doc->OnFileClose();
        }
        bench::OpenList::settle();
    }

    bench::Program& m_program;
    QString m_home;
    ListSize m_size;
};

void print(const std::vector<std::pair<int, Figures>>& runs)
{
    std::vector<std::string> actions;
    for (const auto& [rows, figures] : runs)
        for (const auto& [name, f] : figures)
            if (std::find(actions.begin(), actions.end(), name) == actions.end())
                actions.push_back(name);
    std::printf("\nthe user-interface thread, each action: longest stretch / processor time (ms)\n");
    std::printf("%-26s", "action");
    for (const auto& [rows, figures] : runs)
        std::printf(" %17d", rows);
    std::printf("  %s\n", "growth 10k-50k");
    for (const std::string& name : actions) {
        std::printf("%-26s", name.c_str());
        std::map<int, double> cpu;
        for (const auto& [rows, figures] : runs) {
            const auto f = std::find_if(figures.begin(), figures.end(),
                                        [&](const auto& entry) { return entry.first == name; });
            if (f == figures.end() || !f->second.ran) {
                std::printf(" %17s", "-");
                continue;
            }
            std::printf(" %8.1f /%7.1f", f->second.longest, f->second.cpu);
            cpu[rows] = f->second.cpu;
        }
        if (cpu.count(10000) && cpu.count(50000) && cpu[10000] > 0)
            std::printf("  n^%.2f", std::log(cpu[50000] / cpu[10000]) / std::log(5.0));
        std::printf("\n");
    }
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir folder;
    bench::useOwnDataFolder(folder);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Rodo"));
    QApplication::setApplicationName(QStringLiteral("Rodo"));
    std::vector<int> sizes;
    QStringList only;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--only") && i + 1 < args.size())
            only = args[++i].split(u',');
        else
            sizes.push_back(args[i].toInt());
    }
    if (sizes.empty())
        sizes = {1000, 10000, 50000};

    const QString home = qEnvironmentVariable("RODO_HOME");
    const QString exports = home + QStringLiteral("exports");
    QDir().mkpath(exports);
    BenchHost host(exports);
    platform::setHost(&host);
    StretchProbe probe;
    g_probe = &probe;
    std::vector<std::pair<int, Figures>> runs;
    {
        bench::Program program;
        // A window as large as a detailer's screen gives it.
        program.app.mainFrame()->resize(1920, 1040);
        bench::OpenList::settle();
        // The first list a process opens loads what every later one finds
        // loaded.
        Session(program, home, kSizes[0], {QStringLiteral("warm-up")}).run();
        for (const int rows : sizes) {
            const auto size = std::find_if(std::begin(kSizes), std::end(kSizes),
                                           [rows](const ListSize& s) { return s.rows == rows; });
            if (size == std::end(kSizes))
                continue;
            runs.emplace_back(rows, Session(program, home, *size, only).run());
            if (only.isEmpty() || only.contains(QStringLiteral("exports")))
                SheetExports(program, home, *size).run(runs.back().second);
            print(runs);
            std::fflush(stdout);
        }
    }
    platform::setHost(nullptr);
    return 0;
}
