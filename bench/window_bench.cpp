// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's own work for one spin: a number's button clicked, the analysis
// pause ticking fifty times on the window's timer, and the prediction shown.
// The figure is the processor time of the whole program per spin (the game's
// own work is a tiny part of it); the wall time is the pause itself, half a
// second. Runs on the offscreen platform unless QT_QPA_PLATFORM names another
// (xcb under a virtual display shows what a real desktop adds).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <QTemporaryDir>

#include "app/application.hpp"
#include "app/sessions/session_store.hpp"
#include "app/table/tform1.hpp"
#include "play/session.hpp"
#include "run_benchmarks.hpp"

namespace quorvel {
namespace {

// Clicks a drawn number whose button is shown, as the player does, then lets
// the event loop run until the pause has ended and the window has drawn it.
void spin(TForm1& form, std::mt19937& generator) {
    std::uniform_int_distribution<int> wheel(0, 36);
    QPushButton* button = nullptr;
    while (button == nullptr || !button->isVisible()) {
        button =
            form.findChild<QPushButton*>(QStringLiteral("SpeedButton%1").arg(wheel(generator)));
    }
    QTest::mouseClick(button, Qt::LeftButton);
    while (form.game().pause.Timer_Analyse)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

void BM_WindowSpin(benchmark::State& state) {
    TForm1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        state.SkipWithError("the window was never shown");
        return;
    }
    std::mt19937 generator(20261208);
    // A few spins first: the pictures are drawn and cached, the history row filled.
    for (int i = 0; i < 3; ++i)
        spin(form, generator);
    for (auto _ : state)
        spin(form, generator);
}
BENCHMARK(BM_WindowSpin)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// One action's line kept in the state folder: written, and with the second
// argument 1 also put on the disk (fdatasync), as the window does before it
// takes the next action. The temporary folder lies where the system keeps
// them, which may be memory rather than a disk.
void BM_KeepOneAction(benchmark::State& state) {
    QTemporaryDir folder;
    SessionStore store(folder.path());
    Session session([] { return std::int64_t{1767225600}; });
    store.begin(session);
    const std::string_view line = "{\"t\":1767225612,\"number\":17}\n";
    const bool to_disk = state.range(0) != 0;
    for (auto _ : state) {
        if (to_disk) {
            store.append(line);
        } else {
            store.append_unflushed(line);
        }
    }
    if (store.failed()) state.SkipWithError(store.error().toStdString().c_str());
}
BENCHMARK(BM_KeepOneAction)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorvel

// The program's look (style and font) as the real program sets it up, so the
// drawing measured is the drawing shown.

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    quorvel::apply_program_look();

    return quorvel::run_benchmarks(argc, argv);
}
