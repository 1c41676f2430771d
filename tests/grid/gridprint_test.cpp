// Printing: pages, repeated headings, header and footer.

#include "tests/grid/testgrid.h"

#include "platform/painterdc.h"
#include "platform/recordingdc.h"
#include "tests/support/recordinghost.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::Rect;
using test::TestGrid;

namespace {

// A grid of 1 fixed row and column and `rows` - 1 scrolled rows with cells
// reading "row:col" and headings "H0", "H1", ….
void fill(CGridCtrl& grid)
{
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        for (int col = 0; col < grid.GetColumnCount(); ++col) {
            grid.SetItemText(row, col, row == 0 ? QStringLiteral("H%1").arg(col)
                                                : QStringLiteral("%1:%2").arg(row).arg(col));
        }
    }
}

// Sizes the rows so that exactly 40 scrolled rows fill a page of the device
// the context draws on: the heading row takes what is left over.
void fortyRowsAPage(CGridCtrl& grid, platform::Dc& dc)
{
    GridPrintInfo info;
    grid.OnBeginPrinting(&dc, &info);
    const int pageHeight = grid.GetPrintPageHeight();
    const int height = pageHeight / 40;
    ASSERT_GT(height, 0);
    for (int row = grid.GetFixedRowCount(); row < grid.GetRowCount(); ++row)
        grid.SetRowHeight(row, height);
    grid.SetRowHeight(0, grid.GetRowHeight(0) + pageHeight - 40 * height);
    grid.OnEndPrinting(&dc, &info);
    grid.OnBeginPrinting(&dc, &info);
    ASSERT_EQ(grid.GetPrintPageHeight(), 40 * height);
    grid.OnEndPrinting(&dc, &info);
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(GridPrint, HundredRowsFortyToAPageMakeThreePdfPages)
{
    test::HostScope host;
    // The footer's date: fixed, so that every run prints the same pages.
    host->setNow(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TestGrid grid(101, 3, 1, 1);
    test::useFixedMetrics(grid, 12);
    test::setUniformSizes(grid, 150, 20);
    fill(grid);

    const QString path = dir.filePath(QStringLiteral("grid.pdf"));
    {
        QPdfWriter probe(dir.filePath(QStringLiteral("probe.pdf")));
        QPainter painter(&probe);
        platform::PainterDc dc(&painter);
        ASSERT_NO_FATAL_FAILURE(fortyRowsAPage(grid, dc));
    }
    QPdfWriter writer(path);
    ASSERT_TRUE(grid.Print(&writer));

    const QString info = run(QStringLiteral("pdfinfo"), {path});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\b")))) << info.toStdString();
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 3) << text.toStdString();
    SCOPED_TRACE(text.toStdString());
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Page 1 of 3")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Page 3 of 3")));
    for (const QString& page : pages)
        EXPECT_TRUE(page.contains(QStringLiteral("H2")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("40:2")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("41:2")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("41:2")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("100:2")));
}

// A printer of 600 dots per inch whose page is 8 x 10 inches.
platform::RecordingDc::Device printer()
{
    platform::RecordingDc::Device device;
    device.dpiX = 600;
    device.dpiY = 600;
    device.width = 4800;
    device.height = 6000;
    device.printing = true;
    return device;
}

TEST(GridPrint, EveryPageRepeatsTheHeadingsAndRowButtons)
{
    TestGrid grid(101, 3, 1, 1);
    test::useFixedMetrics(grid, 12);
    test::setUniformSizes(grid, 150, 20);
    fill(grid);
    platform::RecordingDc dc(printer());
    ASSERT_NO_FATAL_FAILURE(fortyRowsAPage(grid, dc));

    GridPrintInfo info;
    grid.OnBeginPrinting(&dc, &info);
    ASSERT_EQ(info.GetMaxPage(), 3u);
    const QStringList firstRows = {QStringLiteral("1:0"), QStringLiteral("41:0"), QStringLiteral("81:0")};
    for (UINT page = 1; page <= 3; ++page) {
        dc.clear();
        info.m_nCurPage = page;
        grid.OnPrint(&dc, &info);
        const QStringList texts = dc.texts();
        for (const char* heading : {"H0", "H1", "H2"})
            EXPECT_TRUE(texts.contains(QString::fromLatin1(heading))) << page;
        EXPECT_TRUE(texts.contains(firstRows[static_cast<int>(page) - 1])) << page;
        EXPECT_TRUE(texts.contains(QStringLiteral("Page %1 of 3").arg(page)));
        const int rowButtons = static_cast<int>(std::count_if(texts.begin(), texts.end(), [](const QString& t) {
            return t.endsWith(QStringLiteral(":0"));
        }));
        EXPECT_EQ(rowButtons, page < 3 ? 40 : 20) << page;
    }
    grid.OnEndPrinting(&dc, &info);
}

