// A small workbook that uses every feature of the writer, compared member by
// member with what it wrote when it was last checked by hand: a change to
// how any part is written (the cells, merges, looks, pictures, page setup,
// the shared strings or the package's members) shows here, whatever it is.
// The members are compared as their bytes before compression, so another
// zlib gives the same; the time stamp is masked and a picture file is known
// by its size in pixels (its pixels are checked elsewhere).

#include "platform/xlsx/workbook.h"

#include "tests/support/exportedbook.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform::xlsx;

namespace {

// Every member of the package in its order, as the fixture lists them; a
// picture file by its size in pixels.
QByteArray listing(const QString& zip)
{
    QByteArray out;
    for (auto [name, bytes] : test::workbookMembers(zip)) {
        if (name.endsWith(".png")) {
            const QImage image = QImage::fromData(bytes, "PNG");
            bytes = "PNG " + QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height());
        }
        out += "== " + name + '\n' + bytes + "\n";
    }
    return out;
}

QImage filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

WorkbookTemplate everyLayout()
{
    WorkbookTemplate layout;
    SheetTemplate list;
    list.name = QStringLiteral("配料单");
    list.columns = {{8, QStringLiteral("钢筋\n编号"), Align::Center},
                    {8.43, QStringLiteral("规格"), Align::Left},
                    {0.5, QString(), Align::Right},
                    {12, QStringLiteral("备注"), Align::Left}};
    SheetTemplate summary;
    summary.name = QStringLiteral("汇总");
    summary.landscape = true;
    summary.columns = {{10, QStringLiteral("直径"), Align::Right}, {10, QStringLiteral("重量"), Align::Center}};
    layout.sheets = {list, summary};
    return layout;
}

// Title, headings, captions; texts, numbers with and without decimals, a
// number too wide that shrinks, texts that wrap or run on, escapes and
// spaces kept; merges, borders, row heights; pictures shared between the
// sheets and offset in their cells; a selection, the active sheet and a
// far cell.
void fill(Workbook& book)
{
    Worksheet& list = *book.sheet(QStringLiteral("配料单"));
    list.setText(1, 1, QStringLiteral("钢筋配料单"));
    list.setText(2, 1, QStringLiteral("工程名称：综合楼"));
    list.setText(4, 4, QStringLiteral("第1页"));
    list.setValue(6, 1, QStringLiteral("1"));
    list.setValue(6, 2, QStringLiteral("831.600"));
    list.setValue(6, 3, QStringLiteral("-0.5"));
    list.setNumber(6, 4, 1234567.891);
    list.setValue(7, 1, QStringLiteral("5支/组\r共9组"));
    list.setText(7, 2, QStringLiteral(" 前后有空格 "));
    list.setText(7, 4, QStringLiteral("a & b < c\x01"));
    list.setText(8, 1, QStringLiteral("一段很长的备注文字会越过右边的空白单元格"));
    list.spanWideText(8, 1, 4);
    list.setText(9, 4, QStringLiteral("放不下的长备注要在单元格里换行显示"));
    list.merge(10, 1, 3);
    list.setText(10, 1, QStringLiteral("合计"));
    list.setNumber(10, 4, 42, 2);
    list.setBorders(5, 1, 10, 4);
    list.setRowHeight(11, 30.2);
    list.insertPicture(6, 3, QByteArrayLiteral("shape"), [] { return filled({60, 20}, Qt::blue); }, 2, 3);
    list.insertPicture(9, 1, filled({30, 90}, Qt::red));
    list.setText(2000, 28, QStringLiteral("远处"));
    list.select(QStringLiteral("B7"));

    Worksheet& summary = *book.sheet(QStringLiteral("汇总"));
    summary.setText(1, 1, QStringLiteral("钢筋汇总表"));
    summary.setValue(6, 1, QStringLiteral("12"));
    summary.setValue(6, 2, QStringLiteral("1.250"));
    summary.insertPicture(6, 2, QByteArrayLiteral("shape"), [] { return filled({60, 20}, Qt::blue); });
    book.activate(summary);
}

TEST(XlsxGoldenWorkbook, EveryPartIsWrittenAsBefore)
{
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        GTEST_SKIP() << "unzip is not installed";
    test::HostScope host;
    QTemporaryDir dir;
    Workbook book;
    book.setTemplate(everyLayout());
    fill(book);
    const QString path = dir.filePath(QStringLiteral("every.xlsx"));
    QString error;
    ASSERT_TRUE(book.save(path, &error)) << error.toStdString();

    QFile fixture(QStringLiteral(RODO_FIXTURES_DIR "/xlsx_every_feature.txt"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QByteArray expected = fixture.readAll();
    const QByteArray written = listing(path);
    if (written != expected) {
        // Kept for a look at what changed.
        dir.setAutoRemove(false);
        QFile actual(dir.filePath(QStringLiteral("xlsx_every_feature.txt")));
        ASSERT_TRUE(actual.open(QIODevice::WriteOnly));
        actual.write(written);
        ADD_FAILURE() << "the workbook differs from the fixture; written: "
                      << actual.fileName().toStdString();
    }
}

} // namespace
