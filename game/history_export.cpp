// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/history_export.hpp"

namespace quorvel {

std::string history_export_text(std::span<const std::uint8_t> numbers) {
    std::string text;
    text.reserve(numbers.size() * 4);
    for (int number : numbers) {
        text += std::to_string(number);
        text += "\r\n";
    }
    return text;
}

}  // namespace quorvel
