#include "as_built_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <ostream>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define vandrel_getpid _getpid
#else
#include <unistd.h>
#define vandrel_getpid getpid
#endif

namespace vandrel::cli {
namespace {

using nlohmann::ordered_json;
namespace ab = as_built;

ordered_json optional_number(const std::optional<double>& v) { return v ? ordered_json(*v) : ordered_json(nullptr); }

ordered_json resistor_json(const ab::Resistor& r) {
    return {{"exact", r.exact}, {"shown", r.shown}, {"chosen", r.chosen}, {"value", r.value}};
}

ordered_json section_json(const ab::SectionFigures& s) {
    return {{"f0", s.f0}, {"q", s.q}, {"f3", s.f3}, {"peak_hz", optional_number(s.peak_hz)}, {"peak_db", s.peak_db}};
}

ordered_json spread_json(const ab::Spread& s) { return ordered_json::array({s.p5, s.p50, s.p95}); }

std::string number(double v, int digits = 4) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
    return buf;
}

std::string kohm(double v) { return number(v, 15) + "k"; }

std::string parts_text(const ab::Resistor& r) {
    std::string text = kohm(r.chosen[0]);
    if (r.chosen.size() == 2)
        text += (r.combine == ab::Combine::parallel ? " || " : " + ") + kohm(r.chosen[1]) + " = " + kohm(r.value);
    return text;
}

std::string deviation(double value, double exact) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%+.2f %%", (value / exact - 1) * 100);
    return buf;
}

std::string peak_text(const std::optional<double>& hz, double db) {
    return hz ? number(db) + " dB at " + number(*hz) + " Hz" : std::string("none");
}

std::string spread_text(const ab::Spread& s) { return number(s.p5) + " / " + number(s.p50) + " / " + number(s.p95); }

}  // namespace

ordered_json as_built_json(const ab::AsBuilt& b) {
    const ab::PartsList& p = b.parts;
    ordered_json parts;
    parts["r1"] = p.r1 ? resistor_json(*p.r1) : ordered_json(nullptr);
    parts["r3"] = resistor_json(p.r3);
    parts["r4"] = resistor_json(p.r4);
    parts["c"] = {{"value", p.c.value},           {"in_e6", p.c.in_e6},
                  {"in_e12", p.c.in_e12},         {"nearest_e6", p.c.nearest_e6},
                  {"nearest_e12", p.c.nearest_e12}};

    const ab::PathFigures& path = b.path_figures;
    ordered_json delays;
    for (std::size_t i = 0; i < ab::group_delay_hz.size(); ++i)
        delays[number(ab::group_delay_hz[i])] = path.group_delay_ms[i];

    const ab::Tolerance& t = b.options.tolerance;
    ordered_json out;
    out["series"] = ab::source_name(b.options.source);
    out["combine"] = ab::combine_name(b.options.combine);
    out["load_kohm"] = b.options.load_kohm;
    out["parts"] = parts;
    out["section"] = section_json(b.section);
    out["exact_section"] = section_json(b.exact_section);
    out["path"] = {{"gain_db", path.gain_db},
                   {"f3", optional_number(path.f3)},
                   {"peak_db", path.peak_db},
                   {"group_delay_ms", delays}};
    out["tolerance"] = {{"r_pct", t.r_pct},
                        {"c_pct", t.c_pct},
                        {"runs", t.runs},
                        {"section_f3", spread_json(b.tolerance.section_f3)},
                        {"path_f3", b.tolerance.path_f3 ? spread_json(*b.tolerance.path_f3) : ordered_json(nullptr)},
                        {"peak_db", spread_json(b.tolerance.peak_db)}};
    return out;
}

void print_as_built(std::ostream& out, const ab::AsBuilt& b) {
    const ab::PartsList& p = b.parts;
    out << "\nParts (";
    switch (b.options.source.kind) {
    case ab::PartSource::Kind::exact: out << "exact values"; break;
    case ab::PartSource::Kind::shown: out << "the values the window shows"; break;
    case ab::PartSource::Kind::series:
        out << ab::series_name(b.options.source.series) << ", "
            << (b.options.combine == ab::Combine::single   ? "single parts"
                : b.options.combine == ab::Combine::series ? "one part or two in series"
                                                           : "one part or two in parallel");
        break;
    }
    out << "):\n";
    const auto resistor = [&](const char* name, const ab::Resistor& r) {
        out << "  " << name << "  " << parts_text(r) << "  (exact " << number(r.exact, 6) << "k, shown " << number(r.shown, 6) << "k"
            << ", " << deviation(r.value, r.exact) << ")\n";
    };
    if (p.r1)
        resistor("R1", *p.r1);
    else
        out << "  R1  none: the buffer is a follower\n";
    resistor("R3", p.r3);
    resistor("R4", p.r4);
    out << "  C   " << number(p.c.value, 15) << " uF, twice: "
        << (p.c.in_e12 ? (p.c.in_e6 ? "an E6 and E12 value" : "an E12 value") : "in neither E6 nor E12")
        << " (nearest E6 " << number(p.c.nearest_e6, 15) << ", E12 " << number(p.c.nearest_e12, 15) << ")\n";

    const auto section = [&](const char* name, const ab::SectionFigures& s) {
        out << "  " << name << "f0 " << number(s.f0) << " Hz, Q " << number(s.q) << ", f3 " << number(s.f3)
            << " Hz, peak " << peak_text(s.peak_hz, s.peak_db) << "\n";
    };
    out << "\nHigh-pass section:\n";
    section("as built:     ", b.section);
    section("exact design: ", b.exact_section);

    const ab::PathFigures& path = b.path_figures;
    out << "\nWhole path into " << number(b.options.load_kohm) << "k:\n  gain " << number(path.gain_db) << " dB, f3 "
        << (path.f3 ? number(*path.f3) + " Hz" : std::string("none")) << ", peak "
        << (path.peak_db > 0 ? number(path.peak_db) + " dB" : std::string("none")) << "\n  group delay";
    for (std::size_t i = 0; i < ab::group_delay_hz.size(); ++i)
        out << (i ? ", " : " ") << number(path.group_delay_ms[i]) << " ms at " << number(ab::group_delay_hz[i])
            << " Hz";

    const ab::Tolerance& t = b.options.tolerance;
    out << "\n\nTolerance (resistors +-" << number(t.r_pct) << " %, capacitors +-" << number(t.c_pct) << " %, "
        << t.runs << " runs), 5th / 50th / 95th percentile:\n";
    out << "  section f3  " << spread_text(b.tolerance.section_f3) << " Hz\n";
    out << "  path f3     " << (b.tolerance.path_f3 ? spread_text(*b.tolerance.path_f3) + " Hz" : std::string("none"))
        << "\n";
    out << "  peak        " << spread_text(b.tolerance.peak_db) << " dB\n";
}

std::string write_whole(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::path temporary = path;
    temporary += ".tmp" + std::to_string(vandrel_getpid());
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) return "cannot write " + path.string() + ": " + std::strerror(errno);
        file << text;
        file.close();
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return "cannot write " + path.string() + ": the file could not be written whole";
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return "cannot write " + path.string() + ": " + error.message();
    }
    return {};
}

}  // namespace vandrel::cli
