// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/wheel_test.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "game/roulette.hpp"
#include "lab/binomial.hpp"
#include "lab/chance.hpp"
#include "lab/chi_square.hpp"
#include "lab/figure_table.hpp"

namespace quorvel {

namespace {

using PocketCounts = std::array<std::int64_t, 37>;
using PairTable = std::array<FourCounts, 4>;

constexpr std::size_t kPockets = 37;
constexpr std::array<double, 4> kCellShares{12.0 / 37, 12.0 / 37, 12.0 / 37, 1.0 / 37};
constexpr double kPowerLevel = 0.05;
constexpr double kPower = 0.8;

std::size_t dozen_cell(std::size_t number) {
    return number == 0 ? 3 : static_cast<std::size_t>(dozen_of(static_cast<int>(number)) - 1);
}
std::size_t column_cell(std::size_t number) {
    return number == 0 ? 3 : static_cast<std::size_t>(column_of(static_cast<int>(number)) - 1);
}

FourCounts cells_of(const PocketCounts& pockets, std::size_t (*cell_of)(std::size_t)) {
    FourCounts cells{};
    for (std::size_t number = 0; number < kPockets; ++number)
        cells[cell_of(number)] += pockets[number];
    return cells;
}

double pockets_chi2_of(const PocketCounts& pockets, std::int64_t spins) {
    const double expected = static_cast<double>(spins) / kPockets;
    double chi2 = 0;
    for (std::int64_t count : pockets) {
        const double off = static_cast<double>(count) - expected;
        chi2 += off * off / expected;
    }
    return chi2;
}

// For a fixed number of spins the pockets' chi-square rises with the sum of
// the counts' squares, which whole numbers hold exactly: the simulation
// compares these, so a tie is a tie.
std::int64_t sum_of_squares(const PocketCounts& pockets) {
    std::int64_t sum = 0;
    for (std::int64_t count : pockets)
        sum += count * count;
    return sum;
}

double four_chi2_of(const FourCounts& cells, std::int64_t spins) {
    double chi2 = 0;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const double expected = static_cast<double>(spins) * kCellShares[c];
        const double off = static_cast<double>(cells[c]) - expected;
        chi2 += off * off / expected;
    }
    return chi2;
}

// The cell whose count strays furthest, as its share of the chi-square.
std::size_t furthest_cell(const FourCounts& cells, std::int64_t spins) {
    std::size_t furthest = 0;
    double most = -1;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const double expected = static_cast<double>(spins) * kCellShares[c];
        const double off = static_cast<double>(cells[c]) - expected;
        if (off * off / expected > most) {
            most = off * off / expected;
            furthest = c;
        }
    }
    return furthest;
}

struct Arc {
    std::size_t start = 0;  // its first pocket's place in kWheelOrder
    std::int64_t count = 0;
};

Arc best_arc_of(const PocketCounts& pockets) {
    const auto at = [&pockets](std::size_t place) {
        return pockets[static_cast<std::size_t>(kWheelOrder[place % kPockets])];
    };
    std::int64_t count = 0;
    for (std::size_t k = 0; k < kArcPockets; ++k)
        count += at(k);
    Arc best{0, count};
    for (std::size_t start = 1; start < kPockets; ++start) {
        count += at(start + kArcPockets - 1) - at(start - 1);
        if (count > best.count) best = {start, count};
    }
    return best;
}

struct Serial {
    double chi2 = 0;
    int df = 0;
};

// The chi-square of independence of the table of pairs. A row or a column
// that never came has no expected counts to compare with, and leaves the
// degrees of freedom.
Serial serial_of(const PairTable& pairs) {
    FourCounts rows{};
    FourCounts columns{};
    std::int64_t total = 0;
    for (std::size_t a = 0; a < 4; ++a) {
        for (std::size_t b = 0; b < 4; ++b) {
            rows[a] += pairs[a][b];
            columns[b] += pairs[a][b];
            total += pairs[a][b];
        }
    }
    Serial serial;
    if (total == 0) return serial;
    const auto used = [](const FourCounts& sums) {
        return static_cast<int>(
            std::count_if(sums.begin(), sums.end(), [](std::int64_t sum) { return sum > 0; }));
    };
    serial.df = (used(rows) - 1) * (used(columns) - 1);
    for (std::size_t a = 0; a < 4; ++a) {
        for (std::size_t b = 0; b < 4; ++b) {
            if (rows[a] == 0 || columns[b] == 0) continue;
            const double expected = static_cast<double>(rows[a]) * static_cast<double>(columns[b]) /
                                    static_cast<double>(total);
            const double off = static_cast<double>(pairs[a][b]) - expected;
            serial.chi2 += off * off / expected;
        }
    }
    return serial;
}

