#pragma once
// The pictures of the program's panes: the grade marks of the bar-property
// grid (bitmap 133, six images of 12 × 12 on a grey ground) and the images of
// the element tree (bitmap 276, images of 16 × 16 on a green ground).
// Registered with the toolkit's resources on first use.

constexpr int IDB_GRADE_IMAGES = 133;
constexpr int IDB_ELEMENT_TREE = 276;

// The docking panes' icons (bitmap 130, 16 × 16 on a green ground), one for
// the project pane and one for the bar-property pane, shown by the main
// window and the document windows alike (registered with the main window's
// resources); the project pane's number.
constexpr int IDB_PANEICONS = 130;
constexpr int IDP_PROJECT = 4000;

void registerPaneImages();
