#include "core/model/shapemodel.h"

#include "core/geometry/geometry.h"
#include "platform/archive.h"
#include "platform/dc.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace platform::gdi;

namespace {

// Where a side's bar arrives for joining: the end of a straight side; for an
// arc, a point 100 units from its first point along its direction at the end.
QPoint joinPoint(const CVes_Side& side)
{
    if (side.getType() == CVes_Curve::kArc)
        return vesPolar(side.getStart(), side.getTangent(2), 100);
    return side.getEnd();
}

// Whether a straight side from `start` to `end` continues `previous` in a
// straight line.
bool continuesInLine(const CVes_Side& previous, QPoint start, QPoint end)
{
    // Only straight sides can take another side's end.
    if (previous.getType() != CVes_Curve::kLine)
        return false;
    const QPoint joint = joinPoint(previous);
    return getDisPtToLine(joint, previous.getStart(), end) < 1 && getDisPtToPt(joint, start) < 1;
}

template <typename T>
T* append(std::vector<std::unique_ptr<T>>& items, std::unique_ptr<T> item)
{
    items.push_back(std::move(item));
    return items.back().get();
}

template <typename T>
bool removeItem(std::vector<std::unique_ptr<T>>& items, const CVes_DrawObject* item)
{
    const auto at = std::find_if(items.begin(), items.end(), [&](const auto& p) { return p.get() == item; });
    if (at == items.end())
        return false;
    items.erase(at);
    return true;
}

template <typename T>
std::unique_ptr<T> copyCurve(const T& other)
{
    auto copy = std::make_unique<T>();
    copy->set(&other);
    copy->setGroupIndex(other.getGroupIndex());
    return copy;
}

template <typename T>
void appendTo(CVes_DrawObjList& list, const std::vector<std::unique_ptr<T>>& items)
{
    for (const auto& item : items)
        list.push_back(item.get());
}

// Least stored sizes, to refuse counts that the bytes left cannot hold.
constexpr qsizetype kLeastCurveBytes = 32;
constexpr qsizetype kLeastTextBytes = 26;
constexpr qsizetype kLeastVariableBytes = 59;
constexpr qsizetype kLeastSideBytes = 54;

template <typename T>
std::vector<std::unique_ptr<T>> readItems(platform::Archive& ar, qsizetype leastBytes)
{
    const std::int32_t count = ar.readIntCount(leastBytes);
    std::vector<std::unique_ptr<T>> items;
    items.reserve(std::size_t(count));
    for (std::int32_t i = 0; i < count; ++i) {
        auto item = std::make_unique<T>();
        item->Serialize(ar);
        items.push_back(std::move(item));
    }
    return items;
}

template <typename T>
void writeItems(platform::Archive& ar, const std::vector<std::unique_ptr<T>>& items)
{
    ar << std::int32_t(items.size());
    for (const auto& item : items)
        item->Serialize(ar);
}

template <typename T>
void moveInto(std::vector<std::unique_ptr<T>>& to, std::vector<std::unique_ptr<T>>& from)
{
    for (auto& item : from)
        to.push_back(std::move(item));
}

bool samePoints(const CVes_Curve& a, const CVes_Curve& b, bool third)
{
    return a.m_P1 == b.m_P1 && a.m_P2 == b.m_P2 && (!third || a.m_P3 == b.m_P3);
}

bool sameCurve(const CVes_Curve& a, const CVes_Curve& b, bool third)
{
    return a.m_type == b.m_type && a.m_lineWidth == b.m_lineWidth && a.m_lineStyle == b.m_lineStyle
           && samePoints(a, b, third);
}

bool sameText(const CVes_Text& a, const CVes_Text& b)
{
    return a.m_position == b.m_position && a.m_text == b.m_text && a.m_height == b.m_height
           && a.m_angle == b.m_angle && a.m_align == b.m_align;
}

bool sameVariable(const CVes_Variable& a, const CVes_Variable& b)
{
    return a.m_position == b.m_position && a.m_text == b.m_text && a.m_height == b.m_height
           && a.m_angle == b.m_angle && a.m_align == b.m_align && a.m_unit == b.m_unit
           && a.m_type == b.m_type;
}

// `marksThird`: whether the third points of connection marks count too.
bool sameSide(const CVes_Side& a, const CVes_Side& b, bool marksThird)
{
    if (a.m_type != b.m_type)
        return false;
    if (a.isConnect()) {
        if (a.m_subStyle != b.m_subStyle || a.m_text != b.m_text)
            return false;
    } else if (a.m_angleText != b.m_angleText || a.m_lengthText != b.m_lengthText) {
        return false;
    }
    const bool third = a.m_type == CVes_Curve::kArc || (marksThird && a.m_type >= CVes_Curve::kArc);
    return samePoints(a, b, third);
}

template <typename T, typename Same>
bool allSame(const std::vector<std::unique_ptr<T>>& a, const std::vector<std::unique_ptr<T>>& b,
             Same same, std::size_t from = 0)
{
    for (std::size_t i = from; i < a.size(); ++i) {
        if (!same(*a[i], *b[i]))
            return false;
    }
    return true;
}

} // namespace

