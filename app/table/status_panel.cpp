// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/status_panel.hpp"

#include <QLabel>

#include "app/colours.hpp"
#include "app/widgets/gauge.hpp"
#include "app/widgets/shape.hpp"
#include "app/widgets/svg_picture.hpp"
#include "app/table/window_parts.hpp"
#include "play/session.hpp"

namespace quorvel {

using namespace window_parts;

StatusPanel::StatusPanel(QWidget* surface) : Panel(surface) {
    ui_.Shape15 = new Shape(colour_from_bgr(kBlack), surface);
    ui_.Shape15->setObjectName(QStringLiteral("Shape15"));
    ui_.Shape15->setGeometry(8, 251, 145, 19);
    ui_.Shape15->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui_.Shape15->hide();
    ui_.Label_Numbers_In_Game = make_caption(surface, "Label_Numbers_In_Game",
                                             QRect(8, 251, 145, 19), surface->font(), kSilver);
    ui_.Label_Numbers_In_Game->hide();

    const QRect button(218, 250, 93, 22);
    ui_.Button_Settings_0 = make_picture(surface, "Button_Settings_0", "settings_0.svg", button);
    ui_.Button_Settings_1 = make_picture(surface, "Button_Settings_1", "settings_1.svg", button);
    ui_.Button_Settings_2 = make_picture(surface, "Button_Settings_2", "settings_2.svg", button);
    for (SvgPicture* picture :
         {ui_.Button_Settings_0, ui_.Button_Settings_1, ui_.Button_Settings_2}) {
        picture->setCursor(Qt::PointingHandCursor);
    }
    ui_.Button_Settings_1->hide();
    ui_.Button_Settings_2->hide();
    connect(ui_.Button_Settings_0, &SvgPicture::pointerMoved, this, [this] {
        emit surfaceMoved();
        ui_.Button_Settings_1->show();
    });
    connect(ui_.Button_Settings_1, &SvgPicture::clicked, this, [this] {
        ui_.Button_Settings_2->show();
        emit unfolded();
    });
    connect(ui_.Button_Settings_2, &SvgPicture::clicked, this, [this] {
        ui_.Button_Settings_2->hide();
        emit folded();
    });

    ui_.CGauge1 = new Gauge(colour_from_bgr(kGaugeBar), colour_from_bgr(kGaugeBackground), surface);
    ui_.CGauge1->setObjectName(QStringLiteral("CGauge1"));
    ui_.CGauge1->setGeometry(0, 274, 521, 5);
    ui_.CGauge1->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void StatusPanel::render(const Game& game) {
    const bool count_shown = game.params.ChBx_Show_Numbers_In_Game;
    show_if(ui_.Shape15, count_shown);
    show_if(ui_.Label_Numbers_In_Game, count_shown);
    set_caption(ui_.Label_Numbers_In_Game, numbers_in_game_caption(game));
    render_pause(game);
}

void StatusPanel::render_pause(const Game& game) {
    ui_.CGauge1->set_progress(game.pause.CGauge1);
}

// The settings button's idle picture has a highlighted twin on top of it.
void StatusPanel::hide_hovers() {
    ui_.Button_Settings_1->hide();
}

void StatusPanel::raise_pause_gauge() {
    ui_.CGauge1->raise();
}

}  // namespace quorvel
