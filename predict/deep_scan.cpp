// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/deep_scan.hpp"

#include <algorithm>

#include "game/game.hpp"
#include "money/bet_state.hpp"
#include "predict/family.hpp"

namespace quorvel {

namespace {

constexpr int kWheelTop = 36;

// The pair of a double bet by target place and pair parity; it always holds
// the target.
struct Pair {
    int one;
    int other;
};
constexpr Pair kPairs[3][2] = {
    {{0, 1}, {0, 2}},
    {{0, 1}, {1, 2}},
    {{1, 2}, {0, 2}},
};

// The place within the family that the sum points at. It is worked out before
// a sector choice can override the family, so under "Only Dozens" a column
// place may pick a dozen and the other way round.
// Both places are looked up and one chosen, which spares the spin a branch
// on the number. A sum of 0 points at the first place of either family.
int target_of(int sum, int family) {
    const int dozen_place = std::max(dozen_of(sum) - 1, 0);
    const int column_place = std::max(column_of(sum) - 1, 0);
    return dozen_place + (column_place - dozen_place) * (family & 1);
}

}  // namespace

void DeepScan_Calc(Game& game) {
    DeepScanState& scan = game.deep_scan;
    scan.DeepScan_Sum += game.CurrentNum;
    if (scan.DeepScan_Sum > kWheelTop) scan.DeepScan_Sum -= kWheelTop;
    scan.DeepScan_Family = (scan.DeepScan_Family + scan.DeepScan_Sum) % 2;
    scan.DeepScan_Pair = (scan.DeepScan_Pair + scan.DeepScan_Sum) % 2;
}

void DeepScan_Prediction(Game& game) {
    DeepScanState& scan = game.deep_scan;
    const int target = target_of(scan.DeepScan_Sum, scan.DeepScan_Family);

    // The override stays and is what the next number adds to.
    if (game.params.BettingSectors == SectorChoice::OnlyDozens) scan.DeepScan_Family = 0;
    if (game.params.BettingSectors == SectorChoice::OnlyColumns) scan.DeepScan_Family = 1;
    if (scan.DeepScan_Family != 0 && scan.DeepScan_Family != 1) return;

    const Family family = family_from(scan.DeepScan_Family);
    const FamilyMarks marks = marks_of(game.table.trend_marks, family);

    if (game.params.BettingType == BetType::Single) {
        // With marks in the family, only a marked target is bet.
        if (marks.empty() || marks.contains(target)) {
            game.table.chips.insert(sector_of(family, target));
        }
        charge_stake(game, 1);
        return;
    }

    const Pair pair = kPairs[target][scan.DeepScan_Pair];
    const int left_out = 3 - pair.one - pair.other;
    // A mark on the sector the pair leaves out says the player wants that
    // sector in play, so the pair is not bet.
    if (!marks.contains(left_out)) {
        game.table.chips.insert(sector_of(family, pair.one));
        game.table.chips.insert(sector_of(family, pair.other));
    }
    charge_stake(game, 2);
}

}  // namespace quorvel
