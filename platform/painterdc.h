#pragma once
// A drawing context that paints with QPainter on any paint device: a
// widget, a QImage, a printer or a PDF writer. Logical coordinates are
// mapped to device pixels here, with the system's rounding, and drawn with
// an untransformed painter; lines and shapes are drawn without smoothing,
// text with it. The printing flag follows the device (printer or PDF) and
// can be set.
//
//   QImage image(400, 300, QImage::Format_RGB32);
//   platform::PainterDc dc(&image);          // paints until dc is destroyed
//
//   void View::paintEvent(QPaintEvent*) {
//       QPainter painter(viewport());
//       platform::PainterDc dc(&painter);    // uses the painter as it is
//       draw(&dc);
//   }

#include "platform/dc.h"

#include <QColor>
#include <QFont>
#include <QRegion>
#include <QTransform>

#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;
class QPen;
class QBrush;

namespace platform {

class PainterDc final : public Dc {
public:
    // Paints on `device` with a painter of its own, ended by the destructor.
    explicit PainterDc(QPaintDevice* device);
    // Paints through an active painter; its state is given back on destruction.
    explicit PainterDc(QPainter* painter);
    ~PainterDc() override;

    void setPrinting(bool printing) { m_printing = printing; }
    // The painter, with everything drawn so far on the surface.
    QPainter* painter() const
    {
        paintWaitingFills();
        m_fontOnPainter = kNoFont; // whoever takes it may set another
        return m_painter;
    }

    // The Qt font that draws a description at the current mapping.
    // The font whose metrics place and size the text: the face's own family.
    QFont qtFont(const LogFont& font) const;
    // The same font as text is drawn and measured along the line with: for a
    // CJK face, a Latin family of its style comes first (see
    // substituteFamilies).
    QFont drawingFont(const LogFont& font) const;

    int GetDeviceCaps(int index) const override;
    bool IsPrinting() const override { return m_printing; }

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
    void DrawFocusRect(const Rect& rect) override;
    void InvertRect(const Rect& rect) override;
    bool FillRgn(const Region& region, const Brush& brush) override;
    COLORREF SetPixel(int x, int y, COLORREF color) override;
    COLORREF GetPixel(int x, int y) const override;
    bool DrawState(QPoint at, const QImage& image, unsigned flags) override;

    bool TextOut(int x, int y, const QString& text) override;
    using Dc::TextOut;
    QSize GetTextExtent(const QString& text) const override;
    TextMetric GetTextMetrics() const override;

    std::unique_ptr<Dc> CreateCompatibleDC() override;
    Bitmap CreateCompatibleBitmap(int width, int height) const override;
    qreal pixelRatio() const override { return m_pixelRatio; }
    bool isBufferedByWindow() const override;
    bool BitBlt(int x, int y, int width, int height, Dc* source, int xSrc, int ySrc,
                unsigned rop) override;
    bool StretchBlt(int x, int y, int width, int height, Dc* source, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, unsigned rop) override;

protected:
    void drawTextLines(const std::vector<TextLine>& lines, const Rect* clip) override;
    void bitmapChanged() override;
    Rect deviceBounds() const override;

private:
    struct MemoryTag {};
    PainterDc(MemoryTag, int dpiX, int dpiY, qreal pixelRatio);

    void readDevice(QPaintDevice* device);
    // Sets clip, raster mode and background for the next primitive.
    void prepare(bool forPen);
    QPen qtPen(const Pen& pen) const;
    QBrush qtBrush(const Brush& brush) const;
    QImage* targetImage() const;
    bool rasterOps() const;
    void fillDeviceRect(const QRect& r, const Brush& brush);
    // Device pixels a pixel where opaque fills may wait (see
    // m_waitingFills): a raster surface at a whole number of device pixels
    // a pixel, with no turn or scale; 0 where they may not.
    int waitingRatio() const;
    // Keeps an opaque fill of `area` (device units, cut by the clip) to be
    // painted later; false when it must be painted now.
    bool waitFill(const QRect& area, COLORREF colour);
    void waitDevicePixels(int ratio, QRect pixels, const QColor& colour);
    // Paints what waits at another ratio before waiting at `ratio`.
    void useWaitingRatio(int ratio);
    // A solid line of one pixel along a row or a column of device pixels,
    // kept to be painted with the waiting fills; false when it must be
    // drawn now.
    bool waitLine(QPoint from, QPoint to);
    // A rectangle whose outline (a solid pen of one pixel) and inside (a
    // solid brush) are opaque, as waiting fills; false when it must be
    // drawn now.
    bool waitRectangle(const Rect& device);
    void paintWaitingFills() const;
    void drawTextAt(QPoint logical, const QString& text, unsigned align, bool rotate);
    // Draws `text` as the painter's drawText does, from a layout kept for
    // the next paint where that draws alike.
    void drawShaped(QPointF baseline, const QString& text);
    // The width of `text` in the drawing font of the current description,
    // device pixels.
    double advance(const QString& text) const;
    double penScale() const;

    std::unique_ptr<QPainter> m_own;
    QPainter* m_painter = nullptr;
    QPaintDevice* m_device = nullptr;
    bool m_borrowed = false;
    QTransform m_base; // the borrowed painter's own transform
    bool m_printing = false;
    int m_dpiX = 96;
    int m_dpiY = 96;
    // Device pixels per pixel of the context (2 on a screen scaled twice):
    // bitmaps made for the context have that many pixels, so that they reach
    // the screen sharp.
    qreal m_pixelRatio = 1.0;
    // A font made for a description at the scales of the mapping, and what
    // was measured in it.
    struct MadeFont {
        LogFont key;
        double scaleX = 0;
        double scaleY = 0;
        QFont font;    // see qtFont
        QFont drawing; // see drawingFont
        double ascent = 0;
        double descent = 0;
        int number = 0; // the drawing font's number in the text caches
    };
    MadeFont& madeFont(const LogFont& font) const;
    MadeFont makeFont(const LogFont& font) const;
    static constexpr std::size_t kNoFont = std::size_t(-1);
    // The fonts made last; the one in use; the one the painter holds.
    mutable std::vector<MadeFont> m_fonts;
    mutable std::size_t m_fontInUse = kNoFont;
    mutable std::size_t m_nextFontSlot = 0;
    mutable std::size_t m_fontOnPainter = kNoFont;
    int m_painterFont = 0; // the number of the painter's font in the text caches
    // Opaque solid fills not yet painted, oldest first. A later opaque fill
    // takes what it covers from those before it, so that the desk under a
    // page and the page under its cells are painted only where they stay
    // visible. They are painted before anything else touches the surface.
    // Their areas are in device pixels of the surface, at m_waitingRatio
    // device pixels a pixel.
    struct WaitingFill {
        QRegion pixels;
        QColor colour;
    };
    mutable std::vector<WaitingFill> m_waitingFills;
    // Lines drawn as fills, after the waiting fills and oldest first; a
    // waiting fill is never newer than one of them.
    struct WaitingLine {
        QRect pixels;
        QColor colour;
    };
    mutable std::vector<WaitingLine> m_waitingLines;
    int m_waitingRatio = 1;
};

} // namespace platform
