#pragma once
// The drawing context through which every view, table, tag and shape draws:
// the operations of the Windows drawing interface with their meaning kept
// (mapping modes with signed extents, pens with dash lengths in logical
// units, fonts described by height, escapement and weight, text alignment
// to the baseline, arcs given by a bounding box and two radial points).
//
// Dc keeps the state (mapping, selected objects, colours, alignment, current
// position, saved levels) itself; a back end draws. Two back ends exist:
// PainterDc paints on any QPaintDevice, RecordingDc records every call so
// that tests can assert what was drawn. All coordinates given to a Dc are
// logical units unless a name says "device".

#include "platform/gdi.h"
#include "platform/rect.h"

#include <QImage>
#include <QPoint>
#include <QPolygon>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace platform {

// drawing objects (values; "deleting" one is letting it go)

struct LogBrush {
    unsigned lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    int lbHatch = 0;
    friend bool operator==(const LogBrush&, const LogBrush&) = default;
};

class Pen {
public:
    // The black one-pixel pen every context starts with.
    Pen() = default;
    // A pen as CreatePen makes it: the width in logical units, 0 for one
    // device pixel; dashed styles are in device pixels.
    Pen(int style, int width, COLORREF color);
    // A pen as ExtCreatePen makes it. For PS_GEOMETRIC | PS_USERSTYLE the
    // dash and gap lengths are logical units, like the width.
    Pen(int style, int width, const LogBrush& brush, std::vector<std::uint32_t> userStyle = {});
    static Pen stock(int index); // BLACK_PEN, WHITE_PEN, NULL_PEN

    int style() const { return m_style; }           // all flags
    int lineStyle() const { return m_style & PS_STYLE_MASK; }
    int width() const { return m_width; }
    COLORREF color() const { return m_color; }
    bool isGeometric() const { return (m_style & PS_TYPE_MASK) == PS_GEOMETRIC; }
    bool isExtended() const { return m_extended; }
    bool isNull() const { return lineStyle() == PS_NULL; }
    const std::vector<std::uint32_t>& userStyle() const { return m_userStyle; }

    friend bool operator==(const Pen&, const Pen&) = default;

private:
    int m_style = PS_SOLID;
    int m_width = 0;
    COLORREF m_color = 0;
    bool m_extended = false;
    std::vector<std::uint32_t> m_userStyle;
};

class Brush {
public:
    // The white brush every context starts with.
    Brush() = default;
    explicit Brush(COLORREF color); // CreateSolidBrush
    Brush(int hatch, COLORREF color); // CreateHatchBrush
    explicit Brush(const LogBrush& logBrush);
    static Brush stock(int index); // WHITE_BRUSH … BLACK_BRUSH, NULL_BRUSH
    static Brush sysColor(int index) { return Brush(GetSysColor(index)); }

    LogBrush logBrush() const { return m_log; }
    bool isNull() const { return m_log.lbStyle == BS_NULL; }
    bool isHatched() const { return m_log.lbStyle == BS_HATCHED; }
    COLORREF color() const { return m_log.lbColor; }
    int hatch() const { return m_log.lbHatch; }

    friend bool operator==(const Brush&, const Brush&) = default;

private:
    LogBrush m_log{BS_SOLID, RGB(255, 255, 255), 0};
};

// A font description. lfHeight > 0 is the height of the character cell,
// lfHeight < 0 the height of the characters, 0 a default height; all in
// logical units. lfEscapement and lfOrientation are tenths of degrees,
// counter-clockwise.
struct LogFont {
    int lfHeight = 0;
    int lfWidth = 0;
    int lfEscapement = 0;
    int lfOrientation = 0;
    int lfWeight = FW_NORMAL;
    int lfItalic = 0;
    int lfUnderline = 0;
    int lfStrikeOut = 0;
    int lfCharSet = DEFAULT_CHARSET;
    int lfOutPrecision = OUT_DEFAULT_PRECIS;
    int lfClipPrecision = CLIP_DEFAULT_PRECIS;
    int lfQuality = DEFAULT_QUALITY;
    int lfPitchAndFamily = DEFAULT_PITCH;
    QString lfFaceName;
    friend bool operator==(const LogFont&, const LogFont&) = default;
};

class Font {
public:
    // The system font every context starts with.
    Font();
    explicit Font(const LogFont& logFont) : m_log(logFont) {}
    // CreateFont with its fourteen arguments in their order.
    static Font create(int height, int width, int escapement, int orientation, int weight,
                       int italic, int underline, int strikeOut, int charSet, int outPrecision,
                       int clipPrecision, int quality, int pitchAndFamily, const QString& face);
    static Font stock(int index); // SYSTEM_FONT, DEFAULT_GUI_FONT, ANSI_VAR_FONT, …

