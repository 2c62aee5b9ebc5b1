// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sessions/session_store.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "app/sessions/private_files.hpp"
#include "app/widgets/save_file.hpp"
#include "play/stored_settings.hpp"

namespace quorvel {

namespace {

const QString kCurrent = QStringLiteral("current.quorvel");

QString system_reason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString dated_name(std::int64_t start) {
    return QDateTime::fromSecsSinceEpoch(start).toString(
               QStringLiteral("'session' yyyy-MM-dd HH.mm.ss")) +
           QStringLiteral(".quorvel");
}

// The start second written in a journal's first line, or the file's own time.
std::int64_t start_of(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray header = file.readLine(4096);
        const qsizetype at = header.indexOf("\"start\":");
        if (at >= 0) {
            bool ok = false;
            const qint64 start =
                header.mid(at + 8).split(',').front().split('}').front().trimmed().toLongLong(&ok);
            if (ok) return start;
        }
    }
    return QFileInfo(path).lastModified().toSecsSinceEpoch();
}

}  // namespace

QString SessionStore::default_folder() {
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    if (!state.isEmpty() && QDir::isAbsolutePath(QString::fromLocal8Bit(state)))
        return QString::fromLocal8Bit(state) + QStringLiteral("/quorvel");
    return QDir::homePath() + QStringLiteral("/.local/state/quorvel");
}

SessionStore::SessionStore(QString folder) : folder_(std::move(folder)) {}

SessionStore::~SessionStore() {
    close_file();
}

QString SessionStore::current_file() const {
    return folder_ + QLatin1Char('/') + kCurrent;
}

SessionStore::Unfinished SessionStore::unfinished(Session::Clock clock) {
    Unfinished result;
    QFile file(current_file());
    if (!file.exists()) return result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("The last session could not be read back (%1): %2.")
                           .arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
        return result;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    SessionReading reading =
        read_session(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                     QDir::toNativeSeparators(current_file()).toStdString(), std::move(clock),
                     [&result](const Game& game) { result.log.follow(game); });
    if (!reading.ok()) {
        // Kept under its date for the player to look at; play starts afresh.
        put_away_current();
        result.error =
            QStringLiteral(
                "The last session could not be read back, and was kept "
                "as it was in %1.\n\n%2")
                .arg(QDir::toNativeSeparators(folder_), QString::fromStdString(reading.error));
        return result;
    }
    if (reading.session->actions() == 0) {
        put_away_current();
        return result;
    }
    result.spins = static_cast<int>(reading.session->game().NumbersList.size());
    result.last_action = QDateTime::fromSecsSinceEpoch(reading.session->last_time());
    result.notice = QString::fromStdString(reading.notice);
    result.session = std::move(reading.session);
    return result;
}

bool SessionStore::fail(const QString& why) {
    close_file();
    if (error_.isEmpty()) error_ = why;
    return false;
}

void SessionStore::close_file() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool SessionStore::begin(const Session& session, bool resumed) {
    if (failed()) return false;
    close_file();
    if (!make_private_folder(folder_)) {
        return fail(QStringLiteral("The session is not being kept: the folder %1 cannot be made.")
                        .arg(QDir::toNativeSeparators(folder_)));
    }
    if (!resumed) put_away_current();
    // The journal so far goes down whole through the one saver, so a failed
    // write leaves no half file; the lines after it are appended.
    const std::string& journal = session.journal();
    if (const auto error = save_file(current_file(), journal, FileAccess::Private)) {
        return fail(QStringLiteral("The session is not being kept. %1").arg(*error));
    }
    fd_ = ::open(QFile::encodeName(current_file()).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd_ < 0) {
        return fail(QStringLiteral("The session is not being kept: %1 cannot be written (%2).")
                        .arg(QDir::toNativeSeparators(current_file()), system_reason()));
    }
    keep_last_sessions();
    return true;
}

// One write a line, so that a crash leaves at most the end of the last line
// torn; fdatasync puts it on the disk, so a power cut loses nothing already
// shown.
bool SessionStore::append(std::string_view line) {
    if (!append_unflushed(line)) return false;
    if (::fdatasync(fd_) != 0 && errno != EINVAL) {
        return fail(QStringLiteral("The session is no longer being kept: %1 could not be put on "
                                   "the disk (%2). Play goes on.")
                        .arg(QDir::toNativeSeparators(current_file()), system_reason()));
    }
    return true;
}

