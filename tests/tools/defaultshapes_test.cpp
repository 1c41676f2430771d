// The default shape libraries as a new data folder receives them: every
// shape's geometry at its default values, its drawing, its single-shape file,
// and the category files and lists the choosers read.

#include "core/geometry/datafolder.h"
#include "core/geometry/xmldocument.h"
#include "core/model/modelrecordlib.h"
#include "core/model/recordcache.h"
#include "platform/archive.h"
#include "platform/recordingdc.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QPointF>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

using platform::RecordingDc;

// The system library of the data folder, read once per test program.
CVes_ModelRecordMainLib& shapeLib()
{
    static CVes_ModelRecordMainLib* lib = [] {
        auto* l = new CVes_ModelRecordMainLib;
        EXPECT_EQ(l->loadLib(QString(), 1), 1);
        return l;
    }();
    return *lib;
}

CVes_ModelStartMainLib& startLib()
{
    static CVes_ModelStartMainLib* lib = [] {
        auto* l = new CVes_ModelStartMainLib;
        EXPECT_EQ(l->loadLib(QString(), 1), 1);
        return l;
    }();
    return *lib;
}

std::vector<CVes_ModelRecord*> allRecords(CVes_ModelRecordMainLib& lib)
{
    std::vector<CVes_ModelRecord*> out;
    for (const auto& sub : lib.getSyslibArray())
        for (const auto& r : sub->getModelArray())
            out.push_back(r.get());
    return out;
}

CVes_ModelRecord* shape(const char* key)
{
    return shapeLib().getModel(QString::fromLatin1(key), 1);
}

constexpr int kNone = 0, k90 = 1, k135 = 2, k180 = 4;

struct ShapeRow {
    const char* key;
    std::vector<int> lengths;   // every side at the default values (0 for a mark); d = 10
    std::vector<double> angles; // every side after the first that is no mark
    int stirrup;
    int hookLeft, hookRight;    // hook kinds, 0 for none
    // Bend directions from the second side on, "+" the same as the first
    // bend and "-" the other way; empty where not checked.
    const char* turns;
};

std::ostream& operator<<(std::ostream& os, const ShapeRow& r)
{
    return os << r.key;
}

// Worked out by hand from the drawings and the default values (d = 10):
// H/sin45 with H 400 is 565.69, with H 500 707.1; 3000/cos30 is 3464.1;
// 3.1416·490/2 is 769.7; 30·√((3.1416·490)² + 100²) + 3·3.1416·490 is
// 50897.0; the diamond's side is √(200² + 150²) = 250 and its angles
// 2·atan(4/3) = 106.26° and 2·atan(3/4) = 73.74°.
const ShapeRow kShapes[] = {
    {"190-001", {6000}, {}, 0, kNone, kNone, ""},
    {"190-002", {3000}, {}, 0, k180, k180, ""},
    {"190-003", {3000}, {}, 0, k180, kNone, ""},
    {"190-004", {3000}, {}, 0, k90, k90, ""},
    {"190-005", {3000}, {}, 0, k90, kNone, ""},
    {"190-006", {3000}, {}, 0, k135, k135, ""},
    {"190-007", {3000}, {}, 0, k135, kNone, ""},
    {"191-001", {500, 1000}, {90}, 0, kNone, kNone, "+"},
    {"191-002", {300, 1000, 300}, {90, 90}, 0, kNone, kNone, "++"},
    {"191-003", {150, 2000, 150}, {90, 90}, 0, kNone, kNone, "++"},
    {"191-004", {500, 300, 1000}, {90, 90}, 0, kNone, kNone, "+-"},
    {"191-005", {500, 565, 2000, 565, 500}, {135, 135, 135, 135}, 0, kNone, kNone, "+--+"},
    {"191-006", {1000, 565, 1500}, {135, 135}, 0, kNone, kNone, "+-"},
    {"191-007", {200, 707, 350, 707, 200}, {135, 135, 135, 135}, 0, kNone, kNone, "+--+"},
    {"191-008", {1000, 300}, {90}, 0, k180, kNone, "+"},
    {"191-009", {1000, 500}, {135}, 0, kNone, kNone, "+"},
    {"191-010", {300, 3464, 300}, {150, 150}, 0, kNone, kNone, "+-"},
    {"192-001", {500, 300, 500, 300}, {90, 90, 90}, 1, k135, k135, "+++"},
    {"192-002", {500, 300, 500}, {90, 90}, 1, k135, k135, "++"},
    {"192-003", {500, 300, 500, 300}, {90, 90, 90}, 1, k90, k90, "+++"},
    {"192-004", {769, 769, 300}, {180, 180}, 1, k135, k135, ""},
    {"192-005", {50897}, {}, 1, kNone, kNone, ""},
    {"192-006", {250, 250, 250, 250}, {106.26, 73.74, 106.26}, 1, k135, k135, "+++"},
    {"193-001", {300}, {}, 1, k135, k135, ""},
    {"193-002", {300}, {}, 1, k135, k90, ""},
    {"193-003", {300}, {}, 1, k90, k90, ""},
    {"194-001", {200, 150, 1000, 150, 200}, {90, 90, 90, 90}, 0, kNone, kNone, "+--+"},
    {"194-002", {150, 500, 150}, {90, 90}, 0, kNone, kNone, "++"},
    {"194-003", {160, 600, 160, 600, 160, 600, 160}, {90, 90, 90, 90, 90, 90}, 0, kNone, kNone, "++--++"},
    {"195-001", {6000, 0, 3000}, {180}, 0, kNone, kNone, ""},
    {"195-002", {500, 6000, 0, 3000}, {90, 180}, 0, kNone, kNone, ""},
    {"195-003", {3000, 0, 3000}, {180}, 0, kNone, kNone, ""},
};

