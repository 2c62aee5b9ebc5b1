// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/table_panel.hpp"

#include <QFontMetrics>
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

// The number buttons lie exactly over their cells; only a faint outline tells
// which cell the pointer is on.
const char* const kNumberButtonStyle = R"(
QPushButton { background: transparent; border: none; }
QPushButton:hover { background-color: rgba(255, 255, 255, 30); border: 1px solid rgba(255, 255, 255, 170); }
QPushButton:pressed { background-color: rgba(0, 0, 0, 70); border: 1px solid rgba(255, 255, 255, 220); }
)";

// Cells are 33 x 33 on a pitch of 32. The rows of the table are, from the top,
// column 3 (3, 6, ... 36), column 2 and column 1; zero sits left of column 2.
QRect number_cell(int number) {
    if (number == 0) return QRect(8, 112, 33, 33);
    const int x = 40 + 32 * ((number - 1) / 3);
    const int y = number % 3 == 0 ? 80 : number % 3 == 2 ? 112 : 144;
    return QRect(x, y, 33, 33);
}

// Per sector, D1 to C3: the sector cell, the chip, the top left corner of the
// bet-size label and the trend markers.
struct SectorPlace {
    QRect cell;
    QPoint chip;
    QPoint bet_size;
    QRect trend;
};

constexpr int kDozenChipWidth = 129;
constexpr int kColumnChipWidth = 73;

const std::array<SectorPlace, 6> kSectorPlaces{{
    {QRect(40, 178, 129, 33), QPoint(39, 178), QPoint(71, 182), QRect(48, 212, 41, 17)},
    {QRect(168, 178, 129, 33), QPoint(168, 178), QPoint(196, 182), QRect(176, 212, 41, 17)},
    {QRect(296, 178, 129, 33), QPoint(296, 178), QPoint(327, 182), QRect(304, 212, 41, 17)},
    {QRect(424, 144, 73, 33), QPoint(423, 144), QPoint(428, 150), QRect(496, 145, 17, 33)},
    {QRect(424, 112, 73, 33), QPoint(423, 112), QPoint(429, 119), QRect(496, 113, 17, 33)},
    {QRect(424, 80, 73, 33), QPoint(423, 80), QPoint(429, 87), QRect(496, 81, 17, 33)},
}};

// The centre of the chip's circle within the chip picture.
QPointF chip_circle_centre(bool dozen) {
    return dozen ? QPointF(47, 16.5) : QPointF(22, 16.5);
}

// A bet-size label keeps its given top left corner and is as wide and as high
// as it takes for its centre to fall on the chip's circle, so centred text
// sits in the middle of the chip.
QRect bet_size_geometry(const SectorPlace& place, bool dozen) {
    const QPointF centre = QPointF(place.chip) + chip_circle_centre(dozen);
    const int width = qRound(2 * (centre.x() - place.bet_size.x()));
    const int height = qRound(2 * (centre.y() - place.bet_size.y()));
    return QRect(place.bet_size, QSize(width, height));
}

// Bets can grow to seven digits; the chip's label shrinks its font until the
// number fits on the chip.
void set_bet_size(QLabel* label, const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    if (label->text() == text) return;
    QFont font = label->font();
    int size = 8;
    font.setPointSize(size);
    while (size > 5 && QFontMetrics(font).horizontalAdvance(text) > label->width() - 2) {
        font.setPointSize(--size);
    }
    if (label->font() != font) label->setFont(font);
    label->setText(text);
}

}  // namespace

TablePanel::TablePanel(QWidget* surface) : Panel(surface) {
    ui_.Image7 = make_picture(surface, "Image7", "table.svg", QRect(0, 40, 545, 313));
    make_drag_surface(ui_.Image7);

    for (std::size_t i = 0; i < kAllSectors.size(); ++i) {
        ui_.sector_cell[i] = make_picture(surface, QStringLiteral("Image%1").arg(i + 1), QString(),
                                          kSectorPlaces[i].cell);
        watch_surface(ui_.sector_cell[i]);
    }
    create_numbers();
    create_sectors();

    // After "Reset Matrix" the blur lies over the whole table; it stays a
    // part of the table picture, which drags the window and resets the hovers.
    ui_.Background_Blur =
        make_picture(surface, "Background_Blur", "blur.svg", QRect(0, 40, 521, 210));
    make_drag_surface(ui_.Background_Blur);
    ui_.Background_Blur->hide();
}

void TablePanel::create_numbers() {
    for (int n = 0; n < kNumberCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        ui_.Number[i] =
            make_picture(surface(), QStringLiteral("Number%1").arg(n),
                         QStringLiteral("numbers/number_%1.svg").arg(n), number_cell(n));
    }
    for (int n = 0; n < kNumberCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        auto* button = new OverlayButton(surface());
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(n));
        button->setGeometry(number_cell(n));
        button->setFlat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::PointingHandCursor);
        // A screen reader, or a test, presses "17" by its name.
        button->setAccessibleName(QString::number(n));
        button->setStyleSheet(QLatin1String(kNumberButtonStyle));
        button->setMouseTracking(true);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, n] { emit numberClicked(n); });
        ui_.SpeedButton[i] = button;

        // The same entry without the table, out of view.
        auto* hidden = new QPushButton(QString::number(n), surface());
        hidden->setObjectName(QStringLiteral("Button%1").arg(n));
        hidden->setGeometry(600 + 40 * (n % 10), 40 + 30 * (n / 10), 35, 25);
        hidden->hide();
        connect(hidden, &QPushButton::clicked, this, [this, n] { emit numberClicked(n); });
        ui_.Button[i] = hidden;
    }

    number_cells_ = new QWidget(surface());
    number_cells_->setGeometry(number_cell(0).united(number_cell(3)).united(number_cell(34)));
    number_cells_->setAttribute(Qt::WA_TransparentForMouseEvents);
    number_cells_->hide();
}

