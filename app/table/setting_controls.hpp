// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include <QObject>
#include <QStringList>

#include "app/table/setting.hpp"
#include "game/parameters.hpp"

class QComboBox;
class QRect;
class QWidget;

namespace quorvel {

class SpinEdit;

// The settings' lists, number fields and check boxes, each tied to the setting
// it reports. They lie on the window's surface like the rest of their panel;
// this keeps the list of them, reports every change by the player as
// settingChanged and shows the parameters in all of them again at once.
class SettingControls : public QObject {
    Q_OBJECT

public:
    // The lists take their wheel events through list_filter.
    SettingControls(QWidget* surface, QObject* list_filter);

    QComboBox* add_list(Setting setting, const char* name, const QRect& geometry,
                        const QStringList& items, int row);
    SpinEdit* add_spin_edit(Setting setting, const char* name, const QRect& geometry,
                            SpinRange range, std::optional<int> value);
    QWidget* add_check_box(Setting setting, const char* name, const QString& text,
                           const QRect& geometry, bool checked, std::optional<int> font_colour);

    // Every control but the system list (its rows depend on the betting type)
    // shows the parameters again, without reporting a change.
    void show_settings(const Parameters& params);

signals:
    void settingChanged(quorvel::Setting setting, std::optional<int> value);
    // The player chose a row in a list; the focus should leave it.
    void listChosen();

private:
    QWidget* surface_;
    QObject* list_filter_;
    std::vector<std::pair<Setting, QWidget*>> controls_;
};

}  // namespace quorvel
