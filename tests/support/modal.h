#pragma once
// Driving modal dialogs from a test: an action runs on the next modal dialog
// of a type once it is up, from a timer, while the dialog's own loop runs.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace test {

// Runs `act` on the next modal dialog of type T once it is up. A dialog that
// `act` leaves open is rejected, so that a failed check never leaves a test
// waiting on it.
template <typename T>
void onNextModal(std::function<void(T*)> act, int tries = 200)
{
    QTimer::singleShot(5, [act = std::move(act), tries]() mutable {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog && tries > 0) {
            onNextModal<T>(std::move(act), tries - 1);
            return;
        }
        ASSERT_NE(dialog, nullptr) << "no modal dialog came up";
        act(dialog);
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            open && open == static_cast<QWidget*>(dialog))
            open->reject();
    });
}

} // namespace test
