#pragma once
// The bar lists a quantity sheet sums from a folder, found as the project
// tree finds them: every ".pld" under the folder, a list that lies in an
// element-type folder of a project (building/storey/type) counted under
// that type, and the range the folder stands for ("第1层", "第1层_柱", the
// building's or the folder's name).

#include <QString>
#include <QStringList>

struct BarListSources {
    QStringList paths;
    QStringList elementTypes; // the type of the list of the same index, or empty
    QString scope;
};

BarListSources barListSourcesOf(const QString& folder);
