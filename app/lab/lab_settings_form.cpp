// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/lab/lab_settings_form.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

#include "game/parameters.hpp"
#include "game/selectors.hpp"
#include "money/progression.hpp"

namespace quorvel {

namespace {

QString text(std::string_view item) {
    return QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
}

template <typename E>
QComboBox* make_list(QWidget* parent, const char* name) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    for (std::string_view item : items_of<E>())
        list->addItem(text(item));
    return list;
}

QSpinBox* make_field(QWidget* parent, const char* name, SpinRange range) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(QLatin1String(name));
    field->setRange(range.minimum, range.maximum);
    return field;
}

template <typename E>
E chosen(const QComboBox* list) {
    return item_at<E>(list->currentIndex()).value_or(E{});
}

// The three profit-aim buttons of the window, in their order there.
constexpr std::array<ProfitAimRule, 3> kAimRules{ProfitAimRule::OnAnyProfit, ProfitAimRule::OnEqual,
                                                 ProfitAimRule::SetUnits};

}  // namespace

LabSettingsForm::LabSettingsForm(QWidget* parent)
    : QWidget(parent),
      mode_(make_list<GameMode>(this, "LabMode")),
      type_(make_list<BetType>(this, "LabType")),
      sectors_(make_list<SectorChoice>(this, "LabSectors")),
      system_(new QComboBox(this)),
      base_bet_(make_field(this, "LabBaseBet", kInit_BetRange)),
      bankroll_(make_field(this, "LabBankroll", kCSpinEdit1Range)),
      safe_level_(new QComboBox(this)),
      n_count_(make_field(this, "LabNCount", kN_CountRange)),
      auto_reset_(new QCheckBox(QStringLiteral("Bet Auto-Reset"), this)),
      aim_(new QComboBox(this)),
      profit_units_(make_field(this, "LabProfitUnits", kProfitUnitsRange)),
      minimal_profit_(new QCheckBox(QStringLiteral("Get Minimal Profit"), this)),
      losses_how_much_(make_field(this, "LabLossesHowMuch", kRuleValueRange)),
      losses_type_(make_list<LossCount>(this, "LabLossesType")),
      losses_action_(make_list<LossAction>(this, "LabLossesAction")),
      losses_value_(make_field(this, "LabLossesValue", kRuleValueRange)),
      wins_how_much_(make_field(this, "LabWinsHowMuch", kRuleValueRange)),
      wins_type_(make_list<WinCount>(this, "LabWinsType")),
      wins_action_(make_list<WinAction>(this, "LabWinsAction")),
      wins_value_(make_field(this, "LabWinsValue", kRuleValueRange)) {
    setObjectName(QStringLiteral("BacktestSettings"));
    system_->setObjectName(QStringLiteral("LabSystem"));
    safe_level_->setObjectName(QStringLiteral("LabSafeLevel"));
    for (int level = 0; level <= kMaxSafeLevel; ++level)
        safe_level_->addItem(QString::number(level));
    auto_reset_->setObjectName(QStringLiteral("LabAutoReset"));
    aim_->setObjectName(QStringLiteral("LabAim"));
    aim_->addItems({QStringLiteral("On any profit"), QStringLiteral("On profit or equal"),
                    QStringLiteral("Set units:")});
    minimal_profit_->setObjectName(QStringLiteral("LabMinimalProfit"));

    const auto row = [this](std::initializer_list<QWidget*> widgets) {
        auto* line = new QHBoxLayout;
        line->setSpacing(4);
        for (QWidget* widget : widgets)
            line->addWidget(widget, 1);
        return line;
    };
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setVerticalSpacing(4);
    form->addRow(QStringLiteral("Mode:"), mode_);
    form->addRow(QStringLiteral("Bet. Type:"), row({type_, sectors_}));
    form->addRow(QStringLiteral("Betting System:"), system_);
    form->addRow(QStringLiteral("Init. Bet:"),
                 row({base_bet_, new QLabel(QStringLiteral("N. Count:"), this), n_count_}));
    form->addRow(QStringLiteral("TEST BANK:"),
                 row({bankroll_, new QLabel(QStringLiteral("Safe Level:"), this), safe_level_}));
    form->addRow(auto_reset_, row({aim_, profit_units_}));
    form->addRow(QString(), minimal_profit_);
    form->addRow(QStringLiteral("Losses:"),
                 row({losses_how_much_, losses_type_, losses_action_, losses_value_}));
    form->addRow(QStringLiteral("Wins:"),
                 row({wins_how_much_, wins_type_, wins_action_, wins_value_}));

    // The system list offers what the type has a table for, as in the window.
    connect(type_, &QComboBox::currentIndexChanged, this, [this] {
        const LabSettings current = settings();
        fill_systems(current.type, current.system);
    });
    set_settings(LabSettings{});
}

