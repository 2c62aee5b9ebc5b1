// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/table/tform1.hpp"

#include <QApplication>
#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>

#include "app/colours.hpp"
#include "app/table/engine_timers.hpp"
#include "app/table/header_panel.hpp"
#include "app/table/help_pages.hpp"
#include "app/lab/lab_window.hpp"
#include "app/table/money_panel.hpp"
#include "app/table/number_keys.hpp"
#include "app/table/settings_panel.hpp"
#include "app/table/status_panel.hpp"
#include "app/widgets/svg_picture.hpp"
#include "app/table/table_panel.hpp"
#include "app/table/table_rules_dialog.hpp"
#include "app/table/window_menu.hpp"
#include "lab/figure_table.hpp"
#include "lab/verdict.hpp"
#include "money/table_rules.hpp"
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

    status_->raise_pause_gauge();
    timers_ = new EngineTimers(this, keeper_.session());
    notices_ = new Notices(this);
    history_ = new HistorySaver(this, game_);
    loading_ = new SpinLoading(this, keeper_, history_->folder());
    files_ = new SessionFiles(this, keeper_, [this] { return loading(); });
    tie_panels();

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
    // The keyboard rests on the focus sink, whose keys are the number entry's.
    keys_ = new NumberKeys(this);
    settings_->focus_sink()->installEventFilter(keys_);
}

