// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The lab window's wheel test and pool: the Session tab's "Wheel" section on
// every spin, the wheel test of a chosen file or of the files pooled in the
// Backtest tab, and "Pool the files". What the window shows is set against
// the lab's own figures, worked out here from the same spins.
#include <memory>
#include <stdexcept>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/lab/backtest_tab.hpp"
#include "app/lab/bankroll_chart.hpp"
#include "app/lab/lab_window.hpp"
#include "app/lab/run_table_model.hpp"
#include "app/lab/run_view.hpp"
#include "app/lab/session_tab.hpp"
#include "app/table/tform1.hpp"
#include "lab/chance.hpp"
#include "lab/figure_table.hpp"
#include "lab/grid.hpp"
#include "lab/lab_settings.hpp"
#include "lab/pool.hpp"
#include "lab/runner.hpp"
#include "lab/spin_file.hpp"
#include "lab/wheel_test.hpp"

using quorvel::TForm1;

namespace {

constexpr int kWorkTimeoutMs = 60000;

template <typename T = QWidget>
T* named(const QObject& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (found == nullptr) throw std::runtime_error("no widget named " + name.toStdString());
    return found;
}

// The rows of a wheel table as "test|chi2|df|p|came" lines.
QStringList shown_rows(const QTableWidget& table) {
    QStringList rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column)
            cells << table.item(row, column)->text();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList lab_rows(const quorvel::WheelTest& test) {
    QStringList rows;
    for (const quorvel::WheelRow& row : quorvel::wheel_rows(test)) {
        rows << QString::fromStdString(row.test + '|' + row.chi2 + '|' + row.df + '|' + row.p +
                                       '|' + row.came);
    }
    return rows;
}

// The verdict and the power line, as the view sets them under the table.
QString lab_words(const quorvel::WheelTest& test) {
    QStringList lines;
    for (const std::string& line : quorvel::wheel_verdict(test))
        lines << QString::fromStdString(line);
    lines << QString::fromStdString(quorvel::wheel_power_line(test));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

class LabWheelTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form_;
    QStringList errors_;
    QTemporaryDir folder_;

    static void click(TForm1& form, int number) {
        auto* button = named<QPushButton>(form, QStringLiteral("SpeedButton%1").arg(number));
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(!form.game().pause.Timer_Analyse);
    }

    quorvel::BacktestTab* open_backtest() {
        form_->open_lab();
        quorvel::LabWindow* lab = form_->lab_window();
        if (lab == nullptr || !QTest::qWaitForWindowExposed(lab)) return nullptr;
        lab->tabs()->setCurrentWidget(lab->backtest_tab());
        quorvel::BacktestTab* tab = lab->backtest_tab();
        tab->set_error_reporter([this](const QString& message) { errors_ << message; });
        tab->set_file_chooser([](const QString&, const QString&) -> QString {
            throw std::logic_error("the test did not choose a file");
        });
        return tab;
    }

    static void press(quorvel::BacktestTab& tab, const char* button) {
        QSignalSpy finished(&tab, &quorvel::BacktestTab::workFinished);
        QTest::mouseClick(named<QPushButton>(tab, QLatin1String(button)), Qt::LeftButton);
        QVERIFY(finished.wait(kWorkTimeoutMs));
    }

    QString write_spins(const QString& name, const std::vector<std::uint8_t>& spins) {
        QByteArray text;
        for (std::uint8_t spin : spins)
            text += QByteArray::number(spin) + '\n';
        const QString path = folder_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            throw std::runtime_error("cannot write the test file");
        return path;
    }

private slots:
    void init() {
        errors_.clear();
        form_ = std::make_unique<TForm1>();
        form_->set_error_reporter([this](const QString& message) { errors_ << message; });
        form_->game().random =
            quorvel::RandomSource([] { return std::int64_t{1'700'000'000}; }, {});
        form_->findChild<QTimer*>(QStringLiteral("Timer_Analyse"))->setInterval(0);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup() { form_.reset(); }

    // On every spin the section shows the lab's wheel test of the session's
    // spins so far, with what so few spins can find; an undo takes the
    // spin back from the test too.
    void the_session_wheel_follows_every_spin() {
        form_->open_lab();
        quorvel::LabWindow* lab = form_->lab_window();
        QVERIFY(lab != nullptr && QTest::qWaitForWindowExposed(lab));
        auto* table = named<QTableWidget>(*lab->session_tab(), QStringLiteral("WheelTable"));
        auto* words = named<QLabel>(*lab->session_tab(), QStringLiteral("WheelVerdict"));
        auto* note = named<QLabel>(*lab->session_tab(), QStringLiteral("WheelNote"));
        QVERIFY2(words->text().startsWith(QStringLiteral("No spins yet")),
                 qPrintable(words->text()));

        const std::vector<std::uint8_t> numbers{1, 1, 1, 2, 3, 1, 4, 5, 6, 1, 7, 8, 1, 0};
        std::vector<std::uint8_t> played;
        quorvel::WheelTest before;
        for (std::uint8_t number : numbers) {
            before =
                quorvel::wheel_test(played, quorvel::kDefaultLabSeed, quorvel::kLiveWheelDraws);
            click(*form_, number);
            played.push_back(number);
            const quorvel::WheelTest test =
                quorvel::wheel_test(played, quorvel::kDefaultLabSeed, quorvel::kLiveWheelDraws);
            QCOMPARE(shown_rows(*table), lab_rows(test));
            QCOMPARE(words->text(), lab_words(test));
            QCOMPARE(note->text(), QString::fromStdString(quorvel::wheel_draws_note(test)));
        }
        // Spins of the first dozen only, over and over: the dozens are found
        // uneven, and the power line says how little else so few spins find.
        QVERIFY2(words->text().contains(QStringLiteral("The dozens are uneven beyond chance")),
                 qPrintable(words->text()));
        QVERIFY2(words->text().contains(QStringLiteral("With 14 spins, this test finds 8 times in "
                                                       "10 a pocket that comes")),
                 qPrintable(words->text()));
        QVERIFY2(note->text().contains(QStringLiteral("1,000 fair files of 14 spins")),
                 qPrintable(note->text()));

        // The zero lost the bets on the table, so no bet reset withdraws the undo.
        QTest::mouseClick(named(*form_, QStringLiteral("Undo")), Qt::LeftButton);
        QTRY_COMPARE(shown_rows(*table), lab_rows(before));
        QCOMPARE(words->text(), lab_words(before));
    }

    // "Wheel test" tests the chosen file; with "Pool the files" on, all of
    // them together. A file rigged on the first dozen is called unfair.
    void the_backtest_tab_tests_the_wheel_of_a_file_or_of_the_pool() {
        std::vector<std::uint8_t> rigged = quorvel::session_spins(400, 4, 0);
        for (std::size_t i = 0; i < rigged.size(); i += 2) {
            if (rigged[i] != 0) rigged[i] = static_cast<std::uint8_t>(1 + rigged[i] % 12);
        }
        const std::vector<std::uint8_t> fair = quorvel::session_spins(150, 9, 0);
        const QString fair_file = write_spins(QStringLiteral("fair.txt"), fair);
        const QString rigged_file = write_spins(QStringLiteral("rigged.txt"), rigged);
        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        tab->add_files({fair_file, rigged_file});
        auto* list = named<QListWidget>(*tab, QStringLiteral("InputFiles"));
        list->setCurrentRow(1);
        press(*tab, "WheelTest");
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));
        QWidget* window = tab->wheel_window();
        QVERIFY(window != nullptr && window->isVisible());
        auto* table = named<QTableWidget>(*window, QStringLiteral("WheelTable"));
        auto* words = named<QLabel>(*window, QStringLiteral("WheelVerdict"));
        const quorvel::WheelTest alone = quorvel::wheel_test(rigged, quorvel::kDefaultLabSeed);
        QCOMPARE(shown_rows(*table), lab_rows(alone));
        QCOMPARE(words->text(), lab_words(alone));
        QVERIFY(!alone.wheel_fair);
        QVERIFY2(words->text().contains(QStringLiteral("The dozens are uneven beyond chance: D1 "
                                                       "came 258 times where 130 were expected")),
                 qPrintable(words->text()));
        QCOMPARE(named<QLabel>(*window, QStringLiteral("WheelTitle"))->text(),
                 rigged_file + QStringLiteral(": 400 spins"));

        named<QCheckBox>(*tab, QStringLiteral("PoolFiles"))->setChecked(true);
        press(*tab, "WheelTest");
        const std::vector<std::vector<std::uint8_t>> both{fair, rigged};
        const quorvel::WheelTest pool = quorvel::pooled_wheel_test(both, quorvel::kDefaultLabSeed);
        QCOMPARE(shown_rows(*table), lab_rows(pool));
        QCOMPARE(words->text(), lab_words(pool));
        QCOMPARE(named<QLabel>(*window, QStringLiteral("WheelTitle"))->text(),
                 QStringLiteral("2 files pooled: 550 spins (fair.txt and rigged.txt)"));

        // A refused file is named with its place, and the test shown stays.
        const QString bad = folder_.filePath(QStringLiteral("bad.txt"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1 2 00\n");
        file.close();
        tab->add_files({bad});
        press(*tab, "WheelTest");
        QCOMPARE(errors_.size(), 1);
        QVERIFY2(errors_.front().contains(bad + QStringLiteral(":1:5: '00'")),
                 qPrintable(errors_.front()));
        QCOMPARE(shown_rows(*table), lab_rows(pool));
    }

    // "Pool the files" plays each file as its own session and adds a row for
    // the pool: its sums are the files', its verdict speaks of the files,
    // and its chart runs through the files in turn against fair pools.
    void pool_the_files_adds_the_pool_with_its_own_verdict_and_chart() {
        const std::vector<std::uint8_t> first = quorvel::session_spins(120, 3, 0);
        const std::vector<std::uint8_t> second = quorvel::session_spins(80, 3, 1);
        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        tab->add_files({write_spins(QStringLiteral("a.txt"), first),
                        write_spins(QStringLiteral("b.txt"), second)});
        named<QCheckBox>(*tab, QStringLiteral("PoolFiles"))->setChecked(true);
        named<QSpinBox>(*tab, QStringLiteral("ChanceSessions"))->setValue(100);
        press(*tab, "Run");
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));
        const quorvel::RunTableModel& runs = tab->runs();
        QCOMPARE(runs.rowCount(), 3);
        int pool_row = -1;
        std::vector<quorvel::RunReport> files;
        for (int row = 0; row < runs.rowCount(); ++row) {
            if (runs.row(row).source == quorvel::RunRow::kPool) {
                pool_row = row;
            } else {
                files.push_back(runs.row(row).report);
            }
        }
        QVERIFY(pool_row >= 0);
        std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
            return a.figures.spins > b.figures.spins;  // a.txt holds more
        });
        const quorvel::RunReport& pool = runs.row(pool_row).report;
        QCOMPARE(pool.figures, quorvel::pooled_report(files).figures);
        QCOMPARE(pool.file, std::string("2 files pooled"));
        QVERIFY(pool.chance.has_value());
        QCOMPARE(pool.chance->files, std::size_t{2});

        auto* table = named<QTableView>(*tab, QStringLiteral("RunTable"));
        table->setCurrentIndex(runs.index(pool_row, 0));
        const QString verdict = named<QLabel>(*tab, QStringLiteral("RunVerdict"))->text();
        QVERIFY2(verdict.startsWith(QStringLiteral("2 files pooled: 200 spins, each file a "
                                                   "session of its own")),
                 qPrintable(verdict));
        QVERIFY2(verdict.contains(QStringLiteral("On 100 fair pools of 2 sessions")),
                 qPrintable(verdict));
        // The chart: the first file's bankroll, then the second's from the
        // first's final, each after its own start.
        quorvel::LabSettings settings = runs.row(pool_row).report.settings;
        quorvel::RunOptions options;
        options.keep_series = true;
        const quorvel::RunResult a = quorvel::run_spins(first, settings, options);
        const quorvel::RunResult b = quorvel::run_spins(second, settings, options);
        const std::int64_t start =
            quorvel::value_or_least(settings.CSpinEdit1, quorvel::kCSpinEdit1Range);
        auto* chart = tab->run_view()->chart();
        QCOMPARE(chart->bankroll_series()->count(), qsizetype(201));
        QCOMPARE(chart->bankroll_series()->at(0).y(), double(2 * start));
        QCOMPARE(chart->bankroll_series()->at(120).y(), double(a.bankroll_series.back() + start));
        QCOMPARE(chart->bankroll_series()->at(200).y(),
                 double(a.figures.final_bankroll + b.bankroll_series.back()));

        // A pool has no ledger of its own.
        tab->findChild<QAction*>(QStringLiteral("ExportLedger"))->trigger();
        QCOMPARE(errors_.size(), 1);
        QVERIFY2(errors_.front().contains(QStringLiteral("A pool has no ledger of its own")),
                 qPrintable(errors_.front()));

        // "Run all" pools each row of the grid; the verdict above the table
        // is the pool's, set against fair pools of the files' lengths.
        named<QSpinBox>(*tab, QStringLiteral("ChanceSessions"))->setValue(20);
        press(*tab, "RunAll");
        const int grid = static_cast<int>(quorvel::grid_size());
        QCOMPARE(runs.rowCount(), 3 * grid);
        int pooled = 0;
        for (int row = 0; row < runs.rowCount(); ++row)
            pooled += runs.row(row).source == quorvel::RunRow::kPool ? 1 : 0;
        QCOMPARE(pooled, grid);
        const QString verdict_above = named<QLabel>(*tab, QStringLiteral("GridVerdict"))->text();
        QVERIFY2(verdict_above.startsWith(QStringLiteral("Counting all %1 tries").arg(grid)),
                 qPrintable(verdict_above));
        QVERIFY2(verdict_above.contains(QStringLiteral("on 20 fair pools of 2 sessions")),
                 qPrintable(verdict_above));
        // A pooled row of the grid shows its figures and the pool's verdict,
        // with the files' runs of the same settings added up.
        int chosen = -1;
        for (int row = 0; row < runs.rowCount() && chosen < 0; ++row) {
            if (runs.row(row).source == quorvel::RunRow::kPool &&
                runs.row(row).report.settings.GameModes != settings.GameModes)
                chosen = row;
        }
        QVERIFY(chosen >= 0);
        table->setCurrentIndex(runs.index(chosen, 0));
        QTRY_VERIFY(named<QLabel>(*tab, QStringLiteral("RunVerdict"))
                        ->text()
                        .startsWith(QStringLiteral("2 files pooled: 200 spins")));
        std::vector<quorvel::RunReport> row_files;
        for (int row = 0; row < runs.rowCount(); ++row) {
            if (runs.row(row).source != quorvel::RunRow::kPool &&
                runs.row(row).report.settings == runs.row(chosen).report.settings)
                row_files.push_back(runs.row(row).report);
        }
        QCOMPARE(row_files.size(), std::size_t{2});
        QCOMPARE(runs.row(chosen).report.figures, quorvel::pooled_report(row_files).figures);
        QCOMPARE(named<QLabel>(*tab, QStringLiteral("Figure_final_bankroll"))->text(),
                 QString::fromStdString(
                     quorvel::grouped(runs.row(chosen).report.figures.final_bankroll)));
    }
};

QTEST_MAIN(LabWheelTest)
#include "lab_wheel_test.moc"
