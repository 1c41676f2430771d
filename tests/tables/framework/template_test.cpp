#include "tables/framework/template.h"

#include "tests/tables/framework/tablecover_stream.h"
#include "platform/archive.h"
#include "tests/support/fixtures.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using test::StreamBuilder;
using test::TextRecord;

constexpr std::int32_t kSentinel = 0x5A5A5A5A;
// Where the column count stands: after 25 numbers and two doubles.
constexpr qsizetype kColumnsAt = 25 * 4 + 2 * 8;

QByteArray store(CVes_Template& t)
{
    platform::Archive ar;
    t.Serialize(ar);
    return ar.data();
}

// The template part as a file of the given schema holds it: the fields of
// the layout that the schema carries, in stream order. `written` is the
// number at the head of the stream (a schema below 1 is laid out as 5).
QByteArray templatePart(int written, int schema)
{
    StreamBuilder b;
    b.i(written);
    b.ints({8, 2, 111, 222});                // paper, orientation, custom size
    b.i(7);                                  // row height
    b.ints({11, 12, 13, 14, 5, 1});          // margins, gutter, gutter position
    b.i(9);                                  // reserved height
    if (schema >= 7)
        b.i(0);                              // title-row background
    b.ints({17, 1, 4});                      // rows per page, row mode, table text height
    if (schema >= 8)
        b.i(35);                             // shape text height
    b.d(1.5).d(3.25);                        // spare and form factors
    if (schema >= 5)
        b.i(1);                              // language
    b.i(2);                                  // stretch column
    b.ints({1, 1});                          // page-summary row and its height
    if (schema >= 4)
        b.ints({0, 0, 0});                   // weight, length, joint summary
    b.i(3).s(QStringLiteral("构件")).s(QStringLiteral("编号")).s(QStringLiteral("重量(kg)"));
    b.ints({30, 30, 40});
    b.ints({-1, 0, 4});
    b.ints({60, 31, 32, 33, 34, 35, 36});    // heights of texts 0, 2..7
    if (schema >= 6)
        b.i(45);                             // height of text 1
    for (int i = 0; i < 8; ++i) {
        if (i == 1 && schema < 6)
            continue;
        b.text({QStringLiteral("t%1").arg(i), QStringLiteral("文件%1").arg(i), 40 + i, 0, 3,
                10 * i, 20 * i});
    }
    if (schema >= 9) {
        b.ints({0, 1});                      // show-title flag, cover flag
        b.ints({2, 2, 1, 2});                // cover: schema, rows, columns, texts
        b.text({QStringLiteral("c0"), QStringLiteral("封面")});
        b.text({QStringLiteral("c1"), QStringLiteral("{工程名称}")});
        b.count(2).ints({40, 60});
    }
    return b.data();
}

// A template holding values that no stream above carries, so that what a
// schema lacks shows.
void setPrevious(CVes_Template& t)
{
    t.m_texts[1].m_text = QStringLiteral("old1");
    t.m_texts[1].m_formula = QStringLiteral("旧副标题");
    t.m_textHeights[1] = 99;
    t.m_cover.initVariables();
}

struct SchemaCase {
    int written;
    int layout;
};

void PrintTo(const SchemaCase& c, std::ostream* os)
{
    *os << "written " << c.written << " read as " << c.layout;
}

class TemplateSchema : public testing::TestWithParam<SchemaCase> {};

