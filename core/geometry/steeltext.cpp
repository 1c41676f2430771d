#include "core/geometry/steeltext.h"

#include "core/geometry/formula.h"
#include "core/geometry/geometry.h"
#include "envora/rules.h"
#include "platform/dc.h"
#include "platform/gbk.h"
#include "platform/saturate.h"

#include <QStringList>

#include <cmath>

namespace {

struct Grade {
    int code;
    const char* letters;
    bool valid;
};

const Grade kGrades[] = {
    {1, "A", true},    {2, "B", true},    {3, "C", true},    {4, "D", true},   {11, "AE", true},
    {12, "L", true},   {13, "T", true},   {14, "N", true},   {15, "HM", true}, {16, "PM", true},
    {17, "H", true},   {18, "P", true},   {19, "S", true},   {20, "", true},   {21, "BF", true},
    {23, "BE", true},  {31, "CF", true},  {32, "R", false},  {33, "CE", true}, {41, "DF", true},
    {42, "DE", true},
};

const Grade* findGrade(int code)
{
    for (const Grade& g : kGrades) {
        if (g.code == code)
            return &g;
    }
    return nullptr;
}

// The letters a typed size may start with: pairs before single letters.
struct GradeLetters {
    char first;
    char second; // 0: the first letter alone
    int code;
};

const GradeLetters kGradeLetters[] = {
    {'A', 'E', 11}, {'B', 'B', 21}, {'B', 'F', 21}, {'B', 'E', 23}, {'C', 'C', 31},
    {'C', 'F', 31}, {'C', 'E', 33}, {'D', 'D', 41}, {'D', 'F', 41}, {'D', 'E', 42},
    {'E', 'E', 33}, {'H', 'M', 15}, {'P', 'M', 16},
    {'A', 0, 1},    {'B', 0, 2},    {'C', 0, 3},    {'D', 0, 4},    {'E', 0, 23},
    {'H', 0, 17},   {'P', 0, 18},   {'L', 0, 12},   {'N', 0, 14},   {'R', 0, 32},
    {'S', 0, 19},   {'T', 0, 13},
};

// The grade named by the first letters and how many letters name it.
int gradeOfLetters(QChar c0, QChar c1, int& used)
{
    for (const GradeLetters& g : kGradeLetters) {
        if (c0 != QLatin1Char(g.first))
            continue;
        if (g.second == 0 || c1 == QLatin1Char(g.second)) {
            used = g.second == 0 ? 1 : 2;
            return g.code;
        }
    }
    used = 0;
    return 0;
}

// "/", "*", "-" and "+" are the quick keys for the letters A to D.
QChar fromShortcut(QChar c)
{
    switch (c.unicode()) {
    case '/': return u'A';
    case '*': return u'B';
    case '-': return u'C';
    case '+': return u'D';
    default: return c;
    }
}

bool startsWithDigit(const QString& s) { return !s.isEmpty() && s[0].isDigit() && s[0].unicode() < 0x80; }

void removeLeading(QString& s, QChar c)
{
    qsizetype n = 0;
    while (n < s.size() && s[n] == c)
        ++n;
    s.remove(0, n);
}

} // namespace

QString Steel_GradeToString(int grade)
{
    const Grade* g = findGrade(grade);
    return g ? QString::fromLatin1(g->letters) : QString();
}

char Steel_GradeToTableCHAR(int grade)
{
    return char(grade + 64);
}

QString Steel_GradeToExcelString(int grade)
{
    // A workbook is read in any spreadsheet program, on machines that have
    // no font of grade symbols: there a grade is written with the letters a
    // detailer types for it. The grades without letters of their own that
    // texts hold escapes of keep their escape's letter.
    const QString letters = Steel_GradeToString(grade);
    if (!letters.isEmpty())
        return letters;
    if (grade == 5 || grade == 6 || grade == 20)
        return QString(QLatin1Char(Steel_GradeToTableCHAR(grade)));
    return {};
}

int Steel_isValidGrade(int grade)
{
    const Grade* g = findGrade(grade);
    return g && g->valid ? 1 : 0;
}

QString DNtoString(float diameter)
{
    if (std::trunc(diameter) == diameter && std::fabs(diameter) < 2147483648.0f)
        return QString::number(int(diameter));
    return QString::asprintf("%.1f", double(diameter));
}

