// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "app/table/panel.hpp"

class QLabel;
class QPushButton;

namespace quorvel {

struct Game;
class SvgPicture;

// The header strip: the drag area, the history row, the export button
// SpeedButton42, the undo button and the two window buttons. The history
// labels, in full:
// HisNum1 HisNum2 HisNum3 HisNum4 HisNum5 HisNum6 HisNum7 HisNum8 HisNum9 HisNum10 HisNum11
// HisNum12.
class HeaderPanel : public Panel {
    Q_OBJECT

public:
    explicit HeaderPanel(QWidget* surface);

    void render(const Game& game);
    void hide_hovers() override;

    // The first widget after the history row, which the profit bet caption
    // lies beneath.
    QWidget* after_history() const;

signals:
    void saveClicked();
    void undoClicked();
    void minimiseClicked();
    void closeClicked();

private:
    struct Widgets {
        SvgPicture* Image45 = nullptr;
        std::array<QLabel*, 12> HisNum{};  // HisNum1 is HisNum[0]
        QPushButton* SpeedButton42 = nullptr;
        SvgPicture* Image_Button_Back1 = nullptr;
        SvgPicture* Image_Button_Back2 = nullptr;
        QPushButton* Undo = nullptr;
        SvgPicture* Button_Minimize1 = nullptr;
        SvgPicture* Button_Minimize2 = nullptr;
        SvgPicture* Button_Close1 = nullptr;
        SvgPicture* Button_Close2 = nullptr;
    };
    Widgets ui_;
};

}  // namespace quorvel
