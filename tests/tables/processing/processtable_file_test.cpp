// The processing sheet's file: the bytes of its own part, a round trip that
// writes the same bytes again, files of every older version laid out by
// hand, and files that must be refused without touching the sheet.

#include "tests/tables/processing/processing_support.h"

#include "platform/archive.h"
#include "tests/support/fixtures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using test::Bytes;
using test::EditLine;

QByteArray saveBytes(CVes_ProcessTable& sheet)
{
    platform::Archive ar;
    sheet.Serialize(ar);
    return ar.data();
}

class ProcessTableFile : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // A sheet of every row kind with two empty rows at its end.
    static void fill(CVes_ProcessTable& sheet)
    {
        sheet.appendLine(test::headingRow(EditLine::kProjectRow, QStringLiteral("综合楼")));
        sheet.appendLine(test::headingRow(EditLine::kStoryRow, QStringLiteral("一层")));
        sheet.appendLine(test::headingRow(EditLine::kEleTypeRow, QStringLiteral("框架梁")));
        sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL1|KL2")));
        sheet.appendLine(test::barRow(test::shapedBar("1", test::kStraight, "L", 3000, 4)));
        sheet.appendLine(test::emptyRow());
        auto* tagged = test::barRow(test::processBar("2", 2, 20.0f, 6, 5200.0f));
        for (int i = 1; i <= 4; ++i)
            tagged->getProcessSteel()->AddLp(1, 2, i, QStringLiteral("9m"), 0);
        tagged->setRows(2);
        tagged->setLock(1);
        sheet.appendLine(tagged);
        sheet.appendLine(test::emptyRow());
        sheet.appendLine(test::emptyRow());
        sheet.m_liaoPaiDirect = 5;
        sheet.m_sortOrder = CVes_ProcessListTable::kSortNone;
        sheet.m_filter = 5;
        sheet.m_reserved = 9;
        sheet.m_zoom = 1.5;
        sheet.m_texts[3].m_formula = QStringLiteral("JG-01");
    }

    QTemporaryDir m_dir;
    test::ProcessingShapes m_shapes;
};

TEST_F(ProcessTableFile, WritesItsPartAfterTheTablePartWithoutTheEmptyRowsAtTheEnd)
{
    CVes_ProcessTable sheet;
    fill(sheet);
    const QByteArray bytes = saveBytes(sheet);

    platform::Archive tablePart;
    sheet.CVes_TableBase::Serialize(tablePart);
    Bytes own;
    own.i32(4).i32(5).i32(2).i32(9).i32(5).i32(7);
    for (int i = 0; i < 7; ++i) {
        platform::Archive row;
        sheet.lineAt(i)->Serialize(row);
        own.raw(row.data());
    }
    own.f64(1.5);
    EXPECT_EQ(test::toHex(bytes).toStdString(),
              test::toHex(tablePart.data() + own.data()).toStdString());
}

// A sheet read from a file writes that file again, byte for byte.
TEST_F(ProcessTableFile, RoundTripWritesTheSameBytesAgain)
{
    CVes_ProcessTable sheet;
    fill(sheet);
    const QString made = m_dir.filePath(QStringLiteral("made.jgd"));
    ASSERT_EQ(sheet.SaveFile(made), 1);
    CVes_ProcessTable read;
    ASSERT_EQ(read.OpenFile(made), 1);
    const QString first = m_dir.filePath(QStringLiteral("a.jgd"));
    ASSERT_EQ(read.SaveFile(first), 1);

    CVes_ProcessTable back;
    ASSERT_EQ(back.OpenFile(first), 1);
    EXPECT_EQ(test::lineTexts(back),
              (std::vector<std::string>{"P:综合楼", "S:一层", "T:框架梁", "E:KL1|KL2", "1x4", "-",
                                        "2x6"}));
    EXPECT_EQ(back.m_liaoPaiDirect, 5);
    EXPECT_EQ(back.m_filter, 5);
    EXPECT_EQ(back.getScale(), 1.5);
    EXPECT_EQ(back.lineAt(6)->getLock(), 1);
    EXPECT_EQ(back.lineAt(6)->getRows(), 2);
    EXPECT_EQ(back.m_texts[3].m_formula, "JG-01");
    EXPECT_EQ(back.isModified(), 0);

    const QString second = m_dir.filePath(QStringLiteral("b.jgd"));
    ASSERT_EQ(back.SaveFile(second), 1);
    QFile a(first), b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    EXPECT_EQ(test::toHex(a.readAll()).toStdString(), test::toHex(b.readAll()).toStdString());
}

