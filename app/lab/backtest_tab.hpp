// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QWidget>

#include "app/lab/backtest_runs.hpp"
#include "lab/lab_settings.hpp"

class QLabel;
class QProgressBar;
class QCheckBox;
class QPushButton;

namespace quorvel {

class LabSettingsForm;
class RunList;
class RunTableModel;
class RunView;
class SpinSourcesBox;
class WheelView;
struct Game;

// Backtests from the window: spin files or random spins, played with settings
// that start as the table's, one configuration ("Run") or the whole grid
// ("Run all"), through the lab's run plan and off the interface thread. Every
// result is set against what chance alone does with the same settings. The
// runs are listed in a sortable table; the chosen one shows its figures, its
// verdict and its charts.
class BacktestTab : public QWidget {
    Q_OBJECT

public:
    // Returns the file the player chose, or an empty string.
    using FileChooser = std::function<QString(const QString& title, const QString& suggested)>;
    using ErrorReporter = std::function<void(const QString& message)>;

    explicit BacktestTab(QWidget* parent = nullptr);
    ~BacktestTab() override;

    // The lab's first settings: the table's, but with the lab's own rule where
    // it has one (a backtest plays the bankroll it was given, and no more).
    void start_from(const Game& game);
    // The settings of the table window, all of them ("As on the table").
    void take_settings_of(const Game& game);
    void add_files(const QStringList& files);

    // Dialogs by default; tests replace them.
    void set_file_chooser(FileChooser chooser);
    void set_error_reporter(ErrorReporter reporter);

    bool running() const { return runs_->running(); }
    const RunTableModel& runs() const { return *model_; }
    RunView* run_view() const { return view_; }
    // The window of the last wheel test, once there was one.
    QWidget* wheel_window() const { return wheel_window_; }

signals:
    // A run, the grid, a chart or an export ended (done, refused or cancelled).
    void workFinished();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* create_results();
    void run(bool whole_grid);
    void run_finished(PlanResult& result, const LabSettings& settings);
    void show_row(int row);
    void test_wheel();
    void show_wheel(const WheelOutcome& outcome);
    void export_ledger();
    void export_runs();
    void set_busy(bool busy);
    void report(const QString& message);
    QString choose_file(const QString& title, const QString& suggested);
    bool save(const QString& file_name, const std::function<void(std::ostream&)>& write);

    SpinSourcesBox* sources_box_;
    LabSettingsForm* settings_;
    QPushButton* from_table_;
    QPushButton* run_;
    QPushButton* run_all_;
    // "Run all" chooses on the first half and tests the choice on the second.
    QCheckBox* holdout_;
    QPushButton* cancel_;
    QProgressBar* progress_;
    QLabel* status_;
    RunView* view_;
    RunList* list_;
    RunTableModel* model_;  // the list's
    BacktestRuns* runs_;
    QWidget* wheel_window_ = nullptr;
    QLabel* wheel_title_ = nullptr;
    WheelView* wheel_view_ = nullptr;

    FileChooser choose_file_;
    ErrorReporter report_error_;
    const Game* table_game_ = nullptr;

    QString results_status_;
};

}  // namespace quorvel
