// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/pool.hpp"

#include <algorithm>

#include "lab/figure_table.hpp"
#include "lab/session_log.hpp"
#include "lab/verdict.hpp"
#include "money/saturating.hpp"

namespace quorvel {

RunFigures pooled_figures(std::span<const RunFigures> files) {
    RunFigures pool;
    if (files.empty()) return pool;
    pool.min_bankroll = files.front().min_bankroll;
    pool.max_bank = files.front().max_bank;
    pool.prediction_sectors = files.front().prediction_sectors;
    for (const RunFigures& f : files) {
        if (f.ran_out_at != 0 && pool.ran_out_at == 0) pool.ran_out_at = pool.spins + f.ran_out_at;
        pool.spins += f.spins;
        pool.bets += f.bets;
        pool.wins += f.wins;
        pool.losses += f.losses;
        pool.virtual_bets += f.virtual_bets;
        pool.wagered = saturating_add(pool.wagered, f.wagered);
        pool.paid = saturating_add(pool.paid, f.paid);
        pool.adjustments = saturating_add(pool.adjustments, f.adjustments);
        pool.final_bankroll = saturating_add(pool.final_bankroll, f.final_bankroll);
        pool.max_bank = std::max(pool.max_bank, f.max_bank);
        pool.min_bankroll = std::min(pool.min_bankroll, f.min_bankroll);
        pool.max_drawdown = std::max(pool.max_drawdown, f.max_drawdown);
        pool.longest_losing_streak = std::max(pool.longest_losing_streak, f.longest_losing_streak);
        pool.largest_stake = std::max(pool.largest_stake, f.largest_stake);
        pool.expected_loss += f.expected_loss;
        pool.expected_final += f.expected_final;
        pool.predictions += f.predictions;
        pool.predictions_won += f.predictions_won;
    }
    return pool;
}

std::string pool_name(std::size_t files) {
    return std::to_string(files) + (files == 1 ? " file pooled" : " files pooled");
}

RunReport pooled_report(std::span<const RunReport> files) {
    std::vector<RunFigures> figures;
    figures.reserve(files.size());
    for (const RunReport& file : files)
        figures.push_back(file.figures);
    const LabSettings settings = files.empty() ? LabSettings{} : files.front().settings;
    return report_of(pool_name(files.size()), settings, pooled_figures(figures));
}

std::vector<std::string> pool_verdict(const RunReport& pool, std::span<const RunReport> files) {
    std::vector<std::string> lines;
    const std::int64_t start = value_or_least(pool.settings.CSpinEdit1, kCSpinEdit1Range);
    const auto count = static_cast<std::int64_t>(files.size());
    const std::int64_t net = net_of(pool.figures);
    lines.push_back(pool.file + ": " + grouped(pool.figures.spins) +
                    " spins, each file a session of its own from a bankroll of " + grouped(start) +
                    " (" + grouped(start * count) + " in all); together they " +
                    (net >= 0 ? "won " : "lost ") + grouped(net >= 0 ? net : -net) + ".");
    std::int64_t ran_out = 0, stop_loss = 0, take_profit = 0, other_stop = 0;
    for (const RunReport& file : files) {
        const RunFigures& f = file.figures;
        ran_out += f.ran_out_at != 0 ? 1 : 0;
        stop_loss += f.stop_reason == StopReason::StopLoss ? 1 : 0;
        take_profit += f.stop_reason == StopReason::TakeProfit ? 1 : 0;
        other_stop +=
            f.stop_reason == StopReason::MaxSpins || f.stop_reason == StopReason::TableMaximum ? 1
                                                                                               : 0;
    }
    const auto of_files = [count](std::int64_t part) {
        return grouped(part) + " of the " + grouped(count) + " files";
    };
    if (ran_out > 0) {
        lines.push_back(of_files(ran_out) + " ran out of money, the first at spin " +
                        grouped(pool.figures.ran_out_at) +
                        " of the pool: the player could not have played them all through.");
    }
    if (stop_loss + take_profit + other_stop > 0) {
        std::string line = "Rules of the table ended ";
        std::vector<std::string> parts;
        if (stop_loss > 0) parts.push_back(of_files(stop_loss) + " at the stop-loss");
        if (take_profit > 0) parts.push_back(of_files(take_profit) + " at the take-profit");
        if (other_stop > 0) parts.push_back(of_files(other_stop) + " at a limit");
        lines.push_back(line + listed_names(parts) + " before their last spin.");
    }
    // What a run's verdict says of the hit rate and of chance; the ruins and
    // the stops of the files are said above.
    RunReport rest = pool;
    rest.figures.ran_out_at = 0;
    rest.figures.stopped_at = 0;
    rest.figures.stop_reason = StopReason::None;
    for (std::string& line : run_verdict(rest))
        lines.push_back(std::move(line));
    return lines;
}

std::vector<std::int64_t> pooled_series(std::span<const std::vector<std::int64_t>> series,
                                        std::span<const RunFigures> files,
                                        std::span<const std::size_t> lengths, std::int64_t start) {
    std::vector<std::int64_t> pool;
    std::int64_t done = 0;
    const std::size_t count = std::min({series.size(), files.size(), lengths.size()});
    for (std::size_t f = 0; f < count; ++f) {
        const std::int64_t later = static_cast<std::int64_t>(count - 1 - f) * start;
        const std::vector<std::int64_t>& own = series[f];
        for (std::size_t j = f == 0 ? 0 : 1; j <= lengths[f]; ++j) {
            const std::int64_t shown = own.empty() ? start : own[std::min(j, own.size() - 1)];
            pool.push_back(saturating_add(done + later, shown));
        }
        done = saturating_add(done, files[f].final_bankroll);
    }
    return pool;
}

std::string listed_names(std::span<const std::string> names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
        text += names[i];
    }
    return text;
}

}  // namespace quorvel
