// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QDateTime;

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
// in the folder of saved sessions (made for a save), else in the documents
// folder or the home folder. A save proposes proposed_session_file().
QString ask_session_file(QWidget* parent, QString& folder, bool save);

// The player's own sessions: "Quorvel sessions" in the documents folder (or
// the home folder), apart from the sessions the program keeps by itself.
QString saved_sessions_folder();
// "Quorvel 2026-12-08 21.30.quorvel" there: a name and a folder the keeping
// of the last sessions never touches.
QString proposed_session_file(const QDateTime& now);

}  // namespace quorvel
