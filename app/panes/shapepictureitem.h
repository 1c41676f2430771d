#pragma once
// A property-grid item that shows a bar shape in place of a value text,
// fitted into the value cell with the shape's own proportions.

#include "widgara/propertygriditem.h"

#include <memory>

class CVes_ShapeModel;

class CShapePictureItem : public CXTPPropertyGridItem {
public:
    explicit CShapePictureItem(const QString& strCaption);
    ~CShapePictureItem() override;

    // The shape to show (the item keeps it); null shows the value text.
    void SetPicture(std::unique_ptr<CVes_ShapeModel> picture);
    const CVes_ShapeModel* GetPicture() const { return m_picture.get(); }

    bool OnDrawItemValue(platform::Dc& dc, const QRect& rcValue) override;

    // Where a picture of the given height and width is drawn inside `value`:
    // as large as fits, with its height-to-width ratio, centred.
    static QRect fitPicture(int pictureHeight, int pictureWidth, const QRect& value);

private:
    std::unique_ptr<CVes_ShapeModel> m_picture;
};
