// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A number with an optional unit, as people type it in a field, an option or
// a file ("25", "25 Hz", "75L", "3.5 ohm", "2.4 cu ft"), read in one place.
// Units are read in any case; a unit of another system (inches, cubic feet)
// is converted to the quantity's own unit with exact factors.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vandrel::texts {

/// One way of writing a unit, and what one of it is in its quantity's own
/// unit (1 for the own unit's spellings).
struct UnitName {
    std::string_view text;  ///< as it may be written; letters compared in any case
    double factor;
};

/// A quantity as this program keeps it: its own unit and every unit read.
struct Quantity {
    std::string_view unit;             ///< as messages write it ("Hz", "L"); "" for a ratio
    std::span<const UnitName> names;   ///< the own unit's spellings first
};

/// Hz; L (and ft³: 28.316846592 L); Ω; cm² (and in²: 6.4516 cm²); mm (and
/// in: 25.4 mm); cm (and in: 2.54 cm); mH; V; W; and a ratio without a unit.
extern const Quantity hertz, litres, ohms, square_centimetres, millimetres, centimetres, millihenries, volts,
    watts, ratio;

/// What was read: the value in the quantity's own unit, and whether it was
/// written in another unit (to show the converted value).
struct ValueWithUnit {
    double value = 0;
    bool converted = false;
    std::string unit_given;  ///< the unit as written ("cu ft"); "" when none was
};

/// A finite decimal number (a point as decimal mark, an exponent allowed),
/// perhaps followed by blanks and one of the quantity's units; none for
/// anything else: no number, a unit of another quantity, a comma.
std::optional<ValueWithUnit> parse_with_unit(std::string_view text, const Quantity& quantity);

}  // namespace vandrel::texts
