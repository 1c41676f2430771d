// Child processes started from the test programs: they report what they
// did as they always do, and the thread that started one still orders what
// it hands to other threads through its locks and atomics (the thread build
// checks that ordering; a child that spoilt the checker's record of the
// starting thread shows up there as a race).

#include <QProcess>
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

TEST(ChildProcess, ReportsItsExitCodeItsOutputAndAFailedStart)
{
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("echo 钢筋; exit 3")});
    ASSERT_TRUE(shell.waitForFinished(30000));
    EXPECT_EQ(shell.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(shell.exitCode(), 3);
    EXPECT_EQ(QString::fromUtf8(shell.readAllStandardOutput()).trimmed(), QStringLiteral("钢筋"));

    QProcess missing;
    missing.start(QStringLiteral("/nonexistent/rodo-no-such-program"), {});
    EXPECT_FALSE(missing.waitForStarted(30000));
    EXPECT_EQ(missing.error(), QProcess::FailedToStart);
}

TEST(ChildProcess, TheStartingThreadStillOrdersWhatItHandsOver)
{
    QProcess child;
    child.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("exit 0")});
    ASSERT_TRUE(child.waitForFinished(30000));

    // Through a lock...
    std::mutex lock;
    std::condition_variable changed;
    std::vector<int> handed;
    bool ready = false;
    std::vector<int> seen;
    std::thread reader([&] {
        std::unique_lock guard(lock);
        changed.wait(guard, [&] { return ready; });
        seen = handed;
    });
    {
        const std::lock_guard guard(lock);
        handed = {1, 2, 3};
        ready = true;
    }
    changed.notify_one();
    reader.join();
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));

    // ...and through an atomic flag.
    std::vector<int> pieces;
    std::atomic<bool> published{false};
    std::size_t count = 0;
    std::thread waiter([&] {
        while (!published.load(std::memory_order_acquire))
            std::this_thread::yield();
        count = pieces.size();
    });
    pieces = {4, 5};
    published.store(true, std::memory_order_release);
    waiter.join();
    EXPECT_EQ(count, 2u);
}

} // namespace
