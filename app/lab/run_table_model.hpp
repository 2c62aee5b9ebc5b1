// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <vector>

#include <QAbstractTableModel>

#include "lab/run_report.hpp"

namespace quorvel {

// A run of the Backtest tab: its report and the spin source it played.
struct RunRow {
    // The source of a pooled row: the plan's files together, with no spins
    // of their own to play again.
    static constexpr std::size_t kPool = SIZE_MAX;

    RunReport report;
    std::size_t source = 0;
    std::size_t id = 0;  // its place in the plan, whatever the order on screen
};

// The runs of the Backtest tab, one row a run: the settings, then figures of
// the lab's figure table, which give the headers and how each reads. The
// rows are kept in the order on screen, so what is exported is what is seen;
// each sorts by the number behind its text, and runs that ran out of money
// are marked and can go after those that never did.
class RunTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { File, Mode, Type, Sectors, System, FirstFigure };
    // The role that gives the number a figure sorts by.
    static constexpr int SortRole = Qt::UserRole + 1;
    // True for a run that ran out of money: a ruin, never shown as a win.
    static constexpr int RanOutRole = Qt::UserRole + 2;

    explicit RunTableModel(QObject* parent = nullptr);

    void set_rows(std::vector<RunRow> rows);
    const RunRow& row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    RunRow& row(int row) { return rows_[static_cast<std::size_t>(row)]; }
    // Tells the views that a row's figures changed (a comparison worked out later).
    void row_changed(int row);
    bool empty() const { return rows_.empty(); }
    // The reports in the order on screen.
    std::vector<RunReport> reports_in_order() const;

    // The column of a figure of the table, or -1.
    static int column_of(std::string_view key);

    // Runs that never ran out of money first, whatever the column sorted by.
    void set_solvent_first(bool first);
    bool solvent_first() const { return solvent_first_; }
    int sort_column() const { return sort_column_; }
    Qt::SortOrder sort_order() const { return sort_order_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    std::vector<RunRow> rows_;
    int sort_column_ = FirstFigure;
    Qt::SortOrder sort_order_ = Qt::DescendingOrder;
    bool solvent_first_ = true;
};

// The runs as CSV, in the order given, under lines that say what they were
// played with: the settings of the run (or the base of the grid), the seed of
// the clock, the random draw and the fair sessions, and those sessions.
void write_run_table(std::ostream& out, const LabSettings& settings, std::int64_t sessions,
                     const std::vector<RunReport>& runs);

}  // namespace quorvel
