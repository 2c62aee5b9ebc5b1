// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The one table of settings and the one of actions: every name read back to
// its own row, and every value a setting can hold carried unchanged through
// the session, its journal, the stored settings and the lab's texts.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "play/action_table.hpp"
#include "play/session.hpp"
#include "play/setting_table.hpp"
#include "play/stored_settings.hpp"

namespace quorvel {
namespace {

constexpr std::int64_t kNow = 1'767'225'600;

TEST(SettingTable, EveryNameIsTakenOnceAndLeadsBackToItsRow) {
    std::set<std::string_view> journal_keys;
    std::set<std::string_view> stored_keys;
    std::set<std::string_view> options;
    for (const SettingRow& row : setting_rows()) {
        SCOPED_TRACE(row.stored_key);
        EXPECT_TRUE(journal_keys.insert(row.journal_key).second);
        EXPECT_TRUE(stored_keys.insert(row.stored_key).second);
        EXPECT_EQ(setting_by_journal_key(row.journal_key), &row);
        EXPECT_EQ(setting_by_stored_key(row.stored_key), &row);
        if (!row.lab_option.empty()) {
            EXPECT_TRUE(options.insert(row.lab_option).second);
            EXPECT_EQ(setting_by_lab_option(row.lab_option), &row);
        }
    }
    // An action's key is never a setting's: the replay reads both tables.
    for (const ActionRow& action : action_rows()) {
        SCOPED_TRACE(action.key);
        EXPECT_TRUE(journal_keys.insert(action.key).second);
        EXPECT_EQ(action_by_key(action.key), &action);
    }
}

// The values worth trying: both ends of the range, every item, and empty
// where the field may be left empty.
std::vector<SettingValue> values_to_try(const SettingRow& row) {
    std::vector<SettingValue> values;
    if (row.kind == SettingKind::Number) {
        values = {row.range.minimum, row.range.maximum};
    } else {
        for (int value = row.range.minimum; value <= row.range.maximum; ++value)
            values.push_back(value);
    }
    if (row.may_be_empty) values.push_back(std::nullopt);
    return values;
}

TEST(SettingTable, EveryValueComesBackFromTheJournalTheStoredSettingsAndItsText) {
    std::size_t taken = 0;
    for (const SettingRow& row : setting_rows()) {
        for (const SettingValue value : values_to_try(row)) {
            SCOPED_TRACE(std::string(row.stored_key) + " = " + setting_text(row, value));
            EXPECT_TRUE(row.holds(value));
            EXPECT_EQ(setting_from_text(row, setting_text(row, value)), std::optional<SettingValue>(value));

            Session live([] { return kNow; });
            // A system of the other betting type is not offered: it is
            // turned away and nothing is journaled.
            const std::size_t lines = live.actions();
            if (!live.set(row.id, value)) {
                EXPECT_EQ(live.actions(), lines);
                continue;
            }
            ++taken;
            EXPECT_EQ(value_of(live.params(), row.id), value);

            SessionReading replay = read_session(live.journal(), "table", [] { return kNow; });
            ASSERT_TRUE(replay.ok()) << replay.error;
            EXPECT_EQ(replay.session->params(), live.params());

            Session loaded([] { return kNow; });
            for (const auto& [key, text] : stored_settings(live.params()))
                EXPECT_EQ(apply_stored_setting(loaded, key, text), "") << key;
            EXPECT_EQ(loaded.params(), live.params());
        }
    }
    // A fresh session takes nearly every value; the test would prove nothing otherwise.
    EXPECT_GT(taken, 2 * setting_rows().size());
}

TEST(SettingTable, AValueOutOfRangeIsRefusedAndChangesNothing) {
    for (const SettingRow& row : setting_rows()) {
        SCOPED_TRACE(row.stored_key);
        Session session([] { return kNow; });
        const Parameters before = session.params();
        const std::string journal = session.journal();
        EXPECT_FALSE(session.set(row.id, row.range.maximum + 1));
        EXPECT_FALSE(session.set(row.id, row.range.minimum - 1));
        if (!row.may_be_empty) EXPECT_FALSE(session.set(row.id, std::nullopt));
        EXPECT_EQ(session.params(), before);
        EXPECT_EQ(session.journal(), journal);
        EXPECT_FALSE(setting_from_text(row, "no such value").has_value());
    }
}

}  // namespace
}  // namespace quorvel
