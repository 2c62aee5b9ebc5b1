// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QObject>
#include <QString>

class QWidget;

namespace quorvel {

struct Game;

// The save button: the numbers in game written to a text file the player
// chooses.
class HistorySaver : public QObject {
    Q_OBJECT

public:
    // Returns the file the player chose, or an empty string.
    using FileChooser = std::function<QString()>;

    // window is the save dialog's parent.
    HistorySaver(QWidget* window, const Game& game);

    // The save dialog by default; tests replace it.
    void set_file_chooser(FileChooser chooser);
    void save();
    // Where the history was last saved; empty before the first save.
    const QString& folder() const { return folder_; }

signals:
    // Why the file could not be written, as a sentence for the player.
    void failed(const QString& message);

private:
    QWidget* window_;
    const Game& game_;
    FileChooser choose_file_;
    QString folder_;
};

}  // namespace quorvel
