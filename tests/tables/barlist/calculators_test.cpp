// The stirrup calculators: the beam's spans with densified ends, the
// concealed column's lap zones, and the bar list writing their counts and
// spacings back into the selected bar as one undo step.

#include "tables/barlist/ui/beamhoopcountdlg.h"
#include "tables/barlist/ui/columnhoopcountdlg.h"
#include "tables/barlist/ui/columnhoopdlg.h"
#include "tables/barlist/ui/hoopdiagrams.h"
#include "tables/barlist/ui/hooptabledlg.h"
#include "tables/barlist/ui/midconnecteditdlg.h"

#include "tests/support/modal.h"
#include "tests/support/recordinghost.h"
#include "tests/tables/barlist/barview_support.h"

#include "envora/ui/steeldncombox.h"
#include "grid/gridctrl.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <ostream>

namespace {

// Beam

struct DensifiedCase {
    int beamHeight;
    int factorIndex;
    int unitMode;
    int expected;
};

class BeamDensifiedLength : public ::testing::TestWithParam<DensifiedCase> {};

TEST_P(BeamDensifiedLength, FromHeightAndFactor)
{
    const DensifiedCase& c = GetParam();
    EXPECT_EQ(beamHoopDensifiedLength(c.beamHeight, c.factorIndex, c.unitMode), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Values, BeamDensifiedLength,
                         ::testing::Values(DensifiedCase{400, 1, BeamHoopUnitMm, 600},
                                           DensifiedCase{400, 2, BeamHoopUnitMm, 800},
                                           DensifiedCase{200, 1, BeamHoopUnitMm, 500},
                                           DensifiedCase{400, 0, BeamHoopUnitMm, 0},
                                           DensifiedCase{30, 1, BeamHoopUnitCm, 50},
                                           DensifiedCase{60, 2, BeamHoopUnitCm, 120}));

struct SpanCase {
    const char* name;
    BeamHoopSpan span;
    int densifiedLength;
    int zones;
    int factorIndex;
    BeamHoopSpanCount expected;
    int fittedLength;
};

std::ostream& operator<<(std::ostream& os, const SpanCase& c)
{
    return os << c.name;
}

class BeamSpan : public ::testing::TestWithParam<SpanCase> {};

TEST_P(BeamSpan, Counts)
{
    const SpanCase& c = GetParam();
    int length = c.densifiedLength;
    EXPECT_EQ(beamHoopSpanCount(c.span, length, c.zones, c.factorIndex, 5, BeamHoopUnitMm),
              c.expected);
    EXPECT_EQ(length, c.fittedLength);
}

INSTANTIATE_TEST_SUITE_P(
    Spans, BeamSpan,
    ::testing::Values(
        // q = 7.5 → 8.5, m = 8: 9 a zone, Z = 850, 4300 / 200 + 0.5 - 1 = 21.
        SpanCase{"both_ends", {1, 6000, 100, 200, 0}, 800, BeamHoopBothEnds, 1, {18, 21, 39}, 800},
        SpanCase{"no_zones_same_spacing", {1, 6000, 200, 200, 0}, 800, BeamHoopBothEnds, 1,
                 {0, 31, 31}, 800},
        SpanCase{"factor_zero", {1, 6000, 100, 200, 0}, 0, BeamHoopBothEnds, 0, {0, 31, 31}, 0},
        SpanCase{"one_end", {1, 6000, 100, 200, 0}, 800, BeamHoopOneEnd, 1, {9, 25, 34}, 800},
        SpanCase{"three_spans_with_extras", {3, 6000, 100, 200, 2}, 800, BeamHoopBothEnds, 1,
                 {18, 21, 123}, 800},
        SpanCase{"short_span_fits_the_zones", {1, 1200, 100, 200, 0}, 800, BeamHoopBothEnds, 1,
                 {14, 0, 14}, 600},
        SpanCase{"no_span_only_extras", {2, 0, 100, 200, 3}, 800, BeamHoopBothEnds, 1, {0, 0, 6},
                 800}),
    [](const auto& info) { return std::string(info.param.name); });

class BeamDialog : public ::testing::Test {
protected:
    void SetUp() override { CVes_BeamHoopCountDlg::remembered() = {}; }
    void TearDown() override { CVes_BeamHoopCountDlg::remembered() = {}; }
    test::EditHabits habits;
};

TEST_F(BeamDialog, OpensWithOneSpanAndTheRememberedSpacings)
{
    CVes_BeamHoopCountDlg::remembered().denseSpacing = 120;
    CVes_BeamHoopCountDlg dlg;
    CGridCtrl* grid = dlg.grid();
    ASSERT_EQ(grid->GetRowCount(), 2);
    EXPECT_EQ(grid->GetItemText(0, 1), QStringLiteral("单跨净长\nmm"));
    EXPECT_EQ(grid->GetItemText(1, 0), QStringLiteral("1"));
    EXPECT_EQ(grid->GetItemText(1, 2), QStringLiteral("120"));
    EXPECT_EQ(dlg.densifiedLength(), 600);
    EXPECT_EQ(dlg.roundDigitEdit()->text(), QStringLiteral("5"));
    EXPECT_EQ(dlg.dropDigitEdit()->text(), QStringLiteral("4"));
}

TEST_F(BeamDialog, ASpanOfSixMetresGivesThirtyNine)
{
    CVes_BeamHoopCountDlg dlg;
    dlg.factorCombo()->setCurrentIndex(2); // 2 hb = 800
    EXPECT_EQ(dlg.densifiedLength(), 800);
    dlg.grid()->OnEndEditCell(1, CVes_BeamHoopCountDlg::kColLength, QStringLiteral("6000"));
    EXPECT_EQ(dlg.totalEdit()->text(), QStringLiteral("39"));
    EXPECT_EQ(dlg.grid()->GetItemText(1, CVes_BeamHoopCountDlg::kColDenseCount), QStringLiteral("18"));
    EXPECT_EQ(dlg.grid()->GetItemText(1, CVes_BeamHoopCountDlg::kColNormalCount), QStringLiteral("21"));

    // A second span row copies the spacings of the last; the total adds up.
    dlg.addSpan();
    ASSERT_EQ(dlg.grid()->GetRowCount(), 3);
    EXPECT_EQ(dlg.grid()->GetItemText(2, CVes_BeamHoopCountDlg::kColDense), QStringLiteral("100"));
    dlg.grid()->OnEndEditCell(2, CVes_BeamHoopCountDlg::kColLength, QStringLiteral("6000"));
    EXPECT_EQ(dlg.totalEdit()->text(), QStringLiteral("78"));
    dlg.grid()->SetFocusCell(2, 1);
    dlg.deleteSpan();
    EXPECT_EQ(dlg.totalEdit()->text(), QStringLiteral("39"));
}

TEST_F(BeamDialog, CentimetresTurnTheRememberedHeight)
{
    CVes_BeamHoopCountDlg dlg;
    dlg.setUnitMode(BeamHoopUnitCm);
    EXPECT_EQ(dlg.beamHeightCombo()->currentText(), QStringLiteral("40"));
    EXPECT_EQ(dlg.minimumLabel()->text(), QStringLiteral("(且≥50cm)"));
    EXPECT_EQ(dlg.densifiedLength(), 60);
    EXPECT_EQ(dlg.grid()->GetItemText(0, 2), QStringLiteral("加密区\n间距cm"));
}

// The span table's captions read whole, line by line, in the font the
// dialog is shown with: the desktop's, and one as large as scale 2 gives.
class BeamCaptions : public BeamDialog, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        BeamDialog::SetUp();
        QFont font = saved;
        font.setPixelSize(GetParam());
        QApplication::setFont(font);
    }
    void TearDown() override
    {
        QApplication::setFont(saved);
        BeamDialog::TearDown();
    }
    const QFont saved = QApplication::font();
};

