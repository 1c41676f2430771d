#include "widgara/resources.h"

namespace widgara {

namespace {

template <typename Map>
const typename Map::mapped_type* find(const Map& map, int key)
{
    const auto it = map.find(key);
    return it == map.end() ? nullptr : &it->second;
}

} // namespace

void Resources::setToolBar(int resourceId, std::vector<int> commands)
{
    m_toolBars[resourceId] = std::move(commands);
}

const std::vector<int>* Resources::toolBar(int resourceId) const
{
    return find(m_toolBars, resourceId);
}

void Resources::setMenu(int resourceId, std::vector<MenuEntry> entries)
{
    m_menus[resourceId] = std::move(entries);
}

const std::vector<MenuEntry>* Resources::menu(int resourceId) const
{
    return find(m_menus, resourceId);
}

void Resources::setString(int id, const QString& text)
{
    m_strings[id] = text;
}

QString Resources::string(int id) const
{
    const QString* text = find(m_strings, id);
    return text ? *text : QString();
}

QString Resources::prompt(int id) const
{
    return string(id).section(QLatin1Char('\n'), 0, 0);
}

QString Resources::tooltip(int id) const
{
    const QString text = string(id);
    const int lineBreak = text.indexOf(QLatin1Char('\n'));
    return lineBreak < 0 ? text : text.mid(lineBreak + 1).section(QLatin1Char('\n'), 0, 0);
}

void Resources::setIconSet(int resourceId, std::map<int, QIcon> icons)
{
    m_iconSets[resourceId] = std::move(icons);
}

const std::map<int, QIcon>* Resources::iconSet(int resourceId) const
{
    return find(m_iconSets, resourceId);
}

void Resources::setBitmap(int resourceId, QImage bitmap)
{
    m_bitmaps[resourceId] = std::move(bitmap);
}

QImage Resources::bitmap(int resourceId) const
{
    const QImage* image = find(m_bitmaps, resourceId);
    return image ? *image : QImage();
}

void Resources::setAccelerators(int resourceId, std::vector<std::pair<QKeySequence, int>> table)
{
    m_accelerators[resourceId] = std::move(table);
}

const std::vector<std::pair<QKeySequence, int>>* Resources::accelerators(int resourceId) const
{
    return find(m_accelerators, resourceId);
}

Resources& resources()
{
    static Resources instance;
    return instance;
}

} // namespace widgara
