// The bar-property pane shows the common value of the selected bar rows in
// each of its fields and writes a field back into all of them at once; the
// view's text-size commands and the bar list's dialogs use the same members.

#include "tables/framework/tablebase.h"
#include "tables/framework/cellentry.h"
#include "tables/framework/tablebaseline.h"
#include "tables/framework/tablehelpers.h"

#include "core/geometry/steeltext.h"
#include "core/model/barcore.h"
#include "envora/rules.h"
#include "envora/usercustom.h"
#include "platform/hostservices.h"
#include "platform/saturate.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Bits of the user's copy-from-previous-row set that an empty row keeps.
constexpr int kKeepShape = 0x10;
constexpr int kKeepCount = 0x40;
constexpr int kKeepRemark = 0x80;

// The second sub-library whose bars are bar groups.
constexpr int kGroupLibrary2 = 110;

// Hook directions that the flip swaps.
constexpr int kHookClockwise = 8;
constexpr int kHookCounter = 16;

// Connection types with a rule of their own.
constexpr unsigned int kTiedLap = 1;
constexpr unsigned int kReverseStraightCoupler = 9;
constexpr int kStraightCoupler = 8;

const QString kNotSameText = QStringLiteral("NOTSAME");
constexpr double kNoRowValue = -2.22;
constexpr double kNotSameValue = -1.11;

// A selected bar row of the current page with its bar.
struct SelectedBar {
    CVes_TableBaseLine* row;
    CVes_BarCore* bar;
};

std::vector<SelectedBar> selectedBars(const CVes_TableBase& table)
{
    std::vector<SelectedBar> result;
    for (CVes_TableBaseLine* row : table.selectedBarLines()) {
        if (CVes_BarCore* bar = row->getSteel())
            result.push_back({row, bar});
    }
    return result;
}

// Readers

// The value every row shares, or `notSame`. While `takes` says the common
// value is still unset, the next row sets it. With `emptyEnds` an empty row
// ends the walk with `notSame`.
template <typename T, typename Get, typename Takes>
T sameValue(const CVes_TableBase& table, T notSame, bool emptyEnds, Get get, Takes takes)
{
    T common = notSame;
    for (const SelectedBar& b : selectedBars(table)) {
        if (emptyEnds && b.row->isNull())
            return notSame;
        const T value = get(*b.bar);
        if (takes(common))
            common = value;
        else if (!(value == common))
            return notSame;
    }
    return common;
}

template <typename Get>
int sameWhole(const CVes_TableBase& table, Get get, bool emptyEnds = false)
{
    return sameValue<int>(table, -1, emptyEnds, get, [](int common) { return common < 0; });
}

template <typename Get>
float sameFloat(const CVes_TableBase& table, Get get)
{
    return sameValue<float>(table, -1.0f, false, get, [](float common) { return common < 0.0f; });
}

// Floats compared as stored and answered as whole numbers.
template <typename Get>
int sameTruncated(const CVes_TableBase& table, Get get)
{
    return int(sameFloat(table, get));
}

// The first intermediate connection as the bar would create it, without
// adding one to a bar that has none: reading changes nothing.
template <typename Get>
auto ofFirstMid(Get get)
{
    return [get](const CVes_BarCore& bar) {
        const auto& mids = bar.getMidConnectArray();
        if (!mids.empty())
            return get(*mids.front());
        return get(CVes_MidConnect());
    };
}

double sameVarValue(const CVes_TableBase& table, const QString& name, bool endValue)
{
    double common = kNoRowValue;
    for (const SelectedBar& b : selectedBars(table)) {
        const double value = endValue ? b.bar->getVarValueE(name) : b.bar->getVarValue(name);
        if (std::fabs(common - kNoRowValue) < 0.000001)
            common = value;
        else if (value != common)
            return kNotSameValue;
        // The bar's answer for a variable its shape does not have.
        if (std::fabs(common - CVes_ReferenceBase::kNoValue) < 0.0001)
            return kNotSameValue;
    }
    return common;
}

// Setters

// What a setter does to an empty filler row it writes into.
enum class EmptyRule { None, MarkOnly, CountAndRemark, Full };

