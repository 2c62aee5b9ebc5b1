// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "game/recent_list.hpp"
#include "game/roulette.hpp"

namespace quorvel {

// The numbers entered without zeros, as the chain predictions read them: every
// number counts, the last ten are kept, and the dozen and column indices of the
// last five are kept packed two bits apiece (the newest in the lowest bits), so
// that a chain takes them in one step. The list is never shortened.
class ChainNumbers {
public:
    // How many numbers back the packed indices reach.
    static constexpr unsigned kPacked = 5;

    ChainNumbers() = default;
    ChainNumbers(std::initializer_list<int> numbers) {
        for (int number : numbers)
            push_back(number);
    }
    ChainNumbers(const std::vector<int>& numbers) {  // NOLINT: reads as the list it replaces
        for (int number : numbers)
            push_back(number);
    }

    void push_back(int number) {
        numbers_.push_back(number);
        dozens_ = ((dozens_ << 2) | static_cast<std::uint32_t>(dozen_of(number))) & kPackedMask;
        columns_ = ((columns_ << 2) | static_cast<std::uint32_t>(column_of(number))) & kPackedMask;
    }

    std::size_t size() const { return numbers_.size(); }
    bool empty() const { return numbers_.empty(); }
    int operator[](std::size_t i) const { return numbers_[i]; }
    int back() const { return numbers_.back(); }
    bool operator==(const std::vector<int>& list) const { return numbers_ == list; }
    bool operator==(const ChainNumbers&) const = default;

    // The indices of the last `count` numbers (up to five), oldest in the
    // highest bits; 0 for a number that is in no dozen or column.
    std::uint32_t dozens(unsigned count) const { return dozens_ & field_mask(count); }
    std::uint32_t columns(unsigned count) const { return columns_ & field_mask(count); }

private:
    static constexpr std::uint32_t kPackedMask = (1u << (2 * kPacked)) - 1;
    static constexpr std::uint32_t field_mask(unsigned count) { return (1u << (2 * count)) - 1; }

    RecentList<6> numbers_;
    std::uint32_t dozens_ = 0;
    std::uint32_t columns_ = 0;
};

}  // namespace quorvel
