// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Parts window: the parts to buy for the main window's design, the
// response they really give, and the files to take it further.

#include <QWidget>

#include <functional>
#include <optional>

#include "parts_module.h"
#include "parts_page/parts_model.h"
#include "parts_placement.h"
#include "vandrel/project/design_file.h"
#include "widgets/arrangement.h"

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace vandrel::ui {
class PartsPage;
class PartsPanes;
class PartsReport;
class ResponsePlot;
class SubwooferPage;
class ValueBox;
class WrapRow;
}  // namespace vandrel::ui

/// A modeless top-level window beside the main window, which it closes
/// with. It shows the last design Solve completed on two pages: the parts
/// with the choices the user made (parts_page/), and the subwoofer behind
/// them (subwoofer_page/); while it is hidden it only notes a new design
/// and works it out when shown again. Below the pages, the commands save
/// what the page shown has.
class frm_parts final : public QWidget, public vandrel::ui::PartsWindow {
    Q_OBJECT
public:
    /// A window beside `main_window`, into which it puts designs through
    /// `design` (may be null: then it puts none).
    explicit frm_parts(QWidget* main_window, vandrel::ui::MainWindowDesign* design = nullptr);
    ~frm_parts() override;

    QWidget* widget() override { return this; }
    void show_design(const vandrel::Module1& design, vandrel::Mode mode) override;
    void show_page(vandrel::ui::WindowPage page) override;

    /// The choices as the controls hold them (the last value each number
    /// field took).
    vandrel::ui::PartsChoices choices() const;
    /// What the first page shows now.
    const vandrel::ui::PartsFigures& figures() const;
    /// How the report and the plot share the window now.
    vandrel::ui::Arrangement arrangement() const;
    /// The least client size of a readable layout at `width`, and the
    /// least width of one.
    int least_height(int width) const;
    int least_width() const;

    // Event handlers.
    void cmd_copy_Click();
    void cmd_spice_Click();
    void cmd_csv_Click();
    void cmd_plot_Click();
    void cmd_sheet_Click();
    void cmd_frd_Click();
    void cmd_kicad_Click();
    void mnu_open_design_Click();
    void mnu_save_design_Click();

    // The pages, and the controls, each with its name as object name (the
    // first page's are its own, named here too).
    vandrel::ui::PartsPage* parts = nullptr;
    QComboBox* cbo_series = nullptr;
    QComboBox* cbo_combine = nullptr;
    QComboBox* cbo_capacitor = nullptr;
    vandrel::ui::ValueBox* spn_r_tol = nullptr;
    vandrel::ui::ValueBox* spn_c_tol = nullptr;
    vandrel::ui::ValueBox* spn_load = nullptr;
    vandrel::ui::ValueBox* spn_source_v = nullptr;
    vandrel::ui::ValueBox* spn_supply = nullptr;
    vandrel::ui::ValueBox* spn_amp_sensitivity = nullptr;
    QLabel* lbl_input_problem = nullptr;
    QLabel* lbl_failure = nullptr;
    vandrel::ui::PartsReport* report = nullptr;
    vandrel::ui::ResponsePlot* plot = nullptr;
    vandrel::ui::PartsPanes* panes = nullptr;
    QPushButton* cmd_copy = nullptr;
    QPushButton* cmd_spice = nullptr;
    QPushButton* cmd_csv = nullptr;
    QPushButton* cmd_plot = nullptr;
    QPushButton* cmd_sheet = nullptr;
    QPushButton* cmd_frd = nullptr;
    QPushButton* cmd_kicad = nullptr;
    /// "Design file", whose menu holds "Open design…" and "Save design…".
    QPushButton* cmd_design = nullptr;
    QAction* mnu_open_design = nullptr;
    QAction* mnu_save_design = nullptr;
    QTabWidget* pages = nullptr;
    QWidget* parts_page = nullptr;
    vandrel::ui::SubwooferPage* subwoofer = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_controls();
    QWidget* build_commands();
    /// The commands for other programs and design files (FRD, KiCad, the
    /// design file's menu), made and connected.
    void build_file_commands();
    /// What those commands save from the page shown, and whether they can.
    void update_file_commands();
    /// Reads the design file at `path` and puts it into both windows, or
    /// says why not and changes nothing.
    void open_design(const QString& path);
    void set_tab_order();
    /// The commands enabled for what the page shown has, and saying what
    /// they save from it.
    void update_commands();
    bool on_subwoofer_page() const;
    /// Ctrl+Tab (`step` 1) and Ctrl+Shift+Tab (-1) from anywhere: the
    /// page's two tabs where it has them, else the pages.
    void step_tabs(int step);
    /// Ctrl+M: the main window in front, which this window may cover.
    void raise_main_window();
    /// Places the window for its first showing: where it was left, pulled
    /// onto the screen, or beside the main window.
    void place(QWidget* main_window);
    vandrel::ui::PlaceRequest place_request(QWidget* main_window, const QMargins& frame) const;
    /// The frame the window has, or will have: the main window's until it
    /// is shown.
    QMargins frame_margins() const;
    /// The least size, within the screen.
    void set_least_size();
    /// Works the figures out again and shows them, on both pages.
    void update_figures();
    /// Writes what `bytes` gives for the path the user picks, or says why it
    /// could not; `bytes` may refuse the path by giving nothing and saying why.
    /// Where `chosen_filter` is given, it holds the filter selected at first,
    /// and the one chosen once `bytes` is called.
    void save(const QString& caption, const QString& name, const QStringList& filters,
              const std::function<std::optional<QByteArray>(const QString& path)>& bytes,
              QString* chosen_filter = nullptr);

    QWidget* main_window_ = nullptr;
    vandrel::ui::MainWindowDesign* main_design_ = nullptr;
    vandrel::ui::WrapRow* commands_row_ = nullptr;
    /// Where Tab starts, which has the focus when the window first opens.
    QWidget* first_in_order_ = nullptr;
    bool stale_ = false;
    /// Designs shown so far, to tell whether a Solve showed one.
    int designs_shown_ = 0;
    /// The size of the first place, which the least size stays within: the
    /// window may be as small as placed, and never grows by itself.
    QSize squeezed_{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
};
