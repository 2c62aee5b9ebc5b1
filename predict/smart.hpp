#pragma once

namespace quorvel {

struct Game;

// The SMART predictor: one sector drawn at random, narrowed by the trend marks.
void Prediction_DozCol(Game& game);

}  // namespace quorvel
