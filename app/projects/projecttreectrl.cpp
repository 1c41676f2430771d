#include "app/projects/projecttreectrl.h"

#include "app/projects/projectids.h"
#include "app/projects/projectpaths.h"
#include "app/projects/projectprogram.h"
#include "app/projects/projectresources.h"
#include "app/projects/sheetkinds.h"
#include "platform/ui/docmanager.h"
#include "widgara/imagemanager.h"
#include "widgara/resources.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QHeaderView>

using projects::joinPath;

namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kInfoRole = Qt::UserRole + 1;

// The images of the items in the tree's image strip.
constexpr int kImageBuilding = 0;
constexpr int kImageBuildingSelected = 1;
constexpr int kImageRoot = 2;
constexpr int kImageStoreySelected = 3;
constexpr int kImageStorey = 4;
constexpr int kImageElementType = 9;
constexpr int kImageElementTypeSelected = 10;
constexpr int kImageCategory = 11;
constexpr int kImageCount = 18;

} // namespace

CProjectTreeCtrl::CProjectTreeCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("ProjectTree"));
    setHeaderHidden(true);
    // Long names scroll sideways instead of being cut short.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    registerProjectResources();
    const QImage strip = widgara::resources().bitmap(IDB_PROJECT_TREE);
    std::vector<int> ids(kImageCount);
    for (int i = 0; i < kImageCount; ++i)
        ids[size_t(i)] = i;
    const auto icons = widgara::iconsFromStrip(strip, ids, {16, strip.height()},
                                               platform::gdi::RGB(0, 255, 0));
    m_imageList.resize(kImageCount);
    for (const auto& [index, icon] : icons)
        m_imageList[size_t(index)] = icon;
    connect(this, &QTreeWidget::itemChanged, this, &CProjectTreeCtrl::onItemChanged);
    connect(&m_folderWatch, &QFileSystemWatcher::directoryChanged, this, &CProjectTreeCtrl::queueRefresh);
    // Commands work on the item last clicked or reached with the keys.
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { m_hCurItem = current; });
    buildCommandMap();
}

CProjectTreeCtrl::~CProjectTreeCtrl() = default;

void CProjectTreeCtrl::setDocManager(platform::DocManager* manager)
{
    m_docManager = manager;
}

platform::DocManager* CProjectTreeCtrl::docManager() const
{
    if (m_docManager)
        return m_docManager;
    ProjectProgram* app = ProjectProgram::instance();
    return app ? &app->docManager() : nullptr;
}

// loading

void CProjectTreeCtrl::SetProjectFolder(const QString& folder)
{
    m_strProjectFolder = folder.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    LoadProject();
}

void CProjectTreeCtrl::LoadProject()
{
    m_hCurItem = nullptr;
    m_hHeldItem = nullptr;
    m_nHoldMode = HOLD_NOTHING;
    clear();
    m_project.removeAll();
    QTreeWidgetItem* root = insertItem(nullptr, QStringLiteral("项目"), TREE_ROOT, kImageRoot, kImageRoot);
    QFont bold = root->font(0);
    bold.setBold(true);
    root->setFont(0, bold);
    const QString folder = m_strProjectFolder;
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        const QString infoPath = joinPath(folder, QString::fromUtf8(CVes_ProjectInfo::kFileName));
        // A damaged project file was reported by its reader; the folder's
        // files are still shown.
        if (QFileInfo(infoPath).isFile() && m_project.readFile(infoPath)) {
            for (int b = 0; b < m_project.buildingCount(); ++b) {
                CVes_BuildingInfo* building = m_project.building(b);
                building->readFile(joinPath(building->folder(), QString::fromUtf8(CVes_BuildingInfo::kFileName)));
                insertBuilding(building);
            }
        } else {
            QTreeWidgetItem* item = insertItem(root, folder, TREE_FOLDER, kImageBuilding, kImageBuildingSelected);
            FillFolderFiles(item, folder);
        }
    }
    root->setExpanded(true);
    watchFolders();
}

QTreeWidgetItem* CProjectTreeCtrl::insertItem(QTreeWidgetItem* parent, const QString& text, int kind,
                                              int image, int selectedImage)
{
    auto* item = new QTreeWidgetItem;
    item->setText(0, text);
    item->setData(0, kKindRole, kind);
    QIcon icon;
    for (const auto& [index, mode] : {std::pair{image, QIcon::Normal}, std::pair{selectedImage, QIcon::Selected}}) {
        const QIcon& source = m_imageList[size_t(index)];
        if (!source.isNull())
            icon.addPixmap(source.pixmap(16, 16), mode);
    }
    item->setIcon(0, icon);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_bCheckBoxes)
        flags |= Qt::ItemIsUserCheckable;
    if (isFileKind(kind) || kind == TREE_STOREY || kind == TREE_ELEMENT_TYPE)
        flags |= Qt::ItemIsDragEnabled;
    if (kind != TREE_ROOT && !isCategoryKind(kind))
        flags |= Qt::ItemIsDropEnabled;
    item->setFlags(flags);
    if (m_bCheckBoxes) {
        const bool ticked = parent && parent->checkState(0) == Qt::Checked;
        item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    }
    if (parent)
        parent->addChild(item);
    else
        addTopLevelItem(item);
    return item;
}

