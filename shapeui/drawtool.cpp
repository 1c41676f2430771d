#include "shapeui/drawtool.h"

#include "core/geometry/geometry.h"
#include "shapeui/recorddrawview.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

using namespace platform::gdi;

namespace {

int g_drawMode = kDrawSelect;

std::vector<CVes_DrawTool*>& registry()
{
    static std::vector<CVes_DrawTool*> tools;
    return tools;
}

// The tracking gesture running, and on which canvas.
CVes_DrawTool* g_trackTool = nullptr;
const CVes_ModelRecordDrawView* g_trackView = nullptr;

QPoint snappedLogical(const CVes_ModelRecordDrawView* view, QPoint device)
{
    return view->snapToGrid(view->clientToLogical(device));
}

// Rubber bands: a solid white one-unit pen on a transparent background.
class RubberPen {
public:
    explicit RubberPen(platform::Dc* dc)
        : m_dc(dc)
        , m_pen(dc->SelectObject(platform::Pen(PS_SOLID, 1, RGB(255, 255, 255))))
        , m_brush(dc->SelectObject(platform::Brush::stock(NULL_BRUSH)))
        , m_bkMode(dc->SetBkMode(TRANSPARENT))
    {
    }
    ~RubberPen()
    {
        m_dc->SetBkMode(m_bkMode);
        m_dc->SelectObject(m_brush);
        m_dc->SelectObject(m_pen);
    }
    RubberPen(const RubberPen&) = delete;
    RubberPen& operator=(const RubberPen&) = delete;

private:
    platform::Dc* m_dc;
    platform::Pen m_pen;
    platform::Brush m_brush;
    int m_bkMode;
};

void drawRubberLine(platform::Dc* dc, QPoint from, QPoint to)
{
    RubberPen pen(dc);
    dc->MoveTo(from);
    dc->LineTo(to);
}

double angleOnScreen(double x, double y, double cx, double cy)
{
    const double a = std::atan2(-(y - cy), x - cx);
    return a < 0 ? a + 2 * std::numbers::pi : a;
}

// Tools of the editor, one of each, registered in this order.
CVes_SelectTool g_selectTool;
CVes_LineTool g_lineTool;
CVes_PolylineTool g_polylineTool;
CVes_ArcTool g_arcTool;
CVes_CircleTool g_circleTool;
CVes_TextTool g_variableTool(kDrawVariable);
CVes_TextTool g_textTool(kDrawText);
CVes_JointTool g_jointTool;

} // namespace

int getDrawMode()
{
    return g_drawMode;
}

void setDrawMode(int mode)
{
    g_drawMode = mode;
}

CVes_DrawTool::CVes_DrawTool(int drawMode)
    : m_drawShape(drawMode)
{
    registry().push_back(this);
}

CVes_DrawTool::~CVes_DrawTool()
{
    auto& tools = registry();
    tools.erase(std::remove(tools.begin(), tools.end(), this), tools.end());
    if (g_trackTool == this)
        g_trackTool = nullptr;
}

CVes_DrawTool::GestureState& CVes_DrawTool::gesture()
{
    static GestureState state;
    return state;
}

CVes_DrawTool* CVes_DrawTool::findTool(int mode)
{
    for (CVes_DrawTool* tool : registry()) {
        if (tool->m_drawShape == mode)
            return tool;
    }
    return nullptr;
}

void CVes_DrawTool::forgetView(const CVes_ModelRecordDrawView* view)
{
    if (g_trackView == view) {
        g_trackTool = nullptr;
        g_trackView = nullptr;
    }
    for (CVes_DrawTool* tool : registry())
        tool->viewGone(view);
    gesture() = GestureState();
}

CVes_DrawTool* CVes_DrawTool::trackingTool(const CVes_ModelRecordDrawView* view)
{
    return g_trackView == view ? g_trackTool : nullptr;
}

void CVes_DrawTool::OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point)
{
    view->setCapture();
    GestureState& g = gesture();
    g.downFlags = flags;
    g.downPoint = point;
    g.lastPoint = point;
}

void CVes_DrawTool::OnLButtonUp(CVes_ModelRecordDrawView* view, unsigned, QPoint point)
{
    view->releaseCapture();
    if (point == gesture().downPoint)
        setDrawMode(kDrawSelect);
}

