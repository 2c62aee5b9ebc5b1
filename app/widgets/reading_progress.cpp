// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/widgets/reading_progress.hpp"

#include <algorithm>

#include <QProgressDialog>

namespace quorvel {

namespace {

// The bar counts in kibibytes: a file of some gigabytes would not fit an int.
int kibibytes(qint64 bytes) {
    return static_cast<int>(bytes >> 10);
}

}  // namespace

ReadingProgress::ReadingProgress(QWidget* parent, QString label)
    : parent_(parent), label_(std::move(label)) {}

ReadingProgress::~ReadingProgress() = default;

bool ReadingProgress::operator()(qint64 done, qint64 total) {
    if (total < kSmallestShown) return true;
    if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>(label_, QStringLiteral("Cancel"), 0,
                                                    kibibytes(total), parent_);
        dialog_->setObjectName(QStringLiteral("ReadingProgress"));
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(400);
        dialog_->setAutoReset(false);
    }
    // A window-modal bar takes its events here: Cancel is heard between pieces.
    dialog_->setValue(kibibytes(std::min(done, total)));
    cancelled_ = dialog_->wasCanceled();
    return !cancelled_;
}

}  // namespace quorvel
