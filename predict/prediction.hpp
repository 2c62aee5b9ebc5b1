// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quorvel {

struct Game;

// The prediction step at the end of the analysis pause: number entry comes
// back, the automatic bet reset may fire, and the predictor of the game mode
// puts the next bet on the table.
void Prediction(Game& game);

// The stake of the bet a predictor has just shown: Bet_Size on each of the
// sectors it bets. It is charged only for a bet that settlement will see,
// that is with at least one chip on the table and the safe level not in
// force; a bet that marked nothing, or a virtual one, costs nothing.
void charge_stake(Game& game, int sectors);

}  // namespace quorvel
