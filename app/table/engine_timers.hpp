// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QTimer;

namespace quorvel {

class Session;

// The window's two timers, Timer_Analyse (the analysis pause) and
// Timer_MaxProfit (the maximum flash). Each runs exactly while the engine
// says so and ticks the session; nothing else in the window ticks.
class EngineTimers : public QObject {
    Q_OBJECT

public:
    EngineTimers(QObject* parent, Session& session);

    // Starts or stops each timer as the session's game asks.
    void follow();

signals:
    // A tick within the pause: only the pause gauge moved.
    void pauseMoved();
    // A tick that changed the display: the pause ended with its prediction,
    // or the flash moved on.
    void ticked();

private:
    void Timer_AnalyseTimer();
    void Timer_MaxProfitTimer();

    Session& session_;
    QTimer* Timer_Analyse;
    QTimer* Timer_MaxProfit;
};

}  // namespace quorvel
