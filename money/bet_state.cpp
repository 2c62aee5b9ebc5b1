#include "money/bet_state.hpp"

#include <string>

#include "game/game.hpp"
#include "game/table.hpp"
#include "money/bankroll.hpp"
#include "money/progression.hpp"
#include "money/saturating.hpp"
#include "money/settlement.hpp"

namespace quorvel {

namespace {

// The softer systems have no double table; their twins have.
ProgressionSystem double_bet_twin(ProgressionSystem system) {
    switch (system) {
        case ProgressionSystem::DDonaldSofter:
            return ProgressionSystem::DDonald;
        case ProgressionSystem::BlindSofter:
            return ProgressionSystem::Blind;
        default:
            return system;
    }
}

}  // namespace

void set_bet_size(Game& game, std::int64_t bet) {
    game.Bet_Size = bet;
    game.display.CurrentBet = std::to_string(bet);
}

void load_table_bet(Game& game) {
    const auto table = active_table(game.params.BettingSystem, game.params.BettingType);
    if (table.empty()) return;
    const std::int64_t base = value_or_least(game.params.Init_Bet, kInit_BetRange);
    set_bet_size(game, saturating_mul(table_entry(table, game.Bet_Step), base));
}

void load_custom_bet(Game& game) {
    set_bet_size(game, game.Custom_Bet);
}

void RResetBets(Game& game) {
    game.Bet_Step = 0;
    if (!game.params.Init_Bet) return;
    const std::int64_t base = *game.params.Init_Bet;
    game.Custom_Bet = base;
    game.Undo_Counter = 1;
    game.table.undo_offered = false;
    BlindAutomationSetAim(game);
    // Every table starts with 1, so after a reset the stake is the base bet
    // under every system.
    set_bet_size(game, base);
}

void BettingTypeChange(Game& game) {
    // Double bets offer only the systems with a double table.
    if (game.params.BettingType == BetType::Double) {
        game.params.BettingSystem = double_bet_twin(game.params.BettingSystem);
    }
    Return_Bet(game);
    game.display.Caption_ProfitBet = "P.BET:";
    RResetBets(game);
    Disable_Bets(game);
}

void Init_BetChange(Game& game) {
    RResetBets(game);
    if (!game.params.Init_Bet) return;
    if (game.table.safe_level_in_force() || game.table.chips.empty()) return;
    // The bet on the table is charged anew at the new base bet.
    const std::int64_t base = *game.params.Init_Bet;
    const std::int64_t stake = game.params.BettingType == BetType::Single ? base : 2 * base;
    game.Bankroll = saturating_sub(game.Bankroll_At_Prediction, stake);
}

}  // namespace quorvel
