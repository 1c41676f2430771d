#include "tables/framework/ui/inplaceedit.h"

#include "tests/tables/framework/inplace_support.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QPointer>
#include <QShortcut>

namespace {

using test::InPlaceTest;

constexpr unsigned kStyle = inplace::WS_CHILD | inplace::WS_VISIBLE | inplace::WS_BORDER
    | inplace::WS_TABSTOP | inplace::ES_AUTOHSCROLL;

class InPlaceEdit : public InPlaceTest {
protected:
    // A box over a cell of the owner, row 3 and column 2.
    CVes_InPlaceEdit* open(const QString& text, unsigned firstChar,
                           const platform::Rect& rect = {10, 10, 90, 32})
    {
        auto* edit = new CVes_InPlaceEdit(&owner, rect, kStyle, kInPlaceEditId, 3, 2, text, firstChar);
        QCoreApplication::sendPostedEvents(edit); // the posted first character
        return edit;
    }
};

// The first character

struct FirstCharCase {
    const char* name;
    unsigned firstChar;
    const char16_t* text; // the box's text once the first character is typed
    int caret;
    bool allSelected;
    bool exitOnArrows;
};

void PrintTo(const FirstCharCase& c, std::ostream* os) { *os << c.name; }

class InPlaceEditFirstChar : public InPlaceEdit, public ::testing::WithParamInterface<FirstCharCase> {};

TEST_P(InPlaceEditFirstChar, OpensAsTheKeyThatStartedTheEditWants)
{
    const FirstCharCase& c = GetParam();
    CVes_InPlaceEdit* edit = open(QStringLiteral("250"), c.firstChar);
    EXPECT_EQ(edit->text(), QString::fromUtf16(c.text));
    EXPECT_EQ(edit->cursorPosition(), c.caret);
    EXPECT_EQ(edit->hasSelectedText(), c.allSelected);
    if (c.allSelected) {
        EXPECT_EQ(edit->selectedText(), edit->text());
    }
    EXPECT_EQ(edit->exitOnArrows(), c.exitOnArrows);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->lastKey(), 0u);
    EXPECT_FALSE(edit->hasEnded());
    EXPECT_TRUE(owner.log.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, InPlaceEditFirstChar,
    ::testing::Values(FirstCharCase{"Click", 1, u"250", 3, false, false},
                      FirstCharCase{"Enter", 13, u"250", 3, false, true},
                      FirstCharCase{"Backspace", 8, u"25", 2, false, true},
                      FirstCharCase{"Tab", 9, u"250", 3, true, true},
                      FirstCharCase{"Space", 32, u"250", 3, true, true},
                      FirstCharCase{"PageUp", 33, u"250", 3, true, true},
                      FirstCharCase{"Home", 36, u"250", 3, true, true},
                      FirstCharCase{"Left", 37, u"250", 3, true, true},
                      FirstCharCase{"Down", 40, u"250", 3, true, true},
                      FirstCharCase{"Digit", '7', u"7", 1, false, true},
                      FirstCharCase{"Letter", 'a', u"a", 1, false, true},
                      FirstCharCase{"Chinese", 0x4E2D, u"\u4E2D", 1, false, true},
                      FirstCharCase{"Latin1", 0xE9, u"\u00E9", 1, false, true},
                      FirstCharCase{"BeyondSixteenBits", 0x20BB7, u"\U00020BB7", 2, false, true},
                      FirstCharCase{"ControlCharacter", 3, u"250", 3, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InPlaceEdit, TheFirstCharacterIsTypedWhenTheEventLoopRuns)
{
    auto* edit = new CVes_InPlaceEdit(&owner, {10, 10, 90, 32}, kStyle, kInPlaceEditId, 1, 1,
                                      QStringLiteral("250"), 'x');
    EXPECT_EQ(edit->text(), QStringLiteral("250"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("250"));
    QCoreApplication::sendPostedEvents(edit);
    EXPECT_EQ(edit->text(), QStringLiteral("x"));
}

TEST_F(InPlaceEdit, TakesTheParentsFontTheRectangleAndTheAlignment)
{
    QFont font = owner.font();
    font.setPointSize(17);
    owner.setFont(font);
    auto* edit = new CVes_InPlaceEdit(&owner, {20, 30, 120, 60}, kStyle | inplace::ES_CENTER,
                                      kInPlaceEditId, 1, 1, QString(), 13);
    EXPECT_EQ(edit->font().pointSize(), 17);
    EXPECT_EQ(edit->geometry(), QRect(20, 30, 100, 30));
    EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(edit->objectName(), QString::number(kInPlaceEditId));
    EXPECT_TRUE(edit->isVisible());
}

// Keys

struct KeyCase;
void PrintTo(const KeyCase& c, std::ostream* os);

struct KeyCase {
    const char* name;
    unsigned firstChar;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* log; // what the owner hears, in order
    unsigned lastKey;
    bool ended;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class InPlaceEditKeys : public InPlaceEdit, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(InPlaceEditKeys, EndOrPassOnAsTheKeyWants)
{
    const KeyCase& c = GetParam();
    CVes_InPlaceEdit* edit = open(QStringLiteral("old"), c.firstChar);
    const QPointer<CVes_InPlaceEdit> alive(edit);
    QTest::keyClicks(edit, QStringLiteral("new"));
    QTest::keyClick(edit, c.key, c.modifiers);
    EXPECT_EQ(owner.logText(), c.log);
    ASSERT_TRUE(alive); // deleted from the event loop only
    EXPECT_EQ(edit->lastKey(), c.lastKey);
    EXPECT_EQ(edit->hasEnded(), c.ended);
    EXPECT_EQ(edit->isVisible(), !c.ended);
    EXPECT_EQ(edit->hasFocus(), !c.ended);
    if (c.ended) {
        EXPECT_TRUE(owner.hasFocus());
    }
    deleteClosed();
    EXPECT_EQ(alive.isNull(), c.ended);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, InPlaceEditKeys,
    ::testing::Values(
        // Enter ends through the focus going to the parent, then passes the key.
        KeyCase{"Enter", 13, Qt::Key_Return, {}, "end 3,2 \"oldnew\" key 0 | key 13", 13, true},
        KeyCase{"KeypadEnter", 13, Qt::Key_Enter, Qt::KeypadModifier,
                "end 3,2 \"oldnew\" key 0 | key 13", 13, true},
        // Tab and Escape pass the key first, then end.
        KeyCase{"Tab", 13, Qt::Key_Tab, {}, "key 9 | end 3,2 \"oldnew\" key 0", 9, true},
        KeyCase{"ShiftTab", 13, Qt::Key_Backtab, Qt::ShiftModifier,
                "key 9 | end 3,2 \"oldnew\" key 0", 9, true},
        KeyCase{"Escape", 13, Qt::Key_Escape, {}, "key 27 | end 3,2 null key 0", 27, true},
        // Opened by a key, the navigation keys go to the owner; the box stays.
        KeyCase{"DownOpenedByKey", 'n', Qt::Key_Down, {}, "key 40", 40, false},
        KeyCase{"UpOpenedByKey", 'n', Qt::Key_Up, {}, "key 38", 38, false},
        KeyCase{"LeftOpenedByKey", 13, Qt::Key_Left, {}, "key 37", 37, false},
        KeyCase{"RightOpenedByKey", 13, Qt::Key_Right, {}, "key 39", 39, false},
        KeyCase{"PageUpOpenedByKey", 13, Qt::Key_PageUp, {}, "key 33", 33, false},
        KeyCase{"PageDownOpenedByKey", 13, Qt::Key_PageDown, {}, "key 34", 34, false},
        KeyCase{"HomeIsTheBoxs", 13, Qt::Key_Home, {}, "", 0, false},
        // Opened by a click, only Ctrl makes them leave the box.
        KeyCase{"LeftOpenedByClick", 1, Qt::Key_Left, {}, "", 0, false},
        KeyCase{"DownOpenedByClick", 1, Qt::Key_Down, {}, "", 0, false},
        KeyCase{"CtrlLeftOpenedByClick", 1, Qt::Key_Left, Qt::ControlModifier, "key 37", 37, false},
        KeyCase{"CtrlPageDownOpenedByClick", 1, Qt::Key_PageDown, Qt::ControlModifier, "key 34", 34,
                false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InPlaceEdit, EscapeRestoresTheTextAndReportsNone)
{
    CVes_InPlaceEdit* edit = open(QStringLiteral("old"), 'n');
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->text(), QStringLiteral("old"));
    ASSERT_EQ(owner.notes.size(), 1u);
    EXPECT_FALSE(owner.notes[0].item.pszText.has_value());
    EXPECT_EQ(owner.notes[0].item.cchTextMax, 0);
}

TEST_F(InPlaceEdit, TheReportIsTheEndOfALabelEdit)
{
    CVes_InPlaceEdit* edit = open(QStringLiteral("HRB400"), 13);
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_EQ(owner.notes.size(), 1u);
    const InPlaceEditNotify& n = owner.notes[0];
    EXPECT_EQ(n.hdr.hwndFrom, edit);
    EXPECT_EQ(n.hdr.idFrom, 0x14120u);
    EXPECT_EQ(n.hdr.code, -106);
    EXPECT_EQ(n.item.mask, 1u);
    EXPECT_EQ(n.item.iItem, 3);
    EXPECT_EQ(n.item.iSubItem, 2);
    EXPECT_EQ(n.item.pszText, QStringLiteral("HRB400"));
    EXPECT_EQ(n.item.cchTextMax, 6);
    EXPECT_EQ(n.item.lParam, 0);
    EXPECT_TRUE(n.isTableCellEdit());

    InPlaceEditNotify other = n;
    other.hdr.idFrom = 0x4121;
    EXPECT_FALSE(other.isTableCellEdit());
    other.hdr.idFrom = 0x4120;
    other.hdr.code = -105;
    EXPECT_FALSE(other.isTableCellEdit());
}

TEST_F(InPlaceEdit, AnAltCharacterIsSwallowedAndNoShortcutFires)
{
    int fired = 0;
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F), &owner);
    QObject::connect(shortcut, &QShortcut::activated, [&fired] { ++fired; });
    CVes_InPlaceEdit* edit = open(QStringLiteral("12"), 13);
    QTest::keyClick(edit, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
    EXPECT_FALSE(edit->hasEnded());
}

// Widening

TEST_F(InPlaceEdit, WidensWhileTypingUpToTheParentsEdgeAndNeverShrinks)
{
    CVes_InPlaceEdit* edit = open(QString(), 13, {200, 10, 240, 32});
    const QFontMetrics metrics(edit->font());
    QString typed;
    int lastRight = 240;
    while (edit->boxRect().right < owner.width()) {
        QTest::keyClick(edit, 'w');
        typed += QLatin1Char('w');
        const int wanted = metrics.horizontalAdvance(typed + QStringLiteral("  "));
        const int expected = wanted > lastRight - 200 ? std::min(200 + wanted, owner.width()) : lastRight;
        ASSERT_EQ(edit->boxRect().right, expected) << typed.size() << " characters";
        EXPECT_EQ(edit->geometry().right() + 1, expected);
        lastRight = expected;
        ASSERT_LT(typed.size(), 200);
    }
    QTest::keyClicks(edit, QStringLiteral("wwww"));
    EXPECT_EQ(edit->boxRect().right, owner.width());
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->boxRect().right, owner.width());
    EXPECT_EQ(edit->boxRect().left, 200);
    EXPECT_EQ(edit->boxRect().top, 10);
    EXPECT_EQ(edit->boxRect().bottom, 32);
}

TEST_F(InPlaceEdit, ABoxWiderThanTheParentIsNotNarrowed)
{
    CVes_InPlaceEdit* edit = open(QString(), 13, {250, 10, 400, 32});
    QTest::keyClicks(edit, QString(60, QLatin1Char('m')));
    EXPECT_EQ(edit->boxRect().right, 400);
}

TEST_F(InPlaceEdit, TextFromTheInputMethodWidensToo)
{
    CVes_InPlaceEdit* edit = open(QString(), 13, {10, 10, 30, 32});
    QInputMethodEvent typed;
    typed.setCommitString(QStringLiteral("钢筋配料单钢筋配料单"));
    QCoreApplication::sendEvent(edit, &typed);
    EXPECT_EQ(edit->text(), QStringLiteral("钢筋配料单钢筋配料单"));
    EXPECT_GT(edit->boxRect().right, 30);
}

// Ending

TEST_F(InPlaceEdit, LosingTheFocusEndsTheEditOnce)
{
    QWidget other(&owner);
    other.setFocusPolicy(Qt::StrongFocus);
    other.setGeometry(0, 80, 50, 20);
    other.show();
    CVes_InPlaceEdit* edit = open(QStringLiteral("5"), 1);
    const QPointer<CVes_InPlaceEdit> alive(edit);
    other.setFocus();
    EXPECT_EQ(owner.logText(), "end 3,2 \"5\" key 0");
    EXPECT_TRUE(other.hasFocus()); // closing does not take the focus from where it went
    edit->EndEdit();
    owner.setFocus();
    other.setFocus();
    EXPECT_EQ(owner.notes.size(), 1u);
    deleteClosed();
    EXPECT_TRUE(alive.isNull());
}

TEST_F(InPlaceEdit, EndingAnEditThatHoldsTheFocusReportsOnceAndGivesTheFocusBack)
{
    CVes_InPlaceEdit* edit = open(QStringLiteral("5"), 1);
    QWidget sibling(&owner); // after the editor in the focus chain
    sibling.setFocusPolicy(Qt::StrongFocus);
    sibling.setGeometry(0, 90, 50, 20);
    sibling.show();
    edit->EndEdit(); // as the view does when the user clicks elsewhere in it
    EXPECT_EQ(owner.notes.size(), 1u);
    EXPECT_TRUE(owner.hasFocus());
    EXPECT_FALSE(edit->isVisible());
}

TEST_F(InPlaceEdit, AnOwnerThatDeletesTheEndedBoxDoesNotDeleteItTwice)
{
    CVes_InPlaceEdit* edit = open(QStringLiteral("5"), 1);
    QPointer<CVes_InPlaceEdit> held(edit);
    edit->EndEdit();
    delete held.data(); // the view's pointer: the pending deletion goes with it
    EXPECT_TRUE(held.isNull());
    deleteClosed();
    EXPECT_EQ(owner.notes.size(), 1u);
}

TEST_F(InPlaceEdit, ClosingAnOpenBoxEndsItsEdit)
{
    QWidget sibling(&owner);
    sibling.setFocusPolicy(Qt::StrongFocus);
    sibling.show();
    CVes_InPlaceEdit* edit = open(QStringLiteral("5"), 1);
    sibling.setFocus(); // ends the first box
    CVes_InPlaceEdit* second = open(QStringLiteral("6"), 'x');
    sibling.setFocus();
    CVes_InPlaceEdit* third = open(QStringLiteral("7"), 'y');
    // A view closing what it opened: the ended boxes stay quiet, the open one
    // reports what was typed.
    edit->close();
    second->close();
    third->close();
    EXPECT_EQ(owner.logText(), "end 3,2 \"5\" key 0 | end 3,2 \"x\" key 0 | end 3,2 \"y\" key 0");
    EXPECT_FALSE(third->isVisible());
    deleteClosed();
}

TEST_F(InPlaceEdit, DeletingAnOpenBoxReportsNothing)
{
    CVes_InPlaceEdit* edit = open(QStringLiteral("5"), 1);
    delete edit;
    EXPECT_TRUE(owner.log.isEmpty());
}

TEST_F(InPlaceEdit, AnOwnerThatDeletesTheBoxFromItsReportIsSurvived)
{
    CVes_InPlaceEdit* edit = open(QStringLiteral("5"), 13);
    owner.onEnd = [](const InPlaceEditNotify& n) { delete n.hdr.hwndFrom; };
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(owner.logText(), "end 3,2 \"5\" key 0 | key 13");
}

TEST_F(InPlaceEdit, AReportThatOpensTheNextBoxLeavesItOpen)
{
    CVes_InPlaceEdit* first = open(QStringLiteral("a"), 13);
    CVes_InPlaceEdit* second = nullptr;
    owner.onEnd = [&](const InPlaceEditNotify& n) {
        if (second)
            return;
        second = new CVes_InPlaceEdit(&owner, {10, 40, 90, 62}, kStyle, kInPlaceEditId, 4, 2,
                                      QStringLiteral("b"), 13);
        // Ending the first again from its own report does nothing; nor does
        // ending any other box while this report runs.
        static_cast<CVes_InPlaceEdit*>(n.hdr.hwndFrom)->EndEdit();
        second->EndEdit();
    };
    QTest::keyClick(first, Qt::Key_Return);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(owner.logText(), "end 3,2 \"a\" key 0 | key 13");
    EXPECT_TRUE(first->hasEnded());
    EXPECT_FALSE(second->hasEnded());
    EXPECT_TRUE(second->hasFocus());
    EXPECT_TRUE(second->isVisible());

    QTest::keyClick(second, Qt::Key_Tab);
    EXPECT_EQ(owner.logText(), "end 3,2 \"a\" key 0 | key 13 | key 9 | end 4,2 \"b\" key 0");
}

TEST(InPlaceEditOwnerGone, DeletingTheOwnerWithAnOpenBoxReportsNothing)
{
    int reports = 0;
    auto* owner = new test::InPlaceOwner;
    owner->onEnd = [&reports](const InPlaceEditNotify&) { ++reports; };
    owner->show();
    owner->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(owner));
    auto* edit = new CVes_InPlaceEdit(owner, {0, 0, 80, 20}, kStyle, kInPlaceEditId, 1, 1,
                                      QStringLiteral("x"), 13);
    ASSERT_TRUE(edit->hasFocus());
    delete owner;
    EXPECT_EQ(reports, 0);
}

TEST_F(InPlaceEdit, AnOwnerThatMovesOnAtTabKeepsTheFocusOnItsNextBox)
{
    // The owner answers Tab by ending this edit and opening the next cell's box.
    CVes_InPlaceEdit* first = open(QStringLiteral("a"), 13);
    QPointer<CVes_InPlaceEdit> next;
    owner.onKey = [&](int key) {
        if (key != 9 || next)
            return;
        first->EndEdit();
        next = new CVes_InPlaceEdit(&owner, {90, 10, 170, 32}, kStyle, kInPlaceEditId, 3, 3,
                                    QStringLiteral("b"), 9);
    };
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(owner.logText(), "key 9 | end 3,2 \"a\" key 0");
    ASSERT_TRUE(next);
    EXPECT_FALSE(next->hasEnded());
    EXPECT_TRUE(next->hasFocus());
}

TEST_F(InPlaceEdit, TheOwnerSetReplacesTheParent)
{
    test::InPlaceOwner other;
    CVes_InPlaceEdit* edit = open(QStringLiteral("5"), 13);
    edit->setOwner(&other);
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_TRUE(owner.log.isEmpty());
    EXPECT_EQ(other.logText(), "key 9 | end 3,2 \"5\" key 0");
}

TEST(InPlaceEditWithoutOwner, EndsAndClosesWithoutReporting)
{
    QWidget parent;
    parent.resize(200, 50);
    auto* edit = new CVes_InPlaceEdit(&parent, {0, 0, 80, 20}, kStyle, kInPlaceEditId, 1, 1,
                                      QStringLiteral("x"), 13);
    const QPointer<CVes_InPlaceEdit> alive(edit);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(edit->hasEnded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

} // namespace
