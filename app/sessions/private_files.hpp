// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// A player's sessions hold their stakes and their times at the table, so the
// state folder, the settings folder and the files in them are the user's
// alone, whatever the umask: folders 0700, files 0600. A folder or file that
// was made wider by an earlier version is narrowed the next time it is used.

// Makes `folder` (and any missing folder above it, with the usual
// permissions) and narrows `folder` itself to 0700 at most. False when it cannot be made.
bool make_private_folder(const QString& folder);
// Narrows a regular file to 0600 at most; a link or anything else is left alone.
void make_private_file(const QString& file);

}  // namespace quorvel
