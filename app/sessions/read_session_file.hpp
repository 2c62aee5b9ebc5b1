// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include <QString>

#include "play/session.hpp"

namespace quorvel {

// Told how many bytes of how many are read, now and then; false cancels.
using ReadProgress = std::function<bool(qint64 done, qint64 total)>;

struct SessionFileReading {
    SessionReading reading;
    bool cancelled = false;  // the player stopped it; nothing was read
};

// Reads a session file a piece at a time, in one pass: memory is the session
// and one line, and the file is refused at its first bad line. `name` stands
// for the file in the messages.
SessionFileReading read_session_file(const QString& path, const QString& name,
                                     Session::Clock clock,
                                     const std::function<void(const Game&)>& observe,
                                     const ReadProgress& progress = {});

}  // namespace quorvel
