#include "predict/chains.hpp"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "game/game.hpp"
#include "predict/family.hpp"
#include "predict/prediction.hpp"

namespace quorvel {

namespace {

constexpr std::size_t kChainLookBack = 5;

using Chain = decltype(Game::ChainsList);
using ChainNumbers = decltype(Game::NumbersListForChains);

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

// Positions before the start of the list read as empty and add nothing.
void append_last_five(const ChainNumbers& numbers, int (*index_of_number)(int), Chain& chain) {
    const std::size_t count = numbers.size();
    for (std::size_t i = count - std::min(count, kChainLookBack); i < count; ++i) {
        const int index = index_of_number(numbers[i]);
        if (index != 0) chain.push_back(index);
    }
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

}  // namespace

// Neither chain is cleared first: a second run without a new spin appends the
// same entries again.
void GetChainsList(Game& game) {
    append_last_five(game.NumbersListForChains, dozen_of, game.ChainsList);
    append_last_five(game.NumbersListForChains, column_of, game.ChainsListColumns);
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
