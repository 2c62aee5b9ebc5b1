// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/fair_grids.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "lab/grid.hpp"
#include "lab/random_spins.hpp"
#include "lab/runner.hpp"
#include "lab/spin_file.hpp"
#include "real_spins.hpp"

namespace quorvel {
namespace {

// What a row bet on each spin and whether it won: its picks, whatever it staked.
std::vector<std::tuple<std::int64_t, SectorSet, bool>> picks_of(std::span<const std::uint8_t> spins,
                                                                const LabSettings& settings) {
    RunOptions options;
    options.keep_ledger = true;
    std::vector<std::tuple<std::int64_t, SectorSet, bool>> picks;
    for (const LedgerRow& row : run_spins(spins, settings, options).ledger) {
        if (!row.sectors.empty()) picks.emplace_back(row.spin, row.sectors, row.won);
    }
    return picks;
}

// How many streams have a row whose picks differ from the stream's first row.
std::size_t streams_whose_rows_differ(std::span<const std::uint8_t> spins, const LabSettings& base) {
    const std::vector<LabSettings> grid = grid_of(base);
    const std::vector<std::size_t> streams = streams_of(grid);
    std::vector<std::vector<std::tuple<std::int64_t, SectorSet, bool>>> first;
    std::set<std::size_t> differ;
    for (std::size_t row = 0; row < grid.size(); ++row) {
        auto picks = picks_of(spins, grid[row]);
        if (streams[row] == first.size()) {
            first.push_back(std::move(picks));
        } else if (picks != first[streams[row]]) {
            differ.insert(streams[row]);
        }
    }
    return differ.size();
}

TEST(FairGridStreams, ThirtyStreamsOfFiveOrFourSystems) {
    const std::vector<LabSettings> grid = grid_of(LabSettings{});
    const std::vector<std::size_t> streams = streams_of(grid);
    ASSERT_EQ(streams.size(), grid_size());
    EXPECT_EQ(*std::max_element(streams.begin(), streams.end()) + 1, 30u);
    for (std::size_t row = 0; row < grid.size(); ++row) {
        const LabSettings& first = grid[std::find(streams.begin(), streams.end(), streams[row]) -
                                        streams.begin()];
        EXPECT_EQ(std::tie(grid[row].GameModes, grid[row].BettingType, grid[row].BettingSectors),
                  std::tie(first.GameModes, first.BettingType, first.BettingSectors));
    }
}

// The systems move the stakes, not the picks, for as long as the session
// lasts: with no rule of the table that can end it, every row of a stream
// bets the same sectors on the same spins; a rule that ends sessions ends
// the rows at different spins, and the shortcut must not be taken.
struct RulesCase {
    const char* name;
    std::function<void(LabSettings&)> set;
    bool shared;
};

class PicksAcrossSystems : public ::testing::TestWithParam<RulesCase> {};

TEST_P(PicksAcrossSystems, SharedExactlyWhenNoRuleEndsTheSession) {
    const RulesCase& c = GetParam();
    LabSettings base;
    base.at_ruin = AtRuinRule::PlayOn;
    c.set(base);
    EXPECT_EQ(picks_shared_by_systems(base), c.shared);
    std::vector<std::vector<std::uint8_t>> files{random_spins(1500, 11), random_spins(1500, 12)};
    if (const auto dir = testing::real_spins_dir(); !dir.empty()) {
        const SpinFile real = read_spin_file((dir / "Genting 1 May 26 a autom (594).txt").string());
        ASSERT_TRUE(real.ok()) << real.error;
        files.push_back(real.spins);
    }
    std::size_t differing = 0;
    for (const auto& spins : files)
        differing += streams_whose_rows_differ(spins, base);
    if (c.shared) {
        EXPECT_EQ(differing, 0u);
    } else {
        EXPECT_GT(differing, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    TableRules, PicksAcrossSystems,
    ::testing::Values(RulesCase{"PlayOn", [](LabSettings&) {}, true},
                      RulesCase{"MaxSpins", [](LabSettings& s) { s.max_spins = 700; }, true},
                      RulesCase{"TableMaxCapped",
                                [](LabSettings& s) {
                                    s.table_max = 8;
                                    s.at_max = AtMaxRule::Cap;
                                },
                                true},
                      RulesCase{"TableMaxReset",
                                [](LabSettings& s) {
                                    s.table_max = 8;
                                    s.at_max = AtMaxRule::Reset;
                                },
                                true},
                      RulesCase{"StopAtRuin",
                                [](LabSettings& s) {
                                    s.at_ruin = AtRuinRule::Stop;
                                    s.CSpinEdit1 = 200;
                                },
                                false},
                      RulesCase{"StopLoss", [](LabSettings& s) { s.stop_loss = 4980; }, false},
                      RulesCase{"TakeProfit", [](LabSettings& s) { s.take_profit = 5020; }, false},
                      RulesCase{"StopAtTableMax",
                                [](LabSettings& s) {
                                    s.table_max = 8;
                                    s.at_max = AtMaxRule::Stop;
                                },
                                false}),
    [](const ::testing::TestParamInfo<RulesCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvel
