// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/as_built/frd.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "vandrel/as_built/exports.h"
#include "vandrel/texts/exact.h"
#include "vandrel/texts/figures.h"

namespace vandrel::as_built {
namespace {

constexpr double pi = std::numbers::pi;
constexpr double degrees = 180 / pi;

// Angular frequency in rad/ms, for kOhm times uF.
double omega(double hz) { return 2 * pi * hz / 1000; }

}  // namespace

// The factors of PathResponse: input coupling s tau_in / (1 + s tau_in),
// buffer (gain + s tau_f) / (1 + s tau_f), section s^2 / (s^2 + a s + w0^2)
// and the output divider.
std::complex<double> path_transfer(const PathParts& p, double hz) {
    const std::complex<double> s(0, omega(hz));
    const double tau_in = p.r_in * p.c_in;
    const double gain = p.r1 ? 1 + p.r_feedback / *p.r1 : 1;
    const double tau_f = p.r_feedback * p.c_feedback;
    const double w0_sq = 1 / (p.c1 * p.c2 * p.r3 * p.r4);
    const double a = (p.c1 + p.c2) / (p.c1 * p.c2 * p.r4);
    const double divider = p.load / (p.load + p.r_out);
    return s * tau_in / (1.0 + s * tau_in) * (gain + s * tau_f) / (1.0 + s * tau_f) * (s * s) /
           (s * s + a * s + w0_sq) * divider;
}

// Each factor's phase on its own continuous branch, added up.
double path_phase_deg(const PathParts& p, double hz) {
    const double w = omega(hz);
    const double tau_in = p.r_in * p.c_in;
    const double gain = p.r1 ? 1 + p.r_feedback / *p.r1 : 1;
    const double tau_f = p.r_feedback * p.c_feedback;
    const double w0_sq = 1 / (p.c1 * p.c2 * p.r3 * p.r4);
    const double a = (p.c1 + p.c2) / (p.c1 * p.c2 * p.r4);
    const double coupling = pi / 2 - std::atan(w * tau_in);
    const double buffer = std::atan(w * tau_f / gain) - std::atan(w * tau_f);
    const double section = pi - std::atan2(a * w, w0_sq - w * w);
    return (coupling + buffer + section) * degrees;
}

double frd_hz(int i) { return std::pow(10.0, static_cast<double>(i) / 200); }

std::string frd_text(std::span<const std::string> comments, std::span<const double> hz, std::span<const double> db,
                     std::span<const double> phase_deg) {
    if (db.size() != hz.size() || phase_deg.size() != hz.size())
        throw std::invalid_argument("an FRD line needs a frequency, a level and a phase");
    std::string out;
    for (const std::string& c : comments) out += "* " + c + "\n";
    for (std::size_t i = 0; i < hz.size(); ++i)
        out += texts::shortest(hz[i]) + " " + texts::shortest(db[i]) + " " + texts::shortest(phase_deg[i]) + "\n";
    return out;
}

std::string filter_frd(const Module1& design, Mode mode, const AsBuilt& built, bool absolute) {
    const PathParts& p = built.path;
    const double gain_db = 20 * std::log10(path_passband_gain(p));
    std::vector<double> hz(frd_points), db(frd_points), phase(frd_points);
    for (int i = 0; i < frd_points; ++i) {
        hz[i] = frd_hz(i);
        db[i] = path_level_db(p, hz[i]) - (absolute ? 0 : gain_db);
        phase[i] = path_phase_deg(p, hz[i]);
    }
    const std::vector<std::string> comments{
        "Vandrel " + std::string(program_version) +
            ": response of the subsonic high-pass filter as built, the whole path into its load",
        "Design: " + design_text(design, mode),
        "Parts: " + parts_bought_text(built),
        "Choices: " + choices_text(built),
        absolute ? "Level: absolute, with the pass-band gain of " + texts::figure(gain_db) + " dB"
                 : "Level: relative to the pass-band gain of " + texts::figure(gain_db) + " dB (0 dB in the pass band)",
        "Columns: frequency in Hz, level in dB, phase in degrees (unwrapped)",
    };
    return frd_text(comments, hz, db, phase);
}

}  // namespace vandrel::as_built
