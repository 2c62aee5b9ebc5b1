// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lab/spin_sources_box.hpp"

#include <limits>

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "lab/chance.hpp"
#include "lab/run_plan.hpp"

namespace quorvel {

namespace {

// The "Fair sessions" box at its lowest: as many as fit the spins.
constexpr int kSessionsAsFit = -1;

}  // namespace

SpinSourcesBox::SpinSourcesBox(QWidget* parent) : QGroupBox(QStringLiteral("Spins"), parent) {
    from_files_ = new QRadioButton(QStringLiteral("Spin files (choose or drop them here)"), this);
    from_files_->setObjectName(QStringLiteral("FromFiles"));
    from_files_->setChecked(true);
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("InputFiles"));
    files_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    files_->setMaximumHeight(90);
    add_ = new QPushButton(QStringLiteral("Add files…"), this);
    add_->setObjectName(QStringLiteral("AddFiles"));
    remove_ = new QPushButton(QStringLiteral("Remove"), this);
    remove_->setObjectName(QStringLiteral("RemoveFiles"));
    wheel_ = new QPushButton(QStringLiteral("Wheel test"), this);
    wheel_->setObjectName(QStringLiteral("WheelTest"));
    wheel_->setToolTip(
        QStringLiteral("Is the wheel fair? Test the spins of the chosen file, or of all the "
                       "files when they are pooled, instead of playing them"));
    pool_ = new QCheckBox(QStringLiteral("Pool the files"), this);
    pool_->setObjectName(QStringLiteral("PoolFiles"));
    pool_->setToolTip(
        QStringLiteral("Play each file as a session of its own, then add them up into one "
                       "verdict, set against fair pools of the files' lengths"));
    from_random_ = new QRadioButton(QStringLiteral("Random spins:"), this);
    from_random_->setObjectName(QStringLiteral("FromRandom"));
    random_count_ = new QSpinBox(this);
    random_count_->setObjectName(QStringLiteral("RandomCount"));
    random_count_->setRange(1, 50'000'000);
    random_count_->setValue(100'000);
    random_count_->setGroupSeparatorShown(true);
    // One seed, as on the command line, and the same one by default.
    seed_ = new QSpinBox(this);
    seed_->setObjectName(QStringLiteral("RandomSeed"));
    seed_->setRange(0, std::numeric_limits<int>::max());
    seed_->setValue(static_cast<int>(kDefaultLabSeed));
    seed_->setPrefix(QStringLiteral("seed "));
    seed_->setToolTip(
        QStringLiteral("The second the run's clock starts at; it also draws the "
                       "random spins and the fair sessions"));
    chance_ = new QSpinBox(this);
    chance_->setObjectName(QStringLiteral("ChanceSessions"));
    chance_->setRange(kSessionsAsFit, static_cast<int>(kMostChanceSessions));
    chance_->setValue(kSessionsAsFit);
    chance_->setSpecialValueText(QStringLiteral("as many as fit"));
    chance_->setGroupSeparatorShown(true);
    chance_->setToolTip(QStringLiteral(
        "Fair sessions to set each result against: as many as fit (up to 1,000 for a run, "
        "100 for the grid), a number of your own, or 0 for none"));

    auto* file_buttons = new QHBoxLayout;
    file_buttons->addWidget(add_);
    file_buttons->addWidget(remove_);
    file_buttons->addWidget(wheel_);
    file_buttons->addStretch(1);
    file_buttons->addWidget(pool_);
    auto* random_line = new QHBoxLayout;
    random_line->addWidget(from_random_);
    random_line->addWidget(random_count_, 1);
    auto* seed_line = new QHBoxLayout;
    seed_line->addWidget(seed_, 1);
    auto* sessions = new QLabel(QStringLiteral("Fair sessions:"), this);
    sessions->setBuddy(chance_);
    seed_line->addWidget(sessions);
    seed_line->addWidget(chance_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(from_files_);
    layout->addWidget(files_);
    layout->addLayout(file_buttons);
    layout->addLayout(random_line);
    layout->addLayout(seed_line);

    connect(add_, &QPushButton::clicked, this, [this] {
        if (folder_.isEmpty() || !QDir(folder_).exists()) folder_ = QDir::homePath();
        const QStringList chosen = QFileDialog::getOpenFileNames(
            this, QStringLiteral("Spin files"), folder_,
            QStringLiteral("Spin files (*.txt *.csv);;All files (*)"));
        add_files(chosen);
    });
    connect(remove_, &QPushButton::clicked, this, [this] { qDeleteAll(files_->selectedItems()); });
    connect(wheel_, &QPushButton::clicked, this, &SpinSourcesBox::wheelWanted);
}

void SpinSourcesBox::add_files(const QStringList& files) {
    for (const QString& file : files) {
        const QString path = QDir::toNativeSeparators(file);
        if (files_->findItems(path, Qt::MatchExactly).isEmpty()) files_->addItem(path);
        folder_ = QFileInfo(file).absolutePath();
    }
    if (!files.isEmpty()) from_files_->setChecked(true);
}

QString SpinSourcesBox::fill_plan(RunPlan& plan) const {
    plan.settings.seed = seed_->value();
    plan.chance_sessions = chance_asked();
    if (from_random_->isChecked()) {
        plan.random_spins = static_cast<std::size_t>(random_count_->value());
        return {};
    }
    for (int row = 0; row < files_->count(); ++row)
        plan.files.push_back(QFile::encodeName(files_->item(row)->text()).toStdString());
    if (plan.files.empty()) return QStringLiteral("Add a spin file first, or choose random spins.");
    plan.pool = pool_->isChecked();
    return {};
}

std::vector<std::string> SpinSourcesBox::wheel_files() const {
    std::vector<std::string> files;
    if (from_random_->isChecked() || files_->count() == 0) return files;
    const auto path = [](const QListWidgetItem* item) {
        return QFile::encodeName(item->text()).toStdString();
    };
    if (pool_->isChecked()) {
        for (int row = 0; row < files_->count(); ++row)
            files.push_back(path(files_->item(row)));
        return files;
    }
    const QList<QListWidgetItem*> chosen = files_->selectedItems();
    QListWidgetItem* item = files_->currentItem();
    if (item == nullptr || !item->isSelected())
        item = chosen.isEmpty() ? files_->item(0) : chosen.front();
    files.push_back(path(item));
    return files;
}

bool SpinSourcesBox::pooled() const {
    return pool_->isChecked();
}

int SpinSourcesBox::seed() const {
    return seed_->value();
}

std::optional<std::int64_t> SpinSourcesBox::chance_asked() const {
    if (chance_->value() == kSessionsAsFit) return std::nullopt;
    return chance_->value();
}

void SpinSourcesBox::set_inputs_enabled(bool enabled) {
    for (QWidget* widget :
         std::initializer_list<QWidget*>{from_files_, from_random_, files_, add_, remove_, wheel_,
                                         pool_, random_count_, seed_, chance_})
        widget->setEnabled(enabled);
}

}  // namespace quorvel
