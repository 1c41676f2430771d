// The six tag layouts as data: frames, tear notches, the hit rectangle and
// the cells with their contents, fonts and text heights, in drawing order.

#include "tables/processing/liaopaiform.h"

namespace {

using Form = CVes_LiaoPaiForm;
using Content = Form::Content;
using Cell = Form::CellSpec;
using Stroke = Form::Stroke;
using Layout = Form::LayoutSpec;
using platform::Rect;

constexpr const char* kHei = "黑体";
constexpr const char* kSong = "宋体";
constexpr const char* kRoman = "Times New Roman";
constexpr unsigned kLeft = 0;
constexpr unsigned kRight = 2;
constexpr unsigned kCentre = 6;
// The cut length's own height: 40 for two lines, else 64.
constexpr int kCutHeight = -1;

Stroke frame(int width, int x1, int y1, int x2, int y2)
{
    return Stroke{width, {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}, {x1, y1}}};
}

Cell label(int x1, int y1, int x2, int y2, const char* text, int height = 36)
{
    return Cell{x1, y1, x2, y2, Content::Label, kHei, height, kCentre, 1, text};
}

Cell value(int x1, int y1, int x2, int y2, Content content, const char* font = kHei,
           int height = 36, unsigned align = kCentre)
{
    return Cell{x1, y1, x2, y2, content, font, height, align, 1, nullptr};
}

// A text run without border: its prefix followed by the text.
Cell run(int x1, int y1, int x2, int y2, Content content, const char* prefix, unsigned align)
{
    return Cell{x1, y1, x2, y2, content, kHei, 36, align, 0, prefix};
}

Cell shape(int x1, int y1, int x2, int y2)
{
    return Cell{x1, y1, x2, y2, Content::Shape};
}

// The upper (or left) part of the two-part layouts, at (0, 0)–(600, 430).
std::vector<Cell> firstPartCells()
{
    return {
        label(0, 0, 150, 60, "料牌编号"), value(150, 0, 600, 60, Content::TagNumber),
        label(0, 60, 150, 120, "构件类型"), value(150, 60, 600, 120, Content::EleType),
        label(0, 120, 150, 180, "所在层号"), value(150, 120, 600, 180, Content::Storey),
        label(0, 180, 150, 280, "工程名称"), value(150, 180, 600, 280, Content::Project),
        label(0, 280, 150, 430, "备注"),
        value(150, 280, 600, 430, Content::Remark, kHei, 28, kLeft),
    };
}

// The bar number, count, grade and cut length as runs in two ruled rows.
// `x0` the rows' left edge, `x1` where the counts and cut lengths begin,
// `x2` the right edge, `y` the rows' top, `h` each row's height; the bar
// number's run spans `barTo` and the grade's `gradeTo`.
std::vector<Cell> ruledRuns(int x0, int x1, int x2, int y, int h, int barTo, int gradeTo)
{
    return {
        label(x0, y, x2, y + h, ""),
        label(x0, y + h, x2, y + 2 * h, ""),
        run(x0, y, barTo, y + h, Content::BarNumber, "钢筋编号：", kLeft),
        run(x1, y, x2, y + h, Content::Count, "根数：", kRight),
        run(x0, y + h, gradeTo, y + 2 * h, Content::Grade, "规格：", kLeft),
        run(x1, y + h, x2, y + 2 * h, Content::CutLength, "下料长度：", kRight),
    };
}

