// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quorvel {

struct Game;

// Settles the bet on the table against the number just entered.
void WinLoose(Game& game);
// A won spin: pays 3 x Bet_Size and moves the progression.
void Win_Calc(Game& game);
// A lost spin: the stake was charged when the chips appeared; moves the progression.
void Lose_Calc(Game& game);
// Hands back the stake of a bet the player takes off the table by changing the
// betting type; the undo copy of the bankroll takes the refund.
void Return_Bet(Game& game);
// Hands back the stake of a bet that leaves the table unsettled, at what was
// charged for it; a virtual bet cost nothing and gets nothing back. The chips
// stay for the caller to take off.
void hand_back_stake(Game& game);

}  // namespace quorvel
