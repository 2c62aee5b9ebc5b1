#include "lab/lab_csv.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

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
        out << csv_field(run.file) << ',' << csv_field(text_of(s.mode)) << ','
            << csv_field(text_of(s.type)) << ',' << csv_field(text_of(s.sectors)) << ','
            << csv_field(text_of(s.system)) << ',' << s.base_bet;
        // A figure without a value (JSON's null) is an empty cell.
        for (const Figure& figure : figure_table()) {
            const std::string value = data_text(figure, run);
            out << ',' << (value == "null" ? std::string() : value);
        }
        out << '\n';
    }
}

std::string save_file(const std::string& path, const std::function<void(std::ostream&)>& write) {
    namespace fs = std::filesystem;
    const auto failed = [&path](const std::string& reason) {
        return path + ": cannot write (" + reason + ")";
    };
    std::error_code ignored;
    // A pipe or a device (/dev/stdout, a shell's process substitution) has no
    // earlier contents to keep and cannot be replaced by a file: it is written
    // straight through.
    const fs::file_status target = fs::status(path, ignored);
    if (fs::exists(target) && !fs::is_regular_file(target)) {
        std::ofstream out(path, std::ios::binary);
        if (!out) return failed(std::strerror(errno));
        write(out);
        out.flush();
        if (!out) return failed(std::strerror(errno));
        return {};
    }
    // A link stays a link: the file it points to is the one replaced.
    std::string destination = path;
    if (fs::is_symlink(fs::symlink_status(path, ignored))) {
        const fs::path resolved = fs::weakly_canonical(path, ignored);
        if (!resolved.empty()) destination = resolved.string();
    }
    // The new file is written beside the old one, so that the rename that
    // puts it in place stays on one file system.
    std::random_device entropy;
    const std::string temporary = destination + ".tmp-" + std::to_string(entropy());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return failed(std::strerror(errno));
        write(out);
        out.flush();
        if (!out) {
            const std::string reason = std::strerror(errno);
            out.close();
            std::remove(temporary.c_str());
            return failed(reason);
        }
    }
    if (std::rename(temporary.c_str(), destination.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        return failed(reason);
    }
    return {};
}

}  // namespace quorvel
