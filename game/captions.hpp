// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace quorvel {

struct Game;
struct HistoryLabel;

// The captions the window shows, built from the game when it draws them; the
// state a spin changes holds only the numbers behind them.

// HisNum1 ... HisNum12: the number in decimal, or empty.
std::string history_caption(const HistoryLabel& label);
// Label_Numbers_In_Game: "Numbers in game: 3".
std::string numbers_in_game_caption(const Game& game);
// Caption_Bankroll: "TEST BANKROLL: 5000".
std::string bankroll_caption(const Game& game);
// Caption_MaxProfit: "MAX. BANK: 5000".
std::string max_bank_caption(const Game& game);
// BetSize_D1 ... BetSize_C3: the stake per sector, or empty while "Show Bet
// Size" is off.
std::string bet_size_caption(const Game& game);
// Caption_ProfitBet: "P. BET:" at the start, "P.BET:" after a change of
// betting type, "P.BET: 8" after a settlement.
std::string profit_bet_caption(const Game& game);
// CurrentBet: the stake in decimal.
std::string current_bet_caption(const Game& game);
// Label28: the minimal-profit bet in decimal.
std::string minimal_profit_caption(const Game& game);

// Brings the amounts of the two money captions up to date with the game. The
// window runs it after each change; while the starting-bankroll field is
// empty the two captions keep what they show.
void refresh_display(Game& game);

}  // namespace quorvel
