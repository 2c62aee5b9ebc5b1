// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "lab/lab_settings.hpp"
#include "lab/run_report.hpp"

namespace quorvel {

// The probability of backtest overfitting, by combinatorially symmetric
// cross-validation: the spins cut into S blocks; for every choice of half
// the blocks, the stream with the best hit rate on that half is ranked among
// all streams on the other half, rank 1 the worst. The choice overfits where
// logit(rank / (streams + 1)) <= 0, the bottom half; the probability is the
// share of the choices that did.
//
// Streams bet one or two dozens or columns, so "best" is the hit rate's
// standing against chance, (won - predictions x c) / sqrt(predictions x c x
// (1 - c)), which sets single and double bets on one scale; a stream with no
// prediction in a half stands at 0 there. Equal standings share their ranks.

inline constexpr std::size_t kOverfittingBlocks = 16;

// The predictions of one stream settled in one block, and those won.
struct BlockTally {
    std::int64_t predictions = 0;
    std::int64_t won = 0;
};

// tallies[s x blocks + j] is stream s in block j; chance[s] its rate of
// chance alone. `blocks` is even and at most 30.
Overfitting overfitting_of(std::span<const BlockTally> tallies, std::span<const double> chance,
                           std::size_t blocks);

// The block of spin `spin` of `spins` cut into `blocks`: block j holds the
// spins from floor(j x spins / blocks) on.
std::size_t block_of(std::size_t spin, std::size_t spins, std::size_t blocks);

// The grid's prediction streams on the spins, each played by its first row
// with no rule of the table ending it (the advice, not the money), over
// kOverfittingBlocks blocks. Needs kOverfittingBlocks x streams spins.
Overfitting grid_overfitting(std::span<const std::uint8_t> spins, std::span<const LabSettings> grid,
                             unsigned threads = 0);

// The spins grid_overfitting needs for a grid of `streams` streams.
std::size_t overfitting_spins_needed(std::size_t streams);

}  // namespace quorvel
