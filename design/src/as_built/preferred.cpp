// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/as_built/preferred.h"

#include <cctype>
#include <cmath>
#include <stdexcept>

namespace vandrel::as_built {
namespace {

constexpr int e3[] = {100, 220, 470};
constexpr int e6[] = {100, 150, 220, 330, 470, 680};
constexpr int e12[] = {100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820};
constexpr int e24[] = {100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,
                       330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910};
constexpr int e48[] = {100, 105, 110, 115, 121, 127, 133, 140, 147, 154, 162, 169, 178, 187, 196, 205,
                       215, 226, 237, 249, 261, 274, 287, 301, 316, 332, 348, 365, 383, 402, 422, 442,
                       464, 487, 511, 536, 562, 590, 619, 649, 681, 715, 750, 787, 825, 866, 909, 953};
constexpr int e96[] = {100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137, 140, 143,
                       147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191, 196, 200, 205, 210,
                       215, 221, 226, 232, 237, 243, 249, 255, 261, 267, 274, 280, 287, 294, 301, 309,
                       316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412, 422, 432, 442, 453,
                       464, 475, 487, 499, 511, 523, 536, 549, 562, 576, 590, 604, 619, 634, 649, 665,
                       681, 698, 715, 732, 750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};
constexpr int e192[] = {
    100, 101, 102, 104, 105, 106, 107, 109, 110, 111, 113, 114, 115, 117, 118, 120, 121, 123, 124, 126,
    127, 129, 130, 132, 133, 135, 137, 138, 140, 142, 143, 145, 147, 149, 150, 152, 154, 156, 158, 160,
    162, 164, 165, 167, 169, 172, 174, 176, 178, 180, 182, 184, 187, 189, 191, 193, 196, 198, 200, 203,
    205, 208, 210, 213, 215, 218, 221, 223, 226, 229, 232, 234, 237, 240, 243, 246, 249, 252, 255, 258,
    261, 264, 267, 271, 274, 277, 280, 284, 287, 291, 294, 298, 301, 305, 309, 312, 316, 320, 324, 328,
    332, 336, 340, 344, 348, 352, 357, 361, 365, 370, 374, 379, 383, 388, 392, 397, 402, 407, 412, 417,
    422, 427, 432, 437, 442, 448, 453, 459, 464, 470, 475, 481, 487, 493, 499, 505, 511, 517, 523, 530,
    536, 542, 549, 556, 562, 569, 576, 583, 590, 597, 604, 612, 619, 626, 634, 642, 649, 657, 665, 673,
    681, 690, 698, 706, 715, 723, 732, 741, 750, 759, 768, 777, 787, 796, 806, 816, 825, 835, 845, 856,
    866, 876, 887, 898, 909, 920, 931, 942, 953, 965, 976, 988};

// Powers of ten that a double holds exactly.
constexpr double exact_powers_of_ten[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// m * 10^e, correctly rounded when 10^|e| is exact: one exact operand and
// one rounding.
double scaled(int m, int e) {
    const int magnitude = e < 0 ? -e : e;
    const double power = magnitude <= 22 ? exact_powers_of_ten[magnitude] : std::pow(10.0, magnitude);
    return e < 0 ? m / power : m * power;
}

int floor_div(int a, int b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

constexpr double same_value = 1e-9;

}  // namespace

std::string_view series_name(ESeries series) {
    switch (series) {
    case ESeries::E3: return "E3";
    case ESeries::E6: return "E6";
    case ESeries::E12: return "E12";
    case ESeries::E24: return "E24";
    case ESeries::E48: return "E48";
    case ESeries::E96: return "E96";
    case ESeries::E192: return "E192";
    }
    return "";
}

std::optional<ESeries> series_from_name(std::string_view name) {
    for (ESeries s : all_series) {
        const std::string_view known = series_name(s);
        if (name.size() == known.size() && std::toupper(static_cast<unsigned char>(name[0])) == 'E' &&
            name.substr(1) == known.substr(1))
            return s;
    }
    return std::nullopt;
}

std::span<const int> decade_hundredths(ESeries series) {
    switch (series) {
    case ESeries::E3: return e3;
    case ESeries::E6: return e6;
    case ESeries::E12: return e12;
    case ESeries::E24: return e24;
    case ESeries::E48: return e48;
    case ESeries::E96: return e96;
    case ESeries::E192: return e192;
    }
    return {};
}

double preferred_value(ESeries series, int k) {
    const std::span<const int> decade = decade_hundredths(series);
    const int n = static_cast<int>(decade.size());
    const int d = floor_div(k, n);
    return scaled(decade[static_cast<std::size_t>(k - d * n)], d - 2);
}

int index_at_or_below(ESeries series, double x) {
    // Far from these ends every step below is exact and finite.
    if (!(x >= 1e-280 && x <= 1e280)) throw std::domain_error("no preferred value is looked for near this number");
    const int n = static_cast<int>(decade_hundredths(series).size());
    const double limit = x * (1 + same_value);
    // The series is nearly geometric: start from the geometric index and
    // step to the exact one.
    int k = static_cast<int>(std::floor(std::log10(x) * n));
    while (preferred_value(series, k) > limit) --k;
    while (preferred_value(series, k + 1) <= limit) ++k;
    return k;
}

double nearest_value(ESeries series, double x) {
    const int k = index_at_or_below(series, x);
    const double below = preferred_value(series, k);
    const double above = preferred_value(series, k + 1);
    // A tie in decimals (2 between 1.8 and 2.2) is not one in binary.
    return x - below < (above - x) * (1 - same_value) ? below : above;
}

bool is_value(ESeries series, double x) {
    return std::abs(preferred_value(series, index_at_or_below(series, x)) / x - 1) <= same_value;
}

}  // namespace vandrel::as_built
