#include "shapeui/recorddrawview.h"

#include "core/geometry/geometry.h"
#include "platform/painterdc.h"
#include "platform/recordingdc.h"
#include "shapeui/drawtool.h"
#include "shapeui/labeledit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

using namespace platform::gdi;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

unsigned keyFlags(const QMouseEvent* event)
{
    unsigned flags = 0;
    if (event->buttons() & Qt::LeftButton)
        flags |= CVes_DrawTool::MK_LBUTTON;
    if (event->buttons() & Qt::RightButton)
        flags |= CVes_DrawTool::MK_RBUTTON;
    if (event->modifiers() & Qt::ShiftModifier)
        flags |= CVes_DrawTool::MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier)
        flags |= CVes_DrawTool::MK_CONTROL;
    return flags;
}

// A context of the window for conversions: the canvas mapping on a device
// of the window's resolution.
class MappingDc {
public:
    explicit MappingDc(const CVes_ModelRecordDrawView* view)
        : m_dc(platform::RecordingDc::Device{view->logicalDpiX(), view->logicalDpiY(),
                                              view->width(), view->height(), false, 32})
    {
        view->prepareDc(&m_dc);
    }
    platform::Dc* operator->() { return &m_dc; }

private:
    platform::RecordingDc m_dc;
};

} // namespace

CVes_ModelRecordDrawView::CVes_ModelRecordDrawView(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    updateCursor();
}

CVes_ModelRecordDrawView::~CVes_ModelRecordDrawView()
{
    CVes_DrawTool::forgetView(this);
    // An edit still open dies with the canvas and reports to no one.
    if (m_edit)
        m_edit->disconnect(this);
    // The record may be gone already: the items are not touched.
    m_selection.clear();
}

void CVes_ModelRecordDrawView::setModel(CVes_ModelRecord* model)
{
    clearSelection();
    m_model = model;
    m_history.clear();
    // The state before the first edit, so that every edit can be undone.
    if (m_model)
        m_history.pushState(m_model);
    update();
}

void CVes_ModelRecordDrawView::prepareDc(platform::Dc* dc) const
{
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(kUnitsPerInch, kUnitsPerInch);
    dc->SetViewportExt(dc->GetDeviceCaps(LOGPIXELSX), dc->GetDeviceCaps(LOGPIXELSY));
}

void CVes_ModelRecordDrawView::clientToLogical(QPoint* points, int count) const
{
    MappingDc(this)->DPtoLP(points, count);
}

void CVes_ModelRecordDrawView::clientToLogical(platform::Rect* rect) const
{
    MappingDc(this)->DPtoLP(rect);
}

void CVes_ModelRecordDrawView::logicalToClient(QPoint* points, int count) const
{
    MappingDc(this)->LPtoDP(points, count);
}

void CVes_ModelRecordDrawView::logicalToClient(platform::Rect* rect) const
{
    MappingDc(this)->LPtoDP(rect);
}

QPoint CVes_ModelRecordDrawView::logicalToModel(QPoint logical) const
{
    return QPoint(int(logical.x() / m_scale), int(logical.y() / m_scale));
}

QPoint CVes_ModelRecordDrawView::logicalToModelRounded(QPoint logical) const
{
    return QPoint(int(logical.x() / m_scale + 0.5), int(logical.y() / m_scale + 0.5));
}

QPoint CVes_ModelRecordDrawView::modelToLogical(QPoint model) const
{
    return QPoint(int(model.x() * m_scale + 0.5), int(model.y() * m_scale + 0.5));
}

platform::Rect CVes_ModelRecordDrawView::fitModelRect(int left, int top, int right, int bottom)
{
    if (!m_model || m_model->m_rectW <= 0 || m_model->m_rectH <= 0)
        return platform::Rect(0, 0, 0, 0);
    const double w = m_model->m_rectW;
    const double h = m_model->m_rectH;
    const double areaW = right - left;
    const double areaH = bottom - top;
    double width = 0.0;
    double height = 0.0;
    if (areaH > 0 && w / h <= areaW / areaH) {
        height = areaH;
        width = areaH * w / h;
    } else {
        width = std::max(areaW, 0.0);
        height = width * h / w;
    }
    const int cx = (left + right) / 2;
    const int cy = (top + bottom) / 2;
    const platform::Rect fitted(int(cx - width / 2), int(cy - height / 2), int(cx + width / 2),
                                int(cy + height / 2));
    // The canvas is moved onto the fitted rectangle, so its logical width
    // is what the drawing fills.
    platform::Rect logical = fitted;
    clientToLogical(&logical);
    if (logical.Width() > 0)
        m_scale = logical.Width() / w;
    return fitted;
}

