#pragma once
// The dialogs the table models ask for (their requests are in
// tables/quantity/stockrequests.h and tables/barlist/calculatorrequests.h),
// served to the host services. The program serves them once at start, and so
// do the tests that drive the real dialogs through a table's command.

// Serves every table dialog from now on.
void serveTableDialogs();
