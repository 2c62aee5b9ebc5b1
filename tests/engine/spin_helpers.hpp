// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <initializer_list>

#include "game/game.hpp"
#include "play/spin_cycle.hpp"

namespace quorvel::testing {

// Enters each number and lets its analysis pause run to the end, as the
// window does when the player clicks and waits.
inline void play(Game& game, std::initializer_list<int> numbers) {
    for (int n : numbers) {
        enter_number(game, n);
        end_analysis_pause(game);
    }
}

// The lowest number the bet on the table wins on; zero loses every bet.
inline int winning_number(const Game& game) {
    for (int n = 1; n < kNumberCount; ++n) {
        for (Sector sector : kAllSectors) {
            if (game.table.chips.contains(sector) && sector_holds(sector, n)) return n;
        }
    }
    return 0;
}

inline void play_count(Game& game, int spins, int first = 1) {
    for (int i = 0; i < spins; ++i) {
        enter_number(game, (first + i) % 37);
        end_analysis_pause(game);
    }
}

}  // namespace quorvel::testing
