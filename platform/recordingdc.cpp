#include "platform/recordingdc.h"

#include "platform/gbk.h"

#include <cstdlib>

namespace platform {

QString dcOpName(DcOp op)
{
    static const char* const names[] = {
        "SaveDC", "RestoreDC", "SetMapMode", "SetWindowOrg", "SetViewportOrg", "SetWindowExt",
        "SetViewportExt", "IntersectClipRect", "SelectClipRgn", "SelectPen", "SelectBrush",
        "SelectFont", "SelectBitmap", "SetTextColor", "SetBkColor", "SetBkMode", "SetTextAlign",
        "SetROP2", "SetPolyFillMode", "SetStretchBltMode", "MoveTo", "LineTo", "Arc", "Ellipse",
        "Polygon", "Polyline", "Rectangle", "FillRect", "FillSolidRect", "FrameRect",
        "Draw3dRect", "DrawEdge", "DrawFocusRect", "InvertRect", "FillRgn", "DrawFrameControl",
        "SetPixel", "DrawState", "TextOut", "DrawText", "BitBlt", "StretchBlt",
    };
    static_assert(sizeof(names) / sizeof(names[0]) == int(DcOp::StretchBlt) + 1);
    return QString::fromLatin1(names[int(op)]);
}

bool isDrawingOp(DcOp op)
{
    return int(op) >= int(DcOp::LineTo) && op != DcOp::MoveTo;
}

QString DcRecord::toString() const
{
    QString s = dcOpName(op);
    if (dc)
        s = QStringLiteral("[%1] ").arg(dc) + s;
    QStringList args;
    for (const QPoint& p : points)
        args << QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y());
    if (!rect.IsRectNull())
        args << QStringLiteral("rect(%1,%2,%3,%4)").arg(rect.left).arg(rect.top).arg(rect.right).arg(rect.bottom);
    if (!text.isNull())
        args << QLatin1Char('"') + text + QLatin1Char('"');
    if (value || value2)
        args << QString::number(value) << QString::number(value2);
    if (isDrawingOp(op)) {
        args << QStringLiteral("pen(%1,%2,%3)")
                    .arg(pen.style(), 0, 16)
                    .arg(pen.width())
                    .arg(pen.color(), 6, 16, QLatin1Char('0'));
    }
    return s + QLatin1Char(' ') + args.join(QLatin1Char(' '));
}

RecordingDc::RecordingDc() : RecordingDc(Device()) {}

RecordingDc::RecordingDc(const Device& device)
    : RecordingDc(device, std::make_shared<Log>(), 0)
{
}

RecordingDc::RecordingDc(const Device& device, std::shared_ptr<Log> log, int id)
    : m_device(device), m_log(std::move(log)), m_id(id)
{
}

DcRecord& RecordingDc::record(DcOp op)
{
    DcRecord r;
    r.op = op;
    r.dc = m_id;
    r.pen = m_state.pen;
    r.brush = m_state.brush;
    r.font = m_state.font;
    r.state = m_state;
    m_log->records.push_back(std::move(r));
    return m_log->records.back();
}

std::vector<DcRecord> RecordingDc::records(DcOp op) const
{
    std::vector<DcRecord> out;
    for (const DcRecord& r : m_log->records) {
        if (r.op == op)
            out.push_back(r);
    }
    return out;
}

std::vector<DcRecord> RecordingDc::drawing() const
{
    std::vector<DcRecord> out;
    for (const DcRecord& r : m_log->records) {
        if (isDrawingOp(r.op))
            out.push_back(r);
    }
    return out;
}

int RecordingDc::count(DcOp op) const
{
    int n = 0;
    for (const DcRecord& r : m_log->records)
        n += r.op == op;
    return n;
}

QString RecordingDc::dump() const
{
    QStringList lines;
    for (const DcRecord& r : m_log->records)
        lines << r.toString();
    return lines.join(QLatin1Char('\n'));
}

std::vector<RecordingDc::Segment> RecordingDc::segments() const
{
    std::vector<Segment> out;
    for (const DcRecord& r : m_log->records) {
        if (r.op == DcOp::LineTo) {
            out.push_back({r.points[0], r.points[1], r.pen, r.dc});
        } else if (r.op == DcOp::Polyline || r.op == DcOp::Polygon) {
            const std::size_t n = r.points.size();
            for (std::size_t i = 1; i < n; ++i)
                out.push_back({r.points[i - 1], r.points[i], r.pen, r.dc});
            if (r.op == DcOp::Polygon && n > 2)
                out.push_back({r.points[n - 1], r.points[0], r.pen, r.dc});
        }
    }
    return out;
}

