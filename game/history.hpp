#pragma once

namespace quorvel {

struct Game;

// Shifts the history row one place and puts the current number first.
void GameHistory(Game& game);

}  // namespace quorvel
