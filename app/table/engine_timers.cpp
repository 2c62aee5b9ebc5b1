// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/table/engine_timers.hpp"

#include <QTimer>

#include "play/session.hpp"

namespace quorvel {

EngineTimers::EngineTimers(QObject* parent, Session& session) : QObject(parent), session_(session) {
    Timer_Analyse = new QTimer(this);
    Timer_Analyse->setObjectName(QStringLiteral("Timer_Analyse"));
    Timer_Analyse->setInterval(10);
    Timer_Analyse->setTimerType(Qt::PreciseTimer);
    connect(Timer_Analyse, &QTimer::timeout, this, &EngineTimers::Timer_AnalyseTimer);

    Timer_MaxProfit = new QTimer(this);
    Timer_MaxProfit->setObjectName(QStringLiteral("Timer_MaxProfit"));
    Timer_MaxProfit->setInterval(50);
    connect(Timer_MaxProfit, &QTimer::timeout, this, &EngineTimers::Timer_MaxProfitTimer);
}

void EngineTimers::follow() {
    const auto run_while = [](QTimer* timer, bool running) {
        if (running == timer->isActive()) return;
        if (running) {
            timer->start();
        } else {
            timer->stop();
        }
    };
    const Game& game = session_.game();
    run_while(Timer_Analyse, game.pause.Timer_Analyse);
    run_while(Timer_MaxProfit, game.max_profit_flash.Timer_MaxProfit);
}

// A tick within the pause moves only the gauge, so only the gauge is redrawn;
// the tick that ends the pause brings the prediction, and the whole display
// follows it.
void EngineTimers::Timer_AnalyseTimer() {
    session_.tick_analysis_pause();
    if (analysis_running(session_.game())) {
        emit pauseMoved();
        return;
    }
    emit ticked();
}

void EngineTimers::Timer_MaxProfitTimer() {
    session_.tick_max_profit_flash();
    emit ticked();
}

}  // namespace quorvel
