#include "app/panes/gridbuttonitem.h"

#include "platform/dc.h"
#include "widgara/dlgitem.h"
#include "widgara/propertygrid.h"

namespace {

constexpr int kIndentPerLevel = 14;
constexpr int kButtonId = 100;
constexpr int kFontPixels = 12;

} // namespace

CGridItemButton::CGridItemButton(CGridButtonItem* item, QWidget* parent)
    : CXTButton(parent), m_item(item)
{
    setCursor(Qt::PointingHandCursor);
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QPushButton::clicked, this, [this] { m_item->onButtonClicked(); });
}

CGridButtonItem::CGridButtonItem(const QString& strCaption, bool bFullRow, bool bValue)
    : CXTPPropertyGridItem(bFullRow ? QString() : strCaption), m_strButtonText(strCaption),
      m_bFullRow(bFullRow), m_bValue(bValue), m_bShownValue(!bValue)
{
    m_font.setFamily(platform::substituteFace(QStringLiteral("Tahoma")));
    m_font.setPixelSize(kFontPixels);
}

CGridButtonItem::~CGridButtonItem()
{
    destroyButton();
}

bool CGridButtonItem::OnDrawItemValue(platform::Dc&, const QRect&)
{
    placeButton();
    // The grid still draws the value cell under the button.
    return false;
}

void CGridButtonItem::SetVisible(bool bVisible)
{
    CXTPPropertyGridItem::SetVisible(bVisible);
    placeButton();
}

void CGridButtonItem::OnIndexChanged()
{
    placeButton();
}

void CGridButtonItem::onButtonClicked()
{
    m_bValue = !m_bValue;
    placeButton();
    OnValueChanged(GetValue());
}

QRect CGridButtonItem::buttonRect() const
{
    if (!m_bFullRow)
        return GetValueRect();
    QRect row = GetItemRect();
    row.setLeft(row.left() + kIndentPerLevel * GetIndent());
    row.setBottom(row.bottom() - 1);
    return row;
}

void CGridButtonItem::placeButton()
{
    CXTPPropertyGrid* grid = GetGrid();
    if (!IsVisible() || !grid) {
        destroyButton();
        return;
    }
    if (!m_pButton) {
        m_pButton = new CGridItemButton(this, grid->view()->viewport());
        m_pButton->setText(m_strButtonText);
        m_pButton->SetXButtonStyle(BS_XT_FLAT);
        widgara::SetDlgCtrlID(m_pButton, kButtonId);
        m_pButton->setFont(m_font);
        m_pButton->SetTheme(std::make_unique<CXTButtonThemeOfficeXP>(true));
        m_bShownValue = !m_bValue;
    }
    if (m_bShownValue != m_bValue) {
        m_pButton->setChecked(m_bValue);
        m_bShownValue = m_bValue;
    }
    // Moved only when its place changed: a move repaints the view, which
    // places the button again.
    const QRect rect = buttonRect();
    if (m_pButton->geometry() != rect)
        m_pButton->setGeometry(rect);
    if (!m_pButton->isVisible())
        m_pButton->show();
}

void CGridButtonItem::destroyButton()
{
    // Deleted later: the button may be the one whose click is being
    // answered, by an owner that builds its items anew.
    if (CGridItemButton* button = m_pButton.data()) {
        m_pButton = nullptr;
        button->hide();
        button->deleteLater();
    }
}
