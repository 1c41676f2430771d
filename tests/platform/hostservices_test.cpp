#include "platform/hostservices.h"
#include "tests/support/recordinghost.h"

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

} // namespace
