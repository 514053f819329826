// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The number fields of the Parts window: what each takes, and why a text is
// refused. Plain C++; the window shows the reason beside the field.

#include <optional>
#include <string>
#include <string_view>

namespace vandrel::texts {
struct Quantity;
}

namespace vandrel::ui {

/// What a number field takes: a value from `low` to `high` in `unit`, or,
/// where `may_be_empty`, nothing (a value not given).
struct EntryRange {
    std::string_view name;  ///< "Load", as the reason starts
    std::string_view unit;  ///< "kΩ", "%"; "" for a ratio
    double low = 0;
    double high = 0;
    bool may_be_empty = false;
    /// The units read after the number, in any case, and converted to
    /// `unit` (texts::parse_with_unit); none: only `unit` itself, as written.
    const texts::Quantity* quantity = nullptr;
};

/// The fields: a load of 10 Ω to 100 MΩ, tolerances up to 50 %.
inline constexpr EntryRange load_range{"Load", "k\u03a9", 0.01, 100000};
inline constexpr EntryRange r_tol_range{"Resistor tolerance", "%", 0, 50};
inline constexpr EntryRange c_tol_range{"Capacitor tolerance", "%", 0, 50};

/// A field's text read: the value, or why there is none.
struct EntryCheck {
    std::optional<double> value;
    std::string problem;  ///< one sentence for people; "" with a value
    /// The value as typed where it was in another unit and converted:
    /// "2.4 ft³"; "" otherwise.
    std::string converted_from = {};
};

/// Reads `text` (blanks around it, "." as the decimal point, an exponent
/// allowed, the unit after the number allowed) as a value of `range`. An
/// empty text (unless the range may be empty: then no value and no
/// problem), anything that is not one finite number, and a number out of
/// the range are refused with the reason. Texts beyond 64 bytes are refused
/// unread. A range with a quantity reads its units in any case and converts
/// one of another system (ft³, in², in) to its own; a unit it does not read
/// is refused as such.
EntryCheck check_entry(std::string_view text, const EntryRange& range);

}  // namespace vandrel::ui
