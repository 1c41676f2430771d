// Painting one page of a full bar list in the sheet view against a blank
// fill of the same image: what the view adds on top of the pixels it must
// touch anyway, at device pixel ratios 1 and 2.

#include "bench/benchsupport.h"
#include "tables/framework/ui/tableview.h"

#include <QApplication>
#include <QImage>
#include <cstdio>

namespace {

constexpr int kRows = 10000;
constexpr int kRounds = 15;

double bestMs(const std::function<void()>& work)
{
    return bench::bestMs(work, kRounds, bench::Clock::ThisThread);
}

// The view's paint of its window, rendered into an image of the given pixel
// ratio as the window system's picture of the window would be, against
// filling that image.
void measure(CVes_TableViewBase& view, double ratio)
{
    QWidget* window = view.viewport();
    QImage image(window->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    const double blank = bestMs([&] { image.fill(Qt::white); });
    const double page = bestMs([&] { window->render(&image); });
    if (qEnvironmentVariableIsSet("RODO_BENCH_SHOT"))
        image.save(qEnvironmentVariable("RODO_BENCH_SHOT") + QString::number(ratio) + QStringLiteral(".png"));
    std::printf("pixel ratio %.0f, %dx%d pixels: page %7.2f ms   blank fill %6.2f ms   ratio %6.2f\n", ratio,
                image.width(), image.height(), page, blank, page / blank);
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    bench::useOwnDataFolder(home);
    QApplication app(argc, argv);

    CVes_SetupTable table;
    bench::fillBarList(table, kRows);
    table.firstPage();
    CVes_TableViewBase view;
    view.resize(1600, 1000);
    view.setTable(&table);
    view.show();
    QApplication::processEvents();
    std::printf("bar list of %d rows, page %d of %d, best of %d rounds\n", kRows, table.getCurPage(),
                table.getPages(), kRounds);
    measure(view, 1.0);
    measure(view, 2.0);
    return 0;
}
