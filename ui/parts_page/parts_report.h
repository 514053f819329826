// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The figures of the Parts window as a report: the parts list, the section
// as built next to the exact design, the whole path and the tolerance
// spread. Every value is a label named "<table>_<row>_<column>", e.g.
// "parts_r3_chosen", "section_f3_built", "path_gain_value",
// "tolerance_peak_p95"; the warnings of a part are under its row
// ("parts_r3_warning", "parts_c_warning"), those of the path under its
// figures ("path_warning"). The levels at full scale are the table
// "levels" ("levels_section_headroom"), with "levels_note" and
// "levels_warning" below it.

#include <QWidget>

#include <functional>
#include <map>
#include <vector>

#include "parts_model.h"

class QLabel;

namespace vandrel::ui {

class ReportTable;

class PartsReport final : public QWidget {
public:
    explicit PartsReport(QWidget* parent = nullptr);
    /// Shows the figures of a buildable set of parts.
    void show_figures(const PartsFigures& figures);
    /// The label of one value or note, by its name.
    QLabel* cell(const QString& name) const;

    /// Each table as a form (a narrow window) or as a grid.
    void set_form(bool form);
    bool is_form() const { return form_; }
    /// The width the report takes as a grid, and as a form.
    int grid_width() const;
    int form_width() const;

private:
    void set(const QString& name, const std::string& text);
    /// The levels' table, given to `add`, which lays it out.
    void add_levels_table(const std::function<ReportTable*(ReportTable*)>& add);
    void show_levels(const PartsFigures& figures);

    std::map<QString, QLabel*> cells_;
    std::vector<ReportTable*> tables_;
    ReportTable* path_box_ = nullptr;
    bool form_ = false;
};

}  // namespace vandrel::ui