void CVes_DrawTool::OnMouseMove(CVes_ModelRecordDrawView* view, unsigned, QPoint point)
{
    gesture().lastPoint = point;
    view->setCursor(Qt::ArrowCursor);
}

void CVes_DrawTool::OnRButtonDown(CVes_ModelRecordDrawView* view, unsigned, QPoint)
{
    view->closeTextEdit();
}

void CVes_SelectTool::OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point)
{
    GestureState& g = gesture();
    const QPoint logical = view->clientToLogical(point);
    const bool shift = flags & MK_SHIFT;
    g.selectMode = 0;
    if (!view->selection().empty() && !shift) {
        // A drag moves the whole selection wherever it starts.
        g.selectMode = 2;
    } else {
        CVes_ModelRecord* model = view->getModel();
        CVes_DrawObject* hit = model ? model->HitTest(view->logicalToModelRounded(logical)) : nullptr;
        if (hit) {
            g.selectMode = 2;
            view->selectObject(hit, shift);
        } else {
            if (!shift)
                view->clearSelection();
            g.selectMode = 1;
        }
    }
    view->update();
    g.lastLogical = logical;
    g.moveRestX = 0.0;
    g.moveRestY = 0.0;
    CVes_DrawTool::OnLButtonDown(view, flags, point);
}

void CVes_SelectTool::moveSelection(CVes_ModelRecordDrawView* view, QPoint logical)
{
    GestureState& g = gesture();
    // Items are in model units: move by the change divided by the scale,
    // keeping the part below one unit for the next move.
    const QPoint change = logical - g.lastLogical;
    g.moveRestX += change.x() / view->m_scale;
    g.moveRestY += change.y() / view->m_scale;
    const int dx = int(g.moveRestX);
    const int dy = int(g.moveRestY);
    g.moveRestX -= dx;
    g.moveRestY -= dy;
    if (dx == 0 && dy == 0)
        return;
    for (CVes_DrawObject* item : view->selection())
        item->Move(QPoint(dx, dy));
}

void CVes_SelectTool::OnMouseMove(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point)
{
    GestureState& g = gesture();
    if (g.selectMode == 2) {
        const QPoint logical = view->clientToLogical(point);
        moveSelection(view, logical);
        g.lastLogical = logical;
        g.lastPoint = point;
        if (!view->selection().empty() && (flags & MK_LBUTTON))
            view->update();
    } else if (g.selectMode == 1) {
        g.lastPoint = point;
        view->update();
    }
    if (getDrawMode() == kDrawSelect)
        CVes_DrawTool::OnMouseMove(view, flags, point);
}

platform::Rect CVes_SelectTool::focusRect() const
{
    const GestureState& g = gesture();
    if (g.selectMode != 1)
        return platform::Rect(0, 0, 0, 0);
    platform::Rect r(g.downPoint, g.lastPoint);
    r.NormalizeRect();
    return r;
}

void CVes_SelectTool::OnLButtonUp(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point)
{
    GestureState& g = gesture();
    if (view->hasCapture() && g.selectMode == 1) {
        platform::Rect r(g.downPoint, point);
        r.NormalizeRect();
        view->clientToLogical(&r);
        const QPoint topLeft = view->logicalToModelRounded(r.TopLeft());
        const QPoint bottomRight = view->logicalToModelRounded(r.BottomRight());
        view->selectInRect(platform::Rect(topLeft, bottomRight), true);
        view->update();
    }
    g.selectMode = 0;
    view->update();
    CVes_DrawTool::OnLButtonUp(view, flags, point);
}

void CVes_SelectTool::OnRButtonDown(CVes_ModelRecordDrawView* view, unsigned, QPoint)
{
    view->clearSelection();
    view->update();
}

void CVes_SelectTool::drawRubberBand(CVes_ModelRecordDrawView* view, platform::Dc* dc) const
{
    platform::Rect r = focusRect();
    if (r.IsRectEmpty() || !view->hasCapture())
        return;
    view->clientToLogical(&r);
    dc->DrawFocusRect(r);
}

bool CVes_TrackingTool::beginTracking(CVes_ModelRecordDrawView* view)
{
    if (view->rect().isEmpty())
        return false;
    m_saved[0] = m_start;
    m_saved[1] = m_second;
    m_saved[2] = m_third;
    m_saved[3] = m_current;
    g_trackTool = this;
    g_trackView = view;
    view->setCapture();
    view->setFocus(Qt::MouseFocusReason);
    return true;
}

