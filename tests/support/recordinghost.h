#pragma once
// Host services for tests: records every message and wait-cursor call and
// answers questions from a script (then with the box's safe answer).

#include "platform/hostservices.h"

#include <QStringList>
#include <deque>
#include <mutex>
#include <vector>

namespace test {

struct RecordedMessage {
    QString text;
    platform::MessageIcon icon;
    platform::Buttons buttons;
    QString title;
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
    QDateTime now() const override;

    // Queues answers for the next questions.
    void script(std::initializer_list<platform::Answer> answers);
    // Queues the answer to the next save question (empty: cancelled).
    void scriptSaveFile(const QString& path);
    // Where unscripted save questions put their file: `folder` (empty: the
    // data folder's "exports/", the test's own). Kept by clear().
    void setSaveFolder(const QString& folder);
    QString saveFolder() const;
    // Whether openWithDesktop finds a program (true until set).
    void setDesktopOpens(bool opens);
    void setNow(const QDateTime& now);
    void clear();

    std::vector<RecordedMessage> messages() const;
    QStringList messageTexts() const;
    QStringList opened() const;
    // The paths proposed by the save questions asked.
    QStringList proposedSaves() const;
    int waitDepth() const;
    int waitCalls() const;

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
    QDateTime m_now;
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
