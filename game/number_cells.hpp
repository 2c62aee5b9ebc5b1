// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace quorvel {

// One flag for each of the 37 number cells, 0 to 36, in one word: the spin
// cycle closes and opens the whole table twice a spin, which is then a single
// store. Reads index like an array of bools and iterate from 0 to 36.
class NumberCells {
public:
    static constexpr std::size_t kCells = 37;

    explicit constexpr NumberCells(bool shown = false) { fill(shown); }

    constexpr bool operator[](std::size_t n) const { return ((bits_ >> n) & 1u) != 0; }
    constexpr void set(std::size_t n, bool shown) {
        const std::uint64_t bit = std::uint64_t{1} << n;
        bits_ = shown ? bits_ | bit : bits_ & ~bit;
    }
    constexpr void fill(bool shown) { bits_ = shown ? kAll : 0; }
    constexpr std::size_t size() const { return kCells; }

    constexpr bool operator==(const NumberCells&) const = default;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = bool;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = bool;

        constexpr const_iterator() = default;
        constexpr const_iterator(const NumberCells* cells, std::size_t n) : cells_(cells), n_(n) {}
        constexpr bool operator*() const { return (*cells_)[n_]; }
        constexpr const_iterator& operator++() {
            ++n_;
            return *this;
        }
        constexpr const_iterator operator++(int) {
            const_iterator before = *this;
            ++n_;
            return before;
        }
        constexpr bool operator==(const const_iterator& other) const { return n_ == other.n_; }

    private:
        const NumberCells* cells_ = nullptr;
        std::size_t n_ = 0;
    };

    constexpr const_iterator begin() const { return {this, 0}; }
    constexpr const_iterator end() const { return {this, kCells}; }

private:
    static constexpr std::uint64_t kAll = (std::uint64_t{1} << kCells) - 1;
    std::uint64_t bits_ = 0;
};

}  // namespace quorvel