void makeRowReal(CVes_TableBaseLine& row, CVes_BarCore& bar, EmptyRule rule)
{
    if (rule == EmptyRule::None)
        return;
    if (rule != EmptyRule::MarkOnly) {
        if (!Info_UserCustomContentIsClude(kKeepCount))
            bar.setNum(0);
        if (!Info_UserCustomContentIsClude(kKeepRemark))
            bar.setRemark(QString());
        if (rule == EmptyRule::Full && !Info_UserCustomContentIsClude(kKeepShape))
            bar.setRecordId(CSteelRecordId(-1, -1));
    }
    row.setNull(0);
}

// Writes every selected, unlocked bar row of the current page and applies the
// empty-row rule. Answers whether any row was written.
template <typename Write>
bool writeSelected(CVes_TableBase& table, EmptyRule rule, Write write)
{
    bool changed = false;
    for (const SelectedBar& b : selectedBars(table)) {
        if (b.row->getLock())
            continue;
        if (!write(*b.row, *b.bar))
            continue;
        if (b.row->isNull())
            makeRowReal(*b.row, *b.bar, rule);
        changed = true;
    }
    return changed;
}

void recordEdit(CVes_TableBase& table)
{
    table.setModified(1);
    table.AddUndo();
}

// The common steps of a setter: write the rows, then mark the table changed
// and record one undo step when any row changed.
template <typename Write>
void editSelected(CVes_TableBase& table, EmptyRule rule, Write write)
{
    if (writeSelected(table, rule, [&write](CVes_TableBaseLine&, CVes_BarCore& bar) {
            write(bar);
            return true;
        }))
        recordEdit(table);
}

// A number typed into the bar pane is held to its field as in its cell:
// refused once, and then no bar changes.
bool wholeTaken(int value, const barlimits::Field& field)
{
    return cellentry::fits(QString::number(value), value, field);
}

// A dimension typed into the bar pane is held as its cell holds it: refused
// once, and then no bar changes.
bool dimensionTaken(const CVes_TableBase& table, const QString& name, const QString& text)
{
    for (const SelectedBar& b : selectedBars(table)) {
        if (!b.row->getLock() && !cellentry::dimensionTakes(*b.bar, name, text))
            return false;
    }
    return true;
}

void flipHookDirection(CVes_BarCore& bar, bool left)
{
    CVes_Hook hook = left ? bar.getHookLeft() : bar.getHookRight();
    hook.param = hook.param == kHookCounter ? kHookClockwise : kHookCounter;
    if (left)
        bar.setHookLeft(hook);
    else
        bar.setHookRight(hook);
}

template <typename Set>
void editHook(CVes_TableBase& table, bool left, Set set)
{
    editSelected(table, EmptyRule::None, [&](CVes_BarCore& bar) {
        CVes_Hook hook = left ? bar.getHookLeft() : bar.getHookRight();
        set(hook);
        if (left)
            bar.setHookLeft(hook);
        else
            bar.setHookRight(hook);
    });
}

template <typename Set>
void editConnect(CVes_TableBase& table, bool left, Set set)
{
    editSelected(table, EmptyRule::None, [&](CVes_BarCore& bar) {
        set(left ? *bar.getLConnect() : *bar.getRConnect(), bar);
    });
}

void setConnectStyle(CVes_TableBase& table, bool left, unsigned int type)
{
    editConnect(table, left, [&table, type](CVes_Connect& connect, const CVes_BarCore& bar) {
        if (type == kReverseStraightCoupler) {
            connect.type = kStraightCoupler;
            connect.direction = 0;
            return;
        }
        connect.type = int(type);
        if (type == kTiedLap)
            connect.param = table.getLle(bar.grade, platform::saturatedInt(bar.DN), bar.steelType);
    });
}

template <typename Set>
void editMidConnect(CVes_TableBase& table, Set set)
{
    editSelected(table, EmptyRule::None,
                 [&](CVes_BarCore& bar) { set(*bar.getFirstMidConnect()); });
}

// Whether lowering the bar's variable texts by one step leaves them visible.
bool canShrinkTexts(const CVes_BarCore& bar)
{
    constexpr int kStep = 10;
    for (const auto& v : bar.getVarArray()) {
        if (v->m_height - kStep < 1)
            return false;
    }
    return true;
}

} // namespace

// Readers

float CVes_TableBase::isSameDNOfSelLine()
{
    return sameValue<float>(*this, -1.0f, true, [](const CVes_BarCore& b) { return b.DN; },
                            [](float common) { return common < 0.0f; });
}

int CVes_TableBase::isSameGradeOfSelLine()
{
    // Rows of grade 0 are passed over until the first graded row.
    return sameValue<int>(*this, 0, true, [](const CVes_BarCore& b) { return b.grade; },
                          [](int common) { return common < 1; });
}

