// The desktop's side of the host services: opening a file with the program
// the desktop names for its type (faked by scripts on the PATH), the save
// question's file dialog, and the progress window over background work.

#include "platform/ui/qthostservices.h"

#include "tests/support/modal.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <ostream>
#include <thread>
#include <vector>

namespace {

// A desktop of scripts: xdg-mime names `program` as the default for every
// type, xdg-open writes the file it was asked to open into "opened".
class FakeDesktop {
public:
    explicit FakeDesktop(const char* program) : m_oldPath(qgetenv("PATH"))
    {
        script(QStringLiteral("xdg-mime"), QStringLiteral("echo '%1'\n").arg(QString::fromUtf8(program)));
        // Written aside and renamed, so that the log never shows half written.
        script(QStringLiteral("xdg-open"),
               QStringLiteral("echo \"$1\" > '%1.part' && mv '%1.part' '%1'\n").arg(openedLog()));
        qputenv("PATH", QFile::encodeName(m_bin.path()) + ':' + m_oldPath);
    }
    ~FakeDesktop() { qputenv("PATH", m_oldPath); }

    QString openedLog() const { return m_bin.filePath(QStringLiteral("opened")); }
    // What xdg-open was asked to open, once it has run (it runs detached).
    QString opened(int waitMs) const
    {
        QElapsedTimer timer;
        timer.start();
        while (!QFile::exists(openedLog()) && timer.elapsed() < waitMs)
            QTest::qWait(20);
        QFile log(openedLog());
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).trimmed() : QString();
    }

private:
    void script(const QString& name, const QString& body)
    {
        QFile file(m_bin.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\n" + body).toUtf8());
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }

    QTemporaryDir m_bin;
    QByteArray m_oldPath;
};

struct DesktopCase {
    const char* program; // the desktop's default program for the type
    bool opens;
};

void PrintTo(const DesktopCase& c, std::ostream* os)
{
    *os << (*c.program ? c.program : "no program");
}

class OpenWithDesktop : public ::testing::TestWithParam<DesktopCase> {};

TEST_P(OpenWithDesktop, StartsTheDesktopsProgramOnlyWhenTheDesktopHasOne)
{
    const DesktopCase& c = GetParam();
    FakeDesktop desktop(c.program);
    QTemporaryDir dir;
    const QString book = dir.filePath(QStringLiteral("一层柱.xlsx"));
    QFile file(book);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    platform::QtHostServices host;
    EXPECT_EQ(host.openWithDesktop(book), c.opens);
    // Without a program nothing is started: the log stays missing.
    EXPECT_EQ(desktop.opened(c.opens ? 5000 : 300), c.opens ? book : QString());
}

INSTANTIATE_TEST_SUITE_P(Programs, OpenWithDesktop,
                         ::testing::Values(DesktopCase{"libreoffice-calc.desktop", true},
                                           DesktopCase{"", false}));

TEST(AskSaveFileName, TheDialogOpensInTheProposedFolderWithTheProposedName)
{
    QTemporaryDir dir;
    const QString proposed = dir.filePath(QStringLiteral("一层柱_钢筋配料单.xlsx"));
    QString shownFolder;
    QString shownName;
    test::onNextModal<QFileDialog>([&](QFileDialog* dialog) {
        shownFolder = dialog->directory().absolutePath();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(name);
        shownName = name->text();
        QTest::keyClick(name, Qt::Key_Return);
    });
    platform::QtHostServices host;
    const QString chosen = host.askSaveFileName(QStringLiteral("导出到Excel"), proposed,
                                                QStringLiteral("Excel 工作簿 (*.xlsx)"));
    EXPECT_EQ(shownFolder, QDir(dir.path()).absolutePath());
    EXPECT_EQ(shownName, QStringLiteral("一层柱_钢筋配料单.xlsx"));
    EXPECT_EQ(chosen, proposed);
}

// The progress window

// Waits on the worker, a bounded while, until `ready` holds: a window that
// never shows what is awaited fails the test instead of hanging it.
bool waitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Looks at the modal progress window from the window's own thread while a
// run is under way, and presses its cancel button when asked to.
class ProgressWatch {
public:
    // Presses cancel once `pressCancelWhen` answers true (never without it):
    // a press before the work has started would end the run before it.
    explicit ProgressWatch(std::function<bool()> pressCancelWhen = {})
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this, pressCancelWhen] {
            auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* cancel = dialog->findChild<QPushButton*>();
            m_cancelText = cancel && cancel->isVisible() ? cancel->text() : QString();
            m_maximum = dialog->maximum();
            m_value = dialog->value();
            m_seen = true;
            if (pressCancelWhen && cancel && !m_pressed && pressCancelWhen()) {
                m_pressed = true;
                cancel->click();
            }
        });
        m_poll.start(10);
    }

    bool seen() const { return m_seen; }
    int maximum() const { return m_maximum; }
    int value() const { return m_value; }
    // Read once the run is over.
    QString cancelText() const { return m_cancelText; }

