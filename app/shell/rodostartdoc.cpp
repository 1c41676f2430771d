#include "app/shell/rodostartdoc.h"

#include "platform/ui/commandids.h"

CRODOStartDoc::CRODOStartDoc()
{
    // Saving the start page would only write an empty file.
    const auto disabled = [](platform::CommandState& state) { state.Enable(false); };
    commandMap().addUpdate(ID_FILE_SAVE, disabled);
    commandMap().addUpdate(ID_FILE_SAVE_AS, disabled);
}
