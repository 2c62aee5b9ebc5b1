#include "cli/report.hpp"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <vector>

namespace quorvel::cli {

namespace {

// Thousands grouped with commas: 707,492.
std::string grouped(std::int64_t value) {
    const bool negative = value < 0;
    std::string digits = std::to_string(value);
    if (negative) digits.erase(0, 1);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    if (negative) text.insert(text.begin(), '-');
    return text;
}

std::string signed_grouped(std::int64_t value) {
    std::string text = grouped(value);
    if (value > 0) text.insert(text.begin(), '+');
    return text;
}

std::string decimals(double value, int places) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    return buffer;
}

// Two decimals with the whole part grouped: 24,211,208.49.
std::string grouped_decimals(double value) {
    const std::string text = decimals(value, 2);
    const std::size_t point = text.find('.');
    return grouped(std::stoll(text.substr(0, point))) + text.substr(point);
}

std::string percent(std::int64_t part, std::int64_t whole) {
    if (whole == 0) return "-";
    return decimals(100.0 * static_cast<double>(part) / static_cast<double>(whole), 1);
}

std::string on_off(bool on) {
    return on ? "on" : "off";
}

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

void print_json_line(std::ostream& out, const RunReport& run) {
    const LabSettings& s = run.settings;
    out << "{\"file\": " << json_string(run.file) << ", \"mode\": " << json_string(text_of(s.mode))
        << ", \"type\": " << json_string(text_of(s.type))
        << ", \"sectors\": " << json_string(text_of(s.sectors))
        << ", \"system\": " << json_string(text_of(s.system)) << ", \"base_bet\": " << s.base_bet;
    for (const auto& [name, value] : figure_texts(run.figures)) {
        out << ", \"" << name << "\": " << value;
    }
    out << "}\n";
}

void print_table(std::ostream& out, const TableTitle& title, std::span<const RunReport> runs) {
    if (runs.empty()) return;
    const LabSettings& s = runs.front().settings;

    if (!title.file.empty()) {
        out << title.file << ": " << grouped(static_cast<std::int64_t>(title.spins)) << " spins";
        if (title.grid) out << ", " << runs.size() << " runs ranked by final bankroll";
        out << '\n';
    }
    out << "Bankroll " << s.bankroll << ", base bet " << s.base_bet << ", safe level "
        << s.safe_level << ", auto-reset " << on_off(s.auto_reset) << " (aim " << aim_text(s)
        << "), minimal profit " << on_off(s.minimal_profit) << '\n';
    const bool custom = std::any_of(runs.begin(), runs.end(), [](const RunReport& run) {
        return run.settings.system == ProgressionSystem::Custom;
    });
    const bool adaptive = std::any_of(runs.begin(), runs.end(), [](const RunReport& run) {
        return run.settings.mode == GameMode::Adaptive;
    });
    std::string details;
    if (custom) {
        details +=
            "CUSTOM after \"" + wins_text(s.wins) + "\" and \"" + losses_text(s.losses) + "\", ";
    }
    if (adaptive) details += "N. Count " + std::to_string(s.n_count) + ", ";
    out << details << "clock from " << s.seed << " s, " << s.seconds_per_spin << " s a spin\n\n";

    std::vector<std::size_t> order(runs.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    if (title.grid) {
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return runs[a].figures.final_bankroll > runs[b].figures.final_bankroll;
        });
    }
    const bool any_virtual = std::any_of(runs.begin(), runs.end(), [](const RunReport& run) {
        return run.figures.virtual_bets > 0;
    });

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
    add("Mode", true, [](const RunReport& run) { return std::string(text_of(run.settings.mode)); });
    add("Type", false,
        [](const RunReport& run) { return std::string(text_of(run.settings.type)); });
    add("Sectors", true,
        [](const RunReport& run) { return std::string(text_of(run.settings.sectors)); });
    add("System", true,
        [](const RunReport& run) { return std::string(text_of(run.settings.system)); });
    add("Bets", false, [](const RunReport& run) { return grouped(run.figures.bets); });
    add("Won %", false,
        [](const RunReport& run) { return percent(run.figures.wins, run.figures.bets); });
    if (any_virtual) {
        add("Virtual", false,
            [](const RunReport& run) { return grouped(run.figures.virtual_bets); });
    }
    add("Wagered", false, [](const RunReport& run) { return grouped(run.figures.wagered); });
    add("Paid", false, [](const RunReport& run) { return grouped(run.figures.paid); });
    add("Final", false, [](const RunReport& run) { return grouped(run.figures.final_bankroll); });
    add("Profit", false, [](const RunReport& run) {
        return signed_grouped(run.figures.final_bankroll - run.settings.bankroll);
    });
    add("Max bank", false, [](const RunReport& run) { return grouped(run.figures.max_bank); });
    add("Lowest", false, [](const RunReport& run) { return grouped(run.figures.min_bankroll); });
    add("Drawdown", false, [](const RunReport& run) { return grouped(run.figures.max_drawdown); });
    add("Lost run", false,
        [](const RunReport& run) { return grouped(run.figures.longest_losing_streak); });
    add("Top stake", false,
        [](const RunReport& run) { return grouped(run.figures.largest_stake); });
    add("Exp. loss", false,
        [](const RunReport& run) { return grouped_decimals(run.figures.expected_loss); });
    print_columns(out, columns);
    out << "\nFinal: the bankroll with the bet after the last spin handed back.\n"
           "Lowest, Drawdown: of the bankroll shown after each spin.\n"
           "Lost run: staked bets lost in a row. Exp. loss: the house edge, Wagered / 37.\n";
}

}  // namespace quorvel::cli
