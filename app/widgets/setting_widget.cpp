// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/widgets/setting_widget.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>

namespace quorvel {

QString setting_text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* make_setting_widget(const SettingRow& row, QWidget* parent) {
    switch (row.kind) {
        case SettingKind::Switch:
            return new QCheckBox(setting_text(row.label), parent);
        case SettingKind::Selector: {
            auto* list = new QComboBox(parent);
            for (std::string_view item : row.items)
                list->addItem(setting_text(item));
            return list;
        }
        case SettingKind::Number:
            break;
    }
    if (row.listed) {
        auto* list = new QComboBox(parent);
        for (int value = row.range.minimum; value <= row.range.maximum; ++value)
            list->addItem(QString::number(value));
        return list;
    }
    auto* field = new QSpinBox(parent);
    field->setRange(row.range.minimum, row.range.maximum);
    if (!row.off_text.empty()) {
        // The value below the least stands for off.
        field->setRange(row.range.minimum - 1, row.range.maximum);
        field->setSpecialValueText(setting_text(row.off_text));
    }
    return field;
}

SettingValue setting_widget_value(const QWidget* widget, const SettingRow& row) {
    if (const auto* box = qobject_cast<const QCheckBox*>(widget)) return box->isChecked() ? 1 : 0;
    if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
        // A list's rows stand for the values from the least one up, unless
        // an item carries the value it stands for (the systems a betting
        // type offers).
        const QVariant data = list->currentData();
        if (data.isValid()) return data.toInt();
        return list->currentIndex() + row.range.minimum;
    }
    if (const auto* field = qobject_cast<const QSpinBox*>(widget)) {
        if (!row.off_text.empty() && field->value() < row.range.minimum) return std::nullopt;
        return field->value();
    }
    return std::nullopt;
}

void show_setting_value(QWidget* widget, const SettingRow& row, SettingValue value) {
    const QSignalBlocker quiet(widget);
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        box->setChecked(value.value_or(0) != 0);
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        list->setCurrentIndex(value.value_or(row.range.minimum) - row.range.minimum);
    } else if (auto* field = qobject_cast<QSpinBox*>(widget)) {
        field->setValue(value.value_or(row.range.minimum - 1));
    }
}

}  // namespace quorvel
