// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QWidget>

namespace quorvel {

// A thin progress bar without text: the analysis pause along the bottom of the
// table, the matrix progress and the decorative bars of the settings section.
// The bar fills from the left in proportion progress / maximum.
class Gauge : public QWidget {
    Q_OBJECT

public:
    Gauge(const QColor& bar, const QColor& background, QWidget* parent = nullptr);

    int maximum() const { return maximum_; }
    int progress() const { return progress_; }
    void set_maximum(int maximum);
    // Clamped to 0 ... maximum; repaints only on a change.
    void set_progress(int progress);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal filled_width(int progress) const;

    QColor bar_;
    QColor background_;
    int maximum_ = 100;
    int progress_ = 0;
};

}  // namespace quorvel
