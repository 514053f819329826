// SPDX-License-Identifier: GPL-3.0-or-later
#include "flat_json.h"

#include <cstdint>

#include "vandrel/texts/decimal.h"

namespace vandrel::speaker::flat_json {
namespace {

constexpr std::size_t max_entries = 1000;

class Reader {
public:
    explicit Reader(std::string_view text) : s_(text) {}

    Parsed<std::vector<Entry>> object() {
        std::vector<Entry> entries;
        skip_blanks();
        if (!take('{')) return fail("a JSON driver file is one object, starting with {");
        skip_blanks();
        if (!take('}')) {
            for (;;) {
                skip_blanks();
                Entry e;
                e.line = line_;
                if (!string(e.key)) return fail(error_.empty() ? "a name in double quotes was expected" : error_);
                skip_blanks();
                if (!take(':')) return fail("a : was expected after the name");
                skip_blanks();
                if (!value(e)) return fail(error_);
                if (entries.size() == max_entries) return fail("the object has more than 1000 entries");
                entries.push_back(std::move(e));
                skip_blanks();
                if (take('}')) break;
                if (!take(',')) return fail("a , or } was expected");
            }
        }
        skip_blanks();
        if (i_ < s_.size()) return fail("there is more after the object's closing }");
        return {std::move(entries), {}};
    }

private:
    Parsed<std::vector<Entry>> fail(const std::string& why) { return {std::nullopt, {line_, why}}; }

    void skip_blanks() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r' || s_[i_] == '\n')) {
            // A line ends in LF, CR LF or CR alone, as Lines reads them.
            if (s_[i_] == '\n' || (s_[i_] == '\r' && (i_ + 1 == s_.size() || s_[i_ + 1] != '\n'))) ++line_;
            ++i_;
        }
    }
    bool take(char c) {
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool take_word(std::string_view w) {
        if (s_.substr(i_, w.size()) != w) return false;
        i_ += w.size();
        return true;
    }

    static void put_utf8(std::string& out, std::uint32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    bool hex4(std::uint32_t& cp) {
        if (i_ + 4 > s_.size()) return false;
        cp = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = s_[i_++];
            cp <<= 4;
            if (c >= '0' && c <= '9') cp |= static_cast<std::uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f') cp |= static_cast<std::uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') cp |= static_cast<std::uint32_t>(c - 'A' + 10);
            else return false;
        }
        return true;
    }

    // A JSON string into `out`; false with error_ set (or empty: no string here).
    bool string(std::string& out) {
        if (!take('"')) return false;
        while (i_ < s_.size()) {
            const char c = s_[i_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) {
                error_ = "a text must end on its line, with a \"";
                return false;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i_ >= s_.size()) break;
            const char e = s_[i_++];
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                std::uint32_t cp = 0;
                if (!hex4(cp)) {
                    error_ = "\\u must be followed by four hexadecimal digits";
                    return false;
                }
                if (cp >= 0xD800 && cp < 0xDC00) {
                    std::uint32_t low = 0;
                    if (!take_word("\\u") || !hex4(low) || low < 0xDC00 || low >= 0xE000) {
                        error_ = "a \\u surrogate must come in a pair";
                        return false;
                    }
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                } else if (cp >= 0xDC00 && cp < 0xE000) {
                    error_ = "a \\u surrogate must come in a pair";
                    return false;
                }
                put_utf8(out, cp);
                break;
            }
            default: error_ = "unknown escape \\" + std::string(1, e); return false;
            }
        }
        error_ = "a text has no closing \"";
        return false;
    }

    bool value(Entry& e) {
        if (i_ >= s_.size()) {
            error_ = "a value was expected";
            return false;
        }
        const char c = s_[i_];
        if (c == '"') {
            e.kind = Entry::Kind::text;
            if (string(e.text)) return true;
            if (error_.empty()) error_ = "a text was expected";
            return false;
        }
        if (c == '{' || c == '[') {
            e.kind = Entry::Kind::nested;
            error_ = e.key.size() > 40 ? "values must be numbers or texts"
                                       : texts::quoted(e.key) + " must be a number or a text, not an object or a list";
            return false;
        }
        if (take_word("true") || take_word("false")) {
            e.kind = Entry::Kind::boolean;
            return true;
        }
        if (take_word("null")) {
            e.kind = Entry::Kind::null;
            return true;
        }
        const std::size_t start = i_;
        while (i_ < s_.size() && std::string_view("+-.0123456789eE").find(s_[i_]) != std::string_view::npos) ++i_;
        if (i_ == start) {
            error_ = "a value (a number, a text in double quotes, true, false or null) was expected";
            return false;
        }
        e.kind = Entry::Kind::number;
        e.text = std::string(s_.substr(start, i_ - start));
        return true;
    }

    std::string_view s_;
    std::size_t i_ = 0;
    int line_ = 1;
    std::string error_;
};

}  // namespace

Parsed<std::vector<Entry>> parse(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return Reader(text).object();
}

}  // namespace vandrel::speaker::flat_json
