// Linked into the test programs that drive the tables' commands: they serve
// the tables' real dialogs, as the program does at start, so a command's
// dialog comes up for the test to drive unless a test scripts its answer.

#include "tables/ui/tabledialogs.h"

namespace {

[[maybe_unused]] const bool g_served = (serveTableDialogs(), true);

} // namespace
