// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window driven as a player would: clicks, pointer moves and the save
// dialog replaced by a chosen file name. Widgets are found by their game names.
#include <memory>
#include <stdexcept>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/widgets/gauge.hpp"
#include "app/widgets/shape.hpp"
#include "app/colours.hpp"
#include "app/table/table_rules_dialog.hpp"
#include "app/table/tform1.hpp"
#include "lab/random_spins.hpp"
#include "money/table_rules.hpp"
#include "play/session.hpp"
#include "write_faults.hpp"

using quorvel::Game;
using quorvel::Parameters;
using quorvel::Sector;
using quorvel::TForm1;

namespace {

constexpr int kPauseTimeoutMs = 3000;

QString sector_name(Sector sector) {
    const std::string_view name = quorvel::name_of(sector);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// Names every object of the program's thread that gets an event of the type
// while the log lives: for timer events, each one is a wake-up of the program.
class EventLog : public QObject {
public:
    explicit EventLog(QEvent::Type type) : type_(type) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~EventLog() override { QCoreApplication::instance()->removeEventFilter(this); }

    QStringList received() const { return received_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Qt's pixmap cache, which its style fills as it draws, trims itself
        // every 30 seconds while it holds anything: a wake of the toolkit's
        // own that no window can avoid, and one a long test run may meet.
        if (event->type() == type_ &&
            qstrcmp(watched->metaObject()->className(), "QPMCache") != 0) {
            received_ << QStringLiteral("%1 %2 (in %3)")
                             .arg(QLatin1String(watched->metaObject()->className()),
                                  watched->objectName(),
                                  watched->parent() ? watched->parent()->objectName() : QString());
        }
        return false;
    }

private:
    QEvent::Type type_;
    QStringList received_;
};

}  // namespace

class TForm1Test : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form_;
    QStringList errors_;

    template <typename T = QWidget>
    T* named(const QString& name) const {
        T* found = form_->findChild<T*>(name);
        if (found == nullptr) throw std::runtime_error("no widget named " + name.toStdString());
        return found;
    }

    QString caption(const QString& name) const { return named<QLabel>(name)->text(); }

    const Game& game() const { return form_->game(); }

