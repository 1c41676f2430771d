#include "app/shell/mainframe.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(MainFrame, OpensWithTheProductTitleAndClosesCleanly)
{
    CMainFrame frame;
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Rodo表"));
    EXPECT_TRUE(frame.close());
}

} // namespace
