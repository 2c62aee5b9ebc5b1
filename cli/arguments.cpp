// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/arguments.hpp"

#include <charconv>
#include <string>

#include "lab/chance.hpp"
#include "lab/grid.hpp"
#include "lab/settings_file.hpp"
#include "play/stored_settings.hpp"

namespace quorvel::cli {

namespace {

// The most spins --random draws. A game keeps every number it is given, so
// each run in flight holds a few bytes a spin.
constexpr std::size_t kMostRandomSpins = 100'000'000;

bool is_setting(std::string_view name) {
    for (const std::string& setting : setting_names()) {
        if (setting == name) return true;
    }
    return false;
}

std::optional<std::size_t> spin_count(std::string_view text) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// A share strictly between 0 and 1, written as a plain decimal: "0.5", ".25".
std::optional<double> holdout_share(const std::string& text) {
    if (text.empty() || text.size() > 20) return std::nullopt;
    for (char c : text) {
        if ((c < '0' || c > '9') && c != '.') return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (!(value > 0 && value < 1)) return std::nullopt;
    return value;
}

bool ends_with(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

Parsed parse_arguments(const std::vector<std::string>& args) {
    Parsed parsed;
    Arguments& a = parsed.arguments;
    std::vector<std::string> grid_overridden;
    // The options that play the spins, which the wheel test has no use for.
    std::vector<std::string> plays;
    bool options_end = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options_end || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (!options_end && arg.size() > 1 && arg[0] == '-') {
                parsed.error = "unknown option '" + arg + "'";
                return parsed;
            }
            a.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            options_end = true;
            continue;
        }
        // "--name value" or "--name=value".
        std::string name = arg.substr(2);
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        const auto flag = [&](bool& on) {
            if (value) {
                parsed.error = "--" + name + " takes no value";
                return false;
            }
            on = true;
            return true;
        };
        const auto take_value = [&]() -> bool {
            if (value) return true;
            if (i + 1 >= args.size()) {
                parsed.error = "--" + name + " needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };

        if (name == "help") {
            if (!flag(a.help)) return parsed;
        } else if (name == "json") {
            if (!flag(a.json)) return parsed;
        } else if (name == "grid") {
            if (!flag(a.grid)) return parsed;
            plays.push_back("--grid");
        } else if (name == "wheel") {
            if (!flag(a.wheel)) return parsed;
        } else if (name == "pool") {
            if (!flag(a.pool)) return parsed;
        } else if (name == "ledger") {
            if (!take_value()) return parsed;
            if (value->empty()) {
                parsed.error = "--ledger needs a file name";
                return parsed;
            }
            a.ledger = *value;
            plays.push_back("--ledger");
        } else if (name == "chance") {
            if (!take_value()) return parsed;
            const std::optional<std::size_t> count = spin_count(*value);
            if (!count || *count > static_cast<std::size_t>(kMostChanceSessions)) {
                parsed.error = "--chance: '" + *value +
                               "' is not a count of fair sessions: give a whole number from 0 "
                               "(no comparison) to " +
                               std::to_string(kMostChanceSessions);
                return parsed;
            }
            a.chance = static_cast<std::int64_t>(*count);
            plays.push_back("--chance");
        } else if (name == "holdout") {
            if (!take_value()) return parsed;
            const std::optional<double> share = holdout_share(*value);
            if (!share) {
                parsed.error = "--holdout: '" + *value +
                               "' is not a share of the spins: give a number between 0 and 1, "
                               "such as 0.5";
                return parsed;
            }
            a.holdout = *share;
            plays.push_back("--holdout");
        } else if (name == "random") {
            if (!take_value()) return parsed;
            const std::optional<std::size_t> count = spin_count(*value);
            if (!count || *count < 1 || *count > kMostRandomSpins) {
                parsed.error = "--random: '" + *value +
                               "' is not a count of spins: give a whole number from 1 to " +
                               std::to_string(kMostRandomSpins);
                return parsed;
            }
            a.random = *count;
        } else if (name == "settings") {
            plays.push_back("--settings");
            // The file is optional: "--settings=FILE", or a next argument
            // that names a settings file by its ending, not a spin file.
            if (!value && i + 1 < args.size() &&
                (ends_with(args[i + 1], ".conf") || ends_with(args[i + 1], ".ini"))) {
                value = args[++i];
            }
            const std::string path = value ? *value : default_settings_path();
            if (path.empty()) {
                parsed.error = "--settings: no HOME to find the stored settings in; give the file";
                return parsed;
            }
            const StoredSettingsReading stored = read_stored_settings(path);
            if (!stored.ok()) {
                parsed.error = "--settings: " + stored.error;
                return parsed;
            }
            // The run's clock stays as given.
            LabSettings settings = stored.settings;
            settings.seed = a.settings.seed;
            settings.seconds_per_spin = a.settings.seconds_per_spin;
            a.settings = settings;
        } else if (is_setting(name)) {
            if (!take_value()) return parsed;
            if (std::string error = set_setting(a.settings, name, *value); !error.empty()) {
                parsed.error = "--" + name + ": " + error;
                return parsed;
            }
            if (name == "mode" || name == "type" || name == "sectors" || name == "system") {
                grid_overridden.push_back("--" + name);
            }
            // The seed also draws the random spins and the wheel test's fair files.
            if (name != "seed") plays.push_back("--" + name);
        } else {
            parsed.error = "unknown option '--" + name + "'";
            return parsed;
        }
    }

    if (a.help) return parsed;
    if (a.files.empty() && !a.random) {
        parsed.error = "give a spin FILE, or --random N";
    } else if (!a.files.empty() && a.random) {
        parsed.error = "give spin files or --random N, not both";
    } else if (a.wheel) {
        if (!plays.empty()) {
            parsed.error = "--wheel tests the spins themselves and plays nothing; leave out " +
                           plays.front() + " (it takes FILE... or --random N, --seed and --json)";
        }
        return parsed;
    } else if (a.grid && !grid_overridden.empty()) {
        parsed.error = "--grid plays every mode, type, sector choice and system; leave out " +
                       grid_overridden.front();
    } else if (!a.grid) {
        parsed.error = settings_error(a.settings);
    }
    if (parsed.error.empty() && a.holdout && !a.grid && !a.wheel) {
        parsed.error = "--holdout chooses among the rows of the grid: give --grid too";
    }
    if (parsed.error.empty() && a.holdout && a.pool) {
        parsed.error = "--holdout chooses on one file's spins: leave out --pool";
    }
    if (parsed.error.empty() && !a.ledger.empty() && (a.grid || a.pool || a.files.size() > 1)) {
        parsed.error = "--ledger keeps the spins of one run: give one FILE and no --grid or --pool";
    }
    return parsed;
}

std::string help_text() {
    return R"HELP(Usage: quorvel-lab [OPTIONS] FILE...
       quorvel-lab [OPTIONS] --random N
       quorvel-lab --pool [OPTIONS] FILE...
       quorvel-lab --wheel [--pool] [--json] [--seed N] FILE... | --random N

Plays recorded roulette spins through Quorvel's own engine and shows what the
chosen mode and betting system would have done: the same figures the window
would have shown after the same numbers. There is no analysis pause.

A spin file holds numbers from 0 to 36 separated by newlines, commas,
semicolons, spaces or tabs; '-' reads the standard input. Anything else,
the double zero "00" too, refuses the file with its line and column: nothing
runs, and the files after it are not read. A session file saved by the window
(.quorvel) gives the numbers of its history, without those taken back.

Settings (named after the window's, with its texts; quote texts with spaces):
  --settings [FILE]        the settings stored by the window's "SAVE SETTINGS"
                           (~/.config/quorvel/quorvel.conf), or those of FILE
                           (--settings=FILE, or a FILE ending in .conf or
                           .ini); options after it change single settings
)HELP" + settings_help() + R"HELP(
Spins and clock:
  --random N               play N uniform spins drawn from the seed
  --seed N                 the second the clock starts at, which also seeds
                           the random spins (default 1767225600)
  --seconds-per-spin N     how far the clock moves a spin, 0 to 86400
                           (default 40)

Against chance:
  --chance K               play K fair sessions of the file's length with the
                           same settings and set the run against them; with
                           --grid, K fair grids: every row plays them, each
                           row's final is set against its own fair sessions,
                           and the hit rates are adjusted for the grid's tries
                           by the step-down min-p over them (from 100 fair
                           grids on; below, Holm's adjustment). 0 turns it
                           off. Default: 1000 for a run, fewer for long files
                           to stay within 200,000,000 spin steps, skipped with
                           a sentence when fewer than 100 fit; for the grid,
                           100 fair grids for money (within 300,000,000 spin
                           steps, at least 20) and 1000 for the hit rates
                           (within 60,000,000 spin steps more, at least
                           100). The fair spins are drawn from --seed and the
                           session's number: the same seed gives the same
                           figures.
  --holdout F              with --grid: choose the row with the smallest
                           hit_rate_p on the first F of the spins (0 < F < 1,
                           say 0.5; equal ones in the table's order) and play
                           it alone on the rest, as a file of them would play,
                           against fair sessions of that length: does the
                           choice hold up on spins it has not seen?

The wheel test:
  --wheel                  test the spins themselves instead of playing them:
                           is the wheel fair? Five tests, each with its
                           p-value: the 37 pockets (chi-square, 36 degrees of
                           freedom), the dozens and the columns with the zero
                           (3 each), the arc of 9 neighbouring pockets on the
                           wheel that came most (set against 10,000 fair
                           files drawn from --seed) and each spin's dozen
                           against the one before (9). Below 185 spins every
                           p comes from the fair files. The wheel is called
                           unfair when a p is below 0.01 / 5; a last line says
                           what a file of this length can find. Takes no
                           setting: spin files or --random N, --seed, --json
                           and --pool.

A table's evenings pooled:
  --pool                   add the files up as one: each file is played as
                           a session of its own (its own game from the start,
                           its own bankroll and clock), then the predictions
                           and those won are summed and the hit rate is
                           tested exactly on the sums; the money is summed.
                           Only the pool is set against chance: fair pools
                           play each file's length in turn. With --grid,
                           each of the grid's rows is pooled; with --wheel,
                           the test runs on all the spins together (pairs of
                           spins in a row stay within a file).

Output:
  --json                   one JSON object a line instead of the table
  --ledger FILE.csv        also write one row a spin of the run: spin, number,
                           sectors, stake, real or virtual, won or lost,
                           bankroll after
  --grid                   every mode x both types x the three sector choices
                           x every system the type offers: )HELP" +
           std::to_string(grid_size()) + R"HELP( runs a file,
                           ranked by final bankroll
  --help                   show this text

The figures (also the JSON keys): spins; bets, wins and losses of the staked
bets; virtual_bets, settled under the safe level; wagered and paid;
adjustments (the window's "SET BANKROLL"; none in a lab run); the
final_bankroll (start + adjustments - wagered + paid); max_bank; min_bankroll and
max_drawdown of the bankroll shown after each spin; longest_losing_streak;
largest_stake; expected_loss (wagered / 37, the house edge); net (paid -
wagered); ran_out_at, the spin after which the bankroll could not pay the
next bet (playing on, the first shown below zero; null when never);
stopped_at and stop_reason ("ran out", "stop-loss", "take-profit", "max
spins" or "table maximum"; null when the run played every spin);
expected_final (start + adjustments - wagered / 37). Against chance: predictions and predictions_won
(every prediction settled, real or virtual); hit_rate, chance_hit_rate (12 x
sectors / 37), hit_rate_low and hit_rate_high (the exact 95 % interval) and
hit_rate_p (how often chance alone wins at least as often); adjusted_p (in a
grid, hit_rate_p after the step-down min-p over the fair grids);
beats_chance (hit_rate_p below 0.05; in a grid, adjusted_p, or without fair
grids the row's hit_rate_p after Holm's adjustment for the )HELP" +
           std::to_string(grid_size()) + R"HELP( tries); chance_sessions, chance_seed, chance_final_p5
to chance_final_p95 and chance_final_mean of the fair sessions' final
bankroll, chance_expected_final (the start less 1/37 of the mean staked), and
the shares chance_ahead (ended above the start and never ran out),
chance_ran_out, chance_stop_loss, chance_take_profit and chance_as_good (ended
at or above this run); in a grid, row_as_good (the share of the row's own
fair sessions on the fair grids at or above its final). With --grid --json
each file's runs are followed by one line: file, grid_runs, holm_p (the
smallest Holm-adjusted hit_rate_p), minp_p (the smallest adjusted_p) and
minp_grids, beats_chance (minp_p, else holm_p, below 0.05), chance_grids,
chance_best_median and chance_best_as_good (the best final of each fair grid
against the file's best), best_row_as_good (the smallest row_as_good) and
best_row_adjusted (the same after the step-down over the fair grids), pbo
(the probability of backtest overfitting: the spins in 16 blocks, for each
of the 12,870 halves the stream of predictions with the best hit rate
against chance there, and the share of halves where it falls to the bottom
half of the 30 streams on the other half; null below 480 spins); with
--holdout, holdout_spins, holdout_mode, holdout_type, holdout_sectors,
holdout_system, holdout_predictions, holdout_predictions_won,
holdout_hit_rate_p and holdout_final.
With --pool --json, each file's lines come first, then the pool's, with the
same keys and "pooled", the files pooled: for a pool the sums, the largest
max_bank, max_drawdown, longest_losing_streak and largest_stake, the lowest
min_bankroll, ran_out_at counted over the files in turn, and no stopped_at.

With --wheel --json, one line a file: file, spins, pockets_chi2 and
pockets_p; hot_pocket, the pocket that came most, hot_pocket_count and
hot_pocket_p (its binomial tail as the best of 37); dozens_chi2, dozens_p,
columns_chi2 and columns_p; best_arc (the arc's first pocket clockwise),
best_arc_count and best_arc_p; serial_chi2, serial_df and serial_p;
wheel_fair; pocket_ratio_found, the bias of one pocket this many spins find
8 times in 10 at the 5 % level, and spins_for_break_even, the spins that
find a pocket at 1 in 36 so; draws and seed of the fair files, and
by_simulation (true below 185 spins). With --pool, a last line for all the
spins together, with "pooled".

On a fair wheel no advice changes the odds of the next spin: these figures
show how far a result stands from what chance alone does.

The runs spread over all cores. A progress bar goes to the standard error
when it is a terminal and the work takes more than a second.

Exit status: 0 when the runs are done; 2 on bad arguments, a refused file or a
ledger that cannot be written; 1 when the figures (or this text) cannot be
written out.

Examples, on the sample file installed with Quorvel (300 random spins; under
/usr/local/share after `make install`):
  quorvel-lab /usr/share/quorvel/examples/sample-spins.txt
  quorvel-lab --mode "PARADOX 4.1" --sectors "Only Dozens" \
      /usr/share/quorvel/examples/sample-spins.txt
  quorvel-lab --grid --json /usr/share/quorvel/examples/sample-spins.txt
  quorvel-lab --random 100000 --system CUSTOM --losses "1 Losses ADD to bet: 2"
)HELP";
}

}  // namespace quorvel::cli
