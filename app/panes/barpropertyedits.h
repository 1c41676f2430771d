#pragma once
// How an edit of a bar item of the bar-property pane reaches the table: each
// item id names one batch setter of the table, which writes every selected,
// unlocked bar row, marks the table changed and records an undo step. The
// dispatch is a template over the table so that a test can put a recording
// table in its place; the pane uses it with CVes_TableBase.

#include "app/panes/barpropertyitems.h"
#include "platform/saturate.h"

#include <QString>

class CVes_TableBase;

// An edited value as the item gives it.
struct BarPropertyEdit {
    int id = 0;
    int whole = 0;      // check boxes, numbers and choices
    double real = 0.0;  // real numbers; the diameter of a diameter choice
    QString text;       // texts
    QString name;       // the variable edited (items 221, 222 and 261)
};

// Whether a hook or end-connection id is the right end's.
constexpr bool isRightEndItem(int id)
{
    using namespace barprop;
    return (id >= kHook + kRightEnd && id < kConnectStyle) || id >= kConnectStyle + kRightEnd;
}

// Applies the edit to the table's selected bar rows. False for an id that is
// no bar setter's (the bar number, the page and cover items). A real typed
// beyond what the setter takes reaches it held to the nearest value it can
// hold, for the setter to refuse with its field's message.
template <typename Table>
bool applyBarPropertyEdit(Table& table, const BarPropertyEdit& e)
{
    using namespace barprop;
    const bool left = !isRightEndItem(e.id);
    switch (e.id) {
    case kScaled: table.setSelLineMultVar(e.whole); return true;
    case kPerGroup: table.setSelLineGroup(e.whole); return true;
    case kAutoLength: table.setSelLineAutoCal(e.whole); return true;
    case kManualLength: table.setSelLineDlLength(platform::saturatedInt(e.real)); return true;
    case kCount: table.setSellineGenshu(e.whole); return true;
    case kOutDim: table.setSelLineOutDim(e.whole); return true;
    case kCalcType: table.setSelLineSteelCalType(unsigned(e.whole)); return true;
    case kGrade: table.setSelLineGrade(e.whole); return true;
    case kDiameter: table.setSelLineDN(platform::saturatedFloat(e.real)); return true;
    case kCoating: table.setSelLineSteelType(e.whole); return true;
    case kSpacingDense: table.setSelLineDistMi(e.text); return true;
    case kSpacingNormal: table.setSelLineDistFei(e.text); return true;
    case kSpacingLap: table.setSelLineDistDa(e.text); return true;
    case kShapeMirrorHor: table.setSelLineModelMirrorHor(); return true;
    case kShapeMirrorVer: table.setSelLineModelMirrorVer(); return true;
    case kVarValue: table.setSelLineVarValue(e.name, e.text); return true;
    case kVarValueEnd: table.setSelLineVarValueE(e.name, e.text); return true;
    case kStartMirrorHor: table.setSelLineStartMirrorHor(); return true;
    case kStartVarValue: table.setSelLineSteelStartVarValue(e.name, e.text); return true;
    case kHook:
    case kHook + kRightEnd:
        left ? table.setSelLineHookLeft(e.whole) : table.setSelLineHookRight(e.whole);
        return true;
    case kHookAngle:
    case kHookAngle + kRightEnd:
        left ? table.setSelLineHookLeftAng(e.whole) : table.setSelLineHookRightAng(e.whole);
        return true;
    case kHookDirection:
    case kHookDirection + kRightEnd:
        left ? table.setSelLineHookLeftDirect(e.whole) : table.setSelLineHookRightDirect(e.whole);
        return true;
    case kConnectStyle:
    case kConnectStyle + kRightEnd:
        left ? table.setSelLineConnect_Style_Left(unsigned(e.whole))
             : table.setSelLineConnect_Style_Right(unsigned(e.whole));
        return true;
    case kConnectLength:
    case kConnectLength + kRightEnd:
        left ? table.setSelLineConnect_Len_Left(platform::saturatedInt(e.real))
             : table.setSelLineConnect_Len_Right(platform::saturatedInt(e.real));
        return true;
    case kConnectCounted:
    case kConnectCounted + kRightEnd:
        left ? table.setSelLineConnect_State_Left(e.whole)
             : table.setSelLineConnect_State_Right(e.whole);
        return true;
    case kConnectThread:
    case kConnectThread + kRightEnd:
        left ? table.setSelLineConnect_SiKou_Left(e.whole)
             : table.setSelLineConnect_SiKou_Right(e.whole);
        return true;
    case kConnectOtherThread:
    case kConnectOtherThread + kRightEnd:
        left ? table.setSelLineConnect_SiKouOrther_Left(e.whole)
             : table.setSelLineConnect_SiKouOrther_Right(e.whole);
        return true;
    case kConnectOtherDiameter:
    case kConnectOtherDiameter + kRightEnd:
        left ? table.setSelLineConnect_DNOrther_Left(platform::saturatedFloat(e.real))
             : table.setSelLineConnect_DNOrther_Right(platform::saturatedFloat(e.real));
        return true;
    case kMidCounted: table.setSelLineMidConnect_State(e.whole); return true;
    case kMidStyle: table.setSelLineMidConnect_Style(unsigned(e.whole)); return true;
    case kMidAutoCount: table.setSelLineMidConnect_AutoCal(e.whole); return true;
    case kMidStockLength: table.setSelLineMidConnect_DingChi(e.whole); return true;
    case kMidCountText: table.setSelLineMidConnect_NumString(e.text); return true;
    default: return false;
    }
}

// The arguments of the joint-length rule for the "计算" button of an end
// connection, in the order the rule takes them.
struct JointLengthArguments {
    int edition = 0;
    int jointKind = -1;
    int seismic = 0;
    int concrete = 0;
    int grade = 0;
    float diameter = 0.0f;
    int barType = 0;
    int disturbance = 0;
    int percentage = 0;
};

// From the connection type of the end (1 tied lap, 4 single-sided lap weld,
// else a double-sided weld), the selected rows' grade, diameter and bar type
// and the table's design variables; an edition below 0 counts as 0.
JointLengthArguments jointLengthArguments(CVes_TableBase& table, int connection);

// The joint length the rule gives for the arguments; the second bar of the
// joint is the same bar.
int jointLengthOf(const JointLengthArguments& a);
