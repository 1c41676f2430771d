// The in-place text box: how it starts, the keys that end it, what it
// reports and how it widens.

#include "shapeui/labeledit.h"

#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct Box {
    // Declared before the parent, so that it outlives the box's last notice.
    std::vector<LabelEditEnd> notices;
    QWidget parent;
    QPointer<CVes_LabelEdit> edit;

    explicit Box(int firstChar, const QString& initial = QStringLiteral("abc"), int width = 40)
    {
        parent.resize(300, 100);
        parent.show();
        edit = new CVes_LabelEdit(&parent, QRect(10, 10, width, 24), CVes_LabelEdit::ES_LEFT, 8, 3, 4, initial,
                                  firstChar);
        QObject::connect(edit, &CVes_LabelEdit::labelEditEnded, &parent,
                         [this](const LabelEditEnd& n) { notices.push_back(n); });
        QApplication::processEvents(); // the posted first character
    }
};

struct FirstCharCase {
    const char* name;
    int firstChar;
    QString text;
    QString selected;
    int cursor;
    bool exitOnArrows;
};

class LabelEditFirstChar : public testing::TestWithParam<FirstCharCase> {};

TEST_P(LabelEditFirstChar, StartsAsTheCharacterSays)
{
    const FirstCharCase& f = GetParam();
    Box box(f.firstChar);
    ASSERT_TRUE(box.edit);
    EXPECT_EQ(box.edit->text(), f.text);
    EXPECT_EQ(box.edit->selectedText(), f.selected);
    EXPECT_EQ(box.edit->cursorPosition(), f.cursor);
    EXPECT_EQ(box.edit->exitOnArrows(), f.exitOnArrows);
    EXPECT_EQ(box.edit->lastKey(), 0);
    EXPECT_TRUE(box.notices.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Chars, LabelEditFirstChar,
    testing::Values(FirstCharCase{"Enter", 13, "abc", "", 3, true},
                    FirstCharCase{"One", 1, "abc", "", 3, false},
                    FirstCharCase{"Backspace", 8, "ab", "", 2, true},
                    FirstCharCase{"Tab", 9, "abc", "abc", 3, true},
                    FirstCharCase{"Space", 32, "abc", "abc", 3, true},
                    FirstCharCase{"PageUp", 33, "abc", "abc", 3, true},
                    FirstCharCase{"Down", 40, "abc", "abc", 3, true},
                    FirstCharCase{"Letter", 'x', "x", "", 1, true},
                    FirstCharCase{"Chinese", 0x94A2, QStringLiteral("钢"), "", 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LabelEdit, EnterReportsTheTextOnceAndCloses)
{
    Box box(13, QString());
    QTest::keyClicks(box.edit, QStringLiteral("L1"));
    QTest::keyClick(box.edit, Qt::Key_Return);
    ASSERT_EQ(box.notices.size(), 1u);
    const LabelEditEnd& n = box.notices[0];
    EXPECT_EQ(n.code, LabelEditEnd::LVN_ENDLABELEDIT);
    EXPECT_EQ(n.code, -106);
    EXPECT_EQ(n.controlId, 8);
    EXPECT_EQ(n.item, 3);
    EXPECT_EQ(n.subItem, 4);
    EXPECT_TRUE(n.hasText);
    EXPECT_EQ(n.text, QStringLiteral("L1"));
    EXPECT_EQ(n.textLength, 2);

    if (box.edit) {
        EXPECT_EQ(box.edit->lastKey(), 13);
        box.edit->endEdit(); // a second end reports nothing
    }
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(box.notices.size(), 1u);
    EXPECT_TRUE(box.edit.isNull()); // deleted itself
}

TEST(LabelEdit, EscapeRestoresTheInitialTextAndReportsNoText)
{
    Box box(13, QStringLiteral("old"));
    QTest::keyClicks(box.edit, QStringLiteral("new"));
    QTest::keyClick(box.edit, Qt::Key_Escape);
    ASSERT_EQ(box.notices.size(), 1u);
    EXPECT_FALSE(box.notices[0].hasText);
    EXPECT_TRUE(box.notices[0].text.isNull());
    EXPECT_EQ(box.notices[0].textLength, 0);
    if (box.edit) {
        EXPECT_EQ(box.edit->text(), QStringLiteral("old"));
        EXPECT_EQ(box.edit->lastKey(), 27);
    }
}

TEST(LabelEdit, ArrowsEndTheEditUnlessStartedWithOne)
{
    {
        Box box(13);
        QTest::keyClick(box.edit, Qt::Key_Left);
        ASSERT_EQ(box.notices.size(), 1u);
        EXPECT_EQ(box.notices[0].text, QStringLiteral("abc"));
    }
    {
        Box box(1);
        QTest::keyClick(box.edit, Qt::Key_Left);
        QTest::keyClick(box.edit, Qt::Key_PageDown);
        EXPECT_TRUE(box.notices.empty());
        EXPECT_EQ(box.edit->cursorPosition(), 2);
        QTest::keyClick(box.edit, Qt::Key_Up, Qt::ControlModifier);
        ASSERT_EQ(box.notices.size(), 1u);
    }
}

TEST(LabelEdit, TabGoesToTheOwner)
{
    Box box(13);
    QSignalSpy spy(box.edit.data(), &CVes_LabelEdit::charForOwner);
    QTest::keyClick(box.edit, Qt::Key_Tab);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 9);
    EXPECT_EQ(box.edit->lastKey(), 9);
    EXPECT_EQ(box.edit->owner(), &box.parent);
}

TEST(LabelEdit, LosingTheFocusEndsTheEdit)
{
    Box box(13);
    QWidget other(&box.parent);
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    box.parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box.parent));
    box.edit->setFocus();
    other.setFocus();
    ASSERT_EQ(box.notices.size(), 1u);
    EXPECT_EQ(box.notices[0].text, QStringLiteral("abc"));
}

TEST(LabelEdit, WidensWhileTypingUpToTheParentsRightEdge)
{
    Box box(13, QString(), 30);
    const int before = box.edit->width();
    QTest::keyClicks(box.edit, QStringLiteral("wide text"));
    EXPECT_GT(box.edit->width(), before);
    EXPECT_EQ(box.edit->geometry().left(), 10);
    EXPECT_EQ(box.edit->boxRect(), box.edit->geometry());
    QTest::keyClicks(box.edit, QString(200, QLatin1Char('m')));
    EXPECT_EQ(box.edit->geometry().right() + 1, box.parent.width());
    EXPECT_TRUE(box.notices.empty());
}

} // namespace
