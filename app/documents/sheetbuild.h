#pragma once
// One derived sheet rebuilt on a worker thread. What the work reads is
// taken on the user-interface thread before it starts (a copy of the table),
// so the user can go on editing; the work writes only the sheet it builds,
// which nothing shows while it runs. A long copy is taken a part at a time,
// one part per turn of the event loop, so that the user-interface thread
// is never held up long. Its end is delivered on the user-interface thread,
// which looks every 10 ms whether the worker is done. Workers of one kind
// (bar lists, quantity sheets) run one at a time in the whole program.
// While any build of a kind runs, a small busy window says so.
//
// A build that is cancelled (its document closes) is waited for, and its
// end is never delivered.

#include <QObject>
#include <QTimer>
#include <QPointer>
#include <QWidget>

#include <atomic>
#include <chrono>
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

    // Takes a part of what the work reads, on the user-interface thread,
    // for about `budget` (a negative one: all that is left); answers whether
    // all is taken. The work starts once it is.
    using Take = std::function<bool(std::chrono::milliseconds budget)>;

    struct Job {
        Work work;
        Done done;
        Take take;  // null: all was taken when the job was made
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
    // Whether a build has started and its end is not delivered yet (what
    // it reads being taken, or its worker running).
    bool isRunning() const { return m_taking || m_thread.joinable(); }
    // Waits for the running build and delivers its end at once; a build
    // waiting to start then runs, and is waited for as well.
    void finish();
    // Waits for the running build and drops its end and any waiting build.
    void cancel();

    // Builds of the kind that run now, in the whole program.
    static int running(Kind kind);

    // How often the user-interface thread looks for the worker's end.
    static constexpr int kPollMs = 10;
    // The time a part of what the work reads may take on the
    // user-interface thread at a stretch.
    static constexpr std::chrono::milliseconds kTakeMs{20};
    // The time a part is given: kTakeMs, unless a test set it otherwise
    // (0: a few rows a part, to see the parts; negative: all in one part),
    // user-interface thread only.
    static std::chrono::milliseconds takeBudget();
    static void setTakeBudget(std::chrono::milliseconds budget);

Q_SIGNALS:
    // A build has started: from now on until its end is delivered, what it
    // reads is being taken or its worker writes what it builds.
    void started();
    // After the end of the last build asked for was delivered.
    void finished(bool ok);

private:
    void start(Prepare prepare, QWidget* busyParent);
    // Takes the next part of what the work reads; starts the worker once
    // all is taken.
    void takeMore(std::chrono::milliseconds budget);
    void startWorker();
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
    bool m_taking = false;              // what the work reads is being taken
    Take m_take;
    Work m_work;                        // the work, until its worker starts
    QTimer m_takeTimer;                 // a part per turn of the event loop
    Prepare m_pending;           // the build to start after this one
    QPointer<QWidget> m_pendingBusyParent;
};
