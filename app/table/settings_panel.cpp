// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/settings_panel.hpp"

#include <array>
#include <memory>

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "app/colours.hpp"
#include "app/widgets/gauge.hpp"
#include "app/table/rule_rows_panel.hpp"
#include "app/table/setting_controls.hpp"
#include "app/table/settings_fields.hpp"
#include "app/widgets/shape.hpp"
#include "app/widgets/spin_edit.hpp"
#include "app/table/window_parts.hpp"
#include "play/session.hpp"

namespace quorvel {

using namespace settings_fields;
using namespace window_parts;

SettingsPanel::SettingsPanel(QWidget* surface, const Game& game) : Panel(surface) {
    ui_.Shape5 = new Shape(colour_from_bgr(kPanel), surface);
    ui_.Shape5->setObjectName(QStringLiteral("Shape5"));
    ui_.Shape5->setGeometry(0, 280, 521, 319);
    connect(ui_.Shape5, &Shape::pointerMoved, this, &Panel::surfaceMoved);

    ui_.FocusCatch = new SpinEdit(kFocusCatchRange.minimum, kFocusCatchRange.maximum, surface);
    ui_.FocusCatch->setObjectName(QStringLiteral("FocusCatch"));
    ui_.FocusCatch->setGeometry(600, 300, 60, 20);
    ui_.FocusCatch->setValue(game.params.FocusCatch.value_or(kFocusCatchRange.minimum));
    ui_.FocusCatch->set_text_cursor_blinks(false);

    controls_ = new SettingControls(surface, this, game.params);
    connect(controls_, &SettingControls::settingChanged, this, &SettingsPanel::settingChanged);
    // Moving the focus away keeps a visible list from taking the next key press.
    connect(controls_, &SettingControls::listChosen, this, [this] { park_focus(); });

    create_first_rows(game);
    create_bank_rows(game.params);
    create_bottom_rows();
}

QPushButton* SettingsPanel::add_button(const char* name, const QString& text, const QRect& geometry,
                                       bool enabled, void (SettingsPanel::*clicked)()) {
    QPushButton* button = make_button(surface(), name, text, geometry, enabled);
    connect(button, &QPushButton::clicked, this, clicked);
    return button;
}

// The system list offers, for the betting type in force, only the systems
// that have a table for it (and "CUSTOM"); a row stands for the system at
// that place among those offered.
void SettingsPanel::fill_system_list(const Parameters& params) {
    QComboBox* list = ui_.BettingSystem;
    const QSignalBlocker quiet(list);
    list->clear();
    const auto offered = systems_offered(params.BettingType);
    for (std::size_t row = 0; row < offered.size(); ++row) {
        list->addItem(text_from(text_of(offered[row])), row_of(offered[row]));
        if (offered[row] == params.BettingSystem) list->setCurrentIndex(static_cast<int>(row));
    }
    systems_of_ = params.BettingType;
}

void SettingsPanel::create_first_rows(const Game& game) {
    constexpr int label_y = 296;
    constexpr int field_y = 312;
    make_label(surface(), "Label1", text_from(setting_row(SettingId::GameModes).label), QRect(8, label_y, 116, kLabelHeight),
               kLabelColour);
    controls_->add_list(SettingId::GameModes, QRect(8, field_y, 116, kFieldHeight));
    ui_.Label4 = make_label(surface(), "Label4", text_from(setting_row(SettingId::N_Count).label),
                            QRect(130, label_y, 64, kLabelHeight), kLabelColour);
    ui_.N_Count =
        controls_->add_spin_edit(SettingId::N_Count, QRect(130, field_y, 64, kFieldHeight));
    ui_.N_Count->setToolTip(QStringLiteral("Spins scored before the matrix chooses its list"));
    make_label(surface(), "Label2", text_from(setting_row(SettingId::Init_Bet).label),
               QRect(200, label_y, 82, kLabelHeight), kLabelColour);
    controls_->add_spin_edit(SettingId::Init_Bet, QRect(200, field_y, 82, kFieldHeight));
    make_label(surface(), "Label3", text_from(setting_row(SettingId::BettingType).label),
               QRect(288, label_y, 64, kLabelHeight), kLabelColour);
    controls_->add_list(SettingId::BettingType, QRect(288, field_y, 52, kFieldHeight));
    make_label(surface(), "Label5", text_from(setting_row(SettingId::BettingSectors).label),
               QRect(346, label_y, 166, kLabelHeight), kLabelColour);
    controls_->add_list(SettingId::BettingSectors, QRect(346, field_y, 166, kFieldHeight));

    // The matrix gauge fills behind its button while a matrix is built.
    ui_.CGauge2 =
        new Gauge(colour_from_bgr(kGaugeBar), colour_from_bgr(kGaugeBackground), surface());
    ui_.CGauge2->setObjectName(QStringLiteral("CGauge2"));
    ui_.CGauge2->setGeometry(8, 340, 116, 22);
    ui_.Adaptive_Matrix =
        add_button("Adaptive_Matrix", QStringLiteral("CREATE MATRIX"), QRect(8, 340, 116, 22), true,
                   &SettingsPanel::createMatrixClicked);
    ui_.Adaptive_Matrix->setToolTip(
        QStringLiteral("Draw a new matrix; it is scored on the next N. Count spins"));
    ui_.Shape2 = new Shape(colour_from_bgr(game.matrix.Shape2), surface());
    ui_.Shape2->setObjectName(QStringLiteral("Shape2"));
    ui_.Shape2->set_outline(QColor(0x45, 0x42, 0x3a), 4);
    ui_.Shape2->setGeometry(129, 338, 96, 26);
    ui_.Set_N_Count =
        add_button("Set_N_Count", QStringLiteral("Reset Matrix"), QRect(131, 340, 92, 22), false,
                   &SettingsPanel::resetMatrixClicked);
    ui_.Set_N_Count->setToolTip(QStringLiteral("Put the matrix away to choose a new N. Count"));
    ui_.RResetBets =
        add_button("RResetBets", QStringLiteral("Manual Bet Reset"), QRect(231, 340, 112, 22), true,
                   &SettingsPanel::manualBetResetClicked);
    ui_.RResetBets->setToolTip(QStringLiteral("Back to the first step at the base bet"));
    controls_
        ->add_check_box(SettingId::ChBx_ManualBetReset, QRect(347, 343, 18, 16), std::nullopt, false);
    controls_->add_check_box(SettingId::ChBx_Show_Numbers_In_Game, QRect(372, 343, 144, 16), std::nullopt);

    make_rule_line(surface(), "CGauge3", 372);
}

void SettingsPanel::create_bank_rows(const Parameters& params) {
    constexpr int label_y = 384;
    constexpr int field_y = 400;
    make_label(surface(), "Label6", text_from(setting_row(SettingId::BettingSystem).label),
               QRect(8, label_y, 140, kLabelHeight), kLabelColour);
    ui_.BettingSystem = controls_->add_list(SettingId::BettingSystem, QRect(8, field_y, 140, kFieldHeight), {QString()});
    fill_system_list(params);
    make_label(surface(), "Label27", text_from(setting_row(SettingId::Safe_Level).label),
               QRect(154, label_y, 70, kLabelHeight), kLabelColour);
    controls_->add_list(SettingId::Safe_Level, QRect(154, field_y, 56, kFieldHeight));

    controls_->add_check_box(SettingId::ChBx_TestBankroll, QRect(218, label_y - 1, 104, kLabelHeight + 1), kLabelColour);
    controls_
        ->add_spin_edit(SettingId::CSpinEdit1, QRect(218, field_y, 96, kFieldHeight))
        ->setToolTip(QStringLiteral(
            "The starting test bankroll. It can be changed until the first number is entered."));
    SetBankroll_ =
        add_button("SetBankroll", QStringLiteral("SET BANKROLL"), QRect(320, field_y - 1, 104, 22),
                   true, &SettingsPanel::setBankrollClicked);
    SetBankroll_->setToolTip(QStringLiteral("Set the bankroll to the TEST BANK value now"));

    constexpr int line1_y = 432;
    constexpr int line2_y = 452;
    controls_->add_check_box(SettingId::CheckBox_Blind, QRect(8, line1_y + 2, 114, 16), kLabelColour);
    struct Rule {
        const char* name;
        QString text;
        QRect geometry;
        ProfitAimRule rule;
    };
    const std::array<Rule, 3> rules{{
        {"OnAnyProfit", text_from(text_of(ProfitAimRule::OnAnyProfit)),
         QRect(126, line1_y + 2, 100, 16), ProfitAimRule::OnAnyProfit},
        {"OnEqual", text_from(text_of(ProfitAimRule::OnEqual)), QRect(228, line1_y + 2, 124, 16),
         ProfitAimRule::OnEqual},
        {"SetUnits", text_from(setting_row(SettingId::ProfitUnits).label),
         QRect(354, line1_y + 2, 76, 16), ProfitAimRule::SetUnits},
    }};
    auto* group = new QButtonGroup(this);
    for (const Rule& rule : rules) {
        QRadioButton* radio = make_radio(
            surface(), rule.name, rule.text, rule.geometry, params.profit_aim_rule == rule.rule,
            rule.rule == ProfitAimRule::OnEqual ? kSilver : kLabelColour);
        group->addButton(radio);
        aim_buttons_.emplace_back(rule.rule, radio);
        connect(radio, &QRadioButton::toggled, this, [this, value = rule.rule](bool on) {
            if (on) emit settingChanged(SettingId::profit_aim_rule, row_of(value));
        });
        connect(radio, &QRadioButton::clicked, this, [this] { park_focus(); });
    }
    controls_->add_spin_edit(SettingId::ProfitUnits, QRect(432, line1_y, 80, kFieldHeight));
    controls_->add_check_box(SettingId::ChBx_Get_Minimal_Profit, QRect(8, line2_y + 2, 140, 16), kLabelColour);
    controls_->add_check_box(SettingId::ChBx_ProfitBet, QRect(154, line2_y + 2, 130, 16), kProfitBetColour);
    controls_->add_check_box(SettingId::CheckBox1, QRect(290, line2_y + 2, 120, 16), std::nullopt);

    make_rule_line(surface(), "CGauge4", 476);
}

void SettingsPanel::create_bottom_rows() {
    rule_rows_ = new RuleRowsPanel(surface(), *controls_);

    auto* bar5 = new Gauge(QColor(0x3a, 0x3b, 0x40), QColor(0x1f, 0x20, 0x23), surface());
    bar5->setObjectName(QStringLiteral("CGauge5"));
    bar5->setGeometry(0, 564, 521, 35);
    bar5->set_progress(100);
    add_button("LoadSettings", QStringLiteral("LOAD SETTINGS"), QRect(8, 570, 160, 24), true,
               &SettingsPanel::loadSettingsClicked)
        ->setToolTip(QStringLiteral("Set every setting as you saved it"));
    add_button("SaveSettings", QStringLiteral("SAVE SETTINGS"), QRect(180, 570, 160, 24), true,
               &SettingsPanel::saveSettingsClicked)
        ->setToolTip(QStringLiteral("Keep these settings for LOAD SETTINGS and the lab"));
    add_button("ResetApp", QStringLiteral("RESET APP"), QRect(352, 570, 160, 24), true,
               &SettingsPanel::resetAppClicked)
        ->setToolTip(QStringLiteral("Start a new session with these settings (Ctrl+N)"));
}

void SettingsPanel::render(const Game& game) {
    // A change of the betting type may also have chosen a softer system's twin.
    if (systems_of_ != game.params.BettingType) fill_system_list(game.params);

    const AdaptiveMatrix& matrix = game.matrix;
    const bool create = create_matrix_offered(game);
    if (ui_.Adaptive_Matrix->isEnabled() != create) ui_.Adaptive_Matrix->setEnabled(create);
    const bool reset = reset_matrix_offered(game);
    if (ui_.Set_N_Count->isEnabled() != reset) ui_.Set_N_Count->setEnabled(reset);
    const bool count = n_count_editable(game);
    if (ui_.N_Count->isEnabled() != count) ui_.N_Count->setEnabled(count);
    // A tie in the matrix raises the count by one more spin, also past the
    // box's usual top; creating a matrix fills an emptied box.
    const SpinRange count_range = n_count_range(game);
    if (ui_.N_Count->maximum() != count_range.maximum) ui_.N_Count->setMaximum(count_range.maximum);
    if (game.params.N_Count && ui_.N_Count->entry() != game.params.N_Count)
        ui_.N_Count->setValue(*game.params.N_Count);
    if (ui_.Label4->palette().color(QPalette::WindowText) != colour_from_bgr(matrix.Label4))
        set_font_colour(ui_.Label4, matrix.Label4);
    if (ui_.Shape2->fill() != colour_from_bgr(matrix.Shape2))
        ui_.Shape2->set_fill(colour_from_bgr(matrix.Shape2));
    ui_.CGauge2->set_maximum(matrix.CGauge2.maximum);
    ui_.CGauge2->set_progress(matrix.CGauge2.progress);

    if (ui_.RResetBets->isEnabled() != game.params.ChBx_ManualBetReset)
        ui_.RResetBets->setEnabled(game.params.ChBx_ManualBetReset);
    // An emptied "TEST BANK:" field has no amount to set.
    const bool bank_set = game.params.CSpinEdit1.has_value();
    if (SetBankroll_->isEnabled() != bank_set) SetBankroll_->setEnabled(bank_set);

    rule_rows_->render(game.params);
}

void SettingsPanel::show_settings(const Parameters& params) {
    controls_->show_settings(params);
    fill_system_list(params);
    std::vector<std::unique_ptr<QSignalBlocker>> quiet;
    for (const auto& [rule, button] : aim_buttons_)
        quiet.push_back(std::make_unique<QSignalBlocker>(button));
    for (const auto& [rule, button] : aim_buttons_) {
        if (rule == params.profit_aim_rule) button->setChecked(true);
    }
    const QSignalBlocker quiet_sink(ui_.FocusCatch);
    ui_.FocusCatch->setValue(params.FocusCatch.value_or(kFocusCatchRange.minimum));
}

void SettingsPanel::park_focus(Qt::FocusReason reason) {
    ui_.FocusCatch->setFocus(reason);
}

QWidget* SettingsPanel::focus_sink() const {
    return ui_.FocusCatch;
}

}  // namespace quorvel
