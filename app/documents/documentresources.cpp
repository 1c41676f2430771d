#include "app/documents/documentresources.h"

#include "app/documents/documentids.h"
#include "widgara/resources.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>

#include <map>
#include <vector>

namespace {

struct Button {
    int id;
    const char* text;  // status prompt and tooltip
    const char* label; // what its icon shows
};

struct ToolBar {
    int id;
    QColor colour;
    std::vector<Button> buttons; // id 0: a separator
};

const std::vector<ToolBar>& toolBars()
{
    static const std::vector<ToolBar> bars{
        {IDR_TB_GRADE_SIZE,
         QColor(0, 70, 160),
         {{ID_GRADE_1, "HPB300，一级钢", "Ⅰ"},
          {ID_GRADE_2, "二级钢，HRB335", "Ⅱ"},
          {ID_GRADE_3, "三级钢，HRB400", "Ⅲ"},
          {ID_GRADE_4, "四级钢，RRB400", "Ⅳ"},
          {ID_GRADE_5, "五级钢,HRB500", "Ⅴ"},
          {ID_SHOW_MORE_GRADES, "更多钢筋级别", "…"},
          {0, nullptr, nullptr},
          {ID_SIZE_6, "直径6", "6"},
          {ID_SIZE_8, "直径8", "8"},
          {ID_SIZE_10, "直径10", "10"},
          {32833, "直径12", "12"},
          {32834, "直径14", "14"},
          {32835, "直径16", "16"},
          {32836, "直径18", "18"},
          {32837, "直径20", "20"},
          {32838, "直径22", "22"},
          {32839, "直径25", "25"},
          {32840, "直径28", "28"},
          {32841, "直径30", "30"},
          {32842, "直径32", "32"},
          {32843, "直径36", "36"},
          {32844, "直径38", "38"},
          {32845, "直径40", "40"},
          {32846, "直径50", "50"},
          {0, nullptr, nullptr},
          {ID_BAR_PLAIN, "普通钢筋", "普"},
          {ID_BAR_EPOXY, "环氧树脂涂层钢筋", "涂"},
          {ID_BAR_SCALED, "缩尺钢筋设置", "缩"}}},
        {IDR_TB_INSERT,
         QColor(0, 110, 60),
         {{ID_INSERT_STEEL, "插入钢筋行", "筋"},
          {ID_INSERT_ELEMENT, "插入构件编号行", "构"},
          {ID_INSERT_IMAGE, "插入图形行", "图"},
          {ID_INSERT_TEXT, "插入文字行", "文"}}},
        {IDR_TB_HOOKS,
         QColor(140, 60, 0),
         {{ID_HOOK_NONE, "无弯钩", "无"},
          {ID_HOOK_180, "180°弯钩", "180"},
          {ID_HOOK_135, "135°弯钩", "135"},
          {ID_HOOK_90, "90°弯钩", "90"},
          {ID_HOOK_FLIP, "弯钩方向翻转", "翻"}}},
        {IDR_TB_CONNECT,
         QColor(110, 0, 110),
         {{32928, "绑扎搭接", "绑"},
          {32929, "闪光对焊", "闪"},
          {32930, "电渣压力焊", "电"},
          {32931, "双面搭接焊", "双"},
          {32932, "单面搭接焊", "单"},
          {32933, "挤压套筒", "挤"},
          {32935, "锥螺纹套筒", "锥"},
          {32934, "直螺纹套筒", "直"},
          {ID_CONNECT_REVERSE, "反丝直螺纹套筒", "反"},
          {32936, "无端头连接", "无"}}},
        {IDR_TB_SHAPE,
         QColor(0, 100, 120),
         {{ID_MIRROR_HOR, "钢筋形状左右翻转", "⇆"},
          {ID_MIRROR_VER, "钢筋形状上下翻转", "⇅"},
          {ID_CUTLENGTH_MODE, "断料长度系统计算与人工计算切换", "算"}}},
        {IDR_TB_SUMMARY,
         QColor(150, 20, 20),
         {{ID_SUMMARY_SETTINGS, "钢筋汇总参数设置", "汇"},
          {ID_RAW_STOCK, "钢筋原材设置", "材"},
          {ID_DELIVERY_NOTE, "钢筋进货单设置", "货"}}},
        {IDR_TB_TOOLS,
         QColor(60, 60, 60),
         {{ID_DESIGN_VALUES, "设计参数设置", "设"},
          {ID_CALC_BEAM_HOOPS, "计算梁箍筋根数", "梁"},
          {ID_CALC_COLUMN_HOOPS, "柱箍筋根数计算", "柱"},
          {ID_CALC_WALL_HOOPS, "暗柱箍筋根数计算", "暗"},
          {ID_CALC_SPREAD_BARS, "均布钢筋根数计算", "均"},
          {ID_CALC_JOINTS, "计算钢筋接头搭接长度", "接"},
          {ID_COPY_TOOL, "复制", "复"}}},
        {IDR_TB_MORE_GRADES,
         QColor(0, 70, 160),
         {{32990, "冷轧扭钢筋", "N"},
          {32991, "冷轧带肋钢筋", "L"},
          {32995, "HPB300E", "1E"},
          {32992, "HRB335E", "2E"},
          {32993, "HRB400E", "3E"},
          {32994, "HRB500E", "5E"},
          {32996, "HRBF335", "2F"},
          {32997, "HRBF400", "3F"},
          {32999, "HRBF500", "5F"},
          {33000, "钢绞线", "绞"},
          {33001, "碳素钢丝", "碳"},
          {33006, "预应力螺纹钢筋", "预"},
          {33002, "光面消除应力钢丝", "光"},
          {33003, "螺旋肋消除应力钢丝", "螺"},
          {33004, "光面中强度预应力钢丝", "中"},
          {33005, "螺旋肋中强度预应力钢丝", "旋"},
          {ID_HIDE_MORE_GRADES, "关闭钢筋规格工具栏菜单", "×"}}},
    };
    return bars;
}

// The texts of commands that are on no toolbar.
const std::map<int, const char*>& otherTexts()
{
    static const std::map<int, const char*> texts{
        {ID_PANE_PROPERTY, "显示或关闭钢筋属性窗口\n钢筋属性窗口"},
        {ID_TEMPLATE_SAVE, "把表格的格式存为模板\n存为模板"},
        {ID_TEMPLATE_LOAD, "按模板设置表格的格式\n加载模板"},
        {ID_EXPORT_EXCEL, "导出到Excel\n导出到Excel"},
        {ID_SORT_MERGE, "钢筋规格排序归并\n钢筋规格排序归并"},
        {ID_SORT_GRADE_1, "一级钢筋(HPB300)规格排序\n一级钢筋规格排序"},
        {ID_SORT_GRADE_2, "二级钢筋(HRB335)规格排序\n二级钢筋规格排序"},
        {ID_SORT_GRADE_3, "三级钢筋(HRB400)规格排序\n三级钢筋规格排序"},
        {ID_SORT_GRADE_4, "四级钢筋(HRB500)规格排序\n四级钢筋规格排序"},
        {ID_SORT_GRADE_L, "冷轧带肋钢筋规格排序\n冷轧带肋钢筋规格排序"},
        {ID_SORT_GRADE_N, "冷轧扭钢筋规格排序\n冷轧扭钢筋规格排序"},
        {ID_SORT_STIRRUPS, "箍筋单独排序\n箍筋单独排序"},
        {ID_SORT_BENT, "带弯(拐)钢筋单独排序\n带弯(拐)钢筋单独排序"},
        {ID_SORT_STRAIGHT, "直条钢筋单独排序\n直条钢筋单独排序"},
        {ID_SORT_SETTINGS, "全部钢筋规格排序\n全部钢筋规格排序"},
    };
    return texts;
}

} // namespace

