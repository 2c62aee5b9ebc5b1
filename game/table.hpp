// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quorvel {

struct Game;

// The table switches: which number cells can be clicked and which chips are
// shown. Every layer above uses them, so they live with the state they set.
void Disable_All(Game& game);
// Opens every number cell again, and offers the undo once a spin can be taken back.
void Enable_All(Game& game);
// A reset cannot be undone: the undo button goes, and comes back only after
// the next spin has been analysed.
void end_undo_offer(Game& game);
// Takes every chip off the table.
void Disable_Bets(Game& game);
// Lights the cell of the number just entered, while the others stay dimmed.
void NumberPressed(Game& game);
// Makes the number just taken back unavailable until the next spin has been analysed.
void NumberInactive(Game& game);

}  // namespace quorvel
