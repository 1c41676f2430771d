#pragma once
// Puts the program's sheet views, with their context menus and commands,
// into the sheet tabs of every document window opened afterwards.

void installSheetViews();
