// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Every setting of the player, described once. A row says which member of
// Parameters the setting holds, what kind of control sets it, its range or
// its item texts, the operation its control runs when it changes, and the
// names it goes by: in the window, in the journal, in the stored settings and
// as an option of the lab, with the line --help gives it. The session, the
// journal's replay, the stored settings, the lab's options, its help and the
// shell's completion, and both windows read this table; a new setting is a
// new row here and a new member of Parameters, and the window's fold-out
// places its control.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "game/parameters.hpp"
#include "money/bankroll.hpp"
#include "money/bet_state.hpp"

namespace quorvel {

struct Game;

// The settings by the game's name of the control that sets each. The order
// is the table's, which is the order "LOAD SETTINGS" applies them in: the
// betting type before the system, since the type decides the systems
// offered, and the profit aim before the starting bankroll, whose handler
// takes the aim from it.
enum class SettingId {
    GameModes,
    BettingType,
    BettingSystem,
    BettingSectors,
    Safe_Level,
    profit_aim_rule,
    Losses_Type,
    Losses_Action,
    Wins_Type,
    Wins_Action,
    N_Count,
    Init_Bet,
    CSpinEdit1,
    ProfitUnits,
    Losses_HowMuch,
    Losses_ActionValue,
    Wins_HowMuch,
    Wins_ActionValue,
    ChBx_TestBankroll,
    CheckBox_Blind,
    ChBx_Get_Minimal_Profit,
    ChBx_ProfitBet,
    CheckBox1,
    ChBx_Show_Numbers_In_Game,
    ChBx_ManualBetReset,
    table_min,
    table_max,
    at_max,
    stop_loss,
    take_profit,
    max_spins,
    at_ruin,
};

// A switch holds 0 or 1; a number holds a whole number within its range, or
// nothing where the row allows an empty value; a selector holds the row of
// one of its items.
enum class SettingKind { Switch, Number, Selector };

// A setting's value in one type for every kind: a switch's 0 or 1, a number
// (empty for an empty field or a limit that is off), a selector's row.
using SettingValue = std::optional<int>;

struct SettingRow {
    SettingId id;
    SettingKind kind = SettingKind::Number;
    // The text the window shows for the control.
    std::string_view label;
    // The names it goes by: the journal's key, the stored settings' key
    // (which is also the control's object name in the window) and the lab's
    // option ("base-bet" for --base-bet). The lab option is empty where the
    // lab sets this member through an option of several settings (the rule
    // rows, the profit aim) or not at all. None of them may change: old
    // journals and stored settings are read by them.
    std::string_view journal_key;
    std::string_view stored_key;
    std::string_view lab_option;
    // --help's line: what the value looks like ("N"; a selector lists its
    // items instead) and what the setting does.
    std::string_view lab_value;
    std::string_view help;
    // What a value of the option is, for a message: "a base bet".
    std::string_view what;
    // Whether a lab run plays this setting (the lab's form and its settings
    // line show it); the window's display boxes are not played.
    bool lab = false;
    // The value a lab run starts from where it is not the window's.
    std::optional<SettingValue> lab_default;
    // A number's bounds; for a selector and a switch, its rows.
    SpinRange range{0, 0};
    std::span<const std::string_view> items;  // a selector's texts
    // The lab's words for a selector's items, in the same order, where they
    // are not the window's texts; empty otherwise.
    std::span<const std::string_view> lab_items;
    // A number the windows offer as a list of its values ("0" to "20").
    bool listed = false;
    bool may_be_empty = false;  // a field that can be left empty
    // For a number whose empty value means that the setting is off (a table
    // limit, a stop rule): the word the lab reads and writes for it ("none",
    // "off"). Empty for a field the player is typing in, which the lab plays
    // as its least value.
    std::string_view off_text;
    SettingValue (*get)(const Parameters&) = nullptr;
    void (*put)(Parameters&, SettingValue) = nullptr;
    // The operation the control runs after the value is stored, or null.
    void (*on_change)(Game&) = nullptr;
    // Whether the window takes this value now (the N. Count field is locked
    // while a matrix is in play; the system list offers only the systems of
    // the betting type in force), or null when it always does.
    bool (*offered)(const Game&, SettingValue) = nullptr;