TEST_P(TemplateSchema, ReadsWhatTheSchemaCarriesAndKeepsTheRest)
{
    const SchemaCase c = GetParam();
    const int s = c.layout;
    CVes_Template t;
    setPrevious(t);
    platform::Archive ar(templatePart(c.written, s) + StreamBuilder().i(kSentinel).data());
    t.Serialize(ar);
    std::int32_t sentinel = 0;
    ar >> sentinel;
    EXPECT_EQ(sentinel, kSentinel) << "stream out of step";
    EXPECT_TRUE(ar.atEnd());

    EXPECT_EQ(t.m_paper, 8);
    EXPECT_EQ(t.m_orientation, 2);
    EXPECT_EQ(t.m_customWidth, 111);
    EXPECT_EQ(t.m_customHeight, 222);
    EXPECT_EQ(t.m_rowHeight, 7);
    EXPECT_EQ(t.m_topMargin, 11);
    EXPECT_EQ(t.m_bottomMargin, 12);
    EXPECT_EQ(t.m_leftMargin, 13);
    EXPECT_EQ(t.m_rightMargin, 14);
    EXPECT_EQ(t.m_gutter, 5);
    EXPECT_EQ(t.m_gutterPos, 1);
    EXPECT_EQ(t.m_reservedHeight, 9);
    EXPECT_EQ(t.m_titleColorBk, s >= 7 ? 0 : 1);
    EXPECT_EQ(t.m_rowNum, 17);
    EXPECT_EQ(t.m_rowMode, 1);
    EXPECT_EQ(t.m_tableTextHeight, 4);
    EXPECT_EQ(t.m_shapeTextHeight, s >= 8 ? 35 : -1);
    EXPECT_EQ(t.m_spareFactor, 1.5);
    EXPECT_EQ(t.m_formFactor, 3.25);
    EXPECT_EQ(t.m_language, s >= 5 ? 1u : 0u);
    EXPECT_EQ(t.m_stretchColumn, 2);
    EXPECT_EQ(t.m_pageSummary, 1);
    EXPECT_EQ(t.m_summaryRowHeight, 1);
    const int summary = s >= 4 ? 0 : 1;
    EXPECT_EQ(t.m_sumWeight, summary);
    EXPECT_EQ(t.m_sumLength, summary);
    EXPECT_EQ(t.m_sumJoint, summary);
    EXPECT_EQ(t.m_columnNum, 3);
    EXPECT_EQ(t.m_captions, (QStringList{QStringLiteral("构件"), QStringLiteral("编号"), QStringLiteral("重量(kg)")}));
    EXPECT_EQ(t.m_widths, (QList<int>{30, 30, 40}));
    EXPECT_EQ(t.m_units, (QList<int>{-1, 0, 4}));
    EXPECT_EQ(t.m_textHeights, (std::array<int, 8>{60, s >= 6 ? 45 : 99, 31, 32, 33, 34, 35, 36}));
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        if (i == 1 && s < 6) {
            EXPECT_EQ(t.m_texts[1].m_text, QStringLiteral("old1"));
            EXPECT_EQ(t.m_texts[1].m_formula, QStringLiteral("旧副标题"));
            continue;
        }
        EXPECT_EQ(t.m_texts[i].m_text, QStringLiteral("t%1").arg(i));
        EXPECT_EQ(t.m_texts[i].m_formula, QStringLiteral("文件%1").arg(i));
        EXPECT_EQ(t.m_texts[i].m_height, 40 + i);
        EXPECT_EQ(t.m_texts[i].m_position.ToPoint(), QPoint(10 * i, 20 * i));
    }
    EXPECT_EQ(t.m_showTitle, s >= 9 ? 0 : 1);
    EXPECT_EQ(t.m_coverFlag, s >= 9 ? 1 : 0);
    if (s >= 9) {
        EXPECT_EQ(t.m_cover.m_rows, 2);
        ASSERT_EQ(t.m_cover.m_variables.size(), 2u);
        EXPECT_EQ(t.m_cover.m_variables[1]->m_formula, QStringLiteral("{工程名称}"));
        EXPECT_EQ(t.m_cover.m_percents, (QList<int>{40, 60}));
    } else {
        EXPECT_EQ(t.m_cover.m_rows, 20);
        EXPECT_EQ(t.m_cover.m_variables.size(), 20u);
    }
}

INSTANTIATE_TEST_SUITE_P(Schemas, TemplateSchema,
                         testing::Values(SchemaCase{9, 9}, SchemaCase{8, 8}, SchemaCase{7, 7},
                                         SchemaCase{6, 6}, SchemaCase{5, 5}, SchemaCase{4, 4},
                                         SchemaCase{3, 3}, SchemaCase{0, 5}, SchemaCase{-3, 5}),
                         [](const auto& info) {
                             const int w = info.param.written;
                             return w < 0 ? "minus" + std::to_string(-w) : std::to_string(w);
                         });