QStringList RecordingDc::texts() const
{
    QStringList out;
    for (const DcRecord& r : m_log->records) {
        if (r.op == DcOp::TextOut || r.op == DcOp::DrawText)
            out << r.text;
    }
    return out;
}

// device

int RecordingDc::GetDeviceCaps(int index) const
{
    switch (index) {
    case LOGPIXELSX: return m_device.dpiX;
    case LOGPIXELSY: return m_device.dpiY;
    case HORZRES:
    case PHYSICALWIDTH: return m_device.width;
    case VERTRES:
    case PHYSICALHEIGHT: return m_device.height;
    case HORZSIZE: return int(m_device.width * 25.4 / m_device.dpiX + 0.5);
    case VERTSIZE: return int(m_device.height * 25.4 / m_device.dpiY + 0.5);
    case TECHNOLOGY: return m_device.printing ? DT_RASPRINTER : DT_RASDISPLAY;
    case PLANES: return 1;
    case BITSPIXEL: return m_device.bitsPixel;
    case NUMCOLORS: return -1;
    default: return 0;
    }
}

void RecordingDc::IntersectClipRect(const Rect& logical)
{
    Dc::IntersectClipRect(logical);
    record(DcOp::IntersectClipRect).rect = logical;
}

void RecordingDc::SelectClipRgn(const Region* deviceRegion)
{
    Dc::SelectClipRgn(deviceRegion);
    DcRecord& r = record(DcOp::SelectClipRgn);
    if (deviceRegion) {
        for (const QPoint& p : deviceRegion->points())
            r.points.push_back(p);
    }
}

int RecordingDc::SaveDC()
{
    const int level = Dc::SaveDC();
    record(DcOp::SaveDC).value = level;
    return level;
}

bool RecordingDc::RestoreDC(int level)
{
    const bool ok = Dc::RestoreDC(level);
    record(DcOp::RestoreDC).value = level;
    return ok;
}

int RecordingDc::SetMapMode(int mode)
{
    const int old = Dc::SetMapMode(mode);
    record(DcOp::SetMapMode).value = mode;
    return old;
}

QPoint RecordingDc::SetWindowOrg(int x, int y)
{
    const QPoint old = Dc::SetWindowOrg(x, y);
    record(DcOp::SetWindowOrg).points = {QPoint(x, y)};
    return old;
}

QPoint RecordingDc::SetViewportOrg(int x, int y)
{
    const QPoint old = Dc::SetViewportOrg(x, y);
    record(DcOp::SetViewportOrg).points = {QPoint(x, y)};
    return old;
}

QSize RecordingDc::SetWindowExt(int cx, int cy)
{
    const QSize old = Dc::SetWindowExt(cx, cy);
    record(DcOp::SetWindowExt).points = {QPoint(cx, cy)};
    return old;
}

QSize RecordingDc::SetViewportExt(int cx, int cy)
{
    const QSize old = Dc::SetViewportExt(cx, cy);
    record(DcOp::SetViewportExt).points = {QPoint(cx, cy)};
    return old;
}

// objects and attributes

Pen RecordingDc::SelectObject(const Pen& pen)
{
    Pen old = Dc::SelectObject(pen);
    record(DcOp::SelectPen);
    return old;
}

Brush RecordingDc::SelectObject(const Brush& brush)
{
    Brush old = Dc::SelectObject(brush);
    record(DcOp::SelectBrush);
    return old;
}

Font RecordingDc::SelectObject(const Font& font)
{
    Font old = Dc::SelectObject(font);
    record(DcOp::SelectFont).text = font.logFont().lfFaceName;
    return old;
}

Bitmap RecordingDc::SelectObject(const Bitmap& bitmap)
{
    Bitmap old = Dc::SelectObject(bitmap);
    record(DcOp::SelectBitmap).rect = Rect(QPoint(0, 0), bitmap.size());
    return old;
}

COLORREF RecordingDc::SetTextColor(COLORREF color)
{
    const COLORREF old = Dc::SetTextColor(color);
    record(DcOp::SetTextColor).value = color;
    return old;
}

