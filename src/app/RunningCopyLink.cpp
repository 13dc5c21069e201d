#include "RunningCopyLink.h"

#include "SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

RunningCopyLink::RunningCopyLink(QObject* parent) : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &RunningCopyLink::TakeConnection);
}

QString RunningCopyLink::SocketPath(const QString& appName)
{
    QString path = SingleInstance::LockPath(appName);
    path.chop(QStringLiteral(".lock").size());
    return path + ".socket";
}

bool RunningCopyLink::Listen(const QString& appName)
{
    const QString path = SocketPath(appName);
    QLocalServer::removeServer(path);
    return m_server->listen(path);
}

// Each connection is read until the sender closes it; a sender that never
// does only keeps its own socket open.
void RunningCopyLink::TakeConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, socket, [socket] {
            if (socket->bytesAvailable() > kMaxMessageBytes)
                socket->abort();
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { TakeMessage(socket); });
        if (socket->state() == QLocalSocket::UnconnectedState)
            TakeMessage(socket);
    }
}

void RunningCopyLink::TakeMessage(QLocalSocket* socket)
{
    const QByteArray message = socket->readAll();
    socket->disconnect(this);
    socket->deleteLater();
    if (message.size() <= kMaxMessageBytes)
        emit Reached(message);
}

bool RunningCopyLink::HandOver(const QString& appName, const QByteArray& folder, int waitMs)
{
    QLocalSocket socket;
    socket.connectToServer(SocketPath(appName));
    if (!socket.waitForConnected(waitMs))
        return false;
    socket.write(folder);
    const bool sent = folder.isEmpty() || socket.waitForBytesWritten(waitMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(waitMs);
    return sent;
}
