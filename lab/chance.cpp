// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/chance.hpp"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "game/split_mix.hpp"
#include "lab/batch.hpp"
#include "lab/runner.hpp"

namespace quorvel {

namespace {

// The bands keep at most this many values in all (sessions x points), so a
// comparison of a million sessions keeps fewer points rather than gigabytes.
constexpr std::size_t kMostBandValues = 10'000'000;

std::int64_t sessions_within(double budget, double steps_a_session, std::int64_t wanted,
                             std::int64_t fewest) {
    if (steps_a_session <= 0) return wanted;
    const double fit = std::floor(budget / steps_a_session);
    const std::int64_t sessions =
        fit >= static_cast<double>(wanted) ? wanted : static_cast<std::int64_t>(fit);
    return sessions < fewest ? 0 : sessions;
}

// Counts the spin steps of finished sessions for the progress callback, one
// caller at a time.
class StepCounter {
public:
    explicit StepCounter(const std::function<void(std::size_t)>& progress) : progress_(progress) {}
    void add(std::size_t steps) {
        if (!progress_) return;
        const std::lock_guard<std::mutex> lock(lock_);
        done_ += steps;
        progress_(done_);
    }

private:
    const std::function<void(std::size_t)>& progress_;
    std::mutex lock_;
    std::size_t done_ = 0;
};

bool cancelled(const ChanceOptions& options) {
    return options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed);
}

// The points the bands stand at: every spin of a short session, else
// `points` spins spread evenly from the start to the last.
std::vector<std::size_t> band_points(std::size_t spins, std::size_t points) {
    points = std::clamp<std::size_t>(points, 2, spins + 1);
    std::vector<std::size_t> at(points);
    for (std::size_t j = 0; j < points; ++j) {
        at[j] = static_cast<std::size_t>(std::llround(
            static_cast<double>(j) * static_cast<double>(spins) / static_cast<double>(points - 1)));
    }
    return at;
}

// The mean of whole numbers, summed exactly (each value's quotient and
// remainder by the count apart) so that it is the same double on every
// machine, whatever its long double, and never overflows.
double exact_mean(std::span<const std::int64_t> values) {
    const auto count = static_cast<std::int64_t>(values.size());
    if (count == 0) return 0;
    std::int64_t whole = 0;
    std::int64_t rest = 0;
    for (std::int64_t value : values) {
        whole += value / count;
        rest += value % count;
        if (rest >= count) {
            whole += 1;
            rest -= count;
        } else if (rest <= -count) {
            whole -= 1;
            rest += count;
        }
    }
    return static_cast<double>(whole) + static_cast<double>(rest) / static_cast<double>(count);
}

}  // namespace

std::int64_t chance_sessions_for(std::size_t spins, std::optional<std::int64_t> asked) {
    if (asked) return *asked;
    return sessions_within(kChanceSpinSteps, static_cast<double>(spins), kDefaultChanceSessions,
                           kFewestChanceSessions);
}

std::int64_t grid_chance_sessions_for(std::size_t spins, std::size_t runs,
                                      std::optional<std::int64_t> asked) {
    if (asked) return *asked;
    return sessions_within(kGridChanceSpinSteps,
                           static_cast<double>(spins) * static_cast<double>(runs),
                           kDefaultGridChanceSessions, kFewestGridChanceSessions);
}

// SplitMix64 of the seed and the index: neighbouring indices give unrelated
// generator seeds.
std::uint64_t session_seed(std::int64_t seed, std::uint64_t index) {
    return split_mix64_mix(static_cast<std::uint64_t>(seed) + kGoldenGamma * (index + 1));
}

