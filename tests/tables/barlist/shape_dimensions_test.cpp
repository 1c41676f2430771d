// Every default shape, plain and graded in each of its dimensions, as every
// sheet draws it (printed and on screen at the zoom a sheet opens with) and as
// a workbook's pictures show it: no text of a shape is crossed by a line of
// the shape, no dimension value lies nearer another leg than its own, and
// none is printed below the legible 2 mm or pictured below 8 pixels.

#include "drawn_records.h"
#include "every_sheet.h"

#include "core/model/modelrecordlib.h"
#include "core/model/shapebitmap.h"
#include "tables/framework/cell.h"
#include "tables/framework/form.h"
#include "tables/framework/tablehelpers.h"
#include "tables/processing/liaopaitable.h"

#include <QPointF>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace {

using platform::DcOp;
using platform::DcRecord;
using platform::RecordingDc;
using platform::Rect;
using Polyline = std::vector<QPointF>;

constexpr double kPi = 3.14159265358979;

// The system shape library, read once.
CVes_ModelRecordMainLib& systemShapeLibrary()
{
    static CVes_ModelRecordMainLib* lib = [] {
        auto* l = new CVes_ModelRecordMainLib;
        EXPECT_EQ(l->loadLib(QString(), 1), 1);
        return l;
    }();
    return *lib;
}

bool isGradable(const CVes_Variable& v)
{
    return v.m_type == CVes_Variable::kGiven && v.m_unit == CVes_Variable::kPlain;
}

// One bar of every default shape with its own values (no two dimensions of
// a bar show the same text), then one a dimension graded alone, for every
// dimension of the shape, and one with all its dimensions graded (a Z graded
// in three).
void fillEveryShapeList(CVes_SetupTable& list)
{
    list.clearnAllLine();
    auto* element = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
    element->setNull(0);
    element->setElement(QStringLiteral("KL1"));
    element->setEleNum(1);
    list.appendLine(element);
    int number = 0;
    for (const auto& sub : systemShapeLibrary().getSyslibArray()) {
        for (const auto& record : sub->getModelArray()) {
            std::vector<const CVes_Variable*> dimensions;
            for (const auto& v : record->m_arrVar) {
                if (isGradable(*v))
                    dimensions.push_back(v.get());
            }
            const int all = int(dimensions.size());
            for (int graded = -1; graded <= all; ++graded) {
                if (graded == all && all < 2)
                    continue;
                CVes_Steel bar;
                bar.setRecordId(record->m_id);
                bar.setDN(16);
                bar.grade = 3;
                bar.setMultiVal(graded >= 0 ? 1 : 0);
                bar.setMultiGroup(graded >= 0 ? 5 : 0);
                for (int i = 0; i < int(dimensions.size()); ++i) {
                    const double value = std::round(dimensions[i]->m_value) + 10 * i;
                    bar.setVarValue(dimensions[i]->m_text, value);
                    bar.setVarValueE(dimensions[i]->m_text,
                                     i == graded || graded == all
                                         ? value + (value > 400 ? -200 : 200)
                                         : value);
                }
                bar.count = 2;
                bar.number = QString::number(++number);
                bar.getFirstMidConnect()->stat = 0;
                list.Add(bar);
            }
        }
    }
    list.refreshCurPage();
}

// How many of the bar's dimensions run from one value to another.
int gradedDimensions(const CVes_Steel& bar)
{
    int graded = 0;
    for (const auto& v : bar.getVarArray())
        graded += isGradable(*v) && std::abs(v->m_value - v->m_value2) > 0.1 ? 1 : 0;
    return graded;
}

// Whether the formula names the variable as a whole name.
bool names(const QString& formula, const QString& name)
{
    return formula.contains(QRegularExpression(
        QStringLiteral("(^|[^A-Za-z0-9_])%1($|[^A-Za-z0-9_])").arg(QRegularExpression::escape(name))));
}

// The sides a dimension stands by: those whose length it measures; a length
// that measures none, or an angle, also at the turns it gives (the side it
// names and the side before).
std::vector<bool> ownSides(const CVes_ModelRecord& shape, const CVes_Variable& v)
{
    const auto& sides = shape.m_arrSide;
    std::vector<bool> own(sides.size(), false);
    bool measures = false;
    for (std::size_t i = 0; i < sides.size(); ++i) {
        if (names(sides[i]->m_lengthText, v.m_text))
            own[i] = measures = true;
    }
    if (!measures || v.getVarUnit() == CVes_Variable::kDegrees) {
        for (std::size_t i = 0; i < sides.size(); ++i) {
            if (names(sides[i]->m_angleText, v.m_text)) {
                own[i] = true;
                if (i > 0)
                    own[i - 1] = true;
            }
        }
    }
    return own;
}

