#include "platform/xlsx/workbook.h"

#include "tests/support/exportedbook.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>

#include <atomic>
#include <map>
#include <optional>

using namespace platform::xlsx;

namespace {

// One member of the saved zip, through the unzip tool.
QByteArray member(const QString& zip, const QString& name)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, name});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

// The XML of the cell `name` ("<c r="B6" …>…</c>" or "<c r="B6" …/>").
QString cellXml(const QString& sheetXml, const QString& name)
{
    const QRegularExpression pattern(
        QStringLiteral("<c r=\"%1\"[^>]*?(/>|>.*?</c>)").arg(name));
    return pattern.match(sheetXml).captured(0);
}

// The shared strings in their order.
QStringList sharedStrings(const QString& xml)
{
    QStringList strings;
    const QRegularExpression pattern(QStringLiteral("<si><t[^>]*>(.*?)</t></si>"),
                                     QRegularExpression::DotMatchesEverythingOption);
    for (auto it = pattern.globalMatch(xml); it.hasNext();)
        strings << it.next().captured(1);
    return strings;
}

// The text a string cell shows.
QString stringOf(const QString& cell, const QStringList& strings)
{
    const auto match = QRegularExpression(QStringLiteral("t=\"s\"[^>]*><v>(\\d+)</v>")).match(cell);
    return match.hasMatch() ? strings.value(match.captured(1).toInt()) : QString();
}

// Whether the cell's style draws a border.
bool bordered(const QString& cell, const QString& stylesXml)
{
    const auto style = QRegularExpression(QStringLiteral(" s=\"(\\d+)\"")).match(cell);
    if (!style.hasMatch())
        return false;
    const QString xfs = QRegularExpression(QStringLiteral("<cellXfs[^>]*>(.*?)</cellXfs>"))
                            .match(stylesXml)
                            .captured(1);
    QStringList entries;
    for (auto it = QRegularExpression(QStringLiteral("<xf [^>]*>")).globalMatch(xfs); it.hasNext();)
        entries << it.next().captured(0);
    const QString xf = entries.value(style.captured(1).toInt());
    const auto border = QRegularExpression(QStringLiteral("borderId=\"(\\d+)\"")).match(xf);
    return border.hasMatch() && border.captured(1) != QLatin1String("0");
}

SheetTemplate sheetLayout(const QString& name, int columns)
{
    SheetTemplate sheet;
    sheet.name = name;
    for (int i = 0; i < columns; ++i)
        sheet.columns.push_back({10, QStringLiteral("列%1").arg(i + 1), Align::Center});
    return sheet;
}

WorkbookTemplate twoSheets()
{
    WorkbookTemplate layout;
    layout.sheets = {sheetLayout(QStringLiteral("配料单"), 11),
                     sheetLayout(QStringLiteral("钢筋汇总表"), 6)};
    return layout;
}

class XlsxWorkbook : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
            GTEST_SKIP() << "unzip is not installed";
    }
    QTemporaryDir dir;
    test::HostScope host;
};

