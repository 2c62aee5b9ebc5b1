#include "lab/series_outline.hpp"

#include <algorithm>

namespace quorvel {

std::vector<SeriesPoint> outline_of(std::span<const std::int64_t> series, std::size_t max_points) {
    std::vector<SeriesPoint> points;
    if (series.size() <= max_points || max_points < 4) {
        points.reserve(series.size());
        for (std::size_t i = 0; i < series.size(); ++i)
            points.push_back({i, series[i]});
        return points;
    }
    // Two points a run, and the first and the last point of the series.
    const std::size_t runs = (max_points - 2) / 2;
    points.reserve(2 * runs + 2);
    points.push_back({0, series.front()});
    const std::size_t inner = series.size() - 2;
    for (std::size_t run = 0; run < runs; ++run) {
        const std::size_t begin = 1 + inner * run / runs;
        const std::size_t end = 1 + inner * (run + 1) / runs;
        if (begin == end) continue;
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
    }
    points.push_back({series.size() - 1, series.back()});
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