TEST_P(BeamCaptions, ReadWholeInEveryUnit)
{
    for (const int unit : {BeamHoopUnitMm, BeamHoopUnitCm, BeamHoopUnitM}) {
        CVes_BeamHoopCountDlg dlg;
        dlg.setUnitMode(unit);
        CGridCtrl* grid = dlg.grid();
        const QFontMetrics metrics(QApplication::font());
        for (int c = 0; c < grid->GetColumnCount(); ++c) {
            const QStringList lines = grid->GetItemText(0, c).split(u'\n');
            ASSERT_EQ(lines.size(), 2) << c;
            for (const QString& line : lines)
                EXPECT_LT(metrics.horizontalAdvance(line), grid->GetColumnWidth(c))
                    << line.toStdString() << " at " << GetParam() << " px";
            EXPECT_GE(grid->GetRowHeight(0), 2 * metrics.height()) << c;
            // Drawn as the lines they are, not cut to the first.
            EXPECT_FALSE(grid->GetCell(0, c)->GetFormat() & platform::gdi::DT_SINGLELINE) << c;
        }
        // Every column is in view: the table is as wide as its columns.
        EXPECT_GE(grid->minimumWidth(), grid->GetTotalWidth());
    }
}

INSTANTIATE_TEST_SUITE_P(FontSizes, BeamCaptions, ::testing::Values(12, 24));

