// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lab/run_list.hpp"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "app/lab/run_table_model.hpp"
#include "lab/run_report.hpp"
#include "lab/verdict.hpp"

namespace quorvel {

namespace {

// A ruin is not a win: the chosen row of a run that ran out is marked in a
// dark red, never in the selection's green.
class RuinDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (!(option.state & QStyle::State_Selected) ||
            !index.data(RunTableModel::RanOutRole).toBool()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->fillRect(option.rect, QColor(0x5a, 0x1e, 0x1a));
        QStyleOptionViewItem plain = option;
        plain.state &= ~QStyle::State_Selected;
        QStyledItemDelegate::paint(painter, plain, index);
    }
};

}  // namespace

RunList::RunList(QWidget* parent)
    : QWidget(parent),
      model_(new RunTableModel(this)),
      table_(new QTableView(this)),
      verdict_(new QLabel(this)),
      solvent_first_(new QCheckBox(QStringLiteral("Runs that never ran out first"), this)),
      export_(new QPushButton(QStringLiteral("Export…"), this)) {
    setObjectName(QStringLiteral("RunList"));
    table_->setObjectName(QStringLiteral("RunTable"));
    table_->setModel(model_);
    table_->setItemDelegate(new RuinDelegate(table_));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(20);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setSortIndicator(RunTableModel::FirstFigure, Qt::DescendingOrder);
    table_->setSortingEnabled(true);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) emit runChosen(current.row());
            });

    verdict_->setObjectName(QStringLiteral("GridVerdict"));
    verdict_->setWordWrap(true);
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    verdict_->hide();
    solvent_first_->setObjectName(QStringLiteral("SolventFirst"));
    solvent_first_->setToolTip(QStringLiteral(
        "Put the runs whose bankroll never fell below zero before those that ran out of "
        "money, whatever the column sorted by"));
    solvent_first_->setChecked(model_->solvent_first());
    connect(solvent_first_, &QCheckBox::toggled, model_, &RunTableModel::set_solvent_first);

    export_->setObjectName(QStringLiteral("Export"));
    export_->setEnabled(false);
    auto* menu = new QMenu(export_);
    QAction* ledger = menu->addAction(QStringLiteral("Ledger of the chosen run…"));
    ledger->setObjectName(QStringLiteral("ExportLedger"));
    QAction* runs = menu->addAction(QStringLiteral("Table of the runs…"));
    runs->setObjectName(QStringLiteral("ExportRuns"));
    export_->setMenu(menu);
    connect(ledger, &QAction::triggered, this, &RunList::ledgerWanted);
    connect(runs, &QAction::triggered, this, &RunList::tableWanted);

    // The verdict of the grid takes the whole width: its lines are long.
    auto* line = new QHBoxLayout;
    line->addStretch(1);
    line->addWidget(solvent_first_, 0, Qt::AlignRight | Qt::AlignBottom);
    line->addWidget(export_, 0, Qt::AlignRight | Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(verdict_);
    layout->addLayout(line);
    layout->addWidget(table_, 1);
}

int RunList::current_row() const {
    const QModelIndex current = table_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void RunList::choose(int row) {
    table_->scrollToTop();
    table_->selectionModel()->clearCurrentIndex();
    table_->setCurrentIndex(model_->index(row, 0));
}

void RunList::set_verdicts(const std::vector<GridSummary>& grids) {
    QStringList verdicts;
    for (const GridSummary& grid : grids) {
        QStringList lines;
        for (const std::string& line : grid_verdict(grid))
            lines << QString::fromStdString(line);
        const QString name = QFileInfo(QString::fromStdString(grid.file)).fileName();
        verdicts << (grids.size() > 1 ? name + QStringLiteral(": ") : QString()) +
                        lines.join(QLatin1Char(' '));
    }
    verdict_->setText(verdicts.join(QLatin1Char('\n')));
    verdict_->setVisible(!verdicts.isEmpty());
}

void RunList::set_export_enabled(bool enabled) {
    export_->setEnabled(enabled);
}

}  // namespace quorvel
