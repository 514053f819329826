// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/solve.h"

#include <cmath>
#include <string>

#include "vandrel/number_text.h"

namespace vandrel {
namespace {

// 2 pi to eight significant digits, as the design equations have always used it.
constexpr double two_pi = 6.2831853;
constexpr double feedback_kohm = 15;

// Results are cut down to a step, never rounded to nearest.
double cut_down(double x, double steps_per_unit) { return std::floor(x * steps_per_unit) / steps_per_unit; }
double cut_to_tenth(double x) { return cut_down(x, 10); }
// Resistances (and peak heights): 0.1 above 1, 0.01 at or below it.
double resistor_rule(double x) { return x > 1 ? cut_down(x, 10) : cut_down(x, 100); }

std::string kohm_caption(std::string_view prefix, double kohm) {
    return std::string(prefix) + number_to_text(kohm) + "k";
}

// One run of Solve: the steps in order, each a member, so that every step
// reads the window and the design through the same two references.
class Run {
public:
    Run(SolveWindow& window, Module1& design) : w_(window), d_(design) {}

    SolveEnd operator()() {
        if (!length_ok(Field::gain)) return SolveEnd::too_long;
        read_gain();
        gain_stage();
        if (!length_ok(Field::cfilter)) return SolveEnd::too_long;
        read_capacitor();
        if (w_.mode_selected(Mode::sos) || w_.mode_selected(Mode::butterworth)) {
            if (!length_ok(Field::freq)) return SolveEnd::too_long;
            read_design_frequency();
            if (!length_ok(Field::q)) return SolveEnd::too_long;
            read_q();
            show_peak_of_q();
        }
        if (w_.mode_selected(Mode::peaking)) {
            if (!length_ok(Field::freq_peak)) return SolveEnd::too_long;
            read_peak_frequency();
            if (!length_ok(Field::peakmag)) return SolveEnd::too_long;
            read_peak_magnitude();
            derive_q_and_design_frequency();
        }
        return final_values();
    }

private:
    bool length_ok(Field field) {
        if (text_length(w_.field_text(field)) <= max_field_length) return true;
        w_.message("Maximum length for any input field is 6 characters");
        return false;
    }

    double number_of(Field field) const { return text_to_number(w_.field_text(field)); }

    // Out of range: message, the field shows the limit, the value becomes it.
    double correct(Field field, std::string_view message, std::string_view limit_text, double limit) {
        w_.message(message);
        w_.set_field_text(field, limit_text);
        return limit;
    }

    void read_gain() {
        d_.gain = number_of(Field::gain);
        if (d_.gain > 20) d_.gain = correct(Field::gain, "Maximum gain is 20dB", "20", 20);
    }

    void gain_stage() {
        if (d_.gain > 0) {
            d_.r_feedback = feedback_kohm;
            const double denominator = std::pow(10.0, d_.gain / 20) - 1;
            if (denominator == 0) {
                // The gain is positive but indistinguishable from 0 dB: R1
                // would be infinite. Keep the previous R1 and say so.
                w_.message("Gain is too small to be set with R1: use 0 for a plain follower");
                return;
            }
            d_.r1 = resistor_rule(d_.r_feedback / denominator);
            w_.set_result_caption(ResultLabel::r1, kohm_caption("R1 =", d_.r1));
            return;
        }
        w_.set_field_text(Field::gain, "0");
        if (d_.gain < 0) w_.message("Negative gain not allowed");
    }

    void read_capacitor() {
        d_.cfilter = number_of(Field::cfilter);
        if (d_.cfilter <= 0)
            d_.cfilter = correct(Field::cfilter, "Value for Capacitor must be greater than zero", "0.0001", 0.0001);
        if (d_.cfilter > 10)
            d_.cfilter = correct(Field::cfilter, "Value for Capacitor must not exceed 10uf", "10", 10);
    }

    void read_design_frequency() {
        d_.f0 = number_of(Field::freq);
        if (d_.f0 < 1) d_.f0 = correct(Field::freq, "Value for Design Frequency must be at least 1hz", "1", 1);
        if (d_.f0 > 1000)
            d_.f0 = correct(Field::freq, "Value for Design Frequency must not exceed 1000hz", "1000", 1000);
    }

