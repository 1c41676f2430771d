#include "core/geometry/steeltext.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// The grade font of the spreadsheet templates draws its symbols on the first
// characters of GBK's user-defined area (AA A2, AA A3, AA A4, AA AF), which
// the Windows code page maps to the start of the private-use area.
const QChar kPhi(0x03C6);       // φ, GBK A6 D5
const QChar kGradeTwo(0xE001);   // AA A2
const QChar kGradeThree(0xE002); // AA A3
const QChar kGradeFour(0xE003);  // AA A4
const QChar kGradeSix(0xE00E);   // AA AF

struct Grade {
    int code;
    const char* letters;
    QChar symbol;         // null: no spreadsheet text
    const char* suffix;   // letters after the symbol
    bool valid;
};

const Grade kGrades[] = {
    {1, "A", kPhi, "", true},         {2, "B", kGradeTwo, "", true},
    {3, "C", kGradeThree, "", true},  {4, "D", kGradeFour, "", true},
    {11, "AE", kPhi, "E", true},      {12, "L", kPhi, "L", true},
    {13, "T", kPhi, "T", true},       {14, "N", kPhi, "N", true},
    {15, "HM", kPhi, "HM", true},     {16, "PM", kPhi, "PM", true},
    {17, "H", kPhi, "H", true},       {18, "P", kPhi, "P", true},
    {19, "S", kPhi, "S", true},       {20, "", QChar(), "", true},
    {21, "BF", kGradeTwo, "F", true}, {23, "BE", kGradeTwo, "E", true},
    {31, "CF", kGradeThree, "F", true}, {32, "R", kGradeThree, "R", false},
    {33, "CE", kGradeThree, "E", true}, {41, "DF", kGradeFour, "F", true},
    {42, "DE", kGradeFour, "E", true},
};

const Grade* findGrade(int code)
{
    for (const Grade& g : kGrades) {
        if (g.code == code)
            return &g;
    }
    return nullptr;
}

// The diameters a bar may have.
// Stands in for Envora's diameter check until BarCore can call it.
int isValidDiameter(float d)
{
    static const float kDiameters[] = {4, 5, 5.5f, 6, 6.5f, 7, 8, 9, 10, 12, 14,
                                       16, 18, 20, 22, 25, 28, 30, 32, 36, 40, 50};
    for (const float allowed : kDiameters) {
        if (d == allowed)
            return 1;
    }
    return 0;
}

// The leading decimal number of a text, read as the C library's atof reads
// it (blanks first, then a sign, digits, a point and an exponent); 0 when
// there is none.
double leadingNumber(const QString& text)
{
    const std::string bytes = text.trimmed().toLatin1().toStdString();
    const char* first = bytes.data();
    const char* last = first + bytes.size();
    double sign = 1.0;
    if (first != last && (*first == '+' || *first == '-')) {
        sign = *first == '-' ? -1.0 : 1.0;
        ++first;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range)
        return sign * HUGE_VAL;
    return error == std::errc() ? sign * value : 0.0;
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
    const Grade* g = findGrade(grade);
    if (!g || g->symbol.isNull())
        return {};
    return g->symbol + QString::fromLatin1(g->suffix);
}

int Steel_isValidGrade(int grade)
{
    const Grade* g = findGrade(grade);
    return g && g->valid ? 1 : 0;
}

void Steel_ReplaceTableStringToExcelString(QString& text)
{
    static const int kCodes[] = {1, 2, 3, 4, 11, 12, 14, 13, 15, 16, 17, 18, 19, 21, 23, 31, 32, 33, 41, 42};
    const auto escape = [](int code) -> QString {
        return QStringLiteral("%%") + QLatin1Char(Steel_GradeToTableCHAR(code));
    };
    for (const int code : kCodes)
        text.replace(escape(code), Steel_GradeToExcelString(code));
    // Code 20 has no text of its own in lists but shows as φT in sheets;
    // code 6 has only its symbol. "%%E" stays as it is.
    text.replace(escape(20), QString(kPhi) + u'T');
    text.replace(escape(6), QString(kGradeSix));
}

QString DNtoString(float diameter)
{
    if (std::trunc(diameter) == diameter && std::fabs(diameter) < 2147483648.0f)
        return QString::asprintf("%d", int(diameter));
    return QString::asprintf("%.1f", double(diameter));
}

int transStringToGuige(const QString& text, int& grade, float& diameter)
{
    if (text.isEmpty())
        return 0;

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

    grade = code;
    if (s.isEmpty())
        return 1;
    const double d = leadingNumber(s);
    if (isValidDiameter(float(d))) {
        diameter = float(d);
        return 1;
    }
    return d > 0 ? 0 : 1;
}
