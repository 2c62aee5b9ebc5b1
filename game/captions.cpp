#include "game/captions.hpp"

#include "game/game.hpp"

namespace quorvel {

std::string numbers_in_game_caption(std::size_t count) {
    return "Numbers in game: " + std::to_string(count);
}

std::string bankroll_caption(std::int64_t bankroll) {
    return "TEST BANKROLL: " + std::to_string(bankroll);
}

std::string max_bank_caption(std::int64_t max_bank) {
    return "MAX. BANK: " + std::to_string(max_bank);
}

void refresh_display(Game& game) {
    Display& display = game.display;
    display.Label_Numbers_In_Game = numbers_in_game_caption(game.NumbersList.size());
    if (game.params.CSpinEdit1.has_value()) {
        display.Caption_Bankroll = bankroll_caption(game.Bankroll);
        display.Caption_MaxProfit = max_bank_caption(game.Max_Bank);
    }
    display.BetSize = game.params.CheckBox1 ? std::to_string(game.Bet_Size) : std::string();
    display.Label28 = std::to_string(game.Label28);
}

}  // namespace quorvel
