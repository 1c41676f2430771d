// The line-width list and the width and style buttons of the shape
// editor's attribute toolbar: what they draw, and that copies and stored
// settings keep their width or style.

#include "shapeui/shapetoolbarcontrols.h"

#include "platform/recordingdc.h"
#include "widgara/controlpopup.h"
#include "widgara/paintmanager.h"
#include "widgara/propexchange.h"

#include <QWidget>
#include <gtest/gtest.h>

using platform::DcOp;
using namespace platform::gdi;

namespace {

// A control shown on a popup bar, sized as given.
template <typename T> struct Shown {
    CXTPPopupToolBar bar;
    T* control;
    explicit Shown(std::unique_ptr<T> made, QSize size)
    {
        control = bar.GetControls()->Add(std::move(made), 1001);
        bar.OnControlsChanged();
        if (control->widget())
            control->widget()->resize(size);
    }
};

} // namespace

TEST(ControlButtonLine, ShowsTheWidthAndABarAsThickAsTheLine)
{
    Shown<CControlButtonLine> shown(std::make_unique<CControlButtonLine>(2.5), QSize(160, 20));
    ASSERT_NE(shown.control->widget(), nullptr);
    platform::RecordingDc dc;
    shown.control->Draw(&dc);

    EXPECT_EQ(dc.texts(), QStringList{QStringLiteral("2.50")});
    const auto texts = dc.records(DcOp::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rect, platform::Rect(2, 2, 158, 18));
    dc.SelectObject(XTPPaintManager()->GetRegularFont());
    const int captionEnd = 2 + dc.GetTextExtent(QStringLiteral("2.50")).width();

    const auto fills = dc.records(DcOp::FillSolidRect);
    ASSERT_FALSE(fills.empty());
    const platform::DcRecord& bar = fills.back();
    EXPECT_EQ(bar.rect.Height(), 3);
    EXPECT_EQ(bar.rect.left, captionEnd + 8);
    EXPECT_EQ(bar.rect.right, 157);
    EXPECT_EQ(bar.rect.top, 10 - 1);
    EXPECT_EQ(COLORREF(bar.value), GetSysColor(COLOR_BTNTEXT));
}

TEST(ControlButtonLine, AsksForItsWidthAndAtLeastSixteenPixels)
{
    CControlButtonLine button(1.0);
    platform::RecordingDc dc;
    const QSize size = button.GetSize(&dc);
    EXPECT_EQ(size.width(), 160);
    EXPECT_GE(size.height(), 16);
    CControlButtonStyle style(2);
    EXPECT_EQ(style.GetSize(&dc), QSize(110, 16));
}

TEST(ControlButtonStyle, DrawsALineInItsPenStyle)
{
    for (int style = 0; style <= 4; ++style) {
        Shown<CControlButtonStyle> shown(std::make_unique<CControlButtonStyle>(style),
                                         QSize(110, 16));
        platform::RecordingDc dc;
        shown.control->Draw(&dc);
        const auto segments = dc.segments();
        ASSERT_EQ(segments.size(), 1u) << style;
        EXPECT_EQ(segments[0].from, QPoint(5, 8));
        EXPECT_EQ(segments[0].to, QPoint(105, 8));
        EXPECT_EQ(segments[0].pen.lineStyle(), style);
        EXPECT_EQ(segments[0].pen.color(), GetSysColor(COLOR_WINDOWTEXT));
    }
}

