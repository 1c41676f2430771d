// The project tree's file and folder commands: open, new sheets, storeys and
// element types, copy, cut, paste, delete and rename.

#include "app/projects/projecttreectrl.h"

#include "app/projects/filetreeoperation.h"
#include "app/projects/inputnamedlg.h"
#include "app/projects/projectpaths.h"
#include "app/projects/projectprogram.h"
#include "app/projects/sheetkinds.h"
#include "platform/archive.h"
#include "platform/hostservices.h"
#include "platform/ui/docmanager.h"
#include "platform/ui/document.h"
#include "tables/barlist/setuptable.h"

#include <QDir>
#include <QFileInfo>

using projects::joinPath;

namespace {

const QString kFillPlacement = QStringLiteral("同时在施工部位处自动填写");
const QString kDeletedSuffix = QStringLiteral("_删除");
const QString kCopyPrefix = QStringLiteral("复件_");
// The header text of a bar list that names its placement.
constexpr int kBarListPlacement = 3;

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QStringList storeyNames(const CVes_BuildingInfo& building, const CVes_LayerInfo* except = nullptr)
{
    QStringList names;
    for (int i = 0; i < building.layerCount(); ++i)
        if (building.layer(i) != except)
            names << building.layer(i)->name();
    return names;
}

QStringList buildingNames(const CVes_ProjectInfo& project, const CVes_BuildingInfo* except)
{
    QStringList names;
    for (int i = 0; i < project.buildingCount(); ++i)
        if (project.building(i) != except)
            names << project.building(i)->name();
    return names;
}

bool tellIfTaken(const QString& name, const QStringList& taken, const char* what)
{
    for (const QString& other : taken) {
        if (sameName(other, name)) {
            platform::showMessage(QStringLiteral("已有名为“%1”的%2。").arg(name, QString::fromUtf8(what)),
                                  platform::MessageIcon::Warning);
            return true;
        }
    }
    return false;
}

// Where a deleted file or folder is put aside: `path` + `suffix`, or with
// "(2)", "(3)", … after it when a deleted one of that name is there already.
QString asideName(const QString& path, const QString& suffix)
{
    QString aside = path + suffix;
    for (int n = 2; CFileTreeOperation::PathKind(aside) != CFileTreeOperation::kMissing; ++n)
        aside = QStringLiteral("%1%2(%3)").arg(path, suffix).arg(n);
    return aside;
}

void tellFailure(const char* what, const QString& reason)
{
    platform::showMessage(QStringLiteral("%1失败：%2").arg(QString::fromUtf8(what), reason),
                          platform::MessageIcon::Warning);
}

// Puts `newPath` in place of `oldPath` in the recent projects, keeping
// their order.
void replaceRecentProject(const QString& oldPath, const QString& newPath)
{
    ProjectProgram* app = ProjectProgram::instance();
    platform::RecentFileList* list = app ? app->getRecentProjectList() : nullptr;
    if (app && QDir::cleanPath(app->currentProjectFolder()) == oldPath)
        app->setCurrentProjectFolder(newPath);
    if (!list)
        return;
    QStringList entries = list->entries();
    bool changed = false;
    for (QString& entry : entries) {
        if (QDir::cleanPath(entry) == oldPath) {
            entry = newPath;
            changed = true;
        }
    }
    if (!changed)
        return;
    while (!list->entries().isEmpty())
        list->Remove(0);
    for (qsizetype i = entries.size() - 1; i >= 0; --i)
        list->Add(entries[i]);
    list->WriteList();
}

} // namespace

// helpers

QString CProjectTreeCtrl::askName(const QString& title, const QString& text, const QString& checkCaption,
                                  bool* check)
{
    CInputNameDlg dialog(this);
    dialog.SetTitle(title);
    dialog.SetText(text);
    if (check) {
        dialog.SetCheckCaption(checkCaption);
        dialog.SetCheck(1);
    }
    if (dialog.DoModal() != CInputNameDlg::IDOK)
        return {};
    if (check)
        *check = dialog.GetCheck() != 0;
    return dialog.GetText().trimmed();
}

