// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

#include <QString>

#include "play/setting_table.hpp"

class QWidget;

namespace quorvel {

// A setting's control built from its row, for the forms that list settings
// (the lab's, the table's rules): a box for a switch, a list for a selector
// or a number the window offers as a list, a number field otherwise, whose
// value below the least reads as the row's word for off ("none", "off").
QWidget* make_setting_widget(const SettingRow& row, QWidget* parent);

// The value the control shows, or its least value where it shows none.
SettingValue setting_widget_value(const QWidget* widget, const SettingRow& row);

// Shows the value, without a change signal.
void show_setting_value(QWidget* widget, const SettingRow& row, SettingValue value);

QString setting_text(std::string_view text);

}  // namespace quorvel
