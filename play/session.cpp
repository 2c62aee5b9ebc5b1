// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "play/session.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <span>
#include <type_traits>
#include <utility>

#include "money/consistency.hpp"
#include "play/journal_line.hpp"

#ifndef QUORVEL_VERSION
#define QUORVEL_VERSION "unknown"
#endif

namespace quorvel {

void play_number(Game& game, int number) {
    enter_number(game, number);
    end_analysis_pause(game);
}

// The action names of the journal: the window's own words where it has them.
namespace key {
constexpr std::string_view kTime = "t";
constexpr std::string_view kNumber = "number";
constexpr std::string_view kPauseEnd = "pause end";
constexpr std::string_view kUndo = "undo";
constexpr std::string_view kTrendMark = "trend mark";
constexpr std::string_view kClearTrendMark = "clear trend mark";
constexpr std::string_view kCreateMatrix = "CREATE MATRIX";
constexpr std::string_view kResetMatrix = "Reset Matrix";
constexpr std::string_view kManualBetReset = "Manual Bet Reset";
constexpr std::string_view kSetBankroll = "SET BANKROLL";
constexpr std::string_view kMode = "Mode";
constexpr std::string_view kType = "Bet. Type";
constexpr std::string_view kSectors = "Betting Sectors";
constexpr std::string_view kSystem = "Betting System";
constexpr std::string_view kNCount = "N. Count";
constexpr std::string_view kInitBet = "Init. Bet";
constexpr std::string_view kTestBank = "TEST BANK";
constexpr std::string_view kTestBankShown = "TEST BANK box";
constexpr std::string_view kSafeLevel = "Safe Level";
constexpr std::string_view kAutoReset = "Bet Auto-Reset";
constexpr std::string_view kAim = "Auto-Reset aim";
constexpr std::string_view kProfitUnits = "Set units";
constexpr std::string_view kMinimalProfit = "Get Minimal Profit";
constexpr std::string_view kProfitBet = "Profit Bet Size";
constexpr std::string_view kShowBetSize = "Show Bet Size";
constexpr std::string_view kShowNumbers = "Show numbers In game";
constexpr std::string_view kManualResetAllowed = "Manual Bet Reset box";
constexpr std::string_view kLossesHowMuch = "Losses AFTER";
constexpr std::string_view kLossesType = "Losses count";
constexpr std::string_view kLossesAction = "Losses action";
constexpr std::string_view kLossesValue = "Losses value";
constexpr std::string_view kWinsHowMuch = "Wins AFTER";
constexpr std::string_view kWinsType = "Wins count";
constexpr std::string_view kWinsAction = "Wins action";
constexpr std::string_view kWinsValue = "Wins value";
constexpr std::string_view kFocusSink = "focus sink";
}  // namespace key

namespace {

// The texts of the three profit-aim radio buttons.
constexpr std::array<std::string_view, 3> kAimTexts{"On any profit", "Set units",
                                                    "On profit or equal"};

std::string_view aim_text_of(ProfitAimRule rule) {
    return kAimTexts[static_cast<std::size_t>(rule)];
}

std::int64_t system_now() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

}  // namespace

Session::Session(Clock clock)
    : clock_(std::move(clock)), action_time_(std::make_shared<std::int64_t>(0)) {
    start_ = clock_ ? clock_() : system_now();
    last_time_ = start_;
    *action_time_ = start_;
    attach_clock();
    write_header();
}

// A copy is a session of its own: it draws from its own second, and its
// lines go nowhere until it is given a sink.
Session::Session(const Session& other)
    : game_(other.game_),
      clock_(other.clock_),
      action_time_(std::make_shared<std::int64_t>(*other.action_time_)),
      replay_time_(other.replay_time_),
      start_(other.start_),
      last_time_(other.last_time_),
      last_written_time_(other.last_written_time_),
      journal_(other.journal_),
      actions_(other.actions_) {
    attach_clock();
}

Session& Session::operator=(const Session& other) {
    if (this != &other) *this = Session(other);
    return *this;
}

// The moved game keeps reading the moved second, which the new owner keeps.
Session::Session(Session&& other) noexcept = default;
Session& Session::operator=(Session&& other) noexcept = default;
Session::~Session() = default;

void Session::attach_clock() {
    game_.random.set_clock([time = action_time_] { return *time; });
}

void Session::set_clock(Clock clock) {
    clock_ = std::move(clock);
}

void Session::write_header() {
    journal_ = "{\"format\":\"quorvel-session\",\"version\":";
    journal_ += std::to_string(kFormatVersion);
    journal_ += ",\"program\":";
    append_json_string(journal_, "Quorvel " QUORVEL_VERSION);
    journal_ += ",\"start\":";
    journal_ += std::to_string(start_);
    journal_ += "}\n";
}

std::int64_t Session::now() {
    const std::int64_t time = replay_time_ ? *replay_time_ : clock_ ? clock_() : system_now();
    *action_time_ = time;
    return time;
}

// A line names the second only when it differs from the line before: the
// many lines of one click (a number and its pause end) stay short.
void Session::record(std::string_view key, std::string_view json_value) {
    const std::size_t begin = journal_.size();
    const std::int64_t time = *action_time_;
    journal_ += '{';
    if (last_written_time_ != time) {
        journal_ += "\"t\":";
        journal_ += std::to_string(time);
        journal_ += ',';
        last_written_time_ = time;
    }
    append_json_string(journal_, key);
    journal_ += ':';
    journal_ += json_value;
    journal_ += "}\n";
    last_time_ = time;
    ++actions_;
    if (sink_) sink_(std::string_view(journal_).substr(begin));
}

void Session::record_int(std::string_view key, std::optional<std::int64_t> value) {
    record(key, value ? std::to_string(*value) : std::string("null"));
}

void Session::record_text(std::string_view key, std::string_view value) {
    std::string json;
    append_json_string(json, value);
    record(key, json);
}

void Session::record_bool(std::string_view key, bool value) {
    record(key, value ? "true" : "false");
}

// The window brings its money captions up to date after every engine call.
// A checked build (debug, sanitizers) also checks the books after every
// action and stops at the first that leaves them wrong, naming the action by
// its journal line; a release build compiles the check out.
void Session::after_action() {
    refresh_display(game_);
#ifdef QUORVEL_CHECK_BOOKS
    const std::string faults = inconsistencies(game_);
    if (!faults.empty()) {
        // The journal ends in a line end; its last line is the last action recorded.
        const std::string_view journal = std::string_view(journal_).substr(0, journal_.size() - 1);
        const std::size_t line = journal.rfind('\n');
        std::cerr << "quorvel: the books do not add up (the journal's last line: "
                  << journal.substr(line == std::string_view::npos ? 0 : line + 1) << "). "
                  << faults << '\n';
        std::abort();
    }
#endif
}

// The window lets only the open cells be clicked; a load plays every number
// of its file (also one just taken back), so the session turns away only what
// no entry can be: a number off the wheel, or one during the analysis pause.
bool Session::enter_number(int number) {
    if (number < 0 || number >= kNumberCount || analysis_running(game_)) return false;
    now();
    quorvel::enter_number(game_, number);
    record_int(key::kNumber, number);
    after_action();
    return true;
}

void Session::tick_analysis_pause() {
    if (!analysis_running(game_)) return;
    // The last step predicts the next bet, so every step reads the clock
    // first: the step that ends the pause runs at the second it records.
    now();
    Timer_AnalyseTimer(game_);
    if (!analysis_running(game_)) record_bool(key::kPauseEnd, true);
    after_action();
}

bool Session::end_analysis_pause() {
    if (!analysis_running(game_)) return false;
    now();
    quorvel::end_analysis_pause(game_);
    record_bool(key::kPauseEnd, true);
    after_action();
    return true;
}

bool Session::play_number(int number) {
    if (!enter_number(number)) return false;
    end_analysis_pause();
    return true;
}

bool Session::undo() {
    if (!game_.table.undo_offered) return false;
    now();
    Undo(game_);
    record_bool(key::kUndo, true);
    after_action();
    return true;
}

bool Session::set_trend_mark(Sector sector) {
    if (game_.table.trend_marks.contains(sector)) return false;
    now();
    quorvel::set_trend_mark(game_, sector);
    record_text(key::kTrendMark, name_of(sector));
    after_action();
    return true;
}

bool Session::clear_trend_mark(Sector sector) {
    if (!game_.table.trend_marks.contains(sector)) return false;
    now();
    quorvel::clear_trend_mark(game_, sector);
    record_text(key::kClearTrendMark, name_of(sector));
    after_action();
    return true;
}

void Session::tick_max_profit_flash() {
    Timer_MaxProfitTimer(game_);
    after_action();
}

bool Session::create_matrix() {
    if (!create_matrix_offered(game_)) return false;
    now();
    Adaptive_Matrix(game_);
    record_bool(key::kCreateMatrix, true);
    after_action();
    return true;
}

bool Session::reset_matrix() {
    if (!reset_matrix_offered(game_)) return false;
    now();
    Set_N_Count(game_);
    record_bool(key::kResetMatrix, true);
    after_action();
    return true;
}

bool Session::manual_bet_reset() {
    if (!game_.params.ChBx_ManualBetReset) return false;
    now();
    quorvel::manual_bet_reset(game_);
    record_bool(key::kManualBetReset, true);
    after_action();
    return true;
}

bool Session::set_bankroll() {
    if (!game_.params.CSpinEdit1) return false;
    now();
    quorvel::set_bankroll(game_);
    record_int(key::kSetBankroll, *game_.params.CSpinEdit1);
    after_action();
    return true;
}

void Session::record_value(std::string_view key, bool value) {
    record_bool(key, value);
}
void Session::record_value(std::string_view key, std::optional<int> value) {
    record_int(key, value ? std::optional<std::int64_t>(*value) : std::nullopt);
}
void Session::record_value(std::string_view key, ProfitAimRule value) {
    record_text(key, aim_text_of(value));
}

// A setting stores the player's choice, runs the handler its control runs,
// and records the choice as the control shows it.
template <typename T>
bool Session::change(T Parameters::*member, T value, std::string_view key, void (*handler)(Game&)) {
    if (game_.params.*member == value) return true;
    now();
    game_.params.*member = value;
    if (handler != nullptr) handler(game_);
    if constexpr (std::is_enum_v<T> && !std::is_same_v<T, ProfitAimRule>) {
        record_text(key, text_of(value));
    } else {
        record_value(key, value);
    }
    after_action();
    return true;
}

bool Session::set_mode(GameMode mode) {
    return change(&Parameters::GameModes, mode, key::kMode);
}
bool Session::set_type(BetType type) {
    return change(&Parameters::BettingType, type, key::kType, &BettingTypeChange);
}
bool Session::set_sectors(SectorChoice sectors) {
    return change(&Parameters::BettingSectors, sectors, key::kSectors);
}
bool Session::set_init_bet(std::optional<int> value) {
    return change(&Parameters::Init_Bet, value, key::kInitBet, &Init_BetChange);
}
bool Session::set_test_bank(std::optional<int> value) {
    return change(&Parameters::CSpinEdit1, value, key::kTestBank, &CSpinEdit1Change);
}
bool Session::set_test_bank_shown(bool on) {
    return change(&Parameters::ChBx_TestBankroll, on, key::kTestBankShown);
}
bool Session::set_auto_reset(bool on) {
    return change(&Parameters::CheckBox_Blind, on, key::kAutoReset);
}
bool Session::set_aim(ProfitAimRule rule) {
    return change(&Parameters::profit_aim_rule, rule, key::kAim);
}
bool Session::set_profit_units(std::optional<int> value) {
    return change(&Parameters::ProfitUnits, value, key::kProfitUnits, &ProfitUnitsChange);
}
bool Session::set_minimal_profit(bool on) {
    return change(&Parameters::ChBx_Get_Minimal_Profit, on, key::kMinimalProfit);
}
bool Session::set_profit_bet(bool on) {
    return change(&Parameters::ChBx_ProfitBet, on, key::kProfitBet);
}
bool Session::set_show_bet_size(bool on) {
    return change(&Parameters::CheckBox1, on, key::kShowBetSize);
}
bool Session::set_show_numbers(bool on) {
    return change(&Parameters::ChBx_Show_Numbers_In_Game, on, key::kShowNumbers);
}
bool Session::set_manual_reset_allowed(bool on) {
    return change(&Parameters::ChBx_ManualBetReset, on, key::kManualResetAllowed);
}
bool Session::set_losses_how_much(std::optional<int> value) {
    return change(&Parameters::Losses_HowMuch, value, key::kLossesHowMuch);
}
bool Session::set_losses_type(LossCount type) {
    return change(&Parameters::Losses_Type, type, key::kLossesType);
}
bool Session::set_losses_action(LossAction action) {
    return change(&Parameters::Losses_Action, action, key::kLossesAction);
}
bool Session::set_losses_value(std::optional<int> value) {
    return change(&Parameters::Losses_ActionValue, value, key::kLossesValue);
}
bool Session::set_wins_how_much(std::optional<int> value) {
    return change(&Parameters::Wins_HowMuch, value, key::kWinsHowMuch);
}
bool Session::set_wins_type(WinCount type) {
    return change(&Parameters::Wins_Type, type, key::kWinsType);
}
bool Session::set_wins_action(WinAction action) {
    return change(&Parameters::Wins_Action, action, key::kWinsAction);
}
bool Session::set_wins_value(std::optional<int> value) {
    return change(&Parameters::Wins_ActionValue, value, key::kWinsValue);
}
// The focus sink shares the base bet's handler: an arrow key pressed after a
// list choice resets the bet as a change of the base bet does.
bool Session::set_focus_sink(std::optional<int> value) {
    return change(&Parameters::FocusCatch, value, key::kFocusSink, &Init_BetChange);
}

// The system list offers only the systems with a table for the type in force.
bool Session::set_system(ProgressionSystem system) {
    const auto offered = systems_offered(game_.params.BettingType);
    if (std::find(offered.begin(), offered.end(), system) == offered.end()) return false;
    if (game_.params.BettingSystem == system) return true;
    now();
    game_.params.BettingSystem = system;
    record_text(key::kSystem, text_of(system));
    after_action();
    return true;
}

bool Session::set(std::optional<int> Parameters::*field, std::optional<int> value) {
    using P = Parameters;
    if (field == &P::N_Count) return set_n_count(value);
    if (field == &P::Init_Bet) return set_init_bet(value);
    if (field == &P::CSpinEdit1) return set_test_bank(value);
    if (field == &P::ProfitUnits) return set_profit_units(value);
    if (field == &P::Losses_HowMuch) return set_losses_how_much(value);
    if (field == &P::Losses_ActionValue) return set_losses_value(value);
    if (field == &P::Wins_HowMuch) return set_wins_how_much(value);
    if (field == &P::Wins_ActionValue) return set_wins_value(value);
    if (field == &P::FocusCatch) return set_focus_sink(value);
    return false;
}

bool Session::set(bool Parameters::*box, bool on) {
    using P = Parameters;
    if (box == &P::ChBx_TestBankroll) return set_test_bank_shown(on);
    if (box == &P::CheckBox_Blind) return set_auto_reset(on);
    if (box == &P::ChBx_Get_Minimal_Profit) return set_minimal_profit(on);
    if (box == &P::ChBx_ProfitBet) return set_profit_bet(on);
    if (box == &P::CheckBox1) return set_show_bet_size(on);
    if (box == &P::ChBx_Show_Numbers_In_Game) return set_show_numbers(on);
    if (box == &P::ChBx_ManualBetReset) return set_manual_reset_allowed(on);
    return false;
}

// "N. Count:" is locked while a matrix is scored or bet.
bool Session::set_n_count(std::optional<int> value) {
    if (!n_count_editable(game_)) return false;
    if (game_.params.N_Count == value) return true;
    now();
    game_.params.N_Count = value;
    record_value(key::kNCount, value);
    after_action();
    return true;
}

bool Session::set_safe_level(int level) {
    if (level < 0 || level > kMaxSafeLevel) return false;
    if (game_.params.Safe_Level == level) return true;
    now();
    game_.params.Safe_Level = level;
    Safe_LevelChange(game_);
    record_int(key::kSafeLevel, level);
    after_action();
    return true;
}

// ---------------------------------------------------------------------------
// Reading a journal back.

namespace {

struct ActionError {
    int column = 0;
    std::string message;
};

std::string quoted(std::string_view text) {
    std::string out;
    append_json_string(out, text);
    return out;
}

}  // namespace

// Applies the lines of a journal one by one to a session, each at the second
// it names.
class JournalReplay {
public:
    JournalReplay(Session& session) : session_(session) {}

