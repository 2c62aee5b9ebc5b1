// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <csignal>
#include <exception>

#include <QMessageBox>

#include "app/application.hpp"
#include "app/sessions/session_store.hpp"
#include "app/sessions/state_folder_owner.hpp"
#include "app/table/tform1.hpp"

int main(int argc, char* argv[]) {
    // Past a file size limit a write fails with a reason, reported as any
    // failed write is, instead of the signal ending the window.
    std::signal(SIGXFSZ, SIG_IGN);
    quorvel::Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvel 4.1"));
    QApplication::setApplicationVersion(QStringLiteral("4.1"));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
    quorvel::apply_program_look();

    // A second start on the same state folder brings the first window to the
    // front and goes, touching no file there.
    quorvel::StateFolderOwner owner(quorvel::SessionStore::default_folder());
    switch (owner.claim()) {
        case quorvel::StateFolderOwner::Claim::Owner:
            break;
        case quorvel::StateFolderOwner::Claim::Raised:
            return 0;
        case quorvel::StateFolderOwner::Claim::Answerless:
            QMessageBox::information(nullptr, QApplication::applicationDisplayName(),
                                     QStringLiteral("Quorvel is already open"));
            return 1;
    }

    try {
        quorvel::TForm1 form;
        owner.set_window(&form);
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
