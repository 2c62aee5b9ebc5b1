// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/figure_table.hpp"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "lab/session_log.hpp"

namespace quorvel {

namespace {

using V = FigureValue;

std::string decimals(double value, int places) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
    return buffer;
}

// Two decimals with the whole part grouped: 24,211,208.49.
std::string grouped_decimals(double value) {
    const std::string text = decimals(value, 2);
    const std::size_t point = text.find('.');
    const bool negative = text.front() == '-';
    const std::string whole = grouped(std::llabs(std::stoll(text.substr(0, point))));
    return (negative ? "-" : "") + whole + text.substr(point);
}

// The figures, in the order of the JSON line and the CSV columns. The
// terminal table shows those with a heading, in this order.
const Figure kFigures[] = {
    {"spins", "Spins", "", FigureFormat::Count,
     [](const RunReport& r) { return V::of(r.figures.spins); }},
    {"bets", "Bets", "Bets", FigureFormat::Count,
     [](const RunReport& r) { return V::of(r.figures.bets); }},
    {"wins", "Wins", "", FigureFormat::Count,
     [](const RunReport& r) { return V::of(r.figures.wins); }},
    {"losses", "Losses", "", FigureFormat::Count,
     [](const RunReport& r) { return V::of(r.figures.losses); }},
    {"virtual_bets", "Virtual bets", "Virtual", FigureFormat::Count,
     [](const RunReport& r) { return V::of(r.figures.virtual_bets); }, true},
    {"wagered", "Wagered", "Wagered", FigureFormat::Money,
     [](const RunReport& r) { return V::of(r.figures.wagered); }},
    {"paid", "Paid", "Paid", FigureFormat::Money,
     [](const RunReport& r) { return V::of(r.figures.paid); }},
    {"final_bankroll", "Final bankroll", "Final", FigureFormat::Money,
     [](const RunReport& r) { return V::of(r.figures.final_bankroll); }},
    {"net", "Net", "Profit", FigureFormat::SignedMoney,
     [](const RunReport& r) { return V::of(net_of(r.figures)); }},
    {"max_bank", "Max bank", "Max bank", FigureFormat::Money,
     [](const RunReport& r) { return V::of(r.figures.max_bank); }},
    {"min_bankroll", "Min bankroll", "Lowest", FigureFormat::Money,
     [](const RunReport& r) { return V::of(r.figures.min_bankroll); }},
    {"max_drawdown", "Max drawdown", "Drawdown", FigureFormat::Money,
     [](const RunReport& r) { return V::of(r.figures.max_drawdown); }},
    {"longest_losing_streak", "Losing streak", "Lost run", FigureFormat::Count,
     [](const RunReport& r) { return V::of(r.figures.longest_losing_streak); }},
    {"largest_stake", "Largest stake", "Top stake", FigureFormat::Money,
     [](const RunReport& r) { return V::of(r.figures.largest_stake); }},
    {"expected_loss", "Expected loss", "Exp. loss", FigureFormat::Hundredths,
     [](const RunReport& r) { return V::of_real(r.figures.expected_loss); }},
};

}  // namespace

double FigureValue::number() const {
    switch (kind) {
        case Kind::None:
            return -HUGE_VAL;
        case Kind::Whole:
        case Kind::Flag:
            return static_cast<double>(whole);
        case Kind::Real:
            return real;
    }
    return 0;
}

std::span<const Figure> figure_table() {
    return kFigures;
}

const Figure& figure_named(std::string_view key) {
    for (const Figure& figure : kFigures) {
        if (figure.key == key) return figure;
    }
    throw std::out_of_range("no run figure is called '" + std::string(key) + "'");
}

std::string grouped(std::int64_t value) {
    const bool negative = value < 0;
    std::string digits = std::to_string(value);
    if (negative) digits.erase(0, 1);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    if (negative) text.insert(text.begin(), '-');
    return text;
}

std::string percent_text(double share) {
    return decimals(100.0 * share, 1);
}

// Two significant places are all a p-value tells; below a thousandth, how far
// below does not change what it means.
std::string p_value_text(double p) {
    if (p < 0.001) return "< 0.001";
    if (p < 0.01) return decimals(p, 3);
    if (p >= 0.995) return "1.00";
    return decimals(p, 2);
}

std::string data_text(const Figure& figure, const RunReport& run) {
    const FigureValue value = figure.value(run);
    switch (value.kind) {
        case FigureValue::Kind::None:
            return "null";
        case FigureValue::Kind::Whole:
            return std::to_string(value.whole);
        case FigureValue::Kind::Flag:
            return value.whole != 0 ? "true" : "false";
        case FigureValue::Kind::Real:
            break;
    }
    // Fifteen significant digits: what a double holds, without the noise of
    // a seventeenth.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value.real);
    return buffer;
}

std::string shown_text(const Figure& figure, const RunReport& run) {
    const FigureValue value = figure.value(run);
    if (!value.present()) return "-";
    const double number = value.number();
    switch (figure.format) {
        case FigureFormat::Count:
        case FigureFormat::Money:
        case FigureFormat::Spin:
            return grouped(value.whole);
        case FigureFormat::SignedMoney:
            return (value.whole > 0 ? "+" : "") + grouped(value.whole);
        case FigureFormat::Hundredths:
            return grouped_decimals(number);
        case FigureFormat::Share:
            return percent_text(number) + " %";
        case FigureFormat::Probability:
            return p_value_text(number);
        case FigureFormat::YesNo:
            return value.whole != 0 ? "yes" : "no";
    }
    return {};
}

}  // namespace quorvel
