#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The spins of a player's file, or why the file was refused. A refused file
// gives no spins at all: nothing of it is played.
struct SpinFile {
    std::vector<std::uint8_t> spins;
    std::string error;

    bool ok() const { return error.empty(); }
};

// Reads a text file of roulette numbers. The numbers may be separated by any
// mix of line ends (LF or CR LF), commas, semicolons, spaces and tabs; a UTF-8
// byte order mark and empty lines are ignored. Anything else is refused with
// "FILE:LINE:COLUMN: 'TOKEN' is not a roulette number (0 to 36)"; a file
// without numbers with "FILE: no spins"; a file that cannot be read with
// "FILE: cannot open (REASON)".
//
// A session file (".quorvel", told by its first character "{") gives the
// numbers of its history: every number entered, without those taken back;
// a session that cannot be read is refused with the reason its replay gives.
SpinFile read_spin_file(const std::string& path);

// The same reading of text already in memory; `name` stands for the file in
// the messages.
SpinFile parse_spin_text(std::string_view text, std::string_view name);

}  // namespace quorvel