    // Whether the value is one this setting can hold.
    bool holds(SettingValue value) const {
        if (!value) return may_be_empty;
        return *value >= range.minimum && *value <= range.maximum;
    }
};

// The checks of the two rows whose control the window locks at times.
bool n_count_offered(const Game& game, SettingValue value);
bool system_offered(const Game& game, SettingValue value);

namespace setting_rows_detail {

template <auto Member>
using MemberType = std::remove_cvref_t<decltype(std::declval<Parameters>().*Member)>;

// A member of Parameters seen as a SettingValue, whatever its own type.
template <auto Member>
SettingValue get(const Parameters& params) {
    const auto& value = params.*Member;
    using T = MemberType<Member>;
    if constexpr (std::is_same_v<T, bool>) {
        return value ? 1 : 0;
    } else if constexpr (std::is_enum_v<T>) {
        return row_of(value);
    } else {
        return value;
    }
}

template <auto Member>
void put(Parameters& params, SettingValue value) {
    using T = MemberType<Member>;
    if constexpr (std::is_same_v<T, bool>) {
        params.*Member = value.value_or(0) != 0;
    } else if constexpr (std::is_enum_v<T>) {
        params.*Member = static_cast<T>(value.value_or(0));
    } else if constexpr (std::is_same_v<T, int>) {
        params.*Member = value.value_or(0);
    } else {
        params.*Member = value;
    }
}

// A row with the part that follows from the member's type filled in: the
// kind, a selector's items and rows, whether a number may be empty.
template <auto Member>
constexpr SettingRow row(SettingRow named) {
    using T = MemberType<Member>;
    if constexpr (std::is_same_v<T, bool>) {
        named.kind = SettingKind::Switch;
        named.range = {0, 1};
    } else if constexpr (std::is_enum_v<T>) {
        named.kind = SettingKind::Selector;
        named.items = items_of<T>();
        named.range = {0, static_cast<int>(items_of<T>().size()) - 1};
    } else {
        named.kind = SettingKind::Number;
        named.may_be_empty = !std::is_same_v<T, int>;
    }
    named.get = &get<Member>;
    named.put = &put<Member>;
    return named;
}

using P = Parameters;
using Id = SettingId;

// The lab's words for the table's two rules, in the order of their items.
inline constexpr std::array<std::string_view, 3> kAtMaxWords{"cap", "reset", "stop"};
inline constexpr std::array<std::string_view, 2> kAtRuinWords{"stop", "play-on"};

// Each row names only what it uses; the rest keeps the defaults of SettingRow.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
inline constexpr std::array kRows{
    row<&P::GameModes>({.id = Id::GameModes,
                        .label = "Mode:",
                        .journal_key = "Mode",
                        .stored_key = "GameModes",
                        .lab_option = "mode",
                        .lab_value = "MODE",
                        .help = "the predictor",
                        .what = "a game mode",
                        .lab = true}),
    row<&P::BettingType>({.id = Id::BettingType,
                          .label = "Bet. Type:",
                          .journal_key = "Bet. Type",
                          .stored_key = "BettingType",
                          .lab_option = "type",
                          .lab_value = "1|2",
                          .help = "one sector a spin, or two of one family",
                          .what = "a betting type",
                          .lab = true,
                          .on_change = &BettingTypeChange}),
    row<&P::BettingSystem>({.id = Id::BettingSystem,
                            .label = "Betting System:",
                            .journal_key = "Betting System",
                            .stored_key = "BettingSystem",
                            .lab_option = "system",
                            .lab_value = "SYSTEM",
                            .help = "the progression; the softer two have no table for type 2",
                            .what = "a betting system",
                            .lab = true,
                            .offered = &system_offered}),
    row<&P::BettingSectors>({.id = Id::BettingSectors,
                             .label = "Betting Sectors:",
                             .journal_key = "Betting Sectors",
                             .stored_key = "BettingSectors",
                             .lab_option = "sectors",
                             .lab_value = "SECTORS",
                             .help = "the sectors bet on",
                             .what = "a choice of betting sectors",
                             .lab = true}),
    row<&P::Safe_Level>({.id = Id::Safe_Level,
                         .label = "Safe Level:",
                         .journal_key = "Safe Level",
                         .stored_key = "Safe_Level",
                         .lab_option = "safe-level",
                         .lab_value = "N",
                         .help = "after a win the bets stay virtual until N losses have passed",
                         .what = "a safe level",
                         .lab = true,
                         .range = {0, kMaxSafeLevel},
                         .listed = true,
                         .on_change = &Safe_LevelChange}),
    row<&P::profit_aim_rule>({.id = Id::profit_aim_rule,
                              .label = "Bet Auto-Reset aim",
                              .journal_key = "Auto-Reset aim",
                              .stored_key = "profit_aim",
                              .lab = true}),
    row<&P::Losses_Type>({.id = Id::Losses_Type,
                          .label = "Losses",
                          .journal_key = "Losses count",
                          .stored_key = "Losses_Type",
                          .lab = true}),
    row<&P::Losses_Action>({.id = Id::Losses_Action,
                            .label = "Losses action",
                            .journal_key = "Losses action",
                            .stored_key = "Losses_Action",
                            .lab = true}),
    row<&P::Wins_Type>({.id = Id::Wins_Type,
                        .label = "Wins",
                        .journal_key = "Wins count",
                        .stored_key = "Wins_Type",
                        .lab = true}),
    row<&P::Wins_Action>({.id = Id::Wins_Action,
                          .label = "Wins action",
                          .journal_key = "Wins action",
                          .stored_key = "Wins_Action",
                          .lab = true}),
    row<&P::N_Count>({.id = Id::N_Count,
                      .label = "N. Count:",
                      .journal_key = "N. Count",
                      .stored_key = "N_Count",
                      .lab_option = "n-count",
                      .lab_value = "N",
                      .help = "spins the \"ADAPTIVE 4.1\" matrix is scored on; the matrix is "
                              "created before the first number",
                      .what = "an N. Count",
                      .lab = true,
                      .range = kN_CountRange,
                      .offered = &n_count_offered}),
    row<&P::Init_Bet>({.id = Id::Init_Bet,
                       .label = "Init. Bet:",
                       .journal_key = "Init. Bet",
                       .stored_key = "Init_Bet",
                       .lab_option = "base-bet",
                       .lab_value = "N",
                       .help = "the base bet",
                       .what = "a base bet",
                       .lab = true,
                       .range = kInit_BetRange,
                       .on_change = &Init_BetChange}),
    row<&P::CSpinEdit1>({.id = Id::CSpinEdit1,
                         .label = "TEST BANK:",
                         .journal_key = "TEST BANK",
                         .stored_key = "CSpinEdit1",
                         .lab_option = "bankroll",
                         .lab_value = "N",
                         .help = "the starting test bankroll",
                         .what = "a bankroll",
                         .lab = true,
                         .range = kCSpinEdit1Range,
                         .on_change = &CSpinEdit1Change}),
    row<&P::ProfitUnits>({.id = Id::ProfitUnits,
                          .label = "Set units:",
                          .journal_key = "Set units",
                          .stored_key = "ProfitUnits",
                          .lab = true,
                          .range = kProfitUnitsRange,
                          .on_change = &ProfitUnitsChange}),
    row<&P::Losses_HowMuch>({.id = Id::Losses_HowMuch,
                             .label = "AFTER:",
                             .journal_key = "Losses AFTER",
                             .stored_key = "Losses_HowMuch",
                             .lab = true,
                             .range = kRuleValueRange}),
    row<&P::Losses_ActionValue>({.id = Id::Losses_ActionValue,
                                 .label = "Losses value",
                                 .journal_key = "Losses value",
                                 .stored_key = "Losses_ActionValue",
                                 .lab = true,
                                 .range = kRuleValueRange}),
    row<&P::Wins_HowMuch>({.id = Id::Wins_HowMuch,
                           .label = "AFTER:",
                           .journal_key = "Wins AFTER",
                           .stored_key = "Wins_HowMuch",
                           .lab = true,
                           .range = kRuleValueRange}),
    row<&P::Wins_ActionValue>({.id = Id::Wins_ActionValue,
                               .label = "Wins value",
                               .journal_key = "Wins value",
                               .stored_key = "Wins_ActionValue",
                               .lab = true,
                               .range = kRuleValueRange}),
    row<&P::ChBx_TestBankroll>({.id = Id::ChBx_TestBankroll,
                                .label = "TEST BANK:",
                                .journal_key = "TEST BANK box",
                                .stored_key = "ChBx_TestBankroll"}),
    row<&P::CheckBox_Blind>({.id = Id::CheckBox_Blind,
                             .label = "Bet Auto-Reset:",
                             .journal_key = "Bet Auto-Reset",
                             .stored_key = "CheckBox_Blind",
                             .lab_option = "auto-reset",
                             .lab_value = "on|off",
                             .help = "back to the base bet at the profit aim",
                             .lab = true}),
    row<&P::ChBx_Get_Minimal_Profit>({.id = Id::ChBx_Get_Minimal_Profit,
                                      .label = "Get Minimal Profit",
                                      .journal_key = "Get Minimal Profit",
                                      .stored_key = "ChBx_Get_Minimal_Profit",
                                      .lab_option = "minimal-profit",
                                      .lab_value = "on|off",
                                      .help = "lower the stake after a win",
                                      .lab = true}),
    row<&P::ChBx_ProfitBet>({.id = Id::ChBx_ProfitBet,
                             .label = "Profit Bet Size",
                             .journal_key = "Profit Bet Size",
                             .stored_key = "ChBx_ProfitBet"}),
    row<&P::CheckBox1>({.id = Id::CheckBox1,
                        .label = "Show Bet Size",
                        .journal_key = "Show Bet Size",
                        .stored_key = "CheckBox1"}),
    row<&P::ChBx_Show_Numbers_In_Game>({.id = Id::ChBx_Show_Numbers_In_Game,
                                        .label = "Show numbers In game",
                                        .journal_key = "Show numbers In game",
                                        .stored_key = "ChBx_Show_Numbers_In_Game"}),
    row<&P::ChBx_ManualBetReset>({.id = Id::ChBx_ManualBetReset,
                                  .label = "Manual Bet Reset",
                                  .journal_key = "Manual Bet Reset box",
                                  .stored_key = "ChBx_ManualBetReset"}),
    row<&P::table_min>({.id = Id::table_min,
                        .label = "Table minimum:",
                        .journal_key = "Table minimum",
                        .stored_key = "table_min",
                        .lab_option = "table-min",
                        .lab_value = "N|none",
                        .help = "the table's least stake on a sector; a smaller stake is raised to it",
                        .what = "a table minimum",
                        .lab = true,
                        .range = kTableLimitRange,
                        .off_text = "none"}),
    row<&P::table_max>({.id = Id::table_max,
                        .label = "Table maximum:",
                        .journal_key = "Table maximum",
                        .stored_key = "table_max",
                        .lab_option = "table-max",
                        .lab_value = "N|none",
                        .help = "the table's largest stake on a sector",
                        .what = "a table maximum",
                        .lab = true,
                        .range = kTableLimitRange,
                        .off_text = "none"}),
    row<&P::at_max>({.id = Id::at_max,
                     .label = "At the maximum:",
                     .journal_key = "At the maximum",
                     .stored_key = "at_max",
                     .lab_option = "at-max",
                     .lab_value = "cap|reset|stop",
                     .help = "a stake above the maximum is capped, goes back to the base bet, "
                             "or ends the session",
                     .what = "a rule at the maximum",
                     .lab = true,
                     .lab_items = kAtMaxWords}),
    row<&P::stop_loss>({.id = Id::stop_loss,
                        .label = "Stop-loss:",
                        .journal_key = "Stop-loss",
                        .stored_key = "stop_loss",
                        .lab_option = "stop-loss",
                        .lab_value = "N|off",
                        .help = "end once the bankroll is at or below N",
                        .what = "a stop-loss",
                        .lab = true,
                        .range = kStopAmountRange,
                        .off_text = "off"}),
    row<&P::take_profit>({.id = Id::take_profit,
                          .label = "Take-profit:",
                          .journal_key = "Take-profit",
                          .stored_key = "take_profit",
                          .lab_option = "take-profit",
                          .lab_value = "N|off",
                          .help = "end once the bankroll is at or above N",
                          .what = "a take-profit",
                          .lab = true,
                          .range = kStopAmountRange,
                          .off_text = "off"}),
    row<&P::max_spins>({.id = Id::max_spins,
                        .label = "At most spins:",
                        .journal_key = "At most spins",
                        .stored_key = "max_spins",
                        .lab_option = "max-spins",
                        .lab_value = "N|off",
                        .help = "end after N spins",
                        .what = "a number of spins",
                        .lab = true,
                        .range = kMaxSpinsRange,
                        .off_text = "off"}),
    row<&P::at_ruin>({.id = Id::at_ruin,
                      .label = "When the bankroll cannot pay:",
                      .journal_key = "At ruin",
                      .stored_key = "at_ruin",
                      .lab_option = "at-ruin",
                      .lab_value = "stop|play-on",
                      .help = "when the bankroll cannot pay the next bet, end the session, or play "
                              "on with money the player does not have",
                      .what = "a rule at ruin",
                      .lab = true,
                      .lab_default = row_of(AtRuinRule::Stop),
                      .lab_items = kAtRuinWords}),
};
#pragma GCC diagnostic pop

constexpr bool in_id_order() {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (static_cast<std::size_t>(kRows[i].id) != i) return false;
    }
    return true;
}
static_assert(in_id_order(), "the rows stand in the order of SettingId");

}  // namespace setting_rows_detail

// The rows, in the order of SettingId.
inline std::span<const SettingRow> setting_rows() {
    return setting_rows_detail::kRows;
}
inline const SettingRow& setting_row(SettingId id) {
    return setting_rows_detail::kRows[static_cast<std::size_t>(id)];
}

// The row with that name, or null.
const SettingRow* setting_by_journal_key(std::string_view key);
const SettingRow* setting_by_stored_key(std::string_view key);
const SettingRow* setting_by_lab_option(std::string_view option);

inline SettingValue value_of(const Parameters& params, SettingId id) {
    return setting_row(id).get(params);
}

// The item a selector's value names, or a number's digits; a switch reads
// "true" or "false" and an empty field "". The same texts the journal and the
// stored settings keep.
std::string setting_text(const SettingRow& row, SettingValue value);

// Reads a value written by setting_text. Empty when the text names no value
// this setting can hold.
std::optional<SettingValue> setting_from_text(const SettingRow& row, std::string_view text);

// What a setting takes, for a message: "a whole number from 1 to 1000000",
// "one of \"Losses\", \"Losses In A Row\"", "true or false".
std::string setting_takes(const SettingRow& row);

}  // namespace quorvel
