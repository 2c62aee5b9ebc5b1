#include "game/history.hpp"

#include <string>

#include "game/game.hpp"

namespace quorvel {

void GameHistory(Game& game) {
    for (int k = 11; k >= 1; --k)
        game.row.HisNum(k + 1) = game.row.HisNum(k);
    game.row.HisNum1_tag = game.CurrentNum;
    game.row.HisNum(1).caption = std::to_string(game.CurrentNum);
    game.row.HisNum(1).colour = display_colour_of(game.CurrentNum);
}

}  // namespace quorvel
