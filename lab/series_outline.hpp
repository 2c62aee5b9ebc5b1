// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorvel {

// A point of a series: its index (the spin) and its value.
struct SeriesPoint {
    std::size_t index = 0;
    std::int64_t value = 0;
};

// A long series reduced for a chart a few hundred pixels wide. The series is
// cut into equal runs of spins; each run gives its lowest and its highest
// point in the order they came, so every peak and every trough of the full
// series is still drawn, with the first and the last point. A series of at
// most max_points points comes back whole.
std::vector<SeriesPoint> outline_of(std::span<const std::int64_t> series, std::size_t max_points);

// The highest value so far at each point.
std::vector<std::int64_t> running_peak(std::span<const std::int64_t> series);

// The running peak reduced as outline_of reduces the series: the same runs,
// each giving the peak at its first and its last point (the peak only rises,
// so nothing between them is higher or lower). No copy of the series is made.
std::vector<SeriesPoint> running_peak_outline(std::span<const std::int64_t> series,
                                              std::size_t max_points);

}  // namespace quorvel
