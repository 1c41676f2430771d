#include "grid/gridurlcell.h"

#include "grid/gridctrl.h"
#include "platform/hostservices.h"

#include <QCursor>
#include <QStringList>

using namespace platform::gdi;

namespace {

// Schemes that may run something on this machine or reach a host in the
// clear: opened only when the user agrees.
bool needsConfirmation(const QString& word)
{
    return word.startsWith(QLatin1String("file:")) || word.startsWith(QLatin1String("telnet:"));
}

bool startsWithPrefix(const QString& word)
{
    for (const QString& prefix : CGridURLCell::UrlPrefixes()) {
        if (word.startsWith(prefix) && word.size() > prefix.size())
            return true;
    }
    return false;
}

} // namespace

const QStringList& CGridURLCell::UrlPrefixes()
{
    static const QStringList prefixes = {
        QStringLiteral("www."),    QStringLiteral("http:"),  QStringLiteral("mailto:"),
        QStringLiteral("ftp:"),    QStringLiteral("https:"), QStringLiteral("news:"),
        QStringLiteral("gopher:"), QStringLiteral("telnet:"), QStringLiteral("url:"),
        QStringLiteral("file:"),   QStringLiteral("ftp."),
    };
    return prefixes;
}

CGridURLCell::CGridURLCell() : m_clrUrl(GetSysColor(COLOR_HIGHLIGHT))
{
}

CGridURLCell::~CGridURLCell() = default;

bool CGridURLCell::HasUrl(const QString& str)
{
    const QStringList words = str.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        if (startsWithPrefix(word))
            return true;
    }
    return false;
}

QString CGridURLCell::AddressOf(const QString& word)
{
    if (word.startsWith(QLatin1String("www.")))
        return QStringLiteral("http://") + word;
    if (word.startsWith(QLatin1String("ftp.")))
        return QStringLiteral("ftp://") + word;
    return word;
}

bool CGridURLCell::Draw(platform::Dc* pDC, int nRow, int nCol, platform::Rect rect, bool bEraseBkgnd)
{
    if (HasUrl(GetText()))
        SetTextClr(m_clrUrl);
    m_Rect = rect;
    return CGridCell::Draw(pDC, nRow, nCol, rect, bEraseBkgnd);
}

bool CGridURLCell::Edit(int, int, platform::Rect, QPoint, UINT, UINT)
{
    return false;
}

bool CGridURLCell::OverURL(QPoint& pt, QString& strURL)
{
    const QString text = GetText();
    const int width = m_Rect.Width();
    const int textWidth = GetTextExtent(text).width();
    const DWORD format = GetFormat();
    const int xa = pt.x() + m_Rect.left;
    const int centre = (m_Rect.left + m_Rect.right) / 2;

    const bool outsideRight = !(format & DT_RIGHT) || xa < m_Rect.right - textWidth;
    const bool outsideCentre = !(format & DT_CENTER) || xa < centre - textWidth / 2
                               || xa > centre + textWidth / 2;
    if (outsideRight && outsideCentre && xa > m_Rect.left + textWidth)
        return false;

    int x = pt.x();
    if (format & DT_RIGHT) {
        x = x - width + textWidth;
        if (x < 1)
            return false;
    } else if (format & DT_CENTER) {
        const int off = (width - textWidth) / 2;
        x -= off;
        if (x < 1 || x > off + textWidth)
            return false;
    }
    if (textWidth <= 0 || text.isEmpty())
        return false;
    pt.setX(x);

    const auto index = static_cast<qsizetype>(static_cast<long long>(text.size()) * x / textWidth);
    QString word = text;
    const qsizetype blankAfter = word.indexOf(QLatin1Char(' '), std::min(index, word.size()));
    if (blankAfter >= 0)
        word.truncate(blankAfter);
    const qsizetype blankBefore = word.lastIndexOf(QLatin1Char(' '));
    if (blankBefore >= 0)
        word = word.mid(blankBefore + 1);
    strURL = word;
    return startsWithPrefix(word);
}

void CGridURLCell::OnClick(QPoint pointCellRelative)
{
    QString url;
    if (!m_bLaunchUrl || !OverURL(pointCellRelative, url))
        return;
    if (needsConfirmation(url)
        && platform::ask(QStringLiteral("确实要打开“%1”吗？").arg(url)) != platform::Answer::Yes)
        return;
    platform::host().openWithDesktop(AddressOf(url));
}

bool CGridURLCell::OnSetCursor()
{
    CGridCtrl* grid = GetGrid();
    if (grid) {
        const QPoint client = grid->viewport()->mapFromGlobal(QCursor::pos());
        QPoint pt(client.x() - m_Rect.left, client.y() - m_Rect.top);
        QString url;
        if (OverURL(pt, url)) {
            grid->viewport()->setCursor(Qt::PointingHandCursor);
            return true;
        }
    }
    return CGridCell::OnSetCursor();
}
