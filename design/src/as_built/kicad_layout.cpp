// SPDX-License-Identifier: GPL-3.0-or-later
// Where each part of the schematic goes: the input, the buffer, the
// high-pass and the output from left to right as in the circuit diagram,
// the supply to the right, notes below. Steps of 1.27 mm.
#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "kicad_sheet.h"
#include "vandrel/texts/figures.h"

namespace vandrel::as_built::kicad_sheet {
namespace {

namespace lib = kicad_library;
using Justify = FieldPlace::Justify;

// A library coordinate (mm) in steps of 1.27 mm.
int steps(double mm) { return static_cast<int>(std::lround(mm / 1.27)); }

class Layout {
public:
    Layout(const std::vector<BoardPart>& parts) : parts_(parts) {}

    const BoardPart* find(const std::string& reference) const {
        const auto it = std::find_if(parts_.begin(), parts_.end(),
                                     [&](const BoardPart& p) { return p.reference == reference; });
        return it == parts_.end() ? nullptr : &*it;
    }

    const BoardPart& part(const std::string& reference) const {
        const BoardPart* p = find(reference);
        if (!p) throw std::logic_error("no part " + reference);
        return *p;
    }

    // A resistor or capacitor, upright (angle 0, texts beside it on `side`:
    // +1 right, -1 left) or lying (angle 90: pin 1 on the left; 270: on the
    // right; texts above and below).
    Placed& two_pin(const std::string& reference, Point at, int angle, int side = 1) {
        const BoardPart& p = part(reference);
        const bool cap = p.kind == BoardPart::Kind::capacitor;
        Placed s{cap ? &lib::capacitor : &lib::resistor, &p, 1, at, angle, {}, {}};
        if (angle == 0) {
            const int dx = side * (cap ? 3 : 2);
            const Justify j = side > 0 ? Justify::left : Justify::right;
            s.reference = {{at.x + dx, at.y - 1}, j};
            s.value = {{at.x + dx, at.y + 1}, j};
        } else {
            const int dy = cap ? 3 : 2;
            s.reference = {{at.x, at.y - dy}, Justify::centre};
            s.value = {{at.x, at.y + dy}, Justify::centre};
        }
        sheet.symbols.push_back(s);
        return sheet.symbols.back();
    }

    Placed& opamp(int unit, Point centre) {
        Placed s{&lib::dual_opamp, &part("U1"), unit, centre, 0, {}, {}};
        if (unit == 3) {
            s.reference = {{centre.x + 1, centre.y - 1}, Justify::left};
            s.value = {{centre.x + 1, centre.y + 1}, Justify::left};
        } else {
            s.reference = {{centre.x + 2, centre.y - 6}, Justify::centre};
            s.value = {{centre.x + 2, centre.y + 6}, Justify::centre};
        }
        sheet.symbols.push_back(s);
        return sheet.symbols.back();
    }

    void power(const lib::Symbol& symbol, Point at, int angle = 0) {
        const int dy = (&symbol == &lib::ground || angle == 180) ? 3 : -3;
        sheet.symbols.push_back({&symbol, nullptr, 1, at, angle, {{at.x, at.y + dy}, Justify::centre},
                                 {{at.x, at.y + dy}, Justify::centre}});
    }

    void wire(std::initializer_list<Point> points) {
        const Point* previous = nullptr;
        for (const Point& p : points) {
            if (previous) sheet.wires.push_back({*previous, p});
            previous = &p;
        }
    }

    void label(const std::string& text, Point at, int angle = 0) { sheet.labels.push_back({text, at, angle, false, false}); }

    // A resistor of the design, one part or two, hanging from `top`; the
    // second of a parallel pair 10 steps to the right. Returns its lower end.
    Point hanging(const std::string& reference, const std::string& second, const Resistor& r, Point top, int side) {
        const int x = top.x, y = top.y;
        if (r.chosen.size() == 1) {
            two_pin(reference, {x, y + 5}, 0, side);
            wire({top, {x, y + 2}});
            wire({{x, y + 8}, {x, y + 10}});
            return {x, y + 10};
        }
        if (r.combine == Combine::parallel) {
            two_pin(reference, {x, y + 5}, 0, side);
            two_pin(second, {x + 10, y + 5}, 0, 1);
            wire({top, {x, y + 1}, {x, y + 2}});
            wire({{x, y + 1}, {x + 10, y + 1}, {x + 10, y + 2}});
            wire({{x, y + 8}, {x, y + 10}});
            wire({{x + 10, y + 8}, {x + 10, y + 10}, {x, y + 10}});
            return {x, y + 10};
        }
        two_pin(reference, {x, y + 5}, 0, side);
        two_pin(second, {x, y + 15}, 0, side);
        wire({top, {x, y + 2}});
        wire({{x, y + 8}, {x, y + 12}});
        label("n_" + reference, {x, y + 10}, side > 0 ? 0 : 180);
        wire({{x, y + 18}, {x, y + 20}});
        return {x, y + 20};
    }

