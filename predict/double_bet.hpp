// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quorvel {

struct Game;

// The double bet of the SMART mode: a random pair of one family, narrowed
// by the trend marks.
void Prediction_Double(Game& game);
// The double bet of the adaptive matrix: the chosen list's code for this
// spin and a random partner of the same family.
void Prediction_Matrix_Double(Game& game);

}  // namespace quorvel
