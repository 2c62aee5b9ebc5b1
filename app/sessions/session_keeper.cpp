// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sessions/session_keeper.hpp"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include "app/widgets/save_file.hpp"
#include "play/stored_settings.hpp"

namespace quorvel {

namespace {

// A session file of a long evening is a few megabytes; anything past this is
// not one.
constexpr qint64 kLargestSessionFile = qint64{1} << 30;

}  // namespace

SessionKeeper::SessionKeeper(QString folder, Session::Clock clock, QObject* parent)
    : QObject(parent), store_(std::move(folder)), clock_(clock), session_(std::move(clock)) {}

SessionKeeper::~SessionKeeper() = default;

QString SessionKeeper::resume_question(int spins, const QDateTime& last_action) {
    return QStringLiteral("Resume the last session (%1 spins, last at %2)?")
        .arg(spins)
        .arg(last_action.toLocalTime().toString(QStringLiteral("HH:mm")));
}

QString SessionKeeper::start(const ResumeQuestion& ask) {
    SessionStore::Unfinished left = store_.unfinished(clock_);
    QString told = left.error;
    bool resumed = false;
    if (left.session && ask(resume_question(left.spins, left.last_action))) {
        session_ = std::move(*left.session);
        log_ = std::move(left.log);
        told = left.notice;
        resumed = true;
    }
    keep(resumed);
    if (store_.failed()) {
        not_kept_said_ = true;
        told = told.isEmpty() ? store_.error() : told + QStringLiteral("\n\n") + store_.error();
    }
    return told;
}

void SessionKeeper::attach_sink() {
    session_.set_line_sink([this](std::string_view line) {
        if (store_.append(line) || not_kept_said_ || !store_.failed()) return;
        not_kept_said_ = true;
        // Told after the action, not in its middle.
        QMetaObject::invokeMethod(
            this, [this] { emit notKept(store_.error()); }, Qt::QueuedConnection);
    });
}

void SessionKeeper::keep(bool resumed) {
    store_.begin(session_, resumed);
    attach_sink();
    log_.follow(session_.game());
}

void SessionKeeper::adopt(Session session, SessionLog log) {
    session_ = std::move(session);
    session_.set_clock(clock_);
    log_ = std::move(log);
    keep(true);
}

QString SessionKeeper::save(const QString& file_name) const {
    if (const auto error = save_file(file_name, session_.journal())) return *error;
    return {};
}

QString SessionKeeper::open(const QString& file_name, QString* notice) {
    const QFileInfo info(file_name);
    const QString shown = QDir::toNativeSeparators(file_name);
    if (!info.exists()) return QStringLiteral("%1: no such file").arg(shown);
    if (!info.isFile()) return QStringLiteral("%1: not a regular file").arg(shown);
    if (info.size() > kLargestSessionFile)
        return QStringLiteral("%1: too large for a session file").arg(shown);
    QFile file(file_name);
    if (!file.open(QIODevice::ReadOnly)) return shown + QStringLiteral(": ") + file.errorString();
    const QByteArray bytes = file.readAll();
    SessionLog log;
    SessionReading reading =
        read_session(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                     shown.toStdString(), clock_, [&log](const Game& game) { log.follow(game); });
    if (!reading.ok()) return QString::fromStdString(reading.error);
    if (notice != nullptr) *notice = QString::fromStdString(reading.notice);
    session_ = std::move(*reading.session);
    log_ = std::move(log);
    keep(false);
    return {};
}

void SessionKeeper::reset() {
    const Parameters settings = session_.params();
    session_ = Session(clock_);
    log_ = SessionLog();
    for (const auto& [key, value] : stored_settings(settings))
        apply_stored_setting(session_, key, value);
    keep(false);
}

void SessionKeeper::end() {
    session_.set_line_sink({});
    store_.end();
}

}  // namespace quorvel
