#include "tests/support/recordinghost.h"

#include <cassert>

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

bool RecordingHost::showHtml(const QString& title, const QString& html)
{
    std::lock_guard lock(m_mutex);
    m_shownPages.emplace_back(title, html);
    return true;
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
    m_desktopOpens = true;
    m_shownPages.clear();
    m_now = {};
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
