// Painting one page of a full bar list in the sheet view against a blank
// fill of the same image: what the view adds on top of the pixels it must
// touch anyway, at device pixel ratios 1 and 2.

#include "tables/barlist/setuptable.h"
#include "tables/barlist/setuptableline.h"
#include "tables/framework/tableview.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRows = 10000;
constexpr int kRounds = 15;

void fill(CVes_SetupTable& table)
{
    const CSteelRecordId keys[] = {{190, 1}, {190, 2}, {191, 1}, {191, 2}, {191, 5}, {192, 1}, {193, 1}};
    for (int i = 0; i < kRows; ++i) {
        auto* line = new CVes_SetupTableLine(int(i % 20 ? CVes_SetupTableLine::kSteelLine
                                                        : CVes_SetupTableLine::kElementLine));
        line->setNull(0);
        if (CVes_Steel* bar = line->getSetupSteel()) {
            bar->setRecordId(keys[i % std::size(keys)]);
            bar->number = QString::number(i % 20);
            bar->grade = 3;
            bar->DN = float(8 + 2 * (i % 10));
            bar->count = 1 + i % 7;
            bar->remark = i % 3 ? QStringLiteral("上部通长筋") : QString();
        } else {
            line->setElement(QStringLiteral("KL%1(2A) 框架梁").arg(i / 20 + 1));
            line->setEleNum(2);
        }
        table.appendLine(line);
    }
}

// The processor time of the calling thread, so that other programs running
// at the same time count less.
double threadMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The fastest of several rounds, after one to warm up.
double bestMs(const std::function<void()>& work)
{
    work();
    double best = 1e300;
    for (int r = 0; r < kRounds; ++r) {
        const double start = threadMs();
        work();
        best = std::min(best, threadMs() - start);
    }
    return best;
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
    qputenv("RODO_HOME", home.path().toUtf8() + '/');
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    CVes_SetupTable table;
    fill(table);
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