TEST(Template, StoresTheSchemaNineLayoutFieldByField)
{
    CVes_Template t;
    t.m_paper = 8;
    t.m_orientation = 2;
    t.m_customWidth = 111;
    t.m_customHeight = 222;
    t.m_rowHeight = 7;
    t.m_topMargin = 11;
    t.m_bottomMargin = 12;
    t.m_leftMargin = 13;
    t.m_rightMargin = 14;
    t.m_gutter = 5;
    t.m_gutterPos = 1;
    t.m_reservedHeight = 9;
    t.m_titleColorBk = 0;
    t.m_rowNum = 17;
    t.m_rowMode = 1;
    t.m_tableTextHeight = 4;
    t.m_shapeTextHeight = 35;
    t.m_spareFactor = 1.5;
    t.m_formFactor = 3.25;
    t.m_language = 1;
    t.m_stretchColumn = 2;
    t.m_pageSummary = 1;
    t.m_summaryRowHeight = 1;
    t.m_sumWeight = t.m_sumLength = t.m_sumJoint = 0;
    t.m_columnNum = 3;
    t.m_captions = {QStringLiteral("构件"), QStringLiteral("编号"), QStringLiteral("重量(kg)")};
    t.m_widths = {30, 30, 40};
    t.m_units = {-1, 0, 4};
    t.m_textHeights = {60, 45, 31, 32, 33, 34, 35, 36};
    for (int i = 0; i < 8; ++i) {
        t.m_texts[i].m_text = QStringLiteral("t%1").arg(i);
        t.m_texts[i].m_formula = QStringLiteral("文件%1").arg(i);
        t.m_texts[i].m_height = 40 + i;
        t.m_texts[i].m_position.set(10 * i, 20 * i);
        t.m_texts[i].m_align = 0;
        t.m_texts[i].m_fontName = QStringLiteral("宋体");
    }
    t.m_showTitle = 0;
    t.m_coverFlag = 1;
    t.m_cover.m_rows = 2;
    t.m_cover.initVariables();
    t.m_cover.m_variables[0]->m_text = QStringLiteral("c0");
    t.m_cover.m_variables[0]->m_formula = QStringLiteral("封面");
    t.m_cover.m_variables[1]->m_text = QStringLiteral("c1");
    t.m_cover.m_variables[1]->m_formula = QStringLiteral("{工程名称}");
    for (auto& v : t.m_cover.m_variables) {
        v->m_type = 3;
        v->m_fontName = QStringLiteral("宋体");
    }
    t.m_cover.m_percents = {40, 60};

    const QByteArray bytes = store(t);
    EXPECT_EQ(test::toHex(bytes), test::toHex(templatePart(9, 9)));
    // Schema, paper code and orientation, little-endian at the head.
    EXPECT_EQ(test::toHex(bytes.left(12)), test::toHex(test::hex("09000000 08000000 02000000")));
}

TEST(Template, ColumnListsAreGrownToTheColumnCountBeforeStoring)
{
    CVes_Template t;
    t.m_columnNum = 3;
    t.m_captions = {QStringLiteral("编号")};
    t.m_widths = {100};
    const QByteArray bytes = store(t);
    EXPECT_EQ(t.m_captions, (QStringList{QStringLiteral("编号"), QStringLiteral(" "), QStringLiteral(" ")}));
    EXPECT_EQ(t.m_widths, (QList<int>{100, 0, 0}));
    EXPECT_EQ(t.m_units, (QList<int>{-1, -1, -1}));

    // After the 26 numbers and two doubles of the head: N and the lists.
    const qsizetype at = kColumnsAt;
    const QByteArray columns = StreamBuilder()
                                   .i(3)
                                   .s(QStringLiteral("编号"))
                                   .s(QStringLiteral(" "))
                                   .s(QStringLiteral(" "))
                                   .ints({100, 0, 0, -1, -1, -1})
                                   .data();
    EXPECT_EQ(test::toHex(bytes.mid(at, columns.size())), test::toHex(columns));
}

TEST(Template, RoundTripIsByteIdentical)
{
    CVes_Template source;
    platform::Archive in(templatePart(9, 9));
    source.Serialize(in);
    const QByteArray first = store(source);
    EXPECT_EQ(first, templatePart(9, 9));

    CVes_Template copy;
    platform::Archive again(first);
    copy.Serialize(again);
    EXPECT_EQ(store(copy), first);
}

TEST(Template, AnOlderSchemaIsStoredAgainAsSchemaNine)
{
    CVes_Template t;
    platform::Archive in(templatePart(3, 3));
    t.Serialize(in);
    const QByteArray bytes = store(t);
    EXPECT_EQ(test::toHex(bytes.left(4)), test::toHex(test::hex("09000000")));
    CVes_Template back;
    platform::Archive again(bytes);
    back.Serialize(again);
    EXPECT_EQ(store(back), bytes);
}

class TemplateUnknownSchema : public testing::TestWithParam<int> {};

