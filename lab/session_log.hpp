// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "lab/figure_tally.hpp"
#include "lab/run_figures.hpp"

namespace quorvel {

struct Game;

// What the bets brought in or cost: paid less wagered.
inline std::int64_t net_of(const RunFigures& figures) {
    return figures.paid - figures.wagered;
}

// The live session as the lab counts it: the bankroll the window showed
// before the first number (point 0) and after every spin (its settlement and
// the stake of the next bet charged), and the session's figures. The log
// follows the game after every engine call; an undo takes the last spin back.
class SessionLog {
public:
    SessionLog();

    // Brings the log up to date with the game; true when it changed. Cheap
    // when nothing changed, so it can run after every call; a call at least
    // once a spin keeps every point exact.
    bool follow(const Game& game);

    // Point 0 first; never empty.
    std::span<const std::int64_t> bankroll() const { return bankroll_; }
    std::size_t spins() const { return bankroll_.size() - 1; }

    // The figures of the session so far, with the bet now on the table handed back.
    RunFigures figures(const Game& game) const;

private:
    std::vector<std::int64_t> bankroll_{5000};
    // The tally with the last spin as the window now shows it, and without
    // it; the one before serves an undo (which is one spin deep).
    FigureTally last_;
    std::optional<FigureTally> before_;
    std::optional<FigureTally> before_before_;
    // An undo does not bring back the settlement record of the spin it
    // returns to, so that spin is not taken again until the next one comes.
    bool retake_ = false;
};

}  // namespace quorvel
