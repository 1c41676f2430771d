#include "core/model/modelrecord.h"
#include "platform/archive.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// An empty shape-model stream: schema 1, 300 × 1500, style 0, mirror 0, no
// items, multi-value 0.
const char* const kEmptyModel =
    "01 00 00 00 2C 01 00 00 DC 05 00 00 00 00 00 00 00 00 00 00 "
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00";
const char* const kHookOff = "01 00 00 00 00 00 00 00 01 00 00 00 08 00 00 00 00 00 40 40";
const char* const kHookOn = "01 00 00 00 01 00 00 00 04 00 00 00 10 00 00 00 00 00 40 40";
// A schema-3 intermediate connection: straight-thread coupler, count "2".
const char* const kMid = "03 00 00 00 08 00 00 00 02 00 00 00 00 00 00 00 01 00 00 00 "
                         "01 00 00 00 01 32 00 00 00 00 28 23 00 00";

QByteArray recordBytes(int schema)
{
    QByteArray b = test::hex(kEmptyModel);
    b += test::hex("00 00 00 00");
    b[b.size() - 4] = char(schema);
    b += test::hex("65 00 00 00 07 00 00 00 01 00 00 00"); // key 101-7, out-dimension 1
    if (schema >= 3)
        b += test::hex("01 00 00 00"); // stirrup
    if (schema >= 4)
        b += test::hex("01 00 00 00"); // bar group
    b += test::hex(kHookOn) + test::hex(kHookOff);
    if (schema >= 2)
        b += test::hex(kMid);
    if (schema == 5)
        b += test::hex("02 00 00 00") + test::hex(kMid) + test::hex(kMid);
    return b;
}

CVes_ModelRecord load(const QByteArray& bytes)
{
    platform::Archive ar(bytes);
    CVes_ModelRecord record;
    record.Serialize(ar);
    EXPECT_TRUE(ar.atEnd());
    return record;
}

QStringList variableNames(const CVes_ModelRecord& r)
{
    QStringList names;
    for (const auto& v : r.m_arrVar)
        names << v->m_text;
    return names;
}

struct SchemaCase {
    int schema;
    size_t mids;
    int stirrup;
    int barGroup;
};

class RecordSchema : public ::testing::TestWithParam<SchemaCase> {};

TEST_P(RecordSchema, ReadsEveryStoredSchema)
{
    const SchemaCase c = GetParam();
    const CVes_ModelRecord r = load(recordBytes(c.schema));
    EXPECT_EQ(r.getID(), CSteelRecordId(101, 7));
    EXPECT_EQ(r.m_outDim, 1);
    EXPECT_EQ(r.m_stirrup, c.stirrup);
    EXPECT_EQ(r.m_barGroup, c.barGroup);
    EXPECT_EQ(r.haveHookLeft(), 1);
    EXPECT_EQ(r.m_hookLeft.param, 16);
    EXPECT_EQ(r.haveHookRight(), 0);
    ASSERT_EQ(r.m_arrMidConnect.size(), c.mids);
    for (const auto& mid : r.m_arrMidConnect)
        EXPECT_EQ(*mid, r.m_defaultMidConnect);
    // The stream held no variables: the standard ones the length rules need
    // are added.
    EXPECT_EQ(variableNames(r), QStringList({"lle", "lae", "la", "bhc"}));
}

INSTANTIATE_TEST_SUITE_P(Schemas, RecordSchema,
    ::testing::Values(SchemaCase{1, 0, 0, 0}, SchemaCase{2, 1, 0, 0}, SchemaCase{3, 1, 1, 0},
                      SchemaCase{4, 1, 1, 1}, SchemaCase{5, 2, 1, 1}),
    [](const auto& info) { return "schema" + std::to_string(info.param.schema); });

TEST(Record, Schema5RewritesByteIdentically)
{
    const QByteArray bytes = recordBytes(5);
    CVes_ModelRecord r;
    platform::Archive in(bytes);
    r.Serialize(in);
    // Drop the standard variables the load added, to compare with the fixture.
    r.m_arrVar.clear();
    platform::Archive out;
    r.Serialize(out);
    EXPECT_EQ(test::toHex(out.data()), test::toHex(bytes));
}

TEST(Record, UnknownSchemaThrowsMinus100)
{
    EXPECT_THROW(load(recordBytes(6)), platform::SchemaError);
}

TEST(Record, NewRecordHasTheStandardVariables)
{
    const CVes_ModelRecord r;
    EXPECT_EQ(variableNames(r), QStringList({"d", "lae", "lle", "la", "bhc"}));
    EXPECT_EQ(r.m_arrVar[0]->m_value, 10.0);
    EXPECT_EQ(r.m_hookLeft.kind, 1);
    EXPECT_EQ(r.m_hookRight.param, 16);
    EXPECT_TRUE(r.getID().isNull());
}

