#pragma once
// One derived sheet rebuilt on a worker thread. What the work reads is
// taken on the user-interface thread before it starts (a copy of the table),
// so the user can go on editing; the work writes only the sheet it builds,
// which nothing shows while it runs. Its end is delivered on the
// user-interface thread, which looks every 10 ms whether the worker is done. Workers of one kind (bar lists, quantity sheets)
// run one at a time in the whole program. While any build of a kind runs, a
// small busy window says so.
//
// A build that is cancelled (its document closes) is waited for, and its
// end is never delivered.

#include <QObject>
#include <QTimer>
#include <QPointer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <thread>

class SheetBuild : public QObject {
    Q_OBJECT
public:
    enum class Kind { BarList, Quantity };
    // The work, on the worker thread.
    using Work = std::function<void()>;
    // The end, on the user-interface thread: whether the work ran through
    // (false when it threw).
    using Done = std::function<void(bool ok)>;

    struct Job {
        Work work;
        Done done;
    };
    // Makes a job on the user-interface thread when its build starts: takes
    // the copy the work reads.
    using Prepare = std::function<Job()>;

    explicit SheetBuild(Kind kind, QObject* parent = nullptr);
    // Cancels a build that still runs.
    ~SheetBuild() override;

    // Starts a build now, or, while one runs, once more after it (a later
    // request replaces one that waits). With `busyParent` the busy window of
    // the kind shows over it.
    void request(Prepare prepare, QWidget* busyParent = nullptr);
    bool isRunning() const { return m_thread.joinable(); }
    // Waits for the running build and delivers its end at once; a build
    // waiting to start then runs, and is waited for as well.
    void finish();
    // Waits for the running build and drops its end and any waiting build.
    void cancel();

    // Builds of the kind that run now, in the whole program.
    static int running(Kind kind);

    // How often the user-interface thread looks for the worker's end.
    static constexpr int kPollMs = 10;

Q_SIGNALS:
    // A build's worker has started: from now on until its end is delivered,
    // it writes what it builds.
    void started();
    // After the end of the last build asked for was delivered.
    void finished(bool ok);

private:
    void start(Prepare prepare, QWidget* busyParent);
    // The timer's look: a worker that is done is joined and its end
    // delivered.
    void poll();
    // Delivers the end of the joined build.
    void complete(bool ok);
    // Joins the worker; answers whether the work ran through.
    bool join();

    Kind m_kind;
    std::thread m_thread;
    Done m_done;
    bool m_ok = false;                  // written by the worker, read after join
    std::atomic<bool> m_workDone{false}; // set by the worker as it ends
    QTimer m_poll;
    bool m_busy = false;                // this build shows the busy window
    Prepare m_pending;           // the build to start after this one
    QPointer<QWidget> m_pendingBusyParent;
};