// Where a shape was drawn: world units to the context's logical units.
struct Placement {
    double scale;
    QPoint origin;
    unsigned mirror;
    QPoint centre; // of the shape's world area, for mirroring

    QPointF operator()(QPointF p) const
    {
        if (mirror & 1)
            p.setX(2.0 * centre.x() - p.x());
        if (mirror & 2)
            p.setY(2.0 * centre.y() - p.y());
        return QPointF(p.x() / scale + origin.x(), p.y() / scale + origin.y());
    }
};

// Points on the arc about `c` of radius `r` from angle `from` through `sweep`.
void appendArcPoints(Polyline& out, QPointF c, double rx, double ry, double from, double sweep)
{
    const int n = std::max(4, int(std::ceil(std::abs(sweep) / (kPi / 36))));
    for (int i = 0; i <= n; ++i) {
        const double a = from + sweep * i / n;
        out.emplace_back(c.x() + rx * std::cos(a), c.y() + ry * std::sin(a));
    }
}

// A side as drawn, in logical units: a line, or the arc from its first
// point through its third to its second.
Polyline sidePoints(const CVes_Side& side, const Placement& at)
{
    const QPointF p1 = at(side.m_P1.ToPoint());
    const QPointF p2 = at(side.m_P2.ToPoint());
    if (side.getType() != CVes_Curve::kArc)
        return {p1, p2};
    const QPointF p3 = at(side.m_P3.ToPoint());
    // The centre: where the perpendicular bisectors of P1P2 and P1P3 meet.
    const double ax = p1.x(), ay = p1.y(), bx = p2.x(), by = p2.y(), cx = p3.x(), cy = p3.y();
    const double d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
    if (std::abs(d) < 1e-9)
        return {p1, p2};
    const double ux = ((ax * ax + ay * ay) * (by - cy) + (bx * bx + by * by) * (cy - ay)
                       + (cx * cx + cy * cy) * (ay - by)) / d;
    const double uy = ((ax * ax + ay * ay) * (cx - bx) + (bx * bx + by * by) * (ax - cx)
                       + (cx * cx + cy * cy) * (bx - ax)) / d;
    const QPointF c(ux, uy);
    const double r = std::hypot(ax - ux, ay - uy);
    const auto angle = [&](QPointF p) { return std::atan2(p.y() - c.y(), p.x() - c.x()); };
    const auto turn = [](double a) { return std::fmod(std::fmod(a, 2 * kPi) + 2 * kPi, 2 * kPi); };
    const double a1 = angle(p1);
    const double toEnd = turn(angle(p2) - a1);
    const double sweep = turn(angle(p3) - a1) <= toEnd ? toEnd : toEnd - 2 * kPi;
    Polyline out;
    appendArcPoints(out, c, r, r, a1, sweep);
    return out;
}

Polyline toDevice(const Polyline& logical, const RecordingDc& mapping)
{
    Polyline out;
    for (const QPointF& p : logical)
        out.push_back(mapping.LPtoDP(p.toPoint()));
    return out;
}

// The strokes a record drew, on the device: lines, polylines and arcs
// (counter-clockwise on the device from the start radial to the end one,
// as the painting context draws them).
std::vector<Polyline> strokesOf(const DcRecord& record)
{
    const std::unique_ptr<RecordingDc> mapping = test::mappingOf(record);
    std::vector<QPointF> points;
    for (const QPoint& p : record.points)
        points.push_back(mapping->LPtoDP(p));
    if (record.op == DcOp::LineTo || record.op == DcOp::Polyline)
        return {points};
    if (record.op != DcOp::Arc)
        return {};
    Rect box = record.rect;
    mapping->LPtoDP(&box);
    box.NormalizeRect();
    const QPointF c((box.left + box.right) / 2.0, (box.top + box.bottom) / 2.0);
    const double a = std::max(box.Width() / 2.0, 1e-9);
    const double b = std::max(box.Height() / 2.0, 1e-9);
    // Angles up the device, as the painting context takes them.
    const auto angleOf = [&](QPointF p) { return std::atan2(-(p.y() - c.y()) / b, (p.x() - c.x()) / a); };
    const double from = angleOf(points[0]);
    double sweep = angleOf(points[1]) - from;
    while (sweep <= 1e-9)
        sweep += 2 * kPi;
    Polyline out;
    // Down the device is up the angles: y is negated.
    appendArcPoints(out, c, a, -b, from, std::min(sweep, 2 * kPi));
    return {out};
}

