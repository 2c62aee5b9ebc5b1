// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/lab/backtest_tab.hpp"

#include <sstream>

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
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

#include "app/lab/lab_settings_form.hpp"
#include "app/lab/run_list.hpp"
#include "app/lab/run_table_model.hpp"
#include "app/lab/run_view.hpp"
#include "app/lab/spin_sources_box.hpp"
#include "app/lab/wheel_view.hpp"
#include "app/widgets/save_file.hpp"
#include "lab/figure_table.hpp"
#include "lab/grid.hpp"
#include "lab/lab_csv.hpp"
#include "lab/pool.hpp"
#include "lab/shown_text.hpp"

namespace quorvel {

BacktestTab::BacktestTab(QWidget* parent)
    : QWidget(parent),
      settings_(new LabSettingsForm(this)),
      view_(new RunView(this)),
      list_(new RunList(this)),
      model_(&list_->model()),
      runs_(new BacktestRuns(*model_, this)) {
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
    run_all_->setToolTip(
        QStringLiteral(
            "Play the spins with every mode, betting type, sector choice and system: %1 runs")
            .arg(QString::fromStdString(grouped(static_cast<std::int64_t>(grid_size())))));
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("Cancel"));
    cancel_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(run_);
    buttons->addWidget(run_all_);
    buttons->addWidget(cancel_);
    left->addLayout(buttons);
    holdout_ = new QCheckBox(QStringLiteral("Choose on the first half, test on the second"), this);
    holdout_->setObjectName(QStringLiteral("HoldoutHalf"));
    holdout_->setToolTip(QStringLiteral(
        "With \"Run all\": take the configuration with the best hit rate on the first half "
        "of the spins and play it alone on the second half, which it has not seen"));
    left->addWidget(holdout_);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("BacktestProgress"));
    progress_->setRange(0, BacktestRuns::kProgressSteps);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    progress_->setMaximumHeight(10);
    left->addWidget(progress_);
    status_ = new QLabel(QStringLiteral("Choose spin files, or random spins, and run."), this);
    status_->setObjectName(QStringLiteral("BacktestStatus"));
    // It may quote a file's name: markup in a name is shown, not obeyed.
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    left->addWidget(status_);
    left->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 0);
    layout->addWidget(create_results(), 1);

    connect(run_, &QPushButton::clicked, this, [this] { run(false); });
    connect(sources_box_, &SpinSourcesBox::wheelWanted, this, &BacktestTab::test_wheel);
    connect(run_all_, &QPushButton::clicked, this, [this] { run(true); });
    connect(cancel_, &QPushButton::clicked, this, [this] {
        runs_->cancel();
        status_->setText(QStringLiteral("Cancelling…"));
    });
    connect(from_table_, &QPushButton::clicked, this, [this] {
        if (table_game_ != nullptr) take_settings_of(*table_game_);
    });
    connect(runs_, &BacktestRuns::started, this, [this](const QString& status) {
        status_->setText(status);
        progress_->setValue(0);
        set_busy(true);
    });
    connect(runs_, &BacktestRuns::progressed, progress_, &QProgressBar::setValue);
    connect(runs_, &BacktestRuns::ended, this, [this] { set_busy(false); });
    // A failed task leaves what is shown as it was, and says why.
    connect(runs_, &BacktestRuns::failed, this, [this](const QString& reason) {
        list_->setEnabled(true);
        status_->setText(QStringLiteral("The work stopped; what is shown is unchanged."));
        report(QStringLiteral("The work stopped; what is shown is unchanged.\n\n%1").arg(reason));
    });
    connect(runs_, &BacktestRuns::workFinished, this, &BacktestTab::workFinished);
}