// The pairs of spins in a row within each part of `spins`, the parts of
// these lengths one after another (one part when there are none): a pool's
// last spin of one evening and first of the next are no pair.
PairTable pairs_of(std::span<const std::uint8_t> spins, std::span<const std::size_t> parts) {
    PairTable pairs{};
    const std::size_t whole[] = {spins.size()};
    if (parts.empty()) parts = whole;
    std::size_t offset = 0;
    for (std::size_t length : parts) {
        for (std::size_t i = offset + 1; i < offset + length; ++i)
            ++pairs[dozen_cell(spins[i - 1])][dozen_cell(spins[i])];
        offset += length;
    }
    return pairs;
}

// A statistic of a fair file that does at least as well as the file's. The
// chi-squares of counts are sums of fractions; the margin keeps a tie from
// being lost to the order of the additions.
bool at_least(double drawn, double observed) {
    return drawn >= observed - 1e-9 * std::max(1.0, std::abs(observed));
}

double simulated_p(std::int64_t at_least_as_far, std::int64_t draws) {
    return static_cast<double>(1 + at_least_as_far) / static_cast<double>(1 + draws);
}

// The pockets' counts of a fair file of `spins` spins, drawn at once: the
// first pocket's count is binomial over all the spins, each next one
// binomial over the spins the pockets before it left.
PocketCounts multinomial_draw(std::int64_t spins, std::uint64_t& state) {
    PocketCounts pockets{};
    std::int64_t left = spins;
    for (std::size_t pocket = 0; pocket + 1 < kPockets; ++pocket) {
        pockets[pocket] = binomial_draw(left, 1.0 / static_cast<double>(kPockets - pocket), state);
        left -= pockets[pocket];
    }
    pockets[kPockets - 1] = left;
    return pockets;
}

std::string expected_words(double expected) {
    if (expected >= 100) return grouped(static_cast<std::int64_t>(std::llround(expected)));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", expected);
    return buffer;
}

std::string times_words(std::int64_t count) {
    return count == 1 ? "once" : grouped(count) + " times";
}

// "D1 came 2,627 times where 1,291 were expected", or "never came, where".
std::string came_words(const std::string& what, std::int64_t count, double expected) {
    return what + (count == 0 ? " never came, where " : " came " + times_words(count) + " where ") +
           expected_words(expected) + " were expected";
}

std::string spins_words(std::int64_t spins) {
    return grouped(spins) + (spins == 1 ? " spin" : " spins");
}

std::string cell_words(std::string_view name) {
    return name == "zero" ? "the zero" : std::string(name);
}

// "a", "a and b", "a, b and c".
std::string listed(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

// A ratio above 1 to the first decimal that shows its excess: 1.5, 1.04.
std::string ratio_words(double ratio) {
    const double excess = ratio - 1;
    int decimals = 1;
    if (excess > 0 && excess < 0.1)
        decimals = std::min(6, static_cast<int>(std::ceil(-std::log10(excess))));
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, ratio);
    return buffer;
}

// A count of spins to two significant digits: "about 1.2 million", "about 46,000".
std::string about_words(std::int64_t spins) {
    const double value = static_cast<double>(spins);
    const double step = std::pow(10.0, std::floor(std::log10(std::max(value, 1.0))) - 1);
    const double rounded = std::round(value / step) * step;
    if (rounded >= 1e6) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.2g million", rounded / 1e6);
        return buffer;
    }
    return grouped(static_cast<std::int64_t>(rounded));
}

}  // namespace

const WheelPower& wheel_power() {
    static const WheelPower power = [] {
        WheelPower p;
        p.noncentrality = noncentrality_for_power(kPockets - 1, kPowerLevel, kPower);
        // One pocket at r / 37 and the others evenly lower give a
        // noncentrality of n (r - 1)^2 / 36; a pocket at 1 in 36 has
        // r - 1 = 1 / 36.
        p.spins_for_break_even =
            static_cast<std::int64_t>(std::ceil(p.noncentrality * 36 * 36 * 36));
        return p;
    }();
    return power;
}

double WheelTest::smallest_p() const {
    return std::min({pockets_p, dozens_p, columns_p, best_arc_p, serial_p});
}

