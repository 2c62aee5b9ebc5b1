// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/roulette.hpp"

namespace quorvel {

std::string_view name_of(Sector sector) {
    static constexpr std::array<std::string_view, 6> kNames{"D1", "D2", "D3", "C1", "C2", "C3"};
    return kNames[static_cast<std::size_t>(index_of(sector) - 1)];
}

}  // namespace quorvel