QPersistentModelIndex CProjectTreeCtrl::persistentIndex(QTreeWidgetItem* item) const
{
    return item ? QPersistentModelIndex(indexFromItem(item)) : QPersistentModelIndex();
}

QTreeWidgetItem* CProjectTreeCtrl::itemOf(const QPersistentModelIndex& index) const
{
    return index.isValid() ? itemFromIndex(index) : nullptr;
}

bool CProjectTreeCtrl::refuseOpenDocuments(const QString& path, const QString& message) const
{
    platform::DocManager* manager = docManager();
    if (!manager || path.isEmpty())
        return false;
    // Only what the command touches counts: the file itself, or what lies
    // under the folder; the refusal names the windows to close.
    QStringList open;
    for (platform::Document* document : manager->documents())
        if (projects::isUnderFolder(document->GetPathName(), path))
            open << QFileInfo(document->GetPathName()).fileName();
    if (open.isEmpty())
        return false;
    platform::showMessage(message + QStringLiteral("\n\n打开的文件：") + open.join(QStringLiteral("、")),
                          platform::MessageIcon::Warning);
    return true;
}

QString CProjectTreeCtrl::commandPath(QTreeWidgetItem* item) const
{
    return isFileKind(itemKind(item)) ? joinPath(GetItemFolder(item), item->text(0)) : GetItemFolder(item);
}

QString CProjectTreeCtrl::openRefusal(QTreeWidgetItem* item, const QString& action)
{
    return isFileKind(itemKind(item))
               ? QStringLiteral("此文件处于打开状态，请关闭该文件后再进行%1操作！").arg(action)
               : QStringLiteral("此目录下有文件处于打开状态，请关闭相应文件后再进行%1操作！").arg(action);
}

bool CProjectTreeCtrl::writeBuildingInfo(CVes_BuildingInfo* building) const
{
    if (!building)
        return false;
    const QString path = joinPath(building->folder(), QString::fromUtf8(CVes_BuildingInfo::kFileName));
    QString error;
    if (building->writeFile(path, &error))
        return true;
    tellFailure("保存工程信息", QStringLiteral("%1 %2").arg(path, error));
    return false;
}

bool CProjectTreeCtrl::writeProjectInfo() const
{
    const QString path = joinPath(m_strProjectFolder, QString::fromUtf8(CVes_ProjectInfo::kFileName));
    QString error;
    if (m_project.writeFile(path, &error))
        return true;
    tellFailure("保存工程信息", QStringLiteral("%1 %2").arg(path, error));
    return false;
}

// open and new

void CProjectTreeCtrl::OnOpenItem()
{
    QTreeWidgetItem* item = m_hCurItem;
    if (!isFileKind(itemKind(item)))
        return;
    const QString path = joinPath(GetItemFolder(item), item->text(0));
    if (!QFileInfo(path).isFile()) {
        platform::showMessage(QStringLiteral("文件“%1”不存在。").arg(path), platform::MessageIcon::Warning);
        return;
    }
    if (platform::DocManager* manager = docManager())
        manager->OpenDocumentFile(path);
}

void CProjectTreeCtrl::OnNewBarList()
{
    newSheet(TREE_CAT_PLD);
}

void CProjectTreeCtrl::OnNewProcessingSheet()
{
    newSheet(TREE_CAT_JGD);
}

void CProjectTreeCtrl::OnNewQuantitySheet()
{
    newSheet(TREE_CAT_YLB);
}

