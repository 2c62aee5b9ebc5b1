// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace quorvel {

class RunTableModel;
struct GridSummary;

// The runs of the Backtest tab as a sortable table, with the grid's verdict
// above it, the choice to put the runs that never ran out of money first,
// and the exports of the chosen run and of the table.
class RunList : public QWidget {
    Q_OBJECT

public:
    explicit RunList(QWidget* parent = nullptr);

    RunTableModel& model() const { return *model_; }
    // The run chosen, as a row on screen, or -1.
    int current_row() const;
    void choose(int row);
    // The verdict of each grid, under its file's name when there are
    // several; none hides it.
    void set_verdicts(const std::vector<GridSummary>& grids);
    void set_export_enabled(bool enabled);

signals:
    void runChosen(int row);
    void ledgerWanted();
    void tableWanted();

private:
    RunTableModel* model_;
    QTableView* table_;
    QLabel* verdict_;
    QCheckBox* solvent_first_;
    QPushButton* export_;
};

}  // namespace quorvel
