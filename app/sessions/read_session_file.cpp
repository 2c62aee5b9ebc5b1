// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/sessions/read_session_file.hpp"

#include <QFile>

namespace quorvel {

namespace {

constexpr qint64 kPieceBytes = qint64{1} << 16;

}  // namespace

SessionFileReading read_session_file(const QString& path, const QString& name,
                                     Session::Clock clock,
                                     const std::function<void(const Game&)>& observe,
                                     const ReadProgress& progress) {
    SessionFileReading result;
    const std::string shown = name.toStdString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.reading.error = shown + ": " + file.errorString().toStdString();
        return result;
    }
    const qint64 total = file.size();
    SessionReader reader(shown, std::move(clock), observe);
    QByteArray piece(kPieceBytes, Qt::Uninitialized);
    qint64 done = 0;
    for (;;) {
        const qint64 got = file.read(piece.data(), kPieceBytes);
        if (got < 0) {
            result.reading.error = shown + ": cannot be read (" + file.errorString().toStdString() + ")";
            return result;
        }
        if (got == 0) break;
        if (!reader.read(std::string_view(piece.constData(), static_cast<std::size_t>(got)))) break;
        done += got;
        if (progress && !progress(done, total)) {
            result.cancelled = true;
            return result;
        }
    }
    result.reading = reader.finish();
    return result;
}

}  // namespace quorvel
