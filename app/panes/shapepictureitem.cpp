#include "app/panes/shapepictureitem.h"

#include "core/model/shapemodel.h"
#include "platform/dc.h"
#include "widgara/propertygrid.h"

#include <cmath>

CShapePictureItem::CShapePictureItem(const QString& strCaption) : CXTPPropertyGridItem(strCaption) {}

CShapePictureItem::~CShapePictureItem() = default;

void CShapePictureItem::SetPicture(std::unique_ptr<CVes_ShapeModel> picture)
{
    m_picture = std::move(picture);
    if (GetGrid())
        GetGrid()->RedrawControl();
}

QRect CShapePictureItem::fitPicture(int pictureHeight, int pictureWidth, const QRect& value)
{
    if (pictureHeight <= 0 || pictureWidth <= 0 || value.isEmpty())
        return {};
    const double r = double(pictureHeight) / pictureWidth;
    const double q = double(value.height()) / value.width();
    if (r > q) {
        const int width = int(std::lround(value.height() / r));
        const int left = value.left() + int(std::lround((value.width() - width) / 2.0));
        return QRect(left, value.top(), width, value.height());
    }
    if (r < q) {
        const int height = int(std::lround(value.width() * r));
        const int top = value.top() + int(std::lround((value.height() - height) / 2.0));
        return QRect(value.left(), top, value.width(), height);
    }
    return value;
}

bool CShapePictureItem::OnDrawItemValue(platform::Dc& dc, const QRect& rcValue)
{
    if (!m_picture)
        return false;
    const QRect box = fitPicture(m_picture->m_rectH, m_picture->m_rectW, rcValue);
    if (box.isEmpty())
        return false;
    const int saved = dc.SaveDC();
    const platform::Rect rect(box.left(), box.top(), box.right() + 1, box.bottom() + 1);
    constexpr platform::COLORREF kBlack = 0;
    m_picture->Draw(&dc, kBlack, kBlack, kBlack, rect.left, rect.top, 0, &rect, 0, 1, -1.0);
    dc.RestoreDC(saved);
    return true;
}
