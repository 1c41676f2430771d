#pragma once
// Driving a modal dialog from a test: the action runs on the dialog once it
// is open, and a dialog still open after a failed check is closed, so that
// a test never hangs.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace test {

template <typename T> void whenOpen(QObject* context, std::function<void(T&)> act)
{
    QTimer::singleShot(0, context, [act] {
        if (auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget()))
            act(*dlg);
    });
    QTimer::singleShot(3000, context, [] {
        if (QWidget* open = QApplication::activeModalWidget())
            open->close();
    });
}

} // namespace test
