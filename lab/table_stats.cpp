#include "lab/table_stats.hpp"

#include "game/roulette.hpp"

namespace quorvel {

TableStats table_stats(std::span<const int> numbers) {
    TableStats stats;
    stats.spins = numbers.size();
    const std::size_t recent_from = numbers.size() - stats.recent_spins();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int number = numbers[i];
        for (std::size_t s = 0; s < kAllSectors.size(); ++s) {
            SectorStats& sector = stats.sectors[s];
            if (!sector_holds(kAllSectors[s], number)) {
                ++sector.sleep;
                continue;
            }
            sector.sleep = 0;
            sector.seen = true;
            ++sector.hits;
            if (i >= recent_from) ++sector.recent_hits;
        }
    }
    return stats;
}

double percent_of(std::size_t hits, std::size_t spins) {
    if (spins == 0) return 0.0;
    return 100.0 * static_cast<double>(hits) / static_cast<double>(spins);
}

}  // namespace quorvel