QPoint CVes_ModelRecordDrawView::snapToGrid(QPoint logical) const
{
    QPoint best = logical;
    double bestDistance = 10000000.0;
    for (const QPoint& p : m_gridPoints) {
        const double d = getDisPtToPt(logical, p);
        if (d < bestDistance) {
            bestDistance = d;
            best = p;
            if (d < 1.0)
                break;
        }
    }
    return best;
}

void CVes_ModelRecordDrawView::drawGrid(platform::Dc* dc, const platform::Rect& client)
{
    m_gridPoints.clear();
    const int h = client.Height();
    const int w = client.Width();
    const int rows = h / 20;
    if (rows <= 0)
        return;
    const int step = h / rows;
    const int columns = w / step;
    if (columns <= 1)
        return;

    const platform::Pen thin(PS_SOLID, 3, RGB(132, 132, 132));
    const platform::Pen wide(PS_SOLID, 5, RGB(255, 255, 132));
    const platform::Pen old = dc->SelectObject(thin);
    for (int c = 1; c < columns; ++c) {
        const int x = c * step;
        const bool wideColumn = c == columns / 5 || c == columns - columns / 5;
        const platform::Pen previous = wideColumn ? dc->SelectObject(wide) : platform::Pen();
        for (int r = 1; r < rows; ++r) {
            const int y = r * step;
            m_gridPoints.emplace_back(x, y);
            dc->MoveTo(x - 2, y - 1);
            dc->LineTo(x + 1, y + 1);
        }
        if (wideColumn)
            dc->SelectObject(previous);
    }
    dc->SelectObject(old);
}

void CVes_ModelRecordDrawView::OnDraw(platform::Dc* dc, QSize size)
{
    const int oldMode = dc->GetMapMode();
    const QSize oldWindow = dc->GetWindowExt();
    const QSize oldViewport = dc->GetViewportExt();
    prepareDc(dc);
    platform::Rect client(0, 0, size.width(), size.height());
    dc->DPtoLP(&client);

    dc->FillRect(client, platform::Brush::stock(BLACK_BRUSH));
    if (m_showGrid)
        drawGrid(dc, client);
    if (m_model)
        m_model->DrawEx(dc, RGB(0, 255, 0), RGB(255, 0, 0), kWhite, RGB(0, 0, 255), 0, 0, 0, &client,
                        1, 0, -1.0);

    CVes_DrawTool* tool = CVes_DrawTool::trackingTool(this);
    if (!tool)
        tool = CVes_DrawTool::findTool(getDrawMode());
    if (tool)
        tool->drawRubberBand(this, dc);

    dc->SetMapMode(oldMode);
    dc->SetWindowExt(oldWindow);
    dc->SetViewportExt(oldViewport);
}

void CVes_ModelRecordDrawView::paintEvent(QPaintEvent*)
{
    // The widget's back buffer keeps the painting flicker-free.
    QPainter painter(this);
    platform::PainterDc dc(&painter);
    OnDraw(&dc, size());
}

void CVes_ModelRecordDrawView::clearSelection()
{
    for (CVes_DrawObject* item : m_selection)
        item->setStatus(0);
    m_selection.clear();
}

void CVes_ModelRecordDrawView::selectObject(CVes_DrawObject* item, bool add)
{
    if (!add)
        clearSelection();
    if (!item || std::find(m_selection.begin(), m_selection.end(), item) != m_selection.end())
        return;
    m_selection.push_back(item);
    item->setStatus(1);
    update();
}

void CVes_ModelRecordDrawView::deselectObject(CVes_DrawObject* item)
{
    const auto found = std::find(m_selection.begin(), m_selection.end(), item);
    if (found == m_selection.end())
        return;
    m_selection.erase(found);
    item->setStatus(0);
    update();
}

