#include "envora/projectinfo.h"

#include "platform/hostservices.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>

namespace envora {

bool isSafeName(const QString& name)
{
    if (name.trimmed().isEmpty() || name == u"." || name == u"..")
        return false;
    for (const QChar c : name)
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

} // namespace envora

namespace {

constexpr int kVersion = 1;

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool readXml(const QString& path, QByteArray* bytes)
{
    return QFileInfo(path).isFile() && platform::readFile(path, bytes);
}

void tellDamaged(const QString& path)
{
    platform::showMessage(QStringLiteral("文件%1已损坏，无法读取。").arg(path),
                          platform::MessageIcon::Warning);
}

void tellLeftOut(const QString& path, const QStringList& names)
{
    platform::showMessage(QStringLiteral("文件%1中以下名称不能作为目录名称，已忽略：%2")
                              .arg(path, names.join(QStringLiteral("、"))),
                          platform::MessageIcon::Warning);
}

// Whether `path` is `folder` itself or lies inside it.
bool insideFolder(const QString& path, const QString& folder)
{
    const QString rel = QDir(folder).relativeFilePath(path);
    return !QDir::isAbsolutePath(rel) && rel != u".." && !rel.startsWith(QStringLiteral("../"));
}

} // namespace

// storey

bool CVes_LayerInfo::setName(const QString& name)
{
    if (!envora::isSafeName(name))
        return false;
    m_name = name;
    return true;
}

int CVes_LayerInfo::AddElementType(const QString& name)
{
    if (!envora::isSafeName(name))
        return 0;
    for (const QString& e : m_elementTypes)
        if (sameName(e, name))
            return 0;
    m_elementTypes << name;
    return 1;
}

int CVes_LayerInfo::removeEle(const QString& name)
{
    return m_elementTypes.removeOne(name) ? 1 : 0;
}

int CVes_LayerInfo::renameEle(const QString& oldName, const QString& newName)
{
    const qsizetype i = m_elementTypes.indexOf(oldName);
    if (i < 0 || !envora::isSafeName(newName))
        return 0;
    for (qsizetype j = 0; j < m_elementTypes.size(); ++j)
        if (j != i && sameName(m_elementTypes[j], newName))
            return 0;
    m_elementTypes[i] = newName;
    return 1;
}

// building

bool CVes_BuildingInfo::setName(const QString& name)
{
    if (!envora::isSafeName(name))
        return false;
    m_name = name;
    return true;
}

CVes_LayerInfo* CVes_BuildingInfo::layer(int index) const
{
    return index >= 0 && index < layerCount() ? m_layers[size_t(index)].get() : nullptr;
}

CVes_LayerInfo* CVes_BuildingInfo::AddLayerInfo(const QString& name)
{
    if (!envora::isSafeName(name))
        return nullptr;
    for (const auto& l : m_layers)
        if (sameName(l->name(), name))
            return nullptr;
    auto layer = std::make_unique<CVes_LayerInfo>();
    layer->setName(name);
    m_layers.push_back(std::move(layer));
    return m_layers.back().get();
}

std::unique_ptr<CVes_LayerInfo> CVes_BuildingInfo::remove(CVes_LayerInfo* layer)
{
    const auto it = std::find_if(m_layers.begin(), m_layers.end(),
                                 [layer](const auto& l) { return l.get() == layer; });
    if (it == m_layers.end())
        return nullptr;
    std::unique_ptr<CVes_LayerInfo> taken = std::move(*it);
    m_layers.erase(it);
    return taken;
}

bool CVes_BuildingInfo::readFile(const QString& path)
{
    QByteArray bytes;
    if (!readXml(path, &bytes))
        return false;
    QXmlStreamReader x(bytes);
    if (!x.readNextStartElement() || x.name() != u"BUILDINGINFO") {
        tellDamaged(path);
        return false;
    }
    const auto a = x.attributes();
    CVes_BuildingInfo fresh;
    fresh.m_name = a.value(QLatin1String("NAME")).toString();
    fresh.m_company = a.value(QLatin1String("COMPANY")).toString();
    fresh.m_preparer = a.value(QLatin1String("PREPARER")).toString();
    fresh.m_checker = a.value(QLatin1String("CHECKER")).toString();
    fresh.m_flag = a.value(QLatin1String("FLAG")).toInt();
    QStringList leftOut;
    while (x.readNextStartElement()) {
        if (x.name() != u"LAYER") {
            x.skipCurrentElement();
            continue;
        }
        const QString layerName = x.attributes().value(QLatin1String("NAME")).toString();
        CVes_LayerInfo* layer = fresh.AddLayerInfo(layerName);
        if (!layer && !envora::isSafeName(layerName))
            leftOut << layerName;
        while (x.readNextStartElement()) {
            if (x.name() == u"ELEMENT" && layer) {
                const QString e = x.attributes().value(QLatin1String("NAME")).toString();
                if (!layer->AddElementType(e) && !envora::isSafeName(e))
                    leftOut << e;
            }
            x.skipCurrentElement();
        }
    }
    if (x.hasError()) {
        tellDamaged(path);
        return false;
    }
    if (!envora::isSafeName(fresh.m_name)) {
        if (!fresh.m_name.isEmpty())
            leftOut << fresh.m_name;
        fresh.m_name.clear();
    }
    if (!leftOut.isEmpty())
        tellLeftOut(path, leftOut);
    if (!m_name.isEmpty())
        fresh.m_name = m_name;
    fresh.m_folder = m_folder;
    *this = std::move(fresh);
    return true;
}

bool CVes_BuildingInfo::writeFile(const QString& path, QString* error) const
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("BUILDINGINFO"));
    w.writeAttribute(QStringLiteral("version"), QString::number(kVersion));
    w.writeAttribute(QStringLiteral("NAME"), m_name);
    w.writeAttribute(QStringLiteral("COMPANY"), m_company);
    w.writeAttribute(QStringLiteral("PREPARER"), m_preparer);
    w.writeAttribute(QStringLiteral("CHECKER"), m_checker);
    w.writeAttribute(QStringLiteral("FLAG"), QString::number(m_flag));
    for (const auto& l : m_layers) {
        w.writeStartElement(QStringLiteral("LAYER"));
        w.writeAttribute(QStringLiteral("NAME"), l->name());
        for (const QString& e : l->elementTypes()) {
            w.writeEmptyElement(QStringLiteral("ELEMENT"));
            w.writeAttribute(QStringLiteral("NAME"), e);
        }
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
    return platform::saveFile(path, out, error);
}

