// Saving what did not change writes the same bytes: a sheet opened, checked
// (检查) and saved, again and again, stays the file it was after its first
// save. Checking compares bars; comparing must not leave a value behind in
// the bars that is then stored.

#include "app/views/viewids.h"
#include "platform/ui/commandids.h"
#include "tests/app/support/documents_support.h"

#include <gtest/gtest.h>

namespace {

// A stair flight whose bars vary along it: two graded bars that share a
// number but not their ranges (the check compares them), and a third of the
// first one's range under a number of its own.
void addGradedBars(CVes_SetupTable& list)
{
    test::addElement(list, "TB1", 2);
    const auto graded = [&list](const char* number, double from, double to) {
        CVes_SetupTableLine* line = test::addBar(list, number, 3, 12.0f, test::kListStraight, {{"L", from}}, 5);
        CVes_Steel& bar = line->m_steel;
        bar.setMultiVal(1);
        bar.setMultiGroup(5);
        bar.setVarValueE(QStringLiteral("L"), to);
    };
    graded("31", 2000.0, 3000.0);
    graded("31", 1500.0, 2600.0);
    graded("32", 2000.0, 3000.0);
}

enum class Kind { BarList, Processing, Quantity };

struct SheetKind {
    const char* name;
    Kind kind;
    const char* file;
};

class SavingUnchanged : public test::DocumentsFixture, public ::testing::WithParamInterface<SheetKind> {
protected:
    QString save(const char* name)
    {
        switch (GetParam().kind) {
        case Kind::BarList: return saveBarList(name, addGradedBars);
        case Kind::Processing: return saveProcessSheet(name, addGradedBars);
        case Kind::Quantity: return saveQuantitySheet(name, addGradedBars);
        }
        return {};
    }
    // Opens the file, runs 检查 on its sheet, saves it and closes it.
    void checkAndSave(const QString& file)
    {
        auto* doc = dynamic_cast<SheetDocument*>(app->docManager().OpenDocumentFile(file));
        ASSERT_TRUE(doc);
        SheetContainerView* container = containerOf(doc);
        ASSERT_TRUE(container);
        ASSERT_TRUE(container->OnCmdMsg(ID_CHECK_DATA, nullptr));
        // The user saves after the check whether or not it found anything.
        doc->SetModifiedFlag(true);
        runCommand(doc, ID_FILE_SAVE);
        EXPECT_FALSE(doc->IsModified());
        doc->OnCloseDocument();
    }
};

TEST_P(SavingUnchanged, WritesTheSameBytesEveryRound)
{
    const QString file = save(GetParam().file);
    checkAndSave(file);
    ASSERT_FALSE(HasFatalFailure());
    const QByteArray first = bytesOf(file);
    for (int round = 2; round <= 4; ++round) {
        checkAndSave(file);
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_EQ(bytesOf(file), first) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, SavingUnchanged,
    ::testing::Values(SheetKind{"BarList", Kind::BarList, "a.pld"},
                      SheetKind{"ProcessingSheet", Kind::Processing, "a.jgd"},
                      SheetKind{"QuantitySheet", Kind::Quantity, "a.ylb"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
