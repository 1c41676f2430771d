// The raw-stock dialog: how records are shown, how each finished edit goes
// into the library (alone or downwards), the drop-down lists of grade and
// type, that OK keeps the edits and Cancel puts the library back, and the
// title and note of the dialog on the user's default raw stock.

#include "tables/quantity/ui/rawstockdlg.h"
#include "tables/quantity/yuancaitext.h"

#include "envora/steelyuancaidata.h"
#include "grid/gridcellcombo.h"
#include "grid/gridctrl.h"
#include "tests/support/recordinghost.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

CVes_SteelYuanCaiData record(int grade, float d, int type, int lengthMm, float price)
{
    CVes_SteelYuanCaiData r;
    r.grade = grade;
    r.DN = d;
    r.steelType = type;
    r.length = lengthMm;
    r.price = price;
    return r;
}

// What a row shows

struct ShownCase {
    const char* name;
    CVes_SteelYuanCaiData record;
    int column;
    const char* text;
};

class RawStockShown : public testing::TestWithParam<ShownCase> {};

TEST_P(RawStockShown, CellText)
{
    CVes_SteelYuanCaiDataLib lib;
    lib.append(GetParam().record);
    CVes_RawStockDlg dlg;
    dlg.m_pYuanCaiLib = &lib;
    ASSERT_TRUE(dlg.OnInitDialog());
    EXPECT_EQ(dlg.grid()->GetItemText(1, GetParam().column), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RawStockShown,
    testing::Values(
        ShownCase{"Number", record(1, 6, 0, 9000, 0), 0, "1"},
        ShownCase{"CoilOfGrade1", record(1, 6, 0, -1000, 0), 4, "-1 (盘圆)"},
        ShownCase{"CoilOfGrade3", record(3, 8, 0, -1000, 0), 4, "-1 (盘螺)"},
        ShownCase{"CoilOfGrade0", record(0, 8, 0, -1000, 0), 4, "-1 (盘螺)"},
        ShownCase{"CoilOfGrade4", record(4, 8, 0, -1000, 0), 4, "-1"},
        ShownCase{"StockInMetres", record(3, 20, 0, 9000, 0), 4, "9"},
        ShownCase{"StockFraction", record(3, 20, 0, 8500, 0), 4, "8.5"},
        ShownCase{"WholeDiameter", record(3, 12.0f, 0, 9000, 0), 2, "12"},
        ShownCase{"FractionDiameter", record(3, 12.5f, 0, 9000, 0), 2, "12.5"},
        ShownCase{"Price", record(3, 12, 0, 9000, 3850), 5, "3850"},
        ShownCase{"PriceFraction", record(3, 12, 0, 9000, 3850.5f), 5, "3850.5"},
        ShownCase{"GradeN", record(14, 6, 0, 9000, 0), 1, "N 冷轧扭钢筋"},
        ShownCase{"GradeNew3", record(32, 6, 0, 9000, 0), 1, "新3级钢(RRB400)"},
        ShownCase{"UnknownGrade", record(9, 6, 0, 9000, 0), 1, "未知钢筋"},
        ShownCase{"Epoxy", record(3, 6, 1, 9000, 0), 3, "环氧树脂涂层钢筋"},
        ShownCase{"UnknownType", record(3, 6, 4, 9000, 0), 3, "未知类型"}),
    [](const testing::TestParamInfo<ShownCase>& info) { return std::string(info.param.name); });

// Edits

class RawStockEdit : public testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 5; ++i)
            lib.append(record(3, float(12 + 2 * i), 0, 9000, 3000.0f + i));
        dlg.m_pYuanCaiLib = &lib;
        ASSERT_TRUE(dlg.OnInitDialog());
    }
    // Ends an edit of the cell with the text, as the grid does.
    void edit(int row, int column, const QString& text)
    {
        dlg.grid()->OnEndEditCell(row, column, text);
    }

    CVes_SteelYuanCaiDataLib lib;
    CVes_RawStockDlg dlg;
};

TEST_F(RawStockEdit, PriceGoesToItsRecordOrDownwards)
{
    edit(3, CVes_RawStockDlg::kColPrice, QStringLiteral("4100"));
    EXPECT_FLOAT_EQ(lib.at(2)->price, 4100.0f);
    EXPECT_FLOAT_EQ(lib.at(3)->price, 3003.0f);

    dlg.batchDownBox()->setChecked(true);
    EXPECT_EQ(dlg.m_bBatchDown, 1);
    edit(3, CVes_RawStockDlg::kColPrice, QStringLiteral("4200"));
    EXPECT_FLOAT_EQ(lib.at(1)->price, 3001.0f);
    for (int i = 2; i < 5; ++i)
        EXPECT_FLOAT_EQ(lib.at(i)->price, 4200.0f) << i;
    EXPECT_EQ(dlg.grid()->GetItemText(5, CVes_RawStockDlg::kColPrice), "4200");
}

