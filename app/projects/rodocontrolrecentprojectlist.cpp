#include "app/projects/rodocontrolrecentprojectlist.h"

#include "widgara/commandbar.h"
#include "widgara/paintmanager.h"

IMPLEMENT_XTP_CONTROL(CRODOControlRecentProjectList)

CRODOControlRecentProjectList::CRODOControlRecentProjectList()
    : m_pRecentFileList(std::make_unique<platform::RecentFileList>(
          0, QStringLiteral("Recent Project List"), QStringLiteral("Project%d"), kEntries, kDisplayLength))
{
}

CRODOControlRecentProjectList::~CRODOControlRecentProjectList() = default;

platform::RecentFileList* CRODOControlRecentProjectList::GetRecentFileList()
{
    m_pRecentFileList->ReadList();
    return m_pRecentFileList.get();
}

QStringList CRODOControlRecentProjectList::entries()
{
    return GetRecentFileList()->displayNames();
}

bool CRODOControlRecentProjectList::IsCustomizeDragOverAvail(const CXTPCommandBar* pCommandBar) const
{
    return pCommandBar && pCommandBar->GetType() == xtpBarTypePopup;
}
