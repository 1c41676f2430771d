#pragma once
// Numbers of the standard commands that the document framework handles
// itself or that every program of this kind has (file, edit, print, help).

constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_CLOSE = 57602;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
// The recent files of the File menu, one command each.
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_FILE_MRU_LAST = 57631;

constexpr int ID_EDIT_CLEAR = 57632;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644;

constexpr int ID_WINDOW_CASCADE = 57650;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_HELP = 57670;
