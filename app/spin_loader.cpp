#include "app/spin_loader.hpp"

#include <QFile>

#include "lab/load_spins.hpp"
#include "lab/spin_file.hpp"

namespace quorvel {

SpinLoader::SpinLoader(const QString& file_name, const Game& game, const SessionLog& log,
                       QObject* parent)
    : QObject(parent), file_name_(file_name), game_(game), log_(log) {}

SpinLoader::~SpinLoader() {
    cancel();
    if (worker_.joinable()) worker_.join();
}

void SpinLoader::start() {
    worker_ = std::thread([this] { work(); });
}

void SpinLoader::cancel() {
    cancel_.store(true);
}

// Runs on the worker. Every signal goes through the loader's own thread, so
// the window hears of the work in order and only while the loader lives: the
// destructor joins the worker before the loader and its queued calls go.
void SpinLoader::work() {
    const auto post = [this](auto call) {
        QMetaObject::invokeMethod(this, call, Qt::QueuedConnection);
    };
    const SpinFile file = read_spin_file(QFile::encodeName(file_name_).toStdString());
    if (!file.ok()) {
        post([this, reason = QString::fromStdString(file.error)] { emit refused(reason); });
        return;
    }
    const auto total = static_cast<qint64>(file.spins.size());
    post([this, total] { emit started(total); });
    load_spins(game_, log_, file.spins, &cancel_, [this, &post](std::size_t done) {
        post([this, done = static_cast<qint64>(done)] { emit progress(done); });
    });
    if (cancel_.load()) {
        post([this] { emit cancelled(); });
    } else {
        post([this] { emit loaded(); });
    }
}

}  // namespace quorvel