// older versions, laid out by hand

struct VersionCase {
    const char* name;
    int version;
    int layout;      // -1: not in this version
    int sortOrder;   // -1: not in this version
    double zoom;     // 0: not in this version
    // What a new sheet holds when the file does not say.
    int expectedLayout;
    int expectedOrder;
    int expectedFilter;
    double expectedZoom;
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableVersions : public ProcessTableFile,
                             public ::testing::WithParamInterface<VersionCase> {};

// Two rows: an element heading "KZ1" and a bar "7" of count 3 with one tag.
QByteArray versionFile(const VersionCase& c)
{
    Bytes b;
    b.raw(test::tablePartBytes()).i32(c.version);
    if (c.layout >= 0)
        b.i32(c.layout);
    if (c.sortOrder >= 0)
        b.i32(c.sortOrder).i32(1).i32(3);
    b.i32(2)
        .raw(test::rowBytes(1, 1, 0, "03 4B 5A 31", test::processBarBytes("", 1, 0, 1, 0)))
        .raw(test::rowBytes(0, 1, 1, nullptr, test::processBarBytes("7", 3, 4, 0, 1)));
    if (c.zoom > 0)
        b.f64(c.zoom);
    return b;
}

TEST_P(ProcessTableVersions, ReadsTheFieldsOfItsVersion)
{
    const VersionCase& c = GetParam();
    const QString path = write(QStringLiteral("v.jgd"), versionFile(c));
    CVes_ProcessTable sheet;
    ASSERT_EQ(sheet.OpenFile(path), 1);

    EXPECT_EQ(test::lineTexts(sheet), (std::vector<std::string>{"E:KZ1", "7x3"}));
    EXPECT_EQ(sheet.lineAt(1)->getLock(), 1);
    EXPECT_EQ(sheet.lineAt(1)->getProcessSteel()->getPID(), 4);
    EXPECT_EQ(sheet.m_liaoPaiDirect, c.expectedLayout);
    EXPECT_EQ(sheet.m_sortOrder, c.expectedOrder);
    EXPECT_EQ(sheet.m_filter, c.expectedFilter);
    EXPECT_EQ(sheet.getScale(), c.expectedZoom);
    // What was read is the state the first undo step goes back to.
    EXPECT_EQ(sheet.CanUndo(), 0);
    EXPECT_EQ(sheet.CanRedo(), 0);
}

TEST_F(ProcessTableFile, HandMadeFileOfTheCurrentVersionIsWrittenBackUnchanged)
{
    const QByteArray bytes = versionFile({"version4", 4, 1, 2, 0.75, 1, 2, 3, 0.75});
    CVes_ProcessTable sheet;
    ASSERT_EQ(sheet.OpenFile(write(QStringLiteral("v4.jgd"), bytes)), 1);
    EXPECT_EQ(test::toHex(saveBytes(sheet)).toStdString(), test::toHex(bytes).toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Versions, ProcessTableVersions,
    ::testing::Values(VersionCase{"version1", 1, -1, -1, 0, 3, 1, 7, 1.0},
                      VersionCase{"version2", 2, 2, -1, 0, 2, 1, 7, 1.0},
                      VersionCase{"version3", 3, 0, -1, 2.5, 0, 1, 7, 2.5},
                      VersionCase{"version4", 4, 1, 2, 0.75, 1, 2, 3, 0.75}),
    [](const auto& info) { return std::string(info.param.name); });

// refused files leave the sheet as it was

struct RefusedCase {
    const char* name;
    QByteArray (*bytes)();
    bool schema; // refused with -100; otherwise as damaged
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class ProcessTableRefused : public ProcessTableFile,
                            public ::testing::WithParamInterface<RefusedCase> {};

QByteArray newerSheet()
{
    return Bytes().raw(test::tablePartBytes()).i32(5).i32(3).i32(1).i32(1).i32(7).i32(0).f64(1.0);
}

QByteArray newerRow()
{
    return Bytes()
        .raw(test::tablePartBytes())
        .i32(2)
        .i32(3)
        .i32(1)
        .raw(test::rowBytes(0, 1, 0, nullptr, test::processBarBytes("7", 3, 4, 0, 1), 2));
}

QByteArray truncatedRow()
{
    const QByteArray whole = Bytes()
                                 .raw(test::tablePartBytes())
                                 .i32(2)
                                 .i32(3)
                                 .i32(1)
                                 .raw(test::rowBytes(0, 1, 0, nullptr,
                                                     test::processBarBytes("7", 3, 4, 0, 1)));
    return whole.left(whole.size() - 3);
}

QByteArray hugeRowCount()
{
    return Bytes().raw(test::tablePartBytes()).i32(2).i32(3).i32(0x7FFFFFFF);
}

TEST_P(ProcessTableRefused, LeavesTheSheetAsItWas)
{
    const RefusedCase& c = GetParam();
    const QString path = write(QStringLiteral("bad.jgd"), c.bytes());
    CVes_ProcessTable sheet;
    fill(sheet);
    sheet.firstPage();
    const QByteArray before = saveBytes(sheet);
    if (c.schema) {
        try {
            sheet.OpenFile(path);
            ADD_FAILURE() << "the file was read";
        } catch (const platform::SchemaError& e) {
            EXPECT_EQ(e.code(), -100);
        }
    } else {
        EXPECT_EQ(sheet.OpenFile(path), 0);
    }
    EXPECT_EQ(test::toHex(saveBytes(sheet)).toStdString(), test::toHex(before).toStdString());
    EXPECT_EQ(sheet.getCurPage(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProcessTableRefused,
    ::testing::Values(RefusedCase{"newer_sheet_version", &newerSheet, true},
                      RefusedCase{"newer_row_version", &newerRow, true},
                      RefusedCase{"truncated_row", &truncatedRow, false},
                      RefusedCase{"row_count_beyond_the_file", &hugeRowCount, false}),
    [](const auto& info) { return std::string(info.param.name); });

// saving and the undo history

TEST_F(ProcessTableFile, AfterASaveTheNextEditCanBeUndone)
{
    CVes_ProcessTable sheet;
    fill(sheet);
    // The edits are made on the page shown.
    sheet.setPageTo(1, 1);
    sheet.AddUndo();
    sheet.AddUndo();
    ASSERT_EQ(sheet.SaveFile(m_dir.filePath(QStringLiteral("s.jgd"))), 1);
    EXPECT_EQ(sheet.CanUndo(), 0);
    EXPECT_EQ(sheet.CanRedo(), 0);

    sheet.lineAt(4)->getProcessSteel()->count = 9;
    sheet.AddUndo();
    ASSERT_EQ(sheet.CanUndo(), 1);
    sheet.Undo();
    EXPECT_EQ(sheet.lineAt(4)->getProcessSteel()->count, 4);
}

TEST_F(ProcessTableFile, WritingTheStreamChangesNothing)
{
    CVes_ProcessTable sheet;
    fill(sheet);
    sheet.AddUndo();
    sheet.setModified(1);
    saveBytes(sheet);
    EXPECT_EQ(sheet.isModified(), 1);
    EXPECT_EQ(sheet.CanUndo(), 1);
    EXPECT_EQ(sheet.lines().size(), 9) << "the empty rows stay in the sheet";
}

} // namespace
