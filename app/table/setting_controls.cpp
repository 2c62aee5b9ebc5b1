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

namespace {

// The control carries the name the stored settings know it by.
std::string name_of(const SettingRow& row) {
    return std::string(row.stored_key);
}

// A list's rows stand for the values from the least one up.
int list_row(const SettingRow& row, SettingValue value) {
    return value.value_or(row.range.minimum) - row.range.minimum;
}

}  // namespace

SettingControls::SettingControls(QWidget* surface, QObject* list_filter, const Parameters& params)
    : QObject(surface), surface_(surface), list_filter_(list_filter), start_(params) {}

QComboBox* SettingControls::add_list(SettingId id, const QRect& geometry,
                                     const QStringList& items) {
    const SettingRow& row = setting_row(id);
    QStringList texts = items;
    if (texts.isEmpty()) {
        for (std::string_view item : row.items)
            texts << text_from(item);
        for (int value = row.range.minimum; row.listed && value <= row.range.maximum; ++value)
            texts << QString::number(value);
    }
    QComboBox* list =
        make_list(surface_, name_of(row).c_str(), geometry, texts, list_row(row, row.get(start_)));
    list->installEventFilter(list_filter_);
    connect(list, &QComboBox::currentIndexChanged, this, [this, id, list](int chosen) {
        const QVariant data = list->itemData(chosen);
        emit settingChanged(id, data.isValid() ? data.toInt()
                                               : chosen + setting_row(id).range.minimum);
    });
    controls_.emplace_back(id, list);
    connect(list, &QComboBox::activated, this, &SettingControls::listChosen);
    return list;
}

SpinEdit* SettingControls::add_spin_edit(SettingId id, const QRect& geometry) {
    const SettingRow& row = setting_row(id);
    SpinEdit* edit = make_spin_edit(surface_, name_of(row).c_str(), geometry, row.range,
                                    row.get(start_));
    connect(edit, &SpinEdit::entryChanged, this,
            [this, id](std::optional<int> entry) { emit settingChanged(id, entry); });
    controls_.emplace_back(id, edit);
    return edit;
}

QWidget* SettingControls::add_check_box(SettingId id, const QRect& geometry,
                                        std::optional<int> font_colour, bool with_text) {
    const SettingRow& row = setting_row(id);
    const QString text = text_from(row.label);
    QCheckBox* box =
        make_check_box(surface_, name_of(row).c_str(), with_text ? text : QString(), geometry,
                       row.get(start_).value_or(0) != 0, font_colour.value_or(kSilver));
    if (!with_text) box->setToolTip(text);
    connect(box, &QCheckBox::toggled, this,
            [this, id](bool on) { emit settingChanged(id, on ? 1 : 0); });
    controls_.emplace_back(id, box);
    return box;
}

void SettingControls::show_settings(const Parameters& params) {
    for (const auto& [id, control] : controls_) {
        if (id == SettingId::BettingSystem) continue;
        const QSignalBlocker quiet(control);
        const SettingValue value = value_of(params, id);
        if (auto* list = qobject_cast<QComboBox*>(control)) {
            list->setCurrentIndex(list_row(setting_row(id), value));
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
