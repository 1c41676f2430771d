#pragma once
// Long work of a command on a worker thread, while the user sees a modal
// progress dialog (and may cancel the work when it can stop early).

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

// Tells the dialog how far the work is: (steps done, steps).
using WorkProgress = std::function<void(int, int)>;
// The work: answers whether it ran to its end; it stops early when the
// flag is set.
using BackgroundWork = std::function<bool(const std::atomic<bool>& cancel, const WorkProgress&)>;

// Runs `work` on a worker thread behind a modal progress dialog showing
// `text`, with a cancel button when `cancellable`. Answers whether the work
// ran to its end and was not cancelled; the worker has stopped before this
// returns. Call it on the user-interface thread; the work must not touch
// what that thread shows.
bool runInBackground(QWidget* parent, const QString& text, bool cancellable,
                     const BackgroundWork& work);
