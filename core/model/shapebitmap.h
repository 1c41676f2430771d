#pragma once
// Pictures of bar shapes for the spreadsheet exports: a shape drawn into a
// bitmap, a bitmap written as a Windows BMP file, and the version of the
// system shape library.

#include "platform/dc.h"

#include <QString>
#include <functional>

class CVes_ModelRecord;

// Draws `record` into a new white bitmap of width × height pixels, at 90
// logical units an inch. Without `dc` the drawing uses a screen-like one.
void ModelRecordToBitmap(platform::Bitmap& bitmap, CVes_ModelRecord* record, int width, int height,
                         platform::Dc* dc, unsigned int flags);

// Makes `bitmap` a white picture of width × height pixels mapped at 90
// logical units an inch, and lets `draw` draw on it; `draw` receives the
// memory context and the picture's logical rectangle.
void renderShapeBitmap(platform::Bitmap& bitmap, int width, int height, platform::Dc* dc,
                       const std::function<void(platform::Dc*, const platform::Rect&)>& draw);

// Writes `bitmap` as a 24-bit BMP file; 1 when written, 0 for a null bitmap
// or a file that cannot be written.
int SaveBitmapToFile(const platform::Bitmap& bitmap, const QString& path);

// The version triple of the system shape library; left as it is when the
// library cannot be read.
void getSysLibVer(int& major, int& minor, int& build);
