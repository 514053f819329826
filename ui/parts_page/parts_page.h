// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Parts window's first page: the choices of parts, the figures of the
// parts chosen (the report) and their response (the plot), for the last
// design Solve completed.

#include <QWidget>

#include <optional>
#include <utility>
#include <vector>

#include "parts_model.h"
#include "widgets/arrangement.h"

class QComboBox;
class QLabel;
class QScrollArea;

namespace vandrel::ui {

class PartsPanes;
class PartsReport;
class ResponsePlot;
class ValueBox;
class WrapRow;

class PartsPage final : public QWidget {
    Q_OBJECT
public:
    explicit PartsPage(QWidget* parent = nullptr);

    /// Takes the design to show; the figures follow on update_figures().
    void show_design(const Module1& design, Mode mode);
    /// Works the figures out again for the design and the choices, and
    /// shows them; false while there is no design yet.
    bool update_figures();

    /// The choices as the controls hold them (the last value each number
    /// field took).
    PartsChoices choices() const;
    void set_choices(const PartsChoices& choices);
    /// What the page shows now.
    const PartsFigures& figures() const { return figures_; }
    /// How the report and the plot share the page now.
    Arrangement arrangement() const;
    /// Arranges the panes for the page's size and the report's width.
    void arrange();

    /// The least width of a readable page, margins left out.
    int least_width() const;
    /// The least height of a readable page at `width`, its panes' tab
    /// bar and a short plot included.
    int least_height(int width, int least_pane_height) const;
    /// The controls Tab goes through, in reading order.
    std::vector<QWidget*> tab_order() const;

    // Event handlers.
    void choice_Change();
    void input_Problem();

    // The controls, each with its name as object name.
    QComboBox* cbo_series = nullptr;
    QComboBox* cbo_combine = nullptr;
    QComboBox* cbo_capacitor = nullptr;
    ValueBox* spn_r_tol = nullptr;
    ValueBox* spn_c_tol = nullptr;
    ValueBox* spn_load = nullptr;
    ValueBox* spn_source_v = nullptr;
    ValueBox* spn_supply = nullptr;
    ValueBox* spn_amp_sensitivity = nullptr;
    QLabel* lbl_input_problem = nullptr;
    QLabel* lbl_failure = nullptr;
    PartsReport* report = nullptr;
    ResponsePlot* plot = nullptr;
    PartsPanes* panes = nullptr;

signals:
    /// The user changed a choice: the figures are to be worked out anew.
    void changed();
    /// The panes moved between the splitter and the tabs, which upsets the
    /// order Tab goes in.
    void rearranged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* build_choices();
    /// The number fields, in the order the page shows them.
    std::vector<ValueBox*> number_fields() const;
    void build_controls();

    std::optional<std::pair<Module1, Mode>> design_;
    PartsFigures figures_;
    QScrollArea* report_scroll_ = nullptr;
    WrapRow* choices_row_ = nullptr;
    bool loading_ = false;
    bool arranging_ = false;
    bool arrange_again_ = false;
};

}  // namespace vandrel::ui