TEST_F(BeamDialog, OkGivesTheTotalAsShown)
{
    CVes_BeamHoopCountDlg dlg;
    dlg.totalEdit()->setText(QStringLiteral("44"));
    dlg.accept();
    EXPECT_EQ(dlg.total(), 44);
}

// Concealed column

struct WallCase {
    const char* name;
    WallHoopInput input;
    WallHoopResult expected;
};

std::ostream& operator<<(std::ostream& os, const WallCase& c)
{
    return os << c.name;
}

class WallHoop : public ::testing::TestWithParam<WallCase> {};

TEST_P(WallHoop, Counts)
{
    EXPECT_EQ(wallHoopCount(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Storeys, WallHoop,
    ::testing::Values(
        // int(2900 / 200 + 0.9 + 1) = 16.
        WallCase{"lap_zone_off", {3000, 200, 100, 1, 0, false, 1000, 12.0f}, {16, 16, 0, 100}},
        // x = 10: 11 in the lap zones, H' = 2100, int(2000 / 200 + 0.9 - 1) = 9.
        WallCase{"lap_zone_on", {3000, 200, 100, 1, 0, true, 1000, 12.0f}, {20, 9, 11, 100}},
        WallCase{"additional", {3000, 200, 100, 1, 2, false, 1000, 12.0f}, {18, 16, 0, 100}},
        WallCase{"no_storey", {0, 200, 100, 1, 2, true, 1000, 12.0f}, {0, 0, 0, 100}},
        WallCase{"lap_spacing_from_the_bar", {3000, 200, 0, 1, 0, true, 1000, 16.0f},
                 {23, 9, 14, 80}},
        // Without a diameter there is no lap spacing: the zones count as
        // none instead of dividing by zero.
        WallCase{"no_lap_spacing", {3000, 200, 0, 1, 0, true, 1000, 0.0f}, {16, 16, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WallHoopLap, LengthAndSpacingFromTheBar)
{
    EXPECT_EQ(wallHoopLapLength(25, 20.0f, 0), 2400); // int(500 × 1.2) × 4
    EXPECT_EQ(wallHoopLapLength(25, 20.0f, 1), 1400); // int(500 × 1.4) × 2
    EXPECT_EQ(wallHoopLapLength(25, 20.0f, 2), 800);
    EXPECT_EQ(wallHoopLapLength(25, 20.0f, 5), 500);
    EXPECT_EQ(wallHoopLapLength(35, 20.5f, 2), 1147); // int(int(717.5) × 1.6)
    EXPECT_EQ(wallHoopLapSpacing(25.0f), 100);
    EXPECT_EQ(wallHoopLapSpacing(16.0f), 80);
}

class WallDialog : public ::testing::Test {
protected:
    void SetUp() override { CColumnHoopCountDlg::remembered() = {}; }
    void TearDown() override { CColumnHoopCountDlg::remembered() = {}; }
};

TEST_F(WallDialog, ComputesFromItsBoxes)
{
    CColumnHoopCountDlg dlg;
    dlg.heightEdit()->setText(QStringLiteral("3000"));
    dlg.lapCheck()->setChecked(false);
    dlg.compute();
    EXPECT_EQ(dlg.totalEdit()->text(), QStringLiteral("16"));
    EXPECT_EQ(dlg.roundDigitEdit()->text(), QStringLiteral("2"));
    EXPECT_FALSE(dlg.lapSpacingEdit()->isEnabled());
    dlg.lapCheck()->setChecked(true);
    dlg.lapLengthEdit()->setText(QStringLiteral("1000"));
    dlg.compute();
    EXPECT_EQ(dlg.totalEdit()->text(), QStringLiteral("20"));
    EXPECT_EQ(dlg.lapCountEdit()->text(), QStringLiteral("11"));
    EXPECT_EQ(dlg.normalCountEdit()->text(), QStringLiteral("9"));
}

TEST_F(WallDialog, ChoosingADiameterSetsTheLapSpacing)
{
    CColumnHoopCountDlg dlg;
    for (const auto& [d, spacing] : {std::pair{25.0, "100"}, std::pair{16.0, "80"}}) {
        const int index = dlg.diameterCombo()->indexOfValue(d);
        ASSERT_GE(index, 0);
        dlg.diameterCombo()->setCurrentIndex(index);
        Q_EMIT dlg.diameterCombo()->activated(index);
        EXPECT_EQ(dlg.lapSpacingEdit()->text(), QString::fromLatin1(spacing));
    }
}

TEST_F(WallDialog, TheFactorFollowsTheJointPercentage)
{
    CColumnHoopCountDlg dlg;
    dlg.setFactorIndex(0);
    EXPECT_EQ(dlg.factorCombo()->currentText(), QStringLiteral("1.2"));
    dlg.setFactorIndex(7); // beyond the list: the dialog's own
    EXPECT_EQ(dlg.factorIndex(), 0);
}

TEST(HoopDiagrams, AreDrawn)
{
    for (int picture : {kColumnHoopPictureHn6, kColumnHoopPictureHn3, kWallColumnHoopPicture}) {
        const QImage image = hoopDiagram(picture);
        ASSERT_FALSE(image.isNull());
        // Something besides the white ground.
        int inked = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                inked += image.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_GT(inked, 200) << picture;
    }
    EXPECT_TRUE(hoopDiagram(4000).isNull());
    EXPECT_NE(hoopDiagram(kColumnHoopPictureHn6), hoopDiagram(kColumnHoopPictureHn3));
}

// The bar list's calculators

class ListCalculators : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::fillSmallList(t);
        t.AddSelect(test::kBarRow, 1);
        forgetRememberedValues();
    }
    void TearDown() override { forgetRememberedValues(); }
    static void forgetRememberedValues()
    {
        CVes_BeamHoopCountDlg::remembered() = {};
        CColumnHoopCountDlg::remembered() = {};
        CVes_ColumnHoopCalcDlg::remembered() = ColumnHoopInput{};
    }
    CVes_Steel& bar() { return test::listBar(t, test::kBarRow); }
    QString spacings() { return QStringList{bar().spacing1, bar().spacing2, bar().spacing3}.join(u'|'); }

    test::HostScope host;
    test::EditHabits habits;
    CVes_SetupTable t;
};

TEST_F(ListCalculators, TheWallColumnTakesTheBarsSpacingsAndWritesThemBack)
{
    int shownNormal = 0;
    int shownLap = 0;
    test::onNextModal<CColumnHoopCountDlg>([&](CColumnHoopCountDlg* dlg) {
        shownNormal = dlg->normalSpacingEdit()->text().toInt();
        shownLap = dlg->lapSpacingEdit()->text().toInt();
        dlg->heightEdit()->setText(QStringLiteral("3000"));
        dlg->lapCheck()->setChecked(false);
        dlg->compute();
        dlg->accept();
    });
    t.calSelectLineSteelWallZhuGujin();
    EXPECT_EQ(shownNormal, 200);
    EXPECT_EQ(shownLap, 200);
    EXPECT_EQ(bar().count, 16);
    EXPECT_EQ(spacings(), QStringLiteral("100|200|200"));
    EXPECT_EQ(t.m_history.added(), 1u);
    EXPECT_EQ(t.isModified(), 1);
}

TEST_F(ListCalculators, TheJointPercentageGivesTheLapFactor)
{
    for (const auto& [percentage, factor] : {std::pair{0.0, "1.2"}, std::pair{-1.0, "1.4"}}) {
        t.clearExVars();
        if (percentage >= 0.0)
            t.setExVarVal(CVes_TableBase::kVarJointPercent, percentage);
        QString shown;
        test::onNextModal<CColumnHoopCountDlg>([&](CColumnHoopCountDlg* dlg) {
            shown = dlg->factorCombo()->currentText();
            dlg->reject();
        });
        t.calSelectLineSteelWallZhuGujin();
        EXPECT_EQ(shown, QString::fromLatin1(factor));
    }
    EXPECT_EQ(t.m_history.added(), 0u);
}

TEST_F(ListCalculators, TheColumnGivesTwentyFour)
{
    test::onNextModal<CVes_ColumnHoopCalcDlg>([](CVes_ColumnHoopCalcDlg* dlg) {
        EXPECT_EQ(dlg->denseEdit()->text(), QStringLiteral("100"));
        EXPECT_EQ(dlg->normalEdit()->text(), QStringLiteral("200"));
        dlg->heightEdit()->setText(QStringLiteral("3000"));
        dlg->sideEdit()->setText(QStringLiteral("500"));
        dlg->beamEdit()->setText(QStringLiteral("600"));
        Q_EMIT dlg->heightEdit()->textEdited(dlg->heightEdit()->text());
        dlg->accept();
    });
    t.calSelectLineSteelZhuGujin();
    EXPECT_EQ(bar().count, 24);
    EXPECT_EQ(spacings(), QStringLiteral("100|200|"));
    EXPECT_EQ(t.m_history.added(), 1u);
}

TEST_F(ListCalculators, TheBeamWritesItsCountAndFirstSpacings)
{
    bar().spacing1 = QStringLiteral("150");
    bar().spacing2 = QStringLiteral("250");
    test::onNextModal<CVes_BeamHoopCountDlg>([](CVes_BeamHoopCountDlg* dlg) {
        EXPECT_EQ(dlg->grid()->GetItemText(1, CVes_BeamHoopCountDlg::kColDense), QStringLiteral("150"));
        dlg->grid()->OnEndEditCell(1, CVes_BeamHoopCountDlg::kColDense, QStringLiteral("100"));
        dlg->grid()->OnEndEditCell(1, CVes_BeamHoopCountDlg::kColNormal, QStringLiteral("200"));
        dlg->factorCombo()->setCurrentIndex(2);
        dlg->grid()->OnEndEditCell(1, CVes_BeamHoopCountDlg::kColLength, QStringLiteral("6000"));
        dlg->accept();
    });
    t.calSellineSteelGenshu(0);
    EXPECT_EQ(bar().count, 39);
    EXPECT_EQ(spacings(), QStringLiteral("100|200|"));
    EXPECT_EQ(t.m_history.added(), 1u);
}

TEST_F(ListCalculators, TheTableMethodGivesThirtySevenOrFortyFour)
{
    for (const auto& [pair, count, second] :
         {std::tuple{HoopPair200, 37, "200"}, std::tuple{HoopPair150, 44, "150"}}) {
        test::onNextModal<CVes_HoopTableDlg>([pair = pair](CVes_HoopTableDlg* dlg) {
            dlg->lnEdit()->setText(QStringLiteral("6000"));
            dlg->pairButton(pair)->setChecked(true);
            GridNotify click;
            click.hdr.code = NM_DBLCLK;
            click.iRow = 3; // 500 mm
            click.iColumn = 1;
            dlg->OnGridNotify(click);
        });
        t.calSellineSteelGenshu(1);
        EXPECT_EQ(bar().count, count);
        EXPECT_EQ(spacings(), QStringLiteral("100|%1|").arg(QString::fromLatin1(second)));
    }
    EXPECT_EQ(t.m_history.added(), 2u);
}

TEST_F(ListCalculators, CancelChangesNothingAndNoBarSaysSo)
{
    test::onNextModal<CVes_HoopTableDlg>([](CVes_HoopTableDlg* dlg) { dlg->reject(); });
    t.calSellineSteelGenshu(1);
    EXPECT_EQ(bar().count, 2);
    EXPECT_EQ(t.m_history.added(), 0u);

    t.AddSelect(test::kEmptyRow, 1);
    t.calSellineSteelGenshu(0);
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("没有选择钢筋行。")});
}

TEST_F(ListCalculators, TheMidConnectionDialogGivesTheScopeItsConnection)
{
    bar().getFirstMidConnect();
    test::onNextModal<CVes_MidConnectEditDlg>([](CVes_MidConnectEditDlg* dlg) {
        dlg->scopeButton(barlist::MidConnectEdit::kWholeTable)->setChecked(true);
        dlg->methodCombo()->setCurrentIndex(CVes_MidConnectEditDlg::kManual);
        dlg->valueEdit()->setText(QStringLiteral("3"));
        dlg->accept();
    });
    t.batchEditMidConnect();
    const CVes_MidConnect* mid = bar().getFirstMidConnect();
    ASSERT_NE(mid, nullptr);
    EXPECT_EQ(mid->countText, QStringLiteral("3"));
    EXPECT_EQ(mid->autoCount, 0);
    EXPECT_EQ(t.m_history.added(), 1u);

    test::onNextModal<CVes_MidConnectEditDlg>([](CVes_MidConnectEditDlg* dlg) { dlg->reject(); });
    t.batchEditMidConnect();
    EXPECT_EQ(t.m_history.added(), 1u);
}

} // namespace
