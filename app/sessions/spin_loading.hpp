// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QObject>
#include <QString>

class QProgressDialog;
class QWidget;

namespace quorvel {

class SessionKeeper;
class SpinLoader;

// The loading of a spin file into the window's game, by the menu, the
// keyboard or a file dropped on the window. The numbers are played off the
// interface thread on a copy of the session, which takes the live one's place
// when the whole file went in; the window takes no input meanwhile, and a
// progress bar shows itself for a load that takes a moment.
class SpinLoading : public QObject {
    Q_OBJECT

public:
    // Returns the spin file the player chose, or an empty string.
    using FileChooser = std::function<QString()>;
    // Loading into a session that has spins asks first what the numbers are for.
    enum class Choice { Add, NewSession, Cancel };
    // Given the question and the texts of the two answers besides Cancel.
    using Question =
        std::function<Choice(const QString& question, const QString& add, const QString& fresh)>;

    // window is the dialogs' parent, the drop target and what is disabled
    // while a load runs; the open dialog starts in fallback_folder (where the
    // history was last saved) until a spin file was chosen once.
    SpinLoading(QWidget* window, SessionKeeper& keeper, const QString& fallback_folder);

    // The open dialog of "Load spins…" by default; tests replace it.
    void set_file_chooser(FileChooser chooser);
    // A question box of three buttons by default; tests replace it.
    void set_question(Question ask);
    void ask_and_load();
    // A refused file is reported and changes nothing; a second load while
    // one runs is ignored.
    void load(const QString& file_name);
    bool loading() const { return loader_ != nullptr; }

signals:
    // The window takes input again; comes first when a load ends.
    void inputBack();
    // The loaded session took the place of the live one: the live one with
    // the numbers added, or a new session when `fresh`.
    void loaded(bool fresh);
    // Why a file was refused, as a sentence for the player.
    void refused(const QString& message);
    // What was loaded, and where, as a sentence for the player.
    void told(const QString& message);
    // A load ended: played, refused or cancelled. Comes last.
    void finished();
    // A session file was dropped on the window: it is opened, not played.
    void sessionDropped(const QString& file_name);

protected:
    // The drops on the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show_progress(const QString& file_name);
    void ask(const QString& file_name, qint64 count);
    void load_ended();

    QWidget* window_;
    SessionKeeper& keeper_;
    const QString& fallback_folder_;
    FileChooser choose_file_;
    Question question_;
    QString folder_;
    bool new_session_ = false;      // the load in progress starts a new session
    SpinLoader* loader_ = nullptr;  // a child while a load runs
    QProgressDialog* progress_ = nullptr;
};

}  // namespace quorvel