int CVes_TableBase::isSameSteelTypeOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.steelType; }, true);
}

CSteelRecordId CVes_TableBase::isSameSteelRecordOfSelLIne()
{
    return sameValue<CSteelRecordId>(
        *this, CSteelRecordId(-1, -1), false,
        [](const CVes_BarCore& b) { return b.getRecordId(); },
        [](const CSteelRecordId& common) { return common.isNull(); });
}

int CVes_TableBase::isSameGenshuOfselLine()
{
    // Any empty selected row, bar row or not, makes the counts differ.
    for (qsizetype i = 0; i < m_pageLines.size(); ++i) {
        if (isSelected(int(i) + 1) && m_pageLines[i]->isNull())
            return -1;
    }
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.count; });
}

int CVes_TableBase::isSameAutoCalOfLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.calcLength; });
}

int CVes_TableBase::isSameSteelTypeOfLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getStirrup(); });
}

int CVes_TableBase::isSameOutDimOfLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getOutDim(); });
}

int CVes_TableBase::isSameDlLengthOfSelLine()
{
    return sameTruncated(*this, [](const CVes_BarCore& b) { return b.length; });
}

int CVes_TableBase::isSameMultVarOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.isMultiVal(); });
}

int CVes_TableBase::isSameGroupOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getMultiGroup(); });
}

int CVes_TableBase::isSameHookLeftOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getHookLeft().enabled; });
}

int CVes_TableBase::isSameHookRightOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getHookRight().enabled; });
}

int CVes_TableBase::isSameHookLeftAngOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getHookLeft().kind; });
}

int CVes_TableBase::isSameHookRightAngOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getHookRight().kind; });
}

int CVes_TableBase::isSameHookLeftDirectOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getHookLeft().param; });
}

int CVes_TableBase::isSameHookRightDirectOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getHookRight().param; });
}

int CVes_TableBase::isSameConnect_Style_LeftOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getLConnect()->type; });
}

int CVes_TableBase::isSameConnect_Style_RightOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getRConnect()->type; });
}

int CVes_TableBase::isSameConnect_Len_LeftOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getLConnect()->param; });
}

int CVes_TableBase::isSameConnect_Len_RightOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getRConnect()->param; });
}

int CVes_TableBase::isSameConnect_State_LeftOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getLConnect()->flag; });
}

int CVes_TableBase::isSameConnect_State_RightOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getRConnect()->flag; });
}

int CVes_TableBase::isSameConnect_SiKou_LeftOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getLConnect()->direction; });
}

int CVes_TableBase::isSameConnect_SiKou_RightOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getRConnect()->direction; });
}

int CVes_TableBase::isSameConnect_SiKouOrther_LeftOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getLConnect()->farDirection; });
}

int CVes_TableBase::isSameConnect_SiKouOrther_RightOfSelLine()
{
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.getRConnect()->farDirection; });
}

// The other bar's diameter as stored: 6.5 stays 6.5.
float CVes_TableBase::isSameConnect_DNOrther_LeftOfSelLine()
{
    return sameFloat(*this, [](const CVes_BarCore& b) { return b.getLConnect()->farDN; });
}

float CVes_TableBase::isSameConnect_DNOrther_RightOfSelLine()
{
    return sameFloat(*this, [](const CVes_BarCore& b) { return b.getRConnect()->farDN; });
}

int CVes_TableBase::isSameMidConnect_StateOfSelLine()
{
    return sameWhole(*this, ofFirstMid([](const CVes_MidConnect& m) { return m.stat; }));
}

int CVes_TableBase::isSameMidConnect_NumOfSelLine()
{
    return sameWhole(*this, ofFirstMid([](const CVes_MidConnect& m) { return m.valueA; }));
}

int CVes_TableBase::isSameMidConnect_StyleOfSelLine()
{
    return sameWhole(*this, ofFirstMid([](const CVes_MidConnect& m) { return m.style; }));
}

int CVes_TableBase::isSameMidConnect_DingChiOfSelLine()
{
    return sameWhole(*this, ofFirstMid([](const CVes_MidConnect& m) { return m.fixedLength; }));
}

int CVes_TableBase::isSameMidConnect_AutoCalOfSelLine()
{
    return sameWhole(*this, ofFirstMid([](const CVes_MidConnect& m) { return m.autoCount; }));
}

