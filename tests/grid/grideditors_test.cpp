// In-place editing: the edit box, drop list and date picker, the editing
// flow with the owner's consent, the title tip and the special cells.

#include "tests/grid/testgrid.h"

#include "grid/gridcellcheck.h"
#include "grid/gridcellcombo.h"
#include "grid/gridcelldatetime.h"
#include "grid/gridcellnumeric.h"
#include "grid/griddatepicker.h"
#include "grid/griddroplist.h"
#include "grid/grideditbox.h"
#include "grid/gridkeys.h"
#include "grid/gridtipwnd.h"
#include "grid/gridurlcell.h"
#include "platform/recordingdc.h"
#include "tests/support/recordinghost.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using platform::Rect;
using test::TestGrid;

namespace {

// An active owner window holding a 6 x 4 grid (one fixed row and column)
// with cells reading "row:col".
struct EditGrid {
    test::RecordingOwner owner;
    TestGrid* grid;

    EditGrid()
    {
        owner.resize(400, 300);
        grid = new TestGrid(6, 4, 1, 1, &owner);
        grid->setFrameShape(QFrame::NoFrame);
        grid->setGeometry(0, 0, 400, 300);
        test::useFixedMetrics(*grid);
        test::setUniformSizes(*grid, 80, 24);
        for (int row = 0; row < 6; ++row) {
            for (int col = 0; col < 4; ++col)
                grid->SetItemText(row, col, QStringLiteral("%1:%2").arg(row).arg(col));
        }
        grid->SetModified(false);
        owner.show();
        owner.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&owner));
        grid->setFocus();
        grid->SetFocusCell(1, 1);
        grid->SetSelectedRange(1, 1, 1, 1);
    }
    template <class Editor = CGridEditBox>
    Editor* editor() const
    {
        for (Editor* e : grid->viewport()->findChildren<Editor*>()) {
            if (e->isVisible())
                return e;
        }
        return nullptr;
    }
    void type(QWidget* target, int key, const QString& text = {},
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &press);
    }
    int count(int code) const
    {
        const std::vector<int> codes = owner.codes();
        return static_cast<int>(std::count(codes.begin(), codes.end(), code));
    }
};

TEST(GridEditBox, TypingALetterReplacesTheTextAndF2KeepsIt)
{
    EditGrid e;
    e.type(e.grid, Qt::Key_Q, QStringLiteral("q"));
    CGridEditBox* box = e.editor();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), QStringLiteral("q"));
    EXPECT_TRUE(e.grid->IsItemEditing(1, 1));
    EXPECT_TRUE(box->GetExitOnArrows());
    e.type(box, Qt::Key_Return);
    EXPECT_EQ(e.grid->GetItemText(1, 1), QStringLiteral("q"));
    EXPECT_FALSE(e.grid->IsItemEditing(1, 1));
    EXPECT_TRUE(e.grid->GetModified(1, 1));

    e.grid->SetFocusCell(2, 2);
    e.type(e.grid, Qt::Key_F2);
    box = e.editor();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), QStringLiteral("2:2"));
    EXPECT_FALSE(box->hasSelectedText());
    EXPECT_EQ(box->cursorPosition(), 3);
    EXPECT_FALSE(box->GetExitOnArrows());
}

TEST(GridEditBox, EscapeRestoresTheTextAndSendsNoEndEdit)
{
    EditGrid e;
    e.type(e.grid, Qt::Key_Z, QStringLiteral("z"));
    CGridEditBox* box = e.editor();
    ASSERT_TRUE(box);
    e.type(box, Qt::Key_Y, QStringLiteral("y"));
    EXPECT_EQ(box->text(), QStringLiteral("zy"));
    e.type(box, Qt::Key_Escape);
    EXPECT_EQ(e.grid->GetItemText(1, 1), QStringLiteral("1:1"));
    EXPECT_EQ(e.count(GridEndEdit), 0);
    EXPECT_FALSE(e.grid->IsItemEditing(1, 1));
    EXPECT_FALSE(e.editor());
}

