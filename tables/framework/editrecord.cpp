#include "tables/framework/editrecord.h"

#include "core/geometry/datafolder.h"
#include "platform/gbk.h"
#include "platform/hostservices.h"
#include "platform/savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

// The file's sections in the order they are written: section n holds list
// n - 1 (section 7 the shared list, section 8 the carried one).
constexpr std::array<int, 8> kSectionOrder{1, 2, 3, 4, 5, 6, 8, 7};

QByteArray markerOf(int section)
{
    return "##" + QByteArray::number(section) + "##";
}

// The section a line starts, or 0 for a value line.
int sectionOf(const QByteArray& line)
{
    if (line.size() != 5 || !line.startsWith("##") || !line.endsWith("##"))
        return 0;
    const char digit = line.at(2);
    return digit >= '1' && digit <= '8' ? digit - '0' : 0;
}

} // namespace

int CVes_EditRecordStore::listIndex(int category)
{
    return category >= 1 && category <= 6 ? category - 1 : kShared;
}

const QStringList& CVes_EditRecordStore::values(int category) const
{
    return m_lists[std::size_t(listIndex(category))];
}

bool CVes_EditRecordStore::canStore(const QString& value)
{
    if (value.isEmpty() || value.contains(u'\n') || value.contains(u'\r'))
        return false;
    // It would read back as the start of a section.
    if (value.size() == 5 && sectionOf(value.toLatin1()) != 0)
        return false;
    return platform::gbk::canEncode(value);
}

void CVes_EditRecordStore::record(const QString& value, int category)
{
    if (!canStore(value))
        return;
    QStringList& list = m_lists[std::size_t(listIndex(category))];
    const qsizetype at = list.indexOf(value);
    if (at >= 0)
        list.removeAt(at);
    list.prepend(value);
}

void CVes_EditRecordStore::remove(const QString& value, int category)
{
    if (value.isEmpty())
        return;
    QStringList& list = m_lists[std::size_t(listIndex(category))];
    const qsizetype at = list.indexOf(value);
    if (at >= 0)
        list.removeAt(at);
}

void CVes_EditRecordStore::clear()
{
    for (QStringList& list : m_lists)
        list.clear();
}

QByteArray CVes_EditRecordStore::toBytes() const
{
    QByteArray bytes;
    for (const int section : kSectionOrder) {
        bytes += markerOf(section) + "\r\n";
        int written = 0;
        for (const QString& value : m_lists[std::size_t(section - 1)]) {
            if (written == kSavedPerList)
                break;
            // A value read from a damaged file may not survive the trip.
            if (!canStore(value))
                continue;
            bytes += platform::gbk::encode(value) + "\r\n";
            ++written;
        }
    }
    return bytes;
}

void CVes_EditRecordStore::fromBytes(const QByteArray& bytes)
{
    std::array<QStringList, 8> lists;
    std::array<QSet<QString>, 8> seen;
    int current = 0;
    // A GBK byte pair never holds a line feed, so the bytes split into lines
    // before decoding.
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        if (const int section = sectionOf(line)) {
            current = section;
            continue;
        }
        if (current == 0)
            continue;
        const QString value = platform::gbk::decode(line);
        const std::size_t index = std::size_t(current - 1);
        if (seen[index].contains(value))
            continue;
        seen[index].insert(value);
        lists[index].append(value);
    }
    m_lists = std::move(lists);
}

QString CVes_EditRecordStore::defaultPath()
{
    return GetRODOFilePath() + QStringLiteral("userdata/user_EditRecord.dat");
}

bool CVes_EditRecordStore::load()
{
    return load(defaultPath());
}

bool CVes_EditRecordStore::load(const QString& path)
{
    if (!Ves_CreateDirectory(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    if (!file.exists()) {
        // A first start: the file is made empty, the lists stay empty.
        file.open(QIODevice::WriteOnly);
        clear();
        return true;
    }
    const platform::WaitCursor wait;
    QByteArray bytes;
    if (!platform::readFile(path, &bytes))
        return false;
    fromBytes(bytes);
    return true;
}

bool CVes_EditRecordStore::save() const
{
    return save(defaultPath());
}

bool CVes_EditRecordStore::save(const QString& path) const
{
    if (!Ves_CreateDirectory(QFileInfo(path).absolutePath()))
        return false;
    return platform::saveFile(path, toBytes());
}

CVes_EditRecordStore& editRecordStore()
{
    static CVes_EditRecordStore store;
    return store;
}

void table_getEditRecordArray(QStringList& out, int category)
{
    out += editRecordStore().values(category);
}

void table_setEditRecordArray(const QString& value, int category)
{
    editRecordStore().record(value, category);
}

void table_delEditRecordArray(const QString& value, int category)
{
    editRecordStore().remove(value, category);
}
