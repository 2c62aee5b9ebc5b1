// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/lab_settings.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "game/game.hpp"
#include "lab/lab_csv.hpp"
#include "predict/matrix.hpp"

namespace quorvel {
namespace {

struct Taken {
    std::string name;
    std::string value;
    std::string written;  // how setting_texts writes it back
};

TEST(LabSettingsText, TakesTheWindowsTextsAndWritesThemBack) {
    const std::vector<Taken> cases{
        {"mode", "PARADOX 4.1", "PARADOX 4.1"},
        {"mode", "CHAINS 4.1", "CHAINS 4.1"},
        {"type", "2", "2"},
        {"sectors", "Only Columns", "Only Columns"},
        {"system", "D-Donald (Softer)", "D-Donald (Softer)"},
        {"base-bet", "1000000", "1000000"},
        {"bankroll", "1", "1"},
        {"safe-level", "20", "20"},
        {"auto-reset", "off", "off"},
        {"aim", "equal", "equal"},
        {"aim", "units:80", "units:80"},
        {"minimal-profit", "off", "off"},
        {"wins", "2 Wins ADD to bet: 5", "2 Wins ADD to bet: 5"},
        {"wins", "3 Wins In A Row SET bet to:1", "3 Wins In A Row SET bet to: 1"},
        {"wins", " 1  Wins   DO NOTHING ", "1 Wins DO NOTHING"},
        {"losses", "4 Losses In A Row Check WINS", "4 Losses In A Row Check WINS"},
        {"losses", "2 Losses MULTIPLY bet by: 2", "2 Losses MULTIPLY bet by: 2"},
        {"n-count", "10", "10"},
        {"seed", "0", "0"},
        {"seconds-per-spin", "0", "0"},
    };
    for (const Taken& c : cases) {
        LabSettings settings;
        EXPECT_EQ(set_setting(settings, c.name, c.value), "") << c.name << " " << c.value;
        bool found = false;
        for (const auto& [name, text] : setting_texts(settings)) {
            if (name != c.name) continue;
            found = true;
            EXPECT_EQ(text, c.written) << c.name;
        }
        EXPECT_TRUE(found) << c.name;
    }
}

TEST(LabSettingsText, TheDefaultsAreTheWindowsStartValues) {
    const LabSettings settings;
    // A lab run is the session of a player who brought the bankroll and no
    // more; the window lends, as it always did.
    LabSettings window = settings_of(Game{});
    EXPECT_EQ(window.at_ruin, AtRuinRule::PlayOn);
    window.at_ruin = AtRuinRule::Stop;
    EXPECT_EQ(window, settings);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"mode", "DEEP SCAN 4.1"},
        {"type", "1"},
        {"system", "Blind"},
        {"sectors", "Dozens & Columns"},
        {"safe-level", "0"},
        {"n-count", "10"},
        {"base-bet", "1"},
        {"bankroll", "5000"},
        {"auto-reset", "on"},
        {"minimal-profit", "on"},
        {"table-min", "none"},
        {"table-max", "none"},
        {"at-max", "cap"},
        {"stop-loss", "off"},
        {"take-profit", "off"},
        {"max-spins", "off"},
        {"at-ruin", "stop"},
        {"aim", "any"},
        {"wins", "1 Wins DO NOTHING"},
        {"losses", "1 Losses ADD to bet: 1"},
        {"seed", std::to_string(kDefaultLabSeed)},
        {"seconds-per-spin", "40"},
    };
    EXPECT_EQ(setting_texts(settings), expected);
}

struct Refused {
    std::string name;
    std::string value;
    std::string error;
};

TEST(LabSettingsText, RefusesAnythingElseAndListsTheValidValues) {
    const std::vector<Refused> cases{
        {"mode", "deep scan 4.1",
         "'deep scan 4.1' is not a game mode; the choices are \"SMART 2024\", \"DEEP SCAN 4.1\", "
         "\"ADAPTIVE 4.1\", \"PARADOX 4.1\", \"CHAINS 4.1\""},
        {"type", "3", "'3' is not a betting type; the choices are \"1\", \"2\""},
        {"system", "Martingale",
         "'Martingale' is not a betting system; the choices are \"Classic\", \"D-Donald\", "
         "\"D-Donald (Softer)\", \"Blind\", \"Blind (Softer)\", \"CUSTOM\""},
        {"base-bet", "0", "'0' is not a base bet: give a whole number from 1 to 1000000"},
        {"base-bet", "-5", "'-5' is not a base bet: give a whole number from 1 to 1000000"},
        {"base-bet", "2.5", "'2.5' is not a base bet: give a whole number from 1 to 1000000"},
        {"bankroll", "", "'' is not a bankroll: give a whole number from 1 to 1000000"},
        {"safe-level", "21", "'21' is not a safe level: give a whole number from 0 to 20"},
        {"n-count", "9", "'9' is not an N. Count: give a whole number from 10 to 1000"},
        {"auto-reset", "yes", "'yes' is not a switch: give on or off"},
        {"aim", "units:0",
         "'units:0' is not a profit aim: give any, equal or units:N with N from 1 to 100000"},
        {"seconds-per-spin", "99999999999999999999",
         "'99999999999999999999' is not a number of seconds: give a whole number from 0 to "
         "86400"},
        {"colour", "red", "there is no setting 'colour'"},
    };
    for (const Refused& c : cases) {
        LabSettings settings;
        EXPECT_EQ(set_setting(settings, c.name, c.value), c.error) << c.name;
        EXPECT_EQ(settings, LabSettings{}) << "a refused value changes nothing: " << c.name;
    }
    for (const char* rule :
         {"Wins ADD to bet: 5", "2 Wins ADD to bet:", "2 Wins ADD to bet: 0", "2 Wins DO NOTHING 4",
          "2 Losses ADD to bet: 1", "2 Wins Check WINS", "2 WinsADD to bet: 1"}) {
        LabSettings settings;
        const std::string error = set_setting(settings, "wins", rule);
        EXPECT_EQ(error.find('\'' + std::string(rule) + "' is not a wins rule"), 0u) << error;
        EXPECT_NE(error.find("\"Wins In A Row\""), std::string::npos);
        EXPECT_EQ(settings, LabSettings{});
    }
}

