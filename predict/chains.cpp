// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "predict/chains.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "game/game.hpp"
#include "money/bet_state.hpp"
#include "predict/family.hpp"

namespace quorvel {

namespace {

constexpr std::size_t kChainLookBack = 5;

using Chain = decltype(Game::ChainsList);

// The entry five from the end, 1 to 3; 0 while the chain is shorter.
int entry_to_avoid(const Chain& chain) {
    const std::size_t count = chain.size();
    if (count < kChainLookBack) return 0;
    return chain[count - kChainLookBack];
}

struct Others {
    int lower;
    int higher;
};

// The two indices of the family other than the entry, or nothing for an
// entry that is not 1 to 3.
std::optional<Others> others_of(int entry) {
    if (entry < 1 || entry > 3) return std::nullopt;
    return Others{entry == 1 ? 2 : 1, entry == 3 ? 2 : 3};
}

Sector sector_by_index(Family family, int index) {
    return sector_of(family, index - 1);
}

// The alternator goes 1, 2, 1, ... on every run, whether or not it marked.
void bet_one(Game& game, const Chain& chain, Family family, int& toggle) {
    if (const std::optional<Others> others = others_of(entry_to_avoid(chain))) {
        const Sector sector = sector_by_index(family, toggle == 1 ? others->lower : others->higher);
        game.table.chips.insert(sector);
        game.Bet_Sector = index_of(sector);
    }
    toggle += 1;
    if (toggle > 2) toggle = 1;
    charge_stake(game, 1);
}

void bet_two(Game& game, const Chain& chain, Family family) {
    if (const std::optional<Others> others = others_of(entry_to_avoid(chain))) {
        game.table.chips.insert(sector_by_index(family, others->lower));
        game.table.chips.insert(sector_by_index(family, others->higher));
    }
    charge_stake(game, 2);
}

static_assert(kChainLookBack <= ChainNumbers::kPacked);
static_assert(Chain::kBits == 2);

// Whether any of the `count` two-bit fields of `packed` is 0.
bool has_empty_field(std::uint32_t packed, unsigned count) {
    const std::uint32_t low_bits = 0x55555555u & ((1u << (2 * count)) - 1);
    return ((packed | (packed >> 1)) & low_bits) != low_bits;
}

}  // namespace

// Neither chain is cleared first: a second run without a new spin appends the
// same entries again. With fewer than five numbers, only those there are add.
void GetChainsList(Game& game) {
    const ChainNumbers& numbers = game.NumbersListForChains;
    const auto count = static_cast<unsigned>(std::min(numbers.size(), kChainLookBack));
    const std::uint32_t dozens = numbers.dozens(count);
    const std::uint32_t columns = numbers.columns(count);
    // Each chain takes the packed indices in one step, unless a number without
    // a dozen (there is none among the numbers the table offers) must be left
    // out. A number has a dozen exactly when it has a column.
    if (!has_empty_field(dozens, count)) {
        game.ChainsList.append(dozens, count);
        game.ChainsListColumns.append(columns, count);
        return;
    }
    for (unsigned k = count; k-- > 0;) {
        const auto dozen = static_cast<int>((dozens >> (2 * k)) & 3u);
        if (dozen == 0) continue;
        game.ChainsList.push_back(dozen);
        game.ChainsListColumns.push_back(static_cast<int>((columns >> (2 * k)) & 3u));
    }
}

void Prediction_Chains(Game& game) {
    bet_one(game, game.ChainsList, Family::Dozens, game.Chains_Toggle_Dozens);
}

void Prediction_Chains_Columns(Game& game) {
    bet_one(game, game.ChainsListColumns, Family::Columns, game.Chains_Toggle_Columns);
}

void Prediction_Chains_Double(Game& game) {
    bet_two(game, game.ChainsList, Family::Dozens);
}

void Prediction_Chains_Double_Columns(Game& game) {
    bet_two(game, game.ChainsListColumns, Family::Columns);
}

}  // namespace quorvel
