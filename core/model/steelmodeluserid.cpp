#include "core/model/steelmodeluserid.h"

#include "core/geometry/datafolder.h"
#include "core/geometry/xmldocument.h"
#include "platform/hostservices.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kRootName = QStringLiteral("STEEL_USERIDLIB");
const QString kEntryName = QStringLiteral("USERID");
const QString kKeyName = QStringLiteral("RECORDID");
const QString kNumberName = QStringLiteral("USERID");

} // namespace

CVes_SteelModelUserIdLib::Entries::const_iterator CVes_SteelModelUserIdLib::findKey(CSteelRecordId key) const
{
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [&](const auto& e) { return e->m_recordId == key; });
}

CVes_SteelModelUserIdLib::Entries::const_iterator
CVes_SteelModelUserIdLib::findUseId(const QString& useId) const
{
    // An empty number is no number: it never names a shape, so it is never
    // "in use" by another one.
    if (useId.isEmpty())
        return m_entries.end();
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [&](const auto& e) { return e->m_useId == useId; });
}

int CVes_SteelModelUserIdLib::addRecord(CSteelRecordId key, const QString& useId, int force)
{
    const auto a = findKey(key);
    const auto b = findUseId(useId);
    if (b != m_entries.end() && b != a) {
        if (!force)
            return 0;
        (*b)->m_recordId = key;
        if (a != m_entries.end())
            m_entries.erase(a);
        return 1;
    }
    if (b != m_entries.end())
        return force ? 1 : 0;
    if (a == m_entries.end())
        m_entries.push_back(std::make_unique<CVes_SteelModelUserId>(key, useId));
    else if (useId.isEmpty())
        m_entries.erase(a);
    else
        (*a)->m_useId = useId;
    return 1;
}

CSteelRecordId CVes_SteelModelUserIdLib::getRecordId(const QString& useId) const
{
    const auto it = findUseId(useId);
    return it == m_entries.end() ? CSteelRecordId::Null() : (*it)->m_recordId;
}

QString CVes_SteelModelUserIdLib::getUseId(CSteelRecordId key) const
{
    const auto it = findKey(key);
    return it == m_entries.end() ? QString() : (*it)->m_useId;
}

CVes_SteelModelUserId* CVes_SteelModelUserIdLib::getModelUserId(const QString& useId) const
{
    const auto it = findUseId(useId);
    return it == m_entries.end() ? nullptr : it->get();
}

CVes_SteelModelUserId* CVes_SteelModelUserIdLib::getModelUserId(CSteelRecordId key) const
{
    const auto it = findKey(key);
    return it == m_entries.end() ? nullptr : it->get();
}

QString CVes_SteelModelUserIdLib::steelFilePath()
{
    return GetRODOFilePath() + QStringLiteral("steeluseIdLib.xml");
}

QString CVes_SteelModelUserIdLib::startFilePath()
{
    return GetRODOFilePath() + QStringLiteral("startuseIdLib.xml");
}

bool CVes_SteelModelUserIdLib::readFile(const QString& path)
{
    removeAll();
    const QString file = path.isEmpty() ? steelFilePath() : path;
    CXmlDocument doc;
    if (!doc.loadFile(file) || !doc.isWellFormed() || !doc.findElement(kRootName)) {
        // An empty file holds nothing to lose.
        if (const QFileInfo info(file); info.isFile() && info.size() > 0)
            m_unreadable = QFileInfo(file).absoluteFilePath();
        return false;
    }
    doc.intoElement();
    while (doc.findElement(kEntryName)) {
        CSteelRecordId key;
        if (const auto text = childElementText(doc, kKeyName))
            key = CSteelRecordId::setId(*text);
        addRecord(key, childElementText(doc, kNumberName).value_or(QString()), 1);
    }
    doc.outOfElement();
    return true;
}

bool CVes_SteelModelUserIdLib::readStartFile(const QString& path)
{
    return readFile(path.isEmpty() ? startFilePath() : path);
}

bool CVes_SteelModelUserIdLib::readForChange(bool start)
{
    const QString file = start ? startFilePath() : steelFilePath();
    if (readFile(file) || m_unreadable.isEmpty())
        return true;
    platform::showMessage(QStringLiteral("用户自定义编号文件无法读取，修改将不能保存：\n%1")
                              .arg(QDir::toNativeSeparators(file)),
                          platform::MessageIcon::Stop);
    return false;
}

bool CVes_SteelModelUserIdLib::writeFile(const QString& path) const
{
    const QString file = path.isEmpty() ? steelFilePath() : path;
    if (!m_unreadable.isEmpty() && QFileInfo(file).absoluteFilePath() == m_unreadable)
        return false;
    CXmlDocument doc;
    doc.setDocument(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));
    doc.addElement(kRootName);
    doc.intoElement();
    for (const auto& e : m_entries) {
        doc.addElement(kEntryName);
        doc.intoElement();
        doc.addElement(kKeyName, e->m_recordId.ToString());
        doc.addElement(kNumberName, e->m_useId);
        doc.outOfElement();
    }
    doc.outOfElement();
    return doc.saveFile(file);
}

bool CVes_SteelModelUserIdLib::writeStartFile(const QString& path) const
{
    return writeFile(path.isEmpty() ? startFilePath() : path);
}
