// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/session_log.hpp"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "case_names.hpp"
#include "lab/lab_settings.hpp"
#include "lab/load_spins.hpp"
#include "lab/runner.hpp"
#include "lab/series_outline.hpp"
#include "play/session.hpp"

namespace quorvel {
namespace {

// A game whose draws depend on nothing but the spins: a clock that stands still.
Game fixed_game(GameMode mode) {
    Game game;
    game.params.GameModes = mode;
    game.random = RandomSource([] { return std::int64_t{1'700'000'000}; }, {});
    return game;
}

std::vector<std::uint8_t> session_spins() {
    std::vector<std::uint8_t> spins;
    std::uint32_t x = 12345;
    for (int i = 0; i < 300; ++i) {
        x = x * 1103515245u + 12345u;
        spins.push_back(static_cast<std::uint8_t>((x >> 16) % 37));
    }
    return spins;
}

TEST(SessionLog, KeepsTheBankrollShownAfterEverySpinAndTakesAnUndoBack) {
    Game game;
    SessionLog log;
    log.follow(game);
    std::vector<std::int64_t> shown{game.Bankroll};
    for (const std::uint8_t number : session_spins()) {
        enter_number(game, number);
        log.follow(game);
        end_analysis_pause(game);
        EXPECT_TRUE(log.follow(game) || log.bankroll().back() == game.Bankroll);
        shown.push_back(game.Bankroll);
    }
    ASSERT_EQ(log.spins(), session_spins().size());
    EXPECT_EQ(std::vector<std::int64_t>(log.bankroll().begin(), log.bankroll().end()), shown);
    EXPECT_NE(shown.front(), shown.back()) << "the session must move the bankroll";

    Undo(game);
    EXPECT_TRUE(log.follow(game));
    EXPECT_EQ(log.spins(), shown.size() - 2);
    EXPECT_EQ(log.bankroll().back(), game.Bankroll);
    EXPECT_FALSE(log.follow(game)) << "nothing changed since";
}

// The session in the window, spin by spin with the pause in between, counts
// exactly what the lab's runner counts for the same spins and settings.
class SessionFigures : public ::testing::TestWithParam<GameMode> {};

TEST_P(SessionFigures, AreTheRunnersFiguresAndAnUndoTakesTheLastSpinOut) {
    LabSettings settings;
    settings.GameModes = GetParam();
    settings.Safe_Level = 2;
    std::int64_t now = settings.seed;
    Game game;
    game.random = RandomSource([&now] { return now; }, {});
    apply_settings(game, settings);
    SessionLog log;
    log.follow(game);

    const std::vector<std::uint8_t> spins = session_spins();
    for (const std::uint8_t number : spins) {
        enter_number(game, number);
        log.follow(game);
        end_analysis_pause(game);
        log.follow(game);
        now += settings.seconds_per_spin;
    }
    RunOptions options;
    options.keep_series = true;
    const RunResult run = run_spins(spins, settings, options);
    EXPECT_GT(run.figures.bets, 0);
    EXPECT_EQ(log.figures(game), run.figures);
    EXPECT_EQ(std::vector<std::int64_t>(log.bankroll().begin(), log.bankroll().end()),
              run.bankroll_series);

    Undo(game);
    log.follow(game);
    // The books are those of the spins before it; the bet on the table is the
    // one the undo shows (an undo leaves the safe-level overlays as they are,
    // so it may now be a virtual bet).
    const std::span<const std::uint8_t> all_but_last(spins.data(), spins.size() - 1);
    RunFigures expected = run_spins(all_but_last, settings).figures;
    expected.final_bankroll = game.Bankroll + stake_on_table(game);
    EXPECT_EQ(log.figures(game), expected);
}

INSTANTIATE_TEST_SUITE_P(EveryMode, SessionFigures,
                         ::testing::Values(GameMode::DeepScan, GameMode::Smart2024,
                                           GameMode::Adaptive, GameMode::Paradox, GameMode::Chains),
                         testing::CaseName());

TEST(SessionLog, StartPointFollowsTheStartingBankrollUntilTheFirstNumber) {
    Game game;
    SessionLog log;
    game.Bankroll = 800;
    EXPECT_TRUE(log.follow(game));
    ASSERT_EQ(log.bankroll().size(), 1u);
    EXPECT_EQ(log.bankroll().front(), 800);
}

class LoadSpins : public ::testing::TestWithParam<GameMode> {};

TEST_P(LoadSpins, EndsExactlyAsTheSameNumbersClickedOneByOne) {
    const std::vector<std::uint8_t> spins = session_spins();
    Game clicked = fixed_game(GetParam());
    SessionLog clicked_log;
    // A number still in its analysis pause when the load starts.
    enter_number(clicked, 5);
    Game loaded = clicked;
    SessionLog loaded_log = clicked_log;
    end_analysis_pause(clicked);
    clicked_log.follow(clicked);
    for (const std::uint8_t number : spins) {
        enter_number(clicked, number);
        clicked_log.follow(clicked);
        end_analysis_pause(clicked);
        clicked_log.follow(clicked);
    }

    std::size_t last_progress = 0;
    const std::size_t played =
        load_spins(loaded, loaded_log, spins, nullptr, [&](std::size_t done) {
            EXPECT_GE(done, last_progress);
            last_progress = done;
        });
    EXPECT_EQ(played, spins.size());
    EXPECT_EQ(last_progress, spins.size());
    EXPECT_EQ(loaded.NumbersList, clicked.NumbersList);
    EXPECT_EQ(loaded.Bankroll, clicked.Bankroll);
    EXPECT_EQ(loaded.Max_Bank, clicked.Max_Bank);
    EXPECT_EQ(loaded.Bet_Size, clicked.Bet_Size);
    EXPECT_EQ(loaded.table.chips, clicked.table.chips);
    EXPECT_EQ(loaded.table.undo_offered, clicked.table.undo_offered);
    EXPECT_TRUE(loaded.table.undo_offered);
    EXPECT_FALSE(analysis_running(loaded));
    EXPECT_EQ(
        std::vector<std::int64_t>(loaded_log.bankroll().begin(), loaded_log.bankroll().end()),
        std::vector<std::int64_t>(clicked_log.bankroll().begin(), clicked_log.bankroll().end()));
}

INSTANTIATE_TEST_SUITE_P(EveryMode, LoadSpins,
                         ::testing::Values(GameMode::DeepScan, GameMode::Smart2024,
                                           GameMode::Paradox, GameMode::Chains),
                         testing::CaseName());

TEST(LoadSpinsCancel, StopsAtTheNextBatch) {
    Game game;
    SessionLog log;
    const std::atomic<bool> cancel{true};
    EXPECT_EQ(load_spins(game, log, session_spins(), &cancel), 0u);
    EXPECT_TRUE(game.NumbersList.empty());
}

TEST(SeriesOutline, KeepsEveryPeakAndTroughWithinItsBudget) {
    std::vector<std::int64_t> series(100'000);
    for (std::size_t i = 0; i < series.size(); ++i)
        series[i] = static_cast<std::int64_t>(i % 100);
    series[31'337] = -5'000;
    series[77'777] = 9'000;
    const std::vector<SeriesPoint> outline = outline_of(series, 1'000);
    ASSERT_LE(outline.size(), 1'000u);
    EXPECT_EQ(outline.front().index, 0u);
    EXPECT_EQ(outline.back().index, series.size() - 1);
    bool trough = false;
    bool peak = false;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        EXPECT_EQ(outline[i].value, series[outline[i].index]);
        if (i > 0) EXPECT_LT(outline[i - 1].index, outline[i].index);
        trough = trough || outline[i].index == 31'337;
        peak = peak || outline[i].index == 77'777;
    }
    EXPECT_TRUE(trough);
    EXPECT_TRUE(peak);
}

TEST(SeriesOutline, ThePeakOutlineIsTheRunningPeakAtEveryPointItKeeps) {
    std::vector<std::int64_t> series(50'001);
    std::uint32_t x = 99;
    std::int64_t value = 0;
    for (std::int64_t& point : series) {
        x = x * 1664525u + 1013904223u;
        value += static_cast<std::int64_t>(x >> 28) - 7;
        point = value;
    }
    const std::vector<std::int64_t> peaks = running_peak(series);
    for (const std::size_t budget : {std::size_t{300}, std::size_t{60'000}}) {
        const std::vector<SeriesPoint> outline = running_peak_outline(series, budget);
        ASSERT_LE(outline.size(), std::min(budget, series.size()));
        EXPECT_EQ(outline.front().index, 0u);
        EXPECT_EQ(outline.back().index, series.size() - 1);
        for (std::size_t i = 0; i < outline.size(); ++i) {
            EXPECT_EQ(outline[i].value, peaks[outline[i].index]);
            if (i > 0) EXPECT_LT(outline[i - 1].index, outline[i].index);
        }
    }
    EXPECT_TRUE(running_peak_outline({}, 300).empty());
}

TEST(SeriesOutline, AShortSeriesComesBackWholeAndThePeakOnlyRises) {
    const std::vector<std::int64_t> series{5, 3, 8, 2, 9};
    EXPECT_EQ(outline_of(series, 100).size(), series.size());
    EXPECT_EQ(running_peak(series), (std::vector<std::int64_t>{5, 5, 8, 8, 9}));
    EXPECT_TRUE(running_peak({}).empty());
}

}  // namespace
}  // namespace quorvel
