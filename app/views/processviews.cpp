#include "app/views/processviews.h"

#include "app/documents/processdoc.h"
#include "app/documents/processmainview.h"
#include "app/views/sheetmenu.h"
#include "platform/xlsx/workbook.h"
#include "tables/processing/processtable.h"
#include "widgara/bcmenu.h"

// The processing sheet

CRODOProcessView::CRODOProcessView(QWidget* parent) : SheetView<CVes_ProcessTableEditView>(parent)
{
    addCommands();
}

CRODOProcessView::~CRODOProcessView() = default;

void CRODOProcessView::addCommands()
{
    // Each insert records its own undo step.
    const auto insert = [this](std::function<void(CVes_ProcessTable&)> op) {
        return tableCommand<CVes_ProcessTable>(std::move(op));
    };
    platform::CommandMap& map = commandMap();
    map.add(ID_INSERT_STEEL, [this] { OnInsertRow(0); });
    map.add(ID_INSERT_ELE_ROW, insert([](CVes_ProcessTable& t) { t.InsertEleRow(QString()); }));
    map.add(ID_INSERT_ELE_TYPE_ROW, insert([](CVes_ProcessTable& t) { t.InsertEleTypeRow(QString()); }));
    map.add(ID_INSERT_STOREY_ROW, insert([](CVes_ProcessTable& t) { t.InsertStoryRow(QString()); }));
    map.add(ID_INSERT_PROJECT_ROW, insert([](CVes_ProcessTable& t) { t.InsertProjectRow(QString()); }));
    map.add(ID_INSERT_CLIP, [this] { insertClipBoard(); },
            [this](platform::CommandState& s) { s.Enable(canPaste() != 0); });
    const auto numbers = [this](int share, int all, int continuous) {
        return [this, share, all, continuous] { numberSteel(share, all, continuous); };
    };
    map.add(ID_NUM_ALL, numbers(1, 1, 1));
    map.add(ID_NUM_ALL_OWN, numbers(0, 1, 1));
    map.add(ID_NUM_UNNUMBERED, numbers(1, 0, 1));
    map.add(ID_NUM_ELEMENT, numbers(0, 1, 0));
    map.add(ID_NUM_ELEMENT_SHARED, numbers(1, 1, 0));
    map.add(ID_NUM_CLEAR, [this] { clearNumbers(); });
    map.add(ID_CUTLENGTH_AUTO, [this] { OnAutoCutLength(); });
    map.add(ID_EXPORT_EXCEL, [this] {
        const platform::xlsx::ExportDocument beside(documentPath());
        if (CVes_ProcessTable* t = processTable())
            t->exportExcel();
    });
    map.add(ID_CHECK_DATA, [this] { checkTable(); });
    map.add(ID_IMPORT_SETUP, [this] { importSteelFromSetUp(); });
    map.add(ID_IMPORT_OTHER, [this] { importSteelFromProcess(); });
}

void CRODOProcessView::fillContextMenu(BCMenu& bcMenu, CVes_TableBase& table)
{
    // The menu shows wherever the sheet is clicked; the row items only with
    // a selected row.
    SheetMenu menu(bcMenu);
    autoCutLengthItem(menu, CVes_ProcessTable::kColLength);
    menu.pageItems(table);
    menu.newAndDeletePage(table);
    menu.clipboardItems(*this);
    menu.printUndoRedo(*this);
    menu.moveItems(table);
    if (table.getSelectRow() > 0) {
        menu.separator();
        SheetMenu insert = menu.popup(QStringLiteral("插入"));
        insert.item(QStringLiteral("插入钢筋行   \t\tInsert"), ID_INSERT_STEEL);
        insert.item(QStringLiteral("插入构件编号行"), ID_INSERT_ELE_ROW);
        insert.item(QStringLiteral("插入杆件类型行"), ID_INSERT_ELE_TYPE_ROW);
        insert.item(QStringLiteral("插入所在层行"), ID_INSERT_STOREY_ROW);
        insert.item(QStringLiteral("插入工程名称"), ID_INSERT_PROJECT_ROW);
        if (canPaste())
            insert.item(QStringLiteral("插入剪切板内容 \t\tCtrl+Insert"), ID_INSERT_CLIP);
    }
    menu.separator();
    menu.numberingItems();
    menu.item(QStringLiteral("数据检查"), ID_CHECK_DATA);
    menu.separator();
    menu.item(QStringLiteral("从钢筋配料单导入"), ID_IMPORT_SETUP);
    menu.item(QStringLiteral("从其它加工单导入"), ID_IMPORT_OTHER);
    menu.item(QStringLiteral("导出到excel"), ID_EXPORT_EXCEL);
}

