// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "app/panel.hpp"
#include "game/roulette.hpp"

class QLabel;
class QPushButton;

namespace quorvel {

struct Game;

// The table: the picture with its number cells and their buttons, the sector
// cells with their chips, bet sizes, trend and safe-level marks, the blur that
// covers it after "Reset Matrix".
//
// Names built from parts, in full: Number0 ... Number36, SpeedButton0 ...
// SpeedButton36, Button0 ... Button36 (the same entry out of view); Image1 ...
// Image6 (the sector cells); Chip_D1, Chip_D2, Chip_D3, Chip_C1, Chip_C2,
// Chip_C3; BetSize_D1 ... BetSize_C3; SL_Field_1 ... SL_Field_6; Trend_D1_0,
// Trend_D1_1, Trend_D1_2 ... Trend_C3_2 (rest, hover, mark). Per-sector
// arrays run D1, D2, D3, C1, C2, C3.
class TablePanel : public Panel {
    Q_OBJECT

public:
    explicit TablePanel(QWidget* surface);

    void render(const Game& game);
    void hide_hovers() override;

    // The first widget over the table picture, which the money captions lie
    // beneath.
    QWidget* over_picture() const;

signals:
    void numberClicked(int number);
    void trendMarkSet(quorvel::Sector sector);
    void trendMarkCleared(quorvel::Sector sector);

private:
    void create_numbers();
    void create_sectors();

    struct Widgets {
        SvgPicture* Image7 = nullptr;
        std::array<SvgPicture*, kNumberCount> Number{};
        std::array<QPushButton*, kNumberCount> SpeedButton{};
        std::array<QPushButton*, kNumberCount> Button{};
        std::array<SvgPicture*, 6> sector_cell{};  // Image1 ... Image6
        std::array<SvgPicture*, 6> Chip{};
        std::array<QLabel*, 6> BetSize{};
        std::array<std::array<SvgPicture*, 3>, 6> Trend{};  // Trend_X_0, _1, _2
        std::array<SvgPicture*, 6> SL_Field{};
        SvgPicture* Background_Blur = nullptr;
    };
    Widgets ui_;
    // Spans the number cells and draws nothing; see render.
    QWidget* number_cells_ = nullptr;
};

}  // namespace quorvel
