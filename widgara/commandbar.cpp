#include "widgara/commandbar.h"

#include "platform/painterdc.h"
#include "widgara/commandbars.h"
#include "widgara/controlwidget.h"
#include "widgara/resources.h"

#include <QFrame>
#include <QGridLayout>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

constexpr int kMargin = 2;
constexpr int kSpacing = 1;
// The folded controls' popup lays them out in lines of this many.
constexpr int kOverflowLine = 8;

// The popup that shows a bar's folded controls; its widgets are views of
// those controls made for it.
class OverflowPopup : public QFrame {
public:
    explicit OverflowPopup(QWidget* owner) : QFrame(owner, Qt::Popup)
    {
        setFrameStyle(QFrame::Panel | QFrame::Raised);
    }
    std::function<void()> onClosed;

protected:
    void hideEvent(QHideEvent* event) override
    {
        QFrame::hideEvent(event);
        if (const auto closed = std::exchange(onClosed, {}))
            closed();
        deleteLater();
    }
};

} // namespace

CXTPCommandBar::CXTPCommandBar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation)
{
}

CXTPCommandBar::~CXTPCommandBar()
{
    if (auto* popup = static_cast<OverflowPopup*>(m_overflow.data())) {
        popup->onClosed = {};
        delete popup;
    }
    // The controls go first, while their widgets are still children here.
    m_controls.RemoveAll();
}

Qt::Orientation CXTPCommandBar::GetOrientation() const
{
    return m_orientation;
}

void CXTPCommandBar::SetOrientation(Qt::Orientation orientation)
{
    if (orientation == GetOrientation())
        return;
    m_orientation = orientation;
    OnControlsChanged();
}

void CXTPCommandBar::setFoldable(bool foldable)
{
    m_foldable = foldable;
    if (foldable && !m_overflowButton) {
        m_overflowButton = new QToolButton(this);
        m_overflowButton->setObjectName(QStringLiteral("overflow"));
        m_overflowButton->setAutoRaise(true);
        m_overflowButton->setFocusPolicy(Qt::NoFocus);
        m_overflowButton->setText(QStringLiteral("»"));
        m_overflowButton->setToolTip(QStringLiteral("更多按钮"));
        m_overflowButton->hide();
        connect(m_overflowButton, &QToolButton::clicked, this, [this] { showOverflow(); });
        // A command chosen in the popup closes it before the command runs.
        connect(this, &CXTPCommandBar::controlExecuted, this, [this] { closeOverflow(); });
    }
    updateGeometry();
    layoutItems();
}

void CXTPCommandBar::OnControlsChanged()
{
    closeOverflow();
    clearWidgets();
    bool first = true;
    for (int i = 0; i < m_controls.GetCount(); ++i) {
        CXTPControl* control = m_controls.GetAt(i);
        if (control->GetBeginGroup() && !first) {
            auto* separator = new widgara::SeparatorWidget(m_orientation, this);
            m_items.push_back({separator, nullptr});
        }
        m_items.push_back({control->createWidget(this), control});
        first = first && !control->IsVisible();
    }
    m_firstFolded = m_items.size();
    // The bar takes its full size at once; a parent with less room narrows
    // it when its layout runs.
    applySizeLimits();
    resize(sizeHint());
    updateGeometry();
    layoutItems();
}

void CXTPCommandBar::clearWidgets()
{
    for (const Item& item : m_items) {
        if (QWidget* shown = item.widget.data()) {
            if (auto* view = dynamic_cast<widgara::ControlView*>(shown))
                view->detach();
            shown->hide();
            shown->deleteLater();
        }
    }
    m_items.clear();
    m_firstFolded = 0;
}

QSize CXTPCommandBar::sizeOf(const QWidget* widget)
{
    // What a layout would give it: its wish within its own limits.
    return widget->sizeHint().expandedTo(widget->minimumSize()).boundedTo(widget->maximumSize());
}

bool CXTPCommandBar::isShown(const Item& item)
{
    return item.widget && (!item.control || item.control->IsVisible());
}

int CXTPCommandBar::lengthOf(QSize size) const
{
    return m_orientation == Qt::Horizontal ? size.width() : size.height();
}

