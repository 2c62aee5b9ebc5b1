// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lab/backtest_runs.hpp"

#include <algorithm>
#include <memory>
#include <span>
#include <utility>

#include "app/lab/run_table_model.hpp"
#include "lab/chance.hpp"
#include "lab/pool.hpp"

namespace quorvel {

BacktestRuns::BacktestRuns(RunTableModel& model, QObject* parent)
    : QObject(parent), model_(model) {}

// As a child the task would only be deleted after the members it reads from.
BacktestRuns::~BacktestRuns() {
    delete task_;
}

void BacktestRuns::cancel() {
    if (task_ != nullptr) task_->cancel();
}

void BacktestRuns::run(const RunPlan& plan, std::function<void(PlanResult&)> done,
                       const QString& status) {
    auto result = std::make_shared<PlanResult>();
    auto work = [plan, result](const std::atomic<bool>& cancel,
                               const BackgroundTask::Progress& progress) {
        PlanOptions options;
        options.keep_series = !plan.grid;
        options.cancel = &cancel;
        options.progress = progress;
        options.how_to_ask = "a number in \u201cFair sessions\u201d";
        options.regular_files_only = true;
        *result = run_plan(plan, options);
    };
    start(
        std::move(work), [result, done = std::move(done)] { done(*result); }, status);
}

void BacktestRuns::keep(PlanResult& result, const LabSettings& settings,
                        std::optional<std::int64_t> chance) {
    settings_ = settings;
    chance_ = chance;
    sources_.clear();
    series_.clear();
    pool_rows_ = result.pooled ? result.pooled->reports.size() : 0;
    charted_id_ = SIZE_MAX;
    charted_series_.clear();
    std::vector<RunRow> rows;
    std::vector<RunFigures> files;
    for (SourceRuns& source : result.sources) {
        if (!source.reports.empty()) files.push_back(source.reports.front().figures);
        for (RunReport& report : source.reports)
            rows.push_back({std::move(report), sources_.size(), rows.size()});
        for (RunResult& run : source.results)
            series_.push_back(std::move(run.bankroll_series));
        sources_.push_back(std::move(source.source));
    }
    if (result.pooled) {
        // The pool's rows come last, with no spins of their own to replay;
        // the pool of a "Run" is charted from its files' series in turn.
        const bool charted = result.pooled->reports.size() == 1 && series_.size() == files.size() &&
                             std::none_of(series_.begin(), series_.end(),
                                          [](const auto& series) { return series.empty(); });
        std::vector<std::int64_t> pool_series;
        if (charted) {
            std::vector<std::size_t> lengths;
            for (const SpinSource& source : sources_)
                lengths.push_back(source.spins.size());
            pool_series = pooled_series(series_, files, lengths,
                                        value_or_least(settings.CSpinEdit1, kCSpinEdit1Range));
        }
        for (RunReport& report : result.pooled->reports)
            rows.push_back({std::move(report), RunRow::kPool, rows.size()});
        series_.resize(rows.size());
        if (charted) series_.back() = std::move(pool_series);
    }
    model_.set_rows(std::move(rows));
}

// A row of source s and setting i has the id s x settings + i, and the pool
// of setting i follows the sources' rows.
std::vector<RunReport> BacktestRuns::pooled_files_of(const RunRow& pool) const {
    std::vector<RunReport> files(sources_.size());
    if (pool_rows_ == 0) return {};
    for (int r = 0; r < model_.rowCount(); ++r) {
        const RunRow& row = model_.row(r);
        if (row.source != RunRow::kPool && row.source < files.size() &&
            row.id % pool_rows_ == pool.id % pool_rows_)
            files[row.source] = row.report;
    }
    return files;
}

void BacktestRuns::test_wheel(const RunPlan& plan, std::function<void(const WheelOutcome&)> done) {
    auto outcome = std::make_shared<WheelOutcome>();
    auto work = [plan, outcome](const std::atomic<bool>& cancel, const BackgroundTask::Progress&) {
        std::vector<SpinSource> sources;
        outcome->error = read_sources(plan, sources, &cancel, true);
        outcome->cancelled = cancel.load();
        if (!outcome->error.empty() || outcome->cancelled || sources.empty()) return;
        if (plan.pool) {
            std::vector<std::vector<std::uint8_t>> spins;
            for (SpinSource& source : sources) {
                outcome->files.push_back(source.name);
                spins.push_back(std::move(source.spins));
            }
            outcome->name = pool_name(spins.size());
            outcome->test = pooled_wheel_test(spins, plan.settings.seed);
        } else {
            outcome->name = sources.front().name;
            outcome->test = wheel_test(sources.front().spins, plan.settings.seed);
        }
    };
    start(
        std::move(work), [outcome, done = std::move(done)] { done(*outcome); },
        plan.pool ? QStringLiteral("Testing the wheel on the files pooled…")
                  : QStringLiteral("Testing the wheel…"));
}

const std::vector<std::int64_t>* BacktestRuns::series_of(std::size_t id) const {
    if (id < series_.size() && !series_[id].empty()) return &series_[id];
    if (id == charted_id_) return &charted_series_;
    return nullptr;
}

// A run of the grid keeps no series; it is played again on demand, which is
// quick for one run, with its own fair sessions so its chart has its fan.
void BacktestRuns::chart(int row, std::function<void()> done,
                         std::function<void(int row)> changed) {
    if (running()) {
        // A chart still being played gives way to the one now wanted; other
        // work goes on, and the chart waits for the next click.
        if (!task_is_chart_) return;
        delete task_;
        task_ = nullptr;
    }
    const RunRow& run = model_.row(row);
    const std::size_t id = run.id;
    const std::span<const std::uint8_t> spins = sources_[run.source].spins;
    const LabSettings settings = run.report.settings;
    // Its fair sessions are played once; a second look only redraws.
    const bool compared = run.report.chance.has_value();
    const std::int64_t sessions = compared ? 0 : chance_sessions_for(spins.size(), chance_);
    auto chart = std::make_shared<Replay>();
    start(
        replay_work(spins, settings, sessions, false, chart),
        [this, id, chart, sessions, compared, done = std::move(done),
         changed = std::move(changed)] {
            done();
            if (!chart->done) return;
            charted_id_ = id;
            charted_series_ = std::move(chart->run.bankroll_series);
            for (int r = 0; r < model_.rowCount(); ++r) {
                if (model_.row(r).id != id) continue;
                RunReport& report = model_.row(r).report;
                if (chart->chance) report.chance = std::move(chart->chance);
                if (!compared && sessions == 0 && chance_ != std::int64_t{0}) {
                    report.chance_skipped =
                        "No fair sessions fit the length of these spins; "
                        "ask for them with a number in \u201cFair "
                        "sessions\u201d.";
                }
                model_.row_changed(r);
                changed(r);
            }
        },
        sessions > 0 ? QStringLiteral("Charting the run and its fair sessions…")
                     : QStringLiteral("Charting the run…"));
    task_is_chart_ = true;
}

void BacktestRuns::play_ledger(int row, std::function<void(const Replay&)> done,
                               const QString& status) {
    const RunRow& run = model_.row(row);
    const std::span<const std::uint8_t> spins = sources_[run.source].spins;
    auto ledger = std::make_shared<Replay>();
    start(
        replay_work(spins, run.report.settings, 0, true, ledger),
        [ledger, done = std::move(done)] { done(*ledger); }, status);
}

void BacktestRuns::start(BackgroundTask::Work work, std::function<void()> done,
                         const QString& status) {
    task_ = new BackgroundTask(std::move(work), this);
    task_is_chart_ = false;
    BackgroundTask* task = task_;
    connect(task, &BackgroundTask::progress, this, [this](qint64 done_work, qint64 total) {
        if (total > 0) emit progressed(static_cast<int>(kProgressSteps * done_work / total));
    });
    connect(task, &BackgroundTask::finished, this, [this, task, done = std::move(done)] {
        task->deleteLater();
        if (task_ != task) return;  // replaced: its outcome is not wanted
        task_ = nullptr;
        emit ended();
        done();
        emit workFinished();
    });
    connect(task, &BackgroundTask::failed, this, [this, task](const QString& reason) {
        task->deleteLater();
        if (task_ != task) return;
        task_ = nullptr;
        emit ended();
        emit failed(reason);
        emit workFinished();
    });
    emit started(status);
    task->start();
}

}  // namespace quorvel