int sideLengthOf(double value)
{
    if (!std::isfinite(value))
        return 0;
    // A whole number missed by a rounding error in the last digits counts
    // (the formula language's pi is 3.1415926, so 1000*sin30 is 7.7e-6
    // short of 500); a real fraction of a millimetre on a long bar does not.
    const double whole = std::round(value);
    if (std::fabs(value - whole) < 1e-7 * std::max(10.0, std::fabs(whole)))
        value = whole;
    const double limit = std::numeric_limits<int>::max();
    return int(std::clamp(std::trunc(value), -limit, limit));
}

CVes_ShapeModel::CVes_ShapeModel(const CVes_ShapeModel& other)
{
    set(&other);
}

CVes_ShapeModel& CVes_ShapeModel::operator=(const CVes_ShapeModel& other)
{
    set(&other);
    return *this;
}

CVes_ShapeModel::~CVes_ShapeModel() = default;

// adding items

CVes_Line* CVes_ShapeModel::AddLine(int x1, int y1, int x2, int y2, int lineWidth,
                                    unsigned int lineStyle, platform::COLORREF colour)
{
    auto line = std::make_unique<CVes_Line>();
    line->m_P1.set(x1, y1);
    line->m_P2.set(x2, y2);
    line->setLineWidth(unsigned(lineWidth));
    line->setLineStyle(lineStyle);
    line->setColor(colour);
    return append(m_arrLine, std::move(line));
}

CVes_Arc* CVes_ShapeModel::AddArc(int x1, int y1, int x2, int y2, int x3, int y3, int lineWidth,
                                  unsigned int lineStyle, platform::COLORREF colour)
{
    auto arc = std::make_unique<CVes_Arc>();
    arc->m_P1.set(x1, y1);
    arc->m_P2.set(x2, y2);
    arc->m_P3.set(x3, y3);
    arc->setLineWidth(unsigned(lineWidth));
    arc->setLineStyle(lineStyle);
    arc->setColor(colour);
    return append(m_arrArc, std::move(arc));
}

CVes_Circle* CVes_ShapeModel::AddCircle(int x, int y, int radius, int lineWidth,
                                        unsigned int lineStyle, platform::COLORREF colour)
{
    auto circle = std::make_unique<CVes_Circle>();
    circle->m_P1.set(x, y);
    circle->m_P2.set(radius, 0);
    circle->setLineWidth(unsigned(lineWidth));
    circle->setLineStyle(lineStyle);
    circle->setColor(colour);
    return append(m_arrCircle, std::move(circle));
}

CVes_Text* CVes_ShapeModel::AddText(const QString& text, int x, int y, int height, unsigned int align,
                                    int angle, platform::COLORREF colour, int print)
{
    auto item = std::make_unique<CVes_Text>();
    item->m_text = text;
    item->m_position.set(x, y);
    item->setTxtHigh(height);
    item->setTxtAlign(align);
    item->m_angle = angle;
    item->setColor(colour);
    item->setPrint(print);
    return append(m_arrText, std::move(item));
}

CVes_Variable* CVes_ShapeModel::AddVar(const QString& name, unsigned int kind, const QString& formula,
                                       int x, int y, int height, unsigned int align, int angle,
                                       platform::COLORREF colour)
{
    CVes_Variable* v = AddVar(name, x, y, height, align, angle, colour);
    v->setVarType(kind);
    v->m_formula = formula;
    return v;
}

