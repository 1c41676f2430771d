// The project tree's new documents: sheets made in a folder with the header
// texts of their building, and quantity sheets summing the bar lists of a
// folder or of the ticked parts of the project.

#include "app/projects/projecttreectrl.h"

#include "app/documents/sheetcontainer.h"
#include "app/panes/resourceids.h"
#include "app/projects/projectpaths.h"
#include "app/projects/sheetkinds.h"
#include "platform/hostservices.h"
#include "platform/ui/docmanager.h"
#include "platform/ui/doctemplate.h"
#include "platform/ui/document.h"
#include "platform/ui/view.h"
#include "tables/framework/ui/tableview.h"
#include "tables/quantity/sltable.h"

#include <QFileInfo>

using projects::joinPath;

namespace {

// Header texts every sheet shares.
constexpr int kProjectNameText = 2;
constexpr int kPreparerText = 5;
constexpr int kCheckerText = 6;

const QString kSummaryName = QStringLiteral("钢筋用量汇总");

// The sheet a new document shows first, which shows its main table.
CVes_TableViewBase* mainViewOf(platform::Document* document)
{
    for (platform::View* view : document->views()) {
        if (auto* container = dynamic_cast<CSheetContainer*>(view)) {
            if (CVes_TableViewBase* sheet = container->getActiveSheetView())
                return sheet;
        } else if (auto* sheet = dynamic_cast<CVes_TableViewBase*>(view)) {
            return sheet;
        }
    }
    return nullptr;
}

// The file name of a summary made now: "<stem>_钢筋用量汇总_<time>".
QString summaryStem(const QString& stem)
{
    return stem + u'_' + kSummaryName
           + platform::host().now().toString(QStringLiteral("_yyyy年MM月dd日HH时mm分"));
}

} // namespace

platform::Document* CProjectTreeCtrl::newDocument(int templateId, CVes_TableBase** table)
{
    platform::DocManager* manager = docManager();
    platform::DocTemplate* docTemplate = manager ? manager->findTemplate(templateId) : nullptr;
    platform::Document* document = docTemplate ? docTemplate->OpenDocumentFile(QString()) : nullptr;
    CVes_TableViewBase* sheet = document ? mainViewOf(document) : nullptr;
    *table = sheet ? sheet->getTable() : nullptr;
    return document;
}

void CProjectTreeCtrl::fillHeader(CVes_TableBase* table, int templateId, QTreeWidgetItem* item,
                                  const QString& typedName) const
{
    const CVes_BuildingInfo* building = GetItemBuilding(item);
    const SheetKind* kind = sheetKindOfTemplate(templateId);
    if (!table || !building || !kind)
        return;
    QString placement = GetItemPlacement(item);
    if (!typedName.isEmpty())
        placement += u'_' + typedName;
    table->m_texts[kProjectNameText].m_formula = building->name();
    table->m_texts[size_t(kind->placementText)].m_formula = placement;
    table->m_texts[kPreparerText].m_formula = building->preparer();
    table->m_texts[kCheckerText].m_formula = building->checker();
}

bool CProjectTreeCtrl::saveNewDocument(platform::Document* document, const QString& path,
                                       QTreeWidgetItem* item)
{
    document->UpdateAllViews(nullptr);
    // The window's panes show the header texts just filled in, not those
    // of the template the sheet was made from.
    if (CVes_TableViewBase* sheet = mainViewOf(document))
        Q_EMIT sheet->tableChanged(sheet->getTable());
    if (!document->DoSave(path, true))
        return false;
    if (QTreeWidgetItem* fileItem = AddFileItem(QFileInfo(path).fileName(), item))
        setCurrentTreeItem(fileItem);
    return true;
}

platform::Document* CProjectTreeCtrl::summarise(const SummarySources& sources, const QString& folder,
                                                const QString& stem, QTreeWidgetItem* folderItem,
                                                QTreeWidgetItem* headerItem)
{
    // Two summaries made within the same minute get names of their own.
    const QString name = projects::freeFileName(folder, summaryStem(stem), QStringLiteral(".ylb"));
    CVes_TableBase* table = nullptr;
    platform::Document* document = newDocument(IDR_SLTYPE, &table);
    if (!document)
        return nullptr;
    fillHeader(table, IDR_SLTYPE, headerItem, {});
    // The summary's range names what was summed, whatever item was current.
    if (const SheetKind* kind = sheetKindOfTemplate(IDR_SLTYPE); kind && table)
        table->m_texts[size_t(kind->placementText)].m_formula = sources.scope();
    if (auto* sheet = dynamic_cast<CVes_SLTable*>(table)) {
        platform::WaitCursor wait;
        // Lists kept in element-type folders count under their type.
        sheet->importSetUpArray(sources.paths, sources.elementTypes);
        // The rows come in before the empty page a new sheet starts with;
        // those empty rows would make a page of their own.
        sheet->clearNullLineOfEnd();
        sheet->firstPage();
    }
    saveNewDocument(document, joinPath(folder, name), folderItem);
    return document;
}

void CProjectTreeCtrl::OnSummariseFolder()
{
    QTreeWidgetItem* item = m_hCurItem;
    const int kind = itemKind(item);
    const QString folder = GetItemFolder(item);
    if (isFileKind(kind) || isCategoryKind(kind) || folder.isEmpty())
        return;
    // A project folder's item shows its whole path; the file is named
    // after the folder itself.
    const QString stem = kind == TREE_FOLDER ? QFileInfo(folder).fileName() : item->text(0);
    SummarySources sources;
    CollectBarListFiles(item, sources);
    summarise(sources, folder, stem, item, item);
}

void CProjectTreeCtrl::OnSummarisePicked()
{
    SummarySources picked;
    CollectChecked(rootItem(), picked);
    summarisePicked(picked);
}

platform::Document* CProjectTreeCtrl::summarisePicked(const SummarySources& picked)
{
    QTreeWidgetItem* root = rootItem();
    QTreeWidgetItem* first = root && root->childCount() > 0 ? root->child(0) : nullptr;
    const int kind = itemKind(first);
    if (picked.paths.isEmpty() || !first || isFileKind(kind) || isCategoryKind(kind))
        return nullptr;
    const QString folder = GetItemFolder(first);
    if (folder.isEmpty())
        return nullptr;
    // The header comes from the building of the item selected; with the
    // project root (or no building) selected, from the first building.
    QTreeWidgetItem* header = GetItemBuilding(m_hCurItem) ? m_hCurItem : first;
    return summarise(picked, folder, QStringLiteral("选择汇总"), first, header);
}
