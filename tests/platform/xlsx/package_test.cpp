// The drawing parts a workbook's pictures are written in (each picture's
// cell anchors worked out by hand from the column widths and row heights)
// and the package rewritten around them, read back with the unzip tool.

#include "platform/xlsx/package.h"
#include "platform/xlsx/workbook.h"

#include "tests/support/recordinghost.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <zlib.h>

#include <ostream>

using namespace platform::xlsx;

namespace {

// Columns of 10 and 20 characters: 10 × 7 + 5 = 75 and 20 × 7 + 5 = 145
// pixels; row 3 of 30 points is 40 pixels, the others 15 points, 20 pixels.
DrawingGrid smallGrid()
{
    DrawingGrid grid;
    grid.columnWidths = {10, 20, 0.5};
    grid.rowHeights = {{3, 30}};
    return grid;
}

struct AnchorCase {
    const char* what;
    PlacedPicture picture;
    // from: column, pixels in, row, pixels in; to: the same (0-based cells)
    int from[4];
    int to[4];
    int absolute[2]; // pixels
};

std::ostream& operator<<(std::ostream& out, const AnchorCase& c)
{
    return out << c.what;
}

class XlsxDrawingAnchor : public testing::TestWithParam<AnchorCase> {};

QString expectedAnchor(const AnchorCase& c)
{
    const auto emu = [](int pixels) { return QString::number(qint64(pixels) * 9525); };
    return QStringLiteral("<xdr:from><xdr:col>%1</xdr:col><xdr:colOff>%2</xdr:colOff><xdr:row>%3</xdr:row>"
                          "<xdr:rowOff>%4</xdr:rowOff></xdr:from><xdr:to><xdr:col>%5</xdr:col><xdr:colOff>%6"
                          "</xdr:colOff><xdr:row>%7</xdr:row><xdr:rowOff>%8</xdr:rowOff></xdr:to>")
               .arg(c.from[0])
               .arg(emu(c.from[1]))
               .arg(c.from[2])
               .arg(emu(c.from[3]))
               .arg(c.to[0])
               .arg(emu(c.to[1]))
               .arg(c.to[2])
               .arg(emu(c.to[3]))
           + QStringLiteral(".*<a:off x=\"%1\" y=\"%2\"/><a:ext cx=\"%3\" cy=\"%4\"/>")
                 .arg(emu(c.absolute[0]), emu(c.absolute[1]), emu(c.picture.size.width()),
                      emu(c.picture.size.height()));
}

} // namespace

TEST_P(XlsxDrawingAnchor, PlacesThePictureByTheCellsItCovers)
{
    const AnchorCase& c = GetParam();
    QByteArray relations;
    const QString xml = QString::fromUtf8(drawingPart(smallGrid(), {c.picture}, &relations));
    EXPECT_TRUE(xml.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                                              "<xdr:wsDr ")));
    EXPECT_TRUE(xml.endsWith(QStringLiteral("</xdr:twoCellAnchor></xdr:wsDr>")));
    EXPECT_TRUE(QRegularExpression(expectedAnchor(c)).match(xml).hasMatch()) << xml.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, XlsxDrawingAnchor,
    testing::Values(
        // 3 + 100 < 145 wide, 4 + 20 < 40 high: one cell. Absolute: 75 + 3 across, and
        // down every row at 20 pixels, 2 × 20 + 4.
        AnchorCase{"inside its cell", {3, 2, 3, 4, QSize(100, 20), 1}, {1, 3, 2, 4}, {1, 103, 2, 24}, {78, 44}},
        // 70 + 10 = 80 ≥ 75: into column B by 5; 18 + 5 = 23 ≥ 20: into row 2 by 3.
        AnchorCase{"over the next column and row", {1, 1, 70, 18, QSize(10, 5), 1}, {0, 70, 0, 18},
                   {1, 5, 1, 3}, {70, 18}},
        // 80 ≥ 75: starts 5 pixels into column B, ends at 5 + 10.
        AnchorCase{"offset past its cell", {1, 1, 80, 0, QSize(10, 5), 1}, {1, 5, 0, 0}, {1, 15, 0, 5}, {80, 0}},
        // Column C of half a character: 0.5 × 12 = 6 pixels; on into D (64 by default).
        AnchorCase{"over a narrow column", {1, 3, 2, 0, QSize(10, 5), 1}, {2, 2, 0, 0}, {3, 6, 0, 5}, {222, 0}}));

