// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/trends.hpp"

#include "game/game.hpp"
#include "predict/family.hpp"

namespace quorvel {

namespace {

void clear_if_full(SectorSet& marks, Family family) {
    if (marks_of(marks, family).count() < 3) return;
    for (int place = 0; place < 3; ++place)
        marks.erase(sector_of(family, place));
}

}  // namespace

void set_trend_mark(Game& game, Sector sector) {
    game.table.trend_marks.insert(sector);
}

void clear_trend_mark(Game& game, Sector sector) {
    game.table.trend_marks.erase(sector);
}

void Check_3_Trends(Game& game) {
    if (game.table.trend_marks.empty()) return;
    clear_if_full(game.table.trend_marks, Family::Dozens);
    clear_if_full(game.table.trend_marks, Family::Columns);
}

}  // namespace quorvel
