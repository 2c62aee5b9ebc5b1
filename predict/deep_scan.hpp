#pragma once

namespace quorvel {

struct Game;

// The deep-scan accumulators. They take in every number entered for the
// whole run of the program; undo and bet resets leave them alone.
struct DeepScanState {
    int DeepScan_Sum = 0;     // running sum wrapped into 1 to 36; 0 until a non-zero number
    int DeepScan_Family = 0;  // parity of the summed sums: 0 dozens, 1 columns
    int DeepScan_Pair = 0;    // the same parity, never overridden: picks the double bet's pair
};

// Takes the number just entered into the accumulators; first step of every spin.
void DeepScan_Calc(Game& game);
// Bets the sector (or pair) the accumulators point at, as the trend marks allow.
void DeepScan_Prediction(Game& game);

}  // namespace quorvel
