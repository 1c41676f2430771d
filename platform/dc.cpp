#include "platform/dc.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace platform {

// objects

Pen::Pen(int style, int width, COLORREF color)
    : m_style(style), m_width(width < 0 ? 0 : width), m_color(color)
{
}

Pen::Pen(int style, int width, const LogBrush& brush, std::vector<std::uint32_t> userStyle)
    : m_style(style), m_width(width < 0 ? 0 : width), m_color(brush.lbColor), m_extended(true),
      m_userStyle(std::move(userStyle))
{
    if (brush.lbStyle == BS_NULL)
        m_style = (m_style & ~PS_STYLE_MASK) | PS_NULL;
    if ((m_style & PS_TYPE_MASK) == PS_COSMETIC)
        m_width = 1;
    if (lineStyle() != PS_USERSTYLE)
        m_userStyle.clear();
}

Pen Pen::stock(int index)
{
    switch (index) {
    case WHITE_PEN: return Pen(PS_SOLID, 0, RGB(255, 255, 255));
    case NULL_PEN: return Pen(PS_NULL, 0, 0);
    default: return Pen(PS_SOLID, 0, 0);
    }
}

Brush::Brush(COLORREF color) : m_log{BS_SOLID, color, 0} {}

Brush::Brush(int hatch, COLORREF color) : m_log{BS_HATCHED, color, hatch} {}

Brush::Brush(const LogBrush& logBrush) : m_log(logBrush)
{
    if (m_log.lbStyle != BS_HATCHED)
        m_log.lbHatch = 0;
    if (m_log.lbStyle == BS_NULL)
        m_log.lbColor = 0;
}

Brush Brush::stock(int index)
{
    switch (index) {
    case LTGRAY_BRUSH: return Brush(RGB(192, 192, 192));
    case GRAY_BRUSH: return Brush(RGB(128, 128, 128));
    case DKGRAY_BRUSH: return Brush(RGB(64, 64, 64));
    case BLACK_BRUSH: return Brush(RGB(0, 0, 0));
    case NULL_BRUSH: return Brush(LogBrush{BS_NULL, 0, 0});
    default: return Brush(RGB(255, 255, 255));
    }
}

Font::Font() : Font(stock(SYSTEM_FONT)) {}

Font Font::create(int height, int width, int escapement, int orientation, int weight, int italic,
                  int underline, int strikeOut, int charSet, int outPrecision, int clipPrecision,
                  int quality, int pitchAndFamily, const QString& face)
{
    LogFont lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitchAndFamily;
    lf.lfFaceName = face;
    return Font(lf);
}

Font Font::stock(int index)
{
    LogFont lf;
    switch (index) {
    case DEFAULT_GUI_FONT:
        lf.lfHeight = -12;
        lf.lfFaceName = QStringLiteral("Tahoma");
        break;
    case ANSI_VAR_FONT:
        lf.lfHeight = 12;
        lf.lfFaceName = QStringLiteral("Arial");
        break;
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
        lf.lfHeight = 16;
        lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        lf.lfFaceName = QStringLiteral("DejaVu Sans Mono");
        break;
    default: // SYSTEM_FONT, DEVICE_DEFAULT_FONT
        lf.lfHeight = 16;
        lf.lfWeight = FW_BOLD;
        lf.lfFaceName = QStringLiteral("System");
        break;
    }
    return Font(lf);
}

