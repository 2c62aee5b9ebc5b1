#include "play/session.hpp"

namespace quorvel {

void play_number(Game& game, int number) {
    enter_number(game, number);
    end_analysis_pause(game);
}

}  // namespace quorvel
