// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/runner.hpp"

#include "game/game.hpp"
#include "lab/figure_tally.hpp"
#include "play/session.hpp"

namespace quorvel {

namespace {

// How often a run looks at the cancel flag and reports progress: often
// enough for a progress bar, rare enough to cost nothing.
constexpr std::size_t kReportEvery = 1 << 14;

// A run keeps only the game's recent numbers. The game's whole list would be
// a second copy of the spins, a byte a spin, and a run reads nothing of it
// but the last numbers: the rules keep their own counts, and a run shows no
// caption and undoes nothing. Cut a block at a time, so each number is moved
// once at most.
constexpr std::size_t kKeptNumbers = 1 << 12;

}  // namespace

RunResult run_spins(std::span<const std::uint8_t> spins, const LabSettings& settings,
                    const RunOptions& options) {
    RunResult result;
    // The clock reads `now`, which outlives the game below.
    std::int64_t now = settings.seed;
    Game game;
    game.random = RandomSource([&now] { return now; }, {});
    apply_settings(game, settings);

    FigureTally tally(game);
    if (options.keep_series) {
        result.bankroll_series.reserve(spins.size() + 1);
        result.bankroll_series.push_back(game.Bankroll);
    }
    if (options.keep_ledger) result.ledger.reserve(spins.size());
    std::size_t next_sample = 0;
    const auto sample = [&](std::size_t spin) {
        while (next_sample < options.sample_spins.size() &&
               options.sample_spins[next_sample] == spin) {
            options.samples[next_sample++] = game.Bankroll;
        }
    };
    sample(0);

    for (std::size_t i = 0; i < spins.size(); ++i) {
        if (i % kReportEvery == 0) {
            if (options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed)) {
                result.cancelled = true;
                break;
            }
            if (options.progress && i > 0) options.progress(i);
        }
        // The chips this spin settles are gone once the number is played.
        const SectorSet on_table = game.table.chips;
        play_number(game, spins[i]);
        if (game.NumbersList.size() >= 2 * kKeptNumbers) {
            game.NumbersList.erase(game.NumbersList.begin(),
                                   game.NumbersList.begin() + kKeptNumbers);
        }
        now += settings.seconds_per_spin;
        tally.take(game);
        if (options.prediction && game.last_settlement.settled)
            options.prediction(i, game.last_settlement.won);
        sample(i + 1);
        if (options.keep_series) result.bankroll_series.push_back(game.Bankroll);
        if (options.keep_ledger) {
            const SettlementRecord& record = game.last_settlement;
            LedgerRow row;
            row.spin = static_cast<std::int64_t>(i) + 1;
            row.number = spins[i];
            if (record.settled) {
                row.sectors = on_table;
                row.stake = record.stake;
                row.real = !record.virtual_bet;
                row.won = record.won;
            }
            row.bankroll_after = game.Bankroll;
            result.ledger.push_back(row);
        }
        // A rule of the table ended the session: the player leaves the table.
        if (game.stopped != StopReason::None) break;
    }
    // A session that ended keeps its bankroll at every later point sampled:
    // the player left the table with it.
    if (game.stopped != StopReason::None) {
        while (next_sample < options.sample_spins.size())
            options.samples[next_sample++] = game.Bankroll;
    }
    result.figures = tally.figures(game);
    if (options.progress && !result.cancelled) options.progress(spins.size());
    return result;
}

}  // namespace quorvel
