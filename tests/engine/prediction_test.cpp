// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/prediction.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "case_names.hpp"
#include "draw_helpers.hpp"
#include "game/game.hpp"
#include "play/spin_cycle.hpp"
#include "predict/chains.hpp"
#include "predict/deep_scan.hpp"
#include "predict/double_bet.hpp"
#include "predict/matrix.hpp"
#include "predict/paradox.hpp"
#include "predict/smart.hpp"
#include "spin_helpers.hpp"

namespace quorvel {
namespace {

using testing::play;

TEST(GameModes, ChainsIsTheFifthAndLastMode) {
    const auto items = items_of<GameMode>();
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items.back(), "CHAINS 4.1");
    EXPECT_EQ(item_at<GameMode>(4), GameMode::Chains);
    EXPECT_EQ(text_of(Game{}.params.GameModes), "DEEP SCAN 4.1");
}

TEST(SettlementGate, ChainsModeSettlesFromTheSixthSpin) {
    Game game;
    game.params.GameModes = GameMode::Chains;
    play(game, {1, 2, 3, 4});
    EXPECT_FALSE(settlement_due(game));
    play(game, {5});
    EXPECT_TRUE(settlement_due(game));
}

using ModeCase = std::tuple<GameMode, BetType, SectorChoice>;

class EveryMode : public ::testing::TestWithParam<ModeCase> {};

// Every mode but the adaptive one bets from the fifth number on: one sector
// or two of one family, within the sectors chosen, charged once.
TEST_P(EveryMode, BetsFromTheFifthNumberWithinTheChosenSectors) {
    const auto [mode, type, choice] = GetParam();
    Game game;
    game.params.GameModes = mode;
    game.params.BettingType = type;
    game.params.BettingSectors = choice;
    game.random = testing::fixed_draws({1, 0});  // Paradox: pick 2 against the 5 below

    play(game, {7, 20, 11, 33});
    EXPECT_TRUE(game.table.chips.empty());
    EXPECT_EQ(game.Bankroll, 5000);

    play(game, {5});
    const SectorSet chips = game.table.chips;
    const int sectors = type == BetType::Single ? 1 : 2;
    ASSERT_EQ(chips.size(), sectors);
    int dozens = 0;
    for (Sector s : kAllSectors)
        dozens += chips.contains(s) && is_dozen(s) ? 1 : 0;
    EXPECT_TRUE(dozens == 0 || dozens == sectors) << "two sectors of one family";
    if (choice == SectorChoice::OnlyDozens) EXPECT_EQ(dozens, sectors);
    if (choice == SectorChoice::OnlyColumns) EXPECT_EQ(dozens, 0);
    EXPECT_EQ(game.Bankroll, game.Bankroll_At_Prediction - sectors);

    play(game, {30});
    EXPECT_EQ(game.table.chips.size(), sectors);  // settled, and the next bet stands
}

INSTANTIATE_TEST_SUITE_P(
    Modes, EveryMode,
    ::testing::Combine(::testing::Values(GameMode::Smart2024, GameMode::DeepScan, GameMode::Paradox,
                                         GameMode::Chains),
                       ::testing::Values(BetType::Single, BetType::Double),
                       ::testing::Values(SectorChoice::DozensAndColumns, SectorChoice::OnlyDozens,
                                         SectorChoice::OnlyColumns)),
    testing::CaseName());

// Every predictor charges exactly for a bet on the table, and nothing while
// the safe level makes it virtual.
struct ChargeCase {
    const char* name;
    std::function<void(Game&)> run;
    int sectors;
};

class StakeCharge : public ::testing::TestWithParam<ChargeCase> {};

Game ready_to_predict() {
    Game game;
    game.random = testing::fixed_draws({1, 0});
    game.CurrentNum = 5;
    game.Bet_Size = 3;
    game.ChainsList = {1, 2, 3, 1, 2};
    game.ChainsListColumns = {3, 2, 1, 3, 2};
    game.matrix.AdaptiveList1 = {4, 2};
    game.matrix.Matrix_List = 1;
    return game;
}

TEST_P(StakeCharge, ChargesTheShownBetUnlessItIsVirtual) {
    Game game = ready_to_predict();
    GetParam().run(game);
    EXPECT_EQ(game.table.chips.size(), GetParam().sectors);
    EXPECT_EQ(game.Bankroll, 5000 - 3 * GetParam().sectors);

    Game virtual_bet = ready_to_predict();
    virtual_bet.table.SL_Field = true;
    GetParam().run(virtual_bet);
    EXPECT_EQ(virtual_bet.table.chips, game.table.chips);
    EXPECT_EQ(virtual_bet.Bankroll, 5000);
}

INSTANTIATE_TEST_SUITE_P(
    Predictors, StakeCharge,
    ::testing::Values(ChargeCase{"DeepScan", DeepScan_Prediction, 1},
                      ChargeCase{"DozCol", Prediction_DozCol, 1},
                      ChargeCase{"Double", Prediction_Double, 2},
                      ChargeCase{"Matrix", Prediction_Matrix, 1},
                      ChargeCase{"MatrixDouble", Prediction_Matrix_Double, 2},
                      ChargeCase{"ParadoxDozens", Paradox_Dozens, 1},
                      ChargeCase{"ParadoxColumns2", Paradox_Columns2, 2},
                      ChargeCase{"Chains", Prediction_Chains, 1},
                      ChargeCase{"ChainsColumns", Prediction_Chains_Columns, 1},
                      ChargeCase{"ChainsDouble", Prediction_Chains_Double, 2},
                      ChargeCase{"ChainsDoubleColumns", Prediction_Chains_Double_Columns, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Prediction, RecordsTheBankrollBeforeTheStake) {
    Game game;
    game.Bankroll = 4000;
    game.Profit_Aim = 6000;
    play(game, {7, 20, 0, 33, 5});
    EXPECT_EQ(game.Bankroll_At_Prediction, 4000);
    EXPECT_EQ(game.Bankroll, 3999);
}

}  // namespace
}  // namespace quorvel
