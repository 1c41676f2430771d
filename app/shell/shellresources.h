#pragma once
// The main window's resources: its menu, its five toolbars with their
// icons, the command strings, the accelerator keys, the docking panes'
// icons and the pictures of the About box. Registered once, before the main
// window is made.

#include <QIcon>

void registerShellResources();

// The program's icon.
QIcon programIcon();
