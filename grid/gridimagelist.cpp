#include "grid/gridimagelist.h"

int CGridImageList::Add(const QImage& image)
{
    m_images.push_back(image);
    return static_cast<int>(m_images.size()) - 1;
}

bool CGridImageList::GetImageInfo(int nImage, platform::Rect* pRect) const
{
    if (nImage < 0 || nImage >= GetImageCount() || !pRect)
        return false;
    const QImage& image = m_images[static_cast<size_t>(nImage)];
    *pRect = platform::Rect(0, 0, image.width(), image.height());
    return true;
}

bool CGridImageList::Draw(platform::Dc* pDC, int nImage, QPoint pt) const
{
    if (!pDC || nImage < 0 || nImage >= GetImageCount())
        return false;
    return pDC->DrawState(pt, m_images[static_cast<size_t>(nImage)], platform::DSS_NORMAL);
}
