// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include "game/game.hpp"

namespace quorvel {

// The books of one run, as the lab defines them. Money is in betting units.
struct RunFigures {
    std::int64_t spins = 0;         // numbers played
    std::int64_t bets = 0;          // charged bets settled
    std::int64_t wins = 0;          // of those, won
    std::int64_t losses = 0;        // of those, lost
    std::int64_t virtual_bets = 0;  // bets settled while the safe level was in force
    std::int64_t wagered = 0;       // stakes of the charged bets settled
    std::int64_t paid = 0;          // 3 x Bet_Size for every won charged bet
    // Money brought to or taken from the table with "SET BANKROLL": not won
    // or lost, so apart from wagered and paid. A lab run has none.
    std::int64_t adjustments = 0;
    // The bankroll after the last spin with the stake of the bet predicted
    // after it handed back: start + adjustments - wagered + paid.
    std::int64_t final_bankroll = 0;
    std::int64_t max_bank = 0;               // "MAX. BANK:" after the last spin
    std::int64_t min_bankroll = 0;           // lowest bankroll shown after any spin, or the start
    std::int64_t max_drawdown = 0;           // largest fall of that series from a running peak
    std::int64_t longest_losing_streak = 0;  // lost charged bets in a row
    std::int64_t largest_stake = 0;          // largest stake of a charged bet settled
    double expected_loss = 0;                // wagered / 37: the house edge on these bets
    // Every prediction settled, real or virtual, and those that won: the
    // trials and successes of the hit rate. Each covered `prediction_sectors`
    // dozens or columns (1 for type "1", 2 for type "2").
    std::int64_t predictions = 0;
    std::int64_t predictions_won = 0;
    int prediction_sectors = 1;
    // The first spin after which the shown bankroll was below zero, where the
    // player would not have had the money for a bet the table asked for; 0
    // when it never was.
    std::int64_t ran_out_at = 0;
    // The spin after which a rule of the table ended the run, and the rule;
    // 0 and StopReason::None when the run played every spin.
    std::int64_t stopped_at = 0;
    StopReason stop_reason = StopReason::None;
    // start + adjustments - wagered / 37: the result the house edge expects
    // for what was staked.
    double expected_final = 0;

    bool operator==(const RunFigures&) const = default;
};

}  // namespace quorvel
