// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/parameters.hpp"
#include "game/predictor_state.hpp"

namespace quorvel {

struct Game;

// "CREATE MATRIX": draws the three lists afresh and starts scoring. An empty
// N_Count box takes its least value.
void Adaptive_Matrix(Game& game);
// "Reset Matrix": hides the table behind the blur until a new matrix is created.
void Set_N_Count(Game& game);
// Empties the lists and their scores; the next scored line is line 0. The
// bet is reset, and a bet on the table is charged anew at the reset stake.
void Reset_Matrix(Game& game);
// Scores the number just entered and, once N_Count spins are scored, chooses
// and bets through Define_Matrix.
void Analize_Matrix(Game& game);
void Define_Matrix(Game& game);
// The chosen list's code for this spin, bet as one sector.
void Prediction_Matrix(Game& game);

// Whether "CREATE MATRIX" and "Reset Matrix" can be pressed. Neither works
// during the analysis pause: the pause ends by opening number entry, which
// would undo the lock of "Reset Matrix", and creating would open it at once.
bool create_matrix_offered(const Game& game);
bool reset_matrix_offered(const Game& game);
// Whether the N_Count edit takes a new count: only while no matrix is scored
// or bet, the analysis pause included.
bool n_count_editable(const Game& game);

// The range of the N_Count box. A tie can raise the count past the box's
// usual top; the box then reaches as far as the count in force.
SpinRange n_count_range(const Game& game);

// A matrix exists from "CREATE MATRIX" until "Reset Matrix".
bool matrix_created(const Game& game);
// The code on line Matrix_Position of the chosen list, 0 while no list is
// chosen. Past the last line the list goes on from line 0.
int matrix_code(const Game& game);

}  // namespace quorvel
