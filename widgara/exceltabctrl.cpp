#include "widgara/exceltabctrl.h"

#include "widgara/dlgitem.h"

#include <QStackedWidget>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QVBoxLayout>

using platform::gdi::COLORREF;

namespace {

QColor qtColor(COLORREF color)
{
    return QColor(platform::gdi::GetRValue(color), platform::gdi::GetGValue(color),
                  platform::gdi::GetBValue(color));
}

// A tab bar that paints the selected tab in the colours of its tab.
class SheetTabBar final : public QTabBar {
public:
    using Colors = std::function<std::pair<COLORREF, COLORREF>(int)>;
    SheetTabBar(Colors colors, QWidget* parent) : QTabBar(parent), m_colors(std::move(colors)) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        for (int i = 0; i < count(); ++i) {
            QStyleOptionTab option;
            initStyleOption(&option, i);
            painter.drawControl(QStyle::CE_TabBarTabShape, option);
            const auto [back, text] = m_colors(i);
            if (i == currentIndex() && back != platform::gdi::CLR_DEFAULT)
                painter.fillRect(option.rect.adjusted(2, 1, -2, -2), qtColor(back));
            if (i == currentIndex() && text != platform::gdi::CLR_DEFAULT) {
                option.palette.setColor(QPalette::WindowText, qtColor(text));
                option.palette.setColor(QPalette::ButtonText, qtColor(text));
            }
            painter.drawControl(QStyle::CE_TabBarTabLabel, option);
        }
    }

private:
    Colors m_colors;
};

} // namespace

CXTExcelTabCtrl::CXTExcelTabCtrl(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_stack = new QStackedWidget(this);
    m_tabs = new SheetTabBar(
        [this](int i) {
            const TabColors c = i >= 0 && i < int(m_colors.size()) ? m_colors[i] : TabColors{};
            return std::pair(c.back, c.text);
        },
        this);
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(true);
    layout->addWidget(m_stack, 1);
    layout->addWidget(m_tabs);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        m_stack->setCurrentIndex(index);
        if (!m_quiet && index >= 0)
            Q_EMIT selChanged(index);
    });
    applyStyle();
}

CXTExcelTabCtrl::~CXTExcelTabCtrl() = default;

bool CXTExcelTabCtrl::Create(int dwStyle, const QRect& rect, QWidget* pParentWnd, int nID)
{
    m_style = dwStyle;
    setParent(pParentWnd);
    setGeometry(rect);
    widgara::SetDlgCtrlID(this, nID);
    applyStyle();
    show();
    return true;
}

void CXTExcelTabCtrl::applyStyle()
{
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    const bool bottom = m_style & FTS_XT_BOTTOM;
    layout->removeWidget(m_tabs);
    layout->insertWidget(bottom ? 1 : 0, m_tabs);
    m_tabs->setShape(bottom ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
    m_tabs->setUsesScrollButtons(m_style & (FTS_XT_HASARROWS | FTS_XT_HASHOMEEND));
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->setTabToolTip(i, (m_style & FTS_XT_TOOLTIPS) ? m_tabs->tabText(i) : QString());
}

int CXTExcelTabCtrl::InsertItem(int nItem, const QString& caption, QWidget* pView)
{
    const int at = nItem < 0 || nItem > GetItemCount() ? GetItemCount() : nItem;
    QWidget* view = pView ? pView : new QWidget;
    m_quiet = true;
    m_stack->insertWidget(at, view);
    m_colors.insert(m_colors.begin() + at, TabColors{});
    const int index = m_tabs->insertTab(at, caption);
    m_stack->setCurrentIndex(m_tabs->currentIndex());
    m_quiet = false;
    applyStyle();
    return index;
}

bool CXTExcelTabCtrl::DeleteItem(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return false;
    m_quiet = true;
    QWidget* view = m_stack->widget(nItem);
    m_tabs->removeTab(nItem);
    m_stack->removeWidget(view);
    view->setParent(nullptr);
    m_colors.erase(m_colors.begin() + nItem);
    m_stack->setCurrentIndex(m_tabs->currentIndex());
    m_quiet = false;
    return true;
}

void CXTExcelTabCtrl::DeleteAllItems()
{
    while (GetItemCount() > 0)
        DeleteItem(GetItemCount() - 1);
}

int CXTExcelTabCtrl::GetItemCount() const
{
    return m_tabs->count();
}

QWidget* CXTExcelTabCtrl::GetItemWnd(int nItem) const
{
    return m_stack->widget(nItem);
}

QString CXTExcelTabCtrl::GetItemText(int nItem) const
{
    return m_tabs->tabText(nItem);
}

void CXTExcelTabCtrl::SetItemText(int nItem, const QString& caption)
{
    m_tabs->setTabText(nItem, caption);
    applyStyle();
}

int CXTExcelTabCtrl::GetCurSel() const
{
    return m_tabs->currentIndex();
}

int CXTExcelTabCtrl::SetCurSel(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return -1;
    const int previous = GetCurSel();
    m_quiet = true;
    m_tabs->setCurrentIndex(nItem);
    m_stack->setCurrentIndex(nItem);
    m_quiet = false;
    return previous;
}

void CXTExcelTabCtrl::SetSelTabBackColor(int nItem, COLORREF color)
{
    if (nItem >= 0 && nItem < int(m_colors.size())) {
        m_colors[nItem].back = color;
        m_tabs->update();
    }
}

void CXTExcelTabCtrl::SetSelTabTextColor(int nItem, COLORREF color)
{
    if (nItem >= 0 && nItem < int(m_colors.size())) {
        m_colors[nItem].text = color;
        m_tabs->update();
    }
}

COLORREF CXTExcelTabCtrl::GetSelTabBackColor(int nItem) const
{
    return nItem >= 0 && nItem < int(m_colors.size()) ? m_colors[nItem].back : platform::gdi::CLR_DEFAULT;
}

COLORREF CXTExcelTabCtrl::GetSelTabTextColor(int nItem) const
{
    return nItem >= 0 && nItem < int(m_colors.size()) ? m_colors[nItem].text : platform::gdi::CLR_DEFAULT;
}
