#include "lab/spin_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "play/session.hpp"

namespace quorvel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kHighestNumber = 36;
// A token is shown in a message up to this many bytes; a whole line of junk
// would bury the line and column.
constexpr std::size_t kShownTokenLength = 40;

bool is_separator(char c) {
    return c == '\n' || c == '\r' || c == ',' || c == ';' || c == ' ' || c == '\t';
}

bool continues_character(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The token as it can be shown on a terminal: control bytes become '?', and a
// long token is cut at a character boundary.
std::string shown_token(std::string_view token) {
    std::string shown;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < token.size(); ++i) {
        const char c = token[i];
        if (!continues_character(c) && ++characters > kShownTokenLength) {
            shown += "...";
            break;
        }
        const auto byte = static_cast<unsigned char>(c);
        shown += byte < 0x20 || byte == 0x7F ? '?' : c;
    }
    return shown;
}

std::string refusal(std::string_view name, std::size_t line, std::size_t column,
                    std::string_view token) {
    const std::string shown = shown_token(token);
    std::string message(name);
    message += ':' + std::to_string(line) + ':' + std::to_string(column) + ": '" + shown +
               "' is not a roulette number (0 to 36)";
    return message;
}

}  // namespace

namespace {

// A session file gives the numbers of its history: every number entered,
// without those an undo took back. Its replay checks the whole file, so a
// session that could not be opened is not backtested either.
SpinFile session_spins(std::string_view text, std::string_view name) {
    SpinFile file;
    const SessionReading reading = read_session(text, name, [] { return std::int64_t{0}; });
    if (!reading.ok()) {
        file.error = reading.error;
        return file;
    }
    file.spins = reading.session->game().NumbersList;
    if (file.spins.empty()) file.error = std::string(name) + ": no spins";
    return file;
}

}  // namespace

SpinFile parse_spin_text(std::string_view text, std::string_view name) {
    SpinFile file;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    if (looks_like_session(text)) return session_spins(text, name);
    // Two or more characters per number: a good guess that costs one allocation.
    file.spins.reserve(text.size() / 2 + 1);

    std::size_t line = 1;
    std::size_t line_start = 0;  // offset of the line's first character
    const char* const begin = text.data();
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const char c = begin[i];
        if (is_separator(c)) {
            if (c == '\n') {
                ++line;
                line_start = i + 1;
            }
            ++i;
            continue;
        }
        const std::size_t start = i;
        int value = 0;
        bool digits_only = true;
        while (i < size && !is_separator(begin[i])) {
            const char d = begin[i];
            if (d >= '0' && d <= '9') {
                // Stops growing once past the highest number; the token is refused anyway.
                if (value <= kHighestNumber) value = value * 10 + (d - '0');
            } else {
                digits_only = false;
            }
            ++i;
        }
        if (!digits_only || value > kHighestNumber) {
            file.spins.clear();
            file.spins.shrink_to_fit();
            // Everything before the token on its line is a digit or a separator, one
            // byte each, so the column is the byte offset.
            file.error = refusal(name, line, start - line_start + 1, text.substr(start, i - start));
            return file;
        }
        file.spins.push_back(static_cast<std::uint8_t>(value));
    }
    if (file.spins.empty()) file.error = std::string(name) + ": no spins";
    return file;
}

SpinFile read_spin_file(const std::string& path) {
    SpinFile file;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(std::fopen(path.c_str(), "rb"),
                                                                 &std::fclose);
    if (!stream) {
        file.error = path + ": cannot open (" + std::strerror(errno) + ")";
        return file;
    }
    std::string text;
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream.get())) > 0) {
        text.append(buffer, got);
    }
    if (std::ferror(stream.get())) {
        file.error = path + ": cannot read (" + std::strerror(errno) + ")";
        return file;
    }
    return parse_spin_text(text, path);
}

}  // namespace quorvel
