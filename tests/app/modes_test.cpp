// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Every game mode, with both betting types and all three sector choices,
// played through the window: the chips it shows are the bet the next number
// settles.
#include <memory>

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "app/table/tform1.hpp"
#include "game/random_source.hpp"
#include "play/spin_cycle.hpp"

using quorvel::BetType;
using quorvel::GameMode;
using quorvel::Sector;
using quorvel::SectorChoice;
using quorvel::TForm1;

Q_DECLARE_METATYPE(GameMode)
Q_DECLARE_METATYPE(BetType)
Q_DECLARE_METATYPE(SectorChoice)

class ModesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form_;

    template <typename T = QWidget>
    T* named(const QString& name) const {
        T* found = form_->findChild<T*>(name);
        if (found == nullptr) qFatal("no widget named %s", qPrintable(name));
        return found;
    }

    // The sectors whose chip the window shows.
    QList<Sector> shown_chips() const {
        QList<Sector> shown;
        for (Sector sector : quorvel::kAllSectors) {
            const std::string_view name = quorvel::name_of(sector);
            if (named("Chip_" + QString::fromLatin1(name.data(), 2))->isVisible()) shown << sector;
        }
        return shown;
    }

    // A number clicked, and its pause run to the end at once.
    void spin(int number) {
        QTest::mouseClick(named<QPushButton>(QStringLiteral("SpeedButton%1").arg(number)),
                          Qt::LeftButton);
        quorvel::end_analysis_pause(form_->game());
        form_->refresh();
    }

private slots:
    void init() {
        form_ = std::make_unique<TForm1>();
        // A clock that moves one second per reading: every draw differs, and
        // every run of the test draws the same.
        auto now = std::make_shared<std::int64_t>(1765000000);
        form_->game().random = quorvel::RandomSource([now] { return (*now)++; }, {});
        form_->show();
    }

    void cleanup() { form_.reset(); }

    void every_mode_bets_what_the_next_number_settles_data() {
        QTest::addColumn<GameMode>("mode");
        QTest::addColumn<BetType>("type");
        QTest::addColumn<SectorChoice>("sectors");
        for (std::size_t m = 0; m < quorvel::items_of<GameMode>().size(); ++m) {
            for (BetType type : {BetType::Single, BetType::Double}) {
                for (std::size_t c = 0; c < quorvel::items_of<SectorChoice>().size(); ++c) {
                    const auto mode = static_cast<GameMode>(m);
                    const auto sectors = static_cast<SectorChoice>(c);
                    const QByteArray row = QByteArray(quorvel::text_of(mode).data()) + " / " +
                                           quorvel::text_of(type).data() + " / " +
                                           quorvel::text_of(sectors).data();
                    QTest::newRow(row.constData()) << mode << type << sectors;
                }
            }
        }
    }

    void every_mode_bets_what_the_next_number_settles() {
        QFETCH(GameMode, mode);
        QFETCH(BetType, type);
        QFETCH(SectorChoice, sectors);
        named<QComboBox>("GameModes")->setCurrentIndex(quorvel::row_of(mode));
        named<QComboBox>("BettingType")->setCurrentIndex(quorvel::row_of(type));
        named<QComboBox>("BettingSectors")->setCurrentIndex(quorvel::row_of(sectors));
        if (mode == GameMode::Adaptive)
            QTest::mouseClick(named<QPushButton>("Adaptive_Matrix"), Qt::LeftButton);

        const int numbers[] = {7, 20, 1, 33, 5, 36, 14, 29, 2, 25, 11, 18, 31, 4, 22, 9, 35, 16};
        int bets = 0;
        QList<Sector> on_table;
        for (int number : numbers) {
            spin(number);
            if (!on_table.isEmpty()) {
                bool covered = false;
                for (Sector sector : on_table)
                    covered = covered || quorvel::sector_holds(sector, number);
                QCOMPARE(form_->game().Spin_Won, covered ? 1 : 0);
            }
            on_table = shown_chips();
            if (on_table.isEmpty()) continue;
            ++bets;
            QCOMPARE(on_table.size(), type == BetType::Single ? 1 : 2);
            const bool dozens = quorvel::is_dozen(on_table.first());
            for (Sector sector : on_table)
                QCOMPARE(quorvel::is_dozen(sector), dozens);
            if (sectors == SectorChoice::OnlyDozens) QVERIFY(dozens);
            if (sectors == SectorChoice::OnlyColumns) QVERIFY(!dozens);
        }
        QVERIFY2(bets >= 3, qPrintable(QStringLiteral("only %1 bets").arg(bets)));
    }
};

QTEST_MAIN(ModesTest)
#include "modes_test.moc"
