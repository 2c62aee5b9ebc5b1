#include "app/background_task.hpp"

#include <exception>

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
        // Nothing the work throws may leave its thread: it ends the work,
        // and the window says what it was.
        try {
            work_(cancel_, progress);
        } catch (const std::exception& error) {
            error_ = error.what();
            if (error_.empty()) error_ = "an error without a description";
        } catch (...) {
            error_ = "an error without a description";
        }
        QMetaObject::invokeMethod(
            this, [this] { emit finished(); }, Qt::QueuedConnection);
    });
}

void BackgroundTask::cancel() {
    cancel_.store(true);
}

}  // namespace quorvel
