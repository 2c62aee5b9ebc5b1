// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace quorvel {

class Session;
class SessionLog;
struct Game;

// Plays spins into a live game as clicks would enter them: each number is
// settled, analysed and predicted on, with the analysis pause ended at once.
// A pause still running when the load starts is ended first, as its timer
// would have ended it before the next click. The log follows every spin.
//
// Stops early once cancel is set; a caller that cancels throws the game away.
// progress is told how many spins are done, now and then and at the end.
// Returns how many spins were played.
std::size_t load_spins(Game& game, SessionLog& log, std::span<const std::uint8_t> spins,
                       const std::atomic<bool>* cancel = nullptr,
                       const std::function<void(std::size_t done)>& progress = {});

// The same through the session's one face: each number and the end of its
// pause go into the journal, at the session's clock.
std::size_t load_spins(Session& session, SessionLog& log, std::span<const std::uint8_t> spins,
                       const std::atomic<bool>* cancel = nullptr,
                       const std::function<void(std::size_t done)>& progress = {});

}  // namespace quorvel
