#include "tables/framework/tableslibrary.h"

#include "tables/framework/editrecord.h"

namespace {

// Whether the values were read at start-up; only then may the end of the
// run write over the file (a file that could not be read is left alone).
bool g_loaded = false;

} // namespace

bool tablesLibraryInit()
{
    g_loaded = editRecordStore().load();
    return true;
}

void tablesLibraryShutdown()
{
    if (g_loaded)
        editRecordStore().save();
    g_loaded = false;
}

void enableDialogTheme(QWidget* /*dialog*/) {}