// xoshiro256** seeded by SplitMix64, with Lemire's multiply-and-shift for
// the pocket: a fixed, portable sequence, and quick, for the fair sessions
// draw as many numbers as the engine plays.
std::vector<std::uint8_t> session_spins(std::size_t spins, std::int64_t seed, std::uint64_t index) {
    std::uint64_t state[4];
    std::uint64_t mix = session_seed(seed, index);
    for (std::uint64_t& word : state)
        word = split_mix64(mix);
    const auto rotl = [](std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); };
    const auto next = [&] {
        const std::uint64_t result = rotl(state[1] * 5, 7) * 9;
        const std::uint64_t t = state[1] << 17;
        state[2] ^= state[0];
        state[3] ^= state[1];
        state[1] ^= state[2];
        state[0] ^= state[3];
        state[2] ^= t;
        state[3] = rotl(state[3], 45);
        return result;
    };
    constexpr std::uint64_t kPockets = 37;
    // Products whose low word falls below this would make some pockets
    // likelier; they are drawn again.
    constexpr std::uint64_t kThreshold = (0 - kPockets) % kPockets;
    std::vector<std::uint8_t> drawn(spins);
    for (std::uint8_t& spin : drawn) {
        // The 128-bit product x * 37 in two words, from its 32-bit halves.
        std::uint64_t high = 0;
        std::uint64_t low = 0;
        do {
            const std::uint64_t x = next();
            const std::uint64_t upper = (x >> 32) * kPockets;
            const std::uint64_t lower = (x & 0xFFFFFFFFull) * kPockets;
            high = (upper + (lower >> 32)) >> 32;
            low = (upper << 32) + lower;
        } while (low < kThreshold);
        spin = static_cast<std::uint8_t>(high);
    }
    return drawn;
}

double percentile_of(std::span<const std::int64_t> sorted, double percent) {
    if (sorted.empty()) return 0;
    const double rank = percent / 100.0 * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(rank));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    const double low = static_cast<double>(sorted[below]);
    const double high = static_cast<double>(sorted[above]);
    return low + (rank - static_cast<double>(below)) * (high - low);
}

namespace {

// Where each part of a pool stands among the points of the bands: the
// points it samples, as spins of its own, and their place among all points.
// The start (point 0) is the first part's; a point on the border of two
// parts is the end of the earlier one.
struct PoolPart {
    std::size_t length = 0;
    std::size_t first_point = 0;
    std::vector<std::size_t> points;
};

std::vector<PoolPart> pool_parts(std::span<const std::size_t> lengths,
                                 std::span<const std::size_t> points) {
    std::vector<PoolPart> parts;
    std::size_t offset = 0;
    std::size_t next = 0;
    for (std::size_t f = 0; f < lengths.size(); ++f) {
        PoolPart part;
        part.length = lengths[f];
        part.first_point = next;
        while (next < points.size() && points[next] <= offset + lengths[f] &&
               (points[next] > offset || f == 0)) {
            part.points.push_back(points[next] - offset);
            ++next;
        }
        offset += lengths[f];
        parts.push_back(std::move(part));
    }
    return parts;
}

// What one fair pool did, its parts together.
struct PoolPlay {
    std::int64_t final = 0;
    std::int64_t wagered = 0;
    bool ran_out = false;
    bool stop_loss = false;
    bool take_profit = false;
};

// Plays the fair spins a part at a time, each part from a fresh game, and
// writes the bands' samples of the whole pool to `samples` (one a point).
PoolPlay play_pool(std::span<const std::uint8_t> fair, std::span<const PoolPart> parts,
                   const LabSettings& settings, std::int64_t start, std::span<std::int64_t> samples,
                   const std::atomic<bool>* cancel) {
    PoolPlay pool;
    std::size_t offset = 0;
    std::int64_t done = 0;  // the final bankrolls of the parts played
    for (std::size_t f = 0; f < parts.size(); ++f) {
        const PoolPart& part = parts[f];
        RunOptions run;
        run.sample_spins = part.points;
        run.samples = samples.subspan(part.first_point, part.points.size());
        run.cancel = cancel;
        const RunResult result = run_spins(fair.subspan(offset, part.length), settings, run);
        // The pool's bankroll at a point of this part: the parts before at
        // their finals, this one as it stands, those after at their start.
        const std::int64_t around = done + static_cast<std::int64_t>(parts.size() - 1 - f) * start;
        for (std::int64_t& sample : run.samples)
            sample += around;
        const RunFigures& figures = result.figures;
        done += figures.final_bankroll;
        pool.wagered += figures.wagered;
        pool.ran_out = pool.ran_out || figures.ran_out_at != 0;
        pool.stop_loss = pool.stop_loss || figures.stop_reason == StopReason::StopLoss;
        pool.take_profit = pool.take_profit || figures.stop_reason == StopReason::TakeProfit;
        offset += part.length;
    }
    pool.final = done;
    return pool;
}

}  // namespace

