// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/header_panel.hpp"

#include <QLabel>
#include <QPushButton>

#include "app/colours.hpp"
#include "app/widgets/overlay_button.hpp"
#include "app/widgets/svg_picture.hpp"
#include "app/table/window_parts.hpp"
#include "play/session.hpp"

namespace quorvel {

using namespace window_parts;

namespace {

// The header is dark with brass lines; the export button takes the same look.
const char* const kSaveButtonStyle = R"(
QPushButton {
    color: #e2c677; background-color: rgba(0, 0, 0, 90);
    border: 1px solid #8a6a2a; border-radius: 3px; padding: 0px;
}
QPushButton:hover { color: #f6e7b4; border-color: #d9b45a; background-color: rgba(217, 180, 90, 40); }
QPushButton:pressed { color: #ffffff; background-color: rgba(217, 180, 90, 90); }
)";

const char* const kUndoButtonStyle = R"(
QPushButton { background: transparent; border: none; }
QPushButton:hover { background-color: rgba(255, 255, 255, 22); border-radius: 5px; }
QPushButton:pressed { background-color: rgba(0, 0, 0, 60); border-radius: 5px; }
)";

// HisNum1 ... HisNum10 lie on the track of the header picture; HisNum11 and
// HisNum12 only keep older numbers for a step back, out of view.
QRect history_label_geometry(int k) {
    if (k <= 10) return QRect(144 + 22 * (k - 1), 14, 17, 13);
    return QRect(620 + 22 * (k - 11), 14, 17, 13);
}

// A history label shows its number on the number's colour; an empty label
// shows nothing at all, so the header's track shows through.
void set_history_label(QLabel* label, const HistoryLabel& entry) {
    set_caption(label, history_caption(entry));
    const bool filled = !entry.empty();
    if (label->autoFillBackground() != filled) label->setAutoFillBackground(filled);
    const QColor colour = colour_from_bgr(entry.colour);
    if (label->palette().color(QPalette::Window) != colour) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, colour);
        label->setPalette(palette);
    }
}

}  // namespace

HeaderPanel::HeaderPanel(QWidget* surface) : Panel(surface) {
    ui_.Image45 = make_picture(surface, "Image45", "header.svg", QRect(0, 0, 521, 41));
    make_drag_surface(ui_.Image45);

    for (int k = 1; k <= 12; ++k) {
        QLabel* label = make_caption(surface, QStringLiteral("HisNum%1").arg(k),
                                     history_label_geometry(k), arial_bold(8), kWhite);
        ui_.HisNum[static_cast<std::size_t>(k - 1)] = label;
    }

    ui_.SpeedButton42 = new QPushButton(QStringLiteral("SAVE"), surface);
    ui_.SpeedButton42->setObjectName(QStringLiteral("SpeedButton42"));
    ui_.SpeedButton42->setGeometry(365, 12, 32, 16);
    ui_.SpeedButton42->setFlat(true);
    ui_.SpeedButton42->setFocusPolicy(Qt::NoFocus);
    ui_.SpeedButton42->setCursor(Qt::PointingHandCursor);
    ui_.SpeedButton42->setFont(arial_bold(7));
    ui_.SpeedButton42->setStyleSheet(QLatin1String(kSaveButtonStyle));
    ui_.SpeedButton42->setToolTip(QStringLiteral("Save the numbers in game to a text file"));
    ui_.SpeedButton42->setMouseTracking(true);
    ui_.SpeedButton42->installEventFilter(this);
    connect(ui_.SpeedButton42, &QPushButton::clicked, this, &HeaderPanel::saveClicked);

    ui_.Image_Button_Back1 =
        make_picture(surface, "Image_Button_Back1", "undo_0.svg", QRect(407, 9, 55, 23));
    ui_.Image_Button_Back2 =
        make_picture(surface, "Image_Button_Back2", "undo_1.svg", QRect(406, 9, 56, 24));
    ui_.Image_Button_Back2->hide();
    watch_surface(ui_.Image_Button_Back1);
    watch_surface(ui_.Image_Button_Back2);

    ui_.Undo = new OverlayButton(surface);
    ui_.Undo->setObjectName(QStringLiteral("Undo"));
    ui_.Undo->setGeometry(406, 9, 56, 24);
    ui_.Undo->setFlat(true);
    ui_.Undo->setFocusPolicy(Qt::NoFocus);
    ui_.Undo->setCursor(Qt::PointingHandCursor);
    ui_.Undo->setStyleSheet(QLatin1String(kUndoButtonStyle));
    ui_.Undo->setToolTip(QStringLiteral("Take back the last number"));
    ui_.Undo->setMouseTracking(true);
    ui_.Undo->installEventFilter(this);
    ui_.Undo->hide();
    connect(ui_.Undo, &QPushButton::clicked, this, &HeaderPanel::undoClicked);

    ui_.Button_Minimize1 =
        make_picture(surface, "Button_Minimize1", "minimise_0.svg", QRect(465, 8, 25, 25));
    ui_.Button_Minimize2 =
        make_picture(surface, "Button_Minimize2", "minimise_1.svg", QRect(465, 8, 25, 25));
    ui_.Button_Close1 =
        make_picture(surface, "Button_Close1", "close_0.svg", QRect(491, 8, 25, 25));
    ui_.Button_Close2 =
        make_picture(surface, "Button_Close2", "close_1.svg", QRect(491, 8, 25, 25));
    for (SvgPicture* button :
         {ui_.Button_Minimize1, ui_.Button_Minimize2, ui_.Button_Close1, ui_.Button_Close2}) {
        button->setCursor(Qt::PointingHandCursor);
    }
    ui_.Button_Minimize2->setToolTip(QStringLiteral("Minimise"));
    ui_.Button_Close2->setToolTip(QStringLiteral("Close"));
    ui_.Button_Minimize2->hide();
    ui_.Button_Close2->hide();
    connect(ui_.Button_Minimize1, &SvgPicture::pointerMoved, this, [this] {
        emit surfaceMoved();
        ui_.Button_Minimize2->show();
    });
    connect(ui_.Button_Close1, &SvgPicture::pointerMoved, this, [this] {
        emit surfaceMoved();
        ui_.Button_Close2->show();
    });
    connect(ui_.Button_Minimize2, &SvgPicture::clicked, this, &HeaderPanel::minimiseClicked);
    connect(ui_.Button_Close2, &SvgPicture::clicked, this, &HeaderPanel::closeClicked);
}

void HeaderPanel::render(const Game& game) {
    for (int k = 1; k <= 12; ++k) {
        set_history_label(ui_.HisNum[static_cast<std::size_t>(k - 1)], game.row.HisNum(k));
    }
    show_if(ui_.Image_Button_Back2, game.table.undo_offered);
    show_if(ui_.Undo, game.table.undo_offered);
}

QWidget* HeaderPanel::after_history() const {
    return ui_.SpeedButton42;
}

// Each idle window button has a highlighted twin on top of it, shown while
// the pointer is on the button.
void HeaderPanel::hide_hovers() {
    ui_.Button_Close2->hide();
    ui_.Button_Minimize2->hide();
}

}  // namespace quorvel
