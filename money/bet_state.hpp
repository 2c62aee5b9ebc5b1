#pragma once

#include <cstdint>

namespace quorvel {

struct Game;

// The bet reset ("Manual Bet Reset"): back to the first entry of the
// progression at the base bet, with a new profit aim. Touches neither the
// bankroll nor the chips on the table.
void RResetBets(Game& game);

// The player picked another betting type: the stake on the table goes back to
// the bankroll, the bet is reset and the chips come off the table.
void BettingTypeChange(Game& game);
// The base bet (or the focus sink, which shares the handler) changed.
void Init_BetChange(Game& game);

// Sets the stake per sector in play, and the CurrentBet caption with it.
void set_bet_size(Game& game, std::int64_t bet);

// Bet_Size for the entry Bet_Step of the active table at the base bet; keeps
// the stake where the system has no table for the betting type.
void load_table_bet(Game& game);

// Under "CUSTOM" after a settlement: the stake is the custom bet.
void load_custom_bet(Game& game);

}  // namespace quorvel