    // Applies one action line; the error's column is within the line.
    std::optional<ActionError> apply(const JournalLine& line) {
        const JournalField* action = nullptr;
        for (const JournalField& field : line.fields) {
            if (field.key == key::kTime) {
                if (field.value.kind != JournalValue::Kind::Integer)
                    return ActionError{field.value.column,
                                       "\"t\" must be a whole number of seconds"};
                time_ = field.value.integer;
                continue;
            }
            if (action != nullptr)
                return ActionError{field.column, "a second action " + quoted(field.key) +
                                                     " on the line of " + quoted(action->key)};
            action = &field;
        }
        if (action == nullptr) return ActionError{1, "the line names no action"};
        session_.replay_time_ = time_;
        std::optional<ActionError> error = run(*action);
        session_.replay_time_.reset();
        return error;
    }

private:
    using Value = JournalValue;
    using Kind = JournalValue::Kind;

    static ActionError wrong(const JournalField& field, std::string what) {
        return ActionError{field.value.column, quoted(field.key) + " " + std::move(what)};
    }
    static ActionError impossible(const JournalField& field) {
        return ActionError{field.column,
                           quoted(field.key) + " could not be taken at this point of the session"};
    }
    static std::optional<ActionError> taken(bool ok, const JournalField& field) {
        if (ok) return std::nullopt;
        return impossible(field);
    }

