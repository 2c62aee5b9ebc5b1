// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <QWidget>

class QLabel;

namespace quorvel {

class BankrollChart;
class FiguresPanel;
class FinalsHistogram;
struct RunReport;

// One run of the Backtest tab as the player reads it: its figures with the
// plain lines that set them against chance beside them, its bankroll in
// front of the fan of the fair sessions, and where those sessions ended with
// the run's own end marked.
class RunView : public QWidget {
    Q_OBJECT

public:
    explicit RunView(QWidget* parent = nullptr);

    // The figures and the verdict; the charts wait for the series.
    void show_figures(const RunReport& run);
    // The figures, the verdict and both charts.
    void show_run(const RunReport& run, std::span<const std::int64_t> bankroll);
    void clear();
    // Puts other lines in the verdict's place: a pool's, which speak of its files.
    void set_verdict(const std::vector<std::string>& lines);

    BankrollChart* chart() const { return chart_; }
    FinalsHistogram* histogram() const { return histogram_; }

private:
    FiguresPanel* figures_;
    QLabel* verdict_;
    BankrollChart* chart_;
    FinalsHistogram* histogram_;
};

}  // namespace quorvel
