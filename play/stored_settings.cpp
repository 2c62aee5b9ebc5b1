// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/stored_settings.hpp"

#include <array>
#include <charconv>
#include <cstdlib>
#include <optional>

#include "play/session.hpp"

namespace quorvel {

namespace {

constexpr std::array<std::pair<ProfitAimRule, std::string_view>, 3> kAims{{
    {ProfitAimRule::OnAnyProfit, "On any profit"},
    {ProfitAimRule::OnEqual, "On profit or equal"},
    {ProfitAimRule::SetUnits, "Set units"},
}};

std::string field_text(const std::optional<int>& value) {
    return value ? std::to_string(*value) : std::string();
}

std::string flag_text(bool on) {
    return on ? "true" : "false";
}

std::string aim_text(ProfitAimRule rule) {
    for (const auto& [r, text] : kAims) {
        if (r == rule) return std::string(text);
    }
    return {};
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// A field: a number within its range, or empty.
std::string read_field(std::string_view value, SpinRange range, std::optional<int>& out) {
    if (value.empty()) {
        out.reset();
        return {};
    }
    int number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || number < range.minimum ||
        number > range.maximum) {
        return quoted(value) + " is not a number from " + std::to_string(range.minimum) + " to " +
               std::to_string(range.maximum);
    }
    out = number;
    return {};
}

std::string read_flag(std::string_view value, bool& out) {
    if (value == "true") {
        out = true;
    } else if (value == "false") {
        out = false;
    } else {
        return quoted(value) + " is neither true nor false";
    }
    return {};
}

template <typename E>
std::string read_item(std::string_view value, E& out) {
    const auto items = items_of<E>();
    for (std::size_t row = 0; row < items.size(); ++row) {
        if (items[row] == value) {
            out = static_cast<E>(row);
            return {};
        }
    }
    std::string list;
    for (std::string_view item : items)
        list += (list.empty() ? "" : ", ") + quoted(item);
    return quoted(value) + " is not one of " + list;
}

using FieldSetter = bool (Session::*)(std::optional<int>);
using FlagSetter = bool (Session::*)(bool);

struct FieldKey {
    std::string_view key;
    std::optional<int> Parameters::*member;
    SpinRange range;
    FieldSetter set;
};

struct FlagKey {
    std::string_view key;
    bool Parameters::*member;
    FlagSetter set;
};

const std::array<FieldKey, 7> kFields{{
    {"N_Count", &Parameters::N_Count, kN_CountRange, &Session::set_n_count},
    {"Init_Bet", &Parameters::Init_Bet, kInit_BetRange, &Session::set_init_bet},
    {"CSpinEdit1", &Parameters::CSpinEdit1, kCSpinEdit1Range, &Session::set_test_bank},
    {"ProfitUnits", &Parameters::ProfitUnits, kProfitUnitsRange, &Session::set_profit_units},
    {"Losses_HowMuch", &Parameters::Losses_HowMuch, kRuleValueRange, &Session::set_losses_how_much},
    {"Losses_ActionValue", &Parameters::Losses_ActionValue, kRuleValueRange,
     &Session::set_losses_value},
    {"Wins_HowMuch", &Parameters::Wins_HowMuch, kRuleValueRange, &Session::set_wins_how_much},
}};

const FieldKey kWinsValue{"Wins_ActionValue", &Parameters::Wins_ActionValue, kRuleValueRange,
                          &Session::set_wins_value};

const std::array<FlagKey, 7> kFlags{{
    {"ChBx_TestBankroll", &Parameters::ChBx_TestBankroll, &Session::set_test_bank_shown},
    {"CheckBox_Blind", &Parameters::CheckBox_Blind, &Session::set_auto_reset},
    {"ChBx_Get_Minimal_Profit", &Parameters::ChBx_Get_Minimal_Profit, &Session::set_minimal_profit},
    {"ChBx_ProfitBet", &Parameters::ChBx_ProfitBet, &Session::set_profit_bet},
    {"CheckBox1", &Parameters::CheckBox1, &Session::set_show_bet_size},
    {"ChBx_Show_Numbers_In_Game", &Parameters::ChBx_Show_Numbers_In_Game,
     &Session::set_show_numbers},
    {"ChBx_ManualBetReset", &Parameters::ChBx_ManualBetReset, &Session::set_manual_reset_allowed},
}};

}  // namespace

std::vector<std::pair<std::string_view, std::string>> stored_settings(const Parameters& p) {
    std::vector<std::pair<std::string_view, std::string>> out{
        {"GameModes", std::string(text_of(p.GameModes))},
        {"BettingType", std::string(text_of(p.BettingType))},
        {"BettingSystem", std::string(text_of(p.BettingSystem))},
        {"BettingSectors", std::string(text_of(p.BettingSectors))},
        {"Safe_Level", std::to_string(p.Safe_Level)},
        {"profit_aim", aim_text(p.profit_aim_rule)},
        {"Losses_Type", std::string(text_of(p.Losses_Type))},
        {"Losses_Action", std::string(text_of(p.Losses_Action))},
        {"Wins_Type", std::string(text_of(p.Wins_Type))},
        {"Wins_Action", std::string(text_of(p.Wins_Action))},
    };
    for (const FieldKey& f : kFields)
        out.emplace_back(f.key, field_text(p.*f.member));
    out.emplace_back(kWinsValue.key, field_text(p.*kWinsValue.member));
    for (const FlagKey& f : kFlags)
        out.emplace_back(f.key, flag_text(p.*f.member));
    return out;
}

std::vector<std::string_view> stored_setting_keys() {
    std::vector<std::string_view> keys;
    for (const auto& [key, value] : stored_settings(Parameters{}))
        keys.push_back(key);
    return keys;
}

std::string apply_stored_setting(Session& s, std::string_view key, std::string_view value) {
    Parameters p = s.params();
    std::string error;
    if (key == "GameModes") {
        if ((error = read_item(value, p.GameModes)).empty()) s.set_mode(p.GameModes);
    } else if (key == "BettingType") {
        if ((error = read_item(value, p.BettingType)).empty()) s.set_type(p.BettingType);
    } else if (key == "BettingSystem") {
        if ((error = read_item(value, p.BettingSystem)).empty() && !s.set_system(p.BettingSystem)) {
            error = quoted(value) + " has no table for betting type " +
                    std::string(text_of(s.params().BettingType));
        }
    } else if (key == "BettingSectors") {
        if ((error = read_item(value, p.BettingSectors)).empty()) s.set_sectors(p.BettingSectors);
    } else if (key == "Safe_Level") {
        std::optional<int> level;
        if ((error = read_field(value, SpinRange{0, kMaxSafeLevel}, level)).empty()) {
            if (!level) return quoted(value) + " is not a level from 0 to 20";
            s.set_safe_level(*level);
        }
    } else if (key == "profit_aim") {
        for (const auto& [rule, text] : kAims) {
            if (text == value) {
                s.set_aim(rule);
                return {};
            }
        }
        error = quoted(value) + " is not one of \"On any profit\", \"On profit or equal\", " +
                "\"Set units\"";
    } else if (key == "Losses_Type") {
        if ((error = read_item(value, p.Losses_Type)).empty()) s.set_losses_type(p.Losses_Type);
    } else if (key == "Losses_Action") {
        if ((error = read_item(value, p.Losses_Action)).empty())
            s.set_losses_action(p.Losses_Action);
    } else if (key == "Wins_Type") {
        if ((error = read_item(value, p.Wins_Type)).empty()) s.set_wins_type(p.Wins_Type);
    } else if (key == "Wins_Action") {
        if ((error = read_item(value, p.Wins_Action)).empty()) s.set_wins_action(p.Wins_Action);
    } else {
        for (const FieldKey* f : {&kFields[0], &kFields[1], &kFields[2], &kFields[3], &kFields[4],
                                  &kFields[5], &kFields[6], &kWinsValue}) {
            if (f->key != key) continue;
            std::optional<int> entry;
            if ((error = read_field(value, f->range, entry)).empty()) (s.*(f->set))(entry);
            return error;
        }
        for (const FlagKey& f : kFlags) {
            if (f.key != key) continue;
            bool on = false;
            if ((error = read_flag(value, on)).empty()) (s.*(f.set))(on);
            return error;
        }
        return "there is no setting " + quoted(key);
    }
    return error;
}

std::string default_settings_path() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/')
        return std::string(config) + "/quorvel/quorvel.conf";
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return std::string(home) + "/.config/quorvel/quorvel.conf";
    return {};
}

}  // namespace quorvel
