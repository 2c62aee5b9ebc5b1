// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A player who clicks everything, in any order, at any moment, through the
// session's one face. After every action the money must still add up, the
// bankroll must be what a bookkeeper who sees only the table counts, an undo
// must take the spin back whole, a table system's bet must match its table,
// and no number may be entered while a spin is being analysed.

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "money/bet_state.hpp"
#include "money/consistency.hpp"
#include "money/progression.hpp"
#include "money/saturating.hpp"
#include "play/session.hpp"
#include "predict/matrix.hpp"

namespace quorvel::play_test {

// Everything an undo must put back as it was before the spin it takes back.
struct UndoneState {
    SpinState spin;
    TableBets bets;

    static UndoneState of(const Game& g) { return {g, g.table}; }
    bool operator==(const UndoneState&) const = default;
};

// An independent bookkeeper. It sees only what the player sees: the chips on
// the table, the stake each one carries and whether the safe-level overlays
// make them virtual; the number that came; and the starting bankroll typed
// before play. From those alone it keeps the money: a bet shown is charged
// its stake times its chips, a chip on the number that came is paid three
// times its stake, a bet that leaves the table unsettled (or whose stake
// changes) is handed back and charged anew, and an undo returns the money to
// where it stood before the number. It owes nothing to the engine's books,
// so a payout or a charge that is wrong in both of them still shows.
class Bookkeeper {
public:
    std::int64_t bankroll() const { return bankroll_; }

    // The number `n` is about to be entered; `settles` tells whether this spin
    // settles the bet shown (the mode that placed it may have changed since).
    void number(const Game& game, int n, bool settles) {
        at_entry_ = {bankroll_, on_table_};
        if (!settles) return;
        // The stake was charged when the bet was shown: it is spent now, and
        // comes back three times on a chip the number covers.
        on_table_ = 0;
        if (game.table.SL_Field) return;
        for (Sector sector : kAllSectors) {
            if (game.table.chips.contains(sector) && sector_holds(sector, n)) {
                bankroll_ += 3 * game.Bet_Size;
            }
        }
    }

    void undo() {
        if (at_entry_) std::tie(bankroll_, on_table_) = *at_entry_;
    }

    // The starting bankroll, chosen before the first number.
    void start(std::int64_t bankroll) {
        bankroll_ = bankroll;
        on_table_ = 0;
    }

    // "SET BANKROLL": money brought to the table or taken from it, which an
    // undo keeps.
    void top_up(std::int64_t amount) {
        bankroll_ += amount;
        if (at_entry_) at_entry_->first += amount;
    }

    // After every action: the bet now shown is what is on the table.
    void follow(const Game& game) {
        const std::int64_t shown =
            game.table.SL_Field ? 0 : game.Bet_Size * game.table.chips.size();
        bankroll_ -= shown - on_table_;
        on_table_ = shown;
    }

private:
    std::int64_t bankroll_ = Game{}.Bankroll;
    std::int64_t on_table_ = 0;  // what this bookkeeper charged for the bet shown
    std::optional<std::pair<std::int64_t, std::int64_t>> at_entry_;
};

// The player. Each action is what a click, a key or a timer tick does in the
// window: only controls the window shows as usable are used.
class RandomPlayer {
public:
    // Every predictor's draw comes from a clock the player moves on by zero
    // to two seconds an action, so the whole run is fixed by the seed.
    explicit RandomPlayer(std::uint32_t seed, GameMode mode = GameMode::DeepScan)
        : random_(seed), now_(std::make_shared<std::int64_t>(1'000'000)) {
        session_ = Session([now = now_] { return *now; });
        session_.set(SettingId::GameModes, mode);
    }

    // Plays one action; returns a failure description, or nothing.
    std::optional<std::string> step() {
        const std::string action = act();
        bookkeeper_.follow(game_);
        remember(action);
        if (auto failure = check()) return "after \"" + action + "\":" + *failure + recent();
        return std::nullopt;
    }

    const Game& game() const { return session_.game(); }
    const Session& session() const { return session_; }
    int spins() const { return spins_; }
    int undos() const { return undos_; }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }

    template <typename T, std::size_t N>
    T one_of(const std::array<T, N>& values) {
        return values[static_cast<std::size_t>(pick(static_cast<int>(N)))];
    }

