// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/lab/lab_window.hpp"

#include <QIcon>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/lab/backtest_tab.hpp"
#include "app/colours.hpp"
#include "app/lab/session_tab.hpp"
#include "game/game.hpp"
#include "lab/session_log.hpp"

namespace quorvel {

namespace {

// The table's dark panel and quiet silver texts, with the settings' green for
// headings and selections. The dialogs the lab opens (messages, file choosers)
// take the same sheet, so they get the dark panel too: silver on their own
// light ground would not be readable.
QString lab_style() {
    const QString panel = colour_from_bgr(kPanel).name();
    const QString field = colour_from_bgr(kGaugeBackground).name();
    const QString text = colour_from_bgr(kSilver).name();
    const QString accent = colour_from_bgr(kLabelColour).name();
    return QStringLiteral(R"(
QWidget#LabWindow, QWidget#SessionTab, QWidget#BacktestTab { background-color: %1; color: %3; }
QDialog { background-color: %1; color: %3; }
QLabel, QRadioButton, QCheckBox { color: %3; }
QGroupBox { color: %4; font-weight: bold; border: 1px solid #45423a; border-radius: 3px;
    margin-top: 8px; padding-top: 6px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }
QLabel[heading="true"] { color: %4; font-weight: bold; }
QTabWidget::pane { border: 1px solid #45423a; }
QTabBar::tab { background: #232326; color: %3; padding: 5px 16px; border: 1px solid #45423a; }
QTabBar::tab:selected { background: %1; color: %4; border-bottom-color: %1; }
QTableWidget, QTableView, QListWidget { background-color: %2; alternate-background-color: #1b1b1d;
    color: %3; gridline-color: #3a3a3e; selection-background-color: #3d6101; selection-color: #ffffff; }
QHeaderView::section { background-color: #232326; color: %4; border: 1px solid #3a3a3e; padding: 2px 4px; }
QTableCornerButton::section { background-color: #232326; border: 1px solid #3a3a3e; }
)")
        .arg(panel, field, text, accent);
}

}  // namespace

LabWindow::LabWindow(const Game& game, const SessionLog& session_log, QWidget* parent)
    : QWidget(parent, Qt::Window),
      game_(game),
      session_log_(session_log),
      tabs_(new QTabWidget(this)),
      session_(new SessionTab(tabs_)),
      backtest_(new BacktestTab(tabs_)) {
    setObjectName(QStringLiteral("LabWindow"));
    setWindowTitle(QStringLiteral("Quorvel Lab"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/app_icon.svg")));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(lab_style());
    resize(1200, 760);

    tabs_->setObjectName(QStringLiteral("LabTabs"));
    tabs_->addTab(session_, QStringLiteral("Session"));
    tabs_->addTab(backtest_, QStringLiteral("Backtest"));
    backtest_->start_from(game_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(tabs_);
}

void LabWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (session_stale_) session_changed();
}

void LabWindow::session_changed() {
    session_stale_ = !isVisible();
    if (!session_stale_) session_->show_session(game_, session_log_);
}

}  // namespace quorvel
