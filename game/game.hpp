// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "game/chain_numbers.hpp"
#include "game/number_cells.hpp"
#include "game/parameters.hpp"
#include "game/predictor_state.hpp"
#include "game/random_source.hpp"
#include "game/recent_list.hpp"
#include "game/roulette.hpp"
#include "game/settlement_record.hpp"

namespace quorvel {

// One label of the history row: the number it shows, if any, and its
// background colour. Numbers and colours move along the row together; the
// window builds the caption from the number (history_caption).
struct HistoryLabel {
    static constexpr int kNoNumber = -1;
    int number = kNoNumber;
    int colour = kBlackNumberColour;

    bool empty() const { return number == kNoNumber; }

    bool operator==(const HistoryLabel&) const = default;
};

// The twelve labels HisNum1 (newest) to HisNum12. Only the first ten are in
// view; the last two keep older numbers so that a step back can bring them in.
// The labels stay where they are and the row turns over them, so a new
// number is one store.
class HistoryRow {
public:
    int HisNum1_tag = 0;

    // k runs 1 to 12, as in the names HisNum1 to HisNum12.
    HistoryLabel& HisNum(int k) { return labels_[slot(k)]; }
    const HistoryLabel& HisNum(int k) const { return labels_[slot(k)]; }

    // The new number becomes HisNum1; HisNum12 falls off the row.
    void push_front(HistoryLabel label) {
        first_ = (first_ - 1) & kMask;
        labels_[first_] = label;
    }
    // Each label takes the one after it; HisNum12 keeps its number, so after a
    // step back the last two labels agree.
    void step_back() {
        const HistoryLabel last = HisNum(kLabels);
        first_ = (first_ + 1) & kMask;
        HisNum(kLabels) = last;
    }

    // Several rules count the game as started once five numbers have been shown.
    bool five_numbers_shown() const { return !HisNum(5).empty(); }

    bool operator==(const HistoryRow&) const = default;

private:
    static constexpr int kLabels = 12;
    // The ring has a power-of-two length, so it turns with a mask; the slots
    // beyond the twelfth label hold numbers no longer shown.
    static constexpr unsigned kMask = 15;

    std::size_t slot(int k) const { return (first_ + static_cast<unsigned>(k - 1)) & kMask; }

    std::array<HistoryLabel, kMask + 1> labels_;
    unsigned first_ = 0;
};

static_assert(NumberCells::kCells == kNumberCount);

// The bets on the table as the player sees them: the chips, each carrying
// Bet_Size, and the safe-level overlays that make them virtual. A spin
// changes both and an undo puts both back, so the snapshot keeps a copy.
struct TableBets {
    SectorSet chips;        // Chip_X and BetSize_X shown: a bet of Bet_Size is on sector X
    bool SL_Field = false;  // the six safe-level overlays, shown together

    // The safe level is in force while its overlays are shown.
    bool safe_level_in_force() const { return SL_Field; }

    bool operator==(const TableBets&) const = default;
};

// What the window's controls show, as far as the rules read it back: which
// number cells can be clicked, the bets on the table, the trend marks and
// the overlays.
struct TableState : TableBets {
    NumberCells Number{true};       // the cell pictures Number0 ... Number36
    NumberCells SpeedButton{true};  // the buttons over them
    SectorSet trend_marks;          // Trend_X_2 shown
    bool undo_offered = false;      // Image_Button_Back2 and Undo shown
    bool Background_Blur = false;

    bool operator==(const TableState&) const = default;
};

// The half-second pause after a number: Timer_Analyse fills CGauge1 in steps of 2.
struct AnalysisPause {
    bool Timer_Analyse = false;
    int CGauge1 = 0;

    bool operator==(const AnalysisPause&) const = default;
};

// The flash of "MAX. BANK:" when a paid win sets a new maximum: Timer_MaxProfit
// turns the caption opaque and back, ten ticks of 50 ms, counted in its tag.
struct MaxProfitFlash {
    bool Timer_MaxProfit = false;
    int tag = 0;
    bool opaque = false;  // Caption_MaxProfit drawn on its flash colour

    bool operator==(const MaxProfitFlash&) const = default;
};

// The amounts the two money captions show. The display refresh brings them
// up to date, except while the starting-bankroll field is empty: then both
// captions keep what they show.
struct Display {
    std::int64_t Caption_Bankroll = 5000;
    std::int64_t Caption_MaxProfit = 5000;

    bool operator==(const Display&) const = default;
};

// What Caption_ProfitBet shows: its start text, the bare caption after a
// change of betting type, or the profit bet of the last settlement.
enum class ProfitBetShown { Start, Cleared, Bet };
struct ProfitBet {
    ProfitBetShown shown = ProfitBetShown::Start;
    std::int64_t bet = 0;