class DefaultShape : public ::testing::TestWithParam<ShapeRow> {};

TEST_P(DefaultShape, HasItsSidesAnglesHooksAndFlagsAtTheDefaultValues)
{
    const ShapeRow& row = GetParam();
    CVes_ModelRecord* rec = shape(row.key);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->getID().ToString(), QLatin1String(row.key));
    rec->setDiaVal(10.0);
    rec->calculateSideLen(0);

    ASSERT_EQ(rec->getSideArraySize(), int(row.lengths.size()));
    std::vector<double> angles;
    for (int i = 0; i < rec->getSideArraySize(); ++i) {
        const CVes_Side& s = *rec->m_arrSide[size_t(i)];
        if (s.isConnect()) {
            EXPECT_EQ(row.lengths[size_t(i)], 0) << "side " << i + 1 << " is a mark";
            EXPECT_EQ(s.m_count, 1);
            continue;
        }
        EXPECT_EQ(s.m_length, row.lengths[size_t(i)]) << "side " << i + 1;
        if (i > 0) {
            EXPECT_NE(s.m_angleText, QStringLiteral("0")) << "side " << i + 1 << " has no angle";
            angles.push_back(s.m_angle);
        }
    }
    ASSERT_EQ(angles.size(), row.angles.size());
    for (size_t i = 0; i < angles.size(); ++i)
        EXPECT_NEAR(angles[i], row.angles[i], 0.01) << "angle " << i + 1;

    EXPECT_EQ(rec->m_stirrup, row.stirrup);
    EXPECT_EQ(rec->haveHookLeft(), row.hookLeft ? 1 : 0);
    EXPECT_EQ(rec->haveHookRight(), row.hookRight ? 1 : 0);
    if (row.hookLeft) {
        EXPECT_EQ(rec->m_hookLeft.kind, row.hookLeft);
    }
    if (row.hookRight) {
        EXPECT_EQ(rec->m_hookRight.kind, row.hookRight);
    }

    const std::string turns = row.turns;
    if (!turns.empty()) {
        const int first = rec->m_arrSide[1]->m_bendDirection;
        ASSERT_NE(first, 0);
        for (size_t i = 0; i < turns.size(); ++i) {
            const int dir = rec->m_arrSide[i + 1]->m_bendDirection;
            EXPECT_EQ(dir, turns[i] == '+' ? first : -first) << "bend " << i + 1;
        }
    }
}