void TablePanel::create_sectors() {
    for (std::size_t i = 0; i < kAllSectors.size(); ++i) {
        const bool dozen = is_dozen(kAllSectors[i]);
        const QString sector = QString::fromLatin1(name_of(kAllSectors[i]).data(), 2);
        const QRect chip(kSectorPlaces[i].chip,
                         QSize(dozen ? kDozenChipWidth : kColumnChipWidth, 33));
        ui_.Chip[i] = make_picture(
            surface(), QStringLiteral("Chip_") + sector,
            dozen ? QStringLiteral("chip_dozen.svg") : QStringLiteral("chip_column.svg"), chip);
        ui_.Chip[i]->hide();
        watch_surface(ui_.Chip[i]);
    }
    for (std::size_t i = 0; i < kAllSectors.size(); ++i) {
        const bool dozen = is_dozen(kAllSectors[i]);
        const QString sector = QString::fromLatin1(name_of(kAllSectors[i]).data(), 2);
        // The label lets the pointer through to its chip, which takes the move.
        ui_.BetSize[i] =
            make_caption(surface(), QStringLiteral("BetSize_") + sector,
                         bet_size_geometry(kSectorPlaces[i], dozen), arial_bold(8), kBlack);
        ui_.BetSize[i]->hide();
    }
    for (std::size_t i = 0; i < kAllSectors.size(); ++i) {
        const bool dozen = is_dozen(kAllSectors[i]);
        ui_.SL_Field[i] = make_picture(surface(), QStringLiteral("SL_Field_%1").arg(i + 1),
                                       dozen ? QStringLiteral("safe_level_dozen.svg")
                                             : QStringLiteral("safe_level_column.svg"),
                                       kSectorPlaces[i].cell);
        ui_.SL_Field[i]->hide();
        watch_surface(ui_.SL_Field[i]);
    }
    for (std::size_t i = 0; i < kAllSectors.size(); ++i) {
        const bool dozen = is_dozen(kAllSectors[i]);
        const QString sector = QString::fromLatin1(name_of(kAllSectors[i]).data(), 2);
        for (int state = 0; state < 3; ++state) {
            const QString file =
                QStringLiteral("trend_%1_%2.svg")
                    .arg(dozen ? QStringLiteral("dozen") : QStringLiteral("column"))
                    .arg(state);
            SvgPicture* trend =
                make_picture(surface(), QStringLiteral("Trend_%1_%2").arg(sector).arg(state), file,
                             kSectorPlaces[i].trend);
            trend->setVisible(state == 0);
            ui_.Trend[i][static_cast<std::size_t>(state)] = trend;
        }
        // The base picture invites a click by showing its hover picture; a
        // click there sets the mark, a click on the mark clears it.
        SvgPicture* hover = ui_.Trend[i][1];
        connect(ui_.Trend[i][0], &SvgPicture::pointerMoved, this, [this, hover] {
            emit surfaceMoved();
            hover->show();
        });
        const Sector sector_of_mark = kAllSectors[i];
        connect(hover, &SvgPicture::clicked, this,
                [this, sector_of_mark] { emit trendMarkSet(sector_of_mark); });
        connect(ui_.Trend[i][2], &SvgPicture::clicked, this,
                [this, sector_of_mark] { emit trendMarkCleared(sector_of_mark); });
        for (SvgPicture* picture : {ui_.Trend[i][1], ui_.Trend[i][2]})
            picture->setCursor(Qt::PointingHandCursor);
        ui_.Trend[i][1]->setToolTip(QStringLiteral("Keep the predictions to this sector"));
        ui_.Trend[i][2]->setToolTip(QStringLiteral("Clear the trend mark"));
    }
}

QWidget* TablePanel::over_picture() const {
    return ui_.sector_cell[0];
}

void TablePanel::render(const Game& game) {
    const TableState& table = game.table;
    // The pause hides all the number cells but one and brings them back. The
    // window system would then take each of the 74 widgets for a repaint of
    // its own, each weighed against the 200 controls over it; marking the
    // whole block of cells for repainting first (what hiding a widget that
    // spans it does) lets every cell's change find its place already marked.
    for (std::size_t n = 0; n < ui_.Number.size(); ++n) {
        if (ui_.Number[n]->isHidden() == table.Number[n] ||
            ui_.SpeedButton[n]->isHidden() == table.SpeedButton[n]) {
            number_cells_->show();
            number_cells_->hide();
            break;
        }
    }
    for (std::size_t n = 0; n < ui_.Number.size(); ++n) {
        show_if(ui_.Number[n], table.Number[n]);
        show_if(ui_.SpeedButton[n], table.SpeedButton[n]);
    }
    const std::string bet_size = bet_size_caption(game);
    for (std::size_t i = 0; i < kAllSectors.size(); ++i) {
        const Sector sector = kAllSectors[i];
        const bool in_play = table.chips.contains(sector);
        show_if(ui_.Chip[i], in_play);
        show_if(ui_.BetSize[i], in_play);
        set_bet_size(ui_.BetSize[i], bet_size);
        show_if(ui_.Trend[i][2], table.trend_marks.contains(sector));
        show_if(ui_.SL_Field[i], table.SL_Field);
    }
    show_if(ui_.Background_Blur, table.Background_Blur);
}

// Each trend marker's idle picture has a highlighted twin on top of it.
void TablePanel::hide_hovers() {
    for (const auto& trend : ui_.Trend)
        trend[1]->hide();
}

}  // namespace quorvel
