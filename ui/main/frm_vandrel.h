// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the design inputs and modes, "Solve", the results, the
// circuit diagram or response graph above them, and the menu.

#include <QMainWindow>

#include <QString>

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "parts_command.h"
#include "vandrel/module1.h"
#include "vandrel/solve.h"
#include "vandrel/window_model.h"

class QAction;
class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vandrel::ui {
class PictureBox;
}
namespace vandrel::pictures {
enum class Diagram;
}

/// The program's start-up window. Creating it lays it out, selects the
/// Butterworth mode and solves the default design, so it opens solved.
class frm_vandrel final : public QMainWindow, private vandrel::SolveWindow, private vandrel::ui::MainWindowDesign {
    Q_OBJECT
public:
    explicit frm_vandrel(QWidget* parent = nullptr);
    ~frm_vandrel() override;

    /// The design variables, as the last Solve left them.
    const vandrel::Module1& design() const { return design_; }

    QLineEdit* field(vandrel::Field field) const;
    QLabel* result_label(vandrel::ResultLabel label) const;
    QRadioButton* mode_option(vandrel::Mode mode) const;

    // Event handlers.
    void Command1_Click();
    void opt_butterworth_Click();
    void opt_sos_Click();
    void opt_peaking_Click();
    void opt_showcircuit_Click();
    void opt_showgraph_Click();
    void txt_gain_Change();
    void mnu_print_Click();
    void mnu_about_Click();
    void mnu_parts_Click();
    void mnu_subwoofer_Click();

    // The controls, each with its name as object name.
    vandrel::ui::PictureBox* picture_graph = nullptr;
    QFrame* frame_controls = nullptr;
    QPushButton* Command1 = nullptr;
    QLineEdit* txt_cfilter = nullptr;
    QLineEdit* txt_gain = nullptr;
    QRadioButton* opt_sos = nullptr;
    QRadioButton* opt_peaking = nullptr;
    QRadioButton* opt_butterworth = nullptr;
    QLineEdit* txt_q = nullptr;
    QLineEdit* txt_freq = nullptr;
    QLineEdit* txt_freq_peak = nullptr;
    QLineEdit* txt_peakmag = nullptr;
    QFrame* Frame2 = nullptr;
    QRadioButton* opt_showcircuit = nullptr;
    QRadioButton* opt_showgraph = nullptr;
    QLabel* lbl_cfilter = nullptr;
    QLabel* lbl_gain = nullptr;
    QLabel* lbl_peakmag = nullptr;
    QLabel* lbl_freq_peak = nullptr;
    QLabel* lbl_q = nullptr;
    QLabel* lbl_freq = nullptr;
    QLabel* lbl_f3 = nullptr;
    QLabel* lbl_r1 = nullptr;
    QLabel* lbl_r4 = nullptr;
    QLabel* lbl_r3 = nullptr;
    QLabel* picture_circuit = nullptr;
    QLabel* image_nogain = nullptr;
    QLabel* image_gain = nullptr;
    QAction* mnu_print = nullptr;
    QAction* mnu_about = nullptr;
    QAction* mnu_parts = nullptr;
    QAction* mnu_subwoofer = nullptr;

    /// The design modes (Butterworth, SOS User-specified, Peaking).
    QButtonGroup* mode_group = nullptr;
    /// The view of the picture band (circuit or graph).
    QButtonGroup* view_group = nullptr;

protected:
    bool event(QEvent* event) override;

private:
    void build_controls();
    void build_menu();
    void connect_handlers();
    void set_tab_order();

    void Form_Load();
    void set_mode_controls();
    /// A circuit diagram from its holder, drawn there first when the holder
    /// has none yet, or one for another pixel density than the window's.
    QPixmap diagram(vandrel::pictures::Diagram which);

    // What Solve needs of the window.
    std::string field_text(vandrel::Field field) const override;
    void set_field_text(vandrel::Field field, std::string_view text) override;
    bool mode_selected(vandrel::Mode mode) const override;
    void message(std::string_view text) override;
    void set_result_caption(vandrel::ResultLabel label, std::string_view caption) override;
    void draw_graph() override;

    // What the Parts window may do here.
    void solve_design(vandrel::Mode mode, std::string_view freq_text, std::string_view q_text) override;
    vandrel::Mode mode_now() const override;
    std::string field_now(vandrel::Field field) const override;
    void solve_fields(vandrel::Mode mode, const std::map<vandrel::Field, std::string>& texts) override;

    bool has_previous_design() const override { return previous_.has_value(); }
    void back_to_previous_design() override;

    /// The mode and the design fields as they were before a design from
    /// the Parts window replaced them.
    struct EarlierDesign {
        vandrel::Mode mode;
        QString freq, q, freq_peak, peakmag;
    };

    vandrel::Module1 design_;
    vandrel::ui::PartsCommand parts_;
    /// Kept while the window shows the design the Parts window put in.
    std::optional<EarlierDesign> previous_;
    bool solving_from_parts_ = false;
};
