// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lab/lab_settings.hpp"
#include "lab/run_report.hpp"
#include "lab/runner.hpp"

namespace quorvel {

// One line a spin: spin, number, sectors, stake, bet (real or virtual),
// result (won or lost), bankroll_after; the last three columns of a spin
// without a bet are empty but for the bankroll.
void write_ledger_csv(std::ostream& out, std::span<const LedgerRow> ledger);

// One line a run: file, mode, type, sectors, system, base_bet, then every
// figure of the figure table under its key (empty where JSON has null).
void write_runs_csv(std::ostream& out, std::span<const RunReport> runs);

// A CSV field: quoted when it holds a comma, a quote or a line end.
std::string csv_field(std::string_view text);

}  // namespace quorvel
