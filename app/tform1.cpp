// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/tform1.hpp"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QTimer>

#include "app/colours.hpp"
#include "app/file_dialogs.hpp"
#include "app/header_panel.hpp"
#include "app/lab_window.hpp"
#include "app/money_panel.hpp"
#include "app/save_file.hpp"
#include "app/settings_panel.hpp"
#include "app/status_panel.hpp"
#include "app/svg_picture.hpp"
#include "app/table_panel.hpp"
#include "app/window_menu.hpp"
#include "lab/shown_text.hpp"
#include "play/session.hpp"

namespace quorvel {

TForm1::TForm1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      keeper_(SessionStore::default_folder()),
      game_(keeper_.session().game()) {
    SvgPicture::register_pictures();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvel 4.1"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/app_icon.svg")));

    QPalette background = palette();
    background.setColor(QPalette::Window, colour_from_bgr(kSilver));
    setPalette(background);
    setAutoFillBackground(true);

    create_panels();

    ui_.Timer_Analyse = new QTimer(this);
    ui_.Timer_Analyse->setObjectName(QStringLiteral("Timer_Analyse"));
    ui_.Timer_Analyse->setInterval(10);
    ui_.Timer_Analyse->setTimerType(Qt::PreciseTimer);
    connect(ui_.Timer_Analyse, &QTimer::timeout, this, &TForm1::Timer_AnalyseTimer);

    ui_.Timer_MaxProfit = new QTimer(this);
    ui_.Timer_MaxProfit->setObjectName(QStringLiteral("Timer_MaxProfit"));
    ui_.Timer_MaxProfit->setInterval(50);
    connect(ui_.Timer_MaxProfit, &QTimer::timeout, this, &TForm1::Timer_MaxProfitTimer);

    status_->raise_pause_gauge();
    tie_panels();

    setAcceptDrops(true);

    // No visible control holds the keyboard at start.
    settings_->park_focus();

    move(224, 106);
    set_client_height(ui_.Label_Point1->y());

    refresh();
}

// However the window goes (the close button quits the program, which then
// destroys it), the session ends cleanly; only a crash, a kill or a power
// cut leaves it unfinished.
TForm1::~TForm1() {
    keeper_.end();
}

void TForm1::closeEvent(QCloseEvent* event) {
    keeper_.end();
    QWidget::closeEvent(event);
}

// The order of creation is the stacking order: the table first, then the
// header and the status strip, the settings panel over the lower part of the
// table picture. The money captions take their places in the table and the
// header; the menu adds the window's keys.
void TForm1::create_panels() {
    table_ = new TablePanel(this);
    header_ = new HeaderPanel(this);
    status_ = new StatusPanel(this);

    ui_.Label_Point1 = new QLabel(this);
    ui_.Label_Point1->setObjectName(QStringLiteral("Label_Point1"));
    ui_.Label_Point1->setGeometry(kWidth, 280, 1, 1);
    ui_.Label_Point1->hide();
    ui_.Label_Point2 = new QLabel(this);
    ui_.Label_Point2->setObjectName(QStringLiteral("Label_Point2"));
    ui_.Label_Point2->setGeometry(kWidth, 599, 1, 1);
    ui_.Label_Point2->hide();

    settings_ = new SettingsPanel(this, game_);
    money_ = new MoneyPanel(this, table_->over_picture(), header_->after_history());
    menu_ = new WindowMenu(this, settings_->focus_sink());
}

