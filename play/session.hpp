#pragma once

// The engine as the programs see it: the game state, the captions built from
// it, and every action a player can take at the table. The window and the lab
// include this header rather than reaching into the layers below one by one.

#include "game/captions.hpp"
#include "game/game.hpp"
#include "game/history.hpp"
#include "game/history_export.hpp"
#include "money/bankroll.hpp"
#include "money/bet_state.hpp"
#include "money/custom_rules.hpp"
#include "money/progression.hpp"
#include "play/spin_cycle.hpp"
#include "play/undo.hpp"
#include "predict/matrix.hpp"
#include "predict/trends.hpp"

namespace quorvel {

// A number played without the analysis pause: it is entered, settled and
// analysed, and the next bet is predicted and sized at once, exactly as the
// pause would have ended. Loading a session and the lab play numbers this way.
void play_number(Game& game, int number);

}  // namespace quorvel
