#include "app/views/setupview.h"

#include "app/documents/documentfiles.h"
#include "app/documents/documenthost.h"
#include "app/documents/setupdoc.h"
#include "app/views/sheetmenu.h"
#include "app/views/summaryoptionsdlg.h"
#include "core/geometry/datafolder.h"
#include "platform/hostservices.h"
#include "tables/barlist/setuptable.h"
#include "widgara/bcmenu.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>

namespace {

// The tooltips of the sheet: white, without margins.
constexpr int kToolTipStyle = 6;

const QString kCoverFilter = QStringLiteral("表格封面模板(*.fmt)");

} // namespace

CRODOSetUpView::CRODOSetUpView(QWidget* parent) : SheetView<CVes_SetupView2>(parent)
{
    m_toolTips.SetStyle(kToolTipStyle);
    addCommands();
    addCalculatorCommands();
    addCoverCommands();
}

CRODOSetUpView::~CRODOSetUpView() = default;

CRODOSetUpDoc* CRODOSetUpView::setupDocument() const
{
    return dynamic_cast<CRODOSetUpDoc*>(GetDocument());
}

CVes_SetupTableLine* CRODOSetUpView::selectedLine() const
{
    CVes_TableBase* table = getTable();
    return table ? dynamic_cast<CVes_SetupTableLine*>(table->getLine(table->getSelectRow())) : nullptr;
}

// Commands

void CRODOSetUpView::addCommands()
{
    platform::CommandMap& map = commandMap();
    const auto view = [this](void (CVes_SetupView2::*op)()) { return [this, op] { (this->*op)(); }; };
    const auto table = [this](void (CVes_SetupTable::*op)()) {
        return tableCommand<CVes_SetupTable>([op](CVes_SetupTable& t) { (t.*op)(); });
    };
    map.add(ID_INSERT_STEEL, view(&CVes_SetupView2::insertSteelLine));
    map.add(ID_INSERT_TEXT, view(&CVes_SetupView2::insertTextLine));
    map.add(ID_INSERT_UNIT, view(&CVes_SetupView2::insertUnitLine));
    map.add(ID_INSERT_ELEMENT, view(&CVes_SetupView2::insertElementLine));
    map.add(ID_INSERT_IMAGE, view(&CVes_SetupView2::insertImageLine));
    map.add(ID_INSERT_CLIP, view(&CVes_SetupView2::insertClipBoard),
            [this](platform::CommandState& s) { s.Enable(canPaste() != 0); });
    map.add(ID_CHECK_DATA, view(&CVes_SetupView2::checkTable));
    map.add(ID_NUM_ALL, view(&CVes_SetupView2::NumSteelAll));
    map.add(ID_NUM_ALL_OWN, view(&CVes_SetupView2::NumSteelAllNoSame));
    map.add(ID_NUM_UNNUMBERED, view(&CVes_SetupView2::NumSteelOfNoNum));
    map.add(ID_NUM_ELEMENT, view(&CVes_SetupView2::NumEleSteel));
    map.add(ID_NUM_ELEMENT_SHARED, view(&CVes_SetupView2::NumEleSteelGui));
    map.add(ID_NUM_CLEAR, view(&CVes_SetupView2::ClearNum));
    map.add(ID_MID_CONNECT_EDIT, view(&CVes_SetupView2::EditMidConnect));
    map.add(ID_IMPORT_SETUP, [this] { importFrom(); });
    map.add(ID_SUMMARY_OPTIONS, [this] { OnSummaryOptions(); });
    map.add(ID_CUTLENGTH_AUTO, [this] { OnAutoCutLength(); });
    map.add(ID_CLEAR_START, [this] { OnClearStart(); });
    map.add(ID_UNIT_MERGED, [this] { toggleUnitFlag(&CVes_SetupTableLine::m_unitMerged); });
    map.add(ID_UNIT_SAME, [this] { toggleUnitFlag(&CVes_SetupTableLine::m_unitSame); });
    map.add(ID_ELEMENT_CUT, table(&CVes_SetupTable::CutEleRow));
    map.add(ID_ELEMENT_DELETE, table(&CVes_SetupTable::DeleteEleRow));
    map.add(ID_REPAIR_MID_CONNECT, table(&CVes_SetupTable::repairMidConnect));
    // Numbers the documents' toolbars use for other commands: the menu only.
    platform::CommandMap& menuOnly = menuCommands();
    menuOnly.add(ID_ELEMENT_COPY, table(&CVes_SetupTable::CopyEleRow));
    menuOnly.add(ID_INSERT_BLANK, [this] {
        OnInsertRow(1);
        afterTableCommand();
    });
    menuOnly.add(ID_REMARK_MERGE, view(&CVes_SetupView2::MergeRemark));
    menuOnly.add(ID_REMARK_UNMERGE, view(&CVes_SetupView2::unMergeRemark));

    // What the page commands may do on this sheet; the main window runs them.
    const auto page = [this] { return getTable() ? getTable()->getCurPage() : -1; };
    const auto pages = [this] { return getTable() ? getTable()->getPages() : 0; };
    map.addUpdate(ID_PAGE_PREV, [this, page](platform::CommandState& s) {
        s.Enable(page() > 1 || (page() == 1 && getTable()->haveFengmian()));
    });
    map.addUpdate(ID_PAGE_FIRST, [page](platform::CommandState& s) { s.Enable(page() > 1); });
    for (const int id : {ID_PAGE_NEXT, ID_PAGE_LAST})
        map.addUpdate(id, [page, pages](platform::CommandState& s) { s.Enable(page() < pages()); });
    map.addUpdate(ID_PAGE_DELETE, [pages](platform::CommandState& s) { s.Enable(pages() > 1); });
}

