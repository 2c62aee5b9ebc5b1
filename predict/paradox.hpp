// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quorvel {

struct Game;

// The Paradox predictor bets away from the number just entered: it draws a
// pick and bets the index that is neither the pick nor the number's dozen.
// Prediction_Paradox chooses the family and the count, and runs one of the
// four betting operations.
void Prediction_Paradox(Game& game);
void Paradox_Dozens(Game& game);
void Paradox_Columns(Game& game);
void Paradox_Dozens2(Game& game);
void Paradox_Columns2(Game& game);

}  // namespace quorvel
