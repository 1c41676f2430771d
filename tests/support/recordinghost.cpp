#include "tests/support/recordinghost.h"

#include "platform/folders.h"

#include <QDir>
#include <QFileInfo>
#include <cassert>
#include <thread>

namespace test {

platform::Answer RecordingHost::message(const QString& text, platform::MessageIcon icon,
                                        platform::Buttons buttons, const QString& title)
{
    std::lock_guard lock(m_mutex);
    m_messages.push_back({text, icon, buttons, title});
    if (buttons == platform::Buttons::Ok)
        return platform::Answer::Ok;
    if (m_answers.empty())
        return platform::safeAnswer(buttons);
    const platform::Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void RecordingHost::beginWait()
{
    std::lock_guard lock(m_mutex);
    ++m_waitDepth;
    ++m_waitCalls;
}

void RecordingHost::endWait()
{
    std::lock_guard lock(m_mutex);
    --m_waitDepth;
}

bool RecordingHost::openWithDesktop(const QString& pathOrUrl)
{
    std::lock_guard lock(m_mutex);
    m_opened << pathOrUrl;
    return m_desktopOpens;
}

QString RecordingHost::askSaveFileName(const QString&, const QString& proposedPath, const QString&)
{
    std::lock_guard lock(m_mutex);
    m_proposedSaves << proposedPath;
    // Unscripted, the file goes into the test's own folder under the
    // proposed name, never into a real documents folder.
    if (m_saveAnswers.empty()) {
        const QString folder = m_saveFolder.isEmpty() ? platform::dataFolder() + QStringLiteral("exports/")
                                                      : m_saveFolder;
        QDir().mkpath(folder);
        return QDir(folder).filePath(QFileInfo(proposedPath).fileName());
    }
    const QString answer = m_saveAnswers.front();
    m_saveAnswers.pop_front();
    return answer;
}

void RecordingHost::scriptSaveFile(const QString& path)
{
    std::lock_guard lock(m_mutex);
    m_saveAnswers.push_back(path);
}

void RecordingHost::setSaveFolder(const QString& folder)
{
    std::lock_guard lock(m_mutex);
    m_saveFolder = folder;
}

QString RecordingHost::saveFolder() const
{
    std::lock_guard lock(m_mutex);
    return m_saveFolder;
}

QStringList RecordingHost::proposedSaves() const
{
    std::lock_guard lock(m_mutex);
    return m_proposedSaves;
}

bool RecordingHost::showHtml(const QString& title, const QString& html)
{
    std::lock_guard lock(m_mutex);
    m_shownPages.emplace_back(title, html);
    return true;
}

bool RecordingHost::askDialog(platform::DialogRequest& request)
{
    platform::DialogServer answer;
    {
        std::lock_guard lock(m_mutex);
        m_askedDialogs.emplace_back(typeid(request));
        auto scripted = m_dialogAnswers.find(typeid(request));
        if (scripted != m_dialogAnswers.end() && !scripted->second.empty()) {
            answer = std::move(scripted->second.front());
            scripted->second.pop_front();
        }
    }
    return answer ? answer(request) : platform::showServedDialog(request);
}

bool RecordingHost::runWithProgress(const QString& text, bool cancellable,
                                    const platform::BackgroundWork& work)
{
    std::atomic<bool> cancel{false};
    {
        std::lock_guard lock(m_mutex);
        m_progressRuns.push_back({text, cancellable});
        if (cancellable)
            cancel = std::exchange(m_cancelNextProgress, false);
    }
    bool finished = false;
    std::thread worker([&] { finished = work(cancel, [](int, int) {}); });
    worker.join();
    return finished && !cancel;
}

void RecordingHost::scriptProgressCancel()
{
    std::lock_guard lock(m_mutex);
    m_cancelNextProgress = true;
}

std::vector<std::type_index> RecordingHost::askedDialogs() const
{
    std::lock_guard lock(m_mutex);
    return m_askedDialogs;
}

std::vector<RecordedProgress> RecordingHost::progressRuns() const
{
    std::lock_guard lock(m_mutex);
    return m_progressRuns;
}

void RecordingHost::setDesktopOpens(bool opens)
{
    std::lock_guard lock(m_mutex);
    m_desktopOpens = opens;
}

std::vector<std::pair<QString, QString>> RecordingHost::shownPages() const
{
    std::lock_guard lock(m_mutex);
    return m_shownPages;
}

QDateTime RecordingHost::now() const
{
    std::lock_guard lock(m_mutex);
    return m_now.isValid() ? m_now : QDateTime::currentDateTime();
}

void RecordingHost::script(std::initializer_list<platform::Answer> answers)
{
    std::lock_guard lock(m_mutex);
    m_answers.insert(m_answers.end(), answers);
}

void RecordingHost::setNow(const QDateTime& now)
{
    std::lock_guard lock(m_mutex);
    m_now = now;
}

void RecordingHost::clear()
{
    std::lock_guard lock(m_mutex);
    m_messages.clear();
    m_answers.clear();
    m_opened.clear();
    m_saveAnswers.clear();
    m_proposedSaves.clear();
    m_desktopOpens = true;
    m_shownPages.clear();
    m_now = {};
    m_dialogAnswers.clear();
    m_askedDialogs.clear();
    m_progressRuns.clear();
    m_cancelNextProgress = false;
    m_waitDepth = 0;
    m_waitCalls = 0;
}

std::vector<RecordedMessage> RecordingHost::messages() const
{
    std::lock_guard lock(m_mutex);
    return m_messages;
}

QStringList RecordingHost::messageTexts() const
{
    std::lock_guard lock(m_mutex);
    QStringList out;
    for (const auto& m : m_messages)
        out << m.text;
    return out;
}

QStringList RecordingHost::opened() const
{
    std::lock_guard lock(m_mutex);
    return m_opened;
}

int RecordingHost::waitDepth() const
{
    std::lock_guard lock(m_mutex);
    return m_waitDepth;
}

int RecordingHost::waitCalls() const
{
    std::lock_guard lock(m_mutex);
    return m_waitCalls;
}

RecordingHost& RecordingHost::current()
{
    auto* host = dynamic_cast<RecordingHost*>(&platform::host());
    assert(host && "the test main installs a RecordingHost");
    return *host;
}

} // namespace test
