// The status strip and the settings section that folds out below it. Every
// control of the settings writes the player's choice into game.params.
#include "app/tform1.hpp"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "app/colours.hpp"
#include "app/gauge.hpp"
#include "app/shape.hpp"
#include "app/spin_edit.hpp"
#include "app/window_parts.hpp"
#include "play/session.hpp"

namespace quorvel {

using namespace window_parts;

namespace {

// Lists and spin edits share one look.
const char* const kFieldStyle = R"(
QComboBox, QSpinBox {
    background-color: #629b02; color: #ffffff; font: bold 8pt "Arial";
    border: 1px solid #3d6101; border-radius: 2px; padding: 0px 3px;
    selection-background-color: #3d6101; selection-color: #ffffff;
}
QComboBox:focus, QSpinBox:focus { border-color: #c9f27a; }
QComboBox:disabled, QSpinBox:disabled { background-color: #4d5a3a; color: #a0a0a0; }
QComboBox QAbstractItemView {
    background-color: #629b02; color: #ffffff; font: bold 8pt "Arial";
    border: 1px solid #3d6101; outline: 0;
    selection-background-color: #3d6101; selection-color: #ffffff;
}
QSpinBox::up-button, QSpinBox::down-button {
    width: 14px; border: none; border-left: 1px solid #3d6101; background-color: #578a02;
}
QSpinBox::up-button { subcontrol-origin: border; subcontrol-position: top right; }
QSpinBox::down-button { subcontrol-origin: border; subcontrol-position: bottom right; }
QSpinBox::up-button:hover, QSpinBox::down-button:hover { background-color: #74b803; }
QSpinBox::up-button:pressed, QSpinBox::down-button:pressed { background-color: #3d6101; }
)";

const char* const kButtonStyle = R"(
QPushButton {
    color: #e8e4d8; font: bold 8pt "Arial";
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a4c52, stop:1 #2c2d31);
    border: 1px solid #7a6a44; border-radius: 3px; padding: 0px 6px;
}
QPushButton:hover { background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5a5d64, stop:1 #36383d); border-color: #d9b45a; }
QPushButton:pressed { background-color: #24252a; }
QPushButton:disabled { color: #77776f; border-color: #45423a;
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #393a3e, stop:1 #2c2d31); }
)";

// A row of the settings: a label line above a line of controls.
constexpr int kLabelHeight = 15;
constexpr int kFieldHeight = 20;

}  // namespace

void TForm1::create_status_strip() {
    ui_.Shape15 = new Shape(colour_from_bgr(kBlack), this);
    ui_.Shape15->setObjectName(QStringLiteral("Shape15"));
    ui_.Shape15->setGeometry(8, 251, 145, 19);
    ui_.Shape15->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui_.Shape15->hide();
    ui_.Label_Numbers_In_Game =
        make_caption(this, "Label_Numbers_In_Game", QRect(8, 251, 145, 19), font(), kSilver);
    ui_.Label_Numbers_In_Game->hide();

    const QRect button(218, 250, 93, 22);
    ui_.Button_Settings_0 = make_picture(this, "Button_Settings_0", "settings_0.svg", button);
    ui_.Button_Settings_1 = make_picture(this, "Button_Settings_1", "settings_1.svg", button);
    ui_.Button_Settings_2 = make_picture(this, "Button_Settings_2", "settings_2.svg", button);
    for (SvgPicture* picture :
         {ui_.Button_Settings_0, ui_.Button_Settings_1, ui_.Button_Settings_2}) {
        picture->setCursor(Qt::PointingHandCursor);
    }
    ui_.Button_Settings_1->hide();
    ui_.Button_Settings_2->hide();
    connect(ui_.Button_Settings_0, &SvgPicture::pointerMoved, this, [this] {
        Disable_Hovers();
        ui_.Button_Settings_1->show();
    });
    connect(ui_.Button_Settings_1, &SvgPicture::clicked, this, &TForm1::Button_Settings_1Click);
    connect(ui_.Button_Settings_2, &SvgPicture::clicked, this, &TForm1::Button_Settings_2Click);

    ui_.CGauge1 = new Gauge(colour_from_bgr(kGaugeBar), colour_from_bgr(kGaugeBackground), this);
    ui_.CGauge1->setObjectName(QStringLiteral("CGauge1"));
    ui_.CGauge1->setGeometry(0, 274, 521, 5);
    ui_.CGauge1->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QLabel* TForm1::add_label(const char* name, const QString& text, const QRect& geometry,
                          int font_colour) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(arial_bold(8));
    set_font_colour(label, font_colour);
    return label;
}

// Moving the focus away keeps a visible list from taking the next key press.
void TForm1::list_chosen() {
    ui_.FocusCatch->setFocus(Qt::OtherFocusReason);
}

// Runs an engine operation on the player's behalf and shows its outcome.
void TForm1::run(Operation operation) {
    if (operation != nullptr) operation(game_);
    refresh();
}

template <typename E>
QComboBox* TForm1::add_list(const char* name, const QRect& geometry, E Parameters::*parameter,
                            Operation changed) {
    auto* list = new QComboBox(this);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(geometry);
    list->setStyleSheet(QLatin1String(kFieldStyle));
    list->setFocusPolicy(Qt::StrongFocus);
    for (std::string_view item : items_of<E>()) {
        list->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    }
    list->setCurrentIndex(row_of(game_.params.*parameter));
    list->installEventFilter(this);
    connect(list, &QComboBox::currentIndexChanged, this, [this, parameter, changed](int row) {
        if (const std::optional<E> item = item_at<E>(row)) {
            game_.params.*parameter = *item;
            run(changed);
        }
    });
    connect(list, &QComboBox::activated, this, &TForm1::list_chosen);
    return list;
}

SpinEdit* TForm1::add_spin_edit(const char* name, const QRect& geometry, SpinRange range,
                                std::optional<int> Parameters::*parameter, Operation changed) {
    auto* edit = new SpinEdit(range.minimum, range.maximum, this);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    edit->setStyleSheet(QLatin1String(kFieldStyle));
    edit->setValue((game_.params.*parameter).value_or(range.minimum));
    connect(edit, &SpinEdit::entryChanged, this,
            [this, parameter, changed](std::optional<int> entry) {
                game_.params.*parameter = entry;
                run(changed);
            });
    return edit;
}

// The system list offers, for the betting type in force, only the systems
// that have a table for it (and "CUSTOM"); a row stands for the system at
// that place among those offered.
QComboBox* TForm1::add_system_list(const QRect& geometry) {
    auto* list = new QComboBox(this);
    list->setObjectName(QStringLiteral("BettingSystem"));
    list->setGeometry(geometry);
    list->setStyleSheet(QLatin1String(kFieldStyle));
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(this);
    ui_.BettingSystem = list;
    fill_system_list();
    connect(list, &QComboBox::currentIndexChanged, this, [this](int row) {
        const auto offered = systems_offered(game_.params.BettingType);
        if (row < 0 || static_cast<std::size_t>(row) >= offered.size()) return;
        game_.params.BettingSystem = offered[static_cast<std::size_t>(row)];
        refresh();
    });
    connect(list, &QComboBox::activated, this, &TForm1::list_chosen);
    return list;
}

void TForm1::fill_system_list() {
    QComboBox* list = ui_.BettingSystem;
    const QSignalBlocker quiet(list);
    list->clear();
    const auto offered = systems_offered(game_.params.BettingType);
    for (std::size_t row = 0; row < offered.size(); ++row) {
        const std::string_view text = text_of(offered[row]);
        list->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        if (offered[row] == game_.params.BettingSystem)
            list->setCurrentIndex(static_cast<int>(row));
    }
}

QWidget* TForm1::add_check_box(const char* name, const QString& text, const QRect& geometry,
                               bool Parameters::*parameter, std::optional<int> font_colour) {
    auto* box = new QCheckBox(text, this);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setFont(arial_bold(8));
    box->setCursor(Qt::PointingHandCursor);
    set_font_colour(box, font_colour.value_or(kSilver));
    box->setChecked(game_.params.*parameter);
    connect(box, &QCheckBox::toggled, this, [this, parameter](bool checked) {
        game_.params.*parameter = checked;
        refresh();
    });
    return box;
}

QPushButton* TForm1::add_button(const char* name, const QString& text, const QRect& geometry,
                                bool enabled) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setStyleSheet(QLatin1String(kButtonStyle));
    button->setEnabled(enabled);
    button->setCursor(Qt::PointingHandCursor);
    // A click leaves the keyboard where it was: a button that took it would
    // hand it on to "Manual Bet Reset" as soon as it disables itself, and the
    // next space bar would reset the bet.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void TForm1::create_settings() {
    // The two heights of the window, kept where the layout can see them.
    ui_.Label_Point1 = new QLabel(this);
    ui_.Label_Point1->setObjectName(QStringLiteral("Label_Point1"));
    ui_.Label_Point1->setGeometry(kWidth, 280, 1, 1);
    ui_.Label_Point1->hide();
    ui_.Label_Point2 = new QLabel(this);
    ui_.Label_Point2->setObjectName(QStringLiteral("Label_Point2"));
    ui_.Label_Point2->setGeometry(kWidth, 599, 1, 1);
    ui_.Label_Point2->hide();

    ui_.Shape5 = new Shape(colour_from_bgr(kPanel), this);
    ui_.Shape5->setObjectName(QStringLiteral("Shape5"));
    ui_.Shape5->setGeometry(0, 280, 521, 319);
    connect(ui_.Shape5, &Shape::pointerMoved, this, &TForm1::Disable_Hovers);

    ui_.FocusCatch = new SpinEdit(kFocusCatchRange.minimum, kFocusCatchRange.maximum, this);
    ui_.FocusCatch->setObjectName(QStringLiteral("FocusCatch"));
    ui_.FocusCatch->setGeometry(600, 300, 60, 20);
    ui_.FocusCatch->setValue(game_.params.FocusCatch.value_or(kFocusCatchRange.minimum));
    ui_.FocusCatch->set_text_cursor_blinks(false);
    // The focus sink shares the base bet's handler: an arrow key pressed after
    // a list choice resets the bet as a change of the base bet does.
    connect(ui_.FocusCatch, &SpinEdit::entryChanged, this, [this](std::optional<int> entry) {
        game_.params.FocusCatch = entry;
        run(&Init_BetChange);
    });

    // Out of view beside the focus sink: the labels that carry the current
    // number, the bet and the minimal-profit bet as text.
    const auto working_label = [this](const char* name, int y) {
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(680, y, 80, 16);
        return label;
    };
    ui_.CurrentNum = working_label("CurrentNum", 300);
    ui_.CurrentBet = working_label("CurrentBet", 320);
    ui_.Label28 = working_label("Label28", 340);

    create_settings_rows();
    create_rule_rows();
}

void TForm1::create_settings_rows() {
    constexpr int label_y = 296;
    constexpr int field_y = 312;
    add_label("Label1", QStringLiteral("Mode:"), QRect(8, label_y, 116, kLabelHeight),
              kLabelColour);
    add_list("GameModes", QRect(8, field_y, 116, kFieldHeight), &Parameters::GameModes);
    ui_.Label4 = add_label("Label4", QStringLiteral("N. Count:"),
                           QRect(130, label_y, 64, kLabelHeight), kLabelColour);
    ui_.N_Count = add_spin_edit("N_Count", QRect(130, field_y, 64, kFieldHeight), kN_CountRange,
                                &Parameters::N_Count);
    ui_.N_Count->setToolTip(QStringLiteral("Spins scored before the matrix chooses its list"));
    add_label("Label2", QStringLiteral("Init. Bet:"), QRect(200, label_y, 82, kLabelHeight),
              kLabelColour);
    add_spin_edit("Init_Bet", QRect(200, field_y, 82, kFieldHeight), kInit_BetRange,
                  &Parameters::Init_Bet, &Init_BetChange);
    add_label("Label3", QStringLiteral("Bet. Type:"), QRect(288, label_y, 64, kLabelHeight),
              kLabelColour);
    QComboBox* type = add_list("BettingType", QRect(288, field_y, 52, kFieldHeight),
                               &Parameters::BettingType, &BettingTypeChange);
    // Runs after the type's own handler, which may have chosen a softer
    // system's twin.
    connect(type, &QComboBox::currentIndexChanged, this, [this] {
        fill_system_list();
        refresh();
    });
    add_label("Label5", QStringLiteral("Betting Sectors:"), QRect(346, label_y, 166, kLabelHeight),
              kLabelColour);
    add_list("BettingSectors", QRect(346, field_y, 166, kFieldHeight), &Parameters::BettingSectors);

    // The matrix gauge fills behind its button while a matrix is built.
    ui_.CGauge2 = new Gauge(colour_from_bgr(kGaugeBar), colour_from_bgr(kGaugeBackground), this);
    ui_.CGauge2->setObjectName(QStringLiteral("CGauge2"));
    ui_.CGauge2->setGeometry(8, 340, 116, 22);
    ui_.Adaptive_Matrix = add_button("Adaptive_Matrix", QStringLiteral("CREATE MATRIX"),
                                     QRect(8, 340, 116, 22), true);
    ui_.Adaptive_Matrix->setToolTip(
        QStringLiteral("Draw a new matrix; it is scored on the next N. Count spins"));
    connect(ui_.Adaptive_Matrix, &QPushButton::clicked, this, [this] { run(&Adaptive_Matrix); });
    ui_.Shape2 = new Shape(colour_from_bgr(game_.matrix.Shape2), this);
    ui_.Shape2->setObjectName(QStringLiteral("Shape2"));
    ui_.Shape2->set_outline(QColor(0x45, 0x42, 0x3a), 4);
    ui_.Shape2->setGeometry(129, 338, 96, 26);
    ui_.Set_N_Count =
        add_button("Set_N_Count", QStringLiteral("Reset Matrix"), QRect(131, 340, 92, 22), false);
    ui_.Set_N_Count->setToolTip(QStringLiteral("Put the matrix away to choose a new N. Count"));
    connect(ui_.Set_N_Count, &QPushButton::clicked, this, [this] { run(&Set_N_Count); });
    ui_.RResetBets = add_button("RResetBets", QStringLiteral("Manual Bet Reset"),
                                QRect(231, 340, 112, 22), true);
    ui_.RResetBets->setToolTip(QStringLiteral("Back to the first step at the base bet"));
    connect(ui_.RResetBets, &QPushButton::clicked, this, [this] { run(&manual_bet_reset); });
    add_check_box("ChBx_ManualBetReset", QString(), QRect(347, 343, 18, 16),
                  &Parameters::ChBx_ManualBetReset, std::nullopt)
        ->setToolTip(QStringLiteral("Manual Bet Reset"));
    add_check_box("ChBx_Show_Numbers_In_Game", QStringLiteral("Show numbers In game"),
                  QRect(372, 343, 144, 16), &Parameters::ChBx_Show_Numbers_In_Game, std::nullopt);

    auto* bar3 = new Gauge(colour_from_bgr(kGaugeBar).darker(160), colour_from_bgr(kPanel), this);
    bar3->setObjectName(QStringLiteral("CGauge3"));
    bar3->setGeometry(8, 372, 504, 3);
    bar3->set_progress(100);

    constexpr int label2_y = 384;
    constexpr int field2_y = 400;
    add_label("Label6", QStringLiteral("Betting System:"), QRect(8, label2_y, 140, kLabelHeight),
              kLabelColour);
    add_system_list(QRect(8, field2_y, 140, kFieldHeight));
    add_label("Label27", QStringLiteral("Safe Level:"), QRect(154, label2_y, 70, kLabelHeight),
              kLabelColour);
    auto* safe_level = new QComboBox(this);
    safe_level->setObjectName(QStringLiteral("Safe_Level"));
    safe_level->setGeometry(154, field2_y, 56, kFieldHeight);
    safe_level->setStyleSheet(QLatin1String(kFieldStyle));
    safe_level->setFocusPolicy(Qt::StrongFocus);
    for (int level = 0; level <= kMaxSafeLevel; ++level)
        safe_level->addItem(QString::number(level));
    safe_level->setCurrentIndex(game_.params.Safe_Level);
    safe_level->installEventFilter(this);
    connect(safe_level, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (row < 0) return;
        game_.params.Safe_Level = row;
        run(&Safe_LevelChange);
    });
    connect(safe_level, &QComboBox::activated, this, &TForm1::list_chosen);

    add_check_box("ChBx_TestBankroll", QStringLiteral("TEST BANK:"),
                  QRect(218, label2_y - 1, 104, kLabelHeight + 1), &Parameters::ChBx_TestBankroll,
                  kLabelColour);
    add_spin_edit("CSpinEdit1", QRect(218, field2_y, 96, kFieldHeight), kCSpinEdit1Range,
                  &Parameters::CSpinEdit1, &CSpinEdit1Change)
        ->setToolTip(QStringLiteral(
            "The starting test bankroll. It can be changed until the first number is entered."));
    add_button("SetBankroll", QStringLiteral("SET BANKROLL"), QRect(320, field2_y - 1, 104, 22),
               false);

    constexpr int line1_y = 432;
    constexpr int line2_y = 452;
    add_check_box("CheckBox_Blind", QStringLiteral("Bet Auto-Reset:"),
                  QRect(8, line1_y + 2, 114, 16), &Parameters::CheckBox_Blind, kLabelColour);
    struct Rule {
        const char* name;
        QString text;
        QRect geometry;
        ProfitAimRule rule;
    };
    const std::array<Rule, 3> rules{{
        {"OnAnyProfit", QStringLiteral("On any profit"), QRect(126, line1_y + 2, 100, 16),
         ProfitAimRule::OnAnyProfit},
        {"OnEqual", QStringLiteral("On profit or equal"), QRect(228, line1_y + 2, 124, 16),
         ProfitAimRule::OnEqual},
        {"SetUnits", QStringLiteral("Set units:"), QRect(354, line1_y + 2, 76, 16),
         ProfitAimRule::SetUnits},
    }};
    auto* group = new QButtonGroup(this);
    for (const Rule& rule : rules) {
        auto* radio = new QRadioButton(rule.text, this);
        radio->setObjectName(QLatin1String(rule.name));
        radio->setGeometry(rule.geometry);
        radio->setFont(arial_bold(8));
        radio->setCursor(Qt::PointingHandCursor);
        // An arrow key on a radio button would choose the next one and keep the
        // keyboard there; a choice by the mouse hands it on below.
        radio->setFocusPolicy(Qt::NoFocus);
        set_font_colour(radio, rule.rule == ProfitAimRule::OnEqual ? kSilver : kLabelColour);
        radio->setChecked(game_.params.profit_aim_rule == rule.rule);
        group->addButton(radio);
        connect(radio, &QRadioButton::toggled, this, [this, value = rule.rule](bool on) {
            if (!on) return;
            game_.params.profit_aim_rule = value;
            refresh();
        });
        connect(radio, &QRadioButton::clicked, this, &TForm1::list_chosen);
    }
    add_spin_edit("ProfitUnits", QRect(432, line1_y, 80, kFieldHeight), kProfitUnitsRange,
                  &Parameters::ProfitUnits, &ProfitUnitsChange);
    add_check_box("ChBx_Get_Minimal_Profit", QStringLiteral("Get Minimal Profit"),
                  QRect(8, line2_y + 2, 140, 16), &Parameters::ChBx_Get_Minimal_Profit,
                  kLabelColour);
    add_check_box("ChBx_ProfitBet", QStringLiteral("Profit Bet Size"),
                  QRect(154, line2_y + 2, 130, 16), &Parameters::ChBx_ProfitBet, kProfitBetColour);
    add_check_box("CheckBox1", QStringLiteral("Show Bet Size"), QRect(290, line2_y + 2, 120, 16),
                  &Parameters::CheckBox1, std::nullopt);

    auto* bar4 = new Gauge(colour_from_bgr(kGaugeBar).darker(160), colour_from_bgr(kPanel), this);
    bar4->setObjectName(QStringLiteral("CGauge4"));
    bar4->setGeometry(8, 476, 504, 3);
    bar4->set_progress(100);
}

void TForm1::create_rule_rows() {
    struct RuleRow {
        int y;
        int colour;
        const char* after;
    };
    const RuleRow losses{491, kLossesRow, "Label25"};
    const RuleRow wins{523, kWinsRow, "Label26"};

    for (const RuleRow& row : {losses, wins}) {
        auto* band = new Shape(colour_from_bgr(row.colour), this);
        band->set_outline(colour_from_bgr(row.colour).lighter(130), 3);
        band->setGeometry(4, row.y - 3, 513, 28);
        QLabel* after = add_label(row.after, QStringLiteral("AFTER:"),
                                  QRect(10, row.y, 48, kFieldHeight), kAfterColour);
        after->setAlignment(Qt::AlignCenter);
        after->setAutoFillBackground(true);
        QPalette palette = after->palette();
        palette.setColor(QPalette::Window, colour_from_bgr(kAfterBackground));
        after->setPalette(palette);
    }

    const QRect how_much(62, 0, 70, kFieldHeight);
    const QRect type(136, 0, 124, kFieldHeight);
    const QRect action(264, 0, 138, kFieldHeight);
    const QRect value(406, 0, 106, kFieldHeight);

    add_spin_edit("Losses_HowMuch", how_much.translated(0, losses.y), kRuleValueRange,
                  &Parameters::Losses_HowMuch);
    add_list("Losses_Type", type.translated(0, losses.y), &Parameters::Losses_Type);
    ui_.Losses_Action =
        add_list("Losses_Action", action.translated(0, losses.y), &Parameters::Losses_Action);
    ui_.Losses_ActionValue = add_spin_edit("Losses_ActionValue", value.translated(0, losses.y),
                                           kRuleValueRange, &Parameters::Losses_ActionValue);
    // Covers the value field for the actions that take no value.
    ui_.Blank_Piece = new Shape(colour_from_bgr(kLossesRow), this);
    ui_.Blank_Piece->setObjectName(QStringLiteral("Blank_Piece"));
    ui_.Blank_Piece->setGeometry(value.translated(0, losses.y));
    ui_.Blank_Piece->hide();

    add_spin_edit("Wins_HowMuch", how_much.translated(0, wins.y), kRuleValueRange,
                  &Parameters::Wins_HowMuch);
    add_list("Wins_Type", type.translated(0, wins.y), &Parameters::Wins_Type);
    ui_.Wins_Action =
        add_list("Wins_Action", action.translated(0, wins.y), &Parameters::Wins_Action);
    ui_.Wins_ActionValue = add_spin_edit("Wins_ActionValue", value.translated(0, wins.y),
                                         kRuleValueRange, &Parameters::Wins_ActionValue);
    ui_.Wins_ActionValue->hide();

    auto* bar5 = new Gauge(QColor(0x3a, 0x3b, 0x40), QColor(0x1f, 0x20, 0x23), this);
    bar5->setObjectName(QStringLiteral("CGauge5"));
    bar5->setGeometry(0, 564, 521, 35);
    bar5->set_progress(100);
    add_button("LoadSettings", QStringLiteral("LOAD SETTINGS"), QRect(8, 570, 160, 24), false);
    add_button("SaveSettings", QStringLiteral("SAVE SETTINGS"), QRect(180, 570, 160, 24), false);
    add_button("ResetApp", QStringLiteral("RESET APP"), QRect(352, 570, 160, 24), false);
}

}  // namespace quorvel
