// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include "game/selectors.hpp"

namespace quorvel {

struct Game;

// The "CUSTOM" system's rules, run by the settlement of a paid win or loss.
void custom_win_rule(Game& game);
void custom_loss_rule(Game& game);

// What an action does to the custom bet, with v the action's value and the
// base bet as the floor of "SUBTRACT:" and "DIVIDE bet by:".
std::int64_t apply_win_action(WinAction action, std::int64_t bet, std::int64_t v,
                              std::int64_t base);
std::int64_t apply_loss_action(LossAction action, std::int64_t bet, std::int64_t v,
                               std::int64_t base);

// How a rule row shows its action list: the list's colours and whether the
// value field (or, on the losses row, the blank piece over it) is shown.
struct ActionLook {
    int list_colour;
    int font_colour;
    bool value_shown;
    bool blank_shown;
};
ActionLook Wins_ActionChange(WinAction action);
ActionLook Losses_ActionChange(LossAction action);

}  // namespace quorvel
