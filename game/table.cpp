// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/table.hpp"

#include "game/game.hpp"

namespace quorvel {

void Disable_All(Game& game) {
    game.table.Number.fill(false);
    game.table.SpeedButton.fill(false);
}

void Enable_All(Game& game) {
    game.table.Number.fill(true);
    game.table.SpeedButton.fill(true);
    if (game.Undo_Counter >= 2) game.table.undo_offered = true;
}

void end_undo_offer(Game& game) {
    game.Undo_Counter = 1;
    game.table.undo_offered = false;
}

void Disable_Bets(Game& game) {
    game.table.chips.clear();
}

void NumberPressed(Game& game) {
    if (game.CurrentNum >= 0 && game.CurrentNum < kNumberCount) {
        game.table.Number.set(static_cast<std::size_t>(game.CurrentNum), true);
    }
}

void NumberInactive(Game& game) {
    if (game.CurrentNum < 0 || game.CurrentNum >= kNumberCount) return;
    const auto n = static_cast<std::size_t>(game.CurrentNum);
    game.table.Number.set(n, false);
    game.table.SpeedButton.set(n, false);
}

}  // namespace quorvel
