#include "shapeui/shapeview.h"

#include "core/model/shapemodel.h"
#include "platform/dc.h"
#include "platform/gdi.h"
#include "platform/painterdc.h"

#include <QPainter>

using namespace platform::gdi;

namespace {

bool g_windowClassRegistered = false;

// Logical units per inch of every shape view: a tenth of a millimetre.
constexpr int kUnitsPerInch = 254;

} // namespace

CVes_ShapeView::CVes_ShapeView(QWidget* parent) : QWidget(parent)
{
    RegisterWindowClass();
    // The window's class brush is the face colour of buttons; the view
    // paints all of its area itself, so nothing is erased before painting.
    setBackgroundRole(QPalette::Button);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setProperty("windowClass", QString::fromLatin1(kWindowClassName));
}

CVes_ShapeView::~CVes_ShapeView() = default;

bool CVes_ShapeView::RegisterWindowClass()
{
    g_windowClassRegistered = true;
    return true;
}

bool CVes_ShapeView::isWindowClassRegistered()
{
    return g_windowClassRegistered;
}

void CVes_ShapeView::OnDraw(platform::Dc* dc)
{
    if (!dc)
        return;
    const platform::Rect client(0, 0, width(), height());

    // Off-screen unless printing, so that the view does not flicker.
    platform::Dc* target = dc;
    std::unique_ptr<platform::Dc> memory;
    platform::Bitmap oldBitmap;
    if (!dc->IsPrinting()) {
        memory = dc->CreateCompatibleDC();
        oldBitmap = memory->SelectObject(dc->CreateCompatibleBitmap(client.Width(), client.Height()));
        memory->SetMapMode(dc->GetMapMode());
        memory->SetWindowExt(dc->GetWindowExt());
        memory->SetViewportExt(dc->GetViewportExt());
        memory->SetWindowOrg(client.left, client.top);
        memory->FillSolidRect(client, dc->GetBkColor());
        target = memory.get();
    }

    const int oldMode = target->SetMapMode(MM_ANISOTROPIC);
    target->SetWindowExt(kUnitsPerInch, kUnitsPerInch);
    target->SetViewportExt(target->GetDeviceCaps(LOGPIXELSX), target->GetDeviceCaps(LOGPIXELSY));
    platform::Rect rect = client;
    target->DPtoLP(&rect);
    target->FillRect(rect, platform::Brush::stock(BLACK_BRUSH));
    if (m_pModel)
        m_pModel->Draw2(1, target, 0, 0, 0, &rect, 0, 1, -1.0);
    target->SetMapMode(oldMode);

    if (memory) {
        dc->BitBlt(client.left, client.top, client.Width(), client.Height(), memory.get(),
                   client.left, client.top, SRCCOPY);
        memory->SelectObject(oldBitmap);
    }
}

void CVes_ShapeView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    platform::PainterDc dc(&painter);
    OnDraw(&dc);
}

void CTestView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    platform::PainterDc dc(&painter);
    OnDraw(&dc);
}
