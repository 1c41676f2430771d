#pragma once
// Numbers of the program's own resources: the main window's menu and
// toolbars, its commands, status-bar panes, docking panes and pictures.
// The standard commands (file, edit, print, help) are in
// platform/ui/commandids.h.

#include "app/panes/paneimages.h"
#include "platform/ui/commandids.h"

// The main window: its menu, title strings and icon; the start-page template.
constexpr int IDR_MAINFRAME = 128;
// Toolbars of the main window.
constexpr int IDR_TOOLBAR_VIEW = 131;
constexpr int IDR_TOOLBAR_TOOLS = 137;
constexpr int IDR_TOOLBAR_SHEET = 143;
constexpr int IDR_TOOLBAR_ROWS = 148;
// Templates of the three file documents.
constexpr int IDR_SETUPTYPE = 129;
constexpr int IDR_PROCESSTYPE = 131;
constexpr int IDR_SLTYPE = 132;

// Pictures: the About box's picture, the banner of
// settings dialogs, the status bar's caption icon.
constexpr int IDB_ABOUT = 141;
constexpr int IDB_BANNER = 246;
constexpr int IDI_STATUS_CAPTION = 139;

// Docking panes (the project pane's number and the panes' icons are in
// app/panes/paneimages.h: the document windows show them too).
constexpr int IDP_PROPERTY = 4001;

// Status-bar panes.
constexpr int ID_INDICATOR_CAPS = 59137;
constexpr int ID_INDICATOR_NUM = 59138;
constexpr int ID_INDICATOR_SCRL = 59139;
constexpr int ID_INDICATOR_CAPTION = 59142;
constexpr int ID_INDICATOR_VERSION = 59143;
constexpr int ID_INDICATOR_WEIGHT = 59144;
constexpr int AFX_IDW_STATUS_BAR = 59393;

// View and zoom.
constexpr int ID_ZOOM_IN = 33771;
constexpr int ID_ZOOM_OUT = 33772;
constexpr int ID_ZOOM_WIN = 33774;
constexpr int ID_ZOOM_FIT = 33776;
constexpr int ID_ZOOM_COMBO = 33777;
constexpr int ID_TABLE_BK_WHITE = 33789;
constexpr int ID_TABLE_BK_GREY = 33790;

// Pages.
constexpr int ID_PAGE_COVER = 32785;
constexpr int ID_PAGE_PREV = 32793;
constexpr int ID_PAGE_NEXT = 32794;
constexpr int ID_PAGE_FIRST = 32795;
constexpr int ID_PAGE_LAST = 32796;
constexpr int ID_PAGE_ADD = 32797;
constexpr int ID_PAGE_DELETE = 32798;
constexpr int ID_PAGE_COMBO = 32917;

// Rows and texts of the active sheet.
constexpr int ID_CUTLENGTH_AUTO = 32799;
constexpr int ID_ROW_UP = 32810;
constexpr int ID_ROW_DOWN = 32811;
constexpr int ID_TEXT_BIG = 32817;
constexpr int ID_TEXT_SMALL = 32818;
constexpr int ID_ROW_LOCK = 32819;
constexpr int ID_ROW_UNLOCK = 32820;
constexpr int ID_FIND = 32980;
constexpr int ID_REPLACE = 32981;
constexpr int ID_ROW_HIGH1 = 33010;
constexpr int ID_ROW_HIGH2 = 33011;
constexpr int ID_ROW_HIGH3 = 33012;
constexpr int ID_TEXT_COLOR = 33023;
// The colour grid in the text-colour button's popup.
constexpr int ID_TEXT_COLOR_SELECTOR = 131;

// Settings.
constexpr int ID_SET_STEELWEIGHT = 32781;
constexpr int ID_SET_WEISHU = 32782;
constexpr int ID_SET_LENCALTYPE = 32783;
constexpr int ID_SET_WANZHER = 32784;
constexpr int ID_SET_WANZHEJINGYAN = 32789;
constexpr int ID_SET_GU_WANZHER = 32937;
constexpr int ID_SET_GU_WANZHEJINGYAN = 32938;
constexpr int ID_SET_YUANCAI = 32965;
constexpr int ID_MANAGE_LIB = 32898;
constexpr int ID_MANAGE_STARTLIB = 32899;
constexpr int ID_USER_HABITS = 32943;
constexpr int ID_AUTOSAVE = 32916;
constexpr int ID_DEFAULT_TEMPLATE = 32823;
constexpr int ID_CANCEL_DEFAULT_TEMPLATE = 32913;

// Projects.
constexpr int ID_PROJECT_PANE = 32791;
// Shows or closes the active document window's property pane (its frame
// handles it).
constexpr int ID_PROPERTY_PANE = 32792;
constexpr int ID_PROJECT_NEW = 32886;
constexpr int ID_PROJECT_OPEN = 32887;
constexpr int ID_RECENT_PROJECT_FIRST = 32892;
constexpr int ID_RECENT_PROJECT_LAST = 32896;
constexpr int ID_PROJECT_PICK_SUMMARY = 33781;
constexpr int ID_PROJECT_FOLDER_SUMMARY = 32966;

// Help and updates.
constexpr int ID_HELP_TUTORIAL = 33780;
constexpr int ID_HELP_CHANGES = 33783;
constexpr int ID_CHECK_UPDATE = 32911;
constexpr int ID_UPDATE_LIBRARY = 32998;
