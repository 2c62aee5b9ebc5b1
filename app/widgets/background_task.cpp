// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/widgets/background_task.hpp"

#include <exception>
#include <new>

#include "lab/shown_text.hpp"

namespace quorvel {

BackgroundTask::BackgroundTask(Work work, QObject* parent)
    : QObject(parent), work_(std::move(work)) {}

BackgroundTask::~BackgroundTask() {
    cancel();
    if (thread_.joinable()) thread_.join();
}

// The signals are posted to the task's own thread: they arrive in order and
// only while the task lives, since the destructor joins the thread first.
void BackgroundTask::start() {
    thread_ = std::thread([this] {
        const Progress progress = [this](std::size_t done, std::size_t total) {
            QMetaObject::invokeMethod(
                this,
                [this, done = static_cast<qint64>(done), total = static_cast<qint64>(total)] {
                    emit this->progress(done, total);
                },
                Qt::QueuedConnection);
        };
        QString failure;
        try {
            work_(cancel_, progress);
        } catch (const std::bad_alloc&) {
            failure = QStringLiteral("There was not enough memory for this work.");
        } catch (const std::exception& error) {
            failure = QString::fromStdString(shown_text(error.what()));
        } catch (...) {
            failure = QStringLiteral("The work stopped on an unknown error.");
        }
        if (failure.isNull()) {
            QMetaObject::invokeMethod(
                this, [this] { emit finished(); }, Qt::QueuedConnection);
        } else {
            QMetaObject::invokeMethod(
                this, [this, failure] { emit failed(failure); }, Qt::QueuedConnection);
        }
    });
}

void BackgroundTask::cancel() {
    cancel_.store(true);
}

}  // namespace quorvel
