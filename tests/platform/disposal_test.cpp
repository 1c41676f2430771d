#include "platform/disposal.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

namespace {

// Notes, when freed, its name and whether that happened on another thread.
struct Noted {
    static std::mutex mutex;
    static std::vector<int> freed;
    static bool onOtherThread;
    static std::thread::id caller;
    int name;
    explicit Noted(int n) : name(n) {}
    ~Noted()
    {
        std::lock_guard lock(mutex);
        freed.push_back(name);
        onOtherThread = onOtherThread && std::this_thread::get_id() != caller;
    }
};
std::mutex Noted::mutex;
std::vector<int> Noted::freed;
bool Noted::onOtherThread = true;
std::thread::id Noted::caller;

TEST(Disposal, FreesOnAnotherThreadInTheOrderGiven)
{
    Noted::freed.clear();
    Noted::onOtherThread = true;
    Noted::caller = std::this_thread::get_id();
    auto a = std::make_unique<Noted>(1);
    auto b = std::make_unique<Noted>(2);
    auto c = std::make_unique<Noted>(3);
    platform::disposeInBackground(c, a);
    platform::disposeInBackground(b);
    EXPECT_FALSE(a || c || b);
    platform::waitForDisposals();
    std::lock_guard lock(Noted::mutex);
    EXPECT_EQ(Noted::freed, (std::vector<int>{3, 1, 2}));
    EXPECT_TRUE(Noted::onOtherThread);
}

} // namespace
