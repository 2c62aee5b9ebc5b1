#include "app/backtest_tab.hpp"

#include <algorithm>
#include <sstream>

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/lab_settings_form.hpp"
#include "app/run_list.hpp"
#include "app/run_replay.hpp"
#include "app/run_table_model.hpp"
#include "app/run_view.hpp"
#include "app/save_file.hpp"
#include "app/spin_sources_box.hpp"
#include "lab/chance.hpp"
#include "lab/figure_table.hpp"
#include "lab/lab_csv.hpp"
#include "lab/runner.hpp"
#include "lab/shown_text.hpp"

namespace quorvel {

namespace {

constexpr int kProgressSteps = 1000;

}  // namespace

BacktestTab::BacktestTab(QWidget* parent)
    : QWidget(parent),
      settings_(new LabSettingsForm(this)),
      view_(new RunView(this)),
      list_(new RunList(this)),
      model_(&list_->model()) {
    setObjectName(QStringLiteral("BacktestTab"));
    setAcceptDrops(true);

    auto* left = new QVBoxLayout;
    sources_box_ = new SpinSourcesBox(this);
    left->addWidget(sources_box_);
    auto* settings_box = new QGroupBox(QStringLiteral("Settings"), this);
    auto* settings_layout = new QVBoxLayout(settings_box);
    settings_layout->addWidget(settings_);
    from_table_ = new QPushButton(QStringLiteral("As on the table"), settings_box);
    from_table_->setObjectName(QStringLiteral("FromTable"));
    from_table_->setToolTip(QStringLiteral("Take the settings the table window has now"));
    settings_layout->addWidget(from_table_, 0, Qt::AlignRight);
    left->addWidget(settings_box);

    run_ = new QPushButton(QStringLiteral("Run"), this);
    run_->setObjectName(QStringLiteral("Run"));
    run_->setToolTip(
        QStringLiteral("Play the spins with these settings, and fair sessions "
                       "with the same settings to set the result against"));
    run_all_ = new QPushButton(QStringLiteral("Run all"), this);
    run_all_->setObjectName(QStringLiteral("RunAll"));
    run_all_->setToolTip(QStringLiteral(
        "Play the spins with every mode, betting type, sector choice and system: 150 runs"));
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("Cancel"));
    cancel_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(run_);
    buttons->addWidget(run_all_);
    buttons->addWidget(cancel_);
    left->addLayout(buttons);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("BacktestProgress"));
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    progress_->setMaximumHeight(10);
    left->addWidget(progress_);
    status_ = new QLabel(QStringLiteral("Choose spin files, or random spins, and run."), this);
    status_->setObjectName(QStringLiteral("BacktestStatus"));
    status_->setWordWrap(true);
    left->addWidget(status_);
    left->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 0);
    layout->addWidget(create_results(), 1);

    connect(run_, &QPushButton::clicked, this, [this] { run(false); });
    connect(run_all_, &QPushButton::clicked, this, [this] { run(true); });
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (task_ != nullptr) task_->cancel();
        status_->setText(QStringLiteral("Cancelling…"));
    });
    connect(from_table_, &QPushButton::clicked, this, [this] {
        if (table_game_ != nullptr) take_settings_of(*table_game_);
    });
}

// The work still running is cancelled and waited for here, before the spins
// a chart or a ledger reads from go with the members; as a child the task
// would only be deleted after them.
BacktestTab::~BacktestTab() {
    delete task_;
}

QWidget* BacktestTab::create_results() {
    connect(list_, &RunList::runChosen, this, &BacktestTab::show_row);
    connect(list_, &RunList::ledgerWanted, this, &BacktestTab::export_ledger);
    connect(list_, &RunList::tableWanted, this, &BacktestTab::export_runs);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(view_);
    splitter->addWidget(list_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    return splitter;
}

void BacktestTab::take_settings_of(const Game& game) {
    table_game_ = &game;
    settings_->set_settings(settings_of(game));
}

void BacktestTab::add_files(const QStringList& files) {
    sources_box_->add_files(files);
}

void BacktestTab::set_file_chooser(FileChooser chooser) {
    choose_file_ = std::move(chooser);
}

void BacktestTab::set_error_reporter(ErrorReporter reporter) {
    report_error_ = std::move(reporter);
}

void BacktestTab::dragEnterEvent(QDragEnterEvent* event) {
    if (running() || event->mimeData() == nullptr || !event->mimeData()->hasUrls()) return;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) return;
    }
    event->acceptProposedAction();
}

void BacktestTab::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        files << url.toLocalFile();
    event->acceptProposedAction();
    add_files(files);
}

