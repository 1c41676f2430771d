#include "platform/ui/recentfilelist.h"

#include "platform/profile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace platform {

namespace {

QString comparable(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool holds(const QStringList& entries, const QString& path)
{
    const QString key = comparable(path);
    return std::any_of(entries.begin(), entries.end(),
                       [&key](const QString& entry) { return comparable(entry) == key; });
}

} // namespace

RecentFileList::RecentFileList(int start, const QString& section, const QString& entryFormat,
                               int size, int maxDisplayLength)
    : m_start(start), m_section(section), m_entryFormat(entryFormat), m_size(std::max(size, 0)),
      m_maxDisplayLength(maxDisplayLength)
{
}

QString RecentFileList::operator[](int index) const
{
    return index >= 0 && index < m_entries.size() ? m_entries[index] : QString();
}

void RecentFileList::Add(const QString& path)
{
    if (path.isEmpty() || m_size == 0)
        return;
    const QString key = comparable(path);
    m_entries.removeIf([&key](const QString& entry) { return comparable(entry) == key; });
    m_entries.prepend(path);
    while (m_entries.size() > m_size)
        m_entries.removeLast();
}

void RecentFileList::Remove(int index)
{
    if (index >= 0 && index < m_entries.size())
        m_entries.removeAt(index);
}

QString RecentFileList::GetDisplayName(int index) const
{
    const QString path = (*this)[index];
    return path.isEmpty() ? QString() : abbreviatePath(QDir::toNativeSeparators(path), m_maxDisplayLength);
}

QStringList RecentFileList::displayNames() const
{
    QStringList names;
    for (int i = 0; i < m_entries.size(); ++i)
        names << GetDisplayName(i);
    return names;
}

QString RecentFileList::entryKey(int index) const
{
    QString format = m_entryFormat;
    return m_section + u'/' + format.replace(QStringLiteral("%d"), QString::number(index + 1));
}

void RecentFileList::ReadList()
{
    m_entries.clear();
    const std::unique_ptr<QSettings> profile = openProfile();
    for (int i = 0; i < m_size; ++i) {
        const QString path = profile->value(entryKey(i)).toString();
        if (!path.isEmpty() && !holds(m_entries, path))
            m_entries.append(path);
    }
}

void RecentFileList::WriteList() const
{
    const std::unique_ptr<QSettings> profile = openProfile();
    for (int i = 0; i < m_size; ++i) {
        if (i < m_entries.size())
            profile->setValue(entryKey(i), m_entries[i]);
        else
            profile->remove(entryKey(i));
    }
}

QString abbreviatePath(const QString& path, int maxLength)
{
    if (path.size() <= maxLength)
        return path;
    const QChar separator = path.contains(u'\\') ? u'\\' : u'/';
    const QStringList parts = path.split(separator);
    const QString name = parts.last();
    if (parts.size() < 3)
        return name;
    // Keep the first part (the root) and as many trailing folders as fit.
    const QString head = parts.first() + separator + QStringLiteral("…");
    QString tail = separator + name;
    for (qsizetype i = parts.size() - 2; i > 0; --i) {
        const QString longer = separator + parts[i] + tail;
        if (head.size() + longer.size() > maxLength)
            break;
        tail = longer;
    }
    const QString shortened = head + tail;
    return shortened.size() <= maxLength ? shortened : name;
}

} // namespace platform