    // A spin edit as the player leaves it: now and then emptied, to type anew.
    template <std::size_t N>
    std::optional<int> entry(const std::array<int, N>& values) {
        if (chance(0.15)) return std::nullopt;
        return one_of(values);
    }

    template <typename E>
    E any_item() {
        return static_cast<E>(pick(static_cast<int>(items_of<E>().size())));
    }

    bool init_bet_set() const { return game_.params.Init_Bet.has_value(); }

    std::string act() {
        *now_ += pick(3);
        const int roll = pick(100);
        if (roll < 30) return number();
        if (roll < 45) {
            session_.tick_analysis_pause();
            return "pause tick";
        }
        if (roll < 60) {
            // The player waits: the rest of the pause runs out.
            while (analysis_running(game_))
                session_.tick_analysis_pause();
            return "pause runs out";
        }
        if (roll < 61) {
            session_.tick_max_profit_flash();
            return "flash tick";
        }
        if (roll < 67) return undo();
        if (roll < 68) {
            if (!session_.manual_bet_reset()) return "Manual Bet Reset (switched off)";
            if (!init_bet_set()) sized_ = false;
            return "Manual Bet Reset";
        }
        if (roll < 70) return matrix_button();
        if (roll < 73) return trend_mark();
        if (roll < 74) return set_bankroll();
        return setting();
    }

    std::string number() {
        const int n = pick(kNumberCount);
        if (!game_.table.SpeedButton[static_cast<std::size_t>(n)]) {
            return "click on the hidden number " + std::to_string(n);
        }
        const bool paid_settlement = settlement_due(game_) && stake_on_table(game_) > 0;
        bookkeeper_.number(game_, n, settlement_due(game_));
        at_entry_ = Entry{UndoneState::of(game_), sized_, game_.params.BettingSystem,
                          game_.params.BettingType, game_.params.Init_Bet};
        session_.enter_number(n);
        // A settled bet moves the progression, which sizes the next bet
        // from the table in force.
        if (paid_settlement) sized_ = init_bet_set();
        ++spins_;
        return "number " + std::to_string(n);
    }

    std::string undo() {
        if (!game_.table.undo_offered) return "undo (not offered)";
        const bool during_pause = analysis_running(game_);
        session_.undo();
        bookkeeper_.undo();
        ++undos_;
        undone_ = true;
        if (at_entry_) {
            sized_ = at_entry_->sized && at_entry_->system == game_.params.BettingSystem &&
                     at_entry_->type == game_.params.BettingType &&
                     at_entry_->init_bet == game_.params.Init_Bet;
        }
        return during_pause ? "undo during the pause" : "undo";
    }

    std::string matrix_button() {
        // A matrix put away is soon created again: the table waits behind
        // the blur until it is.
        if (chance(game_.table.Background_Blur ? 0.95 : 0.3)) {
            if (!session_.create_matrix()) return "CREATE MATRIX (disabled)";
            sized_ = init_bet_set();
            return "CREATE MATRIX";
        }
        if (!session_.reset_matrix()) return "Reset Matrix (disabled)";
        sized_ = init_bet_set();
        return "Reset Matrix";
    }

    std::string trend_mark() {
        const Sector sector = kAllSectors[static_cast<std::size_t>(pick(6))];
        if (game_.table.trend_marks.contains(sector)) {
            session_.clear_trend_mark(sector);
            return "clear trend mark " + std::string(name_of(sector));
        }
        session_.set_trend_mark(sector);
        return "set trend mark " + std::string(name_of(sector));
    }

    // "SET BANKROLL" is money brought to the table: the undo keeps it, so the
    // state an undo returns to moves with it.
    std::string set_bankroll() {
        const std::int64_t before = game_.Bankroll;
        if (!session_.set_bankroll()) return "SET BANKROLL (empty TEST BANK)";
        const std::int64_t delta = game_.Bankroll - before;
        bookkeeper_.top_up(delta);
        if (at_entry_) {
            SpinState& s = at_entry_->state.spin;
            for (std::int64_t* amount : {&s.Bankroll, &s.Bankroll_At_Prediction, &s.Profit_Aim,
                                         &s.Max_Bank, &s.books.adjustments}) {
                *amount += delta;
            }
        }
        return "SET BANKROLL " + std::to_string(game_.Bankroll);
    }

