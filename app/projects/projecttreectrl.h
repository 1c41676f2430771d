#pragma once
// The project tree: one project with its buildings, their storeys (or
// construction parts) and the element types of each storey, and in every
// one of these folders the bar lists (.pld), processing sheets (.jgd) and
// quantity sheets (.ylb) found on disk, grouped under a category node per
// kind. The project's structure is kept in "projectinfo.xml" (the buildings)
// and each building's "buildinginfo.xml" (its storeys and element types);
// the tree mirrors those files and the folders, and keeps both in step after
// every change it makes.
//
// From the tree the user makes, opens, copies, cuts, pastes, deletes and
// renames files and folders, makes storeys and element types, and sums the
// bar lists of a folder (or of the ticked parts, in a tree with check
// boxes) into a new quantity sheet. Every command works on the current item:
// the item last clicked with either button. A move or delete is refused
// while a document under the folder concerned is open.

#include "envora/projectinfo.h"
#include "platform/ui/commandtarget.h"

#include <QFileSystemWatcher>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTreeWidget>
#include <memory>
#include <vector>

class BCMenu;
class CVes_TableBase;

// The bar lists a summary sums: their paths, the element type each belongs
// to (empty for none) and the names of the parts they were taken from.
struct SummarySources {
    QStringList paths;
    QStringList elementTypes;
    QStringList parts;
    // The parts, as the summary's 统计范围 names them.
    QString scope() const { return parts.join(QStringLiteral("、")); }
};

namespace platform {
class DocManager;
class DocTemplate;
class Document;
} // namespace platform

class CProjectTreeCtrl : public QTreeWidget, public platform::CommandTarget {
    Q_OBJECT
public:
    // What an item stands for (its item datum).
    static constexpr int TREE_NONE = 0;
    static constexpr int TREE_ROOT = 1;
    static constexpr int TREE_FOLDER = 5;  // a project folder without "projectinfo.xml"
    static constexpr int TREE_ELEMENT_TYPE = 10;
    static constexpr int TREE_CAT_PLD = 100;
    static constexpr int TREE_CAT_JGD = 101;
    static constexpr int TREE_CAT_YLB = 102;
    static constexpr int TREE_FILE_PLD = 1001;
    static constexpr int TREE_FILE_JGD = 1011;
    static constexpr int TREE_FILE_YLB = 1021;
    static constexpr int TREE_BUILDING = 1200;  // carries its CVes_BuildingInfo
    static constexpr int TREE_STOREY = 1201;    // carries its CVes_LayerInfo

    // What is held by copy or cut.
    static constexpr int HOLD_NOTHING = 0;
    static constexpr int HOLD_COPY = 1;
    static constexpr int HOLD_CUT = 2;
    // The kinds of held item (HeldKind).
    static constexpr int HELD_NOTHING = 0;
    static constexpr int HELD_FILE = 1;
    static constexpr int HELD_ELEMENT_TYPE = 2;
    static constexpr int HELD_STOREY = 4;
    static constexpr int HELD_BUILDING = 8;

    explicit CProjectTreeCtrl(QWidget* parent = nullptr);
    ~CProjectTreeCtrl() override;

    // The documents the tree opens, makes and checks for being open; the
    // application's when none is set.
    void setDocManager(platform::DocManager* manager);
    platform::DocManager* docManager() const;
    // A tree with a check box before every item (the pick dialog's).
    void setCheckBoxes(bool on) { m_bCheckBoxes = on; }
    bool hasCheckBoxes() const { return m_bCheckBoxes; }

    // Takes `folder` as the project folder and loads it.
    void SetProjectFolder(const QString& folder);
    QString projectFolder() const { return m_strProjectFolder; }
    // Rebuilds the whole tree from the project folder.
    void LoadProject();
    const CVes_ProjectInfo& project() const { return m_project; }

    static int itemKind(const QTreeWidgetItem* item);
    static bool isFileKind(int kind) { return kind >= TREE_FILE_PLD && kind < 1100; }
    static bool isCategoryKind(int kind) { return kind >= TREE_CAT_PLD && kind <= 110; }
    QTreeWidgetItem* rootItem() const { return topLevelItem(0); }

