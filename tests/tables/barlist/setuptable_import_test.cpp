// Taking over the bar lists of a folder, and merging the remarks of
// consecutive bar rows.

#include "barlist_pages.h"

#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Line = CVes_SetupTableLine;

// The rows that are not empty, as "[element] bar …".
QString rows(const CVes_SetupTable& t)
{
    QStringList out;
    for (int i = 0; i < t.lines().size(); ++i) {
        const Line* line = t.lineAt(i);
        if (line->m_null)
            continue;
        out << (line->isElementLine() ? QStringLiteral("[%1]").arg(line->getElement())
                                      : line->m_steel.number);
    }
    return out.join(u' ');
}

// A folder as a detailer's project folder holds it: bar lists at the top
// and in a sub-folder, one drawn in centimetres, a damaged one, one of a
// newer version, the auto-save copy of a list, and a hidden folder.
class FolderImport : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const QString& name) const { return dir.filePath(name); }

    void save(const QString& name, const char* element, const char* bar,
              int shapeUnit = CVes_Template::kMillimetre)
    {
        CVes_SetupTable list;
        list.lineAt(0)->setElement(QString::fromUtf8(element));
        test::addPlainBar(list, bar, 3000.0f, 2);
        list.m_units[CVes_SetupTable::kColShape] = shapeUnit;
        QDir().mkpath(QFileInfo(path(name)).path());
        ASSERT_EQ(list.SaveFile(path(name)), 1) << name.toStdString();
    }
    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void makeFolder()
    {
        save(QStringLiteral("a.pld"), "A", "a1");
        save(QStringLiteral("sub/b.PLD"), "B", "b1");
        save(QStringLiteral(".hidden/c.pld"), "C", "c1");
        save(QStringLiteral("cm.pld"), "CM", "cm1", CVes_Template::kCentimetre);
        save(QStringLiteral("newer.pld"), "N", "n1");
        QFile::copy(path(QStringLiteral("a.pld")), path(QStringLiteral("a.pld$$$")));
        write(QStringLiteral("bad.pld"), QByteArray("not a bar list at all"));
        write(QStringLiteral("notes.txt"), QByteArray("x"));
        // A file of a version this program does not know yet.
        QFile newer(path(QStringLiteral("newer.pld")));
        ASSERT_TRUE(newer.open(QIODevice::ReadWrite));
        const char schema[4] = {99, 0, 0, 0};
        newer.write(schema, 4);
    }

    QTemporaryDir dir;
    test::HostScope host;
    CVes_SetupTable t;
};

TEST_F(FolderImport, TakesTheReadableListsOfTheShapeUnitAndNamesTheOthers)
{
    makeFolder();
    t.setPageTo(1, 1);
    EXPECT_EQ(t.importFromFile(dir.path()), 2);
    // The file found last comes first; the list's own rows stay at the end.
    EXPECT_EQ(rows(t), QStringLiteral("[B] b1 [A] a1 [这里输入构件编号]"));
    ASSERT_EQ(host->messageTexts().size(), 2) << host->messageTexts().join(u'|').toStdString();
    EXPECT_EQ(host->messageTexts()[0], QStringLiteral("钢筋配料单钢筋形状单位不一致，无法导入！"));
    const QString skipped = host->messageTexts()[1];
    EXPECT_TRUE(skipped.contains(QStringLiteral("bad.pld")));
    EXPECT_TRUE(skipped.contains(QStringLiteral("newer.pld")));
    EXPECT_FALSE(skipped.contains(QStringLiteral("cm.pld")));
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(t.isCanSortSteel(), 1);
    EXPECT_EQ(t.CanUndo(), 1);
    t.Undo();
    EXPECT_EQ(rows(t), QStringLiteral("[这里输入构件编号]"));
}

