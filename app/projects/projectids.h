#pragma once
// Numbers of the project pane's resources and commands. The project
// commands the main window also offers (new and open project, summaries,
// recent projects) are in app/panes/resourceids.h.

#include "app/panes/resourceids.h"

// The project pane's toolbar; its images are also the icons of the tree's
// context menu.
constexpr int IDR_PROJECT_TOOLBAR = 203;
// The images of the project tree's items: 16 pixels wide, green ground.
constexpr int IDB_PROJECT_TREE = 276;
// The control id of the project tree in its pane.
constexpr int IDC_PROJECT_TREE = 255;

// Commands of the project tree and pane.
constexpr int ID_PROJECT_OPEN_ITEM = 61448;        // 打开
constexpr int ID_PROJECT_NEW_BARLIST = 32889;      // 新建钢筋配料单
constexpr int ID_PROJECT_NEW_PROCESS = 32890;      // 新建钢筋加工单
constexpr int ID_PROJECT_NEW_QUANTITY = 32891;     // 新建钢筋算量单
constexpr int ID_PROJECT_NEW_STOREY = 32962;       // 新建层或施工部位
constexpr int ID_PROJECT_NEW_ELEMENT_TYPE = 32963; // 新建构件类型
constexpr int ID_PROJECT_DELETE = 32965;           // 删除...
constexpr int ID_PROJECT_RENAME = 32967;           // 重命名...
constexpr int ID_PROJECT_COPY = 32968;             // 复制
constexpr int ID_PROJECT_PASTE = 32969;            // 粘贴
constexpr int ID_PROJECT_CUT = 32973;              // 剪切
