// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/chains.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "case_names.hpp"
#include "draw_helpers.hpp"
#include "game/game.hpp"
#include "game/history.hpp"
#include "play/undo.hpp"
#include "spin_helpers.hpp"

namespace quorvel {
namespace {

using testing::play;

struct ListCase {
    std::vector<int> history;
    std::vector<int> dozens;
    std::vector<int> columns;
};

class GetChainsListCase : public ::testing::TestWithParam<ListCase> {};

TEST_P(GetChainsListCase, AppendsTheLastFiveNumbersAgainOnEveryRun) {
    const ListCase& c = GetParam();
    Game game;
    game.NumbersListForChains = c.history;
    GetChainsList(game);
    EXPECT_EQ(game.ChainsList, c.dozens);
    EXPECT_EQ(game.ChainsListColumns, c.columns);

    GetChainsList(game);
    std::vector<int> twice = c.dozens;
    twice.insert(twice.end(), c.dozens.begin(), c.dozens.end());
    EXPECT_EQ(game.ChainsList, twice);
}

INSTANTIATE_TEST_SUITE_P(
    Histories, GetChainsListCase,
    ::testing::Values(ListCase{{7, 22, 31, 14, 2, 36}, {2, 3, 2, 1, 3}, {1, 1, 2, 2, 3}},
                      ListCase{{12, 13, 25}, {1, 2, 3}, {3, 1, 1}},
                      ListCase{{34, 35, 36}, {3, 3, 3}, {1, 2, 3}}, ListCase{{}, {}, {}}),
    [](const auto& info) { return "History_" + testing::case_name(info.param.history); });

// What a single chains bet left: its chip, the sector it names, and where the
// dozens' and the columns' toggles stand.
void expect_chains_bet(const Game& game, Sector sector, int dozens_toggle, int columns_toggle) {
    EXPECT_EQ(game.table.chips, SectorSet{sector});
    EXPECT_EQ(game.Bet_Sector, index_of(sector));
    EXPECT_EQ(game.Chains_Toggle_Dozens, dozens_toggle);
    EXPECT_EQ(game.Chains_Toggle_Columns, columns_toggle);
}

TEST(PredictionChains, AlternatesBetweenTheTwoOtherDozens) {
    Game game;
    game.ChainsList = {2, 3, 2, 1, 3};
    Prediction_Chains(game);
    expect_chains_bet(game, Sector::D1, 2, 1);
    EXPECT_EQ(game.Bankroll, 4999);

    game.table.chips.clear();
    Prediction_Chains(game);
    expect_chains_bet(game, Sector::D3, 1, 1);

    game.table.chips.clear();
    Prediction_Chains_Double(game);
    EXPECT_EQ(game.table.chips, (SectorSet{Sector::D1, Sector::D3}));
    EXPECT_EQ(game.Chains_Toggle_Dozens, 1);
    EXPECT_EQ(game.Bankroll, 4996);
}

TEST(PredictionChains, ReadsTheEntryFiveFromTheEnd) {
    Game game;
    game.ChainsListColumns = {3, 1, 1, 2, 2};  // exactly five: the first entry counts
    game.Chains_Toggle_Columns = 2;
    Prediction_Chains_Columns(game);
    expect_chains_bet(game, Sector::C2, 1, 1);

    game.table.chips.clear();
    Prediction_Chains_Double_Columns(game);
    EXPECT_EQ(game.table.chips, (SectorSet{Sector::C1, Sector::C2}));
}

TEST(PredictionChains, AShortChainMarksNothingChargesNothingButStillAlternates) {
    Game game;
    game.ChainsList = {1, 2, 3, 1};
    game.Bet_Sector = 6;
    Prediction_Chains(game);
    Prediction_Chains_Double(game);
    EXPECT_TRUE(game.table.chips.empty());
    EXPECT_EQ(game.Chains_Toggle_Dozens, 2);
    EXPECT_EQ(game.Bet_Sector, 6);
    EXPECT_EQ(game.Bankroll, 5000);
}

TEST(PredictionChains, VirtualBetsAreShownButNotCharged) {
    for (void (*operation)(Game&) : {Prediction_Chains, Prediction_Chains_Double,
                                     Prediction_Chains_Columns, Prediction_Chains_Double_Columns}) {
        Game game;
        game.ChainsList = {1, 1, 1, 1, 1};
        game.ChainsListColumns = {2, 2, 2, 2, 2};
        game.table.SL_Field = true;
        operation(game);
        EXPECT_FALSE(game.table.chips.empty());
        EXPECT_EQ(game.Bankroll, 5000);
    }
}

// The chains mode builds the chains itself; an undo takes back one entry of
// each chain and the alternator the undone spin moved.
TEST(ChainsMode, UndoRestoresTheAlternator) {
    Game game;
    game.params.GameModes = GameMode::Chains;
    game.params.BettingSectors = SectorChoice::OnlyDozens;
    play(game, {7, 22, 31, 14, 2});
    EXPECT_EQ(game.ChainsList, (std::vector<int>{1, 2, 3, 2, 1}));
    EXPECT_EQ(game.table.chips, SectorSet{Sector::D2});  // against the first entry
    EXPECT_EQ(game.Chains_Toggle_Dozens, 2);

    play(game, {36});
    EXPECT_EQ(game.Chains_Toggle_Dozens, 1);
    Undo(game);
    EXPECT_EQ(game.Chains_Toggle_Dozens, 2);
    EXPECT_EQ(game.ChainsList.size(), 9u);
}

TEST(ChainsMode, DozensAndColumnsDrawsTheFamily) {
    for (std::uint32_t draw : {0u, 1u}) {
        Game game;
        game.params.GameModes = GameMode::Chains;
        game.params.BettingType = BetType::Double;
        game.random = testing::fixed_draws({draw});
        play(game, {7, 22, 31, 14, 2});
        const SectorSet expected =
            draw == 0 ? SectorSet{Sector::D2, Sector::D3} : SectorSet{Sector::C2, Sector::C3};
        EXPECT_EQ(game.table.chips, expected) << "draw " << draw;
    }
}

// The chains keep only their ends. Against plain lists that keep everything,
// a long game of the chains mode with zeros and undos, during the pause and
// after it, must agree on every length and on every entry still kept, and so
// bet against the same entry.
TEST(ChainsMode, KeepsWhatAFullListWouldGiveUnderTheOneStepUndo) {
    for (const BetType type : {BetType::Single, BetType::Double}) {
        Game game;
        game.params.GameModes = GameMode::Chains;
        game.params.BettingType = type;
        std::vector<int> numbers;  // the numbers without zeros, every one
        std::vector<int> dozens;
        std::vector<int> columns;
        std::mt19937 random(7);
        std::uniform_int_distribution<int> wheel(-8, 36);  // about one in six is a zero
        std::bernoulli_distribution undo(0.3);

        const auto expect_same = [&](int step) {
            ASSERT_EQ(game.ChainsList.size(), dozens.size()) << "step " << step;
            ASSERT_EQ(game.ChainsListColumns.size(), columns.size()) << "step " << step;
            ASSERT_GE(game.ChainsList.kept(), std::min<std::size_t>(dozens.size(), 6));
            for (std::size_t i = dozens.size() - game.ChainsList.kept(); i < dozens.size(); ++i) {
                ASSERT_EQ(game.ChainsList[i], dozens[i]) << "step " << step << " entry " << i;
                ASSERT_EQ(game.ChainsListColumns[i], columns[i]) << "step " << step;
            }
        };
        const auto take_back = [&] {
            Undo(game);
            if (!dozens.empty()) dozens.pop_back();
            if (!columns.empty()) columns.pop_back();
        };

        for (int step = 0; step < 3000; ++step) {
            const int n = std::max(wheel(random), 0);
            const bool undo_offered = game.table.undo_offered;
            enter_number(game, n);
            if (n != 0) numbers.push_back(n);
            if (undo_offered && undo(random)) {
                take_back();  // during the pause: nothing predicted
            } else {
                end_analysis_pause(game);
                if (game.row.five_numbers_shown()) {
                    const std::size_t from =
                        numbers.size() - std::min<std::size_t>(numbers.size(), 5);
                    for (std::size_t i = from; i < numbers.size(); ++i) {
                        dozens.push_back(dozen_of(numbers[i]));
                        columns.push_back(column_of(numbers[i]));
                    }
                }
                if (game.table.undo_offered && undo(random)) take_back();
            }
            expect_same(step);
        }
        EXPECT_EQ(game.NumbersListForChains.size(), numbers.size());
    }
}

// The lists the chains read keep their ends in one word; what they keep must
// be what a plain list would show.
TEST(RecentList, KeepsTheLastEntriesAndCountsThemAll) {
    RecentList<6> list;
    std::vector<int> all;
    for (int i = 0; i < 1000; ++i) {
        list.push_back(i % 37);
        all.push_back(i % 37);
    }
    EXPECT_EQ(list.size(), 1000u);
    EXPECT_EQ(list.kept(), RecentList<6>::kCapacity);
    for (std::size_t i = 990; i < 1000; ++i)
        EXPECT_EQ(list[i], all[i]) << i;
    EXPECT_EQ(list[989], 0);  // no longer kept
    EXPECT_EQ(list.back(), all.back());

    list.pop_back();
    EXPECT_EQ(list.size(), 999u);
    EXPECT_EQ(list.kept(), RecentList<6>::kCapacity - 1);
    EXPECT_EQ(list[998], all[998]);
    EXPECT_EQ(list[989], 0);  // a step back brings back nothing forgotten
}

TEST(RecentList, AppendingPackedEntriesEqualsPushingThemOneByOne) {
    for (unsigned count : {0u, 1u, 5u, 8u}) {
        RecentList<8> pushed{3, 1, 4, 1, 5};
        RecentList<8> appended = pushed;
        std::uint64_t packed = 0;
        for (unsigned k = 0; k < count; ++k) {
            const int entry = static_cast<int>(10 + k);
            pushed.push_back(entry);
            packed = (packed << 8) | static_cast<std::uint64_t>(entry);
        }
        appended.append(packed, count);
        ASSERT_EQ(appended.size(), pushed.size()) << count;
        ASSERT_EQ(appended.kept(), pushed.kept()) << count;
        for (std::size_t i = pushed.size() - pushed.kept(); i < pushed.size(); ++i)
            EXPECT_EQ(appended[i], pushed[i]) << count << " entry " << i;
    }
}

}  // namespace
}  // namespace quorvel
