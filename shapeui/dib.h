#pragma once
// A device-independent bitmap held in memory as one packed block: the
// 40-byte bitmap header, the palette (blue, green, red, 0 an entry) and the
// pixel rows, bottom row first, each padded to a multiple of 4 bytes. Code
// sets palette entries and pixels directly and draws the picture through a
// drawing context; the shaded buttons build their state images with it.

#include "platform/dc.h"
#include "platform/gdi.h"

#include <QImage>

#include <cstdint>
#include <vector>

class CVes_Dib {
public:
    // The header fields, as the block stores them.
    struct Header {
        std::uint32_t biSize = 0;
        std::int32_t biWidth = 0;
        std::int32_t biHeight = 0;
        std::uint16_t biPlanes = 0;
        std::uint16_t biBitCount = 0;
        std::uint32_t biCompression = 0;
        std::uint32_t biSizeImage = 0;
        std::int32_t biXPelsPerMeter = 0;
        std::int32_t biYPelsPerMeter = 0;
        std::uint32_t biClrUsed = 0;
        std::uint32_t biClrImportant = 0;
    };
    static constexpr int HeaderSize = 40;

    CVes_Dib() = default;
    CVes_Dib(const CVes_Dib& other) { Clone(other); }
    CVes_Dib& operator=(const CVes_Dib& other);
    virtual ~CVes_Dib();

    // Frees what it holds and makes a zeroed bitmap of the size and depth
    // (1, 4, 8, 16, 24 or 32 bits a pixel). Answers the block, or null when
    // the size or depth is impossible or the block cannot be allocated.
    std::uint8_t* Create(int width, int height, int bitsPerPixel);
    // Every pixel byte becomes `value`.
    void Clear(std::uint8_t value);
    // Ignored when the index is not below the palette size.
    void SetPaletteIndex(int index, int red, int green, int blue);
    platform::COLORREF GetPaletteColor(int index) const;
    // Pixel (x, y) counted from the top left of the picture. Ignored outside
    // the bitmap and for bitmaps without a palette.
    void SetPixelIndex(int x, int y, std::uint8_t value);
    std::uint8_t GetPixelIndex(int x, int y) const;
    // Moves every palette entry towards `color` by `percent` (0 to 100).
    void BlendPalette(platform::COLORREF color, int percent);
    // Becomes a copy of `other`.
    void Clone(const CVes_Dib& other);
    void Free();

    bool IsValid() const { return !m_block.empty(); }
    std::uint8_t* GetBits();
    const std::uint8_t* GetBits() const;
    int GetWidth() const { return m_header.biWidth; }
    int GetHeight() const { return m_header.biHeight; }
    int GetLineWidth() const { return m_lineWidth; }
    int GetBitCount() const { return m_header.biBitCount; }
    int GetPaletteSize() const { return m_paletteSize; }
    const Header& header() const { return m_header; }
    // The packed block: header, palette and pixels.
    const std::vector<std::uint8_t>& block() const { return m_block; }

    // The picture as a 32-bit image, top row first.
    QImage toImage() const;
    // Copies the whole picture to (x, y) of `dc` (a source copy).
    void Draw(platform::Dc* dc, int x, int y);

private:
    Header m_header;
    int m_lineWidth = 0;
    int m_paletteSize = 0;
    std::vector<std::uint8_t> m_block;
    // The drawable copy of the pixels, made on first drawing.
    platform::Bitmap m_section;
    bool m_sectionStale = true;
};
