#pragma once
// An off-screen drawing context: a view draws a whole page into it and the
// page reaches the screen in one copy when the object goes, so that nothing
// flickers. On a printer, and on a window whose painting the window system
// already shows only when it is done, it draws straight onto the target.
//
//   CMemDCNew memory(dc);          // the target's clip box
//   table->Draw(memory, rect);     // memory converts to the context to draw into
//   // the destructor copies the picture onto dc

#include "platform/dc.h"
#include "platform/rect.h"

#include <memory>

class CMemDCNew {
public:
    // What the rectangle starts with.
    enum class Background { TargetColour, LeftAsItIs };

    // `rect` (logical units of the target) defaults to the target's clip box.
    // It starts in the target's background colour unless the caller paints
    // all of it anyway (a printer's page is always cleared).
    explicit CMemDCNew(platform::Dc* target, const platform::Rect* rect = nullptr,
                       Background background = Background::TargetColour);
    CMemDCNew(const CMemDCNew&) = delete;
    CMemDCNew& operator=(const CMemDCNew&) = delete;
    ~CMemDCNew();

    // The context to draw into: the memory context, or the target itself
    // when the target is printing.
    platform::Dc* dc() const { return m_memory ? m_memoryDc.get() : m_target; }
    operator platform::Dc*() const { return dc(); }
    platform::Dc* operator->() const { return dc(); }

    bool isMemory() const { return m_memory; }
    const platform::Rect& rect() const { return m_rect; }

private:
    platform::Bitmap m_bitmap;
    platform::Bitmap m_oldBitmap;
    platform::Dc* m_target = nullptr;
    platform::Rect m_rect;
    bool m_memory = false;
    std::unique_ptr<platform::Dc> m_memoryDc;
};
