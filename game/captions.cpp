// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/captions.hpp"

#include "game/game.hpp"

namespace quorvel {

std::string history_caption(const HistoryLabel& label) {
    return label.empty() ? std::string() : std::to_string(label.number);
}

std::string numbers_in_game_caption(const Game& game) {
    return "Numbers in game: " + std::to_string(game.NumbersList.size());
}

std::string bankroll_caption(const Game& game) {
    return "TEST BANKROLL: " + std::to_string(game.display.Caption_Bankroll);
}

std::string max_bank_caption(const Game& game) {
    return "MAX. BANK: " + std::to_string(game.display.Caption_MaxProfit);
}

std::string bet_size_caption(const Game& game) {
    return game.params.CheckBox1 ? std::to_string(game.Bet_Size) : std::string();
}

std::string profit_bet_caption(const Game& game) {
    switch (game.profit_bet.shown) {
        case ProfitBetShown::Start:
            return "P. BET:";
        case ProfitBetShown::Cleared:
            return "P.BET:";
        case ProfitBetShown::Bet:
            break;
    }
    return "P.BET: " + std::to_string(game.profit_bet.bet);
}

std::string current_bet_caption(const Game& game) {
    return std::to_string(game.Bet_Size);
}

std::string minimal_profit_caption(const Game& game) {
    return std::to_string(game.Label28);
}

void refresh_display(Game& game) {
    if (!game.params.CSpinEdit1.has_value()) return;
    game.display.Caption_Bankroll = game.Bankroll;
    game.display.Caption_MaxProfit = game.Max_Bank;
}

}  // namespace quorvel
