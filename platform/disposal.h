#pragma once
// Big model objects freed away from the user-interface thread. Freeing a
// closed 50,000-row list with its undo history and the sheets made from it
// takes longer than a window may stand still; nothing else refers to them
// once their document is gone, so a thread of the program's own frees them,
// one after the other, while the window goes on.

#include <functional>
#include <memory>
#include <tuple>

namespace platform {

// Runs `drop`, which frees what it holds, on the disposal thread.
void disposeInBackground(std::function<void()> drop);

// Hands the objects over to be freed on the disposal thread in the order
// given; the pointers are empty when this returns.
template <typename... T>
void disposeInBackground(std::unique_ptr<T>&... objects)
{
    auto held = std::make_shared<std::tuple<std::unique_ptr<T>...>>(std::move(objects)...);
    disposeInBackground(std::function<void()>([held] {
        std::apply([](auto&... object) { (object.reset(), ...); }, *held);
    }));
}

// Waits until everything handed over so far is freed.
void waitForDisposals();

} // namespace platform
