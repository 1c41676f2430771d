// The joint summary of a quantity sheet writes the joint count it works out
// into each bar it counts. Undo still takes the sheet back to what it was at
// the step undone, those counts included, whether the bar is on the page
// shown or on another.

#include "tables/quantity/slsumarytable.h"
#include "tests/tables/quantity/sltable_support.h"

#include <gtest/gtest.h>

namespace {

using namespace test;

// Bars of 25 m bought in 9 m lengths, welded: two joints each, though the
// sheet was stored saying seven.
CVes_SLTableLine* longBar(const char* number)
{
    CVes_SLTableLine* line = slBar(number, 3, 20.0f, 1, 25000.0f);
    CVes_MidConnect* joint = line->m_steel.getFirstMidConnect();
    joint->stat = 1;
    joint->style = 3;
    joint->fixedLength = 9000;
    joint->countText = QStringLiteral("7");
    return line;
}

struct Place {
    const char* name;
    int row; // of the long bar, among 120 short ones
};

class JointSummaryUndo : public ::testing::TestWithParam<Place> {};

TEST_P(JointSummaryUndo, UndoRestoresTheJointCountsTheSummaryWrote)
{
    CVes_SLTable t;
    t.clearnAllLine();
    t.appendLine(slElement("KZ1", 2));
    for (int i = 1; i <= 120; ++i) {
        if (i == GetParam().row)
            t.appendLine(longBar("L"));
        t.appendLine(slBar(QByteArray::number(i).constData(), 3, 16.0f, 2, 3000.0f));
    }
    t.setPageTo(1, 1);
    t.resetUndo();
    const int at = GetParam().row;

    CVes_SLSumaryJTtable sheet;
    t.SummaryJT(&sheet);
    ASSERT_EQ(t.lineAt(at)->m_steel.getFirstMidConnect()->countText, QStringLiteral("2"))
        << "the summary writes the count it works out";

    // One edit on the page shown, one step.
    t.lineAt(0)->setEleNum(3);
    t.AddUndo();
    t.Undo();
    EXPECT_EQ(t.lineAt(at)->m_steel.getFirstMidConnect()->countText, QStringLiteral("7"));
    EXPECT_EQ(t.lineAt(0)->getEleNum(), 2);
    t.Redo();
    EXPECT_EQ(t.lineAt(at)->m_steel.getFirstMidConnect()->countText, QStringLiteral("2"));
    EXPECT_EQ(t.lineAt(0)->getEleNum(), 3);
}

INSTANTIATE_TEST_SUITE_P(Places, JointSummaryUndo,
                         ::testing::Values(Place{"OnThePageShown", 2}, Place{"OnALaterPage", 110}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
