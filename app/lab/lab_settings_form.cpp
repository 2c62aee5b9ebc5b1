// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/lab/lab_settings_form.hpp"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/widgets/setting_widget.hpp"
#include "money/progression.hpp"

namespace quorvel {

namespace {

QString text(std::string_view item) {
    return setting_text(item);
}

// The lines of the form that hold more than one setting: the first
// setting's label (or, for a box, the box itself) on the left, then the
// settings side by side. Every other setting the lab plays stands on a line
// of its own, just after the line of the setting before it in the table, so
// a new setting finds its place without being named here.
struct FormLine {
    std::initializer_list<SettingId> settings;
    bool labels_inside = true;  // the later settings' labels stand beside them
};

using Id = SettingId;
const std::array<FormLine, 8> kLines{{
    {{Id::BettingType, Id::BettingSectors}, false},
    {{Id::Init_Bet, Id::N_Count}},
    {{Id::CSpinEdit1, Id::Safe_Level}},
    {{Id::CheckBox_Blind, Id::profit_aim_rule, Id::ProfitUnits}, false},
    {{Id::Losses_HowMuch, Id::Losses_Type, Id::Losses_Action, Id::Losses_ActionValue}, false},
    {{Id::Wins_HowMuch, Id::Wins_Type, Id::Wins_Action, Id::Wins_ActionValue}, false},
    {{Id::table_min, Id::table_max}},
    {{Id::stop_loss, Id::take_profit}},
}};

struct Line {
    std::vector<SettingId> settings;
    bool labels_inside = true;
};

std::vector<Line> form_lines() {
    std::vector<Line> lines;
    for (const FormLine& line : kLines)
        lines.push_back({{line.settings.begin(), line.settings.end()}, line.labels_inside});
    const auto line_of = [&lines](SettingId id) {
        return std::find_if(lines.begin(), lines.end(), [id](const Line& line) {
            return std::find(line.settings.begin(), line.settings.end(), id) !=
                   line.settings.end();
        });
    };
    std::optional<SettingId> before;
    for (const SettingRow& row : setting_rows()) {
        if (!row.lab) continue;
        if (line_of(row.id) == lines.end()) {
            const auto at = before ? line_of(*before) + 1 : lines.begin();
            lines.insert(at, Line{{row.id}});
        }
        before = row.id;
    }
    return lines;
}

// The rule rows are named by what they count; the window labels both "AFTER:".
QString line_label(SettingId first) {
    switch (first) {
        case Id::Losses_HowMuch:
            return QStringLiteral("Losses:");
        case Id::Wins_HowMuch:
            return QStringLiteral("Wins:");
        default:
            return text(setting_row(first).label);
    }
}


}  // namespace

LabSettingsForm::LabSettingsForm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("BacktestSettings"));
    for (const SettingRow& row : setting_rows()) {
        if (row.lab) controls_.emplace_back(row.id, make_control(row));
    }

    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setVerticalSpacing(4);
    for (const Line& line : form_lines()) {
        const SettingId first = line.settings.front();
        if (line.settings.size() == 1) {
            if (setting_row(first).kind == SettingKind::Switch) {
                form->addRow(QString(), control(first));
            } else {
                form->addRow(line_label(first), control(first));
            }
            continue;
        }
        auto* widgets = new QHBoxLayout;
        widgets->setSpacing(4);
        for (SettingId id : line.settings) {
            if (id == first && setting_row(id).kind == SettingKind::Switch) continue;
            if (id != first && line.labels_inside)
                widgets->addWidget(new QLabel(text(setting_row(id).label), this));
            widgets->addWidget(control(id), 1);
        }
        if (setting_row(first).kind == SettingKind::Switch) {
            form->addRow(control(first), widgets);
        } else {
            form->addRow(line_label(first), widgets);
        }
    }

    // The system list offers what the type has a table for, as in the window.
    connect(qobject_cast<QComboBox*>(control(SettingId::BettingType)),
            &QComboBox::currentIndexChanged, this, [this] {
                const LabSettings current = settings();
                fill_systems(current.BettingType, current.BettingSystem);
            });
    set_settings(LabSettings{});
}

// The control carries "Lab" and the name the stored settings know it by.
QWidget* LabSettingsForm::make_control(const SettingRow& row) {
    QWidget* widget = make_setting_widget(row, this);
    // The system list is filled by the type in force.
    if (row.id == SettingId::BettingSystem) {
        system_ = qobject_cast<QComboBox*>(widget);
        system_->clear();
    }
    widget->setObjectName(QStringLiteral("Lab") + text(row.stored_key));
    // Amounts read as the figures do: 5,000.
    if (auto* field = qobject_cast<QSpinBox*>(widget)) field->setGroupSeparatorShown(true);
    return widget;
}

QWidget* LabSettingsForm::control(SettingId id) const {
    for (const auto& [setting, widget] : controls_) {
        if (setting == id) return widget;
    }
    return nullptr;
}

void LabSettingsForm::fill_systems(BetType type, ProgressionSystem chosen_system) {
    const QSignalBlocker quiet(system_);
    system_->clear();
    const auto offered = systems_offered(type);
    for (std::size_t row = 0; row < offered.size(); ++row) {
        system_->addItem(text(text_of(offered[row])), row_of(offered[row]));
        if (offered[row] == chosen_system) system_->setCurrentIndex(static_cast<int>(row));
    }
}

LabSettings LabSettingsForm::settings() const {
    LabSettings settings = base_;
    for (const auto& [id, widget] : controls_) {
        const SettingRow& row = setting_row(id);
        const SettingValue value = setting_widget_value(widget, row);
        if (row.holds(value)) row.put(settings, value);
    }
    return settings;
}

void LabSettingsForm::set_settings(const LabSettings& settings) {
    base_ = settings;
    // The type first: it decides the systems the list offers.
    fill_systems(settings.BettingType, settings.BettingSystem);
    for (const auto& [id, widget] : controls_) {
        const SettingRow& row = setting_row(id);
        const SettingValue value = row.get(settings);
        if (id == SettingId::BettingSystem) continue;
        show_setting_value(widget, row, value);
    }
}

}  // namespace quorvel
