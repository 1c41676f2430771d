#include "widgara/resizedialog.h"

#include "platform/profile.h"
#include "widgara/commandbars.h"
#include "widgara/dlgitem.h"

#include <QResizeEvent>
#include <QStringList>
#include <cmath>

namespace {

const QString kPlacementKey = QStringLiteral("Placement");
constexpr int kLargestSide = 32000;

} // namespace

CXTResizeDialog::CXTResizeDialog(int nIDTemplate, QWidget* pParent, int nFlags)
    : QDialog(pParent), m_nIDTemplate(nIDTemplate), m_nFlags(nFlags)
{
}

CXTResizeDialog::~CXTResizeDialog() = default;

int CXTResizeDialog::DoModal()
{
    ensureInitialized();
    m_nResult = IDCANCEL;
    exec();
    return m_nResult;
}

void CXTResizeDialog::EndDialog(int nResult)
{
    m_nResult = nResult;
    QDialog::done(nResult == IDOK ? Accepted : Rejected);
}

void CXTResizeDialog::done(int result)
{
    // accept() and reject() come here; EndDialog has set its own value.
    m_nResult = result == Accepted ? IDOK : IDCANCEL;
    QDialog::done(result);
}

bool CXTResizeDialog::OnInitDialog()
{
    m_recorded = size();
    m_bRecorded = true;
    if (!(m_nFlags & xtResizeNoMinsize))
        setMinimumSize(m_recorded);
    if (m_nFlags & xtResizeNoHorizontal)
        setFixedWidth(width());
    if (m_nFlags & xtResizeNoVertical)
        setFixedHeight(height());
    setSizeGripEnabled(!(m_nFlags & xtResizeNoSizeIcon));
    return true;
}

void CXTResizeDialog::OnSize(int, int, int)
{
    layoutControls();
}

void CXTResizeDialog::SetResize(int nID, double left, double top, double right, double bottom)
{
    if (QWidget* control = GetDlgItem(nID))
        SetResize(control, left, top, right, bottom);
}

void CXTResizeDialog::SetResize(int nID, XT_RESIZEPOINT topLeft, XT_RESIZEPOINT bottomRight)
{
    SetResize(nID, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

void CXTResizeDialog::SetResize(QWidget* control, double left, double top, double right,
                                double bottom)
{
    if (!control)
        return;
    if (!m_bRecorded) {
        m_recorded = size();
        m_bRecorded = true;
    }
    // The base is where the control would be at the recorded size, so that
    // controls registered after a resize follow the same rule.
    const QSizeF growth = QSizeF(size() - m_recorded);
    const QRect now = control->geometry();
    const QRectF base(QPointF(now.left() - growth.width() * left, now.top() - growth.height() * top),
                      QPointF(now.left() + now.width() - growth.width() * right,
                              now.top() + now.height() - growth.height() * bottom));
    std::erase_if(m_items, [control](const Item& item) { return item.control == control; });
    m_items.push_back({control, base, left, top, right, bottom});
}

void CXTResizeDialog::SetFlag(int nFlags)
{
    m_nFlags = nFlags;
}

void CXTResizeDialog::layoutControls()
{
    if (!m_bRecorded)
        return;
    const double dx = width() - m_recorded.width();
    const double dy = height() - m_recorded.height();
    for (const Item& item : m_items) {
        if (!item.control)
            continue;
        const int left = static_cast<int>(std::lround(item.base.left() + dx * item.left));
        const int top = static_cast<int>(std::lround(item.base.top() + dy * item.top));
        const int right = static_cast<int>(std::lround(item.base.right() + dx * item.right));
        const int bottom = static_cast<int>(std::lround(item.base.bottom() + dy * item.bottom));
        item.control->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
    }
}

void CXTResizeDialog::Offset(int dx, int dy)
{
    for (Item& item : m_items)
        item.base.translate(dx, dy);
    layoutControls();
}

void CXTResizeDialog::GrowRecordedSize(int dx, int dy)
{
    m_recorded += QSize(dx, dy);
    if (!(m_nFlags & xtResizeNoMinsize) && m_bInitialized)
        setMinimumSize(minimumSize() + QSize(dx, dy));
}

bool CXTResizeDialog::MakeRoomForCommandBars(CXTPCommandBars* pCommandBars,
                                             QMargins& lastBorders)
{
    if (!pCommandBars || isMinimized() || width() <= 0 || height() <= 0)
        return false;
    const QMargins borders = pCommandBars->RecalcFrameLayout();
    if (borders == lastBorders)
        return false;
    const int dx = (borders.left() - lastBorders.left()) + (borders.right() - lastBorders.right());
    const int dy = (borders.top() - lastBorders.top()) + (borders.bottom() - lastBorders.bottom());
    const QPoint shift(borders.left() - lastBorders.left(), borders.top() - lastBorders.top());
    const QSize grown = size() + QSize(dx, dy);
    lastBorders = borders;
    GrowRecordedSize(dx, dy);
    Offset(shift.x(), shift.y());
    resize(grown);
    pCommandBars->RecalcFrameLayout();
    return true;
}

void CXTResizeDialog::AutoLoadPlacement(const QString& section)
{
    m_placementSection = section;
    LoadPlacement(section);
}

void CXTResizeDialog::SavePlacement(const QString& section) const
{
    const QRect r = isMaximized() ? normalGeometry() : geometry();
    const QString text = QStringLiteral("%1,%2,%3,%4,%5")
                             .arg(r.x())
                             .arg(r.y())
                             .arg(r.width())
                             .arg(r.height())
                             .arg(isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED);
    platform::setProfileValue(section, kPlacementKey, text);
}

bool CXTResizeDialog::LoadPlacement(const QString& section)
{
    const QStringList parts =
        platform::profileValue(section, kPlacementKey).toString().split(QLatin1Char(','));
    if (parts.size() != 5)
        return false;
    int values[5] = {};
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return false;
    }
    const auto sane = [](int v) { return v > 0 && v <= kLargestSide; };
    if (!sane(values[2]) || !sane(values[3]) || std::abs(values[0]) > kLargestSide
        || std::abs(values[1]) > kLargestSide)
        return false;
    const QSize wanted = QSize(values[2], values[3]).expandedTo(minimumSize());
    setGeometry(QRect(QPoint(values[0], values[1]), wanted));
    if (values[4] == SIZE_MAXIMIZED)
        setWindowState(windowState() | Qt::WindowMaximized);
    layoutControls();
    return true;
}

QWidget* CXTResizeDialog::GetDlgItem(int nID) const
{
    return widgara::GetDlgItem(this, nID);
}

void CXTResizeDialog::ensureInitialized()
{
    if (m_bInitialized)
        return;
    m_bInitialized = true;
    OnInitDialog();
}

void CXTResizeDialog::showEvent(QShowEvent* event)
{
    ensureInitialized();
    QDialog::showEvent(event);
}

void CXTResizeDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!m_bInitialized)
        return;
    const int kind = isMinimized() ? SIZE_MINIMIZED
                     : isMaximized() ? SIZE_MAXIMIZED
                                     : SIZE_RESTORED;
    OnSize(kind, width(), height());
}

void CXTResizeDialog::hideEvent(QHideEvent* event)
{
    if (m_bInitialized && !m_placementSection.isEmpty())
        SavePlacement(m_placementSection);
    QDialog::hideEvent(event);
}
