// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/verdict.hpp"

#include <cmath>
#include <cstdio>

#include "lab/figure_table.hpp"

namespace quorvel {

namespace {

std::string whole(double value) {
    return grouped(static_cast<std::int64_t>(std::llround(value)));
}

std::string p_words(double p) {
    const std::string text = p_value_text(p);
    return text.front() == '<' ? "p " + text : "p = " + text;
}

}  // namespace

std::string share_words(double share) {
    const double percent = 100.0 * share;
    char buffer[32];
    if (percent > 0 && percent < 0.05) return "under 0.1 %";
    if (percent == 0 || percent >= 9.95) {
        std::snprintf(buffer, sizeof buffer, "%.0f %%", percent);
    } else {
        std::snprintf(buffer, sizeof buffer, "%.1f %%", percent);
    }
    return buffer;
}

std::vector<std::string> run_verdict(const RunReport& run) {
    std::vector<std::string> lines;
    const HitRate& hit = run.hit;
    if (!hit.any()) {
        lines.push_back("Hit rate: no predictions; chance alone hits " + percent_text(hit.chance) +
                        " %.");
    } else {
        std::string line = "Hit rate " + percent_text(hit.rate) +
                           " % (95 %: " + percent_text(hit.interval.low) + "–" +
                           percent_text(hit.interval.high) + " %); chance alone hits " +
                           percent_text(hit.chance) + " %. ";
        if (beats_chance(run) && run.holm_p) {
            line += "Chance alone hits this often only rarely (" + p_words(hit.p) +
                    "), and still after counting the grid's tries (Holm " + p_words(*run.holm_p) +
                    ").";
        } else if (beats_chance(run)) {
            line += "Chance alone hits this often only rarely (" + p_words(hit.p) +
                    "): above chance for this one run, tried on its own.";
        } else if (hit.beats_chance()) {
            // Rare for one try, common for the best of many.
            line += "Rare for one run on its own (" + p_words(hit.p) +
                    "), but not once the grid's tries are counted (Holm " + p_words(*run.holm_p) +
                    "): this advice did not beat chance.";
        } else {
            line += "This advice did not beat chance (" + p_words(hit.p) + ").";
        }
        lines.push_back(line);
    }
    if (run.chance && run.chance->sessions > 0) {
        const ChanceComparison& c = *run.chance;
        lines.push_back("On " + grouped(c.sessions) + " fair sessions of " +
                        grouped(static_cast<std::int64_t>(c.spins)) +
                        " spins with these settings, the median ends at " +
                        whole(c.final_percentiles[2]) + "; " + share_words(c.ahead) +
                        " end ahead; " + share_words(c.ran_out) + " ran out of money; " +
                        share_words(c.as_good) + " did at least as well as this file.");
    } else if (!run.chance_skipped.empty()) {
        lines.push_back(run.chance_skipped);
    }
    if (run.figures.ran_out_at != 0) {
        lines.push_back("This run ran out of money at spin " + grouped(run.figures.ran_out_at) +
                        ": the bankroll fell below zero, lowest " +
                        grouped(run.figures.min_bankroll) + ".");
    }
    return lines;
}

std::vector<std::string> grid_verdict(const GridSummary& grid) {
    std::vector<std::string> lines;
    const std::string runs = std::to_string(grid.runs);
    if (grid.tested == 0) {
        lines.push_back("No run of the grid settled a prediction: there is no hit rate to test.");
    } else if (grid.beats_chance()) {
        lines.push_back("Counting all " + runs +
                        " tries, the best hit rate is still above chance (Holm " +
                        p_words(grid.holm_p) + ").");
    } else {
        lines.push_back("Counting all " + runs +
                        " tries, no hit rate in this table beats chance (Holm " +
                        p_words(grid.holm_p) + ").");
    }
    if (grid.chance && grid.chance->sessions > 0) {
        const GridChance& c = *grid.chance;
        std::string line = "The best of " + runs + " on " + grouped(c.sessions) +
                           " fair sessions does at least this well in " +
                           share_words(c.best_as_good) + " of cases (median best " +
                           whole(c.best_median) + ")";
        if (c.best_as_good >= 0.05) {
            line += ": the top of this table is what luck alone produces.";
        } else {
            // A rare best in money is still no test of the advice: the
            // stakes of a progression, not its picks, can make it.
            line +=
                ": luck alone seldom tops this table; the hit-rate verdict above says "
                "whether the advice itself did better than chance.";
        }
        lines.push_back(line);
    } else if (!grid.chance_skipped.empty()) {
        lines.push_back(grid.chance_skipped);
    }
    return lines;
}

}  // namespace quorvel
