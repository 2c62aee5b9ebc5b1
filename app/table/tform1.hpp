// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>

#include <QString>
#include <QWidget>

#include "app/sessions/history_saver.hpp"
#include "app/widgets/notices.hpp"
#include "app/sessions/session_files.hpp"
#include "app/sessions/session_keeper.hpp"
#include "app/sessions/spin_loading.hpp"
#include "game/game.hpp"
#include "lab/session_log.hpp"

class QCloseEvent;
class QLabel;

namespace quorvel {

class EngineTimers;
class HeaderPanel;
class LabWindow;
class MoneyPanel;
class NumberKeys;
class SettingsPanel;
class StatusPanel;
class TablePanel;
class WindowMenu;

// The window. It owns the session and builds its panels (the table, the
// header, the status strip, the money captions, the settings) and its helpers
// (the timers, the messages, the history export, the loading of spin files,
// the session's files); it turns what the player does on them into engine
// calls and, after every call, has the panels show the engine state (render).
// Every widget that the game names carries that name as its objectName.
//
// The design area is larger than the window: everything placed right of
// x = 520 (the hidden buttons, the focus sink, the two last history labels)
// and, while the settings are folded in, below y = 280 is simply out of view.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    // Returns the file the player chose for the export, or an empty string.
    using FileChooser = std::function<QString()>;
    // Tells the player why something failed.
    using ErrorReporter = Notices::Reporter;

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The game as the session holds it. The writable one is for tests that set
    // up a state behind the session's back (and call refresh()); what they
    // change there is not in the journal.
    Game& game() { return keeper_.session().unrecorded_game(); }
    const Game& game() const { return game_; }
    // Every action of the player goes through the session, which journals it.
    Session& session() { return keeper_.session(); }
    // The bankroll of the session spin by spin, kept whether the lab is open or not.
    const SessionLog& session_log() const { return keeper_.log(); }

    // Starts keeping the session in the state folder. When the last session
    // did not end cleanly, asks "Resume the last session (N spins, last at
    // HH:MM)?" with `ask` (true resumes), or with a question box of its own.
    // The window is usable without it, as in the tests: then nothing is kept.
    using Question = SessionFiles::Question;
    void start_session(const Question& ask = {}) { files_->start(ask); }

    // "Save session…", "Open session…" and "RESET APP", as SessionFiles does them.
    void set_session_file_chooser(std::function<QString(bool save)> chooser) {
        files_->set_file_chooser(std::move(chooser));
    }
    void save_session(const QString& file_name) { files_->save(file_name); }
    void open_session(const QString& file_name) { files_->open(file_name); }
    void set_reset_question(Question ask) { files_->set_reset_question(std::move(ask)); }
    void reset_app() { files_->reset(); }
    // "Sessions…" (Ctrl+H), and where it shows a file; the file manager by default.
    void show_sessions() { files_->show_sessions(); }
    void set_session_revealer(std::function<void(const QString&)> reveal) {
        files_->set_revealer(std::move(reveal));
    }

    // Brings the engine's captions up to date and shows the engine state. The
    // window does this after each of its own engine calls; a caller that
    // changes the game directly calls it afterwards.
    void refresh();

    // The save dialog and the message boxes by default; tests replace them.
    void set_export_file_chooser(FileChooser chooser) {
        history_->set_file_chooser(std::move(chooser));
    }
    void set_error_reporter(ErrorReporter reporter) { notices_->set_reporter(std::move(reporter)); }
    // Takes the notices that are no error apart from the errors.
    void set_notice_reporter(ErrorReporter teller) { notices_->set_teller(std::move(teller)); }
    // "Load spins…" and a spin file played into the game, as SpinLoading does them.
    void set_load_file_chooser(FileChooser chooser) {
        loading_->set_file_chooser(std::move(chooser));
    }
    void load_spins(const QString& file_name) { loading_->load(file_name); }
    // What a load into a session with spins is for; a question box by default.
    void set_load_question(SpinLoading::Question ask) { loading_->set_question(std::move(ask)); }
    bool loading() const { return loading_->loading(); }
    // Opens "Quorvel Lab", or brings it to the front.
    void open_lab();
    // "Table rules…": the dialog, and the rules it takes put in force.
    void open_table_rules();
    // "Play on" past the end of the session.
    void play_on();
    LabWindow* lab_window() const { return lab_.get(); }

    static constexpr int kWidth = 520;

signals:
    // The session moved on: a spin, its prediction, an undo or a load.
    void sessionChanged();
    // A load ended: played, refused or cancelled.
    void loadFinished();

protected:
    void leaveEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    // Keys that no control took: the number entry's, and Escape.
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Builds the panels, in the stacking order of the window, and ties their
    // signals to the engine.
    void create_panels();
    void tie_panels();

    // Engine calls from the player.
    void number_click(int number);
    // A number typed on the keyboard: entered as a click on its cell, when
    // the cell is there to click.
    void number_typed(int number);
    void UndoClick();

    // Every hover picture of every panel back to rest.
    void Disable_Hovers();
    void set_client_height(int height);

    // Copies the engine state into the panels, touching only what changed.
    void render();

    // The undo key and the menu's "Undo".
    void undo_key();
    // Says once when the bankroll cannot cover the bet on the table, and
    // when a rule of the table has ended the session.
    void tell_about_the_table();
    // After the whole session was replaced: every control shows it again.
    void session_replaced();
    void closeEvent(QCloseEvent* event) override;

    // The session and its keeping come first: the panels are built from the game.
    SessionKeeper keeper_;
    const Game& game_;
    TablePanel* table_ = nullptr;
    HeaderPanel* header_ = nullptr;
    MoneyPanel* money_ = nullptr;
    StatusPanel* status_ = nullptr;
    SettingsPanel* settings_ = nullptr;
    WindowMenu* menu_ = nullptr;
    NumberKeys* keys_ = nullptr;
    struct Widgets {
        // The two heights of the window, kept where the layout can see them.
        QLabel* Label_Point1 = nullptr;
        QLabel* Label_Point2 = nullptr;
    };
    Widgets ui_;

    // The window's helpers: its timers, its messages, the history export,
    // loading a spin file and the session's files.
    EngineTimers* timers_ = nullptr;
    Notices* notices_ = nullptr;
    HistorySaver* history_ = nullptr;
    SpinLoading* loading_ = nullptr;
    SessionFiles* files_ = nullptr;
    std::unique_ptr<LabWindow> lab_;
    // What the window has said about the table's rules in this session.
    StopReason told_stop_ = StopReason::None;
    bool told_cannot_cover_ = false;
};

}  // namespace quorvel