    // A resistor of the design lying from `left` to the right; the second
    // of a parallel pair 8 steps above. Returns its right end.
    Point lying(const std::string& reference, const std::string& second, const Resistor& r, Point left) {
        const int x = left.x, y = left.y;
        if (r.chosen.size() == 1) {
            two_pin(reference, {x + 5, y}, 90);
            wire({left, {x + 2, y}});
            wire({{x + 8, y}, {x + 10, y}});
            return {x + 10, y};
        }
        if (r.combine == Combine::parallel) {
            two_pin(reference, {x + 5, y}, 90);
            two_pin(second, {x + 5, y - 8}, 90);
            wire({left, {x + 1, y}, {x + 2, y}});
            wire({{x + 1, y}, {x + 1, y - 8}, {x + 2, y - 8}});
            wire({{x + 8, y}, {x + 10, y}});
            wire({{x + 8, y - 8}, {x + 10, y - 8}, {x + 10, y}});
            return {x + 10, y};
        }
        two_pin(reference, {x + 5, y}, 90);
        two_pin(second, {x + 15, y}, 90);
        wire({left, {x + 2, y}});
        wire({{x + 8, y}, {x + 12, y}});
        label("n_" + reference, {x + 9, y});
        wire({{x + 18, y}, {x + 20, y}});
        return {x + 20, y};
    }

    // Junctions where three or more wire ends and pins meet.
    void add_junctions() {
        std::map<Point, int> ends;
        for (const Wire& w : sheet.wires) {
            ++ends[w.a];
            ++ends[w.b];
        }
        for (const Placed& s : sheet.symbols)
            for (const lib::Pin& p : s.symbol->pins)
                if (p.unit == 0 || p.unit == s.unit) ++ends[pin_point(s, p.number)];
        for (const auto& [point, n] : ends)
            if (n >= 3) sheet.junctions.push_back(point);
    }