void CVes_ModelRecordDrawView::selectInRect(const platform::Rect& modelRect, bool add)
{
    if (!add)
        clearSelection();
    if (!m_model)
        return;
    for (CVes_DrawObject* item : m_model->getShapeList()) {
        if (item->Intersects(modelRect))
            selectObject(item, true);
    }
}

void CVes_ModelRecordDrawView::notifyShapeChanged()
{
    if (m_owner)
        Q_EMIT shapeChanged(WM_VES_SHAPECHANGED);
}

void CVes_ModelRecordDrawView::addLineItem(int x1, int y1, int x2, int y2)
{
    if (!m_model)
        return;
    const QPoint a = logicalToModel(QPoint(x1, y1));
    const QPoint b = logicalToModel(QPoint(x2, y2));
    if (m_plainLine == 0) {
        m_model->AddLSide(a.x(), a.y(), b.x(), b.y(), m_lineWidth, unsigned(m_lineStyle), kWhite);
        notifyShapeChanged();
    } else {
        m_model->AddLine(a.x(), a.y(), b.x(), b.y(), m_lineWidth, unsigned(m_lineStyle), kWhite);
    }
    pushState();
}

void CVes_ModelRecordDrawView::addArcItem(QPoint first, QPoint second, QPoint third)
{
    if (!m_model)
        return;
    const QPoint a = logicalToModel(first);
    const QPoint b = logicalToModel(second);
    const QPoint c = logicalToModel(third);
    if (m_plainLine != 0) {
        m_model->AddArc(a.x(), a.y(), b.x(), b.y(), c.x(), c.y(), m_lineWidth, unsigned(m_lineStyle),
                        kWhite);
    } else {
        m_model->AddArcSide(a.x(), a.y(), b.x(), b.y(), c.x(), c.y(), m_lineWidth,
                            unsigned(m_lineStyle), kWhite);
        // An arc side changes the bar's sides as a straight one does.
        notifyShapeChanged();
    }
    pushState();
}

void CVes_ModelRecordDrawView::addCircleItem(QPoint centre, QPoint rim)
{
    if (!m_model)
        return;
    const QPoint c = logicalToModel(centre);
    const QPoint r = logicalToModel(rim);
    const int radius = int(getDist(&c, &r));
    m_model->AddCircle(c.x(), c.y(), radius, m_lineWidth, unsigned(m_lineStyle), kWhite);
    pushState();
}

void CVes_ModelRecordDrawView::addJointItem(QPoint point)
{
    if (!m_model)
        return;
    const QPoint p = logicalToModel(point);
    m_model->AddConnect(8, p.x(), p.y(), QStringLiteral("1"));
    notifyShapeChanged();
    pushState();
}

template <typename Apply> void CVes_ModelRecordDrawView::applyToSelection(Apply apply)
{
    if (getDrawMode() != kDrawSelect || m_selection.empty())
        return;
    for (CVes_DrawObject* item : m_selection)
        apply(item);
    pushState();
    update();
}

void CVes_ModelRecordDrawView::setTextHeight(int height)
{
    m_textHeight = height;
    applyToSelection([&](CVes_DrawObject* item) { item->setTxtHigh(m_textHeight * 10); });
}

void CVes_ModelRecordDrawView::setTextAlign(int align)
{
    m_textAlign = align;
    applyToSelection([&](CVes_DrawObject* item) { item->setTxtAlign(unsigned(m_textAlign)); });
}

void CVes_ModelRecordDrawView::setLineWidth(int width)
{
    m_lineWidth = width;
    applyToSelection([&](CVes_DrawObject* item) { item->setLineWidth(unsigned(m_lineWidth)); });
}

void CVes_ModelRecordDrawView::setLineStyle(int style)
{
    m_lineStyle = style;
    applyToSelection([&](CVes_DrawObject* item) { item->setLineStyle(unsigned(m_lineStyle)); });
}

void CVes_ModelRecordDrawView::setVarType(int type)
{
    // The type for new variables stays as the editor set it.
    applyToSelection([&](CVes_DrawObject* item) { item->setVarType(unsigned(type)); });
}

