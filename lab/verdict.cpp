// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/verdict.hpp"

#include <cmath>
#include <cstdio>

#include "lab/figure_table.hpp"
#include "lab/grid.hpp"

namespace quorvel {

namespace {

std::string whole(double value) {
    return grouped(static_cast<std::int64_t>(std::llround(value)));
}

std::string p_words(double p) {
    const std::string text = p_value_text(p);
    return text.front() == '<' ? "p " + text : "p = " + text;
}

// A share of a few fair sessions is too coarse to set a result against: a
// run needs 100 of them, the best of a grid 20 fair grids.
std::string too_few_for_a_verdict(std::int64_t fewest_sessions) {
    const std::string fewest = std::to_string(fewest_sessions);
    return "Fewer than " + fewest + " fair sessions give no verdict; ask for " + fewest +
           " or more.";
}

// " fair sessions", or " fair pools of 6 sessions" for a pool's.
std::string fair_words(std::size_t files) {
    if (files <= 1) return " fair sessions";
    return " fair pools of " + grouped(static_cast<std::int64_t>(files)) + " sessions";
}

// What the fair sessions did: ruin first whenever any ran out, then ahead
// and behind, the median, and the loss the house edge expects on average,
// which a rare ruin cannot hide as the sample mean of the finals can.
std::string chance_words(const ChanceComparison& c) {
    // A pool's fair sessions play its files' lengths in turn.
    std::string line =
        c.files > 1
            ? "On " + grouped(c.sessions) + " fair pools of " +
                  grouped(static_cast<std::int64_t>(c.files)) + " sessions (" +
                  grouped(static_cast<std::int64_t>(c.spins)) +
                  " spins in all, each session as long as its file) with these settings: "
            : "On " + grouped(c.sessions) + " fair sessions of " +
                  grouped(static_cast<std::int64_t>(c.spins)) + " spins with these settings: ";
    if (c.ran_out > 0) line += share_words(c.ran_out) + " ran out of money, ";
    line += share_words(c.ahead) + " ended ahead, " + share_words(c.behind) +
            " ended behind; the median ends at " + whole(c.final_percentiles[2]);
    if (c.mean_wagered > 0) {
        line += std::string(", and on average a ") + (c.files > 1 ? "pool" : "session") +
                " loses " + whole(c.mean_wagered / 37.0) + " (1/37 of the " +
                whole(c.mean_wagered) + " staked).";
    } else {
        line += ", and no session staked anything.";
    }
    if (c.stop_loss > 0 || c.take_profit > 0) {
        line += " The stop-loss ended " + share_words(c.stop_loss) + " of them, the take-profit " +
                share_words(c.take_profit) + ".";
    }
    if (c.sessions < kFewestChanceSessions) return line + " " + too_few_for_a_verdict(kFewestChanceSessions);
    return line + " " + share_words(c.as_good) + " did at least as well as " +
           (c.files > 1 ? "these files." : "this file.");
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

std::string stop_words(StopReason reason, std::int64_t spin, std::int64_t bankroll) {
    const std::string after = " after spin " + grouped(spin);
    const std::string at = ", at a bankroll of " + grouped(bankroll) + ".";
    switch (reason) {
        case StopReason::None:
            return {};
        case StopReason::RanOut:
            return "The bankroll cannot cover the next bet: the session ended" + after + at;
        case StopReason::StopLoss:
            return "The stop-loss ended the session" + after + at;
        case StopReason::TakeProfit:
            return "The take-profit ended the session" + after + at;
        case StopReason::MaxSpins:
            return "The limit of spins ended the session" + after + at;
        case StopReason::TableMaximum:
            return "The next stake is above the table maximum: the session ended" + after + at;
    }
    return {};
}

std::vector<std::string> run_verdict(const RunReport& run) {
    std::vector<std::string> lines;
    // A ruin comes before anything else: whatever the run's final, the
    // player could not have played it.
    const RunFigures& f = run.figures;
    if (f.stop_reason == StopReason::RanOut) {
        lines.push_back("This run ran out of money. " +
                        stop_words(f.stop_reason, f.stopped_at, f.final_bankroll));
    } else if (f.ran_out_at != 0) {
        lines.push_back("This run ran out of money at spin " + grouped(f.ran_out_at) +
                        " and played on with money the player did not have: the bankroll fell "
                        "below zero, lowest " +
                        grouped(f.min_bankroll) + ".");
    }
    if (f.stop_reason != StopReason::None && f.stop_reason != StopReason::RanOut)
        lines.push_back(stop_words(f.stop_reason, f.stopped_at, f.final_bankroll));
    const HitRate& hit = run.hit;
    if (!hit.any()) {
        lines.push_back("Hit rate: no predictions; chance alone hits " + percent_text(hit.chance) +
                        " %.");
    } else {
        std::string line = "Hit rate " + percent_text(hit.rate) +
                           " % (95 %: " + percent_text(hit.interval.low) + "–" +
                           percent_text(hit.interval.high) + " %); chance alone hits " +
                           percent_text(hit.chance) + " %. ";
        // In a grid, the step-down over the fair grids when it was played,
        // else Holm's adjustment.
        const std::optional<double> adjusted = run.adjusted_p ? run.adjusted_p : run.holm_p;
        const std::string how = run.adjusted_p ? "min-p " : "Holm ";
        if (beats_chance(run) && adjusted) {
            line += "Chance alone hits this often only rarely (" + p_words(hit.p) +
                    "), and still after counting the grid's tries (" + how + p_words(*adjusted) +
                    ").";
        } else if (beats_chance(run)) {
            line += "Chance alone hits this often only rarely (" + p_words(hit.p) +
                    "): above chance for this one run, tried on its own.";
        } else if (hit.beats_chance()) {
            // Rare for one try, common for the best of many.
            line += "Rare for one run on its own (" + p_words(hit.p) +
                    "), but not once the grid's tries are counted (" + how + p_words(*adjusted) +
                    "): this advice did not beat chance.";
        } else {
            line += "This advice did not beat chance (" + p_words(hit.p) + ").";
        }
        lines.push_back(line);
    }
    if (run.chance && run.chance->sessions > 0) {
        lines.push_back(chance_words(*run.chance));
    } else if (!run.chance_skipped.empty()) {
        lines.push_back(run.chance_skipped);
    }
    return lines;
}

std::vector<std::string> grid_verdict(const GridSummary& grid) {
    std::vector<std::string> lines;
    const std::string runs = std::to_string(grid.runs);
    // The hit rates once the tries are counted: by the step-down over the
    // fair grids when they were played, with Holm's figure beside it.
    std::string counted = "Holm " + p_words(grid.holm_p);
    if (grid.minp_p) {
        counted = "step-down min-p over " + grouped(grid.minp_grids) + " fair grids " +
                  p_words(*grid.minp_p) + "; Holm " + p_words(grid.holm_p);
    }
    if (grid.tested == 0) {
        lines.push_back("No run of the grid settled a prediction: there is no hit rate to test.");
    } else if (grid.beats_chance()) {
        lines.push_back("Counting all " + runs +
                        " tries, the best hit rate is still above chance (" + counted + ").");
    } else {
        lines.push_back("Counting all " + runs +
                        " tries, no hit rate in this table beats chance (" + counted + ").");
    }
    if (!grid.minp_skipped.empty()) lines.push_back(grid.minp_skipped);

    // Money: each row against its own fair sessions, so that the widest
    // progression does not crown itself.
    if (grid.chance && grid.chance->sessions > 0 &&
        grid.chance->sessions < kFewestGridChanceSessions) {
        lines.push_back("The best of " + runs + " on " + grouped(grid.chance->sessions) +
                        fair_words(grid.chance->files) + " has a median of " +
                        whole(grid.chance->best_median) + ". " +
                        too_few_for_a_verdict(kFewestGridChanceSessions));
    } else if (grid.best_row && grid.chance) {
        std::string line = "Each row against its own " + grouped(grid.chance->sessions) +
                           " fair sessions, the best is " + grid.best_row_name + ": " +
                           share_words(grid.best_row_as_good) + " of them end at or above its " +
                           grouped(grid.best_row_final) + "; counting all " + runs + " rows, " +
                           p_words(grid.best_row_adjusted);
        if (grid.best_row_adjusted >= 0.05) {
            line += ". No row made more money than luck alone makes with its own settings.";
        } else {
            // A rare result in money is still no test of the advice.
            line +=
                ". Rare for luck alone even counting the rows; the hit-rate verdict above says "
                "whether the advice itself did better than chance.";
        }
        lines.push_back(line);
    } else if (grid.chance && grid.chance->sessions > 0) {
        // A pool's grid: the best of the grid against the best of fair pools.
        const GridChance& c = *grid.chance;
        std::string line = "The best of " + runs + " on " + grouped(c.sessions) +
                           fair_words(c.files) + " does at least this well in " +
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

    if (grid.pbo) {
        lines.push_back(
            "Chosen on half the spins, the best advice fell to the bottom half on the "
            "other half in " +
            share_words(grid.pbo->pbo) + " of splits (probability of backtest overfitting).");
    } else if (!grid.pbo_skipped.empty()) {
        lines.push_back(grid.pbo_skipped);
    }

    if (grid.holdout) {
        const RunReport& run = grid.holdout->run;
        const std::string chosen = "Chosen on the first " +
                                   grouped(static_cast<std::int64_t>(grid.holdout->chosen_on)) +
                                   " spins, " + settings_name(run.settings, false);
        const std::string other =
            grouped(static_cast<std::int64_t>(grid.spins - grid.holdout->chosen_on));
        if (!run.hit.any()) {
            lines.push_back(chosen + " made no prediction on the other " + other + ".");
        } else {
            lines.push_back(chosen + " hit " + percent_text(run.hit.rate) + " % on the other " +
                            other + " (chance " + percent_text(run.hit.chance) + " %, " +
                            p_words(run.hit.p) + "): the choice " +
                            (run.hit.beats_chance() ? "held up." : "did not hold up."));
        }
        std::string money = "Played there alone with " +
                            std::string(text_of(run.settings.BettingSystem)) + ", it ended at " +
                            grouped(run.figures.final_bankroll) + ".";
        if (run.chance && run.chance->sessions > 0) money += " " + chance_words(*run.chance);
        lines.push_back(money);
    } else if (!grid.holdout_skipped.empty()) {
        lines.push_back(grid.holdout_skipped);
    }
    return lines;
}

}  // namespace quorvel
