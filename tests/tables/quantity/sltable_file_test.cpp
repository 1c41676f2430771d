// The quantity sheet's file: bytes laid out by hand for every version the
// reader takes with the old summary settings moved into the rules, the
// bytes the writer lays down, round trips without the empty rows at the
// end, newer and damaged files that leave the sheet as it was, and the undo
// history after loading and saving.

#include "tables/quantity/sltable.h"

#include "platform/archive.h"
#include "platform/savefile.h"
#include "sltable_support.h"
#include "tests/core/model/barcore_bytes.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/fixtures.h"

#include <QFile>

#include <cmath>

#include <gtest/gtest.h>

namespace {

using test::Bytes;

// The table part of a new sheet, as it is written.
QByteArray tablePart()
{
    CVes_SLTable t;
    platform::Archive ar;
    t.CVes_TableBase::Serialize(ar);
    return ar.data();
}

QByteArray barBytes(const char* number)
{
    CVes_Steel bar;
    bar.number = QString::fromUtf8(number);
    bar.DN = 16.0f;
    bar.count = 4;
    bar.calcLength = 0;
    bar.length = 2500.0f;
    platform::Archive ar;
    bar.Serialize(ar);
    return ar.data();
}

// The rows the files hold: an element type, an element of 3 pieces and a bar.
QByteArray rowBytes()
{
    Bytes b;
    b.i32(3);
    b.i32(1).i32(2).i32(0).i32(1).i32(1).str("ZHU");
    b.i32(1).i32(1).i32(0).i32(0).i32(1).str("KZ1").i32(3);
    b.i32(1).i32(0).i32(0).i32(1).i32(2).str("east").raw(barBytes("A1"));
    return b;
}

QByteArray rulesBytes(const CVes_SortRules& rules)
{
    platform::Archive ar;
    CVes_SortRules(rules).Serialize(ar);
    return ar.data();
}

// The trailer of `version`, with legacy values F 1.5, D 3.5, I1…I6 = 11…16
// (I6 = `i6`), K1…K5 = 21…25, J1…J5 = 31…35 and the scale 1.25.
QByteArray trailer(int version, int i6)
{
    Bytes b;
    if (version == 1)
        return b;
    if (version == 9) {
        CVes_SortRules rules;
        rules.m_guibingShow = 1;
        rules.m_lossBar = 4.5;
        return b.raw(rulesBytes(rules)).f64(1.25);
    }
    if (version == 2)
        b.i32(7);
    else
        b.f32(1.5f);
    b.f64(3.5).i32(11);
    if (version >= 3)
        b.i32(12);
    if (version >= 4) {
        if (version >= 5)
            b.i32(13);
        b.i32(14).i32(15).i32(i6);
        if (i6 != 0)
            b.i32(21).i32(22).i32(23).i32(24).i32(25);
    }
    if (version >= 7)
        b.i32(31).i32(32).i32(33).i32(34);
    if (version >= 8)
        b.i32(35);
    if (version >= 6)
        b.f64(1.25);
    return b;
}

// Rules whose every moved field differs from the legacy values above.
CVes_SortRules sentinelRules()
{
    CVes_SortRules r;
    r.m_lossBar = r.m_lossWire = 9.5;
    r.m_calcLossBar = r.m_dnOrder = r.m_lossPlace = r.m_calcLossWire = 99;
    r.m_sumByGrade = r.m_autoPrice = r.m_calcStirrupFee = r.m_autoStirrupCount = 99;
    r.m_stirrupCount = r.m_sumInEleType = 99;
    r.m_stirrupFee = 9.5f;
    r.m_guibingShow = 3;
    return r;
}

struct VersionCase {
    int version;
    int i6;
};

void PrintTo(const VersionCase& c, std::ostream* os)
{
    *os << "v" << c.version << (c.i6 ? "" : "-noK");
}

class ReadVersion : public testing::TestWithParam<VersionCase> {};

TEST_P(ReadVersion, RowsScaleAndSettingsFieldByField)
{
    const auto [v, i6] = GetParam();
    const QString path = test::slTempPath("rodo-sl-version.ylb");
    Bytes b;
    b.raw(tablePart()).i32(v).raw(rowBytes()).raw(trailer(v, i6));
    ASSERT_TRUE(platform::saveFile(path, b));

    CVes_SLTable t;
    t.m_rules = sentinelRules();
    t.setScale(2.0);
    t.Add(nullptr);
    ASSERT_EQ(t.OpenFile(path), 1);
    QFile::remove(path);

    ASSERT_EQ(t.lines().size(), 3);
    EXPECT_EQ(test::slRow(t, 0).getType(), CVes_SLTableLine::kEleTypeRow);
    EXPECT_EQ(test::slRow(t, 0).getEleType(), "ZHU");
    EXPECT_EQ(test::slRow(t, 0).getLock(), 1);
    EXPECT_EQ(test::slRow(t, 1).getElement(), "KZ1");
    EXPECT_EQ(test::slRow(t, 1).getEleNum(), 3);
    const CVes_SLTableLine& bar = test::slRow(t, 2);
    EXPECT_EQ(bar.getLocString(), "east");
    EXPECT_EQ(bar.getRows(), 2);
    EXPECT_EQ(bar.getSLSteel()->number, "A1");
    EXPECT_EQ(bar.getSLSteel()->count, 4);

    const CVes_SortRules& r = t.m_rules;
    EXPECT_DOUBLE_EQ(t.getScale(), v >= 6 ? 1.25 : 2.0);
    if (v == 9) {
        EXPECT_EQ(r.m_guibingShow, 1);
        EXPECT_DOUBLE_EQ(r.m_lossBar, 4.5);
        EXPECT_EQ(r.m_calcLossBar, 1); // the record's own value
        return;
    }
    const auto moved = [v](int since, double value) { return v >= since && v >= 2 ? value : 99; };
    EXPECT_DOUBLE_EQ(r.m_lossBar, v >= 2 ? 3.5 : 9.5);
    EXPECT_DOUBLE_EQ(r.m_lossWire, v >= 2 ? 3.5 : 9.5);
    EXPECT_EQ(r.m_calcLossBar, moved(2, 11));
    EXPECT_EQ(r.m_dnOrder, moved(3, 12));
    EXPECT_EQ(r.m_lossPlace, moved(5, 13));
    EXPECT_EQ(r.m_calcLossWire, moved(4, 14));
    EXPECT_EQ(r.m_sumByGrade, moved(4, 15));
    EXPECT_EQ(r.m_autoPrice, moved(4, i6));
    EXPECT_EQ(r.m_calcStirrupFee, moved(7, 31));
    EXPECT_FLOAT_EQ(r.m_stirrupFee, v >= 7 ? 32.0f : 9.5f);
    EXPECT_EQ(r.m_autoStirrupCount, moved(7, 33));
    EXPECT_EQ(r.m_stirrupCount, moved(7, 34));
    EXPECT_EQ(r.m_sumInEleType, moved(8, 35));
    // Settings the old files never held stay.
    EXPECT_EQ(r.m_guibingShow, 3);
    if (v >= 2) {
        EXPECT_EQ(t.legacySettings().k[0], (v >= 4 && i6) ? 21 : 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, ReadVersion,
                         testing::Values(VersionCase{1, 16}, VersionCase{2, 16},
                                         VersionCase{3, 16}, VersionCase{4, 16},
                                         VersionCase{4, 0}, VersionCase{5, 16},
                                         VersionCase{5, 0}, VersionCase{6, 16},
                                         VersionCase{7, 16}, VersionCase{8, 16},
                                         VersionCase{9, 16}),
                         [](const auto& info) {
                             return "V" + std::to_string(info.param.version)
                                 + (info.param.i6 ? "" : "WithoutK");
                         });

// A sheet of an element type, an element of 3 and a bar, then empty rows.
void fillSample(CVes_SLTable& t)
{
    t.clearnAllLine();
    t.appendLine(test::slEleType("ZHU"));
    t.appendLine(test::slElement("KZ1", 3));
    auto* bar = test::slBar("A1", 3, 16.0f, 4, 2500.0f, "east");
    bar->setRows(2);
    t.appendLine(bar);
    t.appendLine(test::slEmpty());
    t.appendLine(test::slEmpty());
}

TEST(SLTableFile, WritesTheLayoutByteForByte)
{
    CVes_SLTable t;
    fillSample(t);
    t.lineAt(0)->setLock(1);
    t.setScale(1.25);
    platform::Archive ar;
    t.Serialize(ar);

    CVes_Steel bar = t.lineAt(2)->m_steel;
    platform::Archive barAr;
    bar.Serialize(barAr);
    Bytes expected;
    expected.raw(tablePart()).i32(9).i32(3);
    expected.i32(1).i32(2).i32(0).i32(1).i32(1).str("ZHU");
    expected.i32(1).i32(1).i32(0).i32(0).i32(1).str("KZ1").i32(3);
    expected.i32(1).i32(0).i32(0).i32(0).i32(2).str("east").raw(barAr.data());
    expected.raw(rulesBytes(t.m_rules)).f64(1.25);
    EXPECT_EQ(test::toHex(ar.data()), test::toHex(expected));
}

TEST(SLTableFile, RoundTripDropsOnlyTheEmptyRowsAtTheEnd)
{
    const QString path = test::slTempPath("rodo-sl-roundtrip.ylb");
    test::CacheScope scope;
    scope.add(test::ShapeBuilder({150, 27}).var("A", 2500).straight({1300, 150}, "0", "A").build());
    CVes_SLTable t;
    fillSample(t);
    t.lineAt(2)->m_steel.setRecordId({150, 27});
    // An empty row between rows is kept.
    t.m_lines.insert(1, test::slEmpty());
    t.m_rules.m_guibingShow = 0;
    ASSERT_EQ(t.SaveFile(path), 1);

    CVes_SLTable back;
    ASSERT_EQ(back.OpenFile(path), 1);
    ASSERT_EQ(back.lines().size(), 4);
    EXPECT_EQ(test::slRow(back, 1).isNull(), 1);
    EXPECT_EQ(test::slRow(back, 3).getLocString(), "east");
    EXPECT_EQ(test::slRow(back, 3).m_steel.getRecordId(), CSteelRecordId(150, 27));
    EXPECT_EQ(back.m_rules.m_guibingShow, 0);
    EXPECT_EQ(back.isModified(), 0);

    // A bar never read gains the standard lengths (lle, lae, la, bhc) when it
    // is read; from then on the file comes back byte for byte.
    ASSERT_EQ(back.SaveFile(path), 1);
    QByteArray first;
    ASSERT_TRUE(platform::readFile(path, &first));
    CVes_SLTable again;
    ASSERT_EQ(again.OpenFile(path), 1);
    ASSERT_EQ(again.SaveFile(path), 1);
    QByteArray second;
    ASSERT_TRUE(platform::readFile(path, &second));
    QFile::remove(path);
    EXPECT_EQ(test::toHex(first).toStdString(), test::toHex(second).toStdString());
}

struct RefusedCase {
    const char* name;
    int version;
    int rowVersion;
};

class Refused : public testing::TestWithParam<RefusedCase> {};

TEST_P(Refused, NewerFileThrowsAndLeavesTheSheetAlone)
{
    const RefusedCase& c = GetParam();
    const QString path = test::slTempPath("rodo-sl-newer.ylb");
    Bytes b;
    b.raw(tablePart()).i32(c.version).i32(1);
    b.i32(c.rowVersion).i32(1).i32(0).i32(0).i32(1).str("KZ9").i32(3);
    b.raw(trailer(9, 0));
    ASSERT_TRUE(platform::saveFile(path, b));

    CVes_SLTable t;
    fillSample(t);
    t.m_rules.m_guibingShow = 0;
    t.setPageTo(1, 1);
    const qsizetype rows = t.lines().size();
    try {
        t.OpenFile(path);
        ADD_FAILURE() << "no error for a newer file";
    } catch (const platform::SchemaError& e) {
        EXPECT_EQ(e.code(), -100);
    }
    QFile::remove(path);
    EXPECT_EQ(t.lines().size(), rows);
    EXPECT_EQ(test::slRow(t, 1).getElement(), "KZ1");
    EXPECT_EQ(t.m_rules.m_guibingShow, 0);
    EXPECT_EQ(t.getCurPage(), 1);
}

INSTANTIATE_TEST_SUITE_P(Files, Refused,
                         testing::Values(RefusedCase{"SheetVersion10", 10, 1},
                                         RefusedCase{"SheetVersion0", 0, 1},
                                         RefusedCase{"RowVersion2", 9, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SLTableFile, DamagedFileIsNotOpenedAndChangesNothing)
{
    const QString path = test::slTempPath("rodo-sl-damaged.ylb");
    CVes_SLTable source;
    fillSample(source);
    ASSERT_EQ(source.SaveFile(path), 1);
    QByteArray bytes;
    ASSERT_TRUE(platform::readFile(path, &bytes));

    CVes_SLTable t;
    t.clearnAllLine();
    t.appendLine(test::slElement("KEEP", 2));
    for (const qsizetype cut : {qsizetype(bytes.size() - 3), qsizetype(tablePart().size() + 6)}) {
        ASSERT_TRUE(platform::saveFile(path, bytes.left(cut)));
        EXPECT_EQ(t.OpenFile(path), 0);
        ASSERT_EQ(t.lines().size(), 1);
        EXPECT_EQ(test::slRow(t, 0).getElement(), "KEEP");
    }
    QFile::remove(path);
}

struct ImpossibleCase {
    const char* name;
    QByteArray tail;  // what follows the table part
};

void PrintTo(const ImpossibleCase& c, std::ostream* os) { *os << c.name; }

// An element row of `pieces` pieces taking `rows` table rows.
QByteArray elementRowBytes(int rows, int pieces)
{
    return Bytes().i32(1).i32(1).i32(0).i32(0).i32(rows).str("KZ1").i32(pieces);
}

QByteArray version9(const QByteArray& row, double zoom)
{
    return Bytes().i32(9).i32(1).raw(row).raw(rulesBytes(CVes_SortRules())).f64(zoom);
}

QByteArray version6(double loss, double zoom)
{
    return Bytes().i32(6).i32(1).raw(elementRowBytes(1, 3)).f32(1.5f).f64(loss).i32(1).i32(0)
        .i32(1).i32(1).i32(0).i32(0).f64(zoom);
}

class ImpossibleValue : public testing::TestWithParam<ImpossibleCase> {};

TEST_P(ImpossibleValue, MakesADamagedFileThatLeavesTheSheetAlone)
{
    const QString path = test::slTempPath("rodo-sl-impossible.ylb");
    ASSERT_TRUE(platform::saveFile(path, tablePart() + GetParam().tail));
    CVes_SLTable t;
    t.clearnAllLine();
    t.appendLine(test::slElement("KEEP", 2));
    t.setScale(1.5);
    EXPECT_EQ(t.OpenFile(path), 0);
    QFile::remove(path);
    ASSERT_EQ(t.lines().size(), 1);
    EXPECT_EQ(test::slRow(t, 0).getElement(), "KEEP");
    EXPECT_DOUBLE_EQ(t.getScale(), 1.5);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImpossibleValue,
    testing::Values(
        ImpossibleCase{"NegativeRowHeight", version9(elementRowBytes(-1, 3), 1.0)},
        ImpossibleCase{"RowTallerThanAnyPage", version9(elementRowBytes(1001, 3), 1.0)},
        ImpossibleCase{"PieceCount", version9(elementRowBytes(1, 200000000), 1.0)},
        ImpossibleCase{"ZoomNotANumber", version9(elementRowBytes(1, 3), std::nan(""))},
        ImpossibleCase{"OldZoomInfinite", version6(2.5, HUGE_VAL)},
        ImpossibleCase{"OldLossNotANumber", version6(std::nan(""), 1.0)}),
    [](const auto& info) { return std::string(info.param.name); });

// A zoom beyond what pages are drawn at (a view can zoom a window within a
// window that far) is held to the nearest one, as every sheet's file holds
// it: the sheet opens.
struct HeldZoomCase {
    const char* name;
    QByteArray tail;
    double zoom;
};

class HeldZoom : public testing::TestWithParam<HeldZoomCase> {};

TEST_P(HeldZoom, OpensAtTheNearestPageZoom)
{
    const QString path = test::slTempPath("rodo-sl-zoom.ylb");
    ASSERT_TRUE(platform::saveFile(path, tablePart() + GetParam().tail));
    CVes_SLTable t;
    EXPECT_EQ(t.OpenFile(path), 1);
    QFile::remove(path);
    EXPECT_EQ(test::slRow(t, 0).getElement(), "KZ1");
    EXPECT_DOUBLE_EQ(t.getScale(), GetParam().zoom);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HeldZoom,
    testing::Values(HeldZoomCase{"Zero", version9(elementRowBytes(1, 3), 0.0), 0.01},
                    HeldZoomCase{"Negative", version9(elementRowBytes(1, 3), -2.0), 0.01},
                    HeldZoomCase{"Huge", version9(elementRowBytes(1, 3), 1e9), 1000.0},
                    HeldZoomCase{"OldHuge", version6(2.5, 1e300), 1000.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SLTableFile, TheLimitsThemselvesAreRead)
{
    const QString path = test::slTempPath("rodo-sl-limits.ylb");
    ASSERT_TRUE(platform::saveFile(path, tablePart() + version9(elementRowBytes(1000, 9999), 1000.0)));
    CVes_SLTable t;
    ASSERT_EQ(t.OpenFile(path), 1);
    QFile::remove(path);
    EXPECT_EQ(test::slRow(t, 0).getRows(), 1000);
    EXPECT_EQ(test::slRow(t, 0).getEleNum(), 9999);
    EXPECT_DOUBLE_EQ(t.getScale(), 1000.0);
}

// Pieces beyond what the cell takes are damage, as typing them is refused.
TEST(SLTableFile, PiecesBeyondTheLimitsAreRefused)
{
    const QString path = test::slTempPath("rodo-sl-pieces.ylb");
    for (const int pieces : {-1, 10000}) {
        ASSERT_TRUE(platform::saveFile(path, tablePart() + version9(elementRowBytes(1, pieces), 1.0)));
        CVes_SLTable t;
        EXPECT_EQ(t.OpenFile(path), 0) << pieces;
    }
    QFile::remove(path);
}

// Undo after loading and saving

TEST(SLTableUndo, AfterLoadingNothingToUndoAndOneEditGoesBack)
{
    const QString path = test::slTempPath("rodo-sl-undo.ylb");
    CVes_SLTable source;
    fillSample(source);
    ASSERT_EQ(source.SaveFile(path), 1);

    CVes_SLTable t;
    ASSERT_EQ(t.OpenFile(path), 1);
    QFile::remove(path);
    EXPECT_EQ(t.CanUndo(), 0);
    EXPECT_EQ(t.CanRedo(), 0);
    // The edits are made on the page shown.
    t.setPageTo(1, 1);
    t.lineAt(1)->setElement(QStringLiteral("KZ2"));
    t.AddUndo();
    ASSERT_EQ(t.CanUndo(), 1);
    t.Undo();
    EXPECT_EQ(test::slRow(t, 1).getElement(), "KZ1");
    EXPECT_EQ(t.CanRedo(), 1);
    t.Redo();
    EXPECT_EQ(test::slRow(t, 1).getElement(), "KZ2");
}

TEST(SLTableUndo, TheFirstEditAfterASaveCanBeUndone)
{
    const QString path = test::slTempPath("rodo-sl-saved.ylb");
    CVes_SLTable t;
    fillSample(t);
    // The edits are made on the page shown.
    t.setPageTo(1, 1);
    t.AddUndo();
    t.lineAt(1)->setElement(QStringLiteral("KZ2"));
    t.AddUndo();
    ASSERT_EQ(t.SaveFile(path), 1);
    QFile::remove(path);
    EXPECT_EQ(t.CanUndo(), 0);

    t.lineAt(1)->setElement(QStringLiteral("KZ3"));
    t.AddUndo();
    ASSERT_EQ(t.CanUndo(), 1);
    t.Undo();
    EXPECT_EQ(test::slRow(t, 1).getElement(), "KZ2");
    EXPECT_EQ(t.CanUndo(), 0);
}

TEST(SLTableUndo, TenEditsLeaveEightStepsBack)
{
    CVes_SLTable t;
    fillSample(t);
    // The edits are made on the page shown.
    t.setPageTo(1, 1);
    t.resetUndo();
    for (int i = 1; i <= 10; ++i) {
        t.lineAt(1)->setEleNum(i);
        t.AddUndo();
    }
    EXPECT_EQ(t.m_history.undoCount(), 9u);
    int steps = 0;
    while (t.CanUndo()) {
        t.Undo();
        ++steps;
    }
    EXPECT_EQ(steps, 8);
    EXPECT_EQ(test::slRow(t, 1).getEleNum(), 2);
    // Every undone state can be redone, and a redo keeps eight steps back.
    while (t.CanRedo())
        t.Redo();
    EXPECT_EQ(test::slRow(t, 1).getEleNum(), 10);
    EXPECT_EQ(t.m_history.undoCount(), 9u);
}

// After an undo a new edit is the newest state: Redo has nothing left to
// bring back, and the new edit stays.
TEST(SLTableUndo, AnEditAfterAnUndoEndsTheRedo)
{
    CVes_SLTable t;
    fillSample(t);
    // The edits are made on the page shown.
    t.setPageTo(1, 1);
    t.resetUndo();
    t.lineAt(1)->setEleNum(2);
    t.AddUndo();
    t.Undo();
    ASSERT_EQ(t.CanRedo(), 1);
    EXPECT_EQ(test::slRow(t, 1).getEleNum(), 3);
    t.lineAt(1)->setEleNum(5);
    t.AddUndo();
    EXPECT_EQ(t.CanRedo(), 0);
    t.Redo();
    EXPECT_EQ(test::slRow(t, 1).getEleNum(), 5);
    t.Undo();
    EXPECT_EQ(test::slRow(t, 1).getEleNum(), 3);
}

TEST(SLTableSettings, SwitchesOfTheRules)
{
    CVes_SLTable t;
    t.m_rules.m_showZeroNum = 0;
    t.showZeroNum();
    EXPECT_EQ(t.m_rules.m_showZeroNum, 1);
    t.showZeroNum();
    EXPECT_EQ(t.m_rules.m_showZeroNum, 0);
    t.m_rules.m_showZeroNum = 5;
    t.showZeroNum();
    EXPECT_EQ(t.m_rules.m_showZeroNum, 0);

    t.sortDown();
    EXPECT_EQ(t.getSortOrder(), 1u);
    t.sortShot();
    EXPECT_EQ(t.getSortOrderLen(), 1u);
    t.sortLenNone();
    EXPECT_EQ(t.getSortOrderLen(), 2u);
    t.guibingShow3();
    EXPECT_EQ(t.m_rules.m_guibingShow, 3);
}

TEST(SLTableSettings, NewSheetLayout)
{
    CVes_SLTable t;
    EXPECT_EQ(t.getTableType(), 3u);
    EXPECT_EQ(t.m_orientation, CVes_Template::kLandscape);
    EXPECT_EQ(t.getRealW(), 297);
    EXPECT_EQ(t.getRowNum(), 28);
    EXPECT_EQ(t.m_texts[0].m_text, "表单标题");
    EXPECT_EQ(t.m_texts[0].m_formula, "钢筋用量明细表");
    const QStringList labels{"工程名称", "统计范围", "统计说明", "编制", "审核", "编制日期"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(t.m_texts[std::size_t(i + 2)].m_text, labels[i]);
    EXPECT_EQ(t.m_texts[7].m_formula, "  ");
    EXPECT_EQ(t.m_widths, (QList<int>{15, 7, 7, 22, 7, 6, 7, 7, 7, 16}));
    EXPECT_EQ(t.m_units, (QList<int>{-1, -1, -1, 0, 0, -1, -1, 2, 4, -1}));
    EXPECT_EQ(t.m_captions.value(0), "钢  筋\n\n部  位");
}

} // namespace
