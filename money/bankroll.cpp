// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/bankroll.hpp"

#include "game/game.hpp"
#include "money/bet_state.hpp"
#include "money/saturating.hpp"

namespace quorvel {

namespace {

constexpr int kFlashTicks = 10;

}  // namespace

void BlindAutomationSetAim(Game& game) {
    switch (game.params.profit_aim_rule) {
        case ProfitAimRule::OnAnyProfit:
            game.Profit_Aim = saturating_add(game.Bankroll, 1);
            break;
        case ProfitAimRule::OnEqual:
            game.Profit_Aim = game.Bankroll;
            break;
        case ProfitAimRule::SetUnits:
            game.Profit_Aim = saturating_add(
                game.Bankroll, value_or_least(game.params.ProfitUnits, kProfitUnitsRange));
            break;
    }
}

// Fires for every system, not only "Blind": with "On any profit" the bet goes
// back to the base bet as soon as the bankroll has gained anything since the
// last reset.
void BlindAutomationReset(Game& game) {
    if (!game.params.CheckBox_Blind || game.Bankroll < game.Profit_Aim) return;
    RResetBets(game);
    BlindAutomationSetAim(game);
}

void ProfitUnitsChange(Game& game) {
    if (!game.params.ProfitUnits || *game.params.ProfitUnits < 1) return;
    game.Profit_Aim = saturating_add(game.Bankroll, *game.params.ProfitUnits);
}

// The test bankroll can be chosen until play begins; after the first number
// the bankroll is the game's own.
void CSpinEdit1Change(Game& game) {
    if (!game.NumbersList.empty() || !game.params.CSpinEdit1) return;
    const std::int64_t start = *game.params.CSpinEdit1;
    game.Bankroll = start;
    game.Max_Bank = start;
    game.Bankroll_At_Prediction = start;
    game.books = Books{start};
    RResetBets(game);
    // The aim follows the new bankroll also while the base bet is being
    // typed, when the reset stops before setting it.
    BlindAutomationSetAim(game);
    // The undo copies follow, so that taking back the first spin keeps the
    // chosen start.
    game.saved.Bankroll = start;
    game.saved.Max_Bank = start;
    game.saved.Bankroll_At_Prediction = start;
    game.saved.books = game.books;
    game.saved.Profit_Aim = game.Profit_Aim;
}

// The top-up moves everything measured from the bankroll with it: the aim,
// the maximum and the bankroll the bet on the table was charged from, so a
// top-up neither reaches the profit aim nor counts as a new maximum. The undo
// copies move too, so that taking back the spin before it keeps the money.
void set_bankroll(Game& game) {
    if (!game.params.CSpinEdit1) return;
    const std::int64_t delta = saturating_sub(*game.params.CSpinEdit1, game.Bankroll);
    if (delta == 0) return;
    const auto shift = [delta](SpinState& state) {
        for (std::int64_t* amount :
             {&state.Bankroll, &state.Bankroll_At_Prediction, &state.Profit_Aim, &state.Max_Bank,
              &state.books.adjustments}) {
            *amount = saturating_add(*amount, delta);
        }
    };
    shift(game);
    shift(game.saved);
}

// Play starts with virtual bets when a level is chosen before the first
// settlement; later changes only move the release.
void Safe_LevelChange(Game& game) {
    if (game.row.five_numbers_shown()) return;
    game.table.SL_Field = game.params.Safe_Level != 0;
}

void start_max_profit_flash(Game& game) {
    game.max_profit_flash.Timer_MaxProfit = true;
}

void Timer_MaxProfitTimer(Game& game) {
    MaxProfitFlash& flash = game.max_profit_flash;
    if (!flash.Timer_MaxProfit) return;
    flash.tag += 1;
    flash.opaque = !flash.opaque;
    if (flash.tag >= kFlashTicks) {
        flash.tag = 0;
        flash.Timer_MaxProfit = false;
    }
}

}  // namespace quorvel