    // Clicks a number's button as the player does; it must be there to click.
    void enter(int number) {
        auto* button = named<QPushButton>(QStringLiteral("SpeedButton%1").arg(number));
        QVERIFY2(button->isVisible(), qPrintable(button->objectName() + " is not clickable"));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void wait_for_pause_end() {
        QTRY_VERIFY_WITH_TIMEOUT(!game().pause.Timer_Analyse, kPauseTimeoutMs);
    }

    void spin(int number) {
        enter(number);
        if (QTest::currentTestFailed()) return;
        wait_for_pause_end();
    }

    // A pointer move through the window system, so the widget on top at that
    // point is the one that gets it.
    void move_to(const QPoint& window_point) {
        QTest::mouseMove(form_->windowHandle(), window_point);
        QCoreApplication::processEvents();
    }

    QPoint centre_of(const QString& name) const {
        QWidget* widget = named(name);
        return widget->mapTo(form_.get(), widget->rect().center());
    }

    QStringList history_row() const {
        QStringList row;
        for (int k = 1; k <= 12; ++k)
            row << caption(QStringLiteral("HisNum%1").arg(k));
        return row;
    }

private slots:
    void init() {
        errors_.clear();
        form_ = std::make_unique<TForm1>();
        form_->set_error_reporter([this](const QString& message) { errors_ << message; });
        form_->set_export_file_chooser([] {
            throw std::logic_error("the test did not choose a file");
            return QString();
        });
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    void cleanup() { form_.reset(); }

    void every_game_control_carries_its_name() {
        QStringList names{"Image45",
                          "SpeedButton42",
                          "Image_Button_Back1",
                          "Image_Button_Back2",
                          "Undo",
                          "Button_Minimize1",
                          "Button_Minimize2",
                          "Button_Close1",
                          "Button_Close2",
                          "Caption_ProfitBet",
                          "Image7",
                          "Background_Blur",
                          "Caption_Bankroll",
                          "Caption_MaxProfit",
                          "Shape15",
                          "Label_Numbers_In_Game",
                          "Button_Settings_0",
                          "Button_Settings_1",
                          "Button_Settings_2",
                          "CGauge1",
                          "Shape5",
                          "GameModes",
                          "N_Count",
                          "Init_Bet",
                          "BettingType",
                          "BettingSectors",
                          "CGauge2",
                          "Adaptive_Matrix",
                          "Set_N_Count",
                          "Shape2",
                          "RResetBets",
                          "ChBx_ManualBetReset",
                          "ChBx_Show_Numbers_In_Game",
                          "CGauge3",
                          "BettingSystem",
                          "Safe_Level",
                          "ChBx_TestBankroll",
                          "CSpinEdit1",
                          "CheckBox_Blind",
                          "OnAnyProfit",
                          "OnEqual",
                          "SetUnits",
                          "ProfitUnits",
                          "ChBx_Get_Minimal_Profit",
                          "ChBx_ProfitBet",
                          "CheckBox1",
                          "CGauge4",
                          "Label25",
                          "Losses_HowMuch",
                          "Losses_Type",
                          "Losses_Action",
                          "Losses_ActionValue",
                          "Blank_Piece",
                          "Label26",
                          "Wins_HowMuch",
                          "Wins_Type",
                          "Wins_Action",
                          "Wins_ActionValue",
                          "CGauge5",
                          "FocusCatch",
                          "CurrentNum",
                          "CurrentBet",
                          "Label28",
                          "Label1",
                          "Label2",
                          "Label3",
                          "Label4",
                          "Label5",
                          "Label6",
                          "Label27"};
        for (int k = 1; k <= 12; ++k)
            names << QStringLiteral("HisNum%1").arg(k);
        for (int n = 0; n <= 36; ++n) {
            names << QStringLiteral("Number%1").arg(n) << QStringLiteral("SpeedButton%1").arg(n)
                  << QStringLiteral("Button%1").arg(n);
        }
        for (int i = 1; i <= 6; ++i) {
            names << QStringLiteral("Image%1").arg(i) << QStringLiteral("SL_Field_%1").arg(i);
        }
        for (Sector sector : quorvel::kAllSectors) {
            const QString x = sector_name(sector);
            names << "Chip_" + x << "BetSize_" + x;
            for (int state = 0; state < 3; ++state)
                names << QStringLiteral("Trend_%1_%2").arg(x).arg(state);
        }
        for (const QString& name : names) {
            QVERIFY2(form_->findChildren<QWidget*>(name).size() == 1, qPrintable(name));
        }
        auto* timer = form_->findChild<QTimer*>(QStringLiteral("Timer_Analyse"));
        QVERIFY(timer != nullptr);
        QCOMPARE(timer->interval(), 10);
        QVERIFY(!timer->isActive());
    }

    void window_opens_compact_frameless_and_on_top() {
        QCOMPARE(form_->windowTitle(), QStringLiteral("Quorvel 4.1"));
        QVERIFY(form_->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(form_->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(form_->size(), QSize(520, 280));
        QCOMPARE(form_->pos(), QPoint(224, 106));
        for (int k = 1; k <= 12; ++k)
            QVERIFY(caption(QStringLiteral("HisNum%1").arg(k)).isEmpty());
        QCOMPARE(caption("Caption_Bankroll"), QStringLiteral("TEST BANKROLL: 5000"));
        QCOMPARE(caption("Caption_MaxProfit"), QStringLiteral("MAX. BANK: 5000"));
        QVERIFY(!named("Undo")->isVisible());
        QVERIFY(!named("Caption_ProfitBet")->isVisible());
        QVERIFY(!named("Label_Numbers_In_Game")->isVisible());
    }

    // Cells from the corners and the middle of the table: the button lies over
    // its cell picture and nothing covers it.
    void number_buttons_lie_over_their_cells_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QPoint>("top_left");
        QTest::newRow("0") << 0 << QPoint(8, 112);
        QTest::newRow("1") << 1 << QPoint(40, 144);
        QTest::newRow("2") << 2 << QPoint(40, 112);
        QTest::newRow("3") << 3 << QPoint(40, 80);
        QTest::newRow("13") << 13 << QPoint(168, 144);
        QTest::newRow("17") << 17 << QPoint(200, 112);
        QTest::newRow("24") << 24 << QPoint(264, 80);
        QTest::newRow("34") << 34 << QPoint(392, 144);
        QTest::newRow("35") << 35 << QPoint(392, 112);
        QTest::newRow("36") << 36 << QPoint(392, 80);
    }

    void number_buttons_lie_over_their_cells() {
        QFETCH(int, number);
        QFETCH(QPoint, top_left);
        const QRect cell(top_left, QSize(33, 33));
        QWidget* button = named(QStringLiteral("SpeedButton%1").arg(number));
        QCOMPARE(button->geometry(), cell);
        QCOMPARE(named(QStringLiteral("Number%1").arg(number))->geometry(), cell);
        QCOMPARE(form_->childAt(cell.center()), button);
    }

    void a_number_runs_the_pause_then_enters_the_row() {
        enter(7);
        QVERIFY(game().pause.Timer_Analyse);
        QVERIFY(named<QTimer>("Timer_Analyse")->isActive());
        QCOMPARE(named("CurrentNum")->property("tag").toInt(), 7);
        for (int n = 0; n <= 36; ++n) {
            const QString number = QString::number(n);
            QCOMPARE(named("Number" + number)->isVisible(), n == 7);
            QVERIFY2(!named("SpeedButton" + number)->isVisible(), qPrintable(number));
        }
        auto* gauge = named<quorvel::Gauge>("CGauge1");
        QTRY_VERIFY_WITH_TIMEOUT(gauge->progress() > 0, kPauseTimeoutMs);

        wait_for_pause_end();
        QCOMPARE(caption("HisNum1"), QStringLiteral("7"));
        QVERIFY(caption("HisNum2").isEmpty());
        QCOMPARE(named("HisNum1")->palette().color(QPalette::Window), QColor(128, 0, 0));
        QCOMPARE(caption("Label_Numbers_In_Game"), QStringLiteral("Numbers in game: 1"));
        QCOMPARE(gauge->progress(), 0);
        QVERIFY(!named<QTimer>("Timer_Analyse")->isActive());
        for (int n = 0; n <= 36; ++n) {
            QVERIFY(named(QStringLiteral("SpeedButton%1").arg(n))->isVisible());
        }
        // The first number already offers the undo.
        QVERIFY(named("Undo")->isVisible());
        QVERIFY(named("Image_Button_Back2")->isVisible());
    }

    void undo_moves_the_row_back_and_blocks_the_undone_number() {
        spin(5);
        spin(17);
        spin(23);
        QCOMPARE(history_row().mid(0, 4), (QStringList{"23", "17", "5", ""}));

        QTest::mouseClick(named<QPushButton>("Undo"), Qt::LeftButton);
        QCOMPARE(history_row().mid(0, 3), (QStringList{"17", "5", ""}));
        QCOMPARE(game().NumbersList, (std::vector<std::uint8_t>{5, 17}));
        QCOMPARE(caption("Label_Numbers_In_Game"), QStringLiteral("Numbers in game: 2"));
        for (int n = 0; n <= 36; ++n) {
            const QString number = QString::number(n);
            QCOMPARE(named("Number" + number)->isVisible(), n != 23);
            QCOMPARE(named("SpeedButton" + number)->isVisible(), n != 23);
        }
        QVERIFY(!named("Undo")->isVisible());
        QVERIFY(!named("Image_Button_Back2")->isVisible());
        QVERIFY(named("Image_Button_Back1")->isVisible());
    }

    // A tick within the pause moves the gauge and draws nothing else; the whole
    // display follows the game again when the pause ends.
    void the_pause_redraws_only_the_gauge() {
        const QString bankroll = caption("Caption_Bankroll");
        enter(5);
        QVERIFY(game().pause.Timer_Analyse);
        QCoreApplication::processEvents();  // the start of the pause is drawn
        const EventLog paints(QEvent::Paint);
        form_->game().Bankroll = 1234;  // behind the window's back
        QTRY_VERIFY_WITH_TIMEOUT(game().pause.CGauge1 >= 50, kPauseTimeoutMs);
        QCOMPARE(named<quorvel::Gauge>("CGauge1")->progress(), game().pause.CGauge1);
        QCoreApplication::processEvents();
        QStringList painted = paints.received();
        painted.removeDuplicates();
        QCOMPARE(painted, QStringList{"quorvel::Gauge CGauge1 (in Form1)"});
        QCOMPARE(caption("Caption_Bankroll"), bankroll);

        wait_for_pause_end();
        QCOMPARE(caption("Caption_Bankroll"), QStringLiteral("TEST BANKROLL: 1234"));
    }

    // The cells are hidden and shown again as a block; what reaches the screen
    // at the start and at the end of the pause is the whole window drawn anew.
    void the_screen_follows_the_cells_through_the_pause() {
        const auto on_screen = [this] {
            QCoreApplication::processEvents();
            return form_->screen()
                ->grabWindow(form_->winId())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        const auto drawn_whole = [this] {
            return form_->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        for (int number : {17, 0, 36}) {
            enter(number);
            QVERIFY(game().pause.Timer_Analyse);
            QCOMPARE(on_screen(), drawn_whole());
            wait_for_pause_end();
            QCOMPARE(on_screen(), drawn_whole());
        }
    }

    void undo_stays_clickable_during_the_pause() {
        spin(5);
        enter(9);
        QVERIFY(game().pause.Timer_Analyse);
        QVERIFY(named("Undo")->isVisible());
        QTest::mouseClick(named<QPushButton>("Undo"), Qt::LeftButton);
        QCOMPARE(caption("HisNum1"), QStringLiteral("5"));
        QCOMPARE(game().NumbersList, std::vector<std::uint8_t>{5});
    }

    // A press on the pictures between the cells starts a drag, never a spin.
    void pressing_the_pictures_enters_no_number_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("picture");
        QTest::newRow("table left of zero") << QPoint(3, 100) << "Image7";
        QTest::newRow("table below the dozens") << QPoint(300, 240) << "Image7";
        QTest::newRow("table money plaque") << QPoint(120, 60) << "Image7";
        QTest::newRow("header word mark") << QPoint(80, 20) << "Image45";
        QTest::newRow("header on an empty history label") << QPoint(152, 20) << "Image45";
    }

    void pressing_the_pictures_enters_no_number() {
        QFETCH(QPoint, point);
        QFETCH(QString, picture);
        QWidget* target = form_->childAt(point);
        QVERIFY(target != nullptr);
        QCOMPARE(target->objectName(), picture);
        QTest::mousePress(target, Qt::LeftButton, {}, target->mapFrom(form_.get(), point));
        QTest::mouseRelease(target, Qt::LeftButton, {}, target->mapFrom(form_.get(), point));
        QVERIFY(game().NumbersList.empty());
        QVERIFY(caption("HisNum1").isEmpty());
        QVERIFY(!game().pause.Timer_Analyse);
        QVERIFY(named("SpeedButton0")->isVisible());
    }

    void settings_fold_out_and_back() {
        spin(7);
        const QStringList row = history_row();
        QWidget* highlighted = named("Button_Settings_1");
        QVERIFY(!highlighted->isVisible());
        move_to(centre_of("Button_Settings_0"));
        QVERIFY(highlighted->isVisible());

        QTest::mouseClick(highlighted, Qt::LeftButton);
        QCOMPARE(form_->height(), 599);
        QCOMPARE(form_->width(), 520);
        QVERIFY(named("Button_Settings_2")->isVisible());
        QVERIFY(named("GameModes")->isVisible());

        QTest::mouseClick(named("Button_Settings_2"), Qt::LeftButton);
        QCOMPARE(form_->height(), 280);
        QCOMPARE(form_->width(), 520);
        QVERIFY(!named("Button_Settings_2")->isVisible());
        QCOMPARE(history_row(), row);
        QCOMPARE(game().NumbersList, std::vector<std::uint8_t>{7});
    }

    // Folded in, no control of the settings may take a key press unseen.
    void folding_in_takes_the_keyboard_off_the_settings() {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        move_to(centre_of("Button_Settings_0"));
        QTest::mouseClick(named("Button_Settings_1"), Qt::LeftButton);
        auto* line = named<QSpinBox>("Init_Bet")->findChild<QLineEdit*>();
        QTest::mouseClick(line, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), named("Init_Bet"));

        QTest::mouseClick(named("Button_Settings_2"), Qt::LeftButton);
        QCOMPARE(form_->height(), 280);
        QCOMPARE(QApplication::focusWidget(), named("FocusCatch"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), named("FocusCatch"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(game().params.GameModes, quorvel::GameMode::DeepScan);
        QCOMPARE(game().params.Init_Bet, std::optional<int>(1));
    }

    // A button or radio choice never leaves the keyboard on a visible control.
    void buttons_and_radios_leave_the_keyboard_on_the_focus_sink() {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        move_to(centre_of("Button_Settings_0"));
        QTest::mouseClick(named("Button_Settings_1"), Qt::LeftButton);

        QTest::mouseClick(named<QPushButton>("Adaptive_Matrix"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), named("FocusCatch"));
        form_->game().Bet_Step = 5;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(game().Bet_Step, 5);

        QTest::mouseClick(named<QRadioButton>("SetUnits"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), named("FocusCatch"));
        // An arrow key on a radio button would choose and keep the keyboard,
        // so Tab must never reach one.
        for (int step = 0; step < 60; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            QVERIFY2(qobject_cast<QRadioButton*>(focused) == nullptr,
                     qPrintable(focused->objectName()));
        }
    }

    void hovering_a_button_shows_its_twin_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("twin");
        QTest::newRow("close") << "Button_Close1"
                               << "Button_Close2";
        QTest::newRow("minimise") << "Button_Minimize1"
                                  << "Button_Minimize2";
        QTest::newRow("settings") << "Button_Settings_0"
                                  << "Button_Settings_1";
    }

    void hovering_a_button_shows_its_twin() {
        QFETCH(QString, button);
        QFETCH(QString, twin);
        const QStringList twins{"Button_Close2", "Button_Minimize2", "Button_Settings_1"};
        move_to(centre_of(button));
        for (const QString& other : twins)
            QCOMPARE(named(other)->isVisible(), other == twin);
        // Moving on over the twin itself keeps it.
        move_to(centre_of(button) + QPoint(1, 1));
        QVERIFY(named(twin)->isVisible());
        move_to(QPoint(300, 240));
        QVERIFY(!named(twin)->isVisible());
    }

    // Every surface around the buttons takes the highlight away.
    void moving_over_a_surface_removes_the_highlight_data() {
        QTest::addColumn<QString>("surface");
        QTest::addColumn<QPoint>("point");
        QTest::newRow("table picture") << "Image7" << QPoint(20, 230);
        QTest::newRow("header picture") << "Image45" << QPoint(80, 20);
        QTest::newRow("history label on the header") << "Image45" << QPoint(150, 20);
        QTest::newRow("dozen cell") << "Image2" << QPoint(230, 200);
        QTest::newRow("column cell") << "Image4" << QPoint(450, 160);
        QTest::newRow("trend marker") << "Trend_D1_0" << QPoint(68, 220);
        QTest::newRow("undo picture") << "Image_Button_Back1" << QPoint(430, 20);
        QTest::newRow("number button") << "SpeedButton17" << QPoint(216, 128);
    }

    void moving_over_a_surface_removes_the_highlight() {
        QFETCH(QString, surface);
        QFETCH(QPoint, point);
        QCOMPARE(form_->childAt(point)->objectName(), surface);
        move_to(centre_of("Button_Close1"));
        QVERIFY(named("Button_Close2")->isVisible());
        move_to(point);
        QVERIFY(!named("Button_Close2")->isVisible());
    }

    void chips_and_overlays_follow_the_game_data() {
        QTest::addColumn<int>("sector_index");
        for (Sector sector : quorvel::kAllSectors) {
            QTest::newRow(qPrintable(sector_name(sector))) << quorvel::index_of(sector);
        }
    }

    void chips_and_overlays_follow_the_game() {
        QFETCH(int, sector_index);
        const Sector marked = quorvel::sector_at(sector_index);
        form_->game().table.chips = {marked};
        form_->game().table.trend_marks = {marked};
        form_->game().Bet_Size = 12;
        form_->refresh();
        for (Sector sector : quorvel::kAllSectors) {
            const QString x = sector_name(sector);
            const bool expected = sector == marked;
            QCOMPARE(named("Chip_" + x)->isVisible(), expected);
            QCOMPARE(named("BetSize_" + x)->isVisible(), expected);
            QCOMPARE(named("Trend_" + x + "_2")->isVisible(), expected);
            QVERIFY(named("Trend_" + x + "_0")->isVisible());
            QVERIFY(!named("Trend_" + x + "_1")->isVisible());
        }
        QCOMPARE(caption("BetSize_" + sector_name(marked)), QStringLiteral("12"));

        form_->game().table.chips.clear();
        form_->refresh();
        QVERIFY(!named("Chip_" + sector_name(marked))->isVisible());
        QVERIFY(!named("BetSize_" + sector_name(marked))->isVisible());
    }

    void safe_level_and_blur_follow_the_game() {
        form_->game().table.SL_Field = true;
        form_->game().table.Background_Blur = true;
        form_->refresh();
        for (int i = 1; i <= 6; ++i)
            QVERIFY(named(QStringLiteral("SL_Field_%1").arg(i))->isVisible());
        QVERIFY(named("Background_Blur")->isVisible());
        QCOMPARE(form_->childAt(QPoint(216, 128))->objectName(), QStringLiteral("Background_Blur"));

        form_->game().table.SL_Field = false;
        form_->game().table.Background_Blur = false;
        form_->refresh();
        for (int i = 1; i <= 6; ++i)
            QVERIFY(!named(QStringLiteral("SL_Field_%1").arg(i))->isVisible());
        QVERIFY(!named("Background_Blur")->isVisible());
    }

    // While the blur hides the table, it is the table: moving onto it takes a
    // highlight away and pressing on it drags the window.
    void the_blur_resets_the_hovers_and_drags() {
        move_to(centre_of("Button_Settings_0"));
        QTest::mouseClick(named("Button_Settings_1"), Qt::LeftButton);
        QTest::mouseClick(named<QPushButton>("Adaptive_Matrix"), Qt::LeftButton);
        QTest::mouseClick(named<QPushButton>("Set_N_Count"), Qt::LeftButton);
        QTest::mouseClick(named("Button_Settings_2"), Qt::LeftButton);
        QWidget* blur = named("Background_Blur");
        QVERIFY(blur->isVisible());
        QCOMPARE(form_->childAt(QPoint(264, 245)), blur);

        move_to(centre_of("Button_Settings_0"));
        QVERIFY(named("Button_Settings_1")->isVisible());
        move_to(QPoint(264, 245));
        QVERIFY(!named("Button_Settings_1")->isVisible());

        const QPoint start = form_->pos();
        const QPoint grip = blur->mapFrom(form_.get(), QPoint(300, 150));
        QTest::mousePress(blur, Qt::LeftButton, {}, grip);
        QTest::mouseMove(blur, grip + QPoint(30, 20));
        QTest::mouseRelease(blur, Qt::LeftButton, {}, grip + QPoint(30, 20));
        QCOMPARE(form_->pos(), start + QPoint(30, 20));
        QVERIFY(game().NumbersList.empty());
    }

    void settings_start_values_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("value");
        QTest::newRow("GameModes") << "GameModes"
                                   << "DEEP SCAN 4.1";
        QTest::newRow("BettingType") << "BettingType"
                                     << "1";
        QTest::newRow("BettingSectors") << "BettingSectors"
                                        << "Dozens & Columns";
        QTest::newRow("BettingSystem") << "BettingSystem"
                                       << "Blind";
        QTest::newRow("Safe_Level") << "Safe_Level"
                                    << "0";
        QTest::newRow("Losses_Type") << "Losses_Type"
                                     << "Losses";
        QTest::newRow("Losses_Action") << "Losses_Action"
                                       << "ADD to bet:";
        QTest::newRow("Wins_Type") << "Wins_Type"
                                   << "Wins";
        QTest::newRow("Wins_Action") << "Wins_Action"
                                     << "DO NOTHING";
        QTest::newRow("N_Count") << "N_Count"
                                 << "10";
        QTest::newRow("Init_Bet") << "Init_Bet"
                                  << "1";
        QTest::newRow("CSpinEdit1") << "CSpinEdit1"
                                    << "5000";
        QTest::newRow("ProfitUnits") << "ProfitUnits"
                                     << "50";
        QTest::newRow("Losses_HowMuch") << "Losses_HowMuch"
                                        << "1";
        QTest::newRow("Losses_ActionValue") << "Losses_ActionValue"
                                            << "1";
        QTest::newRow("Wins_HowMuch") << "Wins_HowMuch"
                                      << "1";
        QTest::newRow("Wins_ActionValue") << "Wins_ActionValue"
                                          << "1";
        QTest::newRow("FocusCatch") << "FocusCatch"
                                    << "1";
        QTest::newRow("CheckBox1") << "CheckBox1"
                                   << "on";
        QTest::newRow("ChBx_Show_Numbers_In_Game") << "ChBx_Show_Numbers_In_Game"
                                                   << "off";
        QTest::newRow("CheckBox_Blind") << "CheckBox_Blind"
                                        << "on";
        QTest::newRow("OnAnyProfit") << "OnAnyProfit"
                                     << "on";
        QTest::newRow("SetUnits") << "SetUnits"
                                  << "off";
        QTest::newRow("OnEqual") << "OnEqual"
                                 << "off";
        QTest::newRow("ChBx_TestBankroll") << "ChBx_TestBankroll"
                                           << "on";
        QTest::newRow("ChBx_Get_Minimal_Profit") << "ChBx_Get_Minimal_Profit"
                                                 << "on";
        QTest::newRow("ChBx_ProfitBet") << "ChBx_ProfitBet"
                                        << "off";
        QTest::newRow("ChBx_ManualBetReset") << "ChBx_ManualBetReset"
                                             << "on";
    }

    void settings_start_values() {
        QFETCH(QString, control);
        QFETCH(QString, value);
        QWidget* widget = named(control);
        QVERIFY(widget->isEnabled());
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            QCOMPARE(list->currentText(), value);
        } else if (auto* edit = qobject_cast<QSpinBox*>(widget)) {
            QCOMPARE(edit->text(), value);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QCOMPARE(button->isChecked() ? QStringLiteral("on") : QStringLiteral("off"), value);
        } else {
            QFAIL("not a setting");
        }
    }

    void settings_ranges_and_fixed_states() {
        const auto range = [this](const char* name) {
            auto* edit = named<QSpinBox>(name);
            return QPair<int, int>(edit->minimum(), edit->maximum());
        };
        QCOMPARE(range("N_Count"), (QPair<int, int>(10, 1000)));
        QCOMPARE(range("Init_Bet"), (QPair<int, int>(1, 1000000)));
        QCOMPARE(range("CSpinEdit1"), (QPair<int, int>(1, 1000000)));
        QCOMPARE(range("ProfitUnits"), (QPair<int, int>(1, 100000)));
        QCOMPARE(range("Wins_ActionValue"), (QPair<int, int>(1, 1000000)));
        QCOMPARE(range("FocusCatch"), (QPair<int, int>(1, 1000)));

        auto* safe_level = named<QComboBox>("Safe_Level");
        QCOMPARE(safe_level->count(), 21);
        QCOMPARE(safe_level->itemText(20), QStringLiteral("20"));
        QCOMPARE(named<QComboBox>("Losses_Action")->count(), 7);
        QCOMPARE(named<QComboBox>("Wins_Action")->count(), 6);

        QVERIFY(named("Adaptive_Matrix")->isEnabled());
        QVERIFY(named("RResetBets")->isEnabled());
        QVERIFY(!named("Set_N_Count")->isEnabled());
        QVERIFY(named("Wins_ActionValue")->isHidden());
        QVERIFY(named("Blank_Piece")->isHidden());
        QCOMPARE(caption("Label25"), QStringLiteral("AFTER:"));
        QCOMPARE(caption("Label26"), QStringLiteral("AFTER:"));
        QCOMPARE(caption("Label5"), QStringLiteral("Betting Sectors:"));
        QCOMPARE(caption("Label27"), QStringLiteral("Safe Level:"));
    }

    // A list chosen by the keyboard stores its item and hands the focus on.
    void a_list_choice_is_stored_and_moves_the_focus_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected_row");
        QTest::newRow("GameModes") << "GameModes" << int(Qt::Key_Down) << 2;
        QTest::newRow("BettingType") << "BettingType" << int(Qt::Key_Down) << 1;
        QTest::newRow("BettingSectors") << "BettingSectors" << int(Qt::Key_Down) << 1;
        QTest::newRow("BettingSystem") << "BettingSystem" << int(Qt::Key_Up) << 2;
        QTest::newRow("Safe_Level") << "Safe_Level" << int(Qt::Key_Down) << 1;
        QTest::newRow("Losses_Type") << "Losses_Type" << int(Qt::Key_Down) << 1;
        QTest::newRow("Losses_Action") << "Losses_Action" << int(Qt::Key_Down) << 1;
        QTest::newRow("Wins_Type") << "Wins_Type" << int(Qt::Key_Down) << 1;
        QTest::newRow("Wins_Action") << "Wins_Action" << int(Qt::Key_Up) << 4;
    }

    void a_list_choice_is_stored_and_moves_the_focus() {
        QFETCH(QString, list);
        QFETCH(int, key);
        QFETCH(int, expected_row);
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        auto* box = named<QComboBox>(list);
        box->setFocus();
        QVERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key(key));
        QCOMPARE(box->currentIndex(), expected_row);

        const Parameters& p = game().params;
        const QHash<QString, int> stored{
            {"GameModes", quorvel::row_of(p.GameModes)},
            {"BettingType", quorvel::row_of(p.BettingType)},
            {"BettingSectors", quorvel::row_of(p.BettingSectors)},
            {"BettingSystem", quorvel::row_of(p.BettingSystem)},
            {"Safe_Level", p.Safe_Level},
            {"Losses_Type", quorvel::row_of(p.Losses_Type)},
            {"Losses_Action", quorvel::row_of(p.Losses_Action)},
            {"Wins_Type", quorvel::row_of(p.Wins_Type)},
            {"Wins_Action", quorvel::row_of(p.Wins_Action)},
        };
        QCOMPARE(stored.value(list, -1), expected_row);
        QCOMPARE(QApplication::focusWidget(), named("FocusCatch"));
    }

