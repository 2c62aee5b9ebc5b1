// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QGridLayout;
class QLabel;
class QTableWidget;

namespace quorvel {

class BankrollChart;
class FiguresPanel;
class SessionLog;
class WheelView;
struct Game;

// The live session: the sleeps and hits of the dozens and columns, the
// session's figures, its hit rate against chance, the wheel test of its
// spins and its bankroll chart. It shows what it is given; the lab window
// hands it the game after each spin.
class SessionTab : public QWidget {
    Q_OBJECT

public:
    explicit SessionTab(QWidget* parent = nullptr);

    void show_session(const Game& game, const SessionLog& log);

private:
    QTableWidget* sectors_;
    QLabel* summary_;
    FiguresPanel* figures_;
    // The session's hit rate against chance, in words: exact, so worked out
    // anew on every spin.
    QLabel* verdict_;
    // Is the wheel fair? The lab's test of the session's spins, worked out
    // anew on every spin, with what spins this few can and cannot find.
    WheelView* wheel_;
    BankrollChart* chart_;
};

}  // namespace quorvel
