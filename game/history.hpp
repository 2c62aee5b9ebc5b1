#pragma once

namespace quorvel {

struct Game;

// Shifts the history row one place and puts the current number first.
void GameHistory(Game& game);
// Takes back the last spin (the "Undo" button).
void Undo(Game& game);
void GameHistoryBack(Game& game);
// Makes the number just taken back unavailable until the next spin has been analysed.
void NumberInactive(Game& game);

}  // namespace quorvel
