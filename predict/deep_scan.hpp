// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/predictor_state.hpp"

namespace quorvel {

struct Game;

// Takes the number just entered into the accumulators; first step of every spin.
void DeepScan_Calc(Game& game);
// Bets the sector (or pair) the accumulators point at, as the trend marks allow.
void DeepScan_Prediction(Game& game);

}  // namespace quorvel
