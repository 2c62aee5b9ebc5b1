// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include <QObject>
#include <QStringList>

#include "game/parameters.hpp"
#include "play/setting_table.hpp"

class QComboBox;
class QRect;
class QWidget;

namespace quorvel {

class SpinEdit;

// The settings' lists, number fields and check boxes, each bound to the row
// of the settings table it reports: the row gives the control its name, its
// items or range, its text and its value, and the panel only places it. They
// lie on the window's surface like the rest of their panel; this keeps the
// list of them, reports every change by the player as settingChanged and
// shows the parameters in all of them again at once.
class SettingControls : public QObject {
    Q_OBJECT

public:
    // The lists take their wheel events through list_filter; the controls
    // start at the values of params.
    SettingControls(QWidget* surface, QObject* list_filter, const Parameters& params);

    // A list of the row's items (or of a listed number's values), or of
    // these where the window fills it itself; an item's data, where it has
    // one, is the value it stands for (the systems the betting type offers).
    QComboBox* add_list(SettingId id, const QRect& geometry, const QStringList& items = {});
    SpinEdit* add_spin_edit(SettingId id, const QRect& geometry);
    // A box with the row's text beside it, or, without it, as its tool tip.
    QWidget* add_check_box(SettingId id, const QRect& geometry, std::optional<int> font_colour,
                           bool with_text = true);

    // Every control but the system list (its rows depend on the betting type)
    // shows the parameters again, without reporting a change.
    void show_settings(const Parameters& params);

signals:
    void settingChanged(quorvel::SettingId id, quorvel::SettingValue value);
    // The player chose a row in a list; the focus should leave it.
    void listChosen();

private:
    QWidget* surface_;
    QObject* list_filter_;
    Parameters start_;
    std::vector<std::pair<SettingId, QWidget*>> controls_;
};

}  // namespace quorvel
