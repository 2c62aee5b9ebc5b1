// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/application.hpp"

#include <exception>

#include <QFont>
#include <QMessageBox>
#include <QStyleFactory>

#include "lab/shown_text.hpp"

namespace quorvel {

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv), report_exception_(&Application::show_exception) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        report(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        report(QString());
    }
    return false;
}

void Application::set_exception_reporter(ExceptionReporter reporter) {
    report_exception_ = reporter ? std::move(reporter) : ExceptionReporter(&show_exception);
}

// The box belongs to the game's window even when another program has the
// focus, so it stays in front of the always-on-top window instead of behind it.
void Application::show_exception(const QString& message) {
    QWidget* owner = QApplication::activeWindow();
    if (owner == nullptr) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
                owner = window;
                break;
            }
        }
    }
    QMessageBox::critical(owner, QApplication::applicationDisplayName(),
                          QString::fromStdString(shown_lines(message.toStdString())));
}

// The message box runs its own event loop. Should the same fault fire again
// from an event handled there (a paint, a timer), it goes to the error output
// instead of stacking a second box on the first.
void Application::report(const QString& message) {
    if (reporting_) {
        qWarning("Unhandled exception: %s", qPrintable(message));
        return;
    }
    reporting_ = true;
    try {
        report_exception_(message);
    } catch (...) {
        qWarning("Unhandled exception while reporting: %s", qPrintable(message));
    }
    reporting_ = false;
}

void apply_program_look() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    QApplication::setFont(font);
}

}  // namespace quorvel
