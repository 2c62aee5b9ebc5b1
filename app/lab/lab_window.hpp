// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QTabWidget;

namespace quorvel {

class BacktestTab;
class SessionLog;
class SessionTab;
struct Game;

// "Quorvel Lab": an ordinary window beside the table. Its Session tab follows
// the live game spin by spin; its Backtest tab plays spin files with settings
// of its own. It reads the table's game and session log, which outlive it,
// and is told by session_changed when they moved on.
class LabWindow : public QWidget {
    Q_OBJECT

public:
    LabWindow(const Game& game, const SessionLog& session_log, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    SessionTab* session_tab() const { return session_; }
    BacktestTab* backtest_tab() const { return backtest_; }

    // The live session moved on: a spin, its prediction, an undo or a load.
    void session_changed();

protected:
    void showEvent(QShowEvent* event) override;

private:
    const Game& game_;
    const SessionLog& session_log_;
    QTabWidget* tabs_;
    SessionTab* session_;
    BacktestTab* backtest_;
    // The Session tab is brought up to date only while it can be seen; a
    // change while it is hidden waits for the next show.
    bool session_stale_ = true;
};

}  // namespace quorvel
