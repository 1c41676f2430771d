#include "platform/hostservices.h"
#include "platform/ui/qthostservices.h"
#include "tests/support/recordinghost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <thread>
#include <typeindex>
#include <vector>

using platform::Answer;
using platform::Buttons;

namespace {

TEST(HostServices, QuestionsTakeScriptedAnswersThenTheSafeOne)
{
    test::HostScope host;
    host->script({Answer::Yes});
    EXPECT_EQ(platform::ask(QStringLiteral("删除?")), Answer::Yes);
    EXPECT_EQ(platform::ask(QStringLiteral("删除?")), Answer::No);
    EXPECT_EQ(platform::ask(QStringLiteral("保存?"), Buttons::YesNoCancel), Answer::Cancel);
    EXPECT_EQ(host->messageTexts().size(), 3);
}

TEST(HostServices, WaitCursorIsBalanced)
{
    test::HostScope host;
    {
        platform::WaitCursor wait;
        EXPECT_EQ(host->waitDepth(), 1);
    }
    EXPECT_EQ(host->waitDepth(), 0);
    EXPECT_EQ(host->waitCalls(), 1);
}

TEST(HostServices, QuietDefaultAnswersSafely)
{
    platform::HostServices* recorder = &platform::host();
    platform::setHost(nullptr);
    EXPECT_EQ(platform::ask(QStringLiteral("覆盖?")), Answer::No);
    EXPECT_FALSE(platform::host().openWithDesktop(QStringLiteral("/tmp")));
    platform::setHost(recorder);
}

// A report no desktop program opens is shown in a window of the program's
// own, titled as the report, until its button closes it.
TEST(QtHostServices, ShowsAPageInAWindowOfItsOwn)
{
    platform::QtHostServices qt;
    ASSERT_TRUE(qt.showHtml(QStringLiteral("加工单数据检查"),
                            QStringLiteral("<html><BODY><UL><LI>两根<b>1号钢筋</b>中</UL></BODY></html>")));
    QPointer<QDialog> window;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QStringLiteral("HtmlPageWindow") && top->isVisible())
            window = qobject_cast<QDialog*>(top);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "加工单数据检查");
    auto* page = window->findChild<QTextBrowser*>();
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->toPlainText().contains(QStringLiteral("两根1号钢筋中")));
    QPushButton* close = nullptr;
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("关闭"))
            close = button;
    ASSERT_TRUE(close);
    QTest::mouseClick(close, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(window) << "closed and gone";
}

} // namespace