TEST_F(FolderImport, AFolderWithoutListsChangesNothing)
{
    write(QStringLiteral("a.pld$$$"), QByteArray("x"));
    write(QStringLiteral("readme.txt"), QByteArray("x"));
    EXPECT_EQ(t.importFromFile(dir.path()), 0);
    EXPECT_EQ(t.importFromFile(dir.filePath(QStringLiteral("missing"))), 0);
    EXPECT_EQ(rows(t), QStringLiteral("[这里输入构件编号]"));
    EXPECT_TRUE(host->messageTexts().isEmpty());
    EXPECT_EQ(t.isModified(), 0);
    EXPECT_EQ(t.CanUndo(), 0);
}

TEST_F(FolderImport, OnlyDamagedListsGiveOneMessageAndNoUndoStep)
{
    write(QStringLiteral("x.pld"), QByteArray(3, '\0'));
    write(QStringLiteral("y.pld"), QByteArray());
    EXPECT_EQ(t.importFromFile(dir.path()), 0);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts()[0].contains(QStringLiteral("x.pld")));
    EXPECT_TRUE(host->messageTexts()[0].contains(QStringLiteral("y.pld")));
    EXPECT_EQ(rows(t), QStringLiteral("[这里输入构件编号]"));
    EXPECT_EQ(t.CanUndo(), 0);
}

// Merged remarks

class RemarkMerge : public ::testing::Test {
protected:
    void SetUp() override
    {
        t.clearnAllLine();
        test::addElement(t, "KL1", 1);
        for (const char* n : {"1", "2", "3", "4"})
            test::addPlainBar(t, n, 1000.0f, 1);
        t.setPageTo(1, 1);
        t.setModified(0);
        t.resetUndo();
    }
    void select(std::initializer_list<int> positions)
    {
        t.clearSelect();
        for (int n : positions)
            t.AddSelect(n, 0);
    }
    std::vector<int> marks() const
    {
        std::vector<int> out;
        for (int i = 1; i <= 4; ++i)
            out.push_back(t.lineAt(i)->getRemarkMerge());
        return out;
    }

    test::HostScope host;
    CVes_SetupTable t;
};

TEST_F(RemarkMerge, ThreeRowsAreMarkedAndUnmarkedWithAnUndoStepEach)
{
    select({2, 3, 4});
    t.MergeRemark();
    EXPECT_EQ(marks(), (std::vector<int>{1, 2, 2, 0}));
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(t.CanUndo(), 1);
    EXPECT_TRUE(host->messageTexts().isEmpty());

    t.unMergeRemark();
    EXPECT_EQ(marks(), (std::vector<int>{0, 0, 0, 0}));
    t.Undo();
    EXPECT_EQ(marks(), (std::vector<int>{1, 2, 2, 0}));
    t.Undo();
    EXPECT_EQ(marks(), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(t.CanUndo(), 0);
}

struct RefusedCase {
    std::vector<int> selection;
    const char* message;
};

class RemarkMergeRefused : public RemarkMerge, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RemarkMergeRefused, ShowsWhyAndChangesNothing)
{
    t.lineAt(4)->setRemarkMerge(Line::kRemarkMergeFirst);
    t.clearSelect();
    for (int n : GetParam().selection)
        t.AddSelect(n, 0);
    t.MergeRemark();
    EXPECT_EQ(host->messageTexts(), QStringList{QString::fromUtf8(GetParam().message)});
    EXPECT_EQ(marks(), (std::vector<int>{0, 0, 0, 1}));
    EXPECT_EQ(t.isModified(), 0);
    EXPECT_EQ(t.CanUndo(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemarkMergeRefused,
    ::testing::Values(RefusedCase{{2, 4}, "请选择连续的钢筋行进行合并！"},
                      RefusedCase{{}, "请选择连续的钢筋行进行合并！"},
                      RefusedCase{{1, 2, 3}, "选择的表格行有非钢筋行，不能进行备注合并！"}));

TEST_F(RemarkMerge, UnmergingLeavesOtherRowsAloneAndNothingToUndoWhenNothingWasMerged)
{
    select({1, 2});
    t.unMergeRemark();
    EXPECT_EQ(t.CanUndo(), 0);
    EXPECT_EQ(t.isModified(), 0);
}

} // namespace
