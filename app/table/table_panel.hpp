// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "app/table/panel.hpp"
#include "game/roulette.hpp"

class QLabel;
class QPushButton;

namespace quorvel {

struct Game;

// The table: the picture with its number cells and their buttons, the sector
// cells with their chips, bet sizes, trend and safe-level marks, the blur that
// covers it after "Reset Matrix".
//
// The names built from parts, in full. The number cells' pictures, their
// buttons and the same entries out of view:
// Number0 Number1 Number2 Number3 Number4 Number5 Number6 Number7 Number8 Number9 Number10
// Number11 Number12 Number13 Number14 Number15 Number16 Number17 Number18 Number19 Number20
// Number21 Number22 Number23 Number24 Number25 Number26 Number27 Number28 Number29 Number30
// Number31 Number32 Number33 Number34 Number35 Number36
// SpeedButton0 SpeedButton1 SpeedButton2 SpeedButton3 SpeedButton4 SpeedButton5 SpeedButton6
// SpeedButton7 SpeedButton8 SpeedButton9 SpeedButton10 SpeedButton11 SpeedButton12 SpeedButton13
// SpeedButton14 SpeedButton15 SpeedButton16 SpeedButton17 SpeedButton18 SpeedButton19
// SpeedButton20 SpeedButton21 SpeedButton22 SpeedButton23 SpeedButton24 SpeedButton25
// SpeedButton26 SpeedButton27 SpeedButton28 SpeedButton29 SpeedButton30 SpeedButton31
// SpeedButton32 SpeedButton33 SpeedButton34 SpeedButton35 SpeedButton36
// Button0 Button1 Button2 Button3 Button4 Button5 Button6 Button7 Button8 Button9 Button10
// Button11 Button12 Button13 Button14 Button15 Button16 Button17 Button18 Button19 Button20
// Button21 Button22 Button23 Button24 Button25 Button26 Button27 Button28 Button29 Button30
// Button31 Button32 Button33 Button34 Button35 Button36
// The sector cells, chips and bet sizes, the safe-level marks and the trend
// markers (rest, hover, mark); per-sector arrays run D1, D2, D3, C1, C2, C3:
// Image1 Image2 Image3 Image4 Image5 Image6 Chip_D1 Chip_D2 Chip_D3 Chip_C1 Chip_C2 Chip_C3
// BetSize_D1 BetSize_D2 BetSize_D3 BetSize_C1 BetSize_C2 BetSize_C3
// SL_Field_1 SL_Field_2 SL_Field_3 SL_Field_4 SL_Field_5 SL_Field_6 Trend_D1_0 Trend_D1_1
// Trend_D1_2 Trend_D2_0 Trend_D2_1 Trend_D2_2 Trend_D3_0 Trend_D3_1 Trend_D3_2 Trend_C1_0
// Trend_C1_1 Trend_C1_2 Trend_C2_0 Trend_C2_1 Trend_C2_2 Trend_C3_0 Trend_C3_1 Trend_C3_2
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
