#pragma once
// A flat button painted with generated shaded pictures: 8-bit images whose
// palette runs from the button shadow through the face to the highlight,
// filled with a pattern of palette indices and noise. The hover picture is
// the same image with its palette lightened.

#include "shapeui/dib.h"
#include "shapeui/flatbutton.h"

#include <cstdint>

class CVes_ShadeButton : public CVes_FlatButton {
    Q_OBJECT
public:
    // Shading effects.
    enum Effect {
        SHS_NOISE = 0,
        SHS_DIAGSHADE = 1,
        SHS_HSHADE = 2,
        SHS_VSHADE = 3,
        SHS_HBUMP = 4,
        SHS_VBUMP = 5,
        SHS_SOFTBUMP = 6,
        SHS_HARDBUMP = 7,
        SHS_METAL = 8,
    };

    explicit CVes_ShadeButton(QWidget* parent = nullptr);
    explicit CVes_ShadeButton(const QString& text, QWidget* parent = nullptr);

    // Regenerates the state pictures at the button's size: `granularity`
    // is the noise amplitude (0 to 255), `highlight` the percentage of the
    // highlight colour in the hover picture, `coloring` the percentage of
    // `color` blended into the palette.
    void SetShade(int shadeID = SHS_NOISE, std::uint8_t granularity = 8,
                  std::uint8_t highlight = 10, std::uint8_t coloring = 0,
                  platform::COLORREF color = 0);

    // The noise generator of the shading (the C library's generator: the
    // same seed gives the same pictures). The initial seed is 1.
    static void SeedNoise(unsigned seed);
    static int NextNoise(); // 0 to 32767

    const CVes_Dib& normalImage() const { return m_dNormal; }
    const CVes_Dib& overImage() const { return m_dOver; }
    const CVes_Dib& downImage() const { return m_dDown; }
    const CVes_Dib& disabledImage() const { return m_dDisabled; }

protected:
    void OnDrawBackground(platform::Dc* dc, platform::Rect* rect) override;

private:
    // Fills the main image with the pattern of an effect.
    void applyEffect(int shadeID, int granularity);

    CVes_Dib m_dNormal;
    CVes_Dib m_dDown;
    CVes_Dib m_dDisabled;
    CVes_Dib m_dOver;
    CVes_Dib m_dh; // one pixel high, the width of the button
    CVes_Dib m_dv; // one pixel wide, the height of the button
};
