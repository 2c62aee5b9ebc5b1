#pragma once

namespace quorvel {

struct Game;

// The prediction step at the end of the analysis pause: number entry comes
// back, the automatic bet reset may fire, and the predictor of the game mode
// puts the next bet on the table.
void Prediction(Game& game);

// Takes the number just entered into the deep-scan accumulators; first step of
// every spin.
void DeepScan_Calc(Game& game);
// Clears a family of trend marks whose three marks are all set.
void Check_3_Trends(Game& game);

}  // namespace quorvel