bool SessionStore::append_unflushed(std::string_view line) {
    if (fd_ < 0) return false;
    while (!line.empty()) {
        const ssize_t written = ::write(fd_, line.data(), line.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            return fail(QStringLiteral("The session is no longer being kept: writing to %1 "
                                       "failed (%2). Play goes on.")
                            .arg(QDir::toNativeSeparators(current_file()), system_reason()));
        }
        line.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void SessionStore::end() {
    if (fd_ < 0) return;
    close_file();
    put_away_current();
    keep_last_sessions();
}

// A session in which nothing was done (its header alone) is not kept: it
// would only push a played one out of the last twenty.
void SessionStore::put_away_current() {
    const QString current = current_file();
    if (!QFileInfo::exists(current)) return;
    {
        QFile file(current);
        if (file.open(QIODevice::ReadOnly) && file.size() < 4096 &&
            file.readAll().count('\n') <= 1) {
            file.close();
            QFile::remove(current);
            return;
        }
    }
    const QString base = dated_name(start_of(current));
    QString target = folder_ + QLatin1Char('/') + base;
    for (int n = 2; QFileInfo::exists(target); ++n) {
        target =
            folder_ + QLatin1Char('/') + base.chopped(8) + QStringLiteral(" (%1).quorvel").arg(n);
    }
    QFile::rename(current, target);
}

void SessionStore::keep_last_sessions() {
    QDir dir(folder_);
    // The names hold the start, so by name is oldest first.
    const QStringList sessions =
        dir.entryList({QStringLiteral("session *.quorvel")}, QDir::Files, QDir::Name);
    for (qsizetype i = 0; i < sessions.size(); ++i) {
        if (i + kKeptSessions < sessions.size()) {
            dir.remove(sessions[i]);
        } else {
            make_private_file(dir.filePath(sessions[i]));
        }
    }
}

namespace {

QString settings_file(const QString& file) {
    return file.isEmpty() ? QString::fromStdString(default_settings_path()) : file;
}

}  // namespace

QString save_settings(const Parameters& params, const QString& file) {
    const QString path = settings_file(file);
    if (path.isEmpty()) return QStringLiteral("There is no home folder to store the settings in.");
    if (file.isEmpty()) make_private_folder(QFileInfo(path).absolutePath());
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(QLatin1String(kSettingsGroup.data(), kSettingsGroup.size()));
    settings.remove(QString());
    for (const auto& [key, value] : stored_settings(params)) {
        settings.setValue(QLatin1String(key.data(), static_cast<qsizetype>(key.size())),
                          QString::fromStdString(value));
    }
    settings.endGroup();
    settings.sync();
    switch (settings.status()) {
        case QSettings::NoError:
            make_private_file(path);
            return {};
        case QSettings::AccessError:
            return QStringLiteral("The settings could not be stored: %1 cannot be written.")
                .arg(QDir::toNativeSeparators(path));
        case QSettings::FormatError:
            break;
    }
    return QStringLiteral("The settings could not be stored in %1.")
        .arg(QDir::toNativeSeparators(path));
}

QString load_settings(Session& session, const QString& file) {
    const QString path = settings_file(file);
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        return QStringLiteral("No settings have been saved yet: \"SAVE SETTINGS\" stores them.");
    }
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        return QStringLiteral("The settings in %1 could not be read.")
            .arg(QDir::toNativeSeparators(path));
    }
    settings.beginGroup(QLatin1String(kSettingsGroup.data(), kSettingsGroup.size()));
    QStringList problems;
    for (std::string_view key : stored_setting_keys()) {
        const QString name = QLatin1String(key.data(), static_cast<qsizetype>(key.size()));
        if (!settings.contains(name)) continue;
        const std::string value = settings.value(name).toString().toStdString();
        if (const std::string error = apply_stored_setting(session, key, value); !error.empty())
            problems << name + QStringLiteral(": ") + QString::fromStdString(error);
    }
    if (problems.isEmpty()) return {};
    return QStringLiteral("Some stored settings could not be taken (%1):\n%2")
        .arg(QDir::toNativeSeparators(path), problems.join(QLatin1Char('\n')));
}

}  // namespace quorvel
