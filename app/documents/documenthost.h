#pragma once
// What the documents need of the program around them, served from above:
// the main window (DocumentHost) takes the commands a document window does
// not handle and hears when the sheet shown changes or a document is saved
// under a new name; the application (DocumentProgram) knows the project
// folder, the documents' file dialogs and its main window. The documents
// know nothing more of either.

#include <QString>

class QWidget;

namespace platform {
class CommandState;
class DocManager;
} // namespace platform

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // The host whose window holds `widget`; null when it sits in none (a
    // document window on its own).
    static DocumentHost* of(const QWidget* widget);

    // Runs the command (state null) or fills `state`; false when neither
    // the main window nor the application handles it.
    virtual bool routeCommand(int nID, platform::CommandState* state) = 0;
    // A document window shows another sheet.
    virtual void OnActiveSheetChanged() = 0;
    // A document was saved under a new name, perhaps into the project.
    virtual void OnRefreshProjectFiles() = 0;
    // A sheet view turned to another page: the main window's page box shows
    // its number.
    virtual void OnPageShown(int page) = 0;
};

class DocumentProgram {
public:
    virtual ~DocumentProgram() = default;

    // The running program, or null (documents made on their own).
    static DocumentProgram* instance();

    // The project folder chosen last: where an untitled document is saved.
    virtual QString currentProjectFolder() const = 0;
    // The documents' manager, whose file dialogs a document without a
    // template uses.
    virtual platform::DocManager& docManager() = 0;
    // The main window, or null before it is made.
    virtual DocumentHost* mainHost() const = 0;

protected:
    // The application installs itself for its lifetime (null: none).
    static void install(DocumentProgram* program);
};