namespace {

// What a typed size names: the grade code of its leading letters and the
// text left for its diameter.
struct SizeParts {
    int code = 0;
    QString rest;
};

SizeParts splitSize(const QString& text)
{
    QString s = text.toUpper();
    // Leading blanks are not skipped: " C25" has no grade.
    s[0] = fromShortcut(s[0]);
    if (s.size() > 1)
        s[1] = fromShortcut(s[1]);
    const QChar c0 = s[0];
    const QChar c1 = s.size() > 1 ? s[1] : QChar();

    int used = 0;
    int code = gradeOfLetters(c0, c1, used);
    s.remove(0, used);

    // Letters repeated or unknown ("CCC25", "X12") are skipped up to the
    // diameter.
    if (!s.isEmpty() && !startsWithDigit(s)) {
        removeLeading(s, c0);
        if (!startsWithDigit(s) && !c1.isNull())
            removeLeading(s, c1);
    }

    // "320": grade 3, diameter 20.
    if (code == 0 && (s.size() == 1 || s.size() == 3) && s[0] >= u'1' && s[0] <= u'4') {
        code = s[0].unicode() - '0';
        s[0] = u' ';
    }
    return {code, s};
}

// Digits with at most one decimal point: "20", "12.5", ".5".
bool isPlainNumber(const QString& text)
{
    bool digits = false;
    bool point = false;
    for (const QChar c : text) {
        if (c == u'.' && !point)
            point = true;
        else if (c >= u'0' && c <= u'9')
            digits = true;
        else
            return false;
    }
    return digits;
}

} // namespace

int transStringToGuige(const QString& text, int& grade, float& diameter)
{
    if (text.isEmpty())
        return 0;
    const SizeParts parts = splitSize(text);
    grade = parts.code;
    if (parts.rest.isEmpty())
        return 1;
    const double d = leadingNumberOf(parts.rest);
    if (Info_isValidDN(float(d))) {
        diameter = float(d);
        return 1;
    }
    return d > 0 ? 0 : 1;
}

int transTypedGuige(const QString& text, int& grade, float& diameter)
{
    if (text.isEmpty())
        return 0;
    const SizeParts parts = splitSize(text);
    const QString rest = parts.rest.trimmed();
    if (!rest.isEmpty() && !isPlainNumber(rest))
        return 0;
    int typedGrade = 0;
    float typedDiameter = 0.0f;
    if (!transStringToGuige(text, typedGrade, typedDiameter))
        return 0;
    if (typedGrade == 0 && typedDiameter <= 0.0f)
        return 0;
    grade = typedGrade;
    if (typedDiameter > 0.0f)
        diameter = typedDiameter;
    return 1;
}

// Drawing grade symbols inside texts.

namespace {

using namespace platform::gdi;

constexpr double kPi = 3.1415926;
constexpr double kHalfPi = 1.5707963;
// Escapes further into a text than this are left as they are.
constexpr qsizetype kLastEscapePosition = 19999;
// The narrowest gap a grade symbol stands in within a text of a Chinese
// face, in text heights: the symbol is about half a height wide.
constexpr double kOwnFaceGap = 0.7;
// The smallest letter a reader reads on paper, in 0.1 mm times the drawing's
// scale: a symbol's letters (the seismic "E") are no smaller, up to the
// height of the text they stand in.
constexpr double kLegibleLetterHeight = 20;
// A symbol's letters in text heights, where that is larger; and how far they
// stand right of the symbol's centre (its widest half is 0.23 of a height,
// so they stand clear of it) and clear of what follows.
constexpr double kLetterShare = 0.6;
constexpr double kLetterFromCentre = 0.3;
constexpr double kLetterRoom = 0.1;

// Whether "%%" followed by `c` is a grade escape that texts may hold.
bool isEscapeCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'E') || (u >= 'K' && u <= 'U') || u == 'W' || u == '_' || u == '`'
           || u == 'a' || u == 'i' || u == 'j';
}

// A text cut at its grade escapes: pieces[i] stands before codes[i].
struct EscapedText {
    QStringList pieces;
    std::vector<int> codes;
};

