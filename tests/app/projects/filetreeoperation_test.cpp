// Copying, moving and deleting files and folder trees: what lands where on
// disk, the copy names, the self-copy limit, and the errors reported.

#include "app/projects/filetreeoperation.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

class FileTree : public ::testing::Test {
protected:
    QString at(const QString& relative) const { return dir.filePath(relative); }
    void write(const QString& relative, const QByteArray& bytes = "x")
    {
        QDir().mkpath(QFileInfo(at(relative)).absolutePath());
        QFile file(at(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString& relative) const
    {
        QFile file(at(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // Every file and folder below `relative`, as relative paths, sorted.
    QStringList tree(const QString& relative) const
    {
        QStringList found;
        const QDir base(at(relative));
        for (QDirIterator it(base.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                             QDirIterator::Subdirectories);
             it.hasNext();)
            found << base.relativeFilePath(it.next());
        found.sort();
        return found;
    }

    QTemporaryDir dir;
    test::HostScope host;
    CFileTreeOperation op;
};

TEST_F(FileTree, AFolderTreeIsCopiedWholeWithItsChineseNames)
{
    write(QStringLiteral("工程/一层/柱/KZ1.pld"), "bars");
    write(QStringLiteral("工程/一层/梁/空/.hidden"), "h");
    write(QStringLiteral("工程/一层/汇总.ylb"), "sum");
    ASSERT_TRUE(op.Copy(at(QStringLiteral("工程/一层")), at(QStringLiteral("工程/复件_一层"))));
    EXPECT_EQ(tree(QStringLiteral("工程/复件_一层")),
              (QStringList{QStringLiteral("柱"), QStringLiteral("柱/KZ1.pld"), QStringLiteral("梁"),
                           QStringLiteral("梁/空"), QStringLiteral("梁/空/.hidden"), QStringLiteral("汇总.ylb")}));
    EXPECT_EQ(read(QStringLiteral("工程/复件_一层/柱/KZ1.pld")), "bars");
    EXPECT_EQ(op.m_nBudget, -1);
    EXPECT_EQ(op.m_strError, QStringLiteral("No error"));
}

TEST_F(FileTree, AFolderCopiedIntoItsOwnParentIsAlreadyThere)
{
    write(QStringLiteral("p/a/f.pld"));
    EXPECT_TRUE(op.Copy(at(QStringLiteral("p/a")), at(QStringLiteral("p"))));
    EXPECT_TRUE(op.Copy(at(QStringLiteral("p/a/")), at(QStringLiteral("p/"))));
    EXPECT_EQ(tree(QStringLiteral("p")), (QStringList{QStringLiteral("a"), QStringLiteral("a/f.pld")}));
}

TEST_F(FileTree, AFolderCopiedIntoItselfDescendsOnlyAsDeepAsTheCopyLies)
{
    write(QStringLiteral("p/a/f.pld"));
    write(QStringLiteral("p/a/s/t/g.pld"));
    ASSERT_TRUE(op.Copy(at(QStringLiteral("p/a")), at(QStringLiteral("p/a/b"))));
    // One descent in all: into "s" (or "b"), never into the copy's copy.
    const QStringList copied = tree(QStringLiteral("p/a/b"));
    EXPECT_TRUE(copied.contains(QStringLiteral("f.pld")));
    EXPECT_FALSE(copied.contains(QStringLiteral("s/t/g.pld")));
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("p/a/b/b/b"))));
}

TEST_F(FileTree, ASiblingWhoseNameStartsLikeTheSourceIsNoSelfCopy)
{
    // "/p/ab" is not inside "/p/a": the whole tree is copied.
    write(QStringLiteral("p/a/s/t/g.pld"));
    QDir().mkpath(at(QStringLiteral("p/ab")));
    ASSERT_TRUE(op.Copy(at(QStringLiteral("p/a")), at(QStringLiteral("p/ab/c"))));
    EXPECT_EQ(read(QStringLiteral("p/ab/c/s/t/g.pld")), "x");
}

TEST_F(FileTree, AFileOntoAnExistingOneTakesTheNextCopyName)
{
    write(QStringLiteral("src/x.pld"), "new");
    write(QStringLiteral("dst/x.pld"), "old");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(op.Copy(at(QStringLiteral("src/x.pld")), at(QStringLiteral("dst/x.pld"))));
    EXPECT_EQ(tree(QStringLiteral("dst")),
              (QStringList{QStringLiteral("Copy (1) of x.pld"), QStringLiteral("Copy (2) of x.pld"),
                           QStringLiteral("Copy of x.pld"), QStringLiteral("x.pld")}));
    EXPECT_EQ(read(QStringLiteral("dst/x.pld")), "old");
    EXPECT_EQ(read(QStringLiteral("dst/Copy (2) of x.pld")), "new");
}

TEST_F(FileTree, AFileIntoAFolderKeepsItsName)
{
    write(QStringLiteral("src/梁.jgd"), "j");
    QDir().mkpath(at(QStringLiteral("dst")));
    ASSERT_TRUE(op.Copy(at(QStringLiteral("src/梁.jgd")), at(QStringLiteral("dst"))));
    EXPECT_EQ(read(QStringLiteral("dst/梁.jgd")), "j");
}

TEST_F(FileTree, OverwritingReplacesTheFile)
{
    write(QStringLiteral("x.pld"), "new");
    write(QStringLiteral("y.pld"), "old");
    op.m_bOverwrite = true;
    ASSERT_TRUE(op.Copy(at(QStringLiteral("x.pld")), at(QStringLiteral("y.pld"))));
    EXPECT_EQ(read(QStringLiteral("y.pld")), "new");
}

TEST_F(FileTree, CopyFailuresNameTheirCause)
{
    write(QStringLiteral("a/f.pld"));
    write(QStringLiteral("file"));
    EXPECT_FALSE(op.Copy(at(QStringLiteral("missing")), at(QStringLiteral("b"))));
    EXPECT_EQ(op.m_strError, at(QStringLiteral("missing")) + QStringLiteral(" not found"));
    EXPECT_EQ(op.m_nError, 0);
    EXPECT_FALSE(op.Copy(at(QStringLiteral("a")), at(QStringLiteral("file"))));
    EXPECT_EQ(op.m_strError, QStringLiteral("Wrong operation"));
    EXPECT_FALSE(op.Copy(at(QStringLiteral("a")), at(QStringLiteral("no/such/b"))));
    EXPECT_EQ(op.m_nError, ENOENT);
    EXPECT_EQ(op.m_strError, QString::fromLocal8Bit(std::strerror(ENOENT)));
}

TEST_F(FileTree, MovingOntoAnExistingNameFailsWithTheSystemsText)
{
    write(QStringLiteral("a.pld"), "a");
    write(QStringLiteral("b.pld"), "b");
    EXPECT_FALSE(op.Move(at(QStringLiteral("a.pld")), at(QStringLiteral("b.pld"))));
    EXPECT_EQ(op.m_nError, EEXIST);
    EXPECT_EQ(op.m_strError, QString::fromLocal8Bit(std::strerror(EEXIST)));
    EXPECT_EQ(read(QStringLiteral("a.pld")), "a");
    EXPECT_EQ(read(QStringLiteral("b.pld")), "b");
    // An empty folder is not replaced either.
    QDir().mkpath(at(QStringLiteral("d1/x")));
    QDir().mkpath(at(QStringLiteral("d2")));
    EXPECT_FALSE(op.Move(at(QStringLiteral("d1")), at(QStringLiteral("d2"))));
    EXPECT_TRUE(QFileInfo::exists(at(QStringLiteral("d1/x"))));
}

TEST_F(FileTree, MovingAFolderTakesEverythingBelowIt)
{
    write(QStringLiteral("一层/柱/KZ1.pld"), "k");
    ASSERT_TRUE(op.Move(at(QStringLiteral("一层")), at(QStringLiteral("一层_删除"))));
    EXPECT_EQ(read(QStringLiteral("一层_删除/柱/KZ1.pld")), "k");
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("一层"))));
}

