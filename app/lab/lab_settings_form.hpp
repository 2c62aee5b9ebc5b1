// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <utility>
#include <vector>

#include <QWidget>

#include "lab/lab_settings.hpp"
#include "play/setting_table.hpp"

class QComboBox;

namespace quorvel {

// The settings a backtest plays with, under the window's names and texts:
// a control for every setting of the settings table that a lab run plays,
// built from its row. They are the lab's own copy: changing them here never
// touches the game.
class LabSettingsForm : public QWidget {
    Q_OBJECT

public:
    explicit LabSettingsForm(QWidget* parent = nullptr);

    LabSettings settings() const;
    void set_settings(const LabSettings& settings);

    // The control of a setting ("Lab" and the window's name for it).
    QWidget* control(SettingId id) const;

private:
    QWidget* make_control(const SettingRow& row);
    void fill_systems(BetType type, ProgressionSystem chosen);

    // What the form has no field for (the run's clock) comes from here.
    LabSettings base_;
    std::vector<std::pair<SettingId, QWidget*>> controls_;
    QComboBox* system_ = nullptr;
};

}  // namespace quorvel
