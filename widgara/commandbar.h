#pragma once
// A command bar: a row (or, for popups, a column) of controls. CXTPToolBar
// is a bar of the dialog's command-bar area loaded from a toolbar resource;
// CXTPPopupToolBar is a bar that opens under a popup control.

#include "widgara/control.h"
#include "widgara/paintmanager.h"

#include <QString>
#include <QWidget>

class CXTPCommandBars;
class QBoxLayout;

class CXTPCommandBar : public QWidget {
    Q_OBJECT

public:
    ~CXTPCommandBar() override;

    CXTPControls* GetControls() { return &m_controls; }
    CXTPControl* FindControl(int nId) const { return m_controls.FindControl(nId); }
    int GetControlCount() const { return m_controls.GetCount(); }
    CXTPControl* GetControl(int nIndex) const { return m_controls.GetAt(nIndex); }

    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    int GetBarID() const { return m_nBarID; }
    void SetBarID(int nId) { m_nBarID = nId; }
    QString GetTitle() const { return windowTitle(); }
    void SetTitle(const QString& title) { setWindowTitle(title); }
    int GetPosition() const { return m_barPosition; }
    void SetPosition(int barPosition) { m_barPosition = barPosition; }
    virtual int GetType() const { return xtpBarTypeNormal; }
    // The popup control that opens this bar, if any.
    CXTPControl* ownerControl() const { return m_ownerControl; }
    void setOwnerControl(CXTPControl* control) { m_ownerControl = control; }

    // Builds the bar's widgets again after its controls changed.
    void OnControlsChanged();
    // Lays the controls out in a row or, docked at a side, in a column.
    void SetOrientation(Qt::Orientation orientation);
    Qt::Orientation GetOrientation() const;

Q_SIGNALS:
    // A control of this bar was executed (after the owner was told).
    void controlExecuted(CXTPControl* control);

protected:
    explicit CXTPCommandBar(Qt::Orientation orientation, QWidget* parent = nullptr);
    void paintEvent(QPaintEvent* event) override;

private:
    friend class CXTPControl;
    void clearWidgets();

    CXTPControls m_controls{this};
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPControl* m_ownerControl = nullptr;
    QBoxLayout* m_layout = nullptr;
    int m_nBarID = 0;
    int m_barPosition = xtpBarTop;
};

class CXTPToolBar : public CXTPCommandBar {
    Q_OBJECT

public:
    explicit CXTPToolBar(QWidget* parent = nullptr);

    // Fills the bar from the toolbar resource: one control per command, a
    // separator starting a group. For every command the owner of the
    // command bars is first asked for a control of its own. Answers false
    // when no toolbar has that id.
    bool LoadToolBar(int nIDResource, bool bLoadIcons = true);

    // Shows or hides the bar (with its dock frame on a main window).
    void SetVisible(bool bVisible);
    bool IsVisible() const;

    // The smallest size of the bar's buttons (empty: their own).
    void SetButtonSize(QSize size);
    QSize GetButtonSize() const { return m_buttonSize; }

    void SetShowGripper(bool bShow) { m_bShowGripper = bShow; }
    bool GetShowGripper() const { return m_bShowGripper; }
    void EnableDocking(int nFlags) { m_nDockingFlags = nFlags; }

private:
    QSize m_buttonSize;
    bool m_bShowGripper = true;
    int m_nDockingFlags = 0;
};
