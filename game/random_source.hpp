#pragma once

#include <cstdint>
#include <functional>
#include <random>

namespace quorvel {

// The one pseudo-random generator every predictor draws from. A predictor
// reseeds it from the clock in whole seconds before it draws, so two runs
// within the same second draw the same values; several rules count on that
// (the Paradox coin and pick come from one value). The clock and the
// generator can be replaced, so that a test or a simulation fixes every draw.
class RandomSource {
public:
    // Seconds since the epoch.
    using Clock = std::function<std::int64_t()>;

    // A uniform generator: seed(s) starts it over, next() gives its next value.
    struct Generator {
        std::function<void(std::uint32_t)> seed;
        std::function<std::uint32_t()> next;
    };

    // The system clock and a Mersenne twister.
    RandomSource() = default;
    // An empty clock, or a generator without both functions, falls back to
    // its default.
    RandomSource(Clock clock, Generator generator);

    // Seeds the generator with the current second.
    void reseed();
    // A fresh value from the generator.
    std::uint32_t next();
    // A fresh value modulo n: 0 to n - 1.
    int draw(int n);

private:
    bool injected() const;

    Clock clock_;
    Generator generator_;
    std::mt19937 engine_;
};

}  // namespace quorvel
