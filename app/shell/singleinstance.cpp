#include "app/shell/singleinstance.h"

#include "app/shell/openrequest.h"

#include "platform/folders.h"
#include "platform/hostservices.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace {

constexpr QByteArrayView kAnswer = "OK\n";

} // namespace

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance()
{
    delete m_server;
}

QString SingleInstance::serverName()
{
    QByteArray user = qgetenv("USER");
    if (user.isEmpty())
        user = qgetenv("USERNAME");
    const QByteArray key = user + '\n' + platform::dataFolder().toUtf8();
    return QStringLiteral("rodo-") + QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
}

bool SingleInstance::claim(const QStringList& files)
{
    m_lock = std::make_unique<QLockFile>(QDir::tempPath() + u'/' + serverName() + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(100))
        return listen();
    m_lock.reset();
    if (handOver(files))
        return false;
    platform::showMessage(QStringLiteral("Rodo表已在运行，但没有回应，不能把文件交给它打开。"),
                          platform::MessageIcon::Warning);
    return false;
}

bool SingleInstance::listen()
{
    // A socket left by a copy that ended abnormally is ours to replace: the
    // lock says no other copy runs.
    QLocalServer::removeServer(serverName());
    m_server = new QLocalServer;
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
    // Without a socket the program still runs alone (the lock says so);
    // only a later copy cannot hand its files over.
    m_server->listen(serverName());
    return true;
}

bool SingleInstance::handOver(const QStringList& files)
{
    // The running copy may still be starting: try until it listens.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kConnectTimeoutMs) {
        QLocalSocket socket;
        socket.connectToServer(serverName());
        if (socket.waitForConnected(500)) {
            socket.write(encodeOpenRequest(files));
            socket.flush();
            QByteArray answer;
            while (!answer.endsWith('\n') && socket.waitForReadyRead(kConnectTimeoutMs))
                answer += socket.readAll();
            return answer == kAnswer;
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstance::onConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadable(socket); });
    }
}

void SingleInstance::onReadable(QLocalSocket* socket)
{
    QByteArray message = socket->property("request").toByteArray() + socket->readAll();
    if (message.size() > kMaxOpenRequest) {
        socket->abort();
        return;
    }
    if (!message.endsWith("\n\n")) {
        socket->setProperty("request", message);
        return;
    }
    const std::optional<QStringList> files = decodeOpenRequest(message);
    if (!files) {
        socket->abort();
        return;
    }
    socket->write(kAnswer.data(), kAnswer.size());
    socket->flush();
    Q_EMIT filesReceived(*files);
}
