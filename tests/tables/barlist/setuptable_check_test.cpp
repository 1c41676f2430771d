// The check of the bar lines and its report: incomplete bars, one number on
// different bars, equal bars with different numbers and cut lengths, the
// escaping of the user's numbers, the report file in the system's code page
// and the message of a clean list.

#include "tables/barlist/setuptable.h"

#include "platform/archive.h"
#include "platform/folders.h"
#include "platform/gbk.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/recordinghost.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const CSteelRecordId kShape{150, 22};

// A bar list whose lines are an element and then the bars the test adds, on
// pages of ten rows; the bars use one straight shape of length A.
class CheckData : public testing::Test {
protected:
    void SetUp() override
    {
        scope.add(test::ShapeBuilder(kShape).var("A", 3000).straight({1300, 150}, "0", "A").build());
        t.clearnAllLine();
        t.m_rowNum = 10;
        auto* element = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
        element->setNull(0);
        element->setElement(QStringLiteral("KL1"));
        t.appendLine(element);
    }
    CVes_Steel& add(const QString& number, float d = 12.0f, double a = 3000.0)
    {
        auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
        line->setNull(0);
        CVes_Steel& bar = line->m_steel;
        bar.setRecordId(kShape);
        bar.number = number;
        bar.grade = 3;
        bar.DN = d;
        bar.count = 2;
        bar.calcLength = 1;
        bar.setVarValue(QStringLiteral("A"), a);
        t.appendLine(line);
        return bar;
    }
    int check(QString& findings) { return t.CheckData(findings); }

    test::CacheScope scope;
    CVes_SetupTable t;
};

const QString kSameNumber = QStringLiteral(
    "\n\n <LI>两根<b>%1号钢筋</b>中<I>（第1页/第%2行 与 第1页/第%3行）</I>， 编号相同，但<b>钢筋</b>不同！");

TEST_F(CheckData, CleanList)
{
    add("1");
    add("1");      // the same bar again
    add("2", 14.0f);
    QString findings = "before";
    EXPECT_EQ(check(findings), 1);
    EXPECT_EQ(findings, "before<UL></UL>");
}

// A bar whose sides add up to more than any length is no length at all: it
// shows none and the check marks it, instead of a wrapped negative length.
TEST_F(CheckData, ABarBeyondAnyLengthIsMarked)
{
    CVes_Steel& bar = add(QStringLiteral("1"), 12.0f, 3.0e9);
    EXPECT_EQ(bar.calculateLength(0, 1.0), 0.0f);
    QString findings;
    EXPECT_EQ(check(findings), 0);
    EXPECT_TRUE(findings.contains(QStringLiteral("第 1 号钢筋信息不完整——【断料长度】错误！")))
        << findings.toStdString();
}

TEST_F(CheckData, SameNumberOnDifferentBarsIsReportedAtTheLaterLine)
{
    add("1");
    add("1", 14.0f);
    QString findings;
    EXPECT_EQ(check(findings), 0);
    EXPECT_EQ(findings, "<UL>" + kSameNumber.arg("1", "3", "2") + "</UL>");
}

TEST_F(CheckData, ThreeBarsOfOneNumberGiveThreeFindings)
{
    add("1");
    add("1", 14.0f);
    add("1", 16.0f);
    QString findings;
    EXPECT_EQ(check(findings), 0);
    EXPECT_EQ(findings, "<UL>" + kSameNumber.arg("1", "3", "2") + kSameNumber.arg("1", "4", "2")
                            + kSameNumber.arg("1", "4", "3") + "</UL>");
}

struct IncompleteCase {
    const char* name;
    const char* number;
    float d;
    int grade;
    int count;
    double a;
    const char* reason;
};

void PrintTo(const IncompleteCase& c, std::ostream* os) { *os << c.name; }

class Incomplete : public CheckData, public testing::WithParamInterface<IncompleteCase> {};

