#include "money/bankroll.hpp"

#include "game/game.hpp"

namespace quorvel {

// The profit aim does not reset the bet yet.
void BlindAutomationReset(Game&) {}

}  // namespace quorvel
