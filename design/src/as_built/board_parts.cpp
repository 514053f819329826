// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the path as they go on a board: references, values,
// footprints and the nets of their pins.
#include <algorithm>
#include <cctype>

#include "vandrel/as_built/kicad.h"
#include "vandrel/texts/figures.h"

namespace vandrel::as_built {
namespace {

struct FootprintSet {
    const char* resistor;
    const char* capacitor;
    const char* opamp;
};

constexpr FootprintSet through_hole{"Resistor_THT:R_Axial_DIN0207_L6.3mm_D2.5mm_P10.16mm_Horizontal",
                                    "Capacitor_THT:C_Rect_L7.2mm_W4.5mm_P5.00mm_FKS2_FKP2_MKS2_MKP2",
                                    "Package_DIP:DIP-8_W7.62mm"};
constexpr FootprintSet smd{"Resistor_SMD:R_0805_2012Metric", "Capacitor_SMD:C_0805_2012Metric",
                           "Package_SO:SOIC-8_3.9x4.9mm_P1.27mm"};

// "R3": a reference (built by appending, which GCC 12 does not mistake
// for an overlapping copy).
std::string numbered(const char* prefix, int number) {
    std::string out(prefix);
    out += std::to_string(number);
    return out;
}

class Builder {
public:
    Builder(const AsBuilt& built, Footprints f)
        : footprints_(f == Footprints::smd ? smd : through_hole), tolerance_(built.options.tolerance) {}

    void resistor(int number, double kohm, std::string role, std::string a, std::string b) {
        add(BoardPart::Kind::resistor, numbered("R", number), texts::resistance_text(kohm),
            footprints_.resistor, kohm, tolerance_.r_pct, std::move(role), {{"1", std::move(a)}, {"2", std::move(b)}});
    }

    void capacitor(int number, double uf, std::string role, std::string a, std::string b) {
        add(BoardPart::Kind::capacitor, numbered("C", number), texts::capacitance_text(uf),
            footprints_.capacitor, uf, tolerance_.c_pct, std::move(role), {{"1", std::move(a)}, {"2", std::move(b)}});
    }

    // A resistor of the design, one part or two, between nets a and b; the
    // second part of a pair is R<second>.
    void design_resistor(int number, int second, const Resistor& r, const std::string& a, const std::string& b) {
        const std::string name = numbered("R", number);
        if (r.chosen.size() == 1) return resistor(number, r.chosen[0], name, a, b);
        const bool parallel = r.combine == Combine::parallel;
        const std::string mid = parallel ? b : "n_" + name;
        const std::string how = parallel ? " in parallel" : " in series";
        resistor(number, r.chosen[0], name + ", first of two" + how, a, mid);
        resistor(second, r.chosen[1], name + ", second of two" + how, parallel ? a : mid, b);
    }

    void opamp(bool follower) {
        add(BoardPart::Kind::dual_opamp, "U1", "TL072", footprints_.opamp, 0, std::nullopt,
            "dual op-amp: A the input buffer, B the high-pass",
            {{"1", "buf_out"},
             {"2", follower ? "buf_out" : "buf_fb"},
             {"3", "buf_in"},
             {"4", "-15V"},
             {"5", "hp_in"},
             {"6", "hp_out"},
             {"7", "hp_out"},
             {"8", "+15V"}});
    }

    std::vector<BoardPart> parts() {
        const auto key = [](const BoardPart& p) {
            const int kind = p.kind == BoardPart::Kind::resistor ? 0 : p.kind == BoardPart::Kind::capacitor ? 1 : 2;
            return std::pair{kind, std::stoi(p.reference.substr(1))};
        };
        std::stable_sort(parts_.begin(), parts_.end(),
                         [&](const BoardPart& a, const BoardPart& b) { return key(a) < key(b); });
        return std::move(parts_);
    }

private:
    void add(BoardPart::Kind kind, std::string reference, std::string value, const char* footprint, double nominal,
             std::optional<double> tolerance, std::string role, std::vector<BoardPart::Pin> pins) {
        parts_.push_back({kind, std::move(reference), std::move(value), footprint, nominal, tolerance, std::move(role),
                          std::move(pins)});
    }

    FootprintSet footprints_;
    Tolerance tolerance_;
    std::vector<BoardPart> parts_;
};

}  // namespace

std::string_view footprints_name(Footprints footprints) {
    return footprints == Footprints::smd ? "smd" : "tht";
}

std::optional<Footprints> footprints_from_name(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "tht") return Footprints::through_hole;
    if (lower == "smd") return Footprints::smd;
    return std::nullopt;
}

std::vector<BoardPart> board_parts(const AsBuilt& built, Footprints footprints) {
    const PathParts& p = built.path;
    const PartsList& parts = built.parts;
    Builder b(built, footprints);
    const bool gain = parts.r1.has_value();
    if (gain) {
        b.design_resistor(1, 7, *parts.r1, "buf_fb", "GND");
        b.resistor(2, p.r_feedback, "feedback resistor", "buf_out", "buf_fb");
    }
    b.design_resistor(3, 8, parts.r3, "hp_mid", "hp_out");
    b.design_resistor(4, 9, parts.r4, "hp_in", "GND");
    b.resistor(5, p.r_in, "input resistor", "buf_in", "GND");
    b.resistor(6, p.r_out, "output resistor", "hp_out", "OUT");
    b.capacitor(1, p.c1, "C", "buf_out", "hp_mid");
    b.capacitor(2, p.c2, "C", "hp_mid", "hp_in");
    b.capacitor(3, p.c_in, "input capacitor", "IN", "buf_in");
    if (gain) b.capacitor(4, p.c_feedback, "feedback capacitor", "buf_out", "buf_fb");
    b.opamp(!gain);
    return b.parts();
}

}  // namespace vandrel::as_built
