// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The lab's charts: axis labels that fit at every range, in short forms, and
// a fan chart whose range follows the run rather than the widest sessions.
#include <algorithm>
#include <cmath>
#include <vector>

#include <QApplication>
#include <QCategoryAxis>
#include <QFontMetricsF>
#include <QTest>

#include "app/lab/bankroll_chart.hpp"
#include "app/lab/finals_histogram.hpp"
#include "app/widgets/chart_axis.hpp"
#include "lab/chance.hpp"

Q_DECLARE_METATYPE(std::vector<double>)
Q_DECLARE_METATYPE(std::vector<std::int64_t>)

namespace {

const QString kMinus(QChar(0x2212));

// Bands that spread evenly from the start, the 5 % one falling to `low` and
// the 95 % one rising to `high` by the last spin.
quorvel::BankrollBands spreading_bands(std::int64_t start, double low, double high,
                                       std::int64_t spins) {
    quorvel::BankrollBands bands;
    for (std::int64_t spin = 0; spin <= spins; spin += std::max<std::int64_t>(1, spins / 50)) {
        const double t = static_cast<double>(spin) / static_cast<double>(spins);
        bands.spins.push_back(spin);
        const double s = static_cast<double>(start);
        const double values[] = {s + t * (low - s), s + t * (low - s) / 3, s,
                                 s + t * (high - s) / 3, s + t * (high - s)};
        for (std::size_t b = 0; b < 5; ++b)
            bands.bands[b].push_back(values[b]);
    }
    return bands;
}

// Every label of the axis fits the share of the axis the chart gives it and
// stands clear of its neighbours.
void check_labels_fit(QCategoryAxis& axis, double pixels) {
    const QStringList labels = axis.categoriesLabels();
    QVERIFY2(labels.size() >= 2, qPrintable(labels.join(' ')));
    const QFontMetricsF metrics(axis.labelsFont());
    const double share = pixels / (labels.size() + 1);
    const double range = axis.max() - axis.min();
    for (int i = 0; i < labels.size(); ++i) {
        const double width = metrics.horizontalAdvance(labels[i]);
        QVERIFY2(width + 10 <= share, qPrintable(labels.join(' ')));
        if (i > 0) {
            const double apart =
                (axis.endValue(labels[i]) - axis.endValue(labels[i - 1])) * pixels / range;
            QVERIFY2(apart >= width, qPrintable(labels.join(' ')));
        }
        QVERIFY(axis.endValue(labels[i]) >= axis.min());
        QVERIFY(axis.endValue(labels[i]) <= axis.max());
    }
}

}  // namespace

class ChartsTest : public QObject {
    Q_OBJECT

private slots:
    void short_labels_read_in_the_fewest_characters_data() {
        QTest::addColumn<std::vector<double>>("ticks");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<bool>("compact");
        QTest::newRow("small, in full")
            << std::vector<double>{0, 20, 40, 60} << QStringList{"0", "20", "40", "60"} << false;
        QTest::newRow("below ten thousand, grouped")
            << std::vector<double>{4800, 5000, 5200} << QStringList{"4,800", "5,000", "5,200"}
            << false;
        QTest::newRow("below zero, with the minus sign")
            << std::vector<double>{-5000, 0, 5000} << QStringList{kMinus + "5,000", "0", "5,000"}
            << false;
        QTest::newRow("thousands")
            << std::vector<double>{-600000, -400000, -200000, 0}
            << QStringList{kMinus + "600k", kMinus + "400k", kMinus + "200k", "0"} << false;
        QTest::newRow("thousands, one decimal where one is needed")
            << std::vector<double>{0, 2500, 5000, 7500, 10000}
            << QStringList{"0", "2.5k", "5k", "7.5k", "10k"} << false;
        QTest::newRow("millions") << std::vector<double>{1000000, 1200000, 1400000}
                                  << QStringList{"1M", "1.2M", "1.4M"} << false;
        QTest::newRow("millions below zero")
            << std::vector<double>{-1500000, -1000000, -500000, 0}
            << QStringList{kMinus + "1.5M", kMinus + "1M", kMinus + "0.5M", "0"} << false;
        QTest::newRow("billions") << std::vector<double>{-2e9, 0, 2e9, 4e9}
                                  << QStringList{kMinus + "2B", "0", "2B", "4B"} << false;
        QTest::newRow("compact: thousands in k from a thousand up")
            << std::vector<double>{4800, 5000, 5200} << QStringList{"4.8k", "5k", "5.2k"} << true;
        QTest::newRow("compact: below a thousand in full")
            << std::vector<double>{-500, 0, 500} << QStringList{kMinus + "500", "0", "500"} << true;
        QTest::newRow("many thousands of thousands stay in k")
            << std::vector<double>{200000, 400000, 600000, 800000}
            << QStringList{"200k", "400k", "600k", "800k"} << false;
    }