TEST_P(TemplateUnknownSchema, ThrowsMinusHundredAndChangesNothing)
{
    CVes_Template t;
    setPrevious(t);
    const QByteArray before = store(t);
    QByteArray bytes = templatePart(9, 9);
    bytes.replace(0, 4, StreamBuilder().i(GetParam()).data());
    platform::Archive ar(bytes);
    try {
        t.Serialize(ar);
        FAIL() << "schema " << GetParam() << " was accepted";
    } catch (const platform::SchemaError& e) {
        EXPECT_EQ(e.code(), -100);
        EXPECT_EQ(e.schema(), GetParam());
    }
    EXPECT_EQ(store(t), before);
}

INSTANTIATE_TEST_SUITE_P(Schemas, TemplateUnknownSchema, testing::Values(1, 2, 10, 100));

TEST(Template, EveryTruncationOfTheStreamThrowsAndChangesNothing)
{
    const QByteArray full = templatePart(9, 9);
    CVes_Template t;
    setPrevious(t);
    const QByteArray before = store(t);
    for (qsizetype n = 0; n < full.size(); ++n) {
        platform::Archive ar(full.left(n));
        EXPECT_THROW(t.Serialize(ar), platform::ArchiveError) << "cut at " << n;
    }
    EXPECT_EQ(store(t), before);
}

TEST(Template, AnUnknownCoverSchemaLeavesTheWholeTemplateAsItWas)
{
    QByteArray bytes = templatePart(9, 9);
    // The cover part follows the show-title and cover flags.
    const qsizetype cover = bytes.indexOf(test::hex("00000000 01000000 02000000 02000000")) + 8;
    ASSERT_GT(cover, 8);
    bytes.replace(cover, 4, StreamBuilder().i(3).data());
    CVes_Template t;
    setPrevious(t);
    const QByteArray before = store(t);
    platform::Archive ar(bytes);
    EXPECT_THROW(t.Serialize(ar), platform::SchemaError);
    EXPECT_EQ(store(t), before);
}

class TemplateDamagedColumnCount : public testing::TestWithParam<std::int32_t> {};

TEST_P(TemplateDamagedColumnCount, IsRefusedBeforeAnythingIsAllocated)
{
    QByteArray bytes = templatePart(9, 9);
    const qsizetype at = kColumnsAt;
    bytes.replace(at, 4, StreamBuilder().i(GetParam()).data());
    CVes_Template t;
    platform::Archive ar(bytes);
    EXPECT_THROW(t.Serialize(ar), platform::ArchiveError);
    EXPECT_EQ(t.m_columnNum, 0);
}

INSTANTIATE_TEST_SUITE_P(Counts, TemplateDamagedColumnCount,
                         testing::Values(-1, 1000000000, 0x7FFFFFFF));

// A value that no page can be laid out from: the template part is refused
// (ArchiveError) and the template stays as it was. Offsets are those of
// templatePart(9, 9).
struct OutOfRangeCase {
    const char* name;
    qsizetype at;
    bool isDouble;
    std::int32_t value;
    double number;
};

class TemplateOutOfRange : public testing::TestWithParam<OutOfRangeCase> {};

TEST_P(TemplateOutOfRange, IsRefusedAndChangesNothing)
{
    const OutOfRangeCase& c = GetParam();
    QByteArray bytes = templatePart(9, 9);
    const QByteArray patch = c.isDouble ? StreamBuilder().d(c.number).data()
                                        : StreamBuilder().i(c.value).data();
    bytes.replace(c.at, patch.size(), patch);
    CVes_Template t;
    setPrevious(t);
    const QByteArray before = store(t);
    platform::Archive ar(bytes);
    EXPECT_THROW(t.Serialize(ar), platform::ArchiveError);
    EXPECT_EQ(store(t), before);
}

constexpr std::int32_t kIntMax = 0x7FFFFFFF;
constexpr std::int32_t kIntMin = -kIntMax - 1;

