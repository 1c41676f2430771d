#include "shapeui/panestack.h"

#include "platform/hostservices.h"

#include <new>

CVes_PaneStack::CVes_PaneStack(QWidget* parent) : QWidget(parent) {}

CVes_PaneStack::~CVes_PaneStack() = default;

int CVes_PaneStack::AddPane(const QString& title, QWidget* content, qintptr value)
{
    std::unique_ptr<Pane> pane;
    try {
        pane = std::make_unique<Pane>();
        m_panes.reserve(m_panes.size() + 1);
    } catch (const std::bad_alloc&) {
        platform::showMessage(QStringLiteral("Failed to add a new pane to the stack.\n\nOut of memory."),
                              platform::MessageIcon::Stop);
        return -1;
    }
    for (auto& other : m_panes)
        other->open = false;
    auto* button = new CVes_PaneTitleButton(title, this);
    connect(button, &CVes_PaneTitleButton::paneClicked, this, &CVes_PaneStack::OnPaneClicked);
    button->show();
    pane->title = button;
    pane->content = content;
    pane->open = true;
    pane->value = value;
    if (content && content->parentWidget() != this)
        content->setParent(this);
    m_panes.push_back(std::move(pane));
    RecalcLayout();
    return int(m_panes.size()) - 1;
}

int CVes_PaneStack::GetOpenPane() const
{
    for (std::size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i]->open)
            return int(i);
    return -1;
}

bool CVes_PaneStack::IsPaneOpen(int index) const
{
    return index >= 0 && index < GetPaneCount() && m_panes[std::size_t(index)]->open;
}

CVes_PaneTitleButton* CVes_PaneStack::GetPaneTitle(int index) const
{
    return index >= 0 && index < GetPaneCount() ? m_panes[std::size_t(index)]->title.data()
                                                : nullptr;
}

QWidget* CVes_PaneStack::GetPaneContent(int index) const
{
    return index >= 0 && index < GetPaneCount() ? m_panes[std::size_t(index)]->content.data()
                                                : nullptr;
}

qintptr CVes_PaneStack::GetPaneValue(int index) const
{
    return index >= 0 && index < GetPaneCount() ? m_panes[std::size_t(index)]->value : 0;
}

void CVes_PaneStack::RecalcLayout()
{
    const int w = width();
    const int n = GetPaneCount();
    int y = 0;
    for (int i = 0; i < n; ++i) {
        Pane& pane = *m_panes[std::size_t(i)];
        if (pane.title)
            pane.title->setGeometry(0, y, w, m_nTitleHeight);
        y += m_nTitleHeight;
        if (!pane.content)
            continue;
        if (pane.open) {
            const int below = (n - 1 - i) * m_nTitleHeight;
            const int h = std::max(0, height() - y - below);
            pane.content->setGeometry(0, y, w, h);
            pane.content->show();
            y += h;
        } else {
            pane.content->hide();
        }
    }
}

bool CVes_PaneStack::openOnly(int index)
{
    if (index < 0 || index >= GetPaneCount())
        return false;
    bool changed = false;
    for (int i = 0; i < GetPaneCount(); ++i) {
        const bool open = i == index;
        if (m_panes[std::size_t(i)]->open != open) {
            m_panes[std::size_t(i)]->open = open;
            changed = true;
        }
    }
    return changed;
}

void CVes_PaneStack::OpenPane(int index)
{
    if (openOnly(index))
        RecalcLayout();
}

void CVes_PaneStack::OnPaneClicked(QWidget* title)
{
    for (int i = 0; i < GetPaneCount(); ++i) {
        if (m_panes[std::size_t(i)]->title != title)
            continue;
        if (openOnly(i)) {
            RecalcLayout();
            Q_EMIT paneClicked(m_panes[std::size_t(i)]->content.data());
        }
        return;
    }
}

void CVes_PaneStack::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RecalcLayout();
}
