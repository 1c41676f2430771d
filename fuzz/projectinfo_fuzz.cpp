// The project files: "projectinfo.xml" (first byte even) or a building's
// "buildinginfo.xml" (odd). A failed read leaves the object as it was; what
// is read names only folders inside the project, once each, and comes back
// the same from the file it is written to.

#include "fuzz/fuzzsupport.h"

#include "envora/projectinfo.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool uniqueSafeNames(const QStringList& names)
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!envora::isSafeName(names[i]))
            return false;
        for (qsizetype j = 0; j < i; ++j)
            if (names[i].compare(names[j], Qt::CaseInsensitive) == 0)
                return false;
    }
    return true;
}

QStringList buildingNames(const CVes_ProjectInfo& project)
{
    QStringList names;
    for (int i = 0; i < project.buildingCount(); ++i)
        names << project.building(i)->name() + u'|' + project.building(i)->folder();
    return names;
}

QStringList storeys(const CVes_BuildingInfo& building)
{
    QStringList lines;
    for (int i = 0; i < building.layerCount(); ++i)
        lines << building.layer(i)->name() + u':' + building.layer(i)->elementTypes().join(u',');
    return lines;
}

void project(const QByteArray& bytes)
{
    const QString path = fuzz::writeScratchFile("projectinfo.xml", bytes);
    const QString folder = QDir::cleanPath(QFileInfo(path).absolutePath());
    CVes_ProjectInfo info;
    auto sample = std::make_unique<CVes_BuildingInfo>();
    sample->setName(QStringLiteral("样本"));
    sample->setFolder(folder);
    info.addBuilding(std::move(sample));
    const QStringList before = buildingNames(info);
    if (!info.readFile(path)) {
        FUZZ_CHECK(buildingNames(info) == before);
        return;
    }
    QStringList names;
    for (int i = 0; i < info.buildingCount(); ++i) {
        const QString buildingFolder = QDir::cleanPath(info.building(i)->folder());
        FUZZ_CHECK(buildingFolder == folder || buildingFolder.startsWith(folder + u'/'));
        names << info.building(i)->name();
    }
    FUZZ_CHECK(uniqueSafeNames(names));
    FUZZ_CHECK(info.writeFile(path));
    CVes_ProjectInfo back;
    FUZZ_CHECK(back.readFile(path));
    FUZZ_CHECK(buildingNames(back) == buildingNames(info));
}

void building(const QByteArray& bytes)
{
    const QString path = fuzz::writeScratchFile("buildinginfo.xml", bytes);
    CVes_BuildingInfo info;
    CVes_LayerInfo* layer = info.AddLayerInfo(QStringLiteral("第1层"));
    layer->AddElementType(QStringLiteral("柱"));
    const QStringList before = storeys(info);
    if (!info.readFile(path)) {
        FUZZ_CHECK(storeys(info) == before && info.name().isEmpty());
        return;
    }
    QStringList names;
    for (int i = 0; i < info.layerCount(); ++i) {
        names << info.layer(i)->name();
        FUZZ_CHECK(uniqueSafeNames(info.layer(i)->elementTypes()));
    }
    FUZZ_CHECK(uniqueSafeNames(names));
    FUZZ_CHECK(info.name().isEmpty() || envora::isSafeName(info.name()));
    FUZZ_CHECK(info.writeFile(path));
    CVes_BuildingInfo back;
    FUZZ_CHECK(back.readFile(path));
    FUZZ_CHECK(storeys(back) == storeys(info));
    FUZZ_CHECK(back.name() == info.name() && back.company() == info.company()
               && back.preparer() == info.preparer() && back.checker() == info.checker()
               && back.flag() == info.flag());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes = fuzz::bytesOf(data + 1, size - 1);
    if (data[0] % 2 == 0)
        project(bytes);
    else
        building(bytes);
    return 0;
}
