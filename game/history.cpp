#include "game/history.hpp"

#include "game/game.hpp"

namespace quorvel {

void GameHistory(Game& game) {
    for (int k = 11; k >= 1; --k)
        game.row.HisNum(k + 1) = game.row.HisNum(k);
    game.row.HisNum1_tag = game.CurrentNum;
    game.row.HisNum(1).number = game.CurrentNum;
    game.row.HisNum(1).colour = display_colour_of(game.CurrentNum);
}

}  // namespace quorvel
