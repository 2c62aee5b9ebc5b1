// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/spin_cycle.hpp"

#include <utility>

#include "game/game.hpp"
#include "game/history.hpp"
#include "game/table.hpp"
#include "money/minimal_profit.hpp"
#include "money/bet_state.hpp"
#include "money/settlement.hpp"
#include "money/table_rules.hpp"
#include "play/snapshot.hpp"
#include "predict/deep_scan.hpp"
#include "predict/prediction.hpp"
#include "predict/trends.hpp"

namespace quorvel {

namespace {

constexpr int kGaugeStep = 2;
constexpr int kGaugeFull = 100;

}  // namespace

void enter_number(Game& game, int number) {
    game.CurrentNum = number;
    Analyse(game);
}

void Analyse(Game& game) {
    game.last_settlement = {};
    DeepScan_Calc(game);
    Check_3_Trends(game);
    // The snapshot comes before the settlement, so that an undo returns to the
    // money state as it was before this spin.
    SaveState(game);
    game.spins_entered += 1;
    // A bet held back at the end of the session was for this spin only.
    game.held_back = {};
    Animation_Analize(game);
    if (settlement_due(game)) {
        WinLoose(game);
    } else {
        // A bet that this spin does not settle (the mode changed under it)
        // leaves the table with its stake handed back. The snapshot above
        // still holds it, so an undo puts the bet and its charge back.
        hand_back_stake(game);
    }
    Disable_All(game);
    Disable_Bets(game);
    NumberPressed(game);
    CurrentNumber(game);
    GameHistory(game);
    game.Undo_Counter += 1;
}

void Animation_Analize(Game& game) {
    game.pause.Timer_Analyse = true;
}

void Timer_AnalyseTimer(Game& game) {
    if (!game.pause.Timer_Analyse) return;
    game.pause.CGauge1 += kGaugeStep;
    if (game.pause.CGauge1 >= kGaugeFull) end_analysis_pause(game);
}

void end_analysis_pause(Game& game) {
    stop_analysis_pause(game);
    game.table.Background_Blur = false;
    end_at_stop_rule(game);
    place_next_bet(game);
}

void place_next_bet(Game& game) {
    Prediction(game);
    Get_Minimal_Profit(game);
    end_at_next_bet(game);
}

bool play_on(Game& game) {
    if (game.stopped == StopReason::None) return false;
    game.stopped = StopReason::None;
    game.stops_lifted = true;
    // A number being analysed places its bet when its pause ends. Otherwise
    // the bet the session ended before goes on the table as it was shown,
    // or, where a stop rule ended it before any bet, the next bet is
    // predicted now.
    if (analysis_running(game)) return true;
    if (!game.held_back.empty()) {
        game.table.chips = std::exchange(game.held_back, {});
        charge_stake(game, static_cast<int>(game.table.chips.size()));
    } else {
        place_next_bet(game);
    }
    return true;
}

bool analysis_running(const Game& game) {
    return game.pause.Timer_Analyse;
}

void stop_analysis_pause(Game& game) {
    game.pause.Timer_Analyse = false;
    game.pause.CGauge1 = 0;
}

// Analyse asks this before the number joins the history row, so five numbers
// shown means this is at least the sixth spin.
bool settlement_due(const Game& game) {
    switch (game.params.GameModes) {
        case GameMode::Adaptive:
            return game.Matrix_Ready == 1;
        case GameMode::Smart2024:
        case GameMode::Paradox:
        case GameMode::Chains:
        case GameMode::DeepScan:
            return game.row.five_numbers_shown();
    }
    return false;
}

void CurrentNumber(Game& game) {
    game.NumbersList.push_back(static_cast<std::uint8_t>(game.CurrentNum));
    if (game.CurrentNum != 0) game.NumbersListForChains.push_back(game.CurrentNum);
}

}  // namespace quorvel