TEST(LabSettingsCheck, ASofterSystemHasNoDoubleTable) {
    LabSettings settings;
    settings.BettingType = BetType::Double;
    settings.BettingSystem = ProgressionSystem::BlindSofter;
    EXPECT_EQ(settings_error(settings),
              "system \"Blind (Softer)\" has no table for betting type \"2\"; with type \"2\" the "
              "systems are \"Classic\", \"D-Donald\", \"Blind\", \"CUSTOM\"");
    settings.BettingType = BetType::Single;
    EXPECT_EQ(settings_error(settings), "");
}

TEST(LabSettingsApply, AsAPlayerSetsThemBeforeTheFirstNumber) {
    LabSettings settings;
    settings.GameModes = GameMode::Adaptive;
    settings.BettingType = BetType::Double;
    settings.BettingSystem = ProgressionSystem::Classic;
    settings.Init_Bet = 5;
    settings.CSpinEdit1 = 800;
    settings.Safe_Level = 3;
    settings.profit_aim_rule = ProfitAimRule::SetUnits;
    settings.ProfitUnits = 70;
    settings.N_Count = 30;
    settings.Losses_HowMuch = 2;
    settings.Losses_Type = LossCount::LossesInARow;
    settings.Losses_Action = LossAction::Multiply;
    settings.Losses_ActionValue = 3;

    Game game;
    apply_settings(game, settings);
    EXPECT_EQ(game.Bankroll, 800);
    EXPECT_EQ(game.Max_Bank, 800);
    EXPECT_EQ(game.Profit_Aim, 870);
    EXPECT_EQ(game.Bet_Size, 5);
    EXPECT_EQ(game.Custom_Bet, 5);
    EXPECT_EQ(game.params.BettingSystem, ProgressionSystem::Classic);
    EXPECT_TRUE(game.table.SL_Field) << "the overlays show from the start";
    EXPECT_TRUE(matrix_created(game));
    EXPECT_EQ(game.matrix.AdaptiveList1.size(), static_cast<std::size_t>(Matrix_Length));
    EXPECT_EQ(game.params.N_Count, 30);

    LabSettings read_back = settings_of(game);
    EXPECT_EQ(read_back, settings);

    LabSettings equal;
    equal.profit_aim_rule = ProfitAimRule::OnEqual;
    Game other;
    apply_settings(other, equal);
    EXPECT_EQ(other.Profit_Aim, 5000) << "the aim rule is in force from the start";
    EXPECT_FALSE(other.table.SL_Field);
}

TEST(LabCsv, WritesLedgerAndRunsAndQuotes) {
    std::ostringstream ledger;
    LedgerRow bet{6, 36, SectorSet{Sector::D2, Sector::D3}, 4, true, true, 5003};
    LedgerRow none{1, 0, {}, 0, false, false, 5000};
    LedgerRow virtual_bet{7, 0, SectorSet{Sector::C1}, 1, false, false, 5003};
    const std::vector<LedgerRow> rows{none, bet, virtual_bet};
    write_ledger_csv(ledger, rows);
    EXPECT_EQ(ledger.str(),
              "spin,number,sectors,stake,bet,result,bankroll_after\n"
              "1,0,,,,,5000\n"
              "6,36,D2 D3,4,real,won,5003\n"
              "7,0,C1,1,virtual,lost,5003\n");

    std::ostringstream runs;
    RunReport report = report_of("DC 14 Feb 2026, IR301 (137).txt", LabSettings{}, RunFigures{});
    report.figures.wagered = 100;
    report.figures.expected_loss = 100.0 / 37.0;
    report.figures.stopped_at = 4;
    report.figures.stop_reason = StopReason::TakeProfit;
    write_runs_csv(runs, std::vector<RunReport>{report});
    // Every figure of the table under its key; what a run without
    // predictions or a comparison lacks is an empty cell.
    EXPECT_EQ(runs.str(),
              "file,mode,type,sectors,system,base_bet,spins,bets,wins,losses,virtual_bets,"
              "wagered,paid,adjustments,final_bankroll,net,max_bank,min_bankroll,ran_out_at,"
              "stopped_at,stop_reason,max_drawdown,longest_losing_streak,largest_stake,"
              "expected_loss,expected_final,predictions,predictions_won,"
              "hit_rate,chance_hit_rate,hit_rate_low,hit_rate_high,hit_rate_p,adjusted_p,beats_chance,"
              "chance_sessions,chance_seed,chance_final_p5,chance_final_p25,chance_final_p50,"
              "chance_final_p75,chance_final_p95,chance_final_mean,chance_expected_final,"
              "chance_ahead,chance_ran_out,chance_stop_loss,chance_take_profit,chance_as_good,"
              "row_as_good\n"
              "\"DC 14 Feb 2026, IR301 (137).txt\",DEEP SCAN 4.1,1,Dozens & Columns,Blind,1,"
              "0,0,0,0,0,100,0,0,0,-100,0,0,,4,\"take-profit\",0,0,0,2.7027027027027,0,0,0,,"
              "0.324324324324324,,,,,false,0,1767225600,,,,,,,,,,,,,\n");
    EXPECT_EQ(csv_field("say \"hi\""), "\"say \"\"hi\"\"\"");
}

}  // namespace
}  // namespace quorvel