void CRODOSetUpView::addCalculatorCommands()
{
    platform::CommandMap& map = commandMap();
    map.add(ID_CALC_BEAM_HOOPS, [this] {
        calSellineSteelGenshu(QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier ? 1 : 0);
    });
    map.add(ID_CALC_BEAM_HOOPS_TABLE, [this] { calSellineSteelGenshu(1); });
    map.add(ID_CALC_JOINTS, [this] { calSellineSteelJieTouMaogu(); });
    map.add(ID_CALC_COLUMN_HOOPS, [this] { calSelectLineSteelZhuGujin(); });
    map.add(ID_CALC_WALL_HOOPS, [this] { calSelectLineSteelWallZhuGujin(); });
    map.add(ID_DESIGN_VALUES, [this] {
        if (CVes_TableBase* t = getTable()) {
            t->editExVar();
            afterTableCommand();
        }
    });
}

void CRODOSetUpView::OnClearStart()
{
    CVes_SetupTableLine* line = selectedLine();
    if (!line || line->getType() != CVes_SetupTableLine::kSteelLine)
        return;
    line->m_steel.start.setRecordId(CSteelRecordId(-1, -1));
    afterOwnEdit();
}

void CRODOSetUpView::toggleUnitFlag(int CVes_SetupTableLine::*flag)
{
    CVes_SetupTableLine* line = selectedLine();
    if (!line || line->getType() != CVes_SetupTableLine::kUnitLine)
        return;
    line->*flag = line->*flag ? 0 : 1;
    afterOwnEdit();
}

void CRODOSetUpView::OnSummaryOptions()
{
    if (!setupTable())
        return;
    CVes_totalSteelType options;
    if (askSummaryOptions(options))
        OnAmount(options);
}

bool CRODOSetUpView::askSummaryOptions(CVes_totalSteelType& options)
{
    CSummaryOptionsDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog;
    return true;
}

void CRODOSetUpView::OnKeyDown(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        OnSummaryOptions();
        return;
    }
    CVes_SetupView2::OnKeyDown(event);
}

// Auto-save and the page box

void CRODOSetUpView::autoSave()
{
    if (CRODOSetUpDoc* doc = setupDocument())
        doc->AutoSave();
}

void CRODOSetUpView::OnPageShown()
{
    if (DocumentHost* host = DocumentHost::of(this); host && getTable())
        host->OnPageShown(getTable()->getCurPage());
}

// Cover templates

QString CRODOSetUpView::coverTemplateFolder()
{
    const QString covers = GetRODOFilePath() + QStringLiteral("封面模板");
    const QString folder = covers + QStringLiteral("/配料单");
    return EnsureFolder(covers) && EnsureFolder(folder) ? folder : QString();
}

void CRODOSetUpView::addCoverCommands()
{
    platform::CommandMap& map = commandMap();
    map.add(ID_COVER_RESET, [this] {
        if (CVes_TableBase* t = getTable()) {
            t->resetTableCover();
            afterOwnEdit();
        }
    });
    map.add(ID_COVER_SAVE, [this] { transferCover(true); });
    map.add(ID_COVER_LOAD, [this] { transferCover(false); });
}

void CRODOSetUpView::transferCover(bool save)
{
    CVes_TableBase* table = getTable();
    if (!table)
        return;
    const QString path = askCoverPath(save, coverTemplateFolder());
    if (path.isEmpty() || QFileInfo(path).suffix().isEmpty())
        return;
    if (save) {
        if (!table->saveTableCoverToFile(path))
            platform::showMessage(QStringLiteral("封面模板保存失败：%1").arg(path), platform::MessageIcon::Stop);
        return;
    }
    if (!table->loadTableCoverfromFile(path)) {
        platform::showMessage(QStringLiteral("不能读取封面模板：%1").arg(path), platform::MessageIcon::Stop);
        return;
    }
    // The cover is stored with the list: the document has changed.
    afterOwnEdit();
}