void CVes_TrackingTool::endTracking(CVes_ModelRecordDrawView* view, bool cancelled)
{
    g_trackTool = nullptr;
    g_trackView = nullptr;
    view->releaseCapture();
    if (cancelled) {
        m_start = m_saved[0];
        m_second = m_saved[1];
        m_third = m_saved[2];
        m_current = m_saved[3];
    }
    view->update();
}

void CVes_TrackingTool::follow(CVes_ModelRecordDrawView* view, QPoint point)
{
    const QPoint p = snappedLogical(view, point);
    if (p != m_current) {
        m_current = p;
        view->update();
    }
}

void CVes_TrackingTool::trackMove(CVes_ModelRecordDrawView* view, QPoint point)
{
    follow(view, point);
}

void CVes_TrackingTool::trackPress(CVes_ModelRecordDrawView* view, QPoint point)
{
    follow(view, point);
    pressAt(view, m_current);
}

bool CVes_TrackingTool::trackKey(CVes_ModelRecordDrawView* view, TrackKey key)
{
    if (key == TrackKey::Other)
        return false;
    trackCancel(view);
    return true;
}

void CVes_TrackingTool::trackCancel(CVes_ModelRecordDrawView* view)
{
    cancelled(view);
    endTracking(view, true);
}

void CVes_TrackingTool::trackLost(CVes_ModelRecordDrawView* view)
{
    lost(view);
}

QPoint CVes_TrackingTool::chainStart(CVes_ModelRecordDrawView* view, QPoint logicalPress)
{
    const CVes_ModelRecord* model = view->getModel();
    if (view->m_plainLine == 0 && model && !model->m_arrSide.empty())
        return view->modelToLogical(model->m_arrSide.back()->getEnd());
    return view->snapToGrid(logicalPress);
}

void CVes_LineTool::OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point)
{
    CVes_DrawTool::OnLButtonDown(view, flags, point);
    m_start = snappedLogical(view, point);
    m_current = m_start;
    beginTracking(view);
}

bool CVes_LineTool::pressAt(CVes_ModelRecordDrawView* view, QPoint logical)
{
    endTracking(view, false);
    view->addLineItem(m_start.x(), m_start.y(), logical.x(), logical.y());
    view->update();
    return false;
}

void CVes_LineTool::drawRubberBand(CVes_ModelRecordDrawView* view, platform::Dc* dc) const
{
    if (trackingTool(view) == this && m_current != m_start)
        drawRubberLine(dc, m_start, m_current);
}

void CVes_PolylineTool::OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point)
{
    CVes_DrawTool::OnLButtonDown(view, flags, point);
    m_start = chainStart(view, view->clientToLogical(point));
    m_current = m_start;
    m_open = true;
    m_chainView = view;
}

void CVes_PolylineTool::viewGone(const CVes_ModelRecordDrawView* view)
{
    if (m_chainView == view) {
        m_open = false;
        m_chainView = nullptr;
    }
}

void CVes_PolylineTool::OnMouseMove(CVes_ModelRecordDrawView* view, unsigned, QPoint point)
{
    // A chain resumes only on the canvas it was started on.
    if (m_open && m_chainView == view && beginTracking(view))
        trackMove(view, point);
}

bool CVes_PolylineTool::pressAt(CVes_ModelRecordDrawView* view, QPoint logical)
{
    view->addLineItem(m_start.x(), m_start.y(), logical.x(), logical.y());
    view->notifyShapeChanged();
    view->update();
    m_start = logical;
    return true;
}

void CVes_PolylineTool::lost(CVes_ModelRecordDrawView* view)
{
    endTracking(view, false);
}

void CVes_PolylineTool::drawRubberBand(CVes_ModelRecordDrawView* view, platform::Dc* dc) const
{
    if (trackingTool(view) == this && m_current != m_start)
        drawRubberLine(dc, m_start, m_current);
}

void CVes_ArcTool::OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point)
{
    CVes_DrawTool::OnLButtonDown(view, flags, point);
    m_start = chainStart(view, view->clientToLogical(point));
    m_current = m_start;
    m_haveSecond = false;
    beginTracking(view);
}

