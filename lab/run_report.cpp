// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/run_report.hpp"

#include <utility>

namespace quorvel {

RunReport report_of(std::string file, const LabSettings& settings, const RunFigures& figures) {
    RunReport report{std::move(file), settings, figures, {}, std::nullopt, std::nullopt, {}, {}, {}};
    report.hit =
        hit_rate_of(figures.predictions, figures.predictions_won, figures.prediction_sectors);
    return report;
}

bool beats_chance(const RunReport& run) {
    if (run.adjusted_p) return run.hit.any() && *run.adjusted_p < 0.05;
    if (run.holm_p) return run.hit.any() && *run.holm_p < 0.05;
    return run.hit.beats_chance();
}

}  // namespace quorvel
