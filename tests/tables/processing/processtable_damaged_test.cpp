// Processing-sheet files one byte away from a sound one (an element, a
// shaped bar and a bar of an entered 5200 mm, at zoom 1.5): a zoom that is
// no number is damage and the file is refused, leaving the open sheet as it
// was; a huge zoom is held to the largest page zoom and a huge stored
// length is shown as the largest whole number, and both sheets, their
// processing summaries and their tags are paged and drawn.

#include "tests/tables/processing/processing_support.h"

#include "platform/recordingdc.h"
#include "tables/processing/liaopaitable.h"
#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct FixtureCase {
    const char* file;
    bool read;
    double zoom;             // once read
    const char* lengthText;  // the entered bar's length in the processing summary
};

void PrintTo(const FixtureCase& c, std::ostream* os) { *os << c.file; }

QStringList drawnTexts(CVes_TableBase& table, bool printing)
{
    platform::RecordingDc::Device device;
    device.printing = printing;
    platform::RecordingDc dc(device);
    table.Draw(&dc, platform::Rect(0, 0, 1200, 850));
    return dc.texts();
}

// Every page on the screen and the first on paper.
QStringList drawEveryPage(CVes_TableBase& table)
{
    QStringList texts;
    table.firstPage();
    texts += drawnTexts(table, true);
    for (int page = 1; page <= table.getPages(); ++page) {
        table.setPageTo(page, 1);
        texts += drawnTexts(table, false);
    }
    return texts;
}

class ProcessingFixture : public ::testing::TestWithParam<FixtureCase> {
protected:
    test::ProcessingShapes m_shapes;
};

TEST_P(ProcessingFixture, IsReadAndDrawnOrRefusedWithoutChangingTheSheet)
{
    const FixtureCase& c = GetParam();
    CVes_ProcessTable sheet;
    sheet.appendLine(test::headingRow(test::EditLine::kEleRow, QStringLiteral("KEEP")));
    sheet.setScale(0.75);
    const QString path = QStringLiteral(RODO_FIXTURES_DIR "/") + QString::fromUtf8(c.file);
    ASSERT_EQ(sheet.OpenFile(path), c.read ? 1 : 0);
    if (!c.read) {
        EXPECT_EQ(test::lineTexts(sheet), (std::vector<std::string>{"E:KEEP"}));
        EXPECT_EQ(sheet.getScale(), 0.75);
        return;
    }
    EXPECT_EQ(sheet.getScale(), c.zoom);
    EXPECT_EQ(test::lineTexts(sheet), (std::vector<std::string>{"E:KL1", "1x4", "2x6"}));
    const QStringList sheetTexts = drawEveryPage(sheet);
    EXPECT_FALSE(sheetTexts.isEmpty());

    std::unique_ptr<CVes_ProcessListTable> summary(sheet.toListSheet(nullptr));
    summary->setScale(sheet.getScale());
    const QStringList summaryTexts = drawEveryPage(*summary);
    EXPECT_TRUE(summaryTexts.contains(QString::fromUtf8(c.lengthText)))
        << summaryTexts.join(u'|').toStdString();

    CVes_LiaoPaiTable tags;
    sheet.toLiaoPaiTable(&tags);
    drawEveryPage(tags);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, ProcessingFixture,
    ::testing::Values(FixtureCase{"processing_small.jgd", true, 1.5, "5200"},
                      FixtureCase{"processing_zoom_huge.jgd", true, CVes_TableBase::kMaxPageZoom, "5200"},
                      // A typed length beyond what the cell takes is damage.
                      FixtureCase{"processing_length_huge.jgd", false, 0.0, ""},
                      FixtureCase{"processing_zoom_nan.jgd", false, 0.0, ""}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

} // namespace
