// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sessions/session_list.hpp"

#include <QColor>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/sessions/read_session_file.hpp"
#include "game/selectors.hpp"
#include "lab/figure_table.hpp"
#include "lab/shown_text.hpp"

namespace quorvel {

namespace {

QString shown(const QString& text) {
    return QString::fromStdString(shown_text(text.toStdString()));
}

QString money(std::int64_t value) {
    return QString::fromStdString(grouped(value));
}

enum Column { Started, Spins, Mode, AtStart, AtEnd, Ended, kColumns };

}  // namespace

// The bankroll at the start is the one the first number met: settings and a
// top-up before it count, the spins do not.
SessionSummary summarise_session(const SessionStore::KeptFile& file) {
    SessionSummary summary;
    summary.path = file.path;
    summary.clean = file.clean;
    std::optional<std::int64_t> at_start;
    SessionFileReading read = read_session_file(file.path, QDir::toNativeSeparators(file.path), {},
                                                [&at_start](const Game& game) {
                                                    if (game.NumbersList.empty())
                                                        at_start = game.Bankroll;
                                                });
    SessionReading& reading = read.reading;
    if (!reading.ok()) {
        summary.error = QString::fromStdString(reading.error);
        return summary;
    }
    const Game& game = reading.session->game();
    summary.start = QDateTime::fromSecsSinceEpoch(reading.session->start_time());
    summary.spins = static_cast<qint64>(game.NumbersList.size());
    summary.mode = QString::fromUtf8(text_of(game.params.GameModes).data(),
                                     static_cast<qsizetype>(text_of(game.params.GameModes).size()));
    summary.bankroll_at_start = at_start.value_or(Session().game().Bankroll);
    summary.bankroll_at_end = game.Bankroll;
    return summary;
}

SessionsDialog::SessionsDialog(const std::vector<SessionSummary>& sessions, const QString& folder,
                               QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SessionsDialog"));
    setWindowTitle(QStringLiteral("Sessions"));

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("SessionList"));
    list_->setRootIsDecorated(false);
    list_->setAlternatingRowColors(true);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({QStringLiteral("Started"), QStringLiteral("Spins"),
                            QStringLiteral("Mode"), QStringLiteral("Bankroll at start"),
                            QStringLiteral("Bankroll at end"), QStringLiteral("Ended")});
    // Newest first.
    for (auto it = sessions.rbegin(); it != sessions.rend(); ++it) {
        const SessionSummary& session = *it;
        auto* row = new QTreeWidgetItem(list_);
        row->setData(Started, Qt::UserRole, session.path);
        row->setToolTip(Started, shown(QDir::toNativeSeparators(session.path)));
        if (!session.error.isEmpty()) {
            row->setText(Started, shown(QFileInfo(session.path).fileName()));
            row->setText(Mode, QStringLiteral("could not be read"));
            row->setToolTip(Mode, shown(session.error));
        } else {
            row->setText(Started,
                         session.start.toLocalTime().toString(QStringLiteral("yyyy-MM-dd  HH:mm")));
            row->setText(Spins, money(session.spins));
            row->setText(Mode, session.mode);
            row->setText(AtStart, money(session.bankroll_at_start));
            row->setText(AtEnd, money(session.bankroll_at_end));
            // Won or lost over the session, at a glance.
            if (session.bankroll_at_end != session.bankroll_at_start) {
                row->setForeground(AtEnd, session.bankroll_at_end > session.bankroll_at_start
                                              ? QColor(0x1b, 0x7a, 0x36)
                                              : QColor(0xb3, 0x26, 0x1e));
            }
        }
        row->setText(Ended, !session.clean   ? QStringLiteral("saved here")
                            : *session.clean ? QStringLiteral("cleanly")
                                             : QStringLiteral("not cleanly"));
        if (session.clean == false) row->setForeground(Ended, QColor(0xb3, 0x5c, 0x00));
        for (int column : {Spins, AtStart, AtEnd})
            row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column : {Spins, AtStart, AtEnd})
        list_->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    for (int column = 0; column < kColumns; ++column) {
        list_->resizeColumnToContents(column);
        list_->setColumnWidth(column, list_->columnWidth(column) + 18);
    }

    auto* where = new QLabel(
        QStringLiteral("The last %1 sessions are kept in %2. \"Open\" plays one on from its end; "
                       "the session in play is kept there too.")
            .arg(SessionStore::kKeptSessions)
            .arg(shown(QDir::toNativeSeparators(folder))),
        this);
    where->setObjectName(QStringLiteral("SessionsFolder"));
    where->setTextFormat(Qt::PlainText);
    where->setWordWrap(true);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(this);
    open_ = buttons->addButton(QStringLiteral("Open"), QDialogButtonBox::AcceptRole);
    open_->setObjectName(QStringLiteral("OpenSession"));
    reveal_ = buttons->addButton(QStringLiteral("Show file"), QDialogButtonBox::ActionRole);
    reveal_->setObjectName(QStringLiteral("ShowSessionFile"));
    buttons->addButton(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(open_, &QPushButton::clicked, this, [this] {
        if (chosen().isEmpty()) return;
        accept();
        emit openRequested(chosen());
    });
    connect(reveal_, &QPushButton::clicked, this, [this] {
        if (!chosen().isEmpty()) emit revealRequested(chosen());
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, open_, &QPushButton::click);
    connect(list_, &QTreeWidget::currentItemChanged, this, &SessionsDialog::update_buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(where);
    layout->addWidget(buttons);
    resize(680, 320);
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    update_buttons();
}

QString SessionsDialog::chosen() const {
    const QTreeWidgetItem* row = list_->currentItem();
    return row != nullptr ? row->data(Started, Qt::UserRole).toString() : QString();
}

// A file that could not be read back can be shown, not opened.
void SessionsDialog::update_buttons() {
    const QTreeWidgetItem* row = list_->currentItem();
    reveal_->setEnabled(row != nullptr);
    open_->setEnabled(row != nullptr && !row->text(Spins).isEmpty());
}

}  // namespace quorvel
