// The pane stack and its shaded titles: layout, opening panes and the
// notices of a click.

#include "shapeui/panestack.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Stack {
    CVes_PaneStack stack;
    QWidget* contents[3] = {new QWidget, new QWidget, new QWidget};
    Stack()
    {
        stack.resize(200, 300);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(stack.AddPane(QStringLiteral("子库%1").arg(i), contents[i], 10 + i), i);
        // Resizes reach a shown window at once.
        stack.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&stack));
    }
};

} // namespace

TEST(PaneStack, TheLastAddedPaneIsOpenUnderItsTitle)
{
    Stack s;
    EXPECT_EQ(s.stack.GetOpenPane(), 2);
    EXPECT_EQ(s.stack.GetPaneValue(1), 11);
    EXPECT_EQ(s.stack.GetPaneTitle(0)->geometry(), QRect(0, 0, 200, 30));
    EXPECT_EQ(s.stack.GetPaneTitle(1)->geometry(), QRect(0, 30, 200, 30));
    EXPECT_EQ(s.stack.GetPaneTitle(2)->geometry(), QRect(0, 60, 200, 30));
    EXPECT_EQ(s.contents[2]->geometry(), QRect(0, 90, 200, 210));
    EXPECT_TRUE(s.contents[0]->isHidden());
    EXPECT_TRUE(s.contents[1]->isHidden());
    EXPECT_EQ(s.stack.GetPaneTitle(0)->text(), QStringLiteral("子库0"));
}

TEST(PaneStack, OpeningAPaneMovesTheTitlesBelowItDown)
{
    Stack s;
    QSignalSpy notices(&s.stack, &CVes_PaneStack::paneClicked);
    s.stack.OpenPane(0);
    EXPECT_TRUE(s.stack.IsPaneOpen(0));
    EXPECT_FALSE(s.stack.IsPaneOpen(2));
    EXPECT_EQ(s.contents[0]->geometry(), QRect(0, 30, 200, 210));
    EXPECT_EQ(s.stack.GetPaneTitle(1)->geometry(), QRect(0, 240, 200, 30));
    EXPECT_EQ(s.stack.GetPaneTitle(2)->geometry(), QRect(0, 270, 200, 30));
    EXPECT_FALSE(s.contents[0]->isHidden());
    EXPECT_TRUE(s.contents[2]->isHidden());
    EXPECT_EQ(notices.count(), 0); // opening by index sends nothing

    // A resize lays the stack out again.
    s.stack.resize(100, 400);
    EXPECT_EQ(s.contents[0]->geometry(), QRect(0, 30, 100, 310));
    // Too small a stack gives the open pane no height rather than less.
    s.stack.resize(100, 50);
    EXPECT_EQ(s.contents[0]->height(), 0);
}

TEST(PaneStack, ClickingATitleOpensItsPaneAndTellsTheParent)
{
    Stack s;
    QSignalSpy notices(&s.stack, &CVes_PaneStack::paneClicked);
    QSignalSpy titleNotices(s.stack.GetPaneTitle(1), &CVes_PaneTitleButton::paneClicked);
    s.stack.GetPaneTitle(1)->click();
    ASSERT_EQ(titleNotices.count(), 1);
    EXPECT_EQ(titleNotices.at(0).at(0).value<QWidget*>(), s.stack.GetPaneTitle(1));
    ASSERT_EQ(notices.count(), 1);
    EXPECT_EQ(notices.at(0).at(0).value<QWidget*>(), s.contents[1]);
    EXPECT_EQ(s.stack.GetOpenPane(), 1);

    // The title of the open pane changes nothing and sends nothing.
    s.stack.GetPaneTitle(1)->click();
    EXPECT_EQ(notices.count(), 1);
    EXPECT_EQ(s.stack.GetOpenPane(), 1);
}

TEST(PaneStack, TitlesAreShadedAtTheirSize)
{
    Stack s;
    const CVes_PaneTitleButton* title = s.stack.GetPaneTitle(0);
    EXPECT_EQ(title->normalImage().GetWidth(), 200);
    EXPECT_EQ(title->normalImage().GetHeight(), 30);
    s.stack.resize(120, 300);
    EXPECT_EQ(title->normalImage().GetWidth(), 120);
    EXPECT_EQ(WM_VES_PANECLICKED, 0x8840u);
}