TEST_F(XlsxWorkbook, SavedFileHoldsSheetsTextsNumbersBordersAndPicture)
{
    Workbook book;
    book.setTemplate(twoSheets());
    Worksheet* bars = book.sheet(QStringLiteral("配料单"));
    Worksheet* summary = book.sheet(QStringLiteral("钢筋汇总表"));
    ASSERT_TRUE(bars && summary);

    ASSERT_TRUE(bars->setText(1, 1, QStringLiteral("钢筋配料单")));
    ASSERT_TRUE(bars->setText(QStringLiteral("A2"), QStringLiteral("工程名称：综合楼")));
    ASSERT_TRUE(bars->setText(6, 1, QStringLiteral("1")));
    ASSERT_TRUE(bars->setText(6, 6, QStringLiteral("3000～3600\r\n等差:100")));
    ASSERT_TRUE(bars->setNumber(QStringLiteral("J6"), 12.345));
    ASSERT_TRUE(bars->setText(6, 11, QStringLiteral("=SUM(A1:A2) & <tag>")));
    ASSERT_TRUE(bars->setBorders(QStringLiteral("A5"), QStringLiteral("K7")));
    QImage shape(180, 32, QImage::Format_RGB32);
    shape.fill(Qt::white);
    ASSERT_TRUE(bars->insertPicture(6, 5, shape, 2.0, 3.0));
    ASSERT_TRUE(bars->select(QStringLiteral("A6")));
    ASSERT_TRUE(summary->setNumber(6, 4, 42));
    book.activate(*bars);

    const QString path = dir.filePath(QStringLiteral("export.xlsx"));
    QString error;
    ASSERT_TRUE(book.save(path, &error)) << error.toStdString();

    const QString workbookXml = QString::fromUtf8(member(path, QStringLiteral("xl/workbook.xml")));
    EXPECT_TRUE(workbookXml.contains(QStringLiteral("<sheet name=\"配料单\" sheetId=\"1\"")));
    EXPECT_TRUE(workbookXml.contains(QStringLiteral("<sheet name=\"钢筋汇总表\" sheetId=\"2\"")));

    const QStringList strings =
        sharedStrings(QString::fromUtf8(member(path, QStringLiteral("xl/sharedStrings.xml"))));
    const QString sheet1 = QString::fromUtf8(member(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    const QString styles = QString::fromUtf8(member(path, QStringLiteral("xl/styles.xml")));
    EXPECT_EQ(stringOf(cellXml(sheet1, QStringLiteral("A1")), strings), QStringLiteral("钢筋配料单"));
    EXPECT_EQ(stringOf(cellXml(sheet1, QStringLiteral("A2")), strings),
              QStringLiteral("工程名称：综合楼"));
    EXPECT_EQ(stringOf(cellXml(sheet1, QStringLiteral("C5")), strings), QStringLiteral("列3"));
    EXPECT_EQ(stringOf(cellXml(sheet1, QStringLiteral("F6")), strings),
              QStringLiteral("3000～3600\n等差:100"));
    // A text that looks like a formula stays a text.
    EXPECT_EQ(stringOf(cellXml(sheet1, QStringLiteral("K6")), strings),
              QStringLiteral("=SUM(A1:A2) &amp; &lt;tag&gt;"));
    EXPECT_TRUE(cellXml(sheet1, QStringLiteral("J6")).contains(QStringLiteral("<v>12.345</v>")));

    // Every cell of A5:K7 is bordered, also the blank ones; A8 and L6 are not.
    for (const char* name : {"A5", "K5", "E6", "A7", "K7"})
        EXPECT_TRUE(bordered(cellXml(sheet1, QString::fromLatin1(name)), styles)) << name;
    EXPECT_TRUE(cellXml(sheet1, QStringLiteral("A8")).isEmpty());
    EXPECT_TRUE(cellXml(sheet1, QStringLiteral("L6")).isEmpty());
    EXPECT_FALSE(bordered(cellXml(sheet1, QStringLiteral("A1")), styles));
    EXPECT_TRUE(sheet1.contains(QStringLiteral("<selection activeCell=\"A6\" sqref=\"A6\"/>")));

    // The picture sits at E6, 2 pt right and 3 pt down (3 and 4 pixels).
    const QString drawing = QString::fromUtf8(member(path, QStringLiteral("xl/drawings/drawing1.xml")));
    EXPECT_TRUE(drawing.contains(QStringLiteral(
        "<xdr:from><xdr:col>4</xdr:col><xdr:colOff>28575</xdr:colOff><xdr:row>5</xdr:row>"
        "<xdr:rowOff>38100</xdr:rowOff></xdr:from>")))
        << drawing.toStdString();
    EXPECT_TRUE(drawing.contains(QStringLiteral("<a:ext cx=\"1714500\" cy=\"304800\"/>"))) << drawing.toStdString();
    EXPECT_TRUE(member(path, QStringLiteral("xl/media/image1.png")).startsWith("\x89PNG"));

    const QString sheet2 = QString::fromUtf8(member(path, QStringLiteral("xl/worksheets/sheet2.xml")));
    EXPECT_TRUE(cellXml(sheet2, QStringLiteral("D6")).contains(QStringLiteral("<v>42</v>")));
}

TEST_F(XlsxWorkbook, SaveIntoUnwritablePlaceFailsAndLeavesNoFile)
{
    Workbook book;
    book.setTemplate(twoSheets());
    // A regular file stands where the folder should be; not even root writes there.
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString path = blocker + QStringLiteral("/export.xlsx");

    QString error;
    EXPECT_FALSE(book.save(path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("blocker")});
}

TEST_F(XlsxWorkbook, SaveReplacesAnOlderFileWhole)
{
    const QString path = dir.filePath(QStringLiteral("export.xlsx"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(200000, 'x'));
    old.close();

    Workbook book;
    book.setTemplate(twoSheets());
    ASSERT_TRUE(book.save(path));
    EXPECT_TRUE(member(path, QStringLiteral("xl/workbook.xml")).contains("配料单"));
}

// In-memory behaviour, no zip needed

// Several merges on one row and on the rows around it: each cell finds
// the merge that holds it and no other, and a new merge is refused only
// where it overlaps one of its own row.
TEST_F(XlsxWorkbook, EachCellFindsTheMergeOfItsOwnRow)
{
    Workbook book;
    book.setTemplate(twoSheets());
    Worksheet& sheet = book.sheetAt(0);
    ASSERT_TRUE(sheet.merge(3, 2, 4));
    ASSERT_TRUE(sheet.merge(3, 7, 9));
    ASSERT_TRUE(sheet.merge(2, 1, 12));
    ASSERT_TRUE(sheet.merge(4, 1, 2));
    struct Case {
        int row, column, last;
    };
    for (const Case& c : {Case{3, 1, 1}, {3, 2, 4}, {3, 3, 4}, {3, 4, 4}, {3, 5, 5}, {3, 6, 6},
                          {3, 7, 9}, {3, 9, 9}, {3, 10, 10}, {2, 1, 12}, {2, 12, 12}, {2, 13, 13},
                          {4, 2, 2}, {4, 3, 3}, {5, 1, 1}, {1, 5, 5}}) {
        EXPECT_EQ(sheet.mergedTo(c.row, c.column), c.last) << c.row << "," << c.column;
    }
    EXPECT_FALSE(sheet.merge(3, 4, 6)) << "overlaps the first range's end";
    EXPECT_FALSE(sheet.merge(3, 5, 7)) << "overlaps the second range's start";
    EXPECT_FALSE(sheet.merge(3, 1, 10)) << "holds both";
    EXPECT_TRUE(sheet.merge(3, 5, 6)) << "between the two";
    EXPECT_TRUE(sheet.merge(4, 3, 5)) << "the row above's range is no matter";
    EXPECT_EQ(sheet.mergedTo(3, 6), 6);
    EXPECT_EQ(sheet.mergedTo(4, 4), 5);
}

// Rows are as high as their lines need: 1.5 times the font's size a line
// (10 points, and 16 for the title), never lower than the default 15.
TEST_F(XlsxWorkbook, RowsAreAsHighAsTheirLinesAndMergedCellsSpan)
{
    Workbook book;
    book.setTemplate(twoSheets());
    Worksheet& sheet = book.sheetAt(0);
    sheet.setText(1, 1, QStringLiteral("钢筋配料单"));
    sheet.setText(5, 2, QStringLiteral("钢筋\n规格"));
    sheet.setText(6, 6, QStringLiteral("一\n二\n三\n四\n五\n六"));
    sheet.setText(7, 2, QStringLiteral("多项归并"));
    ASSERT_TRUE(sheet.merge(7, 2, 8));
    EXPECT_FALSE(sheet.merge(7, 5, 9)) << "overlaps the range before";
    EXPECT_FALSE(sheet.merge(7, 3, 3)) << "one cell is no range";
    EXPECT_EQ(sheet.mergedTo(7, 5), 8);
    EXPECT_EQ(sheet.mergedTo(8, 5), 5);

    const QString path = dir.filePath(QStringLiteral("rows.xlsx"));
    ASSERT_TRUE(book.save(path));
    const QString xml = QString::fromUtf8(member(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    const auto height = [&](int row) {
        const auto m = QRegularExpression(QStringLiteral("<row r=\"%1\"[^>]* ht=\"([0-9.]+)\"").arg(row))
                           .match(xml);
        return m.hasMatch() ? m.captured(1).toDouble() : 0.0;
    };
    EXPECT_DOUBLE_EQ(height(1), 24.0);
    EXPECT_DOUBLE_EQ(height(5), 30.0);
    EXPECT_DOUBLE_EQ(height(6), 90.0);
    EXPECT_DOUBLE_EQ(height(7), 0.0) << "one line keeps the default height";
    EXPECT_TRUE(xml.contains(QStringLiteral("<mergeCell ref=\"B7:H7\"/>"))) << xml.toStdString();
}

TEST(XlsxWorksheet, AWideTextRunsOnOverTheBlankCellsBesideIt)
{
    WorkbookTemplate layout;
    SheetTemplate sheet;
    sheet.name = QStringLiteral("汇总");
    for (int i = 0; i < 5; ++i)
        sheet.columns.push_back({8.0, QString(), Align::Center});
    layout.sheets = {sheet};
    Workbook book;
    book.setTemplate(layout);
    Worksheet& s = book.sheetAt(0);
    // 8 units a column; a text needs its GBK bytes and one more.
    s.setText(6, 2, QStringLiteral("1234567"));          // 8: fits
    s.setText(7, 2, QStringLiteral("(含损耗=2.5%,2.5%)")); // 18 + 1: three columns
    s.setText(8, 1, QStringLiteral("环氧树脂涂层钢筋"));   // 17: would take three
    s.setText(8, 3, QStringLiteral("12.5"));             // but the third is filled
    s.setText(9, 4, QStringLiteral("环氧树脂涂层钢筋环氧树脂")); // runs to the last column
    for (int row = 6; row <= 9; ++row)
        for (int column = 1; column <= 5; ++column)
            s.spanWideText(row, column, 5);
    EXPECT_EQ(s.merges(), (std::map<std::pair<int, int>, int>{{{7, 2}, 4}, {{8, 1}, 2}, {{9, 4}, 5}}));
}

TEST(XlsxWorksheet, TemplateCaptionsFillRowFiveAndCanBeRewritten)
{
    Workbook book;
    book.setTemplate(twoSheets());
    Worksheet& sheet = book.sheetAt(0);
    EXPECT_EQ(sheet.columnCount(), 11);
    EXPECT_EQ(sheet.text(QStringLiteral("D5")), QStringLiteral("列4"));
    sheet.setText(5, 4, sheet.text(5, 4) + QStringLiteral("\rm"));
    EXPECT_EQ(sheet.text(5, 4), QStringLiteral("列4\nm"));
    EXPECT_EQ(sheet.text(5, 12), QString());
}

TEST(XlsxWorksheet, RefusesCellsOutsideTheSheetAndBadValues)
{
    Worksheet sheet(sheetLayout(QStringLiteral("表"), 3));
    EXPECT_FALSE(sheet.setText(0, 1, QStringLiteral("x")));
    EXPECT_FALSE(sheet.setText(1, kMaxColumns + 1, QStringLiteral("x")));
    EXPECT_FALSE(sheet.setText(QStringLiteral("A0"), QStringLiteral("x")));
    EXPECT_FALSE(sheet.setNumber(6, 1, std::nan("")));
    EXPECT_FALSE(sheet.setBorders(QStringLiteral("A5"), QStringLiteral("nonsense")));
    EXPECT_FALSE(sheet.setBorders(1, 1, kMaxRows, kMaxColumns)); // would fill memory
    EXPECT_FALSE(sheet.insertPicture(6, 1, QImage()));
    EXPECT_FALSE(sheet.insertPicture(6, 1, QStringLiteral("/no/such/picture.bmp")));
    EXPECT_FALSE(sheet.select(QStringLiteral("")));
    EXPECT_TRUE(sheet.pictures().empty());
    EXPECT_EQ(sheet.selection(), (CellRef{1, 1}));
    // Only the captions of row 5 exist.
    EXPECT_EQ(sheet.cells().size(), 3u);

    // The longest text a cell holds; a longer one is cut there.
    EXPECT_TRUE(sheet.setText(6, 1, QString(kMaxTextLength + 10, u'长')));
    EXPECT_EQ(sheet.text(6, 1).size(), kMaxTextLength);
}

// A value as a page shows it: what reads as a plain decimal number becomes
// that number with the page's decimals; everything else stays a text.
struct ShownValueCase {
    const char* shown;
    bool number;
    double value;
    int decimals;
    const char* reads; // as the cell shows it
};

void PrintTo(const ShownValueCase& c, std::ostream* os) { *os << '"' << c.shown << '"'; }

class XlsxShownValue : public testing::TestWithParam<ShownValueCase> {};

TEST_P(XlsxShownValue, IsANumberOnlyWhenThePageShowsAPlainNumber)
{
    const ShownValueCase& c = GetParam();
    Worksheet sheet(sheetLayout(QStringLiteral("表"), 3));
    ASSERT_TRUE(sheet.setValue(6, 2, QString::fromUtf8(c.shown)));
    const Cell* cell = sheet.cell(6, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->kind, c.number ? Cell::Kind::Number : Cell::Kind::Text);
    if (c.number) {
        EXPECT_EQ(cell->number, c.value);
        EXPECT_EQ(std::signbit(cell->number), std::signbit(c.value)) << "a zero has no sign";
        EXPECT_EQ(cell->decimals, c.decimals);
    }
    EXPECT_EQ(sheet.text(6, 2), QString::fromUtf8(c.reads));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsxShownValue,
    testing::Values(ShownValueCase{"831.600", true, 831.6, 3, "831.600"},
                    ShownValueCase{"12", true, 12, 0, "12"},
                    ShownValueCase{"0", true, 0, 0, "0"},
                    ShownValueCase{"0.05", true, 0.05, 2, "0.05"},
                    ShownValueCase{"-2.5", true, -2.5, 1, "-2.5"},
                    ShownValueCase{"-0.00", true, 0, 2, "0.00"},
                    ShownValueCase{"123456789012.345", true, 123456789012.345, 3, "123456789012.345"},
                    // More digits than a spreadsheet keeps would change.
                    ShownValueCase{"1234567890123.456", false, 0, 0, "1234567890123.456"},
                    ShownValueCase{"007", false, 0, 0, "007"},
                    ShownValueCase{"5支/组\n共9组", false, 0, 0, "5支/组\n共9组"},
                    ShownValueCase{"2000～3000\n等差:100", false, 0, 0, "2000～3000\n等差:100"},
                    ShownValueCase{"2250/240", false, 0, 0, "2250/240"},
                    ShownValueCase{"5根", false, 0, 0, "5根"},
                    ShownValueCase{"12.50元", false, 0, 0, "12.50元"},
                    ShownValueCase{"1e5", false, 0, 0, "1e5"},
                    ShownValueCase{"+3", false, 0, 0, "+3"},
                    ShownValueCase{"3.", false, 0, 0, "3."},
                    ShownValueCase{".5", false, 0, 0, ".5"},
                    ShownValueCase{" 12", false, 0, 0, " 12"},
                    ShownValueCase{"-", false, 0, 0, "-"},
                    ShownValueCase{"１２", false, 0, 0, "１２"},
                    ShownValueCase{"", false, 0, 0, ""}));

TEST_F(XlsxWorkbook, NumbersAreStoredAsNumbersShownWithTheirDecimals)
{
    Workbook book;
    book.setTemplate(twoSheets());
    Worksheet& sheet = book.sheetAt(0);
    ASSERT_TRUE(sheet.setValue(6, 10, QStringLiteral("831.600")));
    ASSERT_TRUE(sheet.setValue(7, 10, QStringLiteral("9.790")));
    ASSERT_TRUE(sheet.setValue(6, 9, QStringLiteral("9.79")));
    ASSERT_TRUE(sheet.setValue(6, 8, QStringLiteral("100000")));
    ASSERT_TRUE(sheet.setNumber(6, 7, 0.125));
    ASSERT_TRUE(sheet.setValue(6, 6, QStringLiteral("5根")));
    // Wider than its column of 10: it shrinks, a number cannot wrap.
    ASSERT_TRUE(sheet.setValue(6, 5, QStringLiteral("123456789.000")));
    // A merged range shows its first cell's number.
    ASSERT_TRUE(sheet.setValue(8, 2, QStringLiteral("42.5")));
    ASSERT_TRUE(sheet.merge(8, 2, 4));
    ASSERT_TRUE(sheet.setBorders(5, 1, 8, 11));
    const QString path = dir.filePath(QStringLiteral("numbers.xlsx"));
    QString error;
    ASSERT_TRUE(book.save(path, &error)) << error.toStdString();

    const test::ExportedBook saved(path, 1);
    const struct {
        const char* cell;
        double value;
        const char* format;
        const char* shown;
    } numbers[] = {{"J6", 831.6, "0.000", "831.600"}, {"J7", 9.79, "0.000", "9.790"},
                   {"I6", 9.79, "0.00", "9.79"},      {"H6", 100000, "0", "100000"},
                   {"G6", 0.125, "General", "0.125"}, {"E6", 123456789, "0.000", "123456789.000"},
                   {"B8", 42.5, "0.0", "42.5"}};
    for (const auto& n : numbers) {
        const QString name = QString::fromLatin1(n.cell);
        EXPECT_EQ(saved.number(name), std::optional(n.value)) << n.cell;
        EXPECT_EQ(saved.numberFormat(name), QString::fromLatin1(n.format)) << n.cell;
        EXPECT_EQ(saved.shown(name), QString::fromLatin1(n.shown)) << n.cell;
        EXPECT_TRUE(saved.bordered(name)) << n.cell;
    }
    // Stored as the shortest text that reads back the same.
    EXPECT_TRUE(saved.cell(QStringLiteral("I6")).contains(QStringLiteral("<v>9.79</v>")));
    EXPECT_TRUE(saved.cell(QStringLiteral("H6")).contains(QStringLiteral("<v>100000</v>")));
    EXPECT_EQ(saved.number(QStringLiteral("F6")), std::nullopt);
    EXPECT_EQ(saved.text(QStringLiteral("F6")), QStringLiteral("5根"));
    // Only the number too wide for its cell shrinks to fit.
    const auto lookOf = [&saved](const char* cell) { return saved.look(QString::fromLatin1(cell)); };
    EXPECT_TRUE(lookOf("E6").contains(QStringLiteral("shrinkToFit=\"1\""))) << lookOf("E6").toStdString();
    EXPECT_FALSE(lookOf("J6").contains(QStringLiteral("shrinkToFit")));
    // Cells of one look and the same decimals share one format.
    EXPECT_EQ(lookOf("J6"), lookOf("J7"));
    const QString styles = QString::fromUtf8(member(path, QStringLiteral("xl/styles.xml")));
    EXPECT_EQ(styles.count(QStringLiteral("formatCode=\"0.000\"")), 1);
}

TEST(XlsxWorksheet, PictureFileIsReadAtOnceAndRowGrowsToHoldIt)
{
    QTemporaryDir dir;
    const QString bmp = dir.filePath(QStringLiteral("rodo6.bmp"));
    QImage shape(180, 32, QImage::Format_RGB32);
    shape.fill(Qt::blue);
    ASSERT_TRUE(shape.save(bmp, "BMP"));

    Worksheet sheet(sheetLayout(QStringLiteral("配料单"), 11));
    ASSERT_TRUE(sheet.insertPicture(QStringLiteral("E6"), bmp, 2.0, 3.0));
    ASSERT_TRUE(QFile::remove(bmp));
    ASSERT_EQ(sheet.pictures().size(), 1u);
    const Picture& picture = sheet.pictures().front();
    EXPECT_EQ(picture.size, QSize(180, 32));
    EXPECT_EQ(picture.row, 6);
    EXPECT_EQ(picture.column, 5);
    EXPECT_EQ(QImage::fromData(picture.png, "PNG").pixelColor(90, 16), QColor(Qt::blue));
    // 32 pixels are 24 points, below a 3 point offset.
    EXPECT_GE(sheet.rowHeight(6), 27.0);
    EXPECT_EQ(sheet.rowHeight(7), 0.0);
}

// A long sheet of pictures, as the exports make them, seen as the
// spreadsheet programs draw it: every picture stays clear of its cell's
// lines on every row, however far down.
struct PictureRowsCase {
    const char* what;
    QSize size;           // pixels
    double left, top;     // offset in points
    const char* lineText; // in every third row beside the picture
    double fontSize;
};

std::ostream& operator<<(std::ostream& out, const PictureRowsCase& c)
{
    return out << c.what;
}

class XlsxPictureRows : public XlsxWorkbook, public testing::WithParamInterface<PictureRowsCase> {};

TEST_P(XlsxPictureRows, EveryPictureStaysInsideItsCellLines)
{
    const PictureRowsCase& c = GetParam();
    WorkbookTemplate layout;
    SheetTemplate list = sheetLayout(QStringLiteral("配料单"), 11);
    list.columns[4].width = 27.7109375; // the shape column of the bar list
    layout.sheets = {list};
    layout.fontSize = c.fontSize;
    Workbook book;
    book.setTemplate(layout);
    Worksheet& sheet = book.sheetAt(0);
    QImage shape(c.size, QImage::Format_RGB32);
    shape.fill(Qt::white);
    constexpr int kRows = 60;
    for (int row = 6; row < 6 + kRows; ++row) {
        if (row % 11 == 0)
            continue; // a row of the list without a bar
        ASSERT_TRUE(sheet.insertPicture(row, 5, shape, c.left, c.top));
        if (row % 3 == 0)
            sheet.setText(row, 7, QString::fromUtf8(c.lineText));
    }
    const QString path = dir.filePath(QStringLiteral("pictures.xlsx"));
    ASSERT_TRUE(book.save(path));
    const test::ExportedBook saved(path, 1);
    EXPECT_EQ(saved.pictureCells().size(), kRows - 5);
    EXPECT_EQ(saved.picturesOverTheirLines().join(u' ').toStdString(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, XlsxPictureRows,
    testing::Values(PictureRowsCase{"bar list shapes", QSize(180, 32), 2, 3, "6", 9},
                    PictureRowsCase{"beside two lines of text", QSize(180, 32), 2, 3, "6支/组\n共2组", 9},
                    PictureRowsCase{"beside three lines of a large font", QSize(180, 32), 2, 3,
                                    "一\n二\n三", 10.5},
                    PictureRowsCase{"narrow processing shapes", QSize(120, 32), 2, 3, "", 9},
                    PictureRowsCase{"taller pictures", QSize(100, 47), 2, 3, "", 9}));

// Cell names

TEST(XlsxWorksheet, PicturesOfOneKeyAreDrawnOnceForEverySheetOfTheWorkbook)
{
    Workbook book;
    book.setTemplate(twoSheets());
    Worksheet* first = book.sheet(u"配料单");
    Worksheet* second = book.sheet(u"钢筋汇总表");
    ASSERT_TRUE(first && second);
    std::map<QByteArray, int> draws;
    const auto drawing = [&](const QByteArray& key, QColor colour, QSize size) {
        return [&draws, key, colour, size] {
            ++draws[key];
            QImage image(size, QImage::Format_RGB32);
            image.fill(colour);
            return image;
        };
    };
    const QByteArray red("red"), blue("blue"), none("none");
    EXPECT_TRUE(first->insertPicture(6, 5, red, drawing(red, Qt::red, QSize(180, 32)), 2.0, 3.0));
    EXPECT_TRUE(first->insertPicture(7, 5, blue, drawing(blue, Qt::blue, QSize(120, 40))));
    // The same key again, whatever the drawing would give now.
    EXPECT_TRUE(first->insertPicture(8, 5, red, drawing(red, Qt::green, QSize(10, 10))));
    EXPECT_TRUE(second->insertPicture(6, 3, red, drawing(red, Qt::green, QSize(10, 10))));
    // A drawing that gives nothing places nothing, also the next time.
    EXPECT_FALSE(first->insertPicture(9, 5, none, [&draws, none] { ++draws[none]; return QImage(); }));
    EXPECT_FALSE(first->insertPicture(10, 5, none, [&draws, none] { ++draws[none]; return QImage(); }));
    EXPECT_EQ(draws, (std::map<QByteArray, int>{{red, 1}, {blue, 1}, {none, 1}}));

    ASSERT_EQ(first->pictures().size(), 3u);
    ASSERT_EQ(second->pictures().size(), 1u);
    const Picture& again = first->pictures()[2];
    EXPECT_EQ(again.row, 8);
    EXPECT_EQ(again.size, QSize(180, 32));
    EXPECT_EQ(QImage::fromData(again.png, "PNG").pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(second->pictures()[0].size, QSize(180, 32));
    EXPECT_EQ(first->pictures()[1].size, QSize(120, 40));
    // The rows grow for each picture, drawn or not.
    EXPECT_GE(first->rowHeight(8), 24.0);
    EXPECT_GE(second->rowHeight(6), 24.0);
}

struct CellNameCase {
    const char* name;
    int row;
    int column;
};

class XlsxCellName : public ::testing::TestWithParam<CellNameCase> {};

TEST_P(XlsxCellName, ParsesAndPrints)
{
    const CellNameCase& c = GetParam();
    const CellRef ref = parseCell(QString::fromLatin1(c.name));
    EXPECT_EQ(ref, (CellRef{c.row, c.column}));
    if (c.row > 0) {
        EXPECT_EQ(cellName(c.row, c.column), QString::fromLatin1(c.name).toUpper());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, XlsxCellName,
    ::testing::Values(CellNameCase{"A1", 1, 1}, CellNameCase{"K12", 12, 11},
                      CellNameCase{"k12", 12, 11}, CellNameCase{"Z5", 5, 26},
                      CellNameCase{"AA3", 3, 27}, CellNameCase{"AZ1", 1, 52},
                      CellNameCase{"XFD1048576", 1048576, 16384}, CellNameCase{"", 0, 0},
                      CellNameCase{"A", 0, 0}, CellNameCase{"12", 0, 0}, CellNameCase{"A0", 0, 0},
                      CellNameCase{"A01", 0, 0}, CellNameCase{"1A", 0, 0},
                      CellNameCase{"A1B", 0, 0}, CellNameCase{"A 1", 0, 0},
                      CellNameCase{"XFE1", 0, 0}, CellNameCase{"A1048577", 0, 0},
                      CellNameCase{"ABCDE1", 0, 0}, CellNameCase{"A99999999999", 0, 0}));

// Showing

// The document an export belongs to and where its workbook is proposed.
struct ExportPlace {
    const char* document;
    const char* title;
    const char* proposed; // relative to the test's folder
};

void PrintTo(const ExportPlace& c, std::ostream* os)
{
    *os << c.document << " / " << c.title;
}

class XlsxShow : public ::testing::TestWithParam<ExportPlace> {
protected:
    QTemporaryDir dir;
    test::HostScope host;
};

TEST_P(XlsxShow, AsksWhereToSaveBesideTheDocumentSavesThereAndSaysWhere)
{
    const ExportPlace& c = GetParam();
    Workbook book;
    book.setTemplate(twoSheets());
    // The user takes the proposal but leaves out the suffix.
    const QString chosen = dir.filePath(QStringLiteral("我的工作簿"));
    host->scriptSaveFile(chosen);
    QString path;
    {
        const QString document = dir.filePath(QString::fromUtf8(c.document));
        // A saved document's folder is there.
        ASSERT_TRUE(QDir().mkpath(QFileInfo(document).absolutePath()));
        const platform::xlsx::ExportDocument beside(document);
        path = book.show(QString::fromUtf8(c.title));
    }
    EXPECT_EQ(host->proposedSaves(), QStringList{dir.filePath(QString::fromUtf8(c.proposed))});
    EXPECT_EQ(path, chosen + QStringLiteral(".xlsx"));
    EXPECT_TRUE(QFileInfo(path).size() > 0);
    EXPECT_EQ(host->opened(), QStringList{path});
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("工作簿已保存到：\n") + QDir::toNativeSeparators(path)});
}

INSTANTIATE_TEST_SUITE_P(
    Names, XlsxShow,
    ::testing::Values(ExportPlace{"第1层/一层柱.pld", "钢筋配料单", "第1层/一层柱_钢筋配料单.xlsx"},
                      ExportPlace{"a.b.ylb", "钢筋用量表", "a.b_钢筋用量表.xlsx"},
                      // Characters no file name takes become "_".
                      ExportPlace{"x.jgd", "KZ1:梁/板", "x_KZ1_梁_板.xlsx"},
                      ExportPlace{"x.jgd", "  ", "x.xlsx"}));

TEST(XlsxShowChoice, CancelledTheSaveWritesAndSaysNothing)
{
    test::HostScope host;
    QTemporaryDir dir;
    Workbook book;
    book.setTemplate(twoSheets());
    host->scriptSaveFile(QString());
    const platform::xlsx::ExportDocument beside(dir.filePath(QStringLiteral("一层柱.pld")));
    EXPECT_TRUE(book.show(QStringLiteral("钢筋配料单")).isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(host->opened().isEmpty());
    EXPECT_TRUE(host->messages().empty());
}

TEST(XlsxShowChoice, WithoutASpreadsheetProgramTheUserIsToldWhereTheFileIs)
{
    test::HostScope host;
    QTemporaryDir dir;
    Workbook book;
    book.setTemplate(twoSheets());
    host->setDesktopOpens(false);
    const QString chosen = dir.filePath(QStringLiteral("一层柱.xlsx"));
    host->scriptSaveFile(chosen);
    EXPECT_EQ(book.show(QStringLiteral("钢筋配料单")), chosen);
    EXPECT_TRUE(QFileInfo::exists(chosen));
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(host->messages().front().icon, platform::MessageIcon::Warning);
    EXPECT_TRUE(host->messages().front().text.contains(QDir::toNativeSeparators(chosen)));
    EXPECT_TRUE(host->messages().front().text.contains(QStringLiteral("没有找到能打开它的电子表格程序")));
}

TEST(XlsxShowChoice, AFolderThatCannotBeWrittenIsSaidAndNothingIsOpened)
{
    test::HostScope host;
    QTemporaryDir dir;
    Workbook book;
    book.setTemplate(twoSheets());
    const QString chosen = dir.filePath(QStringLiteral("没有的文件夹/一层柱.xlsx"));
    host->scriptSaveFile(chosen);
    EXPECT_TRUE(book.show(QStringLiteral("钢筋配料单")).isEmpty());
    EXPECT_TRUE(host->opened().isEmpty());
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_TRUE(host->messages().front().text.startsWith(QStringLiteral("工作簿无法保存到：")));
}

} // namespace

// Stored pictures

namespace {

// The colour type of a PNG file's header: 2 for red-green-blue, 3 for a
// palette, 6 for red-green-blue with alpha.
int pngColourType(const QByteArray& png)
{
    return png.size() > 25 ? int(uchar(png[25])) : -1;
}

// An image of `colours` different colours, one a pixel, row by row.
QImage withColours(int colours, QImage::Format format, QSize size = QSize(40, 20))
{
    QImage image(size, format);
    image.fill(Qt::white);
    for (int i = 0; i < colours - 1 && i < size.width() * size.height(); ++i)
        image.setPixelColor(i % size.width(), i / size.width(), QColor(i % 256, i / 256, 7));
    return image;
}

QImage asArgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

struct StoredPictureCase {
    const char* what;
    QImage image;
    int colourType;
};

std::ostream& operator<<(std::ostream& out, const StoredPictureCase& c)
{
    return out << c.what;
}

class XlsxStoredPicture : public testing::TestWithParam<StoredPictureCase> {};

QImage halfTransparent()
{
    QImage image(30, 10, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int x = 0; x < 15; ++x)
        image.setPixel(x, 4, qRgba(200, 10, 10, 255));
    image.setPixel(20, 5, qRgba(0, 0, 0, 128));
    return image;
}

} // namespace

TEST_P(XlsxStoredPicture, ShowsEveryPixelAsDrawnAt96Dpi)
{
    const StoredPictureCase& c = GetParam();
    const std::vector<QByteArray> stored = encodePictures({c.image}, 1);
    ASSERT_EQ(stored.size(), 1u);
    const QImage read = QImage::fromData(stored[0], "PNG");
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(asArgb(read), asArgb(c.image));
    EXPECT_EQ(pngColourType(stored[0]), c.colourType);
    EXPECT_EQ(read.dotsPerMeterX(), 3780);
    EXPECT_EQ(read.dotsPerMeterY(), 3780);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, XlsxStoredPicture,
    testing::Values(StoredPictureCase{"one colour", withColours(1, QImage::Format_RGB32), 3},
                    StoredPictureCase{"a few pens", withColours(5, QImage::Format_RGB32), 3},
                    StoredPictureCase{"as many colours as a palette holds",
                                      withColours(256, QImage::Format_RGB32), 3},
                    StoredPictureCase{"one colour more", withColours(257, QImage::Format_RGB32), 2},
                    StoredPictureCase{"many colours", withColours(800, QImage::Format_RGB32), 2},
                    StoredPictureCase{"three bytes a pixel", withColours(9, QImage::Format_RGB888), 3},
                    StoredPictureCase{"transparent parts", halfTransparent(), 3},
                    StoredPictureCase{"one pixel", withColours(1, QImage::Format_RGB32, QSize(1, 1)), 3}));

TEST(XlsxStoredPictures, AreTheSameBytesWhateverTheNumberOfThreads)
{
    std::vector<QImage> images;
    for (int i = 0; i < 40; ++i)
        images.push_back(withColours(1 + i * 23, i % 2 ? QImage::Format_RGB32 : QImage::Format_ARGB32));
    images.insert(images.begin() + 7, QImage()); // nothing to encode: its place stays empty

    const std::vector<QByteArray> alone = encodePictures(images, 1);
    ASSERT_EQ(alone.size(), images.size());
    EXPECT_TRUE(alone[7].isEmpty());
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (i != 7) {
            EXPECT_EQ(asArgb(QImage::fromData(alone[i], "PNG")), asArgb(images[i])) << i;
        }
    }
    for (int threads : {2, 3, 8, 64, 0})
        EXPECT_EQ(encodePictures(images, threads), alone) << threads << " threads";
    EXPECT_TRUE(encodePictures({}, 4).empty());
}

// A long list's pictures are encoded a batch at a time while more are
// drawn: each cell still shows its own, whichever batch it fell in.
TEST(XlsxStoredPictures, EveryCellOfALongSheetShowsItsOwnPicture)
{
    Workbook book;
    book.setTemplate(twoSheets());
    Worksheet* first = book.sheet(u"配料单");
    Worksheet* second = book.sheet(u"钢筋汇总表");
    ASSERT_TRUE(first && second);
    const auto picture = [](int n) {
        QImage image(24, 8, QImage::Format_RGB32);
        image.fill(QColor(n % 256, (n / 256) % 256, 99));
        image.setPixelColor(n % 24, 3, Qt::black);
        return image;
    };
    constexpr int kPictures = 1300;
    for (int n = 0; n < kPictures; ++n) {
        const QByteArray key = QByteArray::number(n % 1000); // the last ones again
        ASSERT_TRUE(first->insertPicture(6 + n, 2, key, [&] { return picture(n); }));
        if (n % 97 == 0) {
            ASSERT_TRUE(second->insertPicture(6 + n, 3, picture(n)));
        }
    }
    const std::vector<Picture>& shown = first->pictures();
    ASSERT_EQ(shown.size(), std::size_t(kPictures));
    for (int n = 0; n < kPictures; ++n) {
        EXPECT_EQ(shown[std::size_t(n)].row, 6 + n);
        EXPECT_EQ(asArgb(QImage::fromData(shown[std::size_t(n)].png, "PNG")), asArgb(picture(n % 1000)))
            << "row " << 6 + n;
    }
    const std::vector<Picture>& alone = second->pictures();
    ASSERT_EQ(alone.size(), std::size_t((kPictures + 96) / 97));
    for (std::size_t i = 0; i < alone.size(); ++i)
        EXPECT_EQ(asArgb(QImage::fromData(alone[i].png, "PNG")), asArgb(picture(int(i) * 97))) << i;
}

// Drawings handed over to be made on the workbook's threads: each key is
// drawn once, and every cell shows the same bytes as a drawing made at once
// on this thread would give.
TEST(XlsxStoredPictures, DrawingsMadeOnOtherThreadsAreThoseMadeAtOnce)
{
    const auto picture = [](int n) {
        QImage image(30, 9, QImage::Format_RGB32);
        image.fill(QColor(n % 256, 40, (n * 7) % 256));
        image.setPixelColor(n % 30, n % 9, Qt::black);
        return image;
    };
    constexpr int kPictures = 1400; // over several batches
    Worksheet atOnce(sheetLayout(QStringLiteral("配料单"), 6));
    Worksheet later(sheetLayout(QStringLiteral("配料单"), 6));
    std::atomic<int> drawn{0};
    for (int n = 0; n < kPictures; ++n) {
        const QByteArray key = QByteArray::number(n % 1100);
        ASSERT_TRUE(atOnce.insertPicture(6 + n, 5, key, [&] { return picture(n); }));
        const int made = n % 1100;
        ASSERT_TRUE(later.insertPicture(6 + n, 5, key, QSize(30, 9), [&drawn, picture, made] {
            ++drawn;
            return picture(made);
        }));
    }
    const std::vector<Picture>& expected = atOnce.pictures();
    const std::vector<Picture>& shown = later.pictures();
    EXPECT_EQ(drawn.load(), 1100);
    ASSERT_EQ(shown.size(), expected.size());
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].png, expected[i].png) << "row " << shown[i].row;
        EXPECT_EQ(shown[i].size, QSize(30, 9));
    }
}

// What the drawing gives holds over what was said of it: its own size, or
// no picture at all when it gives nothing.
TEST_F(XlsxWorkbook, ALaterDrawingKeepsItsOwnSizeOrLeavesTheCellEmpty)
{
    Workbook book;
    book.setTemplate(twoSheets());
    Worksheet& sheet = book.sheetAt(0);
    QImage small(100, 20, QImage::Format_RGB32);
    small.fill(Qt::red);
    ASSERT_TRUE(sheet.insertPicture(6, 5, "small", QSize(180, 32), [small] { return small; }));
    ASSERT_TRUE(sheet.insertPicture(7, 5, "nothing", QSize(180, 32), [] { return QImage(); }));
    EXPECT_FALSE(sheet.insertPicture(8, 5, "no size", QSize(), [small] { return small; }));
    ASSERT_EQ(sheet.pictures().size(), 2u);
    EXPECT_EQ(sheet.pictures()[0].size, QSize(100, 20));
    EXPECT_TRUE(sheet.pictures()[1].png.isEmpty());

    const QString path = dir.filePath(QStringLiteral("later.xlsx"));
    ASSERT_TRUE(book.save(path));
    const test::ExportedBook saved(path, 1);
    EXPECT_EQ(saved.pictureCells(), QStringList{QStringLiteral("E6")});
    const QString drawing = QString::fromUtf8(member(path, QStringLiteral("xl/drawings/drawing1.xml")));
    EXPECT_TRUE(drawing.contains(QStringLiteral("<a:ext cx=\"%1\" cy=\"%2\"/>").arg(100 * 9525).arg(20 * 9525)));
}

namespace {

// Whether the XML is well formed, and why not.
QString xmlFault(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        reader.readNext();
    return reader.hasError() ? reader.errorString() : QString();
}

// A stored text as the spreadsheet reads it: the markup escapes and the
// escapes of control characters (_x0001_) undone.
QString readBack(QString stored)
{
    static const QRegularExpression control(QStringLiteral("_x([0-9A-F]{4})_"));
    for (auto m = control.match(stored); m.hasMatch(); m = control.match(stored))
        stored.replace(m.capturedStart(), m.capturedLength(), QChar(m.captured(1).toUShort(nullptr, 16)));
    stored.replace(QLatin1String("&lt;"), QLatin1String("<"));
    stored.replace(QLatin1String("&gt;"), QLatin1String(">"));
    stored.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return stored;
}

} // namespace

// Texts of every kind the lists hold, on two sheets that share some: each
// part stays well formed, each text reads back as written, a text shown on
// both sheets is stored once, and the stored count is the cells showing
// texts.
TEST_F(XlsxWorkbook, EveryTextReadsBackAndSheetsShareTheirTexts)
{
    Workbook book;
    book.setTemplate(twoSheets());
    Worksheet* bars = book.sheet(QStringLiteral("配料单"));
    Worksheet* summary = book.sheet(QStringLiteral("钢筋汇总表"));
    ASSERT_TRUE(bars && summary);
    const std::map<QString, QString> written = {
        {QStringLiteral("A6"), QStringLiteral("共用")},
        {QStringLiteral("B6"), QStringLiteral("<r><t>不是</t></r>")},
        {QStringLiteral("C6"), QStringLiteral(" 两端空格 ")},
        {QStringLiteral("D6"), QStringLiteral("控制\x01字符\x1f")},
        {QStringLiteral("E6"), QStringLiteral("a & b")},
        {QStringLiteral("K40"), QStringLiteral("第二块")},
    };
    for (const auto& [cell, text] : written)
        ASSERT_TRUE(bars->setText(cell, text));
    ASSERT_TRUE(summary->setText(QStringLiteral("B7"), QStringLiteral("共用")));
    ASSERT_TRUE(summary->setText(QStringLiteral("B8"), QStringLiteral("合并的说明")));
    ASSERT_TRUE(summary->merge(8, 2, 5));
    ASSERT_TRUE(summary->setNumber(QStringLiteral("F9"), 0.125));

    const QString path = dir.filePath(QStringLiteral("texts.xlsx"));
    QString error;
    ASSERT_TRUE(book.save(path, &error)) << error.toStdString();
    for (const char* part : {"xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml",
                             "xl/sharedStrings.xml", "xl/workbook.xml", "xl/styles.xml"}) {
        const QByteArray xml = member(path, QString::fromLatin1(part));
        ASSERT_FALSE(xml.isEmpty()) << part;
        EXPECT_EQ(xmlFault(xml), QString()) << part;
    }

    const test::ExportedBook first(path, 1);
    for (const auto& [cell, text] : written)
        EXPECT_EQ(readBack(first.text(cell)), text) << cell.toStdString();
    const test::ExportedBook second(path, 2);
    EXPECT_EQ(second.text(QStringLiteral("B7")), QStringLiteral("共用"));
    EXPECT_EQ(second.text(QStringLiteral("B8")), QStringLiteral("合并的说明"));
    EXPECT_EQ(second.merges(), QStringList{QStringLiteral("B8:E8")});
    EXPECT_TRUE(cellXml(second.sheet(), QStringLiteral("F9")).contains(QStringLiteral("<v>0.125</v>")));
    // The merged cells after the first are blank and look like it.
    const auto styleOfCell = [&](const QString& name) {
        return QRegularExpression(QStringLiteral(" s=\"(\\d+)\"")).match(cellXml(second.sheet(), name)).captured(1);
    };
    EXPECT_EQ(styleOfCell(QStringLiteral("E8")), styleOfCell(QStringLiteral("B8")));
    EXPECT_FALSE(cellXml(second.sheet(), QStringLiteral("E8")).contains(QStringLiteral("<v>")));

    const QString shared = QString::fromUtf8(member(path, QStringLiteral("xl/sharedStrings.xml")));
    EXPECT_EQ(shared.count(QStringLiteral("<t>共用</t>")), 1);
    const qsizetype cells = first.sheet().count(QStringLiteral("t=\"s\"")) + second.sheet().count(QStringLiteral("t=\"s\""));
    EXPECT_TRUE(shared.contains(QStringLiteral("count=\"%1\"").arg(cells))) << shared.left(300).toStdString();
}
