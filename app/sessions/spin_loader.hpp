// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <memory>
#include <string>

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
class SpinLoader : public QObject {
    Q_OBJECT

public:
    SpinLoader(const QString& file_name, const Session& session, const SessionLog& log,
               QObject* parent = nullptr);
    // Cancels a load still running and waits for it.
    ~SpinLoader() override;

    void start();
    void cancel();

    // After loaded(): the session and the log with the file's spins played.
    Session& session() { return session_; }
    SessionLog& log() { return log_; }

signals:
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
    void finish();

    std::string path_;
    Session session_;
    SessionLog log_;
    std::string refusal_;  // written by the work, read once it has finished
    bool announced_ = false;
    // Last, so that it goes first: its destructor waits for the work, which
    // plays into the session and the log above.
    std::unique_ptr<BackgroundTask> task_;
};

}  // namespace quorvel
