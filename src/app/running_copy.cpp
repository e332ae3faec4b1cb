// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/running_copy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QTextStream>

namespace {

// How long a starting copy waits for a running one to accept, and then to answer.
constexpr int ConnectWaitMs = 1000;
constexpr int AnswerWaitMs = 5000;
// How long deciding may wait for another copy that is deciding at the same moment.
constexpr int LockWaitMs = 10000;

const QByteArray FrontRequest = "front";
const QByteArray FrontAnswer = "ok\n";

// The store's path with its folder's links resolved, so two ways of naming one store
// meet at one socket.
QString CanonicalStorePath(const QString& storePath) {
    const QFileInfo file(storePath);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? file.absoluteFilePath() : QDir(folder).filePath(file.fileName());
}

QString RuntimeFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

// The token a desktop hands a program it starts, so that window may take the focus.
QByteArray ActivationToken() {
    const QByteArray wayland = qgetenv("XDG_ACTIVATION_TOKEN");
    return wayland.isEmpty() ? qgetenv("DESKTOP_STARTUP_ID") : wayland;
}

void Warn(const QString& text) {
    QTextStream(stderr) << "tidewell: " << text << Qt::endl;
}

} // namespace

TRunningCopy::TRunningCopy(const QString& storePath, QObject* parent)
    : QObject(parent), Socket(SocketPath(storePath)) {
    connect(&Server, &QLocalServer::newConnection, this, &TRunningCopy::Answer);
}

QString TRunningCopy::SocketPath(const QString& storePath) {
    const QByteArray hash = QCryptographicHash::hash(CanonicalStorePath(storePath).toUtf8(),
                                                     QCryptographicHash::Sha256);
    return QDir(RuntimeFolder())
        .filePath(QStringLiteral("tidewell-%1").arg(QString::fromLatin1(hash.toHex().left(24))));
}

TRunningCopy::TClaim TRunningCopy::Claim() {
    QLockFile lock(Socket + QStringLiteral(".lock"));
    if (!lock.tryLock(LockWaitMs))
        Warn(QStringLiteral("cannot lock %1.lock; not checking for a running copy").arg(Socket));
    if (HandOver()) return TClaim::HandedOver;
    return Listen() ? TClaim::First : TClaim::Unguarded;
}

bool TRunningCopy::HandOver() {
    QLocalSocket socket;
    socket.connectToServer(Socket);
    if (!socket.waitForConnected(ConnectWaitMs)) return false;
    socket.write(FrontRequest + ' ' + ActivationToken() + '\n');
    socket.flush();
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(AnswerWaitMs)) {
            Warn(QStringLiteral("a copy running on the same settings did not answer; starting "
                                "another"));
            return false;
        }
    return socket.readLine() == FrontAnswer;
}

bool TRunningCopy::Listen() {
    Server.setSocketOptions(QLocalServer::UserAccessOption);
    if (Server.listen(Socket)) return true;
    // Nobody answered at the socket: it is left from a copy that ended without removing it.
    QLocalServer::removeServer(Socket);
    if (Server.listen(Socket)) return true;
    Warn(QStringLiteral("cannot listen at %1: %2").arg(Socket, Server.errorString()));
    return false;
}

void TRunningCopy::Answer() {
    while (QLocalSocket* socket = Server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            const QList<QByteArray> words = socket->readLine().trimmed().split(' ');
            if (words.value(0) != FrontRequest) return;
            socket->write(FrontAnswer);
            socket->flush();
            emit FrontRequested(QString::fromUtf8(words.value(1)));
        });
    }
}
