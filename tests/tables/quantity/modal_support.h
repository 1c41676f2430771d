#pragma once
// Driving a modal dialog from a test: the action runs on the first modal
// dialog of type T to open (other modal windows may come first), and a
// dialog still open after a failed check is closed, so that a test never
// hangs.

#include "tests/support/modal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace test {

template <typename T> void whenOpen(QObject* context, std::function<void(T&)> act)
{
    constexpr int kPoll = 5; // ms
    auto* poll = new QTimer(context);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act, waited] {
        QWidget* open = QApplication::activeModalWidget();
        if (auto* dlg = qobject_cast<T*>(open)) {
            poll->stop();
            poll->deleteLater();
            act(*dlg);
            // Closed by `act`, or after a failed check, once a loaded
            // machine has had time to close it.
            QTimer::singleShot(kModalGiveUpMs, dlg, [dlg] {
                if (dlg->isVisible())
                    closeLeftOpen(dlg, "the dialog was left open");
            });
        } else if (waited->hasExpired(kModalGiveUpMs)) {
            poll->stop();
            poll->deleteLater();
            if (open)
                closeLeftOpen(open, "the dialog the test waited for did not come up");
        }
    });
    poll->start(kPoll);
}

} // namespace test
