// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quorvel {

struct Game;

// The one-step undo snapshot: SaveState copies the spin state and the bets on
// the table into Game::saved, LoadState assigns them back.
void SaveState(Game& game);
void LoadState(Game& game);

}  // namespace quorvel
