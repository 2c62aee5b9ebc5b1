// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/history.hpp"

#include "game/game.hpp"

namespace quorvel {

void GameHistory(Game& game) {
    game.row.push_front({game.CurrentNum, display_colour_of(game.CurrentNum)});
    game.row.HisNum1_tag = game.CurrentNum;
}

}  // namespace quorvel
