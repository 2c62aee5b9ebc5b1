// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QObject>

#include "app/lab/run_replay.hpp"
#include "app/widgets/background_task.hpp"
#include "lab/lab_settings.hpp"
#include "lab/run_plan.hpp"
#include "lab/wheel_test.hpp"

namespace quorvel {

class RunTableModel;
struct RunRow;

// The wheel test of the Backtest tab's spins: of one source, or of the plan's
// files pooled.
struct WheelOutcome {
    std::string error;  // the refused file, as "FILE:LINE:COLUMN: why"
    bool cancelled = false;
    std::string name;                // the source, or "3 files pooled"
    std::vector<std::string> files;  // the files pooled
    WheelTest test;
};

// The Backtest tab's work off the interface thread, one piece at a time, and
// what the runs on show were played with and on. A piece of work is the run
// plan, a run of the grid played again for its chart, or a run played again
// for its ledger; each tells its progress and can be cancelled.
class BacktestRuns : public QObject {
    Q_OBJECT

public:
    // The model is the table of the runs on show; a chart adds to its rows.
    explicit BacktestRuns(RunTableModel& model, QObject* parent = nullptr);
    // Work still running is cancelled and waited for before the spins it
    // reads from go.
    ~BacktestRuns() override;

    // The progress told, out of this many.
    static constexpr int kProgressSteps = 1000;

    bool running() const { return task_ != nullptr; }
    void cancel();

    // Plays the plan; `done` gets what it gave, refused, cancelled or played.
    void run(const RunPlan& plan, std::function<void(PlanResult&)> done, const QString& status);
    // Puts a played plan's runs in the table, in the plan's order, and keeps
    // what they need for their charts and ledgers.
    void keep(PlanResult& result, const LabSettings& settings, std::optional<std::int64_t> chance);

    // The bankroll of a run after every spin, when kept or charted last; for
    // the pool of a "Run", the files' bankrolls in turn.
    const std::vector<std::int64_t>* series_of(std::size_t id) const;
    // Plays the run of a table row again for its chart; a chart still being
    // played gives way, other work does not. `done` comes first when the
    // chart ends either way, `changed` for each row it then updated.
    void chart(int row, std::function<void()> done, std::function<void(int row)> changed);
    // Reads the plan's spins and tests the wheel on them: the first source,
    // or all the files together when the plan pools them.
    void test_wheel(const RunPlan& plan, std::function<void(const WheelOutcome&)> done);
    // Plays the run of a table row again for its ledger.
    void play_ledger(int row, std::function<void(const Replay&)> done, const QString& status);

    // The files' runs a pooled row adds up, in the files' order.
    std::vector<RunReport> pooled_files_of(const RunRow& pool) const;

    const LabSettings& settings() const { return settings_; }
    std::optional<std::int64_t> chance() const { return chance_; }

signals:
    void started(const QString& status);
    void progressed(int steps_done);
    // The work is over, just before its outcome is told.
    void ended();
    // The work threw; what is shown stays as it was. A sentence for a box.
    void failed(const QString& reason);
    // A run, a chart or a ledger ended (done, refused or cancelled).
    void workFinished();

private:
    void start(BackgroundTask::Work work, std::function<void()> done, const QString& status);

    RunTableModel& model_;
    BackgroundTask* task_ = nullptr;
    bool task_is_chart_ = false;
    LabSettings settings_;
    std::optional<std::int64_t> chance_;
    std::vector<SpinSource> sources_;
    std::size_t pool_rows_ = 0;  // the pooled rows, one a setting of the plan
    // The series of a "Run", by the run's id; a run of the grid keeps none
    // and is charted again on demand, the last one kept here.
    std::vector<std::vector<std::int64_t>> series_;
    std::size_t charted_id_ = SIZE_MAX;
    std::vector<std::int64_t> charted_series_;
};

}  // namespace quorvel