    std::string setting() {
        const Parameters& p = game_.params;
        Session& s = session_;
        const int roll = pick(24);
        switch (roll) {
            case 0:
                s.set(SettingId::GameModes, any_item<GameMode>());
                return "mode " + std::string(text_of(p.GameModes));
            case 1: {
                const BetType type = any_item<BetType>();
                if (type == p.BettingType) return "betting type unchanged";
                s.set(SettingId::BettingType, type);
                sized_ = init_bet_set();
                return "betting type " + std::string(text_of(type));
            }
            case 2:
                s.set(SettingId::BettingSectors, any_item<SectorChoice>());
                return "sectors " + std::string(text_of(p.BettingSectors));
            case 3: {
                const auto offered = systems_offered(p.BettingType);
                const ProgressionSystem system =
                    offered[static_cast<std::size_t>(pick(static_cast<int>(offered.size())))];
                // The new system moves the bet from the next settlement on.
                if (system != p.BettingSystem) sized_ = false;
                s.set(SettingId::BettingSystem, system);
                return "system " + std::string(text_of(system));
            }
            case 4:
                if (!s.set(SettingId::N_Count, entry(std::array{10, 11, 12, 20, 1000})))
                    return "N. Count (locked)";
                return "N. Count " + text(p.N_Count);
            case 5: {
                const std::optional<int> value =
                    entry(std::array{1, 1, 2, 3, 5, 10, 1000, 1000000});
                // An unchanged field runs no handler.
                if (value != p.Init_Bet) {
                    s.set(SettingId::Init_Bet, value);
                    sized_ = init_bet_set();
                }
                return "Init. Bet " + text(p.Init_Bet);
            }
            case 6: {
                // An arrow key after a list choice: the focus sink shares the
                // base bet's handler.
                const std::optional<int> value = entry(std::array{1, 2, 3});
                if (value != p.FocusCatch) {
                    s.set_focus_sink(value);
                    sized_ = init_bet_set();
                }
                return "focus sink " + text(p.FocusCatch);
            }
            case 7: {
                const std::optional<int> value = entry(std::array{1, 100, 5000, 1000000});
                const bool before_play =
                    game_.NumbersList.empty() && value && value != p.CSpinEdit1;
                s.set(SettingId::CSpinEdit1, value);
                if (before_play) {
                    bookkeeper_.start(*p.CSpinEdit1);
                    sized_ = init_bet_set();
                }
                return "TEST BANK " + text(p.CSpinEdit1);
            }
            case 8:
            case 9:
                s.set(SettingId::Safe_Level, chance(0.5)   ? 0
                                 : chance(0.8) ? 1 + pick(2)
                                               : pick(kMaxSafeLevel + 1));
                return "safe level " + std::to_string(p.Safe_Level);
            case 10:
                s.set(SettingId::ProfitUnits, entry(std::array{1, 50, 100000}));
                return "profit units " + text(p.ProfitUnits);
            case 11:
                s.set(SettingId::profit_aim_rule, static_cast<ProfitAimRule>(pick(3)));
                return "profit aim rule";
            case 12:
                s.set(SettingId::Losses_Type, any_item<LossCount>());
                s.set(SettingId::Losses_HowMuch, entry(std::array{1, 2, 3}));
                return "losses count";
            case 13:
                s.set(SettingId::Losses_Action, any_item<LossAction>());
                s.set(SettingId::Losses_ActionValue, entry(std::array{1, 2, 10, 1000000, 1000000}));
                return "loss action " + std::string(text_of(p.Losses_Action)) + " " +
                       text(p.Losses_ActionValue);
            case 14:
                s.set(SettingId::Wins_Type, any_item<WinCount>());
                s.set(SettingId::Wins_HowMuch, entry(std::array{1, 2, 3}));
                return "wins count";
            case 15:
                s.set(SettingId::Wins_Action, any_item<WinAction>());
                s.set(SettingId::Wins_ActionValue, entry(std::array{1, 2, 10, 1000000, 1000000}));
                return "win action " + std::string(text_of(p.Wins_Action)) + " " +
                       text(p.Wins_ActionValue);
            default: {
                // A check box turned over: rolls 16 to 21 one each, the last
                // box the rolls beyond.
                static constexpr SettingId kBoxes[] = {
                    SettingId::CheckBox_Blind,          SettingId::ChBx_Get_Minimal_Profit,
                    SettingId::ChBx_ManualBetReset,     SettingId::ChBx_TestBankroll,
                    SettingId::ChBx_ProfitBet,          SettingId::ChBx_Show_Numbers_In_Game,
                    SettingId::CheckBox1,
                };
                const SettingRow& box = setting_row(kBoxes[std::min(roll - 16, 6)]);
                s.set(box.id, box.get(p).value_or(0) == 0);
                return std::string(box.journal_key);
            }
        }
    }

