// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quorvel {

struct Game;

// Shifts the history row one place and puts the current number first.
void GameHistory(Game& game);

}  // namespace quorvel