CVes_Variable* CVes_ShapeModel::AddVar(const QString& name, int x, int y, int height,
                                       unsigned int align, int angle, platform::COLORREF colour)
{
    auto v = std::make_unique<CVes_Variable>();
    v->m_text = name;
    v->m_position.set(x, y);
    v->setTxtHigh(height);
    v->setTxtAlign(align);
    v->m_angle = angle;
    v->setColor(colour);
    return append(m_arrVar, std::move(v));
}

CVes_Variable* CVes_ShapeModel::AddVar(const CVes_Variable* variable)
{
    auto copy = std::make_unique<CVes_Variable>(variable);
    copy->setGroupIndex(variable->getGroupIndex());
    return append(m_arrVar, std::move(copy));
}

CVes_Side* CVes_ShapeModel::AddLSide(int x1, int y1, int x2, int y2, int lineWidth,
                                     unsigned int lineStyle, platform::COLORREF colour)
{
    auto side = std::make_unique<CVes_Side>();
    side->m_type = CVes_Curve::kLine;
    side->m_P1.set(x1, y1);
    side->m_P2.set(x2, y2);
    side->setLineWidth(unsigned(lineWidth));
    side->setLineStyle(lineStyle);
    side->setColor(colour);

    if (!m_arrSide.empty() && !m_arrSide.back()->isConnect()) {
        CVes_Side& previous = *m_arrSide.back();
        const QPoint start(x1, y1), end(x2, y2);
        side->m_bendDirection = ptIsLineLeft(end, previous.getStart(), joinPoint(previous));
        if (continuesInLine(previous, start, end)) {
            previous.m_P2.set(x2, y2);
            return &previous;
        }
    }
    return append(m_arrSide, std::move(side));
}

CVes_Side* CVes_ShapeModel::AddArcSide(int x1, int y1, int x2, int y2, int x3, int y3, int lineWidth,
                                       unsigned int lineStyle, platform::COLORREF colour)
{
    auto side = std::make_unique<CVes_Side>();
    side->m_type = CVes_Curve::kArc;
    side->m_P1.set(x1, y1);
    side->m_P2.set(x2, y2);
    side->m_P3.set(x3, y3);
    side->setLineWidth(unsigned(lineWidth));
    side->setLineStyle(lineStyle);
    side->setColor(colour);

    if (!m_arrSide.empty() && !m_arrSide.back()->isConnect()) {
        const CVes_Side& previous = *m_arrSide.back();
        const QPoint ahead = vesPolar(previous.getStart(), side->getTangent(1), 100);
        side->m_bendDirection = ptIsLineLeft(ahead, previous.getStart(), joinPoint(previous));
    }
    return append(m_arrSide, std::move(side));
}

CVes_Side* CVes_ShapeModel::AddConnect(unsigned int type, int x, int y, const QString& text)
{
    const QPoint at(x, y);
    const auto hit = std::find_if(m_arrSide.begin(), m_arrSide.end(), [&](const auto& side) {
        return side->HitTest(at) && side->getType() == CVes_Curve::kLine;
    });
    if (hit == m_arrSide.end())
        return nullptr;

    CVes_Side& split = **hit;
    const CVes_Point end = split.m_P2;
    split.m_P2.set(x, y);

    auto mark = std::make_unique<CVes_Side>();
    mark->m_type = CVes_Curve::kConnectMark;
    mark->m_P1.set(x, y);
    mark->m_P2 = split.m_P1; // the direction of the bar
    mark->m_subStyle = int(type);
    mark->m_text = text;

    auto rest = std::make_unique<CVes_Side>();
    rest->m_type = split.m_type;
    rest->m_P1.set(x, y);
    rest->m_P2 = end;
    rest->setLineWidth(unsigned(split.m_lineWidth));
    rest->setLineStyle(split.m_lineStyle);
    rest->setColor(split.m_color);

    CVes_Side* inserted = mark.get();
    const auto markAt = m_arrSide.insert(hit + 1, std::move(mark));
    m_arrSide.insert(markAt + 1, std::move(rest));
    return inserted;
}

// finding and removing

CVes_Side* CVes_ShapeModel::getPrvSide(int index) const
{
    if (index <= 0 || index > int(m_arrSide.size()))
        return nullptr;
    return m_arrSide[std::size_t(index - 1)].get();
}

CVes_Side* CVes_ShapeModel::getNextSide(int index) const
{
    if (index < -1 || index + 1 >= int(m_arrSide.size()))
        return nullptr;
    return m_arrSide[std::size_t(index + 1)].get();
}

int CVes_ShapeModel::DeleteSide(CVes_DrawObject* item)
{
    const auto found = std::find_if(m_arrSide.begin(), m_arrSide.end(),
                                    [&](const auto& side) { return side.get() == item; });
    if (found == m_arrSide.end())
        return 0;
    const std::size_t index = std::size_t(found - m_arrSide.begin());
    const bool wasMark = (*found)->isConnect();
    m_arrSide.erase(found);

    if (!wasMark) {
        // A mark left at the end of what remains joins nothing.
        if (index > 0 && m_arrSide[index - 1]->isConnect())
            m_arrSide.erase(m_arrSide.begin() + std::ptrdiff_t(index - 1));
        return 1;
    }

    // Without the mark, two straight sides in line become one.
    if (index == 0 || index >= m_arrSide.size())
        return 1;
    CVes_Side& before = *m_arrSide[index - 1];
    const CVes_Side& after = *m_arrSide[index];
    if (before.isConnect() || after.getType() != CVes_Curve::kLine)
        return 1;
    if (continuesInLine(before, after.getStart(), after.getEnd())) {
        before.m_P2 = after.m_P2;
        m_arrSide.erase(m_arrSide.begin() + std::ptrdiff_t(index));
    }
    return 1;
}

bool CVes_ShapeModel::deleteObject(CVes_DrawObject* item)
{
    if (removeItem(m_arrCircle, item) || removeItem(m_arrLine, item))
        return true;
    if (DeleteSide(item))
        return true;
    return removeItem(m_arrArc, item) || removeItem(m_arrText, item) || removeItem(m_arrVar, item);
}

CVes_DrawObject* CVes_ShapeModel::HitTest(QPoint point) const
{
    for (const auto& side : m_arrSide) {
        if (side->HitTest(point))
            return side.get();
    }
    for (const auto& v : m_arrVar) {
        if (v->CVes_String::HitTest(point))
            return v.get();
    }
    for (const auto& line : m_arrLine) {
        if (line->HitTest(point))
            return line.get();
    }
    for (const auto& arc : m_arrArc) {
        if (arc->HitTest(point))
            return arc.get();
    }
    for (const auto& text : m_arrText) {
        if (text->HitTest(point))
            return text.get();
    }
    for (const auto& circle : m_arrCircle) {
        if (circle->HitTest(point))
            return circle.get();
    }
    return nullptr;
}

const CVes_DrawObjList& CVes_ShapeModel::getShapeList()
{
    m_list.clear();
    appendTo(m_list, m_arrCircle);
    appendTo(m_list, m_arrLine);
    appendTo(m_list, m_arrSide);
    appendTo(m_list, m_arrArc);
    appendTo(m_list, m_arrText);
    appendTo(m_list, m_arrVar);
    return m_list;
}

void CVes_ShapeModel::clearShape()
{
    m_list.clear();
    m_arrText.clear();
    m_arrVar.clear();
    m_arrLine.clear();
    m_arrArc.clear();
    m_arrCircle.clear();
    m_arrSide.clear();
}

void CVes_ShapeModel::set(const CVes_ShapeModel* other)
{
    if (!other || other == this)
        return;
    clearShape();
    m_rectH = other->m_rectH;
    m_rectW = other->m_rectW;
    m_ratio = other->m_ratio;
    m_mirror = other->m_mirror;
    m_multiVal = other->m_multiVal;
    m_showVar = other->m_showVar;
    m_showAux = other->m_showAux;
    m_style = other->m_style;
    m_arrSide.reserve(other->m_arrSide.size());
    m_arrText.reserve(other->m_arrText.size());
    m_arrVar.reserve(other->m_arrVar.size());
    for (const auto& side : other->m_arrSide)
        m_arrSide.push_back(copyCurve(*side));
    for (const auto& text : other->m_arrText)
        m_arrText.push_back(std::make_unique<CVes_Text>(*text));
    for (const auto& v : other->m_arrVar)
        AddVar(v.get());
    for (const auto& line : other->m_arrLine)
        m_arrLine.push_back(copyCurve(*line));
    for (const auto& arc : other->m_arrArc)
        m_arrArc.push_back(copyCurve(*arc));
    for (const auto& circle : other->m_arrCircle)
        m_arrCircle.push_back(copyCurve(*circle));
}

