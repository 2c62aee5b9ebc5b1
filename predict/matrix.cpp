// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/matrix.hpp"

#include <algorithm>
#include <optional>

#include "game/game.hpp"
#include "game/table.hpp"
#include "money/bet_state.hpp"
#include "money/settlement.hpp"
#include "predict/double_bet.hpp"

namespace quorvel {

namespace {

std::optional<int> code_at(const std::vector<int>& list, int position) {
    if (list.empty() || position < 0) return std::nullopt;
    return list[static_cast<std::size_t>(position) % list.size()];
}

// A fresh code for the sectors the player bets on.
int draw_code(Game& game) {
    switch (game.params.BettingSectors) {
        case SectorChoice::OnlyDozens:
            return game.random.draw(3);
        case SectorChoice::OnlyColumns:
            return game.random.draw(3) + 3;
        case SectorChoice::DozensAndColumns:
            break;
    }
    return game.random.draw(6);
}

Sector sector_of_code(int code) {
    return sector_at(code + 1);
}

}  // namespace

bool create_matrix_offered(const Game& game) {
    return !game.matrix.created && !game.pause.Timer_Analyse;
}

bool reset_matrix_offered(const Game& game) {
    return game.matrix.created && !game.pause.Timer_Analyse;
}

SpinRange n_count_range(const Game& game) {
    return {kN_CountRange.minimum,
            std::max(kN_CountRange.maximum, game.params.N_Count.value_or(0))};
}

void Adaptive_Matrix(Game& game) {
    if (!create_matrix_offered(game)) return;
    AdaptiveMatrix& matrix = game.matrix;
    // The count is locked from here on; an emptied box would never let the
    // matrix choose, so it takes its least value.
    if (!game.params.N_Count) game.params.N_Count = kN_CountRange.minimum;
    matrix.Label4 = kLabel4ScoringColour;
    game.table.Background_Blur = false;

    Reset_Matrix(game);
    game.random.reseed();
    for (int k = 1; k <= 3; ++k) {
        std::vector<int>& list = matrix.AdaptiveList(k);
        list.reserve(Matrix_Length);
        for (int line = 0; line < Matrix_Length; ++line) {
            list.push_back(draw_code(game));
            matrix.CGauge2.progress += 1;
        }
    }

    matrix.CGauge2.progress = 0;
    matrix.Shape2 = kShape2ReadyColour;
    matrix.created = true;
    Enable_All(game);
}

void Set_N_Count(Game& game) {
    if (!reset_matrix_offered(game)) return;
    AdaptiveMatrix& matrix = game.matrix;
    // The bet on the table comes off it unsettled, so its stake goes back to
    // the bankroll before the reset sizes the next one.
    hand_back_stake(game);
    RResetBets(game);
    // The spin before took its money from a bet that is gone now; it is not
    // taken back, also with an empty base bet, where the reset stops early.
    end_undo_offer(game);
    matrix.Label4 = kLabel4PreparingColour;
    matrix.created = false;
    matrix.Shape2 = kShape2IdleColour;
    matrix.CGauge2.maximum = 3 * Matrix_Length;
    Disable_All(game);
    Disable_Bets(game);
    game.table.Background_Blur = true;
}

void Reset_Matrix(Game& game) {
    AdaptiveMatrix& matrix = game.matrix;
    for (int k = 1; k <= 3; ++k) {
        matrix.AdaptiveList(k).clear();
        matrix.Adaptive(k) = 0;
    }
    matrix.Matrix_Position = 0;
    game.Matrix_Ready = 0;
    RResetBets(game);
    charge_bet_anew(game);
}

void Analize_Matrix(Game& game) {
    AdaptiveMatrix& matrix = game.matrix;
    // The edit is locked while a matrix is scored; should it still be empty,
    // this spin is not scored.
    if (!game.params.N_Count) return;

    if (*game.params.N_Count > matrix.Matrix_Position) {
        for (int k = 1; k <= 3; ++k) {
            const std::optional<int> code = code_at(matrix.AdaptiveList(k), matrix.Matrix_Position);
            if (code && sector_holds(sector_of_code(*code), game.CurrentNum)) {
                matrix.Adaptive(k) += 1;
            }
        }
        matrix.Matrix_Position += 1;
    }
    if (*game.params.N_Count <= matrix.Matrix_Position) Define_Matrix(game);
}

void Define_Matrix(Game& game) {
    AdaptiveMatrix& matrix = game.matrix;
    if (game.Matrix_Ready == 0) {
        const int a1 = matrix.Adaptive1;
        const int a2 = matrix.Adaptive2;
        const int a3 = matrix.Adaptive3;
        int leader = 0;
        if (a1 > a2 && a1 > a3) {
            leader = 1;
        } else if (a2 > a1 && a2 > a3) {
            leader = 2;
        } else if (a3 > a1 && a3 > a2) {
            leader = 3;
        }
        if (leader != 0) {
            matrix.Matrix_List = leader;
            game.Matrix_Ready = 1;
        } else if (game.params.N_Count) {
            // A tie: one more spin is scored before the next attempt.
            *game.params.N_Count += 1;
        }
    }
    if (game.Matrix_Ready != 1) return;
    if (game.params.BettingType == BetType::Single) {
        Prediction_Matrix(game);
    } else {
        Prediction_Matrix_Double(game);
    }
}

void Prediction_Matrix(Game& game) {
    const int code = matrix_code(game);
    game.table.chips.insert(sector_of_code(code));
    game.Bet_Sector = code + 1;
    game.matrix.Matrix_Position += 1;
    charge_stake(game, 1);
}

bool n_count_editable(const Game& game) {
    return !game.matrix.created;
}

bool matrix_created(const Game& game) {
    return game.matrix.created;
}

int matrix_code(const Game& game) {
    const AdaptiveMatrix& matrix = game.matrix;
    if (matrix.Matrix_List < 1 || matrix.Matrix_List > 3) return 0;
    return code_at(matrix.AdaptiveList(matrix.Matrix_List), matrix.Matrix_Position).value_or(0);
}

}  // namespace quorvel
