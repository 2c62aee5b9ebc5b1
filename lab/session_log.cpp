#include "lab/session_log.hpp"

#include "game/game.hpp"

namespace quorvel {

// Until the next number comes, the last point moves with the bankroll: the
// settlement shows first, the stake of the next bet once the pause ends, and
// an undo brings back the bankroll of the spin before.
bool SessionLog::follow(const Game& game) {
    const std::size_t points = game.NumbersList.size() + 1;
    if (points == bankroll_.size() && bankroll_.back() == game.Bankroll) return false;
    if (points < bankroll_.size()) {
        bankroll_.resize(points);
    } else {
        while (bankroll_.size() < points)
            bankroll_.push_back(game.Bankroll);
    }
    bankroll_.back() = game.Bankroll;
    return true;
}

}  // namespace quorvel