TEST(Record, CopyHasTheOriginalsVariablesAndHooksOnly)
{
    // A record without the standard variables, with hooks of its own: its
    // copies take exactly what it has; a copy of nothing is a new record.
    CVes_ModelRecord original;
    original.m_arrVar.erase(original.m_arrVar.begin() + 1, original.m_arrVar.end());
    original.AddVar(QStringLiteral("A"), 0, 0, 10, 0, 0, 0)->m_value = 1200;
    original.m_hookLeft.kind = 3;
    original.m_hookRight.param = 4;
    original.m_dn = 25.0f;
    for (const CVes_ModelRecord& copy : {CVes_ModelRecord(original), CVes_ModelRecord(&original)}) {
        EXPECT_EQ(variableNames(copy), QStringList({"d", "A"}));
        EXPECT_EQ(copy.m_arrVar[1]->m_value, 1200.0);
        EXPECT_EQ(copy.m_hookLeft.kind, 3);
        EXPECT_EQ(copy.m_hookRight.param, 4);
    }
    EXPECT_EQ(CVes_ModelRecord(original).m_dn, 25.0f);
    EXPECT_EQ(CVes_ModelRecord(&original).m_dn, 10.0f) << "the diameter member stays out";
    const CVes_ModelRecord fromNothing(static_cast<const CVes_ModelRecord*>(nullptr));
    EXPECT_EQ(variableNames(fromNothing), QStringList({"d", "lae", "lle", "la", "bhc"}));
    EXPECT_EQ(fromNothing.m_hookRight.param, 16);
}

TEST(Record, SetMidConnectSizeKeepsTheLast)
{
    CVes_ModelRecord r;
    for (int count : {1, 2, 3}) {
        CVes_MidConnect m;
        m.valueA = count;
        r.AddMidConnect(m);
    }
    r.setMidConnectSize(1);
    ASSERT_EQ(r.m_arrMidConnect.size(), 1u);
    EXPECT_EQ(r.m_arrMidConnect[0]->valueA, 3);
    r.setMidConnectSize(3);
    ASSERT_EQ(r.m_arrMidConnect.size(), 3u);
    EXPECT_EQ(r.m_arrMidConnect[2]->autoCount, 0);
}

// An L-shaped bar: 1000 along, then 300 up, lengths as formulas over a and b.
std::unique_ptr<CVes_ModelRecord> lBar()
{
    auto r = std::make_unique<CVes_ModelRecord>();
    r->AddVar(QStringLiteral("a"), CVes_Variable::kGiven, QString(), 700, 200, 60, 6, 0, 0);
    r->AddVar(QStringLiteral("b"), CVes_Variable::kGiven, QString(), 1300, 100, 60, 6, 0, 0);
    r->getVar(QStringLiteral("a"))->m_value = 1000;
    r->getVar(QStringLiteral("b"))->m_value = 300;
    r->AddLSide(200, 200, 1200, 200, 1, 0, 0);
    CVes_Side* up = r->AddLSide(1200, 200, 1200, 50, 1, 0, 0);
    r->m_arrSide[0]->m_lengthText = QStringLiteral("a");
    up->m_lengthText = QStringLiteral("b");
    up->m_angleText = QStringLiteral("90");
    r->calculateSideLen(0);
    return r;
}

TEST(Record, SideLengthsFromFormulas)
{
    const auto r = lBar();
    ASSERT_EQ(r->m_arrSide.size(), 2u);
    EXPECT_EQ(r->m_arrSide[0]->m_length, 1000);
    EXPECT_EQ(r->m_arrSide[1]->m_length, 300);
    EXPECT_EQ(r->m_arrSide[1]->m_angle, 90.0);
}

TEST(Record, VariableFormulasSeeTheValuesSetBeforeThem)
{
    // Given variables with a formula first, then computed ones, each in the
    // order they stand; a formula sees what is set before it, the old value
    // of what comes after.
    CVes_ModelRecord r;
    const auto add = [&r](const char* name, unsigned int kind, const char* formula, double value) {
        r.AddVar(QString::fromLatin1(name), kind, QString::fromLatin1(formula), 0, 0, 60, 6, 0, 0)
            ->m_value = value;
    };
    add("C3", CVes_Variable::kComputed, "C4+1", 0);
    add("C1", CVes_Variable::kComputed, "G+B", 0);
    add("B", CVes_Variable::kGiven, "", 100);
    add("G", CVes_Variable::kGiven, "B*3", 7);
    add("C2", CVes_Variable::kComputed, "C1*2", 0);
    add("C4", CVes_Variable::kComputed, "5", 40);
    r.AddLSide(200, 200, 1200, 200, 1, 0, 0)->m_lengthText = QStringLiteral("C2+C3");
    r.calculateSideLen(0);
    const auto value = [&r](const char* name) { return r.getVar(QString::fromLatin1(name))->m_value; };
    EXPECT_EQ(value("G"), 300.0);
    EXPECT_EQ(value("C1"), 400.0);
    EXPECT_EQ(value("C2"), 800.0);
    EXPECT_EQ(value("C3"), 41.0);
    EXPECT_EQ(value("C4"), 5.0);
    EXPECT_EQ(r.m_arrSide[0]->m_length, 841.0);
}

