#pragma once
// How the spreadsheet measures a sheet, shared by the workbook, which sizes
// rows and places pictures, and by the parts written into its package.

#include <cstdint>

namespace platform::xlsx {

// The spreadsheet draws pictures at 96 pixels per inch; offsets are points.
inline constexpr double kPixelsPerPoint = 96.0 / 72.0;
// The pictures are stored at 3780 dots a metre, as near 96 dpi as whole
// dots per metre get; the spreadsheet sizes them by that resolution, so the
// workbook scales them back by this to exactly one pixel a pixel.
inline constexpr int kDotsPerMeterAt96Dpi = 3780;
inline constexpr double kStoredDpi = kDotsPerMeterAt96Dpi * 0.0254;
inline constexpr double kPixelScale = kDotsPerMeterAt96Dpi * 0.0254 / 96.0;
// A row without a height of its own is this high, in points.
inline constexpr double kDefaultRowHeight = 15;
inline constexpr double kMaxRowHeight = 409;
// The spreadsheet's width of a column the template does not size, in
// characters.
inline constexpr double kDefaultColumnWidth = 8.43;

// A column's width in pixels as the spreadsheet rounds it: seven pixels a
// character and five of margin.
inline std::uint32_t widthPixels(double width)
{
    if (width < 1.0)
        return std::uint32_t(width * 12 + 0.5);
    return std::uint32_t(width * 7 + 0.5) + 5;
}

} // namespace platform::xlsx
