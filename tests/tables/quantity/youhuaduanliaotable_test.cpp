// The optimised cutting list: its rows of patterns and of texts as drawn on a
// page, the slots of the piece grid, and the size-choice dialog.

#include "tables/quantity/ui/cutoptimizesizedlg.h"
#include "tables/quantity/youhuaduanliaotable.h"

#include "envora/ui/steeldncombox.h"
#include "envora/ui/steelgradecombox.h"
#include "platform/recordingdc.h"
#include "tables/framework/form.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

using platform::Rect;

namespace {

CVes_OptimizeCombine pattern(int stockLength, int useCount, std::vector<CVes_OptimizeUnit> pieces)
{
    CVes_OptimizeCombine p;
    p.stock.DN = 20.0f;
    p.stock.grade = 2;
    p.stock.length = stockLength;
    p.stock.number = 1;
    p.useCount = useCount;
    p.pieces = std::move(pieces);
    return p;
}

class CuttingListTable : public testing::Test {
protected:
    void draw(bool printing = false)
    {
        sheet.firstPage();
        platform::RecordingDc::Device device;
        device.printing = printing;
        platform::RecordingDc dc(device);
        sheet.Draw(&dc, Rect(0, 0, 1600, 1100));
        records = dc.records();
    }
    QString text(int row, int column) const
    {
        return sheet.getForm()->GetCell(row, column)->text();
    }