// The one place where what the player does on the panels meets the engine.
// Each action runs its engine operation and then shows the outcome.
void TForm1::tie_panels() {
    for (Panel* panel : std::initializer_list<Panel*>{table_, header_, status_, money_, settings_})
        connect(panel, &Panel::surfaceMoved, this, &TForm1::Disable_Hovers);

    connect(table_, &TablePanel::numberClicked, this, &TForm1::number_click);
    connect(keys_, &NumberKeys::numberTyped, this, &TForm1::number_typed);
    connect(keys_, &NumberKeys::typedChanged, status_, &StatusPanel::show_typed);
    connect(keys_, &NumberKeys::refused, this, [this](const QString& typed) {
        status_->flash_refused(typed, QStringLiteral("no such number"));
    });
    connect(timers_, &EngineTimers::pauseMoved, this, [this] { status_->render_pause(game_); });
    connect(timers_, &EngineTimers::ticked, this, &TForm1::refresh);
    connect(table_, &TablePanel::trendMarkSet, this, [this](Sector sector) {
        session().set_trend_mark(sector);
        refresh();
    });
    connect(table_, &TablePanel::trendMarkCleared, this, [this](Sector sector) {
        session().clear_trend_mark(sector);
        refresh();
    });

    connect(header_, &HeaderPanel::saveClicked, history_, &HistorySaver::save);
    connect(header_, &HeaderPanel::undoClicked, this, &TForm1::UndoClick);
    connect(header_, &HeaderPanel::minimiseClicked, this, &QWidget::showMinimized);
    connect(header_, &HeaderPanel::closeClicked, this, &QCoreApplication::quit);
    connect(menu_, &WindowMenu::loadRequested, loading_, &SpinLoading::ask_and_load);
    connect(menu_, &WindowMenu::labRequested, this, &TForm1::open_lab);
    connect(menu_, &WindowMenu::saveRequested, history_, &HistorySaver::save);
    connect(menu_, &WindowMenu::undoRequested, this, &TForm1::undo_key);
    connect(menu_, &WindowMenu::saveSessionRequested, files_, &SessionFiles::ask_and_save);
    connect(menu_, &WindowMenu::openSessionRequested, files_, &SessionFiles::ask_and_open);
    connect(menu_, &WindowMenu::sessionsRequested, files_, &SessionFiles::show_sessions);
    connect(menu_, &WindowMenu::newSessionRequested, files_, &SessionFiles::reset);
    connect(menu_, &WindowMenu::tableRulesRequested, this, &TForm1::open_table_rules);
    connect(menu_, &WindowMenu::playOnRequested, this, &TForm1::play_on);
    auto* help = new HelpPages(this);
    connect(menu_, &WindowMenu::helpRequested, help, &HelpPages::show_guide);
    connect(menu_, &WindowMenu::aboutRequested, help, &HelpPages::show_about);

    connect(settings_, &SettingsPanel::settingChanged, this,
            [this](SettingId id, SettingValue value) {
                if (session().set(id, value)) refresh();
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
    connect(settings_, &SettingsPanel::saveSettingsClicked, files_, &SessionFiles::save_settings);
    connect(settings_, &SettingsPanel::loadSettingsClicked, files_, &SessionFiles::load_settings);
    connect(settings_, &SettingsPanel::resetAppClicked, files_, &SessionFiles::reset);
    connect(&keeper_, &SessionKeeper::told, notices_, &Notices::report);
    connect(history_, &HistorySaver::failed, notices_, &Notices::report);

    connect(files_, &SessionFiles::replaced, this, &TForm1::session_replaced);
    connect(files_, &SessionFiles::settingsLoaded, this, [this] {
        settings_->show_settings(game_.params);
        refresh();
    });
    connect(files_, &SessionFiles::failed, notices_, &Notices::report);
    connect(files_, &SessionFiles::told, notices_, &Notices::tell);

    // A load ends with the window taking input again, the loaded game shown
    // or the refusal reported, and then loadFinished.
    connect(loading_, &SpinLoading::inputBack, this, [this] { settings_->park_focus(); });
    connect(loading_, &SpinLoading::loaded, this, [this](bool fresh) {
        if (fresh) return session_replaced();
        refresh();
        emit sessionChanged();
    });
    connect(loading_, &SpinLoading::refused, notices_, &Notices::report);
    connect(loading_, &SpinLoading::told, notices_, &Notices::tell);
    connect(loading_, &SpinLoading::finished, this, &TForm1::loadFinished);
    connect(loading_, &SpinLoading::sessionDropped, files_, &SessionFiles::open);

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
    tell_about_the_table();
}

void TForm1::tell_about_the_table() {
    if (game_.stopped != told_stop_) {
        told_stop_ = game_.stopped;
        if (game_.stopped != StopReason::None) {
            notices_->tell(
                QString::fromStdString(stop_words(game_.stopped, game_.spins_entered,
                                                  game_.Bankroll)) +
                QStringLiteral(" No more bets are placed: choose \"Play on\" in the menu to go "
                               "on, or undo the last spin."));
            return;
        }
    }
    if (cannot_cover(game_) && !told_cannot_cover_) {
        told_cannot_cover_ = true;
        notices_->tell(QStringLiteral("The bankroll cannot cover the bet on the table: it stands "
                                      "at %1 with the bet charged. Play goes on with money you do "
                                      "not have; \"Table rules…\" can end the session here instead.")
                           .arg(QString::fromStdString(grouped(game_.Bankroll))));
    }
}

void TForm1::open_table_rules() {
    TableRulesDialog dialog(game_.params, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const Parameters chosen = dialog.chosen();
    for (SettingId id : TableRulesDialog::settings()) {
        const SettingRow& row = setting_row(id);
        if (row.get(chosen) != row.get(game_.params)) session().set(id, row.get(chosen));
    }
    refresh();
}

void TForm1::play_on() {
    if (session().play_on()) refresh();
}

void TForm1::render() {
    header_->render(game_);
    table_->render(game_);
    status_->render(game_);
    money_->render(game_);
    settings_->render(game_);
    timers_->follow();
}

void TForm1::number_click(int number) {
    keys_->clear();
    session().enter_number(number);
    refresh();
}

// The cells are hidden while the analysis pause runs, and after "Reset
// Matrix" until the matrix is made: a number typed then is refused as a
// click would find nothing to click.
void TForm1::number_typed(int number) {
    if (!game_.table.SpeedButton[static_cast<std::size_t>(number)] ||
        !session().enter_number(number)) {
        status_->flash_refused(QString::number(number), QStringLiteral("not now"));
        return;
    }
    refresh();
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // From a settings field too: back to the table's keys.
        keys_->clear();
        settings_->park_focus();
        return;
    }
    if (!keys_->press(*event)) QWidget::keyPressEvent(event);
}

void TForm1::UndoClick() {
    session().undo();
    refresh();
}

void TForm1::session_replaced() {
    // A new or opened session: what was said of the last one is said anew.
    told_stop_ = game_.stopped;
    told_cannot_cover_ = cannot_cover(game_);
    keys_->clear();
    settings_->show_settings(game_.params);
    refresh();
    emit sessionChanged();
}

// The key does what a click on the undo button does, and only while it is shown.
void TForm1::undo_key() {
    if (game_.table.undo_offered) UndoClick();
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) {
    // Anywhere on the window, the settings' background too; a settings
    // field keeps its own menu.
    menu_->exec(event->globalPos(), game_.table.undo_offered, game_.stopped != StopReason::None);
    event->accept();
}

void TForm1::open_lab() {
    if (!lab_) {
        lab_ = std::make_unique<LabWindow>(game_, keeper_.log());
        connect(this, &TForm1::sessionChanged, lab_.get(), &LabWindow::session_changed);
    }
    // A minimised lab comes back as it was, maximised or not.
    lab_->setWindowState(lab_->windowState() & ~Qt::WindowMinimized);
    lab_->show();
    lab_->raise();
    lab_->activateWindow();
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
