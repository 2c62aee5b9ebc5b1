// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/load_spins.hpp"

#include "lab/session_log.hpp"
#include "play/session.hpp"

namespace quorvel {

namespace {

// Progress and the cancel flag are looked at once a batch: often enough for a
// smooth bar and a prompt cancel, rarely enough to cost nothing.
constexpr std::size_t kBatch = 4096;

// The game is reached through `game_of`, and each number played by `play`,
// so that a bare game and a session (which also journals each number) load
// the same way.
template <typename Play, typename GameOf>
std::size_t load_into(Play play, GameOf game_of, SessionLog& log,
                      std::span<const std::uint8_t> spins, const std::atomic<bool>* cancel,
                      const std::function<void(std::size_t done)>& progress) {
    log.follow(game_of());
    std::size_t done = 0;
    for (const std::uint8_t number : spins) {
        if (done % kBatch == 0) {
            if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) return done;
            if (progress && done > 0) progress(done);
        }
        play(number);
        log.follow(game_of());
        ++done;
    }
    if (progress) progress(done);
    return done;
}

}  // namespace

std::size_t load_spins(Game& game, SessionLog& log, std::span<const std::uint8_t> spins,
                       const std::atomic<bool>* cancel,
                       const std::function<void(std::size_t done)>& progress) {
    if (analysis_running(game)) end_analysis_pause(game);
    return load_into([&game](int number) { play_number(game, number); },
                     [&game]() -> const Game& { return game; }, log, spins, cancel, progress);
}

std::size_t load_spins(Session& session, SessionLog& log, std::span<const std::uint8_t> spins,
                       const std::atomic<bool>* cancel,
                       const std::function<void(std::size_t done)>& progress) {
    session.end_analysis_pause();
    return load_into([&session](int number) { session.play_number(number); },
                     [&session]() -> const Game& { return session.game(); }, log, spins, cancel,
                     progress);
}

}  // namespace quorvel