COLORREF RecordingDc::SetBkColor(COLORREF color)
{
    const COLORREF old = Dc::SetBkColor(color);
    record(DcOp::SetBkColor).value = color;
    return old;
}

int RecordingDc::SetBkMode(int mode)
{
    const int old = Dc::SetBkMode(mode);
    record(DcOp::SetBkMode).value = mode;
    return old;
}

unsigned RecordingDc::SetTextAlign(unsigned flags)
{
    const unsigned old = Dc::SetTextAlign(flags);
    record(DcOp::SetTextAlign).value = flags;
    return old;
}

int RecordingDc::SetROP2(int mode)
{
    const int old = Dc::SetROP2(mode);
    record(DcOp::SetROP2).value = mode;
    return old;
}

int RecordingDc::SetPolyFillMode(int mode)
{
    const int old = Dc::SetPolyFillMode(mode);
    record(DcOp::SetPolyFillMode).value = mode;
    return old;
}

int RecordingDc::SetStretchBltMode(int mode)
{
    const int old = Dc::SetStretchBltMode(mode);
    record(DcOp::SetStretchBltMode).value = mode;
    return old;
}

// drawing

QPoint RecordingDc::MoveTo(int x, int y)
{
    const QPoint old = Dc::MoveTo(x, y);
    record(DcOp::MoveTo).points = {QPoint(x, y)};
    return old;
}

bool RecordingDc::LineTo(int x, int y)
{
    const QPoint from = m_state.currentPosition;
    m_state.currentPosition = QPoint(x, y);
    record(DcOp::LineTo).points = {from, QPoint(x, y)};
    return true;
}

bool RecordingDc::Arc(const Rect& box, QPoint start, QPoint end)
{
    DcRecord& r = record(DcOp::Arc);
    r.rect = box;
    r.points = {start, end};
    return true;
}

bool RecordingDc::Ellipse(const Rect& box)
{
    record(DcOp::Ellipse).rect = box;
    return true;
}

bool RecordingDc::Polygon(const QPoint* points, int count)
{
    if (count < 2)
        return false;
    record(DcOp::Polygon).points.assign(points, points + count);
    return true;
}

bool RecordingDc::Polyline(const QPoint* points, int count)
{
    if (count < 2)
        return false;
    record(DcOp::Polyline).points.assign(points, points + count);
    return true;
}

bool RecordingDc::Rectangle(const Rect& rect)
{
    record(DcOp::Rectangle).rect = rect;
    return true;
}

void RecordingDc::FillRect(const Rect& rect, const Brush& brush)
{
    DcRecord& r = record(DcOp::FillRect);
    r.rect = rect;
    r.brush = brush;
}

void RecordingDc::FillSolidRect(const Rect& rect, COLORREF color)
{
    m_state.bkColor = color;
    DcRecord& r = record(DcOp::FillSolidRect);
    r.rect = rect;
    r.value = color;
    r.brush = Brush(color);
}

void RecordingDc::FrameRect(const Rect& rect, const Brush& brush)
{
    DcRecord& r = record(DcOp::FrameRect);
    r.rect = rect;
    r.brush = brush;
}

void RecordingDc::Draw3dRect(const Rect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    m_state.bkColor = bottomRight;
    DcRecord& r = record(DcOp::Draw3dRect);
    r.rect = rect;
    r.value = topLeft;
    r.value2 = bottomRight;
}

bool RecordingDc::DrawEdge(Rect* rect, unsigned edge, unsigned flags)
{
    DcRecord& r = record(DcOp::DrawEdge);
    r.rect = *rect;
    r.value = edge;
    r.value2 = flags;
    if (flags & BF_ADJUST) {
        const int outer = (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) ? 1 : 0;
        const int inner = (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) ? 1 : 0;
        const int d = outer + inner;
        rect->NormalizeRect();
        rect->InflateRect(flags & BF_LEFT ? -d : 0, flags & BF_TOP ? -d : 0,
                          flags & BF_RIGHT ? -d : 0, flags & BF_BOTTOM ? -d : 0);
    }
    return true;
}

void RecordingDc::DrawFocusRect(const Rect& rect)
{
    record(DcOp::DrawFocusRect).rect = rect;
}

void RecordingDc::InvertRect(const Rect& rect)
{
    record(DcOp::InvertRect).rect = rect;
}