// Bar groups carry the intermediate connection the editor makes of each
// mark: style from the mark, count text "1".
TEST_P(DefaultShape, BarGroupsCarryOneConnectionPerMark)
{
    const ShapeRow& row = GetParam();
    CVes_ModelRecord* rec = shape(row.key);
    ASSERT_NE(rec, nullptr);
    std::vector<int> marks;
    for (const auto& s : rec->m_arrSide) {
        if (s->isConnect())
            marks.push_back(s->m_subStyle);
    }
    EXPECT_EQ(rec->m_barGroup, marks.empty() ? 0 : 1);
    if (marks.empty())
        return;
    ASSERT_EQ(rec->m_arrMidConnect.size(), marks.size());
    for (size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(rec->m_arrMidConnect[i]->style, marks[i]);
        EXPECT_EQ(rec->m_arrMidConnect[i]->countText, QStringLiteral("1"));
    }
}

TEST_P(DefaultShape, DrawsItsSidesHooksAndVariables)
{
    const ShapeRow& row = GetParam();
    CVes_ModelRecord copy(shape(row.key));
    copy.setDiaVal(10.0);
    copy.calculateSideLen(0);
    const platform::Rect rect(0, 0, 1500, 300);

    RecordingDc dc;
    copy.DrawEx(&dc, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF0000, 0, 0, 0, &rect, 1, 1, -1.0);
    EXPECT_GE(dc.segments().size() + size_t(dc.count(platform::DcOp::Arc)), row.lengths.size());
    for (const auto& v : copy.m_arrVar) {
        if (v->m_type == CVes_Variable::kStandard)
            continue;
        const QStringList texts = dc.texts();
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                                [&](const QString& t) { return t.startsWith(v->m_text); }))
            << v->m_text.toStdString() << " is not drawn: " << texts.join(u'|').toStdString();
    }

    // Hooks add strokes of their own.
    CVes_ModelRecord bare(&copy);
    bare.m_hookLeft.enabled = bare.m_hookRight.enabled = 0;
    RecordingDc plain;
    bare.DrawEx(&plain, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF0000, 0, 0, 0, &rect, 1, 1, -1.0);
    const int hooks = (row.hookLeft ? 1 : 0) + (row.hookRight ? 1 : 0);
    if (hooks)
        EXPECT_GT(dc.segments().size(), plain.segments().size());
    else
        EXPECT_EQ(dc.segments().size(), plain.segments().size());
}

// What a person reads off a drawing

// The distance from `p` to a side of the bar: to the segment of a straight
// side, to the circle of an arc.
double distanceToSide(QPointF p, const CVes_Side& side)
{
    if (side.m_type == CVes_Curve::kArc) {
        QPoint centre, start, end;
        if (side.getArcPt(centre, start, end) < 0)
            return 1e9;
        const QPointF c(centre);
        return std::abs(std::hypot(p.x() - c.x(), p.y() - c.y())
                        - std::hypot(start.x() - c.x(), start.y() - c.y()));
    }
    const QPointF a(side.getStart()), b(side.getEnd());
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF near = a + t * ab;
    return std::hypot(p.x() - near.x(), p.y() - near.y());
}

double distanceToBar(QPointF p, const CVes_ModelRecord& rec)
{
    double nearest = 1e9;
    for (const auto& side : rec.m_arrSide) {
        if (!side->isConnect())
            nearest = std::min(nearest, distanceToSide(p, *side));
    }
    return nearest;
}

// Points every unit along the drawn strokes.
std::vector<QPointF> pointsAlong(const std::vector<RecordingDc::Segment>& strokes)
{
    std::vector<QPointF> points;
    for (const auto& s : strokes) {
        const QPointF a(s.from), b(s.to);
        const int n = std::max(1, int(std::hypot(b.x() - a.x(), b.y() - a.y())));
        for (int i = 0; i <= n; ++i)
            points.push_back(a + (b - a) * (double(i) / n));
    }
    return points;
}

