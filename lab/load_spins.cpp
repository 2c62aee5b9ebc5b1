#include "lab/load_spins.hpp"

#include "lab/session_log.hpp"
#include "play/session.hpp"

namespace quorvel {

namespace {

// Progress and the cancel flag are looked at once a batch: often enough for a
// smooth bar and a prompt cancel, rarely enough to cost nothing.
constexpr std::size_t kBatch = 4096;

}  // namespace

std::size_t load_spins(Game& game, SessionLog& log, std::span<const std::uint8_t> spins,
                       const std::atomic<bool>* cancel,
                       const std::function<void(std::size_t done)>& progress) {
    if (analysis_running(game)) end_analysis_pause(game);
    log.follow(game);
    std::size_t done = 0;
    for (const std::uint8_t number : spins) {
        if (done % kBatch == 0) {
            if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) return done;
            if (progress && done > 0) progress(done);
        }
        play_number(game, number);
        log.follow(game);
        ++done;
    }
    if (progress) progress(done);
    return done;
}

}  // namespace quorvel