    void read_q() {
        d_.q = number_of(Field::q);
        if (d_.q < 0.707) d_.q = correct(Field::q, "Value for Filter Q must not be less than 0.707", "0.707", 0.707);
        if (d_.q > 10) d_.q = correct(Field::q, "Value for Filter Q must not be more than 10", "10", 10);
    }

    // The peak that the chosen Q gives, shown in the (read-only) peak fields.
    void show_peak_of_q() {
        const double q = d_.q;
        if (q > 0.707 && 2 * (q * q) > 1) {
            d_.freq_peak = cut_to_tenth(d_.f0 / std::sqrt(1 - 1 / (2 * (q * q))));
            w_.set_field_text(Field::freq_peak, number_to_field_text(d_.freq_peak));
            d_.peakmag = resistor_rule(-10 * std::log(1 / (q * q) - 1 / (4 * std::pow(q, 4))) / std::log(10.0));
            w_.set_field_text(Field::peakmag, number_to_field_text(d_.peakmag));
        } else {
            // No peak: the response is flat up to Q 1/sqrt(2).
            w_.set_field_text(Field::freq_peak, number_to_field_text(d_.f0));
            w_.set_field_text(Field::peakmag, "0");
        }
    }

    void read_peak_frequency() {
        d_.freq_peak = number_of(Field::freq_peak);
        if (d_.freq_peak < 1)
            d_.freq_peak = correct(Field::freq_peak, "Value for Frequency of Peak must at least 1hz", "1", 1);
        if (d_.freq_peak > 1000)
            d_.freq_peak =
                correct(Field::freq_peak, "Value for Design Frequency of Peak must not exceed 1000hz", "1000", 1000);
    }

    void read_peak_magnitude() {
        d_.peakmag = number_of(Field::peakmag);
        if (d_.peakmag == 0) w_.set_field_text(Field::peakmag, "0");
        if (d_.peakmag < 0)
            d_.peakmag = correct(Field::peakmag, "The Peaking option only works with positive peaks", "0", 0);
        if (d_.peakmag > 20) d_.peakmag = correct(Field::peakmag, "Maximum Peak Magnitude is 20", "20", 20);
    }

    // The Q and design frequency that give the requested peak.
    void derive_q_and_design_frequency() {
        const double q = 1 / (std::sqrt(2.0) * std::sqrt(1 - std::sqrt(1 - std::pow(10.0, -d_.peakmag / 10))));
        d_.q = cut_down(q, 1000);
        w_.set_field_text(Field::q, number_to_field_text(d_.q));
        const double qq = d_.q * d_.q;
        d_.f0 = qq > 0.5 ? d_.freq_peak * std::sqrt(1 - 1 / (2 * qq)) : d_.freq_peak;
        d_.f0 = cut_to_tenth(d_.f0);
        w_.set_field_text(Field::freq, number_to_field_text(d_.f0));
    }

    SolveEnd final_values() {
        if (d_.f0 <= 0) {
            // Only a derived design frequency can be cut down to 0.
            w_.message("No filter can be designed for this peak: its design frequency is below 0.1hz");
            return SolveEnd::no_design;
        }
        const double q = d_.q;
        const double xc = 1000 / (d_.cfilter * (d_.f0 * two_pi));
        const double r3 = resistor_rule(xc / (q * 2));
        const double r4 = resistor_rule((xc * 2) * q);
        if (!std::isfinite(xc) || !std::isfinite(r3) || !std::isfinite(r4)) {
            w_.message("Value for Capacitor is too small: no filter can be designed");
            return SolveEnd::no_design;
        }
        d_.xc = xc;
        d_.r3 = r3;
        d_.r4 = r4;
        w_.set_result_caption(ResultLabel::r3, kohm_caption("R3 =", d_.r3));
        w_.set_result_caption(ResultLabel::r4, kohm_caption("R4 =", d_.r4));
        const double qq = q * q;
        d_.f3 = cut_to_tenth(d_.f0 * std::sqrt((1 / (2 * qq) - 1) + std::sqrt(2 - 1 / qq + 1 / (4 * std::pow(q, 4)))));
        w_.set_result_caption(ResultLabel::f3, "f3 = " + number_to_text(d_.f3) + "hz");
        w_.draw_graph();
        return SolveEnd::completed;
    }

    SolveWindow& w_;
    Module1& d_;
};

}  // namespace

SolveEnd solve(SolveWindow& window, Module1& design) { return Run(window, design)(); }

}  // namespace vandrel