private:
    QTimer m_poll;
    std::atomic<bool> m_seen{false};
    std::atomic<int> m_maximum{-1};
    std::atomic<int> m_value{-1};
    bool m_pressed = false;
    QString m_cancelText;
};

struct ProgressCase {
    const char* name;
    bool cancellable;
    bool workEnds;     // what the work answers
    bool waitsForWindow; // false: the work is over before the window's loop runs
    bool answer;
};

void PrintTo(const ProgressCase& c, std::ostream* os)
{
    *os << c.name;
}

class DesktopProgress : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(DesktopProgress, AnswersWhetherTheWorkEndedAndOffersCancelOnlyWhenAsked)
{
    const ProgressCase& c = GetParam();
    ProgressWatch watch;
    const std::thread::id windowThread = std::this_thread::get_id();
    std::thread::id workThread;
    platform::QtHostServices host;
    const bool answer = host.runWithProgress(
        QStringLiteral("正在整理钢筋……"), c.cancellable,
        [&](const std::atomic<bool>&, const platform::WorkProgress&) {
            workThread = std::this_thread::get_id();
            if (c.waitsForWindow) {
                EXPECT_TRUE(waitFor([&] { return watch.seen(); })) << "no progress window";
            }
            return c.workEnds;
        });
    EXPECT_EQ(answer, c.answer);
    EXPECT_NE(workThread, windowThread) << "the work held up the window";
    if (c.waitsForWindow) {
        EXPECT_EQ(watch.cancelText(), c.cancellable ? QStringLiteral("取消") : QString());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, DesktopProgress,
    ::testing::Values(ProgressCase{"ended", false, true, true, true},
                      ProgressCase{"not_ended", false, false, true, false},
                      ProgressCase{"cancellable_ended", true, true, true, true},
                      ProgressCase{"cancellable_not_ended", true, false, true, false},
                      ProgressCase{"over_at_once", false, true, false, true},
                      ProgressCase{"cancellable_over_at_once", true, true, false, true}),
    [](const ::testing::TestParamInfo<ProgressCase>& info) { return std::string(info.param.name); });

TEST(DesktopProgressBar, FollowsTheStepsTheWorkReports)
{
    ProgressWatch watch;
    platform::QtHostServices host;
    bool followed = false;
    EXPECT_TRUE(host.runWithProgress(
        QStringLiteral("正在优化断料……"), true,
        [&](const std::atomic<bool>&, const platform::WorkProgress& progress) {
            followed = true;
            for (const int step : {3, 7, 10}) {
                progress(step, 10);
                followed = followed && waitFor([&] { return watch.maximum() == 10 && watch.value() == step; });
            }
            return true;
        }));
    EXPECT_TRUE(followed) << "the bar stood at " << watch.value() << " of " << watch.maximum();
}

TEST(DesktopProgressBar, WorkOfOneStepKeepsTheBarBusy)
{
    ProgressWatch watch;
    platform::QtHostServices host;
    EXPECT_TRUE(host.runWithProgress(QStringLiteral("正在整理钢筋……"), false,
                                     [&](const std::atomic<bool>&, const platform::WorkProgress& progress) {
                                         progress(0, 1);
                                         // Several of the window's ticks.
                                         std::this_thread::sleep_for(std::chrono::milliseconds(400));
                                         progress(1, 1);
                                         return waitFor([&] { return watch.seen(); });
                                     }));
    EXPECT_EQ(watch.maximum(), 0) << "a bar with a range";
}

TEST(DesktopProgressCancel, TheButtonStopsTheWorkAndTheAnswerSaysSo)
{
    std::atomic<bool> working{false};
    ProgressWatch watch([&] { return working.load(); });
    platform::QtHostServices host;
    bool sawCancel = false;
    EXPECT_FALSE(host.runWithProgress(QStringLiteral("正在优化断料……"), true,
                                      [&](const std::atomic<bool>& cancel, const platform::WorkProgress& progress) {
                                          progress(1, 100);
                                          working = true;
                                          sawCancel = waitFor([&] { return cancel.load(); });
                                          // The work itself ran to its end.
                                          return true;
                                      }));
    EXPECT_TRUE(sawCancel);
}

// Each run's results are handed to the caller and to the next run, which
// builds on them: under the race checker a hand-over it cannot see ordered
// is a finding.
TEST(DesktopProgressHandOver, WhatOneRunLeavesTheCallerAndTheNextRunFindWhole)
{
    platform::QtHostServices host;
    std::vector<int> pieces;
    for (int run = 1; run <= 4; ++run) {
        EXPECT_TRUE(host.runWithProgress(QStringLiteral("正在整理钢筋……"), run % 2 == 0,
                                         [&](const std::atomic<bool>&, const platform::WorkProgress&) {
                                             std::vector<int> more = pieces;
                                             more.push_back(run * 1000);
                                             pieces = std::move(more);
                                             return true;
                                         }));
        pieces.push_back(run);
    }
    EXPECT_EQ(pieces, (std::vector<int>{1000, 1, 2000, 2, 3000, 3, 4000, 4}));
}

// Jobs of three steps: taking and giving a slice a turn of the window's
// loop on the window's thread, the work on a worker between them.

QProgressDialog* progressWindow()
{
    return qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
}

// The user presses the window's cancel button.
void pressCancel()
{
    QPushButton* button = progressWindow() ? progressWindow()->findChild<QPushButton*>() : nullptr;
    ASSERT_NE(button, nullptr);
    button->click();
}

TEST(DesktopProgressJob, TakesAndGivesASliceATurnOnTheWindowThreadWithTheWindowUp)
{
    platform::QtHostServices host;
    const std::thread::id windowThread = std::this_thread::get_id();
    // Counts the turns of the loop: a zero timer fires once a turn.
    int turns = 0;
    QTimer turn;
    QObject::connect(&turn, &QTimer::timeout, [&] { ++turns; });
    turn.start(0);
    QStringList steps;
    std::vector<int> turnsAtSlice;
    bool onWindowThread = true;
    bool windowUp = true;
    const auto slice = [&](const char* name, int& left) {
        return [&, name] {
            steps << QString::fromLatin1(name);
            turnsAtSlice.push_back(turns);
            onWindowThread = onWindowThread && std::this_thread::get_id() == windowThread;
            windowUp = windowUp && progressWindow() && progressWindow()->isVisible();
            return --left == 0;
        };
    };
    int takes = 3;
    int gives = 2;
    std::thread::id workThread;
    platform::ProgressJob job;
    job.take = slice("take", takes);
    job.work = [&](const std::atomic<bool>&, const platform::WorkProgress&) {
        workThread = std::this_thread::get_id();
        steps << QStringLiteral("work");
        return true;
    };
    job.give = slice("give", gives);
    EXPECT_TRUE(host.runWithProgress(QStringLiteral("正在给钢筋编号……"), true, job));
    EXPECT_EQ(steps, (QStringList{"take", "take", "take", "work", "give", "give"}));
    EXPECT_TRUE(onWindowThread);
    EXPECT_TRUE(windowUp);
    EXPECT_NE(workThread, windowThread);
    for (std::size_t i = 1; i < turnsAtSlice.size(); ++i)
        EXPECT_GT(turnsAtSlice[i], turnsAtSlice[i - 1]) << "no turn of the loop before slice " << i;
    EXPECT_EQ(progressWindow(), nullptr);
}

struct JobCase {
    const char* name;
    const char* cancelIn; // the step during which the user cancels, or ""
    bool workEnds;
    const char* steps;    // what ran
    bool answer;
};

void PrintTo(const JobCase& c, std::ostream* os)
{
    *os << c.name;
}

class DesktopProgressJobEnd : public ::testing::TestWithParam<JobCase> {};

// Cancelling before the work has ended leaves the giving undone; once the
// giving has started, the cancel button is gone.
TEST_P(DesktopProgressJobEnd, GivesOnlyWhatAWorkRunToItsEndMade)
{
    const JobCase& c = GetParam();
    const QString cancelIn = QString::fromLatin1(c.cancelIn);
    platform::QtHostServices host;
    QStringList steps;
    int takes = 2;
    int gives = 2;
    platform::ProgressJob job;
    job.take = [&] {
        steps << QStringLiteral("take");
        if (cancelIn == QLatin1String("take") && steps.size() == 1)
            pressCancel();
        return --takes == 0;
    };
    std::atomic<bool> working{false};
    job.work = [&](const std::atomic<bool>& cancel, const platform::WorkProgress&) {
        steps << QStringLiteral("work");
        working = true;
        if (cancelIn == QLatin1String("work")) {
            EXPECT_TRUE(waitFor([&] { return cancel.load(); }));
        }
        return c.workEnds;
    };
    job.give = [&] {
        steps << QStringLiteral("give");
        if (cancelIn == QLatin1String("give")) {
            const QPushButton* button = progressWindow()->findChild<QPushButton*>();
            EXPECT_FALSE(button && button->isVisible()) << "the giving can be cancelled";
        }
        return --gives == 0;
    };
    ProgressWatch watch(cancelIn == QLatin1String("work") ? std::function<bool()>([&] { return working.load(); })
                                                          : std::function<bool()>());
    EXPECT_EQ(host.runWithProgress(QStringLiteral("正在给钢筋编号……"), true, job), c.answer);
    EXPECT_EQ(steps.join(u' ').toStdString(), c.steps);
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, DesktopProgressJobEnd,
    ::testing::Values(JobCase{"every_step", "", true, "take take work give give", true},
                      JobCase{"cancelled_while_taking", "take", true, "take", false},
                      JobCase{"cancelled_while_working", "work", true, "take take work", false},
                      JobCase{"work_not_ended", "", false, "take take work", false},
                      JobCase{"no_cancel_while_giving", "give", true, "take take work give give",
                              true}),
    [](const ::testing::TestParamInfo<JobCase>& info) { return std::string(info.param.name); });

} // namespace