bool CVes_ArcTool::isProperArc(QPoint start, QPoint through, QPoint end)
{
    if (end == start || through == start)
        return false;
    if (std::fabs(getSlope(&start, &through) - getSlope(&start, &end)) < 0.01)
        return false;
    const double mx = (start.x() + end.x()) / 2.0;
    const double my = (start.y() + end.y()) / 2.0;
    const double toThrough = std::hypot(through.x() - mx, through.y() - my);
    const double toStart = std::hypot(start.x() - mx, start.y() - my);
    return toThrough <= toStart;
}

bool CVes_ArcTool::pressAt(CVes_ModelRecordDrawView* view, QPoint logical)
{
    if (!m_haveSecond) {
        m_second = logical;
        m_haveSecond = true;
        view->update();
        return true;
    }
    m_third = logical;
    const bool proper = isProperArc(m_start, m_second, m_third);
    endTracking(view, false);
    if (proper)
        view->addArcItem(m_start, m_third, m_second);
    view->update();
    return false;
}

void CVes_ArcTool::drawRubberBand(CVes_ModelRecordDrawView* view, platform::Dc* dc) const
{
    if (trackingTool(view) != this)
        return;
    if (!m_haveSecond) {
        if (m_current != m_start)
            drawRubberLine(dc, m_start, m_current);
        return;
    }
    const QPoint a = m_start;
    const QPoint b = m_second;
    const QPoint c = m_current;
    if (!isProperArc(a, b, c))
        return;
    // The centre: where the perpendicular bisectors of a-b and a-c meet.
    const double bx = b.x() - a.x(), by = b.y() - a.y();
    const double cx = c.x() - a.x(), cy = c.y() - a.y();
    const double d = 2 * (bx * cy - by * cx);
    if (d == 0)
        return;
    const double ux = (cy * (bx * bx + by * by) - by * (cx * cx + cy * cy)) / d + a.x();
    const double uy = (bx * (cx * cx + cy * cy) - cx * (bx * bx + by * by)) / d + a.y();
    const double r = std::hypot(a.x() - ux, a.y() - uy);
    const platform::Rect box(int(ux - r), int(uy - r), int(ux + r), int(uy + r));

    // Arc runs counter-clockwise on the device: pick the order of the ends
    // that passes through the second point.
    const double twoPi = 2 * std::numbers::pi;
    const double sa = angleOnScreen(a.x(), a.y(), ux, uy);
    const double sb = std::fmod(angleOnScreen(b.x(), b.y(), ux, uy) - sa + twoPi, twoPi);
    const double sc = std::fmod(angleOnScreen(c.x(), c.y(), ux, uy) - sa + twoPi, twoPi);
    bool forward = sb < sc;
    if (dc->GetWindowExt().height() * dc->GetViewportExt().height() < 0)
        forward = !forward;
    RubberPen pen(dc);
    if (forward)
        dc->Arc(box, a, c);
    else
        dc->Arc(box, c, a);
}

void CVes_CircleTool::OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point)
{
    CVes_DrawTool::OnLButtonDown(view, flags, point);
    m_start = view->clientToLogical(point);
    m_current = m_start;
    beginTracking(view);
}

bool CVes_CircleTool::pressAt(CVes_ModelRecordDrawView* view, QPoint logical)
{
    endTracking(view, false);
    view->addCircleItem(m_start, logical);
    view->update();
    return false;
}

void CVes_CircleTool::drawRubberBand(CVes_ModelRecordDrawView* view, platform::Dc* dc) const
{
    if (trackingTool(view) != this)
        return;
    const int r = int(getDist(&m_start, &m_current));
    if (r <= 0)
        return;
    const QPoint c = m_start;
    RubberPen pen(dc);
    dc->Arc(platform::Rect(c.x() - r, c.y() - r, c.x() + r, c.y() + r), QPoint(c.x() + r, c.y()),
            QPoint(c.x() + r, c.y()));
}

void CVes_JointTool::OnLButtonDown(CVes_ModelRecordDrawView* view, unsigned flags, QPoint point)
{
    CVes_DrawTool::OnLButtonDown(view, flags, point);
    const QPoint p = snappedLogical(view, point);
    view->releaseCapture();
    view->addJointItem(p);
    view->update();
}
