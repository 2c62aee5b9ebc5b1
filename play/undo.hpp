// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quorvel {

struct Game;

// Takes back the last spin (the "Undo" button).
void Undo(Game& game);
void GameHistoryBack(Game& game);

}  // namespace quorvel
