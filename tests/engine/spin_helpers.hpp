// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "game/captions.hpp"
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

// The history row from its newest label on: each caption in its colour, and
// the label after them empty.
inline void expect_history_row(const Game& game,
                               std::initializer_list<std::pair<std::string, int>> shown) {
    int k = 1;
    for (const auto& [caption, colour] : shown) {
        EXPECT_EQ(history_caption(game.row.HisNum(k)), caption) << "HisNum" << k;
        EXPECT_EQ(game.row.HisNum(k).colour, colour) << "HisNum" << k;
        ++k;
    }
    EXPECT_TRUE(history_caption(game.row.HisNum(k)).empty()) << "HisNum" << k;
}

}  // namespace quorvel::testing