std::vector<Cell> join(std::vector<Cell> a, const std::vector<Cell>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The frame of a part, 6 outside its heavy frame.
Rect outside(const Rect& part)
{
    return Rect(part.left - 6, part.top - 6, part.right + 6, part.bottom + 6);
}

// Two parts with the first part's cells in the first and `cells` in the
// second, each filled and framed twice, and tear notches in the gap.
Layout twoParts(const Rect& second, std::vector<Stroke> notches, const std::vector<Cell>& cells)
{
    const Rect first(0, 0, 600, 430);
    Layout l;
    l.backgrounds = {outside(first), outside(second)};
    for (const Rect& r : {first, second, outside(first), outside(second)})
        l.strokes.push_back(frame(3, r.left, r.top, r.right, r.bottom));
    l.strokes.insert(l.strokes.end(), notches.begin(), notches.end());
    l.hit = first;
    l.cells = join(firstPartCells(), cells);
    return l;
}

const Layout& twoPartsVertical()
{
    static const Layout layout = twoParts(
        Rect(0, 490, 600, 920),
        {Stroke{1, {{-6, 484}, {18, 460}, {-6, 436}}},
         Stroke{1, {{606, 484}, {582, 460}, {606, 436}}}},
        join({label(0, 490, 150, 630, "构件\n编号"), value(150, 490, 600, 630, Content::Element),
              shape(0, 770, 600, 920)},
             ruledRuns(0, 150, 600, 630, 70, 150, 150)));
    return layout;
}

const Layout& twoPartsSideBySide()
{
    static const Layout layout = twoParts(
        Rect(660, 0, 1260, 430),
        {Stroke{1, {{606, -6}, {630, 18}, {654, -6}}},
         Stroke{1, {{606, 436}, {630, 412}, {654, 436}}}},
        join({label(660, 0, 810, 120, "构件\n编号"), value(810, 0, 1260, 120, Content::Element),
              shape(660, 280, 1260, 430)},
             ruledRuns(660, 810, 1260, 120, 80, 1260, 810)));
    return layout;
}

const Layout& compact()
{
    static const Layout layout = [] {
        const Rect tag(0, 0, 600, 400);
        Layout l;
        l.backgrounds = {outside(tag)};
        l.strokes = {frame(3, 0, 0, 600, 400), frame(3, -6, -6, 606, 406)};
        l.hit = tag;
        // The element shares its row with the tag number, so that two tags
        // of the same bar number in different elements tell apart by their
        // own numbers too.
        l.cells = {label(0, 0, 150, 110, "构件\n信息"),
                   value(150, 0, 600, 55, Content::ProjectStorey, kHei, 25),
                   value(150, 55, 400, 110, Content::Element, kSong, 25),
                   value(400, 55, 600, 110, Content::TagNumber, kHei, 25),
                   shape(0, 250, 600, 400)};
        l.cells = join(l.cells, ruledRuns(0, 150, 600, 110, 70, 600, 150));
        return l;
    }();
    return layout;
}

// The cells the default layout and its two variants share, by where their
// rows and columns fall.
struct DefaultGeometry {
    int left;           // left edge of the left half's rows
    int right;          // right edge of the tag-number, project and bar-number rows
    int elementBottom;  // the element text runs from y 180 to here
    int barBottom;      // the bar-number row runs from elementBottom to here
    Rect shape;
    int labelLeft;      // the label and value rows' left edge
    int labelTop;       // the label row's top; the value row begins at valueTop
    int valueTop;
    int valueBottom;
    int columns[3];     // where the cut-length and count columns begin, and the right edge
};

std::vector<Cell> defaultCells(const DefaultGeometry& g)
{
    const int x0 = g.labelLeft;
    const int c1 = g.columns[0];
    const int c2 = g.columns[1];
    const int c3 = g.columns[2];
    return {
        label(0, 0, 150, 90, "料牌编号\n[加工编号]", 30),
        value(150, 0, g.right, 90, Content::TagNumber, kHei, 48),
        label(0, 90, 150, 180, "工程名称"),
        value(150, 90, g.right, 180, Content::Project, kSong, 48),
        value(0, 180, g.right, g.elementBottom, Content::ElementText, kSong, 48),
        label(0, g.elementBottom, 150, g.barBottom, "钢筋编号"),
        value(150, g.elementBottom, g.right, g.barBottom, Content::BarNumber, kSong, 48),
        shape(g.shape.left, g.shape.top, g.shape.right, g.shape.bottom),
        label(x0, g.labelTop, c1, g.valueTop, "规格"),
        value(c1, g.labelTop, c2, g.valueTop, Content::CutLengthLabel),
        value(c2, g.labelTop, c3, g.valueTop, Content::CountLabel),
        value(x0, g.valueTop, c1, g.valueBottom, Content::Grade, kRoman, 64),
        value(c1, g.valueTop, c2, g.valueBottom, Content::CutLength, kRoman, kCutHeight),
        value(c2, g.valueTop, c3, g.valueBottom, Content::Count, kRoman, 64),
    };
}

// The weight row: label and value, drawn after the shape (default layout) or
// last (landscape variant). The weight is digits only, drawn in the Latin
// serif face whichever face is named; named in the Chinese face, whose height
// is that of a cell far taller than its digits, they came out at three quarters
// of the size they read at in the Latin face, on paper and on the screen.
std::vector<Cell> weightRow(int x0, int x1, int x2, int y1, int y2)
{
    return {label(x0, y1, x1, y2, "重量(kg)"), value(x1, y1, x2, y2, Content::Weight, kRoman, 38)};
}

const Layout& defaultLayout()
{
    static const Layout layout = [] {
        Layout l;
        l.strokes = {frame(3, 0, 0, 600, 890), frame(2, -6, -6, 606, 896)};
        std::vector<Cell> cells = defaultCells(
            {0, 600, 350, 440, Rect(0, 440, 600, 660), 0, 720, 780, 890, {150, 400, 600}});
        // The weight row lies between the shape and the label row.
        const std::vector<Cell> weight = weightRow(0, 150, 600, 660, 720);
        cells.insert(cells.begin() + 8, weight.begin(), weight.end());
        l.cells = cells;
        return l;
    }();
    return layout;
}

const Layout& landscapeHalves()
{
    static const Layout layout = [] {
        Layout l;
        l.strokes = {frame(3, 0, 0, 1200, 430), Stroke{3, {{600, 430}, {600, 0}}},
                     frame(2, -6, -6, 1206, 436)};
        l.cells = join(defaultCells({0, 600, 340, 430, Rect(600, 0, 1200, 220), 600, 220, 280,
                                     370, {750, 1000, 1200}}),
                       weightRow(600, 750, 1200, 370, 430));
        return l;
    }();
    return layout;
}

const Layout& narrow()
{
    static const Layout layout = [] {
        Layout l;
        l.strokes = {frame(3, 0, 0, 500, 890), frame(2, -6, -6, 506, 896)};
        // The count column is wide enough for a graded count, "5支/组" over
        // "共9组", at the height of the cut length beside it.
        l.cells = defaultCells(
            {0, 500, 350, 440, Rect(0, 440, 500, 690), 0, 690, 780, 890, {150, 360, 500}});
        return l;
    }();
    return layout;
}

} // namespace

void CVes_LiaoPaiForm::OnDraw(platform::Dc* dc)
{
    drawLayout(dc, twoPartsVertical());
}

void CVes_LiaoPaiForm::OnDrawH(platform::Dc* dc)
{
    drawLayout(dc, twoPartsSideBySide());
}

void CVes_LiaoPaiForm::OnDrawJ(platform::Dc* dc)
{
    drawLayout(dc, compact());
}

void CVes_LiaoPaiForm::OnDrawJ2(platform::Dc* dc)
{
    drawLayout(dc, defaultLayout());
}

void CVes_LiaoPaiForm::OnDrawJ2H(platform::Dc* dc)
{
    drawLayout(dc, landscapeHalves());
}

void CVes_LiaoPaiForm::OnDrawModel6(platform::Dc* dc)
{
    drawLayout(dc, narrow());
}
