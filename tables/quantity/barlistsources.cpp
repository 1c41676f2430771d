#include "tables/quantity/barlistsources.h"

#include "envora/projectinfo.h"
#include "tables/framework/tablehelpers.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Whether `folder` is a building's folder of a project.
bool isBuildingFolder(const QDir& folder)
{
    return folder.exists(QString::fromLatin1(CVes_BuildingInfo::kFileName));
}

// How many levels below a building's folder `folder` lies: 1 a storey, 2 an
// element type; 0 the building itself, -1 outside any building.
int depthInBuilding(QDir folder)
{
    for (int depth = 0; depth <= 2; ++depth) {
        if (isBuildingFolder(folder))
            return depth;
        if (!folder.cdUp())
            return -1;
    }
    return -1;
}

QString scopeOf(const QString& folder)
{
    const QDir dir(folder);
    switch (depthInBuilding(dir)) {
    case 2: {
        QDir storey = dir;
        storey.cdUp();
        return storey.dirName() + u'_' + dir.dirName();
    }
    default:
        return dir.dirName();
    }
}

} // namespace

BarListSources barListSourcesOf(const QString& folder)
{
    BarListSources sources;
    sources.scope = scopeOf(QDir::cleanPath(folder));
    collectPldFiles(folder, QStringLiteral("*.*"), sources.paths);
    for (const QString& path : std::as_const(sources.paths)) {
        const QDir parent = QFileInfo(path).dir();
        sources.elementTypes << (depthInBuilding(parent) == 2 ? parent.dirName() : QString());
    }
    return sources;
}
