// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <memory>

#include <QString>
#include <QWidget>

#include "app/session_keeper.hpp"
#include "game/game.hpp"
#include "lab/session_log.hpp"

class QCloseEvent;
class QLabel;
class QProgressDialog;
class QTimer;

namespace quorvel {

class HeaderPanel;
class LabWindow;
class MoneyPanel;
class SettingsPanel;
class SpinLoader;
class StatusPanel;
class TablePanel;
class WindowMenu;

// The window. It owns the game and builds its panels (the table, the header,
// the status strip, the money captions, the settings); it turns what the
// player does on them into engine calls and, after every call, has them show
// the engine state (render).
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
    using ErrorReporter = std::function<void(const QString& message)>;

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
    using Question = std::function<bool(const QString& question)>;
    void start_session(const Question& ask = {});

    // "Save session…" and "Open session…": the file chooser and the two
    // actions with a file already chosen. Opening replays the file exactly;
    // a refused file is reported and changes nothing.
    void set_session_file_chooser(std::function<QString(bool save)> chooser);
    void save_session(const QString& file_name);
    void open_session(const QString& file_name);
    // "RESET APP": asks first (with `ask`, or a question box) when spins were
    // entered, then starts a new session with the current settings.
    void set_reset_question(Question ask);
    void reset_app();

    // Brings the engine's captions up to date and shows the engine state. The
    // window does this after each of its own engine calls; a caller that
    // changes the game directly calls it afterwards.
    void refresh();

    // The save dialog and the error message box by default; tests replace them.
    void set_export_file_chooser(FileChooser chooser);
    void set_error_reporter(ErrorReporter reporter);
    // The open dialog of "Load spins…" by default.
    void set_load_file_chooser(FileChooser chooser);

    // Plays the numbers of a spin file into the game, as clicks would enter
    // them, off the interface thread and with a progress bar; the window
    // takes no input meanwhile. A refused file is reported and changes nothing.
    void load_spins(const QString& file_name);
    bool loading() const { return loader_ != nullptr; }
    // Opens "Quorvel Lab", or brings it to the front.
    void open_lab();
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
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Builds the panels, in the stacking order of the window, and ties their
    // signals to the engine.
    void create_panels();
    void tie_panels();

    // Engine calls from the player.
    void number_click(int number);
    void Timer_AnalyseTimer();
    void Timer_MaxProfitTimer();
    void UndoClick();
    void SpeedButton42Click();

    // Every hover picture of every panel back to rest.
    void Disable_Hovers();
    void set_client_height(int height);

    // Copies the engine state into the panels, touching only what changed.
    void render();

    // The undo key and the menu's "Undo".
    void undo_key();
    void ask_and_load_spins();
    void ask_and_save_session();
    void ask_and_open_session();
    void load_ended();
    void report(const QString& message);
    // A sentence for the player that is no error (a torn line left out).
    void tell(const QString& message);
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
    struct Widgets {
        // The two heights of the window, kept where the layout can see them.
        QLabel* Label_Point1 = nullptr;
        QLabel* Label_Point2 = nullptr;
        QTimer* Timer_Analyse = nullptr;
        QTimer* Timer_MaxProfit = nullptr;
    };
    Widgets ui_;

    FileChooser choose_export_file_;
    ErrorReporter report_error_;
    QString export_folder_;

    FileChooser choose_load_file_;
    std::function<QString(bool save)> choose_session_file_;
    Question reset_question_;
    QString session_folder_;
    QString load_folder_;
    SpinLoader* loader_ = nullptr;  // a child while a load runs
    QProgressDialog* load_progress_ = nullptr;
    std::unique_ptr<LabWindow> lab_;
};

}  // namespace quorvel
