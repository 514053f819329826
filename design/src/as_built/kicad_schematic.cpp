// SPDX-License-Identifier: GPL-3.0-or-later
// The KiCad 6 schematic: the laid-out sheet in KiCad's s-expression form,
// with the library symbols it uses embedded.
#include <set>

#include "kicad_sheet.h"
#include "sexpr.h"
#include "vandrel/as_built/exports.h"

namespace vandrel::as_built {
namespace {

using namespace kicad_sheet;
using sexpr::mm;
using sexpr::quoted;

std::string at(Point p, int angle) { return "(at " + mm(p.x) + " " + mm(p.y) + " " + std::to_string(angle) + ")"; }

std::string font_effects(const char* justify = nullptr, bool hide = false) {
    std::string out = "(effects (font (size 1.27 1.27))";
    if (justify) out += std::string(" (justify ") + justify + ")";
    return out + (hide ? " hide)" : ")");
}

const char* justify_word(FieldPlace::Justify j) {
    return j == FieldPlace::Justify::left ? "left" : j == FieldPlace::Justify::right ? "right" : nullptr;
}

class Writer {
public:
    Writer(std::uint64_t seed) : seed_(seed) {}

    std::string next_uuid(const char* kind) {
        std::string name(kind);
        name += std::to_string(++count_);
        return sexpr::uuid(seed_, name);
    }

    std::string property(const char* name, const std::string& value, int id, const FieldPlace& place, int angle,
                         bool hide) {
        // A field's angle turns with its symbol's: 90 on a symbol turned by
        // 90 reads horizontally.
        const int field_angle = angle == 90 || angle == 270 ? 90 : 0;
        return "    (property " + quoted(name) + " " + quoted(value) + " (id " + std::to_string(id) + ") " +
               at(place.at, field_angle) + "\n      " + font_effects(justify_word(place.justify), hide) + "\n    )\n";
    }

