// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sessions/session_keeper.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include "app/widgets/save_file.hpp"
#include "play/stored_settings.hpp"

namespace quorvel {


SessionKeeper::SessionKeeper(QString folder, Session::Clock clock, QObject* parent)
    : QObject(parent), store_(std::move(folder)), clock_(clock), session_(std::move(clock)) {}

SessionKeeper::~SessionKeeper() = default;

QString SessionKeeper::resume_question(int spins, const QDateTime& last_action) {
    return QStringLiteral("Resume the last session (%1 spins, last at %2)?")
        .arg(spins)
        .arg(last_action.toLocalTime().toString(QStringLiteral("HH:mm")));
}

QString SessionKeeper::start(const ResumeQuestion& ask, const ReadProgress& progress) {
    SessionStore::Unfinished left = store_.unfinished(clock_, progress);
    QStringList told;
    if (!left.error.isEmpty()) told << left.error;
    bool resumed = false;
    if (left.cancelled) {
        told << QStringLiteral("The last session was not read to its end: it is kept under its "
                               "date in %1, and a new session begins.")
                    .arg(QDir::toNativeSeparators(store_.folder()));
    } else if (left.session && ask(resume_question(left.spins, left.last_action))) {
        session_ = std::move(*left.session);
        log_ = std::move(left.log);
        told = QStringList();
        if (!left.notice.isEmpty()) told << left.notice;
        resumed = true;
    } else if (left.session) {
        // "Start new" keeps the settings, as "RESET APP" does.
        session_ = fresh_session(left.session->params());
    }
    store_.begin(session_, resumed);
    attach_sink();
    log_.follow(session_.game());
    if (const QString notice = store_.take_notice(); !notice.isEmpty()) told << notice;
    if (store_.failed()) {
        not_kept_said_ = true;
        told << store_.error();
    }
    return told.join(QStringLiteral("\n\n"));
}

// A failed write is tried again, with the whole journal, at the next action:
// said once when the keeping stops, and once when it works again.
void SessionKeeper::attach_sink() {
    session_.set_line_sink([this](std::string_view line) {
        if (store_.failed()) {
            if (!store_.retry(session_)) return say_not_kept();
            if (!not_kept_said_) return;
            not_kept_said_ = false;
            tell(QStringLiteral("The session is being kept again in %1.")
                     .arg(QDir::toNativeSeparators(store_.current_file())));
            return;
        }
        if (!store_.append(line)) say_not_kept();
    });
}

void SessionKeeper::say_not_kept() {
    if (not_kept_said_) return;
    not_kept_said_ = true;
    tell(store_.error());
}

// Told after the action, not in its middle.
void SessionKeeper::tell(const QString& what) {
    QMetaObject::invokeMethod(this, [this, what] { emit told(what); }, Qt::QueuedConnection);
}

void SessionKeeper::keep(bool resumed) {
    const bool kept = store_.begin(session_, resumed);
    attach_sink();
    log_.follow(session_.game());
    if (const QString notice = store_.take_notice(); !notice.isEmpty()) tell(notice);
    if (!kept) {
        say_not_kept();
    } else if (not_kept_said_) {
        not_kept_said_ = false;
        tell(QStringLiteral("The session is being kept again in %1.")
                 .arg(QDir::toNativeSeparators(store_.current_file())));
    }
}

void SessionKeeper::adopt(Session session, SessionLog log, bool new_session) {
    session_ = std::move(session);
    session_.set_clock(clock_);
    log_ = std::move(log);
    keep(!new_session);
}

QString SessionKeeper::save(const QString& file_name) const {
    if (const auto error = save_file(file_name, session_.journal())) return *error;
    return {};
}

QString SessionKeeper::open(const QString& file_name, QString* notice,
                            const ReadProgress& progress) {
    const QFileInfo info(file_name);
    const QString shown = QDir::toNativeSeparators(file_name);
    if (!info.exists()) return QStringLiteral("%1: no such file").arg(shown);
    if (!info.isFile()) return QStringLiteral("%1: not a regular file").arg(shown);
    SessionLog log;
    SessionFileReading read = read_session_file(
        file_name, shown, clock_, [&log](const Game& game) { log.follow(game); }, progress);
    if (read.cancelled) return QStringLiteral("The opening of %1 was cancelled.").arg(shown);
    SessionReading& reading = read.reading;
    if (!reading.ok()) return QString::fromStdString(reading.error);
    if (notice != nullptr) *notice = QString::fromStdString(reading.notice);
    session_ = std::move(*reading.session);
    log_ = std::move(log);
    keep(false);
    return {};
}

Session SessionKeeper::fresh_session() const {
    return fresh_session(session_.params());
}

Session SessionKeeper::fresh_session(const Parameters& settings) const {
    Session fresh(clock_);
    for (const auto& [key, value] : stored_settings(settings))
        apply_stored_setting(fresh, key, value);
    return fresh;
}

std::vector<SessionStore::KeptFile> SessionKeeper::kept_files() const {
    return store_.kept_files();
}

QString SessionKeeper::open_to_play_on(const QString& file_name, QString* notice,
                                       const ReadProgress& progress) {
    const QString error = open(file_name, notice, progress);
    // The session goes on as the one in play, kept again when it ends: the
    // file it came from would only stand twice in the list.
    if (error.isEmpty() && !store_.failed()) store_.remove_kept(file_name);
    return error;
}

void SessionKeeper::reset() {
    session_ = fresh_session();
    log_ = SessionLog();
    keep(false);
}

void SessionKeeper::end() {
    session_.set_line_sink({});
    store_.end();
}

}  // namespace quorvel
