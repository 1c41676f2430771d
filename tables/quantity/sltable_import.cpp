// The quantity sheet's amounts of one bar and its imports of bar lists.

#include "tables/quantity/sltable.h"

#include "platform/hostservices.h"
#include "tables/framework/tablehelpers.h"
#include "tables/quantity/barlistreader.h"
#include "tables/quantity/barlistsources.h"
#include "tables/shared/sumhelpers.h"

#include <QDir>
#include <QHash>

void CVes_SLTable::singleSteelAmount(CVes_BarCore* bar, int pieces, double& length,
                                     std::int64_t& count, std::int64_t& jointFactor)
{
    barsum::singleSteelAmount(bar, pieces, m_rules, shapeUnit(), length, count, jointFactor);
}

QList<CVes_SLTableLine*> CVes_SLTable::rowsFromFiles(const QStringList& paths)
{
    const BarListReader read = barListReader();
    if (!read)
        return {};
    platform::WaitCursor wait;
    QList<CVes_SLTableLine*> rows;
    for (const QString& path : paths) {
        if (const std::optional<QList<CVes_SLTableLine*>> listRows = read(path, shapeUnit()))
            rows += *listRows;
    }
    return rows;
}

void CVes_SLTable::importSetUpArray(const QStringList& paths)
{
    importSetUpArray(paths, {});
}

void CVes_SLTable::importSetUpArray(const QStringList& paths, const QStringList& elementTypes)
{
    insertLinesBefore(m_lines.isEmpty() ? nullptr : m_lines.first(), rowsOfLists(paths, elementTypes));
}

TableLineList CVes_SLTable::rowsOfLists(const QStringList& paths, const QStringList& elementTypes)
{
    QStringList untyped;
    QStringList types;
    QHash<QString, QStringList> typed;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString type = elementTypes.value(i).trimmed();
        if (type.isEmpty()) {
            untyped << paths[i];
            continue;
        }
        if (!typed.contains(type))
            types << type;
        typed[type] << paths[i];
    }

    TableLineList rows;
    for (CVes_SLTableLine* row : rowsFromFiles(untyped))
        rows.append(row);
    for (const QString& type : std::as_const(types)) {
        const QList<CVes_SLTableLine*> bars = rowsFromFiles(typed.value(type));
        if (bars.isEmpty())
            continue;
        auto* heading = new CVes_SLTableLine(CVes_SLTableLine::kEleTypeRow);
        heading->setEleType(type);
        heading->setNull(0);
        rows.append(heading);
        for (CVes_SLTableLine* row : bars)
            rows.append(row);
    }
    return rows;
}

int CVes_SLTable::importFolder(const QString& folder)
{
    const BarListSources sources = barListSourcesOf(folder);
    if (sources.paths.isEmpty()) {
        platform::showMessage(QStringLiteral("文件夹“%1”及其子文件夹中没有钢筋配料单，未导入任何钢筋。")
                                  .arg(QDir::toNativeSeparators(folder)),
                              platform::MessageIcon::Information);
        return 0;
    }
    const TableLineList rows = rowsOfLists(sources.paths, sources.elementTypes);
    QList<CVes_SLTableLine*> lines;
    for (CVes_TableBaseLine* row : rows)
        lines.append(static_cast<CVes_SLTableLine*>(row));
    // The range names what the sheet now sums, as a summary of the folder
    // made in the project tree does.
    m_texts[kScopeText].m_formula = sources.scope;
    import(lines);
    return int(sources.paths.size());
}

void CVes_SLTable::importSetUp(const QString& folder)
{
    QStringList paths;
    collectPldFiles(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'),
                    QStringLiteral("*.*"), paths);
    importSetUpArray(paths);
}

void CVes_SLTable::importSL(const QString& folder)
{
    importSetUp(folder);
}
