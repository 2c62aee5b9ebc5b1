// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>

namespace quorvel::cli {

// A bar on the standard error for long work. It appears only when the
// standard error is a terminal and the work has taken more than a second,
// redraws at most a few times a second, and clears its line when done.
class ProgressBar {
public:
    explicit ProgressBar(std::size_t total);
    ~ProgressBar();

    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void update(std::size_t done);
    void finish();

private:
    using Clock = std::chrono::steady_clock;

    std::size_t total_;
    bool terminal_;
    bool shown_ = false;
    Clock::time_point start_;
    Clock::time_point last_draw_;
};

}  // namespace quorvel::cli
