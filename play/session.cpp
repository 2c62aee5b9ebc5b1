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
#include <variant>

#include "money/consistency.hpp"
#include "play/action_table.hpp"
#include "play/journal_line.hpp"

#ifndef QUORVEL_VERSION
#define QUORVEL_VERSION "unknown"
#endif

namespace quorvel {

void play_number(Game& game, int number) {
    enter_number(game, number);
    end_analysis_pause(game);
}

namespace {

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
    record_int(action_key(ActionId::Number), number);
    after_action();
    return true;
}

void Session::tick_analysis_pause() {
    if (!analysis_running(game_)) return;
    // The last step predicts the next bet, so every step reads the clock
    // first: the step that ends the pause runs at the second it records.
    now();
    Timer_AnalyseTimer(game_);
    if (!analysis_running(game_)) record_bool(action_key(ActionId::PauseEnd), true);
    after_action();
}

bool Session::end_analysis_pause() {
    if (!analysis_running(game_)) return false;
    now();
    quorvel::end_analysis_pause(game_);
    record_bool(action_key(ActionId::PauseEnd), true);
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
    record_bool(action_key(ActionId::Undo), true);
    after_action();
    return true;
}

bool Session::set_trend_mark(Sector sector) {
    if (game_.table.trend_marks.contains(sector)) return false;
    now();
    quorvel::set_trend_mark(game_, sector);
    record_text(action_key(ActionId::TrendMark), name_of(sector));
    after_action();
    return true;
}

bool Session::clear_trend_mark(Sector sector) {
    if (!game_.table.trend_marks.contains(sector)) return false;
    now();
    quorvel::clear_trend_mark(game_, sector);
    record_text(action_key(ActionId::ClearTrendMark), name_of(sector));
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
    record_bool(action_key(ActionId::CreateMatrix), true);
    after_action();
    return true;
}

bool Session::reset_matrix() {
    if (!reset_matrix_offered(game_)) return false;
    now();
    Set_N_Count(game_);
    record_bool(action_key(ActionId::ResetMatrix), true);
    after_action();
    return true;
}

bool Session::manual_bet_reset() {
    if (!game_.params.ChBx_ManualBetReset) return false;
    now();
    quorvel::manual_bet_reset(game_);
    record_bool(action_key(ActionId::ManualBetReset), true);
    after_action();
    return true;
}

bool Session::set_bankroll() {
    if (!game_.params.CSpinEdit1) return false;
    now();
    quorvel::set_bankroll(game_);
    record_int(action_key(ActionId::SetBankroll), *game_.params.CSpinEdit1);
    after_action();
    return true;
}

bool Session::play_on() {
    if (game_.stopped == StopReason::None) return false;
    now();
    quorvel::play_on(game_);
    record_bool(action_key(ActionId::PlayOn), true);
    after_action();
    return true;
}

// A setting is recorded as its control shows it: a list's item text, a
// field's number (null while it is empty), a box's true or false.
void Session::record_setting(const SettingRow& row, SettingValue value) {
    switch (row.kind) {
        case SettingKind::Switch:
            record_bool(row.journal_key, value.value_or(0) != 0);
            return;
        case SettingKind::Selector:
            record_text(row.journal_key, setting_text(row, value));
            return;
        case SettingKind::Number:
            record_int(row.journal_key,
                       value ? std::optional<std::int64_t>(*value) : std::nullopt);
            return;
    }
}

// A setting stores the player's choice, runs the handler its control runs,
// and records the choice as the control shows it.
bool Session::set(SettingId id, SettingValue value) {
    const SettingRow& row = setting_row(id);
    if (!row.holds(value)) return false;
    if (row.offered != nullptr && !row.offered(game_, value)) return false;
    if (row.get(game_.params) == value) return true;
    now();
    row.put(game_.params, value);
    if (row.on_change != nullptr) row.on_change(game_);
    record_setting(row, value);
    after_action();
    return true;
}

// The focus sink shares the base bet's handler: an arrow key pressed after a
// list choice resets the bet as a change of the base bet does.
bool Session::set_focus_sink(std::optional<int> value) {
    if (value && (*value < kFocusCatchRange.minimum || *value > kFocusCatchRange.maximum))
        return false;
    if (game_.params.FocusCatch == value) return true;
    now();
    game_.params.FocusCatch = value;
    Init_BetChange(game_);
    record_int(action_key(ActionId::FocusSink),
               value ? std::optional<std::int64_t>(*value) : std::nullopt);
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
    return quoted_token(text);
}

constexpr std::string_view kTimeOutOfRange =
    "a time before 1970 or after the year 9999 is no time of play";

}  // namespace

// Applies the lines of a journal one by one to a session, each at the second
// it names.
class JournalReplay {
public:
    JournalReplay(Session& session, std::int64_t start) : session_(session), time_(start) {}

