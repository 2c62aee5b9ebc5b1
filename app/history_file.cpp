#include "app/history_file.hpp"

#include <cerrno>

#include <QDir>
#include <QSaveFile>

namespace quorvel {

namespace {

QString failure(const QString& file_name, const QString& reason) {
    return QStringLiteral("The history could not be saved to\n%1\n\n%2")
        .arg(QDir::toNativeSeparators(file_name), reason);
}

}  // namespace

std::optional<QString> write_history_file(const QString& file_name, const std::string& bytes) {
    QSaveFile file(file_name);
    // A file the player may change in a folder where no temporary file can be
    // made is written in place; only then can a failure cut the earlier file.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) return failure(file_name, file.errorString());
    const auto size = static_cast<qint64>(bytes.size());
    // The bytes sit in the file's buffer until the flush, and commit() does not
    // notice when that last write fails (a full disk): it would put a cut-off
    // file in the earlier one's place and report success. So the flush comes
    // first, on its own, with the system's reason at hand.
    errno = 0;
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        const int system_error = errno;
        const QString reason =
            system_error != 0 ? qt_error_string(system_error) : file.errorString();
        file.cancelWriting();
        return failure(file_name, reason);
    }
    if (!file.commit()) return failure(file_name, file.errorString());
    return std::nullopt;
}

}  // namespace quorvel