TEST(ToolbarControls, CopiesAndStoredSettingsKeepWidthAndStyle)
{
    CControlButtonLine line(7.25);
    line.SetID(1007);
    std::unique_ptr<CXTPControl> lineCopy = line.Clone();
    auto* clonedLine = dynamic_cast<CControlButtonLine*>(lineCopy.get());
    ASSERT_NE(clonedLine, nullptr);
    EXPECT_DOUBLE_EQ(clonedLine->width(), 7.25);
    EXPECT_EQ(clonedLine->GetID(), 1007);

    CControlButtonStyle style(3);
    std::unique_ptr<CXTPControl> styleCopy = style.Clone();
    ASSERT_NE(dynamic_cast<CControlButtonStyle*>(styleCopy.get()), nullptr);
    EXPECT_EQ(dynamic_cast<CControlButtonStyle*>(styleCopy.get())->style(), 3);

    CXTPPropExchange storeLine;
    line.DoPropExchange(&storeLine);
    EXPECT_DOUBLE_EQ(storeLine.data().value(QStringLiteral("Width")).toDouble(), 7.25);
    CControlButtonLine loadedLine;
    CXTPPropExchange loadLine(storeLine.data());
    loadedLine.DoPropExchange(&loadLine);
    EXPECT_DOUBLE_EQ(loadedLine.width(), 7.25);
    EXPECT_EQ(loadedLine.GetID(), 1007);

    CXTPPropExchange storeStyle;
    style.DoPropExchange(&storeStyle);
    EXPECT_EQ(storeStyle.data().value(QStringLiteral("Style")).toInt(), 3);
    CControlButtonStyle loadedStyle;
    CXTPPropExchange loadStyle(storeStyle.data());
    loadedStyle.DoPropExchange(&loadStyle);
    EXPECT_EQ(loadedStyle.style(), 3);

    // Created by class name, as cloned bars are.
    EXPECT_NE(dynamic_cast<CVes_ControlComboBoxLW*>(
                  widgara::createControl(QStringLiteral("CVes_ControlComboBoxLW")).get()),
              nullptr);
}

TEST(ControlComboBoxLW, HoldsTenNumberedWidths)
{
    CVes_ControlComboBoxLW combo;
    EXPECT_EQ(combo.GetListBoxStyle() & (CBS_OWNERDRAWFIXED | CBS_HASSTRINGS),
              CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    ASSERT_EQ(combo.GetCount(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(combo.GetLBText(i), QString::number(i + 1) + QStringLiteral("号"));
        EXPECT_EQ(combo.GetItemData(i), quintptr(i + 1));
    }
    EXPECT_EQ(combo.GetCurSel(), 0);
}

struct EntryCase {
    int index;
    unsigned state;
    int penWidth;
    COLORREF textColour;
    int focusRects;
};

class ControlComboBoxLWEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(ControlComboBoxLWEntry, DrawsALineSampleAndTheCaption)
{
    const EntryCase c = GetParam();
    CVes_ControlComboBoxLW combo;
    platform::RecordingDc dc;
    XTPDrawItemStruct item;
    item.pDC = &dc;
    item.rcItem = platform::Rect(0, 0, 100, 18);
    item.itemID = c.index;
    item.itemState = c.state;
    item.itemData = combo.GetItemData(c.index);
    combo.DrawItem(&item);

    const auto fills = dc.records(DcOp::FillSolidRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].rect, item.rcItem);
    EXPECT_EQ(COLORREF(fills[0].value), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(dc.count(DcOp::DrawFocusRect), c.focusRects);

    // Shrunk by 2: 2..98, a quarter of 96 is 24.
    const auto segments = dc.segments();
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].from, QPoint(4, 9));
    EXPECT_EQ(segments[0].to, QPoint(2 + 48 - 2, 9));
    EXPECT_EQ(segments[0].pen.width(), c.penWidth);

    const auto texts = dc.records(DcOp::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, combo.GetLBText(c.index));
    EXPECT_EQ(texts[0].rect.left, 2 + 48 + 6);
    EXPECT_EQ(texts[0].state.textColor, c.textColour);
}

INSTANTIATE_TEST_SUITE_P(
    States, ControlComboBoxLWEntry,
    ::testing::Values(EntryCase{0, 0, 1, GetSysColor(COLOR_WINDOWTEXT), 0},
                      EntryCase{9, 0, 10, GetSysColor(COLOR_WINDOWTEXT), 0},
                      EntryCase{4, ODS_SELECTED | ODS_FOCUS, 5, GetSysColor(COLOR_WINDOWTEXT), 1},
                      EntryCase{7, ODS_DISABLED, 2, RGB(255, 255, 255), 0}));
