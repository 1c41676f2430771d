#include "widgara/control.h"

#include "widgara/cmdui.h"
#include "widgara/commandbar.h"
#include "widgara/commandbars.h"
#include "widgara/controlcombobox.h"
#include "widgara/controlpopup.h"
#include "widgara/controlwidget.h"
#include "widgara/paintmanager.h"
#include "widgara/propexchange.h"
#include "widgara/resources.h"

#include <QHash>
#include <QImage>
#include <algorithm>

using namespace platform::gdi;

IMPLEMENT_XTP_CONTROL(CXTPControlButton)

namespace {

constexpr int kIconSize = 16;

} // namespace

CXTPControl::CXTPControl() = default;

CXTPControl::~CXTPControl()
{
    if (QWidget* shown = m_widget.data()) {
        if (auto* view = dynamic_cast<widgara::ControlView*>(shown))
            view->detach();
        shown->hide();
        shown->deleteLater();
    }
}

CXTPControl* CXTPControl::FromUI(CCmdUI* pCmdUI)
{
    return pCmdUI ? pCmdUI->m_pOther : nullptr;
}

std::unique_ptr<CXTPControl> CXTPControl::Clone(bool bRecursive) const
{
    std::unique_ptr<CXTPControl> copy = widgara::createControl(GetRuntimeClassName());
    if (!copy)
        copy = CXTPControls::createStandard(m_controlType);
    if (copy)
        copy->Copy(this, bRecursive);
    return copy;
}

void CXTPControl::Copy(const CXTPControl* pControl, bool)
{
    m_controlType = pControl->m_controlType;
    m_nId = pControl->m_nId;
    m_strCaption = pControl->m_strCaption;
    m_strTooltip = pControl->m_strTooltip;
    m_strDescription = pControl->m_strDescription;
    m_strParameter = pControl->m_strParameter;
    m_nFlags = pControl->m_nFlags;
    m_bBeginGroup = pControl->m_bBeginGroup;
    m_bEnabled = pControl->m_bEnabled;
    m_nChecked = pControl->m_nChecked;
    m_bVisible = pControl->m_bVisible;
    m_nWidth = pControl->m_nWidth;
    m_nIconId = pControl->m_nIconId;
    syncWidget();
}

void CXTPControl::DoPropExchange(CXTPPropExchange* pPX)
{
    PX_Int(pPX, QStringLiteral("Id"), m_nId, 0);
    PX_String(pPX, QStringLiteral("Caption"), m_strCaption);
    PX_String(pPX, QStringLiteral("Tooltip"), m_strTooltip);
    PX_String(pPX, QStringLiteral("Description"), m_strDescription);
    PX_String(pPX, QStringLiteral("Parameter"), m_strParameter);
    PX_Int(pPX, QStringLiteral("Flags"), m_nFlags, 0);
    PX_Bool(pPX, QStringLiteral("BeginGroup"), m_bBeginGroup, false);
    PX_Int(pPX, QStringLiteral("ControlWidth"), m_nWidth, 0);
    PX_Int(pPX, QStringLiteral("IconId"), m_nIconId, 0);
    if (pPX->IsLoading())
        syncWidget();
}

QSize CXTPControl::GetSize(platform::Dc* pDC)
{
    if (!GetIcon().isNull())
        return {kIconSize + 7, kIconSize + 6};
    const QSize text = pDC->GetTextExtent(m_strCaption);
    return {text.width() + 12, std::max(kIconSize + 6, text.height() + 6)};
}

