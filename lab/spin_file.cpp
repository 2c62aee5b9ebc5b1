// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lab/spin_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <optional>

#include "lab/shown_text.hpp"

#include "play/session.hpp"

namespace quorvel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kHighestNumber = 36;
// A token is shown in a message up to this many characters; a whole line of
// junk would bury the line and column.
constexpr std::size_t kShownTokenLength = 40;
// Enough bytes of a token for more than kShownTokenLength characters of any
// kind (four bytes at most, one for a byte that is not UTF-8). A bad token is
// refused once its end or this many of its bytes are read: a file of NUL
// bytes without end is refused at its first bytes.
constexpr std::size_t kKeptTokenBytes = 4 * (kShownTokenLength + 1);
// The piece read at a time: memory is the spins and this.
constexpr std::size_t kPieceBytes = std::size_t{1} << 16;

bool is_separator(char c) {
    return c == '\n' || c == '\r' || c == ',' || c == ';' || c == ' ' || c == '\t';
}

std::string reason_of(int error) {
    return std::strerror(error);
}

// The kind of a file that is not a regular one, for the sentence that refuses it.
std::string_view kind_of(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

std::string not_regular(std::string_view name, mode_t mode) {
    return shown_text(name) + ": is " + std::string(kind_of(mode)) +
           ", not a file of spins; only regular files are loaded";
}

class Descriptor {
public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    ~Descriptor() {
        if (descriptor_ >= 0) ::close(descriptor_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return descriptor_; }

private:
    int descriptor_;
};

// A session file gives the numbers of its history: every number entered,
// without those an undo took back. Its replay checks the whole file, so a
// session that could not be opened is not played either.
SpinFile session_spins(SessionReader& reader, std::string_view name) {
    SpinFile file;
    SessionReading reading = reader.finish();
    if (!reading.ok()) {
        file.error = reading.error;
        return file;
    }
    file.notice = reading.notice;
    file.spins = reading.session->game().NumbersList;
    if (file.spins.empty()) file.error = shown_text(name) + ": no spins";
    return file;
}

SpinFile read_pieces(int descriptor, std::string_view name, const SpinReadOptions& options,
                     std::size_t expected_bytes) {
    SpinFile file;
    // A session file is told by its first piece; its lines are read as a
    // journal, not as numbers, as they come.
    bool first_piece = true;
    std::optional<SessionReader> session;
    if (expected_bytes > 0) {
        // A number takes two bytes at least with its separator, so the spins
        // never outgrow this and are never copied to a larger block, which
        // would hold the old and the new block at once. What is not used is
        // reserved, not touched, and costs no memory.
        try {
            file.spins.reserve(expected_bytes / 2 + 1);
        } catch (const std::bad_alloc&) {
            // Too much to reserve at once here: the spins grow as they come.
        }
    }
    SpinTextReader reader(name, file.spins);
    const auto buffer = std::make_unique<char[]>(kPieceBytes);
    for (;;) {
        if (options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed)) {
            file.cancelled = true;
            file.spins.clear();
            file.spins.shrink_to_fit();
            return file;
        }
        const ssize_t got = ::read(descriptor, buffer.get(), kPieceBytes);
        if (got < 0) {
            if (errno == EINTR) continue;
            file.error = shown_text(name) + ": cannot read (" + reason_of(errno) + ")";
            file.spins.clear();
            file.spins.shrink_to_fit();
            return file;
        }
        if (got == 0) break;
        const std::string_view piece(buffer.get(), static_cast<std::size_t>(got));
        if (first_piece) {
            first_piece = false;
            if (looks_like_session(piece))
                session.emplace(shown_text(name), [] { return std::int64_t{0}; });
        }
        if (session) {
            if (!session->read(piece)) return session_spins(*session, name);
            continue;
        }
        if (!reader.read(piece)) {
            file.error = reader.error();
            return file;
        }
    }
    if (session) return session_spins(*session, name);
    if (!reader.finish()) file.error = reader.error();
    return file;
}

}  // namespace

SpinTextReader::SpinTextReader(std::string_view name, std::vector<std::uint8_t>& spins)
    : name_(shown_text(name)), spins_(spins) {}

bool SpinTextReader::read(std::string_view piece) {
    if (!error_.empty()) return false;
    if (at_start_) {
        // The byte order mark may come a byte at a time from a pipe.
        const std::size_t taken = std::min(kByteOrderMark.size() - head_.size(), piece.size());
        head_.append(piece.substr(0, taken));
        piece.remove_prefix(taken);
        if (head_.size() < kByteOrderMark.size() && kByteOrderMark.starts_with(head_)) return true;
        at_start_ = false;
        if (head_ != kByteOrderMark) take(head_);
        head_.clear();
        if (!error_.empty()) return false;
    }
    take(piece);
    return error_.empty();
}

bool SpinTextReader::finish() {
    if (!error_.empty()) return false;
    if (at_start_) {
        at_start_ = false;
        take(head_);  // part of a byte order mark and nothing more: refused as a token
        if (!error_.empty()) return false;
    }
    if (in_token_ && !end_token()) return false;
    if (spins_.empty()) error_ = name_ + ": no spins";
    return error_.empty();
}