struct EditCase {
    const char* name;
    int column;
    const char* text;
    CVes_SteelYuanCaiData expected;  // record 2 afterwards
};

class RawStockEditCase : public RawStockEdit, public testing::WithParamInterface<EditCase> {};

TEST_P(RawStockEditCase, TextIsReadIntoTheRecord)
{
    edit(2, GetParam().column, QString::fromUtf8(GetParam().text));
    EXPECT_EQ(*lib.at(1), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RawStockEditCase,
    testing::Values(
        EditCase{"GradeN", 1, "N冷轧扭钢筋", record(14, 14, 0, 9000, 3001)},
        EditCase{"GradeNew3", 1, "新3级钢(RRB400)", record(32, 14, 0, 9000, 3001)},
        EditCase{"Grade1", 1, "1级钢(HPB300)", record(1, 14, 0, 9000, 3001)},
        EditCase{"GradeL", 1, "L冷轧带肋钢筋", record(12, 14, 0, 9000, 3001)},
        EditCase{"GradeUnknownLeftAlone", 1, "钢筋", record(3, 14, 0, 9000, 3001)},
        EditCase{"Diameter", 2, "16.5", record(3, 16.5f, 0, 9000, 3001)},
        EditCase{"DiameterUnreadable", 2, "abc", record(3, 0, 0, 9000, 3001)},
        EditCase{"DiameterNotANumber", 2, "nan", record(3, 0, 0, 9000, 3001)},
        // Beyond what a list can save and open again, the diameter stays.
        EditCase{"DiameterLargest", 2, "1000", record(3, 1000, 0, 9000, 3001)},
        EditCase{"DiameterTooLarge", 2, "2000", record(3, 14, 0, 9000, 3001)},
        EditCase{"DiameterNegative", 2, "-6", record(3, 14, 0, 9000, 3001)},
        EditCase{"TypeEpoxy", 3, "环氧树脂涂层钢筋", record(3, 14, 1, 9000, 3001)},
        EditCase{"TypeUnknownLeftAlone", 3, "涂层", record(3, 14, 0, 9000, 3001)},
        EditCase{"LengthInMetres", 4, "12", record(3, 14, 0, 12000, 3001)},
        EditCase{"LengthCoil", 4, "-1", record(3, 14, 0, -1000, 3001)},
        EditCase{"LengthLeadingNumber", 4, "6m", record(3, 14, 0, 6000, 3001)},
        EditCase{"Price", 5, "3850.5", record(3, 14, 0, 9000, 3850.5f)}),
    [](const testing::TestParamInfo<EditCase>& info) { return std::string(info.param.name); });

TEST_F(RawStockEdit, ADiameterNoListCanHoldIsRefusedWithAMessageForEveryRecord)
{
    test::HostScope host;
    dlg.batchDownBox()->setChecked(true);
    edit(2, CVes_RawStockDlg::kColDiameter, QStringLiteral("1500"));
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().front().contains(QStringLiteral("钢筋直径值输入不正确")));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(lib.at(i)->DN, float(12 + 2 * i)) << i;
    EXPECT_EQ(dlg.grid()->GetItemText(2, CVes_RawStockDlg::kColDiameter), "14");
}

TEST_F(RawStockEdit, TypeTextBecomesEpoxyOnlyByItsChoice)
{
    lib.at(1)->steelType = 1;
    dlg.fillGrid();
    edit(2, CVes_RawStockDlg::kColType, QStringLiteral("普通钢筋"));
    EXPECT_EQ(lib.at(1)->steelType, 0);
    edit(2, CVes_RawStockDlg::kColType, QStringLiteral("普通"));
    EXPECT_EQ(lib.at(1)->steelType, 0);
}

TEST_F(RawStockEdit, GradeChoiceIsShownByItsName)
{
    edit(4, CVes_RawStockDlg::kColGrade, QStringLiteral("N冷轧扭钢筋"));
    EXPECT_EQ(lib.at(3)->grade, 14);
    EXPECT_EQ(dlg.grid()->GetItemText(4, CVes_RawStockDlg::kColGrade), "N 冷轧扭钢筋");
}

TEST_F(RawStockEdit, EditsOutsideTheRecordsChangeNothing)
{
    CVes_SteelYuanCaiDataLib before = lib;
    dlg.OnGridEndEdit(0, CVes_RawStockDlg::kColPrice);
    dlg.OnGridEndEdit(6, CVes_RawStockDlg::kColPrice);
    dlg.OnGridEndEdit(2, 0);
    EXPECT_EQ(lib, before);
}

