#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// How a second start reaches the copy that runs: a local socket beside the
// marker of a running copy. The running copy listens; a second start
// connects, sends the folder it was given (or nothing) and ends. The message
// is the folder's bytes, ended by the sender closing the connection.
class RunningCopyLink : public QObject {
    Q_OBJECT
public:
    // No message comes near this; a longer one is dropped.
    static constexpr qsizetype kMaxMessageBytes = 64 * 1024;

    explicit RunningCopyLink(QObject* parent = nullptr);

    // Listens for later starts of `appName`. Only the holder of the marker
    // calls this, so a socket left in its place is stale and is replaced.
    bool Listen(const QString& appName);

    // Hands `folder` (empty: none) to the copy of `appName` that runs. False
    // when none listens; a stale socket or a copy that does not answer costs
    // at most `waitMs`, never a hang.
    static bool HandOver(const QString& appName, const QByteArray& folder, int waitMs = 2000);

    // The socket's path: the marker's, with ".socket" for ".lock".
    static QString SocketPath(const QString& appName);

signals:
    // Another start asked for this window, handing over `folder` (empty: none).
    void Reached(const QByteArray& folder);

private:
    void TakeConnection();
    void TakeMessage(QLocalSocket* socket);

    QLocalServer* m_server = nullptr;
};
