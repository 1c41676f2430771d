#include "platform/xlsx/cellnames.h"
#include "platform/xlsx/package.h"

#include <gtest/gtest.h>

using namespace platform::xlsx;

namespace {

struct ColumnLettersCase {
    int column;
    const char* letters; // empty for a column outside the sheet
};

class XlsxColumnLetters : public testing::TestWithParam<ColumnLettersCase> {};

// The workbook names a column in its cell names and in every cell reference
// of a sheet part (cells, the range taken, merges, the selection): each must
// spell it as the spreadsheet does, at the edges of each letter count.
TEST_P(XlsxColumnLetters, SpellTheColumnAlikeWhereverItIsNamed)
{
    const ColumnLettersCase& c = GetParam();
    const QString letters = QString::fromLatin1(c.letters);
    EXPECT_EQ(columnName(c.column), letters);
    QByteArray appended("x");
    appendColumnLetters(appended, c.column);
    EXPECT_EQ(appended, "x" + QByteArray(c.letters));
    if (letters.isEmpty()) {
        EXPECT_EQ(cellName(7, c.column), QString());
        return;
    }
    EXPECT_EQ(cellName(7, c.column), letters + QStringLiteral("7"));
    EXPECT_EQ(parseCell(QString(letters + QStringLiteral("7"))), (CellRef{7, c.column}));

    SheetPart sheet;
    PartCell cell;
    cell.column = c.column;
    sheet.rows = {{7, 0, {cell}}};
    sheet.merges = {{7, 1, c.column}};
    sheet.selectedRow = 7;
    sheet.selectedColumn = c.column;
    const QByteArray xml = worksheetPart(sheet, {}, {});
    const QByteArray name = QByteArray(c.letters) + '7';
    for (const QByteArray& reference :
         {QByteArray("<dimension ref=\"" + name + "\"/>"),
          QByteArray("<selection activeCell=\"" + name + "\" sqref=\"" + name + "\"/>"),
          QByteArray("<c r=\"" + name + "\"/>"), QByteArray("<mergeCell ref=\"A7:" + name + "\"/>")})
        EXPECT_TRUE(xml.contains(reference)) << reference.toStdString() << " in " << xml.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Edges, XlsxColumnLetters,
    testing::Values(ColumnLettersCase{1, "A"}, ColumnLettersCase{2, "B"}, ColumnLettersCase{26, "Z"},
                    ColumnLettersCase{27, "AA"}, ColumnLettersCase{52, "AZ"},
                    ColumnLettersCase{53, "BA"}, ColumnLettersCase{702, "ZZ"},
                    ColumnLettersCase{703, "AAA"}, ColumnLettersCase{728, "AAZ"},
                    ColumnLettersCase{16384, "XFD"}, ColumnLettersCase{0, ""},
                    ColumnLettersCase{-1, ""}, ColumnLettersCase{16385, ""}));

} // namespace
