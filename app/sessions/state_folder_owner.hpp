// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>

class QLocalServer;
class QWidget;

namespace quorvel {

// One window owns a state folder at a time. Two windows on one folder would
// each offer to resume, rewrite or put away the journal the other is writing,
// so the second start must not touch a file there.
//
// The owner holds a lock file in the folder ("quorvel.lock"); a lock left by a
// process that was killed is taken over, as the process is no longer there.
// The owner also listens on a local socket named after the folder: a second
// start that finds the lock taken asks through it for the running window to
// come to the front, and exits.
class StateFolderOwner : public QObject {
    Q_OBJECT

public:
    enum class Claim {
        Owner,     // this process owns the folder (or it cannot hold a lock there at all)
        Raised,    // another window owns it and came to the front
        Answerless // another window owns it and did not answer
    };

    explicit StateFolderOwner(QString folder, QObject* parent = nullptr);
    ~StateFolderOwner() override;

    // Takes the lock, or asks the owner to show itself. Only the owner makes
    // the folder (private to the user) when it is missing; the other cases
    // touch no file.
    Claim claim();
    // The window the owner brings to the front when asked.
    void set_window(QWidget* window) { window_ = window; }

    // The local socket's name for a folder: the same folder gives the same
    // name, for this user only.
    static QString server_name(const QString& folder);
    static QString lock_file(const QString& folder);

signals:
    // A second start asked; emitted after the window came to the front.
    void asked();

private:
    void listen();
    void answer();

    QString folder_;
    QLockFile lock_;
    QLocalServer* server_ = nullptr;
    QPointer<QWidget> window_;
};

}  // namespace quorvel
