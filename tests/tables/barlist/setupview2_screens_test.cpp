// Pictures of the bar-list view being edited and of its dialogs, for a
// person to look at: written to $RODO_SCREENSHOT_DIR when it is set (run
// under a virtual display for real windows), skipped otherwise.

#include "tests/support/modal.h"
#include "tests/tables/barlist/barlist_pages.h"
#include "tests/tables/barlist/barview_support.h"

#include "grid/gridctrl.h"
#include "shapeui/selectshapedlg.h"
#include "shapeui/shapelistctrl.h"
#include "tables/barlist/ui/beamhoopcountdlg.h"
#include "tables/barlist/ui/columnhoopcountdlg.h"
#include "tables/barlist/ui/columnhoopdlg.h"
#include "tables/barlist/ui/uniteditdlg.h"

#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString screenshotDir()
{
    return qEnvironmentVariable("RODO_SCREENSHOT_DIR");
}

void save(const QImage& image, const char* name)
{
    ASSERT_FALSE(image.isNull()) << name;
    EXPECT_TRUE(image.save(QDir(screenshotDir()).filePath(QString::fromLatin1(name))));
}

// The whole screen when the display can give it, else the window and the
// dialog over it painted together.
QImage screenWith(QWidget& window, QWidget& dialog)
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QPixmap shot = screen->grabWindow(0);
        if (!shot.isNull() && shot.width() > 1)
            return shot.toImage();
    }
    QImage image = window.grab().toImage();
    QPainter painter(&image);
    painter.drawPixmap(dialog.mapToGlobal(QPoint()) - window.mapToGlobal(QPoint()), dialog.grab());
    return image;
}

class BarListScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (screenshotDir().isEmpty())
            GTEST_SKIP() << "RODO_SCREENSHOT_DIR is not set";
        // Two elements of ten bars each: twenty bars on the first page.
        test::fillDemoList(t);
        while (t.lines().size() > 22)
            CVes_TableBase::disposeLine(t.m_lines.takeLast());
        t.setPageTo(1, 1);
        t.resetUndo();
        view.setWindowTitle(QStringLiteral("钢筋配料单 - 二层梁柱板"));
        view.resize(1500, 950);
        view.setTable(&t);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.viewport()->grab();
    }
    void TearDown() override
    {
        view.endEdit();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    test::HostScope host;
    test::EditHabits habits;
    CVes_SetupTable t;
    test::BarView view;
};

TEST_F(BarListScreens, AnOpenEditorAndTheShapeChooser)
{
    // Row 5 is bar 4; its count is being typed.
    t.AddSelect(5, 1);
    t.setCurRow(5);
    t.setCurCol(6);
    QTest::keyClick(&view, Qt::Key_1);
    QTest::keyClicks(view.viewport()->focusWidget(), QStringLiteral("2"));
    QTest::qWait(50);
    save(view.grab().toImage(), "barlist-view-editing.png");
    view.endEdit();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A dimension of the shape in place.
    t.setCurCol(4);
    QTest::keyClick(&view, Qt::Key_Return);
    QTest::keyClick(&view, Qt::Key_3);
    QTest::keyClicks(view.viewport()->focusWidget(), QStringLiteral("250"));
    QTest::qWait(50);
    save(view.grab().toImage(), "barlist-view-dimension.png");
    if (QWidget* box = view.viewport()->focusWidget(); box && box != view.viewport()) {
        const QRect around = box->geometry().adjusted(-200, -30, 200, 30);
        const QImage close = view.viewport()->grab(around).toImage();
        save(close.scaled(close.size() * 3), "barlist-view-dimension-close.png");
    }
    view.endEdit();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    test::onNextModal<CVes_SelectShapeDlg>([this](CVes_SelectShapeDlg* dlg) {
        CVes_ShapeListCtrl* list = dlg->shapeList();
        for (int i = 0; i < list->GetItemCount(); ++i)
            list->SetItemState(i, i == 2 ? CVes_ShapeListCtrl::LVIS_SELECTED : 0u,
                               CVes_ShapeListCtrl::LVIS_SELECTED);
        QTest::qWait(100);
        save(screenWith(view, *dlg), "barlist-view-shape-chooser.png");
        dlg->accept();
    });
    view.changeSteel(5, 4);
    view.viewport()->grab();
    save(view.grab().toImage(), "barlist-view-after-choice.png");
}

TEST_F(BarListScreens, TheDialogs)
{
    CVes_BeamHoopCountDlg beam;
    beam.factorCombo()->setCurrentIndex(2);
    beam.grid()->OnEndEditCell(1, CVes_BeamHoopCountDlg::kColLength, QStringLiteral("6000"));
    beam.addSpan();
    beam.grid()->OnEndEditCell(2, CVes_BeamHoopCountDlg::kColLength, QStringLiteral("4500"));
    beam.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&beam));
    save(beam.grab().toImage(), "beam-hoop-dialog.png");

    CColumnHoopCountDlg wall;
    wall.setDesign(30.0f, 2.0f, 1);
    wall.heightEdit()->setText(QStringLiteral("3000"));
    wall.compute();
    wall.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wall));
    save(wall.grab().toImage(), "wall-column-hoop-dialog.png");

    CVes_ColumnHoopCalcDlg column;
    column.heightEdit()->setText(QStringLiteral("3000"));
    column.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&column));
    save(column.grab().toImage(), "column-hoop-dialog-hn6.png");
    column.ruleCombo()->setCurrentIndex(ColumnHoopRuleGround);
    save(column.grab().toImage(), "column-hoop-dialog-ground.png");

    CUnitEditDlg units;
    CVes_SetupTable list;
    test::fillSmallList(list);
    units.load(list, *test::listLine(list, test::kUnitRow));
    units.show();
    units.toggleGrid();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&units));
    save(units.grab().toImage(), "unit-edit-dialog.png");
}

} // namespace