void LabSettingsForm::fill_systems(BetType type, ProgressionSystem chosen_system) {
    const QSignalBlocker quiet(system_);
    system_->clear();
    const auto offered = systems_offered(type);
    for (std::size_t row = 0; row < offered.size(); ++row) {
        system_->addItem(text(text_of(offered[row])), static_cast<int>(offered[row]));
        if (offered[row] == chosen_system) system_->setCurrentIndex(static_cast<int>(row));
    }
}

LabSettings LabSettingsForm::settings() const {
    LabSettings settings = base_;
    settings.mode = chosen<GameMode>(mode_);
    settings.type = chosen<BetType>(type_);
    settings.sectors = chosen<SectorChoice>(sectors_);
    if (system_->currentIndex() >= 0)
        settings.system = static_cast<ProgressionSystem>(system_->currentData().toInt());
    settings.base_bet = base_bet_->value();
    settings.bankroll = bankroll_->value();
    settings.safe_level = safe_level_->currentIndex();
    settings.n_count = n_count_->value();
    settings.auto_reset = auto_reset_->isChecked();
    settings.aim = kAimRules[static_cast<std::size_t>(std::max(0, aim_->currentIndex()))];
    settings.profit_units = profit_units_->value();
    settings.minimal_profit = minimal_profit_->isChecked();
    settings.losses = {losses_how_much_->value(), chosen<LossCount>(losses_type_),
                       chosen<LossAction>(losses_action_), losses_value_->value()};
    settings.wins = {wins_how_much_->value(), chosen<WinCount>(wins_type_),
                     chosen<WinAction>(wins_action_), wins_value_->value()};
    return settings;
}

void LabSettingsForm::set_settings(const LabSettings& settings) {
    base_ = settings;
    mode_->setCurrentIndex(row_of(settings.mode));
    type_->setCurrentIndex(row_of(settings.type));
    fill_systems(settings.type, settings.system);
    sectors_->setCurrentIndex(row_of(settings.sectors));
    base_bet_->setValue(settings.base_bet);
    bankroll_->setValue(settings.bankroll);
    safe_level_->setCurrentIndex(settings.safe_level);
    n_count_->setValue(settings.n_count);
    auto_reset_->setChecked(settings.auto_reset);
    for (std::size_t i = 0; i < kAimRules.size(); ++i) {
        if (kAimRules[i] == settings.aim) aim_->setCurrentIndex(static_cast<int>(i));
    }
    profit_units_->setValue(settings.profit_units);
    minimal_profit_->setChecked(settings.minimal_profit);
    losses_how_much_->setValue(settings.losses.how_much);
    losses_type_->setCurrentIndex(row_of(settings.losses.type));
    losses_action_->setCurrentIndex(row_of(settings.losses.action));
    losses_value_->setValue(settings.losses.value);
    wins_how_much_->setValue(settings.wins.how_much);
    wins_type_->setCurrentIndex(row_of(settings.wins.type));
    wins_action_->setCurrentIndex(row_of(settings.wins.action));
    wins_value_->setValue(settings.wins.value);
}

}  // namespace quorvel