std::optional<ChanceComparison> compare_with_chance(std::size_t spins, const LabSettings& settings,
                                                    std::int64_t sessions, std::int64_t run_final,
                                                    const ChanceOptions& options) {
    const std::size_t lengths[] = {spins};
    return compare_pool_with_chance(lengths, settings, sessions, run_final, options);
}

std::optional<ChanceComparison> compare_pool_with_chance(std::span<const std::size_t> lengths,
                                                         const LabSettings& settings,
                                                         std::int64_t sessions,
                                                         std::int64_t run_final,
                                                         const ChanceOptions& options) {
    std::size_t spins = 0;
    for (std::size_t length : lengths)
        spins += length;
    const std::int64_t one_start = value_or_least(settings.CSpinEdit1, kCSpinEdit1Range);
    ChanceComparison chance;
    chance.sessions = sessions;
    chance.seed = settings.seed;
    chance.spins = spins;
    chance.files = lengths.size();
    chance.start = one_start * static_cast<std::int64_t>(lengths.size());
    if (sessions <= 0 || lengths.empty()) return chance;
    const auto count = static_cast<std::size_t>(sessions);

    const std::vector<std::size_t> points =
        band_points(spins, std::min(kMostBandPoints, kMostBandValues / count));
    const std::vector<PoolPart> parts = pool_parts(lengths, points);
    // One row of points a session: sessions x points values, never sessions x spins.
    std::vector<std::int64_t> samples(count * points.size());
    std::vector<std::int64_t> finals(count);
    std::vector<char> ran_out(count);
    std::vector<char> stopped_by_loss(count);
    std::vector<char> stopped_by_profit(count);
    std::vector<std::int64_t> wagered(count);
    StepCounter steps(options.progress);

    for_each_index(count, options.threads, [&](std::size_t index) {
        if (cancelled(options)) return;
        const std::vector<std::uint8_t> fair = session_spins(spins, settings.seed, index);
        const PoolPlay pool = play_pool(
            fair, parts, settings, one_start,
            std::span(samples).subspan(index * points.size(), points.size()), options.cancel);
        finals[index] = pool.final;
        ran_out[index] = pool.ran_out;
        stopped_by_loss[index] = pool.stop_loss;
        stopped_by_profit[index] = pool.take_profit;
        wagered[index] = pool.wagered;
        steps.add(spins);
    });
    if (cancelled(options)) return std::nullopt;

    std::size_t ahead = 0;
    std::size_t behind = 0;
    std::size_t as_good = 0;
    std::size_t out = 0;
    std::size_t stop_loss = 0;
    std::size_t take_profit = 0;
    for (std::size_t i = 0; i < count; ++i) {
        // A session that borrowed to get there did not end ahead.
        ahead += finals[i] > chance.start && ran_out[i] == 0 ? 1 : 0;
        behind += finals[i] <= chance.start && ran_out[i] == 0 ? 1 : 0;
        as_good += finals[i] >= run_final ? 1 : 0;
        out += ran_out[i] != 0 ? 1 : 0;
        stop_loss += stopped_by_loss[i] != 0 ? 1 : 0;
        take_profit += stopped_by_profit[i] != 0 ? 1 : 0;
    }
    const auto share = [count](std::size_t part) {
        return static_cast<double>(part) / static_cast<double>(count);
    };
    chance.final_mean = exact_mean(finals);
    chance.ahead = share(ahead);
    chance.behind = share(behind);
    chance.as_good = share(as_good);
    chance.ran_out = share(out);
    chance.stop_loss = share(stop_loss);
    chance.take_profit = share(take_profit);
    chance.mean_wagered = exact_mean(wagered);
    chance.expected_final = static_cast<double>(chance.start) - chance.mean_wagered / 37.0;
    for (std::size_t i = 0; i < count; ++i) {
        if (ran_out[i] == 0) chance.solvent_finals.push_back(finals[i]);
    }
    std::sort(chance.solvent_finals.begin(), chance.solvent_finals.end());
    std::sort(finals.begin(), finals.end());
    for (std::size_t b = 0; b < kBandPercents.size(); ++b)
        chance.final_percentiles[b] = percentile_of(finals, kBandPercents[b]);
    chance.finals = std::move(finals);

    chance.bands.spins.assign(points.begin(), points.end());
    for (auto& band : chance.bands.bands)
        band.resize(points.size());
    for_each_index(points.size(), options.threads, [&](std::size_t j) {
        std::vector<std::int64_t> column(count);
        for (std::size_t i = 0; i < count; ++i)
            column[i] = samples[i * points.size() + j];
        std::sort(column.begin(), column.end());
        for (std::size_t b = 0; b < kBandPercents.size(); ++b)
            chance.bands.bands[b][j] = percentile_of(column, kBandPercents[b]);
    });
    return chance;
}