QTreeWidgetItem* CProjectTreeCtrl::insertBuilding(CVes_BuildingInfo* building)
{
    QTreeWidgetItem* item = insertItem(rootItem(), building->name(), TREE_BUILDING, kImageBuilding,
                                       kImageBuildingSelected);
    item->setData(0, kInfoRole, QVariant::fromValue(static_cast<void*>(building)));
    item->setExpanded(true);
    FillFolderFiles(item, building->folder());
    for (int s = 0; s < building->layerCount(); ++s)
        insertStorey(item, building->layer(s));
    item->setExpanded(true);
    return item;
}

QTreeWidgetItem* CProjectTreeCtrl::insertStorey(QTreeWidgetItem* building, CVes_LayerInfo* storey)
{
    QTreeWidgetItem* item = insertItem(building, storey->name(), TREE_STOREY, kImageStorey, kImageStoreySelected);
    item->setData(0, kInfoRole, QVariant::fromValue(static_cast<void*>(storey)));
    FillFolderFiles(item, GetItemFolder(item));
    for (const QString& elementType : storey->elementTypes())
        insertElementType(item, elementType);
    return item;
}

QTreeWidgetItem* CProjectTreeCtrl::insertElementType(QTreeWidgetItem* storey, const QString& name)
{
    QTreeWidgetItem* item = insertItem(storey, name, TREE_ELEMENT_TYPE, kImageElementType,
                                       kImageElementTypeSelected);
    FillFolderFiles(item, GetItemFolder(item));
    return item;
}

void CProjectTreeCtrl::FillFolderFiles(QTreeWidgetItem* folderItem, const QString& folder)
{
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    for (const SheetKind& kind : sheetKinds()) {
        const QStringList names = dir.entryList({QStringLiteral("*.") + QLatin1String(kind.extension)},
                                                QDir::Files | QDir::Hidden, QDir::Name);
        QTreeWidgetItem* category = nullptr;
        for (const QString& name : names) {
            // Longer extensions (deleted sheets, "x.plddel") are not listed.
            if (name.size() - name.lastIndexOf(u'.') - 1 > 3)
                continue;
            if (!category)
                category = insertItem(folderItem, QString::fromUtf8(kind.categoryText), kind.category,
                                      kImageCategory, kImageCategory);
            insertItem(category, name, kind.file, kind.image, kind.image);
        }
    }
}

// what items stand for

int CProjectTreeCtrl::itemKind(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kKindRole).toInt() : TREE_NONE;
}

CVes_BuildingInfo* CProjectTreeCtrl::buildingOf(const QTreeWidgetItem* item)
{
    return itemKind(item) == TREE_BUILDING
               ? static_cast<CVes_BuildingInfo*>(item->data(0, kInfoRole).value<void*>())
               : nullptr;
}

CVes_LayerInfo* CProjectTreeCtrl::storeyOf(const QTreeWidgetItem* item)
{
    return itemKind(item) == TREE_STOREY
               ? static_cast<CVes_LayerInfo*>(item->data(0, kInfoRole).value<void*>())
               : nullptr;
}

QTreeWidgetItem* CProjectTreeCtrl::folderItemOf(QTreeWidgetItem* item)
{
    if (isFileKind(itemKind(item)) && item->parent())
        item = item->parent();
    if (isCategoryKind(itemKind(item)))
        item = item->parent();
    return item;
}

QString CProjectTreeCtrl::GetItemFolder(QTreeWidgetItem* item) const
{
    item = folderItemOf(item);
    switch (itemKind(item)) {
    case TREE_ELEMENT_TYPE:
        if (const CVes_BuildingInfo* building = buildingOf(item->parent() ? item->parent()->parent() : nullptr))
            return joinPath(joinPath(building->folder(), item->parent()->text(0)), item->text(0));
        return {};
    case TREE_STOREY:
        if (const CVes_BuildingInfo* building = buildingOf(item->parent()))
            return joinPath(building->folder(), item->text(0));
        return {};
    case TREE_BUILDING:
        return buildingOf(item)->folder();
    case TREE_FOLDER:
        return item->text(0);
    default:
        return {};
    }
}

