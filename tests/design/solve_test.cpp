// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "vandrel/batch.h"
#include "vandrel/solve.h"

namespace {

using vandrel::BatchOutcome;
using vandrel::Field;
using vandrel::Mode;
using vandrel::ResultLabel;
using vandrel::SolveEnd;
using Texts = std::map<Field, std::string>;

constexpr const char* too_long = "Maximum length for any input field is 6 characters";

// One run from the window's start state, and what it must leave behind.
// Fields and labels not listed are not checked.
struct Case {
    const char* name;
    Mode mode;
    Texts texts;
    std::vector<std::string> messages;
    Texts fields;
    std::map<ResultLabel, std::string> labels;
    SolveEnd end = SolveEnd::completed;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class SolveCase : public ::testing::TestWithParam<Case> {};

TEST_P(SolveCase, LeavesTheWindowAsExpected) {
    const Case& c = GetParam();
    const BatchOutcome out = vandrel::solve_batch(c.mode, c.texts);
    EXPECT_EQ(out.end, c.end);
    EXPECT_EQ(out.graph_drawn, c.end == SolveEnd::completed);
    EXPECT_EQ(out.messages, c.messages);
    for (const auto& [field, text] : c.fields)
        EXPECT_EQ(out.fields.at(field), text) << vandrel::control_name(field);
    for (const auto& [label, caption] : c.labels)
        EXPECT_EQ(out.labels.at(label), caption) << vandrel::control_name(label);
}

const std::map<ResultLabel, std::string> startup_labels{
    {ResultLabel::r1, "R1 = 15k"}, {ResultLabel::r3, "R3 = 6.6k"}, {ResultLabel::r4, "R4 = 13.2k"},
    {ResultLabel::f3, "f3 =  17hz"}};
const std::map<ResultLabel, std::string> unsolved_labels{
    {ResultLabel::r3, "R3=??"}, {ResultLabel::r4, "R4=??"}, {ResultLabel::f3, "f3 = ?? hz"}};

const Case worked_values[] = {
    {"StartUp", Mode::butterworth, {}, {}, {{Field::freq_peak, "17"}, {Field::peakmag, "0"}, {Field::q, "0.707"}},
     startup_labels},
    {"ButterworthIgnoresTypedQ", Mode::butterworth, {{Field::q, "3"}}, {}, {{Field::q, "0.707"}}, startup_labels},
    {"SosQ1", Mode::sos, {{Field::cfilter, "1"}, {Field::freq, "17"}, {Field::q, "1"}}, {},
     {{Field::freq_peak, "24"}, {Field::peakmag, "1.2"}},
     {{ResultLabel::r3, "R3 = 4.6k"}, {ResultLabel::r4, "R4 = 18.7k"}, {ResultLabel::f3, "f3 =  13.3hz"}}},
    {"SosQ2", Mode::sos, {{Field::cfilter, "1"}, {Field::freq, "20"}, {Field::q, "2"}}, {},
     {{Field::freq_peak, "21.3"}, {Field::peakmag, "6.3"}},
     {{ResultLabel::r3, "R3 = 1.9k"}, {ResultLabel::r4, "R4 = 31.8k"}, {ResultLabel::f3, "f3 =  13.4hz"}}},
    {"SosTopCorner", Mode::sos, {{Field::cfilter, "10"}, {Field::freq, "1000"}, {Field::q, "10"}}, {},
     {{Field::freq_peak, "1002.5"}, {Field::peakmag, "20"}},
     {{ResultLabel::r3, "R3 = 0k"}, {ResultLabel::r4, "R4 = .31k"}, {ResultLabel::f3, "f3 =  644.7hz"}}},
    {"Peaking25Hz3dB", Mode::peaking, {{Field::cfilter, "1"}, {Field::freq_peak, "25"}, {Field::peakmag, "3"}}, {},
     {{Field::q, "1.304"}, {Field::freq, "21"}},
     {{ResultLabel::r3, "R3 = 2.9k"}, {ResultLabel::r4, "R4 = 19.7k"}, {ResultLabel::f3, "f3 =  15.1hz"}}},
    {"Peaking17Hz0dB", Mode::peaking, {{Field::freq_peak, "17"}, {Field::peakmag, "0"}}, {},
     {{Field::q, ".707"}, {Field::freq, "17"}}, startup_labels},
    {"Peaking1000Hz20dB", Mode::peaking, {{Field::cfilter, "1"}, {Field::freq_peak, "1000"}, {Field::peakmag, "20"}},
     {}, {{Field::q, "9.987"}, {Field::freq, "997.4"}},
     {{ResultLabel::r3, "R3 = 0k"}, {ResultLabel::r4, "R4 = 3.1k"}, {ResultLabel::f3, "f3 =  643hz"}}},
    {"PeakingFromSosPeak", Mode::peaking, {{Field::freq_peak, "24"}, {Field::peakmag, "1.2"}}, {},
     {{Field::q, ".991"}, {Field::freq, "16.8"}}, {}},
    {"Gain20", Mode::butterworth, {{Field::gain, "20"}}, {}, {{Field::gain, "20"}}, {{ResultLabel::r1, "R1 = 1.6k"}}},
    {"Gain1", Mode::butterworth, {{Field::gain, "1"}}, {}, {}, {{ResultLabel::r1, "R1 = 122.9k"}}},
    // A peak at or below 1 dB is cut to 0.01 dB.
    {"SmallPeakTakesTheFinerStep", Mode::sos, {{Field::q, "0.75"}}, {}, {{Field::freq_peak, "50.9"}, {Field::peakmag, ".05"}},
     {{ResultLabel::r3, "R3 = 6.2k"}, {ResultLabel::r4, "R4 = 14k"}, {ResultLabel::f3, "f3 =  16hz"}}},
    // R4 lies within a millionth of a step of its cut: 2 pi to eight digits
    // (6.2831853) gives .5, the full value .4.
    {"TwoPiToEightDigits", Mode::sos, {{Field::cfilter, "0.0001"}, {Field::freq, "1"}, {Field::q, "2.2"}}, {}, {},
     {{ResultLabel::r4, "R4 = 7002817.5k"}}},
};
INSTANTIATE_TEST_SUITE_P(WorkedValues, SolveCase, ::testing::ValuesIn(worked_values),
                         [](const auto& info) { return std::string(info.param.name); });

const Case limits[] = {
    {"GainAbove20", Mode::butterworth, {{Field::gain, "25"}}, {"Maximum gain is 20dB"}, {{Field::gain, "20"}},
     {{ResultLabel::r1, "R1 = 1.6k"}}},
    {"GainEmptyIsSilentZero", Mode::butterworth, {{Field::gain, ""}}, {}, {{Field::gain, "0"}},
     {{ResultLabel::r1, "R1=??"}, {ResultLabel::r3, "R3 = 6.6k"}}},
    {"GainTextIsSilentZero", Mode::butterworth, {{Field::gain, "abc"}}, {}, {{Field::gain, "0"}}, {}},
    {"GainNegative", Mode::butterworth, {{Field::gain, "-3"}}, {"Negative gain not allowed"}, {{Field::gain, "0"}},
     {{ResultLabel::r1, "R1=??"}, {ResultLabel::f3, "f3 =  17hz"}}},
    {"CapacitorText", Mode::butterworth, {{Field::cfilter, "abc"}}, {"Value for Capacitor must be greater than zero"},
     {{Field::cfilter, "0.0001"}}, {{ResultLabel::r3, "R3 = 66209.7k"}}},
    {"CapacitorZero", Mode::butterworth, {{Field::cfilter, "0"}}, {"Value for Capacitor must be greater than zero"},
     {{Field::cfilter, "0.0001"}}, {}},
    {"CapacitorExactly10", Mode::butterworth, {{Field::cfilter, "10"}}, {}, {{Field::cfilter, "10"}}, {}},
    {"CapacitorAbove10", Mode::butterworth, {{Field::cfilter, "10.5"}}, {"Value for Capacitor must not exceed 10uf"},
     {{Field::cfilter, "10"}}, {}},
    {"FrequencyBelow1", Mode::butterworth, {{Field::freq, "0.5"}},
     {"Value for Design Frequency must be at least 1hz"}, {{Field::freq, "1"}}, {}},
    {"FrequencyExactly1", Mode::sos, {{Field::freq, "1"}}, {}, {{Field::freq, "1"}}, {}},
    {"FrequencyExactly1000", Mode::sos, {{Field::freq, "1000"}}, {}, {{Field::freq, "1000"}}, {}},
    {"FrequencyAbove1000", Mode::sos, {{Field::freq, "1000.1"}},
     {"Value for Design Frequency must not exceed 1000hz"}, {{Field::freq, "1000"}}, {}},
    {"QExactly0707", Mode::sos, {{Field::q, "0.707"}}, {}, {{Field::q, "0.707"}}, {}},
    // The design goes on with the corrected Q: R4 and f3 are those of 0.707.
    {"QBelow0707", Mode::sos, {{Field::q, "0.7"}}, {"Value for Filter Q must not be less than 0.707"},
     {{Field::q, "0.707"}}, {{ResultLabel::r3, "R3 = 6.6k"}, {ResultLabel::r4, "R4 = 13.2k"}, {ResultLabel::f3, "f3 =  17hz"}}},
    {"QExactly10", Mode::sos, {{Field::q, "10"}}, {}, {{Field::q, "10"}}, {}},
    {"QAbove10ShowsPeakOfQ10", Mode::sos, {{Field::q, "12"}}, {"Value for Filter Q must not be more than 10"},
     {{Field::q, "10"}, {Field::freq_peak, "17"}, {Field::peakmag, "20"}}, {}},
    // Between 0.707 and 1/sqrt(2) the response has no peak.
    {"QJustBelowRootHalf", Mode::sos, {{Field::freq, "30"}, {Field::q, "0.7071"}}, {},
     {{Field::freq_peak, "30"}, {Field::peakmag, "0"}}, {}},
    {"PeakFrequencyBelow1", Mode::peaking, {{Field::freq_peak, "0.5"}},
     {"Value for Frequency of Peak must at least 1hz"}, {{Field::freq_peak, "1"}}, {}},
    {"PeakFrequencyAbove1000", Mode::peaking, {{Field::freq_peak, "1002.5"}},
     {"Value for Design Frequency of Peak must not exceed 1000hz"}, {{Field::freq_peak, "1000"}}, {}},
    {"PeakMagnitudeEmpty", Mode::peaking, {{Field::peakmag, ""}}, {}, {{Field::peakmag, "0"}}, {}},
    {"PeakMagnitudeZeroText", Mode::peaking, {{Field::peakmag, "0.00"}}, {}, {{Field::peakmag, "0"}}, {}},
    {"PeakMagnitudeNegative", Mode::peaking, {{Field::peakmag, "-2"}},
     {"The Peaking option only works with positive peaks"}, {{Field::peakmag, "0"}}, {}},
    {"PeakMagnitudeExactly20", Mode::peaking, {{Field::peakmag, "20"}}, {}, {{Field::peakmag, "20"}}, {}},
    {"PeakMagnitudeAbove20", Mode::peaking, {{Field::peakmag, "25"}}, {"Maximum Peak Magnitude is 20"},
     {{Field::peakmag, "20"}}, {}},
    {"TwoMessagesInStepOrder", Mode::sos, {{Field::cfilter, "20"}, {Field::q, "50"}},
     {"Value for Capacitor must not exceed 10uf", "Value for Filter Q must not be more than 10"},
     {{Field::cfilter, "10"}, {Field::q, "10"}}, {}},
    {"EveryFieldOutOfRange", Mode::peaking,
     {{Field::gain, "-1"}, {Field::cfilter, "11"}, {Field::freq_peak, "0"}, {Field::peakmag, "30"}},
     {"Negative gain not allowed", "Value for Capacitor must not exceed 10uf",
      "Value for Frequency of Peak must at least 1hz", "Maximum Peak Magnitude is 20"},
     {{Field::gain, "0"}, {Field::cfilter, "10"}, {Field::freq_peak, "1"}, {Field::peakmag, "20"}}, {}},
};
INSTANTIATE_TEST_SUITE_P(Limits, SolveCase, ::testing::ValuesIn(limits),
                         [](const auto& info) { return std::string(info.param.name); });

const Case length_checks[] = {
    {"SixCharactersPass", Mode::sos, {{Field::freq, "1000.0"}, {Field::cfilter, "0.0001"}, {Field::gain, "-12345"}},
     {"Negative gain not allowed"}, {}, {}},
    {"SevenCharactersStop", Mode::sos, {{Field::freq, "1000.00"}}, {too_long}, {{Field::freq, "1000.00"}},
     unsolved_labels, SolveEnd::too_long},
    {"BlanksCount", Mode::butterworth, {{Field::gain, " 6     "}}, {too_long}, {}, {{ResultLabel::r1, "R1=??"}},
     SolveEnd::too_long},
    // The gain stage has already run when a later field stops the run.
    {"StopKeepsEarlierSteps", Mode::butterworth, {{Field::gain, "25"}, {Field::freq, "1234567"}},
     {"Maximum gain is 20dB", too_long}, {{Field::gain, "20"}, {Field::freq_peak, "17"}},
     {{ResultLabel::r1, "R1 = 1.6k"}, {ResultLabel::r3, "R3=??"}}, SolveEnd::too_long},
    {"CapacitorTooLong", Mode::butterworth, {{Field::cfilter, "1.00000"}}, {too_long}, {}, unsolved_labels,
     SolveEnd::too_long},
    {"QTooLong", Mode::sos, {{Field::q, "0.70700"}}, {too_long}, {}, unsolved_labels, SolveEnd::too_long},
    {"PeakFieldsNotReadInSos", Mode::sos, {{Field::freq_peak, "12345678"}, {Field::peakmag, "abcdefgh"}}, {},
     {{Field::freq_peak, "17"}, {Field::peakmag, "0"}}, {}},
    {"FrequencyAndQNotReadInPeaking", Mode::peaking, {{Field::freq, "12345678"}, {Field::q, "abcdefgh"}}, {},
     {{Field::freq, "17"}, {Field::q, ".707"}}, {}},
    {"PeakFrequencyTooLong", Mode::peaking, {{Field::freq_peak, "100.000"}}, {too_long}, {}, unsolved_labels,
     SolveEnd::too_long},
    {"PeakMagnitudeTooLong", Mode::peaking, {{Field::peakmag, "1.00000"}}, {too_long}, {}, unsolved_labels,
     SolveEnd::too_long},
};
INSTANTIATE_TEST_SUITE_P(LengthCheck, SolveCase, ::testing::ValuesIn(length_checks),
                         [](const auto& info) { return std::string(info.param.name); });

// Inputs that pass every limit yet admit no finite design.
const Case no_design[] = {
    {"HugeGainIsLimited", Mode::butterworth, {{Field::gain, "1E999"}}, {"Maximum gain is 20dB"},
     {{Field::gain, "20"}}, {{ResultLabel::r1, "R1 = 1.6k"}}},
    {"HugeNegativeGain", Mode::butterworth, {{Field::gain, "-1E999"}}, {"Negative gain not allowed"},
     {{Field::gain, "0"}}, {}},
    {"HugeCapacitorIsLimited", Mode::butterworth, {{Field::cfilter, "1E999"}},
     {"Value for Capacitor must not exceed 10uf"}, {{Field::cfilter, "10"}}, {}},
    {"HugeFrequencyIsLimited", Mode::sos, {{Field::freq, "1E999"}},
     {"Value for Design Frequency must not exceed 1000hz"}, {{Field::freq, "1000"}}, {}},
    {"VanishingGain", Mode::butterworth, {{Field::gain, "1E-20"}},
     {"Gain is too small to be set with R1: use 0 for a plain follower"}, {{Field::gain, "1E-20"}},
     {{ResultLabel::r1, "R1=??"}, {ResultLabel::r3, "R3 = 6.6k"}}},
    {"SmallGainStillHasR1", Mode::butterworth, {{Field::gain, ".001"}}, {}, {}, {{ResultLabel::r1, "R1 = 130280.8k"}}},
    {"TinyCapacitor", Mode::butterworth, {{Field::cfilter, "1E-307"}},
     {"Value for Capacitor is too small: no filter can be designed"}, {{Field::cfilter, "1E-307"}},
     unsolved_labels, SolveEnd::no_design},
    {"SubnormalCapacitor", Mode::butterworth, {{Field::cfilter, "1E-320"}},
     {"Value for Capacitor is too small: no filter can be designed"}, {}, unsolved_labels, SolveEnd::no_design},
    {"PeakWithDesignFrequencyZero", Mode::peaking, {{Field::freq_peak, "1"}, {Field::peakmag, "0.0001"}},
     {"No filter can be designed for this peak: its design frequency is below 0.1hz"},
     {{Field::q, ".708"}, {Field::freq, "0"}}, unsolved_labels, SolveEnd::no_design},
    {"PeakWithDesignFrequencyBelow1Hz", Mode::peaking, {{Field::freq_peak, "2"}, {Field::peakmag, "0.01"}}, {},
     {{Field::q, ".724"}, {Field::freq, ".4"}}, {}},
};
INSTANTIATE_TEST_SUITE_P(NoDesign, SolveCase, ::testing::ValuesIn(no_design),
                         [](const auto& info) { return std::string(info.param.name); });

// The window held in memory starts as the real one, with the design texts
// and the diagram with the gain stage, and follows the gain field.
TEST(BatchWindow, StartsAsTheWindowAndFollowsTheGainField) {
    const vandrel::BatchWindow start(Mode::sos);
    EXPECT_EQ(start.outcome().fields, (Texts{{Field::cfilter, "1.0"}, {Field::gain, "6"}, {Field::freq, "17"},
                                             {Field::q, "0.707"}, {Field::freq_peak, "17"}, {Field::peakmag, "0"}}));
    EXPECT_TRUE(start.outcome().gain_stage_shown);
    struct Row { const char* gain; bool shown; };
    for (const Row& r : {Row{"0.5", true}, Row{"25", true}, Row{"-3", false}, Row{"abc", false}, Row{"", false}})
        EXPECT_EQ(vandrel::solve_batch(Mode::sos, {{Field::gain, r.gain}}).gain_stage_shown, r.shown) << r.gain;
}

// A window that logs every operation Solve makes, with the gain field's
// change handler logging what it would show.
class LoggingWindow : public vandrel::BatchWindow {
public:
    using BatchWindow::BatchWindow;
    std::vector<std::string> log;
    void set_field_text(Field f, std::string_view text) override;
    void message(std::string_view text) override { log.push_back("message " + std::string(text)); }
    void set_result_caption(ResultLabel l, std::string_view c) override {
        log.push_back(std::string(vandrel::control_name(l)) + " " + std::string(c));
    }
    void draw_graph() override { log.emplace_back("graph"); }
};

void LoggingWindow::set_field_text(Field f, std::string_view text) {
    BatchWindow::set_field_text(f, text);
    log.push_back(std::string(vandrel::control_name(f)) + " " + std::string(text));
    if (f == Field::gain) log.push_back(vandrel::gain_stage_shown(text) ? "  with gain" : "  without gain");
}

std::vector<std::string> run_logged(Mode mode, const Texts& texts) {
    LoggingWindow w(mode);
    for (const auto& [f, t] : texts) w.BatchWindow::set_field_text(f, t);
    vandrel::Module1 design;
    vandrel::solve(w, design);
    return w.log;
}

TEST(SolveOrder, GainCorrectionRunsTheChangeHandlerAtOnce) {
    EXPECT_EQ(run_logged(Mode::sos, {{Field::gain, "25"}, {Field::q, "1"}}),
              (std::vector<std::string>{"message Maximum gain is 20dB", "txt_gain 20", "  with gain",
                                        "lbl_r1 R1 = 1.6k", "txt_freq_peak 24", "txt_peakmag 1.2", "lbl_r3 R3 = 4.6k",
                                        "lbl_r4 R4 = 18.7k", "lbl_f3 f3 =  13.3hz", "graph"}));
}

TEST(SolveOrder, NegativeGainIsReportedAfterTheFieldReadsZero) {
    EXPECT_EQ(run_logged(Mode::peaking, {{Field::gain, "-3"}, {Field::freq_peak, "25"}, {Field::peakmag, ""}}),
              (std::vector<std::string>{"txt_gain 0", "  without gain", "message Negative gain not allowed",
                                        "txt_peakmag 0", "txt_q .707", "txt_freq 25", "lbl_r3 R3 = 4.5k",
                                        "lbl_r4 R4 = 9k", "lbl_f3 f3 =  25hz", "graph"}));
}

TEST(SolveOrder, CorrectionsComeMessageFirst) {
    EXPECT_EQ(run_logged(Mode::butterworth, {{Field::gain, "0"}, {Field::cfilter, "-1"}, {Field::freq, "2000"}}),
              (std::vector<std::string>{
                  "txt_gain 0", "  without gain", "message Value for Capacitor must be greater than zero",
                  "txt_cfilter 0.0001", "message Value for Design Frequency must not exceed 1000hz", "txt_freq 1000",
                  "txt_freq_peak 1000", "txt_peakmag 0", "lbl_r3 R3 = 1125.5k", "lbl_r4 R4 = 2250.4k",
                  "lbl_f3 f3 =  1000.1hz", "graph"}));
}

TEST(SolveDesign, StartUpValues) {
    const auto d = vandrel::solve_batch(Mode::butterworth, {}).design;
    EXPECT_EQ(d.gain, 6);
    EXPECT_EQ(d.r_feedback, 15);
    EXPECT_EQ(d.r1, 15);
    EXPECT_EQ(d.cfilter, 1);
    EXPECT_EQ(d.f0, 17);
    EXPECT_EQ(d.q, 0.707);
    EXPECT_EQ(d.freq_peak, 0);  // Q 0.707 gives no peak, so nothing is stored
    EXPECT_EQ(d.peakmag, 0);
    EXPECT_NEAR(d.xc, 9.36206, 1e-5);
    EXPECT_DOUBLE_EQ(d.r3, 6.6);
    EXPECT_DOUBLE_EQ(d.r4, 13.2);
    EXPECT_EQ(d.f3, 17);
}

TEST(SolveDesign, StopKeepsOnlyTheStepsBeforeIt) {
    const auto out = vandrel::solve_batch(Mode::sos, {{Field::gain, "-2"}, {Field::cfilter, "3"}, {Field::q, "1.23456"}});
    vandrel::Module1 expected;
    expected.gain = -2;  // kept, though nothing after the gain step uses it
    expected.cfilter = 3;
    expected.f0 = 17;
    EXPECT_EQ(out.design, expected);
}

TEST(SolveDesign, PeakingTwiceGivesTheSameResults) {
    vandrel::BatchWindow w(Mode::peaking);
    w.set_field_text(Field::freq_peak, "25");
    w.set_field_text(Field::peakmag, "3");
    vandrel::Module1 design;
    ASSERT_EQ(vandrel::solve(w, design), SolveEnd::completed);
    const BatchOutcome first = w.outcome();
    const vandrel::Module1 first_design = design;
    ASSERT_EQ(vandrel::solve(w, design), SolveEnd::completed);
    EXPECT_EQ(w.outcome().fields, first.fields);
    EXPECT_EQ(w.outcome().labels, first.labels);
    EXPECT_EQ(design, first_design);
}

TEST(SolveDesign, NoDesignLeavesThePreviousResults) {
    vandrel::BatchWindow w(Mode::peaking);
    vandrel::Module1 design;
    ASSERT_EQ(vandrel::solve(w, design), SolveEnd::completed);
    const auto solved_labels = w.outcome().labels;
    const vandrel::Module1 solved = design;
    w.set_field_text(Field::cfilter, "1E-307");
    EXPECT_EQ(vandrel::solve(w, design), SolveEnd::no_design);
    EXPECT_EQ(w.outcome().labels, solved_labels);
    EXPECT_EQ(design.xc, solved.xc);
    EXPECT_EQ(design.r3, solved.r3);
    EXPECT_EQ(design.r4, solved.r4);
    EXPECT_EQ(design.f3, solved.f3);
    EXPECT_EQ(design.cfilter, 1e-307);
}

// Resistances cut down: 0.1 kOhm above 1 kOhm, 0.01 kOhm at or below it;
// R3/R4 = 4 q^2 before cutting.
TEST(SolveDesign, ResistorSteps) {
    struct Row { const char* c; const char* f; const char* r3; const char* r4; };
    for (const Row& r : {Row{"10", "1000", "R3 = .01k", "R4 = .02k"}, Row{"1", "200", "R3 = .56k", "R4 = 1.1k"},
                         Row{"10", "2", "R3 = 5.6k", "R4 = 11.2k"}}) {
        const auto out = vandrel::solve_batch(Mode::butterworth, {{Field::cfilter, r.c}, {Field::freq, r.f}});
        EXPECT_EQ(out.labels.at(ResultLabel::r3), r.r3) << r.c << " uF " << r.f << " Hz";
        EXPECT_EQ(out.labels.at(ResultLabel::r4), r.r4) << r.c << " uF " << r.f << " Hz";
    }
}

}  // namespace
