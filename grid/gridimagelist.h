#pragma once
// The pictures a grid's cells can show beside their text: a list of images
// of one size, addressed by index.

#include "platform/dc.h"

#include <QImage>
#include <vector>

class CGridImageList {
public:
    // Answers the index of the new image.
    int Add(const QImage& image);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    // The image's rectangle: (0, 0) to its size, right and bottom exclusive.
    bool GetImageInfo(int nImage, platform::Rect* pRect) const;
    // Draws the image with its top left at the point.
    bool Draw(platform::Dc* pDC, int nImage, QPoint pt) const;

private:
    std::vector<QImage> m_images;
};