QSize CXTPCommandBar::sizeHint() const
{
    int along = 0;
    int across = 0;
    int count = 0;
    for (const Item& item : m_items) {
        if (!isShown(item))
            continue;
        const QSize hint = sizeOf(item.widget);
        along += lengthOf(hint);
        across = std::max(across, m_orientation == Qt::Horizontal ? hint.height() : hint.width());
        ++count;
    }
    along += 2 * kMargin + std::max(0, count - 1) * kSpacing;
    across += 2 * kMargin;
    return m_orientation == Qt::Horizontal ? QSize(along, across) : QSize(across, along);
}

QSize CXTPCommandBar::minimumSizeHint() const
{
    const QSize full = sizeHint();
    if (!m_foldable || !m_overflowButton)
        return full;
    const int along = 2 * kMargin + lengthOf(m_overflowButton->sizeHint());
    return m_orientation == Qt::Horizontal ? QSize(std::min(along, full.width()), full.height())
                                           : QSize(full.width(), std::min(along, full.height()));
}

std::vector<CXTPControl*> CXTPCommandBar::foldedControls() const
{
    std::vector<CXTPControl*> folded;
    for (std::size_t i = m_firstFolded; i < m_items.size(); ++i)
        if (m_items[i].control && isShown(m_items[i]))
            folded.push_back(m_items[i].control);
    return folded;
}

bool CXTPCommandBar::isFolded(const QWidget* widget) const
{
    for (std::size_t i = m_firstFolded; i < m_items.size(); ++i)
        if (m_items[i].widget == widget)
            return true;
    return false;
}

void CXTPCommandBar::layoutItems()
{
    // While the folded controls are shown elsewhere, the bar stays as it is.
    if (m_overflow)
        return;
    const bool horizontal = m_orientation == Qt::Horizontal;
    const int room = lengthOf(size()) - 2 * kMargin;
    const int across = (horizontal ? height() : width()) - 2 * kMargin;
    const bool folding = m_foldable && m_overflowButton && lengthOf(size()) < lengthOf(sizeHint());
    const int limit = folding ? room - lengthOf(m_overflowButton->sizeHint()) - kSpacing : room;

    // The first item that does not fit; a separator is not left at the end.
    std::size_t fold = m_items.size();
    int position = 0;
    std::size_t lastShown = m_items.size();
    for (std::size_t i = 0; i < m_items.size() && folding; ++i) {
        if (!isShown(m_items[i]))
            continue;
        const int length = lengthOf(sizeOf(m_items[i].widget));
        if (position + length > limit) {
            fold = i;
            break;
        }
        position += length + kSpacing;
        lastShown = i;
    }
    if (fold < m_items.size() && lastShown < m_items.size() && !m_items[lastShown].control)
        fold = lastShown;
    m_firstFolded = fold;

    position = kMargin;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        QWidget* widget = m_items[i].widget;
        if (!widget)
            continue;
        const bool shown = isShown(m_items[i]) && i < fold;
        widget->setVisible(shown);
        if (!shown)
            continue;
        const QSize hint = sizeOf(widget);
        const QSizePolicy::Policy policy = horizontal ? widget->sizePolicy().verticalPolicy()
                                                      : widget->sizePolicy().horizontalPolicy();
        const int thickness = policy == QSizePolicy::Fixed ? (horizontal ? hint.height() : hint.width())
                                                           : across;
        const int offset = kMargin + std::max(0, (across - thickness) / 2);
        widget->setGeometry(horizontal ? QRect(position, offset, hint.width(), thickness)
                                       : QRect(offset, position, thickness, hint.height()));
        position += lengthOf(hint) + kSpacing;
    }
    if (m_overflowButton) {
        const bool overflow = fold < m_items.size();
        m_overflowButton->setVisible(overflow);
        if (overflow) {
            const QSize hint = m_overflowButton->sizeHint();
            m_overflowButton->setGeometry(horizontal ? QRect(position, kMargin, hint.width(), across)
                                                     : QRect(kMargin, position, across, hint.height()));
            m_overflowButton->raise();
        }
    }
}