TEST(GridPrint, DefaultMarginsAndTitles)
{
    test::RecordingOwner owner;
    auto* grid = new TestGrid(5, 3, 1, 1, &owner);
    test::useFixedMetrics(*grid, 12);
    test::setUniformSizes(*grid, 100, 20);
    fill(*grid);
    platform::RecordingDc dc(printer());
    const QSize sample = [&] {
        platform::RecordingDc measure(printer());
        measure.SelectObject(platform::Font::create(-10, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0,
                                                    QStringLiteral("Arial")));
        return measure.GetTextExtent(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ"));
    }();
    const int charWidth = sample.width() / 52;
    const int charHeight = sample.height();

    GridPrintInfo info;
    grid->OnBeginPrinting(&dc, &info);
    EXPECT_EQ(info.GetMaxPage(), 1u);
    // The page holds the scrolled columns exactly: the paper is the grid
    // plus four character widths on either side.
    EXPECT_EQ(grid->GetPrintPageWidth(), 200);
    grid->OnPrint(&dc, &info);
    EXPECT_EQ(info.m_rectDraw.bottom, 2 * charHeight); // the footer band
    // The header band is two character heights, then a gap of one, then the headings.
    const std::vector<platform::DcRecord> origins = dc.records(platform::DcOp::SetWindowOrg);
    ASSERT_FALSE(origins.empty());
    ASSERT_FALSE(origins.front().points.empty());
    EXPECT_EQ(origins.front().points[0], QPoint(-4 * charWidth, 0));

    // No window has a title: only the program's title is in the header.
    const QString appTitle = QGuiApplication::applicationDisplayName();
    ASSERT_FALSE(appTitle.isEmpty());
    QStringList texts = dc.texts();
    ASSERT_GE(texts.size(), 2);
    EXPECT_EQ(texts[0], appTitle);
    EXPECT_EQ(texts[1], QStringLiteral("1:0")); // the row buttons follow

    grid->SetPrintMargins(-1, 3, -1, -1, -1, -1, -1);
    grid->OnBeginPrinting(&dc, &info);
    dc.clear();
    grid->OnPrint(&dc, &info);
    EXPECT_EQ(info.m_rectDraw.bottom, 3 * charHeight);

    owner.setWindowTitle(QStringLiteral("钢筋表"));
    dc.clear();
    grid->OnPrint(&dc, &info);
    texts = dc.texts();
    ASSERT_GE(texts.size(), 2);
    EXPECT_EQ(texts[0], QStringLiteral("钢筋表"));
    EXPECT_EQ(texts[1], appTitle);
}

TEST(GridPrint, ScreenProportionPagesRunAcrossFirst)
{
    TestGrid grid(61, 9, 1, 1);
    test::useFixedMetrics(grid, 12);
    test::setUniformSizes(grid, 100, 20);
    fill(grid);
    grid.SetWysiwygPrinting(true);
    platform::RecordingDc dc(printer());
    GridPrintInfo info;
    grid.OnBeginPrinting(&dc, &info);
    const int perPage = grid.GetPrintPageWidth() / 100;  // whole columns only
    const int rowsPerPage = grid.GetPrintPageHeight() / 20;
    ASSERT_TRUE(perPage >= 4 && perPage < 8) << perPage;
    ASSERT_TRUE(rowsPerPage >= 30 && rowsPerPage < 60) << rowsPerPage;
    ASSERT_EQ(info.GetMaxPage(), 4u);

    const auto page = [&](UINT number) {
        dc.clear();
        info.m_nCurPage = number;
        grid.OnPrint(&dc, &info);
        return dc.texts();
    };
    // Page 2: the first band's right-hand columns, with the row buttons
    // and headings again.
    QStringList texts = page(2);
    EXPECT_TRUE(texts.contains(QStringLiteral("1:%1").arg(1 + perPage)));
    EXPECT_FALSE(texts.contains(QStringLiteral("1:%1").arg(perPage)));
    EXPECT_TRUE(texts.contains(QStringLiteral("1:0")));
    EXPECT_TRUE(texts.contains(QStringLiteral("H0")));
    EXPECT_TRUE(texts.contains(QStringLiteral("H%1").arg(1 + perPage)));
    // Page 3: the second band from the left.
    texts = page(3);
    EXPECT_TRUE(texts.contains(QStringLiteral("%1:1").arg(1 + rowsPerPage)));
    EXPECT_FALSE(texts.contains(QStringLiteral("%1:1").arg(rowsPerPage)));
    EXPECT_FALSE(texts.contains(QStringLiteral("%1:%2").arg(1 + rowsPerPage).arg(1 + perPage)));
    EXPECT_TRUE(texts.contains(QStringLiteral("Page 3 of 4")));
}

} // namespace