    const LogFont& logFont() const { return m_log; } // GetObject / GetLogFont
    friend bool operator==(const Font&, const Font&) = default;

private:
    LogFont m_log;
};

// The installed family drawn for a face name of the program ("宋体" →
// "Noto Serif CJK SC", "Times New Roman" → "Liberation Serif", …); other
// names come back unchanged.
QString substituteFace(const QString& face);
// The families a text in that face is drawn with, in order of preference. A
// CJK family comes after a Latin one of the same style, which draws the
// letters and digits: the CJK fonts give digits beside letters glyphs that a
// PDF cannot map back to text, so printed numbers could not be searched or
// copied.
QStringList substituteFamilies(const QString& face);

// A bitmap: a handle to shared pixels, so that what a memory context draws
// into it is seen through every copy of the handle.
class Bitmap {
public:
    Bitmap() = default;
    explicit Bitmap(const QImage& image);
    static Bitmap create(int width, int height); // 32-bit, black

    bool isNull() const { return !m_image || m_image->isNull(); }
    // In pixels of the context it was made for: a bitmap made for a screen
    // scaled twice holds twice as many device pixels each way.
    QSize size() const { return m_image ? m_image->deviceIndependentSize().toSize() : QSize(); }
    // The pixels (null image for a null bitmap). Changing them changes the
    // bitmap for every holder.
    QImage* image() const { return m_image.get(); }

    friend bool operator==(const Bitmap& a, const Bitmap& b) { return a.m_image == b.m_image; }

private:
    std::shared_ptr<QImage> m_image;
};

// A region given by a rectangle or a polygon, in the coordinates of the call
// that uses it (logical for FillRgn, device for SelectClipRgn).
class Region {
public:
    Region() = default;
    static Region rect(const Rect& r);
    static Region polygon(const QPoint* points, int count, int fillMode = ALTERNATE);

    const QPolygon& points() const { return m_points; }
    int fillMode() const { return m_fillMode; }
    bool isRect() const { return m_isRect; }
    Rect boundingRect() const;
    friend bool operator==(const Region&, const Region&) = default;

private:
    QPolygon m_points;
    int m_fillMode = ALTERNATE;
    bool m_isRect = false;
};

struct TextMetric {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = FW_NORMAL;
    int tmOverhang = 0;
};

// the context

struct DcState {
    int mapMode = MM_TEXT;
    QPoint windowOrg;
    QPoint viewportOrg;
    QSize windowExt{1, 1};
    QSize viewportExt{1, 1};
    Pen pen;
    Brush brush;
    Font font;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    unsigned textAlign = TA_LEFT | TA_TOP;
    int rop2 = R2_COPYPEN;
    int polyFillMode = ALTERNATE;
    int stretchBltMode = BLACKONWHITE;
    QPoint currentPosition;
    std::optional<Rect> clip; // device units; none = the whole surface
};

class Dc {
public:
    Dc() = default;
    Dc(const Dc&) = delete;
    Dc& operator=(const Dc&) = delete;
    virtual ~Dc() = default;

    // Device.
    virtual int GetDeviceCaps(int index) const = 0;
    virtual bool IsPrinting() const = 0;
    // The visible part in logical units (the surface, cut by the clip).
    virtual Rect GetClipBox() const;
    // Whether any part of the rectangle (logical units) may show: it reaches
    // into the clip box and, while a window repaints parts of itself only,
    // into one of those parts. What may not show need not be drawn.
    bool RectVisible(const Rect& logical) const;
    // The parts of the surface (device units) a window repaints when it
    // repaints less than all of it; none: all of it.
    void setRepaintedParts(std::vector<Rect> device) { m_repainted = std::move(device); }
    bool repaintsPartsOnly() const { return !m_repainted.empty(); }
    virtual void IntersectClipRect(const Rect& logical);
    // nullptr removes the clip; a region is taken in device units.
    virtual void SelectClipRgn(const Region* deviceRegion);

    // Saved levels: SaveDC answers the new level (1, 2, …); RestoreDC takes a
    // level, or -1 for the last one.
    virtual int SaveDC();
    virtual bool RestoreDC(int level);

