// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <map>
#include <string>
#include <vector>

#include <QWidget>

class QLabel;

namespace quorvel {

struct RunFigures;
struct RunReport;

// The lab's figures of a session or a run, under the player's words for them,
// in a grid of name and value. Which figures it shows is given by their keys
// in the lab's figure table ("bets", "max_drawdown", "net"), which also gives
// their labels and how they read.
class FiguresPanel : public QWidget {
    Q_OBJECT

public:
    FiguresPanel(const std::vector<std::string>& shown, int columns, QWidget* parent = nullptr);

    void set_figures(const RunFigures& figures);
    void set_report(const RunReport& run);
    void clear();

private:
    std::map<std::string, QLabel*> values_;
};

}  // namespace quorvel