void CProjectTreeCtrl::newSheet(int categoryKind)
{
    const SheetKind* kind = sheetKindOfCategory(categoryKind);
    const QPersistentModelIndex where = persistentIndex(m_hCurItem);
    if (!kind || !m_hCurItem || GetItemFolder(m_hCurItem).isEmpty())
        return;
    bool fillPlacement = false;
    const QString typed = askName(QStringLiteral("输入文件名称"), {}, kFillPlacement,
                                  categoryKind == TREE_CAT_PLD ? &fillPlacement : nullptr);
    QTreeWidgetItem* item = itemOf(where);
    if (typed.isEmpty() || !item || !projects::acceptName(typed))
        return;
    const QString name = typed + u'.' + QLatin1String(kind->extension);
    const QString path = joinPath(GetItemFolder(item), name);
    if (CFileTreeOperation::PathKind(path) != CFileTreeOperation::kMissing) {
        platform::showMessage(QStringLiteral("此目录下文件已经存在"), platform::MessageIcon::Warning);
        return;
    }
    CVes_TableBase* table = nullptr;
    platform::Document* document = newDocument(kind->templateId, &table);
    if (!document)
        return;
    fillHeader(table, kind->templateId, item, fillPlacement ? typed : QString());
    saveNewDocument(document, path, item);
}

// storeys and element types

void CProjectTreeCtrl::OnNewStorey()
{
    const QPersistentModelIndex where = persistentIndex(m_hCurItem);
    if (!buildingOf(m_hCurItem))
        return;
    const QString name = askName(QStringLiteral("输入施工部位名称"));
    QTreeWidgetItem* item = itemOf(where);
    CVes_BuildingInfo* building = buildingOf(item);
    if (name.isEmpty() || !building || !projects::acceptName(name)
        || tellIfTaken(name, storeyNames(*building), "层或施工部位"))
        return;
    if (!projects::makeFolder(joinPath(building->folder(), name)))
        return;
    CVes_LayerInfo* storey = building->AddLayerInfo(name);
    if (!storey)
        return;
    setCurrentTreeItem(insertStorey(item, storey));
    writeBuildingInfo(building);
}

void CProjectTreeCtrl::OnNewElementType()
{
    const QPersistentModelIndex where = persistentIndex(m_hCurItem);
    if (!storeyOf(m_hCurItem) || !buildingOf(m_hCurItem->parent()))
        return;
    const QString name = askName(QStringLiteral("输入构件类型名称"));
    QTreeWidgetItem* item = itemOf(where);
    CVes_LayerInfo* storey = storeyOf(item);
    if (name.isEmpty() || !storey || !projects::acceptName(name)
        || tellIfTaken(name, storey->elementTypes(), "构件类型"))
        return;
    if (!projects::makeFolder(joinPath(GetItemFolder(item), name)) || !storey->AddElementType(name))
        return;
    setCurrentTreeItem(insertElementType(item, name));
    writeBuildingInfo(GetItemBuilding(item));
}

// copy, cut and paste

void CProjectTreeCtrl::OnCopyItem()
{
    if (!m_hCurItem)
        return;
    m_hHeldItem = m_hCurItem;
    m_nHoldMode = HOLD_COPY;
}

void CProjectTreeCtrl::OnCutItem()
{
    if (!m_hCurItem)
        return;
    if (refuseOpenDocuments(commandPath(m_hCurItem), openRefusal(m_hCurItem, QStringLiteral("剪切")))) {
        m_hHeldItem = nullptr;
        m_nHoldMode = HOLD_NOTHING;
        return;
    }
    m_hHeldItem = m_hCurItem;
    m_nHoldMode = HOLD_CUT;
}

void CProjectTreeCtrl::OnPasteItem()
{
    QTreeWidgetItem* held = m_hHeldItem;
    QTreeWidgetItem* target = m_hCurItem;
    if (!held || !target || !CanPaste())
        return;
    // A document may have been opened under the cut item since it was cut.
    if (m_nHoldMode == HOLD_CUT
        && refuseOpenDocuments(commandPath(held), openRefusal(held, QStringLiteral("剪切"))))
        return;
    const int mode = m_nHoldMode;
    bool pasted = false;
    switch (HeldKind()) {
    case HELD_FILE:
        pasted = pasteFile(held, target);
        break;
    case HELD_ELEMENT_TYPE:
        pasted = pasteElementType(held, target);
        break;
    case HELD_STOREY:
        pasted = pasteStorey(held, target);
        break;
    default:
        return;
    }
    if (!pasted)
        return;
    // The pasted item is current now; its building keeps the new part.
    CVes_BuildingInfo* into = GetItemBuilding(m_hCurItem);
    if (mode == HOLD_CUT) {
        deleteItem(held);
        m_hHeldItem = nullptr;
        m_nHoldMode = HOLD_NOTHING;
    }
    if (into)
        writeBuildingInfo(into);
}

