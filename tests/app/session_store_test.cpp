// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The session kept in the state folder: what a run that did not end cleanly
// leaves behind comes back, ended sessions are kept under their date (the last
// twenty), and a folder that cannot be written is reported once.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/sessions/session_keeper.hpp"
#include "app/sessions/session_list.hpp"
#include "app/sessions/session_store.hpp"
#include "app/widgets/file_dialogs.hpp"
#include "play/stored_settings.hpp"
#include "write_faults.hpp"

using quorvel::Parameters;
using quorvel::Session;
using quorvel::SessionReading;
using quorvel::SessionStore;

namespace {

QByteArray read_all(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A session whose every line goes to the store, as the window wires it.
struct KeptSession {
    explicit KeptSession(SessionStore& store, std::int64_t start)
        : now(start), session([this] { return now; }) {
        session.set_line_sink([&store](std::string_view line) { store.append(line); });
    }
    std::int64_t now;
    Session session;
};

}  // namespace

class SessionStoreTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        folder_ = dir_->path() + QStringLiteral("/state/quorvel");
    }

    void a_session_that_did_not_end_comes_back_with_its_spins_and_last_time() {
        QString journal;
        // The lab's log as the window followed the game live.
        quorvel::SessionLog live;
        {
            SessionStore store(folder_);
            QVERIFY(!store.unfinished().session);
            KeptSession kept(store, 1767225600);
            QVERIFY(store.begin(kept.session));
            live.follow(kept.session.game());
            for (int n : {3, 14, 25}) {
                kept.now += 60;
                kept.session.play_number(n);
                live.follow(kept.session.game());
            }
            journal = QString::fromStdString(kept.session.journal());
            // Every line is in the file as soon as it is taken.
            QCOMPARE(QString::fromUtf8(read_all(store.current_file())), journal);
            // No end(): the run stops here as a kill would stop it.
        }
        SessionStore store(folder_);
        SessionStore::Unfinished left = store.unfinished();
        QVERIFY(left.session.has_value());
        QCOMPARE(left.spins, 3);
        QCOMPARE(left.last_action.toSecsSinceEpoch(), 1767225600 + 180);
        QVERIFY(left.notice.isEmpty());
        QCOMPARE(QString::fromStdString(left.session->journal()), journal);
        // The log comes back from the same reading, point for point.
        QCOMPARE(std::vector<std::int64_t>(left.log.bankroll().begin(), left.log.bankroll().end()),
                 std::vector<std::int64_t>(live.bankroll().begin(), live.bankroll().end()));
        QVERIFY(left.log.figures(left.session->game()) == live.figures(left.session->game()));

        // Resumed, the session goes on in the same file.
        QVERIFY(store.begin(*left.session, true));
        left.session->set_line_sink([&store](std::string_view line) { store.append(line); });
        left.session->play_number(7);
        store.end();
        QVERIFY(!QFile::exists(store.current_file()));
        const QStringList kept = QDir(folder_).entryList({QStringLiteral("*.quorvel")});
        QCOMPARE(kept.size(), 1);
        QVERIFY2(kept.front().startsWith(QStringLiteral("session ")), qPrintable(kept.front()));
        QCOMPARE(QString::fromUtf8(read_all(folder_ + QLatin1Char('/') + kept.front())),
                 QString::fromStdString(left.session->journal()));
    }

    void a_torn_last_line_is_dropped_and_said_in_one_sentence() {
        SessionStore store(folder_);
        KeptSession kept(store, 1767225600);
        QVERIFY(store.begin(kept.session));
        kept.session.play_number(12);
        const std::string before = kept.session.journal();
        kept.session.undo();
        // The undo's line cut short on the disk.
        QFile file(store.current_file());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() - 6));
        file.close();

        SessionStore again(folder_);
        const SessionStore::Unfinished left = again.unfinished();
        QVERIFY(left.session.has_value());
        QCOMPARE(left.session->journal(), before);
        QVERIFY(left.session->game().table.undo_offered);
        QVERIFY(left.notice.contains(QStringLiteral("cut off")));
        QCOMPARE(left.notice.count(QLatin1Char('.')), 1);
    }

    void a_session_in_which_nothing_was_done_is_not_kept() {
        {
            SessionStore store(folder_);
            KeptSession kept(store, 1767225600);
            QVERIFY(store.begin(kept.session));
            store.end();
        }
        SessionStore store(folder_);
        KeptSession kept(store, 1767229200);
        QVERIFY(store.begin(kept.session));  // and this one is killed
        SessionStore again(folder_);
        QVERIFY(!again.unfinished().session);
        QCOMPARE(QDir(folder_).entryList(QDir::Files), QStringList());
    }

    void a_broken_file_is_kept_and_play_starts_afresh() {
        QDir().mkpath(folder_);
        QFile file(folder_ + QStringLiteral("/current.quorvel"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "{\"format\":\"quorvel-session\",\"version\":1,\"start\":5}\n{\"nonsense\":1}\n"
            "{\"number\":3}\n");
        file.close();
        SessionStore store(folder_);
        const SessionStore::Unfinished left = store.unfinished();
        QVERIFY(!left.session);
        QVERIFY2(left.error.contains(QStringLiteral(":2:2: unknown action \"nonsense\"")),
                 qPrintable(left.error));
        QVERIFY(!QFile::exists(store.current_file()));
        QCOMPARE(QDir(folder_).entryList({QStringLiteral("session *.quorvel")}).size(), 1);
    }

    void starting_new_keeps_the_old_under_its_date_and_only_the_last_twenty() {
        SessionStore store(folder_);
        for (int i = 0; i < SessionStore::kKeptSessions + 5; ++i) {
            KeptSession kept(store, 1767225600 + i * 3600);
            QVERIFY(store.begin(kept.session));
            kept.session.play_number(i % 37);
        }
        store.end();
        const QStringList kept =
            QDir(folder_).entryList({QStringLiteral("session *.quorvel")}, QDir::Files, QDir::Name);
        QCOMPARE(kept.size(), SessionStore::kKeptSessions);
        // The newest stay: the first five sessions went.
        const SessionReading first = quorvel::read_session(
            read_all(folder_ + QLatin1Char('/') + kept.front()).toStdString(), "first");
        QVERIFY(first.ok());
        QCOMPARE(first.session->start_time(), 1767225600 + 5 * 3600);
    }

    void a_folder_that_cannot_be_written_is_said_once_and_play_goes_on() {
        QDir().mkpath(folder_);
        quorvel::testing::ProtectedFolder protect(QFile::encodeName(folder_).toStdString());
        if (!protect.holds()) QSKIP("this process writes in any folder");
        SessionStore store(folder_);
        KeptSession kept(store, 1767225600);
        QVERIFY(!store.begin(kept.session));
        QVERIFY2(store.error().contains(QStringLiteral("not being kept")),
                 qPrintable(store.error()));
        QVERIFY(kept.session.play_number(9));
        QVERIFY(!store.append("{\"undo\":true}\n"));
        QCOMPARE(kept.session.game().NumbersList.size(), std::size_t{1});
    }

    // The store writes only to a plain file of its own: a link (soft,
    // dangling or hard) under the name of the session in play is moved
    // aside, and what it points to is never written.
    void a_link_in_place_of_the_session_is_moved_aside_untouched() {
        for (const char* kind : {"link to a saved session", "dangling link", "hard link"}) {
            init();
            QVERIFY(QDir().mkpath(folder_));
            const QString saved = folder_ + QStringLiteral("/session 2026-01-01 10.00.00.quorvel");
            const QByteArray saved_text =
                "{\"format\":\"quorvel-session\",\"version\":1,\"start\":5}\n{\"number\":4}\n";
            const QString current = folder_ + QStringLiteral("/current.quorvel");
            if (QByteArray(kind) != "dangling link") {
                QFile file(saved);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(saved_text);
            }
            const QByteArray from = QFile::encodeName(saved), to = QFile::encodeName(current);
            QCOMPARE(QByteArray(kind) == "hard link" ? ::link(from, to) : ::symlink(from, to), 0);

            SessionStore store(folder_);
            QVERIFY2(!store.unfinished().session, kind);
            KeptSession kept(store, 1767225600);
            QVERIFY2(store.begin(kept.session), qPrintable(store.error()));
            kept.session.play_number(7);
            const QString notice = store.take_notice();
            QVERIFY2(notice.contains(QStringLiteral("moved aside, untouched")), qPrintable(notice));
            QVERIFY2(QFileInfo(current).isFile() && !QFileInfo(current).isSymLink(), kind);
            QCOMPARE(read_all(current), QByteArray::fromStdString(kept.session.journal()));
            QVERIFY2(QFileInfo(current + QStringLiteral(".moved-aside")).exists() ||
                         QFileInfo(current + QStringLiteral(".moved-aside")).isSymLink(),
                     kind);
            if (QByteArray(kind) == "dangling link") {
                QVERIFY2(!QFileInfo::exists(saved), "the link's target was created");
            } else {
                QCOMPARE(read_all(saved), saved_text);
            }
        }
    }

    // A session that cannot be put away under its date stays where it is,
    // and the next one does not write over it.
    void a_session_that_cannot_be_put_away_is_not_written_over() {
        QByteArray left;
        {
            SessionStore store(folder_);
            KeptSession kept(store, 1767225600);
            QVERIFY(store.begin(kept.session));
            kept.session.play_number(12);
            left = read_all(store.current_file());
        }
        quorvel::testing::ProtectedFolder protect(QFile::encodeName(folder_).toStdString());
        if (!protect.holds()) QSKIP("this process writes in any folder");
        SessionStore store(folder_);
        KeptSession kept(store, 1767229200);
        QVERIFY(!store.begin(kept.session));
        QVERIFY2(store.error().contains(QStringLiteral("could not be put away")),
                 qPrintable(store.error()));
        QVERIFY(store.take_notice().contains(QStringLiteral("stays as")));
        kept.session.play_number(3);
        QVERIFY(!store.retry(kept.session));
        QCOMPARE(read_all(store.current_file()), left);
    }

    // A full disk stops the keeping with the reason; once there is room
    // again the whole journal goes down, and nothing played meanwhile is lost.
    void a_full_disk_stops_the_keeping_until_there_is_room_again() {
        SessionStore store(folder_);
        KeptSession kept(store, 1767225600);
        QVERIFY(store.begin(kept.session));
        const qint64 size = QFileInfo(store.current_file()).size();
        {
            quorvel::testing::DiskRoom room(static_cast<rlim_t>(size + 40));
            if (!room.holds()) QSKIP("no file size limit can be set");
            for (int n = 1; n < 10; ++n)
                kept.session.play_number(n);
            QVERIFY(store.failed());
            QVERIFY2(store.error().contains(QStringLiteral("not being kept for now")),
                     qPrintable(store.error()));
            QVERIFY(!store.retry(kept.session));  // still no room
        }
        QCOMPARE(kept.session.game().NumbersList.size(), std::size_t{9});
        QVERIFY(store.retry(kept.session));
        QVERIFY(!store.failed());
        kept.session.play_number(10);
        QFile file(store.current_file());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray::fromStdString(kept.session.journal()));
    }

    void settings_saved_are_loaded_back_through_the_session() {
        const QString file = dir_->path() + QStringLiteral("/config/quorvel/quorvel.conf");
        Parameters chosen;
        chosen.GameModes = quorvel::GameMode::Chains;
        chosen.BettingSectors = quorvel::SectorChoice::OnlyColumns;
        chosen.Losses_Action = quorvel::LossAction::Divide;
        chosen.Init_Bet = std::nullopt;
        chosen.Safe_Level = 3;
        QCOMPARE(quorvel::save_settings(chosen, file), QString());
        // The file is the plain INI the lab reads.
        QSettings ini(file, QSettings::IniFormat);
        QCOMPARE(ini.value(QStringLiteral("settings/BettingSectors")).toString(),
                 QStringLiteral("Only Columns"));

        Session session([] { return std::int64_t{5}; });
        QCOMPARE(quorvel::load_settings(session, file), QString());
        QCOMPARE(session.params().GameModes, quorvel::GameMode::Chains);
        QCOMPARE(session.params().Losses_Action, quorvel::LossAction::Divide);
        QCOMPARE(session.params().Init_Bet, std::optional<int>());
        QCOMPARE(session.params().Safe_Level, 3);
        QVERIFY(session.game().table.SL_Field);  // the handler ran
        QVERIFY(session.journal().find("\"Safe Level\":3") != std::string::npos);

        QVERIFY(quorvel::load_settings(session, dir_->path() + QStringLiteral("/none.conf"))
                    .contains(QStringLiteral("No settings have been saved yet")));

        // A key this version does not know is ignored and named; the rest is taken.
        {
            QSettings more(file, QSettings::IniFormat);
            more.setValue(QStringLiteral("settings/Colour"), QStringLiteral("red"));
            more.setValue(QStringLiteral("settings/Safe_Level"), 4);
        }
        const QString said = quorvel::load_settings(session, file);
        QVERIFY2(said.contains(QStringLiteral("not known to this version, and ignored: \"Colour\"")),
                 qPrintable(said));
        QCOMPARE(session.params().Safe_Level, 4);
    }

    void the_keeper_asks_once_and_resumes_exactly() {
        std::int64_t now = 1767225600;
        const auto clock = [&now] { return now; };
        std::string journal;
        {
            quorvel::SessionKeeper keeper(folder_, clock);
            int asked = 0;
            QCOMPARE(keeper.start([&asked](const QString&) { return ++asked, true; }), QString());
            QCOMPARE(asked, 0);  // nothing to resume
            keeper.session().set(quorvel::SettingId::GameModes, quorvel::GameMode::Smart2024);
            for (int n : {1, 2, 3, 4, 5, 6, 7}) {
                now += 30;
                keeper.session().play_number(n);
            }
            journal = keeper.session().journal();
        }  // gone without end()
        quorvel::SessionKeeper keeper(folder_, clock);
        QString question;
        QCOMPARE(keeper.start([&question](const QString& q) { return question = q, true; }),
                 QString());
        QCOMPARE(question, QStringLiteral("Resume the last session (7 spins, last at %1)?")
                               .arg(QDateTime::fromSecsSinceEpoch(now).toString("HH:mm")));
        QCOMPARE(keeper.session().journal(), journal);
        QCOMPARE(keeper.log().spins(), std::size_t{7});

        // "RESET APP": a new session with the same settings, the old one kept.
        keeper.reset();
        QCOMPARE(keeper.session().game().NumbersList.size(), std::size_t{0});
        QCOMPARE(keeper.session().params().GameModes, quorvel::GameMode::Smart2024);
        QCOMPARE(QDir(folder_).entryList({QStringLiteral("session *.quorvel")}).size(), 1);

        // Saved and opened again, the session comes back whole.
        now += 30;
        keeper.session().play_number(30);
        const QString saved = dir_->path() + QStringLiteral("/evening.quorvel");
        QCOMPARE(keeper.save(saved), QString());
        const std::string before = keeper.session().journal();
        keeper.reset();
        QCOMPARE(keeper.open(saved), QString());
        QCOMPARE(keeper.session().journal(), before);

        // A refused file leaves the session as it was.
        QFile broken(dir_->path() + QStringLiteral("/broken.quorvel"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("{\"format\":\"quorvel-session\",\"version\":7}\n");
        broken.close();
        QVERIFY(keeper.open(broken.fileName())
                    .contains(QStringLiteral(":1:39: the session was "
                                             "written in version 7")));
        QCOMPARE(keeper.session().journal(), before);
        QVERIFY(keeper.open(dir_->path()).contains(QStringLiteral("not a regular file")));
    }

    // A large file is read a piece at a time, the progress told with its
    // size; a cancel leaves the game as it was.
    void opening_a_session_can_be_cancelled_and_changes_nothing() {
        const QString file = dir_->path() + QStringLiteral("/evening.quorvel");
        {
            SessionStore other(dir_->path() + QStringLiteral("/other"));
            KeptSession kept(other, 1767225600);
            for (int n = 0; n < 4000; ++n) kept.session.play_number(n % 37);
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(QByteArray::fromStdString(kept.session.journal()));
        }
        quorvel::SessionKeeper keeper(folder_, [] { return std::int64_t{1767230000}; });
        keeper.start([](const QString&) { return false; });
        keeper.session().play_number(5);
        const std::string before = keeper.session().journal();
        qint64 calls = 0, last_total = 0;
        const QString error = keeper.open(file, nullptr, [&](qint64, qint64 total) {
            last_total = total;
            return ++calls < 2;
        });
        QVERIFY(!error.isEmpty());
        QCOMPARE(calls, qint64{2});
        QCOMPARE(last_total, QFileInfo(file).size());
        QCOMPARE(keeper.session().journal(), before);
        // Read to its end, the same file opens.
        QCOMPARE(keeper.open(file, nullptr, [](qint64, qint64) { return true; }), QString());
        QCOMPARE(keeper.session().game().NumbersList.size(), std::size_t{4000});
    }

    void start_new_keeps_the_unfinished_session_under_its_date() {
        {
            quorvel::SessionKeeper keeper(folder_, [] { return std::int64_t{1767225600}; });
            keeper.start([](const QString&) { return true; });
            keeper.session().play_number(17);
        }
        quorvel::SessionKeeper keeper(folder_, [] { return std::int64_t{1767229200}; });
        keeper.start([](const QString&) { return false; });
        QCOMPARE(keeper.session().game().NumbersList.size(), std::size_t{0});
        QCOMPARE(QDir(folder_).entryList({QStringLiteral("session *.quorvel")}).size(), 1);
        QVERIFY(QFile::exists(folder_ + QStringLiteral("/current.quorvel")));
    }

    // The keeper removes only what it put away itself: files the player
    // saved into its folder stay, even under a name of the keeper's own
    // pattern, and so does a kept file the player saved over.
    void a_file_the_player_saved_in_the_folder_survives_25_new_sessions() {
        std::int64_t now = 1767225600;
        quorvel::SessionKeeper keeper(folder_, [&now] { return now; });
        keeper.start([](const QString&) { return false; });
        keeper.session().play_number(4);
        const QString mine = folder_ + QStringLiteral("/session 2025-01-01 00.00.00.quorvel");
        const QString proposed =
            folder_ + QLatin1Char('/') +
            QFileInfo(quorvel::proposed_session_file(QDateTime::fromSecsSinceEpoch(now)))
                .fileName();
        for (const QString& file : {mine, proposed})
            QCOMPARE(keeper.save(file), QString());
        const QByteArray saved = read_all(mine);
        const auto own = [&keeper] {
            QStringList names;
            for (const SessionStore::KeptFile& file : keeper.kept_files()) {
                if (file.clean) names << QFileInfo(file.path).fileName();
            }
            return names;
        };
        for (int i = 0; i < 25; ++i) {
            now += 3600;
            keeper.session().play_number(i % 37);
            keeper.reset();
        }
        QCOMPARE(read_all(mine), saved);
        QCOMPARE(read_all(proposed), saved);
        QCOMPARE(own().size(), SessionStore::kKeptSessions);
        int players = 0;
        for (const SessionStore::KeptFile& file : keeper.kept_files()) {
            if (!file.clean) ++players;
        }
        QCOMPARE(players, 2);

        // The oldest kept file, saved over by the player, is the player's now.
        const QString over = folder_ + QLatin1Char('/') + own().front();
        QCOMPARE(keeper.save(over), QString());
        const QByteArray over_text = read_all(over);
        for (int i = 0; i < 25; ++i) {
            now += 3600;
            keeper.session().play_number(i % 37);
            keeper.reset();
        }
        keeper.end();
        QCOMPARE(read_all(over), over_text);
        QCOMPARE(read_all(mine), saved);
        QCOMPARE(own().size(), SessionStore::kKeptSessions);
        // The proposed place for a saved session is not the keeper's folder.
        QVERIFY(QFileInfo(quorvel::proposed_session_file(QDateTime::currentDateTime()))
                    .absolutePath() !=
                QFileInfo(SessionStore::default_folder()).absoluteFilePath());
    }

    // "Start new" after a run that did not end keeps that session, marked as
    // not ended cleanly, and the settings it had; a session ended by the
    // window or by a new one is marked clean.
    void kept_sessions_say_whether_they_ended_cleanly() {
        std::int64_t now = 1767225600;
        const auto clock = [&now] { return now; };
        std::int64_t left_with = 0;
        std::size_t spins = 0;
        {
            quorvel::SessionKeeper keeper(folder_, clock);
            keeper.start([](const QString&) { return false; });
            keeper.session().set(quorvel::SettingId::GameModes, quorvel::GameMode::Chains);
            keeper.session().set(quorvel::SettingId::Safe_Level, 3);
            for (int n : {12, 1, 2, 3, 4, 5, 7, 8, 9, 13, 14, 15, 16})
                keeper.session().play_number(n);
            left_with = keeper.session().game().Bankroll;
            spins = keeper.session().game().NumbersList.size();
        }  // killed
        now += 3600;
        quorvel::SessionKeeper keeper(folder_, clock);
        keeper.start([](const QString&) { return false; });
        QCOMPARE(keeper.session().game().NumbersList.size(), std::size_t{0});
        QCOMPARE(keeper.session().params().GameModes, quorvel::GameMode::Chains);
        QCOMPARE(keeper.session().params().Safe_Level, 3);
        keeper.session().play_number(5);
        now += 3600;
        keeper.reset();
        keeper.session().play_number(6);
        keeper.end();
        const std::vector<SessionStore::KeptFile> files = keeper.kept_files();
        QCOMPARE(files.size(), std::size_t{3});
        QCOMPARE(files[0].clean, std::optional<bool>(false));
        QCOMPARE(files[1].clean, std::optional<bool>(true));
        QCOMPARE(files[2].clean, std::optional<bool>(true));

        // What the list shows of the first: read back from its journal.
        const quorvel::SessionSummary first = quorvel::summarise_session(files[0]);
        QCOMPARE(first.error, QString());
        QCOMPARE(first.start.toSecsSinceEpoch(), 1767225600);
        QCOMPARE(first.spins, qint64(spins));
        QCOMPARE(first.mode, QStringLiteral("CHAINS 4.1"));
        QCOMPARE(first.bankroll_at_start, 5000);
        QCOMPARE(first.bankroll_at_end, left_with);
        QVERIFY(left_with != 5000);

        // A link in the folder is no session to list, wherever it points.
        QCOMPARE(::symlink(QFile::encodeName(files[0].path).constData(),
                           QFile::encodeName(folder_ + QStringLiteral("/link.quorvel")).constData()),
                 0);
        QCOMPARE(keeper.kept_files().size(), std::size_t{3});

        // Opened to play on, a kept session leaves the list: it is the one in play.
        QCOMPARE(keeper.open_to_play_on(files[1].path), QString());
        QCOMPARE(keeper.session().game().NumbersList, std::vector<std::uint8_t>{5});
        QVERIFY(!QFile::exists(files[1].path));
        QCOMPARE(keeper.kept_files().size(), std::size_t{2});
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString folder_;
};

QTEST_GUILESS_MAIN(SessionStoreTest)
#include "session_store_test.moc"