namespace {

WheelTest wheel_test_of(std::span<const std::uint8_t> spins, std::span<const std::size_t> parts,
                        std::int64_t seed, std::int64_t draws) {
    WheelTest test;
    test.spins = static_cast<std::int64_t>(spins.size());
    test.seed = seed;
    test.draws = std::max<std::int64_t>(draws, 0);
    test.by_simulation = test.spins < kWheelChiSquareSpins;

    PocketCounts& pockets = test.pocket_counts;
    for (std::size_t i = 0; i < spins.size(); ++i) {
        if (spins[i] >= kPockets) {
            throw std::invalid_argument("spin " + std::to_string(i + 1) + " is " +
                                        std::to_string(spins[i]) + ", not a number from 0 to 36");
        }
        ++pockets[spins[i]];
    }
    const std::int64_t n = test.spins;

    test.pockets_chi2 = n > 0 ? pockets_chi2_of(pockets, n) : 0;
    const auto hot = std::max_element(pockets.begin(), pockets.end());
    test.hot_pocket = static_cast<int>(hot - pockets.begin());
    test.hot_pocket_count = *hot;
    if (n > 0) {
        const double tail = binomial_upper_tail(n, test.hot_pocket_count, 1.0 / kPockets);
        test.hot_pocket_p = std::clamp(-std::expm1(37 * std::log1p(-tail)), 0.0, 1.0);
    }
    test.dozen_counts = cells_of(pockets, dozen_cell);
    test.column_counts = cells_of(pockets, column_cell);
    test.dozens_chi2 = n > 0 ? four_chi2_of(test.dozen_counts, n) : 0;
    test.columns_chi2 = n > 0 ? four_chi2_of(test.column_counts, n) : 0;
    const Arc arc = best_arc_of(pockets);
    test.best_arc = kWheelOrder[arc.start];
    test.best_arc_count = arc.count;
    test.pairs = pairs_of(spins, parts);
    const Serial serial = serial_of(test.pairs);
    test.serial_chi2 = serial.chi2;
    test.serial_df = serial.df;

    // The fair files. A short one is drawn spin by spin, for the serial
    // test needs the order; a long one needs only its counts, drawn at once
    // whatever its length.
    std::int64_t pockets_far = 0, dozens_far = 0, columns_far = 0, serial_far = 0, arc_far = 0;
    const std::int64_t squares = sum_of_squares(pockets);
    for (std::int64_t d = 0; d < test.draws && n > 0; ++d) {
        const auto index = static_cast<std::uint64_t>(d);
        PocketCounts fair{};
        if (test.by_simulation) {
            const std::vector<std::uint8_t> drawn =
                session_spins(static_cast<std::size_t>(n), seed, index);
            for (std::uint8_t spin : drawn)
                ++fair[spin];
            pockets_far += sum_of_squares(fair) >= squares;
            dozens_far += at_least(four_chi2_of(cells_of(fair, dozen_cell), n), test.dozens_chi2);
            columns_far +=
                at_least(four_chi2_of(cells_of(fair, column_cell), n), test.columns_chi2);
            serial_far += at_least(serial_of(pairs_of(drawn, parts)).chi2, test.serial_chi2);
        } else {
            std::uint64_t state = session_seed(seed, index);
            fair = multinomial_draw(n, state);
        }
        arc_far += best_arc_of(fair).count >= test.best_arc_count;
    }

    if (n == 0) {
        // Nothing to test: every p stays 1.
    } else if (test.by_simulation) {
        test.pockets_p = simulated_p(pockets_far, test.draws);
        test.dozens_p = simulated_p(dozens_far, test.draws);
        test.columns_p = simulated_p(columns_far, test.draws);
        test.serial_p = simulated_p(serial_far, test.draws);
    } else {
        test.pockets_p = chi_square_upper_tail(test.pockets_chi2, kPockets - 1);
        test.dozens_p = chi_square_upper_tail(test.dozens_chi2, 3);
        test.columns_p = chi_square_upper_tail(test.columns_chi2, 3);
        test.serial_p = serial.df > 0 ? chi_square_upper_tail(serial.chi2, serial.df) : 1;
    }
    if (n > 0) test.best_arc_p = simulated_p(arc_far, test.draws);
    test.wheel_fair = test.smallest_p() >= kWheelLevel;

    const WheelPower& power = wheel_power();
    test.spins_for_break_even = power.spins_for_break_even;
    if (n > 0) {
        test.pocket_ratio_found = 1 + 6 * std::sqrt(power.noncentrality / static_cast<double>(n));
    }
    return test;
}

}  // namespace

WheelTest wheel_test(std::span<const std::uint8_t> spins, std::int64_t seed, std::int64_t draws) {
    return wheel_test_of(spins, {}, seed, draws);
}

