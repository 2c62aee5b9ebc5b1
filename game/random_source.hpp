// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <utility>

#include "game/split_mix.hpp"

namespace quorvel {

// The one pseudo-random generator every predictor draws from. A predictor
// reseeds it from the clock in whole seconds before it draws, so two runs
// within the same second draw the same values; several rules count on that
// (the Paradox coin and pick come from one value). The clock and the
// generator can be replaced, so that a test or a simulation fixes every draw.
//
// Reseeding happens at almost every spin, so the default generator is one
// whose seed is its whole state: a reseed is a store, a draw a few
// multiplications. The replaceable parts are reached only when they were
// given, so the default path makes no indirect call.
class RandomSource {
public:
    // Seconds since the epoch.
    using Clock = std::function<std::int64_t()>;

    // A uniform generator: seed(s) starts it over, next() gives its next value.
    struct Generator {
        std::function<void(std::uint32_t)> seed;
        std::function<std::uint32_t()> next;
    };

    // The system clock and the built-in generator.
    RandomSource() = default;
    // An empty clock, or a generator without both functions, falls back to
    // its default.
    RandomSource(Clock clock, Generator generator);

    // Replaces the clock and keeps the generator and its state; an empty
    // clock is the system clock.
    void set_clock(Clock clock) { clock_ = std::move(clock); }

    // Seeds the generator with the current second. The generator takes a
    // 32-bit seed; its low bits still change every second, which is all the
    // reseeding rule needs.
    void reseed() {
        const auto seed = static_cast<std::uint32_t>(clock_ ? clock_() : std::time(nullptr));
        if (injected_) {
            generator_.seed(seed);
        } else {
            state_ = seed;
        }
    }

    // A fresh value from the generator.
    std::uint32_t next() {
        if (injected_) return generator_.next();
        return split_mix();
    }

    // A fresh value modulo n: 0 to n - 1.
    int draw(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

    // Equal when they would draw alike as far as can be seen: the built-in
    // generator's state, and whether a clock or a generator was given. A
    // given generator keeps its state out of sight, and clocks cannot be
    // compared, so those count as equal when both were given.
    bool operator==(const RandomSource& other) const {
        return state_ == other.state_ && injected_ == other.injected_ &&
               static_cast<bool>(clock_) == static_cast<bool>(other.clock_);
    }

private:
    // The high half of SplitMix64, so seeds one second apart draw unrelated values.
    std::uint32_t split_mix() { return static_cast<std::uint32_t>(split_mix64(state_) >> 32); }

    Clock clock_;
    Generator generator_;
    bool injected_ = false;
    std::uint64_t state_ = 5489;
};

}  // namespace quorvel
