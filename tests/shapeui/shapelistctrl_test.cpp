#include "shapeui/shapelistctrl.h"

#include "core/model/modelrecord.h"
#include "core/model/modelrecordlib.h"
#include "core/model/recordcache.h"
#include "platform/recordingdc.h"
#include "core/model/steelmodeluserid.h"
#include "tests/shapeui/shapeview_screenshot.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace platform::gdi;
using platform::DcOp;

namespace {

std::unique_ptr<CVes_ModelRecord> barWithKey(int mainId, int recordNo)
{
    auto record = std::make_unique<CVes_ModelRecord>();
    record->AddLSide(100, 150, 1400, 150, 1, 0, RGB(255, 0, 0));
    record->m_id = CSteelRecordId(mainId, recordNo);
    return record;
}

// Replaces the user numbers of bar shapes (or of start styles).
void writeUserNumbers(std::initializer_list<std::pair<CSteelRecordId, const char*>> entries,
                      bool start = false)
{
    CVes_SteelModelUserIdLib ids;
    for (const auto& [key, number] : entries)
        ids.addRecord(key, QString::fromUtf8(number), 1);
    ASSERT_TRUE(start ? ids.writeStartFile(QString()) : ids.writeFile(QString()));
}

struct CaptionCase {
    const char* name;
    int startLib;
    const char* expected[3];
};

void PrintTo(const CaptionCase& c, std::ostream* os) { *os << c.name; }

class ShapeListCaptions : public ::testing::TestWithParam<CaptionCase> {};

} // namespace

