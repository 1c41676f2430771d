// The processing sheet's data check: incomplete bars, numbers shared by
// different bars, equal bars of different lengths, and the report written
// and opened (or the message that all is well).

#include "tests/tables/processing/processing_support.h"

#include "core/geometry/datafolder.h"
#include "platform/folders.h"
#include "platform/gbk.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using test::EditLine;

class ProcessTableCheck : public ::testing::Test {
protected:
    void SetUp() override { sheet.m_rowNum = 3; }
    void add(const CVes_ProcessSteel& bar) { sheet.appendLine(test::barRow(bar)); }
    QStringList findings()
    {
        QString text;
        result = sheet.CheckData(text);
        EXPECT_TRUE(text.startsWith(QStringLiteral("<UL>")));
        EXPECT_TRUE(text.endsWith(QStringLiteral("</UL>")));
        text = text.mid(4, text.size() - 9);
        QStringList items;
        for (const QString& item : text.split(QStringLiteral("<LI>"), Qt::SkipEmptyParts))
            if (!item.trimmed().isEmpty())
                items << item.trimmed();
        return items;
    }

    test::HostScope host;
    test::ProcessingShapes shapes;
    CVes_ProcessTable sheet;
    int result = -1;
};

TEST_F(ProcessTableCheck, SheetWithoutBarsPasses)
{
    sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL1")));
    sheet.appendLine(test::emptyRow());
    sheet.checkTable();
    EXPECT_EQ(host->messageTexts(), QStringList{"表单检查通过！"});
    EXPECT_EQ(host->messages()[0].icon, platform::MessageIcon::Information);
    EXPECT_TRUE(host->opened().isEmpty());
}

TEST_F(ProcessTableCheck, OneNumberForTwoBarsIsFoundFromBothSides)
{
    add(test::shapedBar("5", test::kStraight, "L", 3000, 2));
    sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL1")));
    sheet.appendLine(test::headingRow(EditLine::kEleRow, QStringLiteral("KL2")));
    add(test::shapedBar("5", test::kStraight, "L", 2000, 2));
    EXPECT_EQ(findings(),
              (QStringList{"两根<b>5号钢筋</b>中<I>（第1页/第1行 与 第2页/第1行）</I>， 编号相同，但<b>钢筋</b>不同！",
                           "两根<b>5号钢筋</b>中<I>（第2页/第1行 与 第1页/第1行）</I>， 编号相同，但<b>钢筋</b>不同！"}));
    EXPECT_EQ(result, 0);
}

TEST_F(ProcessTableCheck, SameShapeWithAnotherTypedLengthIsFound)
{
    add(test::shapedBar("1", test::kStraight, "L", 3000, 2));
    CVes_ProcessSteel typed = test::shapedBar("2", test::kStraight, "L", 3000, 2);
    typed.calcLength = 0;
    typed.length = 3200.0f;
    add(typed);
    EXPECT_EQ(findings(),
              (QStringList{"第1页/第1行 <b>第1号钢筋</b>与第1页 第2行 <b>第2号钢筋</b>， 钢筋规格与形状相同，但<b>长度不同</b>！",
                           "第1页/第2行 <b>第2号钢筋</b>与第1页 第1行 <b>第1号钢筋</b>， 钢筋规格与形状相同，但<b>长度不同</b>！"}));
}

TEST_F(ProcessTableCheck, LengthsThatFollowTheirShapesAreNotCompared)
{
    add(test::shapedBar("1", test::kStraight, "L", 3000, 2));
    add(test::shapedBar("2", test::kStraight, "L", 3000, 5));
    CVes_ProcessSteel other = test::shapedBar("3", test::kStraight, "L", 3000, 2, 3, 20.0f);
    other.calcLength = 0;
    other.length = 100.0f;
    add(other);
    EXPECT_TRUE(findings().isEmpty());
    EXPECT_EQ(result, 1);
}

TEST_F(ProcessTableCheck, IncompleteBarIsReportedOnceAndComparedWithNone)
{
    add(test::shapedBar("1", test::kStraight, "L", 3000, 2));
    CVes_ProcessSteel incomplete = test::shapedBar("1", test::kStraight, "L", 2000, 0);
    incomplete.number = QStringLiteral("<1>");
    add(incomplete);
    CVes_ProcessSteel unprocessed = test::shapedBar("1", test::kStraight, "L", 1000, 2);
    unprocessed.setProcess(0);
    add(unprocessed);
    EXPECT_EQ(findings(),
              (QStringList{"第1页 第2行  第 &lt;1&gt; 号钢筋信息不完整——【每件根数】错误！"}));
}

TEST_F(ProcessTableCheck, ReportIsWrittenAndOpened)
{
    host->setNow(QDateTime(QDate(2013, 3, 5), QTime(9, 7)));
    add(test::shapedBar("1", test::kStraight, "L", 3000, 0));
    sheet.checkTable();
    ASSERT_EQ(host->opened().size(), 1);
    const QString path = host->opened().first();
    EXPECT_EQ(path, GetRODOFilePath() + QStringLiteral("加工单检查报告.html"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QString page = platform::gbk::decode(bytes);
    EXPECT_TRUE(page.startsWith(QStringLiteral("<html><HEAD>\r\n<TITLE>加工单数据检查</TITLE>")));
    EXPECT_TRUE(page.contains(QStringLiteral("检查时间：2013-3-5 9:07")));
    EXPECT_TRUE(page.contains(QStringLiteral("\r\n<p><UL><LI>第1页 第1行  第 1 号钢筋信息不完整")));
    EXPECT_TRUE(page.endsWith(QStringLiteral("\r\n</BODY>\r\n</HTML>")));
    EXPECT_FALSE(bytes.contains("\n\n")) << "line ends of a text file";
    // A browser reads the page in the encoding it is written in.
    EXPECT_TRUE(bytes.contains("<META http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">"));
    EXPECT_TRUE(bytes.contains(platform::gbk::encode(QStringLiteral("检查报告"))));
    EXPECT_TRUE(host->shownPages().empty()) << "the desktop's program shows it";
    QFile::remove(path);
}

TEST_F(ProcessTableCheck, WithoutAProgramForThePageTheProgramShowsIt)
{
    host->setDesktopOpens(false);
    add(test::shapedBar("1", test::kStraight, "L", 3000, 0));
    sheet.checkTable();
    const auto pages = host->shownPages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].first, "加工单数据检查");
    EXPECT_TRUE(pages[0].second.contains(
        QStringLiteral("第1页 第1行  第 1 号钢筋信息不完整——【每件根数】错误！")));
    EXPECT_TRUE(host->messageTexts().isEmpty());
    QFile::remove(GetRODOFilePath() + CVes_ProcessTable::checkReportName());
}

TEST_F(ProcessTableCheck, ReportGoesToTheTemporaryFolderWhenTheProgramFolderRefusesIt)
{
    // A folder in the report's place: the file cannot be written there.
    const QString blocked = GetRODOFilePath() + CVes_ProcessTable::checkReportName();
    ASSERT_TRUE(QDir().mkpath(blocked));
    add(test::shapedBar("1", test::kStraight, "L", 3000, 0));
    sheet.checkTable();
    QDir(blocked).removeRecursively();
    ASSERT_EQ(host->opened().size(), 1);
    EXPECT_EQ(host->opened().first(), platform::tempFolder() + CVes_ProcessTable::checkReportName());
    QFile::remove(host->opened().first());
}

} // namespace
