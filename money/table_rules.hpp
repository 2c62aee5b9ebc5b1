// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/game.hpp"

namespace quorvel {

// The rules of a real table: limits on the stake, the player's stop rules,
// and a bankroll that has to pay for every bet. With none of them set (the
// window's start) the game plays on borrowed money, as it always did.

// The stake per sector a progression asks for, within the table's limits: a
// stake above the maximum is capped, or goes back to the base bet with the
// progression (under "End the session" it stays, and the session ends before
// it is placed); a stake below the minimum is raised to it.
std::int64_t stake_within_limits(Game& game, std::int64_t bet);

// The stop rule that the bankroll after a spin's settlement, or the count of
// spins, meets; StopReason::None when none does.
StopReason stop_rule_met(const Game& game);

// After a spin's settlement, before the next bet: ends the session at the
// first stop rule met, unless the player chose to play on.
void end_at_stop_rule(Game& game);

// Once the next bet is shown and charged: under "End the session" a bet
// above the table's maximum, or one the bankroll held before it cannot pay,
// ends the session. The bet comes off the table with its stake handed back.
void end_at_next_bet(Game& game);

// Whether the bet on the table costs more than the bankroll held before it
// was charged: the player would not have the chips for it. A bankroll left
// at exactly 0 has paid for its bet.
bool cannot_cover(const Game& game);

// Why the settings cannot be those of a table, as a sentence, or empty: a
// base bet below the minimum or above the maximum, a minimum above the
// maximum, a stop-loss at or above the starting bankroll, a take-profit at
// or below it.
std::string table_rules_fault(const Parameters& params);

// The reason as the lab's figures name it: "ran out", "stop-loss", ...;
// empty for none.
std::string_view stop_reason_key(StopReason reason);

}  // namespace quorvel
