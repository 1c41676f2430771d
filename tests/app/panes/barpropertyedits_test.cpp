// Edits made in the bar-property pane: each bar item reaches its own batch
// setter of the table (a recording table stands in for it), an edit on a
// real bar list is recorded for undo and marks it changed, the items that
// depend on the edited one show and hide, page and cover items go into the
// table's settings, the in-place buttons run the shape chooser and the
// joint-length rule, and the frame hears of every edit.

#include "tests/app/support/barproperty_support.h"

#include "app/panes/barpropertyedits.h"
#include "app/panes/barpropertyitems.h"
#include "envora/anchorage.h"
#include "shapeui/commonbarsdlg.h"
#include "shapeui/shapelistctrl.h"
#include "tests/support/modal.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <limits>

namespace {

using namespace barprop;
using test::fillBarList;
using test::paneBar;

// A table that records the setters called on it.
class SpyTable {
public:
    QStringList calls;

    void record(const char* name, const QString& args = {}) { calls << QStringLiteral("%1(%2)").arg(QLatin1String(name), args); }
    static QString n(double v) { return QString::number(v); }

    void setSelLineMultVar(int v) { record("setSelLineMultVar", n(v)); }
    void setSelLineGroup(int v) { record("setSelLineGroup", n(v)); }
    void setSelLineAutoCal(int v) { record("setSelLineAutoCal", n(v)); }
    void setSelLineDlLength(int v) { record("setSelLineDlLength", n(v)); }
    void setSellineGenshu(int v) { record("setSellineGenshu", n(v)); }
    void setSelLineOutDim(int v) { record("setSelLineOutDim", n(v)); }
    void setSelLineSteelCalType(unsigned v) { record("setSelLineSteelCalType", n(v)); }
    void setSelLineGrade(int v) { record("setSelLineGrade", n(v)); }
    void setSelLineDN(float v) { record("setSelLineDN", n(v)); }
    void setSelLineSteelType(int v) { record("setSelLineSteelType", n(v)); }
    void setSelLineDistMi(const QString& t) { record("setSelLineDistMi", t); }
    void setSelLineDistFei(const QString& t) { record("setSelLineDistFei", t); }
    void setSelLineDistDa(const QString& t) { record("setSelLineDistDa", t); }
    void setSelLineModelMirrorHor() { record("setSelLineModelMirrorHor"); }
    void setSelLineModelMirrorVer() { record("setSelLineModelMirrorVer"); }
    void setSelLineVarValue(const QString& name, const QString& t) { record("setSelLineVarValue", name + ',' + t); }
    void setSelLineVarValueE(const QString& name, const QString& t) { record("setSelLineVarValueE", name + ',' + t); }
    void setSelLineStartMirrorHor() { record("setSelLineStartMirrorHor"); }
    void setSelLineSteelStartVarValue(const QString& name, const QString& t)
    {
        record("setSelLineSteelStartVarValue", name + ',' + t);
    }
    void setSelLineHookLeft(int v) { record("setSelLineHookLeft", n(v)); }
    void setSelLineHookRight(int v) { record("setSelLineHookRight", n(v)); }
    void setSelLineHookLeftAng(int v) { record("setSelLineHookLeftAng", n(v)); }
    void setSelLineHookRightAng(int v) { record("setSelLineHookRightAng", n(v)); }
    void setSelLineHookLeftDirect(int v) { record("setSelLineHookLeftDirect", n(v)); }
    void setSelLineHookRightDirect(int v) { record("setSelLineHookRightDirect", n(v)); }
    void setSelLineConnect_Style_Left(unsigned v) { record("setSelLineConnect_Style_Left", n(v)); }
    void setSelLineConnect_Style_Right(unsigned v) { record("setSelLineConnect_Style_Right", n(v)); }
    void setSelLineConnect_Len_Left(int v) { record("setSelLineConnect_Len_Left", n(v)); }
    void setSelLineConnect_Len_Right(int v) { record("setSelLineConnect_Len_Right", n(v)); }
    void setSelLineConnect_State_Left(int v) { record("setSelLineConnect_State_Left", n(v)); }
    void setSelLineConnect_State_Right(int v) { record("setSelLineConnect_State_Right", n(v)); }
    void setSelLineConnect_SiKou_Left(int v) { record("setSelLineConnect_SiKou_Left", n(v)); }
    void setSelLineConnect_SiKou_Right(int v) { record("setSelLineConnect_SiKou_Right", n(v)); }
    void setSelLineConnect_SiKouOrther_Left(int v) { record("setSelLineConnect_SiKouOrther_Left", n(v)); }
    void setSelLineConnect_SiKouOrther_Right(int v) { record("setSelLineConnect_SiKouOrther_Right", n(v)); }
    void setSelLineConnect_DNOrther_Left(float v) { record("setSelLineConnect_DNOrther_Left", n(v)); }
    void setSelLineConnect_DNOrther_Right(float v) { record("setSelLineConnect_DNOrther_Right", n(v)); }
    void setSelLineMidConnect_State(int v) { record("setSelLineMidConnect_State", n(v)); }
    void setSelLineMidConnect_Style(unsigned v) { record("setSelLineMidConnect_Style", n(v)); }
    void setSelLineMidConnect_AutoCal(int v) { record("setSelLineMidConnect_AutoCal", n(v)); }
    void setSelLineMidConnect_DingChi(int v) { record("setSelLineMidConnect_DingChi", n(v)); }
    void setSelLineMidConnect_NumString(const QString& t) { record("setSelLineMidConnect_NumString", t); }
};

struct SetterCase {
    BarPropertyEdit edit;
    const char* call; // nullptr: no setter of the table
};

std::ostream& operator<<(std::ostream& os, const SetterCase& c)
{
    return os << c.edit.id;
}

BarPropertyEdit whole(int id, int value)
{
    BarPropertyEdit e;
    e.id = id;
    e.whole = value;
    return e;
}
BarPropertyEdit real(int id, double value)
{
    BarPropertyEdit e;
    e.id = id;
    e.real = value;
    return e;
}
BarPropertyEdit text(int id, const char* value, const char* name = "")
{
    BarPropertyEdit e;
    e.id = id;
    e.text = QString::fromUtf8(value);
    e.name = QString::fromUtf8(name);
    return e;
}

class BarSetters : public ::testing::TestWithParam<SetterCase> {};

TEST_P(BarSetters, EachItemCallsItsOwnSetter)
{
    SpyTable spy;
    const SetterCase& c = GetParam();
    EXPECT_EQ(applyBarPropertyEdit(spy, c.edit), c.call != nullptr);
    EXPECT_EQ(spy.calls, c.call ? QStringList{QString::fromUtf8(c.call)} : QStringList{});
}

INSTANTIATE_TEST_SUITE_P(
    Items, BarSetters,
    ::testing::Values(
        SetterCase{whole(102, 1), "setSelLineMultVar(1)"},
        SetterCase{whole(103, 3), "setSelLineGroup(3)"},
        SetterCase{whole(105, 0), "setSelLineAutoCal(0)"},
        SetterCase{real(106, 2550.7), "setSelLineDlLength(2550)"},
        SetterCase{whole(107, 6), "setSellineGenshu(6)"},
        SetterCase{whole(108, 1), "setSelLineOutDim(1)"},
        SetterCase{whole(109, 1), "setSelLineSteelCalType(1)"},
        SetterCase{whole(111, 12), "setSelLineGrade(12)"},
        SetterCase{real(112, 6.5), "setSelLineDN(6.5)"},
        SetterCase{whole(113, 1), "setSelLineSteelType(1)"},
        SetterCase{text(121, "100"), "setSelLineDistMi(100)"},
        SetterCase{text(122, "200"), "setSelLineDistFei(200)"},
        SetterCase{text(123, "150"), "setSelLineDistDa(150)"},
        SetterCase{whole(202, 0), "setSelLineModelMirrorHor()"},
        SetterCase{whole(203, 1), "setSelLineModelMirrorVer()"},
        SetterCase{text(221, "3200", "L"), "setSelLineVarValue(L,3200)"},
        SetterCase{text(222, "3600", "L"), "setSelLineVarValueE(L,3600)"},
        SetterCase{whole(252, 0), "setSelLineStartMirrorHor()"},
        SetterCase{text(261, "50", "a"), "setSelLineSteelStartVarValue(a,50)"},
        SetterCase{whole(301, 1), "setSelLineHookLeft(1)"},
        SetterCase{whole(311, 0), "setSelLineHookRight(0)"},
        SetterCase{whole(302, 2), "setSelLineHookLeftAng(2)"},
        SetterCase{whole(312, 4), "setSelLineHookRightAng(4)"},
        SetterCase{whole(303, 16), "setSelLineHookLeftDirect(16)"},
        SetterCase{whole(313, 8), "setSelLineHookRightDirect(8)"},
        SetterCase{whole(401, 7), "setSelLineConnect_Style_Left(7)"},
        SetterCase{whole(411, 4), "setSelLineConnect_Style_Right(4)"},
        SetterCase{real(402, 800.9), "setSelLineConnect_Len_Left(800)"},
        SetterCase{real(412, 35), "setSelLineConnect_Len_Right(35)"},
        SetterCase{whole(403, 1), "setSelLineConnect_State_Left(1)"},
        SetterCase{whole(413, 0), "setSelLineConnect_State_Right(0)"},
        SetterCase{whole(404, 0), "setSelLineConnect_SiKou_Left(0)"},
        SetterCase{whole(414, 1), "setSelLineConnect_SiKou_Right(1)"},
        SetterCase{whole(405, 1), "setSelLineConnect_SiKouOrther_Left(1)"},
        SetterCase{whole(415, 0), "setSelLineConnect_SiKouOrther_Right(0)"},
        SetterCase{real(406, 6.5), "setSelLineConnect_DNOrther_Left(6.5)"},
        SetterCase{real(416, 8.2), "setSelLineConnect_DNOrther_Right(8.2)"},
        SetterCase{whole(4001, 1), "setSelLineMidConnect_State(1)"},
        SetterCase{whole(4002, 5), "setSelLineMidConnect_Style(5)"},
        SetterCase{whole(4003, 0), "setSelLineMidConnect_AutoCal(0)"},
        SetterCase{whole(4004, 9000), "setSelLineMidConnect_DingChi(9000)"},
        SetterCase{text(4005, "2"), "setSelLineMidConnect_NumString(2)"},
        // The bar number, page and cover items are written by the pane itself.
        SetterCase{text(101, "A1"), nullptr},
        SetterCase{whole(1101, 20), nullptr},
        SetterCase{text(2001, "x"), nullptr}),
    [](const auto& info) { return std::to_string(info.param.edit.id); });

// A number typed far beyond a field's range reaches the setter as the
// nearest value it can hold, never as a wrapped or undefined one.
TEST(BarSetters, HugeRealsReachTheSetterHeld)
{
    SpyTable spy;
    applyBarPropertyEdit(spy, real(kManualLength, 1e12));
    applyBarPropertyEdit(spy, real(kConnectLength, -1e300));
    applyBarPropertyEdit(spy, real(kDiameter, 1e300));
    applyBarPropertyEdit(spy, real(kManualLength, std::numeric_limits<double>::quiet_NaN()));
    const auto call = [](const char* name, double v) {
        return QStringLiteral("%1(%2)").arg(QLatin1String(name), SpyTable::n(v));
    };
    EXPECT_EQ(spy.calls, (QStringList{call("setSelLineDlLength", std::numeric_limits<int>::max()),
                                      call("setSelLineConnect_Len_Left", -std::numeric_limits<int>::max()),
                                      call("setSelLineDN", std::numeric_limits<float>::max()),
                                      call("setSelLineDlLength", 0)}));
}

// The joint-length rule

struct JointCase {
    const char* name;
    double edition;
    int connection;
    int expectedEdition;
    int expectedKind;
};

class JointArguments : public ::testing::TestWithParam<JointCase> {};

TEST_P(JointArguments, ComeFromTheSelectedRowsAndTheDesignVariables)
{
    const JointCase& c = GetParam();
    test::PaneShapes shapes;
    CVes_SetupTable table;
    fillBarList(table, {paneBar("1")}, {1});
    table.setExVarVal(CVes_TableBase::kVarAtlas, c.edition);
    table.setExVarVal(CVes_TableBase::kVarSeismic, 2.0);
    table.setExVarVal(CVes_TableBase::kVarConcrete, 30.0);
    const JointLengthArguments a = jointLengthArguments(table, c.connection);
    EXPECT_EQ(a.edition, c.expectedEdition);
    EXPECT_EQ(a.jointKind, c.expectedKind);
    EXPECT_EQ(a.grade, 3);
    EXPECT_FLOAT_EQ(a.diameter, 20.0f);
    EXPECT_EQ(a.seismic, 2);
    EXPECT_EQ(a.concrete, 30);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JointArguments,
    ::testing::Values(JointCase{"NegativeEditionCountsAsNone", -1.0, 1, 0, 0},
                      JointCase{"EditionKept", 1.0, 4, 1, 1},
                      JointCase{"DoubleWeld", 0.0, 5, 0, -1}),
    [](const auto& info) { return std::string(info.param.name); });

// Edits on a bar list through the pane

class PaneEdits : public test::PaneFixture {
protected:
    void SetUp() override
    {
        PaneFixture::SetUp();
        show({paneBar("1"), paneBar("2")}, {1});
        table.resetUndo();
        table.setModified(0);
        edited = std::make_unique<QSignalSpy>(&pane, &CBarPropertyPaneWnd::tableEdited);
    }
    CVes_Steel& bar(int row) { return *table.lineAt(row - 1)->getSetupSteel(); }
    void change(int id, const QString& value) { item(id)->OnValueChanged(value); }
    // Presses an in-place button of an item as the user's click does.
    void press(int id, int buttonId)
    {
        CXTPPropertyGridItem* it = item(id);
        pane.grid()->view()->scrollToItem(it->node());
        const QRect at = it->GetInplaceButtons()->Find(buttonId)->GetRect();
        ASSERT_FALSE(at.isEmpty());
        QTest::mouseClick(pane.grid()->view()->viewport(), Qt::LeftButton, {}, at.center());
    }

