// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/table/panel.hpp"

class QLabel;

namespace quorvel {

struct Game;

// The money captions: the test bankroll and its best so far over the table
// (Caption_Bankroll, Caption_MaxProfit), the profit bet over the header's word
// mark (Caption_ProfitBet), and, out of view, the working labels of the
// current number, the bet and the minimal-profit bet (CurrentNum, CurrentBet,
// Label28). The captions take no input.
class MoneyPanel : public Panel {
    Q_OBJECT

public:
    // The table's two captions lie just over the table picture, beneath
    // table_place and so beneath the chips and the blur after "Reset Matrix";
    // the profit bet lies just beneath header_place.
    MoneyPanel(QWidget* surface, QWidget* table_place, QWidget* header_place);

    void render(const Game& game);

private:
    struct Widgets {
        QLabel* Caption_Bankroll = nullptr;
        QLabel* Caption_MaxProfit = nullptr;
        QLabel* Caption_ProfitBet = nullptr;
        QLabel* CurrentNum = nullptr;  // the number being processed, as its tag
        QLabel* CurrentBet = nullptr;
        QLabel* Label28 = nullptr;
    };
    Widgets ui_;
};

}  // namespace quorvel