TEST(GridEditBox, ArrowsEndAnEditStartedByTypingAndEditingGoesOn)
{
    EditGrid e;
    e.type(e.grid, Qt::Key_Z, QStringLiteral("z"));
    CGridEditBox* box = e.editor();
    ASSERT_TRUE(box);
    e.type(box, Qt::Key_Right);
    EXPECT_EQ(e.grid->GetItemText(1, 1), QStringLiteral("z"));
    EXPECT_EQ(e.grid->GetFocusCell(), CGridCellPos(1, 2));
    EXPECT_TRUE(e.grid->IsItemEditing(1, 2));
    CGridEditBox* next = e.editor();
    ASSERT_TRUE(next);
    EXPECT_NE(next, box);
    EXPECT_EQ(next->text(), QStringLiteral("1:2"));
    EXPECT_TRUE(next->hasSelectedText());
}

TEST(GridEditBox, ArrowsMoveTheCaretInAnEditStartedByF2)
{
    EditGrid e;
    e.type(e.grid, Qt::Key_F2);
    CGridEditBox* box = e.editor();
    ASSERT_TRUE(box);
    e.type(box, Qt::Key_Left);
    EXPECT_EQ(e.editor(), box);
    EXPECT_EQ(box->cursorPosition(), 2);
    EXPECT_EQ(e.grid->GetFocusCell(), CGridCellPos(1, 1));
    // Ctrl ends it all the same.
    e.type(box, Qt::Key_Down, {}, Qt::ControlModifier);
    EXPECT_EQ(e.grid->GetFocusCell(), CGridCellPos(2, 1));
}

TEST(GridEditBox, ShiftTabEndsAndEditsThePreviousCell)
{
    EditGrid e;
    e.grid->SetFocusCell(2, 2);
    e.type(e.grid, Qt::Key_F2);
    CGridEditBox* box = e.editor();
    ASSERT_TRUE(box);
    e.type(box, Qt::Key_Backtab, {}, Qt::ShiftModifier);
    EXPECT_EQ(e.grid->GetFocusCell(), CGridCellPos(2, 1));
    EXPECT_TRUE(e.grid->IsItemEditing(2, 1));
}

TEST(GridEditBox, CharactersSharingMovementKeyCodesAreTyped)
{
    EditGrid e;
    e.type(e.grid, Qt::Key_Percent, QStringLiteral("%"));
    CGridEditBox* box = e.editor();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), QStringLiteral("%"));
    e.type(box, Qt::Key_Percent, QStringLiteral("%"));
    e.type(box, Qt::Key_1, QStringLiteral("1"));
    e.type(box, Qt::Key_Return);
    EXPECT_EQ(e.grid->GetItemText(1, 1), QStringLiteral("%%1"));
}

TEST(GridEditBox, LosingTheFocusEndsTheEdit)
{
    EditGrid e;
    e.type(e.grid, Qt::Key_W, QStringLiteral("w"));
    ASSERT_TRUE(e.editor());
    e.grid->EndEditing();
    EXPECT_EQ(e.grid->GetItemText(1, 1), QStringLiteral("w"));
    EXPECT_FALSE(e.grid->IsItemEditing(1, 1));
}

class GridEditRefusal : public ::testing::TestWithParam<int> {};

TEST_P(GridEditRefusal, OwnerRefusingKeepsTheOldText)
{
    EditGrid e;
    e.owner.answers[GetParam()] = -1;
    e.type(e.grid, Qt::Key_N, QStringLiteral("n"));
    if (GetParam() == GridBeginEdit) {
        EXPECT_FALSE(e.editor());
        EXPECT_FALSE(e.grid->IsItemEditing(1, 1));
    } else {
        ASSERT_TRUE(e.editor());
        e.type(e.editor(), Qt::Key_Return);
    }
    EXPECT_EQ(e.grid->GetItemText(1, 1), QStringLiteral("1:1"));
    EXPECT_FALSE(e.grid->IsItemEditing(1, 1));
}

