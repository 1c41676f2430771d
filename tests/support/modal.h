#pragma once
// Driving modal dialogs from a test without ever hanging the run: whatever
// a check inside the driver does, the dialog it was given is closed when the
// driver returns, and a dialog that was not expected is closed as well.

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace test {

// Closes `dialog` when it is still shown (rejecting a QDialog), recording a
// test failure that says `why`.
void closeLeftOpen(QWidget* dialog, const char* why);

// Runs `act` on `dialog`, then closes the dialog if `act` left it open (a
// failed check that returned early, or a button that did not close it).
template <typename T>
void actAndClose(T* dialog, const std::function<void(T*)>& act)
{
    const QPointer<QWidget> guard(dialog);
    act(dialog);
    if (guard)
        closeLeftOpen(guard, "the dialog was left open");
}

// How long a test waits for a modal dialog before it gives up: only a guard
// against a hang, so long enough for a loaded machine to finish the work
// shown behind a progress window first.
inline constexpr int kModalGiveUpMs = 120000;

// Runs `act` on the next modal dialog of type T once it is up. A modal
// widget of another type that is still up when the wait gives up is closed
// as a failure, so the run never waits on it.
template <typename T>
void onNextModal(std::function<void(T*)> act, std::shared_ptr<QElapsedTimer> waited = {})
{
    if (!waited) {
        waited = std::make_shared<QElapsedTimer>();
        waited->start();
    }
    QTimer::singleShot(5, [act = std::move(act), waited]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<T*>(modal);
        if (!dialog && !waited->hasExpired(kModalGiveUpMs)) {
            onNextModal<T>(std::move(act), waited);
            return;
        }
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog of the expected type came up";
            if (modal)
                closeLeftOpen(modal, "a modal dialog of another type came up");
            return;
        }
        actAndClose<T>(dialog, act);
    });
}

} // namespace test