TEST(XlsxDrawing, EachPictureFileIsLinkedOnceInTheOrderFirstShown)
{
    std::vector<PlacedPicture> pictures;
    for (int media : {5, 5, 2, 5, 7, 2})
        pictures.push_back({int(pictures.size()) + 6, 5, 3, 4, QSize(180, 32), media});
    QByteArray relations;
    const QString xml = QString::fromUtf8(drawingPart(smallGrid(), pictures, &relations));

    QStringList embeds;
    for (auto it = QRegularExpression(QStringLiteral("r:embed=\"(rId\\d+)\"")).globalMatch(xml); it.hasNext();)
        embeds << it.next().captured(1);
    EXPECT_EQ(embeds.join(u' '), QStringLiteral("rId1 rId1 rId2 rId1 rId3 rId2"));
    QStringList names;
    for (auto it = QRegularExpression(QStringLiteral("<xdr:cNvPr id=\"(\\d+)\" name=\"Picture (\\d+)\"/>"))
                       .globalMatch(xml);
         it.hasNext();) {
        const auto m = it.next();
        names << m.captured(1) + u'/' + m.captured(2);
    }
    EXPECT_EQ(names.join(u' '), QStringLiteral("2/1 3/2 4/3 5/4 6/5 7/6"));

    QStringList links;
    for (auto it = QRegularExpression(QStringLiteral("Id=\"(rId\\d+)\" Type=\"[^\"]*/image\" Target=\"([^\"]+)\""))
                       .globalMatch(QString::fromUtf8(relations));
         it.hasNext();) {
        const auto m = it.next();
        links << m.captured(1) + u'=' + m.captured(2);
    }
    EXPECT_EQ(links.join(u' '),
              QStringLiteral("rId1=../media/image5.png rId2=../media/image2.png rId3=../media/image7.png"));
}

// The package

namespace {

class XlsxPackage : public testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
            GTEST_SKIP() << "unzip is not installed";
        ASSERT_TRUE(dir.isValid());
    }
    QString write(const QByteArray& zip, const QString& name = QStringLiteral("p.zip"))
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(zip);
        return path;
    }
    static QByteArray unzip(const QStringList& arguments, int* exitCode = nullptr)
    {
        QProcess process;
        process.start(QStringLiteral("unzip"), arguments);
        process.waitForFinished(120000);
        if (exitCode)
            *exitCode = process.exitCode();
        return process.readAllStandardOutput();
    }
    // The members' names, in the order the package lists them.
    static QStringList names(const QString& zip)
    {
        QStringList listed;
        for (const QByteArray& line : unzip({QStringLiteral("-Z1"), zip}).split('\n'))
            if (!line.isEmpty())
                listed << QString::fromUtf8(line);
        return listed;
    }

    QTemporaryDir dir;
};

// A package with nothing in it: its end record alone.
QByteArray emptyZip()
{
    return QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');
}

QByteArray repeated(const char* text, int times)
{
    return QByteArray(text).repeated(times);
}

} // namespace

TEST_F(XlsxPackage, MembersAreReplacedLeftOutAndAddedInPlace)
{
    QString error;
    const QByteArray first = repackage(
        emptyZip(), {}, {},
        {PackageMember::compress("a.xml", repeated("<row/>", 5000)),
         PackageMember::store("xl/media/old1.png", "old picture"),
         PackageMember::store("xl/media/old2.png", "another"), PackageMember::compress("z.xml", "last")},
        &error);
    ASSERT_FALSE(first.isEmpty()) << error.toStdString();
    const QString firstPath = write(first, QStringLiteral("first.zip"));
    EXPECT_EQ(names(firstPath).join(u' '), QStringLiteral("a.xml xl/media/old1.png xl/media/old2.png z.xml"));
    EXPECT_EQ(unzip({QStringLiteral("-p"), firstPath, QStringLiteral("a.xml")}), repeated("<row/>", 5000));
    EXPECT_LT(first.size(), 1000) << "the repeated text is compressed";

    const QByteArray second =
        repackage(first, {PackageMember::compress("z.xml", "new last")}, "xl/media/",
                  {PackageMember::store("xl/media/image1.png", "\x89PNG picture")}, &error);
    ASSERT_FALSE(second.isEmpty()) << error.toStdString();
    const QString path = write(second);
    int exitCode = -1;
    unzip({QStringLiteral("-tq"), path}, &exitCode);
    EXPECT_EQ(exitCode, 0) << "every member's check sum holds";
    EXPECT_EQ(names(path).join(u' '), QStringLiteral("a.xml xl/media/image1.png z.xml"));
    EXPECT_EQ(unzip({QStringLiteral("-p"), path, QStringLiteral("a.xml")}), repeated("<row/>", 5000));
    EXPECT_EQ(unzip({QStringLiteral("-p"), path, QStringLiteral("z.xml")}), QByteArray("new last"));
    EXPECT_EQ(unzip({QStringLiteral("-p"), path, QStringLiteral("xl/media/image1.png")}),
              QByteArray("\x89PNG picture"));
}