INSTANTIATE_TEST_SUITE_P(Codes, GridEditRefusal, ::testing::Values(GridBeginEdit, GridEndEdit),
                         [](const auto& info) {
                             return std::string(info.param == GridBeginEdit ? "beginEdit" : "endEdit");
                         });

TEST(GridEditBox, ReadOnlyCellOpensNothingAndTellsNobody)
{
    EditGrid e;
    e.grid->SetItemState(1, 1, e.grid->GetItemState(1, 1) | GridStateReadOnly);
    e.type(e.grid, Qt::Key_N, QStringLiteral("n"));
    EXPECT_FALSE(e.editor());
    EXPECT_EQ(e.count(GridBeginEdit), 0);
}

TEST(GridEditBox, BoxGrowsWithItsTextWithinTheGrid)
{
    EditGrid e;
    e.type(e.grid, Qt::Key_F2);
    CGridEditBox* box = e.editor();
    ASSERT_TRUE(box);
    const int before = box->width();
    for (int i = 0; i < 60; ++i)
        e.type(box, Qt::Key_M, QStringLiteral("M"));
    EXPECT_GT(box->width(), before);
    EXPECT_LE(box->geometry().right(), e.grid->viewport()->width());
}

TEST(GridNumericCell, EditorRefusesLetters)
{
    EditGrid e;
    e.grid->SetCellType(1, 1, GridCellClass::Of<CGridCellNumeric>());
    e.grid->SetItemText(1, 1, QStringLiteral("12"));
    e.type(e.grid, Qt::Key_A, QStringLiteral("a"));
    CGridEditBox* box = e.editor();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), QStringLiteral("12"));
    e.type(box, Qt::Key_5, QStringLiteral("5"));
    e.type(box, Qt::Key_X, QStringLiteral("x"));
    EXPECT_EQ(box->text(), QStringLiteral("5"));
    e.type(box, Qt::Key_Tab);
    EXPECT_EQ(e.grid->GetItemText(1, 1), QStringLiteral("5"));
}

TEST(GridCheckCell, TogglesOnlyOnItsBox)
{
    TestGrid grid(3, 3, 1, 1);
    test::useFixedMetrics(grid);
    test::setUniformSizes(grid, 120, 30);
    grid.SetCellType(1, 1, GridCellClass::Of<CGridCellCheck>());
    auto* cell = dynamic_cast<CGridCellCheck*>(grid.GetCell(1, 1));
    ASSERT_TRUE(cell);
    platform::RecordingDc dc;
    Rect rect;
    ASSERT_TRUE(grid.GetCellRect(1, 1, &rect));
    cell->Draw(&dc, 1, 1, rect);
    ASSERT_EQ(dc.count(platform::DcOp::DrawFrameControl), 1);

    const Rect box = cell->GetCheckPlacement();
    EXPECT_EQ(box.Width(), CGridCellCheck::CheckBoxSize());
    const QPoint inBox(box.left + 2 - rect.left, box.top + 2 - rect.top);
    const QPoint onText(box.right + 20 - rect.left, box.top + 2 - rect.top);
    cell->OnClick(onText);
    EXPECT_FALSE(cell->GetCheck());
    cell->OnClick(inBox);
    EXPECT_TRUE(cell->GetCheck());
    cell->OnClick(inBox);
    EXPECT_FALSE(cell->GetCheck());

    // The text starts after the box.
    Rect text = rect;
    cell->GetTextRect(&text);
    EXPECT_GE(text.left, box.right);
}

