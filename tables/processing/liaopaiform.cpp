#include "tables/processing/liaopaiform.h"

#include "core/model/modelreference.h"
#include "platform/dc.h"
#include "tables/framework/cell.h"
#include "tables/framework/tablehelpers.h"

using namespace platform::gdi;
using platform::Rect;

namespace {

const QString kHeiti = QStringLiteral("黑体");
// The text height (tag units) a tag's shape numbers are read beside: its
// labels'.
constexpr int kShapeNumberHeight = 40;

} // namespace

// One drawing of the form: the direction sign read from the context, the
// mapping of tag units to logical units and the working cell every cell of
// the layout is drawn through.
class CVes_LiaoPaiForm::Drawing {
public:
    Drawing(const CVes_LiaoPaiForm& form, platform::Dc* dc) : m_form(form), m_dc(dc), m_cell(0, 0)
    {
        const long long extents =
            (long long)dc->GetWindowExt().height() * dc->GetViewportExt().height();
        m_sign = extents < 0 ? -1 : 1;
        m_cell.setScale(form.m_scale);
        m_cell.SetDrawBk(form.m_drawBk);
        m_cell.setbkColor(form.m_bkColor);
        m_cell.SetText(QString(), kHeiti);
    }

    QPoint at(int x, int y) const
    {
        return QPoint(int(m_form.m_origin.x() + x * m_form.m_scale),
                      int(m_form.m_origin.y() + m_sign * y * m_form.m_scale));
    }
    Rect box(int x1, int y1, int x2, int y2) const { return Rect(at(x1, y1), at(x2, y2)); }

    void stroke(const Stroke& stroke)
    {
        if (stroke.points.empty())
            return;
        const platform::Pen pen(PS_SOLID, int(stroke.width * m_form.m_scale),
                                platform::RGB(0, 0, 0));
        const platform::Pen old = m_dc->SelectObject(pen);
        m_dc->MoveTo(at(stroke.points.front().x(), stroke.points.front().y()));
        for (std::size_t i = 1; i < stroke.points.size(); ++i)
            m_dc->LineTo(at(stroke.points[i].x(), stroke.points[i].y()));
        m_dc->SelectObject(old);
    }

    void text(const Rect& rect, const QString& text, const QString& font, int height,
              unsigned align, int border)
    {
        m_cell.SetText(text, font);
        m_cell.setTxtHigh(int(height * m_form.m_scale));
        m_cell.setTextAligh(align);
        m_cell.SetDrawBorder(border);
        draw(rect);
    }

    // The bar's shape fitted into the cell; an empty bordered cell without one.
    void shape(const Rect& rect, int border)
    {
        if (!m_form.m_shape) {
            text(rect, QString(), kHeiti, 36, CVes_Cell::kAlignCentre, border);
            return;
        }
        m_form.m_shape->setMapRatio(m_form.m_shapeScale);
        m_cell.SetModel(m_form.m_shape);
        m_cell.setTextAligh(CVes_Cell::kAlignCentre);
        // The height the shape's numbers are read beside.
        m_cell.setTxtHigh(int(kShapeNumberHeight * m_form.m_scale));
        m_cell.SetDrawBorder(border);
        draw(rect);
    }

private:
    void draw(const Rect& rect)
    {
        if (m_form.m_drawBk)
            m_cell.DrawBk(m_dc, 0, 0, rect, 0);
        m_cell.Draw(m_dc, 0, 0, rect, 0);
    }

    const CVes_LiaoPaiForm& m_form;
    platform::Dc* m_dc;
    CVes_Cell m_cell;
    int m_sign = 1;
};

CVes_LiaoPaiForm::CVes_LiaoPaiForm() = default;

CVes_LiaoPaiForm::CVes_LiaoPaiForm(platform::Dc* dc, QPoint origin, double scale)
    : m_dc(dc), m_origin(origin), m_scale(scale)
{
}

