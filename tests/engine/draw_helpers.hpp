// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "game/game.hpp"
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

// A case of a predictor that draws: the sectors the player bets on, the trend
// marks, the draws it is given, and the bet it should make.
template <typename Bet>
struct DrawCase {
    const char* name;
    SectorChoice choice;
    SectorSet marks;
    std::vector<std::uint32_t> draws;
    Bet bet;
};

// A fresh game set up as the case says.
template <typename Bet>
Game drawing_game(const DrawCase<Bet>& c) {
    Game game;
    game.random = fixed_draws(c.draws);
    game.params.BettingSectors = c.choice;
    game.table.trend_marks = c.marks;
    return game;
}

// The sectors in play, short for the rows of a case table.
inline constexpr auto kBoth = SectorChoice::DozensAndColumns;
inline constexpr auto kDozens = SectorChoice::OnlyDozens;
inline constexpr auto kColumns = SectorChoice::OnlyColumns;

}  // namespace quorvel::testing
