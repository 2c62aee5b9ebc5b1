// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quorvel {

struct Game;

// The prediction step at the end of the analysis pause: number entry comes
// back, the automatic bet reset may fire, and the predictor of the game mode
// puts the next bet on the table.
void Prediction(Game& game);

}  // namespace quorvel