TEST(GridComboCell, DropListIsNeverWiderThan200Pixels)
{
    EditGrid e;
    e.grid->SetCellType(1, 1, GridCellClass::Of<CGridCellCombo>());
    auto* cell = dynamic_cast<CGridCellCombo*>(e.grid->GetCell(1, 1));
    ASSERT_TRUE(cell);
    cell->SetOptions({QStringLiteral("HRB400"), QString(120, QLatin1Char('W'))});
    e.type(e.grid, Qt::Key_F2);
    CGridDropList* list = e.editor<CGridDropList>();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->GetDroppedWidth(), CGridDropList::MaxDropWidth);
    EXPECT_EQ(list->GetNumLines(), 4);
    EXPECT_TRUE(cell->GetEditWnd());

    list->setCurrentIndex(0);
    e.type(list, Qt::Key_Return);
    EXPECT_EQ(e.grid->GetItemText(1, 1), QStringLiteral("HRB400"));
    EXPECT_FALSE(e.grid->IsItemEditing(1, 1));

    cell->SetOptions({QStringLiteral("A")});
    cell->SetStyle(CBS_DROPDOWNLIST);
    e.type(e.grid, Qt::Key_F2);
    list = e.editor<CGridDropList>();
    ASSERT_TRUE(list);
    EXPECT_LT(list->GetDroppedWidth(), CGridDropList::MaxDropWidth);
    EXPECT_FALSE(cell->GetEditWnd());
    e.type(list, Qt::Key_Escape);
    EXPECT_EQ(e.grid->GetItemText(1, 1), QStringLiteral("HRB400"));
}

TEST(GridComboCell, ButtonOnlyWhileNotEditedAndWhenTheCellIsLarger)
{
    TestGrid grid(3, 3, 1, 1);
    test::useFixedMetrics(grid);
    test::setUniformSizes(grid, 120, 30);
    grid.SetCellType(1, 1, GridCellClass::Of<CGridCellCombo>());
    CGridCellBase* cell = grid.GetCell(1, 1);
    const auto buttons = [&](Rect rect) {
        platform::RecordingDc dc;
        cell->Draw(&dc, 1, 1, rect);
        return dc.count(platform::DcOp::DrawFrameControl);
    };
    EXPECT_EQ(buttons(Rect(0, 0, 119, 29)), 1);
    const int bar = CGridCellCombo::ScrollBarHeight();
    EXPECT_EQ(buttons(Rect(0, 0, 119, bar)), 0);
    grid.SetItemState(1, 1, GridStateReadOnly);
    EXPECT_EQ(buttons(Rect(0, 0, 119, 29)), 0);
}

