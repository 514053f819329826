// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_summary.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "vandrel/texts/figures.h"

namespace vandrel::ui {
namespace {

namespace ab = as_built;

std::string hz(double v) { return vandrel::texts::figure(v) + " Hz"; }

}  // namespace

std::string magnitude_summary(const PartsFigures& f) {
    if (!f.built) {
        if (!(f.design.q > 0)) return "No design yet.";
        return "The exact design alone, as these parts cannot be built: f3 " +
               hz(ab::section_figures({f.design.f0, f.design.q}).f3) + ".";
    }
    const ab::AsBuilt& b = *f.built;
    std::string text = "Exact design f3 " + hz(b.exact_section.f3) + "; as built, section f3 " + hz(b.section.f3);
    const std::optional<double> path_f3 = b.path_figures.f3;
    if (!path_f3) return text + ", the whole path never 3 dB below its pass band.";
    text += ", whole path f3 " + hz(*path_f3);
    if (f.band.empty()) return text + ".";
    const ab::Band band = band_at(f.band_hz, f.band, *path_f3);
    return text + "; at " + hz(*path_f3) + " 90 % of builds of the path lie from " + vandrel::texts::figure(band.low_db, 3) +
           " to " + vandrel::texts::figure(band.high_db, 3) + " dB.";
}

std::string delay_summary(const PartsFigures& f) {
    if (!f.built || f.rows.empty()) return "Nothing built, so no group delay.";
    const ab::PathFigures& path = f.built->path_figures;
    std::string text = "Group delay of the whole path: ";
    for (std::size_t i = 0; i < ab::group_delay_hz.size(); ++i)
        text += (i ? ", " : "") + vandrel::texts::figure(path.group_delay_ms[i]) + " ms at " + hz(ab::group_delay_hz[i]);
    const auto most = std::max_element(f.rows.begin(), f.rows.end(), [](const auto& a, const auto& b) {
        return a.path_group_delay_ms < b.path_group_delay_ms;
    });
    return text + "; at most " + vandrel::texts::figure(most->path_group_delay_ms) + " ms, at " + hz(most->hz) + ".";
}

ab::Band band_at(const std::vector<double>& band_hz, const std::vector<ab::Band>& band, double f) {
    const auto above = std::lower_bound(band_hz.begin(), band_hz.end(), f);
    if (above == band_hz.begin()) return band.front();
    if (above == band_hz.end()) return band.back();
    const auto i = static_cast<std::size_t>(above - band_hz.begin());
    const double t = std::log(f / band_hz[i - 1]) / std::log(band_hz[i] / band_hz[i - 1]);
    return {band[i - 1].low_db + t * (band[i].low_db - band[i - 1].low_db),
            band[i - 1].high_db + t * (band[i].high_db - band[i - 1].high_db)};
}

}  // namespace vandrel::ui
