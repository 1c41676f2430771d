#pragma once
// The icons of commands, by command id: filled from a registered icon set or
// cut from a bitmap strip (a toolbar's bitmap, a pane's or a grid's image
// list), where pixels of a mask colour become transparent.

#include "platform/gdi.h"

#include <QIcon>
#include <QImage>
#include <QSize>
#include <map>
#include <vector>

class CXTPImageManager {
public:
    void SetIcon(const QIcon& icon, int nCommand) { m_icons[nCommand] = icon; }
    // The icons registered under the resource id: its icon set, else the
    // toolbar of that id cut from its bitmap. False when there are none.
    bool SetIcons(int nIDResource);
    // Cuts bitmap `nIDBitmap` into images of `size`, the n-th for the n-th
    // id; `mask` is the transparent colour (CLR_NONE: none). False when the
    // bitmap does not exist or holds fewer images than ids.
    bool SetIcons(int nIDBitmap, const std::vector<int>& ids, QSize size = {16, 16},
                  platform::gdi::COLORREF mask = platform::gdi::CLR_NONE);
    QIcon GetIcon(int nCommand) const;
    int GetCount() const { return static_cast<int>(m_icons.size()); }
    void RemoveAll() { m_icons.clear(); }

private:
    std::map<int, QIcon> m_icons;
};

namespace widgara {

// The images of a strip, `size` each, left to right, for `ids` in order;
// empty when the strip is too short for them.
std::map<int, QIcon> iconsFromStrip(const QImage& strip, const std::vector<int>& ids, QSize size,
                                    platform::gdi::COLORREF mask);
// The commands of a toolbar resource that have an image: separators dropped.
std::vector<int> toolBarImageIds(int nIDToolBar);

} // namespace widgara