EscapedText splitAtEscapes(const QString& text)
{
    EscapedText out;
    qsizetype from = 0;
    for (qsizetype i = 0; i + 2 < text.size() && i <= kLastEscapePosition; ++i) {
        if (text[i] == u'%' && text[i + 1] == u'%' && isEscapeCharacter(text[i + 2])) {
            out.pieces << text.mid(from, i - from);
            out.codes.push_back(text[i + 2].unicode() - 64);
            from = i + 3;
            i += 2;
        }
    }
    out.pieces << text.mid(from);
    return out;
}

// Degrees brought into 0 … 360 the way stored texts expect: negative angles
// into 0 … 359, angles above 360 into 1 … 360.
int normalisedAngle(int angle)
{
    const long long a = angle;
    if (a < 0)
        return int(359 - ((359 - a) % 360));
    if (a > 360)
        return int(((a - 1) % 360) + 1);
    return angle;
}

int scaleYSign(const platform::Dc& dc)
{
    return dc.scaleY() < 0 ? -1 : 1;
}

// Directions of a text in the context's logical units: along the text and
// towards the top of its characters, whichever way the y axis points.
struct TextFrame {
    TextFrame(double radians, int ySign)
        : along(-ySign * radians), back(along + kPi), up(along - ySign * kHalfPi), down(up + kPi)
    {
    }
    double along;
    double back;
    double up;
    double down;
};

const char* symbolLetters(int code)
{
    switch (code) {
    case 11: case 23: case 33: case 42: return "E";
    case 12: case 32: return "R";
    case 13: return "T";
    case 14: return "t";
    case 15: return "HM";
    case 16: return "PM";
    case 17: return "H";
    case 18: return "P";
    case 19: return "S";
    case 20: return "b";
    case 21: case 31: case 41: return "F";
    default: return nullptr;
    }
}

// The height of a symbol's letters in a text `h` high: legible at the
// drawing's `scale` (and on a screen), up to the text's own height.
int letterHeight(const platform::Dc& dc, int h, double scale)
{
    const double legible = std::max(
        kLegibleLetterHeight * (std::isfinite(scale) ? std::abs(scale) : 1.0),
        double(screenLegibleHeight(dc)));
    return int(std::min(double(h), std::max(kLetterShare * h, legible)));
}

platform::Font letterFont(int height, int escapement)
{
    return platform::Font::create(height, 0, escapement, escapement, FW_SEMIBOLD, 0, 0, 0,
                                  ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  PROOF_QUALITY, VARIABLE_PITCH | FF_ROMAN,
                                  QStringLiteral("Times New Roman"));
}

// How far the letters of symbol `code` reach right of its centre, with room
// after them; 0 for a symbol without letters.
int lettersReach(platform::Dc& dc, int code, int h, double scale)
{
    const char* letters = symbolLetters(code);
    if (!letters)
        return 0;
    const platform::Font old = dc.SelectObject(letterFont(letterHeight(dc, h, scale), 0));
    const int width = dc.GetTextExtent(QString::fromLatin1(letters)).width();
    dc.SelectObject(old);
    return int((kLetterFromCentre + kLetterRoom) * h) + width;
}

void stroke(platform::Dc& dc, QPoint from, QPoint to)
{
    dc.MoveTo(from);
    dc.LineTo(to);
}

