// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/figure_tally.hpp"

#include <algorithm>

#include "game/game.hpp"
#include "money/bet_state.hpp"
#include "money/saturating.hpp"

namespace quorvel {

namespace {

// A single-zero wheel pays dozens and columns 2 to 1 on 12 of 37 numbers.
constexpr double kPocketCount = 37.0;

}  // namespace

FigureTally::FigureTally(const Game& game)
    : start_(game.Bankroll), start_adjustments_(game.books.adjustments), peak_(game.Bankroll) {
    tally_.min_bankroll = start_;
}

void FigureTally::take(const Game& game) {
    tally_.spins += 1;
    const SettlementRecord& record = game.last_settlement;
    if (record.settled) {
        tally_.predictions += 1;
        if (record.won) tally_.predictions_won += 1;
    }
    if (record.settled && record.virtual_bet) {
        tally_.virtual_bets += 1;
    } else if (record.settled) {
        tally_.bets += 1;
        tally_.wagered = saturating_add(tally_.wagered, record.stake);
        tally_.paid = saturating_add(tally_.paid, record.payout);
        tally_.largest_stake = std::max(tally_.largest_stake, record.stake);
        if (record.won) {
            tally_.wins += 1;
            losing_streak_ = 0;
        } else {
            tally_.losses += 1;
            losing_streak_ += 1;
            tally_.longest_losing_streak = std::max(tally_.longest_losing_streak, losing_streak_);
        }
    }
    // The bankroll the window shows now, with the next bet already charged.
    const std::int64_t shown = game.Bankroll;
    tally_.min_bankroll = std::min(tally_.min_bankroll, shown);
    if (shown < 0 && tally_.ran_out_at == 0) tally_.ran_out_at = tally_.spins;
    peak_ = std::max(peak_, shown);
    tally_.max_drawdown = std::max(tally_.max_drawdown, saturating_sub(peak_, shown));
}

RunFigures FigureTally::figures(const Game& game) const {
    RunFigures figures = tally_;
    figures.adjustments = saturating_sub(game.books.adjustments, start_adjustments_);
    figures.final_bankroll = saturating_add(game.Bankroll, stake_on_table(game));
    figures.max_bank = game.Max_Bank;
    figures.prediction_sectors = game.params.BettingType == BetType::Double ? 2 : 1;
    figures.expected_loss = static_cast<double>(figures.wagered) / kPocketCount;
    figures.expected_final =
        static_cast<double>(saturating_add(start_, figures.adjustments)) - figures.expected_loss;
    if (game.stopped != StopReason::None) {
        figures.stopped_at = figures.spins;
        figures.stop_reason = game.stopped;
        // A bet the bankroll could not pay was not placed: the run ran out
        // there, as a run playing on shows a bankroll below zero there.
        if (game.stopped == StopReason::RanOut && figures.ran_out_at == 0)
            figures.ran_out_at = figures.spins;
    }
    return figures;
}

}  // namespace quorvel
