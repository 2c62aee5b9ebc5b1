// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/snapshot.hpp"

#include "game/game.hpp"
#include "game/history.hpp"
#include "game/table.hpp"

namespace quorvel {

void SaveState(Game& game) {
    // Two copies straight into the snapshot: building a Snapshot first and
    // assigning it copies through the stack, which made every spin slower.
    static_cast<SpinState&>(game.saved) = game;
    game.saved.table = game.table;
}

void LoadState(Game& game) {
    const Snapshot& saved = game.saved;
    static_cast<SpinState&>(game) = saved;
    static_cast<TableBets&>(game.table) = saved.table;
    // Bet_Sector ends on the highest sector that had a chip; with none, it
    // stays where it is.
    for (Sector sector : kAllSectors) {
        if (saved.table.chips.contains(sector)) game.Bet_Sector = index_of(sector);
    }
    NumberInactive(game);
}

}  // namespace quorvel
