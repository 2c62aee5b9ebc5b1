// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace quorvel {

struct Game;

// The smallest multiple k x unit (k >= 1) whose net win gain x (k x unit)
// brings the bankroll to the aim.
std::int64_t smallest_winning_multiple(std::int64_t bankroll, std::int64_t aim, std::int64_t unit,
                                       std::int64_t gain);

// After every paid win: the minimal-profit bet for the next prediction (Label28).
void Get_Minimal_Profit_Calc(Game& game);
// Lowers the stake of a prediction that follows a win to the minimal-profit
// bet, moving the progression back to match.
void Get_Minimal_Profit(Game& game);
// After every settlement: the smallest bet whose win lifts the bankroll above
// its highest level so far (Caption_ProfitBet).
void Minimal_Bet_Calc(Game& game);

}  // namespace quorvel
