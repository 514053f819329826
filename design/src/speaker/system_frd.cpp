// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/speaker/frd.h"

#include <cmath>
#include <numbers>

#include "vandrel/as_built/frd.h"
#include "vandrel/module1.h"
#include "vandrel/speaker/system.h"
#include "vandrel/texts/figures.h"

namespace vandrel::speaker {

std::vector<double> system_phase_deg(const Inputs& in, std::span<const double> hz) {
    const System system(in.driver, in.box);
    constexpr double degrees = 180 / std::numbers::pi;
    std::vector<double> out(hz.size());
    // The radiated pressure's phase followed from the top down, each step
    // taking the turn nearest to the one before.
    double previous = 0;
    for (std::size_t k = hz.size(); k-- > 0;) {
        const std::complex<double> p = std::complex<double>(0, 1) * system.flows(hz[k]).radiated;
        double phase = std::arg(p) * degrees;
        if (k + 1 < hz.size()) phase += 360 * std::round((previous - phase) / 360);
        previous = phase;
        out[k] = phase + as_built::path_phase_deg(in.filter, hz[k]);
    }
    return out;
}

std::vector<std::string> system_description(const Inputs& in, std::string_view filter_parts) {
    using texts::figure;
    const bool vented = in.box.type == Box::Type::vented;
    std::string box = std::string(vented ? "vented" : "sealed") + " box of " + figure(in.box.vb) + " L";
    if (vented) box += " tuned to " + figure(in.box.fb) + " Hz";
    return {"Driver: " + (in.driver.name.empty() ? std::string("unnamed") : in.driver.name) + ", fs " +
                figure(in.driver.fs) + " Hz, Qts " + figure(in.driver.qts()) + ", Vas " + figure(in.driver.vas) + " L",
            "Box: " + box,
            "Drive: " + figure(in.volts) + " V rms in the pass band; filter parts: " + std::string(filter_parts)};
}

std::string system_frd(const Inputs& in, const Analysis& a, const std::vector<std::string>& about) {
    std::vector<std::string> comments{"Vandrel " + std::string(program_version) +
                                      ": SPL of the subwoofer with the subsonic filter ahead of its amplifier"};
    comments.insert(comments.end(), about.begin(), about.end());
    comments.push_back("Level: SPL at 1 m in half space, dB re 20 uPa; phase of the pressure without the delay "
                       "of the path to the listener");
    comments.push_back("Columns: frequency in Hz, level in dB, phase in degrees (unwrapped)");
    return as_built::frd_text(comments, a.hz, a.spl_filtered_db, system_phase_deg(in, a.hz));
}

}  // namespace vandrel::speaker
