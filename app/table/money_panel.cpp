// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/money_panel.hpp"

#include <QLabel>

#include "app/colours.hpp"
#include "app/table/window_parts.hpp"
#include "money/table_rules.hpp"
#include "play/session.hpp"

namespace quorvel {

using namespace window_parts;

MoneyPanel::MoneyPanel(QWidget* surface, QWidget* table_place, QWidget* header_place)
    : Panel(surface) {
    ui_.Caption_Bankroll = make_caption(surface, "Caption_Bankroll", QRect(40, 48, 190, 26),
                                        arial_bold(9), kBankrollColour);
    ui_.Caption_MaxProfit = make_caption(surface, "Caption_MaxProfit", QRect(234, 48, 190, 26),
                                         arial_bold(9), kMaxProfitColour);
    // A new maximum flashes the caption opaque on this colour.
    QPalette flash = ui_.Caption_MaxProfit->palette();
    flash.setColor(QPalette::Window, colour_from_bgr(kMaxProfitFlashColour));
    ui_.Caption_MaxProfit->setPalette(flash);
    ui_.Caption_Bankroll->stackUnder(table_place);
    ui_.Caption_MaxProfit->stackUnder(table_place);

    // Over the word mark, which it covers while shown.
    ui_.Caption_ProfitBet = make_caption(surface, "Caption_ProfitBet", QRect(34, 11, 104, 19),
                                         arial_bold(8), kProfitBetColour);
    ui_.Caption_ProfitBet->setAutoFillBackground(true);
    QPalette profit_bet = ui_.Caption_ProfitBet->palette();
    profit_bet.setColor(QPalette::Window, QColor(0x1d, 0x1e, 0x22));
    ui_.Caption_ProfitBet->setPalette(profit_bet);
    ui_.Caption_ProfitBet->hide();
    ui_.Caption_ProfitBet->stackUnder(header_place);

    // Out of view beside the focus sink: the labels that carry the current
    // number, the bet and the minimal-profit bet as text.
    const auto working_label = [surface](const char* name, int y) {
        auto* label = new QLabel(surface);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(680, y, 80, 16);
        return label;
    };
    ui_.CurrentNum = working_label("CurrentNum", 300);
    ui_.CurrentBet = working_label("CurrentBet", 320);
    ui_.Label28 = working_label("Label28", 340);
}

void MoneyPanel::render(const Game& game) {
    set_caption(ui_.Caption_ProfitBet, profit_bet_caption(game));
    show_if(ui_.Caption_ProfitBet, game.params.ChBx_ProfitBet);

    set_caption(ui_.Caption_Bankroll, bankroll_caption(game));
    // Red while the bankroll cannot pay the bet on the table, or could not
    // pay the one that ended the session.
    const bool short_of_money = cannot_cover(game) || game.stopped == StopReason::RanOut;
    if (ui_.Caption_Bankroll->property("short").toBool() != short_of_money) {
        ui_.Caption_Bankroll->setProperty("short", short_of_money);
        set_font_colour(ui_.Caption_Bankroll,
                        short_of_money ? kBankrollShortColour : kBankrollColour);
    }
    set_caption(ui_.Caption_MaxProfit, max_bank_caption(game));
    show_if(ui_.Caption_Bankroll, game.params.ChBx_TestBankroll);
    show_if(ui_.Caption_MaxProfit, game.params.ChBx_TestBankroll);
    // The flash turns the caption opaque on its colour and back.
    const bool opaque = game.max_profit_flash.opaque;
    if (ui_.Caption_MaxProfit->autoFillBackground() != opaque)
        ui_.Caption_MaxProfit->setAutoFillBackground(opaque);

    if (ui_.CurrentNum->property("tag").toInt() != game.CurrentNum)
        ui_.CurrentNum->setProperty("tag", game.CurrentNum);
    set_caption(ui_.CurrentBet, current_bet_caption(game));
    set_caption(ui_.Label28, minimal_profit_caption(game));
}

}  // namespace quorvel
