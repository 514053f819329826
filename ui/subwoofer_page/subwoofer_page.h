// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Parts window's Subwoofer page: the driver, the box and the drive
// behind the filter of the first page, what the subwoofer does without and
// with that filter, a measurement to compare with, and a suggested filter
// that the main window takes (and gives back).

#include <QWidget>

#include <map>
#include <optional>
#include <vector>

#include "parts_module.h"
#include "speaker_model.h"
#include "vandrel/speaker/measurement.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace vandrel::ui {

class PartsPanes;
class ReportTable;
class SpeakerPlot;
class SuggestRunner;
class ValueBox;

class SubwooferPage final : public QWidget {
    Q_OBJECT
public:
    /// A page that puts designs into the main window through `main` (may
    /// be null: then "Use this design" and "Back to the previous design"
    /// stay disabled).
    explicit SubwooferPage(MainWindowDesign* main, QWidget* parent = nullptr);
    ~SubwooferPage() override;

    /// Follows the filter of the first page: at once where the page is
    /// shown, else when it is next shown.
    void show_filter(const SpeakerFilter& filter);
    /// Works out what is not up to date yet, for a file written from it.
    void bring_up_to_date();

    /// The inputs as the fields hold them (the last value each took).
    SpeakerInputs inputs() const;
    /// Puts `inputs` into the fields (as a driver file does), keeps them and
    /// works the figures out anew.
    void put_inputs(const SpeakerInputs& inputs);
    /// Shows the measurement at `path` and keeps it; says why not in
    /// `failure`, leaving none shown then.
    bool use_measurement(const QString& path, QString* failure);
    /// The path of the measurement shown; "" for none.
    const QString& measurement_path() const { return measurement_path_; }
    /// What the page shows now.
    const SpeakerFigures& figures() const { return figures_; }
    const SpeakerFilter& filter() const { return filter_; }
    /// The last suggestion, while the inputs are those it was made for.
    const std::optional<speaker::Suggestion>& suggestion() const { return suggestion_; }
    /// Whether a measurement is loaded.
    bool has_measurement() const { return measurement_.has_value(); }
    /// The label of a figure or note by its name ("system_f3_with",
    /// "system_loud20_with", "system_unsafe", "system_box",
    /// "system_limits", "system_port").
    QLabel* cell(const QString& name) const;
    /// The line under a number field that says why its text is refused
    /// (and, under Ql, that a value typed is kept).
    QLabel* note_of(const ValueBox* field) const;
    /// The controls Tab goes through, in reading order.
    std::vector<QWidget*> tab_order() const;
    /// The least width of the inputs' pane.
    int least_width() const;

    // Event handlers.
    void input_Change();
    void box_Change();
    void ql_Change();
    void name_Change();
    void input_Problem();
    void cmd_open_driver_Click();
    void cmd_save_driver_Click();
    void cmd_open_measurement_Click();
    void cmd_clear_measurement_Click();
    void cmd_suggest_Click();
    void cmd_use_Click();
    void cmd_back_Click();

    // The controls, each with its name as object name.
    QLineEdit* txt_name = nullptr;
    ValueBox* spn_fs = nullptr;
    ValueBox* spn_qes = nullptr;
    ValueBox* spn_qms = nullptr;
    ValueBox* spn_qts = nullptr;
    ValueBox* spn_vas = nullptr;
    ValueBox* spn_re = nullptr;
    ValueBox* spn_sd = nullptr;
    ValueBox* spn_xmax = nullptr;
    ValueBox* spn_le = nullptr;
    ValueBox* spn_pe = nullptr;
    QRadioButton* opt_sealed = nullptr;
    QRadioButton* opt_vented = nullptr;
    ValueBox* spn_vb = nullptr;
    ValueBox* spn_fb = nullptr;
    ValueBox* spn_ql = nullptr;
    ValueBox* spn_port = nullptr;
    QRadioButton* opt_volts = nullptr;
    QRadioButton* opt_watts = nullptr;
    ValueBox* spn_volts = nullptr;
    ValueBox* spn_watts = nullptr;
    QRadioButton* opt_amp_volts = nullptr;
    QRadioButton* opt_amp_watts = nullptr;
    ValueBox* spn_amp_volts = nullptr;
    ValueBox* spn_amp_watts = nullptr;
    ValueBox* spn_port_limit = nullptr;
    QPushButton* cmd_open_driver = nullptr;
    QPushButton* cmd_save_driver = nullptr;
    QPushButton* cmd_open_measurement = nullptr;
    QPushButton* cmd_clear_measurement = nullptr;
    QPushButton* cmd_suggest = nullptr;
    QPushButton* cmd_use = nullptr;
    QPushButton* cmd_back = nullptr;
    QLabel* lbl_driver_note = nullptr;
    QLabel* lbl_measurement = nullptr;
    QLabel* lbl_problems = nullptr;
    QLabel* lbl_units = nullptr;
    QLabel* lbl_warnings = nullptr;
    QLabel* lbl_suggestion = nullptr;
    ReportTable* table = nullptr;
    SpeakerPlot* plot = nullptr;
    PartsPanes* panes = nullptr;

signals:
    /// The panes moved between the splitter and the tabs, which upsets the
    /// order Tab goes in.
    void rearranged();
    /// The figures were worked out anew.
    void updated();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* build_driver();
    QGroupBox* build_box();
    QGroupBox* build_drive();
    QGroupBox* build_limits();
    QGroupBox* build_measurement();
    QGroupBox* build_suggestion();
    void build_figures(QWidget* parent);
    void connect_handlers();
    void set_inputs(const SpeakerInputs& inputs);
    /// The enabled fields and options for the box and the drive chosen.
    void enable_for_choices();
    /// Works the figures out again and shows them.
    void update_figures();
    void show_suggestion();
    /// The lines under the number fields, the one being typed in kept in view.
    void show_field_notes();
    void arrange();
    /// Reads the measurement at `path`; says why not in `failure`.
    bool load_measurement(const QString& path, QString* failure);
    std::vector<ValueBox*> number_fields() const;
    /// Says which values typed in another unit were converted, and to what.
    void show_conversions();
    static QString no_measurement_text();

    MainWindowDesign* main_;
    SpeakerFilter filter_;
    bool has_filter_ = false;
    bool stale_ = true;
    bool loading_ = false;
    bool arranging_ = false;
    bool ql_typed_ = false;
    /// A search was started: the focus goes to "Use this design" (or back
    /// to "Suggest a filter") when it ends.
    bool refocus_after_search_ = false;
    SpeakerFigures figures_;
    std::map<QString, QLabel*> cells_;
    std::optional<speaker::Measurement> measurement_;
    QString measurement_path_;
    std::optional<speaker::Suggestion> suggestion_;
    SuggestRunner* runner_ = nullptr;
    QScrollArea* inputs_scroll_ = nullptr;
    QWidget* inputs_ = nullptr;       ///< in the scroll area
    QWidget* inputs_pane_ = nullptr;  ///< the page's message, the scroll area and the suggestion
    QGroupBox* suggestion_group_ = nullptr;
    QButtonGroup* box_group_ = nullptr;
    QButtonGroup* drive_group_ = nullptr;
    QButtonGroup* amp_group_ = nullptr;
};

}  // namespace vandrel::ui
