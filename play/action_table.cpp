// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/action_table.hpp"

#include <array>

#include "play/session.hpp"

namespace quorvel {

namespace {

using A = ActionArgument;
using Id = ActionId;

Sector sector_at(std::optional<int> index) {
    return kAllSectors[static_cast<std::size_t>(index.value_or(0))];
}

// The keys are the window's own words where it has them; they may not
// change, since old journals are read by them.
const std::array<ActionRow, 11> kRows{{
    {Id::Number, "number", A::Number, {0, kNumberCount - 1},
     [](Session& s, std::optional<int> n) { return s.enter_number(n.value_or(-1)); }},
    {Id::PauseEnd, "pause end", A::True, {},
     [](Session& s, std::optional<int>) { return s.end_analysis_pause(); }},
    {Id::Undo, "undo", A::True, {}, [](Session& s, std::optional<int>) { return s.undo(); }},
    {Id::TrendMark, "trend mark", A::Sector, {},
     [](Session& s, std::optional<int> i) { return s.set_trend_mark(sector_at(i)); }},
    {Id::ClearTrendMark, "clear trend mark", A::Sector, {},
     [](Session& s, std::optional<int> i) { return s.clear_trend_mark(sector_at(i)); }},
    {Id::CreateMatrix, "CREATE MATRIX", A::True, {},
     [](Session& s, std::optional<int>) { return s.create_matrix(); }},
    {Id::ResetMatrix, "Reset Matrix", A::True, {},
     [](Session& s, std::optional<int>) { return s.reset_matrix(); }},
    {Id::ManualBetReset, "Manual Bet Reset", A::True, {},
     [](Session& s, std::optional<int>) { return s.manual_bet_reset(); }},
    {Id::SetBankroll, "SET BANKROLL", A::TestBank, {},
     [](Session& s, std::optional<int>) { return s.set_bankroll(); }},
    {Id::FocusSink, "focus sink", A::Entry, kFocusCatchRange,
     [](Session& s, std::optional<int> entry) { return s.set_focus_sink(entry); }},
    {Id::PlayOn, "play on", A::True, {}, [](Session& s, std::optional<int>) { return s.play_on(); }},
}};

}  // namespace

std::span<const ActionRow> action_rows() {
    return kRows;
}

const ActionRow& action_row(ActionId id) {
    return kRows[static_cast<std::size_t>(id)];
}

const ActionRow* action_by_key(std::string_view key) {
    for (const ActionRow& row : kRows) {
        if (row.key == key) return &row;
    }
    return nullptr;
}

}  // namespace quorvel
