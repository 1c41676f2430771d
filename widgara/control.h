#pragma once
// Command-bar controls: the buttons, combo boxes and popups that toolbars and
// popup bars hold. A control keeps its own state (id, caption, enabled,
// checked, ...) and draws itself through the paint manager; the bar shows it
// in a widget made by createWidget(). Controls are created by class name too
// (DECLARE_XTP_CONTROL / IMPLEMENT_XTP_CONTROL), which cloning uses.

#include "platform/dc.h"

#include <QIcon>
#include <QPointer>
#include <QWidget>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class CCmdUI;
class CXTPCommandBar;
class CXTPCommandBars;
class CXTPControls;
class CXTPPaintManager;
class CXTPPropExchange;

// Control types, as the control-creation request and CXTPControls::Add use them.
enum XTPControlType : int {
    xtpControlError = 0,
    xtpControlButton = 1,
    xtpControlPopup = 2,
    xtpControlButtonPopup = 3,
    xtpControlSplitButtonPopup = 4,
    xtpControlComboBox = 5,
    xtpControlEdit = 6,
    xtpControlCustom = 7,
    xtpControlLabel = 8
};

// Control flags (SetFlags).
constexpr int xtpFlagRightAlign = 1;
constexpr int xtpFlagSkipFocus = 2;
constexpr int xtpFlagLeftPopup = 4;
// The update handlers leave the control's state alone.
constexpr int xtpFlagManualUpdate = 8;
constexpr int xtpFlagNoMovable = 16;
constexpr int xtpFlagControlStretched = 32;

class CXTPControl {
public:
    CXTPControl();
    virtual ~CXTPControl();
    CXTPControl(const CXTPControl&) = delete;
    CXTPControl& operator=(const CXTPControl&) = delete;

    // The control behind an update handler's CCmdUI, or null for menu items.
    static CXTPControl* FromUI(CCmdUI* pCmdUI);

    // The name the control is registered under for creation by name.
    virtual QString GetRuntimeClassName() const { return QStringLiteral("CXTPControl"); }
    // A new control of the same class with the same settings.
    std::unique_ptr<CXTPControl> Clone(bool bRecursive = false) const;

    // Copies the settings of `pControl` (a control of the same class).
    virtual void Copy(const CXTPControl* pControl, bool bRecursive = false);
    // Stores or loads the settings through `pPX`.
    virtual void DoPropExchange(CXTPPropExchange* pPX);
    // The size the control asks of its bar.
    virtual QSize GetSize(platform::Dc* pDC);
    // Draws the control into GetRect().
    virtual void Draw(platform::Dc* pDC);
    // A click on the control (by mouse or keyboard); buttons execute.
    virtual void OnClick(bool bKeyboard = false);
    // Sends the control's command to the owner of the command bars.
    virtual void OnExecute();

    int GetType() const { return m_controlType; }
    int GetID() const { return m_nId; }
    void SetID(int nId);
    QString GetCaption() const { return m_strCaption; }
    void SetCaption(const QString& caption);
    QString GetTooltip() const { return m_strTooltip; }
    void SetTooltip(const QString& tooltip);
    QString GetDescription() const { return m_strDescription; }
    void SetDescription(const QString& description) { m_strDescription = description; }
    QString GetParameter() const { return m_strParameter; }
    void SetParameter(const QString& parameter) { m_strParameter = parameter; }
    int GetFlags() const { return m_nFlags; }
    void SetFlags(int flags) { m_nFlags = flags; }
    bool GetBeginGroup() const { return m_bBeginGroup; }
    void SetBeginGroup(bool bBeginGroup);
    bool GetEnabled() const { return m_bEnabled; }
    void SetEnabled(bool bEnabled);
    int GetChecked() const { return m_nChecked; }
    void SetChecked(int nChecked);
    bool IsVisible() const { return m_bVisible; }
    void SetVisible(bool bVisible);
    // Width asked of the bar; 0 = the control's natural width.
    int GetWidth() const { return m_nWidth; }
    void SetWidth(int nWidth);
    int GetIconId() const { return m_nIconId ? m_nIconId : m_nId; }
    void SetIconId(int nIconId) { m_nIconId = nIconId; }

    // State while shown: under the mouse, pressed, its popup open.
    bool GetSelected() const { return m_bSelected; }
    bool GetPressed() const { return m_bPressed; }
    bool GetPopuped() const { return m_bPopuped; }
    // The control's rectangle in its widget (origin top-left).
    platform::Rect GetRect() const;

    CXTPCommandBar* GetParent() const { return m_pParent; }
    CXTPCommandBars* GetCommandBars() const;
    CXTPPaintManager* GetPaintManager() const;
    QIcon GetIcon() const;

