// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names and design values of the main window's inputs and results, shared by
// the window, the command-line solver and the tests.

#include <array>
#include <string_view>

namespace vandrel {

/// The six input fields, in the order the window lists them.
enum class Field { cfilter, gain, freq, q, freq_peak, peakmag };

/// The four result labels.
enum class ResultLabel { r1, r3, r4, f3 };

/// The three design modes (one option group).
enum class Mode { butterworth, sos, peaking };

inline constexpr std::array<Field, 6> all_fields{Field::cfilter, Field::gain, Field::freq,
                                                 Field::q, Field::freq_peak, Field::peakmag};
inline constexpr std::array<ResultLabel, 4> all_result_labels{ResultLabel::r1, ResultLabel::r3,
                                                              ResultLabel::r4, ResultLabel::f3};
inline constexpr std::array<Mode, 3> all_modes{Mode::butterworth, Mode::sos, Mode::peaking};

/// Control name of a field, e.g. "txt_gain".
std::string_view control_name(Field field);
/// Control name of a result label, e.g. "lbl_r1".
std::string_view control_name(ResultLabel label);
/// Control name of a mode option, e.g. "opt_butterworth".
std::string_view control_name(Mode mode);
/// Caption of a mode option, e.g. "SOS User-specified".
std::string_view mode_caption(Mode mode);

/// Text a field holds when the window is created ("1.0", "6", "17", ...).
std::string_view design_text(Field field);
/// Caption a result label holds until Solve replaces it ("R1=??", ...).
std::string_view design_caption(ResultLabel label);

/// The Q that the Butterworth mode puts into the Q field.
inline constexpr std::string_view butterworth_q_text = "0.707";

/// The application's title: the caption of every message box.
inline constexpr std::string_view app_title = "vandrel";

/// The program's version text.
inline constexpr std::string_view program_version = "1.01";

/// Whether a gain text calls for the gain stage (R1 and the with-gain
/// diagram): its number is above 0. Text without a number reads as 0.
bool gain_stage_shown(std::string_view gain_text);

}  // namespace vandrel
