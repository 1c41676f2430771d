// Where things of the page lie on the screen: hit tests, cell rectangles and
// the scroll arithmetic of the view, answered from the page as last drawn.

#include "tables/framework/tablebase.h"

#include "core/geometry/geometry.h"
#include "core/geometry/text.h"
#include "tables/framework/form.h"
#include "tables/framework/tablehelpers.h"

#include <algorithm>
#include <cmath>

int CVes_TableBase::HitTest(QPoint point, int& row, int& column)
{
    // Text 1 is never hit.
    static constexpr int kHitOrder[] = {0, 2, 3, 4, 5, 6, 7};
    for (int place = 0; place < int(std::size(kHitOrder)); ++place) {
        if (m_texts[std::size_t(kHitOrder[place])].HitTest(point, 0, QPoint(0, 0))) {
            row = kTitleTextRow;
            column = place;
            return 1;
        }
    }
    if (!m_form)
        return 0;
    return m_form->HitTest(point, row, column);
}

platform::Rect CVes_TableBase::getRect(int row, int column) const
{
    return m_form ? m_form->GetCellRect(row, column) : platform::Rect();
}

platform::Rect CVes_TableBase::getDrawnRect(int row, int column) const
{
    return m_form ? m_form->GetDrawnCellRect(row, column) : platform::Rect();
}

int CVes_TableBase::getTxtHight(int row, int column) const
{
    return m_form ? m_form->GetCellTxtHigh(row, column) : 0;
}

platform::Rect CVes_TableBase::getCurRowRect() const
{
    if (!m_form)
        return {};
    return m_form->GetCellRect(m_curRow, m_curCol < 1 ? 1 : m_curCol);
}

int CVes_TableBase::isCurRowVisible() const
{
    if (m_curRow < 1 || !m_form)
        return 0;
    return m_form->GetCell(m_curRow, m_curCol > 1 ? m_curCol : 1) ? 1 : 0;
}

QSize CVes_TableBase::paperSize() const
{
    const int width = std::clamp(getRealW(), 0, kMaxPaperSize) * 10;
    const int height = std::clamp(getRealH(), 0, kMaxPaperSize) * 10;
    if (width > 0 && height > 0)
        return QSize(width, height);
    return m_orientation == kLandscape ? QSize(2970, 2100) : QSize(2100, 2970);
}

double CVes_TableBase::pageZoom(double zoom)
{
    return std::isfinite(zoom) ? std::clamp(zoom, kMinPageZoom, kMaxPageZoom) : 1.0;
}

void CVes_TableBase::fitPage(int clientWidth, int clientHeight, double zoom, int& width,
                             int& height) const
{
    width = 0;
    height = 0;
    if (clientWidth <= 0 || clientHeight <= 0)
        return;
    const QSize paper = paperSize();
    const double ratio = double(paper.height()) / double(paper.width());
    const float shadow = 6.0f * float(pageZoom(zoom));
    if (double(clientHeight) / double(clientWidth) <= ratio) {
        height = int(float(int(0.96 * clientHeight)) - shadow);
        width = int(float(int(height / ratio)) - shadow);
    } else {
        width = int(float(int(0.96 * clientWidth)) - shadow);
        height = int(float(int(width * ratio)) - shadow);
    }
}

void CVes_TableBase::getScollUnit(const platform::Rect& client, double zoom, double& unitX,
                                  double& unitY) const
{
    // At the zoom the page is drawn at.
    const double z = pageZoom(zoom);
    int w = 0, h = 0;
    fitPage(client.Width(), client.Height(), z, w, h);
    unitX = w * (z - 1) * 0.01;
    unitY = h * (z - 1) * 0.01;
}

void CVes_TableBase::getScollPosWhenPtOnCenter(QPoint point, const platform::Rect& client,
                                               double, double wantedZoom, double& posX,
                                               double& posY) const
{
    posX = 0.0;
    posY = 0.0;
    const double newZoom = pageZoom(wantedZoom);
    const int clientW = client.Width();
    const int clientH = client.Height();
    int w = 0, h = 0;
    fitPage(clientW, clientH, newZoom, w, h);
    const double scale = double(h) / double(paperSize().height()) * newZoom;
    double unitX = 0, unitY = 0;
    getScollUnit(client, newZoom, unitX, unitY);
    // A page that does not scroll (zoom 1 or no room) stays where it is.
    if (unitX == 0.0 || unitY == 0.0)
        return;

    int x0 = deviceCoordinate((clientW - w * newZoom) / 2);
    int y0 = deviceCoordinate((clientH - h * newZoom) / 2);
    if (newZoom > 1) {
        x0 = std::max(x0, int(clientW * 0.02));
        y0 = std::max(y0, int(clientH * 0.02));
    }
    const QPoint page =
        devicePointToPaper(m_paperptO.x(), m_paperptO.y(), point.x(), point.y(), m_drawScale);
    const QPoint moved = paperToDevicePoint(x0, y0, page.x(), page.y(), scale);
    const QPoint centre = client.CenterPoint();
    posX = (moved.x() - centre.x()) / unitX;
    posY = (moved.y() - centre.y()) / unitY;
}
