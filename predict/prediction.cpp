#include "predict/prediction.hpp"

#include "game/game.hpp"
#include "game/spin_cycle.hpp"
#include "money/bankroll.hpp"

namespace quorvel {

namespace {

// Runs the predictor of the game mode in force. No predictor is wired in yet,
// so every spin is played without a bet until one is.
void run_predictor(Game&) {}

}  // namespace

void Prediction(Game& game) {
    Enable_All(game);
    BlindAutomationReset(game);
    game.Bankroll_At_Prediction = game.Bankroll;
    run_predictor(game);
}

}  // namespace quorvel
