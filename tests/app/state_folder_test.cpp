// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// One window owns a state folder: a second start, a real second process,
// brings the first to the front and goes without touching a file, and the
// first window's session goes on in one file, every line in order. The
// journal, the kept sessions and the stored settings are the user's alone.
#include <sys/stat.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/sessions/session_keeper.hpp"
#include "app/sessions/session_store.hpp"
#include "app/sessions/state_folder_owner.hpp"
#include "play/stored_settings.hpp"

using quorvel::SessionKeeper;
using quorvel::StateFolderOwner;

namespace {

QByteArray read_all(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file under `folder` with its contents, its inode and its times: what a
// second start must leave exactly as it was.
QStringList folder_state(const QString& folder) {
    QStringList state;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat status {};
        ::lstat(QFile::encodeName(path).constData(), &status);
        state << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(path)
                     .arg(status.st_ino)
                     .arg(status.st_mode, 0, 8)
                     .arg(status.st_mtim.tv_nsec + status.st_mtim.tv_sec * 1000000000LL)
                     .arg(QString::fromLatin1(read_all(path).toHex()));
    }
    state.sort();
    return state;
}

mode_t permissions(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) return 07777;
    return status.st_mode & 07777;
}

// The window program, started on the state folder under `state_home`.
void start_window(QProcess& window, const QString& state_home) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_STATE_HOME"), state_home);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    window.setProcessEnvironment(environment);
    window.start(QStringLiteral(QUORVEL_WINDOW_PROGRAM), {});
    QVERIFY2(window.waitForStarted(), qPrintable(window.errorString()));
}

}  // namespace

class StateFolderTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        state_home_ = dir_->path() + QStringLiteral("/state");
        folder_ = state_home_ + QStringLiteral("/quorvel");
    }

    void a_second_start_brings_the_first_forward_and_loses_no_line() {
        StateFolderOwner owner(folder_);
        QCOMPARE(owner.claim(), StateFolderOwner::Claim::Owner);
        std::int64_t now = 1767225600;
        SessionKeeper keeper(folder_, [&now] { return now; });
        keeper.start([](const QString&) { return false; });
        for (int n : {3, 14, 25}) {
            now += 60;
            keeper.session().play_number(n);
        }
        const QStringList before = folder_state(folder_);

        QSignalSpy asked(&owner, &StateFolderOwner::asked);
        QProcess second;
        start_window(second, state_home_);
        // The event loop runs meanwhile, so this window can answer.
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 30000);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(asked.count(), 1);
        QCOMPARE(folder_state(folder_), before);

        for (int n : {7, 0, 36}) {
            now += 60;
            keeper.session().play_number(n);
        }
        QCOMPARE(read_all(keeper.folder() + QStringLiteral("/current.quorvel")),
                 QByteArray::fromStdString(keeper.session().journal()));
        keeper.end();
        const QStringList kept = QDir(folder_).entryList({QStringLiteral("*.quorvel")});
        QCOMPARE(kept.size(), 1);
        QCOMPARE(read_all(folder_ + QLatin1Char('/') + kept.front()),
                 QByteArray::fromStdString(keeper.session().journal()));
    }

    void a_window_that_cannot_answer_is_still_the_owner() {
        StateFolderOwner first(folder_);
        QCOMPARE(first.claim(), StateFolderOwner::Claim::Owner);
        const QStringList before = folder_state(folder_);
        // The first owner cannot answer while this thread waits on it.
        StateFolderOwner second(folder_);
        QCOMPARE(second.claim(), StateFolderOwner::Claim::Answerless);
        QCOMPARE(folder_state(folder_), before);
    }

    void the_lock_of_a_killed_window_is_taken_over() {
        QProcess killed;
        start_window(killed, state_home_);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder_ + QStringLiteral("/current.quorvel")),
                                 30000);
        QVERIFY(QFile::exists(StateFolderOwner::lock_file(folder_)));
        killed.kill();
        QVERIFY(killed.waitForFinished());

        StateFolderOwner owner(folder_);
        QCOMPARE(owner.claim(), StateFolderOwner::Claim::Owner);
    }

    // Under the usual umask 022, and over files an earlier version made 0644
    // in a folder of 0755.
    void the_journal_the_kept_sessions_and_the_settings_are_private() {
        const mode_t umask_before = ::umask(022);
        QVERIFY(QDir().mkpath(folder_));
        QFile::setPermissions(folder_, QFileDevice::Permissions(0x7755));
        const QString old_session = folder_ + QStringLiteral("/session 2026-01-01 10.00.00.quorvel");
        {
            QFile file(old_session);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("{\"quorvel\":1}\n");
        }
        QCOMPARE(permissions(old_session), mode_t{0644});

        std::int64_t now = 1767225600;
        {
            SessionKeeper keeper(folder_, [&now] { return now; });
            keeper.start([](const QString&) { return false; });
            QCOMPARE(permissions(folder_), mode_t{0700});
            QCOMPARE(permissions(folder_ + QStringLiteral("/current.quorvel")), mode_t{0600});
            QCOMPARE(permissions(old_session), mode_t{0600});
            keeper.session().play_number(5);
            keeper.end();
        }
        for (const QString& kept : QDir(folder_).entryList({QStringLiteral("*.quorvel")}))
            QCOMPARE(permissions(folder_ + QLatin1Char('/') + kept), mode_t{0600});

        // The settings: a new file, then one an earlier version left wide open.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_->path() + QStringLiteral("/config")));
        const QString config = QString::fromStdString(quorvel::default_settings_path());
        QVERIFY(quorvel::save_settings(quorvel::Parameters{}).isEmpty());
        QCOMPARE(permissions(config), mode_t{0600});
        QCOMPARE(permissions(QFileInfo(config).absolutePath()), mode_t{0700});
        QFile::setPermissions(config, QFileDevice::Permissions(0x6644));
        QVERIFY(quorvel::save_settings(quorvel::Parameters{}).isEmpty());
        QCOMPARE(permissions(config), mode_t{0600});
        ::umask(umask_before);
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString state_home_;
    QString folder_;
};

QTEST_MAIN(StateFolderTest)
#include "state_folder_test.moc"
