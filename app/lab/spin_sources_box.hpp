// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <QGroupBox>

class QCheckBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace quorvel {

struct RunPlan;

// The spins a backtest plays and how it is set against chance: spin files
// (added or dropped) or random spins, the one seed of the run's clock, the
// random draw and the fair sessions, and how many fair sessions to play.
// Beside the files: whether to pool them (each played as its own session,
// then added up as one), and the wheel test of the chosen file or the pool.
class SpinSourcesBox : public QGroupBox {
    Q_OBJECT

public:
    explicit SpinSourcesBox(QWidget* parent = nullptr);

    void add_files(const QStringList& files);
    // Puts the chosen spins, the seed and the fair sessions into the plan;
    // returns what is missing, or empty.
    QString fill_plan(RunPlan& plan) const;
    // The fair sessions asked for; empty for as many as fit.
    std::optional<std::int64_t> chance_asked() const;
    // The files the wheel test is for: all of them when they are pooled,
    // else the chosen one (the first when none is chosen). Empty when the
    // spins are random or there is no file.
    std::vector<std::string> wheel_files() const;
    bool pooled() const;
    int seed() const;
    // The player's folder of spin files, where the exports start too.
    const QString& folder() const { return folder_; }
    void set_folder(const QString& folder) { folder_ = folder; }

    void set_inputs_enabled(bool enabled);

signals:
    // "Wheel test" was pressed.
    void wheelWanted();

private:
    QRadioButton* from_files_;
    QRadioButton* from_random_;
    QListWidget* files_;
    QPushButton* add_;
    QPushButton* remove_;
    QPushButton* wheel_;
    QCheckBox* pool_;
    QSpinBox* random_count_;
    QSpinBox* seed_;
    QSpinBox* chance_;
    QString folder_;
};

}  // namespace quorvel
