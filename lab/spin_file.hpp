// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The spins of a player's file, or why the file was refused. A refused or
// cancelled file gives no spins at all: nothing of it is played.
struct SpinFile {
    std::vector<std::uint8_t> spins;
    std::string error;
    // Said of a file that was read: a session's torn last line left out.
    std::string notice;
    bool cancelled = false;

    bool ok() const { return error.empty() && !cancelled; }
};

struct SpinReadOptions {
    // The window reads regular files only: a named pipe, a device or a socket
    // could block it, or never end, so it is refused before it is opened.
    bool regular_files_only = false;
    // Looked at between the pieces read; once set the reading stops.
    const std::atomic<bool>* cancel = nullptr;
};

// Reads a text file of roulette numbers. The numbers may be separated by any
// mix of line ends (LF, CR LF or CR alone), commas, semicolons, spaces and
// tabs; a UTF-8 byte order mark and empty lines are ignored, and a number may
// be padded with zeros ("07" is 7). Anything else is refused with
// "FILE:LINE:COLUMN: 'TOKEN' is not a roulette number (0 to 36)", and "00"
// with a sentence of its own; a file without numbers with "FILE: no spins"; a
// file that cannot be read with "FILE: cannot open (REASON)". Names and tokens
// in the messages are masked as shown_text() does.
//
// The file is read a piece at a time straight into the spins, a byte a spin,
// and refused at its first bad token without reading the rest of it.
//
// A session file (".quorvel", told by its first character "{") gives the
// numbers of its history: every number entered, without those taken back;
// a session that cannot be read is refused with the reason its replay gives.
SpinFile read_spin_file(const std::string& path, const SpinReadOptions& options = {});

// The same reading of an open file descriptor (standard input, a pipe);
// `name` stands for it in the messages. The descriptor stays open.
SpinFile read_spin_descriptor(int descriptor, std::string_view name,
                              const SpinReadOptions& options = {});

// The same reading of text already in memory.
SpinFile parse_spin_text(std::string_view text, std::string_view name);

// The reading itself, fed the text a piece at a time as it comes: a number,
// a line end or a byte order mark may be cut between two pieces.
class SpinTextReader {
public:
    SpinTextReader(std::string_view name, std::vector<std::uint8_t>& spins);

    // Reads the next piece. False once the text is refused; error() says why
    // and the spins are cleared.
    bool read(std::string_view piece);
    // The end of the text: ends its last number. False when the text is refused.
    bool finish();
    const std::string& error() const { return error_; }

private:
    void refuse(std::string_view why);
    void refuse_token();
    bool end_token();
    void take(std::string_view piece);
    void keep_token_text(std::string_view text);

    std::string name_;
    std::vector<std::uint8_t>& spins_;
    std::string error_;

    std::string head_;  // the first bytes, until they are known to be a byte order mark or not
    bool at_start_ = true;

    std::uint64_t offset_ = 0;  // bytes read after the byte order mark
    std::uint64_t line_ = 1;
    std::uint64_t line_start_ = 0;  // offset of the line's first byte
    bool after_cr_ = false;         // a LF right after a CR ends no second line

    // The token being read: where it began, its value so far, and its first
    // characters for a message.
    bool in_token_ = false;
    bool leading_zero_ = false;  // the token starts with '0'
    bool bad_token_ = false;
    std::uint64_t token_column_ = 0;
    std::uint64_t token_length_ = 0;
    int token_value_ = 0;
    std::string token_text_;
    std::size_t token_characters_ = 0;
};

}  // namespace quorvel