QString CVes_TableBase::isSameMidConnect_NumStringOfSelLine()
{
    return sameValue<QString>(*this, QString(), false,
                              ofFirstMid([](const CVes_MidConnect& m) { return m.countText; }),
                              [](const QString& common) { return common.isEmpty(); });
}

int CVes_TableBase::isSameMidConnect_HaveSteelGroupOfSelLine()
{
    for (const SelectedBar& b : selectedBars(*this)) {
        const int library = b.bar->getRecordId().m_mainId;
        if (b.bar->isSteelGroup() || library == CSteelRecordId::kGroupLibrary || library == kGroupLibrary2)
            return 1;
    }
    return 0;
}

int CVes_TableBase::isSameChaochang_SelLine()
{
    // The page layout keeps the over-long mark in the bar's work field.
    return sameWhole(*this, [](const CVes_BarCore& b) { return b.work; });
}

QString CVes_TableBase::isSameVarStringOfSelLine(const QString& name)
{
    return sameValue<QString>(
        *this, kNotSameText, false, [&name](const CVes_BarCore& b) { return b.getVarString(name); },
        [](const QString& common) { return common == kNotSameText; });
}

double CVes_TableBase::isSameVarvalueOfSelLine(const QString& name)
{
    return sameVarValue(*this, name, false);
}

double CVes_TableBase::isSameVarvalueEOfSelLine(const QString& name)
{
    return sameVarValue(*this, name, true);
}

// Setters

void CVes_TableBase::setSelLineDN(float d)
{
    if (!Info_isValidDN(d)) {
        platform::showMessage(DNtoString(d) + QStringLiteral(" ——钢筋直径值输入不正确！\n"),
                              platform::MessageIcon::Stop);
        return;
    }
    const bool changed =
        writeSelected(*this, EmptyRule::None, [d](CVes_TableBaseLine& row, CVes_BarCore& bar) {
            // Connections that led to a bar of the old diameter follow it,
            // and the shape's "d" takes the new one.
            bar.setDN(d);
            if (d > 12.0f && bar.grade < 2)
                bar.grade = 2;
            if (row.isNull()) {
                makeRowReal(row, bar, EmptyRule::Full);
                bar.grade = Info_getSteelGrade(d);
            }
            return true;
        });
    if (changed)
        recordEdit(*this);
}

void CVes_TableBase::setSelLineGrade(int grade)
{
    editSelected(*this, EmptyRule::Full, [grade](CVes_BarCore& bar) { bar.grade = grade; });
}

void CVes_TableBase::setSelLineSteelType(int type)
{
    editSelected(*this, EmptyRule::Full, [type](CVes_BarCore& bar) { bar.steelType = type; });
}

void CVes_TableBase::setSelLineSteelRecord(CSteelRecordId key)
{
    editSelected(*this, EmptyRule::CountAndRemark, [key](CVes_BarCore& bar) { bar.setRecordId(key); });
}

void CVes_TableBase::setSellineGenshu(int count)
{
    if (!wholeTaken(count, countField()))
        return;
    editSelected(*this, EmptyRule::MarkOnly, [count](CVes_BarCore& bar) { bar.setNum(count); });
}

void CVes_TableBase::setSelLineAutoCal(int autoCal)
{
    // A bar turned to a typed length starts from the length it shows.
    const double factor = shapeUnitFactor();
    editSelected(*this, EmptyRule::Full,
                 [autoCal, factor](CVes_BarCore& bar) { bar.setLengthComputed(autoCal, factor); });
}

void CVes_TableBase::setSelLineSteelCalType(unsigned int calType)
{
    editSelected(*this, EmptyRule::Full,
                 [calType](CVes_BarCore& bar) { bar.setStirrup(int(calType)); });
}

void CVes_TableBase::setSelLineOutDim(int outDim)
{
    editSelected(*this, EmptyRule::Full, [outDim](CVes_BarCore& bar) { bar.setOutDim(outDim); });
}

void CVes_TableBase::setSelLineDlLength(int length)
{
    // A typed length applies only to bars whose length is not computed.
    if (isSameAutoCalOfLine() != 0 || !wholeTaken(length, barlimits::kCutLength))
        return;
    editSelected(*this, EmptyRule::Full, [length](CVes_BarCore& bar) { bar.setLength(length); });
}

void CVes_TableBase::setSelLineModelMirrorHor()
{
    writeSelected(*this, EmptyRule::None, [](CVes_TableBaseLine&, CVes_BarCore& bar) {
        bar.MirrorHor();
        return true;
    });
}