QString CProjectTreeCtrl::GetItemPlacement(QTreeWidgetItem* item) const
{
    item = folderItemOf(item);
    switch (itemKind(item)) {
    case TREE_ELEMENT_TYPE:
        return item->parent()->text(0) + u'_' + item->text(0);
    case TREE_STOREY:
        return item->text(0);
    default:
        return {};
    }
}

CVes_BuildingInfo* CProjectTreeCtrl::GetItemBuilding(QTreeWidgetItem* item) const
{
    item = folderItemOf(item);
    if (itemKind(item) == TREE_ELEMENT_TYPE)
        item = item->parent() ? item->parent()->parent() : nullptr;
    else if (itemKind(item) == TREE_STOREY)
        item = item->parent();
    return buildingOf(item);
}

void CProjectTreeCtrl::CollectBarListFiles(QTreeWidgetItem* item, QStringList& paths) const
{
    SummarySources sources;
    CollectBarListFiles(item, sources);
    paths += sources.paths;
}

void CProjectTreeCtrl::collectLists(QTreeWidgetItem* item, SummarySources& sources) const
{
    if (itemKind(item) == TREE_FILE_PLD) {
        sources.paths << joinPath(GetItemFolder(item), item->text(0));
        const QTreeWidgetItem* folder = folderItemOf(item);
        sources.elementTypes << (itemKind(folder) == TREE_ELEMENT_TYPE ? folder->text(0) : QString());
        return;
    }
    for (int i = 0; i < item->childCount(); ++i)
        collectLists(item->child(i), sources);
}

void CProjectTreeCtrl::CollectBarListFiles(QTreeWidgetItem* item, SummarySources& sources) const
{
    if (!item)
        return;
    collectLists(item, sources);
    sources.parts << partName(item);
}

void CProjectTreeCtrl::CollectChecked(QTreeWidgetItem* item, QStringList& paths) const
{
    SummarySources sources;
    CollectChecked(item, sources);
    paths += sources.paths;
}

void CProjectTreeCtrl::CollectChecked(QTreeWidgetItem* item, SummarySources& sources) const
{
    if (!item)
        return;
    if (item->checkState(0) == Qt::Checked) {
        CollectBarListFiles(item, sources);
        return;
    }
    for (int i = 0; i < item->childCount(); ++i)
        CollectChecked(item->child(i), sources);
}

QString CProjectTreeCtrl::partName(QTreeWidgetItem* item) const
{
    switch (itemKind(item)) {
    case TREE_ROOT: {
        QStringList parts;
        for (int i = 0; i < item->childCount(); ++i)
            parts << partName(item->child(i));
        return parts.join(QStringLiteral("、"));
    }
    case TREE_BUILDING:
        return item->text(0);
    case TREE_FOLDER:
        return QDir(item->text(0)).dirName();
    case TREE_STOREY:
    case TREE_ELEMENT_TYPE:
        return GetItemPlacement(item);
    default:
        break;
    }
    if (isCategoryKind(itemKind(item)))
        return partName(item->parent());
    if (isFileKind(itemKind(item))) {
        const QString placement = partName(folderItemOf(item));
        const QString title = QFileInfo(item->text(0)).completeBaseName();
        return placement.isEmpty() ? title : placement + u'_' + title;
    }
    return {};
}

// file items

QTreeWidgetItem* CProjectTreeCtrl::categoryOf(QTreeWidgetItem* folderItem, int categoryKind) const
{
    for (int i = 0; folderItem && i < folderItem->childCount(); ++i)
        if (itemKind(folderItem->child(i)) == categoryKind)
            return folderItem->child(i);
    return nullptr;
}

QTreeWidgetItem* CProjectTreeCtrl::AddFileItem(const QString& fileName, QTreeWidgetItem* item)
{
    const SheetKind* kind = sheetKindOfFile(fileName);
    if (!kind || !item)
        return nullptr;
    QTreeWidgetItem* folderItem = folderItemOf(item);
    QTreeWidgetItem* category = categoryOf(folderItem, kind->category);
    if (!category)
        category = insertItem(folderItem, QString::fromUtf8(kind->categoryText), kind->category,
                              kImageCategory, kImageCategory);
    return insertItem(category, fileName, kind->file, kind->image, kind->image);
}

std::vector<QTreeWidgetItem*> CProjectTreeCtrl::folderItems() const
{
    std::vector<QTreeWidgetItem*> folders;
    for (QTreeWidgetItemIterator it(const_cast<CProjectTreeCtrl*>(this)); *it; ++it) {
        const int kind = itemKind(*it);
        if (kind == TREE_FOLDER || kind == TREE_BUILDING || kind == TREE_STOREY || kind == TREE_ELEMENT_TYPE)
            folders.push_back(*it);
    }
    return folders;
}

