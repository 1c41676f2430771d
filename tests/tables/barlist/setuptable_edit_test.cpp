// The bar list's numbering, default values of a new bar row, spacing and
// start-style edits over the selection, cell categories and the search.

#include "tables/barlist/setuptable.h"

#include "envora/rules.h"
#include "envora/usercustom.h"
#include "tables/framework/tablehelpers.h"
#include "tests/tables/barlist/edithabits.h"
#include "tests/support/recordinghost.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

using Line = CVes_SetupTableLine;

const CSteelRecordId kStraightBar(190, 1);
const CSteelRecordId kStirrup(192, 1);
const QString kL = QStringLiteral("L");

// Keeps the user's copy set and grade mode for the test's lifetime.
class HabitScope : public test::EditHabits {
public:
    HabitScope(int content, int gradeMode) : EditHabits(content, 5, 1, 0, gradeMode) {}
};

class SetupTableEdit : public testing::Test {
protected:
    void SetUp() override
    {
        t.clearnAllLine();
        t.m_rowNum = 30;
    }

    Line* element(const QString& name, const QString& remark = {})
    {
        auto* line = new Line(int(Line::kElementLine));
        line->setElement(name);
        line->setEleRemark(remark);
        line->setEleNum(1);
        line->setNull(0);
        t.appendLine(line);
        return line;
    }
    // A straight bar; bars of the same diameter and length are the same bar.
    Line* bar(float d, const QString& number = {}, int length = 3000)
    {
        CVes_Steel b;
        b.setRecordId(kStraightBar);
        b.setDN(d);
        b.grade = 3;
        b.setVarValue(kL, double(length));
        b.number = number;
        b.count = 2;
        return t.Add(b);
    }
    Line* emptyBarRow()
    {
        auto* line = new Line(int(Line::kSteelLine));
        line->setNull(1);
        t.appendLine(line);
        return line;
    }
    void show(std::initializer_list<int> selected)
    {
        t.firstPage();
        t.clearSelect();
        for (int n : selected)
            t.AddSelect(n, 0);
        t.setModified(0);
        t.resetUndo();
    }
    QString numbers() const
    {
        QStringList out;
        for (CVes_TableBaseLine* row : t.lines()) {
            auto* line = static_cast<Line*>(row);
            if (!line->isNull() && line->isSteelLine())
                out << (line->m_steel.number.isEmpty() ? QStringLiteral("-")
                                                       : line->m_steel.number);
        }
        return out.join(' ');
    }

    CVes_SetupTable t;
};

// Numbering

// A row of a numbering case: "E" an element row, "a"/"b"/"c" a bar of that
// kind (equal kinds are equal bars), then ":" and its number, then "!" when
// it is locked.
struct NumberCase {
    const char* name;
    std::vector<const char*> rows;
    int share, all, continuous;
    const char* expected; // the bar rows' numbers, "-" for none
};

std::ostream& operator<<(std::ostream& os, const NumberCase& c) { return os << c.name; }

class SetupTableNumbering : public SetupTableEdit,
                            public testing::WithParamInterface<NumberCase> {};

