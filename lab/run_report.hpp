// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "lab/lab_settings.hpp"
#include "lab/run_figures.hpp"

namespace quorvel {

// A finished run as the lab reports it: which spins, which settings, and the
// figures.
struct RunReport {
    std::string file;  // the spin file, or the name of the random draw
    LabSettings settings;
    RunFigures figures;
};

}  // namespace quorvel
