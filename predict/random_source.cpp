#include "predict/random_source.hpp"

#include <chrono>
#include <utility>

namespace quorvel {

namespace {

std::int64_t system_seconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace

RandomSource::RandomSource(Clock clock, Generator generator)
    : clock_(std::move(clock)), generator_(std::move(generator)) {}

void RandomSource::reseed() {
    // Only the low bits of the second matter: the seed is what a 32-bit
    // generator takes, and consecutive seconds still give different seeds.
    const auto seed = static_cast<std::uint32_t>(clock_ ? clock_() : system_seconds());
    if (injected()) {
        generator_.seed(seed);
    } else {
        engine_.seed(seed);
    }
}

std::uint32_t RandomSource::next() {
    if (injected()) return generator_.next();
    return static_cast<std::uint32_t>(engine_());
}

bool RandomSource::injected() const { return generator_.seed && generator_.next; }

int RandomSource::draw(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

}  // namespace quorvel
