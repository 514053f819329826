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

/// Where the two capacitors C come from: the value typed, or the E6 or E12
/// value nearest to it.
enum class CapSeries { typed, E6, E12 };

/// "typed", "E6" or "E12".
std::string_view cap_series_name(CapSeries from);
/// The choice a name stands for ("typed", "E6", "e12"...; any case).
std::optional<CapSeries> cap_series_from_name(std::string_view name);

/// The capacitors as typed, against the E6 and E12 series, and the part
/// bought.
struct CapacitorCheck {
    double value = 0;        ///< as typed, uF
    bool in_e6 = false;
    bool in_e12 = false;
    double nearest_e6 = 0;   ///< uF
    double nearest_e12 = 0;  ///< uF
    CapSeries from = CapSeries::typed;
    double chosen = 0;       ///< the part bought (both C), uF: `value`, or the nearest E6 or E12 value
};

/// The capacitor typed, `uf`, checked, and the part `from` says to buy.
CapacitorCheck check_capacitor(double uf, CapSeries from = CapSeries::typed);

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
/// The capacitors are bought as `cap` says; R3 and R4 are worked out for
/// the capacitors bought, so that their section is the design's. From a
/// series, R1 is the part or pair whose buffer gain 1 + 15/R1 comes closest
/// to the design's gain. R3 and R4 are chosen together: the pair whose
/// section comes closest to the exact design in f0, Q and f3 (the least sum
/// of their squared logarithmic errors); with single parts it is never
/// worse in f3 than the nearest value for each.
///
/// With `series` or `parallel` a resistor is two parts only where the pair
/// comes closer to the resistor's exact value than the nearest single part
/// does by more than `r_tol_pct` (its deviation, in %, smaller by more than
/// the tolerance). The smaller of two series parts (the larger of two
/// parallel ones) is within a factor 100 of the other, or within 1000 where
/// neither a single part nor a pair within 100 comes within the tolerance.
PartsList choose_parts(const Module1& design, PartSource source, Combine combine, CapSeries cap = CapSeries::typed,
                       double r_tol_pct = 0);

/// The signal path built from `parts`: their resistors, the capacitors
/// bought, the fixed parts of the circuit, and a load of `load_kohm`.
PathParts path_of(const PartsList& parts, double load_kohm);

/// The signal path of the exact design's parts into `load_kohm`: the filter
/// where no parts were chosen. Throws UnbuildableParts as choose_parts does.
PathParts exact_path(const Module1& design, double load_kohm);

}  // namespace vandrel::as_built
