// The bar-tag view shown in a window: a click picks the tag under the
// pointer, which is then drawn highlighted. With RODO_TAG_VIEW_SHOT naming a
// file, the window is saved there for a look.

#include "tests/tables/processing/liaopai_support.h"

#include "tables/processing/ui/liaopaiview.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(LiaoPaiView, AClickPicksTheTagUnderThePointer)
{
    test::ProcessingShapes shapes;
    CVes_ProcessTable sheet;
    test::fillSheet(sheet, 2, 6);
    CVes_LiaoPaiTable tags;
    sheet.toLiaoPaiTable(&tags);

    CVes_LiaoPaiView view;
    EXPECT_EQ(view.getViewType(), CVes_TableViewBase::kBarTagView);
    view.resize(1400, 1000);
    view.setTable(&tags);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.viewport()->repaint();

    // Column 2, row 1 of the default layout's grid: position 6.
    const double s = tags.m_drawScale;
    const QPoint o = tags.m_paperptO;
    const QPoint logical(int(o.x() + 1800 * s), int(o.y() + 1500 * s));
    const QPoint pixel = view.LPtoDP(logical);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, pixel);
    EXPECT_EQ(tags.getCurRow(), 6);
    view.viewport()->repaint();

    const QString path = qEnvironmentVariable("RODO_TAG_VIEW_SHOT");
    if (!path.isEmpty())
        view.grab().save(path);
}

} // namespace