    Sheet sheet;

private:
    const std::vector<BoardPart>& parts_;
};

std::string pair_note(const std::string& name, const std::string& second, const Resistor& r) {
    return name + " of the design is " + name + " + " + second +
           (r.combine == Combine::parallel ? " in parallel (" : " in series (") + texts::resistance_text(r.value) + ")";
}

}  // namespace

Point pin_point(const Placed& placed, std::string_view number) {
    for (const lib::Pin& p : placed.symbol->pins) {
        if (p.number != number || (p.unit != 0 && p.unit != placed.unit)) continue;
        // The library's Y points up, the sheet's down; then the symbol's
        // rotation, counterclockwise as seen on the sheet.
        const int dx = steps(p.x), dy = -steps(p.y);
        switch (placed.angle) {
        case 90: return {placed.at.x + dy, placed.at.y - dx};
        case 180: return {placed.at.x - dx, placed.at.y - dy};
        case 270: return {placed.at.x - dy, placed.at.y + dx};
        default: return {placed.at.x + dx, placed.at.y + dy};
        }
    }
    throw std::logic_error("no pin " + std::string(number) + " on " + std::string(placed.symbol->lib_id));
}

Sheet lay_out(const AsBuilt& built, const std::vector<BoardPart>& parts) {
    Layout l(parts);
    const PartsList& chosen = built.parts;
    const bool gain = chosen.r1.has_value();
    constexpr int ys = 60;        // the signal's line into the buffer
    constexpr int y1 = ys + 2;    // the signal's line into the high-pass

    // Input: IN, the coupling capacitor, the resistor to ground.
    l.sheet.labels.push_back({"IN", {24, ys}, 180, true, false});
    l.two_pin("C3", {32, ys}, 90);
    l.wire({{24, ys}, {29, ys}});
    l.wire({{35, ys}, {42, ys}, {54, ys}});
    l.label("buf_in", {45, ys});
    l.two_pin("R5", {42, ys + 5}, 0, -1);
    l.wire({{42, ys}, {42, ys + 2}});
    l.wire({{42, ys + 8}, {42, ys + 10}});
    l.power(lib::ground, {42, ys + 10});

    // The buffer: U1A, with R1 against the feedback pair, or a follower.
    l.opamp(1, {60, ys + 2});
    l.wire({{66, ys + 2}, {68, ys + 2}});
    if (gain) {
        l.wire({{54, ys + 4}, {50, ys + 4}, {50, ys + 12}});
        l.label("buf_fb", {50, ys + 8}, 180);
        l.two_pin("R2", {58, ys + 12}, 270);
        l.two_pin("C4", {58, ys + 20}, 270);
        l.wire({{50, ys + 12}, {55, ys + 12}});
        l.wire({{50, ys + 12}, {50, ys + 20}, {55, ys + 20}});
        l.wire({{68, ys + 2}, {68, ys + 12}, {68, ys + 20}, {61, ys + 20}});
        l.wire({{61, ys + 12}, {68, ys + 12}});
        l.wire({{50, ys + 20}, {50, ys + 24}});
        const Point bottom = l.hanging("R1", "R7", *chosen.r1, {50, ys + 24}, 1);
        l.power(lib::ground, bottom);
    } else {
        l.wire({{54, ys + 4}, {52, ys + 4}, {52, ys + 8}, {68, ys + 8}, {68, ys + 2}});
    }

    // The high-pass: C1 and C2 in line, R3 over them to the output, R4 to
    // ground, U1B a follower.
    l.two_pin("C1", {76, y1}, 90);
    l.wire({{68, y1}, {73, y1}});
    l.label("buf_out", {69, y1});
    l.two_pin("C2", {90, y1}, 90);
    l.wire({{79, y1}, {84, y1}, {87, y1}});
    l.label("hp_mid", {80, y1});
    l.wire({{93, y1}, {98, y1}, {120, y1}});
    l.label("hp_in", {100, y1});
    const Point r4_bottom = l.hanging("R4", "R9", chosen.r4, {98, y1}, 1);
    l.power(lib::ground, r4_bottom);
    l.opamp(2, {126, y1 + 2});
    l.wire({{120, y1 + 4}, {118, y1 + 4}, {118, y1 + 10}, {134, y1 + 10}, {134, y1 + 2}});
    l.wire({{132, y1 + 2}, {134, y1 + 2}, {138, y1 + 2}});
    constexpr int y_r3 = y1 - 12;
    l.wire({{84, y1}, {84, y_r3}});
    const Point r3_end = l.lying("R3", "R8", chosen.r3, {84, y_r3});
    l.wire({r3_end, {138, y_r3}, {138, y1 + 2}});
    l.label("hp_out", {138, y1 - 4});

    // The output resistor and OUT.
    l.two_pin("R6", {144, y1 + 2}, 90);
    l.wire({{138, y1 + 2}, {141, y1 + 2}});
    l.wire({{147, y1 + 2}, {152, y1 + 2}});
    l.sheet.labels.push_back({"OUT", {152, y1 + 2}, 0, true, true});

    // The op-amp's supply.
    l.opamp(3, {172, ys + 4});
    l.power(lib::plus_15v, {170, ys - 4});
    l.wire({{170, ys - 4}, {170, ys - 2}});
    l.power(lib::minus_15v, {170, ys + 12}, 180);
    l.wire({{170, ys + 10}, {170, ys + 12}});

    // What the sheet alone cannot say: which parts make a resistor of the
    // design.
    int note_y = ys + 52;
    for (const auto& [name, second, r] :
         {std::tuple{"R1", "R7", chosen.r1 ? &*chosen.r1 : nullptr}, std::tuple{"R3", "R8", &chosen.r3},
          std::tuple{"R4", "R9", &chosen.r4}})
        if (r && r->chosen.size() == 2) {
            l.sheet.notes.push_back({pair_note(name, second, *r), {24, note_y}});
            note_y += 3;
        }
    l.add_junctions();
    return std::move(l.sheet);
}

}  // namespace vandrel::as_built::kicad_sheet
