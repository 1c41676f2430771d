#include "shapeui/shadebutton.h"

#include <algorithm>
#include <cstdlib>

using namespace platform::gdi;

namespace {

unsigned g_noiseSeed = 1;

void setRampPalette(CVes_Dib* dib)
{
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF light = GetSysColor(COLOR_BTNHILIGHT);
    const int sr = GetRValue(shadow), sg = GetGValue(shadow), sb = GetBValue(shadow);
    const int fr = GetRValue(face), fg = GetGValue(face), fb = GetBValue(face);
    const int lr = GetRValue(light), lg = GetGValue(light), lb = GetBValue(light);
    for (int i = 0; i < 128; ++i)
        dib->SetPaletteIndex(i, sr + i * (fr - sr) / 128, sg + i * (fg - sg) / 128,
                             sb + i * (fb - sb) / 128);
    for (int j = 1; j <= 128; ++j)
        dib->SetPaletteIndex(127 + j, fr + j * (lr - fr) / 128, fg + j * (lg - fg) / 128,
                             fb + j * (lb - fb) / 128);
}

} // namespace

CVes_ShadeButton::CVes_ShadeButton(QWidget* parent) : CVes_FlatButton(parent) {}

CVes_ShadeButton::CVes_ShadeButton(const QString& text, QWidget* parent)
    : CVes_FlatButton(text, parent)
{
}

void CVes_ShadeButton::SeedNoise(unsigned seed)
{
    g_noiseSeed = seed;
}

int CVes_ShadeButton::NextNoise()
{
    g_noiseSeed = g_noiseSeed * 214013u + 2531011u;
    return int((g_noiseSeed >> 16) & 0x7FFF);
}

void CVes_ShadeButton::SetShade(int shadeID, std::uint8_t granularity, std::uint8_t highlight,
                                std::uint8_t coloring, COLORREF color)
{
    const int w = width();
    const int h = height();
    if (!m_dNormal.Create(w, h, 8)) {
        // A button without an area has no pictures.
        m_dOver.Free();
        m_dDown.Free();
        m_dDisabled.Free();
        m_dh.Free();
        m_dv.Free();
        update();
        return;
    }
    m_dh.Create(w, 1, 8);
    m_dv.Create(1, h, 8);
    setRampPalette(&m_dNormal);
    setRampPalette(&m_dh);
    setRampPalette(&m_dv);

    applyEffect(shadeID, granularity);

    m_dNormal.BlendPalette(color, coloring);
    m_dOver.Clone(m_dNormal);
    m_dOver.BlendPalette(GetSysColor(COLOR_BTNHILIGHT), highlight);
    m_dDown.Clone(m_dOver);
    m_dDisabled.Clone(m_dNormal);
    update();
}

void CVes_ShadeButton::applyEffect(int shadeID, int g)
{
    const int w = m_dNormal.GetWidth();
    const int h = m_dNormal.GetHeight();
    const int line = m_dNormal.GetLineWidth();
    std::uint8_t* bits = m_dNormal.GetBits();
    std::uint8_t* hBits = m_dh.GetBits();
    std::uint8_t* vBits = m_dv.GetBits();
    const int divisor = 32767 / std::max(1, 2 * g);
    auto noise = [g, divisor]() { return NextNoise() / divisor - g; };
    auto put = [bits, line](int x, int y, int value) {
        bits[std::size_t(y) * line + x] = std::uint8_t(value & 0xFF);
    };
    // The pattern's own range, kept clear of the noise.
    const int span = std::max(0, 255 - 2 * g);

    switch (shadeID) {
    case SHS_DIAGSHADE: {
        const int a = (255 - 2 * g) / 2;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                put(x, y, g + ((a * (w - x) / w + y * a / h) & 0xFF) + noise());
        break;
    }
    case SHS_HSHADE:
        // Dark at the bottom row to light at the top.
        for (int y = 0; y < h; ++y)
            vBits[std::size_t(y) * m_dv.GetLineWidth()] = std::uint8_t(g + span * y / h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                put(x, y, vBits[std::size_t(y) * m_dv.GetLineWidth()] + noise());
        break;
    case SHS_VSHADE:
        // Light at the left to dark at the right.
        for (int x = 0; x < w; ++x)
            hBits[x] = std::uint8_t(g + span * (w - x) / w);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                put(x, y, hBits[x] + noise());
        break;
    case SHS_HBUMP:
        // Light in the middle rows.
        for (int y = 0; y < h; ++y)
            vBits[std::size_t(y) * m_dv.GetLineWidth()] =
                std::uint8_t(g + span * (h - std::abs(2 * y - (h - 1))) / h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                put(x, y, vBits[std::size_t(y) * m_dv.GetLineWidth()] + noise());
        break;
    case SHS_VBUMP:
        // Light in the middle columns.
        for (int x = 0; x < w; ++x)
            hBits[x] = std::uint8_t(g + span * (w - std::abs(2 * x - (w - 1))) / w);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                put(x, y, hBits[x] + noise());
        break;
    case SHS_SOFTBUMP:
    case SHS_HARDBUMP:
        // Light in the middle (soft) or at the edges (hard).
        for (int y = 0; y < h; ++y) {
            const long long by = h - std::abs(2 * y - (h - 1));
            for (int x = 0; x < w; ++x) {
                const long long bx = w - std::abs(2 * x - (w - 1));
                int v = int(span * bx * by / (static_cast<long long>(w) * h));
                if (shadeID == SHS_HARDBUMP)
                    v = span - v;
                put(x, y, g + v + noise());
            }
        }
        break;
    case SHS_METAL:
        // Vertical streaks over a light-to-dark shade.
        for (int x = 0; x < w; ++x)
            hBits[x] = std::uint8_t(span > 0 ? NextNoise() % (span / 4 + 1) : 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                put(x, y, g + span * 3 / 4 * y / h + hBits[x] + noise());
        break;
    case SHS_NOISE:
    default:
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                put(x, y, 128 + noise());
        break;
    }
}

void CVes_ShadeButton::OnDrawBackground(platform::Dc* dc, platform::Rect* rect)
{
    if (!m_dNormal.IsValid()) {
        CVes_FlatButton::OnDrawBackground(dc, rect);
        return;
    }
    if (m_bIsDisabled)
        m_dDisabled.Draw(dc, rect->left, rect->top);
    else if (!m_bMouseOnButton)
        m_dNormal.Draw(dc, rect->left, rect->top);
    else if (m_bIsPressed)
        m_dDown.Draw(dc, rect->left + 1, rect->top + 1);
    else
        m_dOver.Draw(dc, rect->left, rect->top);
}