TEST_F(FileTree, DeletingATreeRemovesItAll)
{
    write(QStringLiteral("t/a/b/c.pld"));
    write(QStringLiteral("t/.x"));
    op.DeleteTree(at(QStringLiteral("t")));
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("t"))));
}

struct ReadOnlyCase {
    const char* name;
    platform::Answer answer;
    bool fileGone;
    bool aborted;
};

class ReadOnlyFile : public FileTree, public ::testing::WithParamInterface<ReadOnlyCase> {};

TEST_P(ReadOnlyFile, IsDeletedOnlyWhenTheUserSaysYes)
{
    write(QStringLiteral("t/ro.pld"));
    write(QStringLiteral("t/rw.pld"));
    QFile(at(QStringLiteral("t/ro.pld"))).setPermissions(QFileDevice::ReadOwner);
    host->script({GetParam().answer});
    bool raised = false;
    try {
        op.DeleteTree(at(QStringLiteral("t")));
    } catch (const CFExeption&) {
        raised = true;
    }
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(host->messages()[0].text, QStringLiteral("ro.pld is read olny. Do you want delete it?"));
    EXPECT_EQ(host->messages()[0].title, QStringLiteral("Warning"));
    EXPECT_EQ(host->messages()[0].buttons, platform::Buttons::YesNoCancel);
    EXPECT_EQ(QFileInfo::exists(at(QStringLiteral("t/ro.pld"))), !GetParam().fileGone);
    EXPECT_EQ(op.m_bAborted, GetParam().aborted);
    EXPECT_EQ(raised, GetParam().aborted);
    // A kept file keeps its folder, without an error.
    EXPECT_EQ(QFileInfo::exists(at(QStringLiteral("t"))), !GetParam().fileGone);
    QFile(at(QStringLiteral("t/ro.pld"))).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

INSTANTIATE_TEST_SUITE_P(FileTree, ReadOnlyFile,
                         ::testing::Values(ReadOnlyCase{"Yes", platform::Answer::Yes, true, false},
                                           ReadOnlyCase{"No", platform::Answer::No, false, false},
                                           ReadOnlyCase{"Cancel", platform::Answer::Cancel, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileTree, WithoutAskingAReadOnlyFileGoesToo)
{
    write(QStringLiteral("t/ro.pld"));
    QFile(at(QStringLiteral("t/ro.pld"))).setPermissions(QFileDevice::ReadOwner);
    op.m_bAskIfReadOnly = false;
    op.DeleteTree(at(QStringLiteral("t")));
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("t"))));
    EXPECT_TRUE(host->messages().empty());
}

