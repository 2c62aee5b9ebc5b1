// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quorvel {

struct Game;

// A new profit aim from the bankroll, by the selected radio button.
void BlindAutomationSetAim(Game& game);
// Resets the bet when the bankroll has reached the profit aim.
void BlindAutomationReset(Game& game);
// A new "Set units:" value sets the aim at once, whichever button is selected.
void ProfitUnitsChange(Game& game);
// A new starting bankroll ("TEST BANK:") before the first number.
void CSpinEdit1Change(Game& game);
// "SET BANKROLL": the bankroll becomes the "TEST BANK:" value at once, also
// in the middle of play. It is money brought to or taken from the table, not
// won or lost: the books keep it apart, and an undo keeps it.
void set_bankroll(Game& game);
// A new safe level; before the first settlement it shows or hides the overlays.
void Safe_LevelChange(Game& game);

// A paid win that sets a new maximum flashes "MAX. BANK:".
void start_max_profit_flash(Game& game);
// One 50 ms tick of Timer_MaxProfit; the tenth ends the flash.
void Timer_MaxProfitTimer(Game& game);

}  // namespace quorvel
