// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;

namespace quorvel {

struct WheelTest;

// The wheel test as the window shows it, in the Session tab and for a file
// of the Backtest tab: the five tests in a table, the verdict, what a log of
// this length can find and where the p-values come from. Every word and
// figure is the lab's; the view only lays them out.
class WheelView : public QWidget {
    Q_OBJECT

public:
    explicit WheelView(QWidget* parent = nullptr);

    void show_test(const WheelTest& test);
    // No spins to test: the table empties and the text says why.
    void clear(const QString& why);

private:
    QTableWidget* table_;
    QLabel* verdict_;
    QLabel* note_;
};

}  // namespace quorvel