struct CopyNameCase {
    const char* path;
    const char* copy;
};

class CopyName : public ::testing::TestWithParam<CopyNameCase> {};

TEST_P(CopyName, IsTheNextCandidate)
{
    EXPECT_EQ(CFileTreeOperation::MakeCopyName(QString::fromUtf8(GetParam().path)),
              QString::fromUtf8(GetParam().copy));
}

INSTANTIATE_TEST_SUITE_P(
    FileTree, CopyName,
    ::testing::Values(CopyNameCase{"/p/x.pld", "/p/Copy of x.pld"},
                      CopyNameCase{"/p/Copy of x.pld", "/p/Copy (1) of x.pld"},
                      CopyNameCase{"/p/Copy (1) of x.pld", "/p/Copy (2) of x.pld"},
                      CopyNameCase{"/p/Copy (9) of x.pld", "/p/Copy (10) of x.pld"},
                      CopyNameCase{"/p/Copy (1 of x.pld", "/p/Copy of Copy (1 of x.pld"},
                      CopyNameCase{"/p/一层/柱", "/p/一层/Copy of 柱"},
                      CopyNameCase{"x.tar.gz", "Copy of x.tar.gz"}));

struct FolderNameCase {
    const char* path;
    const char* last;
};

class LastFolder : public ::testing::TestWithParam<FolderNameCase> {};

TEST_P(LastFolder, IsTheComponentBeforeTheLastSeparator)
{
    EXPECT_EQ(CFileTreeOperation::LastFolderName(QString::fromUtf8(GetParam().path)),
              QString::fromUtf8(GetParam().last));
}

INSTANTIATE_TEST_SUITE_P(FileTree, LastFolder,
                         ::testing::Values(FolderNameCase{"/a/b/", "b"}, FolderNameCase{"/a/b/c.pld", "b"},
                                           FolderNameCase{"/a/", "a"}, FolderNameCase{"/", ""},
                                           FolderNameCase{"a", ""}));

TEST_F(FileTree, PathKindTellsFilesFoldersAndMissingPaths)
{
    write(QStringLiteral("f"));
    EXPECT_EQ(CFileTreeOperation::PathKind(at(QStringLiteral("f"))), CFileTreeOperation::kFile);
    EXPECT_EQ(CFileTreeOperation::PathKind(dir.path()), CFileTreeOperation::kFolder);
    EXPECT_EQ(CFileTreeOperation::PathKind(at(QStringLiteral("none"))), CFileTreeOperation::kMissing);
    EXPECT_EQ(CFileTreeOperation::PathKind(at(QStringLiteral("f/below"))), CFileTreeOperation::kMissing);
    EXPECT_EQ(CFileTreeOperation::AddBackslash(QStringLiteral("/a")), QStringLiteral("/a/"));
    EXPECT_EQ(CFileTreeOperation::AddBackslash(QStringLiteral("/a/")), QStringLiteral("/a/"));
}

} // namespace