// A value shown on a drawing stands beside the bar, never on it: the box its
// digits fill (text metrics of the recording context, at least as wide as
// drawn) keeps clear of every side.
TEST_P(DefaultShape, ValuesStandBesideTheBar)
{
    CVes_ModelRecord copy(shape(GetParam().key));
    copy.setDiaVal(10.0);
    copy.calculateSideLen(0);
    RecordingDc dc;
    copy.DrawEx(&dc, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF0000, 0, 0, 0, nullptr, 0, 1, -1.0);
    const auto texts = dc.records(platform::DcOp::TextOut);
    ASSERT_FALSE(texts.empty());
    for (const auto& text : texts) {
        const int height = std::abs(text.font.logFont().lfHeight);
        const QSize extent = dc.GetTextExtent(text.text);
        const QPoint at = text.points.at(0);
        const unsigned align = text.state.textAlign & (platform::gdi::TA_CENTER | platform::gdi::TA_RIGHT);
        const int left = align == platform::gdi::TA_CENTER ? at.x() - extent.width() / 2
                         : align == platform::gdi::TA_RIGHT ? at.x() - extent.width() : at.x();
        // From the baseline up to the top of the digits.
        const QRectF digits(left, at.y() - 0.7 * height, extent.width(), 0.7 * height);
        for (const auto& side : copy.m_arrSide) {
            if (side->isConnect())
                continue;
            for (const QPointF& p : pointsAlong({{side->getStart(), side->getEnd(), {}, 0}})) {
                if (side->m_type == CVes_Curve::kLine && digits.contains(p)) {
                    ADD_FAILURE() << text.text.toStdString() << " lies on the side through (" << p.x() << ", "
                                  << p.y() << ")";
                    break;
                }
            }
        }
    }
}

// Each hook shows: most of what is drawn for it lies off the bar's sides
// (a hook drawn along a side of a stirrup cannot be seen).
TEST_P(DefaultShape, HooksShowClearOfTheSides)
{
    const ShapeRow& row = GetParam();
    CVes_ModelRecord copy(shape(row.key));
    copy.setDiaVal(10.0);
    copy.calculateSideLen(0);
    CVes_ModelRecord bare(&copy);
    bare.m_hookLeft.enabled = bare.m_hookRight.enabled = 0;
    RecordingDc plain;
    bare.DrawEx(&plain, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF0000, 0, 0, 0, nullptr, 0, 1, -1.0);
    const size_t withoutHooks = plain.segments().size();

    for (const bool left : {true, false}) {
        if (!(left ? row.hookLeft : row.hookRight))
            continue;
        CVes_ModelRecord one(&bare);
        (left ? one.m_hookLeft : one.m_hookRight).enabled = 1;
        RecordingDc dc;
        one.DrawEx(&dc, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF0000, 0, 0, 0, nullptr, 0, 1, -1.0);
        const auto all = dc.segments();
        ASSERT_GT(all.size(), withoutHooks);
        const std::vector<QPointF> points =
            pointsAlong({all.begin() + std::ptrdiff_t(withoutHooks), all.end()});
        const auto off = std::count_if(points.begin(), points.end(),
                                       [&](QPointF p) { return distanceToBar(p, copy) > 3.0; });
        EXPECT_GT(2 * off, std::ptrdiff_t(points.size())) << (left ? "the first" : "the last") << " hook";
    }
}

TEST_P(DefaultShape, RoundTripsThroughASingleShapeFile)
{
    const ShapeRow& row = GetParam();
    const CVes_ModelRecord* rec = shape(row.key);
    ASSERT_NE(rec, nullptr);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shape.stl"));
    CVes_ModelRecord original(rec);
    ASSERT_EQ(original.saveFile(path), 1);

    CVes_ModelRecord back;
    ASSERT_EQ(back.readFile(path), 1);
    EXPECT_TRUE(back.isSameRecord(&original));
    platform::Archive a, b;
    original.Serialize(a);
    back.Serialize(b);
    EXPECT_EQ(a.data(), b.data());
}

INSTANTIATE_TEST_SUITE_P(Library, DefaultShape, ::testing::ValuesIn(kShapes),
                         [](const auto& info) {
                             std::string name = info.param.key;
                             name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                             return "K" + name;
                         });

// Every shape of the library is in the table above, and the library holds
// nothing the program's key ranges would confuse with older shapes.
TEST(DefaultLibrary, HoldsTheTabledShapesInSystemSubLibraries190To199)
{
    std::set<QString> tabled;
    for (const ShapeRow& r : kShapes)
        tabled.insert(QLatin1String(r.key));
    std::set<QString> stored;
    for (const auto& sub : shapeLib().getSyslibArray()) {
        EXPECT_GE(sub->MainId(), 190);
        EXPECT_LE(sub->MainId(), 199);
        EXPECT_FALSE(sub->name().isEmpty());
        int n = 0;
        for (const auto& r : sub->getModelArray()) {
            EXPECT_EQ(r->getID(), CSteelRecordId(sub->MainId(), ++n));
            stored.insert(r->getID().ToString());
        }
    }
    EXPECT_EQ(stored, tabled);
    EXPECT_GE(stored.size(), 30u);

    CVes_ModelRecordMainLib user;
    ASSERT_EQ(user.loadLib(QString(), 0), 1);
    EXPECT_TRUE(user.getUselibArray().empty());
}

