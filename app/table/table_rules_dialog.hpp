// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <utility>
#include <vector>

#include <QDialog>

#include "play/setting_table.hpp"

class QLabel;

namespace quorvel {

// "Table rules…": the limits of the table and the stop rules, a control for
// each setting built from its row. OK takes them only when a table could
// play them together (a base bet within the limits, a stop-loss below the
// bankroll, ...); otherwise the dialog says what is wrong and stays open.
class TableRulesDialog : public QDialog {
    Q_OBJECT

public:
    TableRulesDialog(const Parameters& params, QWidget* parent);

    // The settings as the dialog holds them, with the rest as they were.
    Parameters chosen() const;
    // The settings of the dialog, in the order of the settings table.
    static const std::vector<SettingId>& settings();

    void accept() override;

private:
    Parameters params_;
    std::vector<std::pair<SettingId, QWidget*>> controls_;
    QLabel* fault_ = nullptr;
};

}  // namespace quorvel