QString CProjectTreeCtrl::pasteName(const QString& folder, QString name, const QStringList& taken)
{
    const auto isTaken = [&](const QString& candidate) {
        if (CFileTreeOperation::PathKind(joinPath(folder, candidate)) != CFileTreeOperation::kMissing)
            return true;
        for (const QString& other : taken)
            if (sameName(other, candidate))
                return true;
        return false;
    };
    while (isTaken(name))
        name = kCopyPrefix + name;
    return name;
}

bool CProjectTreeCtrl::copyTree(const QString& source, const QString& destination)
{
    CFileTreeOperation operation;
    {
        platform::WaitCursor wait;
        if (operation.Copy(source, destination))
            return true;
    }
    // What was copied before the failure goes again, so that no half copy
    // is left under the new name. A half copy that cannot be removed is
    // named, so that the user does not take it for a whole one.
    QString reason = operation.m_strError;
    if (CFileTreeOperation::PathKind(destination) != CFileTreeOperation::kMissing) {
        CFileTreeOperation cleanup;
        cleanup.m_bAskIfReadOnly = false;
        try {
            cleanup.DeleteTree(destination);
        } catch (const CFExeption& e) {
            reason += QStringLiteral("\n未复制完的%1未能删除：%2")
                          .arg(QDir::toNativeSeparators(destination), e.m_strError);
        }
    }
    tellFailure("复制", reason);
    return false;
}

bool CProjectTreeCtrl::pasteFile(QTreeWidgetItem* held, QTreeWidgetItem* target)
{
    QTreeWidgetItem* folderItem = folderItemOf(target);
    const QString folder = GetItemFolder(folderItem);
    if (folder.isEmpty())
        return false;
    const QString name = pasteName(folder, held->text(0), {});
    if (!copyTree(joinPath(GetItemFolder(held), held->text(0)), joinPath(folder, name)))
        return false;
    setCurrentTreeItem(AddFileItem(name, folderItem));
    return true;
}

bool CProjectTreeCtrl::pasteElementType(QTreeWidgetItem* held, QTreeWidgetItem* target)
{
    QTreeWidgetItem* storeyItem = itemKind(target) == TREE_ELEMENT_TYPE ? target->parent() : target;
    CVes_LayerInfo* storey = storeyOf(storeyItem);
    if (!storey)
        return false;
    const QString folder = GetItemFolder(storeyItem);
    const QString name = pasteName(folder, held->text(0), storey->elementTypes());
    if (!copyTree(GetItemFolder(held), joinPath(folder, name)) || !storey->AddElementType(name))
        return false;
    QTreeWidgetItem* item = insertElementType(storeyItem, name);
    storeyItem->setExpanded(true);
    setCurrentTreeItem(item);
    return true;
}

bool CProjectTreeCtrl::pasteStorey(QTreeWidgetItem* held, QTreeWidgetItem* target)
{
    QTreeWidgetItem* buildingItem = itemKind(target) == TREE_STOREY ? target->parent() : target;
    CVes_BuildingInfo* building = buildingOf(buildingItem);
    const CVes_LayerInfo* source = storeyOf(held);
    if (!building || !source)
        return false;
    const QString name = pasteName(building->folder(), held->text(0), storeyNames(*building));
    if (!copyTree(GetItemFolder(held), joinPath(building->folder(), name)))
        return false;
    CVes_LayerInfo* storey = building->AddLayerInfo(name);
    if (!storey)
        return false;
    for (const QString& elementType : source->elementTypes())
        storey->AddElementType(elementType);
    QTreeWidgetItem* item = insertStorey(buildingItem, storey);
    item->setExpanded(true);
    setCurrentTreeItem(item);
    return true;
}