TEST(GridDateTimeCell, PickerStoresTheTimeAndReportsItsText)
{
    EditGrid e;
    e.grid->SetCellType(1, 1, GridCellClass::Of<CGridCellDateTime>());
    auto* cell = dynamic_cast<CGridCellDateTime*>(e.grid->GetCell(1, 1));
    ASSERT_TRUE(cell);
    cell->SetTime(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    e.type(e.grid, Qt::Key_F2);
    CGridDatePicker* picker = e.editor<CGridDatePicker>();
    ASSERT_TRUE(picker);
    picker->setDate(QDate(2027, 1, 2));
    e.type(picker, Qt::Key_Tab);
    EXPECT_EQ(cell->GetTime().date(), QDate(2027, 1, 2));
    EXPECT_EQ(e.grid->GetItemText(1, 1), QStringLiteral("2027/1/2"));
}

struct UrlCase {
    const char* name;
    const char* text;
    const char* word; // the word clicked
    std::vector<platform::Answer> answers;
    const char* opened; // empty: nothing opened
};

void PrintTo(const UrlCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridUrlCell : public ::testing::TestWithParam<UrlCase> {};

TEST_P(GridUrlCell, OpensOnlyAKnownLinkUnderTheClick)
{
    const UrlCase& c = GetParam();
    test::HostScope host;
    for (platform::Answer answer : c.answers)
        host->script({answer});
    TestGrid grid(3, 3, 1, 1);
    test::useFixedMetrics(grid);
    test::setUniformSizes(grid, 400, 30);
    grid.SetCellType(1, 1, GridCellClass::Of<CGridURLCell>());
    auto* cell = dynamic_cast<CGridURLCell*>(grid.GetCell(1, 1));
    ASSERT_TRUE(cell);
    const QString text = QString::fromUtf8(c.text);
    grid.SetItemText(1, 1, text);
    platform::RecordingDc dc;
    Rect rect;
    ASSERT_TRUE(grid.GetCellRect(1, 1, &rect));
    cell->Draw(&dc, 1, 1, rect);

    // A point whose character index falls in the middle of the word.
    const int textWidth = cell->GetTextExtent(text).width();
    const auto index = text.indexOf(QString::fromUtf8(c.word)) + 1;
    const int x = static_cast<int>((index * textWidth + text.size() - 1) / text.size());
    cell->OnClick(QPoint(x, 5));

    const QStringList opened = host->opened();
    if (*c.opened) {
        EXPECT_EQ(opened, QStringList{QString::fromUtf8(c.opened)});
    } else {
        EXPECT_TRUE(opened.isEmpty()) << opened.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_FALSE(cell->Edit(1, 1, rect, QPoint(), 8, 'a'));
}

INSTANTIATE_TEST_SUITE_P(
    Links, GridUrlCell,
    ::testing::Values(
        UrlCase{"wordWithScheme", "see https://example.org now", "https", {}, "https://example.org"},
        UrlCase{"wwwGetsHttp", "go www.example.org", "www", {}, "http://www.example.org"},
        UrlCase{"plainWordBeside", "see https://example.org now", "see", {}, ""},
        UrlCase{"schemeInsideAWord", "run xhttp://evil", "xhttp", {}, ""},
        UrlCase{"fileRefused", "open file:///etc/passwd", "file", {platform::Answer::No}, ""},
        UrlCase{"fileConfirmed", "open file:///tmp/a.txt", "file", {platform::Answer::Yes},
                "file:///tmp/a.txt"},
        UrlCase{"telnetRefused", "telnet:host", "telnet", {platform::Answer::No}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridUrlCell, LinkTextTakesTheHighlightColourFromItsFirstDrawing)
{
    TestGrid grid(3, 3, 1, 1);
    grid.SetCellType(1, 1, GridCellClass::Of<CGridURLCell>());
    grid.SetCellType(1, 2, GridCellClass::Of<CGridURLCell>());
    grid.SetItemText(1, 1, QStringLiteral("mail mailto:a@b.c"));
    grid.SetItemText(1, 2, QStringLiteral("no link here"));
    platform::RecordingDc dc;
    grid.GetCell(1, 1)->Draw(&dc, 1, 1, Rect(0, 0, 99, 19));
    grid.GetCell(1, 2)->Draw(&dc, 1, 2, Rect(0, 0, 99, 19));
    EXPECT_EQ(grid.GetCell(1, 1)->GetTextClr(), platform::GetSysColor(platform::gdi::COLOR_HIGHLIGHT));
    EXPECT_EQ(grid.GetCell(1, 2)->GetTextClr(), CLR_DEFAULT);
}

TEST(GridTitleTip, ShownOnlyForClippedText)
{
    EditGrid e;
    e.grid->SetItemText(2, 1, QStringLiteral("ok"));
    e.grid->SetItemText(3, 1, QStringLiteral("a text far too long for its cell"));
    Rect rect;
    ASSERT_TRUE(e.grid->GetCellRect(2, 1, &rect));
    e.grid->OnMouseMove(0, QPoint(rect.left + 5, rect.top + 5));
    EXPECT_TRUE(!e.grid->GetTitleTip() || !e.grid->GetTitleTip()->isVisible());

    ASSERT_TRUE(e.grid->GetCellRect(3, 1, &rect));
    e.grid->OnMouseMove(0, QPoint(rect.left + 5, rect.top + 5));
    CGridTipWnd* tip = e.grid->GetTitleTip();
    ASSERT_TRUE(tip);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->GetShownText(), QStringLiteral(" a text far too long for its cell "));
    const QPoint origin = e.grid->viewport()->mapToGlobal(QPoint(rect.left, rect.top));
    EXPECT_EQ(tip->geometry().topLeft(), origin);
    EXPECT_EQ(tip->height(), rect.Height());
    EXPECT_GT(tip->width(), rect.Width());

    // Leaving the cell hides it.
    e.grid->OnMouseMove(0, QPoint(rect.left + 5, rect.bottom + 10));
    EXPECT_FALSE(tip->isVisible());
}

} // namespace
