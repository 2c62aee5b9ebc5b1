// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/undo.hpp"

#include "game/game.hpp"
#include "game/table.hpp"
#include "play/snapshot.hpp"
#include "play/spin_cycle.hpp"

namespace quorvel {

namespace {

template <typename List>
void drop_last(List& list) {
    if (!list.empty()) list.pop_back();
}

}  // namespace

void Undo(Game& game) {
    // Taken back during its analysis pause, the spin is never predicted on:
    // the pause ends here, so the bet of the snapshot is the only one on the
    // table and the number taken back stays unavailable until the next spin.
    if (analysis_running(game)) {
        stop_analysis_pause(game);
        Enable_All(game);
    }
    GameHistoryBack(game);
    game.Undo_Counter = 0;
    game.table.undo_offered = false;
}

void GameHistoryBack(Game& game) {
    Disable_Bets(game);
    game.row.step_back();
    drop_last(game.NumbersList);
    game.ChainsList.pop_back();
    game.ChainsListColumns.pop_back();
    LoadState(game);
}

}  // namespace quorvel
