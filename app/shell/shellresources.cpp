#include "app/shell/shellresources.h"

#include "app/documents/documentids.h"
#include "app/panes/resourceids.h"
#include "widgara/resources.h"

#include <QPainter>
#include <map>

using widgara::MenuEntry;

// The main window's 视图 menu carries the document windows' pane command.
static_assert(ID_PROPERTY_PANE == ID_PANE_PROPERTY);

namespace {

MenuEntry item(const char* text, int id)
{
    return {QString::fromUtf8(text), id, {}};
}

MenuEntry popup(const char* text, std::vector<MenuEntry> entries)
{
    return {QString::fromUtf8(text), 0, std::move(entries)};
}

MenuEntry separator()
{
    return {};
}

std::vector<MenuEntry> mainMenu()
{
    return {
        popup("文件(&F)",
              {item("新建配料单(&N)", ID_FILE_NEW), item("打开(&O)...", ID_FILE_OPEN),
               item("关闭(&C)", ID_FILE_CLOSE), item("保存(&S)", ID_FILE_SAVE),
               item("另存为(&A)...", ID_FILE_SAVE_AS), separator(),
               item("打印(&P)...", ID_FILE_PRINT), item("打印预览(&V)", ID_FILE_PRINT_PREVIEW),
               item("打印设置(&R)...", ID_FILE_PRINT_SETUP), separator(),
               item("最近的文件", ID_FILE_MRU_FILE1), separator(), item("退出(&X)", ID_APP_EXIT)}),
        popup("编辑(&E)",
              {item("撤消(&U)", ID_EDIT_UNDO), item("重做(&R)", ID_EDIT_REDO), separator(),
               item("剪切(&T)", ID_EDIT_CUT), item("复制(&C)", ID_EDIT_COPY),
               item("粘贴(&P)", ID_EDIT_PASTE), item("删除(&D)", ID_EDIT_CLEAR), separator(),
               item("查找(&F)...", ID_FIND), item("替换(&H)...", ID_REPLACE)}),
        popup("视图(&V)",
              {item("放大", ID_ZOOM_IN), item("缩小", ID_ZOOM_OUT), item("整页显示", ID_ZOOM_FIT),
               item("窗口放大", ID_ZOOM_WIN), separator(),
               popup("表格背景", {item("白色", ID_TABLE_BK_WHITE), item("灰色", ID_TABLE_BK_GREY)}),
               separator(), item("工程管理窗口", ID_PROJECT_PANE),
               item("钢筋属性窗口", ID_PROPERTY_PANE)}),
        popup("表单(&T)",
              {item("封面页", ID_PAGE_COVER), item("第一页", ID_PAGE_FIRST),
               item("前一页", ID_PAGE_PREV), item("后一页", ID_PAGE_NEXT),
               item("最后页", ID_PAGE_LAST), separator(), item("新建一页", ID_PAGE_ADD),
               item("删除当前页", ID_PAGE_DELETE), separator(), item("表格行上移", ID_ROW_UP),
               item("表格行下移", ID_ROW_DOWN), item("锁定行", ID_ROW_LOCK),
               item("解锁行", ID_ROW_UNLOCK), separator(),
               popup("行高", {item("一行高", ID_ROW_HIGH1), item("两行高", ID_ROW_HIGH2),
                             item("三行高", ID_ROW_HIGH3)}),
               item("文字变大", ID_TEXT_BIG), item("文字变小", ID_TEXT_SMALL),
               item("文字颜色...", ID_TEXT_COLOR), separator(),
               item("断料长度自动计算", ID_CUTLENGTH_AUTO)}),
        popup("工程(&P)",
              {item("新建工程...", ID_PROJECT_NEW), item("打开工程...", ID_PROJECT_OPEN),
               item("最近的工程", ID_RECENT_PROJECT_FIRST), separator(),
               item("任意选择汇总...", ID_PROJECT_PICK_SUMMARY),
               item("本目录下汇总", ID_PROJECT_FOLDER_SUMMARY)}),
        popup("设置(&S)",
              {item("钢筋规格与理论重量...", ID_SET_STEELWEIGHT),
               item("钢筋尺寸尾数设置...", ID_SET_WEISHU),
               item("钢筋断料长度计算模式...", ID_SET_LENCALTYPE),
               popup("纵筋", {item("弯折内径与弯钩弯后平直长度设置...", ID_SET_WANZHER),
                             item("弯曲调整及弯钩增加长度经验数据设置...", ID_SET_WANZHEJINGYAN)}),
               popup("箍筋", {item("弯折内径与弯钩弯后平直长度设置...", ID_SET_GU_WANZHER),
                             item("弯曲调整及弯钩增加长度经验数据设置...", ID_SET_GU_WANZHEJINGYAN)}),
               separator(), item("默认钢筋原材库管理...", ID_SET_YUANCAI), separator(),
               item("钢筋库管理...", ID_MANAGE_LIB), item("钢筋起点库管理...", ID_MANAGE_STARTLIB),
               separator(), item("默认模板设置...", ID_DEFAULT_TEMPLATE),
               item("取消默认模板", ID_CANCEL_DEFAULT_TEMPLATE), separator(),
               item("用户习惯定制...", ID_USER_HABITS), item("自动保存与备份...", ID_AUTOSAVE)}),
        popup("帮助(&H)",
              {item("帮助", ID_HELP), item("快速教程", ID_HELP_TUTORIAL),
               item("最新更新说明", ID_HELP_CHANGES), separator(),
               item("检查更新", ID_CHECK_UPDATE), item("在线更新钢筋大样库", ID_UPDATE_LIBRARY),
               separator(), item("关于 Rodo表(&A)...", ID_APP_ABOUT)}),
    };
}

struct Command {
    int id;
    const char* text; // "status prompt\ntooltip"
    const char* icon; // file under :/icons, or null
};

// Every command of the toolbars and menus with its strings and icon.
const std::vector<Command>& commands()
{
    static const std::vector<Command> table{
        {ID_FILE_NEW, "新建一张钢筋配料单\n新建配料单", "filenew"},
        {ID_FILE_OPEN, "打开配料单、加工单或钢筋用量表\n打开", "fileopen"},
        {ID_FILE_CLOSE, "关闭当前文档\n关闭", nullptr},
        {ID_FILE_SAVE, "保存当前文档\n保存", "filesave"},
        {ID_FILE_SAVE_AS, "以新的名字保存当前文档\n另存为", nullptr},
        {ID_FILE_PRINT, "打印当前表格\n打印", "print"},
        {ID_FILE_PRINT_PREVIEW, "在屏幕上查看打印的效果\n打印预览", "preview"},
        {ID_FILE_PRINT_SETUP, "选择打印机\n打印设置", nullptr},
        {ID_FILE_MRU_FILE1, "打开最近用过的文档\n最近的文件", nullptr},
        {ID_APP_EXIT, "退出程序\n退出", nullptr},
        {ID_EDIT_UNDO, "撤消上一步操作\n撤消", "undo"},
        {ID_EDIT_REDO, "重做撤消的操作\n重做", "redo"},
        {ID_EDIT_CUT, "剪切选中的行\n剪切", "cut"},
        {ID_EDIT_COPY, "复制选中的行\n复制", "copy"},
        {ID_EDIT_PASTE, "粘贴复制的行\n粘贴", "paste"},
        {ID_EDIT_CLEAR, "删除选中的行\n删除", "delete"},
        {ID_FIND, "在配料单中查找\n查找", "find"},
        {ID_REPLACE, "在配料单中查找并替换\n替换", "replace"},
        {ID_ZOOM_IN, "放大表格\n放大", "zoomin"},
        {ID_ZOOM_OUT, "缩小表格\n缩小", "zoomout"},
        {ID_ZOOM_FIT, "按原大显示整页\n整页显示", "zoomfit"},
        {ID_ZOOM_WIN, "在表格上拉出一个窗口放大显示\n窗口放大", "zoomwin"},
        {ID_ZOOM_COMBO, "输入或选择缩放比例\n缩放比例", nullptr},
        {ID_TABLE_BK_WHITE, "表格背景为白色\n白色", "bgwhite"},
        {ID_TABLE_BK_GREY, "表格背景为灰色\n灰色", "bggrey"},
        {ID_PROJECT_PANE, "显示或关闭工程管理窗口\n工程管理窗口", "projectpane"},
        {ID_PROPERTY_PANE, "显示或关闭钢筋属性窗口\n钢筋属性窗口", nullptr},
        {ID_PAGE_COVER, "显示封面页\n封面页", "cover"},
        {ID_PAGE_FIRST, "显示第一页\n第一页", "firstpage"},
        {ID_PAGE_PREV, "显示前一页\n前一页", "prevpage"},
        {ID_PAGE_NEXT, "显示后一页\n后一页", "nextpage"},
        {ID_PAGE_LAST, "显示最后一页\n最后页", "lastpage"},
        {ID_PAGE_COMBO, "输入页码后回车\n指定页", nullptr},
        {ID_PAGE_ADD, "在表格末尾新建一页\n新建一页", "addpage"},
        {ID_PAGE_DELETE, "删除当前页\n删除当前页", "delpage"},
        {ID_ROW_UP, "选中的行上移一行\n表格行上移", "rowup"},
        {ID_ROW_DOWN, "选中的行下移一行\n表格行下移", "rowdown"},
        {ID_ROW_LOCK, "锁定选中的行，锁定的行不能修改\n锁定行", "lock"},
        {ID_ROW_UNLOCK, "解除选中行的锁定\n解锁行", "unlock"},
        {ID_ROW_HIGH1, "选中的行占一行高\n一行高", "row1"},
        {ID_ROW_HIGH2, "选中的行占两行高\n两行高", "row2"},
        {ID_ROW_HIGH3, "选中的行占三行高\n三行高", "row3"},
        {ID_TEXT_BIG, "选中行的文字变大\n文字变大", "textbig"},
        {ID_TEXT_SMALL, "选中行的文字变小\n文字变小", "textsmall"},
        {ID_TEXT_COLOR, "设置选中行的文字颜色\n文字颜色", "textcolor"},
        {ID_TEXT_COLOR_SELECTOR, "选中行的文字取这种颜色\n文字颜色", nullptr},
        {ID_CUTLENGTH_AUTO, "断料长度由程序计算或人工输入\n断料长度自动计算", nullptr},
        {ID_SET_STEELWEIGHT, "钢筋规格、理论重量与默认级别\n钢筋规格与理论重量", "steelweight"},
        {ID_SET_WEISHU, "钢筋尺寸的尾数处理\n钢筋尺寸尾数设置", nullptr},
        {ID_SET_LENCALTYPE, "钢筋断料长度的计算方式\n钢筋断料长度计算模式", nullptr},
        {ID_SET_WANZHER, "纵筋弯折内径与弯钩弯后平直长度\n纵筋弯折设置", nullptr},
        {ID_SET_WANZHEJINGYAN, "纵筋弯曲调整值及弯钩增加长度\n纵筋弯曲调整设置", nullptr},
        {ID_SET_GU_WANZHER, "箍筋弯折内径与弯钩弯后平直长度\n箍筋弯折设置", nullptr},
        {ID_SET_GU_WANZHEJINGYAN, "箍筋弯曲调整值及弯钩增加长度\n箍筋弯曲调整设置", nullptr},
        {ID_SET_YUANCAI, "新建表格默认使用的钢筋原材\n默认钢筋原材库管理", nullptr},
        {ID_MANAGE_LIB, "管理钢筋形状库\n钢筋库管理", "shapelib"},
        {ID_MANAGE_STARTLIB, "管理钢筋起点库\n钢筋起点库管理", "startlib"},
        {ID_DEFAULT_TEMPLATE, "选择新建配料单使用的表格模板\n默认模板设置", nullptr},
        {ID_CANCEL_DEFAULT_TEMPLATE, "新建配料单不再使用默认模板\n取消默认模板", nullptr},
        {ID_USER_HABITS, "设定插入钢筋行、滚轮和表格编辑的习惯\n用户习惯定制", "habits"},
        {ID_AUTOSAVE, "设定自动保存的间隔和备份文件\n自动保存与备份", "autosave"},
        {ID_PROJECT_NEW, "新建一个工程\n新建工程", nullptr},
        {ID_PROJECT_OPEN, "打开一个工程\n打开工程", nullptr},
        {ID_RECENT_PROJECT_FIRST, "打开最近用过的工程\n最近的工程", nullptr},
        {ID_PROJECT_PICK_SUMMARY, "任意选择工程中的配料单汇总成钢筋用量表\n任意选择汇总", nullptr},
        {ID_PROJECT_FOLDER_SUMMARY, "把选中目录下的配料单汇总成钢筋用量表\n本目录下汇总", nullptr},
        {ID_HELP, "打开帮助\n帮助", "help"},
        {ID_HELP_TUTORIAL, "打开快速教程\n快速教程", nullptr},
        {ID_HELP_CHANGES, "本版本的更新说明\n最新更新说明", nullptr},
        {ID_CHECK_UPDATE, "检查是否有新版本的程序\n检查更新", "update"},
        {ID_UPDATE_LIBRARY, "从更新服务器下载新的钢筋大样库\n在线更新钢筋大样库", nullptr},
        {ID_APP_ABOUT, "程序的名称与版本\n关于", nullptr},
    };
    return table;
}

QIcon iconFile(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(name)));
}

