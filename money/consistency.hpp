// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace quorvel {

struct Game;

// What must hold between any two actions, whatever the player did:
// - the books balance: Bankroll is the start, plus the adjustments, plus
//   what was paid, less what was wagered (result less the stake still on the
//   table);
// - the books hold on the table exactly the stake the chips show, Bet_Size on
//   each sector in play;
// - a bet under the safe-level overlays is virtual and holds nothing;
// - with chips on the table, the bankroll plus their stake is the bankroll
//   the bet was charged from (Bankroll_At_Prediction), which a reset or a new
//   base bet charges anew from;
// - the stake lies between 1 and kMaxBet.
// Empty when all of them hold; otherwise one sentence a broken rule, with
// the figures that break it.
std::string inconsistencies(const Game& game);

inline bool consistent(const Game& game) {
    return inconsistencies(game).empty();
}

}  // namespace quorvel
