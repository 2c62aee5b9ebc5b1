// SPDX-FileCopyrightText: 2026 The Quorvel authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/journal_line.hpp"

#include <limits>

namespace quorvel {

namespace {

class LineReader {
public:
    explicit LineReader(std::string_view line) : line_(line) {}

    JournalLine read() {
        skip_space();
        if (!take('{')) return fail("expected '{' at the start of the line");
        skip_space();
        if (take('}')) return finish();
        for (;;) {
            skip_space();
            JournalField field;
            field.column = column();
            if (peek() != '"') return fail("expected a key in double quotes");
            if (!read_string(field.key)) return std::move(result_);
            for (const JournalField& other : result_.fields) {
                if (other.key == field.key) {
                    pos_ = static_cast<std::size_t>(field.column - 1);
                    return fail("the key " + quoted_token(field.key) + " appears twice");
                }
            }
            skip_space();
            if (!take(':')) return fail("expected ':' after the key");
            skip_space();
            if (!read_value(field.value)) return std::move(result_);
            result_.fields.push_back(std::move(field));
            skip_space();
            if (take(',')) continue;
            if (take('}')) return finish();
            return fail("expected ',' or '}'");
        }
    }

private:
    JournalLine finish() {
        skip_space();
        if (pos_ != line_.size()) return fail("unexpected text after the closing '}'");
        return std::move(result_);
    }

    // Notes the first error at the present column; the reading stops there.
    void set_error(std::string message) {
        result_.fields.clear();
        result_.error_column = column();
        result_.error = std::move(message);
    }
    JournalLine fail(std::string message) {
        set_error(std::move(message));
        return std::move(result_);
    }

    int column() const { return static_cast<int>(pos_) + 1; }
    char peek() const { return pos_ < line_.size() ? line_[pos_] : '\0'; }
    bool at_end() const { return pos_ >= line_.size(); }
    bool take(char c) {
        if (peek() != c || at_end()) return false;
        ++pos_;
        return true;
    }
    void skip_space() {
        while (!at_end() && (line_[pos_] == ' ' || line_[pos_] == '\t' || line_[pos_] == '\r'))
            ++pos_;
    }
    bool take_word(std::string_view word) {
        if (line_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }

    bool read_value(JournalValue& value) {
        value.column = column();
        const char c = peek();
        if (c == '"') {
            value.kind = JournalValue::Kind::Text;
            return read_string(value.text);
        }
        if (take_word("true")) {
            value.kind = JournalValue::Kind::Boolean;
            value.boolean = true;
            return true;
        }
        if (take_word("false")) {
            value.kind = JournalValue::Kind::Boolean;
            return true;
        }
        if (take_word("null")) {
            value.kind = JournalValue::Kind::Null;
            return true;
        }
        if (c == '-' || (c >= '0' && c <= '9')) return read_integer(value);
        set_error(at_end() ? "the line ends where a value should be"
                           : "expected a string, a whole number, true, false or null");
        return false;
    }

    bool read_integer(JournalValue& value) {
        const std::size_t start = pos_;
        const bool negative = take('-');
        std::uint64_t magnitude = 0;
        const std::uint64_t limit =
            negative ? std::uint64_t{1} << 63
                     : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
        // JSON writes no leading zero, and on a double-zero wheel 00 is not 0.
        if (peek() == '0' && pos_ + 1 < line_.size() && line_[pos_ + 1] >= '0' &&
            line_[pos_ + 1] <= '9') {
            pos_ = start;
            set_error("a number has no leading zero in JSON");
            return false;
        }
        bool digits = false;
        while (!at_end() && line_[pos_] >= '0' && line_[pos_] <= '9') {
            const auto digit = static_cast<std::uint64_t>(line_[pos_] - '0');
            if (magnitude > (limit - digit) / 10) {
                pos_ = start;
                set_error("the number is too large");
                return false;
            }
            magnitude = magnitude * 10 + digit;
            digits = true;
            ++pos_;
        }
        if (!digits) {
            set_error("expected a digit");
            return false;
        }
        if (peek() == '.' || peek() == 'e' || peek() == 'E') {
            set_error("expected a whole number");
            return false;
        }
        value.kind = JournalValue::Kind::Integer;
        value.integer = negative ? static_cast<std::int64_t>(0 - magnitude)
                                 : static_cast<std::int64_t>(magnitude);
        return true;
    }

    static int hex_digit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    static void append_utf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool read_hex4(std::uint32_t& code) {
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = hex_digit(peek());
            if (digit < 0) {
                set_error("expected four hexadecimal digits after \\u");
                return false;
            }
            code = code * 16 + static_cast<std::uint32_t>(digit);
            ++pos_;
        }
        return true;
    }

    bool read_string(std::string& out) {
        take('"');
        for (;;) {
            if (at_end()) {
                set_error("the line ends inside a string");
                return false;
            }
            const char c = line_[pos_];
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                set_error("a control character inside a string");
                return false;
            }
            if (c != '\\') {
                out += c;
                ++pos_;
                continue;
            }
            ++pos_;
            const char escape = peek();
            ++pos_;
            switch (escape) {
                case '"':
                    out += '"';
                    break;
                case '\\':
                    out += '\\';
                    break;
                case '/':
                    out += '/';
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    std::uint32_t code = 0;
                    if (!read_hex4(code)) return false;
                    if (code >= 0xD800 && code < 0xDC00 && take_word("\\u")) {
                        std::uint32_t low = 0;
                        if (!read_hex4(low)) return false;
                        if (low >= 0xDC00 && low < 0xE000)
                            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    }
                    append_utf8(out, code);
                    break;
                }
                default:
                    --pos_;
                    set_error("an unknown escape in a string");
                    return false;
            }
        }
    }

    std::string_view line_;
    std::size_t pos_ = 0;
    JournalLine result_;
};

}  // namespace

const JournalField* JournalLine::find(std::string_view key) const {
    for (const JournalField& field : fields) {
        if (field.key == key) return &field;
    }
    return nullptr;
}

JournalLine parse_journal_line(std::string_view line) {
    return LineReader(line).read();
}

void append_json_string(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out += "\\u00";
                    out += kHex[(c >> 4) & 0xF];
                    out += kHex[c & 0xF];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

std::string quoted_token(std::string_view text) {
    // Characters are counted by their first bytes; a byte that is no UTF-8
    // counts as one.
    std::size_t characters = 0;
    std::size_t cut = 0;
    while (cut < text.size()) {
        if ((static_cast<unsigned char>(text[cut]) & 0xC0) != 0x80 &&
            characters++ == kQuotedCharacters)
            break;
        ++cut;
    }
    std::string out;
    append_json_string(out, text.substr(0, cut));
    if (cut < text.size()) out.insert(out.size() - 1, "\u2026");
    return out;
}

}  // namespace quorvel
