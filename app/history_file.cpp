#include "app/history_file.hpp"

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
    if (!file.open(QIODevice::WriteOnly)) return failure(file_name, file.errorString());
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(file_name, reason);
    }
    if (!file.commit()) return failure(file_name, file.errorString());
    return std::nullopt;
}

}  // namespace quorvel
