#pragma once

namespace quorvel {

struct Game;

// Lowers the stake of a prediction that follows a win to the smallest bet
// that still reaches the profit aim.
void Get_Minimal_Profit(Game& game);

}  // namespace quorvel
