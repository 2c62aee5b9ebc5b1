// The header strip: the drag area, the history row, the export and undo
// buttons and the two window buttons.
#include "app/tform1.hpp"

#include <QLabel>
#include <QPushButton>

#include "app/colours.hpp"
#include "app/overlay_button.hpp"
#include "app/window_parts.hpp"

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

}  // namespace

void TForm1::create_header() {
    ui_.Image45 = make_picture(this, "Image45", "header.svg", QRect(0, 0, 521, 41));
    make_drag_surface(ui_.Image45);

    for (int k = 1; k <= 12; ++k) {
        QLabel* label = make_caption(this, QStringLiteral("HisNum%1").arg(k),
                                     history_label_geometry(k), arial_bold(8), kWhite);
        ui_.HisNum[static_cast<std::size_t>(k - 1)] = label;
    }

    // Over the word mark, which it covers while shown.
    ui_.Caption_ProfitBet = make_caption(this, "Caption_ProfitBet", QRect(34, 11, 104, 19),
                                         arial_bold(8), kProfitBetColour);
    ui_.Caption_ProfitBet->setAutoFillBackground(true);
    QPalette profit_bet = ui_.Caption_ProfitBet->palette();
    profit_bet.setColor(QPalette::Window, QColor(0x1d, 0x1e, 0x22));
    ui_.Caption_ProfitBet->setPalette(profit_bet);
    ui_.Caption_ProfitBet->hide();

    ui_.SpeedButton42 = new QPushButton(QStringLiteral("SAVE"), this);
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
    connect(ui_.SpeedButton42, &QPushButton::clicked, this, &TForm1::SpeedButton42Click);

    ui_.Image_Button_Back1 =
        make_picture(this, "Image_Button_Back1", "undo_0.svg", QRect(407, 9, 55, 23));
    ui_.Image_Button_Back2 =
        make_picture(this, "Image_Button_Back2", "undo_1.svg", QRect(406, 9, 56, 24));
    ui_.Image_Button_Back2->hide();
    for (SvgPicture* picture : {ui_.Image_Button_Back1, ui_.Image_Button_Back2}) {
        connect(picture, &SvgPicture::pointerMoved, this, &TForm1::Disable_Hovers);
    }

    ui_.Undo = new OverlayButton(this);
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
    connect(ui_.Undo, &QPushButton::clicked, this, &TForm1::UndoClick);

    ui_.Button_Minimize1 =
        make_picture(this, "Button_Minimize1", "minimise_0.svg", QRect(465, 8, 25, 25));
    ui_.Button_Minimize2 =
        make_picture(this, "Button_Minimize2", "minimise_1.svg", QRect(465, 8, 25, 25));
    ui_.Button_Close1 = make_picture(this, "Button_Close1", "close_0.svg", QRect(491, 8, 25, 25));
    ui_.Button_Close2 = make_picture(this, "Button_Close2", "close_1.svg", QRect(491, 8, 25, 25));
    for (SvgPicture* button :
         {ui_.Button_Minimize1, ui_.Button_Minimize2, ui_.Button_Close1, ui_.Button_Close2}) {
        button->setCursor(Qt::PointingHandCursor);
    }
    ui_.Button_Minimize2->setToolTip(QStringLiteral("Minimise"));
    ui_.Button_Close2->setToolTip(QStringLiteral("Close"));
    ui_.Button_Minimize2->hide();
    ui_.Button_Close2->hide();
    connect(ui_.Button_Minimize1, &SvgPicture::pointerMoved, this, [this] {
        Disable_Hovers();
        ui_.Button_Minimize2->show();
    });
    connect(ui_.Button_Close1, &SvgPicture::pointerMoved, this, [this] {
        Disable_Hovers();
        ui_.Button_Close2->show();
    });
    connect(ui_.Button_Minimize2, &SvgPicture::clicked, this, &TForm1::Button_Minimize2Click);
    connect(ui_.Button_Close2, &SvgPicture::clicked, this, &TForm1::Button_Close2Click);
}

}  // namespace quorvel