// One grade symbol: an ellipse crossed by strokes, with its letters at the
// upper right. `h` is the text height, `g` the width of its gap.
void drawGradeSymbol(platform::Dc& dc, QPoint centre, int h, double radians, const TextFrame& f,
                     int code, double widthFactor)
{
    const double g = 0.6 * h;
    const platform::Pen oldPen = dc.SelectObject(platform::Pen(PS_SOLID, int(2 * widthFactor), dc.GetTextColor()));

    const auto near = [&](double a, double b) { return std::fabs(a - b) < 0.1; };
    int rx = int(0.19 * h);
    int ry = int(0.16 * h);
    if (near(radians, 0) || near(radians, kPi)) {
        rx = int(0.23 * h);
    } else if (near(radians, kHalfPi) || near(radians, 4.7123889)) {
        rx = int(0.16 * h);
        ry = int(0.22 * h);
    }
    using platform::saturatedAdd;
    using platform::saturatedSub;
    const QPoint rim(saturatedAdd(centre.x(), rx), centre.y());
    dc.Arc(platform::Rect(saturatedSub(centre.x(), rx), saturatedSub(centre.y(), ry), rim.x(),
                          saturatedAdd(centre.y(), ry)),
           rim, rim);

    const auto across = [&](QPoint p, double below, double above) {
        stroke(dc, vesPolar(p, f.down, int(below)), vesPolar(p, f.up, int(above)));
    };
    const auto bar = [&](QPoint p, double ahead, double behind) {
        stroke(dc, vesPolar(p, f.along, int(ahead)), vesPolar(p, f.back, int(behind)));
    };
    if (code == 1 || (code >= 6 && code <= 20)) {
        across(centre, 0.28 * h, 0.31 * h);
    } else if (code == 2 || code == 21 || code == 23) {
        across(centre, 0.28 * h, 0.31 * h);
        bar(vesPolar(centre, f.down, int(0.28 * h)), 0.21 * h, 0.24 * h);
    } else {
        across(vesPolar(centre, f.back, int(0.18 * g)), 0.26 * h, 0.30 * h);
        across(vesPolar(centre, f.along, int(0.16 * g)), 0.26 * h, 0.30 * h);
        bar(vesPolar(centre, f.down, int(0.28 * h)), 0.21 * h, 0.26 * h);
        if (code == 4 || code == 41 || code == 42)
            bar(vesPolar(centre, f.up, int(0.28 * h)), 0.21 * h, 0.26 * h);
    }
    dc.SelectObject(oldPen);

    const char* letters = symbolLetters(code);
    if (!letters)
        return;
    // Right of the symbol, their tops level with the text's.
    const int escapement = int(std::lround(radians / kDegreesToRadians)) * 10;
    const platform::Font oldFont =
        dc.SelectObject(letterFont(letterHeight(dc, h, widthFactor), escapement));
    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.TextOut(vesPolar(vesPolar(centre, f.up, int(0.5 * h)), f.along, int(kLetterFromCentre * h)),
               QString::fromLatin1(letters));
    dc.SetTextAlign(oldAlign);
    dc.SelectObject(oldFont);
}

} // namespace

namespace {

// The font writeText draws a text in.
platform::Font textFont(int height, int angle, const QString& fontName, int weight)
{
    const bool ownFace = platform::gbk::byteLength(fontName) > 2;
    return platform::Font::create(
        height, 0, angle * 10, ownFace ? 0 : angle * 10, weight, 0, 0, 0,
        ownFace ? GB2312_CHARSET : ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        PROOF_QUALITY, VARIABLE_PITCH | FF_ROMAN, ownFace ? fontName : QStringLiteral("Times New Roman"));
}

// The line a text with grade escapes goes out as: each symbol stands in a
// gap of blanks, drawn over afterwards: three of Times New Roman, or in a
// Chinese face as many as hold the symbol with some room on either side, so
// that it never runs into the digits beside it; a symbol with letters (the
// seismic "E") gets blanks enough for them too. `gapAt` gets where each gap
// begins and `into` how far into it each symbol's centre lies. The font must
// be selected; `scale` is the drawing's.
struct GappedLine {
    QString line;
    std::vector<int> gapAt;
    int into = 0;
};

GappedLine gappedLine(platform::Dc& dc, const EscapedText& escaped, bool ownFace, int h,
                      double scale)
{
    GappedLine out;
    QString gap = ownFace ? QStringLiteral(" ") : QStringLiteral("   ");
    while (ownFace && gap.size() < 8 && dc.GetTextExtent(gap).width() < int(kOwnFaceGap * h))
        gap += u' ';
    // The symbol's centre: a quarter blank and half its width into a gap of
    // Times New Roman, the middle of a gap of a Chinese face.
    out.into = ownFace ? dc.GetTextExtent(gap).width() / 2
                       : dc.GetTextExtent(QStringLiteral(" ")).width() / 4 + int(0.6 * h / 2);
    out.line = escaped.pieces.front();
    for (qsizetype i = 1; i < escaped.pieces.size(); ++i) {
        out.gapAt.push_back(dc.GetTextExtent(out.line).width());
        QString symbolGap = gap;
        const int reach = out.into + lettersReach(dc, escaped.codes[std::size_t(i - 1)], h, scale);
        while (symbolGap.size() < 64 && dc.GetTextExtent(symbolGap).width() < reach)
            symbolGap += u' ';
        out.line += symbolGap + escaped.pieces[i];
    }
    return out;
}

} // namespace

