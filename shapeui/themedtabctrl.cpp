#include "shapeui/themedtabctrl.h"

#include "shapeui/themelib.h"

#include <QCoreApplication>
#include <QPointer>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

CVes_ThemedTabCtrl::CVes_ThemedTabCtrl(QWidget* parent) : QTabWidget(parent)
{
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideRight);
    connect(this, &QTabWidget::currentChanged, this, &CVes_ThemedTabCtrl::onCurrentChanged);
    ModifyStyle(0, 0);
}

CVes_ThemedTabCtrl::~CVes_ThemedTabCtrl() = default;

namespace {

// The classic look, one for the process; it lives as long as the
// application, so that no widget outlives the style it draws with.
QStyle* classicStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = QStyleFactory::create(QStringLiteral("Windows"));
        if (style)
            style->setParent(QCoreApplication::instance());
    }
    return style;
}

} // namespace

void CVes_ThemedTabCtrl::ModifyStyle(unsigned remove, unsigned add)
{
    m_style = (m_style & ~remove) | add;
    // Several rows of tabs are not offered; the row scrolls instead.
    if (m_style & TCS_VERTICAL)
        m_orientation = (m_style & TCS_BOTTOM) ? 3 : 2;
    else
        m_orientation = (m_style & TCS_BOTTOM) ? 1 : 0;
    static constexpr TabPosition positions[] = {North, South, West, East};
    setTabPosition(positions[m_orientation]);
    updateLook();
}

void CVes_ThemedTabCtrl::EnableThemedDrawing(bool enable)
{
    m_bThemed = enable;
    updateLook();
}

bool CVes_ThemedTabCtrl::IsThemed() const
{
    if (!m_bThemed)
        return false;
    CVes_ThemeLib theme;
    return theme.IsThemeActive() != 0;
}

void CVes_ThemedTabCtrl::updateLook()
{
    QStyle* wanted = IsThemed() ? nullptr : classicStyle();
    if (wanted != m_classicStyle) {
        m_classicStyle = wanted;
        setStyle(wanted);
        tabBar()->setStyle(wanted);
    }
    update();
}

void CVes_ThemedTabCtrl::showEvent(QShowEvent* event)
{
    updateLook();
    QTabWidget::showEvent(event);
}

int CVes_ThemedTabCtrl::InsertItem(int index, const QString& text, int image)
{
    if (index < 0)
        return -1;
    index = std::min(index, count());
    auto* page = new QWidget;
    page->setAttribute(Qt::WA_NoSystemBackground);
    const bool quiet = m_quiet;
    m_quiet = true;
    const int at = insertTab(index, page, text);
    m_quiet = quiet;
    m_itemImages.insert(at, image);
    setTabIcon(at, image >= 0 && image < m_images.size() ? m_images.at(image) : QIcon());
    m_lastSel = currentIndex();
    return at;
}

bool CVes_ThemedTabCtrl::DeleteItem(int index)
{
    if (index < 0 || index >= count())
        return false;
    QWidget* page = widget(index);
    const bool quiet = m_quiet;
    m_quiet = true;
    removeTab(index);
    m_quiet = quiet;
    delete page;
    m_itemImages.removeAt(index);
    m_lastSel = currentIndex();
    return true;
}

bool CVes_ThemedTabCtrl::DeleteAllItems()
{
    while (count() > 0)
        DeleteItem(count() - 1);
    return true;
}

QString CVes_ThemedTabCtrl::GetItemText(int index) const
{
    return tabText(index);
}

bool CVes_ThemedTabCtrl::SetItemText(int index, const QString& text)
{
    if (index < 0 || index >= count())
        return false;
    setTabText(index, text);
    return true;
}

int CVes_ThemedTabCtrl::GetItemImage(int index) const
{
    return index >= 0 && index < m_itemImages.size() ? m_itemImages.at(index) : -1;
}

void CVes_ThemedTabCtrl::SetImageList(const QList<QIcon>& images)
{
    m_images = images;
    for (int i = 0; i < count(); ++i) {
        const int image = m_itemImages.value(i, -1);
        setTabIcon(i, image >= 0 && image < m_images.size() ? m_images.at(image) : QIcon());
    }
}

int CVes_ThemedTabCtrl::SetCurSel(int index)
{
    if (index < 0 || index >= count())
        return -1;
    const int previous = currentIndex();
    const bool quiet = m_quiet;
    m_quiet = true;
    setCurrentIndex(index);
    m_quiet = quiet;
    m_lastSel = currentIndex();
    return previous;
}

void CVes_ThemedTabCtrl::onCurrentChanged(int index)
{
    if (m_quiet) {
        m_lastSel = index;
        return;
    }
    m_nPrevSel = m_lastSel;
    m_lastSel = index;
    Q_EMIT selChanging(m_nPrevSel);
    Q_EMIT selChanged(index);
}

void CVes_ThemedTabCtrl::ensureLayout() const
{
    // The tab widget places its bar when it is resized; do it now for a
    // control that has not been shown yet.
    if (!isVisible()) {
        auto* self = const_cast<CVes_ThemedTabCtrl*>(this);
        QResizeEvent event(size(), size());
        self->QTabWidget::resizeEvent(&event);
    }
}

bool CVes_ThemedTabCtrl::GetItemRect(int index, platform::Rect* rect) const
{
    if (!rect || index < 0 || index >= count())
        return false;
    ensureLayout();
    const QRect r = tabBar()->tabRect(index).translated(tabBar()->pos());
    *rect = platform::Rect::fromQRect(r);
    return true;
}

int CVes_ThemedTabCtrl::HitTest(QPoint point, unsigned* flags) const
{
    for (int i = 0; i < count(); ++i) {
        platform::Rect r;
        if (GetItemRect(i, &r) && r.PtInRect(point)
            && tabBar()->geometry().contains(point)) {
            if (flags)
                *flags = TCHT_ONITEM;
            return i;
        }
    }
    if (flags)
        *flags = TCHT_NOWHERE;
    return -1;
}

void CVes_ThemedTabCtrl::AdjustRect(bool larger, platform::Rect* rect) const
{
    if (!rect)
        return;
    ensureLayout();
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
    const int left = contents.left();
    const int top = contents.top();
    const int right = width() - (contents.left() + contents.width());
    const int bottom = height() - (contents.top() + contents.height());
    const int sign = larger ? -1 : 1;
    rect->left += sign * left;
    rect->top += sign * top;
    rect->right -= sign * right;
    rect->bottom -= sign * bottom;
}