// Bar shapes 1-007 has the number A1; start style 1-008 has 图1. The list
// reads the numbers of its own kind of record.
TEST_P(ShapeListCaptions, ShowTheKeyAndTheUserNumberWhereThereIsOne)
{
    writeUserNumbers({{CSteelRecordId(1, 7), "A1"}, {CSteelRecordId(3, 1), ""}});
    writeUserNumbers({{CSteelRecordId(1, 8), "图1"}}, true);
    CVes_ShapeListCtrl::OwnedRecordArray records;
    records.push_back(barWithKey(1, 7));
    records.push_back(barWithKey(1, 8));
    records.push_back(barWithKey(3, 1));

    CVes_ShapeListCtrl list;
    list.setStartLib(GetParam().startLib);
    list.setRecords(&records);
    ASSERT_EQ(list.GetItemCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.captions()[i], QString::fromUtf8(GetParam().expected[i])) << i;
        EXPECT_EQ(list.GetItemText(i), list.captions()[i]);
        EXPECT_EQ(list.getRecord(i), records[size_t(i)].get());
    }
    EXPECT_EQ(list.images().size(), 3);
    EXPECT_EQ(list.GetHotItem(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShapeListCaptions,
    ::testing::Values(CaptionCase{"BarShapes", 0, {"1-007(自定义：A1)", "1-008", "3-001(自定义：)"}},
                      CaptionCase{"StartStyles", 1, {"1-007", "1-008(自定义：图1)", "3-001"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShapeListCtrl, WithoutUserNumberFilesCaptionsAreTheKeys)
{
    CVes_ShapeListCtrl::OwnedRecordArray records;
    records.push_back(barWithKey(1, 7));
    records.push_back(barWithKey(201, 12));
    QFile::remove(CVes_SteelModelUserIdLib::steelFilePath());
    CVes_ShapeListCtrl list;
    list.setRecords(&records);
    EXPECT_EQ(list.captions(), QStringList({QStringLiteral("1-007"), QStringLiteral("201-012")}));
}

// The caption is the key; the tooltip says what the picture alone does not:
// the dimensions to type and the hooks the shape comes with.
TEST(ShapeListCtrl, EachShapeHasATipWithItsDimensionsAndHooks)
{
    CVes_ModelRecord* stirrup = getUseModelRecord(CSteelRecordId(192, 1));
    CVes_ModelRecord* straight = getUseModelRecord(CSteelRecordId(190, 1));
    ASSERT_TRUE(stirrup && straight);
    const CVes_ShapeListCtrl::RecordArray records{stirrup, straight};
    CVes_ShapeListCtrl list;
    list.setRecords(&records);
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.item(0)->toolTip(), QStringLiteral("192-001 箍筋\n尺寸：H、B\n弯钩：左 135°，右 135°"));
    EXPECT_EQ(list.item(1)->toolTip(), QStringLiteral("190-001\n尺寸：L\n弯钩：左 无，右 无"));
}

TEST(ShapeListCtrl, AnEmptyOrMissingArrayGivesAnEmptyListAndImageList)
{
    CVes_ShapeListCtrl::OwnedRecordArray records;
    records.push_back(barWithKey(1, 7));
    CVes_ShapeListCtrl list;
    list.setRecords(&records);
    ASSERT_EQ(list.GetItemCount(), 1);

    const CVes_ShapeListCtrl::RecordArray empty;
    list.setRecords(&empty);
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_TRUE(list.images().isEmpty());
    EXPECT_TRUE(list.bitmaps().empty());
    EXPECT_TRUE(list.captions().isEmpty());
    EXPECT_EQ(list.GetHotItem(), -1);

    list.setRecords(&records);
    list.setRecords(static_cast<const CVes_ShapeListCtrl::RecordArray*>(nullptr));
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_TRUE(list.images().isEmpty());
    EXPECT_EQ(list.getRecord(0), nullptr);
}

TEST(ShapeListCtrl, InsertMaskWithoutTextShowsPicturesOnly)
{
    CVes_ShapeListCtrl::OwnedRecordArray records;
    records.push_back(barWithKey(1, 7));
    CVes_ShapeListCtrl list;
    list.setInsertMask(CVes_ShapeListCtrl::LVIF_IMAGE | CVes_ShapeListCtrl::LVIF_PARAM);
    list.setRecords(&records);
    EXPECT_EQ(list.GetItemText(0), QString());
    EXPECT_EQ(list.captions()[0], QStringLiteral("1-007"));
    EXPECT_FALSE(list.item(0)->icon().isNull());
}

TEST(ShapeListCtrl, RendersAThumbnailAt130UnitsAnInchOnItsBackground)
{
    auto record = barWithKey(1, 7);
    CVes_ShapeListCtrl list;
    list.setThumbnailSize(150, 30);
    platform::RecordingDc dc;
    const platform::Bitmap bitmap = list.renderRecord(record.get(), &dc);
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(bitmap.size(), QSize(150, 30));

    // 150 × 30 pixels at 96 dpi are 203 × 41 units of 1/130 inch.
    const auto fills = dc.records(DcOp::FillSolidRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].dc, 1);
    EXPECT_EQ(fills[0].rect, platform::Rect(0, 0, 203, 41));
    EXPECT_EQ(fills[0].value, RGB(255, 255, 255));
    EXPECT_EQ(fills[0].state.windowExt, QSize(130, 130));
    EXPECT_EQ(fills[0].state.viewportExt, QSize(96, 96));
    EXPECT_EQ(fills[0].state.bkMode, TRANSPARENT);
    const auto segments = dc.segments();
    ASSERT_FALSE(segments.empty());
    for (const auto& segment : segments)
        EXPECT_EQ(segment.pen.color(), RGB(255, 0, 0));
    // The mapping is restored afterwards.
    EXPECT_EQ(dc.records().back().state.mapMode, MM_TEXT);

    EXPECT_TRUE(list.renderRecord(nullptr, &dc).isNull());
}

namespace {

struct LabelCase {
    const char* name;
    int showLabel;
    int outDim;
    int stirrup;
    const char* label; // null: none
};

void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.name; }

class ShapeListLabels : public ::testing::TestWithParam<LabelCase> {};

} // namespace

TEST_P(ShapeListLabels, MarkShapesDimensionedOnTheInside)
{
    const LabelCase& c = GetParam();
    auto record = barWithKey(1, 7);
    record->m_outDim = c.outDim;
    record->m_stirrup = c.stirrup;
    CVes_ShapeListCtrl list;
    list.setShowLabel(c.showLabel);
    platform::RecordingDc dc;
    list.renderRecord(record.get(), &dc);
    const auto texts = dc.records(DcOp::TextOut);
    if (!c.label) {
        EXPECT_TRUE(texts.empty());
        return;
    }
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, QString::fromUtf8(c.label));
    EXPECT_EQ(texts[0].points[0], QPoint(0, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShapeListLabels,
    ::testing::Values(LabelCase{"InnerStirrup", 1, 0, 1, "内皮尺寸(箍)"},
                      LabelCase{"InnerBar", 1, 0, 0, "内皮尺寸(纵)"},
                      LabelCase{"OuterDimensions", 1, 1, 1, nullptr},
                      LabelCase{"LabelFlagOff", 0, 0, 1, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShapeListCtrl, ThumbnailsOfLibraryShapesAreDrawnAndTheMaskColourIsTransparent)
{
    CVes_ModelRecord* record = getUseModelRecord(CSteelRecordId(191, 2));
    ASSERT_NE(record, nullptr);
    const CVes_ShapeListCtrl::RecordArray records{record};
    CVes_ShapeListCtrl list;
    list.setRecords(&records);
    ASSERT_EQ(list.bitmaps().size(), 1u);
    const QImage image = list.bitmaps()[0].image()->convertToFormat(QImage::Format_RGB32);
    // 150 by 30 pixels of the list, each as many device pixels as its screen has.
    ASSERT_EQ(list.bitmaps()[0].size(), QSize(150, 30));
    ASSERT_EQ(image.size(), QSize(150, 30) * list.devicePixelRatio());
    int red = 0;
    QPoint aRedPixel;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 0, 0)) {
                ++red;
                aRedPixel = QPoint(x, y);
            }
        }
    }
    EXPECT_GT(red, 20);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_FALSE(list.images()[0].hasAlpha());

    // On a yellow background the background drops out of the image list.
    list.setThumbnailBkColor(CVes_ShapeListCtrl::kMaskColour);
    list.setRecords(&records);
    const QImage masked = list.images()[0].toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(masked.pixel(0, 0)), 0);
    EXPECT_EQ(masked.pixel(aRedPixel), qRgba(255, 0, 0, 255));
}

