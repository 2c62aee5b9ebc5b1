// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/table/table_rules_dialog.hpp"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/widgets/setting_widget.hpp"
#include "money/table_rules.hpp"

namespace quorvel {

const std::vector<SettingId>& TableRulesDialog::settings() {
    static const std::vector<SettingId> ids{SettingId::table_min,   SettingId::table_max,
                                            SettingId::at_max,      SettingId::stop_loss,
                                            SettingId::take_profit, SettingId::max_spins,
                                            SettingId::at_ruin};
    return ids;
}

TableRulesDialog::TableRulesDialog(const Parameters& params, QWidget* parent)
    : QDialog(parent), params_(params) {
    setObjectName(QStringLiteral("TableRules"));
    setWindowTitle(QStringLiteral("Table rules"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("The limits of the table, per sector, and when the session ends. "
                       "A limit or a rule left at \"none\" or \"off\" does not apply."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* form = new QFormLayout;
    for (SettingId id : settings()) {
        const SettingRow& row = setting_row(id);
        QWidget* control = make_setting_widget(row, this);
        control->setObjectName(setting_text(row.stored_key));
        control->setToolTip(setting_text(row.help));
        show_setting_value(control, row, row.get(params));
        form->addRow(setting_text(row.label), control);
        controls_.emplace_back(id, control);
    }
    layout->addLayout(form);

    fault_ = new QLabel(this);
    fault_->setObjectName(QStringLiteral("TableRulesFault"));
    fault_->setWordWrap(true);
    fault_->setStyleSheet(QStringLiteral("color: #e05050;"));
    fault_->hide();
    layout->addWidget(fault_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TableRulesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TableRulesDialog::reject);
    layout->addWidget(buttons);
}

Parameters TableRulesDialog::chosen() const {
    Parameters params = params_;
    for (const auto& [id, control] : controls_) {
        const SettingRow& row = setting_row(id);
        const SettingValue value = setting_widget_value(control, row);
        if (row.holds(value)) row.put(params, value);
    }
    return params;
}

void TableRulesDialog::accept() {
    const std::string fault = table_rules_fault(chosen());
    if (!fault.empty()) {
        fault_->setText(QString::fromStdString(fault));
        fault_->show();
        return;
    }
    QDialog::accept();
}

}  // namespace quorvel