void CProjectTreeCtrl::RefreshProjectFiles()
{
    for (QTreeWidgetItem* folderItem : folderItems()) {
        const QDir dir(GetItemFolder(folderItem));
        for (const SheetKind& kind : sheetKinds()) {
            const QStringList names = dir.entryList(
                {QStringLiteral("*.") + QLatin1String(kind.extension)}, QDir::Files | QDir::Hidden, QDir::Name);
            QTreeWidgetItem* category = categoryOf(folderItem, kind.category);
            for (int i = category ? category->childCount() - 1 : -1; i >= 0; --i) {
                if (!names.contains(category->child(i)->text(0))) {
                    // The category goes with its last file.
                    const bool last = category->childCount() == 1;
                    removeItem(category->child(i));
                    if (last)
                        category = nullptr;
                }
            }
            for (const QString& name : names) {
                bool listed = false;
                for (int i = 0; category && i < category->childCount() && !listed; ++i)
                    listed = category->child(i)->text(0) == name;
                if (!listed && sheetKindOfFile(name))
                    category = AddFileItem(name, folderItem)->parent();
            }
        }
    }
    watchFolders();
    Q_EMIT projectFilesRefreshed();
}

void CProjectTreeCtrl::watchFolders()
{
    QStringList wanted;
    for (QTreeWidgetItem* folderItem : folderItems()) {
        const QString folder = GetItemFolder(folderItem);
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            wanted << QDir::cleanPath(folder);
    }
    const QStringList watched = m_folderWatch.directories();
    QStringList stale;
    for (const QString& folder : watched)
        if (!wanted.contains(folder))
            stale << folder;
    if (!stale.isEmpty())
        m_folderWatch.removePaths(stale);
    // A folder made inside a watched one is watched from the refresh its
    // making starts.
    QStringList added;
    for (const QString& folder : std::as_const(wanted))
        if (!watched.contains(folder) && !added.contains(folder))
            added << folder;
    if (!added.isEmpty())
        m_folderWatch.addPaths(added);
}

void CProjectTreeCtrl::queueRefresh()
{
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refreshQueued = false;
            RefreshProjectFiles();
        },
        Qt::QueuedConnection);
}

// current and held items

void CProjectTreeCtrl::setCurrentTreeItem(QTreeWidgetItem* item)
{
    m_hCurItem = item;
    if (item)
        setCurrentItem(item);
}

int CProjectTreeCtrl::HeldKindOf(const QTreeWidgetItem* item)
{
    switch (itemKind(item)) {
    case TREE_FILE_PLD:
    case TREE_FILE_JGD:
    case TREE_FILE_YLB:
        return HELD_FILE;
    case TREE_ELEMENT_TYPE:
        return HELD_ELEMENT_TYPE;
    case TREE_STOREY:
        return HELD_STOREY;
    case TREE_BUILDING:
        return HELD_BUILDING;
    default:
        return HELD_NOTHING;
    }
}

bool CProjectTreeCtrl::contains(const QTreeWidgetItem* ancestor, const QTreeWidgetItem* item) const
{
    for (; item; item = item->parent())
        if (item == ancestor)
            return true;
    return false;
}

void CProjectTreeCtrl::removeItem(QTreeWidgetItem* item)
{
    if (contains(item, m_hCurItem))
        m_hCurItem = nullptr;
    if (contains(item, m_hHeldItem)) {
        m_hHeldItem = nullptr;
        m_nHoldMode = HOLD_NOTHING;
    }
    QTreeWidgetItem* parent = item->parent();
    delete item;
    // An emptied category goes with its last file.
    if (isCategoryKind(itemKind(parent)) && parent->childCount() == 0)
        removeItem(parent);
}

// check boxes

void CProjectTreeCtrl::onItemChanged(QTreeWidgetItem* item)
{
    if (!m_bCheckBoxes || m_bPropagating)
        return;
    m_bPropagating = true;
    const Qt::CheckState state = item->checkState(0);
    setCheckBelow(item, state);
    if (state == Qt::Unchecked)
        for (QTreeWidgetItem* up = item->parent(); up; up = up->parent())
            up->setCheckState(0, Qt::Unchecked);
    m_bPropagating = false;
}

void CProjectTreeCtrl::setCheckBelow(QTreeWidgetItem* item, Qt::CheckState state)
{
    for (int i = 0; i < item->childCount(); ++i) {
        item->child(i)->setCheckState(0, state);
        setCheckBelow(item->child(i), state);
    }
}