TEST_F(XlsxPackage, ManyMembersGetTheLargerEndRecord)
{
    std::vector<PackageMember> members;
    constexpr int kMembers = 70000; // more than the plain end record counts
    for (int i = 0; i < kMembers; ++i)
        members.push_back(
            PackageMember::store("xl/media/image" + QByteArray::number(i + 1) + ".png", QByteArray::number(i)));
    QString error;
    const QByteArray zip = repackage(emptyZip(), {}, {}, members, &error);
    ASSERT_FALSE(zip.isEmpty()) << error.toStdString();
    const QString path = write(zip);
    EXPECT_EQ(names(path).size(), kMembers);
    EXPECT_EQ(unzip({QStringLiteral("-p"), path, QStringLiteral("xl/media/image70000.png")}), QByteArray("69999"));
}

TEST_F(XlsxPackage, ADamagedPackageIsRefusedWithAReason)
{
    QString error;
    const QByteArray good = repackage(emptyZip(), {}, {}, {PackageMember::compress("a.xml", "text")}, &error);
    ASSERT_FALSE(good.isEmpty());
    struct Damaged {
        const char* what;
        QByteArray bytes;
    };
    QByteArray badDirectory = good;
    badDirectory[badDirectory.size() - 6] = char(0x7F); // the directory past the end
    for (const Damaged& d : {Damaged{"empty", {}}, Damaged{"not a zip", repeated("text", 40)},
                             Damaged{"cut short", good.left(good.size() - 3)},
                             Damaged{"directory out of place", badDirectory}}) {
        error.clear();
        EXPECT_TRUE(repackage(d.bytes, {}, {}, {}, &error).isEmpty()) << d.what;
        EXPECT_FALSE(error.isEmpty()) << d.what;
    }
    error.clear();
    EXPECT_TRUE(repackage(good, {PackageMember::compress("missing.xml", "x")}, {}, {}, &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

// Packages whose members or directory records overlap or reach past where
// they end: copied as they stood, they gave a package that could not be read
// back.
TEST(XlsxPackageFixtures, OverlappingPartsAreRefusedWithAReason)
{
    for (const char* name : {"package_record_past_directory.zip", "package_comment_past_directory.zip",
                             "package_members_overlap.zip", "package_member_cut_short.zip"}) {
        QFile file(QStringLiteral(RODO_FIXTURES_DIR "/") + QLatin1String(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        QString error;
        EXPECT_TRUE(repackage(file.readAll(), {}, QByteArrayLiteral("xl/media/"),
                              {PackageMember::store("xl/media/image1.png", QByteArrayLiteral("png"))}, &error)
                        .isEmpty())
            << name;
        EXPECT_FALSE(error.isEmpty()) << name;
    }
}

// A workbook's pictures over two sheets: each cell shows its own picture,
// and each distinct picture is stored once.
TEST_F(XlsxPackage, EveryAnchorShowsItsOwnPictureAndEachPictureIsStoredOnce)
{
    test::HostScope host;
    WorkbookTemplate layout;
    for (const char* name : {"配料单", "钢筋排序表", "钢筋汇总表"}) {
        SheetTemplate sheet;
        sheet.name = QString::fromUtf8(name);
        sheet.columns = {{8, QStringLiteral("甲"), Align::Center}, {28, QStringLiteral("乙"), Align::Center}};
        layout.sheets.push_back(sheet);
    }
    Workbook book;
    book.setTemplate(layout);
    const auto picture = [](int n) {
        QImage image(40, 12, QImage::Format_RGB32);
        image.fill(QColor(40 * n, 255 - 30 * n, 90));
        return image;
    };
    // Sheet 1: pictures 0–5 by key, repeated; sheet 3: 2, 4 and a 6th of its own.
    std::vector<std::pair<int, int>> shown[3]; // (row, picture) by sheet
    for (int row = 6; row < 30; ++row) {
        const int n = (row * 7) % 6;
        ASSERT_TRUE(book.sheetAt(0).insertPicture(row, 2, QByteArray::number(n), [&] { return picture(n); }));
        shown[0].push_back({row, n});
    }
    for (const int n : {4, 6, 2}) {
        const int row = 6 + int(shown[2].size());
        ASSERT_TRUE(book.sheetAt(2).insertPicture(row, 2, QByteArray::number(n), [&] { return picture(n); }));
        shown[2].push_back({row, n});
    }
    const QString path = dir.filePath(QStringLiteral("pictures.xlsx"));
    ASSERT_TRUE(book.save(path));

    const QStringList members = names(path);
    EXPECT_EQ(members.filter(QStringLiteral("xl/media/")).size(), 7);
    int exitCode = -1;
    unzip({QStringLiteral("-tq"), path}, &exitCode);
    EXPECT_EQ(exitCode, 0);
    // Sheet 1 has drawing 1, sheet 3 drawing 2; sheet 2 none.
    for (const auto& [sheet, drawing] : {std::pair{0, 1}, std::pair{2, 2}}) {
        const QString rels = QString::fromUtf8(unzip(
            {QStringLiteral("-p"), path, QStringLiteral("xl/worksheets/_rels/sheet%1.xml.rels").arg(sheet + 1)}));
        EXPECT_TRUE(rels.contains(QStringLiteral("../drawings/drawing%1.xml").arg(drawing))) << sheet;
        const QString xml = QString::fromUtf8(
            unzip({QStringLiteral("-p"), path, QStringLiteral("xl/drawings/drawing%1.xml").arg(drawing)}));
        const QString links = QString::fromUtf8(unzip(
            {QStringLiteral("-p"), path, QStringLiteral("xl/drawings/_rels/drawing%1.xml.rels").arg(drawing)}));
        const QRegularExpression anchor(QStringLiteral(
            "<xdr:row>(\\d+)</xdr:row><xdr:rowOff>\\d+</xdr:rowOff></xdr:from>.*?r:embed=\"(rId\\d+)\""));
        std::size_t i = 0;
        for (auto it = anchor.globalMatch(xml); it.hasNext(); ++i) {
            const auto m = it.next();
            ASSERT_LT(i, shown[sheet].size());
            EXPECT_EQ(m.captured(1).toInt() + 1, shown[sheet][i].first);
            const QString target = QRegularExpression(QStringLiteral("Id=\"%1\" [^>]*Target=\"../([^\"]+)\"")
                                                          .arg(m.captured(2)))
                                       .match(links)
                                       .captured(1);
            const QImage stored =
                QImage::fromData(unzip({QStringLiteral("-p"), path, QStringLiteral("xl/") + target}), "PNG");
            EXPECT_EQ(stored.convertToFormat(QImage::Format_RGB32), picture(shown[sheet][i].second))
                << "sheet " << sheet + 1 << " row " << shown[sheet][i].first;
        }
        EXPECT_EQ(i, shown[sheet].size()) << sheet;
    }
    EXPECT_TRUE(unzip({QStringLiteral("-p"), path, QStringLiteral("xl/worksheets/_rels/sheet2.xml.rels")}).isEmpty());
}

namespace {

const QByteArray kSheetStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>";
const QByteArray kPageSetup =
    "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
    "footer=\"0.3\"/><pageSetup paperSize=\"9\" fitToHeight=\"0\" orientation=\"";

PartCell partCell(int column, int style, PartCell::Kind kind = PartCell::Kind::Blank,
                  int text = 0, double number = 0)
{
    PartCell cell;
    cell.column = column;
    cell.style = style;
    cell.kind = kind;
    cell.text = text;
    cell.number = number;
    return cell;
}

constexpr auto kText = PartCell::Kind::Text;
constexpr auto kNumber = PartCell::Kind::Number;

} // namespace

// Every attribute worked out by hand: the range the cells take, the columns
// a block of 16 rows uses told on each of its rows, heights only where not
// the default, the sheet's own texts and looks given as the workbook's.
TEST(XlsxSheetPart, WritesRowsCellsMergesAndLayout)
{
    SheetPart sheet;
    sheet.columnWidths = {7, 8.43, 0.5};
    sheet.landscape = true;
    sheet.selected = true;
    sheet.selectedRow = 6;
    sheet.drawing = true;
    sheet.rows = {
        {1, 24, {partCell(1, 0, kText, 0), partCell(2, 0), partCell(3, 0)}},
        {5, 15, {partCell(2, 1, kNumber, 0, 12.5)}},
        {17, 28.5, {partCell(2, 1, kText, 1), partCell(3, -1, kNumber, 0, 1e20)}},
        {18, 30, {}},
    };
    sheet.merges = {{1, 1, 3}};
    sheet.texts = {"a", "b"};

    const QByteArray xml = worksheetPart(sheet, {4, 7}, {0, 3});
    EXPECT_EQ(xml,
              kSheetStart + "<dimension ref=\"A1:C18\"/><sheetViews><sheetView tabSelected=\"1\" "
              "workbookViewId=\"0\"><selection activeCell=\"A6\" sqref=\"A6\"/></sheetView></sheetViews>"
              "<sheetFormatPr defaultRowHeight=\"15\"/><cols>"
              // 7 × 7 + 5 = 54 pixels = 7.714… characters, to a 256th below
              "<col min=\"1\" max=\"1\" width=\"7.7109375\" customWidth=\"1\"/>"
              // the default width is not the sheet's own
              "<col min=\"2\" max=\"2\" width=\"9.140625\"/>"
              // under one character: 12 pixels a character, no margin
              "<col min=\"3\" max=\"3\" width=\"0.85546875\" customWidth=\"1\"/></cols><sheetData>"
              "<row r=\"1\" spans=\"1:3\" ht=\"24\" customHeight=\"1\"><c r=\"A1\" t=\"s\"><v>4</v></c>"
              "<c r=\"B1\"/><c r=\"C1\"/></row>"
              "<row r=\"5\" spans=\"1:3\"><c r=\"B5\" s=\"3\"><v>12.5</v></c></row>"
              "<row r=\"17\" spans=\"2:3\" ht=\"28.5\" customHeight=\"1\"><c r=\"B17\" s=\"3\" t=\"s\">"
              "<v>7</v></c><c r=\"C17\"><v>1E+20</v></c></row>"
              "<row r=\"18\" ht=\"30\" customHeight=\"1\"/></sheetData>"
              "<mergeCells count=\"1\"><mergeCell ref=\"A1:C1\"/></mergeCells>"
              + kPageSetup + "landscape\"/><drawing r:id=\"rId1\"/></worksheet>");
}

TEST(XlsxSheetPart, AnEmptySheetAndOneFarCell)
{
    SheetPart empty;
    EXPECT_EQ(worksheetPart(empty, {}, {}),
              kSheetStart + "<dimension ref=\"A1\"/><sheetViews><sheetView workbookViewId=\"0\"/>"
              "</sheetViews><sheetFormatPr defaultRowHeight=\"15\"/><sheetData/>"
              + kPageSetup + "portrait\"/></worksheet>");

    SheetPart far;
    far.rows = {{1048576, 0, {partCell(703, -1)}}};
    const QByteArray xml = worksheetPart(far, {}, {});
    EXPECT_TRUE(xml.contains("<dimension ref=\"AAA1048576\"/>")) << xml.toStdString();
    EXPECT_TRUE(xml.contains("<row r=\"1048576\" spans=\"703:703\"><c r=\"AAA1048576\"/></row>"))
        << xml.toStdString();
}

struct SharedTextCase {
    const char* what;
    QByteArray text;
    QByteArray stored;
};

std::ostream& operator<<(std::ostream& out, const SharedTextCase& c)
{
    return out << c.what;
}

class XlsxSharedStrings : public testing::TestWithParam<SharedTextCase> {};

TEST_P(XlsxSharedStrings, KeepEveryTextAsTheSpreadsheetReadsIt)
{
    const SharedTextCase& c = GetParam();
    EXPECT_EQ(sharedStringsPart({"first", c.text}, 5),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
              "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"5\" "
              "uniqueCount=\"2\"><si><t>first</t></si>"
                  + c.stored + "</sst>");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, XlsxSharedStrings,
    testing::Values(
        SharedTextCase{"plain", "钢筋配料单", "<si><t>钢筋配料单</t></si>"},
        SharedTextCase{"markup", "a&b <tag>", "<si><t>a&amp;b &lt;tag&gt;</t></si>"},
        // not taken for the start of a rich text
        SharedTextCase{"rich look", "<r>x</r>", "<si><t>&lt;r&gt;x&lt;/r&gt;</t></si>"},
        SharedTextCase{"control", QByteArray("a\x01" "b\x1f", 4), "<si><t>a_x0001_b_x001F_</t></si>"},
        SharedTextCase{"inner breaks", "3000\n等差\t100", "<si><t>3000\n等差\t100</t></si>"},
        SharedTextCase{"leading space", " 1", "<si><t xml:space=\"preserve\"> 1</t></si>"},
        SharedTextCase{"trailing break", "1\n", "<si><t xml:space=\"preserve\">1\n</t></si>"}));

// The check sum every member carries, against the published check values,
// at lengths around the eight bytes taken at a step.
TEST(XlsxPackageMember, CarriesTheZipCheckSum)
{
    EXPECT_EQ(PackageMember::store("a", "").crc, 0u);
    EXPECT_EQ(PackageMember::store("a", "a").crc, 0xE8B7BE43u);
    EXPECT_EQ(PackageMember::store("a", "123456789").crc, 0xCBF43926u);
    EXPECT_EQ(PackageMember::store("a", "The quick brown fox jumps over the lazy dog").crc, 0x414FA339u);
    EXPECT_EQ(PackageMember::compress("a", "123456789").crc, 0xCBF43926u);
}

namespace {

// The raw deflate data inflated; empty unless it is one whole stream that
// ends where the data ends.
QByteArray inflated(const QByteArray& data)
{
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        return {};
    QByteArray out;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    z.avail_in = uInt(data.size());
    int result = Z_OK;
    while (result == Z_OK) {
        char buffer[65536];
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        result = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, qsizetype(sizeof buffer - z.avail_out));
    }
    const bool whole = result == Z_STREAM_END && z.avail_in == 0;
    inflateEnd(&z);
    return whole ? out : QByteArray(1, '!');
}

// A part of `size` bytes: XML rows much alike, or bytes that hardly
// compress.
QByteArray part(qsizetype size, bool alike)
{
    QByteArray bytes;
    bytes.reserve(size);
    std::uint32_t state = 12345;
    for (int row = 1; bytes.size() < size; ++row) {
        if (alike) {
            bytes += "<row r=\"" + QByteArray::number(row) + "\"><c t=\"s\"><v>7</v></c></row>";
        } else {
            state = state * 1103515245u + 12345u;
            bytes += char(state >> 24);
        }
    }
    bytes.truncate(size);
    return bytes;
}

constexpr qsizetype kMiB = qsizetype(1) << 20;

class XlsxPackageDeflate : public testing::TestWithParam<qsizetype> {};

} // namespace

// A big part is compressed in pieces side by side; joined they are one
// stream that gives the part back, the same bytes every time.
TEST_P(XlsxPackageDeflate, PiecesMakeOneStreamOfThePart)
{
    for (const bool alike : {true, false}) {
        const QByteArray bytes = part(GetParam(), alike);
        const PackageMember member = PackageMember::compress("xl/p.xml", bytes);
        EXPECT_TRUE(member.compressed);
        EXPECT_EQ(member.size, bytes.size());
        EXPECT_EQ(member.crc, std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()),
                                                  uInt(bytes.size()))));
        EXPECT_TRUE(inflated(member.data) == bytes) << (alike ? "rows" : "noise");
        EXPECT_EQ(PackageMember::compress("xl/p.xml", bytes).data, member.data);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, XlsxPackageDeflate,
                         testing::Values(0, 1, kMiB - 1, kMiB, kMiB + 1, 3 * kMiB + kMiB / 2));
