#pragma once

#include <cstddef>
#include <vector>

namespace quorvel {

struct Game;

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

    // The matrix controls of the settings section as the window shows them.
    bool Adaptive_Matrix = true;      // "CREATE MATRIX" enabled
    bool Set_N_Count = false;         // "Reset Matrix" enabled: from creation until the reset
    bool N_Count = true;              // the N_Count edit enabled
    int Label4 = kLabel4StartColour;  // font colour of "N. Count:"
    int Shape2 = kShape2IdleColour;   // brush colour behind "Reset Matrix"
    GaugeState CGauge2{3 * Matrix_Length, 0};

    // k runs 1 to 3, as in the names AdaptiveList1 ... AdaptiveList3.
    std::vector<int>& AdaptiveList(int k);
    const std::vector<int>& AdaptiveList(int k) const;
    int& Adaptive(int k);
};

// "CREATE MATRIX": draws the three lists afresh and starts scoring.
void Adaptive_Matrix(Game& game);
// "Reset Matrix": hides the table behind the blur until a new matrix is created.
void Set_N_Count(Game& game);
// Empties the lists and their scores; the next scored line is line 0.
void Reset_Matrix(Game& game);
// Scores the number just entered and, once N_Count spins are scored, chooses
// and bets through Define_Matrix.
void Analize_Matrix(Game& game);
void Define_Matrix(Game& game);
// The chosen list's code for this spin, bet as one sector.
void Prediction_Matrix(Game& game);

// A matrix exists from "CREATE MATRIX" until "Reset Matrix".
bool matrix_created(const Game& game);
// The code on line Matrix_Position of the chosen list, 0 while no list is
// chosen. Past the last line the list goes on from line 0.
int matrix_code(const Game& game);

}  // namespace quorvel
