// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One JSON object whose values are numbers, texts, true, false or null,
// read with the line of each entry: the JSON form of a driver file.

#include <string>
#include <string_view>
#include <vector>

#include "vandrel/speaker/text_file.h"

namespace vandrel::speaker::flat_json {

struct Entry {
    enum class Kind { number, text, boolean, null, nested };
    std::string key;
    Kind kind = Kind::null;
    std::string text;   ///< a text's content (UTF-8), or a number as written
    int line = 0;       ///< line of the key, from 1
};

/// The entries of the object in order. Refused, with its line: anything
/// that is not one JSON object, and text after it.
Parsed<std::vector<Entry>> parse(std::string_view text);

}  // namespace vandrel::speaker::flat_json