    CVes_YouhuaDuanLiaoTable sheet;
    std::vector<platform::DcRecord> records;
};

TEST_F(CuttingListTable, NewListHasItsLayout)
{
    EXPECT_EQ(sheet.m_texts[0].m_formula, "优化断料单");
    EXPECT_EQ(sheet.m_widths, (QList<int>{7, 10, 7, 7, 7, 36, 9, 10, 7}));
    EXPECT_EQ(sheet.m_captions.value(5), "断料组合方式\n长度(m)×根数\n(加工序号)");
    EXPECT_EQ(sheet.m_texts[CVes_YouhuaDuanLiaoTable::kNoteText].m_text, "加工说明");
    EXPECT_EQ(sheet.m_topMargin, 18);
    EXPECT_EQ(sheet.m_tableTextHeight, 5);
    EXPECT_EQ(sheet.getRowNum(), 18);
    EXPECT_EQ(sheet.getTableType(), 0u);
    EXPECT_NE(dynamic_cast<CVes_YouhuaDuanLiaoTable*>(
                  CVes_YouhuaDuanLiaoTable::CreateObject().get()),
              nullptr);
}

TEST_F(CuttingListTable, PatternRowShowsStockPiecesAndRemainder)
{
    // 9 m stock, 4 bars cut into 3 × 2.5 m (row 7) and 1 × 1.2 m bent (row 8).
    sheet.Add(pattern(9000, 4, {{2500, 3, 0, 7}, {1200, 1, 1, 8}}));
    EXPECT_EQ(sheet.isModified(), 1);
    EXPECT_EQ(sheet.lines().front()->isNull(), 0);
    draw();
    EXPECT_EQ(text(1, 0), "1");
    EXPECT_EQ(text(1, 1), "1");
    EXPECT_EQ(text(1, 2), "%%B20");
    EXPECT_EQ(text(1, 3), "9");
    EXPECT_EQ(text(1, 4), "4");
    EXPECT_EQ(text(1, 5), "") << "the pieces have a grid of their own";
    EXPECT_EQ(text(1, 6), "8.7");
    EXPECT_EQ(text(1, 7), "0.3×4");
}

TEST_F(CuttingListTable, TextRowLeavesStockNumberAndPiecesEmpty)
{
    sheet.Add(pattern(12000, 1, {{6000, 2, 0, 1}}));
    sheet.Add(QStringList{"合计", "X1", "%%B20", "12", "1", "X5", "12", "0", "备", "-"});
    sheet.Add(pattern(12000, 2, {{4000, 3, 0, 2}}));
    draw();
    EXPECT_EQ(text(2, 0), "合计");
    EXPECT_EQ(text(2, 1), "");
    EXPECT_EQ(text(2, 5), "");
    EXPECT_EQ(text(2, 3), "12");
    EXPECT_EQ(text(2, 8), "备");
    // Patterns are numbered by themselves.
    EXPECT_EQ(text(3, 0), "2");
}

// A piece left out names itself as the patterns do and says why over the
// used length, remainder and remark, in one cell.
TEST_F(CuttingListTable, LeftOutRowSaysWhyOverTheLastColumns)
{
    sheet.Add(pattern(12000, 1, {{6000, 2, 0, 1}}));
    sheet.AddLeftOut("%%B20", "12", CVes_OptimizeUnit(13500, 4, 1, 5), "长于原材，无法下料");
    sheet.Add(pattern(12000, 1, {{4000, 3, 0, 2}}));
    draw(true);
    EXPECT_EQ(text(2, 0), "未下料");
    EXPECT_EQ(text(2, 2), "%%B20");
    EXPECT_EQ(text(2, 3), "12");
    EXPECT_EQ(text(2, 5), "") << "the piece has the pattern's grid";
    EXPECT_EQ(text(2, 6), "长于原材，无法下料");
    const CVes_Form& form = *sheet.getForm();
    EXPECT_EQ(form.GetDrawnCellRect(2, 6).right, form.GetCellRect(2, 8).right)
        << "the reason spans to the remark";
    EXPECT_EQ(form.GetDrawnCellRect(2, 0).right, form.GetCellRect(2, 1).right)
        << "the caption spans the stock number";
    EXPECT_EQ(text(3, 0), "2") << "left-out rows take no pattern number";
    for (const char* shown : {"长于原材，无法下料", "13.5×4", "(5√)"}) {
        const bool printed = std::any_of(records.begin(), records.end(), [&](const auto& record) {
            return record.text == QString::fromUtf8(shown);
        });
        EXPECT_TRUE(printed) << shown;
    }
}

TEST_F(CuttingListTable, EmptyRowIsLeftUntouched)
{
    sheet.Add(pattern(12000, 1, {{6000, 2, 0, 1}}));
    sheet.lines().front()->setNull(1);
    draw();
    for (int c = 0; c < CVes_YouhuaDuanLiaoTable::kColumnCount; ++c)
        EXPECT_EQ(text(1, c), "") << c;
}

TEST_F(CuttingListTable, PrintedTextHeightIgnoresTheScreenZoom)
{
    sheet.Add(pattern(12000, 1, {{6000, 2, 0, 1}}));
    sheet.setScale(3.0);
    draw(true);
    EXPECT_EQ(sheet.getForm()->GetCell(1, 0)->getTxtHigh(), 50);
}

struct SlotCase {
    const char* name;
    int pieces;
    int slots;
};

class PieceSlots : public testing::TestWithParam<SlotCase> {};

// Each piece text is centred in its slot of the cell's width.
TEST_P(PieceSlots, PiecesFillEqualSlotsFromTheLeft)
{
    const SlotCase& c = GetParam();
    QStringList texts;
    for (int i = 0; i < c.pieces; ++i)
        texts << QStringLiteral("P%1").arg(i);
    platform::RecordingDc dc;
    const Rect box(100, 50, 100 + 120 * c.slots, 90);
    CVes_YouhuaDuanLiaoTable::drawPieces(&dc, box, texts, 20, 1.0);
    const int slot = box.Width() / c.slots;
    int found = 0;
    for (const platform::DcRecord& record : dc.records()) {
        if (!record.text.startsWith(u'P'))
            continue;
        const int i = record.text.mid(1).toInt();
        const int x = record.op == platform::DcOp::DrawText ? record.rect.CenterPoint().x()
                                                             : record.points.front().x();
        EXPECT_GE(x, box.left + i * slot) << record.text.toStdString();
        EXPECT_LE(x, box.left + (i + 1) * slot) << record.text.toStdString();
        ++found;
    }
    EXPECT_EQ(found, c.pieces);
}

INSTANTIATE_TEST_SUITE_P(Cases, PieceSlots,
                         testing::Values(SlotCase{"ThreeInFour", 3, 4}, SlotCase{"OneInFour", 1, 4},
                                         SlotCase{"SixInSix", 6, 6}),
                         [](const testing::TestParamInfo<SlotCase>& info) {
                             return std::string(info.param.name);
                         });

// The size choice

TEST(CutOptimizeSpecDlg, DefaultsAreGrade2Diameter20AndOkReadsTheBoxes)
{
    CCutOptimizeSpecDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "选择要优化断料的钢筋规格");
    EXPECT_FLOAT_EQ(dlg.m_fDN, 20.0f);
    EXPECT_EQ(dlg.m_nGrade, 2);
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_FLOAT_EQ(float(dlg.diameterBox()->value().value_or(0)), 20.0f);
        EXPECT_EQ(int(dlg.gradeBox()->value().value_or(0)), 2);
        int grade = 3;
        DDX_SteelGrade(dlg.gradeBox(), grade, false);
        float d = 25.0f;
        DDX_SteelDN(dlg.diameterBox(), d, false);
        dlg.accept();
    });
    // Closed above, or after a failed check by the second timer.
    QTimer::singleShot(2000, &dlg, [&] { dlg.reject(); });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_nGrade, 3);
    EXPECT_FLOAT_EQ(dlg.m_fDN, 25.0f);
}

TEST(CutOptimizeSpecDlg, CancelKeepsTheValues)
{
    CCutOptimizeSpecDlg dlg;
    dlg.m_nGrade = 3;
    QTimer::singleShot(0, &dlg, [&] {
        int grade = 1;
        DDX_SteelGrade(dlg.gradeBox(), grade, false);
        dlg.reject();
    });
    EXPECT_EQ(dlg.exec(), QDialog::Rejected);
    EXPECT_EQ(dlg.m_nGrade, 3);
}

} // namespace
