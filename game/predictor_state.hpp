// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <vector>

// The state the predictors keep between spins. It is part of the Game, so it
// lives here; the predictors that read and write it are in predict/.

namespace quorvel {

// The deep-scan accumulators. They take in every number entered for the
// whole run of the program; undo and bet resets leave them alone.
struct DeepScanState {
    int DeepScan_Sum = 0;     // running sum wrapped into 1 to 36; 0 until a non-zero number
    int DeepScan_Family = 0;  // parity of the summed sums: 0 dozens, 1 columns
    int DeepScan_Pair = 0;    // the same parity, never overridden: picks the double bet's pair

    bool operator==(const DeepScanState&) const = default;
};

// Codes written to each matrix list when it is created: enough for 10000
// spins after creation.
inline constexpr int Matrix_Length = 10000;

// Colours of the matrix controls, 0x00BBGGRR.
inline constexpr int kLabel4StartColour = 3799468;
inline constexpr int kLabel4ScoringColour = 12632256;  // silver: N_Count is locked
inline constexpr int kLabel4PreparingColour = 65535;   // yellow: a new N_Count may be chosen
inline constexpr int kShape2IdleColour = 0;            // black: "Reset Matrix" is off
inline constexpr int kShape2ReadyColour = 32896;       // olive: a matrix exists

// A progress gauge of the window.
struct GaugeState {
    int maximum = 100;
    int progress = 0;

    bool operator==(const GaugeState&) const = default;
};

// The adaptive matrix: three long random sequences of sector codes (0 D1 ...
// 5 C3), each scored against the first spins after creation; the best one
// is then bet line by line. Matrix_Ready lives in Game, since the spin cycle
// reads it. None of this is part of the undo snapshot.
struct AdaptiveMatrix {
    std::vector<int> AdaptiveList1;
    std::vector<int> AdaptiveList2;
    std::vector<int> AdaptiveList3;
    int Adaptive1 = 0;  // how many scored spins each list's code matched
    int Adaptive2 = 0;
    int Adaptive3 = 0;
    int Matrix_Position = 0;  // the line scored or bet on this spin
    int Matrix_List = 0;      // the chosen list, 1 to 3

    // A matrix exists from "CREATE MATRIX" until "Reset Matrix". While it
    // does, "Reset Matrix" is offered and "CREATE MATRIX" and the N_Count
    // edit are not.
    bool created = false;

    // The matrix controls of the settings section as the window shows them.
    int Label4 = kLabel4StartColour;  // font colour of "N. Count:"
    int Shape2 = kShape2IdleColour;   // brush colour behind "Reset Matrix"
    GaugeState CGauge2{3 * Matrix_Length, 0};

    // k runs 1 to 3, as in the names AdaptiveList1 ... AdaptiveList3.
    std::vector<int>& AdaptiveList(int k);
    const std::vector<int>& AdaptiveList(int k) const;
    int& Adaptive(int k);

    bool operator==(const AdaptiveMatrix&) const = default;
};

}  // namespace quorvel
