// The table: the picture with its number cells, the sector cells with their
// chips, the trend and safe-level markers and the two money captions.
#include "app/tform1.hpp"

#include <QLabel>
#include <QPushButton>

#include "app/colours.hpp"
#include "app/overlay_button.hpp"
#include "app/window_parts.hpp"
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

}  // namespace

void TForm1::create_table() {
    ui_.Image7 = make_picture(this, "Image7", "table.svg", QRect(0, 40, 545, 313));
    make_drag_surface(ui_.Image7);

    ui_.Caption_Bankroll = make_caption(this, "Caption_Bankroll", QRect(40, 48, 190, 26),
                                        arial_bold(9), kBankrollColour);
    ui_.Caption_MaxProfit = make_caption(this, "Caption_MaxProfit", QRect(234, 48, 190, 26),
                                         arial_bold(9), kMaxProfitColour);
    // A new maximum flashes the caption opaque on this colour.
    QPalette flash = ui_.Caption_MaxProfit->palette();
    flash.setColor(QPalette::Window, colour_from_bgr(kMaxProfitFlashColour));
    ui_.Caption_MaxProfit->setPalette(flash);

    for (std::size_t i = 0; i < kAllSectors.size(); ++i) {
        ui_.sector_cell[i] = make_picture(this, QStringLiteral("Image%1").arg(i + 1), QString(),
                                          kSectorPlaces[i].cell);
        connect(ui_.sector_cell[i], &SvgPicture::pointerMoved, this, &TForm1::Disable_Hovers);
    }

    for (int n = 0; n < kNumberCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        ui_.Number[i] =
            make_picture(this, QStringLiteral("Number%1").arg(n),
                         QStringLiteral("numbers/number_%1.svg").arg(n), number_cell(n));
    }
    for (int n = 0; n < kNumberCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        auto* button = new OverlayButton(this);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(n));
        button->setGeometry(number_cell(n));
        button->setFlat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(QLatin1String(kNumberButtonStyle));
        button->setMouseTracking(true);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, n] { number_click(n); });
        ui_.SpeedButton[i] = button;

        // The same entry without the table, out of view.
        auto* hidden = new QPushButton(QString::number(n), this);
        hidden->setObjectName(QStringLiteral("Button%1").arg(n));
        hidden->setGeometry(600 + 40 * (n % 10), 40 + 30 * (n / 10), 35, 25);
        hidden->hide();
        connect(hidden, &QPushButton::clicked, this, [this, n] { number_click(n); });
        ui_.Button[i] = hidden;
    }

    number_cells_ = new QWidget(this);
    number_cells_->setGeometry(number_cell(0).united(number_cell(3)).united(number_cell(34)));
    number_cells_->setAttribute(Qt::WA_TransparentForMouseEvents);
    number_cells_->hide();

    for (std::size_t i = 0; i < kAllSectors.size(); ++i) {
        const bool dozen = is_dozen(kAllSectors[i]);
        const QString sector = QString::fromLatin1(name_of(kAllSectors[i]).data(), 2);
        const QRect chip(kSectorPlaces[i].chip,
                         QSize(dozen ? kDozenChipWidth : kColumnChipWidth, 33));
        ui_.Chip[i] = make_picture(
            this, QStringLiteral("Chip_") + sector,
            dozen ? QStringLiteral("chip_dozen.svg") : QStringLiteral("chip_column.svg"), chip);
        ui_.Chip[i]->hide();
        connect(ui_.Chip[i], &SvgPicture::pointerMoved, this, &TForm1::Disable_Hovers);
    }
    for (std::size_t i = 0; i < kAllSectors.size(); ++i) {
        const bool dozen = is_dozen(kAllSectors[i]);
        const QString sector = QString::fromLatin1(name_of(kAllSectors[i]).data(), 2);
        // The label lets the pointer through to its chip, which takes the move.
        ui_.BetSize[i] =
            make_caption(this, QStringLiteral("BetSize_") + sector,
                         bet_size_geometry(kSectorPlaces[i], dozen), arial_bold(8), kBlack);
        ui_.BetSize[i]->hide();
    }
    for (std::size_t i = 0; i < kAllSectors.size(); ++i) {
        const bool dozen = is_dozen(kAllSectors[i]);
        ui_.SL_Field[i] = make_picture(this, QStringLiteral("SL_Field_%1").arg(i + 1),
                                       dozen ? QStringLiteral("safe_level_dozen.svg")
                                             : QStringLiteral("safe_level_column.svg"),
                                       kSectorPlaces[i].cell);
        ui_.SL_Field[i]->hide();
        connect(ui_.SL_Field[i], &SvgPicture::pointerMoved, this, &TForm1::Disable_Hovers);
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
                make_picture(this, QStringLiteral("Trend_%1_%2").arg(sector).arg(state), file,
                             kSectorPlaces[i].trend);
            trend->setVisible(state == 0);
            ui_.Trend[i][static_cast<std::size_t>(state)] = trend;
        }
        // The base picture invites a click by showing its hover picture; a
        // click there sets the mark, a click on the mark clears it.
        SvgPicture* hover = ui_.Trend[i][1];
        connect(ui_.Trend[i][0], &SvgPicture::pointerMoved, this, [this, hover] {
            Disable_Hovers();
            hover->show();
        });
        const Sector sector_of_mark = kAllSectors[i];
        connect(hover, &SvgPicture::clicked, this, [this, sector_of_mark] {
            set_trend_mark(game_, sector_of_mark);
            refresh();
        });
        connect(ui_.Trend[i][2], &SvgPicture::clicked, this, [this, sector_of_mark] {
            clear_trend_mark(game_, sector_of_mark);
            refresh();
        });
        for (SvgPicture* picture : {ui_.Trend[i][1], ui_.Trend[i][2]})
            picture->setCursor(Qt::PointingHandCursor);
        ui_.Trend[i][1]->setToolTip(QStringLiteral("Keep the predictions to this sector"));
        ui_.Trend[i][2]->setToolTip(QStringLiteral("Clear the trend mark"));
    }

    // After "Reset Matrix" the blur lies over the whole table; it stays a
    // part of the table picture, which drags the window and resets the hovers.
    ui_.Background_Blur = make_picture(this, "Background_Blur", "blur.svg", QRect(0, 40, 521, 210));
    make_drag_surface(ui_.Background_Blur);
    ui_.Background_Blur->hide();
}

}  // namespace quorvel
