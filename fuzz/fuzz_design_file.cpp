// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the design-file reader.
//
// Input: the file's text.
//
// Checks: a refusal says what is wrong in one line; a design read has no
// value longer than max_value_bytes or holding a control byte; what
// design_text writes reads back to the same values, and writing that again
// gives the same text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "vandrel/project/design_file.h"

namespace {

using namespace vandrel::project;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string where = vandrel::fuzz::printable(text);
    const DesignRead read = parse_design(text);
    if (!read.design) {
        FUZZ_CHECK(!read.problem.empty() && read.problem.find('\n') == std::string::npos, where);
        return 0;
    }
    Design design = *read.design;
    for (const Entry& e : entries(design)) {
        if (!*e.value) continue;
        FUZZ_CHECK((*e.value)->size() <= max_value_bytes, where);
        for (unsigned char c : **e.value) FUZZ_CHECK(c >= 0x20 && c != 0x7f, where);
    }
    const std::string written = design_text(design);
    const DesignRead back = parse_design(written);
    FUZZ_CHECK(back.design.has_value(), where + " written: " + back.problem);
    Design again = *back.design;
    const std::vector<Entry> a = entries(design), b = entries(again);
    for (std::size_t i = 0; i < a.size(); ++i) FUZZ_CHECK(*a[i].value == *b[i].value, where + " written");
    FUZZ_CHECK(design_text(again) == written, where + " written twice");
    return 0;
}
