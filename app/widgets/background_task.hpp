// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <thread>

#include <QObject>

namespace quorvel {

// A piece of work on its own thread, so the windows stay responsive. The
// work is told how far it has got through `progress` and looks at `cancel`
// now and then; the task hears of both on the interface thread. Every task
// started ends in exactly one of finished() and failed(): an exception thrown
// by the work is caught on its thread and told as failed(), so it can neither
// end the program nor leave half a result in use.
class BackgroundTask : public QObject {
    Q_OBJECT

public:
    using Progress = std::function<void(std::size_t done, std::size_t total)>;
    using Work = std::function<void(const std::atomic<bool>& cancel, const Progress& progress)>;

    explicit BackgroundTask(Work work, QObject* parent = nullptr);
    // Cancels work still running and waits for it.
    ~BackgroundTask() override;

    void start();
    void cancel();
    bool cancel_requested() const { return cancel_.load(); }

signals:
    void progress(qint64 done, qint64 total);
    // The work has returned; whatever it produced is complete.
    void finished();
    // The work threw; whatever it produced is incomplete. The reason is a
    // sentence for a message box.
    void failed(const QString& reason);

private:
    Work work_;
    std::atomic<bool> cancel_{false};
    std::thread thread_;
};

}  // namespace quorvel