    static std::optional<ActionError> want_true(const JournalField& field) {
        if (field.value.kind == Kind::Boolean && field.value.boolean) return std::nullopt;
        return wrong(field, "takes the value true");
    }

    template <typename Method>
    std::optional<ActionError> flag(const JournalField& field, Method method) {
        if (field.value.kind != Kind::Boolean) return wrong(field, "takes true or false");
        return taken((session_.*method)(field.value.boolean), field);
    }

    template <typename Method>
    std::optional<ActionError> entry(const JournalField& field, SpinRange range, Method method) {
        if (field.value.kind == Kind::Null) return taken((session_.*method)(std::nullopt), field);
        if (field.value.kind != Kind::Integer || field.value.integer < range.minimum ||
            field.value.integer > range.maximum) {
            return wrong(field, "takes a whole number from " + std::to_string(range.minimum) +
                                    " to " + std::to_string(range.maximum) +
                                    ", or null for an empty field");
        }
        return taken((session_.*method)(static_cast<int>(field.value.integer)), field);
    }

    template <typename E, typename Method>
    std::optional<ActionError> item(const JournalField& field, Method method) {
        if (field.value.kind == Kind::Text) {
            const auto items = items_of<E>();
            for (std::size_t row = 0; row < items.size(); ++row) {
                if (items[row] == field.value.text)
                    return taken((session_.*method)(static_cast<E>(row)), field);
            }
        }
        return wrong(field, "takes one of " + quoted_items<E>());
    }

