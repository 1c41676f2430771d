#include "tables/barlist/backgroundwork.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {

constexpr int kProgressTick = 100;  // ms

} // namespace

bool runInBackground(QWidget* parent, const QString& text, bool cancellable,
                     const BackgroundWork& work)
{
    std::atomic<bool> cancel{false};
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    // Written by the worker, read once it has ended: atomic, since the wait
    // for a thread of Qt is not a synchronisation every checker can see.
    std::atomic<bool> finished{false};

    QProgressDialog progress(text, cancellable ? QStringLiteral("取消") : QString(), 0, 0, parent);
    progress.setWindowTitle(QStringLiteral("请稍候"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        finished = work(cancel, [&](int d, int t) {
            done = d;
            total = t;
        });
    }));
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    if (cancellable)
        QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] { cancel = true; });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &progress, [&] {
        if (cancellable && progress.wasCanceled())
            cancel = true;
        // Work of a single step keeps the bar busy.
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
