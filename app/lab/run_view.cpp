// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lab/run_view.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/lab/bankroll_chart.hpp"
#include "app/lab/figures_panel.hpp"
#include "app/lab/finals_histogram.hpp"
#include "lab/run_report.hpp"
#include "lab/verdict.hpp"

namespace quorvel {

namespace {

QString lines_text(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines)
        text << QString::fromStdString(line);
    return text.join(QLatin1Char('\n'));
}

}  // namespace

RunView::RunView(QWidget* parent)
    : QWidget(parent),
      figures_(
          new FiguresPanel({"spins", "bets", "wins", "losses", "virtual_bets", "wagered", "paid",
                            "net", "final_bankroll", "max_bank", "min_bankroll", "max_drawdown",
                            "longest_losing_streak", "largest_stake", "expected_loss",
                            "ran_out_at", "stopped_at", "stop_reason"},
                           3, this)),
      verdict_(new QLabel(this)),
      chart_(new BankrollChart(this)),
      histogram_(new FinalsHistogram(this)) {
    setObjectName(QStringLiteral("RunView"));
    chart_->setObjectName(QStringLiteral("BacktestChart"));
    verdict_->setObjectName(QStringLiteral("RunVerdict"));
    verdict_->setWordWrap(true);
    verdict_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    verdict_->setMinimumWidth(180);

    // The verdict under the figures, across the whole width: a ruin, the hit
    // rate and the fair sessions take a few lines, which a narrow column
    // would cut.
    auto* top = new QVBoxLayout;
    top->addWidget(figures_, 0, Qt::AlignTop);
    top->addWidget(verdict_);
    auto* charts = new QHBoxLayout;
    charts->setSpacing(4);
    charts->addWidget(chart_, 3);
    charts->addWidget(histogram_, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(charts, 1);
    clear();
}

void RunView::show_figures(const RunReport& run) {
    figures_->set_report(run);
    verdict_->setText(lines_text(run_verdict(run)));
}

void RunView::show_run(const RunReport& run, std::span<const std::int64_t> bankroll) {
    show_figures(run);
    const bool compared = run.chance && run.chance->sessions > 0;
    chart_->set_bankroll(bankroll, compared ? &run.chance->bands : nullptr);
    if (compared) {
        histogram_->set_finals(run.chance->solvent_finals, run.figures.final_bankroll,
                               run.chance->start,
                               run.chance->finals.size() - run.chance->solvent_finals.size());
    } else {
        histogram_->set_finals({}, 0, 0);
    }
}

void RunView::set_verdict(const std::vector<std::string>& lines) {
    verdict_->setText(lines_text(lines));
}

void RunView::clear() {
    figures_->clear();
    verdict_->setText(
        QStringLiteral("Choose spin files, or random spins, and run: each result "
                       "is set against what chance alone does with the same "
                       "settings."));
    chart_->set_bankroll({});
    histogram_->set_finals({}, 0, 0);
}

}  // namespace quorvel