    // The folder an item stands for (files and categories: their folder);
    // empty for the root.
    QString GetItemFolder(QTreeWidgetItem* item) const;
    // "<storey>_<element type>" or "<storey>" of an item, else empty.
    QString GetItemPlacement(QTreeWidgetItem* item) const;
    CVes_BuildingInfo* GetItemBuilding(QTreeWidgetItem* item) const;
    // The full paths of every bar list under the item, depth first.
    void CollectBarListFiles(QTreeWidgetItem* item, QStringList& paths) const;
    // The same with what a summary needs besides: the element type of each
    // list (the element-type folder it lies in, else empty) and the name of
    // the part summed (see partName).
    void CollectBarListFiles(QTreeWidgetItem* item, SummarySources& sources) const;
    // The bar lists of every ticked item under `item`; a ticked item gives
    // all below it and is not searched further.
    void CollectChecked(QTreeWidgetItem* item, QStringList& paths) const;
    void CollectChecked(QTreeWidgetItem* item, SummarySources& sources) const;
    // What a summary of the item sums, as its 统计范围 names it: a
    // building's name, "<storey>" or "<storey>_<element type>", a plain
    // folder's name, a sheet's name after its placement; the root names
    // its buildings.
    QString partName(QTreeWidgetItem* item) const;
    // Lists the file under the category of its kind in the item's folder;
    // null for a name that is no sheet file.
    QTreeWidgetItem* AddFileItem(const QString& fileName, QTreeWidgetItem* item);
    // Lists the sheet files of the project's folders that the tree does not
    // show yet and drops those no longer there (after a document was saved
    // into the project, or files were put into or taken out of its folders
    // from outside, which the tree watches for).
    void RefreshProjectFiles();

Q_SIGNALS:
    // The files listed follow the folders again.
    void projectFilesRefreshed();

public:

    // The item commands work on.
    QTreeWidgetItem* currentTreeItem() const { return m_hCurItem; }
    // Makes `item` current and selects it.
    void setCurrentTreeItem(QTreeWidgetItem* item);
    QTreeWidgetItem* heldItem() const { return m_hHeldItem; }
    int holdMode() const { return m_nHoldMode; }
    int HeldKind() const { return HeldKindOf(m_hHeldItem); }
    // The held kind an item would have.
    static int HeldKindOf(const QTreeWidgetItem* item);

    // commands (projecttreectrl_commands.cpp)
    void OnOpenItem();
    void OnNewBarList();
    void OnNewProcessingSheet();
    void OnNewQuantitySheet();
    void OnNewStorey();
    void OnNewElementType();
    void OnCopyItem();
    void OnCutItem();
    void OnPasteItem();
    void OnDeleteItem();
    void OnRenameItem();
    // summaries (projecttreectrl_summary.cpp)
    void OnSummariseFolder();
    void OnSummarisePicked();
    // A new quantity sheet summing the picked bar lists, saved beside the
    // project's first building (or folder); nothing for an empty list.
    // Answers the document made.
    platform::Document* summarisePicked(const SummarySources& picked);

    // Whether copy, cut, delete and rename apply to the current item.
    bool CanEditItem() const;
    // Whether what is held may be pasted onto the current item.
    bool CanPaste() const;
    static bool canPasteOnto(const QTreeWidgetItem* held, const QTreeWidgetItem* target);

    // The context menu of an item (without showing it).
    std::unique_ptr<BCMenu> buildContextMenu(QTreeWidgetItem* item) const;
    // What a drop of `source` onto `target` does: pastes it there, moved
    // (or copied with `copy`), under the rules of cut, copy and paste.
    void dropItem(QTreeWidgetItem* source, QTreeWidgetItem* target, bool copy);
    // Whether `source` may be dropped onto `target`: as it could be pasted
    // there, and not into the folder it lies in already.
    bool canDrop(QTreeWidgetItem* source, QTreeWidgetItem* target) const;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    // building the tree
    QTreeWidgetItem* insertItem(QTreeWidgetItem* parent, const QString& text, int kind,
                                int image, int selectedImage);
    QTreeWidgetItem* insertBuilding(CVes_BuildingInfo* building);
    // The storey's item with its element types.
    QTreeWidgetItem* insertStorey(QTreeWidgetItem* building, CVes_LayerInfo* storey);
    QTreeWidgetItem* insertElementType(QTreeWidgetItem* storey, const QString& name);
    void FillFolderFiles(QTreeWidgetItem* folderItem, const QString& folder);
    // The folder items of the tree, depth first.
    std::vector<QTreeWidgetItem*> folderItems() const;
    // Watches the folders the tree shows, and only those.
    void watchFolders();
    // One refresh for the changes a folder reports at once.
    void queueRefresh();
    QTreeWidgetItem* categoryOf(QTreeWidgetItem* folderItem, int categoryKind) const;
    // The folder item an item belongs to (itself for a folder item).
    static QTreeWidgetItem* folderItemOf(QTreeWidgetItem* item);
    static CVes_BuildingInfo* buildingOf(const QTreeWidgetItem* item);
    static CVes_LayerInfo* storeyOf(const QTreeWidgetItem* item);
    // The bar lists under an item with their element types.
    void collectLists(QTreeWidgetItem* item, SummarySources& sources) const;
    // Takes an item out of the tree and forgets every reference to it.
    void removeItem(QTreeWidgetItem* item);
    bool contains(const QTreeWidgetItem* ancestor, const QTreeWidgetItem* item) const;
    void onItemChanged(QTreeWidgetItem* item);
    void setCheckBelow(QTreeWidgetItem* item, Qt::CheckState state);
    void buildCommandMap();
    // Runs a command chosen in the context menu.
    void runCommand(int id);

