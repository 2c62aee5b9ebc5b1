#include "game/game.hpp"
#include "predict/prediction.hpp"

namespace quorvel {

// The deep-scan accumulators are not kept yet: entering a number adds nothing.
void DeepScan_Calc(Game&) {}

}  // namespace quorvel
