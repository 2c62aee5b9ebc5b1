// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/status_panel.hpp"

#include <QLabel>
#include <QTimer>

#include "app/colours.hpp"
#include "app/widgets/gauge.hpp"
#include "app/widgets/shape.hpp"
#include "app/widgets/svg_picture.hpp"
#include "app/table/window_parts.hpp"
#include "play/session.hpp"

namespace quorvel {

using namespace window_parts;

namespace {

// A dark plate with a gold rim, as the header's buttons: the digits large,
// and what the next key does small beside them.
const char* const kTypedStyle = R"(
QLabel { background-color: rgba(12, 20, 14, 225); border: 1px solid #c9a640; border-radius: 9px;
         color: white; padding: 0 8px; }
)";
const char* const kRefusedStyle = R"(
QLabel { background-color: #b3261e; border: 1px solid #ffd0c8; border-radius: 9px;
         color: white; padding: 0 8px; }
)";
constexpr int kFlashMs = 900;

}  // namespace

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

    ui_.Typed_Number = new QLabel(surface);
    ui_.Typed_Number->setObjectName(QStringLiteral("Typed_Number"));
    ui_.Typed_Number->setGeometry(382, 250, 130, 22);
    ui_.Typed_Number->setTextFormat(Qt::RichText);
    ui_.Typed_Number->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    ui_.Typed_Number->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui_.Typed_Number->hide();
    flash_end_ = new QTimer(this);
    flash_end_->setSingleShot(true);
    flash_end_->setInterval(kFlashMs);
    connect(flash_end_, &QTimer::timeout, this, [this] { ui_.Typed_Number->hide(); });
}

void StatusPanel::show_typed(const QString& typed) {
    if (typed.isEmpty()) {
        // A refusal's flash stays its moment.
        if (!flash_end_->isActive()) ui_.Typed_Number->hide();
        return;
    }
    flash_end_->stop();
    ui_.Typed_Number->setStyleSheet(QLatin1String(kTypedStyle));
    // The second digit is to come, shown as a place to fill.
    ui_.Typed_Number->setText(
        QStringLiteral("<span style=\"font-size:13pt; font-weight:bold;\">%1</span>"
                       "<span style=\"font-size:13pt; color:#6f8a74;\">%2</span>"
                       "&nbsp;&nbsp;<span style=\"font-size:8pt; color:#c9a640;\">Enter &#x21b5;"
                       "</span>")
            .arg(typed.toHtmlEscaped(), typed.size() < 2 ? QStringLiteral("_") : QString()));
    ui_.Typed_Number->show();
}

void StatusPanel::flash_refused(const QString& typed, const QString& why) {
    ui_.Typed_Number->setStyleSheet(QLatin1String(kRefusedStyle));
    ui_.Typed_Number->setText(
        QStringLiteral("<span style=\"font-size:13pt; font-weight:bold;\">%1</span>"
                       "&nbsp;&nbsp;<span style=\"font-size:8pt;\">%2</span>")
            .arg(typed.toHtmlEscaped(), why.toHtmlEscaped()));
    ui_.Typed_Number->show();
    flash_end_->start();
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
