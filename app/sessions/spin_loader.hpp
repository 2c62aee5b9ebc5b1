// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QString>

#include "app/widgets/background_task.hpp"
#include "lab/session_log.hpp"
#include "play/session.hpp"

namespace quorvel {

// Reads a spin file and plays it into a copy of the session, off the
// interface thread. The live session and its journal file are not touched:
// when the load is done the window takes the copy in one step; when the file is refused, the load
// cancelled or the work failed the copy is dropped. Only regular files are read, so a named pipe or
// a device is refused before anything can wait on it.
//
// A load that must ask first stops once the file is read (read()), with the
// count of its numbers known; play() then plays them into the copy, or into
// a new session in its place.
class SpinLoader : public QObject {
    Q_OBJECT

public:
    SpinLoader(const QString& file_name, const Session& session, const SessionLog& log,
               QObject* parent = nullptr);
    // Cancels a load still running and waits for it.
    ~SpinLoader() override;

    // Stops after reading, for a question, instead of playing at once.
    void set_ask_first(bool ask) { ask_first_ = ask; }
    void start();
    void cancel();
    // After read(): plays the numbers into the copy of the session, or into
    // `instead`, a new session, with a log of its own.
    void play(std::optional<Session> instead = std::nullopt);
    qint64 count() const { return static_cast<qint64>(spins_.size()); }

    // After loaded(): the session and the log with the file's spins played.
    Session& session() { return session_; }
    SessionLog& log() { return log_; }

signals:
    // With set_ask_first: the file is read and holds count() numbers; nothing is played yet.
    void read(qint64 count);
    // The file is read; total spins are to be played.
    void started(qint64 total);
    void progress(qint64 done);
    // The reader's reason (file, line, column and token), or the reason the
    // work stopped.
    void refused(const QString& reason);
    void loaded();
    void cancelled();

private:
    void work(const std::atomic<bool>& cancel, const BackgroundTask::Progress& progress);
    void play_spins(const std::atomic<bool>& cancel, const BackgroundTask::Progress& progress);
    std::unique_ptr<BackgroundTask> make_task(BackgroundTask::Work work);
    void finish(const BackgroundTask& task);

    std::string path_;
    Session session_;
    SessionLog log_;
    std::vector<std::uint8_t> spins_;  // written by the reading, read once it has finished
    std::string refusal_;              // likewise
    bool ask_first_ = false;
    bool played_ = false;
    bool announced_ = false;
    // Last, so that they go first: their destructors wait for the work, which
    // plays into the session and the log above. The reading, and the playing
    // when it comes after a question.
    std::unique_ptr<BackgroundTask> task_;
    std::unique_ptr<BackgroundTask> play_task_;
};

}  // namespace quorvel
