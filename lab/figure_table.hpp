// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "lab/run_report.hpp"

namespace quorvel {

// How a figure reads.
enum class FigureFormat {
    Count,        // a whole count: 1,589
    Money,        // betting units: -4,968
    SignedMoney,  // a gain or a loss: +38, -12
    Hundredths,   // units to the hundredth: 147.14
    Share,        // a fraction, shown as a percent to a tenth: 32.0 %
    Probability,  // a p-value: 0.64, 0.003, < 0.001
    Spin,         // the number of a spin, or none
    YesNo,        // true or false
    Text,         // a word of a fixed list: "ran out"
};

// A figure's value for one run: a whole number, a real one, or none (a hit
// rate without predictions, a comparison that was not made).
struct FigureValue {
    enum class Kind { None, Whole, Real, Flag, Text };
    Kind kind = Kind::None;
    std::int64_t whole = 0;
    double real = 0;
    std::string_view text;

    static FigureValue none() { return {}; }
    static FigureValue of(std::int64_t value) { return {Kind::Whole, value, 0, {}}; }
    static FigureValue of_real(double value) { return {Kind::Real, 0, value, {}}; }
    static FigureValue flag(bool value) { return {Kind::Flag, value ? 1 : 0, 0, {}}; }
    static FigureValue of_text(std::string_view text) { return {Kind::Text, 0, 0, text}; }
    bool present() const { return kind != Kind::None; }
    // The value as a number to sort by; none sorts below every value.
    double number() const;
};

// One figure of a run, named once for every place that shows it: the JSON
// key and CSV column, the player's words in the window, the terminal table's
// short column heading and how it is written.
struct Figure {
    std::string_view key;      // "max_drawdown"
    std::string_view label;    // "Max drawdown"
    std::string_view heading;  // "Drawdown"; empty when the terminal table leaves it out
    FigureFormat format;
    FigureValue (*value)(const RunReport& run);
    // The terminal table shows the column only when some run has a value
    // other than zero or none in it.
    bool only_when_used = false;
};

// Every figure of a run, in the order the lab reports them.
std::span<const Figure> figure_table();

// The figure with this key; throws std::out_of_range for a key the table
// does not hold, so a misspelt key fails at once instead of showing a blank.
const Figure& figure_named(std::string_view key);

// The value as JSON and CSV write it: exact whole numbers, reals to fifteen
// significant digits, true/false, and null for none.
std::string data_text(const Figure& figure, const RunReport& run);

// The value as a player reads it: thousands grouped, shares as percents,
// p-values to two significant places, "-" for none.
std::string shown_figure(const Figure& figure, const RunReport& run);

// Thousands grouped with commas: 707,492.
std::string grouped(std::int64_t value);
// A share as a percent to a tenth, without the sign: "32.0".
std::string percent_text(double share);
// A p-value as a player reads it: "0.64", "0.012", "< 0.001".
std::string p_value_text(double p);

}  // namespace quorvel
