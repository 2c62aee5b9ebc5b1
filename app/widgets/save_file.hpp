// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include <QString>

namespace quorvel {

// The window's one way to write a file: every export goes through here.
// The bytes go to a temporary file beside the target, which takes the
// target's place only once every byte is on the disk; when anything fails,
// an earlier file of that name stays exactly as it was. Only a file that may
// be changed, in a folder where no new file can be made, is written in place.
// Links, permissions and pipes or devices follow the rules of save_target():
// a link is written through and never replaced, a replaced file keeps its
// permissions, a write-protected file is refused. Returns the system's reason
// when the file could not be written, nothing on success.
//
// A private file (the journal in the state folder) is the user's alone: it is
// made 0600, and an earlier file of that name is narrowed to it.
enum class FileAccess { Shared, Private };
std::optional<QString> save_file(const QString& file_name, std::string_view bytes,
                                 FileAccess access = FileAccess::Shared);

}  // namespace quorvel
