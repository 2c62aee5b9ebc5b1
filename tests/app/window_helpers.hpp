// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

// What the window tests share: a control found by its name, and a wait for
// the analysis pause to end.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QWidget>

#include "app/table/tform1.hpp"
#include "play/session.hpp"

namespace quorvel::testing {

// The window's child of that name; a test without it cannot go on.
template <typename T = QWidget>
T* named(const TForm1& form, const QString& name) {
    T* found = form.findChild<T*>(name);
    if (found == nullptr) qFatal("no widget named %s", qPrintable(name));
    return found;
}

// Lets the event loop run until the analysis pause is over.
inline void wait_for_rest(const TForm1& form) {
    while (analysis_running(form.game()))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
}

}  // namespace quorvel::testing
