// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Work off the interface thread that goes wrong: a file that never ends, a
// named pipe nobody writes to, a double-zero wheel's log, an exception on the
// worker. Each is refused or reported at once, and the game plays on as it was.
#include <sys/stat.h>

#include <memory>
#include <new>
#include <stdexcept>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/widgets/background_task.hpp"
#include "app/lab/backtest_tab.hpp"
#include "app/lab/lab_window.hpp"
#include "app/table/tform1.hpp"

using quorvel::BackgroundTask;
using quorvel::TForm1;

namespace {

constexpr int kWaitMs = 20000;
// Far more than a refusal at the first bytes takes, far less than reading on would.
constexpr qint64 kAtOnceMs = 3000;
// Longer than a progress dialog waits before it shows itself (4 s at most).
constexpr int kProgressShowsMs = 4500;

}  // namespace

class LoadingTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form_;
    QStringList errors_;
    QTemporaryDir folder_;

    // Writes a spin file; true when all of it was written.
    static bool put(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
    }

    template <typename T = QWidget>
    static T* named(const QWidget& parent, const QString& name) {
        T* found = parent.findChild<T*>(name);
        if (found == nullptr) throw std::runtime_error("no widget named " + name.toStdString());
        return found;
    }

    void click(int number) {
        QTest::mouseClick(named<QPushButton>(*form_, QStringLiteral("SpeedButton%1").arg(number)),
                          Qt::LeftButton);
        QTRY_VERIFY(!form_->game().pause.Timer_Analyse);
    }

    QString fifo() const {
        const QString path = folder_.filePath(QStringLiteral("pipe"));
        if (!QFile::exists(path) && ::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
            throw std::runtime_error("cannot make a named pipe");
        return path;
    }

    // Loads the file, which must be refused at once with `reason` in its
    // message, and leaves the game as it was and open to the next click.
    void refused_at_once(const QString& file_name, const QString& reason) {
        for (int number : {5, 23, 11})
            click(number);
        const auto numbers = form_->game().NumbersList;
        const auto bankroll = form_->game().Bankroll;

        QSignalSpy finished(form_.get(), &TForm1::loadFinished);
        QElapsedTimer clock;
        clock.start();
        form_->load_spins(file_name);
        QVERIFY(finished.wait(kWaitMs));
        QVERIFY2(clock.elapsed() < kAtOnceMs, qPrintable(QString::number(clock.elapsed())));

        QCOMPARE(errors_.size(), 1);
        QVERIFY2(errors_.front().contains(reason), qPrintable(errors_.front()));
        QVERIFY(errors_.front().contains(QStringLiteral("the game is unchanged")));
        QVERIFY(!form_->loading());
        QVERIFY(form_->isEnabled());
        QCOMPARE(form_->game().NumbersList, numbers);
        QCOMPARE(form_->game().Bankroll, bankroll);
        click(17);
        QCOMPARE(form_->game().NumbersList.size(), numbers.size() + 1);
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

    // A gigabyte of NUL bytes (a sparse file, which takes no disk) is refused
    // at its first bytes, not read to its end.
    void a_file_of_nul_bytes_is_refused_at_its_first_byte() {
        const QString path = folder_.filePath(QStringLiteral("zeros.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(qint64{1} << 30));
        file.close();
        refused_at_once(path, QStringLiteral("zeros.txt:1:1: '????"));
    }

    void a_device_or_a_named_pipe_is_refused_before_it_is_opened_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::newRow("named pipe")
            << QString() << QStringLiteral("is a named pipe, not a file of spins");
        QTest::newRow("endless device")
            << QStringLiteral("/dev/zero") << QStringLiteral("is a device");
        QTest::newRow("empty device")
            << QStringLiteral("/dev/null") << QStringLiteral("is a device");
    }

    void a_device_or_a_named_pipe_is_refused_before_it_is_opened() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        if (path.isEmpty()) path = fifo();
        if (!QFile::exists(path)) QSKIP("not on this system");
        refused_at_once(path, reason);
    }

    void a_double_zero_wheels_log_is_refused_at_its_place() {
        const QString path = folder_.filePath(QStringLiteral("american.txt"));
        QVERIFY(put(path, "7\r12\r00\r5\r"));
        refused_at_once(path, QStringLiteral(":3:1: '00' is the double zero of an American wheel; "
                                             "Quorvel plays the single-zero wheel"));
    }

    // The message box of a refusal runs an event loop of its own for as long
    // as it is open. The refused load's progress dialog must not show itself
    // meanwhile: it is modal, so it would hold the box's button behind a busy
    // bar of a load that has already ended.
    void no_progress_shows_over_the_message_of_a_refusal() {
        bool progress_shown = false;
        form_->set_error_reporter([this, &progress_shown](const QString& message) {
            errors_ << message;
            // Open longer than any delay a progress dialog waits before it shows.
            QEventLoop box;
            QTimer look;
            QObject::connect(&look, &QTimer::timeout, &box, [&] {
                for (const QProgressDialog* dialog : form_->findChildren<QProgressDialog*>())
                    progress_shown = progress_shown || dialog->isVisible();
                if (progress_shown) box.quit();
            });
            look.start(50);
            QTimer::singleShot(kProgressShowsMs, &box, &QEventLoop::quit);
            box.exec();
        });
        QSignalSpy finished(form_.get(), &TForm1::loadFinished);
        form_->load_spins(fifo());
        QVERIFY(finished.wait(kWaitMs));
        QCOMPARE(errors_.size(), 1);
        QVERIFY(!progress_shown);
    }

    // The progress names the file as plain text: markup in a name is shown,
    // not obeyed, and what would turn the line around is masked.
    void the_progress_shows_the_name_as_text() {
        const QString path = folder_.filePath(QStringLiteral("<b>\u202Espins.txt"));
        QVERIFY(put(path, "5\n17\n"));
        QSignalSpy finished(form_.get(), &TForm1::loadFinished);
        form_->load_spins(path);
        const auto* progress = form_->findChild<QProgressDialog*>(QStringLiteral("LoadProgress"));
        QVERIFY(progress != nullptr);
        const auto* label = progress->findChild<QLabel*>();
        QVERIFY(label != nullptr);
        QCOMPARE(label->text(), QStringLiteral("Playing the spins of <b>?spins.txt…"));
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(finished.wait(kWaitMs));
        QCOMPARE(form_->game().NumbersList.size(), std::size_t{2});
    }

    void the_backtest_tab_refuses_a_named_pipe_at_once() {
        form_->open_lab();
        quorvel::LabWindow* lab = form_->lab_window();
        QVERIFY(lab != nullptr);
        quorvel::BacktestTab* tab = lab->backtest_tab();
        tab->set_error_reporter([this](const QString& message) { errors_ << message; });
        tab->add_files({fifo()});
        QSignalSpy finished(tab, &quorvel::BacktestTab::workFinished);
        QTest::mouseClick(named<QPushButton>(*tab, QStringLiteral("Run")), Qt::LeftButton);
        QVERIFY(finished.wait(kWaitMs));
        QCOMPARE(errors_.size(), 1);
        QVERIFY2(errors_.front().contains(QStringLiteral("is a named pipe")),
                 qPrintable(errors_.front()));
        QVERIFY(named<QPushButton>(*tab, QStringLiteral("Run"))->isEnabled());
    }

    // A name that would turn the message around is quoted masked in the box.
    void a_message_box_masks_the_names_it_quotes() {
        click(5);
        const QString file_name =
            folder_.filePath(QStringLiteral("gone\u202Etxt.exe\u0085/history.txt"));
        form_->set_export_file_chooser([file_name] { return file_name; });
        QTest::mouseClick(named<QPushButton>(*form_, QStringLiteral("SpeedButton42")),
                          Qt::LeftButton);
        QCOMPARE(errors_.size(), 1);
        QVERIFY2(errors_.front().contains(QStringLiteral("gone?txt.exe?")),
                 qPrintable(errors_.front()));
        QVERIFY(!errors_.front().contains(QChar(0x202E)));
    }

    // An exception on the worker reaches the interface thread as failed(),
    // with a sentence and never finished(); the program goes on.
    void an_exception_on_the_worker_is_reported_not_fatal_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("out of memory")
            << 0 << QStringLiteral("There was not enough memory for this work.");
        QTest::newRow("an error, masked") << 1 << QStringLiteral("disk ?[2J gone");
        QTest::newRow("anything thrown")
            << 2 << QStringLiteral("The work stopped on an unknown error.");
    }

    void an_exception_on_the_worker_is_reported_not_fatal() {
        QFETCH(int, kind);
        QFETCH(QString, reason);
        BackgroundTask task([kind](const std::atomic<bool>&, const BackgroundTask::Progress&) {
            if (kind == 0) throw std::bad_alloc();
            if (kind == 1) throw std::runtime_error("disk \x1B[2J gone");
            throw 42;
        });
        QSignalSpy failed(&task, &BackgroundTask::failed);
        QSignalSpy finished(&task, &BackgroundTask::finished);
        task.start();
        QVERIFY(failed.wait(kWaitMs));
        QCOMPARE(failed.front().front().toString(), reason);
        QTest::qWait(50);
        QCOMPARE(finished.size(), 0);
    }
};

QTEST_MAIN(LoadingTest)
#include "loading_test.moc"
