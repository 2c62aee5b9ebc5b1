#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <thread>

#include <QObject>

namespace quorvel {

// A piece of lab work on its own thread, so the windows stay responsive. The
// work is told how far it has got through `progress` and looks at `cancel`
// now and then; the task hears of both on the interface thread.
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
    // What the work threw, once it has finished: empty when it returned.
    const std::string& error() const { return error_; }

signals:
    void progress(qint64 done, qint64 total);
    // The work has returned; whatever it produced is complete.
    void finished();

private:
    Work work_;
    std::atomic<bool> cancel_{false};
    std::string error_;
    std::thread thread_;
};

}  // namespace quorvel