// project

CVes_BuildingInfo* CVes_ProjectInfo::building(int index) const
{
    return index >= 0 && index < buildingCount() ? m_buildings[size_t(index)].get() : nullptr;
}

CVes_BuildingInfo* CVes_ProjectInfo::addBuilding(std::unique_ptr<CVes_BuildingInfo> building)
{
    if (!building || !envora::isSafeName(building->name()))
        return nullptr;
    for (const auto& b : m_buildings)
        if (sameName(b->name(), building->name()))
            return nullptr;
    m_buildings.push_back(std::move(building));
    return m_buildings.back().get();
}

void CVes_ProjectInfo::removeAll()
{
    m_buildings.clear();
}

bool CVes_ProjectInfo::readFile(const QString& path)
{
    QByteArray bytes;
    if (!readXml(path, &bytes))
        return false;
    QXmlStreamReader x(bytes);
    if (!x.readNextStartElement() || x.name() != u"PROJECTINFO") {
        tellDamaged(path);
        return false;
    }
    const QString projectFolder = QFileInfo(path).absolutePath();
    CVes_ProjectInfo fresh;
    fresh.m_folder = projectFolder;
    QStringList leftOut;
    while (x.readNextStartElement()) {
        if (x.name() == u"BUILDING") {
            const auto a = x.attributes();
            auto b = std::make_unique<CVes_BuildingInfo>();
            const QString name = a.value(QLatin1String("NAME")).toString();
            const QString folder = QDir::cleanPath(
                QDir(projectFolder).absoluteFilePath(a.value(QLatin1String("FOLDER")).toString()));
            if (b->setName(name) && insideFolder(folder, projectFolder)) {
                b->setFolder(folder);
                fresh.addBuilding(std::move(b));
            } else {
                leftOut << name;
            }
        }
        x.skipCurrentElement();
    }
    if (x.hasError()) {
        tellDamaged(path);
        return false;
    }
    if (!leftOut.isEmpty())
        tellLeftOut(path, leftOut);
    *this = std::move(fresh);
    return true;
}

bool CVes_ProjectInfo::writeFile(const QString& path, QString* error) const
{
    const QDir base(QFileInfo(path).absolutePath());
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("PROJECTINFO"));
    w.writeAttribute(QStringLiteral("version"), QString::number(kVersion));
    for (const auto& b : m_buildings) {
        const QString folder = QDir::cleanPath(base.absoluteFilePath(b->folder()));
        w.writeEmptyElement(QStringLiteral("BUILDING"));
        w.writeAttribute(QStringLiteral("NAME"), b->name());
        QString stored = folder;
        if (insideFolder(folder, base.absolutePath())) {
            stored = base.relativeFilePath(folder);
            if (stored.isEmpty())
                stored = QStringLiteral(".");
        }
        w.writeAttribute(QStringLiteral("FOLDER"), stored);
    }
    w.writeEndElement();
    w.writeEndDocument();
    return platform::saveFile(path, out, error);
}
