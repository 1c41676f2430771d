#include "core/model/barcore.h"
#include "core/model/modelreference.h"
#include "envora/usercustom.h"
#include "platform/archive.h"
#include "platform/recordingdc.h"
#include "tests/core/model/barcore_bytes.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

namespace {

using test::CacheScope;
using test::ReferenceFields;
using test::ShapeBuilder;

// The shape the stored bars below refer to: a stirrup-family bar group with
// its own default joint (type 3, count "2") and two joints of type 5.
std::unique_ptr<CVes_ModelRecord> groupShape(CSteelRecordId key)
{
    auto r = ShapeBuilder(key).var("L", 3000).straight({1300, 150}, "0", "L").build();
    r->m_stirrup = 1;
    r->m_barGroup = 1;
    r->m_defaultMidConnect.style = 3;
    r->m_defaultMidConnect.countText = "2";
    r->clearMidConnectArray();
    CVes_MidConnect five;
    five.style = 5;
    r->AddMidConnect(five);
    r->AddMidConnect(five);
    return r;
}

std::unique_ptr<CVes_ModelRecord> userShape(CSteelRecordId key)
{
    return ShapeBuilder(key).var("L", 3000).straight({1300, 150}, "0", "L").hooks(4, 4).build();
}

QByteArray stored(CVes_ModelReference& ref)
{
    platform::Archive ar;
    ref.Serialize(ar);
    return ar.data();
}

void load(CVes_ModelReference& ref, const QByteArray& bytes)
{
    platform::Archive ar(bytes);
    ref.Serialize(ar);
    EXPECT_TRUE(ar.atEnd()) << ar.remaining() << " bytes left";
}

QByteArray recordStream(CVes_ModelRecord& record)
{
    platform::Archive ar;
    record.Serialize(ar);
    return ar.data();
}

std::vector<int> midStyles(const CVes_ModelReference& ref)
{
    std::vector<int> styles;
    for (const auto& mid : ref.getMidConnectArray())
        styles.push_back(mid->style);
    return styles;
}

QStringList variableNames(const CVes_ModelReference& ref)
{
    QStringList names;
    for (const auto& v : ref.getVarArray())
        names << v->m_text;
    return names;
}

// stored schemas

struct ReferenceSchemaCase {
    const char* name;
    int schema;
    int mainId;
    int storedBarGroup;
    int stirrup;       // after loading
    int barGroup;
    int defaultStyle;  // of the default joint
    std::vector<int> mids;
};

std::ostream& operator<<(std::ostream& os, const ReferenceSchemaCase& c)
{
    return os << c.name;
}

class ReferenceSchema : public ::testing::TestWithParam<ReferenceSchemaCase> {};

TEST_P(ReferenceSchema, ReadsTheFieldsAndFillsInWhatTheSchemaLacks)
{
    const ReferenceSchemaCase& c = GetParam();
    CacheScope scope;
    scope.add(groupShape({c.mainId, 20}));
    ReferenceFields f;
    f.mainId = c.mainId;
    f.barGroup = c.storedBarGroup;
    CVes_ModelReference ref;
    load(ref, test::referenceBytes(c.schema, f));

    EXPECT_EQ(ref.getRecordId(), CSteelRecordId(c.mainId, 20));
    EXPECT_TRUE(ref.isHaveLeftHook());
    EXPECT_EQ(ref.getHookLeft().kind, 2);
    EXPECT_EQ(ref.getHookLeft().param, 16);
    EXPECT_FALSE(ref.isHaveRightHook());
    EXPECT_EQ(ref.getStirrup(), c.stirrup);
    EXPECT_EQ(ref.isSteelGroup(), c.barGroup);
    EXPECT_EQ(ref.getDefaultMidConnect().style, c.defaultStyle);
    EXPECT_EQ(midStyles(ref), c.mids);
    EXPECT_EQ(variableNames(ref), QStringList({"d", "L", "lle", "lae", "la", "bhc"}));
    EXPECT_EQ(ref.getVarValue("L"), 2500.0);
    EXPECT_FALSE(ref.hasPrivateRecord());

    if (c.schema >= 2) {
        EXPECT_EQ(ref.getLConnect()->type, 8);
        EXPECT_EQ(ref.getRConnect()->type, 3);
        EXPECT_EQ(ref.getRConnect()->farDN, 12.0f);
    } else {
        EXPECT_EQ(ref.getLConnect()->type, 0);
        EXPECT_EQ(ref.getLConnect()->flag, 1);
        EXPECT_EQ(ref.getRConnect()->flag, 0);
    }
    if (c.schema >= 3) {
        EXPECT_EQ(ref.getOutDim(), 0);
        EXPECT_EQ(ref.isProcess(), 0);
        EXPECT_EQ(ref.isActualMeasure(), 1);
        EXPECT_EQ(ref.getMultiGroup(), 4);
        EXPECT_EQ(ref.isMultiVal(), 1);
        EXPECT_EQ(ref.getMirror(), 1u);
    } else {
        EXPECT_EQ(ref.getOutDim(), 1);
        EXPECT_EQ(ref.isProcess(), 1);
        EXPECT_EQ(ref.isActualMeasure(), 0);
        EXPECT_EQ(ref.getMultiGroup(), 2);
        EXPECT_EQ(ref.getMirror(), 0u);
    }
}

// The stored default joint is of type 7, the stored joints of type 2; the
// shape's default is of type 3 and its two joints of type 5.
INSTANTIATE_TEST_SUITE_P(
    Schemas, ReferenceSchema,
    ::testing::Values(
        ReferenceSchemaCase{"schema1_joint_flags_and_default_from_shape", 1, 150, 0, 1, 1, 3, {3}},
        ReferenceSchemaCase{"schema2_with_connections", 2, 150, 0, 1, 1, 3, {3}},
        ReferenceSchemaCase{"schema3_one_joint_equal_to_the_default", 3, 150, 0, 1, 1, 3, {3}},
        ReferenceSchemaCase{"schema4_stored_default", 4, 150, 0, 1, 1, 7, {7}},
        ReferenceSchemaCase{"schema5_stored_stirrup_flag", 5, 150, 0, 0, 1, 7, {7}},
        ReferenceSchemaCase{"schema6_stored_group_flag", 6, 150, 0, 0, 0, 7, {7}},
        ReferenceSchemaCase{"schema7_stored_joints", 7, 150, 0, 0, 0, 7, {2}},
        ReferenceSchemaCase{"schema7_bar_group_takes_the_shapes_joints", 7, 150, 1, 0, 1, 7, {5, 5}},
        ReferenceSchemaCase{"schema7_sub_library_109_takes_the_shapes_joints", 7, 109, 0, 0, 0, 7, {5, 5}},
        ReferenceSchemaCase{"schema8", 8, 150, 0, 0, 0, 7, {2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReferenceStream, Schema8IsWrittenByteForByte)
{
    CacheScope scope;
    scope.add(groupShape({150, 20}));
    const QByteArray bytes = test::referenceBytes(8, ReferenceFields{});
    CVes_ModelReference ref;
    load(ref, bytes);
    EXPECT_EQ(test::toHex(stored(ref)), test::toHex(bytes));
}

TEST(ReferenceStream, MissingStandardVariablesAreAppended)
{
    CacheScope scope;
    scope.add(groupShape({150, 20}));
    ReferenceFields f;
    f.variables = test::standardVariables(12, 2500, false);
    CVes_ModelReference ref;
    load(ref, test::referenceBytes(8, f));
    EXPECT_EQ(variableNames(ref), QStringList({"d", "L", "lle", "lae", "bhc", "la"}));
    EXPECT_EQ(ref.getVar("la")->m_type, CVes_Variable::kStandard);
    EXPECT_EQ(ref.getVarValue("la"), 0.0);
}

TEST(ReferenceStream, UnknownSchemasAndDamageAreRefused)
{
    CacheScope scope;
    for (int schema : {0, 9, -100}) {
        QByteArray bytes = test::referenceBytes(8, ReferenceFields{});
        bytes[0] = char(schema);
        bytes[1] = bytes[2] = bytes[3] = char(schema < 0 ? 0xFF : 0);
        CVes_ModelReference ref;
        platform::Archive ar(bytes);
        try {
            ref.Serialize(ar);
            ADD_FAILURE() << "schema " << schema << " was read";
        } catch (const platform::SchemaError& e) {
            EXPECT_EQ(e.code(), -100);
        }
    }
    const QByteArray bytes = test::referenceBytes(8, ReferenceFields{});
    CVes_ModelReference ref;
    platform::Archive cut(bytes.left(bytes.size() - 3));
    EXPECT_THROW(ref.Serialize(cut), platform::ArchiveError);
}

// private copies of user shapes

TEST(ReferencePrivateRecord, UserShapeIsSavedWithTheTableWhenTheSettingSaysSo)
{
    CacheScope scope;
    CVes_ModelRecord* cached = scope.add(userShape({230, 1}));
    ReferenceFields f;
    f.mainId = 230;
    f.recordNo = 1;

    CVes_ModelReference kept;
    load(kept, test::referenceBytes(7, f));
    ASSERT_TRUE(kept.hasPrivateRecord());
    EXPECT_NE(kept.getRecord(), cached);
    const QByteArray withRecord = stored(kept);
    f.privateRecord = recordStream(*cached);
    EXPECT_EQ(test::toHex(withRecord), test::toHex(test::referenceBytes(8, f)));

    ASSERT_TRUE(Info_UserCustomSetSteelRecordType(1));
    CVes_ModelReference shared;
    f.privateRecord.clear();
    load(shared, test::referenceBytes(7, f));
    EXPECT_FALSE(shared.hasPrivateRecord());
    EXPECT_EQ(shared.getRecord(), cached);
    EXPECT_EQ(test::toHex(stored(shared)), test::toHex(test::referenceBytes(8, f)));
}

TEST(ReferencePrivateRecord, ChoosingAUserShapeKeepsACopy)
{
    CacheScope scope;
    CVes_ModelRecord* cached = scope.add(userShape({230, 1}));
    CVes_ModelReference ref;
    ref.setRecordId({230, 1});
    EXPECT_TRUE(ref.hasPrivateRecord());
    EXPECT_NE(ref.getRecord(), cached);
    // The shape's hooks come with it.
    EXPECT_TRUE(ref.isHaveLeftHook());
    EXPECT_TRUE(ref.isHaveRightHook());
    ref.setRecordId({150, 20});
    EXPECT_FALSE(ref.hasPrivateRecord());

    ASSERT_TRUE(Info_UserCustomSetSteelRecordType(1));
    CVes_ModelReference shared;
    shared.setRecordId({230, 1});
    EXPECT_FALSE(shared.hasPrivateRecord());
    EXPECT_EQ(shared.getRecord(), cached);
}

// A table opened where a user shape is missing keeps the shape's key, and the
// shape comes back where the user library has it.
TEST(ReferencePrivateRecord, MissingUserShapeIsNeverReplacedByItsPlaceholder)
{
    CacheScope scope;
    ReferenceFields f;
    f.mainId = 230;
    f.recordNo = 9;
    CVes_ModelReference elsewhere;
    load(elsewhere, test::referenceBytes(7, f));
    EXPECT_FALSE(elsewhere.hasPrivateRecord());
    EXPECT_TRUE(elsewhere.isShapeMissing());
    ASSERT_NE(elsewhere.getRecord(), nullptr);
    EXPECT_EQ(elsewhere.getRecord()->m_arrText.front()->m_text,
              QString::fromUtf8("大样编号230-9为用户大样，未找到"));
    const QByteArray saved = stored(elsewhere);
    EXPECT_EQ(test::toHex(saved), test::toHex(test::referenceBytes(8, f)));

    CVes_ModelReference chosen;
    chosen.setRecordId({230, 9});
    EXPECT_FALSE(chosen.hasPrivateRecord());

    clearTheUseRecordArray();
    scope.add(userShape({230, 9}));
    CVes_ModelReference home;
    load(home, saved);
    EXPECT_FALSE(home.isShapeMissing());
    EXPECT_EQ(home.getRecord()->getSideArraySize(), 1);
}

TEST(ReferencePrivateRecord, StoredPlaceholderOfAnOlderVersionIsDropped)
{
    CacheScope scope;
    CVes_ModelRecord placeholder;
    placeholder.m_id = {230, 9};
    placeholder.AddText(placeholderText({230, 9}), 700, 150, 80, 6, 0, 0xFFFFFF, 1);
    ReferenceFields f;
    f.mainId = 230;
    f.recordNo = 9;
    f.privateRecord = recordStream(placeholder);
    scope.add(userShape({230, 9}));
    CVes_ModelReference ref;
    load(ref, test::referenceBytes(8, f));
    EXPECT_FALSE(ref.isShapeMissing());
    EXPECT_EQ(ref.getRecord()->getSideArraySize(), 1);
}

TEST(ReferencePrivateRecord, StoredRecordIsUsedWhereTheLibraryLacksIt)
{
    CacheScope scope;
    auto own = userShape({230, 4});
    ReferenceFields f;
    f.mainId = 230;
    f.recordNo = 4;
    f.privateRecord = recordStream(*own);
    const QByteArray bytes = test::referenceBytes(8, f);
    CVes_ModelReference ref;
    load(ref, bytes);
    EXPECT_TRUE(ref.hasPrivateRecord());
    EXPECT_FALSE(ref.isShapeMissing());
    EXPECT_EQ(useModelCache().size(), 0) << "the library was not asked";
    EXPECT_EQ(test::toHex(stored(ref)), test::toHex(bytes));
}

// start styles

TEST(StartReference, Schema1KeyAndVariables)
{
    CacheScope scope;
    const QByteArray bytes =
        test::Bytes().i32(1).i32(101).i32(3).raw(test::standardVariables(10, 800));
    CVes_SteelStartReference start;
    platform::Archive ar(bytes);
    start.Serialize(ar);
    EXPECT_TRUE(ar.atEnd());
    EXPECT_EQ(start.getRecordId(), CSteelRecordId(101, 3));
    EXPECT_EQ(start.getVarValue("L"), 800.0);
    platform::Archive out;
    start.Serialize(out);
    EXPECT_EQ(test::toHex(out.data()), test::toHex(bytes));

    QByteArray wrong = bytes;
    wrong[0] = 2;
    platform::Archive bad(wrong);
    EXPECT_THROW(start.Serialize(bad), platform::SchemaError);
}

TEST(StartReference, DrawsItsStyleWithItsOwnValues)
{
    CacheScope scope;
    auto style = ShapeBuilder({101, 3}).var("a", 100).straight({300, 150}, "0", "a").build();
    style->m_rectW = 400;
    const CVes_ModelRecord* cached = useStartCache().add(*style);
    CVes_SteelStartReference start;
    const QByteArray bytes =
        test::Bytes().i32(1).i32(101).i32(3).i32(1).raw(test::variableBytes("a", 2, 250));
    platform::Archive ar(bytes);
    start.Serialize(ar);
    const platform::Rect rect(0, 0, 40, 30);
    platform::RecordingDc dc;
    start.Draw(&dc, 0, 0x0000FF, 0, 0, 0, 0, &rect, 1, 1.0);
    EXPECT_TRUE(dc.texts().join(' ').contains("250")) << dc.texts().join('|').toStdString();
    EXPECT_EQ(cached->getVar("a")->m_value, 100.0);

    CVes_SteelStartReference copy;
    copy.set(&start);
    EXPECT_EQ(copy.getRecordId(), CSteelRecordId(101, 3));
    EXPECT_EQ(copy.getVarValue("a"), 250.0);
    copy.set(nullptr);
    EXPECT_EQ(copy.getVarValue("a"), 250.0);
    useStartCache().clear();
}

// A bar that names a start style by a bar-shape key finds it among the
// bar shapes, and no placeholder stands in for it.
TEST(StartReference, BarOfTheStartTypeHasNoPlaceholder)
{
    CacheScope scope;
    scope.add(ShapeBuilder({150, 80}).straight({1300, 150}, "0", "100").build());
    CVes_ModelReference found(CVes_ModelReference::kStartType);
    EXPECT_EQ(found.getMultiGroup(), 1);
    found.setRecordId({150, 80});
    ASSERT_NE(found.getRecord(), nullptr);
    EXPECT_FALSE(found.isShapeMissing());
    CVes_ModelReference missing(CVes_ModelReference::kStartType);
    missing.setRecordId({185, 80});
    EXPECT_EQ(missing.getRecord(), nullptr);
    EXPECT_TRUE(missing.isShapeMissing());
}

// the reference's own operations

TEST(Reference, MirrorHookTurnsTheNamedHooks)
{
    CVes_ModelReference ref;
    CVes_Hook left, right;
    left.param = 16;
    right.param = 16;
    ref.setHookLeft(left);
    ref.setHookRight(right);
    ref.MirrorHook(1);
    EXPECT_EQ(ref.getHookLeft().param, 8);
    EXPECT_EQ(ref.getHookRight().param, 16);
    ref.MirrorHook(1);
    EXPECT_EQ(ref.getHookLeft().param, 16);
    left.param = 4;
    ref.setHookLeft(left);
    ref.MirrorHook(0);
    EXPECT_EQ(ref.getHookLeft().param, 16);
    EXPECT_EQ(ref.getHookRight().param, 8);
    // Mirroring the bar turns both hooks, once per change.
    ref.MirrorHor();
    EXPECT_EQ(ref.getHookLeft().param, 8);
    ref.Mirror(1);
    EXPECT_EQ(ref.getHookLeft().param, 8);
}

TEST(Reference, ChoosingAShapeTakesItsFlagsJointsAndVariables)
{
    CacheScope scope;
    scope.add(groupShape({150, 20}));
    CVes_ModelReference ref;
    ref.MirrorHor();
    ref.setRecordId({150, 20});
    EXPECT_EQ(ref.getMirror(), 0u);
    EXPECT_EQ(ref.isGuJin(), 1);
    EXPECT_EQ(ref.isSteelGroup(), 1);
    EXPECT_EQ(ref.getDefaultMidConnect().style, 3);
    EXPECT_EQ(midStyles(ref), (std::vector<int>{5, 5}));
    EXPECT_EQ(ref.getVarValue("L"), 3000.0);
    EXPECT_FALSE(ref.hasPrivateRecord());

    CVes_ModelReference copy;
    copy.setProcess(0);
    copy.set(&ref);
    EXPECT_EQ(copy.getRecordId(), ref.getRecordId());
    EXPECT_EQ(copy.getRecord(), ref.getRecord());
    EXPECT_EQ(copy.isProcess(), 1);
    EXPECT_EQ(midStyles(copy), (std::vector<int>{5, 5}));
    EXPECT_EQ(copy.getVarValue("L"), 3000.0);
}

TEST(Reference, CopyingABarWithAPrivateShapeCopiesTheShape)
{
    CacheScope scope;
    scope.add(userShape({230, 1}));
    CVes_ModelReference user;
    user.setRecordId({230, 1});
    ASSERT_TRUE(user.hasPrivateRecord());
    CVes_ModelReference copy(user);
    EXPECT_TRUE(copy.hasPrivateRecord());
    EXPECT_NE(copy.getRecord(), user.getRecord());

    // Copying a plain bar over it drops the copy of the old shape.
    scope.add(groupShape({150, 20}));
    CVes_ModelReference plain;
    plain.setRecordId({150, 20});
    CVes_ModelReference other;
    other.set(&copy);
    other.setRecordId({150, 21});  // a bar of a system shape
    other.set(&plain);
    EXPECT_FALSE(other.hasPrivateRecord());
    EXPECT_EQ(other.getRecord(), plain.getRecord());
}

TEST(Reference, JointCountsFromFormulasOverTheBarsVariables)
{
    CacheScope scope;
    scope.add(groupShape({150, 20}));
    CVes_ModelReference ref;
    ref.setRecordId({150, 20});
    ref.setVarValue("L", 24000.0);
    ref.getFirstMidConnect()->countText = "int(L/9000)";
    ref.calMidConnectNum();
    EXPECT_EQ(ref.getMidConnectArray()[0]->valueA, 2);
    ref.clearMidConnectArray();
    const CVes_MidConnect* second = ref.getSecendMidConnect();
    ASSERT_EQ(ref.getMidConnectArray().size(), 2u);
    EXPECT_EQ(second, ref.getMidConnectArray()[1].get());
    ref.setMidConnectDingChi(12000);
    EXPECT_EQ(ref.getMidConnectArray()[1]->fixedLength, 12000);
}

// drawing

std::vector<platform::RecordingDc::Segment> sideStrokes(const platform::RecordingDc& dc)
{
    std::vector<platform::RecordingDc::Segment> strokes;
    for (const auto& s : dc.segments())
        if (s.pen.color() == 0x0000FF)
            strokes.push_back(s);
    return strokes;
}

TEST(ReferenceDraw, LineStyleOfOneBarDoesNotLeakIntoTheShape)
{
    CacheScope scope;
    const CVes_ModelRecord* cached = scope.add(userShape({150, 40}));
    const platform::Rect rect(0, 0, 150, 30);

    CVes_ModelReference unprocessed;
    unprocessed.setRecordId({150, 40});
    unprocessed.setProcess(0);
    platform::RecordingDc dashedDc;
    unprocessed.Draw(&dashedDc, 0x00FF00, 0x0000FF, 0x000000, 0, 0, 0, &rect, 1, 1.0);
    auto dashed = sideStrokes(dashedDc);
    ASSERT_FALSE(dashed.empty()) << dashedDc.dump().toStdString();
    EXPECT_EQ(dashed.front().pen.userStyle().size(), 4u);  // style 3: dash-dot
    EXPECT_EQ(cached->m_arrSide.front()->m_lineStyle, 0u);

    CVes_ModelReference processed;
    processed.setRecordId({150, 40});
    platform::RecordingDc solidDc;
    processed.Draw(&solidDc, 0x00FF00, 0x0000FF, 0x000000, 0, 0, 0, &rect, 1, 1.0);
    auto solid = sideStrokes(solidDc);
    ASSERT_FALSE(solid.empty());
    EXPECT_TRUE(solid.front().pen.userStyle().empty());
}

TEST(ReferenceDraw, ValuesOfTheBarAreDrawnAndTheSharedShapeIsLeftAlone)
{
    CacheScope scope;
    const CVes_ModelRecord* cached = scope.add(userShape({150, 41}));
    CVes_BarCore bar;
    bar.setRecordId({150, 41});
    bar.setVarValue("L", 4321.0);
    bar.MirrorHor();
    const platform::Rect rect(0, 0, 150, 30);
    platform::RecordingDc dc;
    bar.Draw(&dc, 0x00FF00, 0x0000FF, 0x000000, 0, 0, 0, &rect, 1, 1.0);
    EXPECT_TRUE(dc.texts().join(' ').contains("4321")) << dc.texts().join('|').toStdString();
    EXPECT_EQ(cached->getVar("L")->m_value, 3000.0);
    EXPECT_EQ(cached->m_mirror, 0u);
    EXPECT_EQ(cached->m_pConnectLeft, nullptr);
    EXPECT_EQ(bar.getMapRatio(), 1.0);

    // The variable is found where it was drawn (mirrored about the middle).
    const CVes_Variable* label = cached->getVar("L");
    const QPoint at((1500 - label->m_position.ToPoint().x()) / 10, label->m_position.ToPoint().y() / 10);
    EXPECT_EQ(bar.getSelectVar(at), bar.getVar("L"));
    EXPECT_EQ(bar.getSelectVar(QPoint(1, 1)), nullptr);
}

TEST(ReferenceDraw, NothingWithoutAShape)
{
    CacheScope scope;
    CVes_ModelReference ref;
    platform::RecordingDc dc;
    ref.Draw(&dc, 0, 0, 0, 0, 0, 0, nullptr, 1, 1.0);
    EXPECT_TRUE(dc.records().empty());
    platform::Bitmap bitmap;
    ref.ToBitmap(bitmap, 100, 50, nullptr);
    EXPECT_TRUE(bitmap.isNull());
}

TEST(ReferenceDraw, BitmapOfTheBarsShape)
{
    CacheScope scope;
    scope.add(userShape({150, 42}));
    CVes_ModelReference ref;
    ref.setRecordId({150, 42});
    platform::Bitmap bitmap;
    ref.ToBitmap(bitmap, 100, 50, nullptr);
    EXPECT_FALSE(bitmap.isNull());
}

} // namespace
