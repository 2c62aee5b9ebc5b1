// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// quorvel-lab: plays spin files through the engine and reports the figures.
#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/arguments.hpp"
#include "cli/progress_bar.hpp"
#include "cli/report.hpp"
#include "lab/lab_csv.hpp"
#include "lab/pool.hpp"
#include "lab/run_plan.hpp"
#include "lab/save_file.hpp"
#include "lab/shown_text.hpp"
#include "lab/verdict.hpp"
#include "lab/wheel_test.hpp"

namespace {

using namespace quorvel;

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kRefused = 2;

int refuse(const std::string& message) {
    // The message may quote an argument or a path: what the terminal would
    // act on is masked.
    std::cerr << "quorvel-lab: " << shown_text(message)
              << "\nTry 'quorvel-lab --help' for the options.\n";
    return kRefused;
}

// Flushes the standard output; a text that could not be written there (the
// output closed, or a full disk) is a failure, not a success. A text longer
// than the stream's buffer fails while it is written, so the reason is the
// errno of that write: it is cleared before the text, and here only when the
// stream is still good.
bool flushed_out(const char* what) {
    if (std::cout) {
        errno = 0;
        std::cout.flush();
        if (std::cout) return true;
    }
    const int error = errno;
    std::cerr << "quorvel-lab: " << what << " could not be written to the standard output";
    if (error != 0) std::cerr << " (" << std::strerror(error) << ')';
    std::cerr << '\n';
    return false;
}

// The wheel test of each source: the spins are read as for a run, refused
// alike, and tested instead of played.
int test_wheels(const cli::Arguments& arguments) {
    RunPlan plan;
    plan.files = arguments.files;
    plan.random_spins = arguments.random;
    plan.settings = arguments.settings;
    std::vector<SpinSource> sources;
    if (const std::string error = read_sources(plan, sources); !error.empty()) {
        std::cerr << "quorvel-lab: " << shown_lines(error) << '\n';
        return kRefused;
    }
    errno = 0;
    if (arguments.pool) {
        // Each file's own test, then the test of all their spins together.
        std::vector<std::string> names;
        std::vector<std::vector<std::uint8_t>> spins;
        std::vector<WheelTest> tests;
        for (const SpinSource& source : sources) {
            names.push_back(arguments.json ? source.name : shown_text(source.name));
            tests.push_back(wheel_test(source.spins, arguments.settings.seed));
            spins.push_back(source.spins);
        }
        const WheelTest pool = pooled_wheel_test(spins, arguments.settings.seed);
        if (arguments.json) {
            for (std::size_t s = 0; s < tests.size(); ++s)
                cli::print_wheel_json_line(std::cout, names[s], tests[s]);
            cli::print_wheel_json_line(std::cout, pool_name(names.size()), pool, names);
        } else {
            cli::print_wheel_pool(std::cout, names, tests, pool);
        }
        return flushed_out("the figures") ? kDone : kFailed;
    }
    for (std::size_t s = 0; s < sources.size(); ++s) {
        const WheelTest test = wheel_test(sources[s].spins, arguments.settings.seed);
        if (arguments.json) {
            cli::print_wheel_json_line(std::cout, sources[s].name, test);
        } else {
            if (s > 0) std::cout << '\n';
            cli::print_wheel(std::cout, shown_text(sources[s].name), test);
        }
    }
    return flushed_out("the figures") ? kDone : kFailed;
}

// A pool's figures: each file's runs, then the pool's, and the pool's verdict.
void print_pool(const cli::Arguments& arguments, const PlanResult& result) {
    const PooledRuns& pool = *result.pooled;
    if (arguments.json) {
        for (const SourceRuns& source : result.sources) {
            for (const RunReport& report : source.reports)
                cli::print_json_line(std::cout, report);
            if (source.grid) cli::print_grid_json_line(std::cout, *source.grid);
        }
        for (const RunReport& report : pool.reports)
            cli::print_json_line(std::cout, report, pool.files);
        if (pool.grid) cli::print_grid_json_line(std::cout, *pool.grid, pool.files);
        return;
    }
    std::vector<std::string> names;
    for (const std::string& name : pool.files)
        names.push_back(shown_text(name));
    if (pool.grid) {
        // The grid of the pool, each row the sum of that row over the files.
        cli::print_table(std::cout, {pool.grid->file, pool.spins, true}, pool.reports);
        std::cout << '\n';
        cli::print_pooled_files(std::cout, names, pool.spins);
        cli::print_lines(std::cout, grid_verdict(*pool.grid));
        return;
    }
    // A row a file and the pool's row last.
    std::vector<RunReport> rows;
    std::vector<RunReport> files;
    for (const SourceRuns& source : result.sources)
        files.push_back(source.reports.front());
    rows = files;
    rows.push_back(pool.reports.front());
    cli::print_table(std::cout, {}, rows);
    std::cout << '\n';
    cli::print_pooled_files(std::cout, names, pool.spins);
    cli::print_lines(std::cout, pool_verdict(pool.reports.front(), files));
}

int run(const cli::Arguments& arguments) {
    if (arguments.wheel) return test_wheels(arguments);
    // A ledger that cannot be written is found now, not after the run.
    if (!arguments.ledger.empty()) {
        const std::string error = check_save(arguments.ledger);
        if (!error.empty()) return refuse("--ledger: " + error);
    }
    RunPlan plan;
    plan.files = arguments.files;
    plan.random_spins = arguments.random;
    plan.settings = arguments.settings;
    plan.grid = arguments.grid;
    plan.pool = arguments.pool;
    plan.chance_sessions = arguments.chance;
    plan.holdout = arguments.holdout;

    // The bar learns the whole work once the files are read; until then it
    // has nothing to show.
    std::optional<cli::ProgressBar> bar;
    PlanOptions options;
    options.keep_ledger = !arguments.ledger.empty();
    options.progress = [&bar](std::size_t done, std::size_t total) {
        if (!bar) bar.emplace(total);
        bar->update(done);
    };
    PlanResult result = run_plan(plan, options);
    if (bar) bar->finish();
    if (!result.error.empty()) {
        // Nothing ran, and the files after the refused one were not read.
        std::cerr << "quorvel-lab: " << shown_lines(result.error) << '\n';
        return kRefused;
    }
    // A session's torn last line is left out, as the window leaves it out,
    // and said; the run goes on.
    for (const SourceRuns& source : result.sources) {
        if (!source.source.notice.empty())
            std::cerr << "quorvel-lab: " << shown_text(source.source.name) << ": "
                      << source.source.notice << '\n';
    }

    if (!arguments.ledger.empty()) {
        const std::vector<LedgerRow>& ledger = result.sources.front().results.front().ledger;
        const std::string error = save_file(
            arguments.ledger, [&ledger](std::ostream& out) { write_ledger_csv(out, ledger); });
        if (!error.empty()) {
            std::cerr << "quorvel-lab: --ledger: " << shown_text(error) << '\n';
            return kRefused;
        }
    }

    if (!arguments.json) {
        // The tables are read on a terminal, so a file's name stands in them
        // masked as in the messages; the JSON is read by programs and keeps
        // the name whole, escaped as JSON escapes it.
        for (SourceRuns& source : result.sources) {
            source.source.name = shown_text(source.source.name);
            for (RunReport& report : source.reports)
                report.file = shown_text(report.file);
        }
    }

    errno = 0;
    if (result.pooled) {
        print_pool(arguments, result);
    } else if (arguments.json) {
        for (const SourceRuns& source : result.sources) {
            for (const RunReport& report : source.reports)
                cli::print_json_line(std::cout, report);
            if (source.grid) cli::print_grid_json_line(std::cout, *source.grid);
        }
    } else if (arguments.grid || result.sources.size() == 1) {
        // A table a spin source, each under its own title, with its verdict.
        for (std::size_t s = 0; s < result.sources.size(); ++s) {
            const SourceRuns& source = result.sources[s];
            if (s > 0) std::cout << '\n';
            cli::print_table(std::cout,
                             {source.source.name, source.source.spins.size(), arguments.grid},
                             source.reports);
            std::cout << '\n';
            cli::print_lines(std::cout, source.grid ? grid_verdict(*source.grid)
                                                    : run_verdict(source.reports.front()));
        }
    } else {
        // One run a source: one table, a row a file, then each verdict.
        std::vector<RunReport> runs;
        for (const SourceRuns& source : result.sources)
            runs.push_back(source.reports.front());
        cli::print_table(std::cout, {}, runs);
        for (const RunReport& report : runs) {
            std::cout << '\n' << report.file << ":\n";
            cli::print_lines(std::cout, run_verdict(report));
        }
    }
    return flushed_out("the figures") ? kDone : kFailed;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Past a file size limit a write fails with a reason and a non-zero
    // status, instead of the signal ending the run without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const cli::Parsed parsed = cli::parse_arguments(args);
    if (!parsed.error.empty()) return refuse(parsed.error);
    if (parsed.arguments.help) {
        errno = 0;
        std::cout << cli::help_text();
        return flushed_out("the help") ? kDone : kFailed;
    }
    try {
        return run(parsed.arguments);
    } catch (const std::exception& error) {
        std::cerr << "quorvel-lab: " << shown_lines(error.what()) << '\n';
        return kFailed;
    }
}
