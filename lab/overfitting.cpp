// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/overfitting.hpp"

#include <bit>
#include <cmath>

#include "lab/batch.hpp"
#include "lab/fair_grids.hpp"
#include "lab/runner.hpp"

namespace quorvel {

namespace {

double standing(const BlockTally& tally, double chance) {
    if (tally.predictions == 0) return 0;
    const double n = static_cast<double>(tally.predictions);
    return (static_cast<double>(tally.won) - n * chance) / std::sqrt(n * chance * (1 - chance));
}

}  // namespace

std::size_t block_of(std::size_t spin, std::size_t spins, std::size_t blocks) {
    // The last block whose first spin is at or before this one.
    std::size_t block = spin * blocks / spins;
    while (block + 1 < blocks && (block + 1) * spins / blocks <= spin)
        ++block;
    while (block > 0 && block * spins / blocks > spin)
        --block;
    return block;
}

Overfitting overfitting_of(std::span<const BlockTally> tallies, std::span<const double> chance,
                           std::size_t blocks) {
    Overfitting result;
    result.blocks = blocks;
    result.streams = chance.size();
    const std::size_t streams = chance.size();
    if (streams == 0 || blocks == 0 || blocks % 2 != 0 || blocks > 30) return result;
    std::size_t overfit = 0;
    std::vector<BlockTally> chosen_on(streams);
    std::vector<BlockTally> judged_on(streams);
    for (std::uint32_t mask = 0; mask < (1u << blocks); ++mask) {
        if (static_cast<std::size_t>(std::popcount(mask)) != blocks / 2) continue;
        for (std::size_t s = 0; s < streams; ++s) {
            chosen_on[s] = {};
            judged_on[s] = {};
            for (std::size_t j = 0; j < blocks; ++j) {
                const BlockTally& tally = tallies[s * blocks + j];
                BlockTally& half = (mask >> j) & 1u ? chosen_on[s] : judged_on[s];
                half.predictions += tally.predictions;
                half.won += tally.won;
            }
        }
        std::size_t best = 0;
        for (std::size_t s = 1; s < streams; ++s) {
            if (standing(chosen_on[s], chance[s]) > standing(chosen_on[best], chance[best]))
                best = s;
        }
        const double mine = standing(judged_on[best], chance[best]);
        double rank = 1;
        for (std::size_t s = 0; s < streams; ++s) {
            if (s == best) continue;
            const double theirs = standing(judged_on[s], chance[s]);
            if (theirs < mine) rank += 1;
            if (theirs == mine) rank += 0.5;
        }
        const double relative = rank / static_cast<double>(streams + 1);
        if (std::log(relative / (1 - relative)) <= 0) ++overfit;
        ++result.splits;
    }
    result.pbo =
        result.splits > 0 ? static_cast<double>(overfit) / static_cast<double>(result.splits) : 0;
    return result;
}

std::size_t overfitting_spins_needed(std::size_t streams) {
    return kOverfittingBlocks * streams;
}

Overfitting grid_overfitting(std::span<const std::uint8_t> spins, std::span<const LabSettings> grid,
                             unsigned threads) {
    const std::vector<std::size_t> streams = streams_of(grid);
    std::vector<std::size_t> firsts;
    for (std::size_t row = 0; row < streams.size(); ++row) {
        if (streams[row] == firsts.size()) firsts.push_back(row);
    }
    const std::size_t blocks = kOverfittingBlocks;
    std::vector<BlockTally> tallies(firsts.size() * blocks);
    std::vector<double> chance(firsts.size());
    for_each_index(firsts.size(), threads, [&](std::size_t s) {
        LabSettings advice = grid[firsts[s]];
        advice.at_ruin = AtRuinRule::PlayOn;
        advice.stop_loss.reset();
        advice.take_profit.reset();
        if (advice.at_max == AtMaxRule::Stop) advice.at_max = AtMaxRule::Cap;
        RunOptions run;
        run.prediction = [&](std::size_t spin, bool won) {
            BlockTally& tally = tallies[s * blocks + block_of(spin, spins.size(), blocks)];
            tally.predictions += 1;
            tally.won += won ? 1 : 0;
        };
        const RunFigures figures = run_spins(spins, advice, run).figures;
        chance[s] = 12.0 * figures.prediction_sectors / 37.0;
    });
    return overfitting_of(tallies, chance, blocks);
}

}  // namespace quorvel
