#include "money/settlement.hpp"

#include "game/game.hpp"

namespace quorvel {

// No bet is placed yet, so a spin has nothing to settle.
void WinLoose(Game&) {}

}  // namespace quorvel
