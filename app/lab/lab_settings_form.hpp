// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

#include "lab/lab_settings.hpp"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace quorvel {

// The settings a backtest plays with, under the window's names and texts.
// They are the lab's own copy: changing them here never touches the game.
class LabSettingsForm : public QWidget {
    Q_OBJECT

public:
    explicit LabSettingsForm(QWidget* parent = nullptr);

    LabSettings settings() const;
    void set_settings(const LabSettings& settings);

private:
    void fill_systems(BetType type, ProgressionSystem chosen);

    // What the form has no field for (the run's clock) comes from here.
    LabSettings base_;
    QComboBox* mode_;
    QComboBox* type_;
    QComboBox* sectors_;
    QComboBox* system_;
    QSpinBox* base_bet_;
    QSpinBox* bankroll_;
    QComboBox* safe_level_;
    QSpinBox* n_count_;
    QCheckBox* auto_reset_;
    QComboBox* aim_;
    QSpinBox* profit_units_;
    QCheckBox* minimal_profit_;
    QSpinBox* losses_how_much_;
    QComboBox* losses_type_;
    QComboBox* losses_action_;
    QSpinBox* losses_value_;
    QSpinBox* wins_how_much_;
    QComboBox* wins_type_;
    QComboBox* wins_action_;
    QSpinBox* wins_value_;
};

}  // namespace quorvel