void CVes_ModelRecordDrawView::setVarUnit(int unit)
{
    m_varUnit = unit;
    applyToSelection([&](CVes_DrawObject* item) { item->setVarUnit(unsigned(m_varUnit)); });
}

void CVes_ModelRecordDrawView::setNoPrint(int noPrint)
{
    m_noPrint = noPrint;
    applyToSelection([&](CVes_DrawObject* item) { item->setVarPrint(m_noPrint ? 0 : 1); });
}

void CVes_ModelRecordDrawView::deleteSelection()
{
    if (getDrawMode() != kDrawSelect || !m_model)
        return;
    for (CVes_DrawObject* item : m_selection)
        m_model->deleteObject(item);
    m_selection.clear();
    pushState();
    update();
}

void CVes_ModelRecordDrawView::pushState()
{
    m_history.pushState(m_model);
}

void CVes_ModelRecordDrawView::undo()
{
    // The items are replaced by copies: nothing stays selected.
    m_selection.clear();
    m_history.undo(m_model);
    if (m_model) {
        for (CVes_DrawObject* item : m_model->getShapeList())
            item->setStatus(0);
    }
    update();
}

void CVes_ModelRecordDrawView::redo()
{
    m_selection.clear();
    m_history.redo(m_model);
    if (m_model) {
        for (CVes_DrawObject* item : m_model->getShapeList())
            item->setStatus(0);
    }
    update();
}

void CVes_ModelRecordDrawView::openTextEdit(QPoint p)
{
    MappingDc dc(this);
    const int logicalHeight = int(m_textHeight * m_scale * 10);
    QSize size(logicalHeight, logicalHeight);
    dc->LPtoDP(&size);
    const int height = std::max(size.height(), 1);

    const unsigned style = m_textAlign == 0   ? CVes_LabelEdit::ES_LEFT
                           : m_textAlign == 2 ? CVes_LabelEdit::ES_RIGHT
                                              : CVes_LabelEdit::ES_CENTER;
    auto* edit = new CVes_LabelEdit(this, QRect(p, QSize(height, height)),
                                    style | CVes_LabelEdit::ES_AUTOHSCROLL,
                                    kTextEditId, 0, 0, QString(), CVes_LabelEdit::kEnter);
    connect(edit, &CVes_LabelEdit::labelEditEnded, this,
            [this, edit](const LabelEditEnd& notice) {
                if (m_edit == edit)
                    onTextEditEnded(notice);
            });
    connect(edit, &CVes_LabelEdit::charForOwner, this, [this](int ch) {
        if (ch == CVes_LabelEdit::kTab)
            closeTextEdit();
    });

    m_editFont = QFont(platform::substituteFace(QStringLiteral("Times New Roman")));
    m_editFont.setPixelSize(height);
    m_editFont.setWeight(QFont::DemiBold);
    m_editFont.setStyleHint(QFont::Serif);
    edit->setFont(m_editFont);
    edit->setFocus(Qt::OtherFocusReason);
    m_editAnchor = p;
    m_editMode = getDrawMode();
    m_edit = edit;
}

void CVes_ModelRecordDrawView::onTextEditEnded(const LabelEditEnd& notice)
{
    m_edit = nullptr;
    const QPoint at = logicalToModel(clientToLogical(m_editAnchor));
    if (m_model && notice.hasText && !notice.text.isEmpty()) {
        const int height = m_textHeight * 10;
        if (m_editMode == kDrawText) {
            m_model->AddText(notice.text, at.x(), at.y(), height, unsigned(m_textAlign), m_textAngle,
                             kWhite, m_noPrint == 1 ? 0 : 1);
            pushState();
        } else if (m_editMode == kDrawVariable) {
            CVes_Variable variable;
            variable.m_text = notice.text;
            variable.m_position.set(at.x(), at.y());
            variable.setTxtHigh(height);
            variable.setTxtAlign(unsigned(m_textAlign));
            variable.m_angle = m_textAngle;
            variable.setVarUnit(unsigned(m_varUnit));
            variable.setVarPrint(m_noPrint == 0 ? 1 : 0);
            if (m_varType == 0)
                variable.setVarType(CVes_Variable::kGiven);
            else if (m_varType == 1)
                variable.setVarType(CVes_Variable::kTextKind);
            m_model->AddVar(&variable);
            notifyShapeChanged();
            pushState();
        }
    }
    update();
}

