#include "play/snapshot.hpp"

#include "game/game.hpp"
#include "game/history.hpp"
#include "play/undo.hpp"

namespace quorvel {

void SaveState(Game& game) {
    Snapshot& saved = game.saved;
    saved.chips_saved = game.table.chips;
    saved.Bet_Size_Saved = game.Bet_Size;
    saved.Bet_Step_Saved = game.Bet_Step;
    saved.Custom_Bet_Saved = game.Custom_Bet;
    saved.Bankroll_Saved = game.Bankroll;
    saved.Bankroll_At_Prediction_Saved = game.Bankroll_At_Prediction;
    saved.Profit_Aim_Saved = game.Profit_Aim;
    saved.Max_Bank_Saved = game.Max_Bank;
    saved.Chains_Toggle_Dozens_Saved = game.Chains_Toggle_Dozens;
    saved.Chains_Toggle_Columns_Saved = game.Chains_Toggle_Columns;
    saved.Lose_Toggle_Saved = game.Lose_Toggle;
    saved.Custom_Wins_Saved = game.Custom_Wins;
    saved.Custom_Wins_In_Row_Saved = game.Custom_Wins_In_Row;
    saved.Custom_Losses_Saved = game.Custom_Losses;
    saved.Custom_Losses_In_Row_Saved = game.Custom_Losses_In_Row;
    saved.Spin_Won_Saved = game.Spin_Won;
    saved.Loss_Streak_Saved = game.Loss_Streak;
    saved.Label28_Saved = game.Label28;
    saved.profit_bet_saved = game.profit_bet;
    saved.SL_Field_Saved = game.table.SL_Field;
    saved.books_saved = game.books;
}

void LoadState(Game& game) {
    const Snapshot& saved = game.saved;
    game.Bet_Step = saved.Bet_Step_Saved;
    game.Bankroll = saved.Bankroll_Saved;
    game.Profit_Aim = saved.Profit_Aim_Saved;
    game.Max_Bank = saved.Max_Bank_Saved;
    game.Chains_Toggle_Dozens = saved.Chains_Toggle_Dozens_Saved;
    game.Chains_Toggle_Columns = saved.Chains_Toggle_Columns_Saved;
    game.Lose_Toggle = saved.Lose_Toggle_Saved;
    game.Custom_Wins = saved.Custom_Wins_Saved;
    game.Custom_Wins_In_Row = saved.Custom_Wins_In_Row_Saved;
    game.Custom_Losses = saved.Custom_Losses_Saved;
    game.Custom_Losses_In_Row = saved.Custom_Losses_In_Row_Saved;
    game.Custom_Bet = saved.Custom_Bet_Saved;
    game.Bet_Size = saved.Bet_Size_Saved;
    game.Bankroll_At_Prediction = saved.Bankroll_At_Prediction_Saved;
    game.table.SL_Field = saved.SL_Field_Saved;
    game.Loss_Streak = saved.Loss_Streak_Saved;
    game.Spin_Won = saved.Spin_Won_Saved;
    game.Label28 = saved.Label28_Saved;
    game.profit_bet = saved.profit_bet_saved;
    game.books = saved.books_saved;

    // Every sector in play carried the same stake, the one just restored;
    // Bet_Sector ends on the highest sector that had a chip.
    const std::array<std::int64_t, 6> bets = saved.SaveBets();
    for (Sector sector : kAllSectors) {
        const std::int64_t bet = bets[static_cast<std::size_t>(index_of(sector) - 1)];
        if (bet > 0) {
            game.table.chips.insert(sector);
            game.Bet_Sector = index_of(sector);
        }
    }
    NumberInactive(game);
}

}  // namespace quorvel
