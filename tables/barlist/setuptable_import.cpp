// Taking over the bar lists of a folder, and merging the remark cells of
// consecutive bar rows into one.

#include "tables/barlist/setuptable.h"

#include "platform/archive.h"
#include "platform/hostservices.h"
#include "tables/framework/tablehelpers.h"

#include <QDir>
#include <QFileInfo>

#include <memory>
#include <vector>

namespace {

using Line = CVes_SetupTableLine;

const QString kOtherShapeUnit = QStringLiteral("钢筋配料单钢筋形状单位不一致，无法导入！");
const QString kNotContinuous = QStringLiteral("请选择连续的钢筋行进行合并！");
const QString kNotBarRows = QStringLiteral("选择的表格行有非钢筋行，不能进行备注合并！");

// Takes the rows out of the list, which no longer owns them.
TableLineList takeLines(CVes_SetupTable& list)
{
    TableLineList rows = list.m_lines;
    list.m_lines.clear();
    list.m_pageLines.clear();
    list.clearSelect();
    list.getHuizongRules().forgetElements();
    return rows;
}

} // namespace

std::unique_ptr<CVes_SetupTable> CVes_SetupTable::readBarListFile(const QString& path,
                                                                  bool* newer) const
{
    if (newer)
        *newer = false;
    std::unique_ptr<CVes_TableBase> empty = createEmpty();
    std::unique_ptr<CVes_SetupTable> list(static_cast<CVes_SetupTable*>(empty.release()));
    try {
        if (list->OpenFile(path))
            return list;
    } catch (const platform::SchemaError& e) {
        if (newer)
            *newer = e.isNewer();
    } catch (const platform::ArchiveError&) {
    }
    return nullptr;
}

int CVes_SetupTable::importFromFile(const QString& folder)
{
    QStringList files;
    collectPldFiles(folder, QStringLiteral("*.*"), files);
    if (files.isEmpty())
        return 0;

    platform::WaitCursor wait;
    const int shapeUnit = m_units.value(kColShape, kMillimetre);
    TableLineList gathered;
    QStringList unreadable;
    int imported = 0;
    for (const QString& path : std::as_const(files)) {
        std::unique_ptr<CVes_SetupTable> list = readBarListFile(path);
        if (!list) {
            unreadable << QDir::toNativeSeparators(path);
            continue;
        }
        if (list->m_units.value(kColShape, kMillimetre) != shapeUnit) {
            platform::showMessage(kOtherShapeUnit, platform::MessageIcon::Warning);
            continue;
        }
        // The file found last comes first, each file's rows in their order.
        gathered = takeLines(*list) + gathered;
        ++imported;
    }
    if (!unreadable.isEmpty()) {
        platform::showMessage(QStringLiteral("以下文件已损坏或由更新的版本保存，未能导入：\n")
                                  + unreadable.join(u'\n'),
                              platform::MessageIcon::Warning);
    }
    if (gathered.isEmpty())
        return imported;

    m_lines = gathered + m_lines;
    clearSelect();
    if (m_curPage > 0)
        setPageTo(m_curPage, 1);
    markEdited();
    AddUndo();
    return imported;
}

void CVes_SetupTable::MergeRemark()
{
    if (!isContinueSelect()) {
        platform::showMessage(kNotContinuous);
        return;
    }
    std::vector<Line*> rows;
    for (int n : std::as_const(m_select)) {
        auto* line = static_cast<Line*>(getLine(n));
        if (!line || line->getType() != Line::kSteelLine) {
            platform::showMessage(kNotBarRows);
            return;
        }
        rows.push_back(line);
    }
    bool changed = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int mark = i == 0 ? Line::kRemarkMergeFirst : Line::kRemarkMergeNext;
        changed |= rows[i]->getRemarkMerge() != mark;
        rows[i]->setRemarkMerge(mark);
    }
    if (changed) {
        markEdited();
        AddUndo();
    }
}

void CVes_SetupTable::unMergeRemark()
{
    bool changed = false;
    for (int n : std::as_const(m_select)) {
        auto* line = static_cast<Line*>(getLine(n));
        if (!line || line->getType() != Line::kSteelLine
            || line->getRemarkMerge() == Line::kRemarkNotMerged)
            continue;
        line->setRemarkMerge(Line::kRemarkNotMerged);
        changed = true;
    }
    if (changed) {
        markEdited();
        AddUndo();
    }
}
