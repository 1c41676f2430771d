#pragma once
// The project pane's resources: the images of the project tree's items,
// the pane's toolbar with its icons (also the icons of the tree's context
// menu) and the strings of the project commands. Registered once, when the
// first project window is made.

void registerProjectResources();
