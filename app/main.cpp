// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <exception>

#include "app/application.hpp"
#include "app/table/tform1.hpp"

int main(int argc, char* argv[]) {
    quorvel::Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvel 4.1"));
    QApplication::setApplicationVersion(QStringLiteral("4.1"));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
    quorvel::apply_program_look();

    try {
        quorvel::TForm1 form;
        form.start_session();
        form.show();
        QApplication::exec();
    } catch (const std::exception& error) {
        quorvel::Application::show_exception(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        quorvel::Application::show_exception(QString());
    }
    return 0;
}
