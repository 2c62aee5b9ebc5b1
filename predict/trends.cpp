#include "game/game.hpp"
#include "predict/prediction.hpp"

namespace quorvel {

// Trend marks cannot be set yet, so there is never a full family to clear.
void Check_3_Trends(Game&) {}

}  // namespace quorvel
