#include "widgara/imagemanager.h"

#include "widgara/resources.h"

#include <QPixmap>
#include <algorithm>

using platform::gdi::COLORREF;

namespace widgara {

std::map<int, QIcon> iconsFromStrip(const QImage& strip, const std::vector<int>& ids, QSize size,
                                    COLORREF mask)
{
    std::map<int, QIcon> icons;
    if (strip.isNull() || size.isEmpty() || strip.width() < size.width() * int(ids.size())
        || strip.height() < size.height())
        return icons;
    const QImage source = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = qRgb(platform::gdi::GetRValue(mask), platform::gdi::GetGValue(mask),
                                  platform::gdi::GetBValue(mask));
    for (size_t i = 0; i < ids.size(); ++i) {
        QImage image = source.copy(int(i) * size.width(), 0, size.width(), size.height());
        if (mask != platform::gdi::CLR_NONE) {
            for (int y = 0; y < image.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                std::replace_if(line, line + image.width(),
                                [transparent](QRgb p) { return (p & 0xFFFFFF) == (transparent & 0xFFFFFF); },
                                QRgb(0));
            }
        }
        icons[ids[i]] = QIcon(QPixmap::fromImage(image));
    }
    return icons;
}

std::vector<int> toolBarImageIds(int nIDToolBar)
{
    std::vector<int> ids;
    if (const std::vector<int>* commands = resources().toolBar(nIDToolBar))
        std::copy_if(commands->begin(), commands->end(), std::back_inserter(ids),
                     [](int id) { return id != 0; });
    return ids;
}

} // namespace widgara

bool CXTPImageManager::SetIcons(int nIDResource)
{
    if (const std::map<int, QIcon>* icons = widgara::resources().iconSet(nIDResource)) {
        for (const auto& [command, icon] : *icons)
            m_icons[command] = icon;
        return true;
    }
    const std::vector<int> ids = widgara::toolBarImageIds(nIDResource);
    const QImage strip = widgara::resources().bitmap(nIDResource);
    // A toolbar's strip holds one image per button, as wide as it is long
    // divided by the buttons; its background is the button face.
    return !ids.empty()
        && SetIcons(nIDResource, ids, {strip.width() / int(ids.size()), strip.height()},
                    platform::gdi::RGB(192, 192, 192));
}

bool CXTPImageManager::SetIcons(int nIDBitmap, const std::vector<int>& ids, QSize size,
                                COLORREF mask)
{
    const std::map<int, QIcon> icons =
        widgara::iconsFromStrip(widgara::resources().bitmap(nIDBitmap), ids, size, mask);
    if (icons.empty() && !ids.empty())
        return false;
    for (const auto& [command, icon] : icons)
        m_icons[command] = icon;
    return true;
}

QIcon CXTPImageManager::GetIcon(int nCommand) const
{
    const auto it = m_icons.find(nCommand);
    return it == m_icons.end() ? QIcon() : it->second;
}