    void short_labels_read_in_the_fewest_characters() {
        QFETCH(std::vector<double>, ticks);
        QFETCH(QStringList, labels);
        QFETCH(bool, compact);
        QCOMPARE(quorvel::short_labels(ticks, compact), labels);
    }

    void ticks_are_round_whole_and_few_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("most");
        QTest::newRow("a short run") << 0.0 << 66.0 << 5;
        QTest::newRow("a narrow band of money") << 4851.3 << 5042.7 << 4;
        QTest::newRow("a ruinous spread") << -618000.0 << 1250000.0 << 3;
        QTest::newRow("a flat line") << 5000.0 << 5000.0 << 6;
        QTest::newRow("fewer units than ticks") << 0.0 << 3.0 << 6;
        QTest::newRow("a long file") << 0.0 << 707492.0 << 6;
    }

    void ticks_are_round_whole_and_few() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, most);
        const quorvel::AxisTicks ticks = quorvel::round_ticks(low, high, most);
        QVERIFY(!ticks.values.empty() || high - low < ticks.step);
        QVERIFY(static_cast<int>(ticks.values.size()) <= most);
        QCOMPARE(ticks.step, std::floor(ticks.step));
        QVERIFY(ticks.step >= 1);
        // The step is 1, 2, 2.5 or 5 times a power of ten.
        const double mantissa = ticks.step / std::pow(10.0, std::floor(std::log10(ticks.step)));
        QVERIFY2(mantissa == 1 || mantissa == 2 || mantissa == 2.5 || mantissa == 5,
                 qPrintable(QString::number(ticks.step)));
        for (double value : ticks.values) {
            QVERIFY(value >= low && value <= std::max(high, low + 1));
            QCOMPARE(std::fmod(value, ticks.step), 0.0);
        }
        // A step one size smaller would have given too many ticks.
        if (ticks.values.size() >= 2) {
            const double apart = ticks.values[1] - ticks.values[0];
            QCOMPARE(apart, ticks.step);
        }
    }

    void the_histogram_labels_fit_at_every_range_and_width_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("width");
        QTest::newRow("a short run, narrow") << 4800.0 << 5200.0 << 220;
        QTest::newRow("a long run") << -1500.0 << 6200.0 << 260;
        QTest::newRow("ruinous sessions, narrow") << -600000.0 << 1200000.0 << 220;
        QTest::newRow("ruinous sessions, wide") << -600000.0 << 1200000.0 << 600;
        QTest::newRow("a few units") << 0.0 << 60.0 << 220;
        QTest::newRow("billions") << -3e9 << 2e9 << 240;
    }

    void the_histogram_labels_fit_at_every_range_and_width() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, width);
        std::vector<std::int64_t> finals;
        for (int k = 0; k < 1000; ++k)
            finals.push_back(static_cast<std::int64_t>(low + (high - low) * k / 999.0));
        quorvel::FinalsHistogram histogram;
        histogram.resize(width, 200);
        histogram.set_finals(finals, static_cast<std::int64_t>(high),
                             static_cast<std::int64_t>(low), 12);
        histogram.show();
        QVERIFY(QTest::qWaitForWindowExposed(&histogram));
        const double pixels = histogram.chart()->plotArea().width();
        QVERIFY(pixels > 0);
        check_labels_fit(*histogram.money_axis(), pixels);
        // The fit follows the chart when it is made wider or narrower.
        const qsizetype labels = histogram.money_axis()->count();
        histogram.resize(width * 3, 200);
        QTRY_VERIFY(histogram.chart()->plotArea().width() > 2 * pixels);
        check_labels_fit(*histogram.money_axis(), histogram.chart()->plotArea().width());
        QVERIFY(histogram.money_axis()->count() >= labels);
    }

    void the_fan_chart_range_follows_the_run_and_the_band_data() {
        QTest::addColumn<std::vector<std::int64_t>>("bankroll");
        QTest::addColumn<double>("band_low");
        QTest::addColumn<double>("band_high");
        QTest::addColumn<double>("want_low");  // the range reaches at least this far
        QTest::addColumn<double>("want_high");
        QTest::addColumn<double>("floor");  // and no further than this
        QTest::addColumn<double>("ceiling");
        // Fair sessions falling to -300,000 while the run falls to -6,858:
        // the band is cut where the run would become a flat line.
        QTest::newRow("a band far wider than the run")
            << std::vector<std::int64_t>{5000, 5400, 1200, -6858, -2000} << -300000.0 << 40000.0
            << -6858.0 << 5400.0 << -6858.0 - 12258.0 * 1.3 << 5400.0 + 12258.0 * 1.3;
        // A band within reach is shown whole.
        QTest::newRow("a band near the run")
            << std::vector<std::int64_t>{5000, 4980, 5030, 5010} << 4940.0 << 5060.0 << 4940.0
            << 5060.0 << 4900.0 << 5100.0;
        // A run wider than its band: the run decides.
        QTest::newRow("a run beyond its band")
            << std::vector<std::int64_t>{5000, 9000, 12000, 2000} << 4000.0 << 6000.0 << 2000.0
            << 12000.0 << 1000.0 << 13000.0;
        // A flat run still shows a little of the band around it.
        QTest::newRow("a run without bets") << std::vector<std::int64_t>{5000, 5000, 5000} << 4000.0
                                            << 6000.0 << 4995.0 << 5005.0 << 4980.0 << 5020.0;
    }

    void the_fan_chart_range_follows_the_run_and_the_band() {
        QFETCH(std::vector<std::int64_t>, bankroll);
        QFETCH(double, band_low);
        QFETCH(double, band_high);
        QFETCH(double, want_low);
        QFETCH(double, want_high);
        QFETCH(double, floor);
        QFETCH(double, ceiling);
        const auto spins = static_cast<std::int64_t>(bankroll.size() - 1);
        const quorvel::BankrollBands bands =
            spreading_bands(bankroll.front(), band_low, band_high, spins);
        const quorvel::MoneyRange range = quorvel::fan_chart_range(bankroll, &bands);
        QVERIFY2(range.low <= want_low && range.low >= floor,
                 qPrintable(QString::number(range.low)));
        QVERIFY2(range.high >= want_high && range.high <= ceiling,
                 qPrintable(QString::number(range.high)));

        // The chart shows it so, rounded outwards.
        quorvel::BankrollChart chart;
        chart.set_bankroll(bankroll, &bands);
        QVERIFY(chart.money_axis()->min() <= range.low);
        QVERIFY(chart.money_axis()->min() >= range.low - (range.high - range.low));
        QVERIFY(chart.money_axis()->max() >= range.high);
    }

    void a_run_never_below_zero_is_drawn_from_zero() {
        const std::vector<std::int64_t> bankroll{300, 120, 40, 0};
        const quorvel::BankrollBands bands = spreading_bands(300, 0, 900, 3);
        const quorvel::MoneyRange range = quorvel::fan_chart_range(bankroll, &bands);
        QCOMPARE(range.low, 0.0);
        QVERIFY(range.high >= 600);
        // Without a fan, the run alone with a margin.
        const quorvel::MoneyRange alone = quorvel::fan_chart_range(bankroll, nullptr);
        QCOMPARE(alone.low, 0.0);
        QVERIFY(alone.high > 300 && alone.high < 330);
    }

    void the_spins_axis_covers_the_fair_sessions_of_a_run_that_ended_early() {
        // The run ran out at spin 3; the fair sessions played all 40.
        const std::vector<std::int64_t> bankroll{50, 20, 5, 0};
        const quorvel::BankrollBands bands = spreading_bands(50, 0, 150, 40);
        quorvel::BankrollChart chart;
        chart.resize(400, 240);
        chart.set_bankroll(bankroll, &bands);
        QCOMPARE(chart.spins_axis()->max(), 40.0);
        chart.set_bankroll(bankroll);
        QCOMPARE(chart.spins_axis()->max(), 10.0);
    }
};

QTEST_MAIN(ChartsTest)
#include "charts_test.moc"
