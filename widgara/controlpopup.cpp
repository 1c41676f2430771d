#include "widgara/controlpopup.h"

#include "widgara/commandbars.h"
#include "widgara/paintmanager.h"

#include <QPointer>

using namespace platform::gdi;

namespace {
// The width of a split or drop-down button's arrow part.
constexpr int kArrowWidth = 10;
} // namespace

IMPLEMENT_XTP_CONTROL(CXTPControlPopup)

CXTPPopupToolBar::CXTPPopupToolBar(CXTPCommandBars* pCommandBars)
    : CXTPCommandBar(Qt::Vertical, nullptr)
{
    setWindowFlags(Qt::Popup);
    SetCommandBars(pCommandBars);
    SetPosition(xtpBarPopup);
    // A command of the popup closes it before the owner handles it.
    connect(this, &CXTPCommandBar::controlExecuted, this, [this] { hide(); });
}

std::unique_ptr<CXTPPopupToolBar> CXTPPopupToolBar::CreatePopupToolBar(
    CXTPCommandBars* pCommandBars)
{
    return std::make_unique<CXTPPopupToolBar>(pCommandBars);
}

void CXTPPopupToolBar::Popup(QPoint globalPos)
{
    move(globalPos);
    show();
}

void CXTPPopupToolBar::hideEvent(QHideEvent* event)
{
    CXTPCommandBar::hideEvent(event);
    Q_EMIT closed();
}

std::unique_ptr<CXTPControlPopup> CXTPControlPopup::CreateControlPopup(int controlType)
{
    return std::unique_ptr<CXTPControlPopup>(new CXTPControlPopup(controlType));
}

void CXTPControlPopup::SetCommandBar(std::unique_ptr<CXTPCommandBar> pBar)
{
    m_pCommandBar = std::move(pBar);
    if (!m_pCommandBar)
        return;
    m_pCommandBar->setOwnerControl(this);
    if (auto* popup = qobject_cast<CXTPPopupToolBar*>(m_pCommandBar.get())) {
        QObject::connect(popup, &CXTPPopupToolBar::closed, popup, [this] {
            setPopuped(false);
            RedrawParent();
        });
    }
}

void CXTPControlPopup::Copy(const CXTPControl* pControl, bool bRecursive)
{
    CXTPControlButton::Copy(pControl, bRecursive);
    const auto* popup = dynamic_cast<const CXTPControlPopup*>(pControl);
    if (!bRecursive || !popup || !popup->m_pCommandBar)
        return;
    auto bar = CXTPPopupToolBar::CreatePopupToolBar(popup->m_pCommandBar->GetCommandBars());
    const CXTPControls* source = popup->m_pCommandBar->GetControls();
    for (int i = 0; i < source->GetCount(); ++i) {
        const CXTPControl* from = source->GetAt(i);
        bar->GetControls()->Add(from->Clone(true), from->GetID(), from->GetParameter());
    }
    SetCommandBar(std::move(bar));
}

QSize CXTPControlPopup::GetSize(platform::Dc* pDC)
{
    QSize size = CXTPControlButton::GetSize(pDC);
    if (GetType() != xtpControlPopup)
        size.rwidth() += kArrowWidth; // the drop-down arrow
    return size;
}

void CXTPControlPopup::Draw(platform::Dc* pDC)
{
    const platform::Rect full = GetRect();
    if (GetType() == xtpControlPopup) {
        CXTPControlButton::Draw(pDC);
        return;
    }
    GetPaintManager()->DrawControlEntry(pDC, this);
    // The button part leaves room for the arrow at the right.
    const int arrowX = full.right - 8;
    const int arrowY = (full.top + full.bottom) / 2 - 1;
    const COLORREF ink = GetSysColor(GetEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int row = 0; row < 3; ++row)
        pDC->FillSolidRect(platform::Rect(arrowX + row, arrowY + row, arrowX + 5 - row,
                                          arrowY + row + 1),
                           ink);
    const QIcon icon = GetIcon();
    platform::Rect body(full.left, full.top, full.right - kArrowWidth, full.bottom);
    if (!icon.isNull()) {
        const QImage image = icon.pixmap(16, 16).toImage();
        pDC->DrawState(QPoint(body.left + (body.Width() - 16) / 2,
                              body.top + (body.Height() - 16) / 2),
                       image, GetEnabled() ? DSS_NORMAL : DSS_DISABLED);
    } else {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(ink);
        pDC->DrawText(GetCaption(), &body, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void CXTPControlPopup::OnClick(bool)
{
    if (!m_pCommandBar || !widget()) {
        OnExecute();
        return;
    }
    auto* popup = qobject_cast<CXTPPopupToolBar*>(m_pCommandBar.get());
    if (!popup)
        return;
    if (popup->isVisible()) {
        ClosePopup();
        return;
    }
    // A split button runs its command from its body and opens the popup
    // from its arrow (or the keyboard).
    if (GetType() == xtpControlSplitButtonPopup && !onArrow()) {
        OnExecute();
        return;
    }
    setPopuped(true);
    RedrawParent();
    popup->Popup(widget()->mapToGlobal(QPoint(0, widget()->height())));
}

bool CXTPControlPopup::onArrow() const
{
    const QPoint at = clickPoint();
    return at.x() < 0 || at.x() >= GetRect().right - kArrowWidth;
}

void CXTPControlPopup::ClosePopup()
{
    if (m_pCommandBar)
        m_pCommandBar->hide();
}
