#include "platform/hostservices.h"

#include <QDebug>
#include <QMutex>
#include <QMutexLocker>
#include <atomic>
#include <unordered_map>

namespace platform {

namespace {

class QuietHost final : public HostServices {
public:
    Answer message(const QString& text, MessageIcon, Buttons buttons, const QString&) override
    {
        qWarning().noquote() << text;
        return safeAnswer(buttons);
    }
    void beginWait() override {}
    void endWait() override {}
    bool openWithDesktop(const QString&) override { return false; }
    QString askSaveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

QuietHost g_quiet;
std::atomic<HostServices*> g_host{nullptr};

struct DialogServers {
    QMutex mutex;
    std::unordered_map<std::type_index, DialogServer> byKind;
};

DialogServers& dialogServers()
{
    static DialogServers servers;
    return servers;
}

} // namespace

bool HostServices::askDialog(DialogRequest& request)
{
    return showServedDialog(request);
}

bool HostServices::runWithProgress(const QString&, bool, const BackgroundWork& work)
{
    const std::atomic<bool> cancel{false};
    return work(cancel, [](int, int) {});
}

bool HostServices::runWithProgress(const QString& text, bool cancellable, const ProgressJob& job)
{
    while (job.take && !job.take()) {
    }
    if (!runWithProgress(text, cancellable, job.work))
        return false;
    while (job.give && !job.give()) {
    }
    return true;
}

void serveDialog(std::type_index kind, DialogServer server)
{
    DialogServers& servers = dialogServers();
    QMutexLocker lock(&servers.mutex);
    if (server)
        servers.byKind[kind] = std::move(server);
    else
        servers.byKind.erase(kind);
}

bool showServedDialog(DialogRequest& request)
{
    DialogServer server;
    {
        DialogServers& servers = dialogServers();
        QMutexLocker lock(&servers.mutex);
        const auto found = servers.byKind.find(typeid(request));
        if (found == servers.byKind.end())
            return false;
        server = found->second;
    }
    return server(request);
}

HostServices& host()
{
    HostServices* h = g_host.load(std::memory_order_acquire);
    return h ? *h : g_quiet;
}

void setHost(HostServices* services)
{
    g_host.store(services, std::memory_order_release);
}

void showMessage(const QString& text, MessageIcon icon, const QString& title)
{
    host().message(text, icon, Buttons::Ok, title);
}

Answer ask(const QString& text, Buttons buttons, const QString& title)
{
    return host().message(text, MessageIcon::Question, buttons, title);
}

Answer safeAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

} // namespace platform
