// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace quorvel {

// The file dialogs of the table window. Each returns the chosen file, or an
// empty string when the player cancels, and keeps the chosen file's folder in
// folder for the next time.

// "Save the numbers in game", a text file; starts in the documents folder.
QString ask_history_file(QWidget* parent, QString& folder);
// "Load spins", a spin file; starts in folder, else in fallback, else in the
// documents folder or the home folder, whichever exists.
QString ask_spin_file(QWidget* parent, QString& folder, const QString& fallback);
// "Save session" or "Open session", a .quorvel file; starts in folder, else
// in the documents folder or the home folder.
QString ask_session_file(QWidget* parent, QString& folder, bool save);

}  // namespace quorvel
