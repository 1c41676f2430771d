#include "tables/framework/tablecontents.h"

#include "tabledraw_support.h"

#include "core/geometry/text.h"
#include "platform/painterdc.h"
#include "tables/framework/form.h"
#include "tables/framework/tabletextline.h"

#include <QImage>

#include <gtest/gtest.h>

using platform::DcOp;
using platform::DcRecord;
using platform::Rect;
using namespace platform::gdi;

namespace {

// Contents of `entries` rows: "第n构件" on page n + 2.
void fill(CVes_TableContents& contents, int entries)
{
    for (int i = 1; i <= entries; ++i) {
        contents.appendLine(new CVes_TableTextLine(
            {QStringLiteral("第%1构件").arg(i), QString::number(i + 2)}));
    }
}

TEST(TableContents, NewContentsHasItsFixedLayout)
{
    CVes_TableContents contents;
    EXPECT_EQ(contents.m_orientation, CVes_Template::kPortrait);
    EXPECT_EQ(contents.m_topMargin, 15);
    EXPECT_EQ(contents.m_bottomMargin, 15);
    EXPECT_EQ(contents.m_leftMargin, 25);
    EXPECT_EQ(contents.m_rightMargin, 25);
    EXPECT_EQ(contents.m_rowHeight, 10);
    EXPECT_EQ(contents.m_tableTextHeight, 5);
    EXPECT_EQ(contents.m_reservedHeight, 12);
    EXPECT_EQ(contents.getRowNum(), 25);
    EXPECT_EQ(contents.m_rowMode, 1);
    EXPECT_EQ(contents.getColumnNum(), 2);
    EXPECT_EQ(contents.m_widths, (QList<int>{90, 10}));
    EXPECT_EQ(contents.m_captions, (QStringList{QString(), QString()}));
    EXPECT_EQ(contents.m_units, (QList<int>{-1, -1}));
    EXPECT_EQ(contents.m_pageNumberStyle, 1);
    const CVes_Variable& title = contents.m_texts[0];
    EXPECT_EQ(title.m_text, QStringLiteral("表单标题"));
    EXPECT_EQ(title.m_formula, QStringLiteral("目  录"));
    EXPECT_EQ(title.m_height, 90);
    EXPECT_EQ(title.m_align, 6u);
    EXPECT_EQ(title.m_position.ToPoint(), QPoint(210 * 5, 150));
    EXPECT_EQ(contents.m_textHeights, (std::array<int, 8>{90, 40, 40, 40, 40, 30, 30, 30}));
    EXPECT_NE(contents.getForm(), nullptr);
    EXPECT_EQ(contents.m_texts[1].m_fontName, QStringLiteral("宋体"));

    const std::unique_ptr<CVes_TableBase> made = CVes_TableContents::CreateObject();
    EXPECT_NE(dynamic_cast<CVes_TableContents*>(made.get()), nullptr);
    EXPECT_NE(dynamic_cast<CVes_TableContents*>(contents.createEmpty().get()), nullptr);
}

// Printed page 2 of 30 entries: A4 portrait, margins 15/15/25/25 mm, so the
// usable width is 1600 and the page centre x 1050 (990 printed).
TEST(TableContents, SecondPageListsItsEntriesWithoutRules)
{
    CVes_TableContents contents;
    fill(contents, 30);
    contents.setPageTo(2, 1);
    ASSERT_EQ(contents.pageLines().size(), 5);
    platform::RecordingDc dc = test::printerDc();
    contents.Draw(&dc, Rect(1, 1, 100, 100));

    // Title centred above the list, page number "- 2 -" at the bottom centre.
    const QStringList texts = dc.texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("目  录")));
    EXPECT_EQ(contents.m_texts[0].m_position.ToPoint(), QPoint(1050 - 60, 150 + 90 - 50));
    const DcRecord* number = test::textRecord(dc.records(), QStringLiteral("- 2 -"));
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->points.at(0), QPoint(1050 - 60, 2970 - 150 - 50 + 15));

    // Entries in 黑体 on the left, page numbers on the right; nothing else.
    const CVes_Form* form = contents.getForm();
    ASSERT_EQ(form->GetRowCount(), 1 + 5 + 20);
    for (int k = 1; k <= 5; ++k) {
        const CVes_Cell* entry = form->GetCell(k, 0);
        const CVes_Cell* page = form->GetCell(k, 1);
        EXPECT_EQ(entry->text(), QStringLiteral("第%1构件").arg(25 + k));
        EXPECT_EQ(entry->fontName(), QStringLiteral("黑体"));
        EXPECT_EQ(entry->textAlign(), CVes_Cell::kAlignLeft);
        EXPECT_EQ(entry->getTxtHigh(), 50);
        EXPECT_EQ(page->text(), QString::number(25 + k + 2));
        EXPECT_EQ(page->fontName(), QString());
        EXPECT_EQ(page->textAlign(), CVes_Cell::kAlignRight);
        EXPECT_EQ(page->getTxtHigh(), 50);
        EXPECT_EQ(entry->drawsBorder(), 0);
    }
    for (int k = 6; k < form->GetRowCount(); ++k)
        EXPECT_EQ(form->GetCell(k, 0)->text(), QString()) << k;

    // No border, no rules, no caption background: nothing but texts.
    EXPECT_EQ(form->getBorder(), 0);
    EXPECT_EQ(dc.count(DcOp::LineTo), 0);
    EXPECT_EQ(dc.count(DcOp::FillSolidRect), 0);
    // The title, ten cell texts, the page number and the print tag.
    EXPECT_EQ(texts.size(), 1 + 10 + 1 + 1) << texts.join(u'|').toStdString();
    const DcRecord* entry = test::textRecord(dc.records(), QStringLiteral("第26构件"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->font.logFont().lfFaceName, QStringLiteral("黑体"));
    EXPECT_EQ(entry->state.textAlign & (TA_RIGHT | TA_CENTER), unsigned(TA_LEFT));
    const DcRecord* page = test::textRecord(dc.records(), QStringLiteral("28"));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->state.textAlign & (TA_RIGHT | TA_CENTER), unsigned(TA_RIGHT));
}

