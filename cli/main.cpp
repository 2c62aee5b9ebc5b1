// quorvel-lab: plays spin files through the engine and reports the figures.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.hpp"
#include "cli/progress_bar.hpp"
#include "cli/report.hpp"
#include "lab/batch.hpp"
#include "lab/grid.hpp"
#include "lab/random_spins.hpp"
#include "lab/save_file.hpp"
#include "lab/shown_text.hpp"
#include "lab/spin_file.hpp"

namespace {

using namespace quorvel;

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kRefused = 2;

// The name of "-" in the titles and messages.
constexpr const char* kStandardInput = "standard input";

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

struct Source {
    std::string name;
    std::vector<std::uint8_t> spins;
};

int run(const cli::Arguments& arguments) {
    // A ledger that cannot be written is found now, not after the run.
    if (!arguments.ledger.empty()) {
        const std::string error = check_save(arguments.ledger);
        if (!error.empty()) return refuse("--ledger: " + error);
    }
    std::vector<Source> sources;
    if (arguments.random) {
        sources.push_back(
            {"random spins (seed " + std::to_string(arguments.settings.seed) + ")",
             random_spins(*arguments.random, static_cast<std::uint64_t>(arguments.settings.seed))});
    }
    // Nothing runs when a file is refused, and the files after it are not read.
    for (const std::string& path : arguments.files) {
        const bool standard_input = path == "-";
        SpinFile file = standard_input ? read_spin_descriptor(STDIN_FILENO, kStandardInput)
                                       : read_spin_file(path);
        if (!file.ok()) {
            std::cerr << "quorvel-lab: " << file.error << '\n';
            return kRefused;
        }
        sources.push_back({standard_input ? kStandardInput : path, std::move(file.spins)});
    }

    // The tables are read on a terminal, so a file's name stands in them
    // masked as in the messages; the JSON is read by programs and keeps the
    // name whole, escaped as JSON escapes it.
    const auto listed_name = [&arguments](const std::string& name) {
        return arguments.json ? name : shown_text(name);
    };
    std::vector<RunJob> jobs;
    std::vector<RunReport> reports;
    for (const Source& source : sources) {
        const std::vector<LabSettings> settings =
            arguments.grid ? grid_of(arguments.settings)
                           : std::vector<LabSettings>{arguments.settings};
        for (const LabSettings& one : settings) {
            jobs.push_back({source.spins, one});
            reports.push_back({listed_name(source.name), one, {}});
        }
    }

    cli::ProgressBar bar(total_spins(jobs));
    std::vector<LedgerRow> ledger;
    if (!arguments.ledger.empty()) {
        // One run: the ledger keeps it spin by spin.
        RunOptions options;
        options.keep_ledger = true;
        options.progress = [&bar](std::size_t done) { bar.update(done); };
        RunResult result = run_spins(jobs.front().spins, jobs.front().settings, options);
        reports.front().figures = result.figures;
        ledger = std::move(result.ledger);
    } else {
        BatchOptions options;
        options.progress = [&bar](std::size_t done) { bar.update(done); };
        const std::vector<RunResult> results = run_batch(jobs, options);
        for (std::size_t i = 0; i < results.size(); ++i)
            reports[i].figures = results[i].figures;
    }
    bar.finish();

    if (!arguments.ledger.empty()) {
        const std::string error = save_file(
            arguments.ledger, [&ledger](std::ostream& out) { write_ledger_csv(out, ledger); });
        if (!error.empty()) {
            std::cerr << "quorvel-lab: --ledger: " << shown_text(error) << '\n';
            return kRefused;
        }
    }

    errno = 0;
    if (arguments.json) {
        for (const RunReport& report : reports)
            cli::print_json_line(std::cout, report);
    } else if (arguments.grid || sources.size() == 1) {
        // A table a spin source, each under its own title.
        const std::size_t per_source = reports.size() / sources.size();
        for (std::size_t s = 0; s < sources.size(); ++s) {
            if (s > 0) std::cout << '\n';
            cli::print_table(
                std::cout, {listed_name(sources[s].name), sources[s].spins.size(), arguments.grid},
                std::span(reports).subspan(s * per_source, per_source));
        }
    } else {
        cli::print_table(std::cout, {}, reports);
    }
    return flushed_out("the figures") ? kDone : kFailed;
}

}  // namespace

int main(int argc, char* argv[]) {
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
        std::cerr << "quorvel-lab: " << error.what() << '\n';
        return kFailed;
    }
}
