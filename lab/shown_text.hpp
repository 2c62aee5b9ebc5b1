// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel {

// Text from outside (a file's contents, a file's name) as it may be quoted in
// a message on a terminal or in a message box. A quoted text must not be able
// to move the cursor, recolour the terminal or turn the rest of the line
// around, so every byte or character that could is shown as '?': the C0 and
// C1 control characters and DEL, the bidirectional embeddings, overrides and
// isolates (U+202A to U+202E, U+2066 to U+2069), the line and paragraph
// separators (U+2028, U+2029), the characters that take no room (U+200B to
// U+200F, U+2060 to U+2064, U+061C, U+FEFF), and every byte that is not part
// of valid UTF-8.
// A text longer than `most_characters` is cut there and ends in "...".
std::string shown_text(std::string_view text, std::size_t most_characters = std::string_view::npos);

// The same masking for a message of several lines: its line ends stay, so a
// message box can quote names and tokens in a message it lays out in lines.
std::string shown_lines(std::string_view text);

}  // namespace quorvel
