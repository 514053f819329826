// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's event handlers: Solve and what it asks of the window,
// the design modes, the views and the menu commands.
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QRadioButton>

#include "controls.h"
#include "frm_vandrel.h"
#include "menu_commands.h"
#include "message_sink.h"
#include "picture_box.h"
#include "picture_texts.h"
#include "pictures.h"
#include "qt_picture_surface.h"
#include "qtext.h"
#include "vandrel/graph.h"

using vandrel::Field;
using vandrel::Mode;
using vandrel::ResultLabel;
using vandrel::ui::to_qstring;
using namespace vandrel::ui::controls;

// --- Solve -------------------------------------------------------------------

void frm_vandrel::Command1_Click() {
    // The Parts window follows every design that Solve completes; one of
    // the user's own leaves no design to go back to.
    if (vandrel::solve(*this, design_) != vandrel::SolveEnd::completed) return;
    if (!solving_from_parts_) previous_.reset();
    for (Mode mode : vandrel::all_modes)
        if (mode_selected(mode)) parts_.solved(design_, mode);
}

// A design from the Parts window: the mode and its fields as the user would
// set them (the mode's handler gives the Butterworth Q), then Solve. What
// they held before is kept to go back to.
void frm_vandrel::solve_design(Mode mode, std::string_view freq_text, std::string_view q_text) {
    Mode before = Mode::butterworth;
    for (Mode m : vandrel::all_modes)
        if (mode_selected(m)) before = m;
    previous_ = EarlierDesign{before, txt_freq->text(), txt_q->text(), txt_freq_peak->text(), txt_peakmag->text()};
    mode_option(mode)->setChecked(true);
    txt_freq->setText(to_qstring(freq_text));
    if (mode != Mode::butterworth) txt_q->setText(to_qstring(q_text));
    solving_from_parts_ = true;
    Command1->click();
    solving_from_parts_ = false;
}

void frm_vandrel::back_to_previous_design() {
    if (!previous_) return;
    const EarlierDesign earlier = *previous_;
    previous_.reset();
    // The mode first: its handler writes the Butterworth Q.
    mode_option(earlier.mode)->setChecked(true);
    txt_freq->setText(earlier.freq);
    if (earlier.mode != Mode::butterworth) txt_q->setText(earlier.q);
    txt_freq_peak->setText(earlier.freq_peak);
    txt_peakmag->setText(earlier.peakmag);
    Command1->click();
}

std::string frm_vandrel::field_text(Field which) const { return field(which)->text().toStdString(); }

void frm_vandrel::set_field_text(Field which, std::string_view text) {
    // Setting the gain field runs txt_gain_Change right here.
    field(which)->setText(to_qstring(text));
}

bool frm_vandrel::mode_selected(Mode which) const { return mode_option(which)->isChecked(); }

void frm_vandrel::message(std::string_view text) { vandrel::ui::message_sink().message(this, to_qstring(text)); }

void frm_vandrel::set_result_caption(ResultLabel which, std::string_view caption) {
    result_label(which)->setText(to_qstring(caption));
}

void frm_vandrel::draw_graph() {
    const vandrel::ui::PictureText text = vandrel::ui::graph_text(design_);
    picture_graph->setAccessibleName(text.name);
    picture_graph->setAccessibleDescription(text.description);
    // The graph of this design, drawn again if the pixel density changes.
    picture_graph->draw([f0 = design_.f0, q = design_.q, font = picture_graph->font()](QImage& canvas) {
        vandrel::ui::QtPictureSurface surface(canvas, font);
        vandrel::draw_graph(surface, f0, q);
    });
}

// --- Design modes ------------------------------------------------------------

void frm_vandrel::opt_butterworth_Click() { set_mode_controls(); }
void frm_vandrel::opt_sos_Click() { set_mode_controls(); }
void frm_vandrel::opt_peaking_Click() { set_mode_controls(); }

void frm_vandrel::set_mode_controls() {
    // The peak fields with their captions: a look, then shown.
    const auto show_peak_fields = [this](void (*look)(QLineEdit*)) {
        for (auto [box, caption] : {std::pair{txt_freq_peak, lbl_freq_peak}, std::pair{txt_peakmag, lbl_peakmag}}) {
            look(box);
            box->show();
            caption->show();
        }
    };
    if (opt_butterworth->isChecked()) {
        input_look(txt_freq);
        output_look(txt_q);
        txt_q->setText(to_qstring(vandrel::butterworth_q_text));
        // Hidden as they are: the next mode sets their look again.
        for (QWidget* w : std::initializer_list<QWidget*>{txt_freq_peak, lbl_freq_peak, txt_peakmag, lbl_peakmag})
            w->hide();
    }
    if (opt_sos->isChecked()) {
        input_look(txt_freq);
        input_look(txt_q);
        show_peak_fields(output_look);
    }
    if (opt_peaking->isChecked()) {
        output_look(txt_freq);
        output_look(txt_q);
        show_peak_fields(input_look);
    }
}

// --- Views -------------------------------------------------------------------

void frm_vandrel::opt_showcircuit_Click() {
    picture_circuit->show();
    picture_graph->hide();
}

void frm_vandrel::opt_showgraph_Click() {
    picture_circuit->hide();
    picture_graph->show();
}

void frm_vandrel::txt_gain_Change() {
    // Text without a number, and a number too large for a double, read as
    // finite numbers, so any text picks one of the two diagrams.
    const bool with_gain = vandrel::gain_stage_shown(txt_gain->text().toStdString());
    lbl_r1->setVisible(with_gain);
    const auto which = with_gain ? vandrel::pictures::Diagram::with_gain : vandrel::pictures::Diagram::without_gain;
    show_diagram(picture_circuit, which, diagram(which));
}

// --- Menu ----------------------------------------------------------------------

void frm_vandrel::mnu_print_Click() { vandrel::ui::print_client_area(this, centralWidget()); }

void frm_vandrel::mnu_about_Click() { vandrel::ui::show_about(this); }

void frm_vandrel::mnu_parts_Click() { parts_.open(this, this, vandrel::ui::WindowPage::parts); }

void frm_vandrel::mnu_subwoofer_Click() { parts_.open(this, this, vandrel::ui::WindowPage::subwoofer); }
