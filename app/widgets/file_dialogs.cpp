// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/file_dialogs.hpp"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorvel {

QString ask_history_file(QWidget* parent, QString& folder) {
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    QFileDialog dialog(parent, QStringLiteral("Save the numbers in game"), folder);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The filter reads "Notepad file *.txt" and lists the *.txt files.
    dialog.setNameFilter(QStringLiteral("Notepad file *.txt (*.txt)"));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(QStringLiteral("history.txt"));
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString file_name = dialog.selectedFiles().value(0);
    if (!file_name.isEmpty()) folder = QFileInfo(file_name).absolutePath();
    return file_name;
}

QString ask_spin_file(QWidget* parent, QString& folder, const QString& fallback) {
    if (folder.isEmpty()) folder = fallback;
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    if (!QDir(folder).exists()) folder = QDir::homePath();
    QFileDialog dialog(parent, QStringLiteral("Load spins"), folder);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Spin files (*.txt *.csv *.quorvel)"), QStringLiteral("All files (*)")});
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString file_name = dialog.selectedFiles().value(0);
    if (!file_name.isEmpty()) folder = QFileInfo(file_name).absolutePath();
    return file_name;
}

QString saved_sessions_folder() {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QDir(documents).exists()) documents = QDir::homePath();
    return documents + QStringLiteral("/Quorvel sessions");
}

QString proposed_session_file(const QDateTime& now) {
    return saved_sessions_folder() + QLatin1Char('/') +
           now.toString(QStringLiteral("'Quorvel' yyyy-MM-dd HH.mm")) + QStringLiteral(".quorvel");
}

QString ask_session_file(QWidget* parent, QString& folder, bool save) {
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = saved_sessions_folder();
        if (save) QDir().mkpath(folder);
    }
    if (!QDir(folder).exists()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    if (!QDir(folder).exists()) folder = QDir::homePath();
    QFileDialog dialog(
        parent, save ? QStringLiteral("Save session") : QStringLiteral("Open session"), folder);
    dialog.setObjectName(save ? QStringLiteral("SaveSessionDialog")
                              : QStringLiteral("OpenSessionDialog"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Quorvel sessions (*.quorvel)"), QStringLiteral("All files (*)")});
    if (save) {
        dialog.setDefaultSuffix(QStringLiteral("quorvel"));
        dialog.selectFile(
            QFileInfo(proposed_session_file(QDateTime::currentDateTime())).fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    const QString file_name = dialog.selectedFiles().value(0);
    if (!file_name.isEmpty()) folder = QFileInfo(file_name).absolutePath();
    return file_name;
}

}  // namespace quorvel
