#pragma once
// Numbers of the document windows' resources and commands: their toolbars,
// panes and the commands their documents, frames and sheet tabs handle.
// Several numbers are also used by the main window or by sheet views for
// commands of their own; a command goes to the active sheet, then its
// document, then its frame (the main window's own commands go to the main
// window first).

// Toolbars of the document windows.
constexpr int IDR_TB_GRADE_SIZE = 179;   // "钢筋规格"
constexpr int IDR_TB_INSERT = 215;       // "插入行"
constexpr int IDR_TB_HOOKS = 207;        // "钢筋弯钩设置"
constexpr int IDR_TB_CONNECT = 234;      // "连接类型"
constexpr int IDR_TB_SHAPE = 280;        // "钢筋大样"
constexpr int IDR_TB_SUMMARY = 244;      // "汇总设置"
constexpr int IDR_TB_TOOLS = 285;        // "计算工具"
constexpr int IDR_TB_MORE_GRADES = 292;  // "钢筋级别"

// Docking panes of the document windows: the bar properties and the
// element tree (bar lists only).
constexpr int IDP_BAR_PROPERTY = 4001;
constexpr int IDP_ELEMENT_TREE = 4003;

// Templates.
constexpr int ID_TEMPLATE_SAVE = 32821;
constexpr int ID_TEMPLATE_LOAD = 32822;
constexpr int ID_TEMPLATE_DEFAULT = 32823;
constexpr int ID_TEMPLATE_DEFAULT_CANCEL = 32913;

// Grades, sizes and coating of the selected bars.
constexpr int ID_GRADE_5 = 32828;        // "五级钢,HRB500", code 4
constexpr int ID_GRADE_1 = 32829;        // "HPB300，一级钢", code 1
constexpr int ID_GRADE_2 = 32830;        // code 2
constexpr int ID_GRADE_3 = 32831;        // code 3
constexpr int ID_GRADE_4 = 32832;        // "四级钢，RRB400", code 32
constexpr int ID_SIZE_FIRST = 32833;     // 12 mm … 32846 50 mm
constexpr int ID_SIZE_LAST = 32846;
constexpr int ID_SIZE_10 = 32847;
constexpr int ID_SIZE_6 = 32848;
constexpr int ID_SIZE_8 = 32849;
constexpr int ID_BAR_PLAIN = 32850;
constexpr int ID_BAR_EPOXY = 32851;
constexpr int ID_BAR_SCALED = 32852;     // "缩尺钢筋设置"
constexpr int ID_MORE_GRADES_FIRST = 32990;
constexpr int ID_MORE_GRADES_LAST = 33006;

// Start points, hooks, connections and shapes of the selected bars.
constexpr int ID_START_FIRST = 32856;
constexpr int ID_START_LAST = 32863;
constexpr int ID_START_MORE = 32864;     // "更多钢筋起点"
constexpr int ID_HOOK_NONE = 32903;
constexpr int ID_HOOK_180 = 32904;
constexpr int ID_HOOK_135 = 32905;
constexpr int ID_HOOK_90 = 32906;
constexpr int ID_HOOK_FLIP = 32907;
constexpr int ID_CONNECT_FIRST = 32928;
constexpr int ID_CONNECT_LAST = 32936;
constexpr int ID_CONNECT_REVERSE = 32937; // also the main window's stirrup bend settings
constexpr int ID_MIRROR_VER = 32970;
constexpr int ID_MIRROR_HOR = 32971;
constexpr int ID_CUTLENGTH_MODE = 32972;

// The bar-list edit view's line inserts and calculators (on the toolbars).
constexpr int ID_INSERT_STEEL = 32806;
constexpr int ID_INSERT_ELEMENT = 32915;
constexpr int ID_INSERT_IMAGE = 32805;
constexpr int ID_INSERT_TEXT = 32808;
constexpr int ID_CALC_BEAM_HOOPS = 32974;
constexpr int ID_CALC_JOINTS = 33784;
constexpr int ID_DESIGN_VALUES = 33785;
constexpr int ID_CALC_COLUMN_HOOPS = 33786;
constexpr int ID_CALC_SPREAD_BARS = 33787;
constexpr int ID_CALC_WALL_HOOPS = 33788;
constexpr int ID_COPY_TOOL = 32968;

// Frames: panes, grade toolbar, summaries, sorting, export.
constexpr int ID_PANE_PROPERTY = 32792;  // "钢筋属性窗口"
constexpr int ID_SHOW_MORE_GRADES = 33009;
constexpr int ID_HIDE_MORE_GRADES = 33008;
constexpr int ID_SUMMARY_SETTINGS = 32939;
constexpr int ID_RAW_STOCK = 32952;
constexpr int ID_DELIVERY_NOTE = 32953;
constexpr int ID_EXPORT_EXCEL = 32897;
constexpr int ID_SORT_MERGE = 32940;
constexpr int ID_SORT_GRADE_1 = 32947;
constexpr int ID_SORT_GRADE_2 = 32948;
constexpr int ID_SORT_GRADE_3 = 32949;
constexpr int ID_SORT_GRADE_4 = 32950;
constexpr int ID_SORT_SETTINGS = 32951;
constexpr int ID_SORT_STIRRUPS = 32956;
constexpr int ID_SORT_STRAIGHT = 32957;
constexpr int ID_SORT_BENT = 32958;
constexpr int ID_SORT_GRADE_L = 32959;
constexpr int ID_SORT_GRADE_N = 32960;