// delete

void CProjectTreeCtrl::OnDeleteItem()
{
    QTreeWidgetItem* item = m_hCurItem;
    const int kind = itemKind(item);
    if (!isFileKind(kind) && kind != TREE_STOREY && kind != TREE_ELEMENT_TYPE)
        return;
    if (refuseOpenDocuments(commandPath(item), openRefusal(item, QStringLiteral("删除"))))
        return;
    const QPersistentModelIndex where = persistentIndex(item);
    // The question names what goes: the file, or the folder with its files.
    const QString question =
        isFileKind(kind)
            ? QStringLiteral("你确实要删除文件“%1”？").arg(item->text(0))
            : QStringLiteral("你确实要删除目录“%1”及其中的所有文件？")
                  .arg(kind == TREE_ELEMENT_TYPE ? item->parent()->text(0) + u'/' + item->text(0)
                                                 : item->text(0));
    if (platform::ask(question) != platform::Answer::Yes)
        return;
    if ((item = itemOf(where)))
        deleteItem(item);
}

bool CProjectTreeCtrl::deleteItem(QTreeWidgetItem* item)
{
    const int kind = itemKind(item);
    const bool isFile = isFileKind(kind);
    if (!isFile && kind != TREE_STOREY && kind != TREE_ELEMENT_TYPE)
        return false;
    // The file or folder stays on disk under a name the tree does not list.
    const QString path = commandPath(item);
    if (CFileTreeOperation::PathKind(path) != CFileTreeOperation::kMissing) {
        CFileTreeOperation operation;
        if (!operation.Move(path, asideName(path, isFile ? QStringLiteral("del") : kDeletedSuffix))) {
            tellFailure("删除", operation.m_strError);
            return false;
        }
    } else if (!isFile) {
        return false;
    }
    CVes_BuildingInfo* building = GetItemBuilding(item);
    std::unique_ptr<CVes_LayerInfo> gone;
    if (kind == TREE_STOREY)
        gone = building ? building->remove(storeyOf(item)) : nullptr;
    else if (kind == TREE_ELEMENT_TYPE)
        storeyOf(item->parent())->removeEle(item->text(0));
    removeItem(item);
    if (!isFile)
        writeBuildingInfo(building);
    return true;
}

// rename

void CProjectTreeCtrl::OnRenameItem()
{
    QTreeWidgetItem* item = m_hCurItem;
    const int kind = itemKind(item);
    const bool isFile = isFileKind(kind);
    QString oldPath;
    QString parent;
    if (isFile) {
        parent = GetItemFolder(item);
        oldPath = joinPath(parent, item->text(0));
    } else if (kind == TREE_BUILDING || kind == TREE_FOLDER) {
        // The folder itself is renamed in the folder that holds it.
        oldPath = QDir::cleanPath(GetItemFolder(item));
        parent = QFileInfo(oldPath).absolutePath();
    } else if (kind == TREE_STOREY || kind == TREE_ELEMENT_TYPE) {
        oldPath = GetItemFolder(item);
        parent = GetItemFolder(item->parent());
    } else {
        return;
    }
    if (refuseOpenDocuments(oldPath, openRefusal(item, QStringLiteral("重命名"))))
        return;
    const QPersistentModelIndex where = persistentIndex(item);
    if (platform::ask(QStringLiteral("你确实要重命名选择的文件（或目录）？")) != platform::Answer::Yes)
        return;
    bool fillPlacement = false;
    const QString typed = askName(QStringLiteral("输入新的名称"), item->text(0), kFillPlacement,
                                  isFile ? &fillPlacement : nullptr);
    if (typed.isEmpty() || !(item = itemOf(where)) || !projects::acceptName(typed))
        return;
    QString newName = typed;
    if (isFile) {
        // File names are kept in lower case, with their kind's extension.
        newName = typed.toLower();
        if (newName.right(4).toLower() != oldPath.right(4).toLower())
            newName += oldPath.right(4);
    } else if (kind == TREE_STOREY
               && tellIfTaken(typed, storeyNames(*GetItemBuilding(item), storeyOf(item)), "层或施工部位")) {
        return;
    } else if (kind == TREE_BUILDING && tellIfTaken(typed, buildingNames(m_project, buildingOf(item)), "工程")) {
        return;
    } else if (kind == TREE_ELEMENT_TYPE) {
        QStringList others = storeyOf(item->parent())->elementTypes();
        others.removeOne(item->text(0));
        if (tellIfTaken(typed, others, "构件类型"))
            return;
    }
    const QString newPath = joinPath(parent, newName);
    if (newPath == oldPath || !renameOnDisk(oldPath, newPath))
        return;
    const QString oldName = item->text(0);
    item->setText(0, kind == TREE_FOLDER ? newPath : newName);
    if (kind == TREE_FILE_PLD && fillPlacement)
        writePlacement(newPath, typed);
    renameInfo(item, oldName, typed, oldPath, newPath);
}

