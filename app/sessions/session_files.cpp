// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/sessions/session_files.hpp"

#include <functional>

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QWidget>

#include "app/widgets/file_dialogs.hpp"
#include "app/widgets/reading_progress.hpp"
#include "app/sessions/session_keeper.hpp"
#include "app/sessions/session_store.hpp"
#include "play/session.hpp"

namespace quorvel {

namespace {

// A question box with two named answers; true for the first. `more` is said
// below the question, in smaller type.
bool ask_with_box(QWidget* parent, const QString& name, const QString& text, const QString& yes,
                  const QString& no, const QString& more = QString()) {
    QMessageBox box(QMessageBox::Question, parent != nullptr ? parent->windowTitle() : QString(),
                    text, QMessageBox::NoButton, parent);
    box.setObjectName(name);
    box.setInformativeText(more);
    QPushButton* accept = box.addButton(yes, QMessageBox::AcceptRole);
    box.addButton(no, QMessageBox::RejectRole);
    box.setDefaultButton(accept);
    box.exec();
    return box.clickedButton() == accept;
}

}  // namespace

SessionFiles::SessionFiles(QWidget* window, SessionKeeper& keeper, Busy busy)
    : QObject(window), window_(window), keeper_(keeper), busy_(std::move(busy)) {}

void SessionFiles::start(const Question& ask) {
    ReadingProgress progress(window_, QStringLiteral("Reading the last session…"));
    const QString told_text = keeper_.start(
        [this, &ask](const QString& question) {
            if (ask) return ask(question);
            return ask_with_box(
                window_, QStringLiteral("ResumeQuestion"), question, QStringLiteral("Resume"),
                QStringLiteral("Start new"),
                QStringLiteral("\"Start new\" keeps it under its date in %1, with the settings "
                               "it had; \"Sessions…\" (Ctrl+H) opens it again.")
                    .arg(QDir::toNativeSeparators(keeper_.folder())));
        },
        std::ref(progress));
    emit replaced();
    if (!told_text.isEmpty()) emit told(told_text);
}

void SessionFiles::set_file_chooser(std::function<QString(bool save)> chooser) {
    choose_file_ = std::move(chooser);
}

void SessionFiles::ask_and_save() {
    const QString file_name =
        choose_file_ ? choose_file_(true) : ask_session_file(window_, folder_, true);
    if (!file_name.isEmpty()) save(file_name);
}

void SessionFiles::ask_and_open() {
    if (busy_()) return;
    const QString file_name =
        choose_file_ ? choose_file_(false) : ask_session_file(window_, folder_, false);
    if (!file_name.isEmpty()) open(file_name);
}

void SessionFiles::save(const QString& file_name) {
    if (const QString error = keeper_.save(file_name); !error.isEmpty()) {
        emit failed(QStringLiteral("The session could not be saved to\n%1\n\n%2")
                        .arg(QDir::toNativeSeparators(file_name), error));
    }
}

void SessionFiles::open(const QString& file_name) {
    if (busy_()) return;
    QString notice;
    ReadingProgress progress(window_, QStringLiteral("Opening the session…"));
    if (const QString error = keeper_.open(file_name, &notice, std::ref(progress));
        !error.isEmpty()) {
        if (progress.cancelled()) return;  // the player stopped it: nothing to tell
        emit failed(QStringLiteral("The session could not be opened; the game is unchanged.\n\n%1")
                        .arg(error));
        return;
    }
    emit replaced();
    if (!notice.isEmpty()) emit told(notice);
}

void SessionFiles::set_revealer(std::function<void(const QString& path)> reveal) {
    reveal_ = std::move(reveal);
}

std::vector<SessionSummary> SessionFiles::kept_sessions() const {
    std::vector<SessionSummary> sessions;
    for (const SessionStore::KeptFile& file : keeper_.kept_files())
        sessions.push_back(summarise_session(file));
    return sessions;
}

void SessionFiles::show_sessions() {
    if (busy_()) return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<SessionSummary> sessions = kept_sessions();
    QGuiApplication::restoreOverrideCursor();
    SessionsDialog dialog(sessions, keeper_.folder(), window_);
    QString to_open;
    connect(&dialog, &SessionsDialog::openRequested, this,
            [&to_open](const QString& path) { to_open = path; });
    connect(&dialog, &SessionsDialog::revealRequested, this, [this](const QString& path) {
        if (reveal_) {
            reveal_(path);
        } else {
            // The file managers have no one way to point at a file: its folder opens.
            QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
        }
    });
    dialog.exec();
    if (to_open.isEmpty()) return;
    QString notice;
    ReadingProgress progress(window_, QStringLiteral("Opening the session…"));
    if (const QString error = keeper_.open_to_play_on(to_open, &notice, std::ref(progress));
        !error.isEmpty()) {
        if (progress.cancelled()) return;
        emit failed(QStringLiteral("The session could not be opened; the game is unchanged.\n\n%1")
                        .arg(error));
        return;
    }
    emit replaced();
    if (!notice.isEmpty()) emit told(notice);
}

void SessionFiles::set_reset_question(Question ask) {
    reset_question_ = std::move(ask);
}

// "RESET APP" asks only when there is something to lose from view; the old
// session is never lost, it stays in the state folder.
void SessionFiles::reset() {
    if (busy_()) return;
    const std::size_t spins = keeper_.session().game().NumbersList.size();
    if (spins > 0) {
        const QString question = QStringLiteral(
                                     "Start a new session? The %1 spins of this one are kept, and "
                                     "\"Open session…\" opens it again from %2.")
                                     .arg(spins)
                                     .arg(QDir::toNativeSeparators(keeper_.folder()));
        const bool yes = reset_question_
                             ? reset_question_(question)
                             : ask_with_box(window_, QStringLiteral("ResetQuestion"), question,
                                            QStringLiteral("Start new"), QStringLiteral("Cancel"));
        if (!yes) return;
    }
    keeper_.reset();
    emit replaced();
}

void SessionFiles::save_settings() {
    const QString error = quorvel::save_settings(keeper_.session().game().params);
    if (!error.isEmpty()) {
        emit failed(error);
        return;
    }
    emit told(
        QStringLiteral("The settings were saved in\n%1\n\n\"LOAD SETTINGS\" brings them back.")
            .arg(QDir::toNativeSeparators(stored_settings_file())));
}

// Nothing saved yet is the first use, not a fault: it is said as a notice,
// with the way to save.
void SessionFiles::load_settings() {
    const QString file = stored_settings_file();
    if (file.isEmpty() || !QFileInfo::exists(file)) {
        emit told(QStringLiteral("No settings have been saved yet. Choose them here, then press "
                                 "\"SAVE SETTINGS\": they are stored in\n%1\nand \"LOAD "
                                 "SETTINGS\" brings them back.")
                      .arg(file.isEmpty() ? QStringLiteral("your settings folder")
                                          : QDir::toNativeSeparators(file)));
        return;
    }
    const QString problem = quorvel::load_settings(keeper_.session());
    emit settingsLoaded();
    if (!problem.isEmpty()) emit failed(problem);
}

}  // namespace quorvel
