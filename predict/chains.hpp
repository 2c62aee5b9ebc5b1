// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quorvel {

struct Game;

// Appends the dozen and the column index of the last five non-zero numbers
// to the two chains.
void GetChainsList(Game& game);

// The chain predictions bet against the entry five from the end of a chain.
// The one-sector operations alternate between the two other sectors; the
// two-sector operations bet both.
void Prediction_Chains(Game& game);
void Prediction_Chains_Columns(Game& game);
void Prediction_Chains_Double(Game& game);
void Prediction_Chains_Double_Columns(Game& game);

}  // namespace quorvel