QIcon labelIcon(const QString& label, const QColor& colour)
{
    constexpr int kSize = 16;
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(label.size() > 2 ? 8 : label.size() > 1 ? 10 : 13);
    font.setBold(true);
    // Long labels are narrowed until they fit the square.
    while (QFontMetrics(font).horizontalAdvance(label) > kSize && font.pixelSize() > 6)
        font.setPixelSize(font.pixelSize() - 1);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, label);
    return QIcon(picture);
}

void registerDocumentResources()
{
    widgara::Resources& r = widgara::resources();
    for (const ToolBar& bar : toolBars()) {
        std::vector<int> ids;
        std::map<int, QIcon> icons;
        for (const Button& button : bar.buttons) {
            ids.push_back(button.id);
            if (button.id == 0)
                continue;
            // A number the main window uses as well keeps the main window's
            // text (its menus show it).
            const QString text = QString::fromUtf8(button.text);
            if (r.string(button.id).isEmpty())
                r.setString(button.id, text + u'\n' + text);
            icons[button.id] = labelIcon(QString::fromUtf8(button.label), bar.colour);
        }
        r.setIconSet(bar.id, std::move(icons));
        r.setToolBar(bar.id, std::move(ids));
    }
    for (const auto& [id, text] : otherTexts())
        if (r.string(id).isEmpty())
            r.setString(id, QString::fromUtf8(text));
    r.setString(IDP_BAR_PROPERTY, QStringLiteral("属性"));
    r.setString(IDP_ELEMENT_TREE, QStringLiteral("构件"));
}
