// The processing sheet's numbering commands, as the bar list numbers its
// bars: equal bars sharing a number, every bar or only those without one,
// over the sheet or element by element; and the tags an inserted bar moves.

#include "tests/tables/processing/processing_support.h"

#include <gtest/gtest.h>

namespace {

using test::EditLine;

struct NumberingCase {
    const char* name;
    int share, all, continuous;
    std::vector<std::string> numbers; // of the bar rows, in order
};

class ProcessNumbering : public ::testing::TestWithParam<NumberingCase> {
protected:
    void SetUp() override
    {
        // KL1: a straight bar numbered 7, a bar of its own, the straight bar
        // again; KL2: the straight bar once more and a bar numbered "0".
        sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL1")));
        sheet.appendLine(test::barRow(test::shapedBar("7", test::kStraight, "L", 3000, 4)));
        sheet.appendLine(test::barRow(test::processBar("", 2, 12.0f, 2, 1500.0f)));
        sheet.appendLine(test::barRow(test::shapedBar("", test::kStraight, "L", 3000, 2)));
        sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL2")));
        sheet.appendLine(test::barRow(test::shapedBar("", test::kStraight, "L", 3000, 1)));
        sheet.appendLine(test::barRow(test::processBar("0", 3, 20.0f, 2, 2500.0f)));
        sheet.firstPage();
        sheet.resetUndo();
    }
    std::vector<std::string> numbers() const
    {
        std::vector<std::string> result;
        for (CVes_TableBaseLine* row : sheet.lines())
            if (auto* line = dynamic_cast<EditLine*>(row); line && line->isSteelLine() && !line->isNull())
                result.push_back(line->getProcessSteel()->number.toStdString());
        return result;
    }

    test::ProcessingShapes shapes;
    CVes_ProcessTable sheet;
};

TEST_P(ProcessNumbering, GivesTheNumbersTheBarListWould)
{
    const NumberingCase& c = GetParam();
    sheet.NumberSteel(c.share, c.all, c.continuous);
    EXPECT_EQ(numbers(), c.numbers);
    EXPECT_EQ(sheet.CanUndo(), 1);
    EXPECT_EQ(sheet.isModified(), 1);
    sheet.Undo();
    EXPECT_EQ(numbers(), (std::vector<std::string>{"7", "", "", "", "0"}));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ProcessNumbering,
    ::testing::Values(NumberingCase{"AllShared", 1, 1, 1, {"1", "2", "1", "1", "3"}},
                      NumberingCase{"AllOwn", 0, 1, 1, {"1", "2", "3", "4", "5"}},
                      NumberingCase{"UnnumberedShared", 1, 0, 1, {"7", "8", "7", "7", "9"}},
                      NumberingCase{"ElementOwn", 0, 1, 0, {"1", "2", "3", "1", "2"}},
                      NumberingCase{"ElementShared", 1, 1, 0, {"1", "2", "1", "1", "2"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessNumbering, LockedRowsKeepTheirNumbers)
{
    sheet.lineAt(2)->setLock(1); // the bar of its own, unnumbered
    sheet.NumberSteel(0, 1, 1);
    EXPECT_EQ(numbers(), (std::vector<std::string>{"1", "", "2", "3", "4"}));
}

TEST_F(ProcessNumbering, NumberingThatChangesNothingIsNoEdit)
{
    sheet.NumberSteel(1, 1, 1);
    sheet.resetUndo();
    sheet.setModified(0);
    sheet.NumberSteel(1, 1, 1);
    EXPECT_EQ(sheet.CanUndo(), 0);
    EXPECT_EQ(sheet.isModified(), 0);
}

TEST_F(ProcessNumbering, ClearingEmptiesEveryNumberInOneStep)
{
    sheet.clearNumber();
    EXPECT_EQ(numbers(), (std::vector<std::string>{"", "", "", "", ""}));
    sheet.Undo();
    EXPECT_EQ(numbers(), (std::vector<std::string>{"7", "", "", "", "0"}));
}

TEST_F(ProcessNumbering, AnInsertedBarShowsItsOwnTagAndMovesTheTagsAfterIt)
{
    sheet.regenData();
    const auto tag = [&](int i) { return sheet.lineAt(i)->getProcessSteel()->tags.at(0).mark; };
    ASSERT_EQ(tag(2), 2);
    sheet.clearSelect();
    sheet.AddSelect(3, 0); // before the bar of its own
    EditLine* inserted = sheet.InsertRow();
    ASSERT_NE(inserted, nullptr);
    EXPECT_EQ(inserted->getProcessSteel()->tags.at(0).mark, 2) << "not the copied tag 1";
    EXPECT_EQ(tag(3), 3);
    EXPECT_EQ(sheet.tagNumbers().value(sheet.lineAt(1)), 1) << "the tags before it stay";
}

} // namespace
