// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The engine as the programs see it: the game state, the captions built from
// it, and every action a player can take at the table. The window and the lab
// include this header rather than reaching into the layers below one by one.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "game/captions.hpp"
#include "game/game.hpp"
#include "game/history.hpp"
#include "game/history_export.hpp"
#include "money/bankroll.hpp"
#include "money/bet_state.hpp"
#include "money/custom_rules.hpp"
#include "money/progression.hpp"
#include "play/setting_table.hpp"
#include "play/spin_cycle.hpp"
#include "play/undo.hpp"
#include "predict/matrix.hpp"
#include "predict/trends.hpp"

namespace quorvel {

// A number played without the analysis pause: it is entered, settled and
// analysed, and the next bet is predicted and sized at once, exactly as the
// pause would have ended. Loading a session and the lab play numbers this way.
void play_number(Game& game, int number);

// The session's one face: it owns the game, and every action a player can take
// that changes the game goes through one of its methods. Each action is
// written to the journal as it is taken, together with the second the clock
// showed for it; the predictors read that same second while the action runs,
// so a replay of the journal draws exactly the numbers the live game drew.
//
// A method returns false, and changes and records nothing, when the window
// would not offer the action at this moment (an undo that is not shown, a
// number that cannot be clicked). Setting a control to the value it already
// has is no action: nothing runs, nothing is recorded, as a control's change
// signal would not fire.
//
// The timers' steps between the start and the end of a pause or a flash are
// only pictures; the journal records the end of the analysis pause, because
// that is when the next bet is predicted.
class Session {
public:
    // Seconds since the epoch.
    using Clock = std::function<std::int64_t()>;
    // Receives each line of the journal, newline included, as it is recorded.
    using LineSink = std::function<void(std::string_view line)>;

    static constexpr int kFormatVersion = 1;

    // A new session with the game at its start, begun at the clock's present
    // second. An empty clock is the system clock.
    explicit Session(Clock clock = {});

    // A copy keeps the game and the journal so far, but no line sink.
    Session(const Session& other);
    Session& operator=(const Session& other);
    Session(Session&& other) noexcept;
    Session& operator=(Session&& other) noexcept;
    ~Session();

    const Game& game() const { return game_; }
    Parameters params() const { return game_.params; }
    // The game without the face: for a test that sets up a state behind the
    // session's back. What is changed here is not in the journal, so a replay
    // does not bring it back.
    Game& unrecorded_game() { return game_; }

    // The whole journal so far, header first, a line per action, each ending in a newline.
    const std::string& journal() const { return journal_; }
    std::size_t actions() const { return actions_; }
    std::int64_t start_time() const { return start_; }
    // The second of the last action, or of the start.
    std::int64_t last_time() const { return last_time_; }

    void set_clock(Clock clock);
    void set_line_sink(LineSink sink) { sink_ = std::move(sink); }

    // The table.
    bool enter_number(int number);
    // One 10 ms step of the analysis pause; the last one ends it and is recorded.
    void tick_analysis_pause();
    // The rest of the pause at once.
    bool end_analysis_pause();
    // A number entered and its pause run out at once, as a load plays them.
    bool play_number(int number);
    bool undo();
    bool set_trend_mark(Sector sector);
    bool clear_trend_mark(Sector sector);
    void tick_max_profit_flash();

    // The buttons of the settings.
    bool create_matrix();     // "CREATE MATRIX"
    bool reset_matrix();      // "Reset Matrix"
    bool manual_bet_reset();  // "Manual Bet Reset"
    bool set_bankroll();      // "SET BANKROLL"
    bool play_on();           // "Play on" past the end of the session

    // A setting, as its control sets it: the value is stored, the operation
    // the control runs follows, and the choice is recorded. A value the
    // setting cannot hold, or one the window would not take now (the locked
    // N. Count, a system the betting type does not offer), changes nothing
    // and gives false.
    bool set(SettingId id, SettingValue value);
    template <typename E>
        requires std::is_enum_v<E>
    bool set(SettingId id, E item) {
        return set(id, SettingValue(row_of(item)));
    }

