#include "game/random_source.hpp"

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
    // The generator takes a 32-bit seed; the low bits of the second still
    // change every second, which is all the reseeding rule needs.
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

bool RandomSource::injected() const {
    return generator_.seed && generator_.next;
}

int RandomSource::draw(int n) {
    return static_cast<int>(next() % static_cast<std::uint32_t>(n));
}

}  // namespace quorvel