TEST(Record, CompareRealMatchesMirrorImageAndReverse)
{
    const auto a = lBar();
    auto mirrored = std::make_unique<CVes_ModelRecord>(*a);
    for (auto& side : mirrored->m_arrSide)
        side->m_bendDirection = side->m_bendDirection ? 0 : 1;
    EXPECT_EQ(a->CompareReal(mirrored.get()), 1);

    auto longer = std::make_unique<CVes_ModelRecord>(*a);
    longer->m_arrSide[1]->m_length = 301;
    EXPECT_EQ(a->CompareReal(longer.get()), 0);

    // The same bar entered from its other end: 300 first, then 1000.
    auto reversed = std::make_unique<CVes_ModelRecord>(*a);
    std::swap(reversed->m_arrSide[0]->m_length, reversed->m_arrSide[1]->m_length);
    EXPECT_EQ(a->CompareRealReverse(reversed.get()), 1);
    EXPECT_EQ(a->CompareReal(reversed.get()), 0);
}

TEST(Record, WholeRecordComparisonSeesHooks)
{
    const auto plain = lBar();
    auto hooked = std::make_unique<CVes_ModelRecord>(*plain);
    hooked->m_hookLeft.enabled = 1;
    hooked->m_hookLeft.kind = 4;
    EXPECT_TRUE(plain->isSame(hooked.get()));
    EXPECT_FALSE(plain->isSameRecord(hooked.get()));
    EXPECT_TRUE(plain->isSameRecord(std::make_unique<CVes_ModelRecord>(*plain).get()));
}

class SingleShapeFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(SingleShapeFile, SaveAndReadBack)
{
    auto r = lBar();
    r->m_id = CSteelRecordId(201, 3);
    ASSERT_EQ(r->saveFile(path("l.stl")), 1);
    CVes_ModelRecord back;
    ASSERT_EQ(back.readFile(path("l.stl")), 1);
    EXPECT_TRUE(back.isSameRecord(r.get()));
    EXPECT_EQ(back.getID(), CSteelRecordId(201, 3));
}

TEST_F(SingleShapeFile, MissingOrEmptyFileFailsAndCreatesNothing)
{
    CVes_ModelRecord r;
    EXPECT_EQ(r.readFile(path("none.stl")), 0);
    EXPECT_FALSE(QFileInfo::exists(path("none.stl")));
    QFile empty(path("empty.stl"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_EQ(r.readFile(path("empty.stl")), 0);
    EXPECT_EQ(r.readFile(QStringLiteral("a.stl")), 0);
    EXPECT_EQ(r.saveFile(QStringLiteral("a.stl")), 0);
}

TEST_F(SingleShapeFile, TrailingBytesAreIgnoredAndDamageLeavesTheRecord)
{
    QFile f(path("old.stl"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(recordBytes(5) + QByteArray(40, '\x7F'));
    f.close();
    CVes_ModelRecord r;
    ASSERT_EQ(r.readFile(path("old.stl")), 1);
    EXPECT_EQ(r.getID(), CSteelRecordId(101, 7));

    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(recordBytes(5).left(70));
    f.close();
    CVes_ModelRecord kept;
    kept.m_id = CSteelRecordId(5, 5);
    EXPECT_EQ(kept.readFile(path("old.stl")), 0);
    EXPECT_EQ(kept.getID(), CSteelRecordId(5, 5));
}

TEST_F(SingleShapeFile, ReadOnlyFileIsNotOverwritten)
{
    auto r = lBar();
    ASSERT_EQ(r->saveFile(path("ro.stl")), 1);
    QFile::setPermissions(path("ro.stl"), QFileDevice::ReadOwner);
    EXPECT_EQ(r->saveFile(path("ro.stl")), 0);
}

} // namespace

#include "core/geometry/connect.h"
#include "core/model/recordcache.h"
#include "platform/recordingdc.h"

#include <thread>

namespace {

TEST(RecordDrawing, ConnectionLabelsAtBothEnds)
{
    auto r = lBar();
    r->setDN(20.0f);
    CVes_Connect left, right;
    left.type = 3;
    left.param = 25;
    right.type = 8;
    right.direction = 0;
    right.farDN = 25.0f;
    right.farDirection = 0;
    r->m_pConnectLeft = &left;
    r->m_pConnectRight = &right;
    platform::RecordingDc dc;
    const platform::Rect rect(0, 0, 150, 30);
    r->DrawEx(&dc, 0, 0xFF, 0, 0, 0, 0, 0, &rect, 0, 1, 1.0);
    const QStringList texts = dc.texts();
    // The bar runs left to right: the left label reads towards the bar, the
    // right one away from it, and the coupler names the thicker far bar.
    EXPECT_TRUE(texts.contains(QStringLiteral("25 电"))) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("直反"))) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("→反 25"))) << texts.join(u'|').toStdString();
}

