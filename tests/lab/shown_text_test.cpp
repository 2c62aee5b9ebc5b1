// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/shown_text.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quorvel {
namespace {

TEST(ShownText, MasksWhatATerminalOrMessageBoxWouldActOnAndKeepsTheRest) {
    const struct {
        std::string text;
        std::size_t most;
        std::string shown;
    } cases[] = {
        {"spins 2026.txt", std::string::npos, "spins 2026.txt"},
        {"\xC3\xA9t\xC3\xA9 \xE6\x97\xA5 \xF0\x9F\x8E\xB2", std::string::npos,
         "\xC3\xA9t\xC3\xA9 \xE6\x97\xA5 \xF0\x9F\x8E\xB2"},
        {"a\tb\nc\rd\x1B"
         "e\x7F",
         std::string::npos, "a?b?c?d?e?"},
        // C1 controls: U+0080, U+009B (the terminal's one-byte escape), U+009F; U+00A0 stays.
        {"\xC2\x80\xC2\x9B\xC2\x9F\xC2\xA0", std::string::npos, "???\xC2\xA0"},
        // The embeddings and overrides, the isolates, the line and paragraph separators.
        {"\xE2\x80\xAA\xE2\x80\xAE\xE2\x81\xA6\xE2\x81\xA9\xE2\x80\xA8\xE2\x80\xA9",
         std::string::npos, "??????"},
        // Neighbours of those ranges are ordinary text.
        {"\xE2\x80\xA7\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA", std::string::npos,
         "\xE2\x80\xA7\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA"},
        // What takes no room: zero-width space, right-to-left mark, word joiner,
        // Arabic letter mark, byte order mark; their neighbours U+200A and U+2065 stay.
        {"\xE2\x80\x8B\xE2\x80\x8F\xE2\x81\xA0\xD8\x9C\xEF\xBB\xBF"
         "1|\xE2\x80\x8A\xE2\x81\xA5",
         std::string::npos, "?????1|\xE2\x80\x8A\xE2\x81\xA5"},
        // Not UTF-8: overlong, surrogate, beyond U+10FFFF, cut short; a byte at a time.
        {"\xC1\xBF|\xED\xBF\xBF|\xF4\x90\x80\x80|\xF0\x9F\x8E", std::string::npos,
         "??|???|????|???"},
        {"abcdef", 4, "abcd..."},
        {"abcd", 4, "abcd"},
        {"\xC3\xA9\xC3\xA9\xC3\xA9", 2, "\xC3\xA9\xC3\xA9..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shown_text(c.text, c.most), c.shown) << c.text;
}

TEST(ShownText, ALayoutOfLinesKeepsItsLineEnds) {
    EXPECT_EQ(shown_lines("Not saved:\n\xE2\x80\xAEtxt.exe\r\n\nNo room\x1B"),
              "Not saved:\n?txt.exe?\n\nNo room?");
    EXPECT_EQ(shown_lines("\n"), "\n");
}

}  // namespace
}  // namespace quorvel
