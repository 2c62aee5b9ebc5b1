// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/lab/session_tab.hpp"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/lab/bankroll_chart.hpp"
#include "app/lab/figures_panel.hpp"
#include "app/lab/wheel_view.hpp"
#include "game/game.hpp"
#include "lab/figure_table.hpp"
#include "lab/lab_settings.hpp"
#include "lab/run_report.hpp"
#include "lab/session_log.hpp"
#include "lab/table_stats.hpp"
#include "lab/verdict.hpp"
#include "lab/wheel_test.hpp"

namespace quorvel {

namespace {

enum Column { kSleep, kRecentHits, kRecentShare, kHits, kShare, kColumnCount };

QString percent_text(std::size_t hits, std::size_t spins) {
    if (spins == 0) return QStringLiteral("–");
    return QString::number(percent_of(hits, spins), 'f', 1) + QLatin1Char('%');
}

// Counts read as the figures beside them do: 1,308.
QString count_text(std::size_t count) {
    return QString::fromStdString(grouped(static_cast<std::int64_t>(count)));
}

QString expected_share_text() {
    return QString::number(100.0 * kExpectedSectorShare, 'f', 1) + QLatin1Char('%');
}

}  // namespace

SessionTab::SessionTab(QWidget* parent)
    : QWidget(parent),
      sectors_(new QTableWidget(6, kColumnCount, this)),
      summary_(new QLabel(this)),
      figures_(new FiguresPanel(
          {"bets", "wins", "losses", "wagered", "paid", "net", "adjustments", "min_bankroll",
           "max_drawdown", "ran_out_at", "stopped_at", "stop_reason", "expected_loss",
           "predictions", "hit_rate", "chance_hit_rate", "hit_rate_p"},
          2, this)),
      verdict_(new QLabel(this)),
      wheel_(new WheelView),
      chart_(new BankrollChart(this)) {
    setObjectName(QStringLiteral("SessionTab"));
    sectors_->setObjectName(QStringLiteral("SectorTable"));
    sectors_->setHorizontalHeaderLabels({QStringLiteral("Sleep"), QStringLiteral("Hits, last 37"),
                                         QStringLiteral("%"), QStringLiteral("Hits, session"),
                                         QStringLiteral("%")});
    QStringList sectors;
    for (Sector sector : kAllSectors) {
        const std::string_view name = name_of(sector);
        sectors << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    }
    sectors_->setVerticalHeaderLabels(sectors);
    sectors_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sectors_->setSelectionMode(QAbstractItemView::NoSelection);
    sectors_->setFocusPolicy(Qt::NoFocus);
    sectors_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    sectors_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sectors_->verticalHeader()->setDefaultSectionSize(22);
    sectors_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sectors_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < kColumnCount; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            sectors_->setItem(row, column, item);
        }
    }
    sectors_->setToolTip(QStringLiteral("Sleep: spins since the sector last came. Hits: the "
                                        "spins it came in, against %1 expected.")
                             .arg(expected_share_text()));

    summary_->setObjectName(QStringLiteral("SessionSummary"));
    verdict_->setObjectName(QStringLiteral("SessionVerdict"));
    verdict_->setWordWrap(true);
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chart_->setObjectName(QStringLiteral("SessionChart"));

    auto* top = new QHBoxLayout;
    top->addWidget(sectors_, 3);
    top->addSpacing(12);
    top->addWidget(figures_, 2, Qt::AlignTop);
    auto* wheel_box = new QGroupBox(QStringLiteral("Wheel"), this);
    wheel_box->setObjectName(QStringLiteral("SessionWheel"));
    wheel_->setObjectName(QStringLiteral("SessionWheelView"));
    auto* wheel_layout = new QVBoxLayout(wheel_box);
    wheel_layout->addWidget(wheel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addLayout(top);
    layout->addWidget(verdict_);
    layout->addWidget(wheel_box);
    layout->addWidget(chart_, 1);
}

void SessionTab::show_session(const Game& game, const SessionLog& log) {
    const TableStats stats = table_stats(game.NumbersList);
    for (int row = 0; row < 6; ++row) {
        const SectorStats& sector = stats.sectors[static_cast<std::size_t>(row)];
        const auto set = [this, row](int column, const QString& text) {
            QTableWidgetItem* item = sectors_->item(row, column);
            if (item->text() != text) item->setText(text);
        };
        set(kSleep, count_text(sector.sleep));
        set(kRecentHits, count_text(sector.recent_hits));
        set(kRecentShare, percent_text(sector.recent_hits, stats.recent_spins()));
        set(kHits, count_text(sector.hits));
        set(kShare, percent_text(sector.hits, stats.spins));
    }
    summary_->setText(QStringLiteral("Spins: %1. A dozen or a column comes, on average, in "
                                     "%2 of the spins.")
                          .arg(count_text(stats.spins))
                          .arg(expected_share_text()));
    // Six rows and the header, without a scroll bar, once the style has
    // given the header its height.
    const int height = sectors_->horizontalHeader()->height() +
                       sectors_->verticalHeader()->length() + 2 * sectors_->frameWidth();
    if (sectors_->height() != height) sectors_->setFixedHeight(height);
    const RunReport session = report_of({}, {}, log.figures(game));
    figures_->set_report(session);
    // The hit rate's line: the others speak of a finished run.
    const QString verdict = QString::fromStdString(run_verdict(session).front());
    if (verdict_->text() != verdict) verdict_->setText(verdict);
    if (game.NumbersList.empty()) {
        wheel_->clear(QStringLiteral("No spins yet: the wheel test starts with the first number."));
    } else {
        // The fair files come from the lab's fixed seed: the same spins
        // always give the same figures.
        wheel_->show_test(wheel_test(game.NumbersList, kDefaultLabSeed, kLiveWheelDraws));
    }
    chart_->set_bankroll(log.bankroll());
}

}  // namespace quorvel