TEST(TableContents, RowsOfPageOneSitUnderTheCaptionRowInOrder)
{
    CVes_TableContents contents;
    fill(contents, 3);
    contents.firstPage();
    platform::RecordingDc dc;
    contents.Draw(&dc, Rect(0, 0, 800, 1000));
    const CVes_Form* form = contents.getForm();
    EXPECT_EQ(form->GetCell(0, 0)->text(), QString());
    EXPECT_EQ(form->GetCell(0, 0)->drawsBackground(), 0);
    EXPECT_EQ(form->GetCell(1, 0)->text(), QStringLiteral("第1构件"));
    EXPECT_EQ(form->GetCell(3, 1)->text(), QStringLiteral("5"));
    EXPECT_EQ(form->GetCell(1, 0)->getTxtHigh(), int(50 * contents.m_drawScale));
    const QStringList texts = dc.texts();
    EXPECT_LT(texts.indexOf(QStringLiteral("第1构件")), texts.indexOf(QStringLiteral("第2构件")));
    EXPECT_TRUE(texts.contains(QStringLiteral("- 1 -")));
}

TEST(TableContents, CoverPageShowsNoList)
{
    CVes_TableContents contents;
    fill(contents, 3);
    contents.setPageTo(0, 1);
    platform::RecordingDc dc = test::printerDc();
    contents.Draw(&dc, Rect(1, 1, 100, 100));
    EXPECT_TRUE(dc.texts().isEmpty()) << dc.texts().join(u'|').toStdString();
}

TEST(TableContents, PageOnAnImage)
{
    CVes_TableContents contents;
    fill(contents, 12);
    contents.firstPage();
    QImage image(800, 1000, QImage::Format_RGB32);
    {
        platform::PainterDc dc(&image);
        contents.Draw(&dc, Rect(0, 0, 800, 1000));
    }
    if (const QByteArray out = qgetenv("RODO_CONTENTS_PNG"); !out.isEmpty())
        image.save(QString::fromLocal8Bit(out));
    // Something dark is written inside the first entry's cell.
    const Rect cell = contents.getForm()->GetCellRect(1, 0);
    int dark = 0;
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.left; x < cell.right; ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 10);
}

} // namespace
