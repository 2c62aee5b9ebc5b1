// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "money/bet_state.hpp"
#include "money/consistency.hpp"
#include "play/session.hpp"

namespace quorvel {
namespace {

// A session with a bet charged on the table, its books in order.
Session session_with_a_bet() {
    Session session([] { return std::int64_t{1'000'000}; });
    session.set(SettingId::Init_Bet, 5);
    for (int n = 1; n < 40 && session.game().table.chips.empty(); ++n)
        session.play_number(n % 37);
    return session;
}

TEST(BooksCheck, HoldsAfterPlayAndNamesEachBrokenRule) {
    Session session = session_with_a_bet();
    const Game& game = session.game();
    ASSERT_FALSE(game.table.chips.empty());
    ASSERT_GT(game.books.on_table, 0);
    EXPECT_EQ(inconsistencies(game), "");
    EXPECT_TRUE(consistent(game));

    // Each row breaks one rule as a faulty operation would, and names the
    // words the check must say about it.
    struct Break {
        const char* what;
        std::function<void(Game&)> apply;
        const char* said;
    };
    const Break breaks[] = {
        {"a payout counted in the bankroll but not the books",
         [](Game& g) { g.Bankroll += 3; }, "but the books give"},
        {"a stake charged twice in the books and the bankroll",
         [](Game& g) {
             g.books.on_table += g.Bet_Size;
             g.Bankroll -= g.Bet_Size;
         },
         "the chips"},
        {"a chip taken off without handing its stake back",
         [](Game& g) {
             for (Sector sector : kAllSectors) {
                 if (g.table.chips.contains(sector)) {
                     g.table.chips.erase(sector);
                     break;
                 }
             }
         },
         "the chips"},
        {"the overlays shown over a charged bet",
         [](Game& g) { g.table.SL_Field = true; }, "safe level is in force"},
        {"a bet charged from another bankroll", [](Game& g) { g.Bankroll_At_Prediction += 1; },
         "Bankroll_At_Prediction"},
        {"a stake of nothing", [](Game& g) { g.Bet_Size = 0; }, "Bet_Size 0"},
    };
    for (const Break& broken : breaks) {
        SCOPED_TRACE(broken.what);
        Game copy = game;
        broken.apply(copy);
        const std::string said = inconsistencies(copy);
        EXPECT_NE(said.find(broken.said), std::string::npos) << said;
        EXPECT_FALSE(consistent(copy));
    }
}

// A virtual bet under the overlays holds nothing and stays consistent.
TEST(BooksCheck, AVirtualBetHoldsNothing) {
    Session session = session_with_a_bet();
    Game game = session.game();
    game.Bankroll += game.books.on_table;
    game.Bankroll_At_Prediction = game.Bankroll;
    game.books.on_table = 0;
    game.table.SL_Field = true;
    EXPECT_EQ(stake_on_table(game), 0);
    EXPECT_EQ(inconsistencies(game), "");
}

#ifdef QUORVEL_CHECK_BOOKS
// A checked build stops at the first action after the books went wrong.
TEST(BooksCheckDeathTest, ACheckedSessionStopsAtTheActionAfterTheBooksWentWrong) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Session session = session_with_a_bet();
    session.unrecorded_game().Bankroll += 1;
    EXPECT_DEATH(session.play_number(7), "the books do not add up");
}
#endif

}  // namespace
}  // namespace quorvel
