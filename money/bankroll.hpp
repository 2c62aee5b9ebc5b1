#pragma once

namespace quorvel {

struct Game;

// Resets the bet when the bankroll has reached the profit aim.
void BlindAutomationReset(Game& game);

}  // namespace quorvel
