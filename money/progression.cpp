#include "money/progression.hpp"

#include <algorithm>
#include <array>
#include <vector>

namespace quorvel {

namespace {

template <typename Rule>
std::vector<std::int64_t> make_table(int entries, Rule rule) {
    std::vector<std::int64_t> table;
    table.reserve(static_cast<std::size_t>(entries));
    for (int i = 0; i < entries; ++i)
        table.push_back(rule(i, table));
    return table;
}

std::int64_t power(std::int64_t base, int exponent) {
    std::int64_t result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= base;
    return result;
}

}  // namespace

std::span<const std::int64_t> System_Classic() {
    static const auto table = make_table(31, [](int i, const std::vector<std::int64_t>& made) {
        return i < 2 ? std::int64_t{1} : made[made.size() - 1] + made[made.size() - 2];
    });
    return table;
}

std::span<const std::int64_t> System_Classic_Double() {
    static const auto table =
        make_table(17, [](int i, const std::vector<std::int64_t>&) { return power(3, i); });
    return table;
}

std::span<const std::int64_t> System_DDonald() {
    static const auto table = make_table(
        3000, [](int i, const std::vector<std::int64_t>&) { return std::int64_t{i / 2 + 1}; });
    return table;
}

std::span<const std::int64_t> System_DDonald_Double() {
    static const auto table =
        make_table(23, [](int i, const std::vector<std::int64_t>&) { return power(2, i + 1) - 1; });
    return table;
}

std::span<const std::int64_t> System_DDonald_Softer() {
    static const auto table = make_table(
        3000, [](int i, const std::vector<std::int64_t>&) { return std::int64_t{i / 3 + 1}; });
    return table;
}

std::span<const std::int64_t> System_Blind() {
    return System_DDonald();
}

std::span<const std::int64_t> System_Blind_Double() {
    static const auto table = make_table(2000, [](int i, const std::vector<std::int64_t>&) {
        return i == 0 ? std::int64_t{1} : std::int64_t{3} * i;
    });
    return table;
}

std::span<const std::int64_t> System_Blind_Softer() {
    return System_DDonald_Softer();
}

std::span<const std::int64_t> active_table(ProgressionSystem system, BetType type) {
    const bool single = type == BetType::Single;
    switch (system) {
        case ProgressionSystem::Classic:
            return single ? System_Classic() : System_Classic_Double();
        case ProgressionSystem::DDonald:
            return single ? System_DDonald() : System_DDonald_Double();
        case ProgressionSystem::DDonaldSofter:
            return single ? System_DDonald_Softer() : std::span<const std::int64_t>();
        case ProgressionSystem::Blind:
            return single ? System_Blind() : System_Blind_Double();
        case ProgressionSystem::BlindSofter:
            return single ? System_Blind_Softer() : std::span<const std::int64_t>();
        case ProgressionSystem::Custom:
            break;
    }
    return {};
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