namespace {

struct NameRequest : platform::DialogRequest {
    QString name;
};
struct CountRequest : platform::DialogRequest {
    int count = 0;
};

// Serves NameRequest for the test's life.
class ServedName {
public:
    explicit ServedName(bool ok)
    {
        platform::serveDialog<NameRequest>([ok](NameRequest& r) {
            r.name = QStringLiteral("served");
            return ok;
        });
    }
    ~ServedName() { platform::serveDialog<NameRequest>(nullptr); }
};

TEST(HostDialogs, TheServedDialogOfTheKindAnswersAndAnUnservedKindIsCancelled)
{
    test::HostScope host;
    for (const bool ok : {true, false}) {
        ServedName served(ok);
        NameRequest name;
        EXPECT_EQ(platform::askDialog(name), ok);
        EXPECT_EQ(name.name, QStringLiteral("served"));
        CountRequest count;
        EXPECT_FALSE(platform::askDialog(count)) << "nothing serves this kind";
    }
    NameRequest withdrawn;
    EXPECT_FALSE(platform::askDialog(withdrawn));
    EXPECT_TRUE(withdrawn.name.isEmpty());
    const std::vector<std::type_index> kinds = host->askedDialogs();
    ASSERT_EQ(kinds.size(), 5u);
    EXPECT_EQ(kinds[0], std::type_index(typeid(NameRequest)));
    EXPECT_EQ(kinds[1], std::type_index(typeid(CountRequest)));
}

TEST(HostDialogs, ScriptedAnswersComeBeforeTheServedDialogInTurn)
{
    test::HostScope host;
    ServedName served(true);
    host->answerDialog<NameRequest>([](NameRequest& r) {
        r.name = QStringLiteral("first");
        return false;
    });
    host->answerDialog<NameRequest>([](NameRequest& r) {
        r.name = QStringLiteral("second");
        return true;
    });
    const std::pair<bool, const char*> expected[] = {{false, "first"}, {true, "second"}, {true, "served"}};
    for (const auto& [ok, text] : expected) {
        NameRequest r;
        EXPECT_EQ(platform::askDialog(r), ok);
        EXPECT_EQ(r.name, QString::fromLatin1(text));
    }
}

TEST(HostDialogs, QuietDefaultRunsTheWorkAndServesDialogs)
{
    platform::HostServices* recorder = &platform::host();
    platform::setHost(nullptr);
    int steps = 0;
    EXPECT_TRUE(platform::runWithProgress(QStringLiteral("工作"), true,
                                          [&](const std::atomic<bool>& cancel, const platform::WorkProgress& p) {
                                              p(1, 2);
                                              ++steps;
                                              return !cancel;
                                          }));
    EXPECT_FALSE(platform::runWithProgress(QStringLiteral("工作"), false,
                                           [](const std::atomic<bool>&, const platform::WorkProgress&) {
                                               return false;
                                           }))
        << "work that did not end is not reported as done";
    {
        ServedName served(true);
        NameRequest r;
        EXPECT_TRUE(platform::askDialog(r));
    }
    platform::setHost(recorder);
    EXPECT_EQ(steps, 1);
}

TEST(HostDialogs, TheRecorderRunsTheWorkOffThisThreadAndCancelsWhenScripted)
{
    test::HostScope host;
    const std::thread::id here = std::this_thread::get_id();
    std::thread::id ranOn;
    const auto work = [&](const std::atomic<bool>& cancel, const platform::WorkProgress&) {
        ranOn = std::this_thread::get_id();
        return !cancel;
    };
    host->scriptProgressCancel();
    EXPECT_TRUE(platform::runWithProgress(QStringLiteral("整理"), false, work))
        << "a run without a cancel button cannot be cancelled";
    EXPECT_NE(ranOn, here);
    EXPECT_FALSE(platform::runWithProgress(QStringLiteral("优化"), true, work));
    EXPECT_TRUE(platform::runWithProgress(QStringLiteral("优化"), true, work));
    const std::vector<test::RecordedProgress> runs = host->progressRuns();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, QStringLiteral("整理"));
    EXPECT_FALSE(runs[0].cancellable);
    EXPECT_TRUE(runs[1].cancellable);
}

// Without a window a job's steps run in turn; the recorder's scripted
// cancel leaves the giving undone.
TEST(HostDialogs, AJobsStepsRunInTurnWithoutAWindow)
{
    QStringList steps;
    int takes = 0;
    platform::ProgressJob job;
    job.take = [&] {
        steps << QStringLiteral("take");
        return ++takes % 2 == 0;
    };
    job.work = [&](const std::atomic<bool>& cancel, const platform::WorkProgress&) {
        steps << QStringLiteral("work");
        return !cancel;
    };
    job.give = [&] {
        steps << QStringLiteral("give");
        return true;
    };
    platform::HostServices* recorder = &platform::host();
    platform::setHost(nullptr);
    EXPECT_TRUE(platform::runWithProgress(QStringLiteral("编号"), true, job));
    platform::setHost(recorder);
    EXPECT_EQ(steps, (QStringList{"take", "take", "work", "give"}));

    test::HostScope host;
    steps.clear();
    host->scriptProgressCancel();
    EXPECT_FALSE(platform::runWithProgress(QStringLiteral("编号"), true, job));
    EXPECT_EQ(steps, (QStringList{"take", "take", "work"}));
}

} // namespace
