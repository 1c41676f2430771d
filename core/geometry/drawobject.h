#pragma once
// The base of every drawing item of a bar shape (lines, arcs, circles, bar
// sides, texts, dimension variables): colour, status, print flag and group
// index, and the operations the shape model applies to items of any kind.

#include "platform/gdi.h"
#include "platform/rect.h"

#include <QPoint>

namespace platform { class Archive; }

class CVes_DrawObject {
public:
    // Status bits.
    static constexpr unsigned int kSelected = 1;
    static constexpr unsigned int kHighlighted = 2;
    static constexpr unsigned int kHidden = 4;

    CVes_DrawObject() = default;
    CVes_DrawObject(const CVes_DrawObject&) = default;
    CVes_DrawObject& operator=(const CVes_DrawObject&) = default;
    virtual ~CVes_DrawObject() = default;

    // The base stores nothing.
    virtual void Serialize(platform::Archive& ar);

    virtual void Delete() {}
    virtual void Move(QPoint offset);
    // Sets `rect` to the item's extent; the base leaves it as given.
    virtual void LocateRect(platform::Rect& rect);
    virtual void setStatus(unsigned int status) { m_status = status; }
    virtual void setLineStyle(unsigned int) {}
    virtual void setLineWidth(unsigned int) {}
    virtual void setTxtHigh(int) {}
    virtual void setTxtAlign(unsigned int) {}
    virtual void setVarType(unsigned int) {}
    virtual void setVarUnit(unsigned int) {}
    virtual void setPrint(int print) { m_print = print; }
    virtual void setColor(platform::COLORREF colour) { m_color = colour; }
    virtual void setVarPrint(int print) { m_print = print; }
    virtual void setGroupIndex(unsigned int index) { m_groupIndex = index; }

    unsigned int getGroupIndex() const { return m_groupIndex; }
    // Whether the item's rectangle (LocateRect of an empty one) meets `rect`.
    bool Intersects(platform::Rect rect);

    platform::COLORREF m_color = 0;
    unsigned int m_status = 0;
    int m_print = 1;
    unsigned int m_groupIndex = 1;
};
