// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/series_outline.hpp"

#include <algorithm>

namespace quorvel {

namespace {

// The runs a long series is cut into: [begin, end) of each, between the first
// and the last point, which stand on their own.
template <typename Visit>
void for_each_run(std::size_t size, std::size_t max_points, Visit visit) {
    const std::size_t runs = (max_points - 2) / 2;
    const std::size_t inner = size - 2;
    for (std::size_t run = 0; run < runs; ++run) {
        const std::size_t begin = 1 + inner * run / runs;
        const std::size_t end = 1 + inner * (run + 1) / runs;
        if (begin != end) visit(begin, end);
    }
}

bool whole(std::size_t size, std::size_t max_points) {
    return size <= max_points || max_points < 4;
}

}  // namespace

std::vector<SeriesPoint> outline_of(std::span<const std::int64_t> series, std::size_t max_points) {
    std::vector<SeriesPoint> points;
    if (whole(series.size(), max_points)) {
        points.reserve(series.size());
        for (std::size_t i = 0; i < series.size(); ++i)
            points.push_back({i, series[i]});
        return points;
    }
    // Two points a run, and the first and the last point of the series.
    points.reserve(max_points);
    points.push_back({0, series.front()});
    for_each_run(series.size(), max_points, [&](std::size_t begin, std::size_t end) {
        const auto first = series.begin() + static_cast<std::ptrdiff_t>(begin);
        const auto last = series.begin() + static_cast<std::ptrdiff_t>(end);
        const auto [low, high] = std::minmax_element(first, last);
        const auto low_index = static_cast<std::size_t>(low - series.begin());
        const auto high_index = static_cast<std::size_t>(high - series.begin());
        if (low_index == high_index) {
            points.push_back({low_index, *low});
        } else if (low_index < high_index) {
            points.push_back({low_index, *low});
            points.push_back({high_index, *high});
        } else {
            points.push_back({high_index, *high});
            points.push_back({low_index, *low});
        }
    });
    points.push_back({series.size() - 1, series.back()});
    return points;
}

std::vector<SeriesPoint> running_peak_outline(std::span<const std::int64_t> series,
                                              std::size_t max_points) {
    std::vector<SeriesPoint> points;
    if (series.empty()) return points;
    std::int64_t peak = series.front();
    if (whole(series.size(), max_points)) {
        points.reserve(series.size());
        for (std::size_t i = 0; i < series.size(); ++i) {
            peak = std::max(peak, series[i]);
            points.push_back({i, peak});
        }
        return points;
    }
    points.reserve(max_points);
    points.push_back({0, peak});
    for_each_run(series.size(), max_points, [&](std::size_t begin, std::size_t end) {
        peak = std::max(peak, series[begin]);
        points.push_back({begin, peak});
        for (std::size_t i = begin + 1; i < end; ++i)
            peak = std::max(peak, series[i]);
        if (end - 1 > begin) points.push_back({end - 1, peak});
    });
    peak = std::max(peak, series.back());
    points.push_back({series.size() - 1, peak});
    return points;
}

std::vector<std::int64_t> running_peak(std::span<const std::int64_t> series) {
    std::vector<std::int64_t> peaks;
    peaks.reserve(series.size());
    for (const std::int64_t value : series)
        peaks.push_back(peaks.empty() ? value : std::max(peaks.back(), value));
    return peaks;
}

}  // namespace quorvel
