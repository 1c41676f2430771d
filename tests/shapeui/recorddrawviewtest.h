#pragma once
// A shape canvas on a shown owner window, fitted to a fresh record, with
// its grid drawn once, for the canvas and drawing-tool tests.

#include "shapeui/drawtool.h"
#include "shapeui/recorddrawview.h"

#include <QTest>
#include <QWidget>

#include <cmath>

namespace test {

struct Canvas {
    CVes_ModelRecord record;
    QWidget owner;
    CVes_ModelRecordDrawView* view = nullptr;
    int notices = 0;

    // A 1500 × 300 record on a 600 × 120 pixel area: 1588 × 318 logical
    // units at 96 dots per inch, grid step 21.
    explicit Canvas(QSize area = QSize(600, 120), bool withOwner = true)
    {
        setDrawMode(kDrawSelect);
        owner.resize(area + QSize(20, 20));
        view = new CVes_ModelRecordDrawView(&owner);
        view->setModel(&record);
        if (withOwner)
            view->setOwner(&owner);
        QObject::connect(view, &CVes_ModelRecordDrawView::shapeChanged, view, [this](int message) {
            if (message == WM_VES_SHAPECHANGED)
                ++notices;
        });
        const platform::Rect fitted = view->fitModelRect(0, 0, area.width(), area.height());
        view->setGeometry(fitted.left, fitted.top, fitted.Width(), fitted.Height());
        owner.show();
        paint();
    }
    ~Canvas() { setDrawMode(kDrawSelect); }

    // Paints the canvas once, which lays out the grid.
    void paint() { view->grab(); }

    void click(QPoint device, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseMove(view, device);
        QTest::mouseClick(view, Qt::LeftButton, modifiers, device);
    }
    void key(Qt::Key k) { QTest::keyClick(view, k); }

    // Where a device point lands in the model: to logical units (254 per
    // inch of 96 dots), onto the grid of step 21, then divided by the scale.
    static int toLogical(int device) { return int(std::lround(device * 254.0 / 96.0)); }
    static int toGrid(int logical) { return int(std::lround(logical / 21.0)) * 21; }
    double scale() const { return view->m_scale; }
    QPoint snappedModel(QPoint device) const
    {
        return QPoint(int(toGrid(toLogical(device.x())) / scale()),
                      int(toGrid(toLogical(device.y())) / scale()));
    }
    QPoint unsnappedModel(QPoint device) const
    {
        return QPoint(int(toLogical(device.x()) / scale()), int(toLogical(device.y()) / scale()));
    }
};

} // namespace test
