#pragma once
// What model code needs from the user's desktop: message boxes and questions,
// the wait cursor, the choice of a file to save, opening a file or address
// with the desktop's program (or showing a page in the program when none
// opens it), long work behind a progress window, the program's own dialogs
// and the clock. The program installs the Qt implementation; tests install a
// recorder with scripted answers; without either, a quiet default answers
// every question with its safe choice.

#include <QDateTime>
#include <QString>

#include <atomic>
#include <functional>
#include <typeindex>

namespace platform {

enum class MessageIcon { Information, Warning, Stop, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// Tells the progress window how far the work is: (steps done, steps).
using WorkProgress = std::function<void(int, int)>;
// Long work: answers whether it ran to its end; it stops early when the
// flag is set.
using BackgroundWork = std::function<bool(const std::atomic<bool>& cancel, const WorkProgress&)>;

// Work on the user-interface thread done a slice at a time, each slice
// short: answers true once there is no more to do.
using UiSlices = std::function<bool()>;

// Long work behind one progress window, in three steps: what the worker
// reads is taken on the user-interface thread a slice at a time (`take`),
// the work runs on a worker thread (`work`), and what it made is handed
// back on the user-interface thread a slice at a time (`give`). The window
// is up and modal all along and the event loop turns between slices, so
// nothing the user does changes what is taken or given. The user can
// cancel until the work has ended; `give` then never starts. Either slice
// step may be left empty.
struct ProgressJob {
    UiSlices take;
    BackgroundWork work;
    UiSlices give;
};

// A question model code asks in one of the program's dialogs: a struct of
// its own per dialog, holding what the dialog opens with and, after OK, what
// the user chose there. The windows serve each kind (serveDialog); model code
// never sees the dialog itself.
class DialogRequest {
public:
    virtual ~DialogRequest() = default;
};

// Shows the dialog of a request's kind; true when the user confirmed it.
using DialogServer = std::function<bool(DialogRequest&)>;

class HostServices {
public:
    virtual ~HostServices() = default;

    virtual Answer message(const QString& text, MessageIcon icon, Buttons buttons,
                           const QString& title) = 0;
    virtual void beginWait() = 0;
    virtual void endWait() = 0;
    // Opens a file or address with the desktop's program for it; false when
    // no program was found or it could not be started.
    virtual bool openWithDesktop(const QString& pathOrUrl) = 0;
    // Asks where to save a file, proposing `proposedPath` (its folder and
    // name); `filter` in Qt's form ("Excel 工作簿 (*.xlsx)"). The chosen
    // path, or an empty text when the user cancelled.
    virtual QString askSaveFileName(const QString& title, const QString& proposedPath,
                                    const QString& filter) = 0;
    // Shows an HTML page (a report the program wrote) in a window of the
    // program's own, for when no desktop program opens it; false when it
    // cannot be shown.
    virtual bool showHtml(const QString& /*title*/, const QString& /*html*/) { return false; }
    // Asks the user in the dialog served for the request's kind (see
    // serveDialog): true when it was confirmed, with the answers written
    // into `request`; false when it was cancelled or nothing serves the kind.
    virtual bool askDialog(DialogRequest& request);
    // Runs `work` on a worker thread while a progress window shows `text`,
    // with a cancel button when `cancellable`. Answers whether the work ran to
    // its end and was not cancelled; the work has stopped before this returns.
    // Called on the user-interface thread; the work must not touch what that
    // thread shows. Without a window the work simply runs to its end.
    virtual bool runWithProgress(const QString& text, bool cancellable, const BackgroundWork& work);
    // Runs a job of three steps behind one progress window; answers whether
    // every step ran to its end. Without a window the steps simply run in
    // turn.
    virtual bool runWithProgress(const QString& text, bool cancellable, const ProgressJob& job);
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
};

// The services in force; never null.
HostServices& host();
// Installs `services` (not owned); nullptr restores the quiet default.
void setHost(HostServices* services);

// Serves requests of `kind` with `server` from now on (an empty server takes
// the kind back). The program's windows serve their dialogs once at start.
void serveDialog(std::type_index kind, DialogServer server);
template <typename Request>
void serveDialog(std::function<bool(Request&)> server)
{
    serveDialog(typeid(Request), server ? DialogServer([server](DialogRequest& request) {
        return server(static_cast<Request&>(request));
    })
                                        : DialogServer());
}
// Shows the served dialog of the request's kind; false when none is served.
bool showServedDialog(DialogRequest& request);

// Shorthands for the usual calls.
void showMessage(const QString& text, MessageIcon icon = MessageIcon::Information,
                 const QString& title = {});
Answer ask(const QString& text, Buttons buttons = Buttons::YesNo, const QString& title = {});
inline bool askDialog(DialogRequest& request) { return host().askDialog(request); }
inline bool runWithProgress(const QString& text, bool cancellable, const BackgroundWork& work)
{
    return host().runWithProgress(text, cancellable, work);
}
inline bool runWithProgress(const QString& text, bool cancellable, const ProgressJob& job)
{
    return host().runWithProgress(text, cancellable, job);
}

// Shows the wait cursor for its lifetime.
class WaitCursor {
public:
    WaitCursor() { host().beginWait(); }
    ~WaitCursor() { host().endWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The answer a box gives when nobody is there to click: the choice that
// changes nothing.
Answer safeAnswer(Buttons buttons);

} // namespace platform