void CXTPCommandBar::showOverflow()
{
    const std::vector<CXTPControl*> folded = foldedControls();
    if (folded.empty() || !m_overflowButton || m_overflow)
        return;
    auto* popup = new OverflowPopup(this);
    auto* grid = new QGridLayout(popup);
    grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    grid->setSpacing(kSpacing);
    // A row's controls go on in lines across the popup, a column's down it.
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const int line = int(i) / kOverflowLine;
        const int place = int(i) % kOverflowLine;
        QWidget* view = folded[i]->createWidget(this);
        if (m_orientation == Qt::Horizontal)
            grid->addWidget(view, line, place);
        else
            grid->addWidget(view, place, line);
        view->show();
    }
    m_overflow = popup;
    // Once closed, the controls are shown by the bar's own widgets again.
    popup->onClosed = [bar = QPointer<CXTPCommandBar>(this)] {
        if (bar) {
            bar->m_overflow = nullptr;
            bar->OnControlsChanged();
        }
    };
    popup->adjustSize();
    const QRect button(m_overflowButton->mapToGlobal(QPoint(0, 0)), m_overflowButton->size());
    QPoint at = m_orientation == Qt::Horizontal ? button.bottomLeft() + QPoint(0, 1)
                                                : button.topLeft() - QPoint(popup->width() + 1, 0);
    if (const QScreen* screen = m_overflowButton->screen()) {
        const QRect area = screen->availableGeometry();
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - popup->width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - popup->height())));
    }
    popup->move(at);
    popup->show();
}

void CXTPCommandBar::applySizeLimits()
{
    // Never larger than all controls need; smaller only along the bar, and
    // only when it folds.
    const QSize minimum = minimumSizeHint();
    const QSize maximum = sizeHint();
    if (minimumSize() != minimum || maximumSize() != maximum) {
        setMinimumSize(minimum);
        setMaximumSize(maximum);
        updateGeometry();
    }
}

void CXTPCommandBar::closeOverflow()
{
    if (QWidget* popup = m_overflow.data())
        popup->close();
}

bool CXTPCommandBar::event(QEvent* event)
{
    // A widget of the bar changed its size or was shown or hidden.
    if (event->type() == QEvent::LayoutRequest) {
        applySizeLimits();
        if (isWindow())
            resize(sizeHint());
        layoutItems();
        return true;
    }
    return QWidget::event(event);
}

void CXTPCommandBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutItems();
}

void CXTPCommandBar::showEvent(QShowEvent* event)
{
    if (isWindow())
        resize(sizeHint());
    QWidget::showEvent(event);
    layoutItems();
}

void CXTPCommandBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xEE, 0xEE, 0xEE));
    painter.setPen(QColor(0xC8, 0xC8, 0xC8));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

CXTPToolBar::CXTPToolBar(QWidget* parent) : CXTPCommandBar(Qt::Horizontal, parent)
{
    setFoldable(true);
}

void CXTPToolBar::SetVisible(bool bVisible)
{
    if (GetCommandBars())
        GetCommandBars()->ShowCommandBar(this, bVisible);
    else
        setVisible(bVisible);
}

void CXTPToolBar::SetButtonSize(QSize size)
{
    m_buttonSize = size;
    OnControlsChanged();
}

bool CXTPToolBar::IsVisible() const
{
    return GetCommandBars() ? GetCommandBars()->IsCommandBarVisible(this) : !isHidden();
}

bool CXTPToolBar::LoadToolBar(int nIDResource, bool bLoadIcons)
{
    const std::vector<int>* commands = widgara::resources().toolBar(nIDResource);
    if (!commands)
        return false;
    SetBarID(nIDResource);
    if (bLoadIcons && GetCommandBars())
        GetCommandBars()->GetImageManager()->SetIcons(nIDResource);
    GetControls()->RemoveAll();
    bool beginGroup = false;
    int index = 0;
    for (const int id : *commands) {
        if (id == 0) {
            beginGroup = true;
            continue;
        }
        std::unique_ptr<CXTPControl> control;
        if (CXTPCommandBars* bars = GetCommandBars())
            control = bars->requestControl(this, id, true, xtpControlButton, index);
        if (!control)
            control = std::make_unique<CXTPControlButton>();
        CXTPControl* added = GetControls()->Add(std::move(control), id);
        added->SetBeginGroup(beginGroup);
        beginGroup = false;
        ++index;
    }
    OnControlsChanged();
    return true;
}
