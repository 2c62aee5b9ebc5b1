// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The session as the window keeps it: the question at the start after an
// unclean end, "Save session…", "Open session…" and "RESET APP".
#include <QDir>
#include <QMessageBox>
#include <QPushButton>

#include "app/file_dialogs.hpp"
#include "app/settings_panel.hpp"
#include "app/tform1.hpp"
#include "lab/shown_text.hpp"

namespace quorvel {

namespace {

// A question box with two named answers; true for the first.
bool ask_with_box(QWidget* parent, const QString& name, const QString& text, const QString& yes,
                  const QString& no) {
    QMessageBox box(QMessageBox::Question, parent != nullptr ? parent->windowTitle() : QString(),
                    text, QMessageBox::NoButton, parent);
    box.setObjectName(name);
    QPushButton* accept = box.addButton(yes, QMessageBox::AcceptRole);
    box.addButton(no, QMessageBox::RejectRole);
    box.setDefaultButton(accept);
    box.exec();
    return box.clickedButton() == accept;
}

}  // namespace

void TForm1::start_session(const Question& ask) {
    const QString told = keeper_.start([this, &ask](const QString& question) {
        if (ask) return ask(question);
        return ask_with_box(this, QStringLiteral("ResumeQuestion"), question,
                            QStringLiteral("Resume"), QStringLiteral("Start new"));
    });
    session_replaced();
    if (!told.isEmpty()) tell(told);
}

void TForm1::session_replaced() {
    settings_->show_settings(game_.params);
    refresh();
    emit sessionChanged();
}

void TForm1::tell(const QString& message) {
    const QString shown = QString::fromStdString(shown_lines(message.toStdString()));
    if (report_error_) {
        report_error_(shown);
    } else {
        QMessageBox::information(this, windowTitle(), shown);
    }
}

void TForm1::set_session_file_chooser(std::function<QString(bool save)> chooser) {
    choose_session_file_ = std::move(chooser);
}

void TForm1::ask_and_save_session() {
    const QString file_name = choose_session_file_ ? choose_session_file_(true)
                                                   : ask_session_file(this, session_folder_, true);
    if (!file_name.isEmpty()) save_session(file_name);
}

void TForm1::ask_and_open_session() {
    if (loading()) return;
    const QString file_name = choose_session_file_ ? choose_session_file_(false)
                                                   : ask_session_file(this, session_folder_, false);
    if (!file_name.isEmpty()) open_session(file_name);
}

void TForm1::save_session(const QString& file_name) {
    if (const QString error = keeper_.save(file_name); !error.isEmpty()) {
        report(QStringLiteral("The session could not be saved to\n%1\n\n%2")
                   .arg(QDir::toNativeSeparators(file_name), error));
    }
}

void TForm1::open_session(const QString& file_name) {
    if (loading()) return;
    QString notice;
    if (const QString error = keeper_.open(file_name, &notice); !error.isEmpty()) {
        report(QStringLiteral("The session could not be opened; the game is unchanged.\n\n%1")
                   .arg(error));
        return;
    }
    session_replaced();
    if (!notice.isEmpty()) tell(notice);
}

void TForm1::set_reset_question(Question ask) {
    reset_question_ = std::move(ask);
}

// "RESET APP" asks only when there is something to lose from view; the old
// session is never lost, it stays in the state folder.
void TForm1::reset_app() {
    if (loading()) return;
    const std::size_t spins = game_.NumbersList.size();
    if (spins > 0) {
        const QString question = QStringLiteral(
                                     "Start a new session? The %1 spins of this one are kept, and "
                                     "\"Open session…\" opens it again from %2.")
                                     .arg(spins)
                                     .arg(QDir::toNativeSeparators(keeper_.folder()));
        const bool yes = reset_question_
                             ? reset_question_(question)
                             : ask_with_box(this, QStringLiteral("ResetQuestion"), question,
                                            QStringLiteral("Start new"), QStringLiteral("Cancel"));
        if (!yes) return;
    }
    keeper_.reset();
    session_replaced();
}

}  // namespace quorvel
