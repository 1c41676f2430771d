#include "tables/framework/tablehelpers.h"

#include "core/geometry/geometry.h"
#include "core/geometry/steeltext.h"
#include "platform/recordingdc.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform::gdi;
using platform::RecordingDc;
using platform::Rect;

namespace {

// mapping

class TableMapping : public ::testing::TestWithParam<int> {};

// 254 logical units are one inch at the device's own resolution, so an A4
// page of 2100 × 2970 units covers exactly an A4 sheet of device pixels.
TEST_P(TableMapping, OneUnitIsATenthOfAMillimetre)
{
    const int dpi = GetParam();
    RecordingDc dc(RecordingDc::Device{dpi, dpi, 5000, 8000, true, 32});
    EXPECT_EQ(setTableMapping(&dc, 1), MM_TEXT);
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(dc.LPtoDP(QPoint(254, 254)), QPoint(dpi, dpi));

    Rect page(0, 0, 2100, 2970);
    dc.LPtoDP(&page);
    // 210 mm × 297 mm at the device's pixels per inch.
    EXPECT_EQ(page.Width(), qRound(210 / 25.4 * dpi));
    EXPECT_EQ(page.Height(), qRound(297 / 25.4 * dpi));
}

INSTANTIATE_TEST_SUITE_P(Resolutions, TableMapping, ::testing::Values(96, 300, 600));

TEST(TableMappingSign, MinusOneTurnsYUpwardsAndTheOldModeIsAnswered)
{
    RecordingDc dc;
    setTableMapping(&dc, 1);
    EXPECT_EQ(setTableMapping(&dc, -1), MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetWindowExt(), QSize(254, 254));
    EXPECT_EQ(dc.GetViewportExt(), QSize(96, -96));
    EXPECT_EQ(dc.LPtoDP(QPoint(254, 254)), QPoint(96, -96));
}

// paper points

struct PointCase {
    const char* name;
    int a, b, c, d;
    double scale;
    QPoint toDevice;
    QPoint toPaper;
};

class PaperPoints : public ::testing::TestWithParam<PointCase> {};

// paperToDevicePoint(a, b, c, d) takes origin (a, b) and paper point (c, d);
// devicePointToPaper(a, b, c, d) the device points (a, b) and (c, d).
TEST_P(PaperPoints, TruncateTowardZero)
{
    const PointCase& p = GetParam();
    EXPECT_EQ(paperToDevicePoint(p.a, p.b, p.c, p.d, p.scale), p.toDevice);
    EXPECT_EQ(devicePointToPaper(p.a, p.b, p.c, p.d, p.scale), p.toPaper);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PaperPoints,
    ::testing::Values(
        PointCase{"Identity", 0, 0, 2100, 2970, 1.0, {2100, 2970}, {2100, 2970}},
        PointCase{"HalfScale", 10, 20, 15, 7, 0.5, {17, 23}, {10, -26}},
        PointCase{"NegativeTruncatesUp", 10, 20, -15, 7, 1.5, {-12, 30}, {-16, -8}},
        PointCase{"PrintOffset", -60, -50, 60, 50, 1.0, {0, 0}, {120, 100}},
        PointCase{"ZeroScale", 5, 6, 7, 8, 0.0, {5, 6}, {0, 0}},
        // Held where any two device points still differ by an int.
        PointCase{"HugeScaleHeldAtDeviceRange", 0, 0, 100000, -100000, 1e12,
                  {kDeviceCoordinateLimit, -kDeviceCoordinateLimit}, {0, 0}},
        PointCase{"HugePaperDistanceHeldAtIntRange", -2000000000, 0, 2000000000, 0, 1e-3,
                  {-kDeviceCoordinateLimit, 0}, {2147483647, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// pens

struct PenCase {
    int style;
    double factor;
    std::vector<std::uint32_t> dashes; // empty for no pen (or the solid pen)
    bool exists;
};

class TablePen : public ::testing::TestWithParam<PenCase> {};

TEST_P(TablePen, DashesAreTheFactorTimesThePatternTruncated)
{
    const PenCase& c = GetParam();
    const std::optional<platform::Pen> pen = createTablePen(c.style, 2, RGB(10, 20, 30), c.factor);
    ASSERT_EQ(pen.has_value(), c.exists);
    if (!pen)
        return;
    EXPECT_EQ(pen->width(), 2);
    EXPECT_EQ(pen->color(), RGB(10, 20, 30));
    if (c.style == 0) {
        EXPECT_FALSE(pen->isGeometric());
        EXPECT_EQ(pen->lineStyle(), PS_SOLID);
        return;
    }
    EXPECT_EQ(pen->style(), PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_ROUND | PS_JOIN_ROUND);
    EXPECT_EQ(pen->userStyle(), c.dashes);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, TablePen,
    ::testing::Values(PenCase{0, 1.0, {}, true}, PenCase{1, 1.0, {32, 16}, true},
                      PenCase{1, 0.3, {9, 4}, true}, PenCase{2, 2.0, {24, 24}, true},
                      PenCase{3, 0.5, {16, 8, 2, 8}, true},
                      PenCase{4, 1.0, {32, 16, 4, 16, 4, 16}, true},
                      PenCase{7, 1.0, {2, 12}, true}, PenCase{7, -1.0, {0, 0}, true},
                      PenCase{2, 1e12, {1000000, 1000000}, true},
                      PenCase{5, 1.0, {}, false}, PenCase{6, 1.0, {}, false},
                      PenCase{8, 1.0, {}, false}, PenCase{-1, 1.0, {}, false}));

// grade texts

struct GradeCase {
    const char* name;
    int grade;
    float diameter;
    int coated;
    const char* table;
    int letterGrade; // the grade whose letters and spreadsheet text lead
    const char* size;
};

class GradeTexts : public ::testing::TestWithParam<GradeCase> {};

TEST_P(GradeTexts, ThreeFormsOfOneSize)
{
    const GradeCase& c = GetParam();
    const QString size = QString::fromUtf8(c.size);
    EXPECT_EQ(Steel_GradeDNToTableString(c.grade, c.diameter, c.coated),
              QString::fromUtf8(c.table));
    EXPECT_EQ(Steel_GradeDNToString(c.grade, c.diameter, c.coated),
              Steel_GradeToString(c.letterGrade) + size);
    EXPECT_EQ(Steel_GradeDNToExcelString(c.grade, c.diameter, c.coated),
              Steel_GradeToExcelString(c.letterGrade) + size);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GradeTexts,
    ::testing::Values(GradeCase{"GradeZeroIsGradeOne", 0, 20.0f, 0, "%%A20", 1, "20"},
                      GradeCase{"NegativeGrade", -3, 8.0f, 0, "%%A8", 1, "8"},
                      GradeCase{"HalfMillimetre", 3, 12.5f, 0, "%%C12.5", 3, "12.5"},
                      GradeCase{"Coated", 3, 25.0f, 1, "%%C25环", 3, "25环"},
                      GradeCase{"OtherCoatingFlag", 2, 16.0f, 2, "%%B16", 2, "16"},
                      GradeCase{"ColdRolled", 12, 6.5f, 0, "%%L6.5", 12, "6.5"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GradeTexts, GradeOneLettersAndSymbol)
{
    EXPECT_EQ(Steel_GradeDNToString(1, 10.0f, 0), QStringLiteral("A10"));
    EXPECT_EQ(Steel_GradeDNToString(3, 10.0f, 1), QStringLiteral("C10环"));
}

// next number

struct NumberCase {
    const char* text;
    const char* next;
};

class NextNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NextNumber, CountsTheTrailingNumberUp)
{
    EXPECT_EQ(nextNumberString(QString::fromUtf8(GetParam().text)),
              QString::fromUtf8(GetParam().next));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NextNumber,
    ::testing::Values(NumberCase{"A9", "A10"}, NumberCase{"A", "A1"}, NumberCase{" 12 ", "13"},
                      NumberCase{"", "1"}, NumberCase{"   ", "1"}, NumberCase{"B099", "B100"},
                      NumberCase{"A007", "A8"}, NumberCase{"0", "1"}, NumberCase{"12A", "12A1"},
                      NumberCase{"KL-5", "KL-6"}, NumberCase{"第3", "第4"},
                      NumberCase{"2147483647", "2147483648"},
                      NumberCase{"Z99999999999999999999", "Z100000000000000000000"}));

// remarks

struct RemarkCase {
    const char* remark;
    const char* shown;
};

class RemarkText : public ::testing::TestWithParam<RemarkCase> {};

TEST_P(RemarkText, BarsAndLineBreaksStartNewLines)
{
    EXPECT_EQ(remarkText(QString::fromUtf8(GetParam().remark)), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemarkText,
    ::testing::Values(RemarkCase{"两端|弯锚|现场复核", "两端\n弯锚\n现场复核"},
                      RemarkCase{"通长\r\n两根", "通长\n两根"},
                      RemarkCase{"a|\r\nb", "a\n\nb"}, RemarkCase{"|", "\n"},
                      RemarkCase{"a\nb", "a\nb"}, RemarkCase{"", ""},
                      RemarkCase{"加密区100，非加密区200", "加密区100，非加密区200"}));

// bar-list files

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

class PldFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path() + u'/';
        QDir d(root);
        for (const char* folder : {"sub/deeper", ".hidden", "old.pld"})
            ASSERT_TRUE(d.mkpath(QString::fromLatin1(folder)));
        for (const char* file : {"a.pld", "B.PLD", "1.pld", ".pld", "x.pld.bak", "notes.txt",
                                 "sub/c.pld", "sub/deeper/e.Pld", ".hidden/d.pld", "old.pld/f.pld"})
            touch(root + QString::fromLatin1(file));
        // A link back up must not make the walk go round for ever.
        ASSERT_TRUE(QFile::link(root + QStringLiteral("sub"),
                                root + QStringLiteral("sub/deeper/loop")));
    }

    QStringList collect(const QString& pattern, QString folder = QString())
    {
        QStringList files;
        collectPldFiles(folder.isEmpty() ? root : folder, pattern, files);
        files.sort();
        return files;
    }

    QTemporaryDir dir;
    QString root;
};

TEST_F(PldFiles, WholeTreeSkipsDotFoldersAndKeepsTheRealNames)
{
    QStringList expected;
    for (const char* file : {"1.pld", "B.PLD", "a.pld", "old.pld/f.pld", "sub/c.pld",
                             "sub/deeper/e.Pld"})
        expected << root + QString::fromLatin1(file);
    expected.sort();
    EXPECT_EQ(collect(QStringLiteral("*.*")), expected);
}

TEST_F(PldFiles, OneFolderPatternEntersOnlyFoldersItMatches)
{
    QStringList expected;
    for (const char* file : {"1.pld", "B.PLD", "a.pld", "old.pld/f.pld"})
        expected << root + QString::fromLatin1(file);
    expected.sort();
    EXPECT_EQ(collect(QStringLiteral("*.pld")), expected);
}

TEST_F(PldFiles, AppendsToWhatTheListHoldsAndAcceptsAFolderWithoutSlash)
{
    QStringList files{QStringLiteral("kept")};
    collectPldFiles(root + QStringLiteral("sub/deeper"), QStringLiteral("*.*"), files);
    EXPECT_EQ(files.front(), QStringLiteral("kept"));
    // The loop link leads back to sub, which is walked once from there.
    EXPECT_TRUE(files.contains(root + QStringLiteral("sub/deeper/e.Pld")));
    EXPECT_TRUE(files.contains(root + QStringLiteral("sub/deeper/loop/c.pld")));
    EXPECT_EQ(files.size(), 3);
}

TEST_F(PldFiles, AMissingFolderFindsNothing)
{
    EXPECT_TRUE(collect(QStringLiteral("*.*"), root + QStringLiteral("none/")).isEmpty());
}

} // namespace
