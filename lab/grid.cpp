// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/grid.hpp"

#include "money/progression.hpp"

namespace quorvel {

std::vector<LabSettings> grid_of(const LabSettings& base) {
    std::vector<LabSettings> grid;
    for (std::size_t mode = 0; mode < items_of<GameMode>().size(); ++mode) {
        for (std::size_t type = 0; type < items_of<BetType>().size(); ++type) {
            for (std::size_t sectors = 0; sectors < items_of<SectorChoice>().size(); ++sectors) {
                for (ProgressionSystem system : systems_offered(static_cast<BetType>(type))) {
                    LabSettings settings = base;
                    settings.mode = static_cast<GameMode>(mode);
                    settings.type = static_cast<BetType>(type);
                    settings.sectors = static_cast<SectorChoice>(sectors);
                    settings.system = system;
                    grid.push_back(settings);
                }
            }
        }
    }
    return grid;
}

}  // namespace quorvel
