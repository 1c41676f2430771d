#include "shapeui/dib.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

using namespace platform::gdi;

namespace {

void put32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

void put16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

int paletteSizeFor(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

} // namespace

CVes_Dib::~CVes_Dib()
{
    Free();
}

CVes_Dib& CVes_Dib::operator=(const CVes_Dib& other)
{
    if (this != &other)
        Clone(other);
    return *this;
}

std::uint8_t* CVes_Dib::Create(int width, int height, int bitsPerPixel)
{
    Free();
    switch (bitsPerPixel) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return nullptr;
    }
    if (width <= 0 || height <= 0)
        return nullptr;
    const long long lineWidth = (static_cast<long long>(bitsPerPixel) * width + 31) / 32 * 4;
    const long long imageSize = lineWidth * height;
    const int paletteSize = paletteSizeFor(bitsPerPixel);
    const long long total = HeaderSize + paletteSize * 4LL + imageSize;
    if (imageSize > std::numeric_limits<std::int32_t>::max()
        || total > std::numeric_limits<std::int32_t>::max())
        return nullptr;
    try {
        m_block.assign(std::size_t(total), 0);
    } catch (const std::bad_alloc&) {
        m_block.clear();
        return nullptr;
    }
    m_header.biSize = HeaderSize;
    m_header.biWidth = width;
    m_header.biHeight = height;
    m_header.biPlanes = 1;
    m_header.biBitCount = std::uint16_t(bitsPerPixel);
    m_header.biCompression = 0;
    m_header.biSizeImage = std::uint32_t(imageSize);
    m_lineWidth = int(lineWidth);
    m_paletteSize = paletteSize;

    std::uint8_t* p = m_block.data();
    put32(p, m_header.biSize);
    put32(p + 4, std::uint32_t(m_header.biWidth));
    put32(p + 8, std::uint32_t(m_header.biHeight));
    put16(p + 12, m_header.biPlanes);
    put16(p + 14, m_header.biBitCount);
    put32(p + 16, m_header.biCompression);
    put32(p + 20, m_header.biSizeImage);
    // Resolution and colour counts stay 0.
    m_sectionStale = true;
    return p;
}

void CVes_Dib::Free()
{
    m_section = platform::Bitmap();
    m_block.clear();
    m_block.shrink_to_fit();
    m_header = Header();
    m_lineWidth = 0;
    m_paletteSize = 0;
    m_sectionStale = true;
}

std::uint8_t* CVes_Dib::GetBits()
{
    if (m_block.empty())
        return nullptr;
    m_sectionStale = true; // the caller may write through the pointer
    return m_block.data() + HeaderSize + m_paletteSize * 4;
}

const std::uint8_t* CVes_Dib::GetBits() const
{
    return m_block.empty() ? nullptr : m_block.data() + HeaderSize + m_paletteSize * 4;
}

void CVes_Dib::Clear(std::uint8_t value)
{
    if (std::uint8_t* bits = GetBits())
        std::memset(bits, value, m_header.biSizeImage);
}

void CVes_Dib::SetPaletteIndex(int index, int red, int green, int blue)
{
    if (m_block.empty() || index < 0 || index >= m_paletteSize)
        return;
    std::uint8_t* entry = m_block.data() + HeaderSize + index * 4;
    entry[0] = std::uint8_t(blue);
    entry[1] = std::uint8_t(green);
    entry[2] = std::uint8_t(red);
    entry[3] = 0;
    m_sectionStale = true;
}

COLORREF CVes_Dib::GetPaletteColor(int index) const
{
    if (m_block.empty() || index < 0 || index >= m_paletteSize)
        return 0;
    const std::uint8_t* entry = m_block.data() + HeaderSize + index * 4;
    return RGB(entry[2], entry[1], entry[0]);
}

