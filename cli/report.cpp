// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/report.hpp"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <vector>

#include "lab/figure_table.hpp"
#include "lab/grid.hpp"
#include "lab/pool.hpp"

namespace quorvel::cli {

namespace {

struct Column {
    std::string header;
    bool left;  // text columns align left, numbers right
    std::vector<std::string> cells;
};

void print_columns(std::ostream& out, const std::vector<Column>& columns) {
    std::vector<std::size_t> widths;
    for (const Column& column : columns) {
        std::size_t width = column.header.size();
        for (const std::string& cell : column.cells)
            width = std::max(width, cell.size());
        widths.push_back(width);
    }
    const auto line = [&](const auto& cell_of) {
        std::string text;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::string& cell = cell_of(columns[c]);
            const std::string pad(widths[c] - cell.size(), ' ');
            if (c > 0) text += "  ";
            text += columns[c].left ? cell + pad : pad + cell;
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out << text << '\n';
    };
    line([](const Column& column) -> const std::string& { return column.header; });
    const std::size_t rows = columns.empty() ? 0 : columns.front().cells.size();
    for (std::size_t r = 0; r < rows; ++r) {
        line([r](const Column& column) -> const std::string& { return column.cells[r]; });
    }
}

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0.
std::size_t utf8_length(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
    }
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F) ||
        (lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) > 0x8F)) {
        return 0;
    }
    return length;
}

}  // namespace

// A file name need not be UTF-8; a byte that is not stands as U+FFFD, so the
// line stays valid JSON.
std::string json_string(std::string_view text) {
    std::string json = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            json += escape;
        } else if (byte >= 0x80) {
            const std::size_t length = utf8_length(text.substr(i));
            if (length == 0) {
                json += "\\ufffd";
                ++i;
            } else {
                json.append(text.substr(i, length));
                i += length;
            }
            continue;
        } else {
            json += c;
        }
        ++i;
    }
    json += '"';
    return json;
}

namespace {

// ", \"pooled\": [\"a\", \"b\"]" for a pool's line, nothing for a file's.
std::string pooled_key(std::span<const std::string> pooled) {
    if (pooled.empty()) return {};
    std::string text = ", \"pooled\": [";
    for (std::size_t i = 0; i < pooled.size(); ++i)
        text += (i > 0 ? ", " : "") + json_string(pooled[i]);
    return text + "]";
}

}  // namespace

void print_json_line(std::ostream& out, const RunReport& run, std::span<const std::string> pooled) {
    const LabSettings& s = run.settings;
    out << "{\"file\": " << json_string(run.file) << pooled_key(pooled)
        << ", \"mode\": " << json_string(text_of(s.GameModes))
        << ", \"type\": " << json_string(text_of(s.BettingType))
        << ", \"sectors\": " << json_string(text_of(s.BettingSectors))
        << ", \"system\": " << json_string(text_of(s.BettingSystem))
        << ", \"base_bet\": " << value_or_least(s.Init_Bet, kInit_BetRange);
    for (const Figure& figure : figure_table())
        out << ", \"" << figure.key << "\": " << data_text(figure, run);
    out << "}\n";
}

