// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the readers of files from outside: driver files and measurements.
//
// Input: one byte, then the file's text: an even byte reads it as a driver
// file (in whichever form: lines, JSON or WinISD), an odd one as a
// measurement.
//
// Checks, driver files: a refusal names a line of the text (or none); the
// values read are finite, at least one of them given, the name holds no
// control character (C0, DEL, C1) and is at most 200 bytes, warnings name
// lines; what driver_file_text and driver_wdr_text write reads back to the
// same values and name; a driver that passes its checks gives finite flows,
// excursion and SPL in a box. Measurements: a refusal names a line; the
// points are finite, their frequencies from 0.001 Hz to 1 MHz and rising,
// their levels within 1000 dB; levels interpolated on the table frequencies
// are finite and lie between the measured ones.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "vandrel/speaker/analysis.h"
#include "vandrel/speaker/driver_file.h"
#include "vandrel/speaker/system.h"

namespace {

using namespace vandrel::speaker;

// Lines as the readers count them: ended by LF, CR LF or CR alone.
int line_count(std::string_view text) {
    int n = 1;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++n;
    return n;
}

const std::optional<double> DriverValues::*const members[] = {
    &DriverValues::fs, &DriverValues::qes, &DriverValues::qms, &DriverValues::qts, &DriverValues::vas,
    &DriverValues::re, &DriverValues::sd,  &DriverValues::xmax, &DriverValues::le, &DriverValues::pe};

// Whether `name` holds a C1 control character (U+0080 to U+009F).
bool holds_c1(const std::string& name) {
    for (std::size_t i = 0; i + 1 < name.size(); ++i)
        if (static_cast<unsigned char>(name[i]) == 0xC2 && static_cast<unsigned char>(name[i + 1]) >= 0x80 &&
            static_cast<unsigned char>(name[i + 1]) <= 0x9F)
            return true;
    return false;
}

void driver_file(std::string_view text, const std::string& where) {
    const Parsed<DriverFile> r = parse_driver_file(text);
    if (!r.value) {
        FUZZ_CHECK(!r.problem.text.empty() && r.problem.line >= 0 && r.problem.line <= line_count(text) + 1, where);
        return;
    }
    const DriverValues& v = r.value->values;
    bool any = false;
    for (auto m : members)
        if (v.*m) {
            FUZZ_CHECK(std::isfinite(*(v.*m)), where);
            any = true;
        }
    FUZZ_CHECK(any, where + ": a file without driver values was read");
    FUZZ_CHECK(v.name.size() <= max_driver_name && !holds_c1(v.name), where);
    for (char c : v.name) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f, where);
    for (const FileProblem& w : r.value->warnings) FUZZ_CHECK(w.line >= 1 && w.line <= line_count(text), where);

    for (const DriverFormat format : {DriverFormat::text, DriverFormat::wdr}) {
        const std::string written = driver_file_text(v, format);
        const std::string what = where + (format == DriverFormat::wdr ? " written as .wdr" : " written");
        const Parsed<DriverFile> back = parse_driver_file(written);
        FUZZ_CHECK(back.value.has_value(), what + ": " + back.problem.message());
        for (auto m : members) FUZZ_CHECK(back.value->values.*m == v.*m, what);
        FUZZ_CHECK(back.value->values.name == v.name, what + ": the name");
    }

    const Checked<Driver> d = check_driver(v);
    if (!d.value) return;
    for (const Box& box : {Box{Box::Type::sealed, 50, 0, 7.0, {}}, Box{Box::Type::vented, 50, 30, 7.0, 10.0}}) {
        const System s(*d.value, box);
        for (double hz : {1.0, 31.6, 1000.0}) {
            const Flows f = s.flows(hz);
            FUZZ_CHECK(std::isfinite(s.excursion_mm(hz, f)) && std::isfinite(s.port_velocity(f)), where);
            FUZZ_CHECK(std::isfinite(spl_db(s.pressure(hz, f))) || s.pressure(hz, f) == 0, where);
        }
    }
}

void measurement(std::string_view text, const std::string& where) {
    const Parsed<Measurement> r = parse_measurement(text);
    if (!r.value) {
        FUZZ_CHECK(!r.problem.text.empty() && r.problem.line >= 0 && r.problem.line <= line_count(text) + 1, where);
        return;
    }
    const Measurement& m = *r.value;
    FUZZ_CHECK(!m.hz.empty() && m.hz.size() == m.db.size() && m.hz.size() <= max_measurement_points, where);
    for (std::size_t i = 0; i < m.hz.size(); ++i) {
        FUZZ_CHECK(m.hz[i] >= 1e-3 && m.hz[i] <= 1e6 && std::abs(m.db[i]) <= 1000, where);
        if (i > 0) FUZZ_CHECK(m.hz[i] > m.hz[i - 1], where);
    }
    const auto [lo, hi] = std::minmax_element(m.db.begin(), m.db.end());
    const std::vector<std::optional<double>> at = measured_at(m, grid_hz());
    for (std::size_t i = 0; i < at.size(); ++i) {
        const double f = grid_hz()[i];
        FUZZ_CHECK(at[i].has_value() == (f >= m.hz.front() && f <= m.hz.back()), where);
        if (at[i]) FUZZ_CHECK(std::isfinite(*at[i]) && *at[i] >= *lo - 1e-9 && *at[i] <= *hi + 1e-9, where);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string where = vandrel::fuzz::printable(text);
    if (data[0] % 2 == 0)
        driver_file(text, where);
    else
        measurement(text, where);
    return 0;
}