void CVes_TableBase::setSelLineModelMirrorVer()
{
    writeSelected(*this, EmptyRule::None, [](CVes_TableBaseLine&, CVes_BarCore& bar) {
        bar.MirrorVer();
        return true;
    });
}

void CVes_TableBase::setSelLineVarValue(const QString& name, double value)
{
    editSelected(*this, EmptyRule::None, [&](CVes_BarCore& bar) {
        bar.setVarValue(name, value);
        bar.calvarValueD(name);
    });
}

void CVes_TableBase::setSelLineVarValue(const QString& name, const QString& text)
{
    if (!dimensionTaken(*this, name, text))
        return;
    editSelected(*this, EmptyRule::None, [&](CVes_BarCore& bar) {
        bar.setVarValue(name, text);
        bar.calvarValueD(name);
    });
}

void CVes_TableBase::setSelLineVarValueE(const QString& name, const QString& text)
{
    if (!dimensionTaken(*this, name, text))
        return;
    editSelected(*this, EmptyRule::None, [&](CVes_BarCore& bar) {
        bar.setVarValueE(name, text);
        bar.calvarValueD(name);
    });
}

void CVes_TableBase::setSelLineVarValueE(const QString& name, double value)
{
    editSelected(*this, EmptyRule::None, [&](CVes_BarCore& bar) {
        bar.setVarValueE(name, value);
        bar.calvarValueD(name);
    });
}

void CVes_TableBase::setSelLineMultVar(int on)
{
    // A bar already so records nothing; an empty row still becomes a bar.
    const bool varying = on != 0;
    if (writeSelected(*this, EmptyRule::MarkOnly, [varying](CVes_TableBaseLine& row, CVes_BarCore& bar) {
            if ((bar.isMultiVal() != 0) == varying)
                return row.isNull() != 0;
            setBarVarying(bar, varying);
            return true;
        }))
        recordEdit(*this);
}

void CVes_TableBase::setSelLineGroup(int groups)
{
    if (!wholeTaken(groups, barlimits::kGroups))
        return;
    editSelected(*this, EmptyRule::Full, [groups](CVes_BarCore& bar) { bar.setMultiGroup(groups); });
}

void CVes_TableBase::setSelLineHookLeft(int present)
{
    editHook(*this, true, [present](CVes_Hook& hook) { hook.enabled = present; });
}

void CVes_TableBase::setSelLineHookRight(int present)
{
    editHook(*this, false, [present](CVes_Hook& hook) { hook.enabled = present; });
}

void CVes_TableBase::setSelLineHookLeftAng(int angle)
{
    editHook(*this, true, [angle](CVes_Hook& hook) { hook.kind = angle; });
}

void CVes_TableBase::setSelLineHookRightAng(int angle)
{
    editHook(*this, false, [angle](CVes_Hook& hook) { hook.kind = angle; });
}

void CVes_TableBase::setSelLineHookLeftDirect(int direction)
{
    editHook(*this, true, [direction](CVes_Hook& hook) { hook.param = direction; });
}

void CVes_TableBase::setSelLineHookRightDirect(int direction)
{
    editHook(*this, false, [direction](CVes_Hook& hook) { hook.param = direction; });
}

void CVes_TableBase::setSelLineHookDirectFan(unsigned int which)
{
    // 0 both ends, 1 the left one, 2 the right one; nothing else.
    if (which > 2)
        return;
    editSelected(*this, EmptyRule::None, [which](CVes_BarCore& bar) {
        if (which != 2)
            flipHookDirection(bar, true);
        if (which != 1)
            flipHookDirection(bar, false);
    });
}

void CVes_TableBase::setSelLineConnect_Style_Left(unsigned int type)
{
    setConnectStyle(*this, true, type);
}

void CVes_TableBase::setSelLineConnect_Style_Right(unsigned int type)
{
    setConnectStyle(*this, false, type);
}

void CVes_TableBase::setSelLineConnect_Len_Left(int length)
{
    editConnect(*this, true, [length](CVes_Connect& c, const CVes_BarCore&) { c.param = length; });
}

void CVes_TableBase::setSelLineConnect_Len_Right(int length)
{
    editConnect(*this, false, [length](CVes_Connect& c, const CVes_BarCore&) { c.param = length; });
}

