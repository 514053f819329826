// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names for parameterised test cases that read well and stay the same from
// build to build: a case's text spelled out in letters, digits and "_".

#include <charconv>
#include <string>
#include <string_view>

namespace vandrel::test {

/// "&h1F" gives "amp_h1F", " \t7" gives "blank_tab_7", "" gives "empty";
/// names are cut after 40 characters.
inline std::string spelled(std::string_view text) {
    std::string out;
    bool word = false;  // the last thing written was a word for a sign
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z')) {
            if (word) out += '_';
            out += c;
            word = false;
            continue;
        }
        const char* name = c == '.' ? "point" : c == '-' ? "minus" : c == '+' ? "plus" : c == ',' ? "comma"
                         : c == '&' ? "amp" : c == ' ' ? "blank" : c == '\t' ? "tab" : c == '\n' ? "lf"
                         : c == '\r' ? "cr" : "char";
        if (!out.empty()) out += '_';
        out += name;
        word = true;
    }
    if (out.empty()) return "empty";
    return out.size() > 40 ? out.substr(0, 40) + "_etc" : out;
}

/// A double's shortest text, spelled: -0.5 gives "minus_0_point_5".
inline std::string spelled(double value) {
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    return spelled(std::string_view(buf, static_cast<std::size_t>(end - buf)));
}

}  // namespace vandrel::test
