// Undo and redo across many edits of a big bar list: every state undone or
// redone to writes, byte for byte, the file it wrote when it was made, back
// to the bytes the list was opened from. The edits are those of the
// program's commands, on rows of many pages: values, sizes and shapes of
// bars, rows inserted, deleted, cut, pasted and moved, whole elements cut,
// numbering, sorting, replacing over the whole table, locking every row,
// text heights and joints of every bar, pages added and deleted.

#include "platform/archive.h"
#include "platform/savefile.h"
#include "tables/barlist/jointlength.h"
#include "tables/barlist/setuptable.h"
#include "tables/barlist/setuptableline.h"
#include "tables/framework/findreplace.h"
#include "tests/support/generatedbarlist.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Line = CVes_SetupTableLine;

QByteArray bytesOf(CVes_SetupTable& list)
{
    platform::Archive ar;
    list.Serialize(ar);
    return ar.data();
}

// Rows `first` … `first + count - 1` of page `page` selected, the first one
// current.
void select(CVes_SetupTable& list, int page, int first, int count = 1)
{
    list.setPageTo(page, 1);
    list.clearSelect();
    for (int n = first; n < first + count; ++n)
        list.AddSelect(n, 0);
    list.setCurRow(first);
}

// The position of the first element row on the page.
int elementRowOf(CVes_SetupTable& list, int page)
{
    list.setPageTo(page, 1);
    for (int n = 1; n <= list.pageLines().size(); ++n) {
        if (list.pageLines()[n - 1]->getType() == Line::kElementLine)
            return n;
    }
    return 0;
}

struct Edit {
    const char* what;
    std::function<void(CVes_SetupTable&)> apply;
    // Empty rows at the end are not stored: the file stays as it was.
    bool fileUnchanged = false;
};

const std::vector<Edit>& edits()
{
    static const std::vector<Edit> list{
        {"count of a bar", [](CVes_SetupTable& t) { select(t, 3, 4); t.setSellineGenshu(7); }},
        {"size of two bars", [](CVes_SetupTable& t) { select(t, 9, 2, 2); t.setSelLineDN(25.0f); }},
        {"a dimension", [](CVes_SetupTable& t) { select(t, 2, 6); t.setSelLineVarValue(QStringLiteral("L"), 4321.0); }},
        {"a shape", [](CVes_SetupTable& t) { select(t, 11, 3); t.setSelLineSteelRecord(CSteelRecordId(191, 2)); }},
        {"a bar row inserted", [](CVes_SetupTable& t) { select(t, 5, 3); t.InsertSteelRow(0); }},
        {"an element inserted", [](CVes_SetupTable& t) { select(t, 14, 2); t.InsertElementRow(QStringLiteral("KL99")); }},
        {"rows deleted", [](CVes_SetupTable& t) { select(t, 7, 2, 3); t.DeleteRow(); }},
        {"rows cut", [](CVes_SetupTable& t) { select(t, 8, 5, 2); t.CutRow(); }},
        {"rows pasted over others", [](CVes_SetupTable& t) { select(t, 12, 4, 2); t.PasteRow(); }},
        {"rows moved up", [](CVes_SetupTable& t) { select(t, 6, 5, 2); t.UpRow(); }},
        {"rows moved down", [](CVes_SetupTable& t) { select(t, 6, 2, 2); t.DownRow(); }},
        {"an element cut", [](CVes_SetupTable& t) {
             const int row = elementRowOf(t, 10);
             select(t, 10, row);
             t.CutEleRow();
         }},
        {"every bar numbered", [](CVes_SetupTable& t) { t.setPageTo(4, 1); t.NumberSteel(1, 1, 1); }},
        {"every row reordered by the table's sort", [](CVes_SetupTable& t) {
             t.SortList(0);
             t.refreshCurPage();
             t.AddUndo();
         }},
        {"a remark replaced on every page", [](CVes_SetupTable& t) {
             t.setPageTo(1, 1);
             bool replaced = false;
             for (CVes_TableBaseLine* row : t.searchAllLine(QStringLiteral("3"), findreplace::kNumber, 1, 1, 1))
                 replaced |= findreplace::replaceInLine(t, row, QStringLiteral("3"), QStringLiteral("3a"), findreplace::kNumber);
             if (replaced)
                 t.AddUndo();
         }},
        {"every row locked", [](CVes_SetupTable& t) { t.setPageTo(2, 1); t.lockAllRow(); }},
        {"every row unlocked", [](CVes_SetupTable& t) { t.setPageTo(13, 1); t.unlockAllRow(); }},
        {"the text height of every bar", [](CVes_SetupTable& t) { t.setAllLineSteelTextHigh(45); }},
        {"joints of every bar", [](CVes_SetupTable& t) {
             barlist::MidConnectEdit edit;
             edit.scope = barlist::MidConnectEdit::kWholeTable;
             edit.connect.stat = 1;
             edit.connect.valueA = 2;
             barlist::batchEditMidConnect(t, edit);
         }},
        {"a page added", [](CVes_SetupTable& t) { t.setPageTo(1, 1); t.addPage(); }, true},
        {"a page deleted", [](CVes_SetupTable& t) { t.setPageTo(15, 1); t.delPage(); }},
        {"a cell typed", [](CVes_SetupTable& t) { select(t, 1, 3); t.setSelLineGrade(1); }},
    };
    return list;
}