    std::optional<ActionError> sector(const JournalField& field, bool set) {
        if (field.value.kind == Kind::Text) {
            for (Sector s : kAllSectors) {
                if (name_of(s) == field.value.text)
                    return taken(set ? session_.set_trend_mark(s) : session_.clear_trend_mark(s),
                                 field);
            }
        }
        return wrong(field, "takes a sector: \"D1\", \"D2\", \"D3\", \"C1\", \"C2\" or \"C3\"");
    }

    std::optional<ActionError> run(const JournalField& field) {
        const std::string_view k = field.key;
        const Value& v = field.value;
        if (k == key::kNumber) {
            if (v.kind != Kind::Integer || v.integer < 0 || v.integer >= kNumberCount)
                return wrong(field, "takes a roulette number from 0 to 36");
            return taken(session_.enter_number(static_cast<int>(v.integer)), field);
        }
        if (k == key::kPauseEnd) {
            if (auto e = want_true(field)) return e;
            return taken(session_.end_analysis_pause(), field);
        }
        if (k == key::kUndo) {
            if (auto e = want_true(field)) return e;
            return taken(session_.undo(), field);
        }
        if (k == key::kTrendMark) return sector(field, true);
        if (k == key::kClearTrendMark) return sector(field, false);
        if (k == key::kCreateMatrix) {
            if (auto e = want_true(field)) return e;
            return taken(session_.create_matrix(), field);
        }
        if (k == key::kResetMatrix) {
            if (auto e = want_true(field)) return e;
            return taken(session_.reset_matrix(), field);
        }
        if (k == key::kManualBetReset) {
            if (auto e = want_true(field)) return e;
            return taken(session_.manual_bet_reset(), field);
        }
        if (k == key::kSetBankroll) {
            // The amount is the "TEST BANK:" value in force, written for the reader.
            if (v.kind != Kind::Integer || session_.game_.params.CSpinEdit1 != v.integer) {
                return wrong(field, "does not match the \"TEST BANK\" value in force");
            }
            return taken(session_.set_bankroll(), field);
        }
        if (k == key::kMode) return item<GameMode>(field, &Session::set_mode);
        if (k == key::kType) return item<BetType>(field, &Session::set_type);
        if (k == key::kSectors) return item<SectorChoice>(field, &Session::set_sectors);
        if (k == key::kSystem) return item<ProgressionSystem>(field, &Session::set_system);
        if (k == key::kNCount) return entry(field, kN_CountRange, &Session::set_n_count);
        if (k == key::kInitBet) return entry(field, kInit_BetRange, &Session::set_init_bet);
        if (k == key::kTestBank) return entry(field, kCSpinEdit1Range, &Session::set_test_bank);
        if (k == key::kTestBankShown) return flag(field, &Session::set_test_bank_shown);
        if (k == key::kSafeLevel) {
            if (v.kind != Kind::Integer || v.integer < 0 || v.integer > kMaxSafeLevel)
                return wrong(field, "takes a level from 0 to 20");
            return taken(session_.set_safe_level(static_cast<int>(v.integer)), field);
        }
        if (k == key::kAutoReset) return flag(field, &Session::set_auto_reset);
        if (k == key::kAim) {
            for (std::size_t i = 0; i < kAimTexts.size(); ++i) {
                if (v.kind == Kind::Text && kAimTexts[i] == v.text)
                    return taken(session_.set_aim(static_cast<ProfitAimRule>(i)), field);
            }
            return wrong(field, "takes \"On any profit\", \"On profit or equal\" or \"Set units\"");
        }
        if (k == key::kProfitUnits)
            return entry(field, kProfitUnitsRange, &Session::set_profit_units);
        if (k == key::kMinimalProfit) return flag(field, &Session::set_minimal_profit);
        if (k == key::kProfitBet) return flag(field, &Session::set_profit_bet);
        if (k == key::kShowBetSize) return flag(field, &Session::set_show_bet_size);
        if (k == key::kShowNumbers) return flag(field, &Session::set_show_numbers);
        if (k == key::kManualResetAllowed) return flag(field, &Session::set_manual_reset_allowed);
        if (k == key::kLossesHowMuch)
            return entry(field, kRuleValueRange, &Session::set_losses_how_much);
        if (k == key::kLossesType) return item<LossCount>(field, &Session::set_losses_type);
        if (k == key::kLossesAction) return item<LossAction>(field, &Session::set_losses_action);
        if (k == key::kLossesValue)
            return entry(field, kRuleValueRange, &Session::set_losses_value);
        if (k == key::kWinsHowMuch)
            return entry(field, kRuleValueRange, &Session::set_wins_how_much);
        if (k == key::kWinsType) return item<WinCount>(field, &Session::set_wins_type);
        if (k == key::kWinsAction) return item<WinAction>(field, &Session::set_wins_action);
        if (k == key::kWinsValue) return entry(field, kRuleValueRange, &Session::set_wins_value);
        if (k == key::kFocusSink) return entry(field, kFocusCatchRange, &Session::set_focus_sink);
        return ActionError{field.column, "unknown action " + quoted(field.key)};
    }

