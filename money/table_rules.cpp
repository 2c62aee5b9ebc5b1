// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/table_rules.hpp"

#include <algorithm>

#include "game/table.hpp"
#include "money/bet_state.hpp"
#include "money/settlement.hpp"

namespace quorvel {

std::int64_t stake_within_limits(Game& game, std::int64_t bet) {
    const Parameters& params = game.params;
    if (params.table_max && bet > *params.table_max) {
        switch (params.at_max) {
            case AtMaxRule::Cap:
                bet = *params.table_max;
                break;
            case AtMaxRule::Reset:
                bet = value_or_least(params.Init_Bet, kInit_BetRange);
                game.Bet_Step = 0;
                game.Custom_Bet = bet;
                break;
            case AtMaxRule::Stop:
                break;
        }
    }
    if (params.table_min) bet = std::max<std::int64_t>(bet, *params.table_min);
    return bet;
}

StopReason stop_rule_met(const Game& game) {
    const Parameters& params = game.params;
    if (params.stop_loss && game.Bankroll <= *params.stop_loss) return StopReason::StopLoss;
    if (params.take_profit && game.Bankroll >= *params.take_profit) return StopReason::TakeProfit;
    if (params.max_spins && game.spins_entered >= *params.max_spins) return StopReason::MaxSpins;
    return StopReason::None;
}

void end_at_stop_rule(Game& game) {
    if (game.stopped != StopReason::None || game.stops_lifted) return;
    game.stopped = stop_rule_met(game);
}

bool cannot_cover(const Game& game) {
    return stake_on_table(game) > 0 && game.Bankroll < 0;
}

void end_at_next_bet(Game& game) {
    if (game.stopped != StopReason::None || game.stops_lifted) return;
    if (stake_on_table(game) == 0) return;
    const Parameters& params = game.params;
    StopReason reason = StopReason::None;
    if (params.at_max == AtMaxRule::Stop && params.table_max && game.Bet_Size > *params.table_max) {
        reason = StopReason::TableMaximum;
    } else if (params.at_ruin == AtRuinRule::Stop && cannot_cover(game)) {
        reason = StopReason::RanOut;
    }
    if (reason == StopReason::None) return;
    game.held_back = game.table.chips;
    hand_back_stake(game);
    Disable_Bets(game);
    game.stopped = reason;
}

std::string table_rules_fault(const Parameters& params) {
    const auto number = [](std::int64_t value) { return std::to_string(value); };
    const std::int64_t base = value_or_least(params.Init_Bet, kInit_BetRange);
    const std::int64_t bank = value_or_least(params.CSpinEdit1, kCSpinEdit1Range);
    if (params.table_min && params.table_max && *params.table_min > *params.table_max) {
        return "The table minimum (" + number(*params.table_min) +
               ") is above the table maximum (" + number(*params.table_max) + ").";
    }
    if (params.table_min && base < *params.table_min) {
        return "The base bet (" + number(base) + ") is below the table minimum (" +
               number(*params.table_min) + ").";
    }
    if (params.table_max && base > *params.table_max) {
        return "The base bet (" + number(base) + ") is above the table maximum (" +
               number(*params.table_max) + ").";
    }
    if (params.stop_loss && *params.stop_loss >= bank) {
        return "The stop-loss (" + number(*params.stop_loss) +
               ") must be below the starting bankroll (" + number(bank) + ").";
    }
    if (params.take_profit && *params.take_profit <= bank) {
        return "The take-profit (" + number(*params.take_profit) +
               ") must be above the starting bankroll (" + number(bank) + ").";
    }
    return {};
}

std::string_view stop_reason_key(StopReason reason) {
    switch (reason) {
        case StopReason::None:
            return {};
        case StopReason::RanOut:
            return "ran out";
        case StopReason::StopLoss:
            return "stop-loss";
        case StopReason::TakeProfit:
            return "take-profit";
        case StopReason::MaxSpins:
            return "max spins";
        case StopReason::TableMaximum:
            return "table maximum";
    }
    return {};
}

}  // namespace quorvel
