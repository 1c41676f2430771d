#pragma once
// Host services for tests: records every message, wait-cursor call, dialog
// asked for and progress run, and answers questions from a script (then with
// the box's safe answer; a dialog with the one served, if any).

#include "platform/hostservices.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <typeindex>
#include <utility>
#include <vector>

namespace test {

struct RecordedMessage {
    QString text;
    platform::MessageIcon icon;
    platform::Buttons buttons;
    QString title;
};

struct RecordedProgress {
    QString text;
    bool cancellable;
};

class RecordingHost final : public platform::HostServices {
public:
    platform::Answer message(const QString& text, platform::MessageIcon icon,
                             platform::Buttons buttons, const QString& title) override;
    void beginWait() override;
    void endWait() override;
    bool openWithDesktop(const QString& pathOrUrl) override;
    // Records the question; answers the next scripted path, else the
    // proposed name in the save folder.
    QString askSaveFileName(const QString& title, const QString& proposedPath,
                            const QString& filter) override;
    bool showHtml(const QString& title, const QString& html) override;
    // Records the kind; answers with the next scripted answer for the kind,
    // else with the dialog served for it (none: cancelled).
    bool askDialog(platform::DialogRequest& request) override;
    // Records the run; runs the work on a thread of its own, no window shown,
    // and waits for it. A scripted cancel stops the next cancellable run
    // before it starts.
    bool runWithProgress(const QString& text, bool cancellable,
                         const platform::BackgroundWork& work) override;
    // A job's steps in turn, its work recorded and run as above.
    using platform::HostServices::runWithProgress;
    QDateTime now() const override;

    // Queues answers for the next questions.
    void script(std::initializer_list<platform::Answer> answers);
    // Queues the answer to the next save question (empty: cancelled).
    void scriptSaveFile(const QString& path);
    // Queues the answer to the next request of its kind: `answer` reads the
    // request, writes the user's choices into it and says OK (true) or
    // Cancel (false).
    template <typename Request>
    void answerDialog(std::function<bool(Request&)> answer)
    {
        std::lock_guard lock(m_mutex);
        m_dialogAnswers[typeid(Request)].push_back(
            [answer](platform::DialogRequest& request) { return answer(static_cast<Request&>(request)); });
    }
    // The next progress run with a cancel button is cancelled by the user.
    void scriptProgressCancel();
    // Where unscripted save questions put their file: `folder` (empty: the
    // data folder's "exports/", the test's own). Kept by clear().
    void setSaveFolder(const QString& folder);
    QString saveFolder() const;
    void setNow(const QDateTime& now);
    // What opening with the desktop answers from now on (true at first):
    // false plays a machine without a program for the file.
    void setDesktopOpens(bool opens);
    void clear();

    std::vector<RecordedMessage> messages() const;
    QStringList messageTexts() const;
    QStringList opened() const;
    // The paths proposed by the save questions asked.
    QStringList proposedSaves() const;
    // The pages shown in the program's own window, as "title" and "html".
    std::vector<std::pair<QString, QString>> shownPages() const;
    int waitDepth() const;
    int waitCalls() const;
    // The kinds of the dialogs asked for, in order.
    std::vector<std::type_index> askedDialogs() const;
    std::vector<RecordedProgress> progressRuns() const;

    // The recorder the test main installed.
    static RecordingHost& current();

private:
    mutable std::mutex m_mutex;
    std::vector<RecordedMessage> m_messages;
    std::deque<platform::Answer> m_answers;
    QStringList m_opened;
    std::deque<QString> m_saveAnswers;
    QStringList m_proposedSaves;
    bool m_desktopOpens = true;
    QString m_saveFolder;
    std::vector<std::pair<QString, QString>> m_shownPages;
    QDateTime m_now;
    std::map<std::type_index, std::deque<platform::DialogServer>> m_dialogAnswers;
    std::vector<std::type_index> m_askedDialogs;
    std::vector<RecordedProgress> m_progressRuns;
    bool m_cancelNextProgress = false;
    int m_waitDepth = 0;
    int m_waitCalls = 0;
};

// Clears the recorder before and after each test that uses it.
class HostScope {
public:
    HostScope() { RecordingHost::current().clear(); }
    ~HostScope() { RecordingHost::current().clear(); }
    RecordingHost* operator->() { return &RecordingHost::current(); }
};

} // namespace test
