// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quorvel {

struct Game;

// Number entry: the handlers of SpeedButton0 ... SpeedButton36 (and the hidden
// Button0 ... Button36). Stores the number and runs Analyse; the prediction for
// the next spin follows when the analysis pause ends.
void enter_number(Game& game, int number);

// The first half of a spin, run at once: settles the bet on the table, records
// the number and starts the analysis pause.
void Analyse(Game& game);
void Animation_Analize(Game& game);

// One 10 ms tick of Timer_Analyse; the fiftieth ends the pause.
void Timer_AnalyseTimer(Game& game);
// The end of the pause: the next bet is predicted and sized. A headless run or a
// test calls this right after enter_number instead of ticking the timer.
void end_analysis_pause(Game& game);
// The next bet predicted, sized and charged, unless the session has ended;
// a bet the table's rules do not allow ends the session instead.
void place_next_bet(Game& game);
// "Play on": lifts the stop for the rest of the session and places the bet
// it held back. False when the session had not ended.
bool play_on(Game& game);
bool analysis_running(const Game& game);
// Stops Timer_Analyse and empties the gauge; the pause is over.
void stop_analysis_pause(Game& game);

// Whether this spin settles the bet on the table. Settlement starts with the
// sixth spin (nothing was bet on the first five), and in the adaptive mode only
// while the matrix has chosen its list.
bool settlement_due(const Game& game);

void CurrentNumber(Game& game);

}  // namespace quorvel