    // Applies one action line; the error's column is within the line.
    std::optional<ActionError> apply(const JournalLine& line) {
        const JournalField* action = nullptr;
        for (const JournalField& field : line.fields) {
            if (field.key == "t") {
                if (field.value.kind != JournalValue::Kind::Integer)
                    return ActionError{field.value.column,
                                       "\"t\" must be a whole number of seconds"};
                if (field.value.integer < kEarliestJournalTime ||
                    field.value.integer > kLatestJournalTime)
                    return ActionError{field.value.column, std::string(kTimeOutOfRange)};
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

    // An action's value, read as its row says: the number, the sector's
    // index, the entry; or what was wrong with it.
    std::variant<std::optional<int>, ActionError> action_value(const JournalField& field,
                                                               const ActionRow& row) {
        const Value& v = field.value;
        switch (row.argument) {
            case ActionArgument::True:
                if (v.kind == Kind::Boolean && v.boolean) return std::optional<int>();
                return wrong(field, "takes the value true");
            case ActionArgument::Number:
                if (v.kind == Kind::Integer && v.integer >= row.range.minimum &&
                    v.integer <= row.range.maximum)
                    return std::optional<int>(static_cast<int>(v.integer));
                return wrong(field, "takes a roulette number from 0 to 36");
            case ActionArgument::Sector:
                for (std::size_t i = 0; i < kAllSectors.size(); ++i) {
                    if (v.kind == Kind::Text && name_of(kAllSectors[i]) == v.text)
                        return std::optional<int>(static_cast<int>(i));
                }
                return wrong(field,
                             "takes a sector: \"D1\", \"D2\", \"D3\", \"C1\", \"C2\" or \"C3\"");
            case ActionArgument::TestBank:
                // The amount is the "TEST BANK:" value in force, written for the reader.
                if (v.kind == Kind::Integer && session_.game_.params.CSpinEdit1 == v.integer)
                    return std::optional<int>();
                return wrong(field, "does not match the \"TEST BANK\" value in force");
            case ActionArgument::Entry:
                break;
        }
        if (v.kind == Kind::Null) return std::optional<int>();
        if (v.kind == Kind::Integer && v.integer >= row.range.minimum &&
            v.integer <= row.range.maximum)
            return std::optional<int>(static_cast<int>(v.integer));
        return wrong(field, "takes a whole number from " + std::to_string(row.range.minimum) +
                                " to " + std::to_string(row.range.maximum) +
                                ", or null for an empty field");
    }

    // A setting's value as its control shows it: a list's item text, a
    // field's number or null, a box's true or false.
    std::variant<SettingValue, ActionError> setting_value(const JournalField& field,
                                                          const SettingRow& row) {
        const Value& v = field.value;
        switch (row.kind) {
            case SettingKind::Switch:
                if (v.kind == Kind::Boolean) return SettingValue(v.boolean ? 1 : 0);
                return wrong(field, "takes true or false");
            case SettingKind::Selector:
                if (v.kind == Kind::Text) {
                    if (auto value = setting_from_text(row, v.text)) return *value;
                }
                return wrong(field, "takes " + setting_takes(row));
            case SettingKind::Number:
                break;
        }
        if (v.kind == Kind::Null && row.may_be_empty) return SettingValue();
        if (v.kind == Kind::Integer && v.integer >= row.range.minimum &&
            v.integer <= row.range.maximum)
            return SettingValue(static_cast<int>(v.integer));
        return wrong(field, "takes " + setting_takes(row) +
                                (row.may_be_empty ? ", or null for an empty field" : ""));
    }

    std::optional<ActionError> run(const JournalField& field) {
        if (const ActionRow* row = action_by_key(field.key)) {
            auto value = action_value(field, *row);
            if (auto* error = std::get_if<ActionError>(&value)) return std::move(*error);
            return taken(row->take(session_, std::get<std::optional<int>>(value)), field);
        }
        if (const SettingRow* row = setting_by_journal_key(field.key)) {
            auto value = setting_value(field, *row);
            if (auto* error = std::get_if<ActionError>(&value)) return std::move(*error);
            return taken(session_.set(row->id, std::get<SettingValue>(value)), field);
        }
        return ActionError{field.column, "unknown action " + quoted(field.key)};
    }

    Session& session_;
    std::int64_t time_;
};

bool looks_like_session(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' ||
                             text.front() == '\n'))
        text.remove_prefix(1);
    return text.starts_with('{');
}

SessionReader::SessionReader(std::string_view name, Session::Clock clock,
                             std::function<void(const Game&)> observe)
    : name_(name), clock_(std::move(clock)), observe_(std::move(observe)) {}

SessionReader::~SessionReader() = default;

bool SessionReader::refuse(std::size_t line, int column, const std::string& what) {
    refused_ = true;
    replay_.reset();
    reading_.session.reset();
    reading_.error =
        name_ + ':' + std::to_string(line) + ':' + std::to_string(column) + ": " + what;
    line_.clear();
    line_.shrink_to_fit();
    return false;
}

// After a bad line only zero bytes and line ends may follow, for it to be a
// torn last line; anything else refuses the journal at the bad line.
bool SessionReader::after_bad_line(std::string_view piece) {
    for (const char c : piece) {
        if (c == '\0') {
            bad_line_->torn = true;
        } else if (c != '\n' && c != '\r') {
            const BadLine bad = *bad_line_;
            return refuse(bad.line, bad.column, bad.what);
        }
    }
    return true;
}

bool SessionReader::read(std::string_view piece) {
    if (refused_) return false;
    if (bad_line_) return after_bad_line(piece);
    while (!piece.empty()) {
        const std::size_t end = piece.find('\n');
        const std::string_view part = piece.substr(0, end);
        if (line_.size() + part.size() > kLongestJournalLine + 3) {
            // Room for a byte order mark on the first line; the line itself
            // is measured without it below.
            return refuse(line_number_ + 1, static_cast<int>(kLongestJournalLine) + 1,
                          "the line is longer than 64 KiB");
        }
        if (end == std::string_view::npos) {
            line_.append(part);
            return true;
        }
        piece.remove_prefix(end + 1);
        bool taken;
        if (line_.empty()) {
            taken = take_line(part, true);
        } else {
            line_.append(part);
            taken = take_line(line_, true);
            line_.clear();
        }
        if (!taken) return false;
        if (bad_line_) return after_bad_line(piece);
    }
    return true;
}

bool SessionReader::take_line(std::string_view line, bool complete) {
    ++line_number_;
    if (line_number_ == 1 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
    if (line.size() > kLongestJournalLine) {
        return refuse(line_number_, static_cast<int>(kLongestJournalLine) + 1,
                      "the line is longer than 64 KiB");
    }
    if (line.find_first_not_of(" \t\r") == std::string_view::npos) return true;
    const JournalLine parsed = parse_journal_line(line);
    if (!parsed.ok()) {
        // A crash in the middle of a write can leave the start of a line and
        // nothing after it; a power cut can leave zero bytes where the end of
        // the file should be. Which of them this is, the rest of the file says.
        bad_line_ = BadLine{line_number_, parsed.error_column, parsed.error,
                            !complete || line.find('\0') != std::string_view::npos};
        return true;
    }
    if (!replay_) {
        const JournalField* format = parsed.find("format");
        if (format == nullptr || format->value.kind != JournalValue::Kind::Text ||
            format->value.text != "quorvel-session") {
            return refuse(line_number_, format ? format->value.column : 1,
                          "not a Quorvel session: the first line lacks "
                          "\"format\": \"quorvel-session\"");
        }
        const JournalField* version = parsed.find("version");
        if (version == nullptr || version->value.kind != JournalValue::Kind::Integer ||
            version->value.integer < 1) {
            return refuse(line_number_, version ? version->value.column : 1,
                          "the first line lacks a \"version\" number");
        }
        if (version->value.integer > Session::kFormatVersion) {
            return refuse(line_number_, version->value.column,
                          "the session was written in version " +
                              std::to_string(version->value.integer) +
                              " of the format; this program reads up to version " +
                              std::to_string(Session::kFormatVersion));
        }
        std::int64_t start_time = 0;
        if (const JournalField* start = parsed.find("start");
            start != nullptr && start->value.kind == JournalValue::Kind::Integer) {
            if (start->value.integer < kEarliestJournalTime ||
                start->value.integer > kLatestJournalTime) {
                return refuse(line_number_, start->value.column, std::string(kTimeOutOfRange));
            }
            start_time = start->value.integer;
        }
        reading_.session.emplace([start_time] { return start_time; });
        // An action without a time of its own, before any other names one,
        // happened at the session's start.
        replay_ = std::make_unique<JournalReplay>(*reading_.session, start_time);
        if (observe_) observe_(reading_.session->game());
        return true;
    }
    if (auto error = replay_->apply(parsed)) {
        return refuse(line_number_, error->column, error->message);
    }
    if (observe_) observe_(reading_.session->game());
    return true;
}

SessionReading SessionReader::finish() {
    if (!refused_ && !line_.empty()) {
        // The last line, without its line end.
        const std::string last = std::move(line_);
        line_.clear();
        take_line(last, false);
    }
    if (!refused_ && bad_line_) {
        const BadLine bad = *bad_line_;
        if (replay_ && bad.torn) {
            reading_.torn_line_dropped = true;
            reading_.notice = "The last action of the session (line " + std::to_string(bad.line) +
                              ") was cut off when Quorvel stopped, and was left out.";
        } else {
            refuse(bad.line, bad.column, bad.what);
        }
    }
    if (!refused_ && !replay_) refuse(1, 1, "the file is empty, not a Quorvel session");
    if (!refused_) reading_.session->set_clock(std::move(clock_));
    replay_.reset();
    return std::move(reading_);
}

SessionReading read_session(std::string_view text, std::string_view name, Session::Clock clock,
                            const std::function<void(const Game&)>& observe) {
    SessionReader reader(name, std::move(clock), observe);
    reader.read(text);
    return reader.finish();
}

}  // namespace quorvel
