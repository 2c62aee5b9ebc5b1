// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/lab/figures_panel.hpp"

#include <QGridLayout>
#include <QLabel>

#include "lab/figure_table.hpp"

namespace quorvel {

FiguresPanel::FiguresPanel(const std::vector<std::string>& shown, int columns, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("FiguresPanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(3);
    const int rows = (static_cast<int>(shown.size()) + columns - 1) / columns;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const int row = static_cast<int>(i) % rows;
        const int column = 2 * (static_cast<int>(i) / rows);
        const std::string_view label = figure_named(shown[i]).label;
        auto* name =
            new QLabel(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())), this);
        name->setProperty("heading", true);
        auto* value = new QLabel(this);
        value->setObjectName(QStringLiteral("Figure_") + QString::fromStdString(shown[i]));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setMinimumWidth(64);
        grid->addWidget(name, row, column);
        grid->addWidget(value, row, column + 1);
        values_[shown[i]] = value;
    }
    for (int column = 0; column < 2 * columns; column += 2)
        grid->setColumnStretch(column + 1, 1);
    clear();
}

void FiguresPanel::set_figures(const RunFigures& figures) {
    set_report(report_of({}, {}, figures));
}

void FiguresPanel::set_report(const RunReport& run) {
    for (auto& [key, label] : values_) {
        const QString text = QString::fromStdString(shown_figure(figure_named(key), run));
        if (label->text() != text) label->setText(text);
    }
}

void FiguresPanel::clear() {
    for (auto& entry : values_)
        entry.second->setText(QStringLiteral("–"));
}

}  // namespace quorvel
