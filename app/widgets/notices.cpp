// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/widgets/notices.hpp"

#include <QMessageBox>
#include <QWidget>

#include "lab/shown_text.hpp"

namespace quorvel {

namespace {

QString masked(const QString& message) {
    return QString::fromStdString(shown_lines(message.toStdString()));
}

}  // namespace

Notices::Notices(QWidget* window) : QObject(window), window_(window) {}

void Notices::set_reporter(Reporter reporter) {
    reporter_ = std::move(reporter);
}

void Notices::report(const QString& message) {
    if (reporter_) {
        reporter_(masked(message));
    } else {
        QMessageBox::critical(window_, window_->windowTitle(), masked(message));
    }
}

void Notices::set_teller(Reporter teller) {
    teller_ = std::move(teller);
}

void Notices::tell(const QString& message) {
    if (teller_) {
        teller_(masked(message));
    } else if (reporter_) {
        reporter_(masked(message));
    } else {
        QMessageBox::information(window_, window_->windowTitle(), masked(message));
    }
}

}  // namespace quorvel