    static std::string text(const std::optional<int>& value) {
        return value ? std::to_string(*value) : std::string("(empty)");
    }

    std::optional<std::string> check() {
        const Game& g = game_;
        std::ostringstream out;

        // The engine's own check of its books, chips and overlays.
        const std::string books = inconsistencies(g);
        if (!books.empty()) out << ' ' << books;
        if (g.Bankroll > kMoneyMax / 4 || g.Bankroll < kMoneyMin / 4) {
            out << " Bankroll " << g.Bankroll << " near the rail;";
        }

        // The money is what the bookkeeper counted from the table alone.
        if (g.Bankroll != bookkeeper_.bankroll()) {
            out << " Bankroll " << g.Bankroll << " but the bookkeeper counted "
                << bookkeeper_.bankroll() << ';';
        }

        // The undo takes the spin back whole.
        if (undone_ && at_entry_ && !(UndoneState::of(g) == at_entry_->state)) {
            const UndoneState now = UndoneState::of(g);
            out << " the undo left"
                << (now.spin == at_entry_->state.spin ? "" : " the spin state (money, record)")
                << (now.bets == at_entry_->state.bets ? "" : " the bets on the table")
                << " unlike when the number was entered (Bankroll "
                << at_entry_->state.spin.Bankroll << " then, " << g.Bankroll << " now);";
        }
        undone_ = false;

        // A table system's bet is its table's entry at the base bet.
        const auto table = active_table(g.params.BettingSystem, g.params.BettingType);
        if (sized_ && !table.empty() && g.params.Init_Bet) {
            const std::int64_t expected =
                capped_bet(saturating_mul(table_entry(table, g.Bet_Step), *g.params.Init_Bet));
            if (g.Bet_Step < 0 || g.Bet_Step >= static_cast<int>(table.size()) ||
                g.Bet_Size != expected) {
                out << " Bet_Size " << g.Bet_Size << " at step " << g.Bet_Step << " under "
                    << text_of(g.params.BettingSystem) << ", expected " << expected << ';';
            }
        }

        // No number can be entered during the pause, nor while a matrix
        // put away waits for the next one.
        const bool preparing = g.matrix.Label4 == kLabel4PreparingColour && !matrix_created(g);
        if (analysis_running(g) || preparing) {
            for (int n = 0; n < kNumberCount; ++n) {
                if (g.table.SpeedButton[static_cast<std::size_t>(n)]) {
                    out << " number " << n << " can be entered "
                        << (preparing ? "while the matrix is prepared;" : "during the pause;");
                    break;
                }
            }
        }

        const std::string failures = out.str();
        if (failures.empty()) return std::nullopt;
        return failures;
    }

    void remember(const std::string& action) {
        log_.push_back(action);
        if (log_.size() > 40) log_.pop_front();
    }

    std::string recent() const {
        std::string text = "\nthe last actions, oldest first:";
        for (const std::string& action : log_)
            text += "\n  " + action;
        return text;
    }

    struct Entry {
        UndoneState state;
        bool sized;
        ProgressionSystem system;
        BetType type;
        std::optional<int> init_bet;
    };

    Bookkeeper bookkeeper_;
    std::mt19937 random_;
    std::shared_ptr<std::int64_t> now_;
    Session session_;
    // The player reads the game through the session it acts on.
    const Game& game_ = session_.game();
    std::optional<Entry> at_entry_;  // taken as the last number was entered
    bool undone_ = false;
    // Whether Bet_Size was sized under the system, type and base bet in force.
    bool sized_ = true;
    int spins_ = 0;
    int undos_ = 0;
    std::deque<std::string> log_;
};

}  // namespace quorvel::play_test