    // The invisible field that takes the keyboard focus after a list choice.
    // The window no longer lets a key change it, so no new journal holds this
    // action; journals written while a key could still change it replay
    // through here as they were played, the bet reset with it.
    bool set_focus_sink(std::optional<int> value);

private:
    friend class JournalReplay;

    // The second an action runs at: the clock's, or during a replay the line's.
    std::int64_t now();
    void record(std::string_view key, std::string_view json_value);
    void record_int(std::string_view key, std::optional<std::int64_t> value);
    void record_text(std::string_view key, std::string_view value);
    void record_bool(std::string_view key, bool value);
    void record_setting(const SettingRow& row, SettingValue value);
    void after_action();
    void write_header();
    void attach_clock();

    Game game_;
    Clock clock_;
    LineSink sink_;
    // The game's predictors read this second; it changes only as an action begins.
    std::shared_ptr<std::int64_t> action_time_;
    std::optional<std::int64_t> replay_time_;  // set while a journal line is replayed
    std::int64_t start_ = 0;
    std::int64_t last_time_ = 0;
    std::optional<std::int64_t> last_written_time_;
    std::string journal_;
    std::size_t actions_ = 0;
};

// A journal read back. On success `session` holds the replayed session, which
// continues with `clock`; `notice` says, in one sentence, when a torn last
// line was dropped. On a refusal `error` reads "NAME:LINE:COLUMN: what was
// wrong", and no session is given.
struct SessionReading {
    std::optional<Session> session;
    std::string error;
    std::string notice;
    bool torn_line_dropped = false;

    bool ok() const { return error.empty(); }
};

// A journal line is a few hundred bytes; a longer one than this is refused
// with its place, so no line's column can grow without bound.
constexpr std::size_t kLongestJournalLine = std::size_t{64} * 1024;

// The earliest and the latest second a journal may name: 1970-01-01 and the
// last second of the year 9999. A time outside them is refused with its place.
constexpr std::int64_t kEarliestJournalTime = 0;
constexpr std::int64_t kLatestJournalTime = 253'402'300'799;

class JournalReplay;

// Reads a journal as it comes, a piece at a time, in one pass: memory is the
// session and one line, and a file is refused at its first bad line without
// the rest being read, except that a bad line followed by nothing but zero
// bytes and line ends is a torn last line, dropped with a notice.
//
// `observe` (when given) sees the game after every line replayed, as a
// window's follower would have seen it live.
class SessionReader {
public:
    explicit SessionReader(std::string_view name, Session::Clock clock = {},
                           std::function<void(const Game&)> observe = {});
    ~SessionReader();
    SessionReader(const SessionReader&) = delete;
    SessionReader& operator=(const SessionReader&) = delete;

    // Reads the next piece; a line may be cut anywhere between two pieces.
    // False once the journal is refused: nothing after that is read.
    bool read(std::string_view piece);
    // The end of the text. The reader is spent after it.
    SessionReading finish();

private:
    bool take_line(std::string_view line, bool complete);
    bool refuse(std::size_t line, int column, const std::string& what);
    bool after_bad_line(std::string_view piece);

    std::string name_;
    Session::Clock clock_;
    std::function<void(const Game&)> observe_;
    SessionReading reading_;
    std::unique_ptr<JournalReplay> replay_;
    std::string line_;  // the line being read, while it runs on into the next piece
    std::size_t line_number_ = 0;
    // A line that could not be read, waiting to learn whether it was the last.
    struct BadLine {
        std::size_t line = 0;
        int column = 0;
        std::string what;
        // Cut off before its line end, or holding zero bytes, or followed by them.
        bool torn = false;
    };
    std::optional<BadLine> bad_line_;
    bool refused_ = false;
};

// The whole text at once, through a SessionReader. The time is linear in the text.
SessionReading read_session(std::string_view text, std::string_view name, Session::Clock clock = {},
                            const std::function<void(const Game&)>& observe = {});

// Whether text begins as a session journal does (after any byte order mark and spaces).
bool looks_like_session(std::string_view text);

}  // namespace quorvel