// The processing summary

CRODOProcessListView::CRODOProcessListView(QWidget* parent)
    : SheetView<CVes_ProcessTableListView>(parent)
{
    addCommands();
}

CRODOProcessListView::~CRODOProcessListView() = default;

CVes_ProcessTable* CRODOProcessListView::mainTable() const
{
    auto* doc = dynamic_cast<CRODOProcessDoc*>(GetDocument());
    return doc && dynamic_cast<CRODO_ProcessMainView*>(container()) ? doc->processTable() : nullptr;
}

void CRODOProcessListView::changeSummary(const std::function<void(CVes_ProcessTable&)>& change)
{
    if (CVes_ProcessTable* sheet = mainTable()) {
        change(*sheet);
        // The summary is built from the sheet's order and totals: it shows
        // the change at once, not only when its tab is chosen again.
        dynamic_cast<CRODOProcessDoc*>(GetDocument())->BuildListSheet();
    }
    viewport()->update();
}

void CRODOProcessListView::addCommands()
{
    platform::CommandMap& map = commandMap();
    map.add(ID_SORT_LARGE_FIRST, [this] { changeSummary([](CVes_ProcessTable& t) { t.sortUp(); }); });
    map.add(ID_SORT_SMALL_FIRST, [this] { changeSummary([](CVes_ProcessTable& t) { t.sortDown(); }); });
    map.add(ID_SORT_ORIGINAL, [this] { changeSummary([](CVes_ProcessTable& t) { t.sortNo(); }); });
    map.add(ID_SUM_STIRRUPS, [this] {
        changeSummary([](CVes_ProcessTable& t) { t.sortDown(); t.setStateGu(0); });
    });
    map.add(ID_SUM_BENT, [this] {
        changeSummary([](CVes_ProcessTable& t) { t.sortDown(); t.setStateGuai(0); });
    });
    map.add(ID_SUM_STRAIGHT, [this] {
        changeSummary([](CVes_ProcessTable& t) { t.sortDown(); t.setStateZhi(0); });
    });
}

void CRODOProcessListView::fillContextMenu(BCMenu& bcMenu, CVes_TableBase& table)
{
    SheetMenu menu(bcMenu);
    menu.pageItems(table);
    if (menu.count() > 1)
        menu.separator();
    menu.print();
    CVes_ProcessTable* sheet = mainTable();
    const int order = sheet ? int(sheet->getSortOrder()) : -1;
    menu.item(QStringLiteral("按从大到小进行排序"), ID_SORT_LARGE_FIRST, true, order == 0);
    menu.item(QStringLiteral("按从小到大进行排序"), ID_SORT_SMALL_FIRST, true, order == 1);
    menu.item(QStringLiteral("按原始顺序进行排序"), ID_SORT_ORIGINAL, true, sheet && order != 0 && order != 1);
    menu.separator();
    menu.item(QStringLiteral("箍筋进行合计"), ID_SUM_STIRRUPS, true, sheet && sheet->isStateGu());
    menu.item(QStringLiteral("带弯曲钢筋（带拐）进行合计"), ID_SUM_BENT, true, sheet && sheet->isStateGuai());
    menu.item(QStringLiteral("直条钢筋进行合计"), ID_SUM_STRAIGHT, true, sheet && sheet->isStateZhi());
}
