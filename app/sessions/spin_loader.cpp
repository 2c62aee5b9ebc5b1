// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/sessions/spin_loader.hpp"

#include <QFile>

#include "lab/load_spins.hpp"
#include "lab/spin_file.hpp"

namespace quorvel {

SpinLoader::SpinLoader(const QString& file_name, const Session& session, const SessionLog& log,
                       QObject* parent)
    : QObject(parent),
      path_(QFile::encodeName(file_name).toStdString()),
      session_(session),
      log_(log),
      task_(
          make_task([this](const std::atomic<bool>& cancel,
                           const BackgroundTask::Progress& progress) { work(cancel, progress); })) {
}

std::unique_ptr<BackgroundTask> SpinLoader::make_task(BackgroundTask::Work work) {
    auto task = std::make_unique<BackgroundTask>(std::move(work));
    // The task's progress first tells the spins to play, then how many are played.
    connect(task.get(), &BackgroundTask::progress, this, [this](qint64 done, qint64 total) {
        if (!announced_) {
            announced_ = true;
            emit started(total);
        }
        if (done > 0) emit progress(done);
    });
    const BackgroundTask* of = task.get();
    connect(task.get(), &BackgroundTask::finished, this, [this, of] { finish(*of); });
    connect(task.get(), &BackgroundTask::failed, this, &SpinLoader::refused);
    return task;
}

SpinLoader::~SpinLoader() = default;

void SpinLoader::start() {
    task_->start();
}

void SpinLoader::cancel() {
    task_->cancel();
    if (play_task_) play_task_->cancel();
}

void SpinLoader::play(std::optional<Session> instead) {
    if (played_ || play_task_) return;
    if (instead) {
        session_ = std::move(*instead);
        log_ = SessionLog();
        log_.follow(session_.game());
    }
    play_task_ = make_task(
        [this](const std::atomic<bool>& cancel, const BackgroundTask::Progress& progress) {
            play_spins(cancel, progress);
        });
    play_task_->start();
}

// Runs on the task's thread.
void SpinLoader::work(const std::atomic<bool>& cancel, const BackgroundTask::Progress& progress) {
    SpinReadOptions options;
    options.regular_files_only = true;
    options.cancel = &cancel;
    SpinFile file = read_spin_file(path_, options);
    if (file.cancelled) return;
    if (!file.ok()) {
        refusal_ = file.error;
        return;
    }
    spins_ = std::move(file.spins);
    if (!ask_first_) play_spins(cancel, progress);
}

// Runs on a task's thread.
void SpinLoader::play_spins(const std::atomic<bool>& cancel,
                            const BackgroundTask::Progress& progress) {
    const std::size_t total = spins_.size();
    progress(0, total);
    load_spins(session_, log_, spins_, &cancel,
               [&progress, total](std::size_t done) { progress(done, total); });
    played_ = true;
}

void SpinLoader::finish(const BackgroundTask& task) {
    if (!refusal_.empty()) {
        emit refused(QString::fromStdString(refusal_));
    } else if (task.cancel_requested()) {
        emit cancelled();
    } else if (!played_) {
        emit read(count());
    } else {
        emit loaded();
    }
}

}  // namespace quorvel