bool segmentMeets(QPointF p, QPointF q, const QRectF& r)
{
    double t0 = 0, t1 = 1;
    const double d[2] = {q.x() - p.x(), q.y() - p.y()};
    const double lo[2] = {r.left() - p.x(), r.top() - p.y()};
    const double hi[2] = {r.right() - p.x(), r.bottom() - p.y()};
    for (int k = 0; k < 2; ++k) {
        if (d[k] == 0) {
            if (lo[k] > 0 || hi[k] < 0)
                return false;
            continue;
        }
        double a = lo[k] / d[k], b = hi[k] / d[k];
        if (a > b)
            std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
        if (t0 > t1)
            return false;
    }
    return true;
}

double distance(const Polyline& line, const QRectF& r)
{
    const auto toRect = [&](QPointF p) {
        const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
        const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
        return std::hypot(dx, dy);
    };
    const auto toSegment = [](QPointF p, QPointF a, QPointF b) {
        const QPointF d = b - a;
        const double l2 = QPointF::dotProduct(d, d);
        const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / l2, 0.0, 1.0) : 0.0;
        const QPointF n = a + d * t;
        return std::hypot(p.x() - n.x(), p.y() - n.y());
    };
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (segmentMeets(line[i - 1], line[i], r))
            return 0;
        best = std::min({best, toRect(line[i - 1]), toRect(line[i])});
        for (const QPointF& c : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            best = std::min(best, toSegment(c, line[i - 1], line[i]));
    }
    return best;
}

QRectF boxOf(const DcRecord& record)
{
    const Rect b = test::textBox(record);
    return QRectF(QPointF(b.left, b.top), QPointF(b.right, b.bottom));
}

// A shape as one drawing put it: its record (for the sides and formulas),
// the variables it showed and where.
struct DrawnShape {
    QString where;
    const CVes_ModelRecord* shape;
    const VariableArray* variables;
    int multi;
    Placement at;
    Rect drawnRect; // logical
    // The smallest height a value is read at, in device pixels.
    double legiblePixels;
};

// The smallest text a reader reads: 2 mm on paper, 8 pixels of a 96-dpi
// screen. A sheet opened whole on a screen is below paper size: what its
// shape cells read there is not held to it here.
double legiblePixels(test::Device device)
{
    return device == test::Device::Printer ? 2.0 / 25.4 * 600 : 0.0;
}
constexpr double kPictureLegiblePixels = 8.0;

// What fails of one dimension value drawn as `text`: below the legible
// height, past its cell, nearer another side than its own.
struct ValueCheck {
    const DrawnShape& drawn;
    const std::vector<Polyline>& sides; // on the device; empty for joints
    QRectF cell;                        // on the device

    QStringList operator()(const CVes_Variable& v, const QString& value, const DcRecord& text) const
    {
        QStringList faults;
        // Heights are whole logical units: a unit's rounding is allowed.
        const double scaleY = std::abs(test::mappingOf(text)->scaleY());
        const double pixels = std::abs(text.font.logFont().lfHeight) * scaleY;
        if (pixels + std::max(scaleY, 0.1) < drawn.legiblePixels)
            faults << QStringLiteral("%1: %2 \"%3\" is %4 px high, below the legible %5")
                          .arg(drawn.where, v.m_text, value)
                          .arg(pixels, 0, 'f', 1)
                          .arg(drawn.legiblePixels, 0, 'f', 1);
        const QRectF box = boxOf(text);
        // Inside the cell (the box is rounded to device units), and clear of
        // its left and right edges, where the border would be drawn over the
        // value's last letter. A long graded value on a screen can be wider
        // than a narrow cell even at its smallest height; it is cut there,
        // and is not held to this.
        const bool widerThanCell = box.width() >= cell.width() - 2;
        const QRectF room = widerThanCell
            ? QRectF(box.left(), cell.top() - 1, box.width(), cell.height() + 2)
            : cell.adjusted(1, -1, -1, 1);
        if (!room.contains(box))
            faults << QStringLiteral("%1: %2 \"%3\" runs onto its cell's edge").arg(drawn.where, v.m_text, value);
        const std::vector<bool> own = ownSides(*drawn.shape, v);
        double ownDistance = std::numeric_limits<double>::infinity();
        double otherDistance = ownDistance;
        for (std::size_t i = 0; i < sides.size(); ++i) {
            if (sides[i].empty())
                continue;
            double& d = own[i] ? ownDistance : otherDistance;
            d = std::min(d, distance(sides[i], box));
        }
        // Both are rounded to device units.
        if (std::isfinite(ownDistance) && otherDistance + 1.5 < ownDistance)
            faults << QStringLiteral("%1: %2 \"%3\" lies %4 from another side and %5 from its own")
                          .arg(drawn.where, v.m_text, value)
                          .arg(otherDistance, 0, 'f', 1)
                          .arg(ownDistance, 0, 'f', 1);
        return faults;
    }
};