WheelTest pooled_wheel_test(std::span<const std::vector<std::uint8_t>> files, std::int64_t seed,
                            std::int64_t draws) {
    std::vector<std::uint8_t> spins;
    std::vector<std::size_t> parts;
    for (const std::vector<std::uint8_t>& file : files) {
        spins.insert(spins.end(), file.begin(), file.end());
        parts.push_back(file.size());
    }
    return wheel_test_of(spins, parts, seed, draws);
}

std::string_view dozen_cell_name(std::size_t cell) {
    static constexpr std::array<std::string_view, 4> kNames{"D1", "D2", "D3", "zero"};
    return kNames.at(cell);
}

std::string_view column_cell_name(std::size_t cell) {
    static constexpr std::array<std::string_view, 4> kNames{"C1", "C2", "C3", "zero"};
    return kNames.at(cell);
}

std::string wheel_p_words(double p, bool simulated) {
    if (p >= 0.001) return "p = " + p_value_text(p);
    if (simulated) return "p < 0.001";
    // "p < 10⁻ᵏ" for the largest k that holds, down to 10⁻⁹: past it the
    // figure says nothing more to a player.
    static constexpr std::array<const char*, 10> kDigits{"⁰", "¹", "²", "³", "⁴",
                                                         "⁵", "⁶", "⁷", "⁸", "⁹"};
    const int k = p < 1e-9 ? 9 : std::clamp(static_cast<int>(std::ceil(-std::log10(p))) - 1, 3, 9);
    return std::string("p < 10⁻") + kDigits[static_cast<std::size_t>(k)];
}

std::vector<std::string> wheel_verdict(const WheelTest& test) {
    const std::int64_t n = test.spins;
    const bool sim = test.by_simulation;
    if (test.wheel_fair) {
        return {"Nothing in these " + spins_words(n) + " says the wheel is unfair (smallest " +
                wheel_p_words(test.smallest_p(), false) + ")."};
    }
    std::vector<std::string> lines;
    std::vector<std::string> follows;
    const double per_pocket = static_cast<double>(n) / kPockets;
    if (test.pockets_p < kWheelLevel) {
        // The pocket that strays furthest, above or below.
        std::size_t furthest = 0;
        for (std::size_t number = 1; number < kPockets; ++number) {
            if (std::abs(static_cast<double>(test.pocket_counts[number]) - per_pocket) >
                std::abs(static_cast<double>(test.pocket_counts[furthest]) - per_pocket)) {
                furthest = number;
            }
        }
        lines.push_back("The pockets are uneven beyond chance: " +
                        came_words("number " + std::to_string(furthest),
                                   test.pocket_counts[furthest], per_pocket) +
                        " (" + wheel_p_words(test.pockets_p, sim) + ").");
        follows.push_back("numbers");
    }
    const auto four = [&](const char* what, const FourCounts& cells, double p,
                          std::string_view (*name)(std::size_t)) {
        if (p >= kWheelLevel) return;
        const std::size_t cell = furthest_cell(cells, n);
        lines.push_back(std::string("The ") + what + " are uneven beyond chance: " +
                        came_words(cell_words(name(cell)), cells[cell],
                                   static_cast<double>(n) * kCellShares[cell]) +
                        " (" + wheel_p_words(p, sim) + ").");
        follows.push_back(what);
    };
    four("dozens", test.dozen_counts, test.dozens_p, dozen_cell_name);
    four("columns", test.column_counts, test.columns_p, column_cell_name);
    if (test.best_arc_p < kWheelLevel) {
        const auto start = static_cast<std::size_t>(
            std::find(kWheelOrder.begin(), kWheelOrder.end(), test.best_arc) - kWheelOrder.begin());
        const int last = kWheelOrder[(start + kArcPockets - 1) % kPockets];
        lines.push_back("A sector of the wheel comes too often: the " +
                        std::to_string(kArcPockets) + " neighbouring pockets from " +
                        std::to_string(test.best_arc) + " to " + std::to_string(last) + " came " +
                        times_words(test.best_arc_count) + " where " +
                        expected_words(per_pocket * kArcPockets) + " were expected (" +
                        wheel_p_words(test.best_arc_p, true) + ").");
        follows.push_back("sectors");
    }
    if (test.serial_p < kWheelLevel) {
        // The pair that strays furthest from what independence expects.
        FourCounts rows{}, columns{};
        std::int64_t total = 0;
        for (std::size_t a = 0; a < 4; ++a) {
            for (std::size_t b = 0; b < 4; ++b) {
                rows[a] += test.pairs[a][b];
                columns[b] += test.pairs[a][b];
                total += test.pairs[a][b];
            }
        }
        std::size_t from = 0, to = 0;
        double most = -1, expected_there = 0;
        for (std::size_t a = 0; a < 4; ++a) {
            for (std::size_t b = 0; b < 4; ++b) {
                if (rows[a] == 0 || columns[b] == 0) continue;
                const double expected = static_cast<double>(rows[a]) *
                                        static_cast<double>(columns[b]) /
                                        static_cast<double>(total);
                const double off = static_cast<double>(test.pairs[a][b]) - expected;
                if (off * off / expected > most) {
                    most = off * off / expected;
                    from = a;
                    to = b;
                    expected_there = expected;
                }
            }
        }
        const std::int64_t count = test.pairs[from][to];
        const std::string after = cell_words(dozen_cell_name(from));
        lines.push_back("Each spin's dozen depends on the one before beyond chance: " +
                        cell_words(dozen_cell_name(to)) +
                        (count == 0 ? " never followed " + after + ", where "
                                    : " followed " + after + " " + times_words(count) + " where ") +
                        expected_words(expected_there) + " were expected (" +
                        wheel_p_words(test.serial_p, sim) + ").");
        follows.push_back("order of dozens");
    }
    lines.back() += " Advice that follows the wheel's " + listed(follows) +
                    " could beat this wheel; no advice beats a fair one.";
    return lines;
}

