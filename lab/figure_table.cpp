// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/figure_table.hpp"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "lab/session_log.hpp"
#include "money/table_rules.hpp"

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

bool made(const RunReport& run) {
    return run.chance && run.chance->sessions > 0;
}

V chance_final(const RunReport& run, std::size_t band) {
    return made(run) ? V::of_real(run.chance->final_percentiles[band]) : V::none();
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
    // Money brought or taken with "SET BANKROLL": apart from the winnings.
    {"adjustments", "Adjustments", "Adjusted", FigureFormat::SignedMoney,
     [](const RunReport& r) { return V::of(r.figures.adjustments); }, true},
    {"final_bankroll", "Final bankroll", "Final", FigureFormat::Money,
     [](const RunReport& r) { return V::of(r.figures.final_bankroll); }},
    {"net", "Net", "Profit", FigureFormat::SignedMoney,
     [](const RunReport& r) { return V::of(net_of(r.figures)); }},
    {"max_bank", "Max bank", "Max bank", FigureFormat::Money,
     [](const RunReport& r) { return V::of(r.figures.max_bank); }},
    {"min_bankroll", "Min bankroll", "Lowest", FigureFormat::Money,
     [](const RunReport& r) { return V::of(r.figures.min_bankroll); }},
    {"ran_out_at", "Ran out at spin", "Ran out", FigureFormat::Spin,
     [](const RunReport& r) {
         return r.figures.ran_out_at != 0 ? V::of(r.figures.ran_out_at) : V::none();
     },
     true},
    {"stopped_at", "Ended at spin", "Ended", FigureFormat::Spin,
     [](const RunReport& r) {
         return r.figures.stopped_at != 0 ? V::of(r.figures.stopped_at) : V::none();
     },
     true},
    {"stop_reason", "Ended by", "Ended by", FigureFormat::Text,
     [](const RunReport& r) {
         return r.figures.stop_reason != StopReason::None
                    ? V::of_text(stop_reason_key(r.figures.stop_reason))
                    : V::none();
     },
     true},
    {"max_drawdown", "Max drawdown", "Drawdown", FigureFormat::Money,
     [](const RunReport& r) { return V::of(r.figures.max_drawdown); }},
    {"longest_losing_streak", "Losing streak", "Lost run", FigureFormat::Count,
     [](const RunReport& r) { return V::of(r.figures.longest_losing_streak); }},
    {"largest_stake", "Largest stake", "Top stake", FigureFormat::Money,
     [](const RunReport& r) { return V::of(r.figures.largest_stake); }},
    {"expected_loss", "Expected loss", "Exp. loss", FigureFormat::Hundredths,
     [](const RunReport& r) { return V::of_real(r.figures.expected_loss); }},
    {"expected_final", "Expected final", "", FigureFormat::Hundredths,
     [](const RunReport& r) { return V::of_real(r.figures.expected_final); }},
    // The hit rate against chance: exact, for every run.
    {"predictions", "Predictions", "", FigureFormat::Count,
     [](const RunReport& r) { return V::of(r.hit.predictions); }},
    {"predictions_won", "Predictions won", "", FigureFormat::Count,
     [](const RunReport& r) { return V::of(r.hit.won); }},
    {"hit_rate", "Hit rate", "Hit rate", FigureFormat::Share,
     [](const RunReport& r) { return r.hit.any() ? V::of_real(r.hit.rate) : V::none(); }},
    {"chance_hit_rate", "Chance hit rate", "", FigureFormat::Share,
     [](const RunReport& r) { return V::of_real(r.hit.chance); }},
    {"hit_rate_low", "Hit rate, 95 % from", "", FigureFormat::Share,
     [](const RunReport& r) { return r.hit.any() ? V::of_real(r.hit.interval.low) : V::none(); }},
    {"hit_rate_high", "Hit rate, 95 % to", "", FigureFormat::Share,
     [](const RunReport& r) { return r.hit.any() ? V::of_real(r.hit.interval.high) : V::none(); }},
    {"hit_rate_p", "Chance does as well (p)", "p", FigureFormat::Probability,
     [](const RunReport& r) { return r.hit.any() ? V::of_real(r.hit.p) : V::none(); }},
    // In a grid, after the step-down over the fair grids.
    {"adjusted_p", "Adjusted p", "adjusted p", FigureFormat::Probability,
     [](const RunReport& r) { return r.adjusted_p ? V::of_real(*r.adjusted_p) : V::none(); }, true},
    {"beats_chance", "Beats chance", "", FigureFormat::YesNo,
     [](const RunReport& r) { return V::flag(beats_chance(r)); }},
    // What chance alone does with the same settings, when it was played.
    {"chance_sessions", "Chance sessions", "", FigureFormat::Count,
     [](const RunReport& r) { return V::of(r.chance ? r.chance->sessions : 0); }},
    {"chance_seed", "Chance seed", "", FigureFormat::Count,
     [](const RunReport& r) { return V::of(r.settings.seed); }},
    {"chance_final_p5", "Chance final, 5 %", "", FigureFormat::Hundredths,
     [](const RunReport& r) { return chance_final(r, 0); }},
    {"chance_final_p25", "Chance final, 25 %", "", FigureFormat::Hundredths,
     [](const RunReport& r) { return chance_final(r, 1); }},
    {"chance_final_p50", "Chance final, median", "", FigureFormat::Hundredths,
     [](const RunReport& r) { return chance_final(r, 2); }},
    {"chance_final_p75", "Chance final, 75 %", "", FigureFormat::Hundredths,
     [](const RunReport& r) { return chance_final(r, 3); }},
    {"chance_final_p95", "Chance final, 95 %", "", FigureFormat::Hundredths,
     [](const RunReport& r) { return chance_final(r, 4); }},
    {"chance_final_mean", "Chance final, mean", "", FigureFormat::Hundredths,
     [](const RunReport& r) { return made(r) ? V::of_real(r.chance->final_mean) : V::none(); }},
    {"chance_expected_final", "Chance expected final", "", FigureFormat::Hundredths,
     [](const RunReport& r) { return made(r) ? V::of_real(r.chance->expected_final) : V::none(); }},
    {"chance_ahead", "Chance sessions ahead", "", FigureFormat::Share,
     [](const RunReport& r) { return made(r) ? V::of_real(r.chance->ahead) : V::none(); }},
    {"chance_ran_out", "Chance sessions out of money", "", FigureFormat::Share,
     [](const RunReport& r) { return made(r) ? V::of_real(r.chance->ran_out) : V::none(); }},
    {"chance_stop_loss", "Chance sessions ended by the stop-loss", "", FigureFormat::Share,
     [](const RunReport& r) { return made(r) ? V::of_real(r.chance->stop_loss) : V::none(); }},
    {"chance_take_profit", "Chance sessions ended by the take-profit", "", FigureFormat::Share,
     [](const RunReport& r) { return made(r) ? V::of_real(r.chance->take_profit) : V::none(); }},
    {"chance_as_good", "Chance does as well", "", FigureFormat::Share,
     [](const RunReport& r) { return made(r) ? V::of_real(r.chance->as_good) : V::none(); }},
    // In a grid: the row's own fair sessions on the fair grids.
    {"row_as_good", "Own fair sessions as good", "", FigureFormat::Share,
     [](const RunReport& r) { return r.row_as_good ? V::of_real(*r.row_as_good) : V::none(); }},
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
        case Kind::Text:
            return 0;
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
        case FigureValue::Kind::Text:
            // Words of a fixed list, which need no escape.
            return '"' + std::string(value.text) + '"';
        case FigureValue::Kind::Real:
            break;
    }
    // Fifteen significant digits: what a double holds, without the noise of
    // a seventeenth.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value.real);
    return buffer;
}

std::string shown_figure(const Figure& figure, const RunReport& run) {
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
        case FigureFormat::Text:
            return std::string(value.text);
    }
    return {};
}

}  // namespace quorvel
