// The row clipboard shared by all sheets: kinds, owned copies handed out
// afresh on every paste, and the remark text.

#include "tables/framework/tableclipboard.h"

#include "tables/barlist/setuptableline.h"
#include "tables/processing/processtableeditline.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Clipboard = CVes_TableClipboard;

std::unique_ptr<CVes_SetupTableLine> elementLine(const QString& name)
{
    auto line = std::make_unique<CVes_SetupTableLine>(int(CVes_SetupTableLine::kElementLine));
    line->setElement(name);
    line->setNull(0);
    return line;
}

std::unique_ptr<CVes_ProcessTableEditLine> storyLine(const QString& name)
{
    auto line = std::make_unique<CVes_ProcessTableEditLine>(CVes_ProcessTableEditLine::kStoryRow);
    line->setStory(name);
    return line;
}

// Takes ownership of what getLines hands out.
std::vector<std::unique_ptr<CVes_TableBaseLine>> own(const TableLineList& lines)
{
    std::vector<std::unique_ptr<CVes_TableBaseLine>> result;
    for (CVes_TableBaseLine* line : lines)
        result.emplace_back(line);
    return result;
}

QStringList elements(const std::vector<std::unique_ptr<CVes_TableBaseLine>>& lines)
{
    QStringList names;
    for (const auto& line : lines) {
        auto* setup = dynamic_cast<CVes_SetupTableLine*>(line.get());
        names.append(setup ? setup->getElement() : QStringLiteral("?"));
    }
    return names;
}

TEST(TableClipboard, StartsEmpty)
{
    const Clipboard clipboard;
    EXPECT_EQ(clipboard.canPaste(), 0);
    for (int kind : {0, 1, 2, 4, 5})
        EXPECT_TRUE(clipboard.getLines(kind).isEmpty()) << kind;
    EXPECT_EQ(clipboard.getText(0), QString());
}

TEST(TableClipboard, BarListRowsComeOutAsFreshCopiesInOrder)
{
    Clipboard clipboard;
    auto a = elementLine(QStringLiteral("KL1"));
    auto b = elementLine(QStringLiteral("KL2"));
    auto c = elementLine(QStringLiteral("KL3"));
    EXPECT_EQ(clipboard.copyLine(a.get(), CVes_TableClipboard::kSetupLines, 1), 1);
    EXPECT_EQ(clipboard.copyLine(b.get(), CVes_TableClipboard::kSetupLines, 0), 1);
    EXPECT_EQ(clipboard.copyLine(c.get(), CVes_TableClipboard::kSetupLines, 0), 1);
    EXPECT_NE(clipboard.canPaste(), 0);

    // The source rows change or go; the held copies do not.
    a->setElement(QStringLiteral("changed"));
    b.reset();

    auto first = own(clipboard.getLines(1));
    EXPECT_EQ(elements(first), (QStringList{"KL1", "KL2", "KL3"}));
    static_cast<CVes_SetupTableLine*>(first[0].get())->setElement(QStringLiteral("pasted"));
    EXPECT_EQ(first[0]->getType(), CVes_SetupTableLine::kElementLine);
    EXPECT_EQ(first[0]->isNull(), 0);

    auto second = own(clipboard.getLines(1));
    EXPECT_EQ(elements(second), (QStringList{"KL1", "KL2", "KL3"}));
    EXPECT_NE(first[0].get(), second[0].get());
    EXPECT_TRUE(clipboard.getLines(2).isEmpty());
    EXPECT_TRUE(clipboard.getLines(5).isEmpty());
}

TEST(TableClipboard, ClearFirstStartsANewCopy)
{
    Clipboard clipboard;
    auto a = elementLine(QStringLiteral("A"));
    auto b = elementLine(QStringLiteral("B"));
    clipboard.copyLine(a.get(), CVes_TableClipboard::kSetupLines, 1);
    clipboard.copyLine(b.get(), CVes_TableClipboard::kSetupLines, 1);
    EXPECT_EQ(elements(own(clipboard.getLines(1))), QStringList{"B"});
}

TEST(TableClipboard, BarLinesKeepTheirBarAndLock)
{
    Clipboard clipboard;
    CVes_SetupTableLine line;
    CVes_Steel bar;
    bar.setDN(16.0f);
    bar.number = QStringLiteral("3a");
    line.setSteel(&bar);
    line.setLock(1);
    clipboard.copyLine(&line, CVes_TableClipboard::kSetupLines, 1);
    line.getSetupSteel()->setDN(8.0f);

    auto copies = own(clipboard.getLines(1));
    ASSERT_EQ(copies.size(), 1u);
    auto* copy = static_cast<CVes_SetupTableLine*>(copies[0].get());
    ASSERT_NE(copy->getSetupSteel(), nullptr);
    EXPECT_EQ(copy->getSetupSteel()->DN, 16.0f);
    EXPECT_EQ(copy->getSetupSteel()->number, QStringLiteral("3a"));
    EXPECT_EQ(copy->getLock(), 1);
}

