// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "money/progression.hpp"

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

// The tables are built at compile time from their rules: a spin reads them
// without a guard or a call.
template <std::size_t Entries, typename Rule>
constexpr std::array<std::int64_t, Entries> make_table(Rule rule) {
    std::array<std::int64_t, Entries> table{};
    for (std::size_t i = 0; i < Entries; ++i)
        table[i] = rule(static_cast<std::int64_t>(i), table);
    return table;
}

constexpr std::int64_t power(std::int64_t base, std::int64_t exponent) {
    std::int64_t result = 1;
    for (std::int64_t i = 0; i < exponent; ++i)
        result *= base;
    return result;
}

constexpr auto kClassic = make_table<31>([](std::int64_t i, const auto& made) {
    return i < 2 ? std::int64_t{1} : made[i - 1] + made[i - 2];
});
constexpr auto kClassicDouble =
    make_table<17>([](std::int64_t i, const auto&) { return power(3, i); });
constexpr auto kDDonald = make_table<3000>([](std::int64_t i, const auto&) { return i / 2 + 1; });
constexpr auto kDDonaldDouble =
    make_table<23>([](std::int64_t i, const auto&) { return power(2, i + 1) - 1; });
constexpr auto kDDonaldSofter =
    make_table<3000>([](std::int64_t i, const auto&) { return i / 3 + 1; });
constexpr auto kBlindDouble = make_table<2000>(
    [](std::int64_t i, const auto&) { return i == 0 ? std::int64_t{1} : std::int64_t{3} * i; });

}  // namespace

std::span<const std::int64_t> System_Classic() {
    return kClassic;
}

std::span<const std::int64_t> System_Classic_Double() {
    return kClassicDouble;
}

std::span<const std::int64_t> System_DDonald() {
    return kDDonald;
}

std::span<const std::int64_t> System_DDonald_Double() {
    return kDDonaldDouble;
}

std::span<const std::int64_t> System_DDonald_Softer() {
    return kDDonaldSofter;
}

std::span<const std::int64_t> System_Blind() {
    return kDDonald;
}

std::span<const std::int64_t> System_Blind_Double() {
    return kBlindDouble;
}

std::span<const std::int64_t> System_Blind_Softer() {
    return kDDonaldSofter;
}

std::span<const std::int64_t> active_table(ProgressionSystem system, BetType type) {
    using Table = std::span<const std::int64_t>;
    // By system in the order of the list, then single and double.
    static constexpr Table kActive[6][2] = {
        {kClassic, kClassicDouble},  // Classic
        {kDDonald, kDDonaldDouble},  // D-Donald
        {kDDonaldSofter, Table()},   // D-Donald (Softer)
        {kDDonald, kBlindDouble},    // Blind
        {kDDonaldSofter, Table()},   // Blind (Softer)
        {Table(), Table()},          // CUSTOM
    };
    static_assert(static_cast<int>(ProgressionSystem::Custom) == 5);
    return kActive[static_cast<std::size_t>(system)][static_cast<std::size_t>(type)];
}

std::int64_t table_entry(std::span<const std::int64_t> table, int step) {
    if (table.empty()) return 1;
    const auto last = static_cast<int>(table.size()) - 1;
    return table[static_cast<std::size_t>(std::clamp(step, 0, last))];
}

int step_forward(std::span<const std::int64_t> table, int step) {
    const auto last = static_cast<int>(table.size()) - 1;
    return std::min(step + 1, std::max(last, 0));
}

int step_back(std::span<const std::int64_t> table, int step) {
    const auto last = static_cast<int>(table.size()) - 1;
    return std::max(std::min(step, last) - 1, 0);
}

std::span<const ProgressionSystem> systems_offered(BetType type) {
    static constexpr std::array<ProgressionSystem, 6> kSingle{
        ProgressionSystem::Classic,       ProgressionSystem::DDonald,
        ProgressionSystem::DDonaldSofter, ProgressionSystem::Blind,
        ProgressionSystem::BlindSofter,   ProgressionSystem::Custom};
    static constexpr std::array<ProgressionSystem, 4> kDouble{
        ProgressionSystem::Classic, ProgressionSystem::DDonald, ProgressionSystem::Blind,
        ProgressionSystem::Custom};
    if (type == BetType::Single) return kSingle;
    return kDouble;
}

}  // namespace quorvel
