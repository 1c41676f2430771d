#pragma once
// Numbers of the sheet views' own commands, beside those of the main window
// (pages, clipboard, rows) and of the document windows (inserts,
// calculators, summaries, sorting) that the views' menus also offer.

#include "app/documents/documentids.h"
#include "app/panes/resourceids.h"

// The bar list's edit view.
constexpr int ID_COVER_RESET = 32786;        // "恢复默认封面页"
constexpr int ID_COVER_SAVE = 32787;         // "导出封面页到文件"
constexpr int ID_COVER_LOAD = 32788;         // "从文件导入封面页格式"
constexpr int ID_CLEAR_START = 32800;        // "清空安装起点图示"
constexpr int ID_INSERT_UNIT = 32807;
constexpr int ID_INSERT_CLIP = 32809;
constexpr int ID_NUM_ALL = 32812;
constexpr int ID_NUM_ALL_OWN = 32813;
constexpr int ID_NUM_UNNUMBERED = 32814;
constexpr int ID_CHECK_DATA = 32815;
constexpr int ID_SUMMARY_OPTIONS = 32816;
constexpr int ID_INSERT_BLANK = 32858;       // also a start point of the document
constexpr int ID_REMARK_MERGE = 32859;       // also a start point of the document
constexpr int ID_REMARK_UNMERGE = 32860;     // also a start point of the document
constexpr int ID_NUM_ELEMENT_SHARED = 32882;
constexpr int ID_NUM_ELEMENT = 32883;
constexpr int ID_IMPORT_SETUP = 32885;
constexpr int ID_UNIT_MERGED = 32901;
constexpr int ID_UNIT_SAME = 32902;
constexpr int ID_MID_CONNECT_EDIT = 32908;
constexpr int ID_CALC_BEAM_HOOPS_TABLE = 32975;
constexpr int ID_NUM_CLEAR = 32979;
constexpr int ID_ELEMENT_COPY = 33777;       // also the main window's zoom box
constexpr int ID_ELEMENT_CUT = 33778;
constexpr int ID_ELEMENT_DELETE = 33779;
constexpr int ID_REPAIR_MID_CONNECT = 33782;

// Processing and quantity sheets.
constexpr int ID_INSERT_PROJECT_ROW = 32871;
constexpr int ID_INSERT_STOREY_ROW = 32872;
constexpr int ID_INSERT_ELE_TYPE_ROW = 32873;
constexpr int ID_INSERT_ELE_ROW = 32874;
constexpr int ID_IMPORT_OTHER = 32877;       // another sheet of the same kind
constexpr int ID_SL_NUM_ALL = 32880;
constexpr int ID_SL_NUM_ALL_SHARED = 32881;
constexpr int ID_IMPORT_FOLDER = 33811;      // the bar lists of a folder

// Orders of the summaries and the sorted sheet.
constexpr int ID_SORT_LARGE_FIRST = 32941;
constexpr int ID_SORT_SMALL_FIRST = 32942;
constexpr int ID_SORT_ORIGINAL = 32943;      // also the main window's user habits
constexpr int ID_SUM_STIRRUPS = 32944;
constexpr int ID_SUM_BENT = 32945;
constexpr int ID_SUM_STRAIGHT = 32946;
constexpr int ID_SORT_LONG_FIRST = 32954;
constexpr int ID_SORT_SHORT_FIRST = 32955;
constexpr int ID_SORT_LENGTH_NONE = 32961;
constexpr int ID_SHOW_ZERO_COUNT = 32964;
constexpr int ID_MERGE_INFO_NONE = 33013;    // 33014-33016: displays 1 to 3
constexpr int ID_MERGE_INFO_LAST = 33016;
constexpr int ID_SORT_ELEMENTS = 33017;
constexpr int ID_SUMMARY_ELEMENTS = 33018;
constexpr int ID_SORT_KEYWORD = 33019;
constexpr int ID_SUMMARY_KEYWORD = 33020;
constexpr int ID_SORT_BENDS = 33024;

// Bar tags and the cutting list.
constexpr int ID_TAG_LAYOUT_4 = 32875;       // layout 0
constexpr int ID_TAG_LAYOUT_5 = 32876;       // layout 1
constexpr int ID_TAG_ALL = 32877;            // generation mode 0
constexpr int ID_TAG_ELEMENTS = 32878;       // mode 2
constexpr int ID_TAG_BARS = 32879;           // mode 1
constexpr int ID_TAG_LAYOUT_3 = 32888;       // layout 2
constexpr int ID_TAG_MAIN_BARS = 32909;      // mode 3
constexpr int ID_TAG_STIRRUPS = 32910;       // mode 4
constexpr int ID_TAG_MERGE = 32911;          // also the main window's update check
constexpr int ID_TAG_SPLIT = 32913;          // also the default-template command
constexpr int ID_CUT_AGAIN = 32918;
constexpr int ID_TAG_LAYOUT_1 = 32976;       // layout 3
constexpr int ID_TAG_LAYOUT_2 = 32977;       // layout 4
constexpr int ID_TAG_LAYOUT_6 = 32982;       // layout 5
constexpr int ID_TAG_SORT_ELEMENT = 33021;
