// SPDX-License-Identifier: GPL-3.0-or-later
// The KiCad netlist that Pcbnew imports, and the three board files at once.
#include <map>

#include "kicad_sheet.h"
#include "sexpr.h"
#include "vandrel/as_built/exports.h"

namespace vandrel::as_built {
namespace {

using sexpr::quoted;

// What KiCad's netlist says of a pin: its type, and its name where it has one.
struct PinKind {
    const char* type;
    const char* function;
};

PinKind pin_kind(const BoardPart& part, const std::string& number) {
    if (part.kind != BoardPart::Kind::dual_opamp) return {"passive", nullptr};
    static const std::map<std::string, PinKind> opamp{{"1", {"output", nullptr}}, {"2", {"input", "-"}},
                                                      {"3", {"input", "+"}},      {"4", {"power_in", "V-"}},
                                                      {"5", {"input", "+"}},      {"6", {"input", "-"}},
                                                      {"7", {"output", nullptr}}, {"8", {"power_in", "V+"}}};
    return opamp.at(number);
}

// The library and symbol a part comes from.
std::pair<const char*, const char*> library_of(const BoardPart& part) {
    switch (part.kind) {
    case BoardPart::Kind::resistor: return {"Device", "R"};
    case BoardPart::Kind::capacitor: return {"Device", "C"};
    case BoardPart::Kind::dual_opamp: break;
    }
    return {"Amplifier_Operational", "TL072"};
}

const char* description_of(const BoardPart& part) {
    switch (part.kind) {
    case BoardPart::Kind::resistor: return "Resistor";
    case BoardPart::Kind::capacitor: return "Unpolarized capacitor";
    case BoardPart::Kind::dual_opamp: break;
    }
    return "Dual Low-Noise JFET-Input Operational Amplifiers, DIP-8/SOIC-8";
}

// A net's name as KiCad gives it: a local label's with the sheet's path.
std::string net_name(const std::string& net) {
    const bool global = net == "IN" || net == "OUT" || net == "GND" || net == "+15V" || net == "-15V";
    return global ? net : "/" + net;
}

}  // namespace

std::string kicad_netlist(const Module1& design, Mode mode, const AsBuilt& built, Footprints footprints,
                          std::string_view schematic_name) {
    const std::vector<BoardPart> parts = board_parts(built, footprints);
    const std::uint64_t seed = kicad_sheet::circuit_seed(parts);
    const std::string source = quoted(schematic_name);

    std::string out = "(export (version \"E\")\n  (design\n    (source " + source + ")\n    (date \"\")\n    (tool " +
                      quoted("Vandrel " + std::string(program_version)) + ")\n";
    out += "    (sheet (number \"1\") (name \"/\") (tstamps \"/\")\n      (title_block\n        (title " +
           quoted(kicad_sheet::title) + ")\n        (company \"\")\n        (rev \"\")\n        (date \"\")\n" +
           "        (source " + source + ")\n        (comment (number \"1\") (value " +
           quoted("Design: " + design_text(design, mode)) + "))\n        (comment (number \"2\") (value " +
           quoted("Parts: " + parts_bought_text(built)) + "))\n        (comment (number \"3\") (value " +
           quoted("Choices: " + choices_text(built)) + ")))))\n";

    out += "  (components";
    for (const BoardPart& p : parts) {
        const auto [lib, symbol] = library_of(p);
        out += "\n    (comp (ref " + quoted(p.reference) + ")\n      (value " + quoted(p.value) + ")\n      (footprint " +
               quoted(p.footprint) + ")\n      (datasheet \"~\")\n      (libsource (lib " + quoted(lib) + ") (part " +
               quoted(symbol) + ") (description " + quoted(description_of(p)) + "))\n" +
               "      (property (name \"Sheetname\") (value \"\"))\n      (property (name \"Sheetfile\") (value " +
               source + "))\n      (sheetpath (names \"/\") (tstamps \"/\"))\n      (tstamps " +
               quoted(kicad_sheet::symbol_uuid(seed, p, 1)) + "))";
    }
    out += ")\n";

    // Each net with its pins, by name.
    std::map<std::string, std::vector<std::pair<const BoardPart*, std::string>>> nets;
    for (const BoardPart& p : parts)
        for (const BoardPart::Pin& pin : p.pins) nets[net_name(pin.net)].emplace_back(&p, pin.number);
    out += "  (nets";
    int code = 0;
    for (const auto& [name, pins] : nets) {
        out += "\n    (net (code " + quoted(std::to_string(++code)) + ") (name " + quoted(name) + ")";
        for (const auto& [part, number] : pins) {
            const PinKind kind = pin_kind(*part, number);
            out += "\n      (node (ref " + quoted(part->reference) + ") (pin " + quoted(number) + ")";
            if (kind.function) out += " (pinfunction " + quoted(kind.function) + ")";
            out += " (pintype " + quoted(kind.type) + "))";
        }
        out += ")";
    }
    return out + "))\n";
}

KicadFiles kicad_files(const Module1& design, Mode mode, const AsBuilt& built, Footprints footprints,
                       std::string_view schematic_name) {
    return {kicad_schematic(design, mode, built, footprints),
            kicad_netlist(design, mode, built, footprints, schematic_name), bom_csv(built, footprints)};
}

}  // namespace vandrel::as_built
