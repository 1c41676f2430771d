#pragma once
// A command bar: a row (or, for popups, a column) of controls. CXTPToolBar
// is a bar of the dialog's command-bar area loaded from a toolbar resource;
// CXTPPopupToolBar is a bar that opens under a popup control.
//
// A toolbar given less room than it asks for folds the controls that do not
// fit behind a button at its end ("»"); the button shows them in a popup, so
// that every command of the bar stays within reach in a small window.

#include "widgara/control.h"
#include "widgara/paintmanager.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <vector>

class CXTPCommandBars;
class QToolButton;

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

    // Whether the bar folds what does not fit (toolbars do, popup bars not).
    void setFoldable(bool foldable);
    bool isFoldable() const { return m_foldable; }
    // The controls folded away now, in order; empty while everything fits.
    std::vector<CXTPControl*> foldedControls() const;
    // Whether `widget` is one of the bar's widgets folded away now.
    bool isFolded(const QWidget* widget) const;
    // The button that shows the folded controls; null on a bar that does
    // not fold. It shows only while controls are folded.
    QToolButton* overflowButton() const { return m_overflowButton; }
    // Opens the folded controls in a popup under (or beside) the overflow
    // button; the popup closes when one of them runs or the user clicks
    // elsewhere. The open popup, or null.
    void showOverflow();
    QWidget* overflowPopup() const { return m_overflow; }

    QSize sizeHint() const override;
    // A bar that folds can be as small as its overflow button.
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // A control of this bar was executed (after the owner was told).
    void controlExecuted(CXTPControl* control);

protected:
    explicit CXTPCommandBar(Qt::Orientation orientation, QWidget* parent = nullptr);
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class CXTPControl;
    // A widget of the bar: a control's, or a separator (no control).
    struct Item {
        QPointer<QWidget> widget;
        CXTPControl* control = nullptr;
    };

    void clearWidgets();
    // Places the widgets in a row or column; on a foldable bar that is too
    // small, those from the first that does not fit on are folded away.
    void layoutItems();
    // Whether the item takes room (a control the owner hid does not).
    static bool isShown(const Item& item);
    static QSize sizeOf(const QWidget* widget);
    int lengthOf(QSize size) const;
    void applySizeLimits();
    void closeOverflow();

    CXTPControls m_controls{this};
    CXTPCommandBars* m_pCommandBars = nullptr;
    CXTPControl* m_ownerControl = nullptr;
    std::vector<Item> m_items;
    // The first item folded away (m_items.size() while nothing is).
    std::size_t m_firstFolded = 0;
    Qt::Orientation m_orientation;
    bool m_foldable = false;
    QToolButton* m_overflowButton = nullptr;
    QPointer<QWidget> m_overflow;
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
