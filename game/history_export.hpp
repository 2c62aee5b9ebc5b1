// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace quorvel {

// The bytes of the history export: one number per line, oldest first, each
// line ended by CR LF, the last included. Plain 8-bit text; an empty history
// gives an empty file.
std::string history_export_text(std::span<const std::uint8_t> numbers);

}  // namespace quorvel
