#pragma once
// Reading what a sheet page drew into a recording context: the devices the
// pages are drawn on, a page drawn on one, the mapping a record was drawn
// under, and the box a text covers on the device.

#include "platform/recordingdc.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/tablehelpers.h"

#include <QPolygon>

#include <cmath>
#include <memory>
#include <utility>

namespace test {

// How a page is drawn: by a 600 dpi printer, or by a window at the zoom a
// sheet opens with.
enum class Device { Printer, Screen };

inline platform::RecordingDc deviceFor(Device device)
{
    platform::RecordingDc::Device d;
    if (device == Device::Printer) {
        d.printing = true;
        d.dpiX = d.dpiY = 600;
        d.width = d.height = 8000; // the whole of an A4 page either way round
    } else {
        // A window that shows the page below paper size, as the program
        // opens a sheet at 100 %.
        d.width = 1000;
        d.height = 700;
    }
    return platform::RecordingDc(d);
}

// Draws page `page` of `table` into `dc`, a context deviceFor(`device`)
// made (on a screen, the whole page in the window, as a sheet opens).
inline void drawPage(platform::RecordingDc& dc, CVes_TableBase& table, int page, Device device)
{
    setTableMapping(&dc, 1);
    table.setPageTo(page, 1);
    platform::Rect client(0, 0, dc.device().width, dc.device().height);
    dc.DPtoLP(&client);
    table.Draw(&dc, device == Device::Printer ? platform::Rect(1, 1, 100, 100) : client);
}

// A context with the mapping a record was drawn in, for mapping its points.
inline std::unique_ptr<platform::RecordingDc> mappingOf(const platform::DcRecord& record)
{
    auto dc = std::make_unique<platform::RecordingDc>();
    dc->SetMapMode(record.state.mapMode);
    dc->SetWindowExt(record.state.windowExt);
    dc->SetViewportExt(record.state.viewportExt);
    dc->SetWindowOrg(record.state.windowOrg);
    dc->SetViewportOrg(record.state.viewportOrg);
    return dc;
}

// The device box a TextOut record covers, by the recording context's own
// metrics (every GBK byte half the height wide), its alignment and its
// escapement.
inline platform::Rect textBox(const platform::DcRecord& record)
{
    const std::unique_ptr<platform::RecordingDc> dc = mappingOf(record);
    dc->SelectObject(record.font);
    const QSize extent = dc->GetTextExtent(record.text);
    const int w = extent.width();
    const int h = extent.height();
    using namespace platform::gdi;
    const unsigned align = record.state.textAlign;
    double left = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        left = -w / 2.0;
    else if (align & TA_RIGHT)
        left = -w;
    // Offsets towards the bottom of the characters, whichever way y runs.
    double top = 0;
    if ((align & TA_BASELINE) == TA_BASELINE)
        top = -h * 4 / 5;
    else if (align & TA_BOTTOM)
        top = -h;
    const double down = dc->scaleY() < 0 ? -1.0 : 1.0;
    const double angle = record.font.logFont().lfEscapement / 10.0 * M_PI / 180.0;
    const QPoint at = record.points.at(0);
    QPolygon corners;
    for (const auto& [x, y] : {std::pair{left, top}, {left + w, top}, {left, top + h},
                               {left + w, top + h}}) {
        // Counter-clockwise on the page.
        const double along = x;
        const double below = y * down;
        const double rx = along * std::cos(angle) + below * std::sin(angle) * down;
        const double ry = below * std::cos(angle) - along * std::sin(angle) * down;
        QPoint p(int(std::lround(at.x() + rx)), int(std::lround(at.y() + ry)));
        dc->LPtoDP(&p);
        corners << p;
    }
    const QRect box = corners.boundingRect();
    return platform::Rect(box.left(), box.top(), box.right(), box.bottom());
}

// Whether the record is the letter a grade symbol carries (drawn right
// after the symbol's ellipse): part of the symbol, not a text of its own.
inline bool isSymbolLetter(const platform::DcRecord& record, bool afterSymbol)
{
    return afterSymbol && record.font.logFont().lfWeight == platform::gdi::FW_SEMIBOLD
           && record.font.logFont().lfFaceName == QStringLiteral("Times New Roman");
}

} // namespace test
