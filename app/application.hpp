// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QApplication>

namespace quorvel {

// The program's application object. An exception that escapes an event
// handler does not end the program: it is shown to the player and the event
// loop goes on.
class Application : public QApplication {
    Q_OBJECT

public:
    using ExceptionReporter = std::function<void(const QString& message)>;

    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Replaces the critical message box that shows an exception's message; a
    // thrown object that is no std::exception is reported with an empty message.
    void set_exception_reporter(ExceptionReporter reporter);
    // The default reporter.
    static void show_exception(const QString& message);

private:
    void report(const QString& message);

    ExceptionReporter report_exception_;
    bool reporting_ = false;
};

// The program's look on every desktop: the Fusion style and the small sans
// serif font the window is drawn for. The window draws its own chrome anyway.
void apply_program_look();

}  // namespace quorvel
