// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include "lab/lab_settings.hpp"

namespace quorvel {

// Every game mode x both betting types x the three sector choices x every
// system the type offers (six for "1", four for "2"): 150 settings, each the
// base settings with those four changed, in that order.
std::vector<LabSettings> grid_of(const LabSettings& base);

}  // namespace quorvel
