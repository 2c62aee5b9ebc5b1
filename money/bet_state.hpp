// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <span>

namespace quorvel {

struct Game;

// The bet reset ("Manual Bet Reset"): back to the first entry of the
// progression at the base bet, with a new profit aim. Touches neither the
// bankroll nor the chips on the table.
void RResetBets(Game& game);

// The "Manual Bet Reset" button: the bet reset, and the bet on the table is
// charged anew at the reset stake. Does nothing while the button is switched off.
void manual_bet_reset(Game& game);

// After a reset or a new base bet, a bet on the table is charged anew at the
// new stake: the bankroll goes back to where it stood before the stake was
// charged, less the new stake on each sector in play. A virtual bet costs
// nothing, and an empty base bet changes nothing.
void charge_bet_anew(Game& game);

// The stake charged for the bet on the table: Bet_Size on each sector in
// play, nothing for a virtual bet or an empty table.
std::int64_t stake_on_table(const Game& game);

// The stake of the bet a predictor has just shown: Bet_Size on each of the
// sectors it bets. It is charged only for a bet that settlement will see,
// that is with at least one chip on the table and the safe level not in
// force; a bet that marked nothing, or a virtual one, costs nothing.
void charge_stake(Game& game, int sectors);

// The player picked another betting type: the stake on the table goes back to
// the bankroll, the bet is reset and the chips come off the table.
void BettingTypeChange(Game& game);
// The base bet (or the focus sink, which shares the handler) changed.
void Init_BetChange(Game& game);

// Sets the stake per sector in play, within the table's limits. No stake
// goes above kMaxBet.
void set_bet_size(Game& game, std::int64_t bet);

// Bet_Size for the entry Bet_Step of the active table at the base bet; keeps
// the stake where the system has no table for the betting type.
void load_table_bet(Game& game);
// The same with the active table already at hand.
void load_table_bet(Game& game, std::span<const std::int64_t> table);

// Under "CUSTOM" after a settlement: the stake is the custom bet.
void load_custom_bet(Game& game);

}  // namespace quorvel