INSTANTIATE_TEST_SUITE_P(
    Fields, TemplateOutOfRange,
    testing::Values(OutOfRangeCase{"CustomWidthBeyondAnyPaper", 12, false, 20000, 0},
                    OutOfRangeCase{"RowHeightIntMax", 20, false, kIntMax, 0},
                    OutOfRangeCase{"TopMarginHuge", 24, false, 1000000000, 0},
                    OutOfRangeCase{"LeftMarginNegative", 32, false, -5, 0},
                    OutOfRangeCase{"ReservedHeightIntMin", 48, false, kIntMin, 0},
                    OutOfRangeCase{"RowsPerPageIntMax", 56, false, kIntMax, 0},
                    OutOfRangeCase{"RowsPerPageNegative", 56, false, -1, 0},
                    OutOfRangeCase{"TableTextHeightHuge", 64, false, 2000000000, 0},
                    OutOfRangeCase{"SpareFactorNaN", 72, true, 0, std::nan("")},
                    OutOfRangeCase{"FormFactorInfinite", 80, true, 0, HUGE_VAL},
                    OutOfRangeCase{"SummaryRowsHuge", 100, false, 1000000, 0},
                    OutOfRangeCase{"ColumnWidthHuge", kColumnsAt + 4 + 5 + 5 + 9, false,
                                   1056964620, 0},
                    OutOfRangeCase{"TitleHeightHuge", kColumnsAt + 4 + 19 + 24, false,
                                   2000000000, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// The values at the limits are taken.
TEST(Template, LayoutAtItsLimitsIsRead)
{
    QByteArray bytes = templatePart(9, 9);
    bytes.replace(56, 4, StreamBuilder().i(CVes_Template::kMaxRowsPerPage).data());
    bytes.replace(24, 4, StreamBuilder().i(CVes_Template::kMaxPaperSize).data());
    CVes_Template t;
    platform::Archive ar(bytes);
    t.Serialize(ar);
    EXPECT_EQ(t.m_rowNum, CVes_Template::kMaxRowsPerPage);
    EXPECT_EQ(t.m_topMargin, CVes_Template::kMaxPaperSize);
}

TEST(Template, NewTemplateDefaults)
{
    CVes_Template t;
    EXPECT_EQ(t.m_showTitle, 1);
    EXPECT_EQ(t.m_paper, 9);
    EXPECT_EQ(t.m_gutter, 0);
    EXPECT_EQ(t.m_gutterPos, 0);
    EXPECT_EQ(t.m_pageNumberStyle, 0);
    EXPECT_EQ(t.m_language, 0u);
    EXPECT_EQ(t.isTitleColorBk(), 1);
    EXPECT_EQ(t.m_rowMode, 0);
    EXPECT_EQ(t.m_pageSummary, 0);
    EXPECT_EQ(t.m_sumWeight + t.m_sumLength + t.m_sumJoint, 3);
    EXPECT_EQ(t.m_summaryRowHeight, 2);
    EXPECT_EQ(t.m_stretchColumn, 0);
    EXPECT_EQ(t.m_spareFactor, 1.0);
    EXPECT_EQ(t.m_formFactor, 4.0);
    EXPECT_EQ(t.getDayangVarHigh(), -1);
    EXPECT_EQ(t.m_coverFlag, 0);
    EXPECT_TRUE(t.m_cover.m_variables.empty());
    for (const CVes_Variable& text : t.m_texts)
        EXPECT_EQ(text.m_type, CVes_Variable::kTextKind);
}

struct PaperCase {
    int paper;
    int orientation;
    int width;
    int height;
};

void PrintTo(const PaperCase& c, std::ostream* os)
{
    *os << "paper " << c.paper << " orientation " << c.orientation;
}

class TemplatePaper : public testing::TestWithParam<PaperCase> {};

TEST_P(TemplatePaper, SizeAfterOrientation)
{
    const PaperCase c = GetParam();
    CVes_Template t;
    t.m_paper = c.paper;
    t.m_orientation = c.orientation;
    t.m_customWidth = 300;
    t.m_customHeight = 400;
    EXPECT_EQ(t.getRealW(), c.width);
    EXPECT_EQ(t.getRealH(), c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Papers, TemplatePaper,
    testing::Values(PaperCase{9, 1, 210, 297}, PaperCase{9, 2, 297, 210},
                    PaperCase{8, 1, 297, 420}, PaperCase{8, 2, 420, 297},
                    PaperCase{11, 1, 148, 210}, PaperCase{11, 2, 210, 148},
                    PaperCase{12, 1, 250, 354}, PaperCase{12, 2, 354, 250},
                    PaperCase{13, 1, 182, 257}, PaperCase{13, 2, 257, 182},
                    PaperCase{5, 1, 300, 400}, PaperCase{5, 2, 400, 300},
                    PaperCase{7, 1, 0, 0}, PaperCase{7, 2, 0, 0}, PaperCase{0, 1, 0, 0},
                    // Width reads anything but 2 as portrait, height anything
                    // but 1 as landscape.
                    PaperCase{9, 0, 210, 210}, PaperCase{9, 3, 210, 210},
                    PaperCase{5, 0, 300, 300}));

struct TemplateUnitCase {
    int from;
    int to;
    double factor;
};

void PrintTo(const TemplateUnitCase& c, std::ostream* os)
{
    *os << c.from << " to " << c.to;
}

class TemplateUnit : public testing::TestWithParam<TemplateUnitCase> {};

TEST_P(TemplateUnit, Factor)
{
    const TemplateUnitCase c = GetParam();
    EXPECT_DOUBLE_EQ(CVes_Template::transUnit(c.from, c.to), c.factor);
}

INSTANTIATE_TEST_SUITE_P(
    Units, TemplateUnit,
    testing::Values(TemplateUnitCase{0, 1, 0.1}, TemplateUnitCase{0, 2, 0.001}, TemplateUnitCase{1, 0, 10},
                    TemplateUnitCase{1, 2, 0.01}, TemplateUnitCase{2, 1, 100}, TemplateUnitCase{2, 0, 1000},
                    TemplateUnitCase{3, 4, 0.001}, TemplateUnitCase{3, 5, 0.000001}, TemplateUnitCase{4, 5, 0.001},
                    TemplateUnitCase{4, 3, 1000}, TemplateUnitCase{5, 4, 1000}, TemplateUnitCase{5, 3, 1000000},
                    TemplateUnitCase{0, 0, 1}, TemplateUnitCase{4, 4, 1}, TemplateUnitCase{0, 4, 1}, TemplateUnitCase{4, 0, 1},
                    TemplateUnitCase{-1, 2, 1}, TemplateUnitCase{2, -1, 1}, TemplateUnitCase{6, 0, 1}));

struct StretchCase {
    QList<int> widths;
    int captions;
    int stretch;
    QList<int> expected;
};

void PrintTo(const StretchCase& c, std::ostream* os)
{
    *os << c.widths.size() << " widths, " << c.captions << " captions, stretch " << c.stretch;
}

class TemplateStretch : public testing::TestWithParam<StretchCase> {};

TEST_P(TemplateStretch, AdjustColWidth)
{
    const StretchCase c = GetParam();
    CVes_Template t;
    for (int i = 0; i < c.captions; ++i)
        t.m_captions.append(QStringLiteral("c%1").arg(i));
    t.m_widths = c.widths;
    t.m_stretchColumn = c.stretch;
    t.adjustColWidth();
    EXPECT_EQ(t.m_widths, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, TemplateStretch,
    testing::Values(StretchCase{{10, 20, 30, 5}, 4, 3, {10, 20, 30, 40}},
                    StretchCase{{10, 99, 30, 40}, 4, 1, {10, 20, 30, 40}},
                    StretchCase{{60, 50, 7}, 3, 2, {60, 50, -10}},
                    StretchCase{{50, 50, 7}, 3, 2, {50, 50, 0}},
                    // Widths beyond the captions take no part.
                    StretchCase{{10, 20, 30, 40}, 2, 0, {80, 20, 30, 40}},
                    // A width list shorter than the captions counts the rest as 0.
                    StretchCase{{10}, 3, 2, {10, 0, 90}},
                    StretchCase{{10, 20}, 2, 2, {10, 20}}, StretchCase{{10, 20}, 2, -1, {10, 20}},
                    StretchCase{{10, 20}, 0, 0, {10, 20}}));

TEST(Template, CopyPageSettingTakesThePageLayoutOnly)
{
    CVes_Template source;
    platform::Archive in(templatePart(9, 9));
    source.Serialize(in);
    source.m_columnNum = 5;

    CVes_Template t;
    t.m_columnNum = 2;
    t.m_captions = {QStringLiteral("甲"), QStringLiteral("乙")};
    t.m_widths = {50, 50};
    t.m_units = {0, 4};
    t.m_textHeights[1] = 99;
    t.CopyPageSetting(&source);

    EXPECT_EQ(t.m_orientation, 2);
    EXPECT_EQ(t.m_topMargin, 11);
    EXPECT_EQ(t.m_rightMargin, 14);
    EXPECT_EQ(t.m_rowHeight, 7);
    EXPECT_EQ(t.m_tableTextHeight, 4);
    EXPECT_EQ(t.m_shapeTextHeight, 35);
    EXPECT_EQ(t.m_reservedHeight, 9);
    EXPECT_EQ(t.m_rowNum, 17);
    EXPECT_EQ(t.m_rowMode, 1);
    EXPECT_EQ(t.m_textHeights, (std::array<int, 8>{60, 99, 31, 32, 33, 34, 35, 36}));
    // Not copied: paper, gutter and the columns (count, captions, widths
    // and units): a sheet keeps its own columns.
    EXPECT_EQ(t.m_paper, 9);
    EXPECT_EQ(t.m_gutter, 0);
    EXPECT_EQ(t.m_columnNum, 2);
    EXPECT_EQ(t.m_captions, (QStringList{QStringLiteral("甲"), QStringLiteral("乙")}));
    EXPECT_EQ(t.m_widths, (QList<int>{50, 50}));
    EXPECT_EQ(t.m_units, (QList<int>{0, 4}));
}

TEST(Template, LoadTemplateKeepsLanguageAndTextsOneToSeven)
{
    CVes_Template source;
    platform::Archive in(templatePart(9, 9));
    source.Serialize(in);
    source.m_pageNumberStyle = 1;

    CVes_Template t;
    t.m_language = 0;
    for (int i = 0; i < 8; ++i)
        t.m_texts[i].m_formula = QStringLiteral("own%1").arg(i);
    t.m_textHeights[1] = 99;
    t.m_columnNum = 4;
    t.m_captions = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")};
    t.m_widths = {1, 2, 3, 4};
    t.m_units = {0, 0, 0, 0};
    t.m_cover.initVariables();
    t.loadTemplate(&source);

    EXPECT_EQ(t.m_paper, 8);
    EXPECT_EQ(t.m_orientation, 2);
    EXPECT_EQ(t.m_customWidth, 111);
    EXPECT_EQ(t.m_gutter, 5);
    EXPECT_EQ(t.m_gutterPos, 1);
    EXPECT_EQ(t.m_titleColorBk, 0);
    EXPECT_EQ(t.m_spareFactor, 1.5);
    EXPECT_EQ(t.m_formFactor, 3.25);
    EXPECT_EQ(t.m_stretchColumn, 2);
    EXPECT_EQ(t.m_pageSummary, 1);
    EXPECT_EQ(t.m_sumJoint, 0);
    EXPECT_EQ(t.m_showTitle, 0);
    EXPECT_EQ(t.m_coverFlag, 1);
    // Lists overwritten entry by entry up to the new count.
    EXPECT_EQ(t.m_columnNum, 3);
    EXPECT_EQ(t.m_captions, (QStringList{QStringLiteral("构件"), QStringLiteral("编号"), QStringLiteral("重量(kg)"), QStringLiteral("d")}));
    EXPECT_EQ(t.m_widths, (QList<int>{30, 30, 40, 4}));
    EXPECT_EQ(t.m_units, (QList<int>{-1, 0, 4, 0}));
    EXPECT_EQ(t.m_textHeights, (std::array<int, 8>{60, 99, 31, 32, 33, 34, 35, 36}));
    EXPECT_EQ(t.m_texts[0].m_formula, QStringLiteral("文件0"));
    EXPECT_EQ(t.m_texts[0].m_text, QStringLiteral("t0"));
    for (int i = 1; i < 8; ++i)
        EXPECT_EQ(t.m_texts[i].m_formula, QStringLiteral("own%1").arg(i));
    EXPECT_EQ(t.m_language, 0u);
    EXPECT_EQ(t.m_pageNumberStyle, 0);
    ASSERT_EQ(t.m_cover.m_variables.size(), 2u);
    EXPECT_EQ(t.m_cover.m_variables[0]->m_formula, QStringLiteral("封面"));
}

TEST(Template, SetTitleSetsTheValueOfTextZero)
{
    CVes_Template t;
    t.setTitle(QStringLiteral("钢筋配料单"));
    EXPECT_EQ(t.m_texts[0].m_formula, QStringLiteral("钢筋配料单"));
    EXPECT_EQ(t.m_texts[0].valueText(), QStringLiteral("钢筋配料单"));
}

// A sheet writes its template part and then a payload of its own.
class PayloadSheet : public CVes_Template {
public:
    void Serialize(platform::Archive& ar) override
    {
        CVes_Template::Serialize(ar);
        if (ar.IsStoring())
            ar << std::int32_t(8) << QStringLiteral("整张表的数据");
    }
};

class TemplateFile : public testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir m_dir;
};

TEST_F(TemplateFile, HoldsTheWholeSheetAndLoadingAppliesOnlyTheLayout)
{
    test::HostScope host;
    PayloadSheet sheet;
    {
        platform::Archive in(templatePart(9, 9));
        sheet.Serialize(in);
    }
    const QByteArray sheetBytes = store(sheet);
    ASSERT_TRUE(sheet.saveTemplateFile(path("a.jtm")));
    EXPECT_EQ(store(sheet), sheetBytes) << "writing a template file changed the sheet";
    EXPECT_EQ(host->waitCalls(), 1);
    EXPECT_EQ(host->waitDepth(), 0);

    QFile file(path("a.jtm"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray onDisk = file.readAll();
    EXPECT_EQ(onDisk, templatePart(9, 9) + StreamBuilder().i(8).s(QStringLiteral("整张表的数据")).data());

    CVes_Template t;
    t.m_language = 1;
    t.m_texts[3].m_formula = QStringLiteral("本表工程");
    EXPECT_TRUE(t.loadTemplateFromFile(path("a.jtm")));
    EXPECT_EQ(t.m_paper, 8);
    EXPECT_EQ(t.m_columnNum, 3);
    EXPECT_EQ(t.m_texts[0].m_formula, QStringLiteral("文件0"));
    EXPECT_EQ(t.m_texts[3].m_formula, QStringLiteral("本表工程"));
    EXPECT_EQ(t.m_language, 1u);
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(TemplateFile, EmptyPathMissingAndDamagedFilesChangeNothing)
{
    test::HostScope host;
    CVes_Template t;
    t.m_paper = 11;
    EXPECT_FALSE(t.saveTemplateFile(QString()));
    EXPECT_FALSE(t.loadTemplateFromFile(QString()));
    EXPECT_FALSE(t.loadTemplateFromFile(path("missing.jtm")));
    EXPECT_FALSE(t.loadTemplateFromFile(m_dir.path()));

    QFile damaged(path("damaged.jtm"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(templatePart(9, 9).left(150));
    damaged.close();
    EXPECT_FALSE(t.loadTemplateFromFile(path("damaged.jtm")));
    EXPECT_EQ(t.m_paper, 11);
    EXPECT_TRUE(host->messages().empty());
}

// A template file whose column is a billion percent wide (the width that
// overflowed the page drawing) is refused and applies nothing.
TEST_F(TemplateFile, AColumnWiderThanAnyPageIsRefused)
{
    test::HostScope host;
    CVes_Template t;
    t.m_paper = 11;
    t.m_columnNum = 2;
    t.growColumnLists();
    const QString path = QDir(QStringLiteral(RODO_FIXTURES_DIR))
                             .filePath(QStringLiteral("template_column_width_huge.jtm"));
    EXPECT_FALSE(t.loadTemplateFromFile(path));
    EXPECT_EQ(t.m_paper, 11);
    EXPECT_EQ(t.m_columnNum, 2);
    EXPECT_EQ(t.m_widths, (QList<int>{0, 0}));
}

TEST_F(TemplateFile, AnUnknownSchemaPassesToTheCaller)
{
    QByteArray bytes = templatePart(9, 9);
    bytes.replace(0, 4, StreamBuilder().i(10).data());
    QFile file(path("new.jtm"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    CVes_Template t;
    EXPECT_THROW(t.loadTemplateFromFile(path("new.jtm")), platform::SchemaError);
    EXPECT_EQ(t.m_paper, 9);
}

TEST_F(TemplateFile, AFailedSaveLeavesThePreviousFileWhole)
{
    CVes_Template t;
    ASSERT_TRUE(t.saveTemplateFile(path("keep.jtm")));
    QFile file(path("keep.jtm"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    // A title GBK cannot hold cannot be written.
    t.setTitle(QStringLiteral("\U0001F600"));
    EXPECT_FALSE(t.saveTemplateFile(path("keep.jtm")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    file.close();

    EXPECT_FALSE(t.saveTemplateFile(path("no-such-folder/x.jtm")));
}

TEST_F(TemplateFile, AShorterTemplateLeavesNoStaleTail)
{
    PayloadSheet sheet;
    ASSERT_TRUE(sheet.saveTemplateFile(path("t.jtm")));
    CVes_Template plain;
    ASSERT_TRUE(plain.saveTemplateFile(path("t.jtm")));
    QFile file(path("t.jtm"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), store(plain));
}

} // namespace
