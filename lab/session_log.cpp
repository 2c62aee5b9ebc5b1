// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/session_log.hpp"

#include "game/game.hpp"

namespace quorvel {

SessionLog::SessionLog() : last_(Game{}) {}

// Until the next number comes, the last point moves with the bankroll: the
// settlement shows first, the stake of the next bet once the pause ends, and
// an undo brings back the bankroll of the spin before.
bool SessionLog::follow(const Game& game) {
    const std::size_t points = game.NumbersList.size() + 1;
    if (points == bankroll_.size() && bankroll_.back() == game.Bankroll) return false;
    if (points == 1) {
        bankroll_.assign(1, game.Bankroll);
        last_ = FigureTally(game);
        before_.reset();
        before_before_.reset();
        retake_ = false;
        return true;
    }
    if (points > bankroll_.size()) {
        bankroll_.resize(points, game.Bankroll);
        before_before_ = before_;
        before_ = last_;
        retake_ = true;
    } else if (points < bankroll_.size()) {
        bankroll_.resize(points);
        if (before_) last_ = *before_;
        before_ = before_before_;
        before_before_.reset();
        retake_ = false;
    }
    bankroll_.back() = game.Bankroll;
    if (retake_ && before_) {
        last_ = *before_;
        last_.take(game);
    }
    return true;
}

RunFigures SessionLog::figures(const Game& game) const {
    return last_.figures(game);
}

}  // namespace quorvel
