#pragma once

namespace quorvel {

struct Game;

// The one-step undo snapshot of the bets on the table and the money state.
void SaveState(Game& game);
void LoadState(Game& game);

}  // namespace quorvel