void CXTPControl::Draw(platform::Dc* pDC)
{
    GetPaintManager()->DrawControlEntry(pDC, this);
    platform::Rect rc = GetRect();
    const QIcon icon = GetIcon();
    if (!icon.isNull()) {
        const QImage image = icon.pixmap(kIconSize, kIconSize).toImage();
        const QPoint at(rc.left + (rc.Width() - kIconSize) / 2,
                        rc.top + (rc.Height() - kIconSize) / 2);
        pDC->DrawState(at, image, m_bEnabled ? DSS_NORMAL : DSS_DISABLED);
        return;
    }
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetSysColor(m_bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    pDC->DrawText(m_strCaption, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CXTPControl::OnClick(bool)
{
    OnExecute();
}

void CXTPControl::OnExecute()
{
    if (m_pParent)
        Q_EMIT m_pParent->controlExecuted(this);
    if (CXTPCommandBars* bars = GetCommandBars())
        bars->executeControl(this);
}

void CXTPControl::SetID(int nId)
{
    m_nId = nId;
}

void CXTPControl::SetCaption(const QString& caption)
{
    m_strCaption = caption;
    syncWidget();
}

void CXTPControl::SetTooltip(const QString& tooltip)
{
    m_strTooltip = tooltip;
    syncWidget();
}

void CXTPControl::SetBeginGroup(bool bBeginGroup)
{
    if (m_bBeginGroup == bBeginGroup)
        return;
    m_bBeginGroup = bBeginGroup;
    DelayLayout();
}

void CXTPControl::SetEnabled(bool bEnabled)
{
    if (m_bEnabled == bEnabled)
        return;
    m_bEnabled = bEnabled;
    if (!bEnabled)
        m_bSelected = m_bPressed = false;
    syncWidget();
}

void CXTPControl::SetChecked(int nChecked)
{
    if (m_nChecked == nChecked)
        return;
    m_nChecked = nChecked;
    RedrawParent();
}

void CXTPControl::SetVisible(bool bVisible)
{
    m_bVisible = bVisible;
    syncWidget();
}

void CXTPControl::SetWidth(int nWidth)
{
    m_nWidth = nWidth;
    syncWidget();
}

platform::Rect CXTPControl::GetRect() const
{
    if (!m_widget)
        return {};
    return platform::Rect(0, 0, m_widget->width(), m_widget->height());
}

CXTPCommandBars* CXTPControl::GetCommandBars() const
{
    for (const CXTPCommandBar* bar = m_pParent; bar;) {
        if (CXTPCommandBars* bars = bar->GetCommandBars())
            return bars;
        const CXTPControl* owner = bar->ownerControl();
        bar = owner ? owner->m_pParent : nullptr;
    }
    return nullptr;
}

CXTPPaintManager* CXTPControl::GetPaintManager() const
{
    return XTPPaintManager();
}

QIcon CXTPControl::GetIcon() const
{
    const int id = GetIconId();
    if (id <= 0)
        return {};
    if (CXTPCommandBars* bars = GetCommandBars())
        return bars->GetImageManager()->GetIcon(id);
    return {};
}

void CXTPControl::RedrawParent()
{
    if (m_widget)
        m_widget->update();
}

void CXTPControl::DelayLayout()
{
    if (m_pParent)
        m_pParent->OnControlsChanged();
}

QWidget* CXTPControl::createWidget(CXTPCommandBar* bar)
{
    auto* shown = new widgara::ControlButtonWidget(this, bar);
    setWidget(shown);
    syncWidget();
    return shown;
}

void CXTPControl::setHotState(bool selected, bool pressed)
{
    m_bSelected = selected;
    m_bPressed = pressed;
}

void CXTPControl::syncWidget()
{
    if (!m_widget)
        return;
    m_widget->setEnabled(m_bEnabled);
    // A widget its bar folded away stays hidden until the bar has room.
    m_widget->setVisible(m_bVisible && !(m_pParent && m_pParent->isFolded(m_widget)));
    m_widget->setToolTip(m_strTooltip);
    m_widget->setStatusTip(m_strDescription);
    m_widget->updateGeometry();
    m_widget->update();
}

CXTPControls::~CXTPControls() = default;

CXTPControl* CXTPControls::Add(std::unique_ptr<CXTPControl> pControl, int nId,
                               const QString& strParameter, int nBefore, bool)
{
    if (!pControl)
        return nullptr;
    CXTPControl* control = pControl.get();
    control->m_pParent = m_pParent;
    control->m_nId = nId;
    if (!strParameter.isEmpty())
        control->m_strParameter = strParameter;
    const widgara::Resources& strings = widgara::resources();
    if (control->m_strTooltip.isEmpty())
        control->m_strTooltip = strings.tooltip(nId);
    if (control->m_strDescription.isEmpty())
        control->m_strDescription = strings.prompt(nId);
    if (control->m_strCaption.isEmpty() && control->m_controlType != xtpControlComboBox)
        control->m_strCaption = control->m_strTooltip;
    const int count = GetCount();
    const int at = nBefore < 0 || nBefore > count ? count : nBefore;
    m_controls.insert(m_controls.begin() + at, std::move(pControl));
    if (m_pParent)
        m_pParent->OnControlsChanged();
    return control;
}

CXTPControl* CXTPControls::Add(int controlType, int nId, const QString& strParameter,
                               int nBefore, bool bTemporary)
{
    return Add(createStandard(controlType), nId, strParameter, nBefore, bTemporary);
}

CXTPControl* CXTPControls::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_controls[nIndex].get() : nullptr;
}

int CXTPControls::IndexOf(const CXTPControl* pControl) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_controls[i].get() == pControl)
            return i;
    return -1;
}

CXTPControl* CXTPControls::FindControl(int nId) const
{
    for (const auto& control : m_controls)
        if (control->GetID() == nId)
            return control.get();
    return nullptr;
}

void CXTPControls::Remove(CXTPControl* pControl)
{
    const int at = IndexOf(pControl);
    if (at < 0)
        return;
    m_controls.erase(m_controls.begin() + at);
    if (m_pParent)
        m_pParent->OnControlsChanged();
}

void CXTPControls::RemoveAll()
{
    m_controls.clear();
    if (m_pParent)
        m_pParent->OnControlsChanged();
}

std::unique_ptr<CXTPControl> CXTPControls::createStandard(int controlType)
{
    switch (controlType) {
    case xtpControlButton:
    case xtpControlLabel:
        return std::make_unique<CXTPControlButton>();
    case xtpControlPopup:
    case xtpControlButtonPopup:
    case xtpControlSplitButtonPopup:
        return CXTPControlPopup::CreateControlPopup(controlType);
    case xtpControlComboBox:
        return std::make_unique<CXTPControlComboBox>();
    default:
        return nullptr;
    }
}

namespace widgara {

namespace {

QHash<QString, ControlFactory>& factories()
{
    static QHash<QString, ControlFactory> registry;
    return registry;
}

} // namespace

bool registerControlClass(const QString& className, ControlFactory factory)
{
    factories().insert(className, std::move(factory));
    return true;
}

std::unique_ptr<CXTPControl> createControl(const QString& className)
{
    const auto it = factories().constFind(className);
    return it == factories().constEnd() ? nullptr : (*it)();
}

} // namespace widgara
