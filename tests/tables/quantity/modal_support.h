#pragma once
// Driving a modal dialog from a test: the action runs on the first modal
// dialog of type T to open (other modal windows may come first), and a
// dialog still open after a failed check is closed, so that a test never
// hangs.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace test {

template <typename T> void whenOpen(QObject* context, std::function<void(T&)> act)
{
    constexpr int kPoll = 5;       // ms
    constexpr int kGiveUp = 3000;  // ms
    auto* poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(*dlg);
        }
    });
    poll->start(kPoll);
    QTimer::singleShot(kGiveUp, context, [] {
        if (QWidget* open = QApplication::activeModalWidget())
            open->close();
    });
}

} // namespace test
