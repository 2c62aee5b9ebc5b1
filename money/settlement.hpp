#pragma once

namespace quorvel {

struct Game;

// Settles the bet on the table against the number just entered.
void WinLoose(Game& game);

}  // namespace quorvel
