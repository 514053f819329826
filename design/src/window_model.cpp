// SPDX-License-Identifier: GPL-3.0-or-later
#include "vandrel/window_model.h"

#include "vandrel/number_text.h"

namespace vandrel {

std::string_view control_name(Field field) {
    switch (field) {
    case Field::cfilter: return "txt_cfilter";
    case Field::gain: return "txt_gain";
    case Field::freq: return "txt_freq";
    case Field::q: return "txt_q";
    case Field::freq_peak: return "txt_freq_peak";
    case Field::peakmag: return "txt_peakmag";
    }
    return {};
}

std::string_view control_name(ResultLabel label) {
    switch (label) {
    case ResultLabel::r1: return "lbl_r1";
    case ResultLabel::r3: return "lbl_r3";
    case ResultLabel::r4: return "lbl_r4";
    case ResultLabel::f3: return "lbl_f3";
    }
    return {};
}

std::string_view control_name(Mode mode) {
    switch (mode) {
    case Mode::butterworth: return "opt_butterworth";
    case Mode::sos: return "opt_sos";
    case Mode::peaking: return "opt_peaking";
    }
    return {};
}

std::string_view mode_caption(Mode mode) {
    switch (mode) {
    case Mode::butterworth: return "Butterworth";
    case Mode::sos: return "SOS User-specified";
    case Mode::peaking: return "Peaking";
    }
    return {};
}

std::string_view design_text(Field field) {
    switch (field) {
    case Field::cfilter: return "1.0";
    case Field::gain: return "6";
    case Field::freq: return "17";
    case Field::q: return "0.707";
    case Field::freq_peak: return "17";
    case Field::peakmag: return "0";
    }
    return {};
}

std::string_view design_caption(ResultLabel label) {
    switch (label) {
    case ResultLabel::r1: return "R1=??";
    case ResultLabel::r3: return "R3=??";
    case ResultLabel::r4: return "R4=??";
    case ResultLabel::f3: return "f3 = ?? hz";
    }
    return {};
}

}  // namespace vandrel

namespace vandrel {

bool gain_stage_shown(std::string_view gain_text) { return text_to_number(gain_text) > 0; }

}  // namespace vandrel
