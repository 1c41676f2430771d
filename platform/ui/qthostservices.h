#pragma once
// The desktop's own message boxes, wait cursor, file opening and progress
// window, installed by the program at start-up.

#include "platform/hostservices.h"

namespace platform {

class QtHostServices final : public HostServices {
public:
    Answer message(const QString& text, MessageIcon icon, Buttons buttons,
                   const QString& title) override;
    void beginWait() override;
    void endWait() override;
    // A local file is opened by the desktop's program for its type
    // (xdg-open); when the desktop names no program for the type, nothing
    // is started and the answer is false.
    bool openWithDesktop(const QString& pathOrUrl) override;
    QString askSaveFileName(const QString& title, const QString& proposedPath,
                            const QString& filter) override;
    // A window of its own beside the active one, closed by its button.
    bool showHtml(const QString& title, const QString& html) override;
    // A modal progress window over the active window while a worker thread
    // runs the work.
    bool runWithProgress(const QString& text, bool cancellable, const BackgroundWork& work) override;
    // The same window over a job's three steps, a slice of taking or giving
    // a turn of the window's loop.
    bool runWithProgress(const QString& text, bool cancellable, const ProgressJob& job) override;
};

} // namespace platform