// The work still running is cancelled and waited for here, before the table
// of runs a chart writes to goes with the tab's children.
BacktestTab::~BacktestTab() {
    delete runs_;
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

void BacktestTab::start_from(const Game& game) {
    table_game_ = &game;
    LabSettings settings = settings_of(game);
    for (const SettingRow& row : setting_rows()) {
        if (row.lab_default) row.put(settings, *row.lab_default);
    }
    settings_->set_settings(settings);
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
    if (whole_grid && holdout_->isChecked()) plan.holdout = 0.5;
    if (const QString missing = sources_box_->fill_plan(plan); !missing.isEmpty()) {
        report(missing);
        return;
    }
    if (const std::string error = settings_error(plan.settings); !error.empty()) {
        report(QString::fromStdString(error));
        return;
    }
    const LabSettings settings = plan.settings;
    // The earlier runs stay in view, out of reach, until the new ones are in:
    // a refused file or a cancel leaves them as they were.
    list_->setEnabled(false);
    runs_->run(
        plan, [this, settings](PlanResult& result) { run_finished(result, settings); },
        whole_grid
            ? QStringLiteral("Running the %1 configurations…")
                  .arg(QString::fromStdString(grouped(static_cast<std::int64_t>(grid_size()))))
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
    // The grid's verdict a source, or the pool's alone: its files were not
    // set against chance one by one.
    std::vector<GridSummary> grids;
    if (result.pooled) {
        if (result.pooled->grid) grids.push_back(*result.pooled->grid);
    } else {
        for (const SourceRuns& source : result.sources) {
            if (source.grid) grids.push_back(*source.grid);
        }
    }
    list_->set_verdicts(grids);
    // A session's torn last line was left out: said, as the window says it.
    QString notices;
    for (const SourceRuns& source : result.sources) {
        if (source.source.notice.empty()) continue;
        notices += QStringLiteral(" %1: %2").arg(
            QString::fromStdString(shown_text(source.source.name)),
            QString::fromStdString(source.source.notice));
    }
    runs_->keep(result, settings, sources_box_->chance_asked());
    const std::size_t count = static_cast<std::size_t>(model_->rowCount());
    results_status_ =
        (count == 1 ? QStringLiteral("One run.")
                    : QStringLiteral(
                          "%1 runs. Click a run to chart it; click a "
                          "heading to sort by it.")
                          .arg(QString::fromStdString(grouped(static_cast<std::int64_t>(count))))) +
        notices;
    status_->setText(results_status_);
    list_->set_export_enabled(true);
    list_->choose(0);
}

void BacktestTab::show_row(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    const RunRow& run = model_->row(row);
    if (run.source == RunRow::kPool) {
        // The pool has no spins of its own to chart again: the pool of a
        // "Run" is charted from its files, a pooled row of the grid is not.
        if (const std::vector<std::int64_t>* series = runs_->series_of(run.id)) {
            view_->show_run(run.report, *series);
        } else {
            view_->show_figures(run.report);
        }
        view_->set_verdict(pool_verdict(run.report, runs_->pooled_files_of(run)));
    } else if (const std::vector<std::int64_t>* series = runs_->series_of(run.id)) {
        view_->show_run(run.report, *series);
    } else {
        view_->show_figures(run.report);
        runs_->chart(
            row, [this] { status_->setText(results_status_); },
            [this](int changed) {
                if (list_->current_row() == changed) show_row(changed);
            });
    }
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
    const QString shown =
        QString::fromStdString(shown_text(QDir::toNativeSeparators(file_name).toStdString()));
    if (const auto reason = save_file(file_name, text.str())) {
        status_->setText(QStringLiteral("Not written: %1").arg(shown));
        report(QStringLiteral("The file could not be written:\n%1\n\n%2").arg(shown, *reason));
        return false;
    }
    status_->setText(QStringLiteral("Written: %1").arg(shown));
    return true;
}

void BacktestTab::test_wheel() {
    if (running()) return;
    RunPlan plan;
    plan.files = sources_box_->wheel_files();
    if (plan.files.empty()) {
        // Random spins, or no file yet: what a run would say of them.
        if (const QString missing = sources_box_->fill_plan(plan); !missing.isEmpty()) {
            report(missing);
            return;
        }
        plan.pool = false;
    } else {
        plan.settings.seed = sources_box_->seed();
        plan.pool = sources_box_->pooled();
    }
    runs_->test_wheel(plan, [this](const WheelOutcome& outcome) { show_wheel(outcome); });
}

void BacktestTab::show_wheel(const WheelOutcome& outcome) {
    const QString shown_runs = model_->empty() ? QString() : results_status_;
    if (!outcome.error.empty()) {
        status_->setText(QStringLiteral("A spin file was refused; the wheel was not tested."));
        report(QString::fromStdString(outcome.error));
        return;
    }
    if (outcome.cancelled) {
        status_->setText(QStringLiteral("Cancelled."));
        return;
    }
    if (wheel_window_ == nullptr) {
        // A window of its own beside the lab's, so the runs stay in view.
        auto* dialog = new QDialog(this);
        dialog->setObjectName(QStringLiteral("WheelTestWindow"));
        dialog->setWindowTitle(QStringLiteral("The wheel test"));
        dialog->resize(780, 330);
        wheel_title_ = new QLabel(dialog);
        wheel_title_->setObjectName(QStringLiteral("WheelTitle"));
        wheel_title_->setProperty("heading", true);
        wheel_title_->setTextFormat(Qt::PlainText);
        wheel_title_->setWordWrap(true);
        wheel_view_ = new WheelView(dialog);
        wheel_view_->setObjectName(QStringLiteral("BacktestWheelView"));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
        connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::hide);
        auto* layout = new QVBoxLayout(dialog);
        layout->addWidget(wheel_title_);
        layout->addWidget(wheel_view_);
        layout->addStretch(1);
        layout->addWidget(buttons);
        wheel_window_ = dialog;
    }
    // A file's name may hold anything: it is shown masked, as in messages.
    QString title =
        QString::fromStdString(shown_text(outcome.name)) +
        QStringLiteral(": %1 spins").arg(QString::fromStdString(grouped(outcome.test.spins)));
    if (!outcome.files.empty()) {
        std::vector<std::string> names;
        for (const std::string& file : outcome.files)
            names.push_back(
                shown_text(QFileInfo(QString::fromStdString(file)).fileName().toStdString()));
        title += QStringLiteral(" (%1)").arg(QString::fromStdString(listed_names(names)));
    }
    wheel_title_->setText(title);
    wheel_view_->show_test(outcome.test);
    wheel_window_->show();
    wheel_window_->raise();
    status_->setText(shown_runs.isEmpty() ? QStringLiteral("The wheel is tested.") : shown_runs);
}

void BacktestTab::export_ledger() {
    const int row = list_->current_row();
    if (row < 0 || running()) return;
    if (model_->row(row).source == RunRow::kPool) {
        report(
            QStringLiteral("A pool has no ledger of its own: choose the run of one of its "
                           "files to export its ledger."));
        return;
    }
    const QString file_name =
        choose_file(QStringLiteral("Export the ledger"), QStringLiteral("ledger.csv"));
    if (file_name.isEmpty()) return;
    runs_->play_ledger(
        row,
        [this, file_name](const Replay& ledger) {
            if (!ledger.done) {
                status_->setText(QStringLiteral("Cancelled; nothing was written."));
                return;
            }
            save(file_name,
                 [&ledger](std::ostream& out) { write_ledger_csv(out, ledger.run.ledger); });
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
        write_run_table(out, runs_->settings(), runs_->chance().value_or(-1),
                        model_->reports_in_order());
    });
}

void BacktestTab::set_busy(bool busy) {
    for (QWidget* widget :
         std::initializer_list<QWidget*>{run_, run_all_, holdout_, from_table_, settings_})
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
        return;
    }
    // As text: a name with markup in it is shown, not obeyed.
    QMessageBox box(QMessageBox::Critical, window()->windowTitle(), shown, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace quorvel
