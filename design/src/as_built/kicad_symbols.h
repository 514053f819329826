// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The KiCad library symbols that a schematic embeds, as KiCad's standard
// libraries hold them (kicad_symbols.cpp, written by
// scripts/kicad_symbols.py), and where their pins are.

#include <span>
#include <string_view>

namespace vandrel::as_built::kicad_library {

/// One pin of a library symbol, in the library's coordinates (mm, Y up).
struct Pin {
    std::string_view number;
    int unit = 0;  ///< 0: every unit
    double x = 0;
    double y = 0;
};

struct Symbol {
    std::string_view lib_id;  ///< "Device:R"
    std::string_view text;    ///< the (symbol ...) block, named by lib_id
    std::span<const Pin> pins;
};

extern const Symbol resistor;    ///< Device:R
extern const Symbol capacitor;   ///< Device:C
extern const Symbol dual_opamp;  ///< Amplifier_Operational:TL072, units 1 and 2 the op-amps, 3 the supply
extern const Symbol plus_15v;    ///< power:+15V
extern const Symbol minus_15v;   ///< power:-15V
extern const Symbol ground;      ///< power:GND

}  // namespace vandrel::as_built::kicad_library
