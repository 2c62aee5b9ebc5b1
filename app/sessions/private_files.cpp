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

// Takes away what `allowed` does not hold from what lstat finds of the given
// kind, never through a link. Nothing is ever added: a folder the user made
// read-only stays so.
void narrow(const QString& path, mode_t kind, mode_t allowed) {
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0 || (status.st_mode & S_IFMT) != kind) return;
    const mode_t mode = status.st_mode & 07777;
    if ((mode & allowed) != mode) ::chmod(name.constData(), mode & allowed);
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