std::optional<GridChance> grid_against_chance(std::size_t spins, std::span<const LabSettings> grid,
                                              std::int64_t sessions, std::int64_t file_best,
                                              const ChanceOptions& options) {
    const std::size_t lengths[] = {spins};
    return grid_pool_against_chance(lengths, grid, sessions, file_best, options);
}

std::optional<GridChance> grid_pool_against_chance(std::span<const std::size_t> lengths,
                                                   std::span<const LabSettings> grid,
                                                   std::int64_t sessions, std::int64_t file_best,
                                                   const ChanceOptions& options) {
    GridChance chance;
    chance.sessions = sessions;
    if (sessions <= 0 || grid.empty()) return chance;
    std::size_t spins = 0;
    for (std::size_t length : lengths)
        spins += length;
    const std::vector<PoolPart> parts = pool_parts(lengths, {});
    const auto count = static_cast<std::size_t>(sessions);
    std::vector<std::int64_t> bests(count);
    StepCounter steps(options.progress);
    // A session at a time: its spins are drawn once and played by every
    // setting of the grid.
    for_each_index(count, options.threads, [&](std::size_t index) {
        if (cancelled(options)) return;
        const std::vector<std::uint8_t> fair = session_spins(spins, grid.front().seed, index);
        std::int64_t best = INT64_MIN;
        for (const LabSettings& settings : grid) {
            const std::int64_t start = value_or_least(settings.CSpinEdit1, kCSpinEdit1Range);
            best =
                std::max(best, play_pool(fair, parts, settings, start, {}, options.cancel).final);
        }
        bests[index] = best;
        steps.add(spins * grid.size());
    });
    if (cancelled(options)) return std::nullopt;
    std::size_t as_good = 0;
    for (std::int64_t best : bests)
        as_good += best >= file_best ? 1 : 0;
    std::sort(bests.begin(), bests.end());
    chance.best_median = percentile_of(bests, 50);
    chance.best_as_good = static_cast<double>(as_good) / static_cast<double>(count);
    chance.bests = std::move(bests);
    return chance;
}

Histogram histogram_of(std::span<const std::int64_t> values, std::size_t bins) {
    Histogram histogram;
    if (values.empty() || bins == 0) return histogram;
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    histogram.low = static_cast<double>(*lowest);
    const double span = static_cast<double>(*highest) - histogram.low;
    // All values alike: one bin of width 1 around them.
    if (span <= 0) bins = 1;
    histogram.width = span > 0 ? span / static_cast<double>(bins) : 1.0;
    histogram.counts.assign(bins, 0);
    for (std::int64_t value : values) {
        const double offset = (static_cast<double>(value) - histogram.low) / histogram.width;
        const auto bin = std::min(static_cast<std::size_t>(offset), bins - 1);
        histogram.counts[bin] += 1;
    }
    return histogram;
}

std::vector<double> holm_adjusted(std::span<const double> p_values) {
    const std::size_t m = p_values.size();
    std::vector<std::size_t> order(m);
    for (std::size_t i = 0; i < m; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return p_values[a] < p_values[b]; });
    std::vector<double> adjusted(m);
    double running = 0;
    for (std::size_t rank = 0; rank < m; ++rank) {
        const double scaled = static_cast<double>(m - rank) * p_values[order[rank]];
        running = std::max(running, std::min(1.0, scaled));
        adjusted[order[rank]] = running;
    }
    return adjusted;
}

}  // namespace quorvel
