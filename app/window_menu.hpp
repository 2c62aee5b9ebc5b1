// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QPoint;
class QWidget;

namespace quorvel {

// The window's four commands, by their keys (Ctrl+O, Ctrl+L, Ctrl+S, Ctrl+Z)
// and by the context menu of the header and the table ("TableMenu").
class WindowMenu : public QObject {
    Q_OBJECT

public:
    // The keys work anywhere in the window; the focus sink, a number field,
    // lets the undo key through instead of taking it as its own text undo.
    WindowMenu(QWidget* window, QWidget* focus_sink);

    // Shows the context menu; "Undo" is offered only while undo_offered.
    void exec(const QPoint& global_position, bool undo_offered);

signals:
    void loadRequested();  // "Load spins…"
    void labRequested();   // "Lab…"
    void saveRequested();  // "Save the numbers…"
    void undoRequested();  // "Undo"

private:
    QWidget* window_;
};

}  // namespace quorvel
