#include "predict/chains.hpp"

#include <gtest/gtest.h>

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
                      ListCase{{34, 35, 36}, {3, 3, 3}, {1, 2, 3}}, ListCase{{}, {}, {}}));

TEST(PredictionChains, AlternatesBetweenTheTwoOtherDozens) {
    Game game;
    game.ChainsList = {2, 3, 2, 1, 3};
    Prediction_Chains(game);
    EXPECT_EQ(game.table.chips, SectorSet{Sector::D1});
    EXPECT_EQ(game.Bet_Sector, 1);
    EXPECT_EQ(game.Chains_Toggle_Dozens, 2);
    EXPECT_EQ(game.Bankroll, 4999);

    game.table.chips.clear();
    Prediction_Chains(game);
    EXPECT_EQ(game.table.chips, SectorSet{Sector::D3});
    EXPECT_EQ(game.Bet_Sector, 3);
    EXPECT_EQ(game.Chains_Toggle_Dozens, 1);
    EXPECT_EQ(game.Chains_Toggle_Columns, 1);

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
    EXPECT_EQ(game.table.chips, SectorSet{Sector::C2});
    EXPECT_EQ(game.Bet_Sector, 5);
    EXPECT_EQ(game.Chains_Toggle_Columns, 1);
    EXPECT_EQ(game.Chains_Toggle_Dozens, 1);

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

}  // namespace
}  // namespace quorvel