TEST(TableClipboard, ProcessingRowsOnlyForProcessingSheets)
{
    Clipboard clipboard;
    auto row = storyLine(QStringLiteral("三层"));
    EXPECT_EQ(clipboard.copyLine(row.get(), CVes_TableClipboard::kProcessLines, 1), 1);
    EXPECT_TRUE(clipboard.getLines(1).isEmpty());
    auto copies = own(clipboard.getLines(2));
    ASSERT_EQ(copies.size(), 1u);
    auto* copy = dynamic_cast<CVes_ProcessTableEditLine*>(copies[0].get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->getStory(), QStringLiteral("三层"));
    EXPECT_NE(copy, row.get());
}

TEST(TableClipboard, NullRowIsRefusedAndChangesNothing)
{
    Clipboard clipboard;
    auto a = elementLine(QStringLiteral("A"));
    clipboard.copyLine(a.get(), CVes_TableClipboard::kSetupLines, 1);
    EXPECT_EQ(clipboard.copyLine(static_cast<const CVes_SetupTableLine*>(nullptr),
                                 CVes_TableClipboard::kSetupLines, 1),
              0);
    EXPECT_EQ(clipboard.copyLine(static_cast<const CVes_ProcessTableEditLine*>(nullptr),
                                 CVes_TableClipboard::kProcessLines, 1),
              0);
    EXPECT_EQ(elements(own(clipboard.getLines(1))), QStringList{"A"});
}

// Rows of one sheet never come out as rows of another, even when a caller
// appends without clearing.
TEST(TableClipboard, RowsOfAnotherSheetAreDroppedWhenTheKindChanges)
{
    Clipboard clipboard;
    auto a = elementLine(QStringLiteral("A"));
    auto story = storyLine(QStringLiteral("一层"));
    clipboard.copyLine(a.get(), CVes_TableClipboard::kSetupLines, 1);
    clipboard.copyLine(story.get(), CVes_TableClipboard::kProcessLines, 0);
    auto copies = own(clipboard.getLines(2));
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_NE(dynamic_cast<CVes_ProcessTableEditLine*>(copies[0].get()), nullptr);
    EXPECT_TRUE(clipboard.getLines(1).isEmpty());

    // A text under a row kind does not make the held rows pasteable there.
    clipboard.setText(QStringLiteral("x"), 1);
    EXPECT_EQ(clipboard.canPaste(), 0);
    EXPECT_TRUE(clipboard.getLines(1).isEmpty());
}

TEST(TableClipboard, TextIsHeldBesideTheRows)
{
    Clipboard clipboard;
    auto a = elementLine(QStringLiteral("A"));
    clipboard.copyLine(a.get(), CVes_TableClipboard::kSetupLines, 1);
    EXPECT_EQ(clipboard.setText(QStringLiteral("见大样"), 5), 1);
    EXPECT_EQ(clipboard.getText(5), QStringLiteral("见大样"));
    EXPECT_EQ(clipboard.getText(1), QString());
    EXPECT_TRUE(clipboard.getLines(1).isEmpty());

    // Copying rows again, even with clearing, keeps the text.
    clipboard.copyLine(a.get(), CVes_TableClipboard::kSetupLines, 1);
    EXPECT_EQ(clipboard.getText(1), QStringLiteral("见大样"));
    EXPECT_EQ(clipboard.getText(5), QString());

    // The rows held before the text come back under their kind.
    clipboard.setText(QStringLiteral("t"), 5);
    auto b = elementLine(QStringLiteral("B"));
    clipboard.copyLine(b.get(), CVes_TableClipboard::kSetupLines, 0);
    EXPECT_EQ(elements(own(clipboard.getLines(1))), (QStringList{"A", "B"}));
}

struct PasteCase {
    const char* name;
    int kind;          // the held kind after the steps
    bool withRow;      // a bar-list row was copied first
    bool clearAfter;   // then the rows were cleared
    const char* text;
    int canPaste;
};

std::ostream& operator<<(std::ostream& os, const PasteCase& c)
{
    return os << c.name;
}

class CanPaste : public testing::TestWithParam<PasteCase> {};

TEST_P(CanPaste, DependsOnTheKindAndWhatIsHeld)
{
    const PasteCase& c = GetParam();
    Clipboard clipboard;
    auto a = elementLine(QStringLiteral("A"));
    if (c.withRow)
        clipboard.copyLine(a.get(), CVes_TableClipboard::kSetupLines, 1);
    if (c.clearAfter)
        clipboard.clear();
    if (c.kind != 1 || c.text[0])
        clipboard.setText(QString::fromUtf8(c.text), c.kind);
    EXPECT_EQ(clipboard.canPaste() != 0, c.canPaste != 0);
}

INSTANTIATE_TEST_SUITE_P(
    TableClipboard, CanPaste,
    testing::Values(PasteCase{"Nothing", 0, false, false, "", 0},
                    PasteCase{"BarRows", 1, true, false, "", 1},
                    PasteCase{"BarRowsCleared", 1, true, true, "", 0},
                    PasteCase{"QuantityKindWithoutRows", 4, true, true, "", 1},
                    PasteCase{"Remark", 5, false, false, "梁底筋", 1},
                    PasteCase{"EmptyRemark", 5, true, false, "", 0},
                    PasteCase{"UnknownKind", 3, false, false, "", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableClipboard, TheLibraryHasOne)
{
    EXPECT_EQ(&tableClipboard(), &tableClipboard());
}

} // namespace