// What fails in the records of one drawing of `shape`: texts under its
// cell's clip crossed by a stroke drawn under that clip, dimension values
// nearer another side than their own, dimension values not drawn once.
QStringList faultsOf(const DrawnShape& drawn, const std::vector<DcRecord>& records)
{
    QStringList faults;
    // The clip of the cell the shape was drawn in.
    std::optional<Rect> clip;
    for (const DcRecord& r : records) {
        if (r.op != DcOp::TextOut || !r.state.clip)
            continue;
        const std::unique_ptr<RecordingDc> mapping = test::mappingOf(r);
        Rect area = drawn.drawnRect;
        mapping->LPtoDP(&area);
        area.NormalizeRect();
        if (r.state.clip->PtInRect(area.CenterPoint())) {
            clip = *r.state.clip;
            break;
        }
    }
    if (!clip)
        return {drawn.where + QStringLiteral(": no text drawn in its cell")};
    std::vector<const DcRecord*> texts;
    std::vector<Polyline> strokes;
    for (const DcRecord& r : records) {
        if (!r.state.clip || *r.state.clip != *clip)
            continue;
        if (r.op == DcOp::TextOut && !r.text.trimmed().isEmpty())
            texts.push_back(&r);
        for (Polyline& s : strokesOf(r))
            strokes.push_back(std::move(s));
    }
    const std::unique_ptr<RecordingDc> mapping = test::mappingOf(*texts.front());

    for (const DcRecord* text : texts) {
        // Both boxes are rounded to whole device units.
        const QRectF box = boxOf(*text).adjusted(1, 1, -1, -1);
        for (const Polyline& s : strokes) {
            if (distance(s, box) == 0) {
                faults << QStringLiteral("%1: \"%2\" is crossed by a line").arg(drawn.where, text->text);
                break;
            }
        }
    }

    std::vector<Polyline> sides;
    for (const auto& side : drawn.shape->m_arrSide)
        sides.push_back(side->isConnect() ? Polyline() : toDevice(sidePoints(*side, drawn.at), *mapping));
    const QRectF cell(QPointF(clip->left, clip->top), QPointF(clip->right, clip->bottom));
    const ValueCheck check{drawn, sides, cell};
    // Dimensions that show the same value (the two legs of a U) are told
    // apart by where their values stand: each takes one of the texts, as
    // the texts fail least.
    std::map<QString, std::vector<const CVes_Variable*>> byValue;
    for (const auto& v : *drawn.variables) {
        if (v->m_type <= CVes_Variable::kStandard)
            continue;
        CVes_Variable shown(*v);
        shown.setMutiVal(drawn.multi);
        byValue[shown.valueText()].push_back(v.get());
    }
    for (const auto& [value, variables] : byValue) {
        std::vector<const DcRecord*> found;
        for (const DcRecord* text : texts) {
            if (text->text == value)
                found.push_back(text);
        }
        if (found.size() != variables.size()) {
            for (const CVes_Variable* v : variables) {
                if (isGradable(*v))
                    faults << QStringLiteral("%1: %2 \"%3\" is drawn %4 times")
                                  .arg(drawn.where, v->m_text, value).arg(found.size());
            }
            continue;
        }
        std::optional<QStringList> fewest;
        std::sort(found.begin(), found.end());
        do {
            QStringList tried;
            for (std::size_t i = 0; i < variables.size(); ++i)
                tried += check(*variables[i], value, *found[i]);
            if (!fewest || tried.size() < fewest->size())
                fewest = tried;
        } while (!fewest->isEmpty() && std::next_permutation(found.begin(), found.end()));
        faults += *fewest;
    }
    return faults;
}