    std::unique_ptr<QSignalSpy> edited;
};

TEST_F(PaneEdits, TheBarNumberIsRecordedForUndoAndMarksTheTable)
{
    change(kNumber, QStringLiteral("A7"));
    EXPECT_EQ(bar(1).number, "A7");
    EXPECT_EQ(bar(2).number, "2");
    EXPECT_EQ(table.isModified(), 1);
    EXPECT_EQ(table.isCanSortSteel(), 1);
    ASSERT_EQ(table.CanUndo(), 1);
    EXPECT_EQ(edited->count(), 1);
    table.Undo();
    EXPECT_EQ(bar(1).number, "1");
}

TEST_F(PaneEdits, ALockedRowKeepsItsNumber)
{
    table.lineAt(0)->setLock(1);
    change(kNumber, QStringLiteral("A7"));
    EXPECT_EQ(bar(1).number, "1");
    EXPECT_EQ(value(kNumber), "1");
    EXPECT_EQ(table.isModified(), 0);
}

struct DiameterCase {
    const char* typed;
    float stored;
};

class PaneDiameter : public test::PaneFixture, public ::testing::WithParamInterface<DiameterCase> {};

TEST_P(PaneDiameter, TheRealDiameterIsCarried)
{
    show({paneBar("1")}, {1});
    item(kDiameter)->OnValueChanged(QString::fromUtf8(GetParam().typed));
    EXPECT_FLOAT_EQ(table.lineAt(0)->getSetupSteel()->DN, GetParam().stored);
    EXPECT_EQ(table.isModified(), 1);
}

INSTANTIATE_TEST_SUITE_P(Typed, PaneDiameter,
                         ::testing::Values(DiameterCase{"6.5 mm", 6.5f}, DiameterCase{"10mm", 10.0f},
                                           DiameterCase{"25", 25.0f}, DiameterCase{" 12.0 mm ", 12.0f}));

TEST_F(PaneEdits, AnUnknownDiameterChangesNothingAndSaysSo)
{
    change(kDiameter, QStringLiteral("7.3"));
    EXPECT_FLOAT_EQ(bar(1).DN, 20.0f);
    EXPECT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(table.isModified(), 0);
}

// A spacing or dimension the table refuses is said once, changes nothing,
// and the item shows again what the bar holds, not the refused text.
class PaneRefusedValue : public PaneEdits, public ::testing::WithParamInterface<int> {};

TEST_P(PaneRefusedValue, ShowsWhatTheBarHolds)
{
    const int id = GetParam();
    ASSERT_NE(item(id), nullptr);
    const std::string before = value(id);
    change(id, QStringLiteral("abc"));
    EXPECT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(table.isModified(), 0);
    EXPECT_EQ(table.CanUndo(), 0);
    EXPECT_EQ(value(id), before);
}

INSTANTIATE_TEST_SUITE_P(Items, PaneRefusedValue,
                         ::testing::Values(int(kSpacingDense), int(kSpacingNormal),
                                           int(kSpacingLap), int(kVarValue)),
                         [](const auto& info) {
                             switch (info.param) {
                             case kSpacingDense: return std::string("DenseSpacing");
                             case kSpacingNormal: return std::string("NormalSpacing");
                             case kSpacingLap: return std::string("LapSpacing");
                             default: return std::string("Dimension");
                             }
                         });

TEST_F(PaneEdits, TheOtherBarsDiameterIsCarried)
{
    change(kConnectStyle, QStringLiteral("直螺纹套筒"));
    change(kConnectOtherDiameter, QStringLiteral("6.5 mm"));
    EXPECT_FLOAT_EQ(bar(1).getLConnect()->farDN, 6.5f);
    EXPECT_EQ(value(kConnectOtherDiameter), "6.5 mm");
}

// What shows after an edit.
struct FollowCase {
    const char* name;
    int id;
    const char* value;
    std::vector<int> shown;
    std::vector<int> hidden;
};

std::ostream& operator<<(std::ostream& os, const FollowCase& c)
{
    return os << c.name;
}

class PaneFollows : public PaneEdits, public ::testing::WithParamInterface<FollowCase> {};

TEST_P(PaneFollows, DependentItemsShowAndHide)
{
    const FollowCase& c = GetParam();
    change(c.id, QString::fromUtf8(c.value));
    QApplication::processEvents();
    for (int id : c.shown) {
        ASSERT_NE(item(id), nullptr) << id;
        EXPECT_FALSE(hidden(id)) << id;
    }
    for (int id : c.hidden)
        EXPECT_TRUE(hidden(id)) << id;
    EXPECT_EQ(table.isModified(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Items, PaneFollows,
    ::testing::Values(
        FollowCase{"TypedLength", kAutoLength, "否", {kManualLength}, {kCalcType, kOutDim}},
        FollowCase{"Hook", kHook, "是", {kHookAngle, kHookDirection}, {}},
        FollowCase{"NoConnection", kConnectStyle, "非连接端", {}, {kConnectLength, kConnectCounted}},
        FollowCase{"Coupler", kConnectStyle, "锥螺纹套筒", {kConnectThread, kConnectOtherThread, kConnectOtherDiameter}, {}},
        FollowCase{"RightCoupler", kConnectStyle + kRightEnd, "直螺纹套筒",
                   {kConnectLength + kRightEnd, kConnectOtherDiameter + kRightEnd}, {kConnectThread}},
        FollowCase{"Scaled", kScaled, "是", {kPerGroup, kVarValueEnd}, {}},
        FollowCase{"CountedJoints", kMidCounted, "统计", {kMidStyle}, {}},
        FollowCase{"JointsTyped", kMidAutoCount, "人工填写", {kMidCountText}, {kMidStockLength}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PaneEdits, AScaledBarCountsGroupsAndResetsTheEndValue)
{
    change(kScaled, QStringLiteral("是"));
    QApplication::processEvents();
    EXPECT_EQ(item(kCount)->GetCaption(), "每件组数");
    change(kVarValue, QStringLiteral("3300"));
    EXPECT_DOUBLE_EQ(bar(1).getVarValue(QStringLiteral("L")), 3300.0);
    EXPECT_EQ(value(kVarValueEnd),
              QString::asprintf("%.1f", bar(1).getVarValueE(QStringLiteral("L"))).toStdString());
}

TEST_F(PaneEdits, TheComputeButtonTakesTheJointRuleWithANegativeEditionAsNone)
{
    table.setExVarVal(CVes_TableBase::kVarAtlas, -1.0);
    table.setExVarVal(CVes_TableBase::kVarSeismic, 1.0);
    table.setExVarVal(CVes_TableBase::kVarConcrete, 30.0);
    const int expected = Info_CalSteelJointLength(0, 0, 1, 30, 3, 20.0f, 0, 3, 20.0f, 0, 0, 0, 0);
    ASSERT_GT(expected, 0);
    press(kConnectLength, kComputeButton);
    EXPECT_EQ(bar(1).getLConnect()->param, expected);
    EXPECT_EQ(value(kConnectLength), std::to_string(expected));
    // The frame learns of the new length, so the document is marked.
    EXPECT_EQ(edited->count(), 1);
}

TEST_F(PaneEdits, ACancelledShapeChoiceChangesNothing)
{
    test::onNextModal<CVes_CommonBarsDlg>([](CVes_CommonBarsDlg* d) { d->reject(); });
    press(kShape, XTP_ID_PROPERTYGRID_EXPANDBUTTON);
    EXPECT_EQ(bar(1).getRecordId(), test::kPaneStraight);
    EXPECT_EQ(table.isModified(), 0);
    EXPECT_EQ(edited->count(), 0);
}

TEST_F(PaneEdits, AChosenShapeGoesToTheSelectedRows)
{
    CSteelRecordId chosen;
    test::onNextModal<CVes_CommonBarsDlg>([&](CVes_CommonBarsDlg* d) {
        CVes_ShapeListCtrl* list = d->shapeList();
        ASSERT_GT(list->GetItemCount(), 0);
        for (int i = 0; i < list->GetItemCount(); ++i)
            list->SetItemState(i, i == 0 ? CVes_ShapeListCtrl::LVIS_SELECTED : 0u, CVes_ShapeListCtrl::LVIS_SELECTED);
        d->accept();
        chosen = d->chosenKey();
    });
    press(kShape, XTP_ID_PROPERTYGRID_EXPANDBUTTON);
    ASSERT_FALSE(chosen.isNull());
    EXPECT_EQ(bar(1).getRecordId(), chosen);
    EXPECT_EQ(bar(2).getRecordId(), test::kPaneStraight);
    EXPECT_EQ(table.CanUndo(), 1);
    EXPECT_EQ(edited->count(), 1);
    QApplication::processEvents();
    EXPECT_EQ(value(kShape), chosen.ToString().toStdString());
}

TEST_F(PaneEdits, AFrameThatRebuildsOnEveryEditMayDoSoFromAFlipButton)
{
    QObject::connect(&pane, &CBarPropertyPaneWnd::tableEdited, &pane, [this] { pane.Rebuild(); });
    auto* flip = dynamic_cast<CGridButtonItem*>(item(kShapeMirrorHor));
    ASSERT_NE(flip, nullptr);
    pane.grid()->view()->scrollToItem(flip->node());
    QApplication::processEvents();
    ASSERT_NE(flip->button(), nullptr);
    QTest::mouseClick(flip->button(), Qt::LeftButton); // the shape items are built anew meanwhile
    QApplication::processEvents();
    EXPECT_EQ(bar(1).getMirror(), CVes_ReferenceBase::kMirrorLeftRight);
    EXPECT_NE(item(kShapeMirrorHor), flip);
}

TEST_F(PaneEdits, ExpandingAndEditingTellTheFrame)
{
    item(kAdvancedCategory)->node()->setExpanded(false);
    EXPECT_EQ(pane.isAdvancedExpanded(), 0);
    EXPECT_EQ(edited->count(), 1);
    change(kGrade, QStringLiteral("一级钢(HPB300)"));
    EXPECT_EQ(bar(1).grade, 1);
    EXPECT_EQ(edited->count(), 2);
}

// Page and cover items

class PageEdits : public test::PaneFixture {
protected:
    void SetUp() override
    {
        PaneFixture::SetUp();
        fillBarList(table, {paneBar("1")}, {});
        table.m_stretchColumn = CVes_SetupTable::kColRemark;
        table.setModified(0);
        table.setSortSteel(0);
        table.setYouhuaSteel(0);
        pane.Rebuild();
    }
    void change(int id, const QString& value) { item(id)->OnValueChanged(value); }
    void expectMarked()
    {
        EXPECT_EQ(table.isModified(), 1);
        EXPECT_EQ(table.isCanSortSteel(), 1);
        EXPECT_EQ(table.isCanYouhuaSteel(), 1);
    }
};

struct PageCase {
    const char* name;
    int id;
    const char* value;
    std::function<bool(const CVes_SetupTable&)> holds;
};

std::ostream& operator<<(std::ostream& os, const PageCase& c)
{
    return os << c.name;
}

class PageItem : public PageEdits, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PageItem, IsWrittenAndMarksTheTable)
{
    change(GetParam().id, QString::fromUtf8(GetParam().value));
    EXPECT_TRUE(GetParam().holds(table));
    expectMarked();
}

INSTANTIATE_TEST_SUITE_P(
    Items, PageItem,
    ::testing::Values(
        PageCase{"LeftMargin", kMarginLeft, "25", [](const auto& t) { return t.m_leftMargin == 25; }},
        PageCase{"Gutter", kGutterPos, "上", [](const auto& t) { return t.m_gutterPos == 1; }},
        PageCase{"Portrait", kOrientation, "纵向", [](const auto& t) { return t.m_orientation == 1; }},
        PageCase{"RowsPerPage", kRowsPerPage, "20", [](const auto& t) { return t.m_rowNum == 20; }},
        PageCase{"ShapeText", kShapeTextHeight, "3", [](const auto& t) { return t.m_shapeTextHeight == 30; }},
        PageCase{"Title", kTitle, "钢筋配料单（二）",
                 [](const auto& t) { return t.m_texts[0].m_formula == "钢筋配料单（二）"; }},
        PageCase{"Location", kTitle + 2, "第三层", [](const auto& t) { return t.m_texts[3].m_formula == "第三层"; }},
        PageCase{"DefaultPieces", kDefaultPieces, "3", [](const auto& t) { return t.getDefaultEleNum() == 3; }},
        PageCase{"English", kLanguage, "English", [](const auto& t) { return t.m_language == 1u; }},
        PageCase{"SumWeight", kSumWeight, "否", [](const auto& t) { return t.m_sumWeight == 0; }},
        PageCase{"Caption", kColumnCaption + 10, "说明", [](const auto& t) { return t.m_captions[10] == "说明"; }},
        PageCase{"Unit", kColumnUnit + CVes_SetupTable::kColTotalWeight, "吨(t)",
                 [](const auto& t) { return t.m_units[CVes_SetupTable::kColTotalWeight] == 5; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageEdits, AWidthChangeIsTakenUpByTheStretchedColumn)
{
    const int before = table.m_widths[CVes_SetupTable::kColRemark];
    change(kColumnWidth + 0, QString::number(table.m_widths[0] + 3));
    int sum = 0;
    for (int w : table.m_widths)
        sum += w;
    EXPECT_EQ(sum, 100);
    EXPECT_EQ(table.m_widths[CVes_SetupTable::kColRemark], before - 3 + (sum - 100));
    EXPECT_EQ(value(kColumnWidth + CVes_SetupTable::kColRemark),
              std::to_string(table.m_widths[CVes_SetupTable::kColRemark]));
    expectMarked();
}

TEST_F(PageEdits, RowModeAndSummaryShowTheirItems)
{
    change(kRowMode, QStringLiteral("指定行数"));
    EXPECT_TRUE(hidden(kRowHeight));
    EXPECT_FALSE(hidden(kRowsPerPage));
    change(kShowSummary, QStringLiteral("否"));
    EXPECT_EQ(table.m_pageSummary, 0);
    for (int id : {kSummaryHeight, kSumWeight, kSumLength, kSumJoint})
        EXPECT_TRUE(hidden(id)) << id;
    change(kShowSummary, QStringLiteral("是"));
    EXPECT_FALSE(hidden(kSumJoint));
}

TEST_F(PageEdits, ChoosingTheStretchedColumnBuildsTheGridAgain)
{
    CXTPPropertyGridItem* before = item(kColumnWidth + 0);
    change(kStretchColumn, QStringLiteral("第1列"));
    EXPECT_EQ(table.m_stretchColumn, 0);
    EXPECT_NE(item(kColumnWidth + 0), before);
    EXPECT_TRUE(item(kColumnWidth + 0)->GetReadOnly());
    expectMarked();
}

// The page grid is built again only when something it shows changed: an
// edit of the rows (a typed count) keeps the grid and its items as they
// are; a setting changed by other means is shown by the next rebuild.
// A mark a built grid never has: the top margin's item read-only.
class PageGridMark : public PageEdits {
protected:
    void mark() { item(kMarginTop)->SetReadOnly(true); }
    bool marked() { return item(kMarginTop) && item(kMarginTop)->GetReadOnly(); }
};

TEST_F(PageGridMark, ARowEditKeepsTheGridAsItIs)
{
    ASSERT_FALSE(marked());
    mark();
    table.getSteel(1)->count = 9;
    table.setModified(1);
    table.AddUndo();
    pane.Rebuild();
    EXPECT_TRUE(marked());
}

struct ShownSettingCase {
    const char* name;
    std::function<void(CVes_SetupTable&)> change;
    int id;
    const char* shown;
};

std::ostream& operator<<(std::ostream& os, const ShownSettingCase& c)
{
    return os << c.name;
}

class ShownSetting : public PageEdits, public ::testing::WithParamInterface<ShownSettingCase> {};

TEST_P(ShownSetting, IsShownByTheNextRebuild)
{
    GetParam().change(table);
    pane.Rebuild();
    EXPECT_EQ(value(GetParam().id), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ShownSetting,
    ::testing::Values(
        ShownSettingCase{"LeftMargin", [](auto& t) { t.m_leftMargin = 17; }, kMarginLeft, "17"},
        ShownSettingCase{"Gutter", [](auto& t) { t.m_gutter = 6; }, kGutter, "6"},
        ShownSettingCase{"RowsPerPage", [](auto& t) { t.m_rowNum = 23; }, kRowsPerPage, "23"},
        ShownSettingCase{"TableText", [](auto& t) { t.m_tableTextHeight = 4; }, kTableTextHeight, "4"},
        ShownSettingCase{"Caption", [](auto& t) { t.m_captions[10] = QStringLiteral("说明"); },
                         kColumnCaption + 10, "说明"},
        ShownSettingCase{"Width", [](auto& t) { t.m_widths[2] = 11; }, kColumnWidth + 2, "11"},
        ShownSettingCase{"Title", [](auto& t) { t.m_texts[0].m_formula = QStringLiteral("配料单甲"); },
                         kTitle, "配料单甲"},
        ShownSettingCase{"Location", [](auto& t) { t.m_texts[3].m_formula = QStringLiteral("第五层"); },
                         kTitle + 2, "第五层"},
        ShownSettingCase{"DefaultPieces", [](auto& t) { t.setDefaultEleNum(7); }, kDefaultPieces, "7"}),
    [](const auto& info) { return std::string(info.param.name); });

// Even an edit that leaves the table's settings as they were (the value it
// already had typed again): the grid shows what the table holds.
TEST_F(PageGridMark, AGridEditBuildsTheGridAgainToShowWhatTheTableTook)
{
    for (const int margin : {12, 12}) {
        mark();
        change(kMarginLeft, QString::number(margin));
        pane.Rebuild();
        EXPECT_FALSE(marked()) << margin;
        EXPECT_EQ(value(kMarginLeft), "12");
    }
}

TEST_F(PageGridMark, MovingTheCursorToAColumnHeadingBuildsTheGridAgain)
{
    mark();
    table.m_curRow = 0;
    table.m_curCol = 3;
    pane.Rebuild();
    EXPECT_FALSE(marked());
}

struct CoverCase {
    const char* name;
    int field;
    const char* value;
    std::function<bool(const CVes_Variable&, int percent)> holds;
};

std::ostream& operator<<(std::ostream& os, const CoverCase& c)
{
    return os << c.name;
}

class CoverItem : public PageEdits, public ::testing::WithParamInterface<CoverCase> {};

TEST_P(CoverItem, IsWrittenIntoItsRow)
{
    table.setPageTo(0, 1);
    pane.Rebuild();
    constexpr int kRow = 1;
    change(GetParam().field + kRow * kCoverRowStep, QString::fromUtf8(GetParam().value));
    EXPECT_TRUE(GetParam().holds(*table.m_cover.m_variables[kRow], table.m_cover.m_percents[kRow]));
    expectMarked();
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CoverItem,
    ::testing::Values(
        CoverCase{"Text", kCoverText, "封面", [](const auto& v, int) { return v.m_text == "封面"; }},
        CoverCase{"Alignment", kCoverAlign, "右对齐", [](const auto& v, int) { return v.m_align == 2u; }},
        CoverCase{"SizeInTenths", kCoverSize, "5.3", [](const auto& v, int) { return v.m_height == 53; }},
        CoverCase{"Height", kCoverHeight, "12", [](const auto&, int percent) { return percent == 12; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageEdits, TheCoverPrintedFlag)
{
    table.setPageTo(0, 1);
    pane.Rebuild();
    const int before = table.haveFengmian();
    change(kCoverPrinted, before ? QStringLiteral("否") : QStringLiteral("是"));
    EXPECT_NE(table.haveFengmian(), before);
    expectMarked();
}

} // namespace