void CVes_TableBase::setSelLineConnect_State_Left(int state)
{
    editConnect(*this, true, [state](CVes_Connect& c, const CVes_BarCore&) { c.flag = state; });
}

void CVes_TableBase::setSelLineConnect_State_Right(int state)
{
    editConnect(*this, false, [state](CVes_Connect& c, const CVes_BarCore&) { c.flag = state; });
}

void CVes_TableBase::setSelLineConnect_SiKou_Left(int thread)
{
    editConnect(*this, true, [thread](CVes_Connect& c, const CVes_BarCore&) { c.direction = thread; });
}

void CVes_TableBase::setSelLineConnect_SiKou_Right(int thread)
{
    editConnect(*this, false, [thread](CVes_Connect& c, const CVes_BarCore&) { c.direction = thread; });
}

void CVes_TableBase::setSelLineConnect_SiKouOrther_Left(int thread)
{
    editConnect(*this, true,
                [thread](CVes_Connect& c, const CVes_BarCore&) { c.farDirection = thread; });
}

void CVes_TableBase::setSelLineConnect_SiKouOrther_Right(int thread)
{
    editConnect(*this, false,
                [thread](CVes_Connect& c, const CVes_BarCore&) { c.farDirection = thread; });
}

void CVes_TableBase::setSelLineConnect_DNOrther_Left(float d)
{
    editConnect(*this, true, [d](CVes_Connect& c, const CVes_BarCore&) { c.farDN = d; });
}

void CVes_TableBase::setSelLineConnect_DNOrther_Right(float d)
{
    editConnect(*this, false, [d](CVes_Connect& c, const CVes_BarCore&) { c.farDN = d; });
}

void CVes_TableBase::setSelLineMidConnect_State(int state)
{
    editMidConnect(*this, [state](CVes_MidConnect& m) { m.stat = state; });
}

void CVes_TableBase::setSelLineMidConnect_Num(int count)
{
    editMidConnect(*this, [count](CVes_MidConnect& m) { m.valueA = count; });
}

void CVes_TableBase::setSelLineMidConnect_Style(unsigned int type)
{
    editMidConnect(*this, [type](CVes_MidConnect& m) { m.style = int(type); });
}

void CVes_TableBase::setSelLineMidConnect_DingChi(int length)
{
    editMidConnect(*this, [length](CVes_MidConnect& m) { m.fixedLength = length; });
}

void CVes_TableBase::setSelLineMidConnect_AutoCal(int autoCal)
{
    editMidConnect(*this, [autoCal](CVes_MidConnect& m) { m.autoCount = autoCal; });
}

void CVes_TableBase::setSelLineMidConnect_NumString(const QString& formula)
{
    editMidConnect(*this, [&formula](CVes_MidConnect& m) { m.countText = formula; });
}

void CVes_TableBase::setSelLineTextBig()
{
    editSelected(*this, EmptyRule::None, [](CVes_BarCore& bar) { bar.setVarBig(); });
}

void CVes_TableBase::setSelLineTextSmall()
{
    // A text already at its smallest step stays as it is.
    if (writeSelected(*this, EmptyRule::None, [](CVes_TableBaseLine&, CVes_BarCore& bar) {
            if (!canShrinkTexts(bar))
                return false;
            bar.setVarSmall();
            return true;
        }))
        recordEdit(*this);
}

void CVes_TableBase::setAllLineSteelTextHigh(int height)
{
    // The bar ignores a height below 1; so does the table.
    if (height < 1)
        return;
    bool changed = false;
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        if (row->getLock() || !row->isSteelLine())
            continue;
        if (CVes_BarCore* bar = row->getSteel()) {
            // Every page: a row that has the height already stays shared
            // with the undo snapshots.
            changeRow(row, [&] { bar->setVarHigh(height); });
            changed = true;
        }
    }
    if (changed)
        recordEdit(*this);
}

void CVes_TableBase::setSelLineHighNum(int rows)
{
    if (rows < 1)
        return;
    // A row never takes more than a page (files hold no more).
    rows = std::min(rows, kMaxRowsPerPage);
    bool changed = false;
    for (qsizetype i = 0; i < m_pageLines.size(); ++i) {
        CVes_TableBaseLine* row = m_pageLines[i];
        if (!isSelected(int(i) + 1) || row->getLock())
            continue;
        row->setRows(rows);
        changed = true;
    }
    if (!changed)
        return;
    setPageTo(m_curPage, 1);
    recordEdit(*this);
}