TEST_F(RawStockEdit, GradeAndTypeCellsBecomeListsWhenSelected)
{
    dlg.OnGridClick(2, CVes_RawStockDlg::kColGrade);
    dlg.OnGridSelChanged(2, CVes_RawStockDlg::kColGrade);
    auto* grade = dynamic_cast<CGridCellCombo*>(dlg.grid()->GetCell(2, CVes_RawStockDlg::kColGrade));
    ASSERT_NE(grade, nullptr);
    EXPECT_EQ(grade->GetOptions(), yuancai::gradeOptions());
    EXPECT_EQ(grade->GetOptions().size(), 7);
    EXPECT_EQ(dlg.grid()->GetItemText(2, CVes_RawStockDlg::kColGrade), "3级钢(HRB400)");

    // The next selection turns the clicked cell back into a text cell.
    dlg.OnGridClick(2, CVes_RawStockDlg::kColType);
    dlg.OnGridSelChanged(2, CVes_RawStockDlg::kColType);
    auto* type = dynamic_cast<CGridCellCombo*>(dlg.grid()->GetCell(2, CVes_RawStockDlg::kColType));
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->GetOptions(), yuancai::typeOptions());
    dlg.OnGridClick(3, CVes_RawStockDlg::kColPrice);
    dlg.OnGridSelChanged(3, CVes_RawStockDlg::kColPrice);
    EXPECT_EQ(dynamic_cast<CGridCellCombo*>(dlg.grid()->GetCell(2, CVes_RawStockDlg::kColType)),
              nullptr);
    EXPECT_EQ(dlg.grid()->GetItemText(2, CVes_RawStockDlg::kColType), "普通钢筋");
}

// Closing

struct CloseCase {
    const char* button;
    QDialog::DialogCode result;
    float price; // of the record afterwards
};

class RawStockClose : public testing::TestWithParam<CloseCase> {};

// A price and, below it, the type of every record edited, then the dialog
// closed by its button: OK keeps the edits, Cancel leaves the stock as it was.
TEST_P(RawStockClose, ByItsButton)
{
    CVes_SteelYuanCaiDataLib lib;
    lib.append(record(3, 20, 0, 9000, 0));
    lib.append(record(3, 22, 0, 9000, 0));
    CVes_RawStockDlg dlg;
    dlg.m_pYuanCaiLib = &lib;
    QTimer::singleShot(0, &dlg, [&] {
        ASSERT_NE(dlg.grid(), nullptr);
        dlg.grid()->OnEndEditCell(1, CVes_RawStockDlg::kColPrice, QStringLiteral("3900"));
        dlg.batchDownBox()->setChecked(true);
        dlg.grid()->OnEndEditCell(1, CVes_RawStockDlg::kColType, QStringLiteral("环氧树脂涂层钢筋"));
        for (QPushButton* button : dlg.findChildren<QPushButton*>())
            if (button->text() == QString::fromUtf8(GetParam().button))
                QTest::mouseClick(button, Qt::LeftButton);
    });
    EXPECT_EQ(dlg.exec(), GetParam().result);
    ASSERT_EQ(lib.count(), 2);
    EXPECT_FLOAT_EQ(lib.at(0)->price, GetParam().price);
    const int type = GetParam().result == QDialog::Accepted ? 1 : 0;
    EXPECT_EQ(lib.at(0)->steelType, type);
    EXPECT_EQ(lib.at(1)->steelType, type);
}

INSTANTIATE_TEST_SUITE_P(Buttons, RawStockClose,
                         testing::Values(CloseCase{"确定", QDialog::Accepted, 3900.0f},
                                         CloseCase{"取消", QDialog::Rejected, 0.0f}));

TEST(RawStockDlg, TheDefaultStockSaysWhatItSetsAndForWhich)
{
    CVes_SteelYuanCaiDataLib lib;
    lib.append(record(3, 20, 0, 9000, 4000));
    QString title;
    QString note;
    QWidget parent;
    QTimer::singleShot(0, [&] {
        auto* dlg = parent.findChild<CVes_RawStockDlg*>();
        ASSERT_NE(dlg, nullptr);
        title = dlg->windowTitle();
        note = dlg->noteLabel()->isVisible() ? dlg->noteLabel()->text() : QString();
        dlg->reject();
    });
    EXPECT_FALSE(CVes_RawStockDlg::editDefaultStock(lib, &parent));
    EXPECT_EQ(title, "默认钢筋原材库管理");
    EXPECT_TRUE(note.contains(QStringLiteral("用于新建的表格"))) << note.toStdString();
    EXPECT_TRUE(note.contains(QStringLiteral("钢筋原材设置")));
}

TEST(RawStockDlg, WithoutLibraryThereIsNoGrid)
{
    CVes_RawStockDlg dlg;
    EXPECT_FALSE(dlg.OnInitDialog());
    QTimer::singleShot(0, &dlg, [&] { dlg.accept(); });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.grid(), nullptr);
    EXPECT_EQ(dlg.windowTitle(), "表格内原材设置");
}

} // namespace