void CVes_LiaoPaiForm::setData(const QString& project, const QString& storey,
                               const QString& eleType, const QString& tagNumber,
                               const QString& remark, const QString& element,
                               const QString& barNumber, const QString& count,
                               const QString& grade, const QString& cutLength,
                               CVes_ModelReference* shape)
{
    m_project = project;
    m_storey = storey;
    m_eleType = eleType;
    m_tagNumber = tagNumber;
    m_remark = remark;
    m_element = element;
    m_barNumber = barNumber;
    m_count = count;
    m_grade = grade;
    m_cutLength = cutLength;
    m_shape = shape;
}

int CVes_LiaoPaiForm::HitTest(QPoint point) const
{
    Rect rect = m_hitRect;
    rect.NormalizeRect();
    return rect.PtInRect(point) ? 1 : 0;
}

QString CVes_LiaoPaiForm::elementText() const
{
    QString text = m_storey;
    if (!m_storey.isEmpty() && !m_eleType.isEmpty())
        text += QStringLiteral("__");
    text += m_eleType;
    if (!text.isEmpty())
        text += u'\n';
    return text + m_element;
}

QString CVes_LiaoPaiForm::cutLengthLabel() const
{
    switch (m_lengthUnit) {
    case 0: return QStringLiteral("断料长度(mm)");
    case 1: return QStringLiteral("断料长度(cm)");
    default: return QStringLiteral("断料长度(m)");
    }
}

QString CVes_LiaoPaiForm::countLabel() const
{
    return m_shape && m_shape->isMultiVal() ? QStringLiteral("支/组数") : QStringLiteral("根数");
}

int CVes_LiaoPaiForm::cutLengthHeight() const
{
    return m_cutLength.indexOf(u'\n') > 0 ? 40 : 64;
}

QString CVes_LiaoPaiForm::contentText(Content content) const
{
    switch (content) {
    case Content::Project: return m_project;
    case Content::Storey: return m_storey;
    case Content::EleType: return m_eleType;
    case Content::TagNumber: return m_tagNumber;
    // A remark breaks its lines as on the sheets it comes from.
    case Content::Remark: return remarkText(m_remark);
    case Content::Element: return m_element;
    case Content::BarNumber: return m_barNumber;
    case Content::Count: return m_count;
    case Content::Grade: return m_grade;
    case Content::Weight: return m_weight;
    case Content::CutLength: return m_cutLength;
    case Content::ElementText: return elementText();
    case Content::CutLengthLabel: return cutLengthLabel();
    case Content::CountLabel: return countLabel();
    case Content::ProjectStorey:
        return m_storey.isEmpty() ? m_project
                                  : QString::asprintf("%s-%s", qUtf8Printable(m_project),
                                                      qUtf8Printable(m_storey));
    case Content::Label:
    case Content::Shape: break;
    }
    return QString();
}

void CVes_LiaoPaiForm::drawLayout(platform::Dc* dc, const LayoutSpec& layout)
{
    if (!dc)
        return;
    Drawing drawing(*this, dc);
    for (const Rect& r : layout.backgrounds)
        drawing.text(drawing.box(r.left, r.top, r.right, r.bottom), QString(), kHeiti, 36,
                     CVes_Cell::kAlignCentre, 1);
    for (const Stroke& stroke : layout.strokes)
        drawing.stroke(stroke);
    if (layout.hit)
        m_hitRect = drawing.box(layout.hit->left, layout.hit->top, layout.hit->right,
                                layout.hit->bottom);
    for (const CellSpec& cell : layout.cells) {
        const Rect rect = drawing.box(cell.x1, cell.y1, cell.x2, cell.y2);
        if (cell.content == Content::Shape) {
            drawing.shape(rect, cell.border);
            continue;
        }
        const QString label = cell.text ? QString::fromUtf8(cell.text) : QString();
        const QString text = cell.content == Content::Label ? label
                                                            : label + contentText(cell.content);
        const int height = cell.height < 0 ? cutLengthHeight() : cell.height;
        drawing.text(rect, text, QString::fromUtf8(cell.font ? cell.font : "黑体"), height,
                     cell.align, cell.border);
    }
}
