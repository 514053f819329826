// SPDX-License-Identifier: GPL-3.0-or-later
// The names of the choices of parts, as options and files write them.
#include <cctype>
#include <string>

#include "vandrel/as_built/parts.h"

namespace vandrel::as_built {
namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::string_view combine_name(Combine combine) {
    switch (combine) {
    case Combine::single: return "single";
    case Combine::series: return "series";
    case Combine::parallel: return "parallel";
    }
    return "";
}

std::optional<Combine> combine_from_name(std::string_view name) {
    const std::string n = lower(name);
    for (Combine c : {Combine::single, Combine::series, Combine::parallel})
        if (n == combine_name(c)) return c;
    return std::nullopt;
}

std::string_view source_name(PartSource source) {
    switch (source.kind) {
    case PartSource::Kind::exact: return "exact";
    case PartSource::Kind::shown: return "shown";
    case PartSource::Kind::series: return series_name(source.series);
    }
    return "";
}

std::string_view cap_series_name(CapSeries from) {
    switch (from) {
    case CapSeries::typed: return "typed";
    case CapSeries::E6: return "E6";
    case CapSeries::E12: return "E12";
    }
    return "";
}

std::optional<CapSeries> cap_series_from_name(std::string_view name) {
    const std::string n = lower(name);
    for (CapSeries c : {CapSeries::typed, CapSeries::E6, CapSeries::E12})
        if (n == lower(cap_series_name(c))) return c;
    return std::nullopt;
}

std::optional<PartSource> source_from_name(std::string_view name) {
    const std::string n = lower(name);
    if (n == "exact") return PartSource{PartSource::Kind::exact};
    if (n == "shown") return PartSource{PartSource::Kind::shown};
    if (const auto s = series_from_name(name)) return PartSource{PartSource::Kind::series, *s};
    return std::nullopt;
}

}  // namespace vandrel::as_built
