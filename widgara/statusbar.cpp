#include "widgara/statusbar.h"

#include "widgara/resources.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>

namespace {

constexpr int kPaneMargin = 4;
constexpr int kIconSize = 16;

// A pane's text with an optional icon before it.
class PaneLabel final : public QLabel {
public:
    using QLabel::QLabel;

    void setIcon(const QIcon& icon)
    {
        m_icon = icon;
        const int left = kPaneMargin + (icon.isNull() ? 0 : kIconSize + 2);
        setContentsMargins(left, 0, kPaneMargin, 0);
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (m_icon.isNull())
            return;
        QPainter painter(this);
        const QRect box(kPaneMargin, (height() - kIconSize) / 2, kIconSize, kIconSize);
        m_icon.paint(&painter, box, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    }

private:
    QIcon m_icon;
};

QColor qtColor(platform::gdi::COLORREF color)
{
    return QColor(platform::gdi::GetRValue(color), platform::gdi::GetGValue(color),
                  platform::gdi::GetBValue(color));
}

} // namespace

CXTPStatusBarPane::CXTPStatusBarPane(CXTPStatusBar* bar, int nID)
    : m_bar(bar), m_nID(nID), m_label(new PaneLabel(bar))
{
    m_label->setObjectName(QStringLiteral("StatusPane%1").arg(nID));
    m_label->setContentsMargins(kPaneMargin, 0, kPaneMargin, 0);
    if (nID == ID_SEPARATOR)
        m_style |= SBPS_STRETCH | SBPS_NOBORDERS;
    else
        m_label->setText(widgara::resources().prompt(nID));
    refresh();
}

QString CXTPStatusBarPane::GetText() const
{
    return m_label->text();
}

void CXTPStatusBarPane::SetText(const QString& text)
{
    m_label->setText(text);
    refresh();
}

void CXTPStatusBarPane::SetStyle(int style)
{
    m_style = style;
    refresh();
}

void CXTPStatusBarPane::SetTextColor(platform::gdi::COLORREF color)
{
    m_textColor = color;
    refresh();
}

void CXTPStatusBarPane::SetFont(const QFont& font)
{
    m_label->setFont(font);
    refresh();
}

void CXTPStatusBarPane::SetIconIndex(int index)
{
    m_iconIndex = index;
    refresh();
}

void CXTPStatusBarPane::SetWidth(int width)
{
    m_width = width;
    refresh();
}

void CXTPStatusBarPane::SetEnabled(bool bEnabled)
{
    SetStyle(bEnabled ? m_style & ~SBPS_DISABLED : m_style | SBPS_DISABLED);
}

void CXTPStatusBarPane::refresh()
{
    m_label->setEnabled(IsEnabled());
    QPalette palette = m_bar->palette();
    if (m_textColor != platform::gdi::CLR_DEFAULT)
        palette.setColor(QPalette::WindowText, qtColor(m_textColor));
    m_label->setPalette(palette);
    m_label->setFrameShape((m_style & SBPS_NOBORDERS) ? QFrame::NoFrame : QFrame::StyledPanel);
    m_label->setFrameShadow((m_style & SBPS_POPOUT) ? QFrame::Raised : QFrame::Sunken);
    static_cast<PaneLabel*>(m_label)->setIcon(m_bar->icon(m_iconIndex));
    if (m_width > 0)
        m_label->setFixedWidth(m_width);
    else {
        m_label->setMinimumWidth(0);
        m_label->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    m_label->update();
}

CXTPStatusBar::CXTPStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(true);
    // Prompts of commands go to the separator pane, so the other panes stay.
    connect(this, &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (CXTPStatusBarPane* pane = FindPane(ID_SEPARATOR))
            pane->SetText(text);
    });
}

CXTPStatusBar::~CXTPStatusBar() = default;

bool CXTPStatusBar::Create(QMainWindow* pParentWnd, int, int nID)
{
    if (!pParentWnd)
        return false;
    setObjectName(QStringLiteral("StatusBar%1").arg(nID));
    pParentWnd->setStatusBar(this);
    return true;
}

bool CXTPStatusBar::SetIndicators(const std::vector<int>& ids)
{
    for (size_t i = 0; i < ids.size(); ++i)
        for (size_t j = i + 1; j < ids.size(); ++j)
            if (ids[i] == ids[j])
                return false;
    for (auto& pane : m_panes)
        delete pane->label();
    m_panes.clear();
    for (int id : ids)
        m_panes.push_back(std::make_unique<CXTPStatusBarPane>(this, id));
    placePanes();
    return true;
}

CXTPStatusBarPane* CXTPStatusBar::AddIndicator(int nID, int nIndex)
{
    if (FindPane(nID))
        return nullptr;
    const int at = nIndex < 0 || nIndex > GetPaneCount() ? GetPaneCount() : nIndex;
    auto pane = std::make_unique<CXTPStatusBarPane>(this, nID);
    CXTPStatusBarPane* added = pane.get();
    m_panes.insert(m_panes.begin() + at, std::move(pane));
    placePanes();
    return added;
}

bool CXTPStatusBar::RemoveIndicator(int nID)
{
    const int index = CommandToIndex(nID);
    if (index < 0)
        return false;
    delete m_panes[index]->label();
    m_panes.erase(m_panes.begin() + index);
    placePanes();
    return true;
}

CXTPStatusBarPane* CXTPStatusBar::GetPane(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetPaneCount() ? m_panes[nIndex].get() : nullptr;
}

CXTPStatusBarPane* CXTPStatusBar::FindPane(int nID) const
{
    return GetPane(CommandToIndex(nID));
}

int CXTPStatusBar::CommandToIndex(int nID) const
{
    for (int i = 0; i < GetPaneCount(); ++i)
        if (m_panes[i]->GetID() == nID)
            return i;
    return -1;
}

bool CXTPStatusBar::SetPaneText(int nIndex, const QString& text, bool bUpdate)
{
    CXTPStatusBarPane* pane = GetPane(nIndex);
    if (!pane)
        return false;
    pane->SetText(text);
    if (bUpdate)
        pane->label()->repaint();
    return true;
}

QString CXTPStatusBar::GetPaneText(int nIndex) const
{
    CXTPStatusBarPane* pane = GetPane(nIndex);
    return pane ? pane->GetText() : QString();
}

void CXTPStatusBar::SetIcon(int nIndex, const QIcon& icon)
{
    if (nIndex < 0)
        return;
    if (nIndex >= int(m_icons.size()))
        m_icons.resize(size_t(nIndex) + 1);
    m_icons[size_t(nIndex)] = icon;
}

QIcon CXTPStatusBar::icon(int nIndex) const
{
    return nIndex >= 0 && nIndex < int(m_icons.size()) ? m_icons[nIndex] : QIcon();
}

void CXTPStatusBar::placePanes()
{
    // Every pane is a permanent widget, so that the bar's own message area
    // (which would hide panes while a prompt shows) takes no room.
    for (const auto& pane : m_panes)
        removeWidget(pane->label());
    for (const auto& pane : m_panes) {
        const bool stretch = pane->GetStyle() & SBPS_STRETCH;
        addPermanentWidget(pane->label(), stretch ? 1 : 0);
        pane->label()->show();
    }
}
