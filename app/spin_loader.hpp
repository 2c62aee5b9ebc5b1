#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include <QObject>
#include <QString>

#include "game/game.hpp"
#include "lab/session_log.hpp"

namespace quorvel {

// Reads a spin file and plays it into a copy of the game, off the interface
// thread. The live game is not touched: when the load is done the window
// takes the copy in one step; when the file is refused or the load cancelled
// the copy is dropped.
class SpinLoader : public QObject {
    Q_OBJECT

public:
    SpinLoader(const QString& file_name, const Game& game, const SessionLog& log,
               QObject* parent = nullptr);
    // Cancels a load still running and waits for it.
    ~SpinLoader() override;

    void start();
    void cancel();

    // After loaded(): the game and the log with the file's spins played.
    Game& game() { return game_; }
    SessionLog& log() { return log_; }

signals:
    // The file is read; total spins are to be played.
    void started(qint64 total);
    void progress(qint64 done);
    // The reader's reason: file, line, column and token.
    void refused(const QString& reason);
    void loaded();
    void cancelled();

private:
    void work();

    QString file_name_;
    Game game_;
    SessionLog log_;
    std::atomic<bool> cancel_{false};
    std::thread worker_;
};

}  // namespace quorvel
