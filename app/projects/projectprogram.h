#pragma once
// What the project pane and its dialogs need of the program around them,
// served from above by the application: the project folder worked on, the
// recent projects and the documents' manager. The projects know nothing
// more of the program.

#include "platform/ui/recentfilelist.h"

#include <QString>

namespace platform {
class DocManager;
} // namespace platform

// The recent projects of the profile: its first `size` entries.
platform::RecentFileList readRecentProjects(int size);

class ProjectProgram {
public:
    // The recent projects: section "Recent Project List", "Project1".."Project10".
    static constexpr int kRecentProjects = 10;

    virtual ~ProjectProgram() = default;

    // The running program, or null (a pane or dialog made on its own).
    static ProjectProgram* instance();

    // The project folder worked on.
    virtual QString currentProjectFolder() const = 0;
    virtual void setCurrentProjectFolder(const QString& folder) = 0;
    // The program's list of recent projects; null before it is read.
    virtual platform::RecentFileList* getRecentProjectList() = 0;
    // Puts a project folder at the head of the recent projects and stores
    // the list at once.
    virtual void addRecentProject(const QString& folder) = 0;
    // The documents' manager, which opens what the tree opens.
    virtual platform::DocManager& docManager() = 0;

protected:
    // The application installs itself for its lifetime (null: none).
    static void install(ProjectProgram* program);
};
