#pragma once

#include <cstdint>
#include <string>

namespace quorvel {

struct Game;

std::string numbers_in_game_caption(std::size_t count);
std::string bankroll_caption(std::int64_t bankroll);
std::string max_bank_caption(std::int64_t max_bank);

// Brings every caption of the display up to date with the game. The window
// runs it after each change, so the captions always show the current values.
// While the starting-bankroll field is empty the two money captions keep what
// they show.
void refresh_display(Game& game);

}  // namespace quorvel
