// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/roulette.hpp"

namespace quorvel {

struct Game;

// A click on the hover picture Trend_X_1 of a sector sets its trend mark
// (Trend_X_2 comes into view); a click on the mark picture clears it. The
// predictors read the marks, never change them.
void set_trend_mark(Game& game, Sector sector);
void clear_trend_mark(Game& game, Sector sector);

// Clears a family whose three marks are all set, dozens and columns each on
// their own. The spin cycle runs it on every number, so no prediction it
// makes sees a full family.
void Check_3_Trends(Game& game);

}  // namespace quorvel
