// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Random play: a player who clicks everything, in any order, at any moment.
// After every action the money must still add up, the bankroll must be what a
// bookkeeper who sees only the table counts, an undo must take the spin back
// whole, a table system's bet must match its table, and no number may be
// entered while a spin is being analysed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "random_player.hpp"

namespace quorvel {
namespace {

using play_test::RandomPlayer;

int actions_to_play() {
    if (const char* text = std::getenv("QUORVEL_PROPERTY_ACTIONS")) {
        const long count = std::strtol(text, nullptr, 10);
        if (count > 0) return static_cast<int>(count);
    }
    return 100000;
}

TEST(RandomPlay,
     EveryActionKeepsTheBooksTheBookkeepersCountTheUndoTheTableBetAndTheLockDuringThePause) {
    RandomPlayer player(20261208);
    const int actions = actions_to_play();
    for (int i = 0; i < actions; ++i) {
        const std::optional<std::string> failure = player.step();
        ASSERT_FALSE(failure.has_value()) << "action " << i << " " << *failure;
    }
    // The walk reached the states the invariants are about.
    EXPECT_GT(player.spins(), actions / 20);
    EXPECT_GT(player.undos(), actions / 200);
}

}  // namespace
}  // namespace quorvel
