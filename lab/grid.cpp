// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/grid.hpp"

#include <algorithm>
#include <cstdint>

#include "lab/chance.hpp"
#include "money/progression.hpp"

namespace quorvel {

std::vector<LabSettings> grid_of(const LabSettings& base) {
    std::vector<LabSettings> grid;
    for (std::size_t mode = 0; mode < items_of<GameMode>().size(); ++mode) {
        for (std::size_t type = 0; type < items_of<BetType>().size(); ++type) {
            for (std::size_t sectors = 0; sectors < items_of<SectorChoice>().size(); ++sectors) {
                for (ProgressionSystem system : systems_offered(static_cast<BetType>(type))) {
                    LabSettings settings = base;
                    settings.GameModes = static_cast<GameMode>(mode);
                    settings.BettingType = static_cast<BetType>(type);
                    settings.BettingSectors = static_cast<SectorChoice>(sectors);
                    settings.BettingSystem = system;
                    grid.push_back(settings);
                }
            }
        }
    }
    return grid;
}

std::size_t grid_size() {
    std::size_t systems = 0;
    for (std::size_t type = 0; type < items_of<BetType>().size(); ++type)
        systems += systems_offered(static_cast<BetType>(type)).size();
    return items_of<GameMode>().size() * items_of<SectorChoice>().size() * systems;
}

GridSummary summarise_grid(std::string file, std::size_t spins, std::span<RunReport> runs) {
    GridSummary grid;
    grid.file = std::move(file);
    grid.spins = spins;
    grid.runs = runs.size();
    grid.best_final = INT64_MIN;
    std::vector<double> p_values;
    std::vector<RunReport*> tested;
    for (RunReport& run : runs) {
        grid.best_final = std::max(grid.best_final, run.figures.final_bankroll);
        if (run.hit.any()) {
            p_values.push_back(run.hit.p);
            tested.push_back(&run);
        }
    }
    grid.tested = p_values.size();
    const std::vector<double> adjusted = holm_adjusted(p_values);
    for (std::size_t t = 0; t < tested.size(); ++t)
        tested[t]->holm_p = adjusted[t];
    if (!adjusted.empty()) grid.holm_p = *std::min_element(adjusted.begin(), adjusted.end());
    return grid;
}

}  // namespace quorvel
