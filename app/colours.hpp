// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

namespace quorvel {

// The game stores colours as 0x00BBGGRR integers: red is the lowest byte, so
// 128 is dark red and 8388608 dark blue.
inline QColor colour_from_bgr(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// The colours of the window, in the same form.
inline constexpr int kBlack = 0;
inline constexpr int kWhite = 16777215;
inline constexpr int kSilver = 12632256;  // the window's background and quiet texts
inline constexpr int kBankrollColour = 457184;
inline constexpr int kBankrollShortColour = 0x5050ff;  // a bankroll that cannot pay its bet
inline constexpr int kMaxProfitColour = 4606114;
inline constexpr int kMaxProfitFlashColour = 5197823;
inline constexpr int kProfitBetColour = 9671424;
inline constexpr int kLabelColour = 3799468;  // the labels and switches of the settings
inline constexpr int kGaugeBar = 127407;
inline constexpr int kGaugeBackground = 1184274;
inline constexpr int kPanel = 2894892;  // the settings section
inline constexpr int kLossesRow = 25600;
inline constexpr int kWinsRow = 35840;
inline constexpr int kAfterBackground = 3552822;
inline constexpr int kAfterColour = 8421504;

}  // namespace quorvel