void CVes_ModelRecordDrawView::closeTextEdit()
{
    if (CVes_LabelEdit* edit = m_edit)
        edit->endEdit();
    m_edit = nullptr;
}

void CVes_ModelRecordDrawView::updateCursor()
{
    switch (getDrawMode()) {
    case 1: case 2: case 3: case 4: case 7: case 8:
        setCursor(Qt::CrossCursor);
        break;
    case kDrawVariable:
    case kDrawText:
        setCursor(Qt::IBeamCursor);
        break;
    default:
        setCursor(Qt::ArrowCursor);
        break;
    }
}

void CVes_ModelRecordDrawView::dropStaleTracking()
{
    CVes_DrawTool* tool = CVes_DrawTool::trackingTool(this);
    if (tool && tool != CVes_DrawTool::findTool(getDrawMode()))
        tool->trackLost(this);
}

void CVes_ModelRecordDrawView::enterEvent(QEnterEvent*)
{
    updateCursor();
}

void CVes_ModelRecordDrawView::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    const unsigned flags = keyFlags(event);
    dropStaleTracking();
    CVes_DrawTool* tracking = CVes_DrawTool::trackingTool(this);
    const int mode = getDrawMode();
    if (event->button() == Qt::LeftButton) {
        if (tracking) {
            tracking->trackPress(this, point);
            return;
        }
        closeTextEdit();
        CVes_DrawTool* tool = CVes_DrawTool::findTool(mode);
        if (mode == kDrawVariable || mode == kDrawText)
            openTextEdit(point);
        else if (tool)
            tool->OnLButtonDown(this, flags, point);
    } else if (event->button() == Qt::RightButton) {
        if (tracking) {
            tracking->trackCancel(this);
            return;
        }
        if (CVes_DrawTool* tool = CVes_DrawTool::findTool(mode))
            tool->OnRButtonDown(this, flags, point);
    }
}

void CVes_ModelRecordDrawView::mouseMoveEvent(QMouseEvent* event)
{
    updateCursor();
    dropStaleTracking();
    const QPoint point = event->position().toPoint();
    if (CVes_DrawTool* tracking = CVes_DrawTool::trackingTool(this)) {
        tracking->trackMove(this, point);
        return;
    }
    if (CVes_DrawTool* tool = CVes_DrawTool::findTool(getDrawMode()))
        tool->OnMouseMove(this, keyFlags(event), point);
}

void CVes_ModelRecordDrawView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (CVes_DrawTool* tool = CVes_DrawTool::findTool(getDrawMode()))
        tool->OnLButtonUp(this, keyFlags(event), event->position().toPoint());
}

void CVes_ModelRecordDrawView::mouseDoubleClickEvent(QMouseEvent*)
{
    // Default handling only: the second press of a double click is no press.
}

void CVes_ModelRecordDrawView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (CVes_DrawTool* tracking = CVes_DrawTool::trackingTool(this)) {
        const TrackKey k = key == Qt::Key_Escape                             ? TrackKey::Escape
                           : (key == Qt::Key_Return || key == Qt::Key_Enter) ? TrackKey::Enter
                           : key == Qt::Key_Space                            ? TrackKey::Space
                                                                             : TrackKey::Other;
        tracking->trackKey(this, k);
        return;
    }
    switch (key) {
    case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Tab: case Qt::Key_Escape:
    case Qt::Key_PageUp: case Qt::Key_PageDown:
    case Qt::Key_Left: case Qt::Key_Up: case Qt::Key_Right: case Qt::Key_Down:
        closeTextEdit();
        break;
    default:
        break;
    }
    // Enter, Escape and the rest go on to the editor window.
    QWidget::keyPressEvent(event);
}

void CVes_ModelRecordDrawView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    // Opening the text edit moves the focus to it; that ends nothing.
    if (m_edit && QApplication::focusWidget() == m_edit)
        return;
    if (QApplication::focusWidget() && QApplication::focusWidget()->parentWidget() == this)
        return;
    closeTextEdit();
    if (CVes_DrawTool* tracking = CVes_DrawTool::trackingTool(this))
        tracking->trackLost(this);
}