void SpinTextReader::take(std::string_view piece) {
    const char* const bytes = piece.data();
    const std::size_t size = piece.size();
    // Where the token being read began in this piece: its bytes are kept for
    // a message only when it ends, is refused or runs on into the next piece.
    std::size_t token_begin = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (is_separator(c)) {
            if (in_token_) {
                if (bad_token_ || leading_zero_)
                    keep_token_text(piece.substr(token_begin, i - token_begin));
                if (!end_token()) return;
            }
            if (c == '\r' || (c == '\n' && !after_cr_)) ++line_;
            if (c == '\r' || c == '\n') line_start_ = offset_ + i + 1;
            after_cr_ = c == '\r';
            continue;
        }
        after_cr_ = false;
        if (!in_token_) {
            in_token_ = true;
            bad_token_ = false;
            // Everything before the token on its line is a digit or a
            // separator, one byte each, so the column is the byte offset.
            token_column_ = offset_ + i - line_start_ + 1;
            token_length_ = 0;
            token_value_ = 0;
            token_text_.clear();
            token_begin = i;
            leading_zero_ = c == '0';
        }
        ++token_length_;
        if (c >= '0' && c <= '9') {
            // Stops growing once past the highest number; the token is refused anyway.
            if (token_value_ <= kHighestNumber) token_value_ = token_value_ * 10 + (c - '0');
            if (token_value_ > kHighestNumber) bad_token_ = true;
        } else {
            bad_token_ = true;
        }
        if (bad_token_ && token_length_ >= kKeptTokenBytes) {
            keep_token_text(piece.substr(token_begin, i + 1 - token_begin));
            refuse_token();
            return;
        }
    }
    if (in_token_) keep_token_text(piece.substr(token_begin));
    offset_ += size;
}

void SpinTextReader::keep_token_text(std::string_view text) {
    if (token_text_.size() < kKeptTokenBytes)
        token_text_.append(text.substr(0, kKeptTokenBytes - token_text_.size()));
}

// Ends the token just read: a number joins the spins, anything else refuses the text.
bool SpinTextReader::end_token() {
    in_token_ = false;
    if (bad_token_) {
        refuse_token();
        return false;
    }
    // "00" is the one number a single-zero wheel does not have, so a zero
    // padded to two places cannot be read as 0; nor then can any other
    // leading zero ("07", "000"), as no log writes numbers that way.
    if (token_length_ == 2 && token_value_ == 0) {
        refuse("'00' is the double zero of an American wheel; Quorvel plays the single-zero wheel");
        return false;
    }
    if (leading_zero_ && token_length_ > 1) {
        refuse("'" + shown_text(token_text_, kShownTokenLength) +
               "' has a leading zero; a number is written without one (0 to 36)");
        return false;
    }
    spins_.push_back(static_cast<std::uint8_t>(token_value_));
    return true;
}

void SpinTextReader::refuse_token() {
    refuse("'" + shown_text(token_text_, kShownTokenLength) +
           "' is not a roulette number (0 to 36)");
}

void SpinTextReader::refuse(std::string_view why) {
    error_ = name_ + ':' + std::to_string(line_) + ':' + std::to_string(token_column_) + ": ";
    error_ += why;
    in_token_ = false;
    spins_.clear();
    spins_.shrink_to_fit();
}

SpinFile parse_spin_text(std::string_view text, std::string_view name) {
    if (looks_like_session(text)) {
        SessionReader session(shown_text(name), [] { return std::int64_t{0}; });
        session.read(text);
        return session_spins(session, name);
    }
    SpinFile file;
    // Two or more characters per number: a good guess that costs one allocation.
    file.spins.reserve(text.size() / 2 + 1);
    SpinTextReader reader(name, file.spins);
    if (!reader.read(text) || !reader.finish()) file.error = reader.error();
    return file;
}

SpinFile read_spin_descriptor(int descriptor, std::string_view name,
                              const SpinReadOptions& options) {
    return read_pieces(descriptor, name, options, 0);
}

SpinFile read_spin_file(const std::string& path, const SpinReadOptions& options) {
    SpinFile file;
    struct stat status {};
    if (options.regular_files_only) {
        // Looked at before the file is opened: opening a named pipe waits for
        // a writer, and opening a device may do something.
        if (::stat(path.c_str(), &status) != 0) {
            file.error = shown_text(path) + ": cannot open (" + reason_of(errno) + ")";
            return file;
        }
        if (!S_ISREG(status.st_mode)) {
            file.error = not_regular(path, status.st_mode);
            return file;
        }
    }
    // Without waiting, in case the file was swapped for a pipe since it was
    // looked at; it is looked at again once open.
    const int flags = O_RDONLY | O_CLOEXEC | (options.regular_files_only ? O_NONBLOCK : 0);
    int opened = -1;
    do {
        opened = ::open(path.c_str(), flags);
    } while (opened < 0 && errno == EINTR);
    if (opened < 0) {
        file.error = shown_text(path) + ": cannot open (" + reason_of(errno) + ")";
        return file;
    }
    const Descriptor descriptor(opened);
    if (::fstat(descriptor.get(), &status) != 0) {
        file.error = shown_text(path) + ": cannot read (" + reason_of(errno) + ")";
        return file;
    }
    const bool regular = S_ISREG(status.st_mode);
    if (options.regular_files_only && !regular) {
        file.error = not_regular(path, status.st_mode);
        return file;
    }
    return read_pieces(descriptor.get(), path, options,
                       regular ? static_cast<std::size_t>(status.st_size) : 0);
}

}  // namespace quorvel
