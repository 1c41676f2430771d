#include "app/views/slview.h"

#include "app/views/sheetmenu.h"
#include "platform/xlsx/workbook.h"
#include "tables/quantity/sltable.h"
#include "widgara/bcmenu.h"

CRODOSLView::CRODOSLView(QWidget* parent) : SheetView<CVes_SLTableView>(parent)
{
    addCommands();
}

CRODOSLView::~CRODOSLView() = default;

void CRODOSLView::addCommands()
{
    // Each operation of the sheet records its own undo step.
    const auto sheet = [this](std::function<void(CVes_SLTable&)> op) {
        return tableCommand<CVes_SLTable>(std::move(op));
    };
    platform::CommandMap& map = commandMap();
    map.add(ID_INSERT_STEEL, sheet([](CVes_SLTable& t) { t.InsertRow(); }));
    map.add(ID_INSERT_ELE_ROW, sheet([](CVes_SLTable& t) { t.InsertEleRow(QString()); }));
    map.add(ID_INSERT_ELE_TYPE_ROW, sheet([](CVes_SLTable& t) { t.InsertEleTypeRow(QString()); }));
    map.add(ID_INSERT_CLIP, [this] { insertClipBoard(); },
            [this](platform::CommandState& s) { s.Enable(canPaste() != 0); });
    map.add(ID_CUTLENGTH_AUTO, [this] { OnAutoCutLength(); });
    map.add(ID_NUM_CLEAR, sheet([](CVes_SLTable& t) { t.clearNum(); }));
    map.add(ID_SL_NUM_ALL, sheet([](CVes_SLTable& t) { t.numSteel(1, 0); }));
    map.add(ID_SL_NUM_ALL_SHARED, sheet([](CVes_SLTable& t) { t.numSteel(1, 1); }));
    map.add(ID_NUM_ELEMENT, sheet([](CVes_SLTable& t) { t.numSteel(0, 0); }));
    map.add(ID_NUM_ELEMENT_SHARED, sheet([](CVes_SLTable& t) { t.numSteel(0, 1); }));
    map.add(ID_EXPORT_EXCEL, [this] {
        const platform::xlsx::ExportDocument beside(documentPath());
        if (CVes_SLTable* t = slTable())
            t->exportExcel();
    });
    map.add(ID_CHECK_DATA, [this] { checkTable(); });
    map.add(ID_IMPORT_SETUP, [this] { importSteelFromSetUp(); });
    map.add(ID_IMPORT_OTHER, [this] { importSteelFromSL(); });
    map.add(ID_IMPORT_FOLDER, [this] {
        const QString folder = askFolder();
        if (!folder.isEmpty())
            importSteelFromDir(folder);
    });
}

void CRODOSLView::fillContextMenu(BCMenu& bcMenu, CVes_TableBase& table)
{
    SheetMenu menu(bcMenu);
    autoCutLengthItem(menu, CVes_SLTable::kColCutLength);
    menu.pageItems(table);
    menu.newAndDeletePage(table);
    menu.clipboardItems(*this);
    menu.printUndoRedo(*this);
    menu.moveItems(table);
    if (table.getSelectRow() > 0)
        insertItems(menu);
    numberItems(menu);
    menu.separator();
    menu.item(QStringLiteral("数据检查"), ID_CHECK_DATA);
    menu.separator();
    menu.item(QStringLiteral("从钢筋配料单导入"), ID_IMPORT_SETUP);
    menu.item(QStringLiteral("从钢筋明细表导入"), ID_IMPORT_OTHER);
    menu.item(QStringLiteral("从文件夹导入钢筋配料单"), ID_IMPORT_FOLDER);
    menu.item(QStringLiteral("导出到excel"), ID_EXPORT_EXCEL);
    menu.item(QStringLiteral("算量汇总参数设置"), ID_SUMMARY_SETTINGS);
    const CVes_SLTable* sheet = slTable();
    menu.item(QStringLiteral("钢筋规格排序归并"), ID_SORT_MERGE, true,
              sheet && sheet->getSortRules().m_mergeSame != 0);
}

void CRODOSLView::insertItems(SheetMenu& menu)
{
    SheetMenu insert = menu.popup(QStringLiteral("插入"));
    insert.item(QStringLiteral("插入钢筋行   \t\tInsert"), ID_INSERT_STEEL);
    insert.item(QStringLiteral("插入构件编号行   "), ID_INSERT_ELE_ROW);
    insert.item(QStringLiteral("插入杆件类型行"), ID_INSERT_ELE_TYPE_ROW);
    if (canPaste())
        insert.item(QStringLiteral("插入剪切板内容 \t\tCtrl+Insert"), ID_INSERT_CLIP);
}

void CRODOSLView::numberItems(SheetMenu& menu)
{
    SheetMenu numbers = menu.popup(QStringLiteral("钢筋编号"));
    numbers.item(QStringLiteral("全表钢筋顺序编号"), ID_SL_NUM_ALL);
    numbers.item(QStringLiteral("全表钢筋归并编号"), ID_SL_NUM_ALL_SHARED);
    numbers.item(QStringLiteral("构件内钢筋顺序编号"), ID_NUM_ELEMENT);
    numbers.item(QStringLiteral("构件内钢筋归并编号"), ID_NUM_ELEMENT_SHARED);
    numbers.item(QStringLiteral("取消钢筋编号"), ID_NUM_CLEAR);
}