// What the editor's OK demands of every shape, and what keeps values of
// older bars from landing in the wrong variable.
TEST(DefaultLibrary, VariablesStartWithTheStandardFiveAndAreSafeNames)
{
    const char* const functions[] = {"sin", "cos", "tan", "ctn", "square", "sqrt", "int", "ln"};
    auto check = [&](CVes_ModelRecord* rec) {
        const QString key = rec->getID().ToString();
        ASSERT_GE(rec->getVarArraySize(), 5) << key.toStdString();
        const char* const standard[] = {"d", "lae", "lle", "la", "bhc"};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(rec->m_arrVar[size_t(i)]->m_text, QLatin1String(standard[i])) << key.toStdString();
            EXPECT_EQ(rec->m_arrVar[size_t(i)]->m_type, CVes_Variable::kStandard);
        }
        std::set<QString> names;
        for (const auto& v : rec->m_arrVar) {
            EXPECT_TRUE(names.insert(v->m_text).second) << key.toStdString() << " names twice";
            for (const QChar c : v->m_text)
                EXPECT_LT(c.unicode(), 0x80) << key.toStdString();
            if (v->m_type == CVes_Variable::kStandard)
                continue;
            for (const char* f : functions)
                EXPECT_FALSE(v->m_text.contains(QLatin1String(f), Qt::CaseInsensitive))
                    << key.toStdString() << ' ' << v->m_text.toStdString();
        }
    };
    for (CVes_ModelRecord* rec : allRecords(shapeLib()))
        check(rec);
    for (CVes_ModelRecord* rec : allRecords(startLib()))
        check(rec);
}

// Shapes that differ only in hooks or flags still differ in their drawing,
// so that a library that drops duplicate drawings keeps them all.
TEST(DefaultLibrary, NoTwoShapesDrawTheSame)
{
    const auto recs = allRecords(shapeLib());
    for (size_t i = 0; i < recs.size(); ++i)
        for (size_t j = i + 1; j < recs.size(); ++j)
            EXPECT_FALSE(recs[i]->isSame(recs[j]))
                << recs[i]->getID().ToString().toStdString() << " and "
                << recs[j]->getID().ToString().toStdString();
}

TEST(DefaultLibrary, StartStylesAreElementSketchesWithTextsAndVariables)
{
    const auto recs = allRecords(startLib());
    ASSERT_EQ(recs.size(), 6u);
    QStringList captions;
    for (CVes_ModelRecord* rec : recs) {
        EXPECT_EQ(rec->getID().m_mainId, 190);
        EXPECT_EQ(rec->m_rectW, 400);
        EXPECT_EQ(rec->m_rectH, 300);
        EXPECT_GT(rec->getLineArraySize(), 0);
        EXPECT_GT(rec->getVarArraySize(), 5);
        ASSERT_GT(rec->getTextArraySize(), 0);
        captions << rec->m_arrText[0]->m_text;

        CVes_ModelStart copy(rec);
        RecordingDc dc;
        const platform::Rect rect(0, 0, 400, 300);
        copy.DrawEx(&dc, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFF0000, 0, 0, 0, &rect, 1, 1, -1.0);
        EXPECT_GE(dc.segments().size(), size_t(rec->getLineArraySize()));
        EXPECT_TRUE(dc.texts().contains(rec->m_arrText[0]->m_text));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("start.stl"));
        ASSERT_EQ(copy.saveFile(path), 1);
        CVes_ModelStart back;
        ASSERT_EQ(back.readFile(path), 1);
        EXPECT_TRUE(back.isSameRecord(&copy));
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("梁截面"), QStringLiteral("柱截面"),
                                     QStringLiteral("墙"), QStringLiteral("板"),
                                     QStringLiteral("楼梯"), QStringLiteral("基础")}));
}

