// What a typed cell's commit repaints in the bar-list view: the rows its
// change reaches and the page summary, not the whole page; and the screen
// then shows exactly what a whole repaint draws.

#include "tests/tables/barlist/barview_support.h"

#include <QBackingStore>
#include <QImage>
#include <QPaintEvent>
#include <QRegion>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>

namespace {

using Table = CVes_SetupTable;

struct CommitCase {
    const char* name;
    int row;
    int column;
    const char* text;
    bool pageSummary;
    bool partial; // only some rows are repainted
};

std::ostream& operator<<(std::ostream& os, const CommitCase& c)
{
    return os << c.name;
}

// The regions the view's client area was asked to paint.
class PaintedRegions : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion region;
};

class CommitRepaint : public test::ShownBarList, public ::testing::WithParamInterface<CommitCase> {
protected:
    // The client area as the window shows it now.
    QImage onScreen() const
    {
        QBackingStore* store = view.backingStore();
        auto* image = store ? dynamic_cast<QImage*>(store->paintDevice()) : nullptr;
        if (!image)
            return {};
        const QPoint at = view.viewport()->mapTo(&view, QPoint(0, 0));
        return image->copy(QRect(at, view.viewport()->size())).convertToFormat(QImage::Format_RGB32);
    }
    // The client area drawn whole, as it is now.
    QImage drawnWhole() const
    {
        return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

TEST_P(CommitRepaint, TheScreenShowsWhatAWholeRepaintDraws)
{
    const CommitCase& c = GetParam();
    // The remarks of the two bars are one merged remark.
    test::listLine(t, test::kBarRow)->setRemarkMerge(CVes_SetupTableLine::kRemarkMergeFirst);
    test::listLine(t, test::kGradedRow)->setRemarkMerge(CVes_SetupTableLine::kRemarkMergeNext);
    t.m_pageSummary = c.pageSummary ? 1 : 0;
    t.m_summaryRowHeight = 2;
    view.repaint();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();
    const QImage before = onScreen();
    ASSERT_FALSE(before.isNull()) << "the window system keeps no picture of the window";
    ASSERT_EQ(before, drawnWhole());

    PaintedRegions painted;
    view.viewport()->installEventFilter(&painted);
    view.EndCellEdit(c.row, c.column, QString::fromUtf8(c.text));
    QCoreApplication::processEvents();
    view.viewport()->removeEventFilter(&painted);

    const QImage after = onScreen();
    EXPECT_NE(after, before) << "the commit shows";
    EXPECT_EQ(after, drawnWhole()) << "something stale stays on the screen";
    const bool whole = (QRegion(view.viewport()->rect()) - painted.region).isEmpty();
    EXPECT_EQ(whole, !c.partial) << "repainted: " << painted.region.boundingRect().height()
                                 << " of " << view.viewport()->height() << " pixels high";
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CommitRepaint,
    ::testing::Values(
        // The bar's totals and its element's weight change.
        CommitCase{"bar_count", test::kBarRow, Table::kColCount, "5", false, true},
        CommitCase{"bar_count_with_page_summary", test::kBarRow, Table::kColCount, "5", true, true},
        CommitCase{"graded_bar_size", test::kGradedRow, Table::kColGrade, "C25", true, true},
        // The second bar shows the first one's remark.
        CommitCase{"merged_remark", test::kBarRow, Table::kColRemark, "上部", false, true},
        // Every bar it counts changes its totals.
        CommitCase{"element_pieces", test::kElementRow, Table::kColCount, "3", true, true},
        CommitCase{"text_row", test::kTextRow, 0, "小计", false, true},
        // A new bar on the empty line: an empty line may follow it.
        CommitCase{"empty_line", test::kEmptyRow, Table::kColNumber, "9", true, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