// A toolbar and the icons of its buttons.
void registerToolBar(int toolBarId, std::vector<int> buttons)
{
    widgara::Resources& r = widgara::resources();
    std::map<int, QIcon> icons;
    for (const Command& c : commands())
        if (c.icon && std::find(buttons.begin(), buttons.end(), c.id) != buttons.end())
            icons[c.id] = iconFile(c.icon);
    r.setIconSet(toolBarId, std::move(icons));
    r.setToolBar(toolBarId, std::move(buttons));
}

// The images `names`, size × size each, side by side on `background`.
QImage strip(std::initializer_list<const char*> names, int size, QColor background)
{
    QImage image(size * int(names.size()), size, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    int x = 0;
    for (const char* name : names) {
        painter.drawPixmap(x, 0, iconFile(name).pixmap(size, size));
        x += size;
    }
    return image;
}

} // namespace

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/desktop/rodo.svg"));
}

namespace {

QImage programPicture(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, programIcon().pixmap(size, size));
    return image;
}

} // namespace

// The compiled-in pictures and pages live in a static library: they are
// linked in only when asked for.
static void initShellResources()
{
    Q_INIT_RESOURCE(shell);
}

void registerShellResources()
{
    initShellResources();
    widgara::Resources& r = widgara::resources();
    r.setMenu(IDR_MAINFRAME, mainMenu());
    registerToolBar(IDR_MAINFRAME, {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_CUT,
                                    ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, 0, ID_EDIT_UNDO,
                                    ID_EDIT_REDO, 0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, 0, ID_HELP});
    registerToolBar(IDR_TOOLBAR_VIEW, {ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_FIT, ID_ZOOM_WIN,
                                       ID_ZOOM_COMBO, 0, ID_TABLE_BK_WHITE, ID_TABLE_BK_GREY});
    registerToolBar(IDR_TOOLBAR_TOOLS, {ID_SET_STEELWEIGHT, ID_MANAGE_LIB, ID_MANAGE_STARTLIB, 0,
                                        ID_USER_HABITS, ID_AUTOSAVE, 0, ID_PROJECT_PANE,
                                        ID_CHECK_UPDATE});
    registerToolBar(IDR_TOOLBAR_SHEET, {ID_PAGE_COVER, ID_PAGE_FIRST, ID_PAGE_PREV, ID_PAGE_COMBO,
                                        ID_PAGE_NEXT, ID_PAGE_LAST, 0, ID_PAGE_ADD, ID_PAGE_DELETE,
                                        0, ID_FIND, ID_REPLACE});
    registerToolBar(IDR_TOOLBAR_ROWS, {ID_ROW_UP, ID_ROW_DOWN, 0, ID_ROW_LOCK, ID_ROW_UNLOCK, 0,
                                       ID_ROW_HIGH1, ID_ROW_HIGH2, ID_ROW_HIGH3, 0, ID_TEXT_BIG,
                                       ID_TEXT_SMALL, ID_TEXT_COLOR});
    for (const Command& c : commands())
        r.setString(c.id, QString::fromUtf8(c.text));
    // The keys the sheets do not take themselves (they copy, paste, delete,
    // find and turn pages with their own keys).
    r.setAccelerators(IDR_MAINFRAME, {{QKeySequence(QStringLiteral("Ctrl+N")), ID_FILE_NEW},
                                      {QKeySequence(QStringLiteral("Ctrl+O")), ID_FILE_OPEN},
                                      {QKeySequence(QStringLiteral("Ctrl+S")), ID_FILE_SAVE},
                                      {QKeySequence(QStringLiteral("Ctrl+P")), ID_FILE_PRINT},
                                      {QKeySequence(QStringLiteral("Ctrl+Z")), ID_EDIT_UNDO},
                                      {QKeySequence(QStringLiteral("Ctrl+Y")), ID_EDIT_REDO},
                                      {QKeySequence(QStringLiteral("F1")), ID_HELP}});
    r.setString(IDR_MAINFRAME, QStringLiteral("Rodo表\n开始"));
    r.setString(IDP_PROJECT, QStringLiteral("工程管理"));
    r.setString(IDP_PROPERTY, QStringLiteral("属性"));
    r.setString(ID_INDICATOR_CAPS, QStringLiteral("大写"));
    r.setString(ID_INDICATOR_NUM, QStringLiteral("数字"));
    r.setString(ID_INDICATOR_SCRL, QStringLiteral("滚动"));
    r.setString(ID_INDICATOR_WEIGHT, QStringLiteral("重量"));
    // Pane icons on a green ground, which is their transparent colour.
    r.setBitmap(IDB_PANEICONS, strip({"paneproject", "paneproperty"}, 16, QColor(0, 255, 0)));
    r.setBitmap(IDB_ABOUT, programPicture(96));
}
