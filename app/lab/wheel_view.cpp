// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lab/wheel_view.hpp"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "lab/wheel_test.hpp"

namespace quorvel {

namespace {

constexpr int kTests = 5;
constexpr int kColumns = 5;

void set_text(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

}  // namespace

WheelView::WheelView(QWidget* parent)
    : QWidget(parent),
      table_(new QTableWidget(kTests, kColumns, this)),
      verdict_(new QLabel(this)),
      note_(new QLabel(this)) {
    table_->setObjectName(QStringLiteral("WheelTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Test"), QStringLiteral("Chi-square"),
                                       QStringLiteral("df"), QStringLiteral("p"),
                                       QStringLiteral("What came")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->verticalHeader()->setDefaultSectionSize(22);
    QHeaderView* header = table_->horizontalHeader();
    for (int column = 0; column < kColumns - 1; ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(kColumns - 1, QHeaderView::Stretch);
    for (int row = 0; row < kTests; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(column == 0 || column == kColumns - 1
                                       ? Qt::AlignLeft | Qt::AlignVCenter
                                       : Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(row, column, item);
        }
    }
    table_->setFixedHeight(header->sizeHint().height() + kTests * 22 + 2 * table_->frameWidth());

    verdict_->setObjectName(QStringLiteral("WheelVerdict"));
    note_->setObjectName(QStringLiteral("WheelNote"));
    for (QLabel* label : {verdict_, note_}) {
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    layout->addWidget(verdict_);
    layout->addWidget(note_);
}

void WheelView::show_test(const WheelTest& test) {
    const std::vector<WheelRow> rows = wheel_rows(test);
    for (int row = 0; row < kTests && row < static_cast<int>(rows.size()); ++row) {
        const WheelRow& r = rows[static_cast<std::size_t>(row)];
        const std::string* cells[kColumns] = {&r.test, &r.chi2, &r.df, &r.p, &r.came};
        for (int column = 0; column < kColumns; ++column) {
            const QString text = QString::fromStdString(*cells[column]);
            QTableWidgetItem* item = table_->item(row, column);
            if (item->text() != text) item->setText(text);
        }
    }
    QStringList lines;
    for (const std::string& line : wheel_verdict(test))
        lines << QString::fromStdString(line);
    lines << QString::fromStdString(wheel_power_line(test));
    set_text(verdict_, lines.join(QLatin1Char('\n')));
    set_text(note_, QString::fromStdString(wheel_draws_note(test)));
}

void WheelView::clear(const QString& why) {
    for (int row = 0; row < kTests; ++row) {
        for (int column = 0; column < kColumns; ++column)
            table_->item(row, column)->setText({});
    }
    set_text(verdict_, why);
    set_text(note_, {});
}

}  // namespace quorvel
