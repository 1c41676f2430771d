#pragma once
// The window of a docking pane: an optional toolbar across the top and one
// client control filling the rest. Panes derive from it and supply their own
// client control; commands of the toolbar reach OnCommand.

#include "widgara/commandbars.h"

#include <QListWidget>
#include <QPointer>
#include <QWidget>
#include <memory>

class CToolBarPaneWnd : public QWidget, public CXTPCommandBarsSite {
    Q_OBJECT
public:
    explicit CToolBarPaneWnd(int nToolBarID = 0);
    ~CToolBarPaneWnd() override;

    // The pane window under `parent`, made on the first call only.
    QWidget* createPaneWindow(QWidget* parent);
    bool isCreated() const { return m_bCreated; }

    QWidget* clientControl() const { return m_pClient; }
    CXTPToolBar* toolBar() const { return m_wndToolBar; }

protected:
    // Makes the client control, a child of this window; the default is the
    // list. Null when it cannot be made.
    virtual QWidget* CreateClientControl();
    // Lays the toolbar at its natural height across the top and gives the
    // rest to the client.
    void resizeEvent(QResizeEvent* event) override;

    QPointer<QWidget> m_pClient;
    QListWidget m_wndList;
    int m_nToolBarID = 0;
    CXTPToolBar* m_wndToolBar = nullptr;

private:
    void OnCreate();
    void layOut();

    std::unique_ptr<CXTPCommandBars> m_commandBars;
    bool m_bCreated = false;
};
