// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/prediction.hpp"

#include "game/game.hpp"
#include "game/table.hpp"
#include "money/bankroll.hpp"
#include "predict/chains.hpp"
#include "predict/deep_scan.hpp"
#include "predict/double_bet.hpp"
#include "predict/family.hpp"
#include "predict/matrix.hpp"
#include "predict/paradox.hpp"
#include "predict/smart.hpp"

namespace quorvel {

namespace {

// The chains mode bets one family: the one the player chose, or under
// "Dozens & Columns" one drawn afresh (even: dozens).
void predict_chains(Game& game) {
    GetChainsList(game);
    bool dozens = game.params.BettingSectors == SectorChoice::OnlyDozens;
    if (game.params.BettingSectors == SectorChoice::DozensAndColumns) {
        game.random.reseed();
        dozens = game.random.draw(2) == 0;
    }
    place_family_bet(game, dozens ? Family::Dozens : Family::Columns,
                     game.params.BettingType == BetType::Single,
                     {&Prediction_Chains, &Prediction_Chains_Columns, &Prediction_Chains_Double,
                      &Prediction_Chains_Double_Columns});
}

// Runs the predictor of the game mode in force. Every mode but the adaptive
// one bets from the fifth number on, when the history row shows five
// numbers; the matrix instead scores every number once it has been created,
// and bets from the spin on which it has chosen its list.
void run_predictor(Game& game) {
    if (game.params.GameModes == GameMode::Adaptive) {
        if (matrix_created(game)) Analize_Matrix(game);
        return;
    }
    if (!game.row.five_numbers_shown()) return;

    switch (game.params.GameModes) {
        case GameMode::DeepScan:
            DeepScan_Prediction(game);
            break;
        case GameMode::Smart2024:
            if (game.params.BettingType == BetType::Single) {
                Prediction_DozCol(game);
            } else {
                Prediction_Double(game);
            }
            break;
        case GameMode::Paradox:
            Prediction_Paradox(game);
            break;
        case GameMode::Chains:
            predict_chains(game);
            break;
        case GameMode::Adaptive:
            break;
    }
}

}  // namespace

void Prediction(Game& game) {
    Enable_All(game);
    BlindAutomationReset(game);
    game.Bankroll_At_Prediction = game.Bankroll;
    // A session that ended places no more bets.
    if (game.stopped != StopReason::None) return;
    run_predictor(game);
}

}  // namespace quorvel
