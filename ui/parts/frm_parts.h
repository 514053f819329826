// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Parts window: the parts to buy for the main window's design, the
// response they really give, and the files to take it further.

#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

#include "parts_model.h"
#include "parts_module.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace vandrel::ui {
class PartsReport;
class ResponsePlot;
}  // namespace vandrel::ui

/// A modeless top-level window beside the main window, which it closes
/// with. It shows the last design Solve completed, with the choices the
/// user made in it; while it is hidden it only notes a new design and works
/// it out when shown again.
class frm_parts final : public QWidget, public vandrel::ui::PartsWindow {
    Q_OBJECT
public:
    explicit frm_parts(QWidget* main_window);
    ~frm_parts() override;

    QWidget* widget() override { return this; }
    void show_design(const vandrel::Module1& design, vandrel::Mode mode) override;

    /// The choices as the controls hold them.
    vandrel::ui::PartsChoices choices() const;
    /// What the window shows now.
    const vandrel::ui::PartsFigures& figures() const { return figures_; }

    // Event handlers.
    void choice_Change();
    void cmd_copy_Click();
    void cmd_spice_Click();
    void cmd_csv_Click();
    void cmd_plot_Click();
    void cmd_sheet_Click();

    // The controls, each with its name as object name.
    QComboBox* cbo_series = nullptr;
    QComboBox* cbo_combine = nullptr;
    QDoubleSpinBox* spn_r_tol = nullptr;
    QDoubleSpinBox* spn_c_tol = nullptr;
    QDoubleSpinBox* spn_load = nullptr;
    QLabel* lbl_failure = nullptr;
    vandrel::ui::PartsReport* report = nullptr;
    vandrel::ui::ResponsePlot* plot = nullptr;
    QPushButton* cmd_copy = nullptr;
    QPushButton* cmd_spice = nullptr;
    QPushButton* cmd_csv = nullptr;
    QPushButton* cmd_plot = nullptr;
    QPushButton* cmd_sheet = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_controls();
    void set_choices(const vandrel::ui::PartsChoices& choices);
    void place_first_time(QWidget* main_window);
    /// Works the figures out again and shows them.
    void update_figures();
    /// Writes what `bytes` gives for the path the user picks, or says why it
    /// could not.
    void save(const QString& caption, const QString& name, const QStringList& filters,
              const std::function<QByteArray(const QString& path)>& bytes);

    std::optional<std::pair<vandrel::Module1, vandrel::Mode>> design_;
    QWidget* main_window_ = nullptr;
    QScrollArea* report_scroll_ = nullptr;
    bool stale_ = false;
    bool loading_ = false;
    vandrel::ui::PartsFigures figures_;
};
