// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <vector>

#include <QObject>
#include <QString>

#include "app/sessions/session_list.hpp"

class QWidget;

namespace quorvel {

class SessionKeeper;

// The session as the window keeps it, in files: the question at the start
// after an unclean end, "Save session…", "Open session…", "RESET APP" and the
// settings file. What the player must know comes out as signals; the window
// shows it.
class SessionFiles : public QObject {
    Q_OBJECT

public:
    using Question = std::function<bool(const QString& question)>;
    // Tells whether a load is running; nothing replaces the session meanwhile.
    using Busy = std::function<bool()>;

    // window is the parent of the dialogs and question boxes.
    SessionFiles(QWidget* window, SessionKeeper& keeper, Busy busy);

    // Starts keeping the session in the state folder; asks with `ask`, or a
    // question box of its own, whether to resume an unfinished one.
    void start(const Question& ask);

    // The file chooser of "Save session…" and "Open session…" (true for the
    // save); the file dialogs by default.
    void set_file_chooser(std::function<QString(bool save)> chooser);
    void ask_and_save();
    void ask_and_open();
    void save(const QString& file_name);
    // Replays the file exactly; a refused file is reported and changes nothing.
    void open(const QString& file_name);

    // "Sessions…": the kept sessions, to open one or show its file. The
    // file is shown in the file manager by default; tests replace it.
    void show_sessions();
    void set_revealer(std::function<void(const QString& path)> reveal);
    // The list as it stands, for the dialog and for tests.
    std::vector<SessionSummary> kept_sessions() const;

    // "RESET APP": asks first (with the question set here, or a question box)
    // when spins were entered, then starts a new session with the current settings.
    void set_reset_question(Question ask);
    void reset();

    // The settings file: the player's parameters written, or read back into the session.
    void save_settings();
    void load_settings();

signals:
    // The whole session was replaced: every control shows it again.
    void replaced();
    // Settings were read back; comes before any complaint about the file.
    void settingsLoaded();
    // Something failed, as a sentence for the player.
    void failed(const QString& message);
    // A sentence for the player that is no error (a torn line left out).
    void told(const QString& message);

private:
    QWidget* window_;
    SessionKeeper& keeper_;
    Busy busy_;
    std::function<QString(bool save)> choose_file_;
    Question reset_question_;
    std::function<void(const QString& path)> reveal_;
    QString folder_;
};

}  // namespace quorvel
