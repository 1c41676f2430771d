// The print preview that draws a page only when the user comes to it.

#include "platform/ui/pagepreview.h"

#include <QPainter>
#include <QPrinter>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

// What the drawing code saw of the device it painted.
struct Seen {
    int page = 0;
    int dpiX = 0, dpiY = 0, width = 0, height = 0;
};

struct Preview {
    explicit Preview(int first, int last, int current, QPageLayout::Orientation orientation)
        : printer(QPrinter::HighResolution)
    {
        printer.setPageOrientation(orientation);
        dialog = std::make_unique<platform::PagePreviewDialog>(
            &printer, first, last, current, [this](QPainter& painter, int page) {
                QPaintDevice* device = painter.device();
                seen.push_back({page, device->logicalDpiX(), device->logicalDpiY(),
                                device->width(), device->height()});
                // A page of its own: a bar as far down as the page number.
                painter.fillRect(QRect(0, 0, device->width() / 2, 100 * page), Qt::black);
            });
    }
    QPrinter printer;
    std::vector<Seen> seen;
    std::unique_ptr<platform::PagePreviewDialog> dialog;
};

struct NavigationCase {
    const char* name;
    int first, last, current; // as opened
    int opensAt;
    int goTo; // then the user goes to
    int shows;
};

class PagePreviewNavigation : public ::testing::TestWithParam<NavigationCase> {};

TEST_P(PagePreviewNavigation, DrawsOnlyThePagesShown)
{
    const NavigationCase& c = GetParam();
    Preview preview(c.first, c.last, c.current, QPageLayout::Portrait);
    preview.dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview.dialog.get()));
    QCoreApplication::processEvents();
    EXPECT_EQ(preview.dialog->currentPage(), c.opensAt);
    ASSERT_EQ(preview.seen.size(), 1u);
    EXPECT_EQ(preview.seen[0].page, c.opensAt);

    preview.dialog->setCurrentPage(c.goTo);
    preview.dialog->repaint();
    EXPECT_EQ(preview.dialog->currentPage(), c.shows);
    // Coming back to a page drawn before does not draw it again.
    preview.dialog->setCurrentPage(c.opensAt);
    preview.dialog->repaint();
    std::vector<int> drawn;
    for (const Seen& s : preview.seen)
        drawn.push_back(s.page);
    if (c.shows == c.opensAt)
        EXPECT_EQ(drawn, std::vector<int>{c.opensAt});
    else
        EXPECT_EQ(drawn, (std::vector<int>{c.opensAt, c.shows}));
    EXPECT_EQ(preview.dialog->drawnPages(), int(drawn.size()));
    preview.dialog->close();
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PagePreviewNavigation,
    ::testing::Values(NavigationCase{"Forwards", 1, 1200, 1, 1, 600, 600},
                      NavigationCase{"PastTheLastPage", 1, 5, 3, 3, 9, 5},
                      NavigationCase{"BeforeTheFirstPage", 1, 5, 3, 3, -2, 1},
                      NavigationCase{"OpenedPastTheEnd", 1, 4, 7, 4, 2, 2},
                      NavigationCase{"OnePage", 1, 1, 1, 1, 2, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// A page is drawn on a device of the printer's resolution and size, so that
// it is laid out as printed, and shown whole on its paper.
TEST(PagePreview, PagesAreDrawnForThePrinter)
{
    for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        Preview preview(1, 3, 2, orientation);
        const QImage image = preview.dialog->pageImage(3, QSize(210, 297));
        ASSERT_EQ(preview.seen.size(), 1u);
        const Seen& seen = preview.seen[0];
        EXPECT_EQ(seen.dpiX, preview.printer.logicalDpiX());
        EXPECT_EQ(seen.dpiY, preview.printer.logicalDpiY());
        EXPECT_EQ(seen.width, preview.printer.width());
        EXPECT_EQ(seen.height, preview.printer.height());
        EXPECT_EQ(seen.width > seen.height, orientation == QPageLayout::Landscape);
        // The page's own bar is in the image: page 3 reaches further down
        // than page 1.
        const QImage first = preview.dialog->pageImage(1, QSize(210, 297));
        const int column = 2 + int(210.0 * preview.printer.pageRect(QPrinter::DevicePixel).left()
                                   / preview.printer.paperRect(QPrinter::DevicePixel).width());
        int blackInThird = 0, blackInFirst = 0;
        for (int y = 0; y < 297; ++y) {
            blackInThird += qGray(image.pixel(column, y)) < 64;
            blackInFirst += qGray(first.pixel(column, y)) < 64;
        }
        EXPECT_GT(blackInThird, blackInFirst);
        EXPECT_GT(blackInFirst, 0);
    }
}

} // namespace
