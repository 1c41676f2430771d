#include "app/views/tagviews.h"

#include "app/documents/processdoc.h"
#include "app/documents/setupdoc.h"
#include "app/documents/setupmainview.h"
#include "app/views/sheetmenu.h"
#include "tables/barlist/setuptable.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processtable.h"
#include "widgara/bcmenu.h"

#include <array>

namespace {

struct Choice {
    int id;
    int value;
    const char* text;
};

// The tag layouts in the menu's order.
constexpr std::array<Choice, 6> kLayouts{{
    {ID_TAG_LAYOUT_1, 3, "料牌模式一"},
    {ID_TAG_LAYOUT_2, 4, "料牌模式二"},
    {ID_TAG_LAYOUT_3, 2, "料牌模式三"},
    {ID_TAG_LAYOUT_4, 0, "料牌模式四"},
    {ID_TAG_LAYOUT_5, 1, "料牌模式五"},
    {ID_TAG_LAYOUT_6, 5, "料牌模式六"},
}};

// The generation modes in the menu's order.
constexpr std::array<Choice, 5> kModes{{
    {ID_TAG_ALL, 0, "生成全部料牌"},
    {ID_TAG_BARS, 1, "生成全部钢筋料牌"},
    {ID_TAG_MAIN_BARS, 3, "只生成纵筋料牌"},
    {ID_TAG_STIRRUPS, 4, "只生成箍（拉）筋料牌"},
    {ID_TAG_ELEMENTS, 2, "生成构件料牌"},
}};

// The sort key meaning "by element name".
constexpr int kByElement = 10;

} // namespace

CRODOLiaoPaiView::CRODOLiaoPaiView(QWidget* parent) : SheetView<CVes_LiaoPaiView>(parent)
{
    addCommands();
}

CRODOLiaoPaiView::~CRODOLiaoPaiView() = default;

CVes_LiaoPaiTable* CRODOLiaoPaiView::tagTable() const
{
    return dynamic_cast<CVes_LiaoPaiTable*>(getTable());
}

CRODOSetUpDoc* CRODOLiaoPaiView::setupDocument() const
{
    return dynamic_cast<CRODOSetUpDoc*>(GetDocument());
}

CRODOProcessDoc* CRODOLiaoPaiView::processDocument() const
{
    return dynamic_cast<CRODOProcessDoc*>(GetDocument());
}

int CRODOLiaoPaiView::documentLayout() const
{
    if (CRODOSetUpDoc* doc = setupDocument())
        return doc->setupTable()->getLiaoPaiDirect();
    if (CRODOProcessDoc* doc = processDocument())
        return doc->processTable()->getLiaoPaiDirect();
    return -1;
}

int CRODOLiaoPaiView::documentMode() const
{
    if (CRODOSetUpDoc* doc = setupDocument())
        return doc->setupTable()->getLiaopaiType();
    if (CRODOProcessDoc* doc = processDocument())
        return doc->processTable()->getLiaopaiType();
    return -1;
}

void CRODOLiaoPaiView::regenerate()
{
    // The tags are derived: nothing to do while a rebuild holds the sheet.
    if (getTable()) {
        if (CRODOSetUpDoc* doc = setupDocument())
            doc->BuildLiaoPai();
        else if (CRODOProcessDoc* doc = processDocument())
            doc->BuildLiaoPai();
    }
    viewport()->update();
}

void CRODOLiaoPaiView::setLayout(int layout)
{
    if (CRODOSetUpDoc* doc = setupDocument())
        doc->setupTable()->setLiaoPaiDirect(unsigned(layout));
    else if (CRODOProcessDoc* doc = processDocument())
        doc->processTable()->setLiaoPaiDirect(unsigned(layout));
    // The tag sheet takes the layout with its tags per page as it is built.
    regenerate();
}

void CRODOLiaoPaiView::setMode(int mode)
{
    if (CRODOSetUpDoc* doc = setupDocument())
        doc->setupTable()->setLiaoPaiType(unsigned(mode));
    else if (CRODOProcessDoc* doc = processDocument())
        doc->processTable()->setLiaoPaiType(unsigned(mode));
    regenerate();
}

void CRODOLiaoPaiView::resort(void (CVes_TableBase::*order)())
{
    CVes_LiaoPaiTable* tags = tagTable();
    if (tags && dynamic_cast<CRODO_SetUpMainView*>(container())) {
        const int page = tags->getCurPage();
        (tags->*order)();
        tags->sortSteel();
        tags->setPageTo(page, 1);
    }
    viewport()->update();
}

