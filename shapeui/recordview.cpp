#include "shapeui/recordview.h"

#include "platform/dc.h"
#include "platform/gdi.h"
#include "platform/painterdc.h"

#include <QPainter>

using namespace platform::gdi;

CVes_RecordDrawView::CVes_RecordDrawView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CVes_RecordDrawView::OnDraw(platform::Dc* dc)
{
    if (!dc || dc->IsPrinting())
        return;
    dc->FillRect(platform::Rect(0, 0, width(), height()), platform::Brush::stock(GRAY_BRUSH));
}

void CVes_RecordDrawView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    platform::PainterDc dc(&painter);
    OnDraw(&dc);
}
