#pragma once
// A drawing context that draws nothing and records every call, with the
// state in force, so that tests assert what was drawn. Text metrics are
// fixed numbers in logical units: a font of height h (|lfHeight|, 16 when
// 0) has cell height h, ascent h*4/5, descent h - ascent, and every GBK byte
// of a text is h/2 wide (lfWidth when that is set): "AB" in a 20-high font
// is 20 × 20, "钢筋" 40 × 20.

#include "platform/dc.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace platform {

enum class DcOp {
    SaveDC, RestoreDC, SetMapMode, SetWindowOrg, SetViewportOrg, SetWindowExt, SetViewportExt,
    IntersectClipRect, SelectClipRgn, SelectPen, SelectBrush, SelectFont, SelectBitmap,
    SetTextColor, SetBkColor, SetBkMode, SetTextAlign, SetROP2, SetPolyFillMode,
    SetStretchBltMode, MoveTo, LineTo, Arc, Ellipse, Polygon, Polyline, Rectangle, FillRect,
    FillSolidRect, FrameRect, Draw3dRect, DrawEdge, DrawFocusRect, InvertRect, FillRgn,
    DrawFrameControl, SetPixel, DrawState, TextOut, DrawText, BitBlt, StretchBlt,
};

QString dcOpName(DcOp op);
// Whether the call puts something on the surface (not a state change).
bool isDrawingOp(DcOp op);

// One recorded call. What the fields hold, by operation:
//   MoveTo: points {to}; LineTo: points {from, to}; Polygon, Polyline:
//   points; Arc: rect = box, points {start, end}; Ellipse, Rectangle,
//   FillRect, FrameRect, DrawFocusRect, InvertRect, IntersectClipRect: rect;
//   FillSolidRect: rect, value = colour; Draw3dRect: rect, value, value2 =
//   the two colours; DrawEdge, DrawFrameControl: rect, value, value2 = the
//   two flag words; FillRgn: points of the region, value = fill mode;
//   SetPixel: points {p}, value = colour; DrawState: points {at}, rect =
//   at + image size, value = flags; TextOut: points {p}, text; DrawText:
//   rect (as passed), text, value = format, lines = the laid-out lines;
//   BitBlt: rect = destination, points {source origin}, value = rop,
//   value2 = source context id; StretchBlt: as BitBlt plus points[1] =
//   source size; state setters: value (or points {origin} / {extent as a
//   point}) = the new value; SaveDC, RestoreDC: value = level.
// `pen`, `brush` and `font` are those in force (for FillRect, FrameRect and
// FillRgn `brush` is the one passed); `state` is the whole state after the
// call; `dc` is 0 for the context itself and 1, 2, … for memory contexts
// made from it (they share one record list).
struct DcRecord {
    DcOp op = DcOp::SaveDC;
    int dc = 0;
    std::vector<QPoint> points;
    Rect rect;
    QString text;
    long long value = 0;
    long long value2 = 0;
    Pen pen;
    Brush brush;
    Font font;
    std::vector<Dc::TextLine> lines;
    DcState state;

    QString toString() const;
};

class RecordingDc final : public Dc {
public:
    struct Device {
        int dpiX = 96;
        int dpiY = 96;
        int width = 1024; // HORZRES, pixels
        int height = 768; // VERTRES
        bool printing = false;
        int bitsPixel = 32;
    };

    RecordingDc();
    explicit RecordingDc(const Device& device);

    // Every call so far, in order, memory contexts' calls included.
    const std::vector<DcRecord>& records() const { return m_log->records; }
    std::vector<DcRecord> records(DcOp op) const;
    // Only the calls that put something on the surface.
    std::vector<DcRecord> drawing() const;
    int count(DcOp op) const;
    void clear() { m_log->records.clear(); }
    // One record a line, for failure messages.
    QString dump() const;

    // A straight stroke: LineTo from the current position, or one leg of a
    // Polyline or polygon outline.
    struct Segment {
        QPoint from;
        QPoint to;
        Pen pen;
        int dc = 0;
    };
    std::vector<Segment> segments() const;
    // The texts of TextOut and DrawText calls, in order.
    QStringList texts() const;

