// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

#include <QString>

class QProgressDialog;
class QWidget;

namespace quorvel {

// The progress of a large file read on the interface thread, with its Cancel
// button: a call a piece, true while the reading may go on. A file of a few
// megabytes reads in a blink and shows nothing; the bar shows itself only for
// a reading that takes a moment.
class ReadingProgress {
public:
    ReadingProgress(QWidget* parent, QString label);
    ~ReadingProgress();
    ReadingProgress(const ReadingProgress&) = delete;
    ReadingProgress& operator=(const ReadingProgress&) = delete;

    bool operator()(qint64 done, qint64 total);
    bool cancelled() const { return cancelled_; }

    // Files smaller than this read without a bar.
    static constexpr qint64 kSmallestShown = qint64{4} << 20;

private:
    QWidget* parent_;
    QString label_;
    std::unique_ptr<QProgressDialog> dialog_;
    bool cancelled_ = false;
};

}  // namespace quorvel
