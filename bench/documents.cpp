// A bar list of 10,000 bars in 200 elements on the default shapes, as a
// document handles it: saved and loaded (each against the same bytes
// written and read raw with QFile), copied for a worker, every derived
// sheet rebuilt, and one page of each sheet drawn. Prints milliseconds,
// the best of three runs after one to warm up.

#include "bench/benchsupport.h"
#include "platform/archive.h"
#include "platform/painterdc.h"
#include "platform/savefile.h"
#include "tables/barlist/cuttingjob.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/tablecontents.h"
#include "tables/processing/liaopaitable.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tables/quantity/youhuaduanliaotable.h"
#include "tests/support/generatedbarlist.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int kRuns = 3;

double bestOf(const std::function<void()>& work)
{
    return bench::bestMs(work, kRuns);
}

void row(const char* what, double ms, const char* note = "")
{
    std::printf("%-34s %10.1f ms %s\n", what, ms, note);
}

void ratio(const char* what, double ms, double rawMs)
{
    std::printf("%-34s %10.1f ms   raw %.1f ms   ratio %.1f\n", what, ms, rawMs,
                rawMs > 0 ? ms / rawMs : 0.0);
}

// Page 1 of a sheet drawn into a window-sized picture.
double drawPage(CVes_TableBase& sheet)
{
    QImage image(1400, 900, QImage::Format_RGB32);
    return bestOf([&] {
        sheet.setPageTo(1, 1);
        QPainter painter(&image);
        platform::PainterDc dc(&painter);
        sheet.Draw(&dc, platform::Rect(0, 0, image.width(), image.height()));
    });
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    bench::useOwnDataFolder(home);
    QGuiApplication app(argc, argv);

    CVes_SetupTable list;
    test::fillGeneratedList(list, 200, 50);
    const QString path = home.filePath(QStringLiteral("big.pld"));

    // file
    QByteArray bytes;
    const double save = bestOf([&] {
        platform::Archive ar;
        list.Serialize(ar);
        bytes = ar.data();
        platform::saveFile(path, bytes);
    });
    const QString rawPath = home.filePath(QStringLiteral("raw.bin"));
    const double rawWrite = bestOf([&] {
        QFile file(rawPath);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
        file.close();
    });
    std::printf("bar list: %d rows, file %lld bytes\n\n", int(list.lines().size()),
                (long long)bytes.size());
    ratio("save (serialise + atomic write)", save, rawWrite);

    CVes_SetupTable loaded;
    const double load = bestOf([&] { loaded.OpenFile(path); });
    const double rawRead = bestOf([&] {
        QFile file(rawPath);
        file.open(QIODevice::ReadOnly);
        QByteArray all = file.readAll();
    });
    ratio("load (read + parse)", load, rawRead);

    // derived sheets
    std::printf("\n");
    std::unique_ptr<CVes_SetupTable> copy;
    const double snapshot = bestOf([&] { copy = list.workingCopy(); });
    row("working copy for a worker", snapshot);

    CVes_SLSumaryTable summary;
    CVes_SLSumaryJTtable joints;
    CVes_SortBarSheet sorted;
    CVes_SteelJinHuoSumaryTable purchase;
    CVes_LiaoPaiTable tags;
    CVes_YouhuaDuanLiaoTable cutting;
    CVes_TableContents contents;
    double all = snapshot;
    const auto timed = [&all](const char* what, const std::function<void()>& work) {
        const double ms = bestOf(work);
        all += ms;
        row(what, ms);
    };
    timed("sorted sheet (on the copy)", [&] { copy->SortSteel(&sorted, 0); });
    timed("quantity summary", [&] { list.SummarySTeel(&summary, 0); });
    timed("joint summary", [&] { list.SummaryJT(&joints); });
    timed("purchase summary", [&] { list.JinHuo(&purchase); });
    timed("bar tags", [&] { list.toLiaoPaiTable(&tags); });
    timed("cutting list, grade 3, 20 mm", [&] {
        CuttingJob job = copy->prepareDuanLiao();
        job.choose(3, 20.0f, copy->getYuanCaiLib());
        job.cut();
        job.fill(cutting);
    });
    timed("table of contents", [&] { list.TableContens(&contents); });
    row("all derived sheets", all);

    // pages
    std::printf("\n");
    row("page 1: bar list", drawPage(list));
    row("page 1: sorted sheet", drawPage(sorted));
    row("page 1: quantity summary", drawPage(summary));
    row("page 1: joint summary", drawPage(joints));
    row("page 1: purchase summary", drawPage(purchase));
    row("page 1: bar tags", drawPage(tags));
    row("page 1: cutting list", drawPage(cutting));
    row("page 1: table of contents", drawPage(contents));
    return 0;
}
