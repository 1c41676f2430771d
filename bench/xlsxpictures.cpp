// A spreadsheet export of 10,000 rows, each with its shape picture, against
// the same workbook without pictures and against writing its bytes raw:
// what the pictures cost on their way into the workbook.

#include "bench/benchsupport.h"
#include "platform/savefile.h"
#include "platform/xlsx/workbook.h"

#include <QGuiApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

constexpr int kRows = 10000;

double ms(const std::function<void()>& work)
{
    const double start = bench::nowMs(bench::Clock::Wall);
    work();
    return bench::nowMs(bench::Clock::Wall) - start;
}

// A bar-list sheet: number, size, length and count texts, and with
// `pictures` a small drawn shape in column E of every row.
void fill(platform::xlsx::Workbook& book, bool pictures)
{
    using namespace platform::xlsx;
    SheetTemplate sheet;
    sheet.name = QStringLiteral("配料单");
    for (int c = 0; c < 11; ++c)
        sheet.columns.push_back({c == 4 ? 30.0 : 10.0, QStringLiteral("列%1").arg(c + 1), Align::Center});
    WorkbookTemplate layout;
    layout.sheets = {sheet};
    book.setTemplate(layout);
    Worksheet* bars = book.sheet(sheet.name);
    QImage shape(180, 32, QImage::Format_RGB32);
    for (int row = 6; row < 6 + kRows; ++row) {
        bars->setText(row, 1, QString::number(row - 5));
        bars->setText(row, 2, QStringLiteral("C%1").arg(8 + 2 * (row % 10)));
        bars->setNumber(row, 6, 3000 + row % 700);
        bars->setNumber(row, 7, 1 + row % 7);
        if (pictures) {
            shape.fill(Qt::white);
            QPainter painter(&shape);
            painter.drawLine(10, 26, 170, 26);
            painter.drawLine(10, 26, 10, 6 + row % 15);
            painter.drawText(60, 20, QString::number(3000 + row % 700));
            painter.end();
            bars->insertPicture(row, 5, shape, 2.0, 2.0);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    bench::useOwnDataFolder(home);
    QGuiApplication app(argc, argv);

    const QString path = home.filePath(QStringLiteral("export.xlsx"));
    const QString plainPath = home.filePath(QStringLiteral("plain.xlsx"));
    QString error;
    bool saved = true;
    platform::xlsx::Workbook withPictures;
    fill(withPictures, true);
    const double pictures = ms([&] { saved &= withPictures.save(path, &error); });
    platform::xlsx::Workbook without;
    fill(without, false);
    const double plain = ms([&] { saved &= without.save(plainPath, &error); });
    if (!saved) {
        std::fprintf(stderr, "the workbook could not be saved: %s\n", qPrintable(error));
        return 1;
    }
    QByteArray bytes;
    platform::readFile(path, &bytes);
    const double raw = ms([&] { platform::saveFile(home.filePath(QStringLiteral("raw.bin")), bytes); });

    std::printf("%d rows, %lld bytes with pictures, %lld without\n", kRows, (long long)bytes.size(),
                (long long)QFileInfo(plainPath).size());
    std::printf("save with pictures %8.1f ms   without %8.1f ms   raw write %6.1f ms\n", pictures, plain, raw);
    std::printf("pictures cost %6.2f ms a row; the save is %.1f times the raw write\n", (pictures - plain) / kRows,
                pictures / raw);
    return 0;
}
