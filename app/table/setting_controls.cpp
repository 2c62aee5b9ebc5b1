// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/table/setting_controls.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>

#include "app/colours.hpp"
#include "app/table/settings_fields.hpp"
#include "app/widgets/spin_edit.hpp"

namespace quorvel {

using namespace settings_fields;

SettingControls::SettingControls(QWidget* surface, QObject* list_filter)
    : QObject(surface), surface_(surface), list_filter_(list_filter) {}

QComboBox* SettingControls::add_list(Setting setting, const char* name, const QRect& geometry,
                                     const QStringList& items, int row) {
    QComboBox* list = make_list(surface_, name, geometry, items, row);
    list->installEventFilter(list_filter_);
    connect(list, &QComboBox::currentIndexChanged, this,
            [this, setting](int chosen) { emit settingChanged(setting, chosen); });
    controls_.emplace_back(setting, list);
    connect(list, &QComboBox::activated, this, &SettingControls::listChosen);
    return list;
}

SpinEdit* SettingControls::add_spin_edit(Setting setting, const char* name, const QRect& geometry,
                                         SpinRange range, std::optional<int> value) {
    SpinEdit* edit = make_spin_edit(surface_, name, geometry, range, value);
    connect(edit, &SpinEdit::entryChanged, this,
            [this, setting](std::optional<int> entry) { emit settingChanged(setting, entry); });
    controls_.emplace_back(setting, edit);
    return edit;
}

QWidget* SettingControls::add_check_box(Setting setting, const char* name, const QString& text,
                                        const QRect& geometry, bool checked,
                                        std::optional<int> font_colour) {
    QCheckBox* box =
        make_check_box(surface_, name, text, geometry, checked, font_colour.value_or(kSilver));
    connect(box, &QCheckBox::toggled, this,
            [this, setting](bool on) { emit settingChanged(setting, on ? 1 : 0); });
    controls_.emplace_back(setting, box);
    return box;
}

void SettingControls::show_settings(const Parameters& params) {
    for (const auto& [setting, control] : controls_) {
        if (setting == Setting::BettingSystem) continue;
        const QSignalBlocker quiet(control);
        const std::optional<int> value = setting_value(params, setting);
        if (auto* list = qobject_cast<QComboBox*>(control)) {
            list->setCurrentIndex(value.value_or(0));
        } else if (auto* edit = qobject_cast<SpinEdit*>(control)) {
            if (value) {
                edit->setValue(*value);
            } else {
                edit->clear();
            }
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            box->setChecked(value.value_or(0) != 0);
        }
    }
}

}  // namespace quorvel
