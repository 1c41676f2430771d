#include "app/projects/projectprogram.h"

namespace {

ProjectProgram* g_projectProgram = nullptr;

} // namespace

platform::RecentFileList readRecentProjects(int size)
{
    platform::RecentFileList list(0, QStringLiteral("Recent Project List"), QStringLiteral("Project%d"), size, 30);
    list.ReadList();
    return list;
}

ProjectProgram* ProjectProgram::instance()
{
    return g_projectProgram;
}

void ProjectProgram::install(ProjectProgram* program)
{
    g_projectProgram = program;
}
