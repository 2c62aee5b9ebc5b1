// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "lab/run_figures.hpp"
#include "lab/run_report.hpp"

namespace quorvel {

// A table's evenings pooled. Each file is played as a session of its own,
// from a fresh game with its own start and clock, and the sessions are then
// added up as one.
//
// The sums are exact: the predictions and those won, the bets and the money
// (wagered, paid, the final bankrolls, each file starting from its own
// bankroll). The hit-rate test on the sums is exact too, for every
// prediction is made before its spin and wins 12 x sectors / 37 of the time
// on a fair wheel, whichever file it is in: the won are binomial over the
// pooled predictions.
//
// The figures of one session's course have no sum: the pool keeps the
// largest (max bank, drawdown, losing streak, stake) and the lowest bankroll
// any file showed. ran_out_at is the spin of the pool, counted over the
// files in turn, after which the first file ran out; no rule of the table
// ends a pool, so it has no stopped_at.

// The figures of files played one after another, in that order.
RunFigures pooled_figures(std::span<const RunFigures> files);

// The name a pool goes by in tables and titles: "38 files pooled".
std::string pool_name(std::size_t files);

// The report of the pool of these runs, one a file, all with the same
// settings: the pooled figures and the hit rate on their sums.
RunReport pooled_report(std::span<const RunReport> files);

// The pool's verdict: the files pooled and their spins, which files ran out
// or were ended by a rule, then the hit rate and the comparison with chance
// as a run's verdict gives them.
std::vector<std::string> pool_verdict(const RunReport& pool, std::span<const RunReport> files);

// The pool's bankroll after every spin, the files played in turn: the files
// done at their final bankroll, the one in play as shown after each spin,
// those to come at their start, which is where a fair pool's bands stand
// too. `series[f]` is file f's bankroll from its start (as a run keeps it)
// and `lengths[f]` its spins; a file a rule ended keeps its last bankroll to
// its last spin, as the player left the table with it. Point 0 is the
// pool's start, and the series has a point for every spin of the files.
std::vector<std::int64_t> pooled_series(std::span<const std::vector<std::int64_t>> series,
                                        std::span<const RunFigures> files,
                                        std::span<const std::size_t> lengths, std::int64_t start);

// "a, b and c": the names of the files pooled, for a title.
std::string listed_names(std::span<const std::string> names);

}  // namespace quorvel
