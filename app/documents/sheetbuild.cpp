#include "app/documents/sheetbuild.h"

#include "app/documents/busydlg.h"

#include <QPointer>

#include <array>
#include <mutex>

namespace {

// What one kind of build shares in the whole program: the lock its workers
// take, the builds running, and the busy window shown while any runs.
struct KindState {
    std::mutex lock;
    int running = 0;    // user-interface thread only
    int busyUsers = 0;  // user-interface thread only
    QPointer<CBusyDlg> busy;
};

std::chrono::milliseconds g_takeBudget = SheetBuild::kTakeMs;

KindState& stateOf(SheetBuild::Kind kind)
{
    static std::array<KindState, 2> states;
    return states[kind == SheetBuild::Kind::BarList ? 0 : 1];
}

void showBusy(KindState& state, QWidget* parent)
{
    if (state.busyUsers++ == 0 && !state.busy) {
        state.busy = new CBusyDlg(parent);
        state.busy->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (state.busy) {
        state.busy->resetCounter();
        state.busy->show();
    }
}

void hideBusy(KindState& state)
{
    if (state.busyUsers == 0 || --state.busyUsers > 0)
        return;
    if (state.busy)
        state.busy->close();
    state.busy = nullptr;
}

} // namespace

SheetBuild::SheetBuild(Kind kind, QObject* parent) : QObject(parent), m_kind(kind)
{
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &SheetBuild::poll);
    m_takeTimer.setInterval(0);
    connect(&m_takeTimer, &QTimer::timeout, this, [this] { takeMore(g_takeBudget); });
}

SheetBuild::~SheetBuild()
{
    cancel();
}

std::chrono::milliseconds SheetBuild::takeBudget()
{
    return g_takeBudget;
}

void SheetBuild::setTakeBudget(std::chrono::milliseconds budget)
{
    g_takeBudget = budget;
}

int SheetBuild::running(Kind kind)
{
    return stateOf(kind).running;
}

void SheetBuild::request(Prepare prepare, QWidget* busyParent)
{
    if (isRunning()) {
        m_pending = std::move(prepare);
        m_pendingBusyParent = busyParent;
        return;
    }
    start(std::move(prepare), busyParent);
}

void SheetBuild::start(Prepare prepare, QWidget* busyParent)
{
    KindState& state = stateOf(m_kind);
    Job job = prepare();
    m_done = std::move(job.done);
    m_busy = busyParent != nullptr;
    if (m_busy)
        showBusy(state, busyParent);
    ++state.running;
    m_work = std::move(job.work);
    m_take = std::move(job.take);
    m_taking = true;
    Q_EMIT started();
    takeMore(g_takeBudget);
}

void SheetBuild::takeMore(std::chrono::milliseconds budget)
{
    if (!m_taking)
        return;
    bool taken = true;
    try {
        taken = !m_take || m_take(budget);
    } catch (...) {
        // What cannot be copied cannot be built: the build fails.
        m_ok = false;
        complete(join());
        return;
    }
    if (!taken) {
        m_takeTimer.start();
        return;
    }
    m_takeTimer.stop();
    m_take = nullptr;
    m_taking = false;
    startWorker();
}

void SheetBuild::startWorker()
{
    KindState& state = stateOf(m_kind);
    m_workDone.store(false);
    m_thread = std::thread([this, &state, work = std::exchange(m_work, nullptr)] {
        bool ok = true;
        {
            const std::lock_guard<std::mutex> guard(state.lock);
            try {
                work();
            } catch (...) {
                ok = false;
            }
        }
        m_ok = ok;
        m_workDone.store(true, std::memory_order_release);
    });
    m_poll.start();
}

bool SheetBuild::join()
{
    m_poll.stop();
    m_takeTimer.stop();
    m_taking = false;
    m_take = nullptr;
    m_work = nullptr;
    if (m_thread.joinable())
        m_thread.join();
    KindState& state = stateOf(m_kind);
    --state.running;
    if (m_busy)
        hideBusy(state);
    m_busy = false;
    return m_ok;
}

void SheetBuild::poll()
{
    if (m_thread.joinable() && m_workDone.load(std::memory_order_acquire))
        complete(join());
}

void SheetBuild::complete(bool ok)
{
    const Done done = std::move(m_done);
    m_done = nullptr;
    if (done)
        done(ok);
    if (m_pending) {
        Prepare next = std::move(m_pending);
        m_pending = nullptr;
        start(std::move(next), m_pendingBusyParent);
        return;
    }
    Q_EMIT finished(ok);
}

void SheetBuild::finish()
{
    // Each end delivered starts the build waiting after it, if any.
    while (isRunning()) {
        takeMore(std::chrono::milliseconds(-1));
        if (m_thread.joinable())
            complete(join());
    }
}

void SheetBuild::cancel()
{
    m_pending = nullptr;
    if (!isRunning())
        return;
    join();
    m_done = nullptr;
}
