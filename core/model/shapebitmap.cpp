#include "core/model/shapebitmap.h"

#include "core/geometry/text.h"
#include "core/model/modelrecordlib.h"
#include "platform/gdi.h"
#include "platform/painterdc.h"
#include "platform/savefile.h"

#include <QImage>
#include <QtEndian>

#include <cstdlib>

using namespace platform::gdi;

namespace {

// The height, in pixels, a picture's digits are drawn at; crowded, they
// get smaller down to the height below which they are not read, and then
// move.
constexpr int kNumberPixels = 11;
constexpr int kLegibleNumberPixels = 8;

// A height in pixels in the context's logical units.
int logicalHeight(const platform::Dc& dc, int pixels)
{
    QPoint height(0, pixels);
    dc.DPtoLP(&height, 1);
    QPoint origin(0, 0);
    dc.DPtoLP(&origin, 1);
    return std::abs(height.y() - origin.y());
}

} // namespace

void renderShapeBitmap(platform::Bitmap& bitmap, int width, int height, platform::Dc* dc,
                       const std::function<void(platform::Dc*, const platform::Rect&)>& draw)
{
    // Without a context, one like the screen's: a 96-dpi image.
    QImage screenImage(1, 1, QImage::Format_RGB32);
    std::unique_ptr<platform::PainterDc> screen;
    if (!dc) {
        screen = std::make_unique<platform::PainterDc>(&screenImage);
        dc = screen.get();
    }
    bitmap = dc->CreateCompatibleBitmap(width, height);
    std::unique_ptr<platform::Dc> memory = dc->CreateCompatibleDC();
    const platform::Bitmap old = memory->SelectObject(bitmap);
    const int oldMode = memory->SetMapMode(MM_ANISOTROPIC);
    memory->SetWindowExt(90, 90);
    memory->SetViewportExt(memory->GetDeviceCaps(LOGPIXELSX), memory->GetDeviceCaps(LOGPIXELSY));
    platform::Rect rect(0, 0, width, height);
    memory->DPtoLP(&rect);
    memory->SetBkColor(0xFFFFFF);
    memory->SetBkMode(TRANSPARENT);
    memory->FillSolidRect(rect, 0xFFFFFF);
    draw(memory.get(), rect);
    memory->SelectObject(old);
    memory->SetMapMode(oldMode);
}

void ModelRecordToBitmap(platform::Bitmap& bitmap, CVes_ModelRecord* record, int width, int height,
                         platform::Dc* dc, unsigned int flags)
{
    if (!record)
        return;
    renderShapeBitmap(bitmap, width, height, dc, [&](platform::Dc* memory, const platform::Rect& rect) {
        // However small the picture, its numbers stay readable and inside it.
        const ShapeTextFrame frame(logicalHeight(*memory, kNumberPixels), rect,
                                   logicalHeight(*memory, kLegibleNumberPixels));
        record->DrawEx(memory, 0x00FF00, 0x0000FF, 0x000000, 0xFF0000, 0, 0, flags, &rect, 0, 1, 0.5);
    });
}

namespace {

void putWord(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void putDword(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

} // namespace

int SaveBitmapToFile(const platform::Bitmap& bitmap, const QString& path)
{
    if (bitmap.isNull())
        return 0;
    // Every display here has more than 8 bits a pixel: 24-bit, no palette.
    const QImage image = bitmap.image()->convertToFormat(QImage::Format_RGB888);
    const int width = image.width();
    const int height = image.height();
    const quint32 stride = quint32((24 * width + 31) / 32 * 4);
    const quint32 pixelBytes = stride * quint32(height);

    QByteArray out;
    out.reserve(int(54 + pixelBytes));
    putWord(out, 0x4D42);
    putDword(out, 54 + pixelBytes);
    putWord(out, 0);
    putWord(out, 0);
    putDword(out, 54);
    putDword(out, 40);
    putDword(out, quint32(width));
    putDword(out, quint32(height));
    putWord(out, 1);
    putWord(out, 24);
    for (int i = 0; i < 6; ++i)
        putDword(out, 0); // compression and the rest
    // Rows bottom-up, each pixel blue, green, red, padded to four bytes.
    for (int y = height - 1; y >= 0; --y) {
        const uchar* line = image.constScanLine(y);
        QByteArray row(int(stride), '\0');
        for (int x = 0; x < width; ++x) {
            row[3 * x] = char(line[3 * x + 2]);
            row[3 * x + 1] = char(line[3 * x + 1]);
            row[3 * x + 2] = char(line[3 * x]);
        }
        out.append(row);
    }
    return platform::saveFile(path, out) ? 1 : 0;
}

void getSysLibVer(int& major, int& minor, int& build)
{
    CVes_ModelRecordMainLib lib;
    if (lib.loadLib(QString(), 1))
        lib.getVer(major, minor, build);
}
