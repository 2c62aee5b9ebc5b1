// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/paradox.hpp"

#include <gtest/gtest.h>

#include "case_names.hpp"
#include "draw_helpers.hpp"
#include "game/game.hpp"

namespace quorvel {
namespace {

// The pick R is (x mod 3) + 1 for the first value x after a seed.
constexpr std::uint32_t kPick1 = 0;
constexpr std::uint32_t kPick2 = 1;
constexpr std::uint32_t kPick3 = 2;

Game paradox_game(int number, std::vector<std::uint32_t> draws) {
    Game game;
    game.CurrentNum = number;
    game.random = testing::fixed_draws(std::move(draws));
    game.Bet_Size = 2;
    return game;
}

struct ExampleCase {
    int number;
    std::uint32_t x;
    SectorSet one_sector;
    SectorSet two_sectors;
};

class ParadoxExamples : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(ParadoxExamples, BetAwayFromTheNumberAndThePick) {
    const ExampleCase& c = GetParam();
    Game one = paradox_game(c.number, {c.x});
    Paradox_Dozens(one);
    EXPECT_EQ(one.table.chips, c.one_sector);
    EXPECT_EQ(one.Bankroll, c.one_sector.empty() ? 5000 : 4998);

    Game two = paradox_game(c.number, {c.x});
    Paradox_Dozens2(two);
    EXPECT_EQ(two.table.chips, c.two_sectors);
    EXPECT_EQ(two.Bankroll, c.two_sectors.empty() ? 5000 : 4996);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Dozens, ParadoxExamples,
    ::testing::Values(ExampleCase{5, kPick2, {Sector::D3}, {Sector::D3, Sector::D2}},
                      ExampleCase{20, kPick2, {}, {}},
                      ExampleCase{30, kPick1, {Sector::D2}, {Sector::D2, Sector::D1}},
                      ExampleCase{0, kPick1, {}, {}}, ExampleCase{0, kPick3, {}, {}}),
    [](const auto& info) {
        return "Number" + std::to_string(info.param.number) + "_Pick" +
               std::to_string(info.param.x + 1);
    });
// clang-format on

struct MarkCase {
    const char* name;
    void (*operation)(Game&);
    int number;
    std::vector<std::uint32_t> draws;
    SectorSet marks;
    SectorSet bet;
    int bet_sector;
};

class ParadoxMarks : public ::testing::TestWithParam<MarkCase> {};

TEST_P(ParadoxMarks, MarkOnlyWhatTheTrendsAllowAndRecordTheSector) {
    const MarkCase& c = GetParam();
    Game game = paradox_game(c.number, c.draws);
    game.table.trend_marks = c.marks;
    c.operation(game);
    EXPECT_EQ(game.table.chips, c.bet);
    EXPECT_EQ(game.Bet_Sector, c.bet_sector);
    EXPECT_EQ(game.Bankroll, 5000 - 2 * game.table.chips.size());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    TrendMarks, ParadoxMarks,
    ::testing::Values(
        MarkCase{"UnmarkedBetStaysOffTheTable", Paradox_Dozens, 5, {kPick3}, {Sector::D1}, {}, 2},
        MarkCase{"OtherMarkKeepsTheBetOff", Paradox_Dozens, 15, {kPick3}, {Sector::D2}, {}, 1},
        MarkCase{"MarkedBetIsPlaced", Paradox_Dozens, 15, {kPick3}, {Sector::D1, Sector::D3},
                 {Sector::D1}, 1},
        MarkCase{"FullFamilyPlacesNothing", Paradox_Dozens, 5, {kPick2},
                 {Sector::D1, Sector::D2, Sector::D3}, {}, 3},
        MarkCase{"OneMarkPairsWithTheLowerOnEven", Paradox_Dozens2, 15, {kPick1, 0},
                 {Sector::D3}, {Sector::D3, Sector::D1}, 3},
        MarkCase{"OneMarkPairsWithTheHigherOnOdd", Paradox_Dozens2, 15, {kPick1, 1},
                 {Sector::D3}, {Sector::D3, Sector::D2}, 3},
        MarkCase{"OneMarkIsRecordedInsteadOfTheBet", Paradox_Dozens2, 15, {kPick1, 1},
                 {Sector::D1}, {Sector::D1, Sector::D3}, 1},
        MarkCase{"TwoMarksAreThePair", Paradox_Dozens2, 30, {kPick1}, {Sector::D1, Sector::D3},
                 {Sector::D1, Sector::D3}, 2},
        MarkCase{"FullFamilyPairsNothing", Paradox_Dozens2, 30, {kPick1},
                 {Sector::D1, Sector::D2, Sector::D3}, {}, 2},
        MarkCase{"PickOnTheNumberStopsEvenAMarkedPair", Paradox_Dozens2, 15, {kPick2, 1},
                 {Sector::D3}, {}, 0},
        MarkCase{"ColumnsUseTheDozenOfTheNumber", Paradox_Columns, 36, {kPick1}, {},
                 {Sector::C2}, 5},
        MarkCase{"ColumnsRecordTheBetEvenWhenAMarkKeepsItOff", Paradox_Columns, 36, {kPick1},
                 {Sector::C1}, {}, 5},
        MarkCase{"ColumnsWithPickTwo", Paradox_Columns, 5, {kPick2}, {}, {Sector::C3}, 6}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ParadoxMarks, AVirtualBetIsMarkedButNotCharged) {
    Game game = paradox_game(5, {kPick2});
    game.table.SL_Field = true;
    Paradox_Dozens2(game);
    EXPECT_EQ(game.table.chips, (SectorSet{Sector::D2, Sector::D3}));
    EXPECT_EQ(game.Bankroll, 5000);
}

struct EntryCase {
    SectorChoice choice;
    BetType type;
    int number;
    std::uint32_t x;
    SectorSet bet;
};

class PredictionParadox : public ::testing::TestWithParam<EntryCase> {};

// Within one second the coin and the pick come from the same value x.
TEST_P(PredictionParadox, TheCoinAndTheSettingsChooseTheOperation) {
    const EntryCase& c = GetParam();
    Game game = paradox_game(c.number, {c.x});
    game.params.BettingSectors = c.choice;
    game.params.BettingType = c.type;
    Prediction_Paradox(game);
    EXPECT_EQ(game.table.chips, c.bet);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Entry, PredictionParadox,
    ::testing::Values(
        // x = 1: coin 1 (columns), pick 2.
        EntryCase{SectorChoice::DozensAndColumns, BetType::Double, 5, 1, {Sector::C2, Sector::C3}},
        EntryCase{SectorChoice::DozensAndColumns, BetType::Single, 5, 1, {Sector::C3}},
        // x = 0: coin 0 (dozens), pick 1.
        EntryCase{SectorChoice::DozensAndColumns, BetType::Single, 30, 0, {Sector::D2}},
        EntryCase{SectorChoice::OnlyDozens, BetType::Single, 5, 1, {Sector::D3}},
        EntryCase{SectorChoice::OnlyColumns, BetType::Double, 30, 0, {Sector::C1, Sector::C2}}),
    [](const auto& info) {
        return testing::case_name(info.param.choice) + "_" + testing::case_name(info.param.type) +
               "_Number" + std::to_string(info.param.number);
    });
// clang-format on

// In different seconds the entry and the operation draw from different seeds.
TEST(PredictionParadox, EachRunReseedsFromTheClock) {
    Game game;
    game.CurrentNum = 5;
    game.random = RandomSource(testing::ticking_clock(1000),
                               testing::scripted_generator({{1000, {1}}, {1001, {kPick3}}}));
    Prediction_Paradox(game);
    EXPECT_EQ(game.table.chips, SectorSet{Sector::C2});  // columns; pick 3 leaves C2
}

}  // namespace
}  // namespace quorvel