    void a_spin_edit_stores_its_number_or_nothing_while_empty_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("expected");  // -1: no value
        QTest::newRow("N_Count") << "N_Count"
                                 << "250" << 250;
        QTest::newRow("Init_Bet") << "Init_Bet"
                                  << "40" << 40;
        QTest::newRow("Init_Bet emptied") << "Init_Bet"
                                          << "" << -1;
        QTest::newRow("CSpinEdit1") << "CSpinEdit1"
                                    << "12000" << 12000;
        QTest::newRow("ProfitUnits") << "ProfitUnits"
                                     << "75" << 75;
        QTest::newRow("Losses_HowMuch") << "Losses_HowMuch"
                                        << "3" << 3;
        QTest::newRow("Losses_ActionValue emptied") << "Losses_ActionValue"
                                                    << "" << -1;
        QTest::newRow("Wins_HowMuch") << "Wins_HowMuch"
                                      << "6" << 6;
        QTest::newRow("Wins_ActionValue") << "Wins_ActionValue"
                                          << "9" << 9;
    }

    void a_spin_edit_stores_its_number_or_nothing_while_empty() {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(int, expected);
        auto* line = named<QSpinBox>(edit)->findChild<QLineEdit*>();
        QVERIFY(line != nullptr);
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Backspace);
        QTest::keyClicks(line, typed);

        const Parameters& p = game().params;
        const QHash<QString, std::optional<int>> stored{
            {"N_Count", p.N_Count},
            {"Init_Bet", p.Init_Bet},
            {"CSpinEdit1", p.CSpinEdit1},
            {"ProfitUnits", p.ProfitUnits},
            {"Losses_HowMuch", p.Losses_HowMuch},
            {"Losses_ActionValue", p.Losses_ActionValue},
            {"Wins_HowMuch", p.Wins_HowMuch},
            {"Wins_ActionValue", p.Wins_ActionValue},
        };
        QVERIFY(stored.contains(edit));
        QCOMPARE(stored.value(edit), expected < 0 ? std::nullopt : std::optional<int>(expected));
    }

    void check_boxes_and_radios_store_the_choice() {
        QTest::mouseClick(named<QCheckBox>("ChBx_TestBankroll"), Qt::LeftButton);
        QTest::mouseClick(named<QCheckBox>("ChBx_ProfitBet"), Qt::LeftButton);
        QTest::mouseClick(named<QCheckBox>("ChBx_ManualBetReset"), Qt::LeftButton);
        QTest::mouseClick(named<QCheckBox>("CheckBox_Blind"), Qt::LeftButton);
        QTest::mouseClick(named<QCheckBox>("ChBx_Get_Minimal_Profit"), Qt::LeftButton);
        const Parameters& p = game().params;
        QVERIFY(!p.ChBx_TestBankroll);
        QVERIFY(p.ChBx_ProfitBet);
        QVERIFY(!p.ChBx_ManualBetReset);
        QVERIFY(!p.CheckBox_Blind);
        QVERIFY(!p.ChBx_Get_Minimal_Profit);

        QTest::mouseClick(named<QRadioButton>("OnEqual"), Qt::LeftButton);
        QCOMPARE(p.profit_aim_rule, quorvel::ProfitAimRule::OnEqual);
        QVERIFY(!named<QRadioButton>("OnAnyProfit")->isChecked());
        QTest::mouseClick(named<QRadioButton>("SetUnits"), Qt::LeftButton);
        QCOMPARE(p.profit_aim_rule, quorvel::ProfitAimRule::SetUnits);
        QTest::mouseClick(named<QRadioButton>("OnAnyProfit"), Qt::LeftButton);
        QCOMPARE(p.profit_aim_rule, quorvel::ProfitAimRule::OnAnyProfit);
    }

    void show_numbers_in_game_shows_the_count() {
        auto* box = named<QCheckBox>("ChBx_Show_Numbers_In_Game");
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(named("Shape15")->isVisible());
        QVERIFY(named("Label_Numbers_In_Game")->isVisible());
        QCOMPARE(caption("Label_Numbers_In_Game"), QStringLiteral("Numbers in game: 0"));
        spin(12);
        QCOMPARE(caption("Label_Numbers_In_Game"), QStringLiteral("Numbers in game: 1"));
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!named("Shape15")->isVisible());
        QVERIFY(!named("Label_Numbers_In_Game")->isVisible());
    }

    void show_bet_size_off_empties_the_chip_labels() {
        form_->game().table.chips = {Sector::D1, Sector::C2};
        form_->game().Bet_Size = 4;
        form_->refresh();
        QCOMPARE(caption("BetSize_C2"), QStringLiteral("4"));

        QTest::mouseClick(named<QCheckBox>("CheckBox1"), Qt::LeftButton);
        QVERIFY(!game().params.CheckBox1);
        QVERIFY(caption("BetSize_D1").isEmpty());
        QVERIFY(caption("BetSize_C2").isEmpty());
        QVERIFY(named("BetSize_D1")->isVisible());

        QTest::mouseClick(named<QCheckBox>("CheckBox1"), Qt::LeftButton);
        QCOMPARE(caption("BetSize_D1"), QStringLiteral("4"));
    }

    void an_empty_starting_bankroll_freezes_the_money_captions() {
        spin(4);  // once play has begun the field no longer sets the bankroll
        auto* line = named<QSpinBox>("CSpinEdit1")->findChild<QLineEdit*>();
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Backspace);
        QCOMPARE(game().params.CSpinEdit1, std::nullopt);

        form_->game().Bankroll = 4321;
        form_->game().Max_Bank = 6000;
        form_->refresh();
        QCOMPARE(caption("Caption_Bankroll"), QStringLiteral("TEST BANKROLL: 5000"));
        QCOMPARE(caption("Caption_MaxProfit"), QStringLiteral("MAX. BANK: 5000"));

        QTest::keyClicks(line, "5000");
        QCOMPARE(caption("Caption_Bankroll"), QStringLiteral("TEST BANKROLL: 4321"));
        QCOMPARE(caption("Caption_MaxProfit"), QStringLiteral("MAX. BANK: 6000"));
    }

    // A bet as a predictor leaves it: chips shown, stake charged.
    void put_bet_on_table(quorvel::SectorSet sectors, std::int64_t bet) {
        Game& g = form_->game();
        g.Bet_Size = bet;
        g.Bankroll_At_Prediction = g.Bankroll;
        g.table.chips = sectors;
        g.Bankroll -= g.params.BettingType == quorvel::BetType::Single ? bet : 2 * bet;
        g.books.on_table = quorvel::stake_on_table(g);
        form_->refresh();
    }

    void the_bet_reset_charges_the_chip_on_the_table_at_the_reset_stake() {
        put_bet_on_table({Sector::D1}, 4);
        QCOMPARE(game().Bankroll, 4996);
        QTest::mouseClick(named<QPushButton>("RResetBets"), Qt::LeftButton);
        QCOMPARE(game().Bankroll, 4999);
        QVERIFY(named("Chip_D1")->isVisible());
        QCOMPARE(caption("BetSize_D1"), QStringLiteral("1"));
    }

    void changing_the_base_bet_charges_the_chip_on_the_table_anew() {
        put_bet_on_table({Sector::D1}, 1);
        QCOMPARE(game().Bankroll, 4999);
        auto* line = named<QSpinBox>("Init_Bet")->findChild<QLineEdit*>();
        line->selectAll();
        QTest::keyClicks(line, "3");
        QCOMPARE(game().Bankroll, 4997);
        QCOMPARE(game().Bet_Size, 3);
        QVERIFY(named("Chip_D1")->isVisible());
        QCOMPARE(caption("BetSize_D1"), QStringLiteral("3"));

        QTest::keyClick(line, Qt::Key_Backspace);  // typing: nothing is charged
        QCOMPARE(game().Bankroll, 4997);
    }

    void changing_the_betting_type_returns_the_stake_and_offers_double_systems() {
        put_bet_on_table({Sector::D2}, 4);
        QCOMPARE(game().Bankroll, 4996);
        auto* systems = named<QComboBox>("BettingSystem");
        systems->setCurrentIndex(systems->findText("Blind (Softer)"));
        named<QComboBox>("BettingType")->setCurrentIndex(1);  // "2"

        QCOMPARE(game().Bankroll, 5000);
        QVERIFY(!named("Chip_D2")->isVisible());
        QCOMPARE(game().Bet_Size, 1);
        QVERIFY(named("Caption_ProfitBet")->isHidden());
        QCOMPARE(caption("Caption_ProfitBet"), QStringLiteral("P.BET:"));
        QStringList offered;
        for (int row = 0; row < systems->count(); ++row)
            offered << systems->itemText(row);
        QCOMPARE(offered, (QStringList{"Classic", "D-Donald", "Blind", "CUSTOM"}));
        QCOMPARE(systems->currentText(), QStringLiteral("Blind"));
        QCOMPARE(game().params.BettingSystem, quorvel::ProgressionSystem::Blind);

        named<QComboBox>("BettingType")->setCurrentIndex(0);
        QCOMPARE(systems->count(), 6);
        QCOMPARE(systems->currentText(), QStringLiteral("Blind"));
    }

    void a_new_maximum_flashes_for_half_a_second() {
        auto* timer = named<QTimer>("Timer_MaxProfit");
        QVERIFY(!timer->isActive());
        put_bet_on_table({Sector::D1}, 10);
        form_->game().row.HisNum(5).number = 1;  // as after five numbers
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(named<QPushButton>("SpeedButton5"), Qt::LeftButton);  // D1 wins
        QCOMPARE(game().Max_Bank, 5020);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 50);
        QTRY_VERIFY_WITH_TIMEOUT(!timer->isActive(), 2000);
        QVERIFY(clock.elapsed() >= 450);
        QCOMPARE(game().max_profit_flash.tag, 0);
        QVERIFY(!named<QLabel>("Caption_MaxProfit")->autoFillBackground());
    }

    void the_rule_rows_follow_their_actions() {
        QVERIFY(named("Wins_ActionValue")->isHidden());
        named<QComboBox>("Wins_Action")->setCurrentIndex(0);  // "ADD to bet:"
        QVERIFY(named("Wins_ActionValue")->isVisible());
        QVERIFY(named("Losses_ActionValue")->isVisible());
        QVERIFY(named("Blank_Piece")->isHidden());

        auto* losses = named<QComboBox>("Losses_Action");
        losses->setCurrentIndex(losses->findText("DO NOTHING"));
        QVERIFY(named("Losses_ActionValue")->isHidden());
        QVERIFY(named("Blank_Piece")->isVisible());
        losses->setCurrentIndex(losses->findText("Check WINS"));
        QVERIFY(named("Losses_ActionValue")->isHidden());
        QVERIFY(named("Blank_Piece")->isHidden());
    }

    void the_bet_reset_button_follows_its_switch() {
        form_->game().Bet_Step = 7;
        form_->game().Bet_Size = 4;
        form_->refresh();
        auto* reset = named<QPushButton>("RResetBets");
        QTest::mouseClick(named<QCheckBox>("ChBx_ManualBetReset"), Qt::LeftButton);
        QVERIFY(!reset->isEnabled());
        QTest::mouseClick(named<QCheckBox>("ChBx_ManualBetReset"), Qt::LeftButton);
        QVERIFY(reset->isEnabled());
        QTest::mouseClick(reset, Qt::LeftButton);
        QCOMPARE(game().Bet_Step, 0);
        QCOMPARE(game().Bet_Size, 1);
    }

    void test_bank_and_profit_bet_switch_their_captions() {
        QTest::mouseClick(named<QCheckBox>("ChBx_TestBankroll"), Qt::LeftButton);
        QVERIFY(named("Caption_Bankroll")->isHidden());
        QVERIFY(named("Caption_MaxProfit")->isHidden());
        QTest::mouseClick(named<QCheckBox>("ChBx_TestBankroll"), Qt::LeftButton);
        QVERIFY(named("Caption_Bankroll")->isVisible());

        QTest::mouseClick(named<QCheckBox>("ChBx_ProfitBet"), Qt::LeftButton);
        QVERIFY(named("Caption_ProfitBet")->isVisible());
    }

    // The focus sink holds the keyboard for the number entry; no key, shortcut
    // or paste changes it, so no key moves money.
    void no_key_on_the_focus_sink_moves_money_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Up") << int(Qt::Key_Up) << int(Qt::NoModifier);
        QTest::newRow("Down") << int(Qt::Key_Down) << int(Qt::NoModifier);
        QTest::newRow("PageUp") << int(Qt::Key_PageUp) << int(Qt::NoModifier);
        QTest::newRow("digit") << int(Qt::Key_5) << int(Qt::NoModifier);
        QTest::newRow("paste") << int(Qt::Key_V) << int(Qt::ControlModifier);
        QTest::newRow("redo") << int(Qt::Key_Y) << int(Qt::ControlModifier);
        QTest::newRow("select all") << int(Qt::Key_A) << int(Qt::ControlModifier);
    }

    void no_key_on_the_focus_sink_moves_money() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        auto* modes = named<QComboBox>("GameModes");
        modes->setFocus();
        QTest::keyClick(modes, Qt::Key_Up);
        auto* sink = named<QSpinBox>("FocusCatch");
        QCOMPARE(QApplication::focusWidget(), sink);
        QApplication::clipboard()->setText(QStringLiteral("7"));
        form_->game().Bet_Step = 5;
        form_->game().Bet_Size = 3;
        const int value = sink->value();
        const std::string journal = form_->session().journal();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        QCOMPARE(sink->value(), value);
        QCOMPARE(game().Bet_Step, 5);
        QCOMPARE(game().Bet_Size, 3);
        QCOMPARE(form_->session().journal(), journal);
    }

    // Journals written while a key could still change the sink hold its
    // action: they replay as they were played, the bet reset with it.
    void an_old_journal_with_the_focus_sink_replays_as_written() {
        // Losses until the progression has moved.
        for (int number : {1, 2, 4, 5, 7, 8, 10, 11, 13, 14, 16, 17, 19, 20}) {
            if (game().Bet_Step > 0) break;
            spin(number);
        }
        QVERIFY(game().Bet_Step > 0);
        QVERIFY(form_->session().set_focus_sink(9));
        QCOMPARE(game().Bet_Step, 0);
        QVERIFY(form_->session().journal().find("{\"focus sink\":9}") != std::string::npos);
        spin(7);
        const std::string journal = form_->session().journal();
        const QStringList row = history_row();
        const QString bankroll = caption("Caption_Bankroll");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("old.quorvel"));
        form_->save_session(file);
        form_.reset();
        init();
        form_->open_session(file);
        QCOMPARE(errors_, QStringList());
        QCOMPARE(form_->session().journal(), journal);
        QCOMPARE(history_row(), row);
        QCOMPARE(caption("Caption_Bankroll"), bankroll);
        QCOMPARE(game().params.FocusCatch, std::optional<int>(9));
    }

    // Numbers from the keyboard: what is typed, on the main keys or the
    // keypad, and the numbers it enters. Each row starts on an idle table.
    void numbers_typed_enter_as_clicks_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QList<int>>("entered");
        QTest::addColumn<bool>("refused");
        QTest::newRow("0 Enter") << "0 Enter" << QList<int>{0} << false;
        QTest::newRow("36 enters at once") << "3 6" << QList<int>{36} << false;
        QTest::newRow("37 refused") << "3 7" << QList<int>{} << true;
        QTest::newRow("40 refused, not 4 and 0") << "4 0 Enter" << QList<int>{} << true;
        QTest::newRow("00 refused") << "0 0" << QList<int>{} << true;
        QTest::newRow("07 is 7") << "0 7" << QList<int>{7} << false;
        QTest::newRow("1 waits for Enter") << "1 Enter" << QList<int>{1} << false;
        QTest::newRow("Escape clears") << "1 Escape 2 Enter" << QList<int>{2} << false;
        QTest::newRow("Escape alone") << "3 Escape" << QList<int>{} << false;
        QTest::newRow("Backspace takes a digit back")
            << "2 Backspace 9 Enter" << QList<int>{9} << false;
        QTest::newRow("Enter with nothing") << "Enter" << QList<int>{} << false;
        QTest::newRow("Enter never repeats") << "1 7 Enter Enter" << QList<int>{17} << false;
        QTest::newRow("keypad") << "KP2 KP5" << QList<int>{25} << false;
        QTest::newRow("keypad Enter") << "KP8 KPEnter" << QList<int>{8} << false;
        QTest::newRow("Ctrl+digit is no digit") << "Ctrl1 2 Enter" << QList<int>{2} << false;
    }

    void numbers_typed_enter_as_clicks() {
        QFETCH(QString, keys);
        QFETCH(QList<int>, entered);
        QFETCH(bool, refused);
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QCOMPARE(QApplication::focusWidget(), named("FocusCatch"));
        auto* typed = named<QLabel>("Typed_Number");
        const std::size_t before = form_->session().journal().size();
        for (const QString& token : keys.split(QLatin1Char(' '))) {
            Qt::KeyboardModifiers modifiers = Qt::NoModifier;
            QString name = token;
            if (name.startsWith(QLatin1String("KP"))) {
                modifiers = Qt::KeypadModifier;
                name = name.mid(2);
            } else if (name.startsWith(QLatin1String("Ctrl"))) {
                modifiers = Qt::ControlModifier;
                name = name.mid(4);
            }
            const Qt::Key key =
                name == QLatin1String("Enter")
                    ? (modifiers & Qt::KeypadModifier ? Qt::Key_Enter : Qt::Key_Return)
                : name == QLatin1String("Escape")    ? Qt::Key_Escape
                : name == QLatin1String("Backspace") ? Qt::Key_Backspace
                                                     : Qt::Key(Qt::Key_0 + name.toInt());
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            // Digits still waiting are shown, the digits themselves.
            if (key >= Qt::Key_0 && key <= Qt::Key_9 && !(modifiers & Qt::ControlModifier) &&
                typed->isVisible() && !refused) {
                QVERIFY2(typed->text().contains(name), qPrintable(typed->text()));
            }
            wait_for_pause_end();
        }
        QList<int> numbers;
        for (std::uint8_t n : game().NumbersList)
            numbers << n;
        QCOMPARE(numbers, entered);
        if (refused) {
            QVERIFY(typed->isVisible());
            QVERIFY2(typed->text().contains(QStringLiteral("no such number")),
                     qPrintable(typed->text()));
            // Only for a moment.
            QTRY_VERIFY_WITH_TIMEOUT(typed->isHidden(), 3000);
        } else {
            QVERIFY(typed->isHidden());
        }
        if (entered.isEmpty()) QCOMPARE(form_->session().journal().size(), before);
    }

    // Digits left waiting go when the keys leave the table: the Enter that
    // ends a settings field's entry sends nothing in.
    void digits_waiting_go_when_a_settings_field_takes_the_keys() {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_3);
        QVERIFY(named("Typed_Number")->isVisible());
        move_to(centre_of("Button_Settings_0"));
        QTest::mouseClick(named("Button_Settings_1"), Qt::LeftButton);
        auto* line = named<QSpinBox>("Init_Bet")->findChild<QLineEdit*>();
        QTest::mouseClick(line, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), named("Init_Bet"));
        QVERIFY(named("Typed_Number")->isHidden());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(game().NumbersList.empty());
        // Escape gives the keys back to the table.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), named("FocusCatch"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(game().NumbersList, std::vector<std::uint8_t>{2});
        wait_for_pause_end();
    }

    // The same pause, journal line, money and undo as a click on the cell.
    void a_typed_number_is_what_a_click_is() {
        QStringList after_click;
        std::string click_lines;
        for (bool typed : {false, true}) {
            if (typed) {
                form_.reset();
                init();
            }
            form_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(form_.get()));
            spin(5);
            const std::size_t before = form_->session().journal().size();
            if (typed) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_1);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
            } else {
                enter(17);
            }
            QVERIFY(game().pause.Timer_Analyse);
            wait_for_pause_end();
            const std::string lines = form_->session().journal().substr(before);
            QStringList shown = history_row();
            shown << caption("Caption_Bankroll") << caption("Caption_MaxProfit");
            shown << QString::number(named("Undo")->isVisible());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
            shown << QString::number(game().NumbersList.size());
            if (typed) {
                // The times may differ by a second; the actions may not.
                QCOMPARE(
                    QString::fromStdString(lines).remove(QRegularExpression("\"t\":\\d+,?")),
                    QString::fromStdString(click_lines).remove(QRegularExpression("\"t\":\\d+,?")));
                QCOMPARE(shown, after_click);
            } else {
                click_lines = lines;
                after_click = shown;
            }
        }
        QCOMPARE(after_click.last(), QStringLiteral("1"));  // the undo took the 17 back
    }

    // While the analysis pause hides the cells a typed number is refused,
    // as a click would find no cell to press.
    void a_number_typed_during_the_pause_is_refused() {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        enter(5);
        QVERIFY(game().pause.Timer_Analyse);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_2);
        QCOMPARE(game().NumbersList.size(), std::size_t{1});
        QVERIFY2(caption("Typed_Number").contains(QStringLiteral("not now")),
                 qPrintable(caption("Typed_Number")));
        wait_for_pause_end();
    }

    // Each cell is a button named by its number: pressed through the
    // accessibility interface, "17" enters 17.
    void each_number_cell_is_an_accessible_button_named_by_its_number() {
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(form_.get());
        QVERIFY(window != nullptr);
        QHash<QString, QAccessibleInterface*> buttons;
        for (int i = 0; i < window->childCount(); ++i) {
            QAccessibleInterface* child = window->child(i);
            if (child == nullptr || child->role() != QAccessible::Button ||
                child->state().invisible)
                continue;
            const QString name = child->text(QAccessible::Name);
            QVERIFY2(!buttons.contains(name) || name.isEmpty(), qPrintable("two buttons " + name));
            buttons.insert(name, child);
        }
        for (int n = 0; n <= 36; ++n)
            QVERIFY2(buttons.contains(QString::number(n)), qPrintable(QString::number(n)));
        QAccessibleActionInterface* press = buttons.value(QStringLiteral("17"))->actionInterface();
        QVERIFY(press != nullptr);
        press->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(game().NumbersList, std::vector<std::uint8_t>{17});
        wait_for_pause_end();
    }

    void a_trend_mark_set_by_hover_and_click_steers_deep_scan_data() {
        QTest::addColumn<bool>("marked");
        QTest::addColumn<QString>("chip");
        QTest::newRow("no mark") << false << "Chip_D3";
        QTest::newRow("D1 marked") << true << "";
    }

    void a_trend_mark_set_by_hover_and_click_steers_deep_scan() {
        QFETCH(bool, marked);
        QFETCH(QString, chip);
        QWidget* hover = named("Trend_D1_1");
        QWidget* mark = named("Trend_D1_2");
        QVERIFY(hover->isHidden());
        if (marked) {
            move_to(centre_of("Trend_D1_0"));
            QVERIFY(hover->isVisible());
            QTest::mouseClick(hover, Qt::LeftButton);
            QVERIFY(mark->isVisible());
            QVERIFY(game().table.trend_marks.contains(Sector::D1));
            move_to(centre_of("Image7"));
            QVERIFY(hover->isHidden());  // the hover goes, the mark stays
            QVERIFY(mark->isVisible());
        }
        for (int number : {7, 20, 0, 33, 5})
            spin(number);
        for (Sector sector : quorvel::kAllSectors) {
            const QString name = "Chip_" + sector_name(sector);
            QCOMPARE(named(name)->isVisible(), name == chip);
        }
        QCOMPARE(game().Bankroll, chip.isEmpty() ? 5000 : 4999);

        if (marked) {
            QTest::mouseClick(mark, Qt::LeftButton);
            QVERIFY(mark->isHidden());
            QVERIFY(game().table.trend_marks.empty());
        }
    }

    void creating_and_resetting_the_matrix() {
        auto* create = named<QPushButton>("Adaptive_Matrix");
        auto* reset = named<QPushButton>("Set_N_Count");
        QVERIFY(create->isEnabled());
        QVERIFY(!reset->isEnabled());
        QTest::mouseClick(create, Qt::LeftButton);
        QVERIFY(!create->isEnabled());
        QVERIFY(reset->isEnabled());
        QVERIFY(!named("N_Count")->isEnabled());
        QCOMPARE(named<quorvel::Shape>("Shape2")->fill(), QColor(128, 128, 0));

        QTest::mouseClick(reset, Qt::LeftButton);
        QVERIFY(named("Background_Blur")->isVisible());
        for (int n = 0; n <= 36; ++n) {
            QVERIFY(!named(QStringLiteral("SpeedButton%1").arg(n))->isVisible());
            QVERIFY(!named(QStringLiteral("Number%1").arg(n))->isVisible());
        }
        QVERIFY(create->isEnabled());
        QVERIFY(!reset->isEnabled());
        QVERIFY(named("N_Count")->isEnabled());
        QCOMPARE(named("Label4")->palette().color(QPalette::WindowText), QColor(255, 255, 0));

        QTest::mouseClick(create, Qt::LeftButton);
        QVERIFY(named("Background_Blur")->isHidden());
        QVERIFY(named("SpeedButton17")->isVisible());
    }

    // During the pause the matrix buttons show that they do nothing.
    void the_matrix_buttons_rest_during_the_pause() {
        auto* create = named<QPushButton>("Adaptive_Matrix");
        auto* reset = named<QPushButton>("Set_N_Count");
        enter(7);
        QVERIFY(!create->isEnabled());
        QTest::mouseClick(create, Qt::LeftButton);
        QVERIFY(!quorvel::matrix_created(game()));
        wait_for_pause_end();
        QVERIFY(create->isEnabled());
        QTest::mouseClick(create, Qt::LeftButton);
        QVERIFY(reset->isEnabled());

        enter(8);
        QVERIFY(!reset->isEnabled());
        wait_for_pause_end();
        QVERIFY(reset->isEnabled());
        QVERIFY(named("SpeedButton9")->isVisible());
    }

    void the_count_box_shows_the_count_in_force() {
        auto* count = named<QSpinBox>("N_Count");
        auto* line = count->findChild<QLineEdit*>();
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Backspace);
        QVERIFY(!game().params.N_Count.has_value());
        QTest::mouseClick(named<QPushButton>("Adaptive_Matrix"), Qt::LeftButton);
        QCOMPARE(count->value(), 10);
        QCOMPARE(line->text(), QStringLiteral("10"));

        // A tie at the top of the box raises the count past it.
        Game& g = form_->game();
        g.params.N_Count = 1000;
        g.matrix.Matrix_Position = 1000;
        quorvel::Define_Matrix(g);
        form_->refresh();
        QCOMPARE(game().params.N_Count, 1001);
        QCOMPARE(count->value(), 1001);
    }

    // Nothing ticks in an idle window: the display follows the game on each
    // change, and the two timers run only while there is something to show.
    // A bankroll that cannot pay its bet turns red and is said once while
    // play goes on; under "End the session" the next such bet ends the
    // session with no chips, the window says so, and "Play on" lifts it.
    void the_window_says_when_the_bankroll_cannot_cover_a_bet() {
        quorvel::Session& session = form_->session();
        QVERIFY(session.set(quorvel::SettingId::CSpinEdit1, 6));
        QVERIFY(session.set(quorvel::SettingId::BettingSystem,
                            quorvel::row_of(quorvel::ProgressionSystem::Classic)));
        const std::vector<std::uint8_t> spins = quorvel::random_spins(600, 11);
        std::size_t i = 0;
        const auto play_until = [&](auto done) {
            while (i < spins.size() && !done()) {
                QVERIFY(session.play_number(spins[i++]));
                form_->refresh();
            }
            QVERIFY(done());
        };
        play_until([&] { return quorvel::cannot_cover(game()); });
        const QColor red = quorvel::colour_from_bgr(quorvel::kBankrollShortColour);
        QCOMPARE(named<QLabel>("Caption_Bankroll")->palette().color(QPalette::WindowText), red);
        QCOMPARE(errors_.size(), 1);
        QVERIFY2(errors_[0].startsWith("The bankroll cannot cover"), qPrintable(errors_[0]));
        for (int more = 0; more < 3; ++more) {
            QVERIFY(session.play_number(spins[i++]));
            form_->refresh();
        }
        QCOMPARE(errors_.size(), 1);

        QVERIFY(session.set(quorvel::SettingId::at_ruin, quorvel::row_of(quorvel::AtRuinRule::Stop)));
        play_until([&] { return game().stopped != quorvel::StopReason::None; });
        QCOMPARE(game().stopped, quorvel::StopReason::RanOut);
        QVERIFY(game().table.chips.empty());
        QCOMPARE(errors_.size(), 2);
        QVERIFY2(errors_[1].startsWith("The bankroll cannot cover the next bet: the session ended"),
                 qPrintable(errors_[1]));
        form_->play_on();
        QCOMPARE(game().stopped, quorvel::StopReason::None);
        QVERIFY(!game().table.chips.empty());
        QCOMPARE(errors_.size(), 2);
    }

    // The dialog takes only rules a table could play together, and says why not.
    void the_table_rules_dialog_refuses_what_no_table_takes() {
        Parameters params;
        params.Init_Bet = 2;
        quorvel::TableRulesDialog dialog(params, form_.get());
        auto* minimum = dialog.findChild<QSpinBox*>(QStringLiteral("table_min"));
        auto* fault = dialog.findChild<QLabel*>(QStringLiteral("TableRulesFault"));
        QVERIFY(minimum && fault);
        QCOMPARE(minimum->text(), QStringLiteral("none"));
        minimum->setValue(5);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(fault->text(), QStringLiteral("The base bet (2) is below the table minimum (5)."));
        minimum->setValue(2);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.chosen().table_min, std::optional<int>(2));
        QCOMPARE(dialog.chosen().stop_loss, std::optional<int>());
    }

    void an_idle_window_runs_no_timer() {
        const auto running = [this] {
            QStringList active;
            for (QTimer* timer : form_->findChildren<QTimer*>()) {
                if (timer->isActive()) active << timer->objectName();
            }
            return active;
        };
        QCOMPARE(running(), QStringList());
        put_bet_on_table({Sector::D1}, 10);
        form_->game().row.HisNum(5).number = 1;
        spin(5);  // a win with a new maximum: the pause and the flash both ran
        QTRY_COMPARE_WITH_TIMEOUT(running(), QStringList(), 2000);
    }

    // Nor after the player's clicks and keys, which leave the keyboard on the
    // focus sink out of view: its text cursor does not blink there.
    void an_idle_window_after_clicks_wakes_up_for_nothing() {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        spin(5);
        auto* modes = named<QComboBox>("GameModes");
        modes->setFocus();
        QTest::keyClick(modes, Qt::Key_Down);
        QWidget* sink = named("FocusCatch");
        QCOMPARE(QApplication::focusWidget(), sink);
        {
            const EventLog timers(QEvent::Timer);
            QTest::qWait(1200);
            QVERIFY2(timers.received().isEmpty(), qPrintable(timers.received().join('\n')));
        }

        // A typed digit waiting for the next shows without a timer; the sink
        // itself takes no key, so the bet stays.
        auto* sink_box = qobject_cast<QSpinBox*>(sink);
        const int before = sink_box->value();
        form_->game().Bet_Step = 5;
        QTest::keyClick(sink, Qt::Key_Up);
        QTest::keyClick(sink, Qt::Key_1);
        QCOMPARE(sink_box->value(), before);
        QCOMPARE(game().Bet_Step, 5);
        QVERIFY(named("Typed_Number")->isVisible());
        const EventLog timers(QEvent::Timer);
        QTest::qWait(1200);
        QVERIFY2(timers.received().isEmpty(), qPrintable(timers.received().join('\n')));
    }

    void the_starting_bankroll_is_chosen_before_the_first_number() {
        auto* line = named<QSpinBox>("CSpinEdit1")->findChild<QLineEdit*>();
        line->selectAll();
        QTest::keyClicks(line, "800");
        QCOMPARE(caption("Caption_Bankroll"), QStringLiteral("TEST BANKROLL: 800"));
        QCOMPARE(caption("Caption_MaxProfit"), QStringLiteral("MAX. BANK: 800"));
        QCOMPARE(game().Profit_Aim, 801);

        spin(9);
        line->selectAll();
        QTest::keyClicks(line, "3000");
        QCOMPARE(caption("Caption_Bankroll"), QStringLiteral("TEST BANKROLL: 800"));
    }

    void export_writes_the_numbers_oldest_first() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString file_name = folder.filePath("history.txt");
        form_->set_export_file_chooser([file_name] { return file_name; });
        spin(5);
        spin(0);
        spin(32);

        QTest::mouseClick(named<QPushButton>("SpeedButton42"), Qt::LeftButton);
        QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));
        QFile file(file_name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("5\r\n0\r\n32\r\n"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"history.txt"});
    }

    void a_failed_export_reports_and_changes_nothing_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("folder does not exist") << "missing/history.txt";
        QTest::newRow("name of an existing folder") << "taken";
    }

    void a_failed_export_reports_and_changes_nothing() {
        QFETCH(QString, target);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QDir root(folder.path());
        QVERIFY(root.mkdir("taken"));
        QFile earlier(root.filePath("taken/earlier.txt"));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("17\r\n");
        earlier.close();

        spin(5);
        spin(21);
        const auto numbers = game().NumbersList;
        const QStringList row = history_row();
        const QString file_name = root.filePath(target);
        form_->set_export_file_chooser([file_name] { return file_name; });
        QTest::mouseClick(named<QPushButton>("SpeedButton42"), Qt::LeftButton);

        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_.first().contains(QDir::toNativeSeparators(file_name)));
        QCOMPARE(game().NumbersList, numbers);
        QCOMPARE(history_row(), row);
        QVERIFY(QFileInfo(root.filePath("taken")).isDir());
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("17\r\n"));
        // No temporary file is left behind.
        QCOMPARE(root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"taken"});
    }

    void an_export_that_finds_the_disk_full_keeps_the_earlier_file() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString file_name = folder.filePath("history.txt");
        QFile file(file_name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("17\r\n4\r\n");
        file.close();
        spin(5);
        spin(21);
        spin(36);
        const auto numbers = game().NumbersList;
        form_->set_export_file_chooser([file_name] { return file_name; });
        {
            const quorvel::testing::DiskRoom room(4);
            QVERIFY(room.holds());
            QTest::mouseClick(named<QPushButton>("SpeedButton42"), Qt::LeftButton);
        }
        QCOMPARE(errors_.size(), 1);
        QVERIFY(errors_.first().contains(QDir::toNativeSeparators(file_name)));
        QCOMPARE(game().NumbersList, numbers);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("17\r\n4\r\n"));
        file.close();
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"history.txt"});

        // With room on the disk again, the same export goes through.
        QTest::mouseClick(named<QPushButton>("SpeedButton42"), Qt::LeftButton);
        QCOMPARE(errors_.size(), 1);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("5\r\n21\r\n36\r\n"));
    }

    void cancelling_the_export_writes_nothing() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString file_name = folder.filePath("history.txt");
        spin(8);
        form_->set_export_file_chooser([file_name] { return file_name; });
        QTest::mouseClick(named<QPushButton>("SpeedButton42"), Qt::LeftButton);

        spin(30);
        form_->set_export_file_chooser([] { return QString(); });
        QTest::mouseClick(named<QPushButton>("SpeedButton42"), Qt::LeftButton);
        QVERIFY(errors_.isEmpty());
        QFile file(file_name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("8\r\n"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"history.txt"});
    }

    // The real save dialog, answered by the test as soon as it is open.
    void the_save_dialog_offers_text_files_and_adds_the_suffix_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("confirmed") << true;
        QTest::newRow("cancelled") << false;
    }

    void the_save_dialog_offers_text_files_and_adds_the_suffix() {
        QFETCH(bool, accept);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        spin(12);
        spin(0);
        form_->set_export_file_chooser({});

        QStringList filters;
        QString suffix;
        bool saves = false;
        bool asks_before_replacing = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            filters = dialog->nameFilters();
            suffix = dialog->defaultSuffix();
            saves = dialog->acceptMode() == QFileDialog::AcceptSave;
            asks_before_replacing = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            if (!accept) {
                dialog->reject();
                return;
            }
            dialog->setDirectory(folder.path());
            dialog->selectFile(QDir(folder.path()).filePath("spins"));
            static_cast<QDialog*>(dialog)->accept();  // as the Save button does
        });
        QTest::mouseClick(named<QPushButton>("SpeedButton42"), Qt::LeftButton);

        QCOMPARE(filters, QStringList{"Notepad file *.txt (*.txt)"});
        QCOMPARE(suffix, QStringLiteral("txt"));
        QVERIFY(saves);
        QVERIFY(asks_before_replacing);
        QVERIFY(errors_.isEmpty());
        const QStringList written = QDir(folder.path()).entryList(QDir::Files);
        if (accept) {
            QCOMPARE(written, QStringList{"spins.txt"});
            QFile file(QDir(folder.path()).filePath("spins.txt"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("12\r\n0\r\n"));
        } else {
            QVERIFY(written.isEmpty());
        }
    }

    void minimise_button_minimises() {
        move_to(centre_of("Button_Minimize1"));
        QWidget* twin = named("Button_Minimize2");
        QVERIFY(twin->isVisible());
        QTest::mouseClick(twin, Qt::LeftButton);
        QVERIFY(form_->windowState().testFlag(Qt::WindowMinimized));
        QVERIFY(game().NumbersList.empty());
    }
};

QTEST_MAIN(TForm1Test)
#include "tform1_test.moc"