// The program's own lookups find the default shapes in a new data folder.
TEST(DefaultLibrary, TheCacheOfUsedRecordsFindsDefaultShapesAndStartStyles)
{
    CVes_ModelRecord* bar = getUseModelRecord(CSteelRecordId(192, 1));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->getSideArraySize(), 4);
    EXPECT_EQ(bar->getTextArraySize(), 0); // not the placeholder of a missing shape
    CVes_ModelRecord* start = getUseStartRecord(CSteelRecordId(190, 1));
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->m_arrText[0]->m_text, QStringLiteral("梁截面"));
}

// lists

struct CategoryFile {
    QStringList names;
    QStringList files;
};

// Read the way the select-shape dialog reads it.
CategoryFile readCategories(const QString& name)
{
    CategoryFile out;
    CXmlDocument doc;
    EXPECT_TRUE(doc.loadFile(GetRODOFilePath() + name)) << name.toStdString();
    if (!doc.findElement(QStringLiteral("STEELCHANGYONG")))
        return out;
    doc.intoElement();
    while (doc.findElement()) {
        if (doc.findChildElement(QStringLiteral("NAME")))
            out.names << doc.getDataAt(doc.getChildPosition());
        doc.setPosition(doc.getParentPosition(), doc.getCurrentPosition(), 0);
        if (doc.findChildElement(QStringLiteral("FILE")))
            out.files << doc.getDataAt(doc.getChildPosition());
        doc.setPosition(doc.getParentPosition(), doc.getCurrentPosition(), 0);
    }
    doc.outOfElement();
    return out;
}

// The keys of a list file; every line must end in CR LF.
QStringList readList(const QString& file)
{
    QByteArray bytes;
    EXPECT_TRUE(platform::readFile(GetRODOFilePath() + file, &bytes)) << file.toStdString();
    EXPECT_TRUE(bytes.isEmpty() || bytes.endsWith("\r\n")) << file.toStdString();
    QStringList keys;
    for (const QByteArray& line : bytes.split('\n')) {
        if (line.isEmpty())
            continue;
        EXPECT_TRUE(line.endsWith('\r')) << file.toStdString();
        keys << QString::fromLatin1(line.chopped(1));
    }
    return keys;
}

TEST(DefaultLists, CategoryFilesNameListsOfShapesThatExist)
{
    struct Kind {
        const char* file;
        bool start;
    };
    // Start styles are read afresh from the files of this test's data folder.
    CVes_ModelStartMainLib starts;
    for (const Kind kind : {Kind{"steelLib.xml", false}, Kind{"startLib.xml", true}}) {
        QByteArray bytes;
        ASSERT_TRUE(platform::readFile(GetRODOFilePath() + QLatin1String(kind.file), &bytes));
        EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));

        const CategoryFile cats = readCategories(QLatin1String(kind.file));
        ASSERT_FALSE(cats.names.isEmpty()) << kind.file;
        ASSERT_EQ(cats.names.size(), cats.files.size()) << kind.file;
        EXPECT_EQ(cats.names.front(), QStringLiteral("常用"));
        for (int i = 0; i < cats.files.size(); ++i) {
            const QStringList keys = readList(cats.files[i]);
            EXPECT_FALSE(keys.isEmpty()) << cats.files[i].toStdString();
            if (i == 0) {
                EXPECT_LE(keys.size(), 17);
            }
            for (const QString& k : keys) {
                const CSteelRecordId key = CSteelRecordId::setId(k);
                EXPECT_EQ(key.ToString(), k);
                const CVes_ModelRecord* rec = kind.start ? starts.getStartModel(key)
                                                         : shapeLib().getModel(key, 1);
                EXPECT_NE(rec, nullptr) << cats.files[i].toStdString() << ": " << k.toStdString();
            }
        }
    }
}

TEST(DefaultLists, TheCommonBarsListsHoldShapesThatExist)
{
    const char* const files[] = {"recentSteel.dat", "beamSteel.dat", "columnsteel.dat", "wallsteel.dat",
                                 "slabsteel.dat", "stairsteel.dat", "basesteel.dat"};
    for (const char* f : files) {
        const QStringList keys = readList(QLatin1String(f));
        EXPECT_FALSE(keys.isEmpty()) << f;
        if (QLatin1String(f) == QLatin1String("recentSteel.dat")) {
            EXPECT_LE(keys.size(), 12);
        }
        for (const QString& k : keys)
            EXPECT_NE(shapeLib().getModel(CSteelRecordId::setId(k), 1), nullptr) << f << ": " << k.toStdString();
    }
}

} // namespace