std::vector<WheelRow> wheel_rows(const WheelTest& test) {
    const std::int64_t n = test.spins;
    const double per_pocket = static_cast<double>(n) / kPockets;
    const auto two_places = [](double value) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.2f", value);
        return std::string(buffer);
    };
    const auto cells = [&](const FourCounts& counts, std::string_view (*name)(std::size_t)) {
        std::string text;
        for (std::size_t c = 0; c < counts.size(); ++c) {
            if (c > 0) text += ", ";
            text += name(c);
            text += ' ';
            text += grouped(counts[c]);
        }
        return text + " (expected " + expected_words(static_cast<double>(n) * kCellShares[0]) +
               " and " + expected_words(per_pocket) + ")";
    };
    const auto start = static_cast<std::size_t>(
        std::find(kWheelOrder.begin(), kWheelOrder.end(), test.best_arc) - kWheelOrder.begin());
    const int last = kWheelOrder[(start + kArcPockets - 1) % kPockets];
    std::int64_t pairs = 0;
    for (const FourCounts& row : test.pairs) {
        for (std::int64_t count : row)
            pairs += count;
    }
    return {
        {"Pockets", two_places(test.pockets_chi2), "36", p_value_text(test.pockets_p),
         "most often " + std::to_string(test.hot_pocket) + ", " +
             times_words(test.hot_pocket_count) + " (expected " + expected_words(per_pocket) +
             "; as the best of 37, " + wheel_p_words(test.hot_pocket_p, false) + ")"},
        {"Dozens", two_places(test.dozens_chi2), "3", p_value_text(test.dozens_p),
         cells(test.dozen_counts, dozen_cell_name)},
        {"Columns", two_places(test.columns_chi2), "3", p_value_text(test.columns_p),
         cells(test.column_counts, column_cell_name)},
        {"Sectors", "-", "-", p_value_text(test.best_arc_p),
         "the " + std::to_string(kArcPockets) + " pockets from " + std::to_string(test.best_arc) +
             " to " + std::to_string(last) + ", " + times_words(test.best_arc_count) +
             " (expected " + expected_words(per_pocket * kArcPockets) + ")"},
        {"Serial", two_places(test.serial_chi2), std::to_string(test.serial_df),
         p_value_text(test.serial_p),
         "the dozen or zero of " + grouped(pairs) + (pairs == 1 ? " pair" : " pairs") +
             " of spins in a row"},
    };
}

std::string wheel_draws_note(const WheelTest& test) {
    const std::string files = grouped(test.draws) + " fair files of " + spins_words(test.spins) +
                              " drawn from seed " + std::to_string(test.seed);
    if (test.by_simulation) {
        return "p: the share of " + files + " that stray at least as far; below " +
               std::to_string(kWheelChiSquareSpins) +
               " spins the chi-square distribution does not hold.";
    }
    return "Sectors p: the share of " + files + " whose best arc came at least as often.";
}

std::string wheel_power_line(const WheelTest& test) {
    std::string line = "With " + spins_words(test.spins) + ", this test finds 8 times in 10 ";
    if (test.spins > 0) {
        line += "a pocket that comes " + ratio_words(test.pocket_ratio_found) +
                " times as often as it should";
    } else {
        line += "nothing";
    }
    return line + "; a pocket that pays back what it takes (1 in 36) needs about " +
           about_words(test.spins_for_break_even) + " spins.";
}

}  // namespace quorvel
