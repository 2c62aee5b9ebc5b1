#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace quorvel {

// A list the rules read only near its end. It counts every entry ever added
// but keeps only the last N, so it takes the same memory however long the
// game runs. Entries are small numbers (a number of the wheel, a dozen or
// column index). A step back forgets the dropped entry and leaves one fewer
// kept; the owner chooses N so that every reading falls among the kept
// entries.
template <std::size_t N>
class RecentList {
    static_assert(N > 0 && N <= 128 && (N & (N - 1)) == 0, "N is a small power of two");

public:
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
    // How many of the last entries are known: all of them, up to N.
    std::size_t kept() const { return kept_; }

    void push_back(int entry) {
        ring_[static_cast<std::size_t>(size_) & (N - 1)] = static_cast<std::int8_t>(entry);
        size_ += 1;
        if (kept_ < N) kept_ += 1;
    }

    // Drops the last entry; an empty list stays empty.
    void pop_back() {
        if (size_ == 0) return;
        size_ -= 1;
        if (kept_ > 0) kept_ -= 1;
    }

    // Entry i, counted from the first ever added. An entry no longer kept
    // reads as 0, which no rule stores.
    int operator[](std::size_t i) const {
        if (i >= size() || size() - i > kept_) return 0;
        return ring_[i & (N - 1)];
    }

    // Equal to a whole list when every entry is kept and each one agrees.
    bool operator==(const std::vector<int>& list) const {
        if (list.size() != size() || kept_ != size()) return false;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if ((*this)[i] != list[i]) return false;
        }
        return true;
    }

private:
    std::array<std::int8_t, N> ring_{};
    std::uint64_t size_ = 0;
    std::size_t kept_ = 0;
};

}  // namespace quorvel
