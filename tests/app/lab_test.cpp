// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Loading spin files into the live game, the window's keys and its context
// menu, and the lab window. Clicks go through the real buttons; the analysis
// pause runs on its own timer, made to tick without delay.
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include <QAction>
#include <QApplication>
#include <QAreaSeries>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
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
#include "app/lab/finals_histogram.hpp"
#include "app/lab/lab_settings_form.hpp"
#include "app/lab/lab_window.hpp"
#include "app/lab/run_table_model.hpp"
#include "app/lab/run_view.hpp"
#include "app/lab/session_tab.hpp"
#include "app/table/tform1.hpp"
#include "app/widgets/background_task.hpp"
#include "lab/chance.hpp"
#include "lab/figure_table.hpp"
#include "lab/grid.hpp"
#include "lab/lab_csv.hpp"
#include "lab/lab_settings.hpp"
#include "lab/random_spins.hpp"
#include "lab/run_report.hpp"
#include "lab/runner.hpp"
#include "lab/spin_file.hpp"
#include "lab/verdict.hpp"

using quorvel::Game;
using quorvel::TForm1;

namespace {

constexpr int kLoadTimeoutMs = 60000;

// The shared data beside the checkout, or where QUORVEL_REAL_SPINS says.
QString real_spins_folder() {
    const QString given = qEnvironmentVariable("QUORVEL_REAL_SPINS");
    return given.isEmpty() ? QString::fromLocal8Bit(QUORVEL_REAL_SPINS) : given;
}

// Every visible thing the table shows of the game.
struct TableView {
    QStringList history;
    QString bankroll;
    QString max_bank;
    QStringList chips;
    QString bet_size;
    bool undo = false;

    bool operator==(const TableView&) const = default;
};

char* describe(const TableView& view) {
    return QTest::toString(QStringLiteral("history %1 | %2 | %3 | chips %4 of %5 | undo %6")
                               .arg(view.history.join(QLatin1Char(' ')), view.bankroll,
                                    view.max_bank, view.chips.join(QLatin1Char(' ')), view.bet_size,
                                    view.undo ? "on" : "off"));
}

}  // namespace

namespace QTest {
template <>
char* toString(const TableView& view) {
    return describe(view);
}
}  // namespace QTest

class LabTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form_;
    QStringList errors_;
    QStringList notices_;  // what was loaded, said after each load
    QTemporaryDir folder_;

    std::unique_ptr<TForm1> make_form() {
        auto form = std::make_unique<TForm1>();
        form->set_error_reporter([this](const QString& message) { errors_ << message; });
        form->set_notice_reporter([this](const QString& message) { notices_ << message; });
        // A file loaded into a session with spins adds its numbers to it.
        form->set_load_question([](const QString&, const QString&, const QString&) {
            return quorvel::SpinLoading::Choice::Add;
        });
        form->set_export_file_chooser([] {
            throw std::logic_error("the test did not choose a file");
            return QString();
        });
        // Every predictor draws the same values in a test, whatever the time.
        form->game().random = quorvel::RandomSource([] { return std::int64_t{1'700'000'000}; }, {});
        form->findChild<QTimer*>(QStringLiteral("Timer_Analyse"))->setInterval(0);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get())) throw std::runtime_error("not shown");
        return form;
    }

    static TableView view_of(const TForm1& form) {
        TableView view;
        for (int k = 1; k <= 12; ++k)
            view.history << named<QLabel>(form, QStringLiteral("HisNum%1").arg(k))->text();
        view.bankroll = named<QLabel>(form, QStringLiteral("Caption_Bankroll"))->text();
        view.max_bank = named<QLabel>(form, QStringLiteral("Caption_MaxProfit"))->text();
        for (const char* sector : {"D1", "D2", "D3", "C1", "C2", "C3"}) {
            if (named(form, QStringLiteral("Chip_%1").arg(QLatin1String(sector)))->isVisible())
                view.chips << QLatin1String(sector);
        }
        view.bet_size = named<QLabel>(form, QStringLiteral("BetSize_D1"))->text();
        view.undo = named(form, QStringLiteral("Undo"))->isVisible();
        return view;
    }

    // Clicks the number's cell and lets its pause run out.
    static void click(TForm1& form, int number) {
        auto* button = named<QPushButton>(form, QStringLiteral("SpeedButton%1").arg(number));
        QVERIFY2(button->isVisible(), qPrintable(button->objectName() + " is not clickable"));
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(!form.game().pause.Timer_Analyse);
    }

    static void load(TForm1& form, const QString& file_name) {
        QSignalSpy finished(&form, &TForm1::loadFinished);
        form.load_spins(file_name);
        QVERIFY(finished.wait(kLoadTimeoutMs));
        QVERIFY(!form.loading());
        QVERIFY(form.isEnabled());
    }

    // A new window that has loaded the file.
    std::unique_ptr<TForm1> form_that_loaded(const QString& file_name) {
        auto form = make_form();
        load(*form, file_name);
        return form;
    }

    // The lab window's Backtest tab, with its dialogs replaced.
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

    // The tab plays that many random spins.
    static void choose_random_spins(quorvel::BacktestTab& tab, int count) {
        named<QRadioButton>(tab, QStringLiteral("FromRandom"))->setChecked(true);
        named<QSpinBox>(tab, QStringLiteral("RandomCount"))->setValue(count);
    }

    static void press(quorvel::BacktestTab& tab, const char* button) {
        QSignalSpy finished(&tab, &quorvel::BacktestTab::workFinished);
        QTest::mouseClick(named<QPushButton>(tab, QLatin1String(button)), Qt::LeftButton);
        QVERIFY(finished.wait(kLoadTimeoutMs));
    }

    template <typename T = QWidget>
    static T* named(const QWidget& parent, const QString& name) {
        T* found = parent.findChild<T*>(name);
        if (found == nullptr) throw std::runtime_error("no widget named " + name.toStdString());
        return found;
    }

    QString write_file(const QString& name, const QByteArray& bytes) {
        const QString path = folder_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            throw std::runtime_error("cannot write the test file");
        return path;
    }

private slots:
    void init() {
        errors_.clear();
        notices_.clear();
        form_ = make_form();
    }

    void cleanup() { form_.reset(); }

    void loading_a_real_file_shows_what_clicking_its_numbers_shows() {
        const QString file_name =
            QDir(real_spins_folder()).filePath(QStringLiteral("DC 24 Jan, IR302 part 1 (34).txt"));
        if (!QFile::exists(file_name)) QSKIP("the real spin files are not here");
        const quorvel::SpinFile spins = quorvel::read_spin_file(file_name.toStdString());
        QVERIFY(spins.ok());
        QVERIFY(spins.spins.size() > 20);

        for (const std::uint8_t number : spins.spins) {
            click(*form_, number);
            if (QTest::currentTestFailed()) return;
        }
        const auto loaded = form_that_loaded(file_name);
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));

        QCOMPARE(view_of(*loaded), view_of(*form_));
        QCOMPARE(loaded->game().NumbersList, form_->game().NumbersList);
        QCOMPARE(loaded->game().Bankroll, form_->game().Bankroll);
        QVERIFY(view_of(*loaded).undo);
        // The undo takes back the file's last number, as it would a click.
        QTest::mouseClick(named(*loaded, QStringLiteral("Undo")), Qt::LeftButton);
        QCOMPARE(loaded->game().NumbersList.size(), spins.spins.size() - 1);
        QVERIFY(
            !named(*loaded, QStringLiteral("SpeedButton%1").arg(spins.spins.back()))->isVisible());
    }

    void a_long_file_loads_while_the_window_stays_responsive() {
        const QString file_name =
            QDir(real_spins_folder()).filePath(QStringLiteral("playtech_live_1 (707492).txt"));
        if (!QFile::exists(file_name)) QSKIP("the real spin files are not here");
        QSignalSpy finished(form_.get(), &TForm1::loadFinished);
        int turns = 0;
        QTimer turn;
        turn.setInterval(1);
        connect(&turn, &QTimer::timeout, this, [&turns] { ++turns; });
        turn.start();
        form_->load_spins(file_name);
        QVERIFY(form_->loading());
        // The table takes no click while the spins are played.
        QVERIFY(!form_->isEnabled());
        // Its progress bar shows once the load takes a moment.
        QVERIFY(form_->findChild<QProgressDialog*>(QStringLiteral("LoadProgress")) != nullptr);
        QVERIFY(finished.wait(kLoadTimeoutMs));
        turn.stop();
        QVERIFY2(turns > 5, qPrintable(QString::number(turns)));
        QCOMPARE(form_->game().NumbersList.size(), std::size_t{707492});
        QVERIFY(named(*form_, QStringLiteral("Undo"))->isVisible());
        QCOMPARE(form_->session_log().spins(), std::size_t{707492});
    }

    // A number still in its analysis pause when the load starts is finished
    // first, as its timer would have finished it before the next click.
    void a_load_during_the_analysis_pause_comes_out_as_clicks() {
        const QString file_name = write_file("rest.txt", "17 0 32 9 21 8 30 1 14 26\n");
        for (int number : {5, 23, 11, 2, 28})
            click(*form_, number);
        form_->findChild<QTimer*>(QStringLiteral("Timer_Analyse"))->setInterval(60'000);
        QTest::mouseClick(named<QPushButton>(*form_, QStringLiteral("SpeedButton36")),
                          Qt::LeftButton);
        QVERIFY(form_->game().pause.Timer_Analyse);
        load(*form_, file_name);
        QVERIFY(!form_->game().pause.Timer_Analyse);

        const std::unique_ptr<TForm1> clicked = make_form();
        for (int number : {5, 23, 11, 2, 28, 36, 17, 0, 32, 9, 21, 8, 30, 1, 14, 26})
            click(*clicked, number);
        QCOMPARE(view_of(*form_), view_of(*clicked));
    }

    void a_refused_file_names_its_place_and_leaves_the_game_untouched() {
        for (int number : {5, 17, 0, 32, 9, 21})
            click(*form_, number);
        const TableView before = view_of(*form_);
        const auto numbers = form_->game().NumbersList;
        const std::int64_t bankroll = form_->game().Bankroll;

        const QString file_name = write_file("bad.txt", "7, 8\n12, 3x, 4\n");
        load(*form_, file_name);
        QCOMPARE(errors_.size(), 1);
        QVERIFY2(errors_.front().contains(QDir::toNativeSeparators(file_name) +
                                          QStringLiteral(":2:5: '3x'")),
                 qPrintable(errors_.front()));
        QCOMPARE(view_of(*form_), before);
        QCOMPARE(form_->game().NumbersList, numbers);
        QCOMPARE(form_->game().Bankroll, bankroll);

        errors_.clear();
        load(*form_, write_file("empty.txt", "\n \n"));
        QCOMPARE(errors_.size(), 1);
        QVERIFY2(errors_.front().contains(QStringLiteral("no spins")), qPrintable(errors_.front()));
        load(*form_, folder_.filePath(QStringLiteral("missing.txt")));
        QCOMPARE(errors_.size(), 2);
        QCOMPARE(view_of(*form_), before);
        QCOMPARE(form_->game().NumbersList, numbers);
    }

    void a_saved_history_loads_back_to_the_same_game() {
        for (int number : {1, 2, 3, 34, 35, 36, 0, 13, 14, 15, 25, 26, 27, 7})
            click(*form_, number);
        const QString file_name = folder_.filePath(QStringLiteral("history.txt"));
        form_->set_export_file_chooser([file_name] { return file_name; });
        QTest::keyClick(form_.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QFile::exists(file_name));

        const auto restarted = form_that_loaded(file_name);
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));
        QCOMPARE(view_of(*restarted), view_of(*form_));
        QCOMPARE(restarted->game().NumbersList, form_->game().NumbersList);
        QCOMPARE(restarted->game().Max_Bank, form_->game().Max_Bank);
        // Play goes on from there.
        click(*restarted, 19);
        click(*form_, 19);
        QCOMPARE(view_of(*restarted), view_of(*form_));
    }

    void a_file_dropped_on_the_table_loads_and_two_files_are_turned_away() {
        const QString file_name = write_file("dropped.txt", "3;6;9\r\n12,15\n");
        QMimeData one;
        one.setUrls({QUrl::fromLocalFile(file_name)});
        QMimeData two;
        two.setUrls({QUrl::fromLocalFile(file_name), QUrl::fromLocalFile(file_name)});
        const QPoint on_table(300, 60);

        QDragEnterEvent refused(on_table, Qt::CopyAction, &two, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form_.get(), &refused);
        QVERIFY(!refused.isAccepted());

        QDragEnterEvent enter(on_table, Qt::CopyAction, &one, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form_.get(), &enter);
        QVERIFY(enter.isAccepted());
        QSignalSpy finished(form_.get(), &TForm1::loadFinished);
        QDropEvent drop(on_table, Qt::CopyAction, &one, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form_.get(), &drop);
        QVERIFY(finished.wait(kLoadTimeoutMs));
        QCOMPARE(form_->game().NumbersList, (std::vector<std::uint8_t>{3, 6, 9, 12, 15}));
        QCOMPARE(named<QLabel>(*form_, QStringLiteral("HisNum1"))->text(), QStringLiteral("15"));

        // Ctrl+O asks for a file and plays it after what is there.
        form_->set_load_file_chooser([file_name] { return file_name; });
        QTest::keyClick(form_.get(), Qt::Key_O, Qt::ControlModifier);
        QVERIFY(finished.wait(kLoadTimeoutMs));
        QCOMPARE(form_->game().NumbersList.size(), std::size_t{10});
    }

    void the_undo_key_undoes_only_what_the_button_offers_and_leaves_the_focus_sink_alone() {
        auto* sink = named<QSpinBox>(*form_, QStringLiteral("FocusCatch"));
        QTest::keyClick(form_.get(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(form_->game().NumbersList.empty());

        for (int number : {4, 8})
            click(*form_, number);
        QVERIFY(named(*form_, QStringLiteral("Undo"))->isVisible());
        QVERIFY(sink->hasFocus());
        const int sink_value = sink->value();
        QTest::keyClick(sink, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form_->game().NumbersList, std::vector<std::uint8_t>{4});
        QCOMPARE(sink->value(), sink_value);
        QVERIFY(!named(*form_, QStringLiteral("Undo"))->isVisible());
        // Not offered now: the key does nothing.
        QTest::keyClick(sink, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form_->game().NumbersList, std::vector<std::uint8_t>{4});
    }

    void a_right_click_on_the_header_or_the_table_opens_the_menu() {
        for (const QPoint& point : {QPoint(80, 20), QPoint(20, 60), QPoint(57, 128)}) {
            QStringList texts;
            QTimer::singleShot(0, this, [&texts] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                if (menu == nullptr) return;
                for (QAction* action : menu->actions())
                    texts << action->text();
                menu->close();
            });
            QWidget* target = form_->childAt(point);
            QVERIFY(target != nullptr);
            QContextMenuEvent event(QContextMenuEvent::Mouse, target->mapFrom(form_.get(), point),
                                    form_->mapToGlobal(point));
            QApplication::sendEvent(target, &event);
            QVERIFY2(texts.contains(QStringLiteral("Load spins…")), qPrintable(texts.join('|')));
            QVERIFY(texts.contains(QStringLiteral("Lab…")));
        }
        QVERIFY(form_->game().NumbersList.empty());
    }

    void the_lab_key_brings_back_the_one_lab_window() {
        form_->open_lab();
        quorvel::LabWindow* lab = form_->lab_window();
        QVERIFY(lab != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(lab));
        lab->showMaximized();
        lab->showMinimized();
        QVERIFY(lab->isMinimized());
        form_->open_lab();
        QCOMPARE(form_->lab_window(), lab);
        QVERIFY(!lab->isMinimized());
        QVERIFY(lab->isMaximized());
        // Closed, it is only hidden: the same window, with its work, comes back.
        lab->close();
        QVERIFY(!lab->isVisible());
        form_->open_lab();
        QCOMPARE(form_->lab_window(), lab);
        QVERIFY(lab->isVisible());
    }

    void the_session_tab_shows_sleeps_and_hits_after_each_spin() {
        QTest::keyClick(form_.get(), Qt::Key_L, Qt::ControlModifier);
        quorvel::LabWindow* lab = form_->lab_window();
        QVERIFY(lab != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(lab));
        QCOMPARE(lab->windowTitle(), QStringLiteral("Quorvel Lab"));
        QVERIFY(!lab->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(lab->tabs()->tabText(0), QStringLiteral("Session"));
        auto* table = lab->findChild<QTableWidget*>(QStringLiteral("SectorTable"));
        QVERIFY(table != nullptr);
        auto* chart = lab->findChild<quorvel::BankrollChart*>(QStringLiteral("SessionChart"));
        QVERIFY(chart != nullptr);

        // 1: D1 C1, 14: D2 C2, 0: nothing, 36: D3 C3, 2: D1 C2; rows D1 ... C3,
        // columns sleep, hits in the last 37, %, hits in the session, %.
        for (int number : {1, 14, 0, 36, 2})
            click(*form_, number);
        const QStringList expected{"0 2 40.0% 2 40.0%", "3 1 20.0% 1 20.0%", "1 1 20.0% 1 20.0%",
                                   "4 1 20.0% 1 20.0%", "0 2 40.0% 2 40.0%", "1 1 20.0% 1 20.0%"};
        for (int row = 0; row < 6; ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column)
                cells << table->item(row, column)->text();
            QCOMPARE(cells.join(' '), expected[row]);
        }
        QCOMPARE(chart->bankroll_series()->count(), 6);
        QCOMPARE(chart->bankroll_series()->at(5).y(), double(form_->game().Bankroll));

        // An undo takes the last spin back from the tab as well. The zero
        // loses the bet on the table, so no bet reset withdraws the undo.
        click(*form_, 0);
        QCOMPARE(chart->bankroll_series()->count(), 7);
        QVERIFY(named(*form_, QStringLiteral("Undo"))->isVisible());
        QTest::mouseClick(named(*form_, QStringLiteral("Undo")), Qt::LeftButton);
        QCOMPARE(chart->bankroll_series()->count(), 6);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("0"));
    }

    // Counts and amounts of four digits and more read with their thousands
    // grouped, in the Session tab as in the Backtest tab beside it; only
    // the seed, a name rather than an amount, is left whole.
    void every_count_and_amount_of_the_lab_has_its_thousands_grouped() {
        QByteArray numbers;
        for (int i = 0; i < 4000; ++i)
            numbers += QByteArray::number((i * 7 + i / 37) % 37) + '\n';
        load(*form_, write_file("long.txt", numbers));
        form_->open_lab();
        quorvel::LabWindow* lab = form_->lab_window();
        QVERIFY(lab != nullptr && QTest::qWaitForWindowExposed(lab));
        const QRegularExpression ungrouped(QStringLiteral("(?<![\\d.,])(?<!seed )\\d{4,}"));
        const auto check = [&ungrouped](const QString& where, const QString& text) {
            QVERIFY2(!ungrouped.match(text).hasMatch(), qPrintable(where + ": " + text));
        };
        const QString summary = named<QLabel>(*lab, QStringLiteral("SessionSummary"))->text();
        QVERIFY2(summary.startsWith(QStringLiteral("Spins: 4,000.")), qPrintable(summary));
        auto* table = named<QTableWidget>(*lab, QStringLiteral("SectorTable"));
        int thousands = 0;
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < table->columnCount(); ++column) {
                const QString text = table->item(row, column)->text();
                check(QStringLiteral("SectorTable"), text);
                thousands += text.contains(QLatin1Char(',')) ? 1 : 0;
            }
        }
        QVERIFY(thousands > 0);  // some sector came a thousand times and more
        for (const QLabel* label : lab->findChildren<QLabel*>()) {
            if (label->isVisibleTo(lab)) check(label->objectName(), label->text());
        }

        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        choose_random_spins(*tab, 2500);
        named<QSpinBox>(*tab, QStringLiteral("ChanceSessions"))->setValue(0);
        press(*tab, "Run");
        QCOMPARE(tab->runs().rowCount(), 1);
        for (const QLabel* label : tab->findChildren<QLabel*>()) {
            if (label->isVisibleTo(tab)) check(label->objectName(), label->text());
        }
        for (const QSpinBox* field : tab->findChildren<QSpinBox*>()) {
            if (field->objectName() != QStringLiteral("RandomSeed"))
                check(field->objectName(), field->text());
        }
        QCOMPARE(named<QLabel>(*tab, QStringLiteral("Figure_spins"))->text(),
                 QStringLiteral("2,500"));
    }

    // The session's hit rate is counted as a lab run counts it: the same
    // numbers through the runner must give the same line, on every spin.
    void the_session_tab_sets_the_live_hit_rate_against_chance() {
        form_->open_lab();
        quorvel::LabWindow* lab = form_->lab_window();
        QVERIFY(lab != nullptr && QTest::qWaitForWindowExposed(lab));
        auto* verdict = named<QLabel>(*lab, QStringLiteral("SessionVerdict"));
        QVERIFY2(verdict->text().contains(QStringLiteral("no predictions")),
                 qPrintable(verdict->text()));

        const std::vector<std::uint8_t> numbers{5,  17, 0,  32, 9,  21, 8,  30, 1,  14, 26, 2,
                                                12, 35, 3,  28, 7,  29, 18, 22, 19, 4,  21, 2,
                                                25, 17, 34, 6,  27, 13, 36, 11, 30, 8,  23, 10};
        quorvel::LabSettings settings = quorvel::settings_of(form_->game());
        settings.seed = 1'700'000'000;
        settings.seconds_per_spin = 0;
        int checked = 0;
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            click(*form_, numbers[i]);
            const std::span<const std::uint8_t> played(numbers.data(), i + 1);
            const quorvel::RunReport run =
                quorvel::report_of({}, settings, quorvel::run_spins(played, settings).figures);
            if (!run.hit.any()) continue;
            ++checked;
            const QString line = QString::fromStdString(quorvel::run_verdict(run).front());
            QVERIFY2(verdict->text().startsWith(line),
                     qPrintable(verdict->text() + QStringLiteral(" | ") + line));
            QCOMPARE(named<QLabel>(*lab, QStringLiteral("Figure_hit_rate"))->text(),
                     QString::fromStdString(
                         quorvel::shown_figure(quorvel::figure_named("hit_rate"), run)));
        }
        QVERIFY(checked > 10);
        QVERIFY(verdict->text().contains(QStringLiteral("chance alone hits 32.4 %")));
        QVERIFY(verdict->text().contains(QStringLiteral("did not beat chance (p = ")));
    }

    void the_backtest_tab_runs_a_real_file_and_shows_the_labs_figures() {
        const QString file_name =
            QDir(real_spins_folder())
                .filePath(QStringLiteral("Genting 1 May 26 a autom (594).txt"));
        if (!QFile::exists(file_name)) QSKIP("the real spin files are not here");
        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        tab->add_files({file_name});
        // A setting changed here stays the lab's own.
        named<QComboBox>(*tab, QStringLiteral("LabSafe_Level"))->setCurrentIndex(1);
        press(*tab, "Run");
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));
        QCOMPARE(form_->game().params.Safe_Level, 0);

        quorvel::LabSettings settings = quorvel::settings_of(form_->game());
        settings.Safe_Level = 1;
        const quorvel::SpinFile spins = quorvel::read_spin_file(file_name.toStdString());
        quorvel::RunOptions options;
        options.keep_series = true;
        const quorvel::RunResult expected = quorvel::run_spins(spins.spins, settings, options);
        QVERIFY(expected.figures.bets > 0);
        // Each figure as the lab's figure table writes it for a reader.
        const quorvel::RunReport run{{}, settings, expected.figures};
        for (const char* key : {"spins", "bets", "wins", "losses", "virtual_bets", "wagered",
                                "paid", "net", "final_bankroll", "max_drawdown", "expected_loss"}) {
            const QString shown =
                QString::fromStdString(quorvel::shown_figure(quorvel::figure_named(key), run));
            QCOMPARE(named<QLabel>(*tab, QStringLiteral("Figure_") + QLatin1String(key))->text(),
                     shown);
        }
        // Net is paid less wagered, signed as a gain or a loss.
        const std::int64_t net = expected.figures.paid - expected.figures.wagered;
        QCOMPARE(named<QLabel>(*tab, QStringLiteral("Figure_net"))->text(),
                 QString::fromStdString((net > 0 ? "+" : "") + quorvel::grouped(net)));
        QCOMPARE(tab->runs().rowCount(), 1);
        auto* chart = named<quorvel::BankrollChart>(*tab, QStringLiteral("BacktestChart"));
        QCOMPARE(chart->bankroll_series()->count(), qsizetype(expected.bankroll_series.size()));
        QCOMPARE(chart->bankroll_series()->at(chart->bankroll_series()->count() - 1).y(),
                 double(expected.bankroll_series.back()));
    }

    void the_grid_is_a_sortable_table_whose_rows_chart_their_run_and_export() {
        const QString file_name = write_file("short.txt",
                                             "1 14 0 36 2 9 23 17 5 31 12 8 27 3 "
                                             "19 22 35 6 11 0 28 15 4 33 20\n");
        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        tab->add_files({file_name});
        press(*tab, "RunAll");
        const int grid = static_cast<int>(quorvel::grid_size());
        const quorvel::RunTableModel& runs = tab->runs();
        QCOMPARE(runs.rowCount(), grid);
        const int final_column = quorvel::RunTableModel::column_of("final_bankroll");
        const auto number = [&runs](int row, int column) {
            return runs.data(runs.index(row, column), quorvel::RunTableModel::SortRole).toDouble();
        };
        // Best final bankroll first, and every row carries its hit rate test.
        for (int row = 1; row < grid; ++row)
            QVERIFY(number(row - 1, final_column) >= number(row, final_column));
        const int p_column = quorvel::RunTableModel::column_of("hit_rate_p");
        QVERIFY(p_column > 0 && quorvel::RunTableModel::column_of("hit_rate") > 0);
        QCOMPARE(runs.headerData(p_column, Qt::Horizontal).toString(),
                 QStringLiteral("Chance does as well (p)"));
        // Each row's p after the step-down over the fair grids, beside its own.
        const int adjusted_column = quorvel::RunTableModel::column_of("adjusted_p");
        QCOMPARE(adjusted_column, p_column + 1);
        QCOMPARE(runs.headerData(adjusted_column, Qt::Horizontal).toString(),
                 QStringLiteral("Adjusted p"));
        for (int row = 0; row < grid; ++row) {
            if (runs.row(row).report.hit.any()) QVERIFY(number(row, adjusted_column) >= 1.0 / 1001);
        }
        // The verdict counts every try and sets each row against its own fair sessions.
        const QString verdict = named<QLabel>(*tab, QStringLiteral("GridVerdict"))->text();
        QVERIFY2(verdict.contains(QStringLiteral("Counting all %1 tries").arg(grid)),
                 qPrintable(verdict));
        QVERIFY2(verdict.contains(QStringLiteral("step-down min-p over 1,000 fair grids")),
                 qPrintable(verdict));
        QVERIFY2(verdict.contains(QStringLiteral("Each row against its own 100 fair sessions")),
                 qPrintable(verdict));

        // A click on a run plays it again for its chart, with its own fair sessions.
        auto* table = named<QTableView>(*tab, QStringLiteral("RunTable"));
        QSignalSpy charted(tab, &quorvel::BacktestTab::workFinished);
        table->setCurrentIndex(runs.index(75, 0));
        QVERIFY(charted.wait(kLoadTimeoutMs));
        const quorvel::RunReport chosen = runs.row(75).report;
        const quorvel::SpinFile spins = quorvel::read_spin_file(file_name.toStdString());
        quorvel::RunOptions options;
        options.keep_series = true;
        const quorvel::RunResult run = quorvel::run_spins(spins.spins, chosen.settings, options);
        auto* chart = tab->run_view()->chart();
        QCOMPARE(chart->bankroll_series()->count(), 26);
        QCOMPARE(chart->bankroll_series()->at(25).y(), double(run.bankroll_series.back()));
        QCOMPARE(named<QLabel>(*tab, QStringLiteral("Figure_final_bankroll"))->text(),
                 QString::fromStdString(quorvel::grouped(run.figures.final_bankroll)));
        QVERIFY(chosen.chance.has_value());
        QCOMPARE(chosen.chance->sessions, std::int64_t{1000});
        QCOMPARE(chart->median_series()->count(), 26);

        // Sorted by the p-value, never-ran-out first, the table goes out as CSV
        // in that order, under the settings and the seed it was played with.
        table->sortByColumn(p_column, Qt::AscendingOrder);
        named<QCheckBox>(*tab, QStringLiteral("SolventFirst"))->setChecked(true);
        for (int row = 1; row < grid; ++row) {
            const bool out_before = runs.row(row - 1).report.figures.ran_out_at != 0;
            const bool out_here = runs.row(row).report.figures.ran_out_at != 0;
            QVERIFY(!out_before || out_here);
            if (out_before == out_here) QVERIFY(number(row - 1, p_column) <= number(row, p_column));
        }
        // The chosen run is still the one shown and chosen, wherever it went.
        QCOMPARE(runs.row(table->currentIndex().row()).report.settings, chosen.settings);

        const QString csv = folder_.filePath(QStringLiteral("runs.csv"));
        tab->set_file_chooser([csv](const QString&, const QString&) { return csv; });
        tab->findChild<QAction*>(QStringLiteral("ExportRuns"))->trigger();
        QFile written(csv);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(written.readAll()).split('\n');
        QCOMPARE(lines.size(), 3 + 1 + grid + 1);
        QVERIFY2(lines[0].startsWith(QStringLiteral("# Quorvel Lab: %1 runs").arg(grid)),
                 qPrintable(lines[0]));
        QVERIFY2(lines[1].contains(QStringLiteral("mode=DEEP SCAN 4.1")), qPrintable(lines[1]));
        QVERIFY2(lines[2].startsWith(QStringLiteral("# seed: 1767225600 ")), qPrintable(lines[2]));
        QVERIFY(lines[3].startsWith(QStringLiteral("file,mode,type,sectors,system,")));
        for (int row = 0; row < grid; ++row) {
            const quorvel::LabSettings& settings = runs.row(row).report.settings;
            const QString settings_text =
                QStringLiteral(",%1,%2,%3,%4,")
                    .arg(QLatin1String(quorvel::text_of(settings.GameModes).data()),
                         QLatin1String(quorvel::text_of(settings.BettingType).data()),
                         QLatin1String(quorvel::text_of(settings.BettingSectors).data()),
                         QLatin1String(quorvel::text_of(settings.BettingSystem).data()));
            QVERIFY2(lines[4 + row].contains(settings_text), qPrintable(lines[4 + row]));
        }

        // A failed write says so.
        tab->set_file_chooser([this](const QString&, const QString&) { return folder_.path(); });
        tab->findChild<QAction*>(QStringLiteral("ExportRuns"))->trigger();
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_.front().contains(QDir::toNativeSeparators(folder_.path())));
    }

    // The run's chart and histogram show the fair sessions of its own
    // settings and seed: worked out here on their own, they must match.
    void a_run_is_drawn_against_its_fair_sessions() {
        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        choose_random_spins(*tab, 3'000);
        // The command line's seed, unless the player changes it.
        QCOMPARE(named<QSpinBox>(*tab, QStringLiteral("RandomSeed"))->value(),
                 int(quorvel::kDefaultLabSeed));
        press(*tab, "Run");
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));

        // The table's settings, with the lab's own rule when the money runs out.
        quorvel::LabSettings settings = quorvel::settings_of(form_->game());
        QCOMPARE(settings.at_ruin, quorvel::AtRuinRule::PlayOn);
        settings.at_ruin = quorvel::AtRuinRule::Stop;
        const std::vector<std::uint8_t> spins =
            quorvel::random_spins(3'000, static_cast<std::uint64_t>(quorvel::kDefaultLabSeed));
        const quorvel::RunResult run = quorvel::run_spins(spins, settings);
        const std::optional<quorvel::ChanceComparison> chance =
            quorvel::compare_with_chance(spins.size(), settings, 1000, run.figures.final_bankroll);
        QVERIFY(chance.has_value());

        quorvel::BankrollChart* chart = tab->run_view()->chart();
        const std::pair<QLineSeries*, std::size_t> bands[] = {
            {chart->outer_band()->lowerSeries(), 0},
            {chart->inner_band()->lowerSeries(), 1},
            {chart->median_series(), 2},
            {chart->inner_band()->upperSeries(), 3},
            {chart->outer_band()->upperSeries(), 4}};
        for (const auto& [series, band] : bands) {
            QCOMPARE(series->count(), qsizetype(chance->bands.spins.size()));
            for (int j : {0, int(series->count()) / 2, int(series->count()) - 1}) {
                QCOMPARE(series->at(j).x(), double(chance->bands.spins[std::size_t(j)]));
                QCOMPARE(series->at(j).y(), chance->bands.bands[band][std::size_t(j)]);
            }
        }
        // The run's own curve stays in front of the fan.
        const QList<QAbstractSeries*> drawn = chart->chart()->series();
        QVERIFY(drawn.indexOf(chart->bankroll_series()) > drawn.indexOf(chart->outer_band()));

        // Every session falls in a bar, those that ran out in a bar of their
        // own, and the mark stands where the run ended.
        quorvel::FinalsHistogram* histogram = tab->run_view()->histogram();
        const auto ruined = std::int64_t(chance->finals.size() - chance->solvent_finals.size());
        QVERIFY(ruined > 0);
        QCOMPARE(std::int64_t(std::llround(chance->ran_out * 1000)), ruined);
        QCOMPARE(histogram->ruin_bar()->upperSeries()->at(1).y(), double(ruined));
        const quorvel::ChartBins& bars = histogram->histogram();
        std::int64_t sessions = 0;
        std::int64_t at_or_above = 0;
        for (std::size_t i = 0; i < bars.counts.size(); ++i) {
            sessions += bars.counts[i];
            if (bars.low + std::int64_t(i) * bars.width >= run.figures.final_bankroll)
                at_or_above += bars.counts[i];
        }
        QCOMPARE(sessions + ruined, std::int64_t{1000});
        QVERIFY(double(at_or_above) / 1000.0 <= chance->as_good + 0.025);
        QCOMPARE(histogram->run_mark()->at(0).x(), double(run.figures.final_bankroll));

        // The verdict beside the figures, with thousands grouped as on the
        // command line.
        const QString verdict = named<QLabel>(*tab, QStringLiteral("RunVerdict"))->text();
        QVERIFY2(verdict.contains(QStringLiteral("On 1,000 fair sessions of 3,000 spins")),
                 qPrintable(verdict));
        QVERIFY2(verdict.contains(QStringLiteral("chance alone hits 32.4 %")), qPrintable(verdict));
        QCOMPARE(named<QLabel>(*tab, QStringLiteral("Figure_spins"))->text(),
                 QStringLiteral("3,000"));
        const quorvel::RunTableModel& runs = tab->runs();
        QCOMPARE(runs.data(runs.index(0, quorvel::RunTableModel::column_of("wagered"))).toString(),
                 QString::fromStdString(quorvel::grouped(run.figures.wagered)));
    }

    void a_run_that_ran_out_of_money_is_marked_and_can_go_last() {
        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        quorvel::LabSettings settings = quorvel::settings_of(form_->game());
        settings.BettingSystem = quorvel::ProgressionSystem::Classic;
        settings.CSpinEdit1 = 30;
        named<quorvel::LabSettingsForm>(*tab, QStringLiteral("BacktestSettings"))
            ->set_settings(settings);
        choose_random_spins(*tab, 2'000);
        press(*tab, "Run");
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));

        const quorvel::RunResult run = quorvel::run_spins(
            quorvel::random_spins(2'000, static_cast<std::uint64_t>(quorvel::kDefaultLabSeed)),
            settings);
        QVERIFY2(run.figures.ran_out_at > 0, "these settings should run out of money");
        const QString spin = QString::fromStdString(quorvel::grouped(run.figures.ran_out_at));
        const quorvel::RunTableModel& runs = tab->runs();
        const QModelIndex marked = runs.index(0, quorvel::RunTableModel::column_of("ran_out_at"));
        QCOMPARE(runs.data(marked).toString(), spin);
        QCOMPARE(runs.data(marked, Qt::ToolTipRole).toString(),
                 QStringLiteral("Ran out of money at spin ") + spin);
        QVERIFY(runs.data(runs.index(0, 0), Qt::ForegroundRole).isValid());
        QVERIFY(named<QLabel>(*tab, QStringLiteral("RunVerdict"))
                    ->text()
                    .contains(QStringLiteral("ran out of money at spin ") + spin));

        // In the grid, the ruined runs go after the others on request, each
        // part still in the order of the column.
        named<QSpinBox>(*tab, QStringLiteral("LabCSpinEdit1"))->setValue(300);
        press(*tab, "RunAll");
        const int grid = static_cast<int>(quorvel::grid_size());
        QCOMPARE(runs.rowCount(), grid);
        int ruined = 0;
        for (int row = 0; row < grid; ++row)
            ruined += runs.row(row).report.figures.ran_out_at != 0 ? 1 : 0;
        QVERIFY2(ruined > 0 && ruined < grid, qPrintable(QString::number(ruined)));
        named<QCheckBox>(*tab, QStringLiteral("SolventFirst"))->setChecked(true);
        for (int row = 0; row < grid; ++row)
            QCOMPARE(runs.row(row).report.figures.ran_out_at != 0, row >= grid - ruined);
        const int final_column = quorvel::RunTableModel::column_of("final_bankroll");
        for (int row = 1; row < grid - ruined; ++row) {
            QVERIFY(runs.row(row - 1).report.figures.final_bankroll >=
                    runs.row(row).report.figures.final_bankroll);
        }
        named<QCheckBox>(*tab, QStringLiteral("SolventFirst"))->setChecked(false);
        for (int row = 1; row < grid; ++row) {
            QVERIFY(runs.data(runs.index(row - 1, final_column), quorvel::RunTableModel::SortRole)
                        .toDouble() >=
                    runs.data(runs.index(row, final_column), quorvel::RunTableModel::SortRole)
                        .toDouble());
        }
    }

    void histogram_bins_hold_every_session_and_the_runs_end() {
        struct Case {
            std::vector<std::int64_t> sorted;
            std::vector<std::int64_t> marks;
            std::size_t bins;
        };
        std::vector<std::int64_t> ruinous(1000, 5'100);
        ruinous.front() = -4'000'000;  // one ruin among many small wins
        const Case cases[] = {
            {{5, 5, 5}, {5}, 40},                                // one value
            {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {9, 0}, 40},        // fewer units than bins
            {{-4'000, -10, 0, 35, 5'000}, {12'000, 5'000}, 40},  // the run above every session
            {{4'990, 4'995, 5'003}, {-70'000, 5'000}, 7},        // and far below
            {ruinous, {5'100, 5'000}, 40},
        };
        for (const Case& c : cases) {
            const quorvel::ChartBins h = quorvel::chart_bins(c.sorted, c.marks, c.bins);
            QVERIFY(h.width >= 1);
            QVERIFY(h.counts.size() <= c.bins);
            std::int64_t total = 0;
            for (std::int64_t count : h.counts)
                total += count;
            QCOMPARE(total, std::int64_t(c.sorted.size()));
            const std::int64_t high = h.low + std::int64_t(h.counts.size()) * h.width;
            for (std::int64_t mark : c.marks)
                QVERIFY(mark >= h.low && mark < high);
        }
        QCOMPARE(quorvel::chart_bins(cases[0].sorted, cases[0].marks, 40).counts,
                 std::vector<std::int64_t>{3});
        // The one ruin does not squeeze the others into a single unit-wide
        // bar: it is counted in the first bin, and the bins stay narrow.
        const quorvel::ChartBins h = quorvel::chart_bins(ruinous, cases[4].marks, 40);
        QCOMPARE(h.width, std::int64_t{3});
        QCOMPARE(h.counts.front(), std::int64_t{1});
    }

    // A session file's torn last line is left out of the run, and said.
    void a_torn_session_file_runs_without_its_last_line() {
        const QString torn = write_file(
            "torn.quorvel",
            "{\"format\":\"quorvel-session\",\"version\":1,\"start\":5}\n{\"number\":7}\n"
            "{\"pause end\":true}\n{\"numb");
        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        tab->add_files({torn});
        press(*tab, "Run");
        QVERIFY(errors_.isEmpty());
        const QString said = named<QLabel>(*tab, QStringLiteral("BacktestStatus"))->text();
        QVERIFY2(said.contains(QStringLiteral("torn.quorvel: The last action of the session "
                                              "(line 4) was cut off")),
                 qPrintable(said));
    }

    void the_ledger_of_the_chosen_run_exports_and_a_refused_file_runs_nothing() {
        const QString good = write_file("good.txt", "5 17 0 32 9 21 8 30 1 14 26 2 12 35\n");
        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        tab->add_files({good});
        press(*tab, "Run");
        const QString csv = folder_.filePath(QStringLiteral("ledger.csv"));
        tab->set_file_chooser([csv](const QString&, const QString&) { return csv; });
        QSignalSpy written(tab, &quorvel::BacktestTab::workFinished);
        tab->findChild<QAction*>(QStringLiteral("ExportLedger"))->trigger();
        QVERIFY(written.wait(kLoadTimeoutMs));
        QFile ledger(csv);
        QVERIFY(ledger.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = ledger.readAll().split('\n');
        QCOMPARE(lines.size(), 16);  // a header, 14 spins and the end of the last line
        QVERIFY(lines[0].startsWith("spin,number,"));
        QVERIFY(lines[14].startsWith("14,35,"));

        // On a full disk the export says why, and the status line no longer
        // reads as if the ledger were still being played.
        if (QFileInfo(QStringLiteral("/dev/full")).isWritable()) {
            tab->set_file_chooser([](const QString&, const QString&) { return "/dev/full"; });
            tab->findChild<QAction*>(QStringLiteral("ExportLedger"))->trigger();
            QVERIFY(written.wait(kLoadTimeoutMs));
            QCOMPARE(errors_.size(), 1);
            QVERIFY2(errors_.takeFirst().contains(qt_error_string(ENOSPC)), "no reason given");
            QCOMPARE(named<QLabel>(*tab, QStringLiteral("BacktestStatus"))->text(),
                     QStringLiteral("Not written: /dev/full"));
        }

        const QString bad = write_file("bad.txt", "5 17\n0 3.5\n");
        tab->add_files({bad});
        press(*tab, "Run");
        QCOMPARE(errors_.size(), 1);
        QVERIFY2(
            errors_.front().contains(QDir::toNativeSeparators(bad) + QStringLiteral(":2:3: '3.5'")),
            qPrintable(errors_.front()));
        // The earlier run stays, with its figures and its export.
        QCOMPARE(tab->runs().rowCount(), 1);
        QCOMPARE(named<QLabel>(*tab, QStringLiteral("Figure_spins"))->text(), QStringLiteral("14"));
        QVERIFY(named(*tab, QStringLiteral("Export"))->isEnabled());

    }

    // A file's name with markup in it is drawn as it is, in the tab's own
    // message box and in its status line, when a spin file or an export is
    // refused.
    void a_refused_name_with_markup_shows_literally() {
        QVERIFY(QDir(folder_.path()).mkdir(QStringLiteral("<b>x<")));
        const QString spins = write_file("<b>x</b>.txt", "5 17\n0 3.5\n");
        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        tab->set_error_reporter({});
        QStringList boxes;  // each box's text, marked when not plain
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, tab, [tab, &boxes] {
            for (QMessageBox* box : tab->findChildren<QMessageBox*>()) {
                if (!box->isVisible()) continue;
                boxes << (box->textFormat() == Qt::PlainText ? QString()
                                                             : QStringLiteral("rich: ")) +
                             box->text();
                box->accept();
            }
        });
        look.start(20);

        tab->add_files({spins});
        press(*tab, "Run");
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.takeFirst(),
                 QDir::toNativeSeparators(spins) +
                     QStringLiteral(":2:3: '3.5' is not a roulette number (0 to 36)"));

        choose_random_spins(*tab, 500);
        press(*tab, "Run");
        // What would turn the line around is masked as well.
        const QString csv = folder_.filePath(QStringLiteral("gone/<b>x</b>\u202E.txt"));
        const QString shown = QDir::toNativeSeparators(folder_.filePath("gone/<b>x</b>?.txt"));
        tab->set_file_chooser([csv](const QString&, const QString&) { return csv; });
        tab->findChild<QAction*>(QStringLiteral("ExportRuns"))->trigger();
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.front().startsWith(QStringLiteral("The file could not be written:\n") +
                                          shown + QLatin1Char('\n')),
                 qPrintable(boxes.front()));
        const auto* status = named<QLabel>(*tab, QStringLiteral("BacktestStatus"));
        QCOMPARE(status->text(), QStringLiteral("Not written: ") + shown);
        QCOMPARE(status->textFormat(), Qt::PlainText);
    }

    // The ledger and the chart of a run are played from the tab's own copy of
    // the spins; closing the program meanwhile must wait for that work, not
    // free the spins under it (a million spins are freed back to the system,
    // so a read after the free faults).
    void closing_the_program_during_a_ledger_export_is_safe() {
        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        choose_random_spins(*tab, 3'000'000);
        press(*tab, "Run");
        QCOMPARE(tab->runs().rowCount(), 1);
        const QString csv = folder_.filePath(QStringLiteral("ledger_at_close.csv"));
        tab->set_file_chooser([csv](const QString&, const QString&) { return csv; });
        tab->findChild<QAction*>(QStringLiteral("ExportLedger"))->trigger();
        QVERIFY(tab->running());
        form_.reset();
        QVERIFY(!QFile::exists(csv));
    }

    // The lab's silver texts reach the dialogs it opens; their ground must
    // be dark as well, or a message is light grey on light grey.
    void the_labs_messages_are_readable() {
        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Quorvel Lab"),
                        QStringLiteral("Add a spin file first, or choose random spins."),
                        QMessageBox::Ok, tab);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label != nullptr);
        const QColor text = label->palette().color(label->foregroundRole());
        const QColor ground = box.palette().color(box.backgroundRole());
        QVERIFY2(std::abs(text.lightness() - ground.lightness()) > 100,
                 qPrintable(text.name() + QStringLiteral(" on ") + ground.name()));
    }

    // "Choose on the first half, test on the second": the choice made on the
    // first half is played alone on the second, said under the table.
    void the_grid_tests_its_choice_on_the_second_half() {
        const QString file_name = write_file("halves.txt",
                                             "1 14 0 36 2 9 23 17 5 31 12 8 27 3 "
                                             "19 22 35 6 11 0 28 15 4 33 20 7\n");
        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        tab->add_files({file_name});
        auto* holdout = named<QCheckBox>(*tab, QStringLiteral("HoldoutHalf"));
        QCOMPARE(holdout->text(), QStringLiteral("Choose on the first half, test on the second"));
        holdout->setChecked(true);
        press(*tab, "RunAll");
        const QString verdict = named<QLabel>(*tab, QStringLiteral("GridVerdict"))->text();
        QVERIFY2(verdict.contains(QStringLiteral("Chosen on the first 13 spins, ")),
                 qPrintable(verdict));
        QVERIFY2(verdict.contains(QStringLiteral("on the other 13")), qPrintable(verdict));
        QVERIFY2(verdict.contains(QStringLiteral("Played there alone with ")), qPrintable(verdict));
    }

    void cancel_stops_a_running_grid() {
        quorvel::BacktestTab* tab = open_backtest();
        QVERIFY(tab != nullptr);
        choose_random_spins(*tab, 2'000);
        press(*tab, "Run");
        // The whole grid on two million spins, every spin played on borrowed
        // money: minutes of work, unless cancelled.
        named<QComboBox>(*tab, QStringLiteral("Labat_ruin"))->setCurrentIndex(1);
        named<QSpinBox>(*tab, QStringLiteral("RandomCount"))->setValue(2'000'000);
        QSignalSpy finished(tab, &quorvel::BacktestTab::workFinished);
        QTest::mouseClick(named<QPushButton>(*tab, QStringLiteral("RunAll")), Qt::LeftButton);
        QVERIFY(tab->running());
        auto* cancel = named<QPushButton>(*tab, QStringLiteral("Cancel"));
        QVERIFY(cancel->isEnabled());
        // Nothing that would change what runs stays live meanwhile.
        for (const char* input : {"Run", "AddFiles", "RemoveFiles", "FromTable", "RandomCount"})
            QVERIFY2(!named(*tab, QLatin1String(input))->isEnabled(), input);
        QTRY_VERIFY_WITH_TIMEOUT(
            named<QProgressBar>(*tab, QStringLiteral("BacktestProgress"))->value() > 0, 20000);
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(finished.wait(20000));
        QVERIFY(!tab->running());
        QVERIFY(
            named<QLabel>(*tab, QStringLiteral("BacktestStatus"))->text().contains("Cancelled"));
        // The run before it is still there.
        QCOMPARE(tab->runs().rowCount(), 1);
        QVERIFY(named<QPushButton>(*tab, QStringLiteral("RunAll"))->isEnabled());
        QVERIFY(errors_.isEmpty());
    }
};

QTEST_MAIN(LabTest)
#include "lab_test.moc"