TEST(RecordCacheThreads, ConcurrentFetchesShareOneRecordPerKey)
{
    clearTheUseRecordArray();
    std::vector<std::thread> threads;
    std::vector<CVes_ModelRecord*> seen(8 * 20);
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([t, &seen] {
            for (int i = 0; i < 20; ++i)
                seen[size_t(t * 20 + i)] = getUseModelRecord(CSteelRecordId(250, i % 4 + 1));
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(useModelCache().size(), 4);
    for (size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], getUseModelRecord(CSteelRecordId(250, int(i % 20) % 4 + 1)));
    clearTheUseRecordArray();
}

} // namespace

namespace {

QString shapeFixture(const char* name)
{
    return QDir(QStringLiteral(RODO_FIXTURES_DIR)).filePath(QString::fromLatin1(name));
}

// Shape files with angles no bar has (a side angle of a billion degrees, a
// text turned INT_MAX degrees) open, and measure and draw with every value
// held to what the drawing takes.
class ShapeOutOfRange : public testing::TestWithParam<const char*> {};

TEST_P(ShapeOutOfRange, OpensMeasuresAndDraws)
{
    CVes_ModelRecord record;
    ASSERT_EQ(record.readFile(shapeFixture(GetParam())), 1);
    EXPECT_EQ(record.getID(), CSteelRecordId(191, 2));
    platform::RecordingDc dc;
    const platform::Rect cell(0, 0, 300, 60);
    record.Draw(&dc, 0, 0xFF, 0, 0, 0, 0, &cell, 1, 1, 1.0);
    EXPECT_FALSE(dc.records().empty());
    record.calculateSideLen(0);
    for (const auto& side : record.m_arrSide)
        EXPECT_GT(side->m_length, 0);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ShapeOutOfRange,
                         testing::Values("shape_side_angle_out_of_range.stl",
                                         "shape_text_angle_int_max.stl"),
                         [](const auto& info) {
                             const std::string name = info.param;
                             return name.substr(6, name.find('.') - 6);
                         });

// A side's angle is stored as its formula last gave it, whatever that was
// (beyond a turn, or no number at all): the shape file must read back.
TEST_F(SingleShapeFile, AnyAngleAFormulaGivesIsSavedAndReadBack)
{
    CVes_ModelRecord r;
    r.AddLSide(100, 150, 500, 150, 1, 0, 0xFF);
    r.AddLSide(500, 150, 500, 50, 1, 0, 0xFF);
    r.m_arrSide[0]->m_lengthText = QStringLiteral("1000");
    r.m_arrSide[1]->m_lengthText = QStringLiteral("500");
    for (const char* angle : {"400", "asin(2)", "1/tan(0)"}) {
        r.m_arrSide[1]->m_angleText = QString::fromLatin1(angle);
        r.calculateSideLen(0);
        ASSERT_EQ(r.saveFile(path("angle.stl")), 1) << angle;
        CVes_ModelRecord back;
        ASSERT_EQ(back.readFile(path("angle.stl")), 1) << angle;
        ASSERT_EQ(back.m_arrSide.size(), 2u);
        EXPECT_TRUE(std::isfinite(back.m_arrSide[1]->m_angle)) << angle;
        EXPECT_EQ(back.m_arrSide[1]->m_length, 500) << angle;
    }
}

TEST(SoundShapeFile, ReadsMeasuresAndDraws)
{
    CVes_ModelRecord record;
    ASSERT_EQ(record.readFile(shapeFixture("shape_191_2.stl")), 1);
    EXPECT_EQ(record.getID(), CSteelRecordId(191, 2));
    ASSERT_GE(record.m_arrSide.size(), 2u);
    record.calculateSideLen(0);
    for (const auto& side : record.m_arrSide)
        EXPECT_GT(side->m_length, 0);
    platform::RecordingDc dc;
    const platform::Rect cell(0, 0, 300, 60);
    record.Draw(&dc, 0, 0xFF, 0, 0, 0, 0, &cell, 1, 1, 1.0);
    int lines = 0;
    for (const platform::DcRecord& call : dc.records())
        lines += call.op == platform::DcOp::LineTo ? 1 : 0;
    EXPECT_GE(lines, int(record.m_arrSide.size()));
}

} // namespace