DrawnShape drawnShape(const QString& where, CVes_ModelReference& bar, test::Device device)
{
    const CVes_ModelRecord* record = bar.getRecord();
    return {where,
            record,
            &bar.getVarArray(),
            bar.isMultiVal(),
            {record->getDrawScale(&bar.drawnRect()), bar.drawnOrigin(), bar.getMirror(),
             QPoint(record->m_rectW / 2, record->m_rectH / 2)},
            bar.drawnRect(),
            legiblePixels(device)};
}

// The bars whose shapes the page just drawn shows: in the cells of its form,
// or on its tags.
std::vector<CVes_ModelReference*> shapesOnPage(CVes_TableBase& table)
{
    std::vector<CVes_ModelReference*> out;
    if (auto* tags = dynamic_cast<CVes_LiaoPaiTable*>(&table)) {
        // A tag of a layout that draws no shape for it keeps none drawn.
        for (CVes_TableBaseLine* base : tags->pageLines()) {
            auto* row = static_cast<CVes_LiaoPaiTableLine*>(base);
            if (row && row->shape()->getRecord() && !row->shape()->drawnRect().IsRectNull())
                out.push_back(row->shape());
        }
        return out;
    }
    const CVes_Form* form = table.getForm();
    for (int r = 0; form && r < form->GetRowCount(); ++r) {
        for (int c = 0; c < form->GetColumnCount(); ++c) {
            const CVes_Cell* cell = form->GetCell(r, c);
            auto* bar = cell ? dynamic_cast<CVes_ModelReference*>(cell->model()) : nullptr;
            if (bar && bar->getRecord())
                out.push_back(bar);
        }
    }
    return out;
}

// The lists whose sheets are drawn: every default shape plain and graded
// in each dimension, the generated list that strains every column, and rows
// of bars graded in all their dimensions.
enum class ShapeList { EveryShape, Straining, GradedShapes };

std::string shapeListName(const std::tuple<ShapeList, test::Device>& param)
{
    static const char* const kLists[] = {"everyShape", "straining", "gradedShapes"};
    return std::string(kLists[int(std::get<0>(param))])
           + (std::get<1>(param) == test::Device::Printer ? "Printed" : "OnScreen");
}

class ShapeDimensions : public ::testing::TestWithParam<std::tuple<ShapeList, test::Device>> {};

TEST_P(ShapeDimensions, StandBesideTheirOwnSidesOnEverySheet)
{
    const auto [kind, device] = GetParam();
    CVes_SetupTable list;
    switch (kind) {
    case ShapeList::EveryShape: fillEveryShapeList(list); break;
    case ShapeList::Straining: test::fillStrainingList(list); break;
    case ShapeList::GradedShapes: test::fillGradedShapesList(list); break;
    }
    test::EverySheet sheets(list);
    QStringList faults;
    int drawings = 0;
    for (const test::NamedSheet& sheet : sheets.sheets()) {
        CVes_TableBase& table = *sheet.table;
        for (int page = 1; page <= table.getPages(); ++page) {
            RecordingDc dc = test::deviceFor(device);
            test::drawPage(dc, table, page, device);
            for (CVes_ModelReference* bar : shapesOnPage(table)) {
                const QString where = QStringLiteral("%1 page %2 shape %3")
                                          .arg(sheet.name).arg(page)
                                          .arg(bar->getRecordId().ToString());
                faults += faultsOf(drawnShape(where, *bar, device), dc.records());
                ++drawings;
            }
        }
    }
    EXPECT_GT(drawings, 100);
    EXPECT_TRUE(faults.isEmpty()) << faults.size() << " faults:\n"
                                  << faults.mid(0, 300).join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    ListsAndDevices, ShapeDimensions,
    ::testing::Combine(::testing::Values(ShapeList::EveryShape, ShapeList::Straining,
                                         ShapeList::GradedShapes),
                       ::testing::Values(test::Device::Printer, test::Device::Screen)),
    [](const auto& info) { return shapeListName(info.param); });

QString barNumber(CVes_ModelReference& shape)
{
    const auto* bar = dynamic_cast<const CVes_BarCore*>(&shape);
    return bar ? bar->number : QString();
}

