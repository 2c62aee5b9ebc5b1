#include "lab/lab_csv.hpp"

#include <cstdio>
#include <ostream>

namespace quorvel {

namespace {

std::string sectors_text(SectorSet sectors) {
    std::string text;
    for (Sector sector : kAllSectors) {
        if (!sectors.contains(sector)) continue;
        if (!text.empty()) text += ' ';
        text += name_of(sector);
    }
    return text;
}

// Fifteen significant digits: what a double holds, without the noise of a
// seventeenth.
std::string exact_decimal(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

}  // namespace

std::vector<std::pair<std::string_view, std::string>> figure_texts(const RunFigures& f) {
    return {
        {"spins", std::to_string(f.spins)},
        {"bets", std::to_string(f.bets)},
        {"wins", std::to_string(f.wins)},
        {"losses", std::to_string(f.losses)},
        {"virtual_bets", std::to_string(f.virtual_bets)},
        {"wagered", std::to_string(f.wagered)},
        {"paid", std::to_string(f.paid)},
        {"final_bankroll", std::to_string(f.final_bankroll)},
        {"max_bank", std::to_string(f.max_bank)},
        {"min_bankroll", std::to_string(f.min_bankroll)},
        {"max_drawdown", std::to_string(f.max_drawdown)},
        {"longest_losing_streak", std::to_string(f.longest_losing_streak)},
        {"largest_stake", std::to_string(f.largest_stake)},
        {"expected_loss", exact_decimal(f.expected_loss)},
    };
}

std::string csv_field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string field = "\"";
    for (char c : text) {
        if (c == '"') field += '"';
        field += c;
    }
    return field + '"';
}

void write_ledger_csv(std::ostream& out, std::span<const LedgerRow> ledger) {
    out << "spin,number,sectors,stake,bet,result,bankroll_after\n";
    for (const LedgerRow& row : ledger) {
        out << row.spin << ',' << row.number << ',';
        if (row.sectors.empty()) {
            out << ",,,";
        } else {
            out << sectors_text(row.sectors) << ',' << row.stake << ','
                << (row.real ? "real" : "virtual") << ',' << (row.won ? "won" : "lost");
        }
        out << ',' << row.bankroll_after << '\n';
    }
}

void write_runs_csv(std::ostream& out, std::span<const RunReport> runs) {
    out << "file,mode,type,sectors,system,base_bet";
    for (const auto& [name, value] : figure_texts(RunFigures{})) {
        out << ',' << name;
    }
    out << '\n';
    for (const RunReport& run : runs) {
        const LabSettings& s = run.settings;
        out << csv_field(run.file) << ',' << csv_field(text_of(s.mode)) << ','
            << csv_field(text_of(s.type)) << ',' << csv_field(text_of(s.sectors)) << ','
            << csv_field(text_of(s.system)) << ',' << s.base_bet;
        for (const auto& [name, value] : figure_texts(run.figures)) {
            out << ',' << value;
        }
        out << '\n';
    }
}

}  // namespace quorvel
