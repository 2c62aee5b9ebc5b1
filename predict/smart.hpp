// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quorvel {

struct Game;

// The SMART predictor: one sector drawn at random, narrowed by the trend marks.
void Prediction_DozCol(Game& game);

}  // namespace quorvel
