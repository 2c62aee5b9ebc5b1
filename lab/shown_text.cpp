// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lab/shown_text.hpp"

#include <algorithm>

namespace quorvel {

namespace {

constexpr char kMask = '?';

// The length of the valid UTF-8 sequence at the start of `text`, or 0 when it
// is not one: a stray continuation byte, a sequence cut short, an overlong
// form, a surrogate or a code point beyond U+10FFFF.
std::size_t sequence_length(std::string_view text, char32_t& code_point) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        code_point = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code_point = lead & 0x1F;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code_point = lead & 0x0F;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code_point = lead & 0x07;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        code_point = (code_point << 6) | (byte(i) & 0x3F);
    }
    if (code_point < lowest || code_point > 0x10FFFF) return 0;
    if (code_point >= 0xD800 && code_point <= 0xDFFF) return 0;
    return length;
}

// Characters that take no room: the zero-width space and joiners, the
// direction marks, the word joiner and invisible operators, and the byte order
// mark (U+FEFF) inside a text. Quoted unmasked they would vanish, and a
// refused token such as a second byte order mark before "1" would read as '1'.
bool is_invisible(char32_t c) {
    return (c >= 0x200B && c <= 0x200F) || (c >= 0x2060 && c <= 0x2064) || c == 0x061C ||
           c == 0xFEFF;
}

bool is_masked(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x2028 || c == 0x2029 || is_invisible(c);
}

}  // namespace

std::string shown_text(std::string_view text, std::size_t most_characters) {
    std::string shown;
    shown.reserve(std::min(text.size(), std::size_t{256}));
    std::size_t characters = 0;
    while (!text.empty()) {
        if (characters == most_characters) {
            shown += "...";
            break;
        }
        char32_t code_point = 0;
        const std::size_t length = sequence_length(text, code_point);
        if (length == 0) {
            // One byte at a time, so the valid text after a bad byte still shows.
            shown += kMask;
            text.remove_prefix(1);
        } else {
            if (is_masked(code_point)) {
                shown += kMask;
            } else {
                shown.append(text.substr(0, length));
            }
            text.remove_prefix(length);
        }
        ++characters;
    }
    return shown;
}

std::string shown_lines(std::string_view text) {
    std::string shown;
    for (;;) {
        const std::size_t end = text.find('\n');
        shown += shown_text(text.substr(0, end));
        if (end == std::string_view::npos) return shown;
        shown += '\n';
        text.remove_prefix(end + 1);
    }
}

}  // namespace quorvel
