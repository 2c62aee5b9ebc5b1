// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Resume after a kill, done for real: the window is started in a process of
// its own and played, the process is killed with SIGKILL, and a second
// process starts the window again, is asked the resume question, answers
// "Resume" on the real question box and shows what the first one showed.
//
// The same executable plays both parts: with "--play MODE LAST" it plays and
// waits to be killed, with "--resume" it resumes and exits; without them it
// is the test that starts the two.
#include <csignal>
#include <cstdio>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/table/tform1.hpp"
#include "play/session.hpp"
#include "window_helpers.hpp"

using quorvel::GameMode;
using quorvel::TForm1;

namespace {

using quorvel::testing::named;
using quorvel::testing::wait_for_rest;

// What the player sees of the game: the history row, the money, the chips
// with their stakes, the undo arrow, and the step of the progression behind.
QString shown_state(const TForm1& form) {
    QStringList lines;
    for (int k = 1; k <= 10; ++k)
        lines << named<QLabel>(form, QStringLiteral("HisNum%1").arg(k))->text();
    lines << named<QLabel>(form, QStringLiteral("Caption_Bankroll"))->text();
    lines << named<QLabel>(form, QStringLiteral("Caption_MaxProfit"))->text();
    for (const char* sector : {"D1", "D2", "D3", "C1", "C2", "C3"}) {
        const QString name = QLatin1String(sector);
        lines << name + QLatin1Char(':') +
                     (named(form, QStringLiteral("Chip_") + name)->isVisible()
                          ? named<QLabel>(form, QStringLiteral("BetSize_") + name)->text()
                          : QStringLiteral("-"));
    }
    lines << QStringLiteral("undo:%1").arg(named(form, QStringLiteral("Undo"))->isVisible());
    const quorvel::Game& game = form.game();
    lines << QStringLiteral("step:%1 bet:%2 spins:%3")
                 .arg(game.Bet_Step)
                 .arg(game.Bet_Size)
                 .arg(game.NumbersList.size());
    return lines.join(QLatin1Char('|'));
}

int play(GameMode mode, const QString& last) {
    TForm1 form;
    form.start_session([](const QString&) {
        qFatal("a fresh state folder has nothing to resume");
        return false;
    });
    form.show();
    named<QComboBox>(form, QStringLiteral("GameModes"))->setCurrentIndex(quorvel::row_of(mode));
    if (mode == GameMode::Adaptive) {
        QTest::mouseClick(named<QPushButton>(form, QStringLiteral("Adaptive_Matrix")),
                          Qt::LeftButton);
    }
    for (int number : {7, 20, 1, 33, 5, 36, 14, 29, 2, 25, 11, 18}) {
        auto* button = named<QPushButton>(form, QStringLiteral("SpeedButton%1").arg(number));
        QTest::mouseClick(button, Qt::LeftButton);
        wait_for_rest(form);
    }
    if (last == QLatin1String("undo")) {
        QTest::mouseClick(named<QPushButton>(form, QStringLiteral("Undo")), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    std::printf("STATE %s\n", qPrintable(shown_state(form)));
    std::fflush(stdout);
    // Waits for the kill.
    return QApplication::exec();
}

int resume() {
    TForm1 form;
    QString asked;
    // The real question box, answered as the player would.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        asked = box->text();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == QLatin1String("Resume")) button->click();
        }
    });
    answer.start(20);
    form.start_session();
    answer.stop();
    form.show();
    wait_for_rest(form);
    std::printf("QUESTION %s\nSTATE %s\n", qPrintable(asked), qPrintable(shown_state(form)));
    std::fflush(stdout);
    return 0;
}

}  // namespace

Q_DECLARE_METATYPE(GameMode)

class ResumeTest : public QObject {
    Q_OBJECT

private slots:
    void resume_after_a_kill_shows_what_was_shown_data() {
        QTest::addColumn<GameMode>("mode");
        QTest::addColumn<QString>("last");
        for (std::size_t m = 0; m < quorvel::items_of<GameMode>().size(); ++m) {
            const auto mode = static_cast<GameMode>(m);
            const QString last = m % 2 == 0 ? QStringLiteral("number") : QStringLiteral("undo");
            QTest::newRow(quorvel::text_of(mode).data()) << mode << last;
        }
    }

    void resume_after_a_kill_shows_what_was_shown() {
        QFETCH(GameMode, mode);
        QFETCH(QString, last);
        QTemporaryDir state;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_STATE_HOME"), state.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

        QProcess player;
        player.setProcessEnvironment(environment);
        player.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--play"), QString::number(quorvel::row_of(mode)), last});
        QByteArray shown;
        while (!shown.contains('\n')) {
            QVERIFY2(player.waitForReadyRead(30000), "the player showed nothing");
            shown += player.readAllStandardOutput();
        }
        QVERIFY2(shown.startsWith("STATE "), shown.constData());
        ::kill(static_cast<pid_t>(player.processId()), SIGKILL);
        QVERIFY(player.waitForFinished(10000));
        QCOMPARE(player.exitStatus(), QProcess::CrashExit);

        QProcess resumer;
        resumer.setProcessEnvironment(environment);
        resumer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--resume")});
        QVERIFY(resumer.waitForFinished(30000));
        const QList<QByteArray> lines = resumer.readAllStandardOutput().split('\n');
        QVERIFY2(lines.size() >= 2, resumer.readAllStandardError().constData());
        QVERIFY2(lines[0].startsWith("QUESTION Resume the last session (") &&
                     lines[0].contains(" spins, last at "),
                 lines[0].constData());
        QCOMPARE(lines[1], shown.trimmed());
    }
};

int main(int argc, char** argv) {
    const QStringList args = [argc, argv] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    if (!args.isEmpty() && args.front() == QLatin1String("--play") && args.size() == 3) {
        QApplication application(argc, argv);
        return play(static_cast<GameMode>(args[1].toInt()), args[2]);
    }
    if (!args.isEmpty() && args.front() == QLatin1String("--resume")) {
        QApplication application(argc, argv);
        return resume();
    }
    QApplication application(argc, argv);
    ResumeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "resume_test.moc"
