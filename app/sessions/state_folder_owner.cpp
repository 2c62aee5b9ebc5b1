// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sessions/state_folder_owner.hpp"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

#include "app/sessions/private_files.hpp"

namespace quorvel {

namespace {

constexpr QByteArrayView kRaise = "raise\n";
constexpr QByteArrayView kRaised = "raised\n";
// How long a second start waits for the running window to answer.
constexpr int kAnswerWait = 3000;

}  // namespace

StateFolderOwner::StateFolderOwner(QString folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), lock_(lock_file(folder_)) {
    // Only a lock whose process is gone is stale, however old it is: a window
    // may stay open for days.
    lock_.setStaleLockTime(0);
}

StateFolderOwner::~StateFolderOwner() = default;

QString StateFolderOwner::lock_file(const QString& folder) {
    return folder + QStringLiteral("/quorvel.lock");
}

QString StateFolderOwner::server_name(const QString& folder) {
    const QString canonical = QFileInfo(folder).absoluteFilePath();
    const QByteArray key = QByteArray::number(static_cast<qulonglong>(::getuid())) + '\n' +
                           QFile::encodeName(QDir::cleanPath(canonical));
    return QStringLiteral("quorvel-") +
           QString::fromLatin1(
               QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(24));
}

StateFolderOwner::Claim StateFolderOwner::claim() {
    // A folder that does not exist has no owner; making it is the owner's first step.
    if (!QFileInfo::exists(folder_)) make_private_folder(folder_);
    if (lock_.tryLock(0)) {
        listen();
        return Claim::Owner;
    }
    // A folder where no lock can be made keeps no session either (the store
    // says so); there is nothing to share, and play goes on.
    if (lock_.error() != QLockFile::LockFailedError) return Claim::Owner;

    QLocalSocket socket;
    socket.connectToServer(server_name(folder_));
    if (!socket.waitForConnected(kAnswerWait)) return Claim::Answerless;
    socket.write(kRaise.data(), kRaise.size());
    if (!socket.waitForBytesWritten(kAnswerWait)) return Claim::Answerless;
    while (socket.bytesAvailable() < kRaised.size()) {
        if (!socket.waitForReadyRead(kAnswerWait)) return Claim::Answerless;
    }
    return socket.readAll().startsWith(kRaised) ? Claim::Raised : Claim::Answerless;
}

void StateFolderOwner::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = server_name(folder_);
    // The lock is ours, so a socket of that name was left by a window that
    // was killed.
    QLocalServer::removeServer(name);
    if (!server_->listen(name)) return;  // the lock still guards; only the raising is lost
    connect(server_, &QLocalServer::newConnection, this, &StateFolderOwner::answer);
}

void StateFolderOwner::answer() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() < kRaise.size()) return;
            if (!socket->readAll().startsWith(kRaise)) {
                socket->disconnectFromServer();
                return;
            }
            if (window_) {
                window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
                window_->show();
                window_->raise();
                window_->activateWindow();
            }
            socket->write(kRaised.data(), kRaised.size());
            socket->flush();
            emit asked();
        });
    }
}

}  // namespace quorvel