QString CRODOSetUpView::askCoverPath(bool save, const QString& folder)
{
    QFileDialog dialog(this, QString(), folder, kCoverFilter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("fmt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// Context menu

void CRODOSetUpView::fillContextMenu(BCMenu& bcMenu, CVes_TableBase& table)
{
    SheetMenu menu(bcMenu);
    lineItems(menu, table);
    menu.pageItems(table);
    menu.newAndDeletePage(table);
    menu.clipboardItems(*this);
    menu.printUndoRedo(*this);
    if (menu.moveItems(table)) {
        menu.separator();
        menu.item(QStringLiteral("备注合并"), ID_REMARK_MERGE);
        menu.item(QStringLiteral("取消备注合并"), ID_REMARK_UNMERGE);
    }
    if (table.getSelectRow() > 0)
        rowItems(menu);
    pageKindItems(menu, table);
    menu.separator();
    menu.item(QStringLiteral("导出到Excel"), ID_EXPORT_EXCEL);
    menu.item(QStringLiteral("导入其它配料单"), ID_IMPORT_SETUP);
}

void CRODOSetUpView::lineItems(SheetMenu& menu, CVes_TableBase& table)
{
    CVes_SetupTableLine* line = selectedLine();
    if (!line)
        return;
    const int before = menu.count();
    switch (line->getType()) {
    case CVes_SetupTableLine::kSteelLine:
        if (table.getCurCol() == CVes_SetupTable::kColCutLength) {
            menu.item(QStringLiteral("自动计算断料长度"), ID_CUTLENGTH_AUTO, true,
                      line->m_steel.calcLength != 0);
        } else if (table.getCurCol() == CVes_SetupTable::kColStart) {
            menu.item(QStringLiteral("清空安装起点图示"), ID_CLEAR_START);
        } else if (table.getCurCol() == CVes_SetupTable::kColCount) {
            menu.item(QStringLiteral("计算梁箍筋根数"), ID_CALC_BEAM_HOOPS);
            menu.item(QStringLiteral("查表计算梁箍筋根数"), ID_CALC_BEAM_HOOPS_TABLE);
        }
        break;
    case CVes_SetupTableLine::kUnitLine:
        menu.item(QStringLiteral("合并注写"), ID_UNIT_MERGED, true, line->m_unitMerged != 0);
        menu.item(QStringLiteral("各单元钢筋相同"), ID_UNIT_SAME, true, line->m_unitSame != 0);
        break;
    case CVes_SetupTableLine::kElementLine:
        menu.item(QStringLiteral("复制构件及其钢筋"), ID_ELEMENT_COPY);
        menu.item(QStringLiteral("剪切构件及其钢筋"), ID_ELEMENT_CUT);
        menu.item(QStringLiteral("删除构件及其钢筋"), ID_ELEMENT_DELETE);
        break;
    default:
        break;
    }
    if (menu.count() > before)
        menu.separator();
}

void CRODOSetUpView::rowItems(SheetMenu& menu)
{
    menu.separator();
    SheetMenu heights = menu.popup(QStringLiteral("设置行高"));
    heights.item(QStringLiteral("1 行高"), ID_ROW_HIGH1);
    heights.item(QStringLiteral("2 行高"), ID_ROW_HIGH2);
    heights.item(QStringLiteral("3 行高"), ID_ROW_HIGH3);
    menu.separator();
    SheetMenu insert = menu.popup(QStringLiteral("插入"));
    insert.item(QStringLiteral("插入钢筋行   \t\tInsert"), ID_INSERT_STEEL);
    insert.item(QStringLiteral("插入构件编号   \t\tF6"), ID_INSERT_ELEMENT);
    insert.item(QStringLiteral("插入图形行   \t\tF7"), ID_INSERT_IMAGE);
    insert.item(QStringLiteral("插入文字行 \t\tF8"), ID_INSERT_TEXT);
    insert.item(QStringLiteral("插入单元行   "), ID_INSERT_UNIT);
    insert.item(QStringLiteral("插入空白行 \t\tShift+Insert"), ID_INSERT_BLANK);
    if (canPaste())
        insert.item(QStringLiteral("插入剪切板内容 \t\tCtrl+Insert"), ID_INSERT_CLIP);
}

void CRODOSetUpView::pageKindItems(SheetMenu& menu, CVes_TableBase& table)
{
    if (table.getCurPage() < 1) {
        menu.item(QStringLiteral("恢复默认封面页"), ID_COVER_RESET);
        menu.item(QStringLiteral("导出封面页到文件"), ID_COVER_SAVE);
        menu.item(QStringLiteral("从文件导入封面页格式"), ID_COVER_LOAD);
        return;
    }
    menu.separator();
    menu.item(QStringLiteral("超长钢筋接头批量编辑"), ID_MID_CONNECT_EDIT);
    menu.item(QStringLiteral("钢筋汇总参数设置"), ID_SUMMARY_SETTINGS);
    menu.item(QStringLiteral("恢复钢筋组中间连接默认数量"), ID_REPAIR_MID_CONNECT);
    menu.numberingItems();
}
