// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sessions/session_store.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <utility>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "app/sessions/private_files.hpp"
#include "app/widgets/save_file.hpp"
#include "play/journal_line.hpp"
#include "play/setting_table.hpp"
#include "play/stored_settings.hpp"

namespace quorvel {

namespace {

const QString kCurrent = QStringLiteral("current.quorvel");
const QString kLedger = QStringLiteral("kept-sessions");

// The inode of a plain file, or 0 for anything else.
unsigned long long inode_of(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return 0;
    return static_cast<unsigned long long>(status.st_ino);
}

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

SessionStore::Unfinished SessionStore::unfinished(Session::Clock clock,
                                                  const ReadProgress& progress) {
    Unfinished result;
    if (!move_aside_what_is_not_ours() || !QFileInfo::exists(current_file())) return result;
    SessionFileReading read = read_session_file(
        current_file(), QDir::toNativeSeparators(current_file()), std::move(clock),
        [&result](const Game& game) { result.log.follow(game); }, progress);
    if (read.cancelled) {
        result.log = SessionLog();
        result.cancelled = true;
        return result;
    }
    SessionReading& reading = read.reading;
    if (!reading.ok()) {
        // Kept under its date for the player to look at; play starts afresh.
        if (put_away_current(false)) {
            result.error = QStringLiteral(
                               "The last session could not be read back, and was kept "
                               "as it was in %1.\n\n%2")
                               .arg(QDir::toNativeSeparators(folder_),
                                    QString::fromStdString(reading.error));
        } else {
            result.error = QStringLiteral("The last session could not be read back.\n\n%1")
                               .arg(QString::fromStdString(reading.error));
        }
        return result;
    }
    if (reading.session->actions() == 0) {
        put_away_current(false);
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

QString SessionStore::take_notice() {
    return std::exchange(notice_, QString());
}

// Whatever the last attempt ran into, each begins afresh: a folder that could
// not be written may be writable now.
bool SessionStore::begin(const Session& session, bool resumed) {
    close_file();
    error_.clear();
    if (!make_private_folder(folder_)) {
        return fail(QStringLiteral("The session is not being kept: the folder %1 cannot be made.")
                        .arg(QDir::toNativeSeparators(folder_)));
    }
    if (!move_aside_what_is_not_ours()) {
        return fail(QStringLiteral("The session is not being kept: %1 is not a file of "
                                   "Quorvel's, and could not be moved aside.")
                        .arg(QDir::toNativeSeparators(current_file())));
    }
    // A file this store wrote ends cleanly when the next session begins; one
    // it found there is the last run's, which did not end.
    if (!resumed && !put_away_current(owns_current_)) {
        return fail(QStringLiteral("The session is not being kept, so that the last one is "
                                   "not written over: it could not be put away (%1).")
                        .arg(QDir::toNativeSeparators(current_file())));
    }
    owns_current_ = true;
    if (!write_whole(session)) return false;
    keep_last_sessions();
    return true;
}

// The file in play is written over only when it is this session's own; a
// session that could not be put away is tried again first.
bool SessionStore::retry(const Session& session) {
    return begin(session, owns_current_);
}

// The journal so far goes down whole through the one saver, so a failed
// write leaves no half file and the file before it as it was; the lines
// after it are appended.
bool SessionStore::write_whole(const Session& session) {
    if (const auto error = save_file(current_file(), session.journal(), FileAccess::Private)) {
        return fail(QStringLiteral("The session is not being kept. %1").arg(*error));
    }
    fd_ = ::open(QFile::encodeName(current_file()).constData(),
                 O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    if (fd_ < 0) {
        return fail(QStringLiteral("The session is not being kept: %1 cannot be written (%2).")
                        .arg(QDir::toNativeSeparators(current_file()), system_reason()));
    }
    return true;
}

// One write a line, so that a crash leaves at most the end of the last line
// torn; fdatasync puts it on the disk, so a power cut loses nothing already
// shown.
bool SessionStore::append(std::string_view line) {
    if (!append_unflushed(line)) return false;
    if (::fdatasync(fd_) != 0 && errno != EINVAL) {
        return fail(QStringLiteral("The session is not being kept for now: %1 could not be put "
                                   "on the disk (%2). Play goes on, and the next action tries "
                                   "again.")
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
            return fail(QStringLiteral("The session is not being kept for now: writing to %1 "
                                       "failed (%2). Play goes on, and the next action tries "
                                       "again.")
                            .arg(QDir::toNativeSeparators(current_file()), system_reason()));
        }
        line.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void SessionStore::end() {
    if (fd_ < 0) return;
    close_file();
    put_away_current(true);
    keep_last_sessions();
}

// A link (soft or hard) or anything but a plain file under the name of the
// session in play is not the store's: writing to it would write into another
// file. It is moved aside, untouched, under a name the keeping of the last
// sessions does not match.
bool SessionStore::move_aside_what_is_not_ours() {
    const QString current = current_file();
    const QByteArray path = QFile::encodeName(current);
    struct stat status {};
    if (::lstat(path.constData(), &status) != 0) return true;  // nothing there
    if (S_ISREG(status.st_mode) && status.st_nlink == 1) return true;
    QString aside = current + QStringLiteral(".moved-aside");
    for (int n = 2; QFileInfo(aside).exists() || QFileInfo(aside).isSymLink(); ++n)
        aside = current + QStringLiteral(".moved-aside-%1").arg(n);
    if (::rename(path.constData(), QFile::encodeName(aside).constData()) != 0) {
        notice_ = QStringLiteral("%1 is a link or not a plain file, and could not be moved "
                                 "aside (%2): the session is not being kept.")
                      .arg(QDir::toNativeSeparators(current), system_reason());
        return false;
    }
    owns_current_ = false;
    notice_ = QStringLiteral(
                  "%1 was a link or not a plain file. Quorvel keeps a session only in a file "
                  "of its own, so it was moved aside, untouched, as %2.")
                  .arg(QDir::toNativeSeparators(current), QDir::toNativeSeparators(aside));
    return true;
}

// A session in which nothing was done (its header alone) is not kept: it
// would only push a played one out of the last twenty.
bool SessionStore::put_away_current(bool clean) {
    const QString current = current_file();
    if (!QFileInfo::exists(current)) return true;
    {
        QFile file(current);
        if (file.open(QIODevice::ReadOnly) && file.size() < 4096 &&
            file.readAll().count('\n') <= 1) {
            file.close();
            if (QFile::remove(current)) return true;
        }
    }
    const QString base = dated_name(start_of(current));
    QString target = folder_ + QLatin1Char('/') + base;
    for (int n = 2; QFileInfo::exists(target); ++n) {
        target =
            folder_ + QLatin1Char('/') + base.chopped(8) + QStringLiteral(" (%1).quorvel").arg(n);
    }
    // Renamed, never copied: a copy on a full disk could lose the end of it.
    if (::rename(QFile::encodeName(current).constData(), QFile::encodeName(target).constData()) ==
        0) {
        std::vector<LedgerRow> rows = read_ledger();
        rows.push_back({inode_of(target), clean, QFileInfo(target).fileName()});
        write_ledger(rows);
        return true;
    }
    notice_ = QStringLiteral("The last session could not be put away under its date (%1); it "
                             "stays as %2.")
                  .arg(system_reason(), QDir::toNativeSeparators(current));
    return false;
}

// Only the files in the ledger count, and go: the names hold the start, so
// by name is oldest first.
void SessionStore::keep_last_sessions() {
    std::vector<LedgerRow> rows = read_ledger();
    std::sort(rows.begin(), rows.end(),
              [](const LedgerRow& a, const LedgerRow& b) { return a.name < b.name; });
    const QDir dir(folder_);
    std::vector<LedgerRow> kept;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QString path = dir.filePath(rows[i].name);
        if (i + kKeptSessions < rows.size() && QFile::remove(path)) continue;
        kept.push_back(rows[i]);
    }
    write_ledger(kept);
    // Every session in the folder is the player's alone, those an earlier
    // version kept (and left wider) too; narrowing removes nothing.
    for (const QString& name :
         dir.entryList({QStringLiteral("*.quorvel")}, QDir::Files | QDir::Hidden))
        make_private_file(dir.filePath(name));
}

std::vector<SessionStore::LedgerRow> SessionStore::read_ledger() const {
    std::vector<LedgerRow> rows;
    QFile file(folder_ + QLatin1Char('/') + kLedger);
    // A ledger is a few lines a session; anything larger is not the store's.
    if (!file.open(QIODevice::ReadOnly) || file.size() > (qint64{1} << 20)) return rows;
    const QDir dir(folder_);
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 3) continue;
        bool ok = false;
        const unsigned long long inode = fields[0].toULongLong(&ok);
        const QString name = QString::fromUtf8(fields[2]);
        // A name with a folder in it is none the store wrote.
        if (!ok || inode == 0 || name.contains(QLatin1Char('/')) || name == kCurrent) continue;
        if (inode_of(dir.filePath(name)) != inode) continue;  // gone, or not ours any more
        rows.push_back({inode, fields[1] == "clean", name});
    }
    return rows;
}

void SessionStore::write_ledger(const std::vector<LedgerRow>& rows) const {
    std::string text;
    for (const LedgerRow& row : rows) {
        text += std::to_string(row.inode) + '\t' + (row.clean ? "clean" : "unfinished") + '\t' +
                row.name.toStdString() + '\n';
    }
    const QString path = folder_ + QLatin1Char('/') + kLedger;
    if (text.empty() && !QFileInfo::exists(path)) return;
    // Not written, the files stay unlisted, and so are never removed.
    save_file(path, text, FileAccess::Private);
}

std::vector<SessionStore::KeptFile> SessionStore::kept_files() const {
    std::map<QString, bool> ledger;
    for (const LedgerRow& row : read_ledger())
        ledger[row.name] = row.clean;
    std::vector<KeptFile> files;
    const QDir dir(folder_);
    // Never a link: the store keeps none, and one could point anywhere.
    for (const QString& name : dir.entryList({QStringLiteral("*.quorvel")},
                                             QDir::Files | QDir::NoSymLinks, QDir::Name)) {
        if (name == kCurrent) continue;
        KeptFile file{dir.filePath(name), std::nullopt};
        if (const auto found = ledger.find(name); found != ledger.end()) file.clean = found->second;
        files.push_back(file);
    }
    // By the last write, which is the session's end: two sessions begun in
    // the same second are told apart only by it.
    std::stable_sort(files.begin(), files.end(), [](const KeptFile& a, const KeptFile& b) {
        return QFileInfo(a.path).lastModified() < QFileInfo(b.path).lastModified();
    });
    return files;
}

bool SessionStore::remove_kept(const QString& path) {
    if (QFileInfo(path).absolutePath() != QFileInfo(folder_).absoluteFilePath()) return false;
    std::vector<LedgerRow> rows = read_ledger();
    const QString name = QFileInfo(path).fileName();
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [&name](const LedgerRow& r) { return r.name == name; });
    if (row == rows.end() || !QFile::remove(path)) return false;
    rows.erase(row);
    write_ledger(rows);
    return true;
}

namespace {

QString settings_file(const QString& file) {
    return file.isEmpty() ? QString::fromStdString(default_settings_path()) : file;
}

}  // namespace

QString stored_settings_file() {
    return settings_file(QString());
}

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
    if (QFileInfo(path).size() > static_cast<qint64>(kLargestSettingsFile)) {
        return QStringLiteral("The settings in %1 were not read: the file is larger than 1 MiB, "
                              "which no settings file is.")
            .arg(QDir::toNativeSeparators(path));
    }
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        return QStringLiteral("The settings in %1 could not be read.")
            .arg(QDir::toNativeSeparators(path));
    }
    settings.beginGroup(QLatin1String(kSettingsGroup.data(), kSettingsGroup.size()));
    QStringList problems;
    // A key this version does not know (a newer version's, a typing slip)
    // is left alone, and named.
    QStringList ignored;
    for (const QString& name : settings.childKeys()) {
        if (setting_by_stored_key(name.toStdString()) == nullptr)
            ignored << QString::fromStdString(quoted_token(name.toStdString()));
    }
    if (!ignored.isEmpty()) {
        problems << QStringLiteral("not known to this version, and ignored: %1")
                        .arg(ignored.join(QStringLiteral(", ")));
    }
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
