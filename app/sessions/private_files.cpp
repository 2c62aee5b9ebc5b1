// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sessions/private_files.hpp"

#include <sys/stat.h>

#include <QDir>
#include <QFile>

namespace quorvel {

namespace {

constexpr mode_t kPrivateFolder = S_IRWXU;
constexpr mode_t kPrivateFile = S_IRUSR | S_IWUSR;

// Narrows what lstat finds of the given kind, never through a link.
void narrow(const QString& path, mode_t kind, mode_t mode) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0 || (status.st_mode & S_IFMT) != kind) return;
    if ((status.st_mode & 07777) != mode) ::chmod(name.constData(), mode);
}

}  // namespace

bool make_private_folder(const QString& folder) {
    if (!QDir().mkpath(folder)) return false;
    narrow(folder, S_IFDIR, kPrivateFolder);
    return true;
}

void make_private_file(const QString& file) {
    narrow(file, S_IFREG, kPrivateFile);
}

}  // namespace quorvel