    bool operator==(const ProfitBet&) const = default;
};

// Why the session ended before the player stopped: the bankroll could not pay
// the next bet, a stop rule was met, or the next stake was above the table's
// maximum. A session that ended places no more bets.
enum class StopReason { None, RanOut, StopLoss, TakeProfit, MaxSpins, TableMaximum };

// The books of the test bankroll, kept where the bankroll moves, so that every
// unit can be accounted for: at any moment
// Bankroll = start + adjustments + result - on_table.
// The figures stay within the range of the bankroll itself, however long the
// game runs.
struct Books {
    std::int64_t start = 5000;     // the starting bankroll
    std::int64_t on_table = 0;     // the stake charged for the bet now on the table
    std::int64_t result = 0;       // payouts less the stakes they settled, over every settled bet
    std::int64_t adjustments = 0;  // top-ups less withdrawals by "SET BANKROLL"

    bool operator==(const Books&) const = default;
};

// What a spin changes in the money and that an undo must put back: the stake
// and its progression, the bankroll with its aim and peak, the counts the
// predictors and the custom rules keep between settlements, the settlement
// record the next prediction reads, and the books. The Game holds these
// fields as its own, under the game's names (it derives from this struct),
// and the snapshot holds a copy; so a field added here is saved and restored
// with the rest, and no list of them is kept anywhere else.
struct SpinState {
    // The stake and its progression.
    std::int64_t Bet_Size = 1;
    std::int64_t Custom_Bet = 1;
    int Bet_Step = 0;

    // The counts kept between settlements.
    int Chains_Toggle_Dozens = 1;
    int Chains_Toggle_Columns = 1;
    int Lose_Toggle = 1;
    int Custom_Wins = 0;
    int Custom_Wins_In_Row = 0;
    int Custom_Losses = 0;
    int Custom_Losses_In_Row = 0;

    // The bankroll.
    std::int64_t Bankroll = 5000;
    std::int64_t Bankroll_At_Prediction = 5000;
    std::int64_t Profit_Aim = 5001;
    std::int64_t Max_Bank = 5000;
    Books books;

    // The settlement record.
    int Spin_Won = 0;             // 1 when the spin just settled was a paid or virtual win
    int Loss_Streak = 0;          // losses settled since the last win or safe-level release
    std::int64_t Label28 = 1000;  // the minimal-profit bet of the last paid win
    ProfitBet profit_bet;         // the profit bet of the last settlement

    // The table's rules: the spins entered, why the session ended (if it
    // did), and whether the player chose to play on past a stop, which
    // holds for the rest of the session.
    std::int64_t spins_entered = 0;
    StopReason stopped = StopReason::None;
    bool stops_lifted = false;
    SectorSet held_back;  // the chips of the bet the session ended before

    bool operator==(const SpinState&) const = default;
};

// The one-step undo snapshot, taken as each number is entered and before it
// is settled: a copy of the spin state (saved.Bankroll, saved.Bet_Size, ...)
// and of the bets on the table. An undo assigns both back, so it takes the
// whole spin back, and the prediction made after it.
struct Snapshot : SpinState {
    TableBets table;

    // The bet on each sector, D1 first; 0 where no chip was shown. Every
    // sector in play carries the same stake, so the chips and Bet_Size hold
    // the bets whole.
    std::array<std::int64_t, 6> SaveBets() const {
        std::array<std::int64_t, 6> bets{};
        for (std::size_t i = 0; i < kAllSectors.size(); ++i) {
            if (table.chips.contains(kAllSectors[i])) bets[i] = Bet_Size;
        }
        return bets;
    }

    bool operator==(const Snapshot&) const = default;
};

// The whole game, under the names the rules use. A fresh Game is the state of
// the window as it opens: every setting at its start value, no number entered.
// Money is counted in whole betting units and kept in 64 bits.
struct Game : SpinState {
    Parameters params;

    int CurrentNum = 0;  // the number being processed; kept until the next entry

    std::vector<std::uint8_t> NumbersList;  // every number entered, oldest first, a byte each

    // The chain predictions read only near the ends of these lists: the last
    // five numbers without zeros, and the entry five from the end of each chain
    // after it has taken those five. A step back drops one entry of each chain,
    // and the undo is one step, so a reading reaches at most six entries back.
    // The numbers list keeps ten numbers, the chains thirty-two indices.
    ChainNumbers NumbersListForChains;  // the numbers without zeros; never shortened
    RecentList<2> ChainsList;           // dozen index of recent numbers, 1 to 3
    RecentList<2> ChainsListColumns;    // column index of recent numbers, 1 to 3

    HistoryRow row;
    TableState table;
    AnalysisPause pause;
    Display display;
    Snapshot saved;
    DeepScanState deep_scan;
    AdaptiveMatrix matrix;
    RandomSource random;  // shared by every predictor that draws
    MaxProfitFlash max_profit_flash;

    int Bet_Sector = 0;
    int Undo_Counter = 2;
    int Matrix_Ready = 0;

    // What this spin's settlement did; cleared as each number is entered.
    SettlementRecord last_settlement;

    // Field for field, so that two games played alike can be compared whole.
    bool operator==(const Game&) const = default;
};

}  // namespace quorvel