void BacktestTab::run(bool whole_grid) {
    if (running()) return;
    RunPlan plan;
    plan.settings = settings_->settings();
    plan.grid = whole_grid;
    if (const QString missing = sources_box_->fill_plan(plan); !missing.isEmpty()) {
        report(missing);
        return;
    }
    if (const std::string error = settings_error(plan.settings); !error.empty()) {
        report(QString::fromStdString(error));
        return;
    }
    const LabSettings settings = plan.settings;

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
    // The earlier runs stay in view, out of reach, until the new ones are in:
    // a refused file or a cancel leaves them as they were.
    list_->setEnabled(false);
    start(
        std::move(work), [this, result, settings] { run_finished(*result, settings); },
        whole_grid ? QStringLiteral("Running the 150 configurations…")
                   : QStringLiteral("Running, then the fair sessions…"));
}

void BacktestTab::run_finished(PlanResult& result, const LabSettings& settings) {
    list_->setEnabled(true);
    const QString kept =
        model_->empty() ? QString() : QStringLiteral(" The earlier runs are still shown.");
    if (!result.error.empty()) {
        // As on the command line: the first refused file, with its place.
        status_->setText(QStringLiteral("A spin file was refused; nothing ran.") + kept);
        report(QString::fromStdString(result.error));
        return;
    }
    if (result.cancelled) {
        status_->setText(QStringLiteral("Cancelled.") + kept);
        return;
    }
    run_settings_ = settings;
    run_chance_ = sources_box_->chance_asked();
    sources_ = std::move(result.sources);
    series_.clear();
    charted_id_ = SIZE_MAX;
    charted_series_.clear();
    std::vector<RunRow> rows;
    for (std::size_t i = 0; i < result.reports.size(); ++i)
        rows.push_back({std::move(result.reports[i]), result.report_source[i], i});
    for (RunResult& run : result.results)
        series_.push_back(std::move(run.bankroll_series));

    list_->set_verdicts(result.grids);

    model_->set_rows(std::move(rows));
    const std::size_t count = static_cast<std::size_t>(model_->rowCount());
    results_status_ =
        count == 1 ? QStringLiteral("One run.")
                   : QStringLiteral(
                         "%1 runs. Click a run to chart it; click a "
                         "heading to sort by it.")
                         .arg(QString::fromStdString(grouped(static_cast<std::int64_t>(count))));
    status_->setText(results_status_);
    list_->set_export_enabled(true);
    list_->choose(0);
}

void BacktestTab::show_row(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    const RunRow& run = model_->row(row);
    if (run.id < series_.size() && !series_[run.id].empty()) {
        view_->show_run(run.report, series_[run.id]);
    } else if (run.id == charted_id_) {
        view_->show_run(run.report, charted_series_);
    } else {
        view_->show_figures(run.report);
        chart_row(row);
    }
}

// A run of the grid keeps no series; it is played again on demand, which is
// quick for one run, with its own fair sessions so its chart has its fan.
void BacktestTab::chart_row(int row) {
    if (running()) {
        // A chart still being played gives way to the one now wanted; other
        // work goes on, and the chart waits for the next click.
        if (!task_is_chart_) return;
        delete task_;
        task_ = nullptr;
    }
    const RunRow& run = model_->row(row);
    const std::size_t id = run.id;
    const std::span<const std::uint8_t> spins = sources_[run.source].spins;
    const LabSettings settings = run.report.settings;
    // Its fair sessions are played once; a second look only redraws.
    const bool compared = run.report.chance.has_value();
    const std::int64_t sessions = compared ? 0 : chance_sessions_for(spins.size(), run_chance_);
    auto chart = std::make_shared<Replay>();
    start(
        replay_work(spins, settings, sessions, false, chart),
        [this, id, chart, sessions, compared] {
            status_->setText(results_status_);
            if (!chart->done) return;
            charted_id_ = id;
            charted_series_ = std::move(chart->run.bankroll_series);
            for (int r = 0; r < model_->rowCount(); ++r) {
                if (model_->row(r).id != id) continue;
                RunReport& report = model_->row(r).report;
                if (chart->chance) report.chance = std::move(chart->chance);
                if (!compared && sessions == 0 && run_chance_ != std::int64_t{0}) {
                    report.chance_skipped =
                        "No fair sessions fit the length of these spins; "
                        "ask for them with a number in \u201cFair "
                        "sessions\u201d.";
                }
                model_->row_changed(r);
                if (list_->current_row() == r) show_row(r);
            }
        },
        sessions > 0 ? QStringLiteral("Charting the run and its fair sessions…")
                     : QStringLiteral("Charting the run…"));
    task_is_chart_ = true;
}

