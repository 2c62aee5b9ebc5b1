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
      task_(std::make_unique<BackgroundTask>(
          [this](const std::atomic<bool>& cancel, const BackgroundTask::Progress& progress) {
              work(cancel, progress);
          })) {
    // The task's progress first tells the spins to play, then how many are played.
    connect(task_.get(), &BackgroundTask::progress, this, [this](qint64 done, qint64 total) {
        if (!announced_) {
            announced_ = true;
            emit started(total);
        }
        if (done > 0) emit progress(done);
    });
    connect(task_.get(), &BackgroundTask::finished, this, &SpinLoader::finish);
    connect(task_.get(), &BackgroundTask::failed, this, &SpinLoader::refused);
}

SpinLoader::~SpinLoader() = default;

void SpinLoader::start() {
    task_->start();
}

void SpinLoader::cancel() {
    task_->cancel();
}

// Runs on the task's thread.
void SpinLoader::work(const std::atomic<bool>& cancel, const BackgroundTask::Progress& progress) {
    SpinReadOptions options;
    options.regular_files_only = true;
    options.cancel = &cancel;
    const SpinFile file = read_spin_file(path_, options);
    if (file.cancelled) return;
    if (!file.ok()) {
        refusal_ = file.error;
        return;
    }
    const std::size_t total = file.spins.size();
    progress(0, total);
    load_spins(session_, log_, file.spins, &cancel,
               [&progress, total](std::size_t done) { progress(done, total); });
}

void SpinLoader::finish() {
    if (!refusal_.empty()) {
        emit refused(QString::fromStdString(refusal_));
    } else if (task_->cancel_requested()) {
        emit cancelled();
    } else {
        emit loaded();
    }
}

}  // namespace quorvel
