// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The schematic as drawn: placed symbols, wires, labels, junctions and
// notes, in steps of 1.27 mm on the sheet (KiCad's 50 mil grid), Y down.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kicad_symbols.h"
#include "vandrel/as_built/kicad.h"

namespace vandrel::as_built::kicad_sheet {

/// A point of the sheet in steps of 1.27 mm, Y down.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
    friend auto operator<=>(const Point&, const Point&) = default;
};

/// Where a field's text goes and how it is aligned.
struct FieldPlace {
    Point at;
    enum class Justify { left, centre, right } justify = Justify::centre;
};

struct Placed {
    const kicad_library::Symbol* symbol = nullptr;
    const BoardPart* part = nullptr;  ///< none for a power symbol
    int unit = 1;
    Point at;
    int angle = 0;                    ///< counterclockwise on the sheet: 0, 90, 180 or 270
    FieldPlace reference, value;
};

/// Where pin `number` of a placed symbol lies on the sheet.
Point pin_point(const Placed& placed, std::string_view number);

struct Wire {
    Point a, b;
};

struct Label {
    std::string text;
    Point at;
    int angle = 0;        ///< 0: text to the right of the point, 180: to its left
    bool global = false;  ///< IN and OUT
    bool output = false;  ///< a global label's shape: output, else input
};

struct Note {
    std::string text;
    Point at;
};

struct Sheet {
    std::vector<Placed> symbols;
    std::vector<Wire> wires;
    std::vector<Label> labels;
    std::vector<Note> notes;
    std::vector<Point> junctions;  ///< where three or more wire ends and pins meet
};

/// The parts laid out in the order of the circuit diagram. `parts` is
/// board_parts' list and must outlive the sheet.
Sheet lay_out(const AsBuilt& built, const std::vector<BoardPart>& parts);

}  // namespace vandrel::as_built::kicad_sheet

namespace vandrel::as_built::kicad_sheet {

/// The seed of every UUID of a circuit's files: its parts and their nets.
std::uint64_t circuit_seed(const std::vector<BoardPart>& parts);

/// The UUID of a part's symbol (of its unit `unit`), the same in the
/// schematic and the netlist.
std::string symbol_uuid(std::uint64_t seed, const BoardPart& part, int unit);

/// The schematic's title: "Subsonic high-pass filter as built".
inline constexpr const char* title = "Subsonic high-pass filter as built";

}  // namespace vandrel::as_built::kicad_sheet
