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