TEST(ShapeListCtrl, SelectionAndHotItemFollowTheListControlCalls)
{
    CVes_ShapeListCtrl::OwnedRecordArray records;
    for (int i = 1; i <= 3; ++i)
        records.push_back(barWithKey(190, i));
    CVes_ShapeListCtrl list;
    list.setRecords(&records);
    EXPECT_EQ(list.nextSelectedItem(), -1);
    EXPECT_TRUE(list.SetItemState(2, CVes_ShapeListCtrl::LVIS_SELECTED, CVes_ShapeListCtrl::LVIS_SELECTED));
    EXPECT_TRUE(list.SetItemState(0, CVes_ShapeListCtrl::LVIS_SELECTED, CVes_ShapeListCtrl::LVIS_SELECTED));
    EXPECT_EQ(list.nextSelectedItem(), 0);
    EXPECT_EQ(list.nextSelectedItem(0), 2);
    EXPECT_EQ(list.GetItemState(1, CVes_ShapeListCtrl::LVIS_SELECTED), 0u);
    EXPECT_FALSE(list.SetItemState(3, CVes_ShapeListCtrl::LVIS_SELECTED, CVes_ShapeListCtrl::LVIS_SELECTED));
    // Showing the records again starts without a selection.
    list.setRecords(&records);
    EXPECT_EQ(list.nextSelectedItem(), -1);
    EXPECT_EQ(list.GetHotItem(), 0);
}

TEST(ShapeListCtrl, ScreenshotOfLibraryShapes)
{
    writeUserNumbers({{CSteelRecordId(191, 2), "L2"}});
    CVes_ShapeListCtrl::RecordArray records;
    for (const CSteelRecordId key : {CSteelRecordId(190, 1), CSteelRecordId(191, 1), CSteelRecordId(191, 2),
                                     CSteelRecordId(191, 5), CSteelRecordId(192, 1), CSteelRecordId(193, 1),
                                     CSteelRecordId(194, 1), CSteelRecordId(195, 1)})
        records.push_back(getUseModelRecord(key));
    CVes_ShapeListCtrl list;
    list.resize(520, 300);
    list.SetIconSpacing(170, 70);
    list.setRecords(&records);
    list.SetItemState(2, CVes_ShapeListCtrl::LVIS_SELECTED, CVes_ShapeListCtrl::LVIS_SELECTED);
    EXPECT_EQ(list.GetItemText(2), QStringLiteral("191-002(自定义：L2)"));
    test::saveScreenshot(list, "shapelist");
}