QString substituteFace(const QString& face)
{
    static const QHash<QString, QString> map = {
        {QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC")},
        {QStringLiteral("新宋体"), QStringLiteral("Noto Serif CJK SC")},
        {QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC")},
        {QStringLiteral("NSimSun"), QStringLiteral("Noto Serif CJK SC")},
        {QStringLiteral("仿宋"), QStringLiteral("Noto Serif CJK SC")},
        {QStringLiteral("仿宋_GB2312"), QStringLiteral("Noto Serif CJK SC")},
        {QStringLiteral("楷体"), QStringLiteral("Noto Serif CJK SC")},
        {QStringLiteral("楷体_GB2312"), QStringLiteral("Noto Serif CJK SC")},
        {QStringLiteral("黑体"), QStringLiteral("Noto Sans CJK SC")},
        {QStringLiteral("SimHei"), QStringLiteral("Noto Sans CJK SC")},
        {QStringLiteral("微软雅黑"), QStringLiteral("Noto Sans CJK SC")},
        {QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC")},
        {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("MS Shell Dlg"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("MS Shell Dlg 2"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("System"), QStringLiteral("DejaVu Sans")},
        {QString(), QStringLiteral("DejaVu Sans")},
    };
    const QString trimmed = face.trimmed();
    auto it = map.constFind(trimmed);
    if (it != map.constEnd())
        return it.value();
    for (auto i = map.constBegin(); i != map.constEnd(); ++i) {
        if (!i.key().isEmpty() && i.key().compare(trimmed, Qt::CaseInsensitive) == 0)
            return i.value();
    }
    return trimmed;
}

QStringList substituteFamilies(const QString& face)
{
    const QString family = substituteFace(face);
    if (family == QLatin1String("Noto Serif CJK SC"))
        return {QStringLiteral("Liberation Serif"), family};
    if (family == QLatin1String("Noto Sans CJK SC"))
        return {QStringLiteral("Liberation Sans"), family};
    return {family};
}

Bitmap::Bitmap(const QImage& image) : m_image(std::make_shared<QImage>(image)) {}

Bitmap Bitmap::create(int width, int height)
{
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::black);
    return Bitmap(image);
}

Region Region::rect(const Rect& r)
{
    Rect n = r;
    n.NormalizeRect();
    Region region;
    region.m_points = QPolygon(QList<QPoint>{QPoint(n.left, n.top), QPoint(n.right, n.top),
                                              QPoint(n.right, n.bottom), QPoint(n.left, n.bottom)});
    region.m_isRect = true;
    return region;
}

Region Region::polygon(const QPoint* points, int count, int fillMode)
{
    Region region;
    for (int i = 0; i < count; ++i)
        region.m_points << points[i];
    region.m_fillMode = fillMode == WINDING ? WINDING : ALTERNATE;
    return region;
}

Rect Region::boundingRect() const
{
    if (m_points.isEmpty())
        return Rect();
    const QRect b = m_points.boundingRect();
    return Rect(b.left(), b.top(), b.right() + (m_isRect ? 0 : 1), b.bottom() + (m_isRect ? 0 : 1));
}

// context: device and clip

Rect Dc::deviceBounds() const
{
    if (m_memory)
        return Rect(QPoint(0, 0), m_bitmap.size());
    return Rect(0, 0, GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES));
}

Rect Dc::GetClipBox() const
{
    Rect device = deviceBounds();
    if (m_state.clip) {
        Rect cut;
        if (!cut.IntersectRect(device, *m_state.clip))
            return Rect();
        device = cut;
    }
    DPtoLP(&device);
    device.NormalizeRect();
    return device;
}

bool Dc::RectVisible(const Rect& logical) const
{
    Rect device = logical;
    LPtoDP(&device);
    device.NormalizeRect();
    // A rectangle whose edge lies on a part's edge counts: its rules do.
    device.InflateRect(1, 1);
    const auto reaches = [&device](const Rect& part) {
        Rect cut;
        return cut.IntersectRect(device, part);
    };
    if (m_state.clip && !reaches(*m_state.clip))
        return false;
    return m_repainted.empty() || std::any_of(m_repainted.begin(), m_repainted.end(), reaches);
}

void Dc::IntersectClipRect(const Rect& logical)
{
    Rect device = logical;
    LPtoDP(&device);
    device.NormalizeRect();
    Rect cut;
    cut.IntersectRect(m_state.clip ? *m_state.clip : deviceBounds(), device);
    m_state.clip = cut;
}

void Dc::SelectClipRgn(const Region* deviceRegion)
{
    if (!deviceRegion)
        m_state.clip.reset();
    else
        m_state.clip = deviceRegion->boundingRect();
}

int Dc::SaveDC()
{
    m_saved.push_back(m_state);
    return int(m_saved.size());
}

bool Dc::RestoreDC(int level)
{
    const int count = int(m_saved.size());
    const int target = level < 0 ? count + level + 1 : level;
    if (target < 1 || target > count)
        return false;
    m_state = m_saved[std::size_t(target - 1)];
    m_saved.resize(std::size_t(target - 1));
    return true;
}

// mapping

int Dc::SetMapMode(int mode)
{
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    const int old = m_state.mapMode;
    m_state.mapMode = mode;
    applyFixedMapping();
    return old;
}

void Dc::applyFixedMapping()
{
    const int dpiX = GetDeviceCaps(LOGPIXELSX);
    const int dpiY = GetDeviceCaps(LOGPIXELSY);
    int perInch = 0;
    switch (m_state.mapMode) {
    case MM_TEXT:
        m_state.windowExt = QSize(1, 1);
        m_state.viewportExt = QSize(1, 1);
        return;
    case MM_LOMETRIC: perInch = 254; break;
    case MM_HIMETRIC: perInch = 2540; break;
    case MM_LOENGLISH: perInch = 100; break;
    case MM_HIENGLISH: perInch = 1000; break;
    case MM_TWIPS: perInch = 1440; break;
    case MM_ISOTROPIC:
        adjustIsotropic();
        return;
    default: // MM_ANISOTROPIC keeps the extents it has
        return;
    }
    m_state.windowExt = QSize(perInch, perInch);
    m_state.viewportExt = QSize(dpiX, -dpiY);
}

void Dc::adjustIsotropic()
{
    QSize& w = m_state.windowExt;
    QSize& v = m_state.viewportExt;
    if (!w.width() || !w.height() || !v.width() || !v.height())
        return;
    const double sx = std::abs(double(v.width()) / w.width());
    const double sy = std::abs(double(v.height()) / w.height());
    if (sx < sy)
        v.setHeight((v.height() < 0 ? -1 : 1) * int(std::lround(std::abs(w.height()) * sx)));
    else if (sy < sx)
        v.setWidth((v.width() < 0 ? -1 : 1) * int(std::lround(std::abs(w.width()) * sy)));
}

QPoint Dc::SetWindowOrg(int x, int y)
{
    const QPoint old = m_state.windowOrg;
    m_state.windowOrg = QPoint(x, y);
    return old;
}

QPoint Dc::OffsetWindowOrg(int dx, int dy)
{
    return SetWindowOrg(m_state.windowOrg.x() + dx, m_state.windowOrg.y() + dy);
}

QPoint Dc::SetViewportOrg(int x, int y)
{
    const QPoint old = m_state.viewportOrg;
    m_state.viewportOrg = QPoint(x, y);
    return old;
}

QPoint Dc::OffsetViewportOrg(int dx, int dy)
{
    return SetViewportOrg(m_state.viewportOrg.x() + dx, m_state.viewportOrg.y() + dy);
}

QSize Dc::SetWindowExt(int cx, int cy)
{
    const QSize old = m_state.windowExt;
    if ((m_state.mapMode == MM_ISOTROPIC || m_state.mapMode == MM_ANISOTROPIC) && cx && cy) {
        m_state.windowExt = QSize(cx, cy);
        if (m_state.mapMode == MM_ISOTROPIC)
            adjustIsotropic();
    }
    return old;
}

QSize Dc::SetViewportExt(int cx, int cy)
{
    const QSize old = m_state.viewportExt;
    if ((m_state.mapMode == MM_ISOTROPIC || m_state.mapMode == MM_ANISOTROPIC) && cx && cy) {
        m_state.viewportExt = QSize(cx, cy);
        if (m_state.mapMode == MM_ISOTROPIC)
            adjustIsotropic();
    }
    return old;
}

double Dc::scaleX() const
{
    return double(m_state.viewportExt.width()) / m_state.windowExt.width();
}

double Dc::scaleY() const
{
    return double(m_state.viewportExt.height()) / m_state.windowExt.height();
}

namespace {
int roundNearest(double v) { return int(std::floor(v + 0.5)); }
} // namespace

void Dc::LPtoDP(QPoint* points, int count) const
{
    const double sx = scaleX();
    const double sy = scaleY();
    for (int i = 0; i < count; ++i) {
        QPoint& p = points[i];
        p = QPoint(roundNearest((p.x() - m_state.windowOrg.x()) * sx) + m_state.viewportOrg.x(),
                   roundNearest((p.y() - m_state.windowOrg.y()) * sy) + m_state.viewportOrg.y());
    }
}

void Dc::LPtoDP(Rect* rect) const
{
    QPoint corners[2] = {rect->TopLeft(), rect->BottomRight()};
    LPtoDP(corners, 2);
    *rect = Rect(corners[0], corners[1]);
}

void Dc::LPtoDP(QSize* size) const
{
    *size = QSize(roundNearest(size->width() * scaleX()), roundNearest(size->height() * scaleY()));
}

void Dc::DPtoLP(QPoint* points, int count) const
{
    const double sx = scaleX();
    const double sy = scaleY();
    for (int i = 0; i < count; ++i) {
        QPoint& p = points[i];
        p = QPoint(roundNearest((p.x() - m_state.viewportOrg.x()) / sx) + m_state.windowOrg.x(),
                   roundNearest((p.y() - m_state.viewportOrg.y()) / sy) + m_state.windowOrg.y());
    }
}

void Dc::DPtoLP(Rect* rect) const
{
    QPoint corners[2] = {rect->TopLeft(), rect->BottomRight()};
    DPtoLP(corners, 2);
    *rect = Rect(corners[0], corners[1]);
}

void Dc::DPtoLP(QSize* size) const
{
    *size = QSize(roundNearest(size->width() / scaleX()), roundNearest(size->height() / scaleY()));
}

// objects and attributes

Pen Dc::SelectObject(const Pen& pen)
{
    return std::exchange(m_state.pen, pen);
}

Brush Dc::SelectObject(const Brush& brush)
{
    return std::exchange(m_state.brush, brush);
}

Font Dc::SelectObject(const Font& font)
{
    return std::exchange(m_state.font, font);
}

Bitmap Dc::SelectObject(const Bitmap& bitmap)
{
    if (!m_memory || bitmap.isNull())
        return Bitmap();
    Bitmap old = std::exchange(m_bitmap, bitmap);
    bitmapChanged();
    return old;
}

void Dc::SelectStockObject(int index)
{
    if (index >= WHITE_BRUSH && index <= NULL_BRUSH)
        SelectObject(Brush::stock(index));
    else if (index >= WHITE_PEN && index <= NULL_PEN)
        SelectObject(Pen::stock(index));
    else
        SelectObject(Font::stock(index));
}

COLORREF Dc::SetTextColor(COLORREF color)
{
    return std::exchange(m_state.textColor, color);
}

COLORREF Dc::SetBkColor(COLORREF color)
{
    return std::exchange(m_state.bkColor, color);
}

int Dc::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return std::exchange(m_state.bkMode, mode);
}

unsigned Dc::SetTextAlign(unsigned flags)
{
    return std::exchange(m_state.textAlign, flags);
}

int Dc::SetROP2(int mode)
{
    if (mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    return std::exchange(m_state.rop2, mode);
}

int Dc::SetPolyFillMode(int mode)
{
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    return std::exchange(m_state.polyFillMode, mode);
}

int Dc::SetStretchBltMode(int mode)
{
    return std::exchange(m_state.stretchBltMode, mode);
}

QPoint Dc::MoveTo(int x, int y)
{
    return std::exchange(m_state.currentPosition, QPoint(x, y));
}

Bitmap Dc::CreateCompatibleBitmap(int width, int height) const
{
    return Bitmap::create(width, height);
}

// composite operations

void Dc::FillSolidRect(const Rect& rect, COLORREF color)
{
    m_state.bkColor = color;
    FillRect(rect, Brush(color));
}

void Dc::FrameRect(const Rect& rect, const Brush& brush)
{
    Rect r = rect;
    r.NormalizeRect();
    if (r.IsRectEmpty())
        return;
    FillRect(Rect(r.left, r.top, r.right, r.top + 1), brush);
    FillRect(Rect(r.left, r.bottom - 1, r.right, r.bottom), brush);
    FillRect(Rect(r.left, r.top, r.left + 1, r.bottom), brush);
    FillRect(Rect(r.right - 1, r.top, r.right, r.bottom), brush);
}

void Dc::Draw3dRect(const Rect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    const int x = rect.left, y = rect.top, cx = rect.Width(), cy = rect.Height();
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

bool Dc::DrawEdge(Rect* rect, unsigned edge, unsigned flags)
{
    Rect r = *rect;
    r.NormalizeRect();
    auto sides = [&](COLORREF tl, COLORREF br) {
        if (flags & BF_TOP)
            FillRect(Rect(r.left, r.top, r.right, r.top + 1), Brush(tl));
        if (flags & BF_LEFT)
            FillRect(Rect(r.left, r.top, r.left + 1, r.bottom), Brush(tl));
        if (flags & BF_BOTTOM)
            FillRect(Rect(r.left, r.bottom - 1, r.right, r.bottom), Brush(br));
        if (flags & BF_RIGHT)
            FillRect(Rect(r.right - 1, r.top, r.right, r.bottom), Brush(br));
        r.InflateRect(flags & BF_LEFT ? -1 : 0, flags & BF_TOP ? -1 : 0,
                      flags & BF_RIGHT ? -1 : 0, flags & BF_BOTTOM ? -1 : 0);
    };
    const bool mono = flags & (BF_MONO | BF_FLAT);
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        if (mono)
            sides(GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
        else if (edge & BDR_RAISEDOUTER)
            sides(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
        else
            sides(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        if (mono)
            sides(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
        else if (edge & BDR_RAISEDINNER)
            sides(GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
        else
            sides(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    }
    if ((flags & BF_MIDDLE) && !r.IsRectEmpty())
        FillRect(r, Brush(GetSysColor(mono ? COLOR_WINDOW : COLOR_BTNFACE)));
    if (flags & BF_ADJUST)
        *rect = r;
    return true;
}

bool Dc::DrawFrameControl(const Rect& rect, unsigned type, unsigned state)
{
    Rect r = rect;
    r.NormalizeRect();
    const bool inactive = state & DFCS_INACTIVE;
    const COLORREF ink = GetSysColor(inactive ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    const Pen oldPen = SelectObject(Pen(PS_SOLID, 0, ink));
    const Brush oldBrush = SelectObject(Brush(ink));
    bool ok = true;
    if (type == DFC_BUTTON) {
        if (state & DFCS_BUTTONPUSH) {
            DrawEdge(&r, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED,
                     BF_RECT | BF_MIDDLE | BF_ADJUST | (state & DFCS_FLAT ? BF_FLAT : 0));
        } else {
            DrawEdge(&r, EDGE_SUNKEN, BF_RECT | BF_ADJUST | (state & DFCS_FLAT ? BF_FLAT : 0));
            FillRect(r, Brush(GetSysColor((state & (DFCS_PUSHED | DFCS_INACTIVE)) ? COLOR_BTNFACE
                                                                                 : COLOR_WINDOW)));
            if (state & DFCS_CHECKED) {
                const int w = r.Width(), h = r.Height();
                const QPoint a(r.left + w / 5, r.top + h / 2);
                const QPoint b(r.left + w * 2 / 5, r.top + h * 3 / 4);
                const QPoint c(r.left + w * 4 / 5, r.top + h / 4);
                for (int t = 0; t < 2; ++t) {
                    MoveTo(a.x(), a.y() + t);
                    LineTo(b.x(), b.y() + t);
                    LineTo(c.x(), c.y() + t);
                }
            }
        }
    } else if (type == DFC_SCROLL) {
        DrawEdge(&r, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED,
                 BF_RECT | BF_MIDDLE | BF_ADJUST | (state & DFCS_FLAT ? BF_FLAT : 0));
        const QPoint c = r.CenterPoint();
        const int s = std::max(1, std::min(r.Width(), r.Height()) / 4);
        QPoint tri[3];
        switch (state & 0x000F) {
        case DFCS_SCROLLUP: tri[0] = {c.x() - s, c.y() + s / 2}; tri[1] = {c.x() + s, c.y() + s / 2}; tri[2] = {c.x(), c.y() - s / 2}; break;
        case DFCS_SCROLLLEFT: tri[0] = {c.x() + s / 2, c.y() - s}; tri[1] = {c.x() + s / 2, c.y() + s}; tri[2] = {c.x() - s / 2, c.y()}; break;
        case DFCS_SCROLLRIGHT: tri[0] = {c.x() - s / 2, c.y() - s}; tri[1] = {c.x() - s / 2, c.y() + s}; tri[2] = {c.x() + s / 2, c.y()}; break;
        default: tri[0] = {c.x() - s, c.y() - s / 2}; tri[1] = {c.x() + s, c.y() - s / 2}; tri[2] = {c.x(), c.y() + s / 2}; break;
        }
        Polygon(tri, 3);
    } else {
        ok = false;
    }
    SelectObject(oldPen);
    SelectObject(oldBrush);
    return ok;
}

// DrawText

namespace {

bool breaksBetween(QChar a, QChar b)
{
    return a.isSpace() || a.unicode() >= 0x2E80 || b.unicode() >= 0x2E80;
}

QString stripPrefixes(const QString& text)
{
    // "&&" shows one '&'; a single '&' marks the next character and is dropped.
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
            out += QLatin1Char('&');
            ++i;
        }
    }
    return out;
}

} // namespace

int Dc::layoutText(const QString& input, Rect* rect, unsigned format, std::vector<TextLine>* lines) const
{
    QString text = input;
    if (!(format & DT_NOPREFIX))
        text = stripPrefixes(text);
    if (format & DT_EXPANDTABS)
        text.replace(QLatin1Char('\t'), QString(8, QLatin1Char(' ')));

    const TextMetric tm = GetTextMetrics();
    const int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    const int down = scaleY() < 0 ? -1 : 1;
    const int available = std::abs(rect->right - rect->left);
    auto widthOf = [this](const QString& s) { return GetTextExtent(s).width(); };

    QStringList paragraphs;
    if (format & DT_SINGLELINE) {
        paragraphs << text;
    } else {
        QString normalized = text;
        normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        paragraphs = normalized.split(QLatin1Char('\n'));
    }

    QStringList broken;
    for (const QString& para : paragraphs) {
        if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE)) {
            broken << para;
            continue;
        }
        QString rest = para;
        while (!rest.isEmpty()) {
            if (widthOf(rest) <= available) {
                broken << rest;
                break;
            }
            // The longest head that fits and ends at a break opportunity; a
            // word longer than the line stays whole.
            qsizetype cut = 0;
            for (qsizetype i = 1; i < rest.size(); ++i) {
                if (!breaksBetween(rest[i - 1], rest[i]))
                    continue;
                if (widthOf(rest.left(i).trimmed()) > available)
                    break;
                cut = i;
            }
            if (cut == 0) {
                for (qsizetype i = 1; i < rest.size(); ++i) {
                    if (breaksBetween(rest[i - 1], rest[i])) {
                        cut = i;
                        break;
                    }
                }
                if (cut == 0)
                    cut = rest.size();
            }
            QString head = rest.left(cut);
            while (head.endsWith(QLatin1Char(' ')))
                head.chop(1);
            broken << head;
            rest = rest.mid(cut);
            while (rest.startsWith(QLatin1Char(' ')))
                rest.remove(0, 1);
        }
        if (para.isEmpty())
            broken << QString();
    }
    if (broken.isEmpty())
        broken << QString();

    if (format & DT_END_ELLIPSIS) {
        for (QString& line : broken) {
            if (widthOf(line) <= available)
                continue;
            const QString dots = QStringLiteral("...");
            QString cut = line;
            while (!cut.isEmpty() && widthOf(cut + dots) > available)
                cut.chop(1);
            line = cut + dots;
        }
    }

    const int count = int(broken.size());
    const int total = count * lineHeight;
    int top = rect->top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        top = rect->top + down * ((std::abs(rect->bottom - rect->top) - lineHeight) / 2);
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        top = rect->bottom - down * lineHeight;

    int maxWidth = 0;
    std::vector<TextLine> laid;
    for (int i = 0; i < count; ++i) {
        TextLine line;
        line.text = broken[i];
        line.width = widthOf(line.text);
        maxWidth = std::max(maxWidth, line.width);
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (available - line.width) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - line.width;
        line.at = QPoint(x, top + down * i * lineHeight);
        laid.push_back(line);
    }

    if (format & DT_CALCRECT) {
        rect->right = rect->left + maxWidth;
        rect->bottom = rect->top + down * total;
    }
    if (lines)
        *lines = std::move(laid);
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)))
        return std::abs(top - rect->top) + lineHeight;
    return total;
}

int Dc::DrawText(const QString& text, Rect* rect, unsigned format)
{
    std::vector<TextLine> lines;
    const int height = layoutText(text, rect, format, &lines);
    if (!(format & DT_CALCRECT))
        drawTextLines(lines, (format & DT_NOCLIP) ? nullptr : rect);
    return height;
}

} // namespace platform
