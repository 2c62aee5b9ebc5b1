// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "game/random_source.hpp"

namespace quorvel::testing {

// A generator that replays a script: every seed starts the script of that
// seed over, as a real generator repeats its sequence for a repeated seed.
// Scripts repeat once they run out, so a long run (a matrix) stays defined.
inline RandomSource::Generator scripted_generator(
    std::map<std::uint32_t, std::vector<std::uint32_t>> scripts,
    std::vector<std::uint32_t> other_seconds = {0}) {
    struct State {
        std::map<std::uint32_t, std::vector<std::uint32_t>> scripts;
        std::vector<std::uint32_t> other_seconds;
        const std::vector<std::uint32_t>* current = nullptr;
        std::size_t next = 0;
    };
    auto state = std::make_shared<State>(State{std::move(scripts), std::move(other_seconds)});
    state->current = &state->other_seconds;
    return {[state](std::uint32_t seed) {
                const auto found = state->scripts.find(seed);
                state->current =
                    found == state->scripts.end() ? &state->other_seconds : &found->second;
                state->next = 0;
            },
            [state] {
                const std::vector<std::uint32_t>& script = *state->current;
                if (script.empty()) return std::uint32_t{0};
                return script[state->next++ % script.size()];
            }};
}

// The clock stands still at second 1000 and every reseed restarts `values`:
// all draws of a run come from one script, as within one real second.
inline RandomSource fixed_draws(std::vector<std::uint32_t> values) {
    return RandomSource([] { return std::int64_t{1000}; },
                        scripted_generator({}, std::move(values)));
}

// A clock that moves one second at every reading, starting at `first`.
inline RandomSource::Clock ticking_clock(std::int64_t first) {
    auto now = std::make_shared<std::int64_t>(first);
    return [now] { return (*now)++; };
}

}  // namespace quorvel::testing