    // Repaints the control's widget and lays its bar out again.
    void RedrawParent();
    void DelayLayout();

    // The widget that shows the control in `bar`; owned by the bar.
    virtual QWidget* createWidget(CXTPCommandBar* bar);
    QWidget* widget() const { return m_widget; }

    // Used by the widgets that show controls.
    void setHotState(bool selected, bool pressed);
    // Where the last mouse click on the control's widget landed (widget
    // coordinates); a click by keyboard leaves it at (-1, -1).
    void setClickPoint(QPoint point) { m_clickPoint = point; }
    QPoint clickPoint() const { return m_clickPoint; }
    void setPopuped(bool popuped) { m_bPopuped = popuped; }

protected:
    explicit CXTPControl(int controlType) : m_controlType(controlType) {}
    void setWidget(QWidget* widget) { m_widget = widget; }
    // Applies enabled, visible, tooltip and size to the shown widget.
    virtual void syncWidget();

private:
    friend class CXTPControls;

    int m_controlType = xtpControlButton;
    int m_nId = 0;
    QString m_strCaption;
    QString m_strTooltip;
    QString m_strDescription;
    QString m_strParameter;
    int m_nFlags = 0;
    bool m_bBeginGroup = false;
    bool m_bEnabled = true;
    int m_nChecked = 0;
    bool m_bVisible = true;
    int m_nWidth = 0;
    int m_nIconId = 0;
    bool m_bSelected = false;
    bool m_bPressed = false;
    bool m_bPopuped = false;
    QPoint m_clickPoint{-1, -1};
    CXTPCommandBar* m_pParent = nullptr;
    QPointer<QWidget> m_widget;
};

class CXTPControlButton : public CXTPControl {
public:
    CXTPControlButton() : CXTPControl(xtpControlButton) {}
    QString GetRuntimeClassName() const override { return QStringLiteral("CXTPControlButton"); }

protected:
    explicit CXTPControlButton(int controlType) : CXTPControl(controlType) {}
};

// The controls of one bar, in order; the bar owns them.
class CXTPControls {
public:
    explicit CXTPControls(CXTPCommandBar* parent) : m_pParent(parent) {}
    ~CXTPControls();

    // Adds `pControl` under the command `nId` before position `nBefore`
    // (-1 = at the end); a control without caption or tooltip takes them
    // from the command's resource string. Answers the control.
    CXTPControl* Add(std::unique_ptr<CXTPControl> pControl, int nId,
                     const QString& strParameter = {}, int nBefore = -1,
                     bool bTemporary = false);
    template <typename T>
    T* Add(std::unique_ptr<T> pControl, int nId, const QString& strParameter = {},
           int nBefore = -1, bool bTemporary = false)
    {
        T* control = pControl.get();
        Add(std::unique_ptr<CXTPControl>(std::move(pControl)), nId, strParameter, nBefore,
            bTemporary);
        return control;
    }
    // Adds a new control of a standard type.
    CXTPControl* Add(int controlType, int nId, const QString& strParameter = {},
                     int nBefore = -1, bool bTemporary = false);

    int GetCount() const { return static_cast<int>(m_controls.size()); }
    CXTPControl* GetAt(int nIndex) const;
    int IndexOf(const CXTPControl* pControl) const;
    // The first control of the command, or null.
    CXTPControl* FindControl(int nId) const;
    void Remove(CXTPControl* pControl);
    void RemoveAll();
    CXTPCommandBar* GetParent() const { return m_pParent; }

    // A new control of a standard type (null for an unknown type).
    static std::unique_ptr<CXTPControl> createStandard(int controlType);

private:
    CXTPCommandBar* m_pParent;
    std::vector<std::unique_ptr<CXTPControl>> m_controls;
};

namespace widgara {

using ControlFactory = std::function<std::unique_ptr<CXTPControl>()>;
// Registers a control class for creation by name; answers true.
bool registerControlClass(const QString& className, ControlFactory factory);
// A new control of the registered class, or null.
std::unique_ptr<CXTPControl> createControl(const QString& className);

} // namespace widgara

// In the class: the name it is created by. In one source file: the registration.
#define DECLARE_XTP_CONTROL(className)                                                    \
public:                                                                                   \
    QString GetRuntimeClassName() const override { return QStringLiteral(#className); } \
                                                                                          \
private:
#define IMPLEMENT_XTP_CONTROL(className)                                                  \
    namespace {                                                                           \
    [[maybe_unused]] const bool className##Registered = widgara::registerControlClass(    \
        QStringLiteral(#className), []() -> std::unique_ptr<CXTPControl> { return std::make_unique<className>(); });  \
    }
