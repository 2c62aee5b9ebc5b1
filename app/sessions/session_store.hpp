// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include <QDateTime>
#include <QString>

#include "app/sessions/read_session_file.hpp"
#include "lab/session_log.hpp"
#include "play/session.hpp"

namespace quorvel {

// Keeps the journal of the session being played in the state folder
// (~/.local/state/quorvel/, or under XDG_STATE_HOME), so that nothing is lost
// when the window goes without closing: a crash, a kill, a power cut.
//
// The session in play is the file "current.quorvel". Each action's line is
// written and flushed to the disk before the window takes the next one. A
// clean end renames the file after the session's start ("session 2026-12-08
// 15.04.07.quorvel"), as does a new session; a "current.quorvel" found at the
// start therefore means the last session ended some other way. The folder
// keeps the last 20 ended sessions and removes older ones; a session in
// which nothing was done is not kept.
//
// The store removes only files it put away itself: each is written in the
// ledger "kept-sessions" with its inode and whether it ended cleanly. A file
// the player saved into the folder, under whatever name, is not in it, nor is
// a kept file the player saved over (a new inode); both stay.
//
// A folder that cannot be written does not stop play: the store says why
// (error()), and tries again with the whole journal at the next action, so a
// disk that was full keeps the session again once there is room.
//
// The store writes only to a regular file it made itself: a link or anything
// else found under the name of the session in play is moved aside, and
// notice() says so.
class SessionStore {
public:
    static constexpr int kKeptSessions = 20;

    // The state folder of the user; "quorvel" under XDG_STATE_HOME, or under
    // ~/.local/state.
    static QString default_folder();

    explicit SessionStore(QString folder = default_folder());
    ~SessionStore();
    SessionStore(const SessionStore&) = delete;
    SessionStore& operator=(const SessionStore&) = delete;

    QString folder() const { return folder_; }
    QString current_file() const;

    // The session the last run left unfinished, replayed, when there is one
    // with at least one action, and the lab's log that followed the replay
    // (the journal is read once, however long the evening was). `notice` says
    // when its torn last line was dropped. A file that cannot be read back is
    // put away under its date and reported in `error`.
    struct Unfinished {
        std::optional<Session> session;
        SessionLog log;
        QString notice;
        QString error;
        int spins = 0;
        QDateTime last_action;
        bool cancelled = false;
    };
    // `progress` sees the reading of a large journal, and may cancel it: the
    // journal then stays as it is, for begin() to put away under its date.
    Unfinished unfinished(Session::Clock clock = {}, const ReadProgress& progress = {});

    // Starts keeping `session`: an unfinished file is put away under its date
    // (unless `session` is that one, resumed), and the journal so far is
    // written whole. Returns false when the folder cannot be written (see
    // error()).
    bool begin(const Session& session, bool resumed = false);
    // Writes one line of the journal and flushes it to the disk. Returns
    // false once the store has failed.
    bool append(std::string_view line);
    // After a failure: writes the whole journal again and goes on keeping it.
    // True when the session is being kept again.
    bool retry(const Session& session);
    // The same without putting it on the disk: for measuring what the flush costs.
    bool append_unflushed(std::string_view line);
    // The clean end: the file is put away under the session's date.
    void end();

    // Why the session is not being kept, in plain words; empty while it is.
    QString error() const { return error_; }
    bool failed() const { return !error_.isEmpty(); }
    // What the player should know of the folder, said once: a link moved
    // aside, a session that could not be put away. Empty when nothing was.
    QString take_notice();

    // A session file in the folder other than the one in play, with what the
    // ledger says of it: whether it ended cleanly (the window closed, or a new
    // session began), or nothing for a file the store did not put away.
    struct KeptFile {
        QString path;
        std::optional<bool> clean;
    };
    // The one that ended first, first.
    std::vector<KeptFile> kept_files() const;
    // Removes a file the store put away itself (one that was opened to play
    // on, and is kept again as the session in play); any other file stays.
    // False when it stays.
    bool remove_kept(const QString& path);

private:
    bool fail(const QString& why);
    bool write_whole(const Session& session);
    // False when something not ours is in the way and stays there.
    bool move_aside_what_is_not_ours();
    // False (and said in the notice) when the file stays where it is.
    bool put_away_current(bool clean);
    void keep_last_sessions();
    // The ledger's rows that still name the file the store put away.
    struct LedgerRow {
        unsigned long long inode = 0;
        bool clean = false;
        QString name;
    };
    std::vector<LedgerRow> read_ledger() const;
    void write_ledger(const std::vector<LedgerRow>& rows) const;
    void close_file();

    QString folder_;
    int fd_ = -1;
    QString error_;
    QString notice_;
    // This store wrote the session in play's file, or read it to resume it.
    bool owns_current_ = false;
};

// "SAVE SETTINGS" and "LOAD SETTINGS": the settings of the fold-out in the
// [settings] group of ~/.config/quorvel/quorvel.conf (under XDG_CONFIG_HOME
// when it is set). Saving returns the reason it failed, or empty.
QString save_settings(const Parameters& params, const QString& file = QString());
// Where "SAVE SETTINGS" stores them; empty without a home folder.
QString stored_settings_file();
// Applies every stored setting through the session, in the stored order, as
// if the player set each one; returns what could not be taken (a line a
// problem), or empty. Without a stored file nothing changes and the answer says so.
QString load_settings(Session& session, const QString& file = QString());

}  // namespace quorvel