int screenLegibleHeight(const platform::Dc& dc)
{
    constexpr double kPixels = 8;
    const double pixelsPerUnit = std::abs(dc.scaleY());
    const int dpi = dc.GetDeviceCaps(LOGPIXELSY);
    if (dc.IsPrinting() || !(pixelsPerUnit > 0) || dpi <= 0)
        return 0;
    return int(std::ceil(kPixels * dpi / 96.0 / pixelsPerUnit));
}

void Steel_ReplaceTableStringToExcelString(QString& text)
{
    // Code 6 has an escape of the spreadsheet's own, which drawing leaves.
    text.replace(QStringLiteral("%%F"), QStringLiteral("F"));
    const EscapedText escaped = splitAtEscapes(text);
    if (escaped.codes.empty())
        return;
    QString out = escaped.pieces.front();
    for (std::size_t i = 0; i < escaped.codes.size(); ++i) {
        const int code = escaped.codes[i];
        const QString letters = Steel_GradeToExcelString(code);
        out += letters.isEmpty() ? QString(QLatin1Char(Steel_GradeToTableCHAR(code))) : letters;
        out += escaped.pieces[qsizetype(i) + 1];
    }
    text = out;
}

int writeTextWidth(platform::Dc* dc, const QString& text, int height, const QString& fontName,
                   int weight, double widthFactor)
{
    if (!dc)
        return 0;
    height = deviceTextHeight(height);
    const platform::Font oldFont = dc->SelectObject(textFont(height, 0, fontName, weight));
    const EscapedText escaped = splitAtEscapes(text);
    const bool ownFace = platform::gbk::byteLength(fontName) > 2;
    const QString line = escaped.codes.empty()
        ? text
        : gappedLine(*dc, escaped, ownFace, std::abs(height), widthFactor).line;
    const int width = dc->GetTextExtent(line).width();
    dc->SelectObject(oldFont);
    return width;
}

void writeText(platform::Dc* dc, const QString& text, QPoint point, int height, int angle,
               unsigned align, const QString& fontName, int weight, double widthFactor)
{
    if (!dc)
        return;
    angle = normalisedAngle(angle);
    height = deviceTextHeight(height);
    const bool ownFace = platform::gbk::byteLength(fontName) > 2;
    const platform::Font oldFont = dc->SelectObject(textFont(height, angle, fontName, weight));
    const unsigned oldAlign = dc->SetTextAlign(align);
    const int oldMode = dc->SetBkMode(TRANSPARENT);

    const EscapedText escaped = splitAtEscapes(text);
    if (escaped.codes.empty()) {
        dc->TextOut(point, text);
    } else {
        const int h = std::abs(height);
        const GappedLine gapped = gappedLine(*dc, escaped, ownFace, h, widthFactor);
        const QString& line = gapped.line;
        const std::vector<int>& gapAt = gapped.gapAt;
        dc->TextOut(point, line);

        const double radians = angle * kDegreesToRadians;
        const TextFrame f(radians, scaleYSign(*dc));
        // The top left of the line.
        QPoint start = point;
        if ((align & TA_BASELINE) == TA_BASELINE)
            start = vesPolar(start, f.up, int(0.8 * h));
        else if (align & TA_BOTTOM)
            start = vesPolar(start, f.up, h);
        const int width = dc->GetTextExtent(line).width();
        if ((align & TA_CENTER) == TA_CENTER)
            start = vesPolar(start, f.back, width / 2);
        else if (align & TA_RIGHT)
            start = vesPolar(start, f.back, width);

        for (std::size_t i = 0; i < escaped.codes.size(); ++i) {
            const int along = platform::saturatedAdd(gapAt[i], gapped.into);
            QPoint centre = vesPolar(start, f.along, along);
            centre = vesPolar(centre, f.down, h / 2);
            drawGradeSymbol(*dc, centre, h, radians, f, escaped.codes[i], widthFactor);
        }
    }

    dc->SetBkMode(oldMode);
    dc->SetTextAlign(oldAlign);
    dc->SelectObject(oldFont);
}
