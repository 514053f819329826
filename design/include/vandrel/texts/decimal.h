// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers read from files and options, and untrusted text quoted back in a
// message.

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace vandrel::texts {

/// A finite decimal number that is the whole of `text` ("25", "-3.5",
/// "+1e3", ".5"); none for anything else: blanks, "inf", "nan", hex, a
/// comma, a number beyond the range of a double.
inline std::optional<double> parse_decimal(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || !(text.front() == '-' || text.front() == '.' || (text.front() >= '0' && text.front() <= '9')))
        return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    // from_chars reads "-inf" and "-nan" after the sign check above.
    if (v - v != 0) return std::nullopt;
    return v;
}

/// At most `n` bytes of `text`, with control characters shown as "?" (the
/// C0 bytes, DEL and the C1 controls U+0080 to U+009F, which some terminals
/// obey too), for quoting untrusted text in a message.
inline std::string quoted(std::string_view text, std::size_t n = 40) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size() && i < n; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            out += '?';
            ++i;
            continue;
        }
        out += c < 0x20 || c == 0x7f ? '?' : static_cast<char>(c);
    }
    return out + (text.size() > n ? "...\"" : "\"");
}

}  // namespace vandrel::texts
