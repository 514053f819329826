// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The figures of the Parts window as a report: the parts list, the section
// as built next to the exact design, the whole path and the tolerance
// spread. Every value is a label named "<table>_<row>_<column>", e.g.
// "parts_r3_chosen", "section_f3_built", "path_gain_value",
// "tolerance_peak_p95".

#include <QWidget>

#include <map>

#include "parts_model.h"

class QGroupBox;
class QLabel;

namespace vandrel::ui {

class PartsReport final : public QWidget {
public:
    explicit PartsReport(QWidget* parent = nullptr);
    /// Shows the figures of a buildable set of parts.
    void show_figures(const PartsFigures& figures);
    /// The label of one value, by its name.
    QLabel* cell(const QString& name) const;

private:
    void set(const QString& name, const std::string& text);

    std::map<QString, QLabel*> cells_;
    QLabel* capacitor_ = nullptr;
    QGroupBox* path_box_ = nullptr;
    QLabel* tolerance_ = nullptr;
};

}  // namespace vandrel::ui
