// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QPoint;
class QWidget;

namespace quorvel {

// The window's commands, by their keys (Ctrl+O, Ctrl+L, Ctrl+S, Ctrl+Z, and
// for sessions Ctrl+Shift+S, Ctrl+Shift+O, Ctrl+H, Ctrl+N; F1 for the guide) and
// by the context menu of the header and the table ("TableMenu").
class WindowMenu : public QObject {
    Q_OBJECT

public:
    // The keys work anywhere in the window; the focus sink, a number field,
    // lets the undo key through instead of taking it as its own text undo.
    WindowMenu(QWidget* window, QWidget* focus_sink);

    // Shows the context menu; "Undo" is offered only while undo_offered.
    // The menu at the point; "Undo" is offered when the undo button is
    // shown, "Play on" when a rule of the table has ended the session.
    void exec(const QPoint& global_position, bool undo_offered, bool session_ended);

signals:
    void loadRequested();         // "Load spins…"
    void labRequested();          // "Lab…"
    void saveRequested();         // "Save the numbers…"
    void undoRequested();         // "Undo"
    void saveSessionRequested();  // "Save session…"
    void openSessionRequested();  // "Open session…"
    void sessionsRequested();     // "Sessions…"
    void newSessionRequested();   // Ctrl+N, as "RESET APP"
    void tableRulesRequested();   // "Table rules…"
    void playOnRequested();       // "Play on"
    void helpRequested();         // "Help", F1
    void aboutRequested();        // "About Quorvel"

private:
    QWidget* window_;
};

}  // namespace quorvel
