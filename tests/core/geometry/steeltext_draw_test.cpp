#include "core/geometry/steeltext.h"
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace platform;

namespace {

// The recording context measures every byte as half the font height wide:
// at height 40 a blank is 20 wide.
constexpr int kHeight = 40;

TEST(WriteText, GradeEscapeBecomesOneSymbolBeforeTheDigits)
{
    RecordingDc dc;
    dc.SetTextColor(0x0000FF);
    const Font before = dc.GetCurrentFont();
    writeText(&dc, QStringLiteral("%%C20"), QPoint(100, 200), kHeight, 0, TA_LEFT | TA_BASELINE,
              QString(), FW_NORMAL, 1.0);

    // The digits after a gap of three blanks, at the point.
    const auto texts = dc.records(DcOp::TextOut);
    ASSERT_EQ(texts.size(), 1u) << dc.dump().toStdString();
    EXPECT_EQ(texts[0].text, QStringLiteral("   20"));
    EXPECT_EQ(texts[0].points.at(0), QPoint(100, 200));
    EXPECT_EQ(texts[0].font.logFont().lfFaceName, QStringLiteral("Times New Roman"));
    EXPECT_EQ(texts[0].font.logFont().lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(texts[0].font.logFont().lfHeight, kHeight);
    EXPECT_EQ(texts[0].font.logFont().lfQuality, PROOF_QUALITY);
    EXPECT_EQ(texts[0].font.logFont().lfPitchAndFamily, 18);
    EXPECT_EQ(texts[0].state.bkMode, TRANSPARENT);
    EXPECT_EQ(texts[0].state.textAlign, TA_LEFT | TA_BASELINE);

    // One ellipse of 0.23 h by 0.16 h in the gap: a quarter blank and
    // 0.3 h into it, half the height below the top of the line (y 169).
    const auto arcs = dc.records(DcOp::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    const Rect box = arcs[0].rect;
    EXPECT_EQ(box.Width(), 2 * int(0.23 * kHeight));
    EXPECT_EQ(box.Height(), 2 * int(0.16 * kHeight));
    const QPoint centre = box.CenterPoint();
    EXPECT_EQ(centre, QPoint(100 + 20 / 4 + 12, 169 + 20));
    EXPECT_EQ(arcs[0].points.at(0), arcs[0].points.at(1));
    EXPECT_EQ(arcs[0].pen.color(), 0x0000FFu);
    EXPECT_EQ(arcs[0].pen.width(), 2);

    // Grade 3: two upright strokes and a foot, all in the text colour.
    const auto strokes = dc.segments();
    ASSERT_EQ(strokes.size(), 3u);
    EXPECT_EQ(strokes[0].from.y() > strokes[0].to.y(), true); // drawn upwards
    EXPECT_EQ(strokes[0].from.x(), strokes[0].to.x());
    EXPECT_EQ(strokes[1].from.x(), strokes[1].to.x());
    EXPECT_LT(strokes[0].from.x(), centre.x());
    EXPECT_GT(strokes[1].from.x(), centre.x());
    EXPECT_EQ(strokes[2].from.y(), strokes[2].to.y());
    EXPECT_GT(strokes[2].from.y(), centre.y());
    for (const auto& s : strokes)
        EXPECT_EQ(s.pen.color(), 0x0000FFu);

    // Everything is given back.
    EXPECT_EQ(dc.GetCurrentFont(), before);
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetTextAlign(), TA_LEFT | TA_TOP);
    EXPECT_EQ(dc.GetCurrentPen(), Pen());
}

struct SymbolCase {
    const char* escape;
    int strokes;
    const char* letters; // nullptr: none
};

void PrintTo(const SymbolCase& c, std::ostream* os) { *os << c.escape; }

const SymbolCase kSymbols[] = {
    {"%%A", 1, nullptr}, {"%%B", 2, nullptr},  {"%%C", 3, nullptr}, {"%%D", 4, nullptr},
    {"%%E", 3, nullptr}, {"%%K", 1, "E"},      {"%%L", 1, "R"},     {"%%M", 1, "T"},
    {"%%N", 1, "t"},     {"%%O", 1, "HM"},     {"%%P", 1, "PM"},    {"%%Q", 1, "H"},
    {"%%R", 1, "P"},     {"%%S", 1, "S"},      {"%%T", 1, "b"},     {"%%U", 2, "F"},
    {"%%W", 2, "E"},     {"%%_", 3, "F"},      {"%%`", 3, "R"},     {"%%a", 3, "E"},
    {"%%i", 4, "F"},     {"%%j", 4, "E"},
};

class GradeSymbols : public ::testing::TestWithParam<SymbolCase> {};

TEST_P(GradeSymbols, StrokesAndLettersOfEachFamily)
{
    const SymbolCase& c = GetParam();
    RecordingDc dc;
    writeText(&dc, QString::fromLatin1(c.escape) + QStringLiteral("12"), QPoint(0, 100), kHeight, 0,
              TA_LEFT | TA_BASELINE, QString(), FW_NORMAL, 1.0);
    EXPECT_EQ(dc.count(DcOp::Arc), 1);
    EXPECT_EQ(int(dc.segments().size()), c.strokes);
    const auto texts = dc.records(DcOp::TextOut);
    ASSERT_EQ(texts.size(), c.letters ? 2u : 1u);
    // At 40 the letters (0.6 of it, 12 a letter) fit the gap of three blanks.
    EXPECT_EQ(texts[0].text, QStringLiteral("   12"));
    if (!c.letters)
        return;
    const LogFont& font = texts[1].font.logFont();
    EXPECT_EQ(texts[1].text, QString::fromLatin1(c.letters));
    EXPECT_EQ(font.lfFaceName, QStringLiteral("Times New Roman"));
    EXPECT_EQ(font.lfWeight, FW_SEMIBOLD);
    EXPECT_EQ(font.lfHeight, int(0.6 * kHeight));
    EXPECT_EQ(texts[1].state.textAlign, TA_LEFT | TA_TOP);
}

INSTANTIATE_TEST_SUITE_P(AllEscapes, GradeSymbols, ::testing::ValuesIn(kSymbols));

// A symbol's letters (HRB400E's seismic "E") are legible, 2 mm at the
// drawing's scale or 0.6 of the text where that is more, never more than the
// text; they stand right of the symbol, clear of its ellipse and strokes, and
// end before the digits after it.
struct LetterCase {
    const char* name;
    const char* escape;
    int height;
    double scale;
    int letterHeight;
};

void PrintTo(const LetterCase& c, std::ostream* os) { *os << c.name; }

class SymbolLetters : public ::testing::TestWithParam<LetterCase> {};

TEST_P(SymbolLetters, LegibleAndApartFromTheSymbolAndTheDigits)
{
    const LetterCase& c = GetParam();
    for (const bool ownFace : {false, true}) {
        SCOPED_TRACE(ownFace ? "宋体" : "Times New Roman");
        RecordingDc dc;
        const QPoint at(0, 100);
        writeText(&dc, QString::fromLatin1(c.escape) + QStringLiteral("25"), at, c.height, 0,
                  TA_LEFT | TA_BASELINE, ownFace ? QStringLiteral("宋体") : QString(), FW_NORMAL,
                  c.scale);
        const auto texts = dc.records(DcOp::TextOut);
        ASSERT_EQ(texts.size(), 2u);
        const int letterHeight = texts[1].font.logFont().lfHeight;
        EXPECT_EQ(letterHeight, c.letterHeight);

        // The symbol's right edge: its ellipse and its strokes.
        int symbolRight = dc.records(DcOp::Arc).at(0).rect.right;
        for (const auto& s : dc.segments())
            symbolRight = std::max({symbolRight, s.from.x(), s.to.x()});
        // Every byte is half the font's height wide.
        const int lettersLeft = texts[1].points.at(0).x();
        const int lettersRight = lettersLeft + int(texts[1].text.size()) * letterHeight / 2;
        const QString& line = texts[0].text;
        const int blanks = int(line.indexOf(u'2'));
        const int digitsLeft = at.x() + blanks * c.height / 2;
        EXPECT_GT(lettersLeft, symbolRight);
        EXPECT_LT(lettersRight, digitsLeft) << line.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Heights, SymbolLetters,
    ::testing::Values(LetterCase{"Large", "%%a", 100, 1.0, 60},
                      LetterCase{"ThreeMillimetres", "%%a", 30, 1.0, 20},
                      LetterCase{"TwoMillimetres", "%%a", 20, 1.0, 20},
                      LetterCase{"HalfScale", "%%a", 30, 0.5, 18},
                      LetterCase{"DoubleScale", "%%a", 30, 2.0, 30},
                      LetterCase{"TwoLetters", "%%O", 30, 1.0, 20},
                      LetterCase{"FourthGrade", "%%j", 20, 1.0, 20}));

TEST(WriteText, PlainTextGoesOutAsItIs)
{
    RecordingDc dc;
    writeText(&dc, QString::fromUtf8("箍筋%%X 100%"), QPoint(5, 6), 30, 0, TA_RIGHT, QString::fromUtf8("宋体"),
              FW_BOLD, 1.0);
    const auto texts = dc.records(DcOp::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, QString::fromUtf8("箍筋%%X 100%"));
    EXPECT_EQ(texts[0].points.at(0), QPoint(5, 6));
    const LogFont& font = texts[0].font.logFont();
    EXPECT_EQ(font.lfFaceName, QString::fromUtf8("宋体"));
    EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(dc.count(DcOp::Arc), 0);
}

TEST(WriteText, OwnFaceGivesEverySymbolAGapItFitsIn)
{
    RecordingDc dc;
    writeText(&dc, QStringLiteral("2%%C20+%%A8"), QPoint(0, 0), kHeight, 0, TA_LEFT | TA_TOP,
              QString::fromUtf8("黑体"), FW_NORMAL, 1.0);
    // Two blanks (40) hold a symbol half a height wide with room to spare.
    EXPECT_EQ(dc.texts(), QStringList{QStringLiteral("2  20+  8")});
    const auto arcs = dc.records(DcOp::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    // Each symbol in the middle of its own gap: x 20 to 60 after "2", x 120
    // to 160 after "2  20+"; neither touches the characters beside it.
    const int gaps[2] = {20, 120};
    const auto strokes = dc.segments();
    for (int i = 0; i < 2; ++i) {
        const Rect box = arcs[std::size_t(i)].rect;
        EXPECT_EQ(box.CenterPoint().x(), gaps[i] + 20);
        EXPECT_GT(box.left, gaps[i]);
        EXPECT_LT(box.right, gaps[i] + 40);
    }
    for (const auto& s : strokes) {
        const bool inGap = (s.from.x() > 20 && s.from.x() < 60 && s.to.x() > 20 && s.to.x() < 60)
                           || (s.from.x() > 120 && s.from.x() < 160 && s.to.x() > 120
                               && s.to.x() < 160);
        EXPECT_TRUE(inGap) << s.from.x() << " to " << s.to.x();
    }
    EXPECT_EQ(arcs[0].rect.CenterPoint().y(), kHeight / 2);
}

TEST(WriteText, RightAndCentreAlignmentMoveTheSymbolsBack)
{
    // "   20" is 100 wide: right aligned it starts 100 before the point.
    RecordingDc right;
    writeText(&right, QStringLiteral("%%A20"), QPoint(300, 0), kHeight, 0, TA_RIGHT | TA_TOP,
              QString(), FW_NORMAL, 1.0);
    RecordingDc centre;
    writeText(&centre, QStringLiteral("%%A20"), QPoint(300, 0), kHeight, 0, TA_CENTER | TA_TOP,
              QString(), FW_NORMAL, 1.0);
    RecordingDc left;
    writeText(&left, QStringLiteral("%%A20"), QPoint(300, 0), kHeight, 0, TA_LEFT | TA_TOP,
              QString(), FW_NORMAL, 1.0);
    const int x = left.records(DcOp::Arc).at(0).rect.CenterPoint().x();
    EXPECT_NEAR(right.records(DcOp::Arc).at(0).rect.CenterPoint().x(), x - 100, 1);
    EXPECT_NEAR(centre.records(DcOp::Arc).at(0).rect.CenterPoint().x(), x - 50, 1);
}

TEST(WriteText, SymbolsStayUprightWhenTheYAxisPointsUp)
{
    RecordingDc dc;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1000, 1000);
    dc.SetViewportExt(1000, -1000);
    writeText(&dc, QStringLiteral("%%A20"), QPoint(0, 500), kHeight, 0, TA_LEFT | TA_BASELINE,
              QString(), FW_NORMAL, 1.0);
    // The top of the line is above the baseline: at larger y.
    const QPoint centre = dc.records(DcOp::Arc).at(0).rect.CenterPoint();
    EXPECT_GT(centre.y(), 500);
    EXPECT_LT(centre.y(), 500 + int(0.8 * kHeight));
    const auto strokes = dc.segments();
    ASSERT_EQ(strokes.size(), 1u);
    // From below the centre to above it.
    EXPECT_LT(strokes[0].from.y(), centre.y());
    EXPECT_GT(strokes[0].to.y(), centre.y());
}

struct EscapementCase {
    int angle;
    int escapement;
};

class WriteTextAngles : public ::testing::TestWithParam<EscapementCase> {};

TEST_P(WriteTextAngles, AreBroughtIntoRange)
{
    RecordingDc dc;
    writeText(&dc, QStringLiteral("12"), QPoint(0, 0), kHeight, GetParam().angle, TA_LEFT, QString(),
              FW_NORMAL, 1.0);
    EXPECT_EQ(dc.records(DcOp::TextOut).at(0).font.logFont().lfEscapement, GetParam().escapement);
    EXPECT_EQ(dc.records(DcOp::TextOut).at(0).font.logFont().lfOrientation, GetParam().escapement);
}

INSTANTIATE_TEST_SUITE_P(Angles, WriteTextAngles,
                         ::testing::Values(EscapementCase{0, 0}, EscapementCase{-90, 2700}, EscapementCase{-1, 3590},
                                           EscapementCase{-360, 0}, EscapementCase{450, 900}, EscapementCase{360, 3600},
                                           EscapementCase{720, 3600}, EscapementCase{90, 900}));

TEST(WriteText, EscapesFarIntoALongTextAreNotDrawn)
{
    RecordingDc dc;
    writeText(&dc, QString(20000, u'x') + QStringLiteral("%%C20"), QPoint(0, 0), 10, 0, TA_LEFT,
              QString(), FW_NORMAL, 1.0);
    EXPECT_EQ(dc.count(DcOp::Arc), 0);
    EXPECT_TRUE(dc.texts().at(0).endsWith(QStringLiteral("%%C20")));
}

} // namespace
