// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/progress_bar.hpp"

#include <unistd.h>

#include <string>

namespace quorvel::cli {

namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRedrawEvery = std::chrono::milliseconds(200);
constexpr int kBarWidth = 40;

}  // namespace

ProgressBar::ProgressBar(std::size_t total)
    : total_(total), terminal_(isatty(STDERR_FILENO) == 1), start_(Clock::now()) {}

ProgressBar::~ProgressBar() {
    finish();
}

void ProgressBar::update(std::size_t done) {
    if (!terminal_ || total_ == 0) return;
    const Clock::time_point now = Clock::now();
    if (now - start_ < kQuietStart) return;
    if (shown_ && now - last_draw_ < kRedrawEvery) return;
    shown_ = true;
    last_draw_ = now;

    const double part = done >= total_ ? 1.0 : static_cast<double>(done) / total_;
    const int filled = static_cast<int>(part * kBarWidth);
    const double seconds = std::chrono::duration<double>(now - start_).count();
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    std::fprintf(stderr, "\r[%s] %3d%%  %.0f s", bar.c_str(), static_cast<int>(part * 100),
                 seconds);
    std::fflush(stderr);
}

void ProgressBar::finish() {
    if (!shown_) return;
    shown_ = false;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
}

}  // namespace quorvel::cli
