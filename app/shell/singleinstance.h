#pragma once
// Keeps one copy of the program running per user and data folder. The first
// copy takes a lock and listens on a local socket; a later copy hands the
// files it was started with to the running one, which opens them and comes
// to the front, and then ends.

#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <memory>

class QLocalServer;
class QLocalSocket;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // How long a later copy waits for the running one to answer.
    static constexpr int kConnectTimeoutMs = 5000;

    SingleInstance();
    ~SingleInstance() override;

    // Makes this the running copy (true), or hands `files` (absolute paths)
    // to the running copy (false: the caller ends). When the running copy
    // cannot be reached the user is told and the answer is false as well.
    bool claim(const QStringList& files);
    bool isRunningCopy() const { return m_server != nullptr; }

    // The name of the local socket, the same for every copy of one user
    // and data folder.
    static QString serverName();

Q_SIGNALS:
    // A later copy was started, with these files (possibly none).
    void filesReceived(const QStringList& files);

private:
    bool listen();
    bool handOver(const QStringList& files);
    void onConnection();
    void onReadable(QLocalSocket* socket);

    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};
