// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The session in the window: a saved session opens to what was shown, the four
// grey buttons work, and every click is in the journal.
#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/lab/lab_window.hpp"
#include "app/table/tform1.hpp"
#include "app/widgets/spin_edit.hpp"
#include "lab/figure_table.hpp"
#include "play/session.hpp"
#include "window_helpers.hpp"

using quorvel::GameMode;
using quorvel::TForm1;

Q_DECLARE_METATYPE(GameMode)

namespace {

using quorvel::testing::named;

// What the window shows of the game, label by label.
QStringList shown(const TForm1& form) {
    QStringList texts;
    for (int k = 1; k <= 10; ++k)
        texts << named<QLabel>(form, QStringLiteral("HisNum%1").arg(k))->text();
    for (const char* name : {"Caption_Bankroll", "Caption_MaxProfit", "Caption_ProfitBet"})
        texts << named<QLabel>(form, QLatin1String(name))->text();
    for (const char* sector : {"D1", "D2", "D3", "C1", "C2", "C3"}) {
        const QString name = QLatin1String(sector);
        texts << (named(form, QStringLiteral("Chip_") + name)->isVisible()
                      ? named<QLabel>(form, QStringLiteral("BetSize_") + name)->text()
                      : QStringLiteral("-"));
    }
    texts << QString::number(named(form, QStringLiteral("Undo"))->isVisible());
    texts << named<QComboBox>(form, QStringLiteral("GameModes"))->currentText();
    return texts;
}

}  // namespace

class SessionWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TForm1> form_;
    QStringList errors_;
    QStringList notices_;

    std::unique_ptr<TForm1> make_form() {
        auto form = std::make_unique<TForm1>();
        form->set_error_reporter([this](const QString& message) { errors_ << message; });
        form->set_notice_reporter([this](const QString& message) { notices_ << message; });
        form->findChild<QTimer*>(QStringLiteral("Timer_Analyse"))->setInterval(0);
        form->start_session([](const QString&) { return false; });
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get())) qWarning("the window is not active");
        return form;
    }

    void click(int number) {
        auto* button = named<QPushButton>(*form_, QStringLiteral("SpeedButton%1").arg(number));
        if (!button->isVisible()) return;
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(!form_->game().pause.Timer_Analyse);
    }

    void play(GameMode mode) {
        named<QComboBox>(*form_, QStringLiteral("GameModes"))
            ->setCurrentIndex(quorvel::row_of(mode));
        if (mode == GameMode::Adaptive)
            QTest::mouseClick(named<QPushButton>(*form_, QStringLiteral("Adaptive_Matrix")),
                              Qt::LeftButton);
        for (int number : {7, 20, 1, 33, 5, 36, 14, 29, 2, 25, 11, 18, 31})
            click(number);
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_STATE_HOME", (dir_->path() + QStringLiteral("/state")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (dir_->path() + QStringLiteral("/config")).toLocal8Bit());
        errors_.clear();
        notices_.clear();
        form_ = make_form();
    }

    void cleanup() { form_.reset(); }

    void a_saved_session_opens_to_what_was_shown_data() {
        QTest::addColumn<GameMode>("mode");
        for (std::size_t m = 0; m < quorvel::items_of<GameMode>().size(); ++m) {
            const auto mode = static_cast<GameMode>(m);
            QTest::newRow(quorvel::text_of(mode).data()) << mode;
        }
    }

    void a_saved_session_opens_to_what_was_shown() {
        QFETCH(GameMode, mode);
        play(mode);
        const QStringList before = shown(*form_);
        const std::string journal = form_->session().journal();
        const QString file = dir_->filePath(QStringLiteral("evening.quorvel"));
        form_->set_session_file_chooser([file](bool) { return file; });
        QTest::keyClick(form_.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QFile::exists(file));

        // Another window, another time: the clock has moved on, the bets come back.
        form_.reset();
        form_ = make_form();
        form_->set_session_file_chooser([file](bool) { return file; });
        QTest::keyClick(form_.get(), Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(errors_, QStringList());
        QCOMPARE(shown(*form_), before);
        QCOMPARE(form_->session().journal(), journal);
    }

    void a_refused_session_names_its_place_and_changes_nothing() {
        play(GameMode::DeepScan);
        const QStringList before = shown(*form_);
        QFile file(dir_->filePath(QStringLiteral("bad.quorvel")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "{\"format\":\"quorvel-session\",\"version\":1,\"start\":1}\n{\"number\":3}\n"
            "{\"jackpot\":true}\n");
        file.close();
        form_->open_session(file.fileName());
        QCOMPARE(errors_.size(), 1);
        QVERIFY2(errors_.front().contains(QStringLiteral("bad.quorvel:3:2: unknown action")),
                 qPrintable(errors_.front()));
        QCOMPARE(shown(*form_), before);
    }

    void a_dropped_session_file_is_opened_and_load_spins_takes_its_numbers() {
        play(GameMode::Chains);
        click(4);
        QTest::mouseClick(named<QPushButton>(*form_, QStringLiteral("Undo")), Qt::LeftButton);
        const QString file = dir_->filePath(QStringLiteral("dropped.quorvel"));
        form_->save_session(file);
        const QStringList before = shown(*form_);
        const auto numbers = form_->game().NumbersList;

        form_.reset();
        form_ = make_form();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(300, 60), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(form_.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPoint(300, 60), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form_.get(), &drop);
        QCOMPARE(shown(*form_), before);

        // "Load spins…" plays the numbers, without the one taken back.
        form_.reset();
        form_ = make_form();
        QSignalSpy finished(form_.get(), &TForm1::loadFinished);
        form_->load_spins(file);
        QVERIFY(finished.wait(10000));
        QCOMPARE(errors_, QStringList());
        QCOMPARE(form_->game().NumbersList, numbers);
        QCOMPARE(notices_.size(), 1);
        QVERIFY2(
            notices_.front().startsWith(
                QStringLiteral("%1 numbers were loaded from dropped.quorvel").arg(numbers.size())),
            qPrintable(notices_.front()));
    }

    void set_bankroll_sets_the_test_bank_value_and_an_undo_keeps_it() {
        play(GameMode::DeepScan);
        auto* bank = named<quorvel::SpinEdit>(*form_, QStringLiteral("CSpinEdit1"));
        const std::int64_t before = form_->game().Bankroll;
        bank->setValue(9000);
        QTest::mouseClick(named<QPushButton>(*form_, QStringLiteral("SetBankroll")),
                          Qt::LeftButton);
        QCOMPARE(named<QLabel>(*form_, QStringLiteral("Caption_Bankroll"))->text(),
                 QStringLiteral("TEST BANKROLL: 9000"));
        QVERIFY(form_->session().journal().find("{\"SET BANKROLL\":9000}") != std::string::npos);
        // The lab's Session tab shows the top-up apart from the winnings.
        form_->open_lab();
        QVERIFY(form_->lab_window() != nullptr);
        const auto* adjustments =
            form_->lab_window()->findChild<QLabel*>(QStringLiteral("Figure_adjustments"));
        QVERIFY(adjustments != nullptr);
        QTRY_VERIFY2(
            adjustments->text().remove(QLatin1Char(',')).endsWith(QString::number(9000 - before)),
            qPrintable(adjustments->text()));
        // An emptied field has nothing to set.
        bank->clear();
        QVERIFY(!named<QPushButton>(*form_, QStringLiteral("SetBankroll"))->isEnabled());
    }

    void saved_settings_load_back_through_the_same_handlers() {
        named<QComboBox>(*form_, QStringLiteral("GameModes"))->setCurrentIndex(3);
        named<QComboBox>(*form_, QStringLiteral("Safe_Level"))->setCurrentIndex(2);
        named<quorvel::SpinEdit>(*form_, QStringLiteral("Init_Bet"))->setValue(4);
        QTest::mouseClick(named<QPushButton>(*form_, QStringLiteral("SaveSettings")),
                          Qt::LeftButton);
        QCOMPARE(errors_, QStringList());
        QCOMPARE(notices_.size(), 1);  // that it saved, and where

        form_.reset();
        form_ = make_form();
        QCOMPARE(named<QComboBox>(*form_, QStringLiteral("GameModes"))->currentIndex(), 1);
        QTest::mouseClick(named<QPushButton>(*form_, QStringLiteral("LoadSettings")),
                          Qt::LeftButton);
        QCOMPARE(errors_, QStringList());
        QCOMPARE(named<QComboBox>(*form_, QStringLiteral("GameModes"))->currentText(),
                 QStringLiteral("PARADOX 4.1"));
        QCOMPARE(named<QComboBox>(*form_, QStringLiteral("Safe_Level"))->currentIndex(), 2);
        QCOMPARE(named<quorvel::SpinEdit>(*form_, QStringLiteral("Init_Bet"))->value(), 4);
        QCOMPARE(form_->game().params.Safe_Level, 2);
        QVERIFY(form_->game().table.SL_Field);  // the safe level's handler ran
        const std::string& journal = form_->session().journal();
        QVERIFY(journal.find("\"Mode\":\"PARADOX 4.1\"") != std::string::npos);
        QVERIFY(journal.find("\"Safe Level\":2") != std::string::npos);
    }

    // "Load spins…" into a session with spins asks what the numbers are for:
    // added to it, a new session with the same settings (the old one kept),
    // or nothing; a notice then says how many were loaded. The Cancel row
    // answers the real question box.
    void a_load_into_a_session_with_spins_asks_first_data() {
        QTest::addColumn<QString>("answer");
        QTest::newRow("add") << "add";
        QTest::newRow("new session") << "new";
        QTest::newRow("cancel") << "cancel";
    }

    void a_load_into_a_session_with_spins_asks_first() {
        QFETCH(QString, answer);
        named<quorvel::SpinEdit>(*form_, QStringLiteral("CSpinEdit1"))->setValue(700);
        play(GameMode::Smart2024);
        const auto before = form_->game().NumbersList;
        const std::string journal = form_->session().journal();
        const QString file = dir_->filePath(QStringLiteral("table 7.txt"));
        {
            QFile spins(file);
            QVERIFY(spins.open(QIODevice::WriteOnly));
            spins.write("3 14 25\n0 36\n");
        }
        const QString state = dir_->path() + QStringLiteral("/state/quorvel");
        const auto kept = [&state] {
            return QDir(state).entryList({QStringLiteral("session *.quorvel")}).size();
        };
        const qsizetype kept_before = kept();
        QStringList asked;
        // Looks for the box until it shows, after the file was read.
        QTimer look;
        if (answer == QLatin1String("cancel")) {
            connect(&look, &QTimer::timeout, this, [&asked] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr || !asked.isEmpty()) return;
                asked << box->text();
                for (QAbstractButton* button : box->buttons()) {
                    asked << button->text().remove(QLatin1Char('&'));
                }
                for (QAbstractButton* button : box->buttons()) {
                    if (box->buttonRole(button) == QMessageBox::RejectRole) button->click();
                }
            });
            look.start(20);
        } else {
            form_->set_load_question([&](const QString& question, const QString& add,
                                         const QString& fresh) {
                asked << question << add << fresh;
                return answer == QLatin1String("add") ? quorvel::SpinLoading::Choice::Add
                                                      : quorvel::SpinLoading::Choice::NewSession;
            });
        }
        QSignalSpy finished(form_.get(), &TForm1::loadFinished);
        form_->load_spins(file);
        QVERIFY(finished.wait(10000));
        QCOMPARE(errors_, QStringList());
        QVERIFY2(asked.size() >= 3, qPrintable(asked.join('|')));
        QVERIFY2(asked[0].contains(QStringLiteral("table 7.txt holds 5 numbers")) &&
                     asked[0].contains(QStringLiteral("%1 spins").arg(before.size())),
                 qPrintable(asked[0]));
        QVERIFY(asked.contains(QStringLiteral("Add the 5 numbers to this session")));
        QVERIFY(asked.contains(QStringLiteral("Start a new session with them")));
        const std::vector<std::uint8_t> file_numbers{3, 14, 25, 0, 36};
        if (answer == QLatin1String("cancel")) {
            QVERIFY(asked.contains(QStringLiteral("Cancel")));
            QCOMPARE(form_->session().journal(), journal);
            QCOMPARE(notices_, QStringList());
            QCOMPARE(kept(), kept_before);
        } else if (answer == QLatin1String("add")) {
            auto added = before;
            added.insert(added.end(), file_numbers.begin(), file_numbers.end());
            QCOMPARE(form_->game().NumbersList, added);
            QCOMPARE(notices_,
                     QStringList{QStringLiteral(
                                     "5 numbers were loaded from table 7.txt. The session now has "
                                     "%1 spins.")
                                     .arg(added.size())});
            QCOMPARE(kept(), kept_before);
        } else {
            QCOMPARE(form_->game().NumbersList, file_numbers);
            // The settings stay, as "RESET APP" keeps them.
            QCOMPARE(named<QComboBox>(*form_, QStringLiteral("GameModes"))->currentText(),
                     QStringLiteral("SMART 2024"));
            QCOMPARE(form_->game().params.GameModes, GameMode::Smart2024);
            QCOMPARE(notices_.size(), 1);
            QVERIFY2(notices_.front().startsWith(
                         QStringLiteral("5 numbers were loaded from table 7.txt into a new "
                                        "session.")) &&
                         notices_.front().contains(QDir::toNativeSeparators(state)),
                     qPrintable(notices_.front()));
            // The old session is kept whole under its date.
            QCOMPARE(kept(), kept_before + 1);
            const QStringList files = QDir(state).entryList({QStringLiteral("session *.quorvel")},
                                                            QDir::Files, QDir::Name);
            QFile old(state + QLatin1Char('/') + files.last());
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll().toStdString(), journal);
        }
    }

    // "Sessions…" lists the kept sessions newest first, with what each was;
    // "Show file" hands over its path, "Open" plays it on from its end.
    void the_session_list_shows_and_opens_the_kept_sessions() {
        form_->set_reset_question([](const QString&) { return true; });
        play(GameMode::DeepScan);
        const QStringList first = shown(*form_);
        const auto first_numbers = form_->game().NumbersList;
        const QString first_end = QString::fromStdString(quorvel::grouped(form_->game().Bankroll));
        form_->reset_app();
        named<QComboBox>(*form_, QStringLiteral("GameModes"))
            ->setCurrentIndex(quorvel::row_of(GameMode::Smart2024));
        click(9);
        click(30);
        form_->reset_app();

        QStringList revealed;
        form_->set_session_revealer([&revealed](const QString& path) { revealed << path; });
        QList<QStringList> rows;
        QTimer look;
        connect(&look, &QTimer::timeout, this, [&rows] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || dialog->objectName() != QLatin1String("SessionsDialog"))
                return;
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("SessionList"));
            if (list == nullptr || !rows.isEmpty()) return;
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                QStringList row;
                for (int c = 0; c < list->columnCount(); ++c)
                    row << list->topLevelItem(i)->text(c);
                rows << row;
            }
            // The older session: its file shown, then opened.
            list->setCurrentItem(list->topLevelItem(1));
            dialog->findChild<QPushButton*>(QStringLiteral("ShowSessionFile"))->click();
            dialog->findChild<QPushButton*>(QStringLiteral("OpenSession"))->click();
        });
        look.start(20);
        QTest::keyClick(form_.get(), Qt::Key_H, Qt::ControlModifier);
        look.stop();
        QCOMPARE(errors_, QStringList());
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0][1], QStringLiteral("2"));
        QCOMPARE(rows[0][2], QStringLiteral("SMART 2024"));
        QCOMPARE(rows[0][3], QStringLiteral("5,000"));
        QCOMPARE(rows[0][5], QStringLiteral("cleanly"));
        QCOMPARE(rows[1][1], QString::number(first_numbers.size()));
        QCOMPARE(rows[1][2], QStringLiteral("DEEP SCAN 4.1"));
        QCOMPARE(rows[1][4], first_end);
        QCOMPARE(rows[1][5], QStringLiteral("cleanly"));
        QCOMPARE(revealed.size(), 1);
        QVERIFY(
            revealed.front().startsWith(dir_->path() + QStringLiteral("/state/quorvel/session ")));
        // Played on from its end, and no longer listed twice.
        QCOMPARE(form_->game().NumbersList, first_numbers);
        QCOMPARE(shown(*form_), first);
        QVERIFY(!QFile::exists(revealed.front()));
        click(12);
        QCOMPARE(form_->game().NumbersList.size(), first_numbers.size() + 1);
    }

    // After a run that did not end, the real question box says where "Start
    // new" leaves the last session; the new one keeps its settings, and the
    // list shows the old one as not ended cleanly.
    void start_new_after_a_crash_says_where_and_keeps_the_settings() {
        play(GameMode::Chains);
        const std::string journal = form_->session().journal();
        form_.reset();  // ends cleanly; the crash is made by hand below
        const QString state = dir_->path() + QStringLiteral("/state/quorvel");
        {
            QFile current(state + QStringLiteral("/current.quorvel"));
            QVERIFY(current.open(QIODevice::WriteOnly));
            current.write(journal.data(), static_cast<qint64>(journal.size()));
        }
        auto form = std::make_unique<TForm1>();
        form->set_error_reporter([this](const QString& message) { errors_ << message; });
        QString more;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&more] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            more = box->informativeText();
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == QLatin1String("Start new")) button->click();
            }
        });
        answer.start(20);
        form->start_session();
        answer.stop();
        QVERIFY2(more.contains(QStringLiteral("\"Start new\" keeps it under its date in %1")
                                   .arg(QDir::toNativeSeparators(state))) &&
                     more.contains(QStringLiteral("Sessions…")),
                 qPrintable(more));
        QVERIFY(form->game().NumbersList.empty());
        QCOMPARE(form->game().params.GameModes, GameMode::Chains);
        QCOMPARE(named<QComboBox>(*form, QStringLiteral("GameModes"))->currentText(),
                 QStringLiteral("CHAINS 4.1"));
        QCOMPARE(errors_, QStringList());
        form_ = std::move(form);
    }

    // The two settings buttons answer in an information box: where the
    // settings went, and how to save when nothing was saved yet.
    void the_settings_buttons_answer_with_a_notice() {
        form_->set_error_reporter({});
        form_->set_notice_reporter({});
        const QString stored =
            QDir::toNativeSeparators(dir_->path() + QStringLiteral("/config/quorvel/quorvel.conf"));
        struct Box {
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            QString text;
        };
        const auto answer = [this](const char* button) {
            Box seen;
            QTimer::singleShot(0, this, [&seen] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box == nullptr) return;
                seen = {box->icon(), box->text()};
                box->accept();
            });
            QTest::mouseClick(named<QPushButton>(*form_, QLatin1String(button)), Qt::LeftButton);
            return seen;
        };
        const Box nothing = answer("LoadSettings");
        QCOMPARE(nothing.icon, QMessageBox::Information);
        QVERIFY2(nothing.text.contains(QStringLiteral("No settings have been saved yet")) &&
                     nothing.text.contains(QStringLiteral("\"SAVE SETTINGS\"")) &&
                     nothing.text.contains(stored),
                 qPrintable(nothing.text));

        const Box saved = answer("SaveSettings");
        QCOMPARE(saved.icon, QMessageBox::Information);
        QVERIFY2(saved.text.contains(QStringLiteral("saved in")) && saved.text.contains(stored),
                 qPrintable(saved.text));
        QVERIFY(QFile::exists(stored));
        // Loaded back, nothing is said.
        const Box loaded = answer("LoadSettings");
        QCOMPARE(loaded.icon, QMessageBox::NoIcon);
    }

    void reset_app_asks_when_spins_were_entered_and_starts_anew() {
        named<quorvel::SpinEdit>(*form_, QStringLiteral("CSpinEdit1"))->setValue(700);
        play(GameMode::Smart2024);
        QStringList asked;
        bool answer = false;
        form_->set_reset_question([&](const QString& question) {
            asked << question;
            return answer;
        });
        QTest::mouseClick(named<QPushButton>(*form_, QStringLiteral("ResetApp")), Qt::LeftButton);
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked.front().contains(QStringLiteral("are kept")), qPrintable(asked.front()));
        QVERIFY(!form_->game().NumbersList.empty());

        answer = true;
        QTest::keyClick(form_.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(asked.size(), 2);
        QVERIFY(form_->game().NumbersList.empty());
        QCOMPARE(named<QLabel>(*form_, QStringLiteral("Caption_Bankroll"))->text(),
                 QStringLiteral("TEST BANKROLL: 700"));
        QCOMPARE(named<QComboBox>(*form_, QStringLiteral("GameModes"))->currentText(),
                 QStringLiteral("SMART 2024"));
        QCOMPARE(named<QLabel>(*form_, QStringLiteral("HisNum1"))->text(), QString());
        // Nothing to lose: no question.
        QTest::keyClick(form_.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(asked.size(), 2);
    }
};

QTEST_MAIN(SessionWindowTest)
#include "session_window_test.moc"