TEST_P(SetupTableNumbering, GivesTheNumbers)
{
    const NumberCase& c = GetParam();
    for (const char* rowText : c.rows) {
        QString s = QString::fromUtf8(rowText);
        const bool locked = s.endsWith('!');
        if (locked)
            s.chop(1);
        const QString number = s.section(':', 1);
        Line* line = s.startsWith('E') ? element(QStringLiteral("E"))
                                       : bar(10.0f + 2 * float(s[0].unicode() - 'a'), number);
        line->setLock(locked ? 1 : 0);
    }
    show({});
    // A numbering that leaves every number as it was records nothing.
    const bool changes = numbers() != QString::fromUtf8(c.expected);
    t.NumberSteel(c.share, c.all, c.continuous);
    EXPECT_EQ(numbers(), QString::fromUtf8(c.expected));
    EXPECT_EQ(t.isModified(), changes ? 1 : 0);
    EXPECT_EQ(t.CanUndo(), changes ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SetupTableNumbering,
    testing::Values(
        NumberCase{"AllShared", {"E", "a:9", "b", "a"}, 1, 1, 1, "1 2 1"},
        NumberCase{"AllSharedAcrossElements", {"E", "a", "b", "E", "a", "c"}, 1, 1, 1, "1 2 1 3"},
        NumberCase{"AllNotShared", {"E", "a", "b", "a"}, 0, 1, 1, "1 2 3"},
        NumberCase{"AllSkipsLocked", {"a:9!", "b:4", "c"}, 0, 1, 1, "9 1 2"},
        NumberCase{"PerElement", {"E", "a", "b", "E", "a", "b"}, 0, 1, 0, "1 2 1 2"},
        NumberCase{"PerElementShared", {"E", "a", "b", "a", "E", "b", "a"}, 1, 1, 0,
                   "1 2 1 1 2"},
        NumberCase{"UnnumberedKeepsAndContinues", {"a:5", "b:7", "c", "c!", "a"}, 1, 0, 1,
                   "5 7 8 - 5"},
        NumberCase{"UnnumberedZeroIsRenumbered", {"a:0", "b:3"}, 1, 0, 1, "4 3"},
        NumberCase{"UnnumberedAloneStartsAtOne", {"E", "a", "b:0"}, 1, 0, 1, "1 2"},
        NumberCase{"UnnumberedHugeKeptNumber", {"a:99999999999999999999", "b"}, 1, 0, 1,
                   "99999999999999999999 2147483648"},
        NumberCase{"NoBars", {"E"}, 1, 1, 1, ""},
        NumberCase{"AlreadyNumbered", {"E", "a:1", "b:2", "a:1"}, 1, 1, 1, "1 2 1"}));

TEST_F(SetupTableEdit, ClearNumberEmptiesProcessedBarsLockedOnesToo)
{
    bar(10.0f, "1");
    bar(12.0f, "2")->setLock(1);
    bar(14.0f, "3")->m_steel.setProcess(0);
    show({});
    t.clearNumber();
    EXPECT_EQ(numbers(), "- - 3");
    EXPECT_EQ(t.isModified(), 1);
    ASSERT_EQ(t.CanUndo(), 1);
    t.Undo();
    EXPECT_EQ(numbers(), "1 2 3");
}

TEST_F(SetupTableEdit, GetSameIdSteelFindsAnotherBarWithTheSameNumber)
{
    Line* a = bar(10.0f, "A1");
    emptyBarRow()->m_steel.number = QStringLiteral("A1");
    Line* b = bar(12.0f, "A1");
    Line* c = bar(14.0f, "");
    Line* d = bar(16.0f, "");
    EXPECT_EQ(t.getSameIDSteel(&a->m_steel), &b->m_steel);
    EXPECT_EQ(t.getSameIDSteel(&b->m_steel), &a->m_steel);
    EXPECT_EQ(t.getSameIDSteel(&c->m_steel), &d->m_steel);
    CVes_Steel other;
    other.number = QStringLiteral("A");
    EXPECT_EQ(t.getSameIDSteel(&other), nullptr);
    EXPECT_EQ(t.getSameIDSteel(nullptr), nullptr);
}

// Defaults of a new row

TEST_F(SetupTableEdit, DefaultGradeByDiameterAndGradeMode)
{
    Line* first = bar(20.0f);
    first->m_steel.grade = 4;
    bar(12.0f)->m_steel.grade = 2;
    element(QStringLiteral("E"));
    Line* fresh = emptyBarRow();
    {
        HabitScope habits(0xFF, 0);
        // An earlier bar of that diameter decides even in grade mode 0.
        EXPECT_EQ(t.getDefualtGrade(20.0, fresh), 4);
        EXPECT_EQ(t.getDefualtGrade(25.0, fresh), Info_getSteelGrade(25.0f));
        EXPECT_EQ(t.getDefualtGrade(20.0, first), Info_getSteelGrade(20.0f));
    }
    {
        HabitScope habits(0xFF, 1);
        // The nearest earlier bar's grade.
        EXPECT_EQ(t.getDefualtGrade(25.0, fresh), 2);
        EXPECT_EQ(t.getDefualtGrade(20.0, fresh), 4);
        Line* outside = new Line(int(Line::kSteelLine));
        EXPECT_EQ(t.getDefualtGrade(25.0, outside), Info_getSteelGrade(25.0f));
        delete outside;
    }
}

struct CopyCase {
    const char* name;
    int content; // the user's copy set
    // Whether each field was copied: number, grade+diameter, spacing, start,
    // shape, variables, count, remark.
    bool number, grade, spacing, start, shape, vars, count, remark;
};

std::ostream& operator<<(std::ostream& os, const CopyCase& c) { return os << c.name; }

class SetupTableCopyPrevious : public SetupTableEdit,
                               public testing::WithParamInterface<CopyCase> {};

TEST_P(SetupTableCopyPrevious, CopiesWhatTheSetHolds)
{
    const CopyCase& c = GetParam();
    Line* prev = bar(20.0f, "B7", 4500);
    CVes_Steel& p = prev->m_steel;
    p.grade = 4;
    p.getLConnect()->farDN = 20.0f;
    p.getRConnect()->farDN = 16.0f;
    p.count = 5;
    p.remark = QStringLiteral("梁");
    p.spacing1 = "100";
    p.spacing2 = "200";
    p.spacing3 = "300";
    p.start.setRecordId(CSteelRecordId(1, 2));
    CVes_Hook hook;
    hook.enabled = 1;
    p.setHookLeft(hook);
    Line* fresh = emptyBarRow();
    fresh->setNull(0);

    HabitScope habits(c.content, 0);
    t.getDefualtValueFromPrvLine(fresh);
    const CVes_Steel& b = fresh->m_steel;
    EXPECT_EQ(b.number, c.number ? "B7" : "");
    EXPECT_EQ(b.grade, 4);
    EXPECT_EQ(b.DN, c.grade ? 20.0f : 0.0f);
    EXPECT_EQ(b.getLConnect()->farDN, c.grade ? 20.0f : 0.0f);
    EXPECT_EQ(b.getRConnect()->farDN, 16.0f);
    EXPECT_EQ(b.spacing1 + b.spacing2 + b.spacing3, c.spacing ? "100200300" : "");
    EXPECT_EQ(b.start.getRecordId(), c.start ? CSteelRecordId(1, 2) : CSteelRecordId(-1, -1));
    EXPECT_EQ(b.getRecordId(), c.shape ? kStraightBar : CSteelRecordId(-1, -1));
    EXPECT_EQ(b.isHaveLeftHook(), c.shape ? 1 : 0);
    if (c.shape) {
        EXPECT_EQ(b.getVarValue(kL), c.vars ? 4500.0 : 0.0);
    }
    EXPECT_EQ(b.count, c.count ? 5 : 0);
    EXPECT_EQ(b.remark, c.remark ? "梁" : "");
}

INSTANTIATE_TEST_SUITE_P(
    ContentBits, SetupTableCopyPrevious,
    testing::Values(CopyCase{"Everything", 0xFF, true, true, true, true, true, true, true, true},
                    CopyCase{"NoNumber", 0xFE, false, true, true, true, true, true, true, true},
                    CopyCase{"NoGrade", 0xFD, true, false, true, true, true, true, true, true},
                    CopyCase{"NoSpacing", 0xFB, true, true, false, true, true, true, true, true},
                    CopyCase{"NoStart", 0xF7, true, true, true, false, true, true, true, true},
                    CopyCase{"NoShape", 0xEF, true, true, true, true, false, true, true, true},
                    CopyCase{"NoVariables", 0xDF, true, true, true, true, true, false, true, true},
                    CopyCase{"NoCount", 0xBF, true, true, true, true, true, true, false, true},
                    CopyCase{"NoRemark", 0x7F, true, true, true, true, true, true, true, false}));

TEST_F(SetupTableEdit, EmptyCopySetCopiesNothing)
{
    bar(20.0f, "B7");
    Line* fresh = emptyBarRow();
    HabitScope habits(0, 0);
    t.getDefualtValueFromPrvLine(fresh);
    EXPECT_EQ(fresh->m_steel.number, "");
    EXPECT_EQ(fresh->m_steel.getRecordId(), CSteelRecordId(-1, -1));
}

TEST_F(SetupTableEdit, NextRowOfAnUnnumberedBarIsNumberOne)
{
    bar(20.0f, "");
    Line* fresh = emptyBarRow();
    {
        HabitScope habits(0xFF, 0);
        t.getDefualtValueFromPrvLine(fresh);
        EXPECT_EQ(fresh->m_steel.number, "1");
    }
    fresh->m_steel.number.clear();
    HabitScope habits(0xFE, 0);
    t.getDefualtValueFromPrvLine(fresh);
    EXPECT_EQ(fresh->m_steel.number, "");
}

TEST_F(SetupTableEdit, StirrupTakesTheEarlierStirrupAndABarAnyBar)
{
    Line* stirrup = bar(8.0f, "S");
    stirrup->m_steel.setStirrup(1);
    bar(20.0f, "O");
    element(QStringLiteral("E"));
    Line* fresh = emptyBarRow();
    HabitScope habits(0xFF, 0);
    fresh->m_steel.setStirrup(1);
    t.getDefualtValueFromPrvLine(fresh);
    EXPECT_EQ(fresh->m_steel.number, "S");

    Line* next = emptyBarRow();
    t.getDefualtValueFromPrvLine(next);
    // An ordinary bar takes the nearest non-empty bar row of any kind; the
    // stirrup row just filled is still empty.
    EXPECT_EQ(next->m_steel.number, "O");
    fresh->setNull(0);
    t.getDefualtValueFromPrvLine(next);
    EXPECT_EQ(next->m_steel.number, "S");
    EXPECT_EQ(t.getPrvLine(next, 1, 0), fresh);
    EXPECT_EQ(t.getPrvLine(next, 0, 0), fresh);
    EXPECT_EQ(t.getPrvLine(t.lines().first(), 0, 0), nullptr);
}

TEST_F(SetupTableEdit, GetPrvLineOfTheSameKind)
{
    Line* first = bar(8.0f, "1");
    Line* e = element(QStringLiteral("E"));
    emptyBarRow();
    Line* last = bar(10.0f, "2");
    EXPECT_EQ(t.getPrvLine(last, 0, 0), e);
    EXPECT_EQ(t.getPrvLine(last, 1, 0), first);
    EXPECT_EQ(t.getPrvLine(last, 1, 1), nullptr);
    EXPECT_EQ(t.getPrvLine(nullptr, 1, 0), nullptr);
}

TEST_F(SetupTableEdit, InsertedBarRowTakesThePreviousBar)
{
    HabitScope habits(0xFF, 0);
    element(QStringLiteral("E"));
    bar(20.0f, "7");
    Line* after = bar(22.0f, "8");
    show({3});
    Line* inserted = t.InsertSteelRow(0);
    ASSERT_NE(inserted, nullptr);
    EXPECT_EQ(t.lines().indexOf(inserted), t.lines().indexOf(after) - 1);
    EXPECT_EQ(inserted->m_steel.number, "7");
    EXPECT_EQ(inserted->m_steel.DN, 20.0f);
}

// Spacing and start style over the selection

TEST_F(SetupTableEdit, CommonSpacingTakesOverAnEmptyFirstText)
{
    bar(10.0f)->m_steel.spacing1 = "";
    bar(10.0f)->m_steel.spacing1 = "150";
    bar(10.0f)->m_steel.spacing1 = "";
    show({1, 2});
    EXPECT_EQ(t.isSameDistMiOfSelLine(), "150");
    show({2, 3});
    EXPECT_EQ(t.isSameDistMiOfSelLine(), "");
    show({});
    EXPECT_EQ(t.isSameDistMiOfSelLine(), "");
    EXPECT_EQ(t.isSameVarStringOfSelLineSteelStart(kL), "NOTSAME");
    EXPECT_EQ(t.isSameSteelStartOfSelLIne(), CSteelRecordId(-1, -1));
}

TEST_F(SetupTableEdit, SpacingSetterSkipsLockedRowsAndFillsEmptyOnes)
{
    Line* open = bar(10.0f);
    Line* locked = bar(10.0f);
    locked->setLock(1);
    Line* filler = emptyBarRow();
    show({1, 2, 3});
    t.setSelLineDistFei(QStringLiteral("200"));
    EXPECT_EQ(open->m_steel.spacing2, "200");
    EXPECT_EQ(locked->m_steel.spacing2, "");
    EXPECT_EQ(filler->m_steel.spacing2, "200");
    EXPECT_EQ(filler->isNull(), 0);
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(t.CanUndo(), 1);
    // The locked row still counts for the common text.
    EXPECT_EQ(t.isSameDistFeiOfSelLine(), "");

    show({2});
    t.setSelLineDistDa(QStringLiteral("300"));
    t.setSelLineSteelStart(CSteelRecordId(1, 1));
    t.setSelLineStartMirrorHor();
    EXPECT_EQ(t.isModified(), 0);
    EXPECT_EQ(t.CanUndo(), 0);
}

// The bar pane's spacings are held to what the spacing column shows: a text
// that would show as nothing or as another number is refused, saying what
// the field takes, and no bar changes.
TEST_F(SetupTableEdit, SpacingSetterRefusesWhatWouldNotShowAsTyped)
{
    using Setter = void (CVes_SetupTable::*)(const QString&);
    const Setter setters[] = {&CVes_SetupTable::setSelLineDistMi,
                              &CVes_SetupTable::setSelLineDistFei,
                              &CVes_SetupTable::setSelLineDistDa};
    Line* one = bar(10.0f);
    show({1});
    for (const Setter setter : setters) {
        for (const char* typed : {"abc", "-100", "100000", "99999999999", "150mm", "1e6", "@150"}) {
            SCOPED_TRACE(typed);
            test::HostScope host;
            (t.*setter)(QString::fromUtf8(typed));
            EXPECT_EQ(host->messageTexts(),
                      QStringList{QStringLiteral("[%1] 间距必须是0到99999之间的整数").arg(typed)});
            EXPECT_EQ(QStringList({one->m_steel.spacing1, one->m_steel.spacing2,
                                   one->m_steel.spacing3}).join(u'|'), QStringLiteral("||"));
            EXPECT_EQ(t.isModified(), 0);
            EXPECT_EQ(t.CanUndo(), 0);
        }
    }
    t.setSelLineDistMi(QStringLiteral("150"));
    EXPECT_EQ(one->m_steel.spacing1, QStringLiteral("150"));
    t.setSelLineDistFei(QStringLiteral("99999"));
    EXPECT_EQ(one->m_steel.spacing2, QStringLiteral("99999"));
}

// A start-sketch dimension typed into the bar pane is held as the start
// cell holds it.
TEST_F(SetupTableEdit, StartDimensionSetterRefusesWhatTheCellRefuses)
{
    Line* one = bar(10.0f);
    one->m_steel.start.setRecordId(CSteelRecordId(190, 1));
    const QString b = QStringLiteral("b");
    ASSERT_NE(one->m_steel.start.getVar(b), nullptr);
    const double before = one->m_steel.start.getVarValue(b);
    show({1});
    for (const char* typed : {"abc", "99999999999", "1e7"}) {
        SCOPED_TRACE(typed);
        test::HostScope host;
        t.setSelLineSteelStartVarValue(b, QString::fromUtf8(typed));
        ASSERT_EQ(host->messageTexts().size(), 1);
        EXPECT_TRUE(host->messageTexts()[0].startsWith(
            QStringLiteral("[%1] 尺寸必须是-1000000到1000000之间的数").arg(typed)));
        EXPECT_EQ(one->m_steel.start.getVarValue(b), before);
        EXPECT_EQ(t.isModified(), 0);
        EXPECT_EQ(t.CanUndo(), 0);
    }
    t.setSelLineSteelStartVarValue(b, QStringLiteral("350"));
    EXPECT_EQ(one->m_steel.start.getVarValue(b), 350.0);
}

TEST_F(SetupTableEdit, CommonStartStylePassesOverBarsWithout)
{
    bar(10.0f);
    bar(10.0f)->m_steel.start.setRecordId(CSteelRecordId(1, 3));
    bar(10.0f)->m_steel.start.setRecordId(CSteelRecordId(1, 3));
    bar(10.0f)->m_steel.start.setRecordId(CSteelRecordId(1, 4));
    show({1, 2, 3});
    EXPECT_EQ(t.isSameSteelStartOfSelLIne(), CSteelRecordId(1, 3));
    show({1, 2, 3, 4});
    EXPECT_EQ(t.isSameSteelStartOfSelLIne(), CSteelRecordId(-1, -1));
    show({1, 4});
    t.setSelLineSteelStart(CSteelRecordId(1, 5));
    EXPECT_EQ(t.isSameSteelStartOfSelLIne(), CSteelRecordId(1, 5));
    EXPECT_EQ(t.CanUndo(), 1);
}

// Cell categories

struct UnitCase {
    int row, column;
    unsigned int category;
    const char* text;
};

std::ostream& operator<<(std::ostream& os, const UnitCase& c)
{
    return os << "row" << c.row << "col" << c.column;
}

class SetupTableCellCategory : public SetupTableEdit, public testing::WithParamInterface<UnitCase> {
protected:
    void fill()
    {
        element(QStringLiteral("KL1"));
        Line* b = bar(20.0f, "3");
        b->m_steel.spacing1 = "100";
        b->m_steel.spacing3 = "300";
        b->m_steel.remark = QStringLiteral("梁上");
        b->m_steel.count = 12;
        Line* v = bar(12.0f, "4");
        v->m_steel.spacing1 = "";
        v->m_steel.spacing2 = "200";
        v->m_steel.getVar(kL)->setStatus(CVes_ReferenceBase::kEditing);
        emptyBarRow();
        show({});
    }
};

TEST_P(SetupTableCellCategory, CategoryAndText)
{
    fill();
    const UnitCase& c = GetParam();
    EXPECT_EQ(t.getUNITType(c.row, c.column), c.category);
    QString expected = QString::fromUtf8(c.text);
    if (expected == "grade")
        expected = Steel_GradeDNToString(3, 20.0f, 0);
    EXPECT_EQ(t.getUNITString(c.row, c.column), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, SetupTableCellCategory,
    testing::Values(UnitCase{1, 0, 0, "KL1"}, UnitCase{1, 3, 0, "KL1"},
                    UnitCase{1, 4, ~0u, ""}, UnitCase{2, 0, 1, "3"},
                    UnitCase{2, 1, 2, "grade"}, UnitCase{2, 2, 3, "100;300"},
                    UnitCase{3, 2, 3, ";200"}, UnitCase{2, 3, ~0u, ""},
                    UnitCase{2, 4, 4, "190-001"}, UnitCase{3, 4, 5, "3000"},
                    UnitCase{2, 5, ~0u, ""}, UnitCase{2, 6, 6, "12"},
                    UnitCase{2, 7, ~0u, ""}, UnitCase{2, 10, 7, "梁上"},
                    UnitCase{4, 0, ~0u, ""}, UnitCase{99, 0, ~0u, ""},
                    UnitCase{0, 0, ~0u, ""}));

// Search

struct FindCase {
    const char* name;
    unsigned int category;
    const char* text;
    const char* found; // the rows found, by index in the table
};

std::ostream& operator<<(std::ostream& os, const FindCase& c) { return os << c.name; }

class SetupTableFind : public SetupTableEdit, public testing::WithParamInterface<FindCase> {
protected:
    // 0 element KL1 "角部", 1 bar 20 "A1" L3000 count 4 "100;200", 2 bar 20.05
    // grade 2 "A12", 3 element KL2, 4 bar 22 "B1" L2500 count 40 "角部加密",
    // 5 empty bar row "A1", 6 bar 20.08 "X", 7 bar 20.2 "Y".
    void fill()
    {
        element(QStringLiteral("KL1"), QStringLiteral("角部"));
        Line* a = bar(20.0f, "A1");
        a->m_steel.count = 4;
        a->m_steel.spacing1 = "100";
        a->m_steel.spacing2 = "200";
        Line* b = bar(20.05f, "A12", 2800);
        b->m_steel.grade = 2;
        b->m_steel.spacing3 = "150";
        element(QStringLiteral("KL2"));
        Line* c = bar(22.0f, "B1", 2500);
        c->m_steel.count = 40;
        c->m_steel.remark = QStringLiteral("角部加密");
        Line* e = bar(20.0f, "A1");
        e->setNull(1);
        bar(20.08f, "X");
        bar(20.2f, "Y");
        show({});
    }
    QString found(const TableLineList& rows) const
    {
        QStringList out;
        for (CVes_TableBaseLine* row : rows)
            out << QString::number(t.lines().indexOf(row));
        return out.join(' ');
    }
};

TEST_P(SetupTableFind, MatchingRows)
{
    fill();
    const FindCase& c = GetParam();
    QString text = QString::fromUtf8(c.text);
    if (text == "grade20")
        text = Steel_GradeDNToString(3, 20.0f, 0);
    EXPECT_EQ(found(t.searchAllLine(text, c.category, 1, 0, 0)), QString::fromUtf8(c.found));
}

INSTANTIATE_TEST_SUITE_P(
    Categories, SetupTableFind,
    testing::Values(FindCase{"Element", 0, "KL", "0 3"}, FindCase{"ElementOne", 0, "2", "3"},
                    FindCase{"Number", 1, "A1", "1 2"}, FindCase{"NumberNone", 1, "C", ""},
                    FindCase{"GradeAndSizeWithinATenth", 2, "grade20", "1 6"},
                    FindCase{"GradeUnreadable", 2, "xyz", ""},
                    FindCase{"Spacing", 3, "150", "2"}, FindCase{"SpacingSecond", 3, "20", "1"},
                    FindCase{"Shape", 4, "190-1", "1 2 4 6 7"}, FindCase{"ShapeOther", 4, "191-1", ""},
                    FindCase{"Variable", 5, "2500", "4"},
                    FindCase{"VariableNone", 5, "1234", ""},
                    FindCase{"Count", 6, "4", "1"}, FindCase{"CountWhole", 6, "40", "4"},
                    FindCase{"Remark", 7, "角部", "0 4"}, FindCase{"UnknownCategory", 9, "A", ""},
                    FindCase{"EmptyText", 1, "", ""}));

TEST_F(SetupTableEdit, SearchScopes)
{
    t.m_rowNum = 3;
    for (int i = 0; i < 7; ++i)
        bar(10.0f, QString("N%1").arg(i));
    show({});
    const auto count = [this](unsigned int scope, int p1, int p2) {
        return t.searchAllLine(QStringLiteral("N"), 1, scope, p1, p2).size();
    };
    EXPECT_EQ(count(0, 0, 0), 3);
    EXPECT_EQ(count(1, 0, 0), 7);
    EXPECT_EQ(count(2, 3, 2), 4);
    EXPECT_EQ(count(2, 2, 2), 3);
}

TEST_F(SetupTableEdit, SearchNextDoesNotWrapAndMarksTheVariable)
{
    Line* a = bar(10.0f, "A", 3000);
    bar(10.0f, "B", 1000);
    Line* c = bar(10.0f, "AC", 3000);
    show({});
    t.setCurRow(-1);
    EXPECT_EQ(t.searchNextLine(nullptr, QStringLiteral("A"), 1, 1, 0, 0), a);
    EXPECT_EQ(t.searchNextLine(a, QStringLiteral("A"), 1, 1, 0, 0), c);
    EXPECT_EQ(t.searchNextLine(c, QStringLiteral("A"), 1, 1, 0, 0), nullptr);
    EXPECT_EQ(t.searchNextLine(a, QString(), 1, 1, 0, 0), nullptr);
    // From the current row when no start is given.
    t.setCurRow(1);
    EXPECT_EQ(t.searchNextLine(nullptr, QStringLiteral("A"), 1, 1, 0, 0), c);

    EXPECT_EQ(c->m_steel.getUsingVar(), nullptr);
    EXPECT_EQ(t.searchNextLine(a, QStringLiteral("3000"), 5, 1, 0, 0), c);
    CVes_Variable* var = c->m_steel.getUsingVar();
    ASSERT_NE(var, nullptr);
    EXPECT_EQ(var->m_text, kL);
    EXPECT_EQ(t.getUNITType(3, CVes_SetupTable::kColShape), 5u);
}

} // namespace
