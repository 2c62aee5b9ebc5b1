// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/sessions/history_saver.hpp"

#include <QDir>
#include <QWidget>

#include "app/widgets/file_dialogs.hpp"
#include "app/widgets/save_file.hpp"
#include "play/session.hpp"

namespace quorvel {

HistorySaver::HistorySaver(QWidget* window, const Game& game)
    : QObject(window), window_(window), game_(game) {}

void HistorySaver::set_file_chooser(FileChooser chooser) {
    choose_file_ = std::move(chooser);
}

void HistorySaver::save() {
    const QString file_name = choose_file_ ? choose_file_() : ask_history_file(window_, folder_);
    if (file_name.isEmpty()) return;
    if (const auto reason = save_file(file_name, history_export_text(game_.NumbersList))) {
        emit failed(QStringLiteral("The history could not be saved to\n%1\n\n%2")
                        .arg(QDir::toNativeSeparators(file_name), *reason));
    }
}

}  // namespace quorvel