class BigListUndo : public ::testing::Test {
protected:
    void SetUp() override
    {
        CVes_SetupTable made;
        test::fillGeneratedList(made, 40, 50);
        path = dir.filePath(QStringLiteral("big.pld"));
        ASSERT_EQ(made.SaveFile(path), 1);
        ASSERT_TRUE(platform::readFile(path, &opened));
        ASSERT_EQ(list.OpenFile(path), 1);
        ASSERT_EQ(bytesOf(list), opened);
    }

    QTemporaryDir dir;
    QString path;
    QByteArray opened;
    CVes_SetupTable list;
};

TEST_F(BigListUndo, EveryStateUndoneOrRedoneToWritesTheBytesItWrote)
{
    // states[i] is the list after i edits; states[0] the file opened.
    std::vector<QByteArray> states{opened};
    const auto undoBack = [&](std::size_t steps) {
        const std::size_t top = states.size() - 1;
        for (std::size_t i = 1; i <= steps; ++i) {
            ASSERT_EQ(list.CanUndo(), 1) << "undo " << i;
            list.Undo();
            list.setPageTo(int(1 + i % 5), 1);  // the user looks around
            ASSERT_EQ(bytesOf(list), states[top - i]) << "after " << i << " undos";
        }
        for (std::size_t i = steps; i >= 1; --i) {
            ASSERT_EQ(list.CanRedo(), 1) << "redo " << i;
            list.Redo();
            ASSERT_EQ(bytesOf(list), states[top - i + 1]) << "after redoing to " << top - i + 1;
        }
    };
    for (const Edit& edit : edits()) {
        SCOPED_TRACE(edit.what);
        edit.apply(list);
        const QByteArray now = bytesOf(list);
        if (edit.fileUnchanged)
            ASSERT_EQ(now, states.back());
        else
            ASSERT_NE(now, states.back()) << "the edit changed nothing";
        states.push_back(now);
        // Undo as far as the levels go (back to the opened file at first),
        // and redo to here.
        undoBack(std::min<std::size_t>(CVes_SetupTable::kUndoLevels, states.size() - 1));
        if (HasFatalFailure())
            return;
    }
    // Eight undos and a new edit: the list as it was eight edits ago with
    // that edit, and nothing to redo.
    for (int i = 0; i < CVes_SetupTable::kUndoLevels; ++i)
        list.Undo();
    ASSERT_EQ(bytesOf(list), states[states.size() - 1 - CVes_SetupTable::kUndoLevels]);
    select(list, 2, 3);
    list.setSellineGenshu(11);
    EXPECT_EQ(list.CanRedo(), 0);
    list.Undo();
    EXPECT_EQ(bytesOf(list), states[states.size() - 1 - CVes_SetupTable::kUndoLevels]);

    // The file each state saves to is the stream compared above.
    const QString saved = dir.filePath(QStringLiteral("saved.pld"));
    const QByteArray stream = bytesOf(list);
    ASSERT_EQ(list.SaveFile(saved), 1);
    QByteArray file;
    ASSERT_TRUE(platform::readFile(saved, &file));
    EXPECT_EQ(file, stream);
}

TEST_F(BigListUndo, UndoingEveryEditReachesTheOpenedBytes)
{
    const std::vector<Edit>& all = edits();
    for (std::size_t start = 0; start + CVes_SetupTable::kUndoLevels <= all.size();
         start += CVes_SetupTable::kUndoLevels) {
        SCOPED_TRACE(all[start].what);
        const QByteArray before = bytesOf(list);
        for (std::size_t i = start; i < start + CVes_SetupTable::kUndoLevels; ++i)
            all[i].apply(list);
        ASSERT_NE(bytesOf(list), before);
        for (int i = 0; i < CVes_SetupTable::kUndoLevels; ++i)
            list.Undo();
        ASSERT_EQ(bytesOf(list), before);
        // The levels start again from here.
        list.resetUndo();
    }
    EXPECT_EQ(bytesOf(list), opened);
}

} // namespace
