// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The session journal: a replay of what a player did gives back the game
// exactly, and a journal that cannot be trusted is refused with its place.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "case_names.hpp"
#include "lab/session_log.hpp"
#include "play/journal_line.hpp"
#include "play/session.hpp"
#include "play/spin_cycle.hpp"
#include "predict/matrix.hpp"
#include "random_player.hpp"

namespace quorvel {
namespace {

using play_test::RandomPlayer;

// Empty when the games are equal field for field; otherwise the parts that differ.
std::string differences(const Game& a, const Game& b) {
    if (a == b) return {};
    std::string out;
    const auto part = [&out](const char* name, bool same) {
        if (!same) out += std::string(" ") + name + ';';
    };
    part("params", a.params == b.params);
    part("spin state (money, record)",
         static_cast<const SpinState&>(a) == static_cast<const SpinState&>(b));
    part("CurrentNum", a.CurrentNum == b.CurrentNum);
    part("NumbersList", a.NumbersList == b.NumbersList);
    part("chains", a.NumbersListForChains == b.NumbersListForChains &&
                       a.ChainsList == b.ChainsList && a.ChainsListColumns == b.ChainsListColumns);
    part("history row", a.row == b.row);
    part("table", a.table == b.table);
    part("pause", a.pause == b.pause);
    part("display", a.display == b.display);
    part("undo snapshot", a.saved == b.saved);
    part("deep scan", a.deep_scan == b.deep_scan);
    part("matrix", a.matrix == b.matrix);
    part("generator", a.random == b.random);
    part("flash", a.max_profit_flash == b.max_profit_flash);
    part("Bet_Sector, Undo_Counter, Matrix_Ready", a.Bet_Sector == b.Bet_Sector &&
                                                       a.Undo_Counter == b.Undo_Counter &&
                                                       a.Matrix_Ready == b.Matrix_Ready);
    part("last settlement", a.last_settlement == b.last_settlement);
    return out;
}

// The steps of the two timers between their start and their end are pictures
// the journal does not keep; a replay shows a pause or a flash at its start.
Game at_rest(Game game) {
    game.pause.CGauge1 = 0;
    game.max_profit_flash = {};
    return game;
}

std::string replay_differences(const Session& live) {
    const SessionReading reading = read_session(live.journal(), "live");
    if (!reading.ok()) return "refused: " + reading.error;
    if (reading.torn_line_dropped) return "a line was taken for torn";
    const std::string diff = differences(at_rest(live.game()), at_rest(reading.session->game()));
    if (!diff.empty()) return diff;
    if (reading.session->journal() != live.journal()) return "the journal was not kept as read";
    return {};
}

class ReplayInEveryMode : public ::testing::TestWithParam<GameMode> {};

TEST_P(ReplayInEveryMode, RandomPlayReplaysFieldForField) {
    for (std::uint32_t seed : {7u, 20261208u}) {
        RandomPlayer player(seed, GetParam());
        for (int i = 1; i <= 3000; ++i) {
            const auto failure = player.step();
            ASSERT_FALSE(failure) << *failure;
            if (i % 250 == 0) {
                const std::string diff = replay_differences(player.session());
                ASSERT_TRUE(diff.empty())
                    << "seed " << seed << " after action " << i << ":" << diff;
            }
        }
        EXPECT_GT(player.spins(), 150);
        EXPECT_GT(player.session().actions(), 1000u);
    }
}

INSTANTIATE_TEST_SUITE_P(Session, ReplayInEveryMode,
                         ::testing::Values(GameMode::Smart2024, GameMode::DeepScan,
                                           GameMode::Adaptive, GameMode::Paradox, GameMode::Chains),
                         [](const auto& info) { return testing::case_name(info.param); });

// The window ends the analysis pause by ticks of its timer, half a second in
// all, and the second may turn over between two ticks. The tick that ends the
// pause predicts the next bet, drawing in the modes that draw, so it must
// draw at the second its journal line records, or the session saved and
// opened again (or resumed after a crash) comes back with another bet and
// bankroll. Here the second turns over between any two ticks, so also before
// the last tick of every spin.
class PauseTicksInEveryMode : public ::testing::TestWithParam<GameMode> {};

TEST_P(PauseTicksInEveryMode, ASecondTurningOverBeforeTheLastTickReplaysTheSame) {
    std::int64_t now = 1'767'225'600;
    Session session([&now] { return now; });
    session.set(SettingId::GameModes, GetParam());
    session.set(SettingId::Init_Bet, 1);
    if (GetParam() == GameMode::Adaptive) session.set(SettingId::N_Count, 10);
    std::uint32_t state = 12345;
    int ticks = 0;
    for (int spin = 0; spin < 120; ++spin) {
        state = state * 1664525u + 1013904223u;
        ASSERT_TRUE(session.enter_number(static_cast<int>(state >> 8) % kNumberCount));
        while (analysis_running(session.game())) {
            ++now;
            session.tick_analysis_pause();
            ASSERT_LT(++ticks, 100 * 120) << "the pause never ends";
        }
        if (create_matrix_offered(session.game())) session.create_matrix();
        ASSERT_EQ(replay_differences(session), "") << "after spin " << spin + 1;
    }
    EXPECT_NE(session.game().books.result, 0) << "no bet was ever settled";
}

INSTANTIATE_TEST_SUITE_P(Session, PauseTicksInEveryMode,
                         ::testing::Values(GameMode::Smart2024, GameMode::DeepScan,
                                           GameMode::Adaptive, GameMode::Paradox, GameMode::Chains),
                         [](const auto& info) { return testing::case_name(info.param); });

// A short session of several kinds of action, at a clock the test sets.
Session sample_session(std::int64_t& now) {
    Session session([&now] { return now; });
    session.set(SettingId::GameModes, GameMode::Paradox);
    session.set(SettingId::CSpinEdit1, 1000);
    for (int n : {5, 17, 32, 0, 14, 25, 9, 36}) {
        now += 7;
        session.enter_number(n);
        now += 1;
        session.end_analysis_pause();
    }
    session.set_trend_mark(Sector::D2);
    session.undo();
    return session;
}

TEST(Session, JournalStartsWithItsHeaderAndNamesActionsInTheWindowsWords) {
    std::int64_t now = 1767225600;
    Session session = sample_session(now);
    const std::string& journal = session.journal();
    EXPECT_TRUE(
        journal.starts_with("{\"format\":\"quorvel-session\",\"version\":1,\"program\":\"Quorvel "))
        << journal;
    EXPECT_NE(journal.find("\"start\":1767225600}\n"), std::string::npos);
    EXPECT_NE(
        journal.find("{\"t\":1767225600,\"Mode\":\"PARADOX 4.1\"}\n{\"TEST BANK\":1000}\n"
                     "{\"t\":1767225607,\"number\":5}\n{\"t\":1767225608,\"pause end\":true}\n"),
        std::string::npos)
        << journal;
    EXPECT_TRUE(journal.ends_with("{\"trend mark\":\"D2\"}\n{\"undo\":true}\n")) << journal;
    EXPECT_EQ(session.actions(), 2u + 16u + 2u);
}

TEST(Session, ActionsTheWindowWouldNotOfferAreNeitherTakenNorRecorded) {
    Session session([] { return 100; });
    const std::string before = session.journal();
    EXPECT_FALSE(session.undo());                // nothing to take back
    EXPECT_FALSE(session.end_analysis_pause());  // no pause running
    EXPECT_FALSE(session.enter_number(37));
    EXPECT_FALSE(session.reset_matrix());               // no matrix yet
    EXPECT_TRUE(session.set(SettingId::GameModes, GameMode::DeepScan));  // unchanged: no action
    EXPECT_EQ(session.journal(), before);
    ASSERT_TRUE(session.set(SettingId::BettingType, BetType::Double));
    EXPECT_FALSE(session.set(SettingId::BettingSystem, ProgressionSystem::BlindSofter));  // no table for two
    EXPECT_EQ(session.actions(), 1u);
    ASSERT_TRUE(session.enter_number(3));
    EXPECT_FALSE(session.enter_number(4));  // the table is closed during the pause
}

TEST(Session, SetBankrollIsKeptApartFromWinningsAndSurvivesAnUndo) {
    std::int64_t now = 1767225600;
    Session session = sample_session(now);
    const Game& g = session.game();
    // A bet reset (as at the profit aim) withdraws the undo until the next spin.
    for (int n : {12, 30, 7, 19, 22, 4}) {
        if (g.table.undo_offered) break;
        now += 5;
        session.enter_number(n);
        session.end_analysis_pause();
    }
    ASSERT_TRUE(g.table.undo_offered);
    Session undone = session;
    undone.undo();
    const std::int64_t bankroll_before_spin = undone.game().Bankroll;

    const Game before = g;
    session.set(SettingId::CSpinEdit1, 8000);
    ASSERT_TRUE(session.set_bankroll());
    const std::int64_t delta = 8000 - before.Bankroll;
    EXPECT_EQ(g.Bankroll, 8000);
    EXPECT_EQ(g.books.adjustments, delta);
    EXPECT_EQ(g.books.result, before.books.result);  // the net stays the winnings
    EXPECT_EQ(g.Profit_Aim - g.Bankroll, before.Profit_Aim - before.Bankroll);
    EXPECT_EQ(g.display.Caption_Bankroll, 8000);

    ASSERT_TRUE(session.undo());
    EXPECT_EQ(g.Bankroll, bankroll_before_spin + delta);
    EXPECT_EQ(g.books.adjustments, delta);
    EXPECT_EQ(g.Bankroll, g.books.start + g.books.adjustments + g.books.result - g.books.on_table);
    EXPECT_NE(session.journal().find("{\"SET BANKROLL\":8000}\n"), std::string::npos);
    EXPECT_EQ(replay_differences(session), "");
}

TEST(Session, TheLabFiguresShowTopUpsApartAndStillBalance) {
    std::int64_t now = 1767225600;
    Session session([&now] { return now; });
    SessionLog log;
    log.follow(session.game());
    const auto spin = [&](int n) {
        now += 30;
        session.play_number(n);
        log.follow(session.game());
    };
    for (int n : {5, 17, 32, 1, 14, 25, 9})
        spin(n);
    session.set(SettingId::CSpinEdit1, 9000);
    ASSERT_TRUE(session.set_bankroll());
    const std::int64_t first = session.game().books.adjustments;
    for (int n : {36, 2, 20})
        spin(n);
    session.set(SettingId::CSpinEdit1, 100);
    ASSERT_TRUE(session.set_bankroll());
    for (int n : {11, 3})
        spin(n);
    log.follow(session.game());
    const RunFigures f = log.figures(session.game());
    EXPECT_EQ(f.adjustments, session.game().books.adjustments);
    EXPECT_LT(f.adjustments, first);  // a withdrawal after a top-up
    EXPECT_EQ(f.final_bankroll, 5000 + f.adjustments - f.wagered + f.paid);
    EXPECT_GT(f.wagered, 0);
}

TEST(Session, ATornLastLineIsDroppedAndTheSessionResumesBeforeIt) {
    std::int64_t now = 1767225600;
    const Session session = sample_session(now);
    const std::string& journal = session.journal();
    // Everything but the undo, and the undo's line cut in the middle of writing.
    const std::size_t last = journal.rfind('{');
    const SessionReading before_undo = read_session(journal.substr(0, last), "s");
    ASSERT_TRUE(before_undo.ok()) << before_undo.error;
    for (const std::string& torn :
         {journal.substr(0, last + 5), journal.substr(0, journal.size() - 1).substr(0, last + 1),
          journal.substr(0, last) + std::string(12, '\0')}) {
        const SessionReading reading = read_session(torn, "s");
        ASSERT_TRUE(reading.ok()) << reading.error;
        EXPECT_TRUE(reading.torn_line_dropped);
        EXPECT_NE(reading.notice.find("was cut off"), std::string::npos);
        EXPECT_EQ(differences(before_undo.session->game(), reading.session->game()), "");
        EXPECT_TRUE(reading.session->game().table.undo_offered);
    }
}

// However the file comes in pieces, it reads as it reads whole: a line, a
// byte order mark or a torn end may be cut anywhere.
TEST(Session, AJournalReadInPiecesReadsAsTheWholeText) {
    std::int64_t now = 1767225600;
    const std::string journal = sample_session(now).journal();
    const std::string header = "{\"format\":\"quorvel-session\",\"version\":1,\"start\":9}\n";
    for (const std::string& text :
         {"\xEF\xBB\xBF" + journal, journal + "\n\n\r\n", journal + "{\"number\":1",
          journal + "{\"num" + std::string(5, '\0') + "\n\n", journal + "{\"number\":99}\n",
          header + "{\"number\" 1}\n\nx", header + std::string(70'000, '\n') + "{\"number\":3}"}) {
        const SessionReading whole = read_session(text, "s");
        for (const std::size_t size : {std::size_t{1}, std::size_t{2}, std::size_t{17}}) {
            SessionReader reader("s");
            for (std::size_t at = 0; at < text.size(); at += size)
                reader.read(std::string_view(text).substr(at, size));
            const SessionReading pieces = reader.finish();
            EXPECT_EQ(pieces.error, whole.error) << size;
            EXPECT_EQ(pieces.notice, whole.notice) << size;
            ASSERT_EQ(pieces.session.has_value(), whole.session.has_value());
            if (whole.session) {
                EXPECT_EQ(differences(pieces.session->game(), whole.session->game()), "");
                EXPECT_EQ(pieces.session->journal(), whole.session->journal());
            }
        }
    }
}

// A first action that names no second happened at the header's start: in
// a mode that draws by the clock, the replay draws as the live game drew.
TEST(Session, ActionsBeforeAnyTimeReplayAtTheStart) {
    const std::int64_t start = 1767225600;
    Session live([start] { return start; });
    live.set(SettingId::GameModes, GameMode::Paradox);
    for (int n : {5, 17, 32, 0, 14, 25, 9, 36, 11, 2, 29, 7}) live.play_number(n);
    std::string journal = live.journal();
    const std::string stamp = "\"t\":" + std::to_string(start) + ",";
    journal.erase(journal.find(stamp), stamp.size());
    ASSERT_EQ(journal.find("\"t\":"), std::string::npos) << journal;
    const SessionReading reading = read_session(journal, "s");
    ASSERT_TRUE(reading.ok()) << reading.error;
    EXPECT_EQ(differences(live.game(), reading.session->game()), "");
    // The check can fail: from another second the draws differ.
    std::string elsewhere = journal;
    elsewhere.replace(elsewhere.find(std::to_string(start)), 10, std::to_string(start + 1));
    EXPECT_NE(differences(live.game(), read_session(elsewhere, "s").session->game()), "");
}

struct Refusal {
    const char* name;
    std::string text;
    std::string error;
};

class RefusedJournal : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedJournal, NamesTheFileLineColumnAndWhatWasWrong) {
    const SessionReading reading = read_session(GetParam().text, "table.quorvel");
    EXPECT_FALSE(reading.ok());
    EXPECT_FALSE(reading.session.has_value());
    EXPECT_EQ(reading.error, GetParam().error);
}

const std::string kHeader = "{\"format\":\"quorvel-session\",\"version\":1,\"start\":100}\n";

INSTANTIATE_TEST_SUITE_P(
    Session, RefusedJournal,
    ::testing::Values(
        Refusal{"MalformedMiddleLine",
                kHeader + "{\"t\":101,\"number\":5}\n{\"number\" 7}\n{\"pause end\":true}\n",
                "table.quorvel:3:11: expected ':' after the key"},
        Refusal{"UnknownAction", kHeader + "{\"t\":101,\"spin\":5}\n",
                "table.quorvel:2:10: unknown action \"spin\""},
        Refusal{"NewerVersion", "{\"format\":\"quorvel-session\",\"version\":2}\n",
                "table.quorvel:1:39: the session was written in version 2 of the format; this "
                "program reads up to version 1"},
        Refusal{"NotASession", "{\"format\":\"other\",\"version\":1}\n",
                "table.quorvel:1:11: not a Quorvel session: the first line lacks \"format\": "
                "\"quorvel-session\""},
        Refusal{"NumberOutOfRange", kHeader + "{\"number\":37}\n",
                "table.quorvel:2:11: \"number\" takes a roulette number from 0 to 36"},
        Refusal{"UndoNotOffered", kHeader + "{\"undo\":true}\n",
                "table.quorvel:2:2: \"undo\" could not be taken at this point of the session"},
        Refusal{"UnknownListItem", kHeader + "{\"Mode\":\"FAST\"}\n",
                "table.quorvel:2:9: \"Mode\" takes one of \"SMART 2024\", \"DEEP SCAN 4.1\", "
                "\"ADAPTIVE 4.1\", \"PARADOX 4.1\", \"CHAINS 4.1\""},
        Refusal{"FieldOutOfRange", kHeader + "{\"Init. Bet\":0}\n",
                "table.quorvel:2:14: \"Init. Bet\" takes a whole number from 1 to 1000000, or "
                "null for an empty field"},
        Refusal{"TwoActionsOnALine", kHeader + "{\"number\":1,\"undo\":true}\n",
                "table.quorvel:2:13: a second action \"undo\" on the line of \"number\""},
        Refusal{"FractionalTime", kHeader + "{\"t\":1.5,\"number\":1}\n",
                "table.quorvel:2:7: expected a whole number"},
        Refusal{"CompleteBadLastLine", kHeader + "{\"number\":1\n",
                "table.quorvel:2:12: expected ',' or '}'"},
        Refusal{"Empty", "", "table.quorvel:1:1: the file is empty, not a Quorvel session"},
        Refusal{"TimeBefore1970", kHeader + "{\"t\":-9223372036854775808,\"number\":1}\n",
                "table.quorvel:2:6: a time before 1970 or after the year 9999 is no time of play"},
        Refusal{"StartAfter9999",
                "{\"format\":\"quorvel-session\",\"version\":1,\"start\":253402300800}\n",
                "table.quorvel:1:49: a time before 1970 or after the year 9999 is no time of play"},
        Refusal{"LineLongerThan64KiB", kHeader + std::string(65537, 'x') + "\n",
                "table.quorvel:2:65537: the line is longer than 64 KiB"},
        // A bad line is a torn last line only when nothing but zero bytes
        // and line ends follows it.
        Refusal{"BadLineBeforeMore",
                kHeader + "{\"number\":1\n" + std::string(3, '\0') + "\n{\"number\":2}\n",
                "table.quorvel:2:12: expected ',' or '}'"}),
    [](const auto& info) { return std::string(info.param.name); });

struct LineCase {
    const char* name;
    std::string line;
    std::string fields;  // key=value;... or the error with its column
};

class JournalLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(JournalLines, ParseIntoFlatFieldsOrNameTheColumn) {
    const JournalLine line = parse_journal_line(GetParam().line);
    std::string got;
    if (!line.ok()) {
        got = std::to_string(line.error_column) + ": " + line.error;
    } else {
        for (const JournalField& f : line.fields) {
            got += f.key + '=';
            switch (f.value.kind) {
                case JournalValue::Kind::Null:
                    got += "null";
                    break;
                case JournalValue::Kind::Boolean:
                    got += f.value.boolean ? "true" : "false";
                    break;
                case JournalValue::Kind::Integer:
                    got += std::to_string(f.value.integer);
                    break;
                case JournalValue::Kind::Text:
                    got += '[' + f.value.text + ']';
                    break;
            }
            got += ';';
        }
    }
    EXPECT_EQ(got, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Session, JournalLines,
    ::testing::Values(
        LineCase{"Empty", "{}", ""},
        LineCase{"Spaces", " { \"a\" : 1 , \"b\":null }\r", "a=1;b=null;"},
        LineCase{"Extremes", "{\"a\":-9223372036854775808,\"b\":9223372036854775807}",
                 "a=-9223372036854775808;b=9223372036854775807;"},
        LineCase{"TooLarge", "{\"a\":9223372036854775808}", "6: the number is too large"},
        LineCase{"DoubleZero", "{\"number\":00}", "11: a number has no leading zero in JSON"},
        LineCase{"LeadingZero", "{\"a\":1,\"b\":-007}", "12: a number has no leading zero in JSON"},
        LineCase{"ZeroAndNegativeZero", "{\"a\":0,\"b\":-0,\"c\":70}", "a=0;b=0;c=70;"},
        LineCase{"LongKeyQuotedShort", "{\"" + std::string(500, 'k') + "\":1,\"" +
                 std::string(500, 'k') + "\":2}",
                 "507: the key \"" + std::string(80, 'k') + "\u2026\" appears twice"},
        LineCase{"Escapes", R"({"k\"":"a\\b\n\u00e9\ud83c\udfb2"})",
                 "k\"=[a\\b\n\xC3\xA9\xF0\x9F\x8E\xB2];"},
        LineCase{"Nested", "{\"a\":[1]}",
                 "6: expected a string, a whole number, true, false or null"},
        LineCase{"DuplicateKey", "{\"a\":1,\"a\":2}", "8: the key \"a\" appears twice"},
        LineCase{"TrailingText", "{\"a\":true} x", "12: unexpected text after the closing '}'"},
        LineCase{"UnclosedString", "{\"a\":\"b", "8: the line ends inside a string"},
        LineCase{"NoBrace", "\"a\":1", "1: expected '{' at the start of the line"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Session, WrittenTextsReadBackThroughTheJsonEscapes) {
    std::string json = "{\"k\":";
    append_json_string(json, std::string("quote\" back\\ tab\t nul\x01 end", 25));
    json += '}';
    const JournalLine line = parse_journal_line(json);
    ASSERT_TRUE(line.ok()) << line.error;
    EXPECT_EQ(line.fields[0].value.text, std::string("quote\" back\\ tab\t nul\x01 end", 25));
}

TEST(Session, ACopyDrawsFromItsOwnClockAndWritesToNoSink) {
    std::int64_t now = 1767225600;
    Session first = sample_session(now);
    int lines = 0;
    first.set_line_sink([&lines](std::string_view) { ++lines; });
    Session copy = first;
    now += 3600;
    first.enter_number(1);
    first.end_analysis_pause();
    copy.enter_number(1);
    copy.end_analysis_pause();
    EXPECT_EQ(differences(first.game(), copy.game()), "");
    EXPECT_EQ(first.journal(), copy.journal());
    EXPECT_EQ(lines, 2);  // the first's number and pause end; the copy's went nowhere
}

}  // namespace
}  // namespace quorvel