bool CProjectTreeCtrl::renameOnDisk(const QString& oldPath, const QString& newPath)
{
    CFileTreeOperation operation;
    if (operation.Move(oldPath, newPath))
        return true;
    tellFailure("重命名", operation.m_strError);
    return false;
}

void CProjectTreeCtrl::writePlacement(const QString& path, const QString& typedName) const
{
    QString placement = typedName;
    if (placement.endsWith(QStringLiteral(".pld"), Qt::CaseInsensitive))
        placement.chop(4);
    CVes_SetupTable table;
    bool read = false;
    try {
        read = table.OpenFile(path) != 0;
    } catch (const platform::SchemaError& e) {
        // A number no later version gives is a damaged file.
        if (e.isNewer()) {
            tellFailure("填写施工部位", QStringLiteral("文件%1的版本比本程序新").arg(path));
            return;
        }
    }
    if (!read) {
        tellFailure("填写施工部位", QStringLiteral("无法读取文件%1").arg(path));
        return;
    }
    table.m_texts[kBarListPlacement].m_formula = placement;
    if (!table.SaveFile(path))
        tellFailure("填写施工部位", QStringLiteral("无法保存文件%1").arg(path));
}

void CProjectTreeCtrl::renameInfo(QTreeWidgetItem* item, const QString& oldName, const QString& typedName,
                                  const QString& oldPath, const QString& newPath)
{
    switch (itemKind(item)) {
    case TREE_STOREY:
        storeyOf(item)->setName(typedName);
        writeBuildingInfo(GetItemBuilding(item));
        break;
    case TREE_ELEMENT_TYPE:
        storeyOf(item->parent())->renameEle(oldName, typedName);
        writeBuildingInfo(GetItemBuilding(item));
        break;
    case TREE_BUILDING:
        buildingOf(item)->setName(typedName);
        followMovedFolder(oldPath, newPath);
        writeBuildingInfo(buildingOf(item));
        break;
    case TREE_FOLDER:
        followMovedFolder(oldPath, newPath);
        break;
    default:
        break;
    }
}

void CProjectTreeCtrl::followMovedFolder(const QString& oldPath, const QString& newPath)
{
    // Every folder at or below the renamed one moved with it: the building
    // itself, buildings kept inside it, and the project folder when it is
    // the building's folder (or the folder renamed).
    const auto moved = [&](const QString& path) {
        const QString clean = QDir::cleanPath(path);
        if (clean == oldPath)
            return newPath;
        return clean.startsWith(oldPath + u'/') ? QString(newPath + clean.mid(oldPath.size())) : path;
    };
    for (int b = 0; b < m_project.buildingCount(); ++b)
        m_project.building(b)->setFolder(moved(m_project.building(b)->folder()));
    const QString oldProject = m_strProjectFolder;
    m_strProjectFolder = moved(m_strProjectFolder);
    m_project.setFolder(m_strProjectFolder);
    if (m_project.buildingCount() > 0)
        writeProjectInfo();
    if (m_strProjectFolder != oldProject)
        replaceRecentProject(oldProject, m_strProjectFolder);
}