TEST_P(Incomplete, ReportedOnceWithItsReason)
{
    const IncompleteCase& c = GetParam();
    CVes_Steel& bar = add(QString::fromUtf8(c.number), c.d, c.a);
    bar.grade = c.grade;
    bar.count = c.count;
    QString findings;
    EXPECT_EQ(check(findings), 0);
    EXPECT_EQ(findings, QStringLiteral("<UL><LI>第1页 第2行  第 %1 号钢筋信息不完整——%2</UL>")
                            .arg(QString::fromUtf8(c.number).toHtmlEscaped(),
                                 QString::fromUtf8(c.reason)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Incomplete,
    testing::Values(IncompleteCase{"NumberZero", "0", 12.0f, 3, 2, 3000.0, "【钢筋编号】错误！"},
                    IncompleteCase{"NumberBlank", "  ", 12.0f, 3, 2, 3000.0, "【钢筋编号】错误！"},
                    IncompleteCase{"ThinBar", "1", 2.5f, 3, 2, 3000.0, "【钢筋规格】错误！"},
                    IncompleteCase{"NoGrade", "1", 12.0f, 0, 2, 3000.0, "【钢筋规格】错误！"},
                    IncompleteCase{"NoLength", "1", 12.0f, 3, 2, 0.0, "【断料长度】错误！"},
                    IncompleteCase{"NoCount", "1", 12.0f, 3, 0, 3000.0, "【每件根数】错误！"},
                    IncompleteCase{"MarkupInNumber", "<i>", 12.0f, 3, 0, 3000.0,
                                   "【每件根数】错误！"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckData, IncompleteLineIsNotComparedButServesAsEarlierLine)
{
    add("1").count = 0;  // incomplete
    add("1", 14.0f);     // differs from the incomplete one: reported against it
    QString findings;
    EXPECT_EQ(check(findings), 0);
    EXPECT_EQ(findings, "<UL><LI>第1页 第2行  第 1 号钢筋信息不完整——【每件根数】错误！"
                            + kSameNumber.arg("1", "3", "2") + "</UL>");
}

TEST_F(CheckData, EqualBarsWithDifferentNumbersAndLengths)
{
    add("1");
    add("2");  // both computed: never reported
    QString findings;
    EXPECT_EQ(check(findings), 1);

    // An entered length within 0.1 mm of the computed one that truncates to
    // another whole millimetre.
    CVes_Steel& entered = add("3");
    entered.calcLength = 0;
    entered.length = 2999.95f;
    findings.clear();
    EXPECT_EQ(check(findings), 0);
    const QString differ = QStringLiteral(
        "\n\n <LI>第1页/第4行 <b>第3号钢筋</b>与第1页 第%1行 <b>第%2号钢筋</b>， "
        "钢筋规格与形状相同，但<b>长度不同</b>！");
    EXPECT_EQ(findings, "<UL>" + differ.arg("2", "1") + differ.arg("3", "2") + "</UL>");
}

// A bar of the same shape and dimensions with a length typed 200 mm longer is
// no longer the same bar, yet the shop would cut two lengths of one shape:
// the check names it, as it does for any other length typed off the shape.
TEST_F(CheckData, SameShapeWithAnotherTypedLengthIsFound)
{
    add("1");
    CVes_Steel& typed = add("2");
    typed.calcLength = 0;
    typed.length = 3200.0f;
    add("3", 14.0f).calcLength = 0;  // another size: not compared
    QString findings;
    EXPECT_EQ(check(findings), 0);
    EXPECT_EQ(findings, QStringLiteral("<UL>\n\n <LI>第1页/第3行 <b>第2号钢筋</b>与第1页 第2行 "
                                       "<b>第1号钢筋</b>， 钢筋规格与形状相同，但<b>长度不同</b>！</UL>"));
}

TEST_F(CheckData, UnprocessedAndEmptyLinesAreNotChecked)
{
    add("1");
    add("1", 14.0f).setProcess(0);
    CVes_Steel& empty = add("0");
    t.lineAt(int(t.lines().size()) - 1)->setNull(1);
    (void)empty;
    QString findings;
    EXPECT_EQ(check(findings), 1);
}

TEST_F(CheckData, NumbersAreEscaped)
{
    add("<b>&1");
    add("<b>&1", 14.0f);
    QString findings;
    EXPECT_EQ(check(findings), 0);
    EXPECT_EQ(findings, "<UL>" + kSameNumber.arg("&lt;b&gt;&amp;1", "3", "2") + "</UL>");
}

TEST_F(CheckData, PercentSignsInNumbersStayAsTyped)
{
    add("%2");
    add("%2", 14.0f);
    QString findings;
    check(findings);
    EXPECT_EQ(findings, "<UL>" + kSameNumber.arg("%2", "3", "2") + "</UL>");
}

// The report

// The folder for temporary files points into a folder of the test's own.
class TempFolderScope {
public:
    TempFolderScope() : m_old(qgetenv("TMPDIR")) { qputenv("TMPDIR", m_dir.path().toUtf8()); }
    ~TempFolderScope() { qputenv("TMPDIR", m_old); }
    TempFolderScope(const TempFolderScope&) = delete;
    TempFolderScope& operator=(const TempFolderScope&) = delete;

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(CheckData, CleanListShowsTheMessageAndWritesNothing)
{
    test::HostScope host;
    add("1");
    const QString path = CVes_SetupTable::checkReportPath();
    QFile::remove(path);
    t.checkTable();
    EXPECT_EQ(host->messageTexts(), QStringList{"钢筋行数据检查通过！"});
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(host->messages()[0].icon, platform::MessageIcon::Information);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(host->opened().isEmpty());
}

TEST_F(CheckData, ReportIsWrittenInGbkWithCrLfAndOpened)
{
    test::HostScope host;
    host->setNow(QDateTime(QDate(2013, 3, 5), QTime(9, 7)));
    add("梁<1>");
    add("梁<1>", 14.0f);
    t.checkTable();
    const QString path = CVes_SetupTable::checkReportPath();
    EXPECT_TRUE(path.endsWith("/配料单检查报告.html"));
    const QString expected = QStringLiteral(
        "<html><HEAD>\r\n<TITLE>配料单检查报告</TITLE>\r\n"
        "<META http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">\r\n<BODY>\r\n<p><CENTER><B>"
        "<FONT SIZE=\"8\" COLOR=\"blue\">检查报告</FONT></B></CENTER></p>"
        "\r\n<p><b><I><FONT SIZE=\"2\" COLOR=\"#0033FF\">检查时间：2013-3-5 9:07</FONT></I></b><br><p>\r\n "
        "\r\n<p><UL>\r\n\r\n <LI>两根<b>梁&lt;1&gt;号钢筋</b>中<I>（第1页/第3行 与 第1页/第2行）</I>， "
        "编号相同，但<b>钢筋</b>不同！</UL></p>\r\n \r\n</BODY>\r\n</HTML>");
    EXPECT_EQ(readAll(path), platform::gbk::encode(expected));
    EXPECT_EQ(host->opened(), QStringList{path});
    EXPECT_TRUE(host->messageTexts().isEmpty());

    // A second check replaces the report; a clean one leaves it alone.
    t.lineAt(2)->m_steel.number = QStringLiteral("2");
    t.lineAt(2)->m_steel.DN = 12.0f;
    t.checkTable();
    EXPECT_EQ(readAll(path), platform::gbk::encode(expected));
    add("3", 16.0f);
    add("3", 18.0f);
    t.checkTable();
    EXPECT_TRUE(platform::gbk::decode(readAll(path)).contains("<b>3号钢筋</b>"));
    EXPECT_FALSE(platform::gbk::decode(readAll(path)).contains("梁"));
}

TEST_F(CheckData, ReadOnlyProgramFolderSendsTheReportToTheTemporaryFolder)
{
    test::HostScope host;
    TempFolderScope temp;
    const QString path = CVes_SetupTable::checkReportPath();
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path));  // a folder in the file's place
    add("1");
    add("1", 14.0f);
    t.checkTable();
    QDir(path).removeRecursively();
    const QString fallback = QDir::cleanPath(platform::tempFolder() + "配料单检查报告.html");
    ASSERT_EQ(host->opened().size(), 1);
    EXPECT_EQ(QDir::cleanPath(host->opened()[0]), fallback);
    EXPECT_TRUE(platform::gbk::decode(readAll(fallback)).contains("<b>1号钢筋</b>"));
    EXPECT_TRUE(host->messageTexts().isEmpty());
}

TEST_F(CheckData, UnwritableReportIsToldAndNotOpened)
{
    test::HostScope host;
    TempFolderScope temp;
    const QString path = CVes_SetupTable::checkReportPath();
    const QString fallback = platform::tempFolder() + "配料单检查报告.html";
    QFile::remove(path);
    QFile::remove(fallback);
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_TRUE(QDir().mkpath(fallback));
    add("1");
    add("1", 14.0f);
    t.checkTable();
    QDir(path).removeRecursively();
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(host->messages()[0].icon, platform::MessageIcon::Warning);
    EXPECT_TRUE(host->opened().isEmpty());
}

// The check reads a working copy on a worker behind the progress window:
// the list stays as it was, and a check the user cancels tells nothing.
TEST_F(CheckData, RunsBehindTheProgressWindowAndLeavesTheListAsItWas)
{
    test::HostScope host;
    add("1");
    add("1", 14.0f);
    const QString path = CVes_SetupTable::checkReportPath();
    QFile::remove(path);
    const auto stored = [&] {
        platform::Archive ar;
        t.Serialize(ar);
        return ar.data();
    };
    const QByteArray before = stored();
    host->scriptProgressCancel();
    t.checkTable();
    EXPECT_TRUE(host->messageTexts().isEmpty());
    EXPECT_TRUE(host->opened().isEmpty());
    EXPECT_FALSE(QFile::exists(path));

    t.checkTable();
    ASSERT_EQ(host->progressRuns().size(), 2u);
    EXPECT_TRUE(host->progressRuns().back().cancellable);
    EXPECT_EQ(host->opened(), QStringList{path});
    EXPECT_EQ(stored(), before);
}

} // namespace
