#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorvel {

struct Game;

// The bankroll of the live session, spin by spin, as the window showed it:
// point 0 is the bankroll before the first number, point k the bankroll after
// spin k (its settlement and the stake of the next bet charged). The log
// follows the game after every engine call; an undo takes the last point back.
class SessionLog {
public:
    // Brings the log up to date with the game; true when a point changed.
    // Cheap when nothing changed, so it can run after every call; a call per
    // spin keeps every point exact.
    bool follow(const Game& game);

    // Point 0 first; never empty.
    std::span<const std::int64_t> bankroll() const { return bankroll_; }
    std::size_t spins() const { return bankroll_.size() - 1; }

private:
    std::vector<std::int64_t> bankroll_{5000};
};

}  // namespace quorvel