    // Mapping. Extents are taken only in MM_ISOTROPIC and MM_ANISOTROPIC;
    // each setter answers the previous value.
    virtual int SetMapMode(int mode);
    int GetMapMode() const { return m_state.mapMode; }
    virtual QPoint SetWindowOrg(int x, int y);
    QPoint SetWindowOrg(QPoint p) { return SetWindowOrg(p.x(), p.y()); }
    QPoint GetWindowOrg() const { return m_state.windowOrg; }
    QPoint OffsetWindowOrg(int dx, int dy);
    virtual QPoint SetViewportOrg(int x, int y);
    QPoint SetViewportOrg(QPoint p) { return SetViewportOrg(p.x(), p.y()); }
    QPoint GetViewportOrg() const { return m_state.viewportOrg; }
    QPoint OffsetViewportOrg(int dx, int dy);
    virtual QSize SetWindowExt(int cx, int cy);
    QSize SetWindowExt(QSize s) { return SetWindowExt(s.width(), s.height()); }
    QSize GetWindowExt() const { return m_state.windowExt; }
    virtual QSize SetViewportExt(int cx, int cy);
    QSize SetViewportExt(QSize s) { return SetViewportExt(s.width(), s.height()); }
    QSize GetViewportExt() const { return m_state.viewportExt; }

    // Logical ↔ device, rounded to the nearest unit as the system does.
    void LPtoDP(QPoint* points, int count = 1) const;
    void LPtoDP(Rect* rect) const;
    void LPtoDP(QSize* size) const; // a length pair: no origins, signs kept
    void DPtoLP(QPoint* points, int count = 1) const;
    void DPtoLP(Rect* rect) const;
    void DPtoLP(QSize* size) const;
    QPoint LPtoDP(QPoint p) const { LPtoDP(&p); return p; }
    QPoint DPtoLP(QPoint p) const { DPtoLP(&p); return p; }
    // Device units per logical unit along x and y (negative when flipped).
    double scaleX() const;
    double scaleY() const;

    // Objects. Each SelectObject answers the object selected before.
    virtual Pen SelectObject(const Pen& pen);
    virtual Brush SelectObject(const Brush& brush);
    virtual Font SelectObject(const Font& font);
    virtual Bitmap SelectObject(const Bitmap& bitmap); // memory contexts only
    // Selects a stock pen, brush or font by its index.
    void SelectStockObject(int index);
    const Pen& GetCurrentPen() const { return m_state.pen; }
    const Brush& GetCurrentBrush() const { return m_state.brush; }
    const Font& GetCurrentFont() const { return m_state.font; }
    const Bitmap& GetCurrentBitmap() const { return m_bitmap; }

