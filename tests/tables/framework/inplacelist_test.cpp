#include "tables/framework/ui/inplacelist.h"

#include "tests/tables/framework/inplace_support.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QPointer>
#include <QShortcut>
#include <QStyle>

namespace {

using test::InPlaceTest;

constexpr unsigned kEditable = inplace::WS_CHILD | inplace::WS_VISIBLE | inplace::WS_VSCROLL
    | CVes_InPlaceList::CBS_DROPDOWN | CVes_InPlaceList::CBS_AUTOHSCROLL;
constexpr unsigned kDropList = inplace::WS_CHILD | inplace::WS_VISIBLE | inplace::WS_VSCROLL
    | CVes_InPlaceList::CBS_DROPDOWNLIST;

const QStringList kGrades{"HPB300", "HRB400", "HRB500", "CRB550", "HRB400E"};

class InPlaceList : public InPlaceTest {
protected:
    // A list over a cell of the owner, row 5 and column 4.
    CVes_InPlaceList* open(const QString& text, unsigned firstChar, unsigned style = kEditable,
                           const platform::Rect& rect = {10, 10, 90, 30},
                           const QStringList& items = kGrades)
    {
        return new CVes_InPlaceList(&owner, rect, style, kInPlaceEditId, 5, 4, items, text, firstChar);
    }
};

// Building the list

TEST_F(InPlaceList, AddsTheDroppedPartAndWidensToTheWidestItem)
{
    CVes_InPlaceList* list = open(QStringLiteral("HRB400"), 13, kEditable, {10, 10, 30, 30});
    const QFontMetrics metrics(owner.font());
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    const int needed = metrics.horizontalAdvance(QStringLiteral("HRB400E")) + scrollBar
        + 2 * metrics.horizontalAdvance(QLatin1Char(' '));
    ASSERT_GT(needed, 20);
    EXPECT_EQ(list->droppedWidth(), needed);
    EXPECT_EQ(list->cellHeight(), 20);
    const platform::Rect r = list->listRect();
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right, 10 + needed);
    EXPECT_EQ(r.bottom, 30 + 4 * 20 + scrollBar);
    // The combo box is the field; the dropped part is the popup.
    EXPECT_EQ(list->geometry(), QRect(10, 10, needed, 20));
    EXPECT_EQ(list->view()->minimumWidth(), needed);
    EXPECT_EQ(list->view()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_GE(list->maxVisibleItems(), 1);
    EXPECT_LE(list->maxVisibleItems() * list->view()->sizeHintForRow(0), 4 * 20 + scrollBar);

    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    EXPECT_EQ(items, kGrades);
    ASSERT_NE(list->editField(), nullptr);
    EXPECT_EQ(list->editField()->objectName(), QStringLiteral("1001"));
    EXPECT_EQ(list->lineEdit(), list->editField());
    EXPECT_FALSE(list->exitOnArrows());
}

TEST_F(InPlaceList, AWideCellKeepsItsWidth)
{
    CVes_InPlaceList* list = open(QString(), 13, kEditable, {0, 0, 280, 24});
    EXPECT_EQ(list->listRect().Width(), 280);
    EXPECT_LT(list->droppedWidth(), 280);
}

struct InitialCase {
    const char* name;
    const char* text;
    unsigned style;
    int chosen;
    const char* shown;
};

void PrintTo(const InitialCase& c, std::ostream* os) { *os << c.name; }

class InPlaceListInitialText : public InPlaceList,
                               public ::testing::WithParamInterface<InitialCase> {};

TEST_P(InPlaceListInitialText, ShowsTheCellsValue)
{
    const InitialCase& c = GetParam();
    CVes_InPlaceList* list = open(QString::fromUtf8(c.text), 1, c.style);
    EXPECT_EQ(list->currentIndex(), c.chosen);
    EXPECT_EQ(list->editText(), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InPlaceListInitialText,
    ::testing::Values(InitialCase{"AnItem", "HRB500", kEditable, 2, "HRB500"},
                      InitialCase{"NotAnItem", "HRB600", kEditable, -1, "HRB600"},
                      // Opening does not turn the value into an item that begins like it.
                      InitialCase{"PrefixOfAnItem", "HRB", kEditable, -1, "HRB"},
                      InitialCase{"OtherCase", "hrb400", kEditable, -1, "hrb400"},
                      InitialCase{"Empty", "", kEditable, -1, ""},
                      InitialCase{"DropListItem", "CRB550", kDropList, 3, "CRB550"},
                      // Nothing chosen in a pure drop-down list keeps the cell's text.
                      InitialCase{"DropListNotAnItem", "HRB600", kDropList, -1, "HRB600"}),
    [](const auto& info) { return std::string(info.param.name); });

// The first character

struct ListFirstCharCase {
    const char* name;
    unsigned firstChar;
    const char16_t* text;
    int caret;
    bool allSelected;
};

void PrintTo(const ListFirstCharCase& c, std::ostream* os) { *os << c.name; }

class InPlaceListFirstChar : public InPlaceList, public ::testing::WithParamInterface<ListFirstCharCase> {};

TEST_P(InPlaceListFirstChar, TheFieldOpensAsTheKeyWants)
{
    const ListFirstCharCase& c = GetParam();
    CVes_InPlaceList* list = open(QStringLiteral("250"), c.firstChar);
    QLineEdit* field = list->editField();
    EXPECT_EQ(field->text(), QString::fromUtf16(c.text));
    EXPECT_EQ(field->cursorPosition(), c.caret);
    EXPECT_EQ(field->hasSelectedText(), c.allSelected);
    EXPECT_TRUE(field->hasFocus());
    EXPECT_TRUE(owner.log.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, InPlaceListFirstChar,
    ::testing::Values(ListFirstCharCase{"Click", 1, u"250", 3, false},
                      ListFirstCharCase{"Enter", 13, u"250", 3, false},
                      ListFirstCharCase{"Backspace", 8, u"25", 2, false},
                      ListFirstCharCase{"PageUp", 33, u"250", 3, true},
                      ListFirstCharCase{"Down", 40, u"250", 3, true},
                      // Tab and Space are typed over the selected text.
                      ListFirstCharCase{"Tab", 9, u"250", 3, true},
                      ListFirstCharCase{"Space", 32, u" ", 1, false},
                      ListFirstCharCase{"Digit", '6', u"6", 1, false},
                      ListFirstCharCase{"Chinese", 0x7B8D, u"\u7B8D", 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InPlaceList, APureDropDownListOnlyTakesTheFocus)
{
    CVes_InPlaceList* list = open(QStringLiteral("HRB400"), 'x', kDropList);
    EXPECT_EQ(list->editField(), nullptr);
    EXPECT_FALSE(list->isEditable());
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(list->editText(), QStringLiteral("HRB400"));
}

// SelectString

struct SelectCase {
    const char* name;
    int startAfter;
    const char* text;
    int found;
    int chosen; // the choice afterwards; the list starts on item 4
};

void PrintTo(const SelectCase& c, std::ostream* os) { *os << c.name; }

class InPlaceListSelectString : public InPlaceList, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(InPlaceListSelectString, ChoosesTheFirstItemThatBeginsWithTheText)
{
    const SelectCase& c = GetParam();
    CVes_InPlaceList* list = open(QStringLiteral("HRB400E"), 1);
    ASSERT_EQ(list->currentIndex(), 4);
    EXPECT_EQ(list->SelectString(c.startAfter, QString::fromUtf8(c.text)), c.found);
    EXPECT_EQ(list->currentIndex(), c.chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InPlaceListSelectString,
    ::testing::Values(SelectCase{"FromTheStart", -1, "HRB", 1, 1},
                      SelectCase{"CaseAside", -1, "crb", 3, 3},
                      SelectCase{"AfterAnItem", 1, "HRB", 2, 2},
                      SelectCase{"GoesRound", 3, "HPB", 0, 0},
                      SelectCase{"WholeText", -1, "HRB400E", 4, 4},
                      SelectCase{"Nothing", -1, "RRB", -1, 4},
                      SelectCase{"LongerThanEveryItem", -1, "HRB400EE", -1, 4},
                      SelectCase{"EmptyTextIsTheFirst", -1, "", 0, 0},
                      SelectCase{"StartBeyondTheEnd", 17, "HRB5", 2, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// Keys

struct ListKeyCase {
    const char* name;
    unsigned style;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* log; // what the owner hears
};

void PrintTo(const ListKeyCase& c, std::ostream* os) { *os << c.name; }

class InPlaceListKeys : public InPlaceList, public ::testing::WithParamInterface<ListKeyCase> {};

TEST_P(InPlaceListKeys, EndWithTheKeyInTheReport)
{
    const ListKeyCase& c = GetParam();
    CVes_InPlaceList* list = open(QStringLiteral("HRB400"), 1, c.style);
    QWidget* target = list->editField() ? static_cast<QWidget*>(list->editField()) : list;
    QTest::keyClick(target, c.key, c.modifiers);
    EXPECT_EQ(owner.logText(), c.log);
    const bool ended = *c.log != '\0';
    EXPECT_EQ(list->hasEnded(), ended);
    EXPECT_EQ(list->isVisible(), !ended);
    if (ended) {
        EXPECT_TRUE(owner.hasFocus());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, InPlaceListKeys,
    ::testing::Values(
        ListKeyCase{"Enter", kEditable, Qt::Key_Return, {}, "end 5,4 \"HRB400\" key 13"},
        ListKeyCase{"Tab", kEditable, Qt::Key_Tab, {}, "end 5,4 \"HRB400\" key 9"},
        ListKeyCase{"ShiftTab", kEditable, Qt::Key_Backtab, Qt::ShiftModifier,
                    "end 5,4 \"HRB400\" key 9"},
        ListKeyCase{"Escape", kEditable, Qt::Key_Escape, {}, "end 5,4 null key 27"},
        ListKeyCase{"CtrlDown", kEditable, Qt::Key_Down, Qt::ControlModifier,
                    "end 5,4 \"HRB400\" key 40"},
        ListKeyCase{"CtrlPageUp", kEditable, Qt::Key_PageUp, Qt::ControlModifier,
                    "end 5,4 \"HRB400\" key 33"},
        ListKeyCase{"CtrlLeft", kEditable, Qt::Key_Left, Qt::ControlModifier,
                    "end 5,4 \"HRB400\" key 37"},
        ListKeyCase{"DownMovesInTheList", kEditable, Qt::Key_Down, {}, ""},
        ListKeyCase{"LeftMovesTheCaret", kEditable, Qt::Key_Left, {}, ""},
        ListKeyCase{"DropListEnter", kDropList, Qt::Key_Return, {}, "end 5,4 \"HRB400\" key 13"},
        ListKeyCase{"DropListEscape", kDropList, Qt::Key_Escape, {}, "end 5,4 null key 27"},
        ListKeyCase{"DropListTab", kDropList, Qt::Key_Tab, {}, "end 5,4 \"HRB400\" key 9"},
        ListKeyCase{"DropListCtrlDown", kDropList, Qt::Key_Down, Qt::ControlModifier,
                    "end 5,4 \"HRB400\" key 40"},
        ListKeyCase{"DropListDown", kDropList, Qt::Key_Down, {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(InPlaceList, DownAloneChoosesTheNextItemAndEnterReportsIt)
{
    CVes_InPlaceList* list = open(QStringLiteral("HRB400"), 1);
    QTest::keyClick(list->editField(), Qt::Key_Down);
    EXPECT_EQ(list->editText(), QStringLiteral("HRB500"));
    QTest::keyClick(list->editField(), Qt::Key_Return);
    EXPECT_EQ(owner.logText(), "end 5,4 \"HRB500\" key 13");
    EXPECT_EQ(owner.notes.at(0).item.cchTextMax, 6);
}

TEST_F(InPlaceList, EscapeRestoresTheInitialText)
{
    CVes_InPlaceList* list = open(QStringLiteral("HRB400"), 'x');
    QTest::keyClicks(list->editField(), QStringLiteral("yz"));
    EXPECT_EQ(list->editText(), QStringLiteral("xyz"));
    QTest::keyClick(list->editField(), Qt::Key_Escape);
    EXPECT_EQ(list->editText(), QStringLiteral("HRB400"));
    EXPECT_EQ(owner.logText(), "end 5,4 null key 27");
}

TEST_F(InPlaceList, TheEndIsActedOnWhenTheKeyIsReleased)
{
    CVes_InPlaceList* list = open(QStringLiteral("HRB400"), 1);
    QTest::keyPress(list->editField(), Qt::Key_Return);
    EXPECT_TRUE(owner.log.isEmpty());
    EXPECT_EQ(list->count(), kGrades.size()); // Enter inserts nothing
    QTest::keyRelease(list->editField(), Qt::Key_Return);
    EXPECT_EQ(owner.logText(), "end 5,4 \"HRB400\" key 13");
}

TEST_F(InPlaceList, TheReportCarriesTheTextAndTheLastKey)
{
    CVes_InPlaceList* list = open(QString(), 'q');
    QTest::keyClick(list->editField(), Qt::Key_Tab);
    ASSERT_EQ(owner.notes.size(), 1u);
    const InPlaceEditNotify& n = owner.notes[0];
    EXPECT_EQ(n.hdr.hwndFrom, list);
    EXPECT_EQ(n.hdr.idFrom, kInPlaceEditId);
    EXPECT_EQ(n.hdr.code, -106);
    EXPECT_EQ(n.item.mask, 5u);
    EXPECT_EQ(n.item.iItem, 5);
    EXPECT_EQ(n.item.iSubItem, 4);
    EXPECT_EQ(n.item.pszText, QStringLiteral("q"));
    EXPECT_EQ(n.item.cchTextMax, 1);
    EXPECT_EQ(n.item.lParam, 9);
    EXPECT_TRUE(n.isTableCellEdit());
}

TEST_F(InPlaceList, TheFieldKeepsItsKeysFromTheWindowsShortcuts)
{
    int fired = 0;
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), &owner);
    QObject::connect(shortcut, &QShortcut::activated, [&fired] { ++fired; });
    auto* menu = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F), &owner);
    QObject::connect(menu, &QShortcut::activated, [&fired] { ++fired; });
    CVes_InPlaceList* list = open(QStringLiteral("HRB400"), 13);
    QTest::keyClick(list->editField(), Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(list->editField(), Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(list->editText(), QStringLiteral("HRB400"));
    EXPECT_FALSE(list->hasEnded());
}

// Ending

TEST_F(InPlaceList, LosingTheFocusEndsTheEditOnce)
{
    QWidget other(&owner);
    other.setFocusPolicy(Qt::StrongFocus);
    other.setGeometry(0, 90, 50, 20);
    other.show();
    CVes_InPlaceList* list = open(QStringLiteral("HRB500"), 1);
    const QPointer<CVes_InPlaceList> alive(list);
    other.setFocus();
    EXPECT_EQ(owner.logText(), "end 5,4 \"HRB500\" key 0");
    EXPECT_TRUE(other.hasFocus());
    list->EndEdit();
    owner.setFocus();
    EXPECT_EQ(owner.notes.size(), 1u);
    deleteClosed();
    EXPECT_TRUE(alive.isNull());
}

TEST_F(InPlaceList, DroppingTheListDoesNotEndTheEdit)
{
    CVes_InPlaceList* list = open(QStringLiteral("HRB400"), 1);
    list->showPopup();
    EXPECT_TRUE(list->view()->isVisible());
    list->hidePopup();
    EXPECT_FALSE(list->hasEnded());
    EXPECT_TRUE(owner.log.isEmpty());
    QTest::keyClick(list->editField(), Qt::Key_Return);
    EXPECT_EQ(owner.logText(), "end 5,4 \"HRB400\" key 13");
}

TEST_F(InPlaceList, APureDropDownListEndsWhenItLosesTheFocus)
{
    CVes_InPlaceList* list = open(QStringLiteral("HRB500"), 1, kDropList);
    owner.setFocus();
    EXPECT_EQ(owner.logText(), "end 5,4 \"HRB500\" key 0");
    list->EndEdit();
    EXPECT_EQ(owner.notes.size(), 1u);
}

TEST_F(InPlaceList, EndingWhileHoldingTheFocusReportsOnce)
{
    CVes_InPlaceList* list = open(QStringLiteral("HRB500"), 1);
    QWidget sibling(&owner); // after the editor in the focus chain
    sibling.setFocusPolicy(Qt::StrongFocus);
    sibling.setGeometry(0, 90, 50, 20);
    sibling.show();
    list->EndEdit();
    EXPECT_EQ(owner.notes.size(), 1u);
    EXPECT_TRUE(owner.hasFocus());
    EXPECT_FALSE(list->isVisible());
}

TEST_F(InPlaceList, AReportThatOpensTheNextListLeavesItOpen)
{
    CVes_InPlaceList* first = open(QStringLiteral("HRB400"), 1);
    QPointer<CVes_InPlaceList> second;
    owner.onEnd = [&](const InPlaceEditNotify&) {
        if (!second)
            second = new CVes_InPlaceList(&owner, {90, 10, 170, 30}, kEditable, kInPlaceEditId, 5,
                                          5, kGrades, QStringLiteral("HRB500"), 9);
    };
    QTest::keyClick(first->editField(), Qt::Key_Tab);
    EXPECT_EQ(owner.logText(), "end 5,4 \"HRB400\" key 9");
    ASSERT_TRUE(second);
    EXPECT_FALSE(second->hasEnded());
    EXPECT_TRUE(second->editField()->hasFocus());
}

TEST_F(InPlaceList, ClosingAnOpenListEndsItsEditOnce)
{
    CVes_InPlaceList* list = open(QStringLiteral("HRB500"), 'x');
    const QPointer<CVes_InPlaceList> alive(list);
    list->close();
    list->close();
    EXPECT_EQ(owner.logText(), "end 5,4 \"x\" key 0");
    deleteClosed();
    EXPECT_TRUE(alive.isNull());
}

TEST_F(InPlaceList, DeletingAnOpenListReportsNothing)
{
    delete open(QStringLiteral("HRB500"), 1);
    EXPECT_TRUE(owner.log.isEmpty());
}

TEST(InPlaceListWithoutOwner, EndsWithoutReporting)
{
    QWidget parent;
    parent.resize(200, 50);
    auto* list = new CVes_InPlaceList(&parent, {0, 0, 80, 20}, kEditable, kInPlaceEditId, 1, 1,
                                      kGrades, QStringLiteral("x"), 13);
    const QPointer<CVes_InPlaceList> alive(list);
    list->EndEdit();
    EXPECT_TRUE(list->hasEnded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

} // namespace
