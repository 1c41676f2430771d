#pragma once
// The recent-project entries of the main window's "工程" menu: a command-bar
// control that stands in the menu for the list of recently opened project
// folders, "&1 folder" … with the commands 32892 onwards. The list is read
// from the profile each time it is shown, so that it always shows what the
// application last stored; with no project it shows itself, disabled.

#include "platform/ui/recentfilelist.h"
#include "widgara/control.h"

#include <QStringList>
#include <memory>

class CXTPCommandBar;

class CRODOControlRecentProjectList : public CXTPControlButton {
    DECLARE_XTP_CONTROL(CRODOControlRecentProjectList)
public:
    // The command of the first entry.
    static constexpr int kFirstCommand = 32892;
    // Entries shown and their display length.
    static constexpr int kEntries = 5;
    static constexpr int kDisplayLength = 30;

    CRODOControlRecentProjectList();
    ~CRODOControlRecentProjectList() override;

    // The recent projects, read from the profile now.
    platform::RecentFileList* GetRecentFileList();
    int GetFirstMruID() const { return kFirstCommand; }
    // The entries' display names, most recent first (empty: none).
    QStringList entries();
    // In customise mode the control may be dragged onto popup bars only.
    bool IsCustomizeDragOverAvail(const CXTPCommandBar* pCommandBar) const;

private:
    std::unique_ptr<platform::RecentFileList> m_pRecentFileList;
};