void CRODOLiaoPaiView::addCommands()
{
    platform::CommandMap& map = commandMap();
    for (const Choice& c : kLayouts)
        map.add(c.id, [this, layout = c.value] { setLayout(layout); });
    for (const Choice& c : kModes)
        map.add(c.id, [this, mode = c.value] { setMode(mode); });
    map.add(ID_TAG_SORT_ELEMENT, [this] {
        CVes_LiaoPaiTable* tags = tagTable();
        if (tags && dynamic_cast<CRODO_SetUpMainView*>(container())) {
            tags->sortNone();
            regenerate();
        }
    });
    map.add(ID_SORT_LARGE_FIRST, [this] { resort(&CVes_TableBase::sortUp); });
    map.add(ID_SORT_SMALL_FIRST, [this] { resort(&CVes_TableBase::sortDown); });
    map.add(ID_SORT_LONG_FIRST, [this] { resort(&CVes_TableBase::sortLong); });
    map.add(ID_SORT_SHORT_FIRST, [this] { resort(&CVes_TableBase::sortShot); });
    // The main window and the documents use these numbers for their own
    // commands: the menu only.
    platform::CommandMap& menuOnly = menuCommands();
    menuOnly.add(ID_TAG_MERGE, [this] {
        if (CRODOSetUpDoc* doc = setupDocument()) {
            CVes_SetupTable& list = *doc->setupTable();
            list.setLiaoPaiGuibing(list.getLiaoPaiGuibing() ? 0 : 1);
            regenerate();
        }
    });
    menuOnly.add(ID_TAG_SPLIT, [this] {
        if (CRODOSetUpDoc* doc = setupDocument()) {
            CVes_SetupTable& list = *doc->setupTable();
            list.setLiaoPaiEleChaifen(list.getLiaoPaiEleChaifen() ? 0 : 1);
            regenerate();
        }
    });
}

// Context menu

void CRODOLiaoPaiView::fillContextMenu(BCMenu& bcMenu, CVes_TableBase& table)
{
    SheetMenu menu(bcMenu);
    menu.pageItems(table);
    menu.separator();
    menu.print();
    menu.separator();
    layoutItems(menu);
    menu.separator();
    sortItems(menu);
    menu.separator();
    modeItems(menu);
    menu.separator();
    const CRODOSetUpDoc* doc = setupDocument();
    const bool processing = processDocument() != nullptr;
    menu.item(QStringLiteral("构件内相同钢筋料牌归并"), ID_TAG_MERGE, true,
              processing || (doc && doc->setupTable()->getLiaoPaiGuibing()));
    // A processing sheet's tags count the bars of the whole row, not of one
    // element: splitting by the element count does not apply to them.
    menu.item(QStringLiteral("相同钢筋料牌按件数拆分"), ID_TAG_SPLIT, !processing,
              !processing && doc && doc->setupTable()->getLiaoPaiEleChaifen());
}

void CRODOLiaoPaiView::layoutItems(SheetMenu& menu)
{
    SheetMenu layouts = menu.popup(QStringLiteral("料牌模式"));
    const CVes_LiaoPaiTable* tags = tagTable();
    const int current = tags ? int(tags->getLiaoPaiDerect()) : -1;
    if (current < 0 || current >= CVes_LiaoPaiTable::kLayoutCount)
        return;
    for (const Choice& c : kLayouts)
        layouts.item(QString::fromUtf8(c.text), c.id, true, c.value == current);
}

void CRODOLiaoPaiView::sortItems(SheetMenu& menu)
{
    const CVes_LiaoPaiTable* tags = tagTable();
    const int size = tags ? tags->m_sortRules.m_dnOrder : kByElement;
    const int length = tags ? tags->m_sortRules.m_lenOrder : kByElement;
    const auto directed = [](int key) { return key == 0 || key == 1; };
    menu.item(QStringLiteral("按构件名称排序"), ID_TAG_SORT_ELEMENT, true, !directed(size) && !directed(length));
    menu.item(QStringLiteral("按从大到小进行排序"), ID_SORT_LARGE_FIRST, true, size == 0);
    menu.item(QStringLiteral("按从小到大进行排序"), ID_SORT_SMALL_FIRST, true, size == 1);
    menu.separator();
    menu.item(QStringLiteral("按从长到短进行排序"), ID_SORT_LONG_FIRST, true, length == 0);
    menu.item(QStringLiteral("按从短到长进行排序"), ID_SORT_SHORT_FIRST, true, length == 1);
}

void CRODOLiaoPaiView::modeItems(SheetMenu& menu)
{
    const int mode = documentMode() < 0 ? 0 : documentMode();
    if (mode < 0 || mode > 4)
        return;
    for (const Choice& c : kModes)
        menu.item(QString::fromUtf8(c.text), c.id, true, c.value == mode);
}

// The cutting list

CRODODuanLiaoView::CRODODuanLiaoView(QWidget* parent) : SheetView<CVes_TableViewBase>(parent)
{
    commandMap().add(ID_CUT_AGAIN, [this] {
        if (auto* doc = dynamic_cast<CRODOSetUpDoc*>(GetDocument()); doc && getTable())
            doc->BuildDuanLiao();
        viewport()->update();
    });
}

CRODODuanLiaoView::~CRODODuanLiaoView() = default;

void CRODODuanLiaoView::fillContextMenu(BCMenu& bcMenu, CVes_TableBase& table)
{
    SheetMenu menu(bcMenu);
    menu.pageItems(table);
    menu.separator();
    menu.print();
    menu.separator();
    menu.item(QStringLiteral("重新优化断料"), ID_CUT_AGAIN);
}
