#include "money/minimal_profit.hpp"

#include "game/game.hpp"

namespace quorvel {

// The stake after a win is not lowered yet.
void Get_Minimal_Profit(Game&) {}

}  // namespace quorvel
