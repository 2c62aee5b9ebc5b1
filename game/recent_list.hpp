// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace quorvel {

// A list the rules read only near its end. It counts every entry ever added
// but keeps only the last ones, packed into one 64-bit word of Bits-wide
// entries (the newest in the low bits), so it takes the same memory however
// long the game runs and an entry costs a shift. A step back forgets the
// dropped entry and leaves one fewer kept; the owner chooses the width so
// that every reading falls among the kept entries.
template <unsigned Bits>
class RecentList {
    static_assert(Bits > 0 && Bits <= 8);

public:
    static constexpr unsigned kBits = Bits;
    // How many entries the word holds.
    static constexpr std::size_t kCapacity = 64 / Bits;

    RecentList() = default;
    RecentList(std::initializer_list<int> entries) {
        for (int entry : entries)
            push_back(entry);
    }
    RecentList(const std::vector<int>& entries) {  // NOLINT: reads as the list it replaces
        for (int entry : entries)
            push_back(entry);
    }

    std::size_t size() const { return static_cast<std::size_t>(size_); }
    bool empty() const { return size_ == 0; }
    // How many of the last entries are known: all of them, up to kCapacity.
    std::size_t kept() const { return static_cast<std::size_t>(kept_); }

    // Entries are 0 to 2^Bits - 1.
    void push_back(int entry) {
        word_ = (word_ << Bits) | (static_cast<std::uint64_t>(entry) & kMask);
        size_ += 1;
        kept_ += kept_ < kCapacity ? 1 : 0;
    }

    // Appends `count` entries at once, packed Bits apiece with the last one in
    // the lowest bits, as push_back would one by one.
    void append(std::uint64_t packed, unsigned count) {
        if (count == 0) return;
        word_ = count * Bits >= 64 ? packed : (word_ << (count * Bits)) | packed;
        size_ += count;
        kept_ = kept_ + count < kCapacity ? kept_ + count : kCapacity;
    }

    // Drops the last entry; an empty list stays empty.
    void pop_back() {
        if (size_ == 0) return;
        word_ >>= Bits;
        size_ -= 1;
        kept_ -= kept_ > 0 ? 1 : 0;
    }

    // Entry i, counted from the first ever added. An entry no longer kept
    // reads as 0, which no rule stores.
    int operator[](std::size_t i) const {
        const std::uint64_t back = size_ - 1 - i;  // 0 is the newest entry
        if (i >= size_ || back >= kept_) return 0;
        return static_cast<int>((word_ >> (back * Bits)) & kMask);
    }

    // The last entry; 0 in an empty list.
    int back() const { return size_ == 0 ? 0 : static_cast<int>(word_ & kMask); }

    // Equal to a whole list when every entry is kept and each one agrees.
    bool operator==(const std::vector<int>& list) const {
        if (list.size() != size() || kept_ != size_) return false;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if ((*this)[i] != list[i]) return false;
        }
        return true;
    }
    // Field for field: the same entries added and dropped in the same order.
    bool operator==(const RecentList&) const = default;

private:
    static constexpr std::uint64_t kMask = (std::uint64_t{1} << Bits) - 1;

    std::uint64_t word_ = 0;
    std::uint64_t size_ = 0;
    std::uint64_t kept_ = 0;
};

}  // namespace quorvel
