// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/lab_csv.hpp"

#include <cstdio>
#include <ostream>

#include "lab/figure_table.hpp"

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

}  // namespace

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
    for (const Figure& figure : figure_table())
        out << ',' << figure.key;
    out << '\n';
    for (const RunReport& run : runs) {
        const LabSettings& s = run.settings;
        out << csv_field(run.file) << ',' << csv_field(text_of(s.GameModes)) << ','
            << csv_field(text_of(s.BettingType)) << ',' << csv_field(text_of(s.BettingSectors)) << ','
            << csv_field(text_of(s.BettingSystem)) << ',' << value_or_least(s.Init_Bet, kInit_BetRange);
        // A figure without a value (JSON's null) is an empty cell.
        for (const Figure& figure : figure_table()) {
            const std::string value = data_text(figure, run);
            out << ',' << (value == "null" ? std::string() : value);
        }
        out << '\n';
    }
}

}  // namespace quorvel