CVes_Variable* CVes_ShapeModel::getVar(const QString& name) const
{
    for (const auto& v : m_arrVar) {
        if (v->m_text == name)
            return v.get();
    }
    return nullptr;
}

// comparing

double CVes_ShapeModel::getDrawScale(const platform::Rect* rect) const
{
    if (!rect)
        return 1.0;
    const double height = rect->Height() == 0 ? 1.0 : double(m_rectH) / rect->Height();
    const double width = rect->Width() == 0 ? 1.0 : double(m_rectW) / rect->Width();
    return std::max(height, width);
}

int CVes_ShapeModel::isSame(const CVes_ShapeModel* other) const
{
    if (m_arrLine.size() != other->m_arrLine.size() || m_arrArc.size() != other->m_arrArc.size()
        || m_arrCircle.size() != other->m_arrCircle.size() || m_arrSide.size() != other->m_arrSide.size()
        || m_arrText.size() != other->m_arrText.size() || m_arrVar.size() != other->m_arrVar.size()
        || m_multiVal != other->m_multiVal)
        return 0;
    const auto line = [](const CVes_Curve& a, const CVes_Curve& b) { return sameCurve(a, b, false); };
    const auto arc = [](const CVes_Curve& a, const CVes_Curve& b) { return sameCurve(a, b, true); };
    const auto side = [](const CVes_Side& a, const CVes_Side& b) { return sameSide(a, b, true); };
    return allSame(m_arrLine, other->m_arrLine, line) && allSame(m_arrArc, other->m_arrArc, arc)
                   && allSame(m_arrCircle, other->m_arrCircle, line)
                   && allSame(m_arrText, other->m_arrText, sameText)
                   && allSame(m_arrVar, other->m_arrVar, sameVariable, 1)
                   && allSame(m_arrSide, other->m_arrSide, side)
               ? 1
               : 0;
}

int CVes_ShapeModel::CompareShape(const CVes_ShapeModel* other) const
{
    if (m_arrLine.size() != other->m_arrLine.size() || m_arrArc.size() != other->m_arrArc.size()
        || m_arrCircle.size() != other->m_arrCircle.size() || m_arrSide.size() != other->m_arrSide.size()
        || m_arrText.size() != other->m_arrText.size() || m_arrVar.size() != other->m_arrVar.size())
        return 0;
    const auto two = [](const CVes_Curve& a, const CVes_Curve& b) { return samePoints(a, b, false); };
    const auto three = [](const CVes_Curve& a, const CVes_Curve& b) { return samePoints(a, b, true); };
    const auto side = [](const CVes_Side& a, const CVes_Side& b) { return sameSide(a, b, false); };
    return allSame(m_arrLine, other->m_arrLine, two) && allSame(m_arrArc, other->m_arrArc, three)
                   && allSame(m_arrCircle, other->m_arrCircle, two)
                   && allSame(m_arrSide, other->m_arrSide, side)
                   && allSame(m_arrText, other->m_arrText, sameText)
                   && allSame(m_arrVar, other->m_arrVar, sameVariable, 1)
               ? 1
               : 0;
}

// drawing

void CVes_ShapeModel::Draw(platform::Dc* dc, platform::COLORREF auxColour,
                           platform::COLORREF sideColour, platform::COLORREF textColour, int x, int y,
                           int, const platform::Rect* rect, int showName, int showValue, double ratio)
{
    const platform::COLORREF colours[] = {auxColour, sideColour, textColour};
    drawItems(dc, colours, x, y, m_mirror & 0xFF, rect, showName, showValue, ratio);
}

