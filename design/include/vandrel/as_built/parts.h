// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parts to buy for a solved design: R1, R3 and R4 from a series of
// preferred numbers, alone or two together, and a check of the capacitor.
//
// Resistances in kOhm, capacitances in uF.

#include <optional>
#include <string_view>
#include <vector>

#include "vandrel/as_built/circuit.h"
#include "vandrel/as_built/preferred.h"
#include "vandrel/module1.h"

namespace vandrel::as_built {

/// How a resistor is made up.
enum class Combine { single, series, parallel };

/// "single", "series" or "parallel".
std::string_view combine_name(Combine combine);
std::optional<Combine> combine_from_name(std::string_view name);

/// Where the values of the parts come from.
struct PartSource {
    enum class Kind {
        exact,   ///< the unrounded values that the design's reactance and Q give
        shown,   ///< the values the main window shows, cut down to 0.1 or 0.01 kOhm
        series,  ///< parts from a series of preferred numbers
    };
    Kind kind = Kind::series;
    ESeries series = ESeries::E24;  ///< for Kind::series

    friend bool operator==(const PartSource&, const PartSource&) = default;
};

/// "exact", "shown" or the series' name ("E24").
std::string_view source_name(PartSource source);
/// The source a name stands for ("exact", "shown", "E24"...; any case).
std::optional<PartSource> source_from_name(std::string_view name);

/// One resistor of the design and the part or parts that make it.
struct Resistor {
    double exact = 0;            ///< the value the design asks for, unrounded, kOhm
    double shown = 0;            ///< the value the main window shows, kOhm
    std::vector<double> chosen;  ///< the one or two parts, kOhm, larger first
    Combine combine = Combine::single;  ///< how two parts are joined
    double value = 0;            ///< the parts together, kOhm
};

/// The value of one or two parts joined as `combine` says (one part: itself).
double combined_value(const std::vector<double>& parts, Combine combine);

/// The capacitors as typed, against the E6 and E12 series.
struct CapacitorCheck {
    double value = 0;        ///< uF
    bool in_e6 = false;
    bool in_e12 = false;
    double nearest_e6 = 0;   ///< uF
    double nearest_e12 = 0;  ///< uF
};

CapacitorCheck check_capacitor(double uf);

/// The parts of one design.
struct PartsList {
    std::optional<Resistor> r1;  ///< none when the buffer is a follower (0 dB)
    Resistor r3;
    Resistor r4;
    CapacitorCheck c;
};

/// Chooses the parts for a design that Solve completed. Throws
/// UnbuildableParts (ranges.h) when the capacitor or a resistor the design
/// asks for lies outside the values that parts come in.
///
/// From a series, R1 is the part or pair whose buffer gain 1 + 15/R1 comes
/// closest to the design's gain. R3 and R4 are chosen together: the pair
/// whose section comes closest to the exact design in f0, Q and f3 (the
/// least sum of their squared logarithmic errors); it is never worse in f3
/// than the nearest value for each. With `series` or `parallel` a single
/// part is kept where two would do no better; the smaller of two series
/// parts (the larger of two parallel ones) is within a factor 1000 of the
/// other.
PartsList choose_parts(const Module1& design, PartSource source, Combine combine);

/// The signal path built from `parts`: their resistors, the capacitors as
/// typed, the fixed parts of the circuit, and a load of `load_kohm`.
PathParts path_of(const PartsList& parts, double load_kohm);

}  // namespace vandrel::as_built