void CVes_Dib::SetPixelIndex(int x, int y, std::uint8_t value)
{
    if (m_block.empty() || m_paletteSize == 0 || x < 0 || y < 0 || x >= GetWidth()
        || y >= GetHeight())
        return;
    std::uint8_t* row = GetBits() + std::size_t(m_lineWidth) * (GetHeight() - y - 1);
    switch (GetBitCount()) {
    case 8:
        row[x] = value;
        break;
    case 4: {
        // Two pixels a byte, the left one in the high half.
        const int shift = (x & 1) ? 0 : 4;
        row[x / 2] = std::uint8_t((row[x / 2] & ~(0x0F << shift)) | ((value & 0x0F) << shift));
        break;
    }
    case 1: {
        const int shift = 7 - (x & 7);
        row[x / 8] = std::uint8_t((row[x / 8] & ~(1 << shift)) | ((value & 1) << shift));
        break;
    }
    default: break;
    }
}

std::uint8_t CVes_Dib::GetPixelIndex(int x, int y) const
{
    if (m_block.empty() || m_paletteSize == 0 || x < 0 || y < 0 || x >= GetWidth()
        || y >= GetHeight())
        return 0;
    const std::uint8_t* row = GetBits() + std::size_t(m_lineWidth) * (GetHeight() - y - 1);
    switch (GetBitCount()) {
    case 8: return row[x];
    case 4: return (x & 1) ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    case 1: return (row[x / 8] >> (7 - (x & 7))) & 1;
    default: return 0;
    }
}

void CVes_Dib::BlendPalette(COLORREF color, int percent)
{
    if (m_block.empty() || m_paletteSize == 0)
        return;
    // A share below 0 would push the entries out of range.
    percent = std::clamp(percent, 0, 100);
    const int channel[3] = {GetBValue(color), GetGValue(color), GetRValue(color)};
    std::uint8_t* entry = m_block.data() + HeaderSize;
    for (int i = 0; i < m_paletteSize; ++i, entry += 4)
        for (int c = 0; c < 3; ++c)
            entry[c] = std::uint8_t((entry[c] * (100 - percent) + channel[c] * percent) / 100);
    m_sectionStale = true;
}

void CVes_Dib::Clone(const CVes_Dib& other)
{
    if (this == &other)
        return;
    if (!other.IsValid()) {
        Free();
        return;
    }
    if (Create(other.GetWidth(), other.GetHeight(), other.GetBitCount()))
        m_block = other.m_block;
}

QImage CVes_Dib::toImage() const
{
    if (m_block.empty())
        return {};
    const int w = GetWidth();
    const int h = GetHeight();
    QImage image(w, h, QImage::Format_RGB32);
    const std::uint8_t* palette = m_block.data() + HeaderSize;
    const std::uint8_t* bits = GetBits();
    auto paletteRgb = [palette](int i) {
        const std::uint8_t* e = palette + i * 4;
        return qRgb(e[2], e[1], e[0]);
    };
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = bits + std::size_t(m_lineWidth) * (h - y - 1);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            switch (GetBitCount()) {
            case 1: out[x] = paletteRgb((row[x / 8] >> (7 - (x & 7))) & 1); break;
            case 4: out[x] = paletteRgb((x & 1) ? row[x / 2] & 0x0F : row[x / 2] >> 4); break;
            case 8: out[x] = paletteRgb(row[x]); break;
            case 16: {
                const int v = row[2 * x] | (row[2 * x + 1] << 8); // 5-5-5
                out[x] = qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31,
                              (v & 31) * 255 / 31);
                break;
            }
            case 24: out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
            case 32: out[x] = qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]); break;
            default: out[x] = qRgb(0, 0, 0); break;
            }
        }
    }
    return image;
}

void CVes_Dib::Draw(platform::Dc* dc, int x, int y)
{
    if (!dc || m_block.empty())
        return;
    if (m_section.isNull() || m_sectionStale) {
        m_section = platform::Bitmap(toImage());
        m_sectionStale = false;
    }
    std::unique_ptr<platform::Dc> memory = dc->CreateCompatibleDC();
    if (!memory)
        return;
    const platform::Bitmap old = memory->SelectObject(m_section);
    dc->BitBlt(x, y, GetWidth(), GetHeight(), memory.get(), 0, 0, SRCCOPY);
    memory->SelectObject(old);
}
