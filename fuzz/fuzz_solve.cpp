// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes Solve with a mode and six arbitrary field texts.
//
// Input: "MODE|cfilter|gain|freq|q|freq_peak|peakmag", where MODE starts with
// b, s or p (any other byte picks a mode by its value); a field left out
// keeps its design text.
//
// Each input is solved three times on the same window: as given, again in the
// same mode, and then in the next mode. Every run is checked against a model
// of the run: the messages in order; every field either untouched, holding
// its limit text after its message, or holding the number form of the value
// the run derived; every derived value cut down to its step from the exact
// formula; labels and design variables finite and set only where the run
// sets them; and the graph drawn exactly when the run completes, with finite
// coordinates. A second run in the same mode must change nothing.

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "vandrel/batch.h"
#include "vandrel/graph.h"
#include "vandrel/module1.h"
#include "vandrel/number_text.h"
#include "vandrel/solve.h"
#include "vandrel/window_model.h"

namespace {

using namespace vandrel;

constexpr std::string_view length_message = "Maximum length for any input field is 6 characters";
constexpr std::string_view gain_too_small_message = "Gain is too small to be set with R1: use 0 for a plain follower";
constexpr std::string_view peak_too_low_message =
    "No filter can be designed for this peak: its design frequency is below 0.1hz";
constexpr std::string_view capacitor_too_small_message = "Value for Capacitor is too small: no filter can be designed";

// What the window and the design hold between runs.
struct State {
    std::map<Field, std::string> fields;
    std::map<ResultLabel, std::string> labels;
    Module1 design;
};

struct Run {
    State after;
    SolveEnd end = SolveEnd::completed;
    std::vector<std::string> messages;
    bool graph_drawn = false;
};

std::string describe(const State& s) {
    std::string out;
    for (const auto& [f, text] : s.fields) out += std::string(control_name(f)) + "='" + text + "' ";
    for (const auto& [l, text] : s.labels) out += std::string(control_name(l)) + "='" + text + "' ";
    const Module1& d = s.design;
    for (double v : {d.gain, d.cfilter, d.f0, d.q, d.freq_peak, d.peakmag, d.r_feedback, d.r1, d.r3, d.r4, d.xc, d.f3})
        out += number_to_text(v) + ";";
    return out;
}

Run solve_on(Mode mode, const State& before) {
    BatchWindow window(mode);
    for (const auto& [field, text] : before.fields) window.set_field_text(field, text);
    for (const auto& [label, text] : before.labels) window.set_result_caption(label, text);
    Run run;
    run.after.design = before.design;
    run.end = solve(window, run.after.design);
    run.after.fields = window.outcome().fields;
    run.after.labels = window.outcome().labels;
    run.messages = window.outcome().messages;
    run.graph_drawn = window.outcome().graph_drawn;
    return run;
}

std::size_t characters(std::string_view utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

bool all_finite(const Module1& d) {
    for (double v : {d.gain, d.cfilter, d.f0, d.q, d.freq_peak, d.peakmag, d.r_feedback, d.r1, d.r3, d.r4, d.xc, d.f3})
        if (!std::isfinite(v)) return false;
    return true;
}

// A number form the run wrote: short, nothing but a number.
void check_written_number(std::string_view text) {
    FUZZ_CHECK(!text.empty() && text.size() <= 22, text);
    FUZZ_CHECK(text.find_first_not_of(" -+.0123456789E") == std::string_view::npos, text);
}

// Replays one run step by step and compares it with what Solve did.
class Model {
public:
    Model(Mode mode, const State& before, const Run& run)
        : mode_(mode), f_(before.fields), l_(before.labels), d_(before.design), run_(run), a_(run.after.design) {}

    void check() {
        const SolveEnd end = replay();
        const std::string detail = describe(run_.after);
        FUZZ_CHECK(run_.end == end, detail);
        std::string shown;
        for (const auto& m : run_.messages) shown += m + " / ";
        FUZZ_CHECK(run_.messages == messages_, shown);
        FUZZ_CHECK(run_.after.fields == f_, detail);
        FUZZ_CHECK(run_.after.labels == l_, detail);
        FUZZ_CHECK(run_.after.design == d_, detail);
        FUZZ_CHECK(all_finite(run_.after.design), detail);
        FUZZ_CHECK(run_.graph_drawn == (end == SolveEnd::completed), detail);
        for (const auto& [label, caption] : run_.after.labels) {
            FUZZ_CHECK(caption.size() <= 29, caption);  // "f3 = " + 22 + "hz"
            FUZZ_CHECK(caption.find("Inf") == std::string::npos && caption.find("NaN") == std::string::npos, caption);
        }
    }

private:
    bool too_long(Field field) {
        if (characters(f_[field]) <= max_field_length) return false;
        messages_.emplace_back(length_message);
        return true;
    }

    double number(Field field) { return text_to_number(f_[field]); }

    double limit(Field field, std::string_view message, std::string_view text, double value) {
        messages_.emplace_back(message);
        f_[field] = std::string(text);
        return value;
    }

    void write(Field field, double value) {
        f_[field] = number_to_field_text(value);
        check_written_number(f_[field]);
    }

    // `actual` is `exact` cut down to a multiple of `step`.
    static void check_cut(double actual, double exact, double step, const char* what) {
        const std::string detail = std::string(what) + " " + number_to_text(actual) + " from " + number_to_text(exact);
        FUZZ_CHECK(std::isfinite(actual) && std::isfinite(exact), detail);
        const double slack = std::fabs(exact) * 1e-12;
        FUZZ_CHECK(actual <= exact + slack, detail);
        FUZZ_CHECK(exact - actual < step + slack, detail);
        const double steps = actual / step;
        FUZZ_CHECK(std::fabs(steps - std::nearbyint(steps)) <= 1e-6 + 1e-12 * std::fabs(steps), detail);
    }

    // Resistances and peak heights: 0.1 above 1, 0.01 at or below it.
    static void check_resistor_cut(double actual, double exact, const char* what) {
        if (std::fabs(exact - 1) < 1e-9) {
            check_cut(actual, exact, 0.1, what);
        } else {
            check_cut(actual, exact, exact > 1 ? 0.1 : 0.01, what);
        }
    }

    SolveEnd replay() {
        if (too_long(Field::gain)) return SolveEnd::too_long;
        d_.gain = number(Field::gain);
        if (d_.gain > 20) d_.gain = limit(Field::gain, "Maximum gain is 20dB", "20", 20);
        if (d_.gain > 0) {
            d_.r_feedback = 15;
            const double denominator = std::pow(10.0, d_.gain / 20) - 1;
            if (denominator == 0) {
                messages_.emplace_back(gain_too_small_message);
            } else {
                check_resistor_cut(a_.r1, 15 / denominator, "r1");
                d_.r1 = a_.r1;
                l_[ResultLabel::r1] = "R1 =" + number_to_text(d_.r1) + "k";
            }
        } else {
            f_[Field::gain] = "0";
            if (d_.gain < 0) messages_.emplace_back("Negative gain not allowed");
        }

        if (too_long(Field::cfilter)) return SolveEnd::too_long;
        d_.cfilter = number(Field::cfilter);
        if (d_.cfilter <= 0)
            d_.cfilter = limit(Field::cfilter, "Value for Capacitor must be greater than zero", "0.0001", 0.0001);
        if (d_.cfilter > 10) d_.cfilter = limit(Field::cfilter, "Value for Capacitor must not exceed 10uf", "10", 10);

        if (mode_ == Mode::sos || mode_ == Mode::butterworth) {
            if (too_long(Field::freq)) return SolveEnd::too_long;
            d_.f0 = number(Field::freq);
            if (d_.f0 < 1) d_.f0 = limit(Field::freq, "Value for Design Frequency must be at least 1hz", "1", 1);
            if (d_.f0 > 1000)
                d_.f0 = limit(Field::freq, "Value for Design Frequency must not exceed 1000hz", "1000", 1000);
            if (too_long(Field::q)) return SolveEnd::too_long;
            d_.q = number(Field::q);
            if (d_.q < 0.707) d_.q = limit(Field::q, "Value for Filter Q must not be less than 0.707", "0.707", 0.707);
            if (d_.q > 10) d_.q = limit(Field::q, "Value for Filter Q must not be more than 10", "10", 10);

            const double q = d_.q;
            if (q > 0.707 && 2 * (q * q) > 1) {
                check_cut(a_.freq_peak, d_.f0 / std::sqrt(1 - 1 / (2 * (q * q))), 0.1, "freq_peak");
                FUZZ_CHECK(a_.freq_peak > d_.f0 - 0.1, describe(run_.after));
                d_.freq_peak = a_.freq_peak;
                write(Field::freq_peak, d_.freq_peak);
                check_resistor_cut(a_.peakmag, -10 * std::log(1 / (q * q) - 1 / (4 * std::pow(q, 4))) / std::log(10.0),
                                   "peakmag");
                FUZZ_CHECK(a_.peakmag >= 0 && a_.peakmag <= 20.1, describe(run_.after));
                d_.peakmag = a_.peakmag;
                write(Field::peakmag, d_.peakmag);
            } else {
                write(Field::freq_peak, d_.f0);
                f_[Field::peakmag] = "0";
            }
        }

        if (mode_ == Mode::peaking) {
            if (too_long(Field::freq_peak)) return SolveEnd::too_long;
            d_.freq_peak = number(Field::freq_peak);
            if (d_.freq_peak < 1)
                d_.freq_peak = limit(Field::freq_peak, "Value for Frequency of Peak must at least 1hz", "1", 1);
            if (d_.freq_peak > 1000)
                d_.freq_peak = limit(Field::freq_peak, "Value for Design Frequency of Peak must not exceed 1000hz",
                                     "1000", 1000);
            if (too_long(Field::peakmag)) return SolveEnd::too_long;
            d_.peakmag = number(Field::peakmag);
            if (d_.peakmag == 0) f_[Field::peakmag] = "0";
            if (d_.peakmag < 0)
                d_.peakmag = limit(Field::peakmag, "The Peaking option only works with positive peaks", "0", 0);
            if (d_.peakmag > 20) d_.peakmag = limit(Field::peakmag, "Maximum Peak Magnitude is 20", "20", 20);

            const double q_exact =
                1 / (std::sqrt(2.0) * std::sqrt(1 - std::sqrt(1 - std::pow(10.0, -d_.peakmag / 10))));
            check_cut(a_.q, q_exact, 0.001, "q");
            FUZZ_CHECK(a_.q >= 0.707 && a_.q <= 9.987, describe(run_.after));
            d_.q = a_.q;
            write(Field::q, d_.q);
            const double qq = d_.q * d_.q;
            check_cut(a_.f0, qq > 0.5 ? d_.freq_peak * std::sqrt(1 - 1 / (2 * qq)) : d_.freq_peak, 0.1, "f0");
            FUZZ_CHECK(a_.f0 >= 0 && a_.f0 <= d_.freq_peak, describe(run_.after));
            d_.f0 = a_.f0;
            write(Field::freq, d_.f0);
        }

        if (d_.f0 <= 0) {
            messages_.emplace_back(peak_too_low_message);
            return SolveEnd::no_design;
        }
        const double q = d_.q;
        const double xc = 1000 / (d_.cfilter * (d_.f0 * 6.2831853));
        // Beyond this a result may no longer be cut to its step in a double;
        // between it and infinity either ending is sound.
        const bool surely_finite = std::isfinite(xc) && xc * 2 * q < 1e300;
        const bool surely_infinite = !std::isfinite(xc) || !std::isfinite(xc * 2 * q);
        if (surely_infinite || (!surely_finite && run_.end == SolveEnd::no_design)) {
            messages_.emplace_back(capacitor_too_small_message);
            return SolveEnd::no_design;
        }
        FUZZ_CHECK(std::fabs(a_.xc - xc) <= 1e-12 * xc, describe(run_.after));
        d_.xc = a_.xc;
        check_resistor_cut(a_.r3, d_.xc / (q * 2), "r3");
        d_.r3 = a_.r3;
        check_resistor_cut(a_.r4, (d_.xc * 2) * q, "r4");
        d_.r4 = a_.r4;
        l_[ResultLabel::r3] = "R3 =" + number_to_text(d_.r3) + "k";
        l_[ResultLabel::r4] = "R4 =" + number_to_text(d_.r4) + "k";
        const double qq = q * q;
        check_cut(a_.f3, d_.f0 * std::sqrt((1 / (2 * qq) - 1) + std::sqrt(2 - 1 / qq + 1 / (4 * std::pow(q, 4)))), 0.1,
                  "f3");
        d_.f3 = a_.f3;
        l_[ResultLabel::f3] = "f3 = " + number_to_text(d_.f3) + "hz";
        return SolveEnd::completed;
    }

    Mode mode_;
    std::map<Field, std::string> f_;
    std::map<ResultLabel, std::string> l_;
    std::vector<std::string> messages_;
    Module1 d_;
    const Run& run_;
    const Module1& a_;
};

// A picture surface that checks what the graph asks of it.
class CheckingSurface final : public PictureSurface {
public:
    void ScaleHeight(float height) override { FUZZ_CHECK(height == 20, "ScaleHeight"); }
    void ScaleWidth(float width) override { FUZZ_CHECK(std::fabs(width - std::log(100.0)) < 1e-5, "ScaleWidth"); }
    void Cls() override { cleared_ = true; }
    void DrawWidth(int pixels) override { FUZZ_CHECK(pixels >= 1 && pixels <= 2, "DrawWidth"); }
    void ForeColor(Rgb colour) override { colour_ = colour; }
    void Line(float x1, float y1, float x2, float y2) override {
        FUZZ_CHECK(cleared_, "Line before Cls");
        FUZZ_CHECK(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2), "Line");
        if (colour_ == graph_colours::curve) ++curve_lines_;
    }
    void PSet(float x, float y) override { FUZZ_CHECK(std::isfinite(x) && std::isfinite(y), "PSet"); }
    void Print(std::string_view text) override {
        FUZZ_CHECK(!text.empty() && text.size() <= 5, text);
        FUZZ_CHECK(text.find_first_not_of("-0123456789hzdB") == std::string_view::npos, text);
    }
    int curve_lines() const { return curve_lines_; }

private:
    bool cleared_ = false;
    Rgb colour_;
    int curve_lines_ = 0;
};

void check_graph(const Module1& design) {
    CheckingSurface surface;
    draw_graph(surface, design.f0, design.q);
    FUZZ_CHECK(surface.curve_lines() == graph_curve_points, describe(State{{}, {}, design}));
}

Run checked_run(Mode mode, const State& before) {
    Run run = solve_on(mode, before);
    Model(mode, before, run).check();
    if (run.end == SolveEnd::completed) check_graph(run.after.design);
    return run;
}

Mode mode_of(std::string_view piece) {
    if (piece.empty()) return Mode::butterworth;
    switch (piece[0]) {
    case 'b': return Mode::butterworth;
    case 's': return Mode::sos;
    case 'p': return Mode::peaking;
    default: return all_modes[static_cast<unsigned char>(piece[0]) % 3];
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> pieces = vandrel::fuzz::split_bars(input);
    const Mode mode = mode_of(pieces[0]);
    std::map<Field, std::string> texts;
    for (std::size_t i = 0; i < all_fields.size() && i + 1 < pieces.size(); ++i)
        texts[all_fields[i]] = std::string(pieces[i + 1]);

    // The first run is the one the window's Solve button makes.
    const BatchOutcome batch = solve_batch(mode, texts);
    State start;
    {
        BatchWindow fresh(mode);
        start.fields = fresh.outcome().fields;
        start.labels = fresh.outcome().labels;
        for (const auto& [field, text] : texts) start.fields[field] = text;
        if (mode == Mode::butterworth) start.fields[Field::q] = std::string(butterworth_q_text);
    }
    const Run first = checked_run(mode, start);
    FUZZ_CHECK(batch.fields == first.after.fields && batch.labels == first.after.labels &&
                   batch.design == first.after.design && batch.messages == first.messages &&
                   batch.end == first.end && batch.graph_drawn == first.graph_drawn,
               describe(first.after));
    FUZZ_CHECK(batch.gain_stage_shown == (text_to_number(batch.fields.at(Field::gain)) > 0),
               batch.fields.at(Field::gain));

    // Solving again in the same mode finds nothing left to correct.
    const Run second = checked_run(mode, first.after);
    if (first.end == SolveEnd::completed) {
        FUZZ_CHECK(second.end == SolveEnd::completed, describe(second.after));
        FUZZ_CHECK(second.after.fields == first.after.fields, describe(second.after));
        FUZZ_CHECK(second.after.labels == first.after.labels, describe(second.after));
        Module1 expected = first.after.design;
        if (expected.gain < 0) expected.gain = 0;  // the gain field reads "0" now
        FUZZ_CHECK(second.after.design == expected, describe(second.after));
        for (const auto& m : second.messages) FUZZ_CHECK(m == gain_too_small_message, m);
    }

    // Then the next mode, on what the window shows now.
    const Mode next = all_modes[(static_cast<std::size_t>(mode) + 1) % all_modes.size()];
    State switched = second.after;
    if (next == Mode::butterworth) switched.fields[Field::q] = std::string(butterworth_q_text);
    checked_run(next, switched);
    return 0;
}
