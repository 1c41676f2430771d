#include "tables/barlist/cuttingprogress.h"

#include "tables/barlist/cuttingjob.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

namespace {

constexpr int kProgressTick = 100;  // ms

} // namespace

bool cutWithProgress(CuttingJob& job, QWidget* parent)
{
    std::atomic<bool> cancel{false};
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    bool finished = false;

    QProgressDialog progress(QStringLiteral("正在优化断料，请稍候……"), QStringLiteral("取消"), 0,
                             0, parent);
    progress.setWindowTitle(QStringLiteral("优化断料"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        finished = job.cut(&cancel, [&](int d, int t) {
            done = d;
            total = t;
        });
    }));
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] { cancel = true; });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &progress, [&] {
        if (progress.wasCanceled())
            cancel = true;
        // One size of one bar type cuts in one step: the bar stays busy.
        if (total > 1) {
            progress.setMaximum(total);
            progress.setValue(done);
        }
    });
    worker->start();
    tick.start(kProgressTick);
    progress.show();
    loop.exec();
    worker->wait();
    return finished && !cancel;
}