// A dimension value opens for editing where it is drawn, on the sheets
// whose shapes are edited by clicking them: its middle and every corner of
// its box find it, though its frame moved it beside its side or made it
// smaller (it once opened only when clicked 2–4 px below its digits).
TEST(ShapeDimensionClicks, FindEachValueWhereItIsDrawn)
{
    CVes_SetupTable list;
    fillEveryShapeList(list);
    test::EverySheet sheets(list);
    QStringList faults;
    int values = 0;
    for (const char* name : {"配料单", "加工明细单", "钢筋用量表"}) {
        CVes_TableBase& table = *sheets.named(QString::fromUtf8(name));
        for (int page = 1; page <= table.getPages(); ++page) {
            RecordingDc dc = test::deviceFor(test::Device::Screen);
            test::drawPage(dc, table, page, test::Device::Screen);
            for (CVes_ModelReference* bar : shapesOnPage(table)) {
                for (const auto& v : bar->getVarArray()) {
                    if (!isGradable(*v))
                        continue;
                    CVes_Variable shown(*v);
                    shown.setMutiVal(bar->isMultiVal());
                    const QString value = shown.valueText();
                    // The value's record among the texts drawn in the bar's area.
                    const DcRecord* drawn = nullptr;
                    for (const DcRecord& r : dc.records()) {
                        if (r.op != DcOp::TextOut || r.text != value || !r.state.clip)
                            continue;
                        Rect area = bar->drawnRect();
                        test::mappingOf(r)->LPtoDP(&area);
                        area.NormalizeRect();
                        if (r.state.clip->PtInRect(area.CenterPoint()))
                            drawn = &r;
                    }
                    if (!drawn)
                        continue;
                    ++values;
                    const Rect box = test::textBox(*drawn);
                    const std::unique_ptr<RecordingDc> mapping = test::mappingOf(*drawn);
                    for (QPoint p : {box.CenterPoint(), QPoint(box.left + 1, box.top + 1),
                                     QPoint(box.right - 1, box.top + 1),
                                     QPoint(box.left + 1, box.bottom - 1),
                                     QPoint(box.right - 1, box.bottom - 1)}) {
                        mapping->DPtoLP(&p);
                        if (bar->getSelectVar(p) != v.get())
                            faults << QStringLiteral("%1 page %2 shape %3 bar %4: %5 \"%6\" not found at (%7, %8)")
                                          .arg(QString::fromUtf8(name)).arg(page)
                                          .arg(bar->getRecordId().ToString(),
                                               barNumber(*bar), v->m_text, value)
                                          .arg(p.x()).arg(p.y());
                    }
                }
            }
        }
    }
    EXPECT_GT(values, 500);
    EXPECT_TRUE(faults.isEmpty()) << faults.size() << " faults:\n"
                                  << faults.mid(0, 100).join(u'\n').toStdString();
}

// The pictures a workbook puts in its shape cells, at both the sizes the
// sheets give them.
TEST(ShapeDimensionPictures, StandBesideTheirOwnSides)
{
    CVes_SetupTable list;
    fillEveryShapeList(list);
    QStringList faults;
    for (CVes_TableBaseLine* base : list.lines()) {
        auto* line = static_cast<CVes_SetupTableLine*>(base);
        if (line->isNull() || !line->isSteelLine())
            continue;
        CVes_Steel& bar = line->m_steel;
        for (const QSize size : {QSize(180, 32), QSize(120, 32)}) {
            // Four or five graded values do not find room beside their own
            // sides in the summary's small picture even at the legible
            // height: that size is held to it for bars graded in one
            // dimension.
            if (size.width() == 120 && gradedDimensions(bar) > 1)
                continue;
            std::unique_ptr<CVes_ModelRecord> record = bar.makeWorkingRecord();
            ASSERT_TRUE(record);
            RecordingDc dc;
            platform::Bitmap picture;
            ModelRecordToBitmap(picture, record.get(), size.width(), size.height(), &dc,
                                bar.getMirror());
            // The picture is drawn into a memory context without a clip of
            // its own: every record of it is the shape's, and the picture's
            // edges are its cell's.
            std::vector<DcRecord> records;
            for (DcRecord r : dc.records()) {
                if (r.dc == 0)
                    continue;
                r.state.clip = Rect(0, 0, size.width(), size.height());
                records.push_back(std::move(r));
            }
            const DrawnShape drawn{
                QStringLiteral("picture %1×%2 shape %3 bar %4")
                    .arg(size.width()).arg(size.height())
                    .arg(bar.getRecordId().ToString(), bar.number),
                record.get(),
                &bar.getVarArray(),
                bar.isMultiVal(),
                {record->getDrawScale(&record->m_drawnRect), record->m_drawnAt, bar.getMirror(),
                 QPoint(record->m_rectW / 2, record->m_rectH / 2)},
                record->m_drawnRect,
                kPictureLegiblePixels};
            faults += faultsOf(drawn, records);
        }
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.size() << " faults:\n"
                                  << faults.mid(0, 300).join(u'\n').toStdString();
}

} // namespace