    Session& session_;
    std::int64_t time_ = 0;
};

bool looks_like_session(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' ||
                             text.front() == '\n'))
        text.remove_prefix(1);
    return text.starts_with('{');
}

SessionReading read_session(std::string_view text, std::string_view name, Session::Clock clock,
                            const std::function<void(const Game&)>& observe) {
    SessionReading reading;
    const auto refuse = [&](std::size_t line, int column, const std::string& what) {
        reading.session.reset();
        reading.error = std::string(name) + ':' + std::to_string(line) + ':' +
                        std::to_string(column) + ": " + what;
        return std::move(reading);
    };
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

    std::size_t line_number = 0;
    std::optional<JournalReplay> replay;
    while (!text.empty()) {
        ++line_number;
        const std::size_t end = text.find('\n');
        const bool complete = end != std::string_view::npos;
        const std::string_view line = text.substr(0, complete ? end : text.size());
        text.remove_prefix(complete ? end + 1 : text.size());
        // A crash in the middle of a write can leave the start of a line and
        // nothing after it; a power cut can leave zero bytes where the end
        // of the file should be.
        const bool last =
            text.find_first_not_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
        if (line.find_first_not_of(" \t\r") == std::string_view::npos) continue;
        const JournalLine parsed = parse_journal_line(line);
        if (!parsed.ok()) {
            const bool zeros = line.find('\0') != std::string_view::npos ||
                               text.find('\0') != std::string_view::npos;
            if (last && replay && (!complete || zeros)) {
                reading.torn_line_dropped = true;
                reading.notice = "The last action of the session (line " +
                                 std::to_string(line_number) +
                                 ") was cut off when Quorvel stopped, and was left out.";
                break;
            }
            return refuse(line_number, parsed.error_column, parsed.error);
        }
        if (!replay) {
            const JournalField* format = parsed.find("format");
            if (format == nullptr || format->value.kind != JournalValue::Kind::Text ||
                format->value.text != "quorvel-session") {
                return refuse(line_number, format ? format->value.column : 1,
                              "not a Quorvel session: the first line lacks "
                              "\"format\": \"quorvel-session\"");
            }
            const JournalField* version = parsed.find("version");
            if (version == nullptr || version->value.kind != JournalValue::Kind::Integer ||
                version->value.integer < 1) {
                return refuse(line_number, version ? version->value.column : 1,
                              "the first line lacks a \"version\" number");
            }
            if (version->value.integer > Session::kFormatVersion) {
                return refuse(line_number, version->value.column,
                              "the session was written in version " +
                                  std::to_string(version->value.integer) +
                                  " of the format; this program reads up to version " +
                                  std::to_string(Session::kFormatVersion));
            }
            const JournalField* start = parsed.find("start");
            const std::int64_t start_time =
                start != nullptr && start->value.kind == JournalValue::Kind::Integer
                    ? start->value.integer
                    : 0;
            reading.session.emplace([start_time] { return start_time; });
            replay.emplace(*reading.session);
            if (observe) observe(reading.session->game());
            continue;
        }
        if (auto error = replay->apply(parsed)) {
            return refuse(line_number, error->column, error->message);
        }
        if (observe) observe(reading.session->game());
    }
    if (!replay) return refuse(1, 1, "the file is empty, not a Quorvel session");
    reading.session->set_clock(std::move(clock));
    return reading;
}

}  // namespace quorvel
