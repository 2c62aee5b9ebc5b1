#pragma once

#include <optional>
#include <string>

#include <QString>

namespace quorvel {

// Writes the history export to file_name, replacing any file of that name.
// The bytes go to a temporary file beside the target, which takes the target's
// place only once every byte is on disk; when anything fails, an earlier file
// of that name stays exactly as it was. Only a file that may be changed in a
// folder that may not is written in place, since no temporary file can be
// made beside it. Returns the reason for the player when the file could not be
// written, nothing on success.
std::optional<QString> write_history_file(const QString& file_name, const std::string& bytes);

}  // namespace quorvel
