// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QDateTime>
#include <QObject>
#include <QString>

#include "app/sessions/session_store.hpp"
#include "lab/session_log.hpp"
#include "play/session.hpp"

namespace quorvel {

// The window's session and everything that keeps it: the journal file in the
// state folder, the lab's log that follows it, and the session files the
// player saves and opens. The window acts on session(); every line the
// session records is on the disk before the next action.
class SessionKeeper : public QObject {
    Q_OBJECT

public:
    // Asked once at the start when the last session did not end cleanly:
    // true to resume it, false to start new.
    using ResumeQuestion = std::function<bool(const QString& question)>;

    explicit SessionKeeper(QString folder = SessionStore::default_folder(),
                           Session::Clock clock = {}, QObject* parent = nullptr);
    ~SessionKeeper() override;

    Session& session() { return session_; }
    const Session& session() const { return session_; }
    const SessionLog& log() const { return log_; }
    // Brings the log up to date; true when it moved.
    bool follow() { return log_.follow(session_.game()); }

    // Starts keeping: offers to resume an unfinished session with `ask`.
    // Returns what the player should be told (a torn line dropped, a file
    // that could not be read back, a folder that cannot be written), or empty.
    // `progress` sees the reading of a large journal, and may cancel it; the
    // journal is then kept under its date and a new session begins.
    QString start(const ResumeQuestion& ask, const ReadProgress& progress = {});

    // "Resume the last session (N spins, last at HH:MM)?"
    static QString resume_question(int spins, const QDateTime& last_action);

    // A session played elsewhere (a load off the interface thread) becomes the
    // live one; its journal goes down whole. A new session puts the one in
    // play away under its date first; otherwise it continues the one in play.
    void adopt(Session session, SessionLog log, bool new_session = false);
    // A session without spins and with the settings in force, as "RESET APP"
    // starts one.
    Session fresh_session() const;
    Session fresh_session(const Parameters& settings) const;

    // The sessions in the state folder, oldest first ("Sessions…").
    std::vector<SessionStore::KeptFile> kept_files() const;
    // Opens a kept session to play on from its end, as open() does; the file
    // it came from goes once the session is kept again as the one in play.
    QString open_to_play_on(const QString& file_name, QString* notice = nullptr,
                            const ReadProgress& progress = {});
    // "Save session…": the journal as it stands. Returns the reason it failed.
    QString save(const QString& file_name) const;
    // "Open session…": the file replayed; the session in play is kept under
    // its date. Returns the refusal (the game is then untouched); `notice`
    // receives the sentence about a torn last line.
    // `progress` sees the reading of a large file, and may cancel it.
    QString open(const QString& file_name, QString* notice = nullptr,
                 const ReadProgress& progress = {});
    // "RESET APP": a new session with the current settings; the old one is
    // kept under its date.
    void reset();
    // The clean end, when the window closes.
    void end();

    QString store_error() const { return store_.error(); }
    QString folder() const { return store_.folder(); }

signals:
    // The folder could not be written, or can be again: said once each
    // time, play goes on.
    void told(const QString& why);

private:
    void keep(bool resumed);
    void attach_sink();
    void say_not_kept();
    void tell(const QString& what);

    SessionStore store_;
    Session::Clock clock_;
    Session session_;
    SessionLog log_;
    bool not_kept_said_ = false;
};

}  // namespace quorvel