bool RecordingDc::FillRgn(const Region& region, const Brush& brush)
{
    DcRecord& r = record(DcOp::FillRgn);
    for (const QPoint& p : region.points())
        r.points.push_back(p);
    r.value = region.fillMode();
    r.brush = brush;
    return true;
}

bool RecordingDc::DrawFrameControl(const Rect& rect, unsigned type, unsigned state)
{
    DcRecord& r = record(DcOp::DrawFrameControl);
    r.rect = rect;
    r.value = type;
    r.value2 = state;
    return type == DFC_BUTTON || type == DFC_SCROLL;
}

COLORREF RecordingDc::SetPixel(int x, int y, COLORREF color)
{
    DcRecord& r = record(DcOp::SetPixel);
    r.points = {QPoint(x, y)};
    r.value = color;
    return color;
}

COLORREF RecordingDc::GetPixel(int, int) const
{
    return CLR_NONE; // nothing is rendered
}

bool RecordingDc::DrawState(QPoint at, const QImage& image, unsigned flags)
{
    DcRecord& r = record(DcOp::DrawState);
    r.points = {at};
    r.rect = Rect(at, image.size());
    r.value = flags;
    return !image.isNull();
}

// text

int RecordingDc::fontHeight() const
{
    const int h = std::abs(m_state.font.logFont().lfHeight);
    return h ? h : 16;
}

int RecordingDc::byteWidth() const
{
    const int w = std::abs(m_state.font.logFont().lfWidth);
    return w ? w : fontHeight() / 2;
}

bool RecordingDc::TextOut(int x, int y, const QString& text)
{
    QPoint at(x, y);
    if (m_state.textAlign & TA_UPDATECP) {
        at = m_state.currentPosition;
        m_state.currentPosition.rx() += GetTextExtent(text).width();
    }
    DcRecord& r = record(DcOp::TextOut);
    r.points = {at};
    r.text = text;
    r.value = m_state.textAlign;
    return true;
}

QSize RecordingDc::GetTextExtent(const QString& text) const
{
    return QSize(gbk::byteLength(text) * byteWidth(), fontHeight());
}

TextMetric RecordingDc::GetTextMetrics() const
{
    TextMetric tm;
    tm.tmHeight = fontHeight();
    tm.tmAscent = tm.tmHeight * 4 / 5;
    tm.tmDescent = tm.tmHeight - tm.tmAscent;
    tm.tmAveCharWidth = byteWidth();
    tm.tmMaxCharWidth = 2 * byteWidth();
    tm.tmWeight = m_state.font.logFont().lfWeight;
    return tm;
}

int RecordingDc::DrawText(const QString& text, Rect* rect, unsigned format)
{
    const Rect given = *rect;
    std::vector<TextLine> lines;
    const int height = layoutText(text, rect, format, &lines);
    DcRecord& r = record(DcOp::DrawText);
    r.rect = given;
    r.text = text;
    r.value = format;
    r.lines = std::move(lines);
    return height;
}

void RecordingDc::drawTextLines(const std::vector<TextLine>&, const Rect*)
{
    // DrawText records itself whole.
}

// bitmaps

std::unique_ptr<Dc> RecordingDc::CreateCompatibleDC()
{
    std::unique_ptr<RecordingDc> memory(new RecordingDc(m_device, m_log, m_log->nextId++));
    memory->setMemory(true);
    memory->setBitmapHandle(Bitmap::create(1, 1));
    return memory;
}

bool RecordingDc::BitBlt(int x, int y, int width, int height, Dc* source, int xSrc, int ySrc,
                         unsigned rop)
{
    DcRecord& r = record(DcOp::BitBlt);
    r.rect = Rect(x, y, x + width, y + height);
    r.points = {QPoint(xSrc, ySrc)};
    r.value = rop;
    auto* src = dynamic_cast<RecordingDc*>(source);
    r.value2 = src ? src->id() : -1;
    return !source || src;
}

bool RecordingDc::StretchBlt(int x, int y, int width, int height, Dc* source, int xSrc, int ySrc,
                             int srcWidth, int srcHeight, unsigned rop)
{
    DcRecord& r = record(DcOp::StretchBlt);
    r.rect = Rect(x, y, x + width, y + height);
    r.points = {QPoint(xSrc, ySrc), QPoint(srcWidth, srcHeight)};
    r.value = rop;
    auto* src = dynamic_cast<RecordingDc*>(source);
    r.value2 = src ? src->id() : -1;
    return !source || src;
}

} // namespace platform
