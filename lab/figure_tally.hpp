// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include "lab/run_figures.hpp"

namespace quorvel {

struct Game;

// Counts a game's figures one spin at a time, as the lab defines them. Start
// it on the game before the first number it should count, then show it the
// game after every spin; a session in the window and a lab run are counted
// alike.
class FigureTally {
public:
    explicit FigureTally(const Game& game);

    // The spin just played (after the next bet was predicted).
    void take(const Game& game);
    // The figures so far; the bet the game now shows is handed back.
    RunFigures figures(const Game& game) const;

    std::int64_t start_bankroll() const { return start_; }

private:
    RunFigures tally_;
    std::int64_t start_ = 0;
    std::int64_t start_adjustments_ = 0;
    std::int64_t peak_ = 0;
    std::int64_t losing_streak_ = 0;
};

}  // namespace quorvel
