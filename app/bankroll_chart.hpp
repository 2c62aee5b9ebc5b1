#pragma once

#include <cstdint>
#include <span>

#include <QChartView>

class QLineSeries;
class QValueAxis;

namespace quorvel {

// The bankroll after every spin, with its running maximum, drawn from vectors
// so it stays sharp at any screen density. A long series is drawn from its
// outline: every peak and trough stays, at two points a pixel at most.
class BankrollChart : public QChartView {
    Q_OBJECT

public:
    explicit BankrollChart(QWidget* parent = nullptr);

    // Point 0 is the bankroll before the first spin.
    void set_bankroll(std::span<const std::int64_t> bankroll);

    QLineSeries* bankroll_series() const { return bankroll_; }
    QLineSeries* peak_series() const { return peak_; }

private:
    QLineSeries* bankroll_;
    QLineSeries* peak_;
    QValueAxis* spins_;
    QValueAxis* money_;
};

}  // namespace quorvel
