// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The session journal: replaying a long one, its size, and what recording
// one action costs the session (the writing of the line into the journal,
// without the window's write and flush to the disk).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>

#include "play/session.hpp"

namespace quorvel {
namespace {

constexpr std::size_t kActions = 100'000;

// A player's long evening in "PARADOX 4.1": numbers half a minute apart, each
// with the end of its pause, and now and then an undo, a trend mark or a new
// base bet, until the journal holds `actions` actions.
std::string long_journal(std::size_t actions) {
    std::int64_t now = 1767225600;
    Session session([&now] { return now; });
    session.set(SettingId::GameModes, GameMode::Paradox);
    std::mt19937 random(20261208);
    const auto pick = [&random](int n) {
        return std::uniform_int_distribution<int>(0, n - 1)(random);
    };
    while (session.actions() < actions) {
        now += 20 + pick(20);
        const int roll = pick(100);
        if (roll < 3) {
            session.undo();
        } else if (roll < 5) {
            const Sector sector = kAllSectors[static_cast<std::size_t>(pick(6))];
            if (!session.set_trend_mark(sector)) session.clear_trend_mark(sector);
        } else if (roll < 6) {
            session.set(SettingId::Init_Bet, 1 + pick(5));
        } else {
            int number = pick(37);
            while (!session.game().table.SpeedButton[static_cast<std::size_t>(number)])
                number = pick(37);
            session.enter_number(number);
            if (pick(2) == 0) now += 1;  // the pause ends in the next second
            session.end_analysis_pause();
        }
    }
    return session.journal();
}

void BM_ReplayJournal(benchmark::State& state) {
    const std::string journal = long_journal(kActions);
    for (auto _ : state) {
        const SessionReading reading = read_session(journal, "bench");
        if (!reading.ok()) state.SkipWithError(reading.error.c_str());
        benchmark::DoNotOptimize(reading.session->game().Bankroll);
    }
    state.counters["actions"] = static_cast<double>(kActions);
    state.counters["bytes"] = static_cast<double>(journal.size());
    state.counters["bytes_per_action"] = static_cast<double>(journal.size()) / kActions;
}
BENCHMARK(BM_ReplayJournal)->Unit(benchmark::kMillisecond);

// The long evening with ten blank lines after each line (10^6 blank lines
// among 10^5 actions), or the header followed by nothing but blank lines: a
// file made to make the reading slow must be read in time linear in its size.
std::string with_blank_lines(const std::string& journal, std::size_t blank_per_line) {
    std::string padded;
    padded.reserve(journal.size() * 2);
    const std::string blank(blank_per_line, '\n');
    for (std::size_t at = 0; at < journal.size();) {
        const std::size_t end = journal.find('\n', at);
        padded.append(journal, at, end - at + 1);
        padded += blank;
        at = end + 1;
    }
    return padded;
}

void read_padded(benchmark::State& state, const std::string& journal) {
    for (auto _ : state) {
        const SessionReading reading = read_session(journal, "bench");
        if (!reading.ok()) state.SkipWithError(reading.error.c_str());
        benchmark::DoNotOptimize(reading.session->game().Bankroll);
    }
    state.counters["bytes"] = static_cast<double>(journal.size());
}

void BM_ReplayJournalAmongBlankLines(benchmark::State& state) {
    read_padded(state, with_blank_lines(long_journal(kActions), 10));
}
BENCHMARK(BM_ReplayJournalAmongBlankLines)->Unit(benchmark::kMillisecond);

void BM_ReadBlankLines(benchmark::State& state) {
    const std::string header = long_journal(0);
    read_padded(state, header + std::string(static_cast<std::size_t>(state.range(0)), '\n'));
}
BENCHMARK(BM_ReadBlankLines)->Arg(10'000)->Arg(30'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// A box toggled through the session: the engine does nothing for it but
// store the choice, so this is the journal's own cost of an action.
void BM_RecordOneAction(benchmark::State& state) {
    std::int64_t now = 1767225600;
    Session session([&now] { return now; });
    bool on = false;
    for (auto _ : state) {
        ++now;
        on = !on;
        session.set(SettingId::ChBx_Show_Numbers_In_Game, on);
    }
    benchmark::DoNotOptimize(session.journal().size());
}
BENCHMARK(BM_RecordOneAction);

}  // namespace
}  // namespace quorvel
