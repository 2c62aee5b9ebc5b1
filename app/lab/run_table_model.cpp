// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lab/run_table_model.hpp"

#include <algorithm>
#include <numeric>
#include <ostream>

#include <QColor>
#include <QFileInfo>

#include "lab/figure_table.hpp"
#include "lab/lab_csv.hpp"

namespace quorvel {

namespace {

QString text(std::string_view item) {
    return QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
}

// The figures of the table, after the settings: the grid ranks by the first.
constexpr std::string_view kFigures[] = {"final_bankroll", "net",          "ran_out_at",
                                         "hit_rate",       "hit_rate_p",   "adjusted_p",
                                         "bets",
                                         "wins",           "losses",       "wagered",
                                         "max_drawdown",   "min_bankroll", "longest_losing_streak",
                                         "largest_stake",  "expected_loss"};
constexpr int kColumnCount = RunTableModel::FirstFigure + static_cast<int>(std::size(kFigures));

const Figure& figure_of_column(int column) {
    return figure_named(kFigures[column - RunTableModel::FirstFigure]);
}

QString setting_text(const RunReport& run, int column) {
    switch (column) {
        case RunTableModel::File:
            return QFileInfo(QString::fromStdString(run.file)).fileName();
        case RunTableModel::Mode:
            return text(text_of(run.settings.GameModes));
        case RunTableModel::Type:
            return text(text_of(run.settings.BettingType));
        case RunTableModel::Sectors:
            return text(text_of(run.settings.BettingSectors));
        case RunTableModel::System:
            return text(text_of(run.settings.BettingSystem));
    }
    return {};
}

bool ran_out(const RunRow& row) {
    return row.report.figures.ran_out_at != 0;
}

}  // namespace

RunTableModel::RunTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void RunTableModel::set_rows(std::vector<RunRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
    sort(sort_column_, sort_order_);
}

void RunTableModel::row_changed(int row) {
    emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
}

std::vector<RunReport> RunTableModel::reports_in_order() const {
    std::vector<RunReport> reports;
    reports.reserve(rows_.size());
    for (const RunRow& row : rows_)
        reports.push_back(row.report);
    return reports;
}

int RunTableModel::column_of(std::string_view key) {
    const auto found = std::find(std::begin(kFigures), std::end(kFigures), key);
    return found == std::end(kFigures)
               ? -1
               : FirstFigure + static_cast<int>(found - std::begin(kFigures));
}

void RunTableModel::set_solvent_first(bool first) {
    if (solvent_first_ == first) return;
    solvent_first_ = first;
    sort(sort_column_, sort_order_);
}

int RunTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RunTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant RunTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const RunRow& run = rows_[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    const bool figure = column >= FirstFigure;
    switch (role) {
        case Qt::DisplayRole:
            return figure
                       ? QString::fromStdString(shown_figure(figure_of_column(column), run.report))
                       : setting_text(run.report, column);
        case SortRole:
            if (!figure) return setting_text(run.report, column);
            return figure_of_column(column).value(run.report).number();
        case Qt::TextAlignmentRole:
            return figure ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                          : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case RanOutRole:
            return ran_out(run);
        case Qt::ForegroundRole:
            // A ruin is not a win, whatever its final bankroll: the row reads
            // in the losses' red.
            if (ran_out(run)) return QColor(0xe0, 0x70, 0x60);
            return {};
        case Qt::ToolTipRole:
            if (ran_out(run)) {
                return QStringLiteral("Ran out of money at spin %1")
                    .arg(QString::fromStdString(grouped(run.report.figures.ran_out_at)));
            }
            if (column == File) return QString::fromStdString(run.report.file);
            return {};
    }
    return {};
}

QVariant RunTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
    if (role == Qt::DisplayRole) {
        static const QString settings[] = {QStringLiteral("File"), QStringLiteral("Mode"),
                                           QStringLiteral("Type"), QStringLiteral("Sectors"),
                                           QStringLiteral("System")};
        return section < FirstFigure ? settings[section] : text(figure_of_column(section).label);
    }
    if (role == Qt::ToolTipRole && section == column_of("hit_rate_p"))
        return QStringLiteral("How often chance alone hits at least as often (exact binomial)");
    return {};
}

// The rows are reordered in place, so that the export and every index the
// views hold follow what is on screen; a stable sort keeps the order of
// equal rows, so a second sort refines the first.
void RunTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kColumnCount) return;
    sort_column_ = column;
    sort_order_ = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);

    std::vector<std::size_t> order_of(rows_.size());
    std::iota(order_of.begin(), order_of.end(), std::size_t{0});
    const bool descending = order == Qt::DescendingOrder;
    const auto before = [&](std::size_t a, std::size_t b) {
        const RunRow& x = rows_[a];
        const RunRow& y = rows_[b];
        if (solvent_first_ && ran_out(x) != ran_out(y)) return !ran_out(x);
        if (column >= FirstFigure) {
            const double u = figure_of_column(column).value(x.report).number();
            const double v = figure_of_column(column).value(y.report).number();
            return descending ? v < u : u < v;
        }
        const int compared = QString::localeAwareCompare(setting_text(x.report, column),
                                                         setting_text(y.report, column));
        return descending ? compared > 0 : compared < 0;
    };
    std::stable_sort(order_of.begin(), order_of.end(), before);

    std::vector<RunRow> sorted;
    sorted.reserve(rows_.size());
    std::vector<int> new_row(rows_.size());
    for (std::size_t i = 0; i < order_of.size(); ++i) {
        sorted.push_back(std::move(rows_[order_of[i]]));
        new_row[order_of[i]] = static_cast<int>(i);
    }
    rows_ = std::move(sorted);

    const QModelIndexList kept = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(kept.size());
    for (const QModelIndex& index : kept) {
        moved.append(this->index(new_row[static_cast<std::size_t>(index.row())], index.column()));
    }
    changePersistentIndexList(kept, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void write_run_table(std::ostream& out, const LabSettings& settings, std::int64_t sessions,
                     const std::vector<RunReport>& runs) {
    out << "# Quorvel Lab: " << runs.size() << (runs.size() == 1 ? " run" : " runs")
        << ", in the order shown\n# settings: ";
    const char* separator = "";
    for (const auto& [name, value] : setting_texts(settings)) {
        out << separator << name << '=' << value;
        separator = "; ";
    }
    out << "\n# seed: " << settings.seed
        << " (the clock, the random spins and the fair sessions); fair sessions: ";
    if (sessions < 0) {
        out << "as many as fit";
    } else if (sessions == 0) {
        out << "none";
    } else {
        out << sessions;
    }
    out << '\n';
    write_runs_csv(out, runs);
}

}  // namespace quorvel
