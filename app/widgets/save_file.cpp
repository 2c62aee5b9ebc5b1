// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/save_file.hpp"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <QSaveFile>

#include "lab/save_file.hpp"

namespace quorvel {

namespace {

// The bytes sit in the file's buffer until the flush, and commit() does not
// notice when that last write fails (a full disk): it would put a cut-off file
// in the earlier one's place and report success. So the flush comes first, on
// its own, with the system's reason at hand; Qt's own text for it is
// "Unknown error".
std::optional<QString> write_and_flush(QFileDevice& file, std::string_view bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    errno = 0;
    if (file.write(bytes.data(), size) == size && file.flush()) return std::nullopt;
    const int system_error = errno;
    return system_error != 0 ? qt_error_string(system_error) : file.errorString();
}

// A pipe, a terminal or a device is written straight into. A pipe nobody
// reads yet would hold the window up until someone does; it is refused
// instead.
std::optional<QString> write_stream(const SaveTarget& target, std::string_view bytes) {
    const int descriptor =
        ::open(target.path.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) return qt_error_string(errno);
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    if (!file.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return file.errorString();
    }
    return write_and_flush(file, bytes);
}

}  // namespace

std::optional<QString> save_file(const QString& file_name, std::string_view bytes,
                                 FileAccess access) {
    const SaveTarget target = save_target(QFile::encodeName(file_name).toStdString());
    if (!target.ok()) return QString::fromLocal8Bit(target.error);
    if (target.way == SaveTarget::Way::Stream) return write_stream(target, bytes);

    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(target.path)));
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString();
    keep_owner_and_mode(file.handle(), target);
    // Before the first byte, so no reader can open the file meanwhile.
    if (access == FileAccess::Private) ::fchmod(file.handle(), S_IRUSR | S_IWUSR);
    if (const auto failure = write_and_flush(file, bytes)) {
        file.cancelWriting();
        return failure;
    }
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

}  // namespace quorvel