    int id() const { return m_id; }
    const Device& device() const { return m_device; }

    // Device.
    int GetDeviceCaps(int index) const override;
    bool IsPrinting() const override { return m_device.printing; }
    void IntersectClipRect(const Rect& logical) override;
    void SelectClipRgn(const Region* deviceRegion) override;
    int SaveDC() override;
    bool RestoreDC(int level) override;

    int SetMapMode(int mode) override;
    QPoint SetWindowOrg(int x, int y) override;
    QPoint SetViewportOrg(int x, int y) override;
    QSize SetWindowExt(int cx, int cy) override;
    QSize SetViewportExt(int cx, int cy) override;
    using Dc::SetViewportExt;
    using Dc::SetViewportOrg;
    using Dc::SetWindowExt;
    using Dc::SetWindowOrg;

    Pen SelectObject(const Pen& pen) override;
    Brush SelectObject(const Brush& brush) override;
    Font SelectObject(const Font& font) override;
    Bitmap SelectObject(const Bitmap& bitmap) override;
    COLORREF SetTextColor(COLORREF color) override;
    COLORREF SetBkColor(COLORREF color) override;
    int SetBkMode(int mode) override;
    unsigned SetTextAlign(unsigned flags) override;
    int SetROP2(int mode) override;
    int SetPolyFillMode(int mode) override;
    int SetStretchBltMode(int mode) override;

    QPoint MoveTo(int x, int y) override;
    using Dc::MoveTo;
    bool LineTo(int x, int y) override;
    using Dc::LineTo;
    bool Arc(const Rect& box, QPoint start, QPoint end) override;
    using Dc::Arc;
    bool Ellipse(const Rect& box) override;
    using Dc::Ellipse;
    bool Polygon(const QPoint* points, int count) override;
    bool Polyline(const QPoint* points, int count) override;
    bool Rectangle(const Rect& rect) override;
    using Dc::Rectangle;
    void FillRect(const Rect& rect, const Brush& brush) override;
    void FillSolidRect(const Rect& rect, COLORREF color) override;
    using Dc::FillSolidRect;
    void FrameRect(const Rect& rect, const Brush& brush) override;
    void Draw3dRect(const Rect& rect, COLORREF topLeft, COLORREF bottomRight) override;
    bool DrawEdge(Rect* rect, unsigned edge, unsigned flags) override;
    void DrawFocusRect(const Rect& rect) override;
    void InvertRect(const Rect& rect) override;
    bool FillRgn(const Region& region, const Brush& brush) override;
    bool DrawFrameControl(const Rect& rect, unsigned type, unsigned state) override;
    COLORREF SetPixel(int x, int y, COLORREF color) override;
    COLORREF GetPixel(int x, int y) const override;
    bool DrawState(QPoint at, const QImage& image, unsigned flags) override;

    bool TextOut(int x, int y, const QString& text) override;
    using Dc::TextOut;
    QSize GetTextExtent(const QString& text) const override;
    TextMetric GetTextMetrics() const override;
    int DrawText(const QString& text, Rect* rect, unsigned format) override;

    std::unique_ptr<Dc> CreateCompatibleDC() override;
    bool BitBlt(int x, int y, int width, int height, Dc* source, int xSrc, int ySrc,
                unsigned rop) override;
    bool StretchBlt(int x, int y, int width, int height, Dc* source, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, unsigned rop) override;

protected:
    void drawTextLines(const std::vector<TextLine>& lines, const Rect* clip) override;

private:
    struct Log {
        std::vector<DcRecord> records;
        int nextId = 1;
    };
    RecordingDc(const Device& device, std::shared_ptr<Log> log, int id);
    DcRecord& record(DcOp op);
    int fontHeight() const;
    int byteWidth() const;

    Device m_device;
    std::shared_ptr<Log> m_log;
    int m_id = 0;
};

} // namespace platform