namespace {

std::string json_number(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

}  // namespace

void print_grid_json_line(std::ostream& out, const GridSummary& grid,
                          std::span<const std::string> pooled) {
    const bool played = grid.chance && grid.chance->sessions > 0;
    const auto real_or_null = [](bool present, double value) {
        return present ? json_number(value) : std::string("null");
    };
    out << "{\"file\": " << json_string(grid.file) << pooled_key(pooled)
        << ", \"grid_runs\": " << grid.runs
        << ", \"holm_p\": " << real_or_null(grid.tested > 0, grid.holm_p)
        << ", \"minp_p\": " << real_or_null(grid.minp_p.has_value(), grid.minp_p.value_or(1))
        << ", \"minp_grids\": " << (grid.minp_p ? grid.minp_grids : 0)
        << ", \"beats_chance\": " << (grid.beats_chance() ? "true" : "false")
        << ", \"chance_grids\": " << (played ? grid.chance->sessions : 0)
        << ", \"chance_best_median\": "
        << real_or_null(played, played ? grid.chance->best_median : 0)
        << ", \"chance_best_as_good\": "
        << real_or_null(played, played ? grid.chance->best_as_good : 0)
        << ", \"best_row_as_good\": "
        << real_or_null(grid.best_row.has_value(), grid.best_row_as_good)
        << ", \"best_row_adjusted\": "
        << real_or_null(grid.best_row.has_value(), grid.best_row_adjusted)
        << ", \"pbo\": " << real_or_null(grid.pbo.has_value(), grid.pbo ? grid.pbo->pbo : 0);
    if (grid.holdout) {
        const RunReport& run = grid.holdout->run;
        const LabSettings& s = run.settings;
        out << ", \"holdout_spins\": " << grid.spins - grid.holdout->chosen_on
            << ", \"holdout_mode\": " << json_string(text_of(s.GameModes))
            << ", \"holdout_type\": " << json_string(text_of(s.BettingType))
            << ", \"holdout_sectors\": " << json_string(text_of(s.BettingSectors))
            << ", \"holdout_system\": " << json_string(text_of(s.BettingSystem))
            << ", \"holdout_predictions\": " << run.hit.predictions
            << ", \"holdout_predictions_won\": " << run.hit.won
            << ", \"holdout_hit_rate_p\": " << real_or_null(run.hit.any(), run.hit.p)
            << ", \"holdout_final\": " << run.figures.final_bankroll;
    }
    out << "}\n";
}

void print_wheel(std::ostream& out, const std::string& name, const WheelTest& test) {
    out << name << ": " << grouped(test.spins) << (test.spins == 1 ? " spin" : " spins")
        << ", the wheel test\n\n";
    std::vector<Column> columns{{"Test", true, {}},
                                {"Chi-square", false, {}},
                                {"df", false, {}},
                                {"p", false, {}},
                                {"What came", true, {}}};
    for (const WheelRow& row : wheel_rows(test)) {
        columns[0].cells.push_back(row.test);
        columns[1].cells.push_back(row.chi2);
        columns[2].cells.push_back(row.df);
        columns[3].cells.push_back(row.p);
        columns[4].cells.push_back(row.came);
    }
    print_columns(out, columns);
    out << '\n' << wheel_draws_note(test) << "\n\n";
    print_lines(out, wheel_verdict(test));
    out << wheel_power_line(test) << '\n';
}

void print_wheel_json_line(std::ostream& out, const std::string& file, const WheelTest& test,
                           std::span<const std::string> pooled) {
    const auto flag = [](bool on) { return on ? "true" : "false"; };
    out << "{\"file\": " << json_string(file) << pooled_key(pooled) << ", \"spins\": " << test.spins
        << ", \"pockets_chi2\": " << json_number(test.pockets_chi2)
        << ", \"pockets_p\": " << json_number(test.pockets_p)
        << ", \"hot_pocket\": " << test.hot_pocket
        << ", \"hot_pocket_count\": " << test.hot_pocket_count
        << ", \"hot_pocket_p\": " << json_number(test.hot_pocket_p)
        << ", \"dozens_chi2\": " << json_number(test.dozens_chi2)
        << ", \"dozens_p\": " << json_number(test.dozens_p)
        << ", \"columns_chi2\": " << json_number(test.columns_chi2)
        << ", \"columns_p\": " << json_number(test.columns_p) << ", \"best_arc\": " << test.best_arc
        << ", \"best_arc_count\": " << test.best_arc_count
        << ", \"best_arc_p\": " << json_number(test.best_arc_p)
        << ", \"serial_chi2\": " << json_number(test.serial_chi2)
        << ", \"serial_df\": " << test.serial_df << ", \"serial_p\": " << json_number(test.serial_p)
        << ", \"wheel_fair\": " << flag(test.wheel_fair)
        << ", \"pocket_ratio_found\": " << json_number(test.pocket_ratio_found)
        << ", \"spins_for_break_even\": " << test.spins_for_break_even
        << ", \"draws\": " << test.draws << ", \"seed\": " << test.seed
        << ", \"by_simulation\": " << flag(test.by_simulation) << "}\n";
}

void print_pooled_files(std::ostream& out, std::span<const std::string> names, std::size_t spins) {
    out << "Pooled: " << listed_names(names) << ", " << grouped(static_cast<std::int64_t>(spins))
        << " spins in all.\n";
}

void print_wheel_pool(std::ostream& out, std::span<const std::string> names,
                      std::span<const WheelTest> files, const WheelTest& pool) {
    std::vector<Column> columns{
        {"File", true, {}}, {"Spins", false, {}}, {"Smallest p", false, {}}, {"Fair", true, {}}};
    for (std::size_t f = 0; f < files.size(); ++f) {
        columns[0].cells.push_back(names[f]);
        columns[1].cells.push_back(grouped(files[f].spins));
        columns[2].cells.push_back(p_value_text(files[f].smallest_p()));
        columns[3].cells.push_back(files[f].wheel_fair ? "yes" : "no");
    }
    print_columns(out, columns);
    out << '\n';
    print_pooled_files(out, names, static_cast<std::size_t>(pool.spins));
    out << '\n';
    print_wheel(out, pool_name(files.size()), pool);
}

void print_lines(std::ostream& out, const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        out << line << '\n';
}

void print_table(std::ostream& out, const TableTitle& title, std::span<const RunReport> runs) {
    if (runs.empty()) return;
    const LabSettings& s = runs.front().settings;

    if (!title.file.empty()) {
        out << title.file << ": " << grouped(static_cast<std::int64_t>(title.spins)) << " spins";
        if (title.grid) out << ", " << runs.size() << " runs ranked by final bankroll";
        out << '\n';
    }
    const bool custom = std::any_of(runs.begin(), runs.end(), [](const RunReport& run) {
        return run.settings.BettingSystem == ProgressionSystem::Custom;
    });
    const bool adaptive = std::any_of(runs.begin(), runs.end(), [](const RunReport& run) {
        return run.settings.GameModes == GameMode::Adaptive;
    });
    // The settings every run shares, as the lab's options name them; the
    // mode, type, sectors and system stand in the table, the clock below.
    std::string details;
    for (const auto& [name, value] : setting_texts(s)) {
        if (name == "mode" || name == "type" || name == "sectors" || name == "system" ||
            name == "seed" || name == "seconds-per-spin")
            continue;
        if ((name == "wins" || name == "losses") && !custom) continue;
        if (name == "n-count" && !adaptive) continue;
        // The table's rules in force only: a limit or a stop rule that is
        // off says nothing, nor does the rule at a maximum there is not.
        if (value == "none" || value == "off") continue;
        if (name == "at-max" && !s.table_max) continue;
        details += (details.empty() ? "" : ", ") + name + ' ' + value;
    }
    out << details << '\n';
    out << "clock from " << s.seed << " s, " << s.seconds_per_spin << " s a spin\n\n";

    std::vector<std::size_t> order(runs.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    if (title.grid) order = ranked_rows(runs);
    std::vector<Column> columns;
    const auto add = [&](std::string header, bool left, auto cell_of) {
        Column column{std::move(header), left, {}};
        for (std::size_t i : order)
            column.cells.push_back(cell_of(runs[i]));
        columns.push_back(std::move(column));
    };
    if (title.grid) {
        Column rank{"#", false, {}};
        for (std::size_t r = 1; r <= order.size(); ++r)
            rank.cells.push_back(std::to_string(r));
        columns.push_back(std::move(rank));
    }
    if (title.file.empty()) {
        add("File", true, [](const RunReport& run) { return run.file; });
        add("Spins", false, [](const RunReport& run) { return grouped(run.figures.spins); });
    }
    add("Mode", true, [](const RunReport& run) { return std::string(text_of(run.settings.GameModes)); });
    add("Type", false,
        [](const RunReport& run) { return std::string(text_of(run.settings.BettingType)); });
    add("Sectors", true,
        [](const RunReport& run) { return std::string(text_of(run.settings.BettingSectors)); });
    add("System", true,
        [](const RunReport& run) { return std::string(text_of(run.settings.BettingSystem)); });
    for (const Figure& figure : figure_table()) {
        if (figure.heading.empty()) continue;
        if (figure.only_when_used &&
            std::none_of(runs.begin(), runs.end(), [&figure](const RunReport& run) {
                const FigureValue value = figure.value(run);
                return value.kind == FigureValue::Kind::Text ||
                       (value.present() && value.number() != 0);
            })) {
            continue;
        }
        add(std::string(figure.heading), false,
            [&figure](const RunReport& run) { return shown_figure(figure, run); });
    }
    print_columns(out, columns);
    out << "\nFinal: the bankroll with the bet after the last spin handed back.\n"
           "Lowest, Drawdown: of the bankroll shown after each spin.\n"
           "Lost run: staked bets lost in a row. Exp. loss: the house edge, Wagered / 37.\n"
           "Hit rate: predictions won, real and virtual. p: how often chance alone hits at "
           "least as often.\n";
    if (std::any_of(runs.begin(), runs.end(),
                    [](const RunReport& run) { return run.figures.stopped_at != 0; })) {
        out << "Ended, Ended by: the spin after which a rule of the table ended the run, and the "
               "rule.\n";
    }
    if (std::any_of(runs.begin(), runs.end(),
                    [](const RunReport& run) { return run.figures.ran_out_at != 0; })) {
        out << "Ran out: the spin after which the bankroll could not pay the next bet (playing "
               "on, fell below zero); such a run is a ruin, whatever its Final.\n";
    }
}

}  // namespace quorvel::cli
