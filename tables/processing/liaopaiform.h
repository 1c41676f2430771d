#pragma once
// The drawing of one bar tag (料牌): the frames, the grid of bordered cells
// with the tag's labels and texts, and the bar's shape. One form serves every
// tag of a page: the tag pages fill its texts, place it and call the drawing
// of the sheet's tag layout. Dimensions are tenths of a millimetre times the
// form's scale, from the top-left corner of the tag's heavy frame; the tag
// always extends to the right of and down the page from there, whichever way
// the context's vertical axis runs.

#include "platform/gdi.h"
#include "platform/rect.h"

#include <QPoint>
#include <QString>

#include <optional>
#include <vector>

class CVes_Cell;
class CVes_ModelReference;
namespace platform { class Dc; }

class CVes_LiaoPaiForm {
public:
    CVes_LiaoPaiForm();
    CVes_LiaoPaiForm(platform::Dc* dc, QPoint origin, double scale);
    CVes_LiaoPaiForm(const CVes_LiaoPaiForm&) = default;
    CVes_LiaoPaiForm& operator=(const CVes_LiaoPaiForm&) = default;
    ~CVes_LiaoPaiForm() = default;

    void setCDC(platform::Dc* dc) { m_dc = dc; }
    void setPt(QPoint origin) { m_origin = origin; }
    void setScale(double scale) { m_scale = scale; }
    void setbkColor(platform::COLORREF colour) { m_bkColor = colour; }

    // The ten texts in the order of a tag row's texts and the tag's shape
    // (not owned, may be null). The weight is left as it is.
    void setData(const QString& project, const QString& storey, const QString& eleType,
                 const QString& tagNumber, const QString& remark, const QString& element,
                 const QString& barNumber, const QString& count, const QString& grade,
                 const QString& cutLength, CVes_ModelReference* shape);

    // 1 when the point lies in the hit rectangle the last two-part or compact
    // drawing recorded (left and top edges inside, right and bottom outside).
    int HitTest(QPoint point) const;

    // The six layouts of the tag sheet: 0 two parts one above the other,
    // 1 two parts side by side, 2 compact, 3 the default, 4 the default on a
    // landscape tag of two halves, 5 the narrow default without weight.
    void OnDraw(platform::Dc* dc);
    void OnDrawH(platform::Dc* dc);
    void OnDrawJ(platform::Dc* dc);
    void OnDrawJ2(platform::Dc* dc);
    void OnDrawJ2H(platform::Dc* dc);
    void OnDrawModel6(platform::Dc* dc);

    // "storey__type\nelement", each part only when it has a text.
    QString elementText() const;
    // "断料长度(mm)", "(cm)" for 1, "(m)" for any other unit.
    QString cutLengthLabel() const;
    // "支/组数" for a graded shape, else "根数".
    QString countLabel() const;
    // Whether the tag's shape is graded.
    bool isGraded() const;
    // 40 when the cut length runs over two lines, else 64.
    int cutLengthHeight() const;

    QString m_project;
    QString m_storey;
    QString m_eleType;
    QString m_tagNumber;
    QString m_remark;
    QString m_element;
    QString m_barNumber;
    QString m_count;
    QString m_grade;
    QString m_weight;
    QString m_cutLength;
    CVes_ModelReference* m_shape = nullptr;
    double m_shapeScale = 1.0;
    int m_lengthUnit = 0;
    platform::Dc* m_dc = nullptr;
    QPoint m_origin;
    double m_scale = 1.0;
    platform::Rect m_hitRect;
    int m_drawBk = 0;
    platform::COLORREF m_bkColor = platform::RGB(255, 255, 255);

    // What a cell of a layout shows.
    enum class Content {
        Label, Project, Storey, EleType, TagNumber, Remark, Element, BarNumber, Count, Grade,
        Weight, CutLength, ElementText, CutLengthLabel, CountLabel, ProjectStorey, Shape,
    };
    // One cell of a layout, in tag units from the tag's origin.
    struct CellSpec {
        int x1, y1, x2, y2;
        Content content;
        const char* font = nullptr;  // UTF-8 face name
        int height = 36;             // text height; -1 the cut length's own
        unsigned align = 6;          // 0 left, 2 right, 6 centred
        int border = 1;
        const char* text = nullptr;  // the label, or the prefix of a run
    };
    // Lines drawn with one solid black pen of `width` tag units: a closed
    // frame, a divider or an open tear notch.
    struct Stroke {
        int width;
        std::vector<QPoint> points;
    };
    // A whole layout, drawn in this order: the filled backgrounds of the
    // outer frames, the strokes, then the cells. `hit` is the rectangle the
    // layout records for HitTest (none: the hit rectangle is left alone).
    struct LayoutSpec {
        std::vector<platform::Rect> backgrounds;
        std::vector<Stroke> strokes;
        std::optional<platform::Rect> hit;
        std::vector<CellSpec> cells;
    };

private:
    class Drawing;
    void drawLayout(platform::Dc* dc, const LayoutSpec& layout);
    QString contentText(Content content) const;
    // What a cell of a layout draws: its label, or its prefix and content.
    QString cellText(const CellSpec& cell) const;
};