    std::uint64_t seed_;
    int count_ = 0;
};

}  // namespace

namespace kicad_sheet {

std::uint64_t circuit_seed(const std::vector<BoardPart>& parts) {
    std::string text;
    for (const BoardPart& p : parts) {
        text += p.reference + "|" + p.value + "|" + p.footprint;
        for (const BoardPart::Pin& pin : p.pins) text += "|" + pin.number + "=" + pin.net;
        text += "\n";
    }
    return sexpr::seed_of(text);
}

std::string symbol_uuid(std::uint64_t seed, const BoardPart& part, int unit) {
    return sexpr::uuid(seed, "symbol " + part.reference + " " + std::to_string(unit));
}

}  // namespace kicad_sheet

std::string kicad_schematic(const Module1& design, Mode mode, const AsBuilt& built, Footprints footprints) {
    const std::vector<BoardPart> parts = board_parts(built, footprints);
    const Sheet sheet = lay_out(built, parts);
    const std::uint64_t seed = circuit_seed(parts);
    Writer w(seed);

    std::string out = "(kicad_sch (version 20211123) (generator eeschema)\n\n";
    out += "  (uuid " + sexpr::uuid(seed, "sheet") + ")\n\n  (paper \"A4\")\n\n";
    out += "  (title_block\n    (title " + quoted(title) + ")\n    (company " +
           quoted("Vandrel " + std::string(program_version)) + ")\n    (comment 1 " +
           quoted("Design: " + design_text(design, mode)) + ")\n    (comment 2 " +
           quoted("Parts: " + parts_bought_text(built)) + ")\n    (comment 3 " +
           quoted("Choices: " + choices_text(built)) + ")\n  )\n\n";

    out += "  (lib_symbols\n";
    std::set<std::string_view> embedded;
    for (const Placed& s : sheet.symbols)
        if (embedded.insert(s.symbol->lib_id).second) out += "    " + std::string(s.symbol->text) + "\n";
    out += "  )\n\n";

    for (const Point& j : sheet.junctions)
        out += "  (junction (at " + mm(j.x) + " " + mm(j.y) + ") (diameter 0) (color 0 0 0 0)\n    (uuid " +
               w.next_uuid("junction") + ")\n  )\n";
    for (const Wire& wire : sheet.wires)
        out += "  (wire (pts (xy " + mm(wire.a.x) + " " + mm(wire.a.y) + ") (xy " + mm(wire.b.x) + " " +
               mm(wire.b.y) + "))\n    (stroke (width 0) (type default) (color 0 0 0 0))\n    (uuid " +
               w.next_uuid("wire") + ")\n  )\n";
    for (const Note& n : sheet.notes)
        out += "  (text " + quoted(n.text) + " " + at(n.at, 0) + "\n    " + font_effects("left bottom") +
               "\n    (uuid " + w.next_uuid("text") + ")\n  )\n";
    for (const Label& l : sheet.labels) {
        const char* justify = l.angle == 180 ? "right" : "left";
        if (!l.global) {
            out += "  (label " + quoted(l.text) + " " + at(l.at, l.angle) + "\n    " +
                   font_effects(l.angle == 180 ? "right bottom" : "left bottom") + "\n    (uuid " +
                   w.next_uuid("label") + ")\n  )\n";
            continue;
        }
        out += "  (global_label " + quoted(l.text) + " (shape " + (l.output ? "output" : "input") + ") " +
               at(l.at, l.angle) + "\n    " + font_effects(justify) + "\n    (uuid " + w.next_uuid("label") +
               ")\n    (property \"Intersheet References\" \"${INTERSHEET_REFS}\" (id 0) " + at(l.at, l.angle) +
               "\n      " + font_effects(justify, true) + "\n    )\n  )\n";
    }

    // The symbols, then their references and values for the sheet.
    std::string instances;
    int power_count = 0;
    for (const Placed& s : sheet.symbols) {
        const bool power = s.part == nullptr;
        std::string reference, value, footprint, datasheet, id;
        if (power) {
            reference = "#PWR0";
            reference += std::to_string(++power_count);
            value = std::string(s.symbol->lib_id.substr(s.symbol->lib_id.find(':') + 1));
            id = sexpr::uuid(seed, "power " + reference);
        } else {
            reference = s.part->reference;
            value = s.part->value;
            footprint = s.part->footprint;
            datasheet = s.symbol == &kicad_library::dual_opamp ? "http://www.ti.com/lit/ds/symlink/tl071.pdf" : "~";
            id = symbol_uuid(seed, *s.part, s.unit);
        }
        out += "  (symbol (lib_id " + quoted(s.symbol->lib_id) + ") " + at(s.at, s.angle) + " (unit " +
               std::to_string(s.unit) + ")\n    (in_bom yes) (on_board yes)\n    (uuid " + id + ")\n";
        out += w.property("Reference", reference, 0, s.reference, s.angle, power);
        out += w.property("Value", value, 1, s.value, s.angle, false);
        out += w.property("Footprint", footprint, 2, s.value, s.angle, true);
        out += w.property("Datasheet", datasheet, 3, s.value, s.angle, true);
        for (const kicad_library::Pin& p : s.symbol->pins)
            if (p.unit == 0 || p.unit == s.unit)
                out += "    (pin " + quoted(p.number) + " (uuid " +
                       sexpr::uuid(seed, id + " pin " + std::string(p.number)) + "))\n";
        out += "  )\n";
        instances += "    (path \"/" + id + "\"\n      (reference " + quoted(reference) + ") (unit " +
                     std::to_string(s.unit) + ") (value " + quoted(value) + ") (footprint " + quoted(footprint) +
                     ")\n    )\n";
    }
    out += "\n  (sheet_instances\n    (path \"/\" (page \"1\"))\n  )\n\n";
    out += "  (symbol_instances\n" + instances + "  )\n)\n";
    return out;
}

}  // namespace vandrel::as_built