// The one place where what the player does on the panels meets the engine.
// Each action runs its engine operation and then shows the outcome.
void TForm1::tie_panels() {
    for (Panel* panel : std::initializer_list<Panel*>{table_, header_, status_, money_, settings_})
        connect(panel, &Panel::surfaceMoved, this, &TForm1::Disable_Hovers);

    connect(table_, &TablePanel::numberClicked, this, &TForm1::number_click);
    connect(table_, &TablePanel::trendMarkSet, this, [this](Sector sector) {
        session().set_trend_mark(sector);
        refresh();
    });
    connect(table_, &TablePanel::trendMarkCleared, this, [this](Sector sector) {
        session().clear_trend_mark(sector);
        refresh();
    });

    connect(header_, &HeaderPanel::saveClicked, this, &TForm1::SpeedButton42Click);
    connect(header_, &HeaderPanel::undoClicked, this, &TForm1::UndoClick);
    connect(header_, &HeaderPanel::minimiseClicked, this, &QWidget::showMinimized);
    connect(header_, &HeaderPanel::closeClicked, this, &QCoreApplication::quit);
    connect(menu_, &WindowMenu::loadRequested, this, &TForm1::ask_and_load_spins);
    connect(menu_, &WindowMenu::labRequested, this, &TForm1::open_lab);
    connect(menu_, &WindowMenu::saveRequested, this, &TForm1::SpeedButton42Click);
    connect(menu_, &WindowMenu::undoRequested, this, &TForm1::undo_key);
    connect(menu_, &WindowMenu::saveSessionRequested, this, &TForm1::ask_and_save_session);
    connect(menu_, &WindowMenu::openSessionRequested, this, &TForm1::ask_and_open_session);
    connect(menu_, &WindowMenu::newSessionRequested, this, &TForm1::reset_app);

    connect(settings_, &SettingsPanel::settingChanged, this,
            [this](Setting setting, std::optional<int> value) {
                if (change_setting(session(), setting, value)) refresh();
            });
    const auto run = [this](bool (Session::*action)()) {
        return [this, action] {
            (session().*action)();
            refresh();
        };
    };
    connect(settings_, &SettingsPanel::createMatrixClicked, this, run(&Session::create_matrix));
    connect(settings_, &SettingsPanel::resetMatrixClicked, this, run(&Session::reset_matrix));
    connect(settings_, &SettingsPanel::manualBetResetClicked, this,
            run(&Session::manual_bet_reset));
    connect(settings_, &SettingsPanel::setBankrollClicked, this, run(&Session::set_bankroll));
    connect(settings_, &SettingsPanel::saveSettingsClicked, this, [this] {
        if (const QString error = save_settings(game_.params); !error.isEmpty()) report(error);
    });
    connect(settings_, &SettingsPanel::loadSettingsClicked, this, [this] {
        const QString problem = load_settings(session());
        settings_->show_settings(game_.params);
        refresh();
        if (!problem.isEmpty()) report(problem);
    });
    connect(settings_, &SettingsPanel::resetAppClicked, this, &TForm1::reset_app);
    connect(&keeper_, &SessionKeeper::notKept, this, &TForm1::report);

    connect(status_, &StatusPanel::unfolded, this,
            [this] { set_client_height(ui_.Label_Point2->y()); });
    connect(status_, &StatusPanel::folded, this, [this] {
        set_client_height(ui_.Label_Point1->y());
        // A settings control out of view must not go on taking key presses.
        settings_->park_focus();
    });
}

void TForm1::refresh() {
    refresh_display(game());
    render();
    if (keeper_.follow()) emit sessionChanged();
}

void TForm1::render() {
    header_->render(game_);
    table_->render(game_);
    status_->render(game_);
    money_->render(game_);
    settings_->render(game_);

    // The analysis pause and the maximum flash run on the window's timers
    // exactly while the engine says so; nothing else ticks.
    const auto run_while = [](QTimer* timer, bool running) {
        if (running == timer->isActive()) return;
        if (running) {
            timer->start();
        } else {
            timer->stop();
        }
    };
    run_while(ui_.Timer_Analyse, game_.pause.Timer_Analyse);
    run_while(ui_.Timer_MaxProfit, game_.max_profit_flash.Timer_MaxProfit);
}

void TForm1::set_export_file_chooser(FileChooser chooser) {
    choose_export_file_ = std::move(chooser);
}

void TForm1::set_error_reporter(ErrorReporter reporter) {
    report_error_ = std::move(reporter);
}

void TForm1::number_click(int number) {
    session().enter_number(number);
    refresh();
}

// A tick within the pause moves only the gauge, so only the gauge is redrawn;
// the tick that ends the pause brings the prediction, and the whole display
// follows it.
void TForm1::Timer_AnalyseTimer() {
    session().tick_analysis_pause();
    if (analysis_running(game_)) {
        status_->render_pause(game_);
        return;
    }
    refresh();
}

void TForm1::Timer_MaxProfitTimer() {
    session().tick_max_profit_flash();
    refresh();
}

void TForm1::UndoClick() {
    session().undo();
    refresh();
}

void TForm1::SpeedButton42Click() {
    const QString file_name =
        choose_export_file_ ? choose_export_file_() : ask_history_file(this, export_folder_);
    if (file_name.isEmpty()) return;
    if (const auto reason = save_file(file_name, history_export_text(game_.NumbersList))) {
        report(QStringLiteral("The history could not be saved to\n%1\n\n%2")
                   .arg(QDir::toNativeSeparators(file_name), *reason));
    }
}

void TForm1::report(const QString& message) {
    // A message may quote a file's name: what would turn the text around
    // or hide part of it is masked.
    const QString shown = QString::fromStdString(shown_lines(message.toStdString()));
    if (report_error_) {
        report_error_(shown);
    } else {
        QMessageBox::critical(this, windowTitle(), shown);
    }
}

// The hover pictures. Each idle picture has a highlighted twin on top of it;
// moving over a surface hides every twin, and moving over one of the buttons
// then shows its own. The twins themselves take no part, so a highlight lasts
// while the pointer is on it.
void TForm1::Disable_Hovers() {
    table_->hide_hovers();
    header_->hide_hovers();
    status_->hide_hovers();
}

// Leaving the window is leaving every highlighted button, too.
void TForm1::leaveEvent(QEvent* event) {
    Disable_Hovers();
    QWidget::leaveEvent(event);
}

// Folded in, the window shows no control that takes the keyboard, so Tab
// would only walk the settings out of view and let a key change one unseen.
bool TForm1::focusNextPrevChild(bool next) {
    if (height() < ui_.Label_Point2->y()) {
        settings_->park_focus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void TForm1::set_client_height(int height) {
    setFixedSize(kWidth, height);
}

}  // namespace quorvel
