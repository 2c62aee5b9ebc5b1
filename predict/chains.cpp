#include "predict/chains.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "game/game.hpp"
#include "predict/family.hpp"
#include "predict/prediction.hpp"

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

using ChainNumbers = decltype(Game::NumbersListForChains);

}  // namespace

// Neither chain is cleared first: a second run without a new spin appends the
// same entries again. With fewer than five numbers, only those there are add.
void GetChainsList(Game& game) {
    // The indices are gathered packed as the chains keep them, and each chain
    // takes them in one step. A number has a dozen exactly when it has a column.
    const ChainNumbers& numbers = game.NumbersListForChains;
    const std::size_t count = numbers.size();
    std::uint64_t dozens = 0;
    std::uint64_t columns = 0;
    unsigned added = 0;
    for (std::size_t i = count - std::min(count, kChainLookBack); i < count; ++i) {
        const int number = numbers[i];
        const int dozen = dozen_of(number);
        if (dozen == 0) continue;
        dozens = (dozens << Chain::kBits) | static_cast<std::uint64_t>(dozen);
        columns = (columns << Chain::kBits) | static_cast<std::uint64_t>(column_of(number));
        added += 1;
    }
    game.ChainsList.append(dozens, added);
    game.ChainsListColumns.append(columns, added);
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