QString BacktestTab::choose_file(const QString& title, const QString& suggested) {
    if (choose_file_) return choose_file_(title, suggested);
    QString folder = sources_box_->folder();
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    const QString file_name =
        QFileDialog::getSaveFileName(this, title, QDir(folder).filePath(suggested),
                                     QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (!file_name.isEmpty()) sources_box_->set_folder(QFileInfo(file_name).absolutePath());
    return file_name;
}

// The new file takes the place of an earlier one only once it is complete; a
// write that fails leaves the earlier file as it was and says why.
bool BacktestTab::save(const QString& file_name, const std::function<void(std::ostream&)>& write) {
    std::ostringstream text;
    write(text);
    const QString shown = QDir::toNativeSeparators(file_name);
    if (const auto reason = save_file(file_name, text.str())) {
        status_->setText(QStringLiteral("Not written: %1").arg(shown));
        report(QStringLiteral("The file could not be written:\n%1\n\n%2").arg(shown, *reason));
        return false;
    }
    status_->setText(QStringLiteral("Written: %1").arg(shown));
    return true;
}

void BacktestTab::export_ledger() {
    const int row = list_->current_row();
    if (row < 0 || running()) return;
    const QString file_name =
        choose_file(QStringLiteral("Export the ledger"), QStringLiteral("ledger.csv"));
    if (file_name.isEmpty()) return;
    const RunRow& run = model_->row(row);
    const std::span<const std::uint8_t> spins = sources_[run.source].spins;
    const LabSettings settings = run.report.settings;
    auto ledger = std::make_shared<Replay>();
    start(
        replay_work(spins, settings, 0, true, ledger),
        [this, ledger, file_name] {
            if (!ledger->done) {
                status_->setText(QStringLiteral("Cancelled; nothing was written."));
                return;
            }
            save(file_name,
                 [&ledger](std::ostream& out) { write_ledger_csv(out, ledger->run.ledger); });
        },
        QStringLiteral("Playing the run for its ledger…"));
}

// The table goes out as it is on screen: its rows in their order, under the
// settings and the seed they were played with.
void BacktestTab::export_runs() {
    if (model_->empty() || running()) return;
    const QString file_name =
        choose_file(QStringLiteral("Export the runs"), QStringLiteral("runs.csv"));
    if (file_name.isEmpty()) return;
    save(file_name, [this](std::ostream& out) {
        write_run_table(out, run_settings_, run_chance_.value_or(-1), model_->reports_in_order());
    });
}

void BacktestTab::start(BackgroundTask::Work work, std::function<void()> done,
                        const QString& status) {
    task_ = new BackgroundTask(std::move(work), this);
    task_is_chart_ = false;
    BackgroundTask* task = task_;
    connect(task, &BackgroundTask::progress, this, [this](qint64 done_work, qint64 total) {
        if (total > 0) progress_->setValue(static_cast<int>(kProgressSteps * done_work / total));
    });
    connect(task, &BackgroundTask::finished, this, [this, task, done = std::move(done)] {
        task->deleteLater();
        if (task_ != task) return;  // replaced: its outcome is not wanted
        task_ = nullptr;
        set_busy(false);
        done();
        emit workFinished();
    });
    // A failed task leaves what is shown as it was, and says why.
    connect(task, &BackgroundTask::failed, this, [this, task](const QString& reason) {
        task->deleteLater();
        if (task_ != task) return;
        task_ = nullptr;
        set_busy(false);
        list_->setEnabled(true);
        status_->setText(QStringLiteral("The work stopped; what is shown is unchanged."));
        report(QStringLiteral("The work stopped; what is shown is unchanged.\n\n%1").arg(reason));
        emit workFinished();
    });
    status_->setText(status);
    progress_->setValue(0);
    set_busy(true);
    task->start();
}

void BacktestTab::set_busy(bool busy) {
    for (QWidget* widget : std::initializer_list<QWidget*>{run_, run_all_, from_table_, settings_})
        widget->setEnabled(!busy);
    sources_box_->set_inputs_enabled(!busy);
    list_->set_export_enabled(!busy && !model_->empty());
    cancel_->setEnabled(busy);
    if (!busy) progress_->setValue(0);
}

void BacktestTab::report(const QString& message) {
    // A message may quote a file's name: what would turn the text around
    // or hide part of it is masked.
    const QString shown = QString::fromStdString(shown_lines(message.toStdString()));
    if (report_error_) {
        report_error_(shown);
    } else {
        QMessageBox::critical(this, window()->windowTitle(), shown);
    }
}

}  // namespace quorvel