void CVes_ShapeModel::Draw2(int, platform::Dc* dc, int x, int y, unsigned int mirrorFlags,
                            const platform::Rect* rect, int showName, int showValue, double ratio)
{
    drawItems(dc, nullptr, x, y, mirrorFlags, rect, showName, showValue, ratio);
}

// `colours` holds the auxiliary, side and text colours, or is null for the
// items' own colours.
void CVes_ShapeModel::drawItems(platform::Dc* dc, const platform::COLORREF* colours, int x, int y,
                                unsigned int mirrorFlags, const platform::Rect* rect, int showName,
                                int showValue, double ratio)
{
    if (!dc)
        return;
    const int saved = dc->SaveDC();
    if (ratio < 0)
        ratio = m_ratio;
    const QPoint mid = centre();
    double scale = getDrawScale(rect);
    // A drawing area of no size fits nothing; draw at full size.
    if (!(scale > 0) || !std::isfinite(scale))
        scale = 1.0;
    const auto curve = [&](const CVes_Curve& c, int which) {
        if (colours)
            c.draw(dc, scale, x, y, colours[which], mirrorFlags, mid, ratio);
        else
            c.draw2(dc, scale, x, y, mirrorFlags, mid, ratio);
    };

    for (const auto& side : m_arrSide)
        curve(*side, 1);
    if (m_showAux) {
        for (const auto& line : m_arrLine) {
            const int mode = dc->SetBkMode(TRANSPARENT);
            curve(*line, 0);
            dc->SetBkMode(mode);
        }
        for (const auto& arc : m_arrArc)
            curve(*arc, 0);
        for (const auto& circle : m_arrCircle)
            curve(*circle, 0);
    }
    if (m_showVar) {
        // The standard variables (diameter, anchorage and lap lengths) are
        // never drawn.
        for (const auto& v : m_arrVar) {
            if (v->m_type == CVes_Variable::kStandard)
                continue;
            if (colours)
                v->draw(dc, colours[2], scale, x, y, showName, showValue, mirrorFlags, mid);
            else
                v->draw(true, dc, scale, x, y, showName, showValue, mirrorFlags, mid);
        }
        for (const auto& text : m_arrText) {
            if (colours)
                text->draw(dc, colours[2], scale, x, y, mirrorFlags, mid, ratio);
            else
                text->draw(dc, scale, x, y, mirrorFlags, mid, ratio);
        }
    }
    dc->RestoreDC(saved);
}

// stream

void CVes_ShapeModel::Serialize(platform::Archive& ar)
{
    if (ar.IsStoring()) {
        ar << std::int32_t(1) << std::int32_t(m_rectH) << std::int32_t(m_rectW) << std::int32_t(m_style)
           << std::uint32_t(m_mirror);
        writeItems(ar, m_arrLine);
        writeItems(ar, m_arrArc);
        writeItems(ar, m_arrCircle);
        writeItems(ar, m_arrText);
        writeItems(ar, m_arrVar);
        writeItems(ar, m_arrSide);
        ar << std::int32_t(m_multiVal);
        return;
    }

    ar.readSchema(1, 1);
    std::int32_t height = 0, width = 0, style = 0, multi = 0;
    std::uint32_t mirror = 0;
    ar >> height >> width >> style >> mirror;
    // Everything is read before the model changes, so that a damaged stream
    // leaves it as it was.
    auto lines = readItems<CVes_Line>(ar, kLeastCurveBytes);
    auto arcs = readItems<CVes_Arc>(ar, kLeastCurveBytes);
    auto circles = readItems<CVes_Circle>(ar, kLeastCurveBytes);
    auto texts = readItems<CVes_Text>(ar, kLeastTextBytes);
    auto variables = readItems<CVes_Variable>(ar, kLeastVariableBytes);
    auto sides = readItems<CVes_Side>(ar, kLeastSideBytes);
    ar >> multi;

    m_rectH = height;
    m_rectW = width;
    m_style = style;
    m_mirror = mirror;
    m_multiVal = multi;
    // Loaded items join those present; the variables replace them.
    moveInto(m_arrLine, lines);
    moveInto(m_arrArc, arcs);
    moveInto(m_arrCircle, circles);
    moveInto(m_arrText, texts);
    m_arrVar = std::move(variables);
    moveInto(m_arrSide, sides);
}
