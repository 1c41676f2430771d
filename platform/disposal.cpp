#include "platform/disposal.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace platform {

namespace {

// The thread starts with the first object handed over and finishes what it
// holds before the program ends.
class Disposer {
public:
    ~Disposer()
    {
        {
            std::lock_guard lock(m_mutex);
            m_ending = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    void add(std::function<void()> drop)
    {
        {
            std::lock_guard lock(m_mutex);
            m_queue.push_back(std::move(drop));
            if (!m_thread.joinable())
                m_thread = std::thread([this] { run(); });
        }
        m_wake.notify_all();
    }

    void wait()
    {
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [this] { return m_queue.empty() && !m_busy; });
    }

private:
    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_ending || !m_queue.empty(); });
            if (m_queue.empty())
                return;
            std::function<void()> drop = std::move(m_queue.front());
            m_queue.pop_front();
            m_busy = true;
            lock.unlock();
            drop();
            drop = nullptr;
            lock.lock();
            m_busy = false;
            m_done.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::deque<std::function<void()>> m_queue;
    bool m_busy = false;
    bool m_ending = false;
    std::thread m_thread;
};

Disposer& disposer()
{
    static Disposer instance;
    return instance;
}

} // namespace

void disposeInBackground(std::function<void()> drop)
{
    disposer().add(std::move(drop));
}

void waitForDisposals()
{
    disposer().wait();
}

} // namespace platform
