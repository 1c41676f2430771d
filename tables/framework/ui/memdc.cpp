#include "tables/framework/ui/memdc.h"

using namespace platform::gdi;
using platform::Rect;

CMemDCNew::CMemDCNew(platform::Dc* target, const Rect* rect, Background background)
    : m_target(target), m_rect(rect ? *rect : target->GetClipBox()),
      m_memory(!target->IsPrinting() && !target->isBufferedByWindow())
{
    if (m_memory) {
        m_memoryDc = target->CreateCompatibleDC();
        Rect device = m_rect;
        target->LPtoDP(&device);
        device.NormalizeRect();
        m_bitmap = target->CreateCompatibleBitmap(device.Width(), device.Height());
        m_oldBitmap = m_memoryDc->SelectObject(m_bitmap);
        m_memoryDc->SetMapMode(target->GetMapMode());
        m_memoryDc->SetWindowExt(target->GetWindowExt());
        m_memoryDc->SetViewportExt(target->GetViewportExt());
        target->DPtoLP(&device);
        m_rect = device;
        m_memoryDc->SetWindowOrg(m_rect.left, m_rect.top);
    }
    if (background == Background::TargetColour || target->IsPrinting())
        dc()->FillSolidRect(m_rect, target->GetBkColor());
}

CMemDCNew::~CMemDCNew()
{
    if (!m_memory)
        return;
    m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_memoryDc.get(),
                     m_rect.left, m_rect.top, SRCCOPY);
    m_memoryDc->SelectObject(m_oldBitmap);
}
