// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filter as built for a board program: the parts with references,
// values, footprints and nets; a KiCad 6 schematic, a KiCad netlist for
// Pcbnew and a parts list for board-assembly services.
//
// Nets are named after the SPICE netlist's nodes (spice_netlist): IN and
// OUT for in and out, GND for 0, the others as there (buf_in, buf_fb,
// buf_out, hp_mid, hp_in, hp_out, n_R1, n_R3, n_R4), and +15V and -15V for
// the op-amp's supply.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vandrel/as_built/report.h"
#include "vandrel/module1.h"
#include "vandrel/window_model.h"

namespace vandrel::as_built {

/// Which footprints the parts get: through-hole (0207 resistors, film
/// capacitors at 5 mm pitch, DIP-8) or surface-mount (0805, SOIC-8).
enum class Footprints { through_hole, smd };

/// "tht" or "smd".
std::string_view footprints_name(Footprints footprints);
/// The footprints a name stands for ("tht", "smd"; any case).
std::optional<Footprints> footprints_from_name(std::string_view name);

/// One part on the board.
struct BoardPart {
    enum class Kind { resistor, capacitor, dual_opamp };
    struct Pin {
        std::string number;  ///< "1"
        std::string net;     ///< "buf_in", "GND"
    };
    Kind kind = Kind::resistor;
    std::string reference;   ///< "R3"
    std::string value;       ///< as the build sheet writes it: "31.6 kΩ", "1 µF", "TL072"
    std::string footprint;   ///< "Resistor_THT:R_Axial_DIN0207_L6.3mm_D2.5mm_P10.16mm_Horizontal"
    double nominal = 0;      ///< kOhm or uF; 0 for the op-amp
    std::optional<double> tolerance_pct;  ///< none for the op-amp
    std::string role;        ///< what it is in the circuit: "R3", "input resistor"
    std::vector<Pin> pins;
};

/// Every part of the path: R1 (with the gain stage), R2 the 15 kΩ feedback
/// resistor, R3, R4, R5 the 47 kΩ input resistor, R6 the 200 Ω output
/// resistor, and the second part of a pair R7, R8 or R9 (of R1, R3 or R4);
/// C1 and C2 the section's capacitors C, C3 the input capacitor, C4 the
/// feedback capacitor (with the gain stage); U1 the dual op-amp (unit A the
/// buffer, unit B the section). In the order of the references.
std::vector<BoardPart> board_parts(const AsBuilt& built, Footprints footprints);

/// The three files for a board program, for `schematic_name` (the file name
/// of the schematic, which the netlist names as its source).
struct KicadFiles {
    std::string schematic;  ///< .kicad_sch
    std::string netlist;    ///< .net
    std::string bom;        ///< .csv
};

/// The circuit as built as a KiCad 6 schematic (file version 20211123):
/// every part on one A4 sheet in the order of the circuit diagram, the
/// library symbols embedded, nets labelled, ±15 V and ground as power
/// symbols, IN and OUT as global labels.
std::string kicad_schematic(const Module1& design, Mode mode, const AsBuilt& built, Footprints footprints);

/// The KiCad netlist (format "E") that Pcbnew imports: the parts with their
/// references, values and footprints, and every net with its pins.
std::string kicad_netlist(const Module1& design, Mode mode, const AsBuilt& built, Footprints footprints,
                          std::string_view schematic_name);

/// The parts list for board assembly: Designator,Comment,Footprint,
/// Quantity,Tolerance,Manufacturer,MPN; one row for each distinct part
/// (kind, value, footprint), resistors then capacitors by rising value,
/// then the op-amp; Manufacturer and MPN left empty.
std::string bom_csv(const AsBuilt& built, Footprints footprints);

/// All three.
KicadFiles kicad_files(const Module1& design, Mode mode, const AsBuilt& built, Footprints footprints,
                       std::string_view schematic_name);

}  // namespace vandrel::as_built