    // documents
    // Whether a document under `folder` is open; tells the user `message`
    // when one is.
    // True, after telling the user which files are open, when a document
    // is open at `path` (a file) or under it (a folder).
    bool refuseOpenDocuments(const QString& path, const QString& message) const;
    // What a command on the item touches: the file of a file item, else the
    // item's folder.
    QString commandPath(QTreeWidgetItem* item) const;
    // The refusal of `action` ("删除", …) on the item while documents are open.
    static QString openRefusal(QTreeWidgetItem* item, const QString& action);
    void newSheet(int categoryKind);
    // A new untitled document of the template with its main table; null
    // when it could not be made.
    platform::Document* newDocument(int templateId, CVes_TableBase** table);
    // Fills the header texts from the building of `item`.
    void fillHeader(CVes_TableBase* table, int templateId, QTreeWidgetItem* item,
                    const QString& typedName) const;
    // Saves the document as `path` and lists it below `item`.
    bool saveNewDocument(platform::Document* document, const QString& path, QTreeWidgetItem* item);
    platform::Document* summarise(const SummarySources& sources, const QString& folder,
                                  const QString& stem, QTreeWidgetItem* folderItem,
                                  QTreeWidgetItem* headerItem);

    // file and folder commands
    // Asks for a name with the name dialog; empty when cancelled or left
    // empty, the name trimmed otherwise. `check` (when given) shows the
    // check box with `checkCaption`, ticked, and receives its state.
    QString askName(const QString& title, const QString& text = {},
                    const QString& checkCaption = {}, bool* check = nullptr);
    // The item of a persistent index, or null when it is gone.
    QTreeWidgetItem* itemOf(const QPersistentModelIndex& index) const;
    QPersistentModelIndex persistentIndex(QTreeWidgetItem* item) const;
    bool writeBuildingInfo(CVes_BuildingInfo* building) const;
    bool writeProjectInfo() const;
    bool pasteFile(QTreeWidgetItem* held, QTreeWidgetItem* target);
    bool pasteElementType(QTreeWidgetItem* held, QTreeWidgetItem* target);
    bool pasteStorey(QTreeWidgetItem* held, QTreeWidgetItem* target);
    // A destination for a pasted name in `folder`: the name, prefixed with
    // "复件_" until neither a file nor one of `taken` has it.
    static QString pasteName(const QString& folder, QString name, const QStringList& taken);
    // Copies a file or folder tree; a failed copy leaves nothing behind and
    // is shown to the user.
    bool copyTree(const QString& source, const QString& destination);
    // Deletes the item: its file or folder is renamed aside on disk.
    bool deleteItem(QTreeWidgetItem* item);
    bool renameOnDisk(const QString& oldPath, const QString& newPath);
    // Gives the storey, element type or building of a renamed item its new
    // name and writes the project's files.
    void renameInfo(QTreeWidgetItem* item, const QString& oldName, const QString& typedName,
                    const QString& oldPath, const QString& newPath);
    void writePlacement(const QString& path, const QString& typedName) const;
    // After a folder of the project was renamed on disk: the buildings and
    // the project folder that lay in it follow, the project file is written
    // and the recent projects name the new folder.
    void followMovedFolder(const QString& oldPath, const QString& newPath);

    QString m_strProjectFolder;
    QTreeWidgetItem* m_hCurItem = nullptr;
    QTreeWidgetItem* m_hHeldItem = nullptr;
    int m_nHoldMode = HOLD_NOTHING;
    std::vector<QIcon> m_imageList;
    CVes_ProjectInfo m_project;
    QPointer<platform::DocManager> m_docManager;
    bool m_bCheckBoxes = false;
    bool m_bPropagating = false;
    QPersistentModelIndex m_dragSource;
    QFileSystemWatcher m_folderWatch;
    bool m_refreshQueued = false;
};
