#include "app/backtest_tab.hpp"

#include <algorithm>
#include <cmath>
#include <sstream>

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/background_task.hpp"
#include "app/bankroll_chart.hpp"
#include "app/figures_panel.hpp"
#include "app/lab_settings_form.hpp"
#include "app/save_file.hpp"
#include "lab/batch.hpp"
#include "lab/figure_table.hpp"
#include "lab/grid.hpp"
#include "lab/random_spins.hpp"
#include "lab/session_log.hpp"
#include "lab/shown_text.hpp"
#include "lab/spin_file.hpp"

namespace quorvel {

namespace {

QString text(std::string_view item) {
    return QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
}

// The columns of the run table: the settings, then figures of the lab's
// figure table, which give the headers; the figures sort as numbers.
enum Column { kFile, kMode, kType, kSectors, kSystem, kFirstFigure };
constexpr std::string_view kRunTableFigures[] = {
    "final_bankroll", "net",          "bets",
    "wins",           "losses",       "wagered",
    "max_drawdown",   "min_bankroll", "longest_losing_streak",
    "largest_stake",  "expected_loss"};
constexpr int kColumnCount = kFirstFigure + static_cast<int>(std::size(kRunTableFigures));
constexpr int kFinal = kFirstFigure;  // the grid ranks by the first figure

QTableWidgetItem* figure_item(const Figure& figure, const RunReport& run) {
    const FigureValue value = figure.value(run);
    auto* item = new QTableWidgetItem;
    if (value.kind == FigureValue::Kind::Whole) {
        item->setData(Qt::DisplayRole, static_cast<qlonglong>(value.whole));
    } else if (value.kind == FigureValue::Kind::Real) {
        item->setData(Qt::DisplayRole, std::round(value.real * 100.0) / 100.0);
    }
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

constexpr int kProgressSteps = 1000;

}  // namespace

// What a run of the worker hands back to the tab.
struct BacktestTab::Outcome {
    std::string error;
    bool kept_series = false;
    std::vector<Input> inputs;
    std::vector<RunReport> reports;
    std::vector<std::size_t> report_input;
    std::vector<RunResult> results;
    bool cancelled = false;
};

BacktestTab::BacktestTab(QWidget* parent)
    : QWidget(parent),
      settings_(new LabSettingsForm(this)),
      figures_(
          new FiguresPanel({"spins", "bets", "wins", "losses", "virtual_bets", "wagered", "paid",
                            "net", "final_bankroll", "max_bank", "min_bankroll", "max_drawdown",
                            "longest_losing_streak", "largest_stake", "expected_loss"},
                           3, this)),
      chart_(new BankrollChart(this)) {
    setObjectName(QStringLiteral("BacktestTab"));
    chart_->setObjectName(QStringLiteral("BacktestChart"));
    setAcceptDrops(true);

    auto* left = new QVBoxLayout;
    left->addWidget(create_input());
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
    run_->setToolTip(QStringLiteral("Play the spins with these settings"));
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

// The work still running is cancelled and waited for here, before the inputs
// a chart or a ledger reads from go with the members; as a child the task
// would only be deleted after them.
BacktestTab::~BacktestTab() {
    delete task_;
}

QWidget* BacktestTab::create_input() {
    auto* box = new QGroupBox(QStringLiteral("Spins"), this);
    from_files_ = new QRadioButton(QStringLiteral("Spin files (choose or drop them here)"), box);
    from_files_->setObjectName(QStringLiteral("FromFiles"));
    from_files_->setChecked(true);
    files_ = new QListWidget(box);
    files_->setObjectName(QStringLiteral("InputFiles"));
    files_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    files_->setMaximumHeight(90);
    add_ = new QPushButton(QStringLiteral("Add files…"), box);
    add_->setObjectName(QStringLiteral("AddFiles"));
    remove_ = new QPushButton(QStringLiteral("Remove"), box);
    remove_->setObjectName(QStringLiteral("RemoveFiles"));
    from_random_ = new QRadioButton(QStringLiteral("Random spins:"), box);
    from_random_->setObjectName(QStringLiteral("FromRandom"));
    random_count_ = new QSpinBox(box);
    random_count_->setObjectName(QStringLiteral("RandomCount"));
    random_count_->setRange(1, 50'000'000);
    random_count_->setValue(100'000);
    random_count_->setGroupSeparatorShown(true);
    random_seed_ = new QSpinBox(box);
    random_seed_->setObjectName(QStringLiteral("RandomSeed"));
    random_seed_->setRange(0, 2'000'000'000);
    random_seed_->setValue(1);
    random_seed_->setPrefix(QStringLiteral("seed "));

    auto* file_buttons = new QHBoxLayout;
    file_buttons->addWidget(add_);
    file_buttons->addWidget(remove_);
    file_buttons->addStretch(1);
    auto* random_line = new QHBoxLayout;
    random_line->addWidget(from_random_);
    random_line->addWidget(random_count_, 1);
    random_line->addWidget(random_seed_, 1);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(from_files_);
    layout->addWidget(files_);
    layout->addLayout(file_buttons);
    layout->addLayout(random_line);

    connect(add_, &QPushButton::clicked, this, [this] {
        if (folder_.isEmpty() || !QDir(folder_).exists()) folder_ = QDir::homePath();
        const QStringList chosen = QFileDialog::getOpenFileNames(
            this, QStringLiteral("Spin files"), folder_,
            QStringLiteral("Spin files (*.txt *.csv);;All files (*)"));
        add_files(chosen);
    });
    connect(remove_, &QPushButton::clicked, this, [this] { qDeleteAll(files_->selectedItems()); });
    return box;
}

QWidget* BacktestTab::create_results() {
    runs_ = new QTableWidget(0, kColumnCount, this);
    runs_->setObjectName(QStringLiteral("RunTable"));
    QStringList headers{QStringLiteral("File"), QStringLiteral("Mode"), QStringLiteral("Type"),
                        QStringLiteral("Sectors"), QStringLiteral("System")};
    for (std::string_view key : kRunTableFigures)
        headers << text(figure_named(key).label);
    runs_->setHorizontalHeaderLabels(headers);
    runs_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    runs_->setSelectionBehavior(QAbstractItemView::SelectRows);
    runs_->setSelectionMode(QAbstractItemView::SingleSelection);
    runs_->setAlternatingRowColors(true);
    runs_->setSortingEnabled(true);
    runs_->verticalHeader()->hide();
    runs_->verticalHeader()->setDefaultSectionSize(20);
    runs_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    runs_->horizontalHeader()->setStretchLastSection(true);
    connect(runs_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row < 0) return;
        const QTableWidgetItem* item = runs_->item(row, kFile);
        if (item != nullptr) show_run(item->data(Qt::UserRole).toInt());
    });

    export_ = new QPushButton(QStringLiteral("Export…"), this);
    export_->setObjectName(QStringLiteral("Export"));
    export_->setEnabled(false);
    auto* menu = new QMenu(export_);
    QAction* ledger = menu->addAction(QStringLiteral("Ledger of the chosen run…"));
    ledger->setObjectName(QStringLiteral("ExportLedger"));
    QAction* grid = menu->addAction(QStringLiteral("Table of the runs…"));
    grid->setObjectName(QStringLiteral("ExportRuns"));
    export_->setMenu(menu);
    connect(ledger, &QAction::triggered, this, &BacktestTab::export_ledger);
    connect(grid, &QAction::triggered, this, &BacktestTab::export_grid);

    auto* top = new QWidget(this);
    auto* top_layout = new QVBoxLayout(top);
    top_layout->setContentsMargins(0, 0, 0, 0);
    auto* figures_line = new QHBoxLayout;
    figures_line->addWidget(figures_, 1);
    figures_line->addWidget(export_, 0, Qt::AlignTop);
    top_layout->addLayout(figures_line);
    top_layout->addWidget(chart_, 1);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(top);
    splitter->addWidget(runs_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    return splitter;
}

void BacktestTab::take_settings_of(const Game& game) {
    table_game_ = &game;
    settings_->set_settings(settings_of(game));
}

void BacktestTab::add_files(const QStringList& files) {
    for (const QString& file : files) {
        const QString path = QDir::toNativeSeparators(file);
        if (files_->findItems(path, Qt::MatchExactly).isEmpty()) files_->addItem(path);
        folder_ = QFileInfo(file).absolutePath();
    }
    if (!files.isEmpty()) from_files_->setChecked(true);
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
    const LabSettings settings = settings_->settings();
    if (const std::string error = settings_error(settings); !error.empty()) {
        report(QString::fromStdString(error));
        return;
    }
    QStringList files;
    for (int row = 0; row < files_->count(); ++row)
        files << files_->item(row)->text();
    const bool random = from_random_->isChecked();
    if (!random && files.isEmpty()) {
        report(QStringLiteral("Add a spin file first, or choose random spins."));
        return;
    }
    const auto count = static_cast<std::size_t>(random_count_->value());
    const auto seed = static_cast<std::uint64_t>(random_seed_->value());

    auto outcome = std::make_shared<Outcome>();
    outcome->kept_series = !whole_grid;
    const std::vector<LabSettings> configurations =
        whole_grid ? grid_of(settings) : std::vector<LabSettings>{settings};

    auto work = [outcome, files, random, count, seed, configurations](
                    const std::atomic<bool>& cancel,
                    const std::function<void(std::size_t, std::size_t)>& progress) {
        // Every file is read before anything runs: one refused file stops all.
        if (random) {
            outcome->inputs.push_back({"random", random_spins(count, seed)});
        } else {
            for (const QString& file : files) {
                if (cancel.load()) {
                    outcome->cancelled = true;
                    return;
                }
                SpinReadOptions read_options;
                read_options.regular_files_only = true;
                read_options.cancel = &cancel;
                SpinFile read = read_spin_file(QFile::encodeName(file).toStdString(), read_options);
                if (read.cancelled) {
                    outcome->cancelled = true;
                    return;
                }
                if (!read.ok()) {
                    outcome->error = read.error;
                    return;
                }
                outcome->inputs.push_back({file.toStdString(), std::move(read.spins)});
            }
        }
        std::vector<RunJob> jobs;
        for (std::size_t input = 0; input < outcome->inputs.size(); ++input) {
            for (const LabSettings& configuration : configurations) {
                jobs.push_back({outcome->inputs[input].spins, configuration});
                outcome->reports.push_back(
                    report_of(outcome->inputs[input].name, configuration, {}));
                outcome->report_input.push_back(input);
            }
        }
        const std::size_t total = total_spins(jobs);
        BatchOptions options;
        options.keep_series = outcome->kept_series;
        options.cancel = &cancel;
        options.progress = [&progress, total](std::size_t done) { progress(done, total); };
        outcome->results = run_batch(jobs, options);
        outcome->cancelled =
            cancel.load() || std::any_of(outcome->results.begin(), outcome->results.end(),
                                         [](const RunResult& result) { return result.cancelled; });
        for (std::size_t i = 0; i < outcome->results.size(); ++i) {
            RunReport& report = outcome->reports[i];
            report = report_of(report.file, report.settings, outcome->results[i].figures);
        }
    };

    // The earlier runs stay in view, out of reach, until the new ones are in:
    // a refused file or a cancel leaves them as they were.
    runs_->setEnabled(false);
    start(
        std::move(work), [this, outcome] { run_finished(outcome); },
        whole_grid ? QStringLiteral("Running the 150 configurations…")
                   : QStringLiteral("Running…"));
}

void BacktestTab::run_finished(const std::shared_ptr<Outcome>& outcome) {
    runs_->setEnabled(true);
    const QString kept =
        reports_.empty() ? QString() : QStringLiteral(" The earlier runs are still shown.");
    if (!outcome->error.empty()) {
        status_->setText(QStringLiteral("A spin file was refused; nothing ran.") + kept);
        report(QString::fromStdString(outcome->error));
        return;
    }
    if (outcome->cancelled) {
        status_->setText(QStringLiteral("Cancelled.") + kept);
        return;
    }
    runs_->setRowCount(0);
    shown_ = -1;
    shown_series_.clear();
    inputs_ = std::move(outcome->inputs);
    reports_ = std::move(outcome->reports);
    report_input_ = std::move(outcome->report_input);
    std::vector<std::vector<std::int64_t>> series;
    if (outcome->kept_series) {
        for (RunResult& result : outcome->results)
            series.push_back(std::move(result.bankroll_series));
    }

    runs_->setSortingEnabled(false);
    runs_->setRowCount(static_cast<int>(reports_.size()));
    for (std::size_t i = 0; i < reports_.size(); ++i) {
        const RunReport& report = reports_[i];
        const int row = static_cast<int>(i);
        auto* file =
            new QTableWidgetItem(QFileInfo(QString::fromStdString(report.file)).fileName());
        file->setData(Qt::UserRole, row);
        file->setToolTip(QString::fromStdString(report.file));
        runs_->setItem(row, kFile, file);
        runs_->setItem(row, kMode, new QTableWidgetItem(text(text_of(report.settings.mode))));
        runs_->setItem(row, kType, new QTableWidgetItem(text(text_of(report.settings.type))));
        runs_->setItem(row, kSectors, new QTableWidgetItem(text(text_of(report.settings.sectors))));
        runs_->setItem(row, kSystem, new QTableWidgetItem(text(text_of(report.settings.system))));
        for (int c = kFirstFigure; c < kColumnCount; ++c) {
            const Figure& figure = figure_named(kRunTableFigures[c - kFirstFigure]);
            runs_->setItem(row, c, figure_item(figure, report));
        }
    }
    runs_->setSortingEnabled(true);
    runs_->sortItems(kFinal, Qt::DescendingOrder);

    results_status_ = reports_.size() == 1
                          ? QStringLiteral("One run.")
                          : QStringLiteral(
                                "%1 runs, best final bankroll first. Click a run to "
                                "chart it.")
                                .arg(reports_.size());
    status_->setText(results_status_);
    export_->setEnabled(true);
    // The best run, with its chart at hand when the series were kept.
    const int best = runs_->item(0, kFile)->data(Qt::UserRole).toInt();
    if (!series.empty()) shown_series_ = std::move(series[static_cast<std::size_t>(best)]);
    shown_ = series.empty() ? -1 : best;
    runs_->setCurrentCell(0, kFile);
    show_run(best);
}

void BacktestTab::show_run(int report) {
    if (report < 0 || static_cast<std::size_t>(report) >= reports_.size()) return;
    figures_->set_figures(reports_[static_cast<std::size_t>(report)].figures);
    if (report == shown_) {
        chart_->set_bankroll(shown_series_);
        return;
    }
    chart_run(report);
}

// A run of the grid keeps no series; its chart is played again on demand,
// which is quick for one run.
void BacktestTab::chart_run(int report) {
    if (running()) {
        // A chart still being played gives way to the one now wanted; other
        // work goes on, and the chart waits for the next click.
        if (!task_is_chart_) return;
        delete task_;
        task_ = nullptr;
    }
    const auto index = static_cast<std::size_t>(report);
    const std::span<const std::uint8_t> spins = inputs_[report_input_[index]].spins;
    const LabSettings settings = reports_[index].settings;
    auto series = std::make_shared<std::vector<std::int64_t>>();
    auto work = [spins, settings, series](
                    const std::atomic<bool>& cancel,
                    const std::function<void(std::size_t, std::size_t)>& progress) {
        RunOptions options;
        options.keep_series = true;
        options.cancel = &cancel;
        options.progress = [&](std::size_t done) { progress(done, spins.size()); };
        RunResult result = run_spins(spins, settings, options);
        if (!result.cancelled) *series = std::move(result.bankroll_series);
    };
    start(
        std::move(work),
        [this, report, series] {
            status_->setText(results_status_);
            if (series->empty()) return;
            shown_ = report;
            shown_series_ = std::move(*series);
            chart_->set_bankroll(shown_series_);
        },
        QStringLiteral("Charting the run…"));
    task_is_chart_ = true;
}

QString BacktestTab::choose_file(const QString& title, const QString& suggested) {
    if (choose_file_) return choose_file_(title, suggested);
    if (folder_.isEmpty() || !QDir(folder_).exists()) folder_ = QDir::homePath();
    const QString file_name =
        QFileDialog::getSaveFileName(this, title, QDir(folder_).filePath(suggested),
                                     QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (!file_name.isEmpty()) folder_ = QFileInfo(file_name).absolutePath();
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
    const int row = runs_->currentRow();
    if (row < 0 || running()) return;
    const int report = runs_->item(row, kFile)->data(Qt::UserRole).toInt();
    const QString file_name =
        choose_file(QStringLiteral("Export the ledger"), QStringLiteral("ledger.csv"));
    if (file_name.isEmpty()) return;
    const auto index = static_cast<std::size_t>(report);
    const std::span<const std::uint8_t> spins = inputs_[report_input_[index]].spins;
    const LabSettings settings = reports_[index].settings;
    auto ledger = std::make_shared<RunResult>();
    auto work = [spins, settings, ledger](
                    const std::atomic<bool>& cancel,
                    const std::function<void(std::size_t, std::size_t)>& progress) {
        RunOptions options;
        options.keep_ledger = true;
        options.cancel = &cancel;
        options.progress = [&](std::size_t done) { progress(done, spins.size()); };
        *ledger = run_spins(spins, settings, options);
    };
    start(
        std::move(work),
        [this, ledger, file_name] {
            if (ledger->cancelled) {
                status_->setText(QStringLiteral("Cancelled; nothing was written."));
                return;
            }
            save(file_name,
                 [&ledger](std::ostream& out) { write_ledger_csv(out, ledger->ledger); });
        },
        QStringLiteral("Playing the run for its ledger…"));
}

void BacktestTab::export_grid() {
    if (reports_.empty() || running()) return;
    const QString file_name =
        choose_file(QStringLiteral("Export the runs"), QStringLiteral("runs.csv"));
    if (file_name.isEmpty()) return;
    save(file_name, [this](std::ostream& out) { write_runs_csv(out, reports_); });
}

void BacktestTab::start(std::function<void(const std::atomic<bool>&,
                                           const std::function<void(std::size_t, std::size_t)>&)>
                            work,
                        std::function<void()> done, const QString& status) {
    task_ = new BackgroundTask(std::move(work), this);
    task_is_chart_ = false;
    BackgroundTask* task = task_;
    connect(task, &BackgroundTask::progress, this, [this](qint64 done_spins, qint64 total) {
        if (total > 0) progress_->setValue(static_cast<int>(kProgressSteps * done_spins / total));
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
        runs_->setEnabled(true);
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
    for (QWidget* widget : std::initializer_list<QWidget*>{run_, run_all_, from_table_, settings_,
                                                           from_files_, from_random_, files_, add_,
                                                           remove_, random_count_, random_seed_})
        widget->setEnabled(!busy);
    export_->setEnabled(!busy && !reports_.empty());
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
