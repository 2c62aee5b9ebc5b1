// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include <sys/types.h>

namespace quorvel {

// Where a file that is about to be saved really goes, with every link on the
// way followed. Both savers (the command line's below and the window's) start
// here, so they agree on what may be written and how:
// - a link is written through to its target and is never itself replaced; a
//   link whose target cannot be written (a missing folder, a closed
//   descriptor) is refused;
// - a regular file is replaced whole and keeps its permissions and owner; a
//   write-protected file is refused, even for an administrator who could
//   write it anyway;
// - anything else that takes writes (a pipe, a terminal, a device, a
//   process's open descriptor named under /proc or /dev/fd) is written
//   straight into, since it has no earlier contents to keep and cannot be
//   replaced by a file.
struct SaveTarget {
    enum class Way { NewFile, Replace, Stream };

    Way way = Way::NewFile;
    std::string path;  // where the bytes go; for a file, no link is left on the way
    mode_t mode = 0;   // permission bits of the file being replaced
    uid_t owner = 0;
    gid_t group = 0;
    std::string error;  // the system's reason it cannot be written; empty when it can

    bool ok() const { return error.empty(); }
};

SaveTarget save_target(const std::string& path);

// Gives the new file that takes an earlier one's place (open as `descriptor`)
// the earlier file's owner, as far as this process may, and permissions.
void keep_owner_and_mode(int descriptor, const SaveTarget& target);

// Empty when `path` can be saved to, "PATH: cannot write (REASON)" otherwise:
// the check a long run makes before it starts, so a bad path is not found
// only at its end.
std::string check_save(const std::string& path);

// Saves the text that `write` puts out at `path`. A file is written into a
// new file beside it, which takes its place only once every byte is on the
// disk: a write that fails (a full disk) leaves the earlier file as it was.
// Only in a folder where no new file can be made is an existing file written
// in place. Returns "PATH: cannot write (REASON)", with the system's own
// reason, or empty on success.
std::string save_file(const std::string& path, const std::function<void(std::ostream&)>& write);

}  // namespace quorvel