    // Attributes; each setter answers the previous value.
    virtual COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_state.textColor; }
    virtual COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_state.bkColor; }
    virtual int SetBkMode(int mode);
    int GetBkMode() const { return m_state.bkMode; }
    virtual unsigned SetTextAlign(unsigned flags);
    unsigned GetTextAlign() const { return m_state.textAlign; }
    virtual int SetROP2(int mode);
    int GetROP2() const { return m_state.rop2; }
    virtual int SetPolyFillMode(int mode);
    int GetPolyFillMode() const { return m_state.polyFillMode; }
    virtual int SetStretchBltMode(int mode);
    int GetStretchBltMode() const { return m_state.stretchBltMode; }

    // Lines and shapes, outlined with the pen and filled with the brush.
    virtual QPoint MoveTo(int x, int y);
    QPoint MoveTo(QPoint p) { return MoveTo(p.x(), p.y()); }
    virtual bool LineTo(int x, int y) = 0;
    bool LineTo(QPoint p) { return LineTo(p.x(), p.y()); }
    QPoint GetCurrentPosition() const { return m_state.currentPosition; }
    // The counter-clockwise (on the device) part of the ellipse inscribed in
    // `box` from the radial through `start` to the radial through `end`;
    // the whole ellipse when both radials coincide.
    virtual bool Arc(const Rect& box, QPoint start, QPoint end) = 0;
    bool Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
    {
        return Arc(Rect(x1, y1, x2, y2), QPoint(x3, y3), QPoint(x4, y4));
    }
    virtual bool Ellipse(const Rect& box) = 0;
    bool Ellipse(int x1, int y1, int x2, int y2) { return Ellipse(Rect(x1, y1, x2, y2)); }
    virtual bool Polygon(const QPoint* points, int count) = 0;
    virtual bool Polyline(const QPoint* points, int count) = 0;
    virtual bool Rectangle(const Rect& rect) = 0;
    bool Rectangle(int x1, int y1, int x2, int y2) { return Rectangle(Rect(x1, y1, x2, y2)); }
    virtual void FillRect(const Rect& rect, const Brush& brush) = 0;
    // Fills with the colour and leaves it as the background colour.
    virtual void FillSolidRect(const Rect& rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
    {
        FillSolidRect(Rect(x, y, x + cx, y + cy), color);
    }
    virtual void FrameRect(const Rect& rect, const Brush& brush);
    virtual void Draw3dRect(const Rect& rect, COLORREF topLeft, COLORREF bottomRight);
    virtual bool DrawEdge(Rect* rect, unsigned edge, unsigned flags);
    virtual void DrawFocusRect(const Rect& rect) = 0;
    virtual void InvertRect(const Rect& rect) = 0;
    virtual bool FillRgn(const Region& region, const Brush& brush) = 0;
    bool PaintRgn(const Region& region) { return FillRgn(region, m_state.brush); }
    virtual bool DrawFrameControl(const Rect& rect, unsigned type, unsigned state);
    virtual COLORREF SetPixel(int x, int y, COLORREF color) = 0;
    virtual COLORREF GetPixel(int x, int y) const = 0;
    // An icon or picture at its own size in device pixels, its top left at
    // a logical point; DSS_DISABLED greys it.
    virtual bool DrawState(QPoint at, const QImage& image, unsigned flags) = 0;
    bool DrawIcon(QPoint at, const QImage& icon) { return DrawState(at, icon, DSS_NORMAL); }

    // Text.
    virtual bool TextOut(int x, int y, const QString& text) = 0;
    bool TextOut(QPoint p, const QString& text) { return TextOut(p.x(), p.y(), text); }
    // The width and cell height of a line of text in logical units.
    virtual QSize GetTextExtent(const QString& text) const = 0;
    QSize GetTextExtentPoint32(const QString& text) const { return GetTextExtent(text); }
    virtual TextMetric GetTextMetrics() const = 0;
    // Draws formatted text into `rect` and answers the height of the text;
    // with DT_CALCRECT only measures, and widens or heightens `rect`.
    virtual int DrawText(const QString& text, Rect* rect, unsigned format);

    // Bitmaps. A compatible context is a memory context with a one-pixel
    // bitmap selected; select a bitmap from CreateCompatibleBitmap into it.
    virtual std::unique_ptr<Dc> CreateCompatibleDC() = 0;
    virtual Bitmap CreateCompatibleBitmap(int width, int height) const;
    // Device pixels per pixel of the context; its compatible bitmaps hold
    // that many each way.
    virtual qreal pixelRatio() const { return 1.0; }
    // Whether what is drawn reaches the screen only when the painting ends,
    // as a window's painting does (the window system keeps a picture of the
    // window and shows it whole): such a context needs no memory context
    // against flicker.
    virtual bool isBufferedByWindow() const { return false; }
    bool isMemoryDc() const { return m_memory; }
    // Copies from a memory context made by this back end (`source` may be
    // null for PATCOPY, BLACKNESS, WHITENESS and DSTINVERT).
    virtual bool BitBlt(int x, int y, int width, int height, Dc* source, int xSrc, int ySrc,
                        unsigned rop) = 0;
    virtual bool StretchBlt(int x, int y, int width, int height, Dc* source, int xSrc, int ySrc,
                            int srcWidth, int srcHeight, unsigned rop) = 0;

    const DcState& state() const { return m_state; }

    // Lines of a DrawText call after breaking, in logical units: each drawn
    // with its top left at `at` (its top at the top of the cell).
    struct TextLine {
        QString text;
        QPoint at;
        int width = 0;
        friend bool operator==(const TextLine&, const TextLine&) = default;
    };

protected:
    // Lays out DrawText without drawing; answers the text height and, in
    // `lines`, what to draw. Shared by the back ends so that they agree.
    int layoutText(const QString& text, Rect* rect, unsigned format, std::vector<TextLine>* lines) const;
    // The drawing half of DrawText: each line with TA_LEFT|TA_TOP semantics,
    // clipped to `clip` (logical) unless it is null.
    virtual void drawTextLines(const std::vector<TextLine>& lines, const Rect* clip) = 0;

    // Memory contexts answer true and accept bitmaps.
    void setMemory(bool memory) { m_memory = memory; }
    void setBitmapHandle(const Bitmap& bitmap) { m_bitmap = bitmap; }
    // Called whenever the selected bitmap changes.
    virtual void bitmapChanged() {}
    // The surface in device units, for the clip box.
    virtual Rect deviceBounds() const;

    DcState m_state;

private:
    void applyFixedMapping();
    void adjustIsotropic();

    std::vector<DcState> m_saved;
    std::vector<Rect> m_repainted;
    Bitmap m_bitmap;
    bool m_memory = false;
};

} // namespace platform
