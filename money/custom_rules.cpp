// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/custom_rules.hpp"

#include <algorithm>

#include "game/game.hpp"
#include "money/saturating.hpp"

namespace quorvel {

namespace {

constexpr int kNothingListColour = 128;
constexpr int kNothingFontColour = 255;
constexpr int kWinsRowColour = 35840;
constexpr int kLossesRowColour = 25600;
constexpr int kActionFontColour = 65280;

// The five actions that change the bet, shared by both rows: the two enums
// list them first and in the same order.
enum class BetChange { Add, Subtract, Multiply, Divide, Set };
static_assert(static_cast<int>(WinAction::Set) == static_cast<int>(BetChange::Set));
static_assert(static_cast<int>(LossAction::Set) == static_cast<int>(BetChange::Set));

std::int64_t change_bet(BetChange change, std::int64_t bet, std::int64_t v, std::int64_t base) {
    switch (change) {
        case BetChange::Add:
            return saturating_add(bet, v);
        case BetChange::Subtract:
            return std::max(saturating_sub(bet, v), base);
        case BetChange::Multiply:
            return saturating_mul(bet, v);
        case BetChange::Divide:
            return std::max(bet / v, base);
        case BetChange::Set:
            return v;
    }
    return bet;
}

std::int64_t apply(BetChange change, std::int64_t bet, std::int64_t v, std::int64_t base) {
    return capped_bet(change_bet(change, bet, v, base));
}

std::int64_t base_bet(const Game& game) {
    return value_or_least(game.params.Init_Bet, kInit_BetRange);
}

bool count_reached(int count, const std::optional<int>& how_much) {
    return count >= value_or_least(how_much, kRuleValueRange);
}

bool win_condition(const Game& game) {
    const int count =
        game.params.Wins_Type == WinCount::Wins ? game.Custom_Wins : game.Custom_Wins_In_Row;
    return count_reached(count, game.params.Wins_HowMuch);
}

bool loss_condition(const Game& game) {
    const int count = game.params.Losses_Type == LossCount::Losses ? game.Custom_Losses
                                                                   : game.Custom_Losses_In_Row;
    return count_reached(count, game.params.Losses_HowMuch);
}

void apply_wins_action(Game& game) {
    game.Custom_Bet = apply_win_action(
        game.params.Wins_Action, game.Custom_Bet,
        value_or_least(game.params.Wins_ActionValue, kRuleValueRange), base_bet(game));
}

}  // namespace

std::int64_t apply_win_action(WinAction action, std::int64_t bet, std::int64_t v,
                              std::int64_t base) {
    if (action == WinAction::DoNothing) return bet;
    return apply(static_cast<BetChange>(action), bet, v, base);
}

std::int64_t apply_loss_action(LossAction action, std::int64_t bet, std::int64_t v,
                               std::int64_t base) {
    if (action == LossAction::CheckWins || action == LossAction::DoNothing) return bet;
    return apply(static_cast<BetChange>(action), bet, v, base);
}

void custom_win_rule(Game& game) {
    game.Custom_Wins += 1;
    game.Custom_Wins_In_Row += 1;
    if (win_condition(game)) {
        game.Custom_Wins = 0;
        game.Custom_Wins_In_Row = 0;
        if (game.params.Losses_Action != LossAction::CheckWins) {
            apply_wins_action(game);
        } else if (loss_condition(game)) {
            // "Check WINS" holds the win action back until the losses row's
            // count is reached as well.
            game.Custom_Losses = 0;
            game.Custom_Losses_In_Row = 0;
            apply_wins_action(game);
        }
    }
    game.Custom_Losses_In_Row = 0;
}

// Every paid loss counts, so "In A Row" means in a row: a loss ends a run of
// wins as a win ends a run of losses. Under "Check WINS" the losses only
// count, for the win rule to check.
void custom_loss_rule(Game& game) {
    game.Custom_Losses += 1;
    game.Custom_Losses_In_Row += 1;
    game.Custom_Wins_In_Row = 0;
    const LossAction action = game.params.Losses_Action;
    if (action == LossAction::CheckWins || action == LossAction::DoNothing) return;
    if (!loss_condition(game)) return;
    game.Custom_Losses = 0;
    game.Custom_Losses_In_Row = 0;
    game.Custom_Bet = apply_loss_action(
        action, game.Custom_Bet, value_or_least(game.params.Losses_ActionValue, kRuleValueRange),
        base_bet(game));
}

ActionLook Wins_ActionChange(WinAction action) {
    if (action == WinAction::DoNothing) {
        return {kNothingListColour, kNothingFontColour, false, false};
    }
    return {kWinsRowColour, kActionFontColour, true, false};
}

ActionLook Losses_ActionChange(LossAction action) {
    switch (action) {
        case LossAction::DoNothing:
            return {kNothingListColour, kNothingFontColour, false, true};
        case LossAction::CheckWins:
            return {kWinsRowColour, kActionFontColour, false, false};
        default:
            return {kLossesRowColour, kActionFontColour, true, false};
    }
}

}  // namespace quorvel
