// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/as_built/levels.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "../numeric/search.h"
#include "vandrel/texts/figures.h"

namespace vandrel::as_built {
namespace {

using texts::figure;

// Angular frequency in rad/ms, the unit that kOhm times uF calls for.
double omega(double hz) { return 2 * std::numbers::pi * hz / 1000; }

double db(double ratio) { return 20 * std::log10(ratio); }

void check(double v, const LevelRange& r, bool given, LevelCheck& out) {
    if (!given) return;
    const std::string name = r.name;
    const auto volts = [](double x) { return figure(x, 6) + " V"; };
    if (!std::isfinite(v))
        out.errors.push_back({name, name + " must be a finite number"});
    else if (!(v > 0))
        out.errors.push_back({name, name + " must be above 0 V (it is " + figure(v, 6) + ")"});
    else if (&r == &supply_range && v <= r.lo)
        out.errors.push_back({name, name + " of " + volts(v) + " leaves the op-amps no swing: they swing to within " +
                                        volts(rail_drop_volts) + " of each rail"});
    else if (v < r.lo)
        out.errors.push_back(
            {name, name + " of " + volts(v) + " is too small for anything real (at least " + volts(r.lo) + ")"});
    else if (v > r.hi)
        out.errors.push_back(
            {name, name + " of " + volts(v) + " is too large for anything real (at most " + volts(r.hi) + ")"});
    else if (v < r.usual_lo || v > r.usual_hi)
        out.warnings.push_back({name, name + " of " + volts(v) + " is unusual (usually " + figure(r.usual_lo, 6) +
                                          " to " + volts(r.usual_hi) + ")"});
}

struct Peak {
    double hz = 0;
    double value = 0;
};

// The highest of f from 1 Hz to 1 kHz: the best of 200 points a decade,
// refined between its neighbours in ln f.
template <class F>
Peak highest(F f) {
    constexpr int points = 601;
    const auto at = [](int i) { return std::pow(10.0, i / 200.0); };
    int best = 0;
    double best_value = f(1.0);
    for (int i = 1; i < points; ++i)
        if (const double v = f(at(i)); v > best_value) {
            best = i;
            best_value = v;
        }
    if (best == 0 || best == points - 1) return {at(best), best_value};
    const auto g = [&](double x) { return f(std::exp(x)); };
    const double x = numeric::golden_max(g, std::log(at(best - 1)), std::log(at(best + 1)), 1e-9);
    const double v = g(x);
    return v > best_value ? Peak{std::exp(x), v} : Peak{at(best), best_value};
}

void require_parts(const PathParts& p) {
    for (double v : {p.c_in, p.r_in, p.r_feedback, p.c_feedback, p.c1, p.c2, p.r3, p.r4, p.r_out, p.load})
        if (!(v > 0) || !std::isfinite(v)) throw std::invalid_argument("every part of the filter must be above 0");
    if (p.r1 && (!(*p.r1 > 0) || !std::isfinite(*p.r1)))
        throw std::invalid_argument("every part of the filter must be above 0");
}

std::string clip_warning(const char* where, double level, double hz, double headroom, const Levels& l) {
    return std::string("at full scale (") + figure(l.inputs.source_v, 4) + " V) " + where + " reaches " +
           figure(level, 4) + " V rms at " + figure(hz, 4) + " Hz, beyond the op-amps' swing of " +
           figure(l.swing_v_rms, 4) + " V rms on +-" + figure(l.inputs.supply_v, 4) + " V: it clips by " +
           figure(-headroom, 3) + " dB";
}

}  // namespace

LevelCheck check_level_inputs(const LevelInputs& in) {
    LevelCheck out;
    check(in.source_v, source_volts_range, true, out);
    check(in.supply_v, supply_range, true, out);
    check(in.amp_sensitivity_v.value_or(1), amp_sensitivity_range, in.amp_sensitivity_v.has_value(), out);
    return out;
}

Stages::Stages(const PathParts& p)
    : tau_in_(p.r_in * p.c_in),
      gain_(p.r1 ? 1 + p.r_feedback / *p.r1 : 1),
      tau_f_(p.r1 ? p.r_feedback * p.c_feedback : 0),
      w0_sq_(1 / (p.c1 * p.c2 * p.r3 * p.r4)),
      a_((p.c1 + p.c2) / (p.c1 * p.c2 * p.r4)),
      divider_(p.load / (p.load + p.r_out)) {}

// The coupling s tau_in/(1 + s tau_in), then the buffer (gain + s tau_f)/(1 + s tau_f).
double Stages::buffer(double hz) const {
    const double w = omega(hz);
    const double x_in_sq = w * w * tau_in_ * tau_in_;
    const double x_f_sq = w * w * tau_f_ * tau_f_;
    return std::sqrt(x_in_sq / (1 + x_in_sq) * (gain_ * gain_ + x_f_sq) / (1 + x_f_sq));
}

double Stages::omega_sq(double hz) {
    const double w = omega(hz);
    return w * w;
}

Levels filter_levels(const PathParts& path, const LevelInputs& in) {
    require_parts(path);
    if (const LevelCheck c = check_level_inputs(in); !c.errors.empty())
        throw std::invalid_argument(c.errors.front().text);
    const Stages stages(path);
    Levels out;
    out.inputs = in;
    out.swing_v_rms = (in.supply_v - rail_drop_volts) / std::sqrt(2.0);
    const Peak buffer = highest([&](double hz) { return stages.buffer(hz); });
    const Peak section = highest([&](double hz) { return stages.buffer(hz) * stages.section(hz); });
    out.buffer_peak_v = buffer.value * in.source_v;
    out.buffer_peak_hz = buffer.hz;
    out.section_peak_v = section.value * in.source_v;
    out.section_peak_hz = section.hz;
    out.buffer_headroom_db = db(out.swing_v_rms / out.buffer_peak_v);
    out.section_headroom_db = db(out.swing_v_rms / out.section_peak_v);
    out.amp_input_v = in.source_v * stages.buffer_gain() * stages.divider();
    if (in.amp_sensitivity_v) {
        out.amp_overdrive_db = db(out.amp_input_v / *in.amp_sensitivity_v);
        const double wanted = db(*in.amp_sensitivity_v / (in.source_v * stages.divider()));
        out.matching_gain_db = std::clamp(std::round(wanted * 10) / 10, lowest_gain_db, highest_gain_db);
    }
    if (out.buffer_clips())
        out.warnings.push_back(
            {"levels", clip_warning("the buffer's output", out.buffer_peak_v, out.buffer_peak_hz, out.buffer_headroom_db, out)});
    if (out.section_clips())
        out.warnings.push_back({"levels", clip_warning("the high-pass's output", out.section_peak_v,
                                                       out.section_peak_hz, out.section_headroom_db, out)});
    if (out.amp_overdrive_db && *out.amp_overdrive_db > overdrive_warning_db)
        out.warnings.push_back(
            {"levels", "full scale drives the amplifier " + figure(*out.amp_overdrive_db, 3) +
                           " dB past its full output (" + figure(out.amp_input_v, 4) + " V into a sensitivity of " +
                           figure(*in.amp_sensitivity_v, 4) + " V); a buffer gain of " +
                           figure(*out.matching_gain_db, 3) + " dB matches it best"});
    return out;
}

}  // namespace vandrel::as_built
