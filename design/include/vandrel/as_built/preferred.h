// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Preferred numbers: the E series (IEC 60063) in which resistors and
// capacitors are made.

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace vandrel::as_built {

/// A series of preferred numbers, by its number of values per decade.
enum class ESeries { E3, E6, E12, E24, E48, E96, E192 };

inline constexpr std::array<ESeries, 7> all_series{ESeries::E3,  ESeries::E6,  ESeries::E12, ESeries::E24,
                                                   ESeries::E48, ESeries::E96, ESeries::E192};

/// The series' name, "E3" to "E192".
std::string_view series_name(ESeries series);
/// The series a name stands for ("E24" or "e24"); nothing for any other text.
std::optional<ESeries> series_from_name(std::string_view name);

/// The decade from 1 to 10 as published, in hundredths: 100, 110, 120, ...,
/// 910 for E24. These are the published values, which differ in places from
/// the rounded geometric formula (E24 has 2.7 and 3.0, E192 has 9.20).
std::span<const int> decade_hundredths(ESeries series);

/// The k-th value of the series counted across all decades: k = 0 is 1, the
/// series' length n gives 10, -1 the last value below 1 (0.91 in E24). Each
/// value is the double nearest to its decimal form (6.8, 0.047, 8.25E5).
double preferred_value(ESeries series, int k);

/// The index k of the largest value not above x; a value within a relative
/// 1E-9 of x counts as equal to it. Throws std::domain_error for x outside
/// 1E-280 to 1E280 (and for NaN), where the series is not looked at.
int index_at_or_below(ESeries series, double x);

/// The value of the series nearest to x (1E-280 to 1E280), by difference; half way
/// between two values gives the larger one.
double nearest_value(ESeries series, double x);

/// Whether x (1E-280 to 1E280) is a value of the series, to a relative 1E-9.
bool is_value(ESeries series, double x);

}  // namespace vandrel::as_built
